#include "shell/SimulationBar.h"

#include "document/TavixDoc.h"
#include "elements/BlockCounters.h"
#include "elements/BlockObj.h"
#include "elements/BlockTime.h"
#include "elements/BlockTimers.h"
#include "elements/BlockSwitches.h"
#include "elements/SimTime.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "platform/ui/framework/App.h"
#include "resources/resource.h"
#include "shell/ChildFrame.h"
#include "shell/SimClockDlg.h"
#include "view/TavixView.h"

#include <cwctype>

IMPLEMENT_DYNAMIC(CSimulationBar, cdxCDynamicBarDlg)

BEGIN_MESSAGE_MAP(CSimulationBar, cdxCDynamicBarDlg)
    ON_CONTROL(BN_CLICKED, IDC_SIM_POWER, OnPowerClicked)
    ON_CONTROL(BN_CLICKED, IDC_SIM_START, OnStart)
    ON_CONTROL(BN_CLICKED, IDC_SIM_STOP, OnStop)
    ON_CONTROL(BN_CLICKED, IDC_SIM_SUSPEND, OnSuspendResume)
    ON_CONTROL(BN_CLICKED, IDC_SIM_STEP, OnStep)
    ON_CONTROL(BN_CLICKED, IDC_SIM_CLOCK_BUTTON, OnClockButton)
    ON_CONTROL(CBN_SELCHANGE, IDC_SIM_UNIT, OnUnitChanged)
    ON_UPDATE_COMMAND_UI(IDC_SIM_START, OnUpdateStart)
    ON_UPDATE_COMMAND_UI(IDC_SIM_STOP, OnUpdateStop)
    ON_UPDATE_COMMAND_UI(IDC_SIM_SUSPEND, OnUpdateSuspend)
    ON_UPDATE_COMMAND_UI(IDC_SIM_STEP, OnUpdateStep)
    ON_UPDATE_COMMAND_UI(IDC_SIM_POWER, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(IDC_SIM_CLOCK_BUTTON, OnUpdateAlways)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// A text of the string table.
CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

constexpr UINT_PTR kIdleTimer = 4569;

std::int64_t Ms(const SYSTEMTIME& st) { return SystemTimeToMsec(&st); }

SYSTEMTIME ClockOf(const CChildFrame* pFrame)
{
    SYSTEMTIME st{};
    if (pFrame)
        pFrame->GetSimTime(&st);
    return st;
}

// Hours counter whose enable input is on while reset and count inputs are off.
bool IsRunningHoursCounter(const CBlockObj* p)
{
    return dynamic_cast<const CBlockHCOUNTER*>(p) && p->m_nPinValue[1] != 0 && p->m_nPinValue[0] == 0 && p->m_nPinValue[2] == 0;
}

// What Start and a power-up renew: the hours counter's enable period, the threshold trigger's gate.
void RestartMeasurements(CBlockObj* p, const SYSTEMTIME& now)
{
    if (auto* pHours = dynamic_cast<CBlockHCOUNTER*>(p)) {
        if (IsRunningHoursCounter(p)) {
            pHours->m_stEnable = now;
            pHours->m_nOtBase = pHours->m_nOt;
        }
    } else if (auto* pTrigger = dynamic_cast<CBlockTHTRG*>(p)) {
        pTrigger->m_nFa = 0;
    }
}

// Analog function blocks (803-807, 815-822) and message texts keep their state.
bool KeepsSimState(const CBlockObj* p)
{
    return IsAnalogFamilyType(p->m_nType) || p->m_nType == TYPE_MSGTEXT;
}

bool HasTimeKind(const CBlockObj* p) { return CTavixDoc::GetBlockKind(p->m_nType) != KIND_OTHER; }

}  // namespace

CSimulationBar::CSimulationBar() : cdxCDynamicBarDlg(IDD_SIMULATION_BAR, nullptr, FreeBoth, 2) {}

CSimulationBar::~CSimulationBar()
{
    delete m_pClockDlg;
}

