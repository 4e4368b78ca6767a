// CSimClock: the 25 ms tick of the simulated clock. The tick runs on the multimedia timer's
// thread and only counts and posts WM_SIM_TICK to the view's window; the view advances the
// clock and paints on the user-interface thread. Ticks that arrive while one is still queued
// are counted into it, so a busy window neither loses simulated time nor floods its queue.
#pragma once

#include "platform/ui/core/WinUser.h"

#include <atomic>

class CSimClock {
public:
    enum { kTickMs = 25 };

    CSimClock() = default;
    ~CSimClock() { Stop(); }
    CSimClock(const CSimClock&) = delete;
    CSimClock& operator=(const CSimClock&) = delete;

    // Starts ticking towards hWnd (restarts when running). FALSE when no timer could be made.
    BOOL Start(HWND hWnd);
    // Stops ticking; when it returns no tick runs or will run.
    void Stop();
    BOOL IsRunning() const { return m_nTimer != 0; }
    // The ticks since the last call (the handler of WM_SIM_TICK takes them).
    int TakeTicks() { return m_nTicks.exchange(0); }

private:
    static void Tick(UINT id, UINT msg, DWORD_PTR user, DWORD_PTR, DWORD_PTR);

    UINT m_nTimer = 0;
    HWND m_hWnd = nullptr;
    std::atomic<int> m_nTicks{0};
};
