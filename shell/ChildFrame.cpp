#include "shell/ChildFrame.h"

#include "controls/DynamicBar.h"
#include "controls/SizingControlBar.h"
#include "elements/SimTime.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/DockBar.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"
#include "view/TavixView.h"

#include <ctime>

namespace {

// A text of the string table.
CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

const wchar_t* const kWeekdays[7] = {L"Sunday", L"Monday", L"Tuesday", L"Wednesday",
                                     L"Thursday", L"Friday", L"Saturday"};
const wchar_t* const kMonths[12] = {L"January", L"February", L"March", L"April",
                                    L"May", L"June", L"July", L"August",
                                    L"September", L"October", L"November", L"December"};

CString MonthName(int month, BOOL bShort)
{
    CString name = (month >= 1 && month <= 12) ? kMonths[month - 1] : L"";
    return bShort ? name.Left(3) : name;
}

} // namespace

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWnd)
    ON_WM_DESTROY()
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateSave)
    {WM_MDIACTIVATE, 0, 0, 0, nullptr, TVX_THUNK_(
        HWND deact = reinterpret_cast<HWND>(c.wParam);
        HWND act = reinterpret_cast<HWND>(c.lParam);
        self->OnMDIActivate(act == self->m_hWnd, CWnd::FromHandle(act), CWnd::FromHandle(deact));
        return TRUE;)},
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_AS, OnUpdateSave)
END_MESSAGE_MAP()

void CChildFrame::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    // The series label and the palette follow the program window that comes to the front.
    if (bActivate)
        if (auto* main = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
            main->OnProgramActivated();
}

void CChildFrame::OnUpdateSave(CCmdUI* pCmdUI)
{
    // A running simulation changes the program's values; it is not saved halfway.
    auto* view = dynamic_cast<CTavixView*>(GetActiveView());
    pCmdUI->Enable(!(view && view->IsSimulating()));
}

CChildFrame::~CChildFrame()
{
    DestroySimulationBars();
}

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CMDIChildWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style = 0x50CF8000;
    return TRUE;
}

void CChildFrame::OnDestroy()
{
    // The view stops the clock before its window goes; the bars and the clock dialog go with
    // the frame.
    DestroySimulationBars();
    m_wndSimBar.Detach();
    m_wndInputsBar.Attach(nullptr);
    m_wndOutputsBar.Attach(nullptr);
    CMDIChildWnd::OnDestroy();
}

int CChildFrame::CreateSimulationBars()
{
    if (!GetSafeHwnd())
        return -1;
    DestroySimulationBars();
    struct BarSpec {
        cdxCDynamicBarDlg* pDlg;
        UINT nTitle;
        UINT nID;
        cdxCDynamicBar** ppBar;
    } const specs[] = {
        {&m_wndSimBar, IDS_SIM_BAR_TITLE, AFX_IDW_SIM_BAR, &m_pSimulationBar},
        {&m_wndOutputsBar, IDS_OUTPUTS_BAR_TITLE, AFX_IDW_OUTPUTS_BAR, &m_pOutputsBar},
        {&m_wndInputsBar, IDS_INPUTS_BAR_TITLE, AFX_IDW_INPUTS_BAR, &m_pInputsBar},
    };
    for (const BarSpec& spec : specs) {
        auto* pBar = new cdxCDynamicBar(spec.pDlg);
        *spec.ppBar = pBar;
        if (!pBar->Create(LoadText(spec.nTitle), this, spec.nID, 0x50002800)) {
            DestroySimulationBars();
            return -1;
        }
        pBar->SetBarStyle(pBar->GetBarStyle() | 0x34);
        pBar->EnableDocking(CBRS_ALIGN_BOTTOM);
    }
    EnableDocking(CBRS_ALIGN_ANY);
    m_pFloatingFrameClass = RUNTIME_CLASS(CSCBMiniDockFrameWnd);
    DockControlBar(m_pInputsBar, AFX_IDW_DOCKBAR_BOTTOM);
    DockBarAfter(m_pOutputsBar, m_pInputsBar);
    DockBarAfter(m_pSimulationBar, m_pOutputsBar);
    // The bar dialogs' templates are not visible by themselves.
    for (cdxCDynamicBar* pBar : {m_pInputsBar, m_pOutputsBar, m_pSimulationBar}) {
        pBar->m_pDynDlg->ShowWindow(SW_SHOW);
        ShowControlBar(pBar, TRUE, FALSE);
    }
    return 1;
}

void CChildFrame::DockBarAfter(CControlBar* pBar, CControlBar* pLeftOf)
{
    CDockBar* pDockBar = pLeftOf ? pLeftOf->m_pDockBar : nullptr;
    if (!pBar || !pDockBar)
        return;
    const UINT id = pDockBar->GetDlgCtrlID();
    const bool horizontal = id == AFX_IDW_DOCKBAR_TOP || id == AFX_IDW_DOCKBAR_BOTTOM;
    DockControlBar(pBar, pDockBar);
    // Docking appended the bar and a row end; put the bar right after its left neighbour.
    const int n = int(pDockBar->m_arrBars.GetSize());
    if (n >= 2 && pDockBar->m_arrBars[n - 2] == pBar && pDockBar->m_arrBars[n - 1] == nullptr) {
        pDockBar->m_arrBars.RemoveAt(n - 2, 2);
        const int at = pDockBar->FindBar(pLeftOf);
        if (at >= 0)
            pDockBar->m_arrBars.InsertAt(at + 1, pBar);
        else
            pDockBar->m_arrBars.Add(pBar), pDockBar->m_arrBars.Add(nullptr);
    }
    CRect rc;
    pLeftOf->GetWindowRect(&rc);
    rc.OffsetRect(horizontal ? 10 : 0, horizontal ? 0 : 1);
    pBar->MoveWindow(&rc);
    RecalcLayout();
}