CTavixDoc* CSimulationBar::GetDocument() const
{
    return m_pView ? m_pView->GetDocument() : nullptr;
}

void CSimulationBar::Attach(CTavixView* pView, CChildFrame* pFrame)
{
    m_pView = pView;
    m_pFrame = pFrame;
    m_nRunMode = modeContinuous;
    m_nRunState = stateRunning;
    m_bStarted = TRUE;
    m_bPowered = TRUE;
    m_bPower = FALSE;
    m_nSavedRunState = stateRunning;
    m_nSavedRunMode = modeContinuous;
    m_nStepsLeft = 1;
    m_nAnimPhase = 0;
    m_nCycleSel = unitCycles;
    m_strCycles = L"1";
    m_strDuration = L"01:00";
    m_strCounter.Empty();
    m_stStepStart = SYSTEMTIME{};
    m_stAnimStart = SYSTEMTIME{};
    m_bApplyImmediately = FALSE;
    m_nSuspendIcon = iconRunning;
    m_nStepIcon = iconStep;
    m_bCounterShown = FALSE;
    m_bDurationShown = FALSE;
    m_bFieldsEnabled = FALSE;
    if (m_pFrame) {
        m_pFrame->FormatSimTime(&m_strTime, FALSE, 2);
    }
}

void CSimulationBar::Detach()
{
    CloseClockDlg();
    m_pView = nullptr;
    m_pFrame = nullptr;
}

// ---- window ----

void CSimulationBar::DoDataExchange(CDataExchange* pDX)
{
    cdxCDynamicBarDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SIM_CYCLES, m_editCycles);
    DDX_Control(pDX, IDC_SIM_DURATION, m_editDuration);
    DDX_Control(pDX, IDC_SIM_UNIT, m_cbUnit);
    DDX_Control(pDX, IDC_SIM_TIME, m_stClock);
    DDX_Control(pDX, IDC_SIM_COUNTER, m_stCounter);
    DDX_Control(pDX, IDC_SIM_START, m_btnStart);
    DDX_Control(pDX, IDC_SIM_STOP, m_btnStop);
    DDX_Control(pDX, IDC_SIM_CLOCK_BUTTON, m_btnClock);
    DDX_Control(pDX, IDC_SIM_POWER, m_btnPower);
    DDX_Control(pDX, IDC_SIM_SUSPEND, m_btnSuspend);
    DDX_Control(pDX, IDC_SIM_STEP, m_btnStep);
}

BOOL CSimulationBar::OnInitDialog()
{
    cdxCDynamicBarDlg::OnInitDialog();
    SetWindowText(LoadText(IDS_SIM_BAR_CAPTION));

    m_btnPower.SetIcon(iconPowerOff, iconPowerOn);
    m_btnPower.SetTooltipText(LoadText(IDS_SIM_TIP_POWER));
    m_btnStart.SetIcon(iconStart);
    m_btnStart.SetTooltipText(LoadText(IDS_SIM_TIP_START));
    m_btnStop.SetIcon(iconStop);
    m_btnStop.SetTooltipText(LoadText(IDS_SIM_TIP_STOP));
    SetButtonIcon(m_btnSuspend, m_nSuspendIcon, &m_nSuspendIcon);
    m_btnSuspend.SetTooltipText(LoadText(IDS_SIM_TIP_SUSPEND));
    SetButtonIcon(m_btnStep, m_nStepIcon, &m_nStepIcon);
    m_btnStep.SetTooltipText(LoadText(IDS_SIM_TIP_STEP));
    m_btnClock.SetIcon(iconClockOff, iconClockOn);
    m_btnClock.SetTooltipText(LoadText(IDS_SIM_TIP_CLOCK));
    for (CIconButton* b : {&m_btnStart, &m_btnStop, &m_btnSuspend, &m_btnStep, &m_btnClock})
        b->OffsetColor(0, 30);

    m_editCycles.SetLimitText(4);
    m_editCycles.AllowNegative(FALSE);
    m_editCycles.SetWindowText(m_strCycles);
    m_cbUnit.ResetContent();
    m_cbUnit.AddString(LoadText(IDS_SIM_UNIT_CYCLES));
    m_cbUnit.AddString(L"s");
    m_cbUnit.AddString(L"m");
    m_cbUnit.AddString(L"h");
    m_cbUnit.SetCurSel(m_nCycleSel);
    m_editDuration.SetLimitText(5);
    m_editDuration.SetMask(L"##:##");
    m_editDuration.SetWindowText(m_strDuration);
    EnableDurationFields();
    m_editCycles.ShowWindow(SW_SHOW);
    m_editDuration.ShowWindow(SW_HIDE);
    m_stCounter.ShowWindow(SW_HIDE);
    m_stClock.SetWindowText(m_strTime);
    // The timer's messages let the idle-time update of the buttons run.
    SetTimer(kIdleTimer, 100, nullptr);
    return TRUE;
}

