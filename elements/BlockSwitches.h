// Timer-family blocks with behaviour beyond a delay: the Random Generator (407), the Stairway
// Lighting Switch (408) and the Multiple Function Switch (409).
#pragma once

#include "elements/BlockTime.h"

class CBlockRG : public CBlockTime  // Random Generator
{
    DECLARE_SERIAL(CBlockRG)
public:
    CBlockRG();
    explicit CBlockRG(int nType);
    BOOL Simulate(CTavixView* pView) override;
    // Measures against the drawn delay; over when the elapsed time reaches it.
    BOOL IsPresetElapsed(CTavixView* pView, BOOL bOnDelay) override;
    // Draws the on delay (set 1) or off delay (set 2) uniformly from 0 to the set's preset.
    void PickRandomDelay(BOOL bOnDelay);

    int m_nOnDelaySec = 0, m_nOnDelayHund = 0;    // drawn on delay
    int m_nOffDelaySec = 0, m_nOffDelayHund = 0;  // drawn off delay
};

class CBlockSLS : public CBlockTime  // Stairway Lighting Switch
{
    DECLARE_SERIAL(CBlockSLS)
public:
    CBlockSLS();
    explicit CBlockSLS(int nType);
    BOOL Simulate(CTavixView* pView) override;
    // T (set 2), the pre-warning time T! and the pre-warning period T!L, in milliseconds.
    void GetPreWarningTimes(double* pT, double* pWarn, double* pPeriod);
    // TRUE when the output must toggle for the pre-warning gap.
    BOOL PreWarningStep(CTavixView* pView, int trigger);

    BYTE m_nWarnStage = 0;  // pre-warning stage 0, 1 (gap open), 2 (gap over)
};

class CBlockMFS : public CBlockTime  // Multiple Function Switch
{
    DECLARE_SERIAL(CBlockMFS)
public:
    enum { stateOff = 0, stateHeld = 1, stateOnDelay = 2, statePermanent = 3, stateTimedOut = 4 };

    CBlockMFS();
    explicit CBlockMFS(int nType);
    BOOL Simulate(CTavixView* pView) override;
    BOOL PreWarningStep(int trigger);

    int m_nSwitchState = stateOff;
    BYTE m_nWarnStage = 0;
};
