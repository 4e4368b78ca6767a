// CChildFrame: the MDI child frame of one diagram window. It keeps the simulated clock (a date
// and time advanced by a 25 ms tick) and the state of the simulation bars that the diagram
// elements read.
#pragma once

#include "platform/base/Afx.h"
#include "platform/ui/framework/Frame.h"

#include <mutex>

class CBlockObj;
class CTavixView;

// Simulation Control bar: the state the elements and the painting read.
class CSimulationBar
{
public:
    enum { modeContinuous = 0, modeCycles = 2 };
    enum { stateStopped = 0, stateSuspended = 1, stateRunning = 2 };

    // TRUE when time measurements advance: running continuously, or stepping with a cycle
    // count chosen beyond the combo's first entry.
    BOOL IsTimeRunning() const
    {
        return (m_nRunMode == modeContinuous && m_nRunState == stateRunning) ||
               (m_nRunMode == modeCycles && m_nCycleSel > 0);
    }

    int m_nRunMode = modeContinuous;  // 0 continuous, 2 stepping by cycles
    int m_nRunState = stateRunning;   // 0 stopped, 1 suspended, 2 running
    BOOL m_bStarted = FALSE;          // 1 after Start, 0 after Stop
    int m_nCycleSel = 0;              // selection of the cycles combo
    BOOL m_bPower = FALSE;            // check state of the Power button
};

// Inputs and Outputs bars: show the simulated inputs and outputs; the I/O blocks report to them.
class CInputsBar
{
public:
    // Shows the state of an input, function key or analog input; counts the calls for tests.
    void UpdateFromBlock(CBlockObj* pBlock) { m_pLastBlock = pBlock; ++m_nUpdates; }
    CBlockObj* m_pLastBlock = nullptr;
    int m_nUpdates = 0;
};

class COutputsBar
{
public:
    // Shows an output or analog output; the block's pin-0 changed flag is valid during the call.
    void UpdateFromBlock(CBlockObj* pBlock) { m_pLastBlock = pBlock; ++m_nUpdates; }
    CBlockObj* m_pLastBlock = nullptr;
    int m_nUpdates = 0;
};

class CChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame();
    ~CChildFrame() override = default;

    // Program windows open maximized inside the main frame.
    void ActivateFrame(int nCmdShow = -1) override;

    // Copies the simulated date and time into *pOut and returns pOut.
    SYSTEMTIME* GetSimTime(SYSTEMTIME* pOut) const;
    // The clock's value before its last change.
    SYSTEMTIME* GetPrevSimTime(SYSTEMTIME* pOut) const;
    // Sets the clock (the user's clock dialog); raises the clock-set flag.
    void SetSimTime(const SYSTEMTIME& st);
    // Advances the clock by ms milliseconds (the 25 ms tick). The clock is read and written as a
    // whole under a lock, so a reader never sees a half-advanced date and time.
    void AdvanceSimTime(int ms);
    BOOL IsClockSet() const { return m_bClockSet; }
    void ClearClockSet() { m_bClockSet = FALSE; }

    // Text forms of the clock: mode 0 "Weekday, Month d, yyyy h:m:s AM", 1 "Month d, yyyy"
    // (short month when bShortMonth), 2 "h:mm:ss AM", 3 "yymmddhhmmss".
    void FormatSimTime(CString* pOut, BOOL bShortMonth, int mode) const;

    CSimulationBar m_wndSimBar;
    CInputsBar m_wndInputsBar;
    COutputsBar m_wndOutputsBar;

protected:
    DECLARE_MESSAGE_MAP()

private:
    mutable std::mutex m_clockLock;
    SYSTEMTIME m_stSimTime{};
    SYSTEMTIME m_stPrevSimTime{};
    BOOL m_bClockSet = FALSE;
};