void CSimulationBar::OnDestroy()
{
    KillTimer(kIdleTimer);
    // Keep what the fields held for the state, the controls go with the window.
    if (m_editCycles.GetSafeHwnd())
        m_editCycles.GetWindowText(m_strCycles);
    if (m_editDuration.GetSafeHwnd())
        m_editDuration.GetWindowText(m_strDuration);
    cdxCDynamicBarDlg::OnDestroy();
}

void CSimulationBar::OnUpdateStart(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_bStarted); }
void CSimulationBar::OnUpdateStop(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bStarted); }
void CSimulationBar::OnUpdateSuspend(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nRunState > stateStopped); }
void CSimulationBar::OnUpdateStep(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nRunMode > modeContinuous); }
void CSimulationBar::OnUpdateAlways(CCmdUI*) {}

void CSimulationBar::SetButtonIcon(CIconButton& button, int nIcon, int* pStore)
{
    *pStore = nIcon;
    if (button.GetSafeHwnd()) {
        button.SetIcon(nIcon);
        button.SetIconId(nIcon);
    }
}

// ---- field texts ----

CString CSimulationBar::GetCyclesText() const
{
    CString text = m_strCycles;
    if (m_editCycles.GetSafeHwnd())
        m_editCycles.GetWindowText(text);
    return text;
}

void CSimulationBar::SetCyclesText(const CString& text)
{
    m_strCycles = text;
    if (m_editCycles.GetSafeHwnd())
        m_editCycles.SetWindowText(text);
}

CString CSimulationBar::GetDurationText() const
{
    CString text = m_strDuration;
    if (m_editDuration.GetSafeHwnd())
        m_editDuration.GetWindowText(text);
    return text;
}

void CSimulationBar::SetDurationText(const CString& text)
{
    m_strDuration = text;
    if (m_editDuration.GetSafeHwnd())
        m_editDuration.SetWindowText(text);
}

void CSimulationBar::SetCounterText(const CString& text)
{
    if (text == m_strCounter)
        return;
    m_strCounter = text;
    if (m_stCounter.GetSafeHwnd())
        m_stCounter.SetWindowText(text);
}

void CSimulationBar::SetUnit(int nUnit)
{
    if (m_cbUnit.GetSafeHwnd())
        m_cbUnit.SetCurSel(nUnit);
    m_nCycleSel = nUnit;
    OnUnitChanged();
}

void CSimulationBar::EnableDurationFields()
{
    m_bFieldsEnabled = m_nRunMode == modeHalted;
    for (CWnd* w : std::initializer_list<CWnd*>{&m_editCycles, &m_editDuration, &m_cbUnit})
        if (w->GetSafeHwnd())
            w->EnableWindow(m_bFieldsEnabled);
}

// ---- buttons ----

void CSimulationBar::OnStart()
{
    m_bPowered = m_bStarted = TRUE;
    m_nRunState = stateRunning;
    SetButtonIcon(m_btnSuspend, iconRunning, &m_nSuspendIcon);
    m_nRunMode = modeContinuous;
    EnableDurationFields();
    if (m_bCounterShown)
        ShowStepCounter(SW_HIDE);
    const SYSTEMTIME now = ClockOf(m_pFrame);
    m_stStepStart = now;
    if (CTavixDoc* pDoc = GetDocument())
        for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;)
            RestartMeasurements(static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos)), now);
    if (m_pView)
        m_pView->InvalidateAll();
}

