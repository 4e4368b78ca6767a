// CSimulationBar: the Simulation Control bar, the simulated device's front panel. Power (held to
// cut the power), Start, Stop, Suspend/Resume, stepping by cycles or by simulated time, the time
// of day and the clock dialog button. Its state fields decide how the rest of the simulation
// behaves: the painting evaluates only while running, the timer blocks measure time only while
// running freely or stepping by time, and the clock tick runs the cycle steps.
//
// The dialog object lives in the child frame for the frame's whole life (the elements read its
// state through the frame); its window exists only while the frame's view simulates. Every
// operation works on the state alone when there is no window, so the logic runs headless too.
#pragma once

#include "controls/DynamicDialog.h"
#include "controls/IconButton.h"
#include "controls/MaskedEdit.h"
#include "controls/NumericEdit.h"
#include "platform/ui/controls/CtlStdClasses.h"

#include <array>
#include <unordered_map>

class CBlockObj;
class CChildFrame;
class CSimClockDlg;
class CTavixDoc;
class CTavixView;

class CSimulationBar : public cdxCDynamicBarDlg
{
    DECLARE_DYNAMIC(CSimulationBar)
public:
    // m_nRunMode, the stepping state: running freely, halted, stepping.
    enum { modeContinuous = 0, modeHalted = 1, modeCycles = 2 };
    // m_nRunState: stopped (or power cut), suspended, running.
    enum { stateStopped = 0, stateSuspended = 1, stateRunning = 2 };
    // m_nCycleSel, the stepping unit.
    enum { unitCycles = 0, unitSeconds = 1, unitMinutes = 2, unitHours = 3 };
    // Icons of the buttons.
    enum {
        iconStart = 176, iconStop = 177, iconSuspended = 184, iconRunning = 186, iconPowerOn = 187,
        iconPowerOff = 188, iconClockOn = 191, iconClockOff = 192, iconStep = 200,
    };

    CSimulationBar();
    ~CSimulationBar() override;

    // TRUE when time measurements advance: running freely, or stepping by time.
    BOOL IsTimeRunning() const
    {
        return (m_nRunMode == modeContinuous && m_nRunState == stateRunning) ||
               (m_nRunMode == modeCycles && m_nCycleSel > 0);
    }
    BOOL IsStepping() const { return m_nRunMode == modeCycles; }

    // The view and frame the bar acts on, given when the view enters simulation; the state
    // becomes that of a fresh bar (running, started, powered).
    void Attach(CTavixView* pView, CChildFrame* pFrame);
    void Detach();
    CTavixView* GetView() const { return m_pView; }
    CTavixDoc* GetDocument() const;

    // ---- the buttons ----
    void OnStart();
    void OnStop();
    void OnSuspendResume();
    void OnStep();
    void OnUnitChanged();
    void OnClockButton();
    void OnPowerClicked();
    // Left button pressed on the Power button; PowerCycle completes the press on release.
    void PowerPress();
    void PowerCycle();

    // One cycle while stepping by cycles (the clock tick calls it).
    void StepTick(CChildFrame* pFrame);
    // The countdown while stepping by time; the view calls it at every repaint.
    void UpdateRunTime(CChildFrame* pFrame, BOOL bForce);
    // The time of day in its field (unless the Power button is held).
    void ShowSimTime();
    // Clears one block's simulation state (Stop, power-up).
    static void ResetBlockSimState(CBlockObj* pBlock, CTavixDoc* pDoc);
    void EnableDurationFields();
    void ReadDuration();
    void ShowStepCounter(int nCmdShow);
    // Keys that leave simulation (Esc, F3, Ctrl+F4, the mode keys) or reach the main window
    // (Ctrl+U, D, N, O) while a simulation bar has the focus; the message goes on after it.
    void HandleKey(const MSG* pMsg);

    // ---- field texts (the control's text while the window exists) ----
    CString GetCyclesText() const;
    void SetCyclesText(const CString& text);
    CString GetDurationText() const;
    void SetDurationText(const CString& text);
    CString GetCounterText() const { return m_strCounter; }
    CString GetTimeText() const { return m_strTime; }
    void SetUnit(int nUnit);
    CSimClockDlg* GetClockDlg() const { return m_pClockDlg; }

    // ---- state (read by the elements, the painting and the clock tick) ----
    int m_nRunMode = modeContinuous;  // stepping state: 0 free, 1 halted, 2 stepping
    int m_nRunState = stateRunning;   // 2 running, 1 suspended, 0 stopped or power cut
    BOOL m_bStarted = TRUE;           // 1 after Start (Start disabled, Stop enabled)
    int m_nCycleSel = unitCycles;     // stepping unit
    BOOL m_bPower = FALSE;            // the Power button is held down
    BOOL m_bPowered = TRUE;           // the simulated device has power; 0 after Stop
    int m_nStepsLeft = 1;             // cycles, hundredths, seconds or minutes left
    int m_nSavedRunState = stateRunning;  // saved while Power is held
    int m_nSavedRunMode = modeContinuous;
    int m_nAnimPhase = 0;
    SYSTEMTIME m_stStepStart{};       // simulated time of the last countdown step
    SYSTEMTIME m_stAnimStart{};       // simulated time of the last Step icon frame
    BOOL m_bApplyImmediately = FALSE; // the clock dialog's remembered check box
    int m_nSuspendIcon = iconRunning; // icon shown on Suspend/Resume
    int m_nStepIcon = iconStep;       // icon shown on Step
    BOOL m_bCounterShown = FALSE;     // the step counter is visible
    BOOL m_bDurationShown = FALSE;    // the duration field is visible
    BOOL m_bFieldsEnabled = FALSE;    // cycles, duration and unit can be edited

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnUpdateStart(CCmdUI* pCmdUI);
    void OnUpdateStop(CCmdUI* pCmdUI);
    void OnUpdateSuspend(CCmdUI* pCmdUI);
    void OnUpdateStep(CCmdUI* pCmdUI);
    void OnUpdateAlways(CCmdUI* pCmdUI);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    BOOL HasWindow() const { return ::IsWindow(GetSafeHwnd()); }
    void SetButtonIcon(CIconButton& button, int nIcon, int* pStore);
    void SetCounterText(const CString& text);
    void MoveControl(UINT nID, int dx);
    void CloseClockDlg();
    void EndStepping();
    void Animate(const SYSTEMTIME& now);
    // Saves (bSave) or restores the integer value of every pin of every block except analog
    // inputs, analog outputs and flags, as the power press and release of a stopped device do.
    void SavePinValues(BOOL bSave);

    CTavixView* m_pView = nullptr;
    CChildFrame* m_pFrame = nullptr;
    // Pin values of a stopped device kept while Power is held.
    std::unordered_map<const CBlockObj*, std::array<int, 20>> m_savedPins;
    CSimClockDlg* m_pClockDlg = nullptr;
    CString m_strCycles = L"1";
    CString m_strDuration = L"01:00";
    CString m_strCounter;
    CString m_strTime;

    CIntegerEdit m_editCycles{4};          // whole cycles, no sign
    CMaskedEdit m_editDuration{L"##:##"};  // minutes:seconds or hours:minutes
    CComboBox m_cbUnit;
    CStatic m_stClock;
    CStatic m_stCounter;
    CIconButton m_btnStart, m_btnStop, m_btnClock;
    CIconButton m_btnPower, m_btnSuspend, m_btnStep;
};
