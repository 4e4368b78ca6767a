// Up/down counter, hours counter and threshold trigger in simulation.
#include "elements/BlockCounters.h"

#include "FamilySim.h"

#include <gtest/gtest.h>

namespace {

// A counter wired to reset (source 0), count (source 1) and direction (source 2).
struct CounterBench : SimBench {
    CBlockCOUNTER* counter = static_cast<CBlockCOUNTER*>(Make(800));
    CBlockIn* reset = Source(0, 0, counter, 0);
    CBlockIn* count = Source(1, 0, counter, 1);
    CBlockIn* dir = Source(2, 0, counter, 2);

    // One pulse on the count input in the given direction (1 down); returns the output.
    int Pulse(int down)
    {
        dir->m_nPinValue[kOutputPin] = down;
        count->m_nPinValue[kOutputPin] = 1;
        Step();
        count->m_nPinValue[kOutputPin] = 0;
        Step();
        return counter->m_nPinValue[kOutputPin];
    }
};

} // namespace

TEST(UpDownCounter, ThresholdsSwitchTheOutput)
{
    struct Case {
        const char* name;
        int on, off;
        BOOL referenced;
        std::vector<int> upOutputs;    // after counting 1, 2, ... up
        std::vector<int> downOutputs;  // then after each count down
    } cases[] = {
        {"hysteresis", 5, 3, FALSE, {0, 0, 0, 0, 1, 1}, {1, 1, 1, 0, 0, 0}},
        {"window", 3, 5, FALSE, {0, 0, 1, 1, 0, 0}, {0, 1, 1, 0, 0, 0}},
        {"referenced window", 3, 5, TRUE, {0, 0, 1, 1, 0, 0}, {0, 1, 1, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        CounterBench bench;
        if (c.referenced) {
            CBlockObj* pOn = bench.Make(800, 9001);
            CBlockObj* pOff = bench.Make(800, 9002);
            pOn->m_nStartValue = c.on;
            pOff->m_nStartValue = c.off;
            bench.counter->m_pRefBlock[0] = pOn;
            bench.counter->m_pRefBlock[1] = pOff;
            bench.counter->m_nTime1High = bench.counter->m_nTime2High = 0;
            // The referenced counters sit at their start values: their reset is held.
            pOn->m_nLink[0] = pOff->m_nLink[0] = bench.Source(9, 1)->m_nNumber;
        } else {
            bench.counter->m_nTime1High = c.on;
            bench.counter->m_nTime2High = c.off;
        }
        for (size_t i = 0; i < c.upOutputs.size(); ++i)
            EXPECT_EQ(bench.Pulse(0), c.upOutputs[i]) << c.name << " up to " << i + 1;
        for (size_t i = 0; i < c.downOutputs.size(); ++i)
            EXPECT_EQ(bench.Pulse(1), c.downOutputs[i]) << c.name << " down to " << 5 - int(i);
    }
}

TEST(UpDownCounter, LimitsAndReset)
{
    CounterBench bench;
    bench.Pulse(1);
    EXPECT_EQ(bench.counter->m_dElapsed, 0.0);  // no count below 0
    bench.counter->m_dElapsed = 999999;
    bench.Pulse(0);
    EXPECT_EQ(bench.counter->m_dElapsed, 999999.0);

    bench.counter->m_nStartValue = 7;
    bench.reset->m_nPinValue[kOutputPin] = 1;
    bench.Pulse(0);
    bench.Pulse(1);
    EXPECT_EQ(bench.counter->m_dElapsed, 7.0);
    EXPECT_EQ(bench.counter->m_nPinValue[kOutputPin], 0);
    // A held count input counts once.
    bench.reset->m_nPinValue[kOutputPin] = 0;
    bench.dir->m_nPinValue[kOutputPin] = 0;
    bench.count->m_nPinValue[kOutputPin] = 1;
    for (int i = 0; i < 3; ++i)
        bench.Step();
    EXPECT_EQ(bench.counter->m_dElapsed, 8.0);
}

TEST(HoursCounter, CountsWholeMinutesOfEnabledTime)
{
    SimBench bench;
    CBlockHCOUNTER* pHC = static_cast<CBlockHCOUNTER*>(bench.Make(801));
    CBlockIn* pReset = bench.Source(0, 0, pHC, 0);
    CBlockIn* pEnable = bench.Source(1, 1, pHC, 1);
    bench.Source(2, 0, pHC, 2);
    pHC->m_nTime1High = 0;
    pHC->m_nTime1Low = 2;  // maintenance every 2 minutes
    bench.Step();
    EXPECT_EQ(pHC->m_nMn, 2);
    EXPECT_EQ(pHC->m_nPinValue[kOutputPin], 0);
    bench.Advance(59000);
    bench.Step();
    EXPECT_EQ(pHC->m_nOt, 0);
    bench.Advance(1000);
    bench.Step();
    EXPECT_EQ(pHC->m_nOt, 1);
    EXPECT_EQ(pHC->m_nMn, 1);
    bench.Advance(60000);
    bench.Step();
    EXPECT_EQ(pHC->m_nOt, 2);
    EXPECT_EQ(pHC->m_nMn, 0);
    EXPECT_EQ(pHC->m_nPinValue[kOutputPin], 1);

    // Disabled: the output drops unless "Output is not 0,If En=0" is set.
    pEnable->m_nPinValue[kOutputPin] = 0;
    pHC->m_bStdPreWarning = TRUE;
    bench.Step();
    EXPECT_EQ(pHC->m_nPinValue[kOutputPin], 1);
    pHC->m_bStdPreWarning = FALSE;
    bench.Step();
    EXPECT_EQ(pHC->m_nPinValue[kOutputPin], 0);

    // Reset: output 0 while the operating time stays.
    pEnable->m_nPinValue[kOutputPin] = 1;
    pReset->m_nPinValue[kOutputPin] = 1;
    bench.Step();
    EXPECT_EQ(pHC->m_nPinValue[kOutputPin], 0);
    EXPECT_EQ(pHC->m_nOt, 2);
}

TEST(HoursCounter, IntervalAndOperatingTimeEdges)
{
    SimBench bench;
    CBlockHCOUNTER* pHC = static_cast<CBlockHCOUNTER*>(bench.Make(801));
    bench.Source(0, 0, pHC, 0);
    bench.Source(1, 1, pHC, 1);
    CBlockIn* pResetAll = bench.Source(2, 0, pHC, 2);
    bench.Step();  // MI 0:00: nothing to wait for
    EXPECT_EQ(pHC->m_nPinValue[kOutputPin], 1);

    // The interval counts from the start time for OT: MI 10 h, OT started at 25 h -> 5 h left.
    pHC->m_nTime1High = 10;
    pHC->m_nTime2High = 25;
    EXPECT_EQ(pHC->ComputeInterval(), 5 * 60);
    // A damaged negative interval counts as none.
    pHC->m_nTime1High = -3;
    EXPECT_EQ(pHC->ComputeInterval(), 0);

    // Reset all clears the operating time and the start time for OT.
    pHC->m_nOt = 100;
    pResetAll->m_nPinValue[kOutputPin] = 1;
    bench.Step();
    EXPECT_EQ(pHC->m_nOt, 0);
    EXPECT_EQ(pHC->m_nTime2High, 0);
    EXPECT_EQ(pHC->m_nPinValue[kOutputPin], 0);
}

TEST(ThresholdTrigger, CountsPulsesPerGate)
{
    struct Case { int hz; int initialQ; int q; } cases[] = {
        {50, 0, 0}, {100, 0, 0}, {101, 0, 1}, {100, 1, 1}, {50, 1, 0}, {75, 1, 1},
    };
    for (const Case& c : cases) {
        SimBench bench;
        CBlockTHTRG* pTT = static_cast<CBlockTHTRG*>(bench.Make(802));
        pTT->m_nTime1High = 100;  // on above 100
        pTT->m_nTime1Low = 50;    // off at 50 and below
        CBlockIn* pFreq = bench.Source(0, 0, pTT, 0);
        pFreq->m_nSimKind = 3;
        pFreq->m_nSimValue = c.hz;
        bench.Step();  // the first step evaluates at once and starts the gate
        pTT->m_nPinValue[kOutputPin] = c.initialQ;
        for (int t = 25; t <= 1000; t += 25) {
            bench.Advance(25);
            bench.Step();
        }
        EXPECT_EQ(pTT->m_nFa, c.hz) << c.hz;
        EXPECT_EQ(pTT->m_nPinValue[kOutputPin], c.q) << c.hz << " from " << c.initialQ;
    }
}

TEST(ThresholdTrigger, CountsRisingEdgesOfOtherSources)
{
    SimBench bench;
    CBlockTHTRG* pTT = static_cast<CBlockTHTRG*>(bench.Make(802));
    pTT->m_nTime2High = 0;
    pTT->m_nTime2Low = 50;  // gate 0.5 s
    CBlockIn* pSrc = bench.Source(0, 0, pTT, 0);
    bench.Step();
    for (int t = 25; t <= 500; t += 25) {
        pSrc->m_nPinValue[kOutputPin] = (t / 25) % 2;  // a rise every 50 ms
        bench.Advance(25);
        bench.Step();
    }
    EXPECT_EQ(pTT->m_nFa, 10);
}