void CSimulationBar::OnStop()
{
    m_bPowered = m_bStarted = FALSE;
    m_nRunState = stateStopped;
    SetButtonIcon(m_btnSuspend, iconRunning, &m_nSuspendIcon);
    if (m_nRunMode == modeCycles) {
        SetButtonIcon(m_btnStep, iconStep, &m_nStepIcon);
        m_nAnimPhase = 0;
    }
    m_nRunMode = modeHalted;
    EnableDurationFields();
    if (CTavixDoc* pDoc = GetDocument()) {
        for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
            auto* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
            switch (p->m_nType) {
            case TYPE_INPUT: case TYPE_ANALOG_IN: case TYPE_HIGH: case TYPE_LOW:
            case TYPE_SHIFT_BIT: case TYPE_ANALOG_OUT: case TYPE_ANALOG_FLAG:
                continue;
            default:
                ResetBlockSimState(p, pDoc);
            }
        }
    }
    if (m_pView)
        m_pView->InvalidateAll();
}

void CSimulationBar::OnSuspendResume()
{
    const int newState = m_nRunState == stateRunning ? stateSuspended : stateRunning;
    m_nRunState = newState;
    if (newState == stateRunning) {
        SetButtonIcon(m_btnSuspend, iconRunning, &m_nSuspendIcon);
        SetButtonIcon(m_btnStep, iconStep, &m_nStepIcon);
        m_nAnimPhase = 0;
        if (m_bCounterShown)
            ShowStepCounter(SW_HIDE);
        m_nRunMode = modeContinuous;
        // Elapsed times continue from where they stood.
        const SYSTEMTIME now = ClockOf(m_pFrame);
        if (CTavixDoc* pDoc = GetDocument()) {
            for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
                auto* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
                if (!HasTimeKind(p))
                    continue;
                const int elapsed = TruncateToInt(p->m_dElapsed);
                AddMsecToSystemTime(&now, -elapsed, &p->m_tmStart);
                p->m_tmStart2 = p->m_tmStart;
                const bool held = p->m_tmHold.wYear != 0 || p->m_tmHold.wMonth != 0 || p->m_tmHold.wDay != 0;
                p->m_dValue2 = (dynamic_cast<CBlockHCOUNTER*>(p) && held) ? double(Ms(now) - Ms(p->m_tmHold)) : 0.0;
                p->m_tmHold = SYSTEMTIME{};
            }
        }
    } else {
        SetButtonIcon(m_btnSuspend, iconSuspended, &m_nSuspendIcon);
        if (m_nRunMode == modeCycles) {
            SetButtonIcon(m_btnStep, iconStep, &m_nStepIcon);
            m_nAnimPhase = 0;
        }
        m_nRunMode = modeHalted;
    }
    EnableDurationFields();
    if (m_pView)
        m_pView->InvalidateAll();
}

void CSimulationBar::OnStep()
{
    const int newMode = m_nRunMode == modeHalted ? modeCycles : modeHalted;
    m_nRunMode = newMode;
    if (newMode == modeCycles) {
        if (!m_bCounterShown)
            ShowStepCounter(SW_SHOW);
        if (GetCyclesText().IsEmpty())
            SetCyclesText(L"0");
        m_nRunState = stateRunning;
        if (m_nCycleSel == unitCycles)
            m_nStepsLeft = std::max(0, _wtoi(GetCyclesText()));
        else
            ReadDuration();
        const SYSTEMTIME now = ClockOf(m_pFrame);
        m_stStepStart = m_stAnimStart = now;
        if (m_pFrame)
            m_pFrame->SyncStepReference();
        if (!m_bStarted) {
            // Stepping out of the stopped state powers the device up.
            m_bPowered = m_bStarted = TRUE;
            if (CTavixDoc* pDoc = GetDocument()) {
                for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
                    auto* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
                    if (!HasTimeKind(p))
                        continue;
                    p->m_tmStart = p->m_tmStart2 = now;
                    p->m_dElapsed = p->m_bRetentive ? p->m_dValue2 : 0.0;
                    if (!p->m_bRetentive)
                        p->m_dValue2 = 0.0;
                }
            }
        }
        UpdateRunTime(m_pFrame, TRUE);
    } else {
        SetButtonIcon(m_btnStep, iconStep, &m_nStepIcon);
        m_nAnimPhase = 0;
        m_nRunState = stateSuspended;
    }
    EnableDurationFields();
    SetButtonIcon(m_btnSuspend, m_nRunState == stateRunning ? iconRunning : iconSuspended, &m_nSuspendIcon);
    if (m_pView)
        m_pView->InvalidateAll();
}

