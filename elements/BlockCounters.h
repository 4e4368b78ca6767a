// Counting blocks: the Up/Down Counter (800), the Hours Counter (801) and the Threshold Trigger
// (802). Each switches its output by thresholds and shows its count under the block.
#pragma once

#include "elements/BlockObj.h"

class CBlockCOUNTER : public CBlockObj  // Up/Down Counter; the count is m_dElapsed
{
    DECLARE_SERIAL(CBlockCOUNTER)
public:
    CBlockCOUNTER();
    explicit CBlockCOUNTER(int nType);
    BOOL Simulate(CTavixView* pView) override;
    void SimulateAndDraw(CTavixView* pView, CDC* pDC) override;
    void DrawValueText(CDC* pDC, CTavixView* pView) override;
};

class CBlockHCOUNTER : public CBlockObj  // Hours Counter
{
    DECLARE_SERIAL(CBlockHCOUNTER)
public:
    CBlockHCOUNTER();
    explicit CBlockHCOUNTER(int nType);
    BOOL Simulate(CTavixView* pView) override;
    void SimulateAndDraw(CTavixView* pView, CDC* pDC) override;
    void DrawValueText(CDC* pDC, CTavixView* pView) override;
    // The maintenance interval in minutes from the parameters (or the referenced hours).
    int ComputeInterval();
    // A run starts from the block's parameters: the operating time its second time holds and
    // the interval that remains from there; nothing of an earlier run is carried over.
    void StartSimulation(const SYSTEMTIME& now);

    int m_nMiCached = 0;   // last computed maintenance interval, minutes
    int m_nMn = 0;         // remaining time to maintenance, minutes
    int m_nOt = 0;         // operating time, minutes
    int m_nOtBase = 0;     // operating time already credited for the current enable period
    SYSTEMTIME m_stEnable{};  // simulated time at which the current enable period started
};

class CBlockTHTRG : public CBlockObj  // Threshold Trigger
{
    DECLARE_SERIAL(CBlockTHTRG)
public:
    CBlockTHTRG();
    explicit CBlockTHTRG(int nType);
    BOOL Simulate(CTavixView* pView) override;
    void SimulateAndDraw(CTavixView* pView, CDC* pDC) override;
    void DrawValueText(CDC* pDC, CTavixView* pView) override;
    // TRUE when the running gate time is over (m_dElapsed is then the gate time).
    virtual BOOL IsGateElapsed(CTavixView* pView, int nUnused);
    // The gate time in milliseconds.
    double GetGateMsec();

    int m_nFa = 0;        // pulses counted in the last complete gate
    int m_nPulses = 0;    // pulses counted in the running gate
    int m_bMeasuring = 0; // 0 until the first evaluation
};
