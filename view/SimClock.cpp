#include "view/SimClock.h"

#include "platform/ui/core/MmTimer.h"
#include "platform/ui/core/WinUser.h"
#include "view/TavixView.h"

BOOL CSimClock::Start(HWND hWnd)
{
    Stop();
    m_hWnd = hWnd;
    m_nTicks = 0;
    m_nTimer = timeSetEvent(kTickMs, 1, &CSimClock::Tick, DWORD_PTR(this), TIME_PERIODIC | TIME_KILL_SYNCHRONOUS);
    return m_nTimer != 0;
}

void CSimClock::Stop()
{
    if (m_nTimer != 0) {
        timeKillEvent(m_nTimer);  // waits for a tick in progress
        m_nTimer = 0;
    }
}

void CSimClock::Tick(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR)
{
    auto* self = reinterpret_cast<CSimClock*>(user);
    if (self->m_nTicks.fetch_add(1) == 0)
        ::PostMessage(self->m_hWnd, WM_SIM_TICK, 0, 0);
}