void CSimulationBar::ReadDuration()
{
    int v = 0;
    for (wchar_t c : std::wstring(static_cast<LPCTSTR>(GetDurationText())))
        if (c >= L'0' && c <= L'9')
            v = std::min(v * 10 + (c - L'0'), 9999);
    if (m_nCycleSel == unitSeconds)
        m_nStepsLeft = v;
    else
        m_nStepsLeft = (v / 100) * 60 + v % 100;
}

void CSimulationBar::OnUnitChanged()
{
    if (m_cbUnit.GetSafeHwnd() && m_cbUnit.GetCurSel() >= 0)
        m_nCycleSel = m_cbUnit.GetCurSel();
    const BOOL cycles = m_nCycleSel == unitCycles;
    m_bDurationShown = !cycles;
    if (m_editCycles.GetSafeHwnd()) {
        m_editCycles.ShowWindow(cycles ? SW_SHOW : SW_HIDE);
        m_editDuration.ShowWindow(cycles ? SW_HIDE : SW_SHOW);
    }
}

void CSimulationBar::MoveControl(UINT nID, int dx)
{
    CWnd* pWnd = GetDlgItem(int(nID));
    if (!pWnd)
        return;
    CRect rc;
    pWnd->GetWindowRect(&rc);
    ScreenToClient(&rc);
    rc.OffsetRect(dx, 0);
    pWnd->MoveWindow(&rc);
    UpdateControlPosition(pWnd->GetSafeHwnd());
}

void CSimulationBar::ShowStepCounter(int nCmdShow)
{
    m_bCounterShown = nCmdShow != SW_HIDE;
    if (!nCmdShow)
        m_bDurationShown = FALSE;
    if (!HasWindow())
        return;
    CRect rc;
    m_editCycles.GetWindowRect(&rc);
    const int w = rc.Width();
    static const UINT kMoved[] = {IDC_SIM_CLOCK_BUTTON, IDC_SIM_TIME, IDC_SIM_UNIT, IDC_SIM_CYCLES};
    if (nCmdShow != SW_HIDE) {
        for (UINT id : kMoved)
            MoveControl(id, w);
        m_stCounter.ShowWindow(SW_SHOW);
    } else {
        m_stCounter.ShowWindow(SW_HIDE);
        m_editDuration.ShowWindow(SW_HIDE);
        for (UINT id : kMoved)
            MoveControl(id, -w);
    }
    // The bar's shortest length in its dock row follows its controls.
    if (CFrameWnd* pFrame = AfxGetParentFrame(this))
        pFrame->DelayRecalcLayout();
}

// ---- stepping ----

void CSimulationBar::Animate(const SYSTEMTIME& now)
{
    if (Ms(now) - Ms(m_stAnimStart) >= 300) {
        if (m_nAnimPhase >= 4)
            m_nAnimPhase = 0;
        static const int kFrames[4] = {197, 196, 199, 198};
        SetButtonIcon(m_btnStep, kFrames[m_nAnimPhase], &m_nStepIcon);
        ++m_nAnimPhase;
        m_stAnimStart = now;
    }
}