void CChildFrame::DestroySimulationBars()
{
    for (cdxCDynamicBar** pp : {&m_pSimulationBar, &m_pOutputsBar, &m_pInputsBar}) {
        cdxCDynamicBar* pBar = *pp;
        *pp = nullptr;
        if (!pBar)
            continue;
        if (pBar->m_pDynDlg && ::IsWindow(pBar->m_pDynDlg->GetSafeHwnd()))
            pBar->m_pDynDlg->DestroyWindow();
        if (::IsWindow(pBar->GetSafeHwnd()))
            pBar->DestroyWindow();
        delete pBar;
    }
    m_wndInputsBar.ClearControls();
    m_wndOutputsBar.ClearControls();
    if (GetSafeHwnd())
        RecalcLayout();
}

void CChildFrame::SimClockTick()
{
    {
        std::lock_guard<std::mutex> lock(m_clockLock);
        m_stSimTime.wMilliseconds = WORD(m_stSimTime.wMilliseconds + 25);
        if (m_stSimTime.wMilliseconds >= 1000) {
            // Whole seconds from here on: the part above 1000 is dropped.
            m_stSimTime.wMilliseconds = 0;
            std::tm t{};
            SYSTEMTIME next = m_stSimTime;
            SystemTimeToTm(&m_stSimTime, &t);
            t.tm_sec += 1;
            MakeTime(&t);
            TmToSystemTime(&t, &next);
            next.wMilliseconds = 0;
            m_stSimTime = next;
        }
    }
    if (m_wndSimBar.m_nRunMode == CSimulationBar::modeCycles && m_wndSimBar.m_nCycleSel == CSimulationBar::unitCycles) {
        SYSTEMTIME now;
        GetSimTime(&now);
        const std::int64_t d = SystemTimeToMsec(&now) - SystemTimeToMsec(&m_stStepRef);
        if (d >= 25) {
            m_stStepRef = now;
            m_wndSimBar.StepTick(this);
        }
    }
    if (!m_bBarsRedrawn && m_pSimulationBar) {
        m_bBarsRedrawn = TRUE;
        for (CWnd* pDlg : std::initializer_list<CWnd*>{&m_wndSimBar, &m_wndOutputsBar, &m_wndInputsBar})
            if (::IsWindow(pDlg->GetSafeHwnd()))
                pDlg->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

void CChildFrame::SyncStepReference()
{
    GetSimTime(&m_stStepRef);
}

void CChildFrame::ActivateFrame(int nCmdShow)
{
    CMDIChildWnd::ActivateFrame(nCmdShow == -1 ? SW_SHOWMAXIMIZED : nCmdShow);
}

CChildFrame::CChildFrame()
{
    GetLocalTime(&m_stSimTime);
    m_stPrevSimTime = m_stSimTime;
}

SYSTEMTIME* CChildFrame::GetSimTime(SYSTEMTIME* pOut) const
{
    if (pOut) {
        std::lock_guard<std::mutex> lock(m_clockLock);
        *pOut = m_stSimTime;
    }
    return pOut;
}

SYSTEMTIME* CChildFrame::GetPrevSimTime(SYSTEMTIME* pOut) const
{
    if (pOut) {
        std::lock_guard<std::mutex> lock(m_clockLock);
        *pOut = m_stPrevSimTime;
    }
    return pOut;
}

void CChildFrame::SetSimTime(const SYSTEMTIME& st)
{
    std::lock_guard<std::mutex> lock(m_clockLock);
    m_stPrevSimTime = m_stSimTime;
    m_stSimTime = st;
    m_bClockSet = TRUE;
}

void CChildFrame::ResetSimClock()
{
    std::lock_guard<std::mutex> lock(m_clockLock);
    GetLocalTime(&m_stSimTime);
    m_stPrevSimTime = m_stSimTime;
    m_bClockSet = FALSE;
}

void CChildFrame::AdvanceSimTime(int ms)
{
    std::lock_guard<std::mutex> lock(m_clockLock);
    m_stPrevSimTime = m_stSimTime;
    AddMsecToSystemTime(&m_stSimTime, ms, &m_stSimTime);
}

void CChildFrame::FormatSimTime(CString* pOut, BOOL bShortMonth, int mode) const
{
    if (!pOut)
        return;
    SYSTEMTIME st;
    GetSimTime(&st);
    const int hour12 = st.wHour > 12 ? st.wHour - 12 : st.wHour;
    const wchar_t* const ampm = (st.wHour >= 12 && st.wHour <= 23) ? L"PM" : L"AM";
    switch (mode) {
    case 0:
        pOut->Format(L"%s, %s %d, %d %d:%d:%d %s",
                     st.wDayOfWeek < 7 ? kWeekdays[st.wDayOfWeek] : L"",
                     (LPCTSTR)MonthName(st.wMonth, FALSE), int(st.wDay), int(st.wYear), hour12,
                     int(st.wMinute), int(st.wSecond), ampm);
        break;
    case 1:
        pOut->Format(L"%s %d, %d", (LPCTSTR)MonthName(st.wMonth, bShortMonth), int(st.wDay),
                     int(st.wYear));
        break;
    case 2:
        pOut->Format(L"%d:%02d:%02d %s", hour12, int(st.wMinute), int(st.wSecond), ampm);
        break;
    case 3:
        pOut->Format(L"%02d%02d%02d%02d%02d%02d", int(st.wYear % 100), int(st.wMonth),
                     int(st.wDay), int(st.wHour), int(st.wMinute), int(st.wSecond));
        break;
    default:
        pOut->Empty();
        break;
    }
}
