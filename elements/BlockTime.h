// CBlockTime: the common base of the fourteen blocks that measure time (400-413). It holds the
// weekly timer's cam table (part of every timer's record), compares an elapsed time with the
// preset of one of the two time parameter sets, and keeps the time shown under the block.
#pragma once

#include "elements/BlockObj.h"

class CBlockTime : public CBlockObj
{
    DECLARE_SERIAL(CBlockTime)
public:
    CBlockTime();
    CBlockTime(int nType, int nInputs);

    void Serialize(CArchive& ar) override;
    void SimulateAndDraw(CTavixView* pView, CDC* pDC) override;
    void DrawValueText(CDC* pDC, CTavixView* pView) override;

    // Updates the elapsed time and tells whether it has passed the preset of set 1 (bFirstSet)
    // or set 2; equality is not enough.
    virtual BOOL IsPresetElapsed(CTavixView* pView, BOOL bFirstSet);
    // Makes the shown time the preset of a set when that preset changed; TRUE when it did.
    virtual BOOL UpdatePresetDisplay(BOOL bFirstSet);

    // The preset of a set in milliseconds: the literal time, or the referenced block's value
    // in the set's unit (clamped to 0 .. the unit's largest value).
    double GetPreset(BOOL bFirstSet);
    // The literal milliseconds of a time parameter (bases 0 h:m, 1 m:s, 2 s:1/100 s).
    static double LiteralMsec(int nHigh, int nLow, int nBase);
    // Milliseconds per unit of a referenced time (0 minutes, 1 seconds, 2 milliseconds).
    static double UnitMsec(int nUnit);
    // Largest referenced value of a unit (5999, 5999, 99990).
    static double UnitLargest(int nUnit);
    // A referenced time in ms: limited above by the unit's largest value; below by 0 when
    // bClampZero.
    static double ReferencedMsec(double value, int nUnit, BOOL bClampZero);

    int m_nRun = 0;    // the class's running flag
    int m_nPhase = 0;  // the class's phase flag
    int m_nDone = 0;   // the class's completion flag
    int m_bCamDays[3][7] = {};   // weekly timer: per cam one flag per weekday, Sunday first
    int m_nCamOn[3][2] = {};     // on time of each cam (hour, minute)
    int m_bCamOnOff[3] = {1, 1, 1};   // 1: the cam has no on time
    int m_nCamOff[3][2] = {};    // off time of each cam (hour, minute)
    int m_bCamOffOff[3] = {1, 1, 1};  // 1: the cam has no off time

protected:
    // Pre-warning times of the lighting switches: T (set 2), T! and T!L, in milliseconds.
    void ComputePreWarningTimes(double* pT, double* pWarn, double* pPeriod);
    // Empties the preset cache, so that the next UpdatePresetDisplay reports a change.
    void ResetPresetCache();

private:
    void SerializeCams(CArchive& ar);
};
