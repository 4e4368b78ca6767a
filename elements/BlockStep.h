// Step conventions shared by the block families that switch a bit output: setting the output
// (with the ladder changed flag), the ending of every step, starting and clearing a time
// measurement, and reading the simulated clock and the Simulation bar through the view.
#pragma once

#include "elements/BlockObj.h"

#include <cstdint>
#include <initializer_list>

class CTavixView;
class CTavixDoc;

namespace BlockStep {

CTavixDoc* DocOf(CTavixView* pView);
// TRUE when the view shows a ladder diagram.
BOOL IsLadder(CTavixView* pView);
// Machine type of the view's document (high byte of its hardware code); 0 without one.
int MachineTypeOf(CTavixView* pView);

// Output := v. In a ladder diagram a change raises the output's changed flag, so that the step's
// ending passes the new value to the contacts that name the block.
void SetOutput(CBlockObj& block, CTavixView* pView, int v);
// Output := v, raising the changed flag in a ladder diagram whether or not the value changed.
void SetOutputForced(CBlockObj& block, CTavixView* pView, int v);
// The ending of every step: a raised output changed flag updates the ladder contacts, then
// the flag is cleared.
void EndStep(CBlockObj& block, CTavixView* pView);

// The simulated clock of the view's frame (the view's repaint copy when it has no frame).
SYSTEMTIME GetClock(CTavixView* pView);
std::int64_t ClockMsec(CTavixView* pView);
// Milliseconds of a date and time of the simulated calendar.
std::int64_t MsecOf(const SYSTEMTIME& st);
// The simulated time of the current repaint, in milliseconds.
std::int64_t ViewMsec(CTavixView* pView);
// m_tmStart := the clock; m_bRunning := 1 (the view re-stamps the block after the pass).
void StartTime(CBlockObj& block, CTavixView* pView);
// m_dElapsed := 0 and the carried time m_dValue2 := 0.
void ClearTime(CBlockObj& block);
// TRUE while the hold date is set (the simulation is suspended).
BOOL IsHeld(const CBlockObj& block);

// Time measurements advance: continuous run, or cycles with a selection beyond the first entry.
BOOL IsTimeRunning(CTavixView* pView);
// The looser test of the hours counter and the threshold trigger: continuous run, or any
// stepping by cycles.
BOOL IsTimeRunningAnyCycles(CTavixView* pView);

// Input pin just rose / fell in the last ReadInputs.
inline BOOL Rose(const CBlockObj& b, int pin)
{
    return b.m_bPinChanged[pin] && b.m_nPinValue[pin] != 0;
}
inline BOOL Fell(const CBlockObj& b, int pin)
{
    return b.m_bPinChanged[pin] && b.m_nPinValue[pin] == 0;
}

// The element wired to an input (null when open or missing) and its output value (0 then).
CBlockObj* LinkedBlock(const CBlockObj& block, CTavixView* pView, int pin);
int LinkedOutput(const CBlockObj& block, CTavixView* pView, int pin);
// Clears the changed flags of the inputs before the first parameter pin.
void ClearInputChanges(CBlockObj& block);
// Writes parameter item codes into the link slots from a pin on, skipping the output slot 10.
void SetLinkItems(CBlockObj& block, int firstPin, std::initializer_list<int> items);
// The numeric value of a referenced block (0 when the reference is empty).
double ReferenceValue(CBlockObj& block, int index);
// Saturating conversion of a real value to int (truncation toward zero; NaN gives 0).
int ToInt(double v);

} // namespace BlockStep
