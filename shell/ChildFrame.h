// CChildFrame: the MDI child frame of one diagram window. It keeps the simulated clock (a date
// and time advanced by a 25 ms tick) and the three simulation bars: their dialogs live as long
// as the frame (the diagram elements read their state), their docking bar windows exist while
// the frame's view simulates.
#pragma once

#include "platform/base/Afx.h"
#include "platform/ui/framework/Frame.h"
#include "shell/InputsBar.h"
#include "shell/OutputsBar.h"
#include "shell/SimulationBar.h"

#include <mutex>

class CBlockObj;
class CTavixView;

class cdxCDynamicBar;

class CChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame();
    ~CChildFrame() override;

    // Program windows open maximized inside the main frame.
    void ActivateFrame(int nCmdShow = -1) override;

    // Copies the simulated date and time into *pOut and returns pOut.
    SYSTEMTIME* GetSimTime(SYSTEMTIME* pOut) const;
    // The clock's value before its last change.
    SYSTEMTIME* GetPrevSimTime(SYSTEMTIME* pOut) const;
    // Sets the clock (the user's clock dialog); raises the clock-set flag.
    void SetSimTime(const SYSTEMTIME& st);
    // Each simulation starts from the PC's local time: clock and previous clock take it.
    void ResetSimClock();
    // Advances the clock by ms milliseconds (the 25 ms tick). The clock is read and written as a
    // whole under a lock, so a reader never sees a half-advanced date and time.
    void AdvanceSimTime(int ms);
    BOOL IsClockSet() const { return m_bClockSet; }
    void ClearClockSet() { m_bClockSet = FALSE; }

    // Text forms of the clock: mode 0 "Weekday, Month d, yyyy h:m:s AM", 1 "Month d, yyyy"
    // (short month when bShortMonth), 2 "h:mm:ss AM", 3 "yymmddhhmmss".
    void FormatSimTime(CString* pOut, BOOL bShortMonth, int mode) const;

    // One 25 ms tick of the simulated clock, on the user-interface thread: the milliseconds
    // grow by 25 and, when they reach a second, start again at 0 with the seconds carried;
    // a stepping cycle runs when one is due.
    void SimClockTick();
    // The simulated time of the last stepping cycle takes the clock.
    void SyncStepReference();

    // ---- the simulation bars ----
    // Creates the three bar windows around the dialogs and docks them along the bottom edge:
    // Inputs, Outputs, Simulation from left to right. 1, or -1 when a bar cannot be made.
    int CreateSimulationBars();
    // Hides and destroys the bar windows (the dialogs stay, without their windows).
    void DestroySimulationBars();
    BOOL HasSimulationBars() const { return m_pSimulationBar != nullptr; }
    // Docks bar in the dock bar of leftOf, directly after it.
    void DockBarAfter(CControlBar* pBar, CControlBar* pLeftOf);

    CSimulationBar m_wndSimBar;
    CInputsBar m_wndInputsBar;
    COutputsBar m_wndOutputsBar;
    cdxCDynamicBar* m_pSimulationBar = nullptr;
    cdxCDynamicBar* m_pOutputsBar = nullptr;
    cdxCDynamicBar* m_pInputsBar = nullptr;
    BOOL m_bBarsRedrawn = FALSE;  // the bars were redrawn once after they appeared

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDestroy();
    void OnUpdateSave(CCmdUI* pCmdUI);
    void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    DECLARE_MESSAGE_MAP()

private:
    mutable std::mutex m_clockLock;
    SYSTEMTIME m_stSimTime{};
    SYSTEMTIME m_stPrevSimTime{};
    BOOL m_bClockSet = FALSE;
    SYSTEMTIME m_stStepRef{};
};