void CSimulationBar::EndStepping()
{
    if (m_nStepsLeft != 0)
        return;
    m_nRunMode = modeHalted;
    EnableDurationFields();
    SetButtonIcon(m_btnStep, iconStep, &m_nStepIcon);
    m_nAnimPhase = 0;
    m_nRunState = stateSuspended;
    SetButtonIcon(m_btnSuspend, iconSuspended, &m_nSuspendIcon);
}

void CSimulationBar::StepTick(CChildFrame* pFrame)
{
    if (!pFrame || m_nRunMode != modeCycles || m_nCycleSel != unitCycles)
        return;
    const SYSTEMTIME now = ClockOf(pFrame);
    if (Ms(now) - Ms(m_stStepStart) >= 25 && m_nStepsLeft > 0) {
        --m_nStepsLeft;
        m_stStepStart = now;
        // A cycle advances every running timer by 10 ms, whatever the clock does.
        if (CTavixDoc* pDoc = GetDocument()) {
            for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
                auto* p = dynamic_cast<CBlockTime*>(static_cast<CObject*>(pDoc->m_blocks.GetNext(pos)));
                if (!p)
                    continue;
                const bool edgeOrRandom = dynamic_cast<CBlockRPR*>(p) || dynamic_cast<CBlockRG*>(p);
                if (p->m_nRun || (!edgeOrRandom && p->m_nPhase))
                    p->m_dElapsed += 10.0;
            }
        }
        if (m_pView)
            m_pView->InvalidateAll();
    }
    CString text;
    text.Format(L"%d", m_nStepsLeft == 0 ? 1 : m_nStepsLeft);
    SetCounterText(text);
    Animate(now);
    EndStepping();
}

void CSimulationBar::UpdateRunTime(CChildFrame* pFrame, BOOL bForce)
{
    if (!pFrame || m_nRunMode != modeCycles || m_nCycleSel == unitCycles)
        return;
    const SYSTEMTIME now = ClockOf(pFrame);
    const std::int64_t d = Ms(now) - Ms(m_stStepStart);
    CString text;
    if (m_nCycleSel == unitSeconds) {
        if (d >= 50 && m_nStepsLeft > 0) {
            m_nStepsLeft = std::max(0, m_nStepsLeft - 5);
            m_stStepStart = now;
        }
        text.Format(L"%02d:%02ds", m_nStepsLeft / 100, m_nStepsLeft % 100);
    } else {
        const std::int64_t period = m_nCycleSel == unitMinutes ? 1000 : 60000;
        if (d >= period && m_nStepsLeft > 0) {
            --m_nStepsLeft;
            m_stStepStart = now;
        } else if (!bForce) {
            text = m_strCounter;
        }
        // Minutes and seconds, or hours and minutes, with the matching unit letter.
        if (text.IsEmpty())
            text.Format(m_nCycleSel == unitMinutes ? L"%02d:%02dm" : L"%02d:%02dh", m_nStepsLeft / 60,
                        m_nStepsLeft % 60);
    }
    SetCounterText(text);
    Animate(now);
    EndStepping();
}

void CSimulationBar::ShowSimTime()
{
    if (m_bPower || !m_pFrame)
        return;
    CString text;
    m_pFrame->FormatSimTime(&text, FALSE, 2);
    if (text == m_strTime)
        return;
    m_strTime = text;
    if (m_stClock.GetSafeHwnd())
        m_stClock.SetWindowText(text);
}

// ---- clock dialog ----

void CSimulationBar::OnClockButton()
{
    const BOOL checked = m_btnClock.GetSafeHwnd() ? m_btnClock.GetCheck() : m_pClockDlg == nullptr;
    if (checked) {
        if (!m_pClockDlg)
            m_pClockDlg = new CSimClockDlg(m_pFrame, nullptr);
        if (!::IsWindow(m_pClockDlg->GetSafeHwnd()))
            m_pClockDlg->Create(m_btnClock.GetSafeHwnd() ? &m_btnClock : nullptr, &m_bApplyImmediately);
    } else {
        CloseClockDlg();
    }
}

