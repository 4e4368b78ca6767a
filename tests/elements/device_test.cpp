// Device functions: the encoder's coincidence count and thresholds, the motor and pulse-train
// runs on the simulated clock, the segment display, word to bit and CRC16.
#include "ValueBench.h"

#include "elements/BlockDevice.h"
#include "comm/ModBus.h"
#include "elements/SimTime.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A bench whose repaint pass copies the frame's clock into the view first.
struct ClockBench : ValueBench {
    ClockBench()
    {
        SYSTEMTIME st{2026, 3, 0, 2, 8, 0, 0, 0};
        frame.SetSimTime(st);
    }
    void Step(CBlockObj* p)
    {
        frame.GetSimTime(&view.m_simTime);
        p->Simulate(&view);
    }
};

} // namespace

TEST(Encoder, CountsCoincidentRisesAndSwitchesByThresholds)
{
    struct Case { int on; int off; std::vector<int> q; };  // q after counts 1..6
    const Case cases[] = {
        {5, 3, {0, 0, 0, 0, 1, 1}},
        {3, 5, {0, 0, 1, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        ValueBench b;
        CBlockENCODER* p = b.Make<CBlockENCODER>(848);
        ValueBench::Wire(p, 0, b.Bit(120, 0));  // R
        CBlockObj* pA = b.Bit(NUM_INPUT, 0);
        CBlockObj* pB = b.Bit(NUM_INPUT + 1, 0);
        p->m_nTime1High = c.on;
        p->m_nTime2High = c.off;
        for (int count = 1; count <= 6; ++count) {
            pA->m_nPinValue[kOutputPin] = pB->m_nPinValue[kOutputPin] = 1;
            p->Simulate(&b.view);
            p->Simulate(&b.view);  // held at 1: counted once
            EXPECT_EQ(p->m_dElapsed, count);
            EXPECT_EQ(p->m_nPinValue[kOutputPin], c.q[count - 1]) << c.on << "/" << c.off << " at " << count;
            pA->m_nPinValue[kOutputPin] = 0;
            p->Simulate(&b.view);
        }
    }
}

TEST(Encoder, ResetSourceReferencesAndLimit)
{
    ValueBench b;
    CBlockENCODER* p = b.Make<CBlockENCODER>(848);
    CBlockObj* pR = b.Bit(120, 0);
    ValueBench::Wire(p, 0, pR);
    b.Bit(NUM_INPUT + 2, 1);  // I2 held at 1
    CBlockObj* pB = b.Bit(NUM_INPUT + 3, 0);
    p->m_nPreWarn[1] = 1;  // I2 & I3
    p->m_nStartValue = 10;
    p->m_nTime1High = 100;
    p->m_nTime2High = 50;
    ValueBench::Refer(p, 0, b.Value(9001, 12.7, 866));   // On 12 from a block
    ValueBench::Refer(p, 1, b.Value(9002, -5e9, 866));   // Off held at -999999
    pR->m_nPinValue[kOutputPin] = 1;
    p->m_nPinValue[kOutputPin] = 1;
    p->Simulate(&b.view);
    EXPECT_EQ(p->m_dElapsed, 10);
    EXPECT_EQ(p->m_nPinValue[kOutputPin], 0);
    pR->m_nPinValue[kOutputPin] = 0;
    // One input held at 1 while the other pulses counts once per pulse.
    for (int i = 0; i < 3; ++i) {
        pB->m_nPinValue[kOutputPin] = 1;
        p->Simulate(&b.view);
        pB->m_nPinValue[kOutputPin] = 0;
        p->Simulate(&b.view);
    }
    EXPECT_EQ(p->m_dElapsed, 13);
    EXPECT_EQ(p->m_nPinValue[kOutputPin], 1);  // 13 >= On 12

    // The count stops at the simulation maximum.
    p->m_nSimMax = 14;
    for (int i = 0; i < 3; ++i) {
        pB->m_nPinValue[kOutputPin] = 1;
        p->Simulate(&b.view);
        pB->m_nPinValue[kOutputPin] = 0;
        p->Simulate(&b.view);
    }
    EXPECT_EQ(p->m_dElapsed, 14);

    // A latch left set by a previous run would swallow the first count; the reset clears it.
    pB->m_nPinValue[kOutputPin] = 1;
    p->m_nSimMax = 999999;
    p->Simulate(&b.view);
    EXPECT_EQ(p->m_dElapsed, 15);
    p->ResetLatches();
    p->Simulate(&b.view);
    EXPECT_EQ(p->m_dElapsed, 16);
}

TEST(MotorAndPulseTrain, LevelVariantsFollowEnable)
{
    for (int nType : {849, 851}) {
        ValueBench b;
        CBlockObj* p = b.Make(nType);
        CBlockObj* pEn = b.Bit(101, 1);
        ValueBench::Wire(p, 0, pEn);
        p->Simulate(&b.view);
        EXPECT_EQ(p->m_nPinValue[kOutputPin], 1);
        p->Simulate(&b.view);
        EXPECT_EQ(p->m_nPinValue[kOutputPin], 1);
        pEn->m_nPinValue[kOutputPin] = 0;
        p->Simulate(&b.view);
        EXPECT_EQ(p->m_nPinValue[kOutputPin], 0);
        EXPECT_EQ(p->m_dElapsed, 0);
    }
}

TEST(MotorAndPulseTrain, EdgeVariantsRunForTheirDuration)
{
    struct Case { int nType; int mode; int count; int period; int durationMs; };
    const Case cases[] = {
        {852, 0, 100, 50, 100},    // 100 pulses x 50 x 0.02 ms
        {850, 0, 400, 250, 500},   // half step: x 0.005 ms
        {850, 1, 400, 250, 1000},  // full step: x 0.01 ms
    };
    for (const Case& c : cases) {
        ClockBench b;
        CBlockObj* p = b.Make(c.nType);
        CBlockObj* pEn = b.Bit(101, 0);
        CBlockObj* pStop = b.Bit(102, 0);
        ValueBench::Wire(p, 0, pEn);
        ValueBench::Wire(p, 1, pStop);
        p->m_nTime1High = c.mode;
        p->m_nPreWarn[1] = c.count;
        p->m_nTime2High = c.period;
        b.Step(p);
        pEn->m_nPinValue[kOutputPin] = 1;
        b.Step(p);
        ASSERT_EQ(p->m_nPinValue[kOutputPin], 1);
        int t = 0;
        while (p->m_nPinValue[kOutputPin] == 1 && t < 5000) {
            b.frame.AdvanceSimTime(25);
            t += 25;
            if (t == 50) {  // a second rise during the run does not restart it
                pEn->m_nPinValue[kOutputPin] = 0;
                b.Step(p);
                pEn->m_nPinValue[kOutputPin] = 1;
            }
            b.Step(p);
        }
        EXPECT_EQ(t, c.durationMs) << c.nType << " mode " << c.mode;
        EXPECT_EQ(p->m_dElapsed, c.durationMs);
    }
}

TEST(MotorAndPulseTrain, StopEndsTheRunAndHoldSuspendsIt)
{
    ClockBench b;
    CBlockObj* p = b.Make(852);
    CBlockObj* pEn = b.Bit(101, 0);
    CBlockObj* pStop = b.Bit(102, 0);
    ValueBench::Wire(p, 0, pEn);
    ValueBench::Wire(p, 1, pStop);
    p->m_nPreWarn[1] = 100;
    p->m_nTime2High = 50;
    b.Step(p);
    pEn->m_nPinValue[kOutputPin] = 1;
    b.Step(p);
    p->m_tmHold.wYear = 2026;  // suspended: the run neither measures nor ends
    b.frame.AdvanceSimTime(1000);
    b.Step(p);
    EXPECT_EQ(p->m_nPinValue[kOutputPin], 1);
    p->m_tmHold = SYSTEMTIME{};
    pStop->m_nPinValue[kOutputPin] = 1;
    b.Step(p);
    EXPECT_EQ(p->m_nPinValue[kOutputPin], 0);
    pStop->m_nPinValue[kOutputPin] = 0;
    b.Step(p);
    pEn->m_nPinValue[kOutputPin] = 0;
    b.Step(p);
    pEn->m_nPinValue[kOutputPin] = 1;
    b.Step(p);
    EXPECT_EQ(p->m_nPinValue[kOutputPin], 1);  // a new rise starts a new run
}

TEST(SegmentDisplay, PatternOfTheLowHexDigit)
{
    struct Case { int en; int v; int pattern; };
    const Case cases[] = {
        {1, 0x1234, 0x66}, {0, 0x1234, 0x00}, {1, -1, 0x71}, {1, 7, 0x07}, {1, 9, 0x67},
        {1, 0, 0x3F}, {1, 0xB, 0x7C}, {1, 0xD, 0x5E},
    };
    for (const Case& c : cases) {
        ValueBench b;
        CBlockObj* p = b.Make(853);
        ValueBench::Wire(p, 0, b.Bit(101, c.en));
        ValueBench::Wire(p, 1, b.Value(9001, c.v));
        p->Simulate(&b.view);
        EXPECT_EQ(p->m_dElapsed, c.pattern) << c.v;
    }
}

TEST(WordToBit, SelectsOneBit)
{
    struct Case { int v; int n; bool ref; double refValue; int q; };
    const Case cases[] = {
        {static_cast<SHORT>(0x8001), 15, false, 0, 1},
        {static_cast<SHORT>(0x8001), 1, false, 0, 0},
        {static_cast<SHORT>(0x8001), 0, false, 0, 1},
        {static_cast<SHORT>(0x8001), 0, true, 20, 1},  // a reference of 20 selects bit 15
        {0x0002, 0, true, -3, 0},
        {0x0001, 16, false, 0, 0},  // literal 16..31 reads as 0
    };
    for (const Case& c : cases) {
        ValueBench b;
        CBlockObj* p = b.Make(854);
        ValueBench::Wire(p, 0, b.Value(9001, c.v));
        p->m_nTime1High = c.n;
        if (c.ref)
            ValueBench::Refer(p, 0, b.Value(9002, c.refValue, 866));
        EXPECT_TRUE(p->Simulate(&b.view));
        EXPECT_EQ(p->m_nPinValue[kOutputPin], c.q) << c.v << " bit " << c.n;
        EXPECT_FALSE(p->Simulate(&b.view));  // unchanged: marker 0
    }
}

TEST(Crc16, ChecksumOverAnalogFlags)
{
    struct Case { int en; int area; int first; int count; int expected; };
    const Case cases[] = {
        {1, 0, 0, 1, 0x977D},  // bytes 0x34, 0x12
        {0, 0, 0, 1, 0},
        {1, 0, 0, 0, 0xFFFF},  // no bytes
        {1, 0, 600, 1, 0xFFFF},   // the first operand beyond the area: no bytes
        {1, 3, 5, 4, 0xFFFF},     // another area has no operands
        {1, 0, -5, 4, 0xFFFF},
    };
    for (const Case& c : cases) {
        ValueBench b;
        CBlockObj* p = b.Make(856);
        ValueBench::Wire(p, 0, b.Bit(101, c.en));
        b.Add(TYPE_ANALOG_FLAG, NUM_ANALOG_FLAG, 1)->m_nSimState = 0x1234;
        p->m_nTime1Low = c.area;
        p->m_nTime2Low = c.first;
        p->m_nTime2High = c.count;
        p->Simulate(&b.view);
        EXPECT_EQ(p->m_dElapsed, c.expected) << c.area << "/" << c.first << "/" << c.count;
    }

    // With a count of 2 and only one flag present, the second word is 0 and still counted.
    ValueBench b;
    CBlockObj* p = b.Make(856);
    ValueBench::Wire(p, 0, b.Bit(101, 1));
    b.Add(TYPE_ANALOG_FLAG, NUM_ANALOG_FLAG, 1)->m_nSimState = 0x1234;
    p->m_nTime2High = 2;
    p->Simulate(&b.view);
    const BYTE bytes[] = {0x34, 0x12, 0, 0};
    EXPECT_EQ(p->m_dElapsed, CModBus::CRC16(bytes, 4));
    EXPECT_NE(p->m_dElapsed, 0x977D);
}

TEST(DeviceFunctions, UnsimulatedBlocksAndDefaults)
{
    ValueBench b;
    CBlockObj* pMem = b.Make(847);
    CBlockObj* pUdc = b.Make(855, 9001);
    ValueBench::Wire(pMem, 0, b.Bit(101, 1));
    ValueBench::Wire(pUdc, 0, b.Bit(102, 1));
    EXPECT_TRUE(pMem->Simulate(&b.view));
    EXPECT_TRUE(pUdc->Simulate(&b.view));
    EXPECT_EQ(pMem->m_nPinValue[kOutputPin], 0);
    EXPECT_EQ(pUdc->m_nPinValue[kOutputPin], 0);
    const int udcLinks[] = {102, 55, 57, 82, 83, 84, 85, 58, 86, 59, 0, 64, 60, 61, 62, 63};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(pUdc->m_nLink[i], udcLinks[i]) << i;
    EXPECT_EQ(pUdc->m_nTime1Base, 1);
    EXPECT_EQ(pUdc->m_nTime2Base, 0);
    EXPECT_EQ(pUdc->m_nYearEnd, 0);
    EXPECT_EQ(pUdc->m_nPreWarn[3], 1);
    EXPECT_EQ(b.Make(850, 9002)->m_nTime2High, 250);
    EXPECT_EQ(b.Make(848, 9003)->m_nSimMin, -999999);
    EXPECT_EQ(b.Make(856, 9004)->m_byOptions, 0x2E);
}