void CSimulationBar::CloseClockDlg()
{
    if (!m_pClockDlg)
        return;
    if (::IsWindow(m_pClockDlg->GetSafeHwnd()))
        m_pClockDlg->DestroyWindow();
    delete m_pClockDlg;
    m_pClockDlg = nullptr;
}

// ---- power ----

void CSimulationBar::OnPowerClicked()
{
    if (m_btnPower.GetSafeHwnd())
        m_btnPower.SetCheck(0);
}

void CSimulationBar::SavePinValues(BOOL bSave)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        if (p->m_nType == TYPE_ANALOG_IN || p->m_nType == TYPE_ANALOG_OUT || p->m_nType == TYPE_FLAG)
            continue;
        // Inputs up to the first parameter pin, then the outputs.
        for (int pin = 0; pin < kPinCount; ++pin) {
            if (pin < kFirstOutputPin && (pin >= p->m_nInputs || p->m_nLink[pin] == LINK_PARAM)) {
                pin = kFirstOutputPin - 1;
                continue;
            }
            if (p->m_nPinKind[pin] == PIN_NONE)
                continue;
            if (bSave) {
                m_savedPins[p][size_t(pin)] = p->m_nPinValue[pin];
                if (pin >= kFirstOutputPin) {
                    p->m_nPinValue[pin] = 0;
                } else if (p->m_nType == TYPE_OPEN_X || p->m_nType == TYPE_OUTPUT) {
                    p->m_nPinValue[pin] = 0;
                    p->SetInputValue(pin, p->m_nLink[pin] == LINK_OPEN ? LINK_OPEN : 0);
                }
            } else if (auto it = m_savedPins.find(p); it != m_savedPins.end()) {
                p->m_nPinValue[pin] = it->second[size_t(pin)];
            }
        }
    }
}

void CSimulationBar::PowerPress()
{
    m_savedPins.clear();
    if (m_bPowered) {
        m_bPower = TRUE;
        m_nSavedRunState = m_nRunState;
        m_nSavedRunMode = m_nRunMode;
        m_nRunState = stateStopped;
        m_nRunMode = modeContinuous;
    } else {
        // A stopped device shows its de-energised picture while the button is held.
        m_bPowered = m_bStarted;
        m_bStarted = !m_bStarted;
        m_nSavedRunMode = m_nRunMode;
        m_nRunMode = m_nRunMode == modeContinuous ? modeHalted : modeContinuous;
        EnableDurationFields();
        m_bPower = TRUE;
        SavePinValues(TRUE);
    }
    if (m_btnPower.GetSafeHwnd())
        m_btnPower.SetCheck(1);
    if (m_pView)
        m_pView->InvalidateAll();
}

void CSimulationBar::PowerCycle()
{
    if (!m_bPower)
        return;
    m_bPower = FALSE;
    if (m_btnPower.GetSafeHwnd())
        m_btnPower.SetCheck(0);
    CTavixDoc* pDoc = GetDocument();
    if (m_bPowered) {
        const SYSTEMTIME now = ClockOf(m_pFrame);
        m_stStepStart = now;
        m_nRunState = m_nSavedRunState;
        m_nRunMode = m_nSavedRunMode;
        // Power-up: every non-retentive state starts again.
        if (pDoc) {
            for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
                auto* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
                switch (p->m_nType) {
                case TYPE_INPUT: case TYPE_ANALOG_IN: case TYPE_HIGH: case TYPE_LOW: case TYPE_SHIFT_BIT:
                case TYPE_OPEN_X: case TYPE_ANALOG_OUT: case TYPE_ANALOG_FLAG:
                    continue;
                case TYPE_OUTPUT: case TYPE_FLAG:
                    p->m_nPinValue[kOutputPin] = 0;
                    continue;
                default:
                    if (KeepsSimState(p))
                        continue;
                    RestartMeasurements(p, now);
                    ResetBlockSimState(p, pDoc);
                }
            }
        }
    } else {
        m_bStarted = FALSE;
        m_nRunMode = m_nSavedRunMode;
        EnableDurationFields();
        SavePinValues(FALSE);
        m_savedPins.clear();
    }
    if (m_pView)
        m_pView->InvalidateAll();
}

void CSimulationBar::ResetBlockSimState(CBlockObj* p, CTavixDoc* pDoc)
{
    if (KeepsSimState(p))
        return;
    if (p->m_bRetentive) {
        p->m_dValue2 = p->m_dElapsed;
        return;
    }
    p->m_dElapsed = 0;
    p->m_dValue2 = 0;
    if (auto* t = dynamic_cast<CBlockTime*>(p)) {
        switch (p->m_nType) {
        case 401: case 403: case 404: case 408:
            t->m_nRun = 0;
            break;
        case 402: case 405:
            t->m_nPhase = 0;
            break;
        case 406:
            t->m_nRun = t->m_nPhase = 0;
            break;
        case 407:
            if (p->m_nPinValue[0] == 0) {
                p->m_dElapsed = 0;
                t->m_nRun = 0;
            }
            break;
        case 409:
            if (auto* mfs = dynamic_cast<CBlockMFS*>(p); mfs && mfs->m_nSwitchState == CBlockMFS::stateOnDelay)
                mfs->m_nSwitchState = CBlockMFS::stateOff;
            t->m_nRun = 0;
            break;
        default:
            break;
        }
    } else if (p->m_nType == 812 && pDoc) {
        for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
            auto* bit = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
            if (bit->m_nType == TYPE_SHIFT_BIT)
                bit->m_nPinValue[kOutputPin] = 0;
        }
    }
    for (int pin = 0; pin < kFirstOutputPin; ++pin)
        if (!IsLinkCode(p->m_nLink[pin]) || p->m_nLink[pin] == LINK_OPEN)
            p->m_nPinValue[pin] = 0;
    p->m_nPinValue[kOutputPin] = 0;
}

// ---- keys and the Power button ----

void CSimulationBar::HandleKey(const MSG* pMsg)
{
    CWnd* pMain = AfxGetMainWnd();
    auto post = [](CWnd* pTarget, UINT id) {
        if (pTarget && pTarget->GetSafeHwnd())
            pTarget->PostMessage(WM_COMMAND, id, 0);
    };
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) {
        switch (pMsg->wParam) {
        case VK_ESCAPE:
            if (m_pView && m_pView->IsSimulating())
                post(m_pView, ID_TOOLS_SIMULATION);
            return;
        case VK_F3:
            post(m_pView, ID_TOOLS_SIMULATION);
            return;
        case VK_F5: case VK_F9: case VK_F11: {
            post(m_pView, ID_TOOLS_SIMULATION);
            const UINT next = pMsg->wParam == VK_F5 ? 32801 : pMsg->wParam == VK_F9 ? 32822 : 32780;
            post(m_pView, next);
            return;
        }
        case VK_F4:
            if (::GetKeyState(VK_CONTROL) < 0) {
                post(m_pView, ID_TOOLS_SIMULATION);
                post(pMain, 57602);
            }
            return;
        default:
            return;
        }
    }
    if (pMsg->message == WM_CHAR && ::GetKeyState(VK_CONTROL) < 0) {
        switch (pMsg->wParam) {
        case 21: post(m_pView, 32806); break;
        case 4: post(m_pView, 32807); break;
        case 14: post(pMain, 57600); break;
        case 15: post(pMain, 57601); break;
        default: break;
        }
    }
}

BOOL CSimulationBar::PreTranslateMessage(MSG* pMsg)
{
    const HWND hPower = m_btnPower.GetSafeHwnd();
    if (hPower && pMsg->hwnd == hPower && pMsg->message == WM_LBUTTONDOWN)
        PowerPress();
    else if (hPower && pMsg->hwnd == hPower && pMsg->message == WM_LBUTTONUP)
        PowerCycle();
    else if (m_bPower && (pMsg->message == WM_LBUTTONUP || pMsg->message == WM_NCLBUTTONUP))
        PowerCycle();
    HandleKey(pMsg);
    return cdxCDynamicBarDlg::PreTranslateMessage(pMsg);
}
