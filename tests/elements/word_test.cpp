// Word and bit functions: the truth table, the trigger date time, BCD and binary conversion,
// rotations, shifts, masks, the data max/min/average blocks and the random block.
#include "ValueBench.h"

#include "elements/BlockWord.h"

#include <gtest/gtest.h>

TEST(WordFunctions, ResultsOfOneWordAndAParameter)
{
    struct Case { int nType; int v; int param; int expected; };
    const Case cases[] = {
        {832, 1234, 0, 0x1234},
        {832, -5, 0, 0},
        {832, 12345, 0, 0x2345},
        {832, 9999, 0, static_cast<SHORT>(0x9999)},
        {833, 0x1234, 0, 1234},
        {833, 0x12A4, 0, 0},
        {833, -1, 0, 0},
        {834, 0x8001, 1, 0x0003},
        {834, 0x1234, 4, 0x2341},
        {834, 0x1234, 0, 0x1234},
        {834, 0x1234, 20, 0x2341},  // a literal count outside 0..15 rotates by its remainder
        {835, 0x0001, 1, -32768},
        {835, 0x1234, 4, 0x4123},
        {836, 0x4001, 2, 0x0004},
        {836, 0x4001, 16, 0},
        {837, static_cast<SHORT>(0x8000), 1, static_cast<SHORT>(0xC000)},
        {837, 0x4000, 1, 0x2000},
        {837, -2, 40, -1},
        {838, 0x00FF, 0x0F0F, 0x000F},
        {839, 0x00FF, 0x0F0F, 0x0FFF},
        {840, 0, 0x1234, -1},
        {841, 0x00FF, 0x0F0F, -16},
        {842, 0x00FF, 0x0F0F, static_cast<SHORT>(0xF000)},
        {843, 0x00FF, 0x0F0F, 0x0FF0},
        {838, -1, 0x18000, static_cast<SHORT>(0x8000)},  // the mask's low 16 bits
    };
    for (const Case& c : cases) {
        ValueBench b;
        CBlockObj* p = b.Make(c.nType);
        ValueBench::Wire(p, 0, b.Value(9001, c.v));
        p->m_nTime1High = c.param;
        p->Simulate(&b.view);
        EXPECT_EQ(p->m_dElapsed, c.expected) << c.nType << " of " << c.v << " with " << c.param;
    }
}

TEST(WordFunctions, ReferencedCountsAndMasks)
{
    struct Case { int nType; int v; double ref; int expected; };
    const Case cases[] = {
        {834, 0x0001, 20.0, static_cast<SHORT>(0x8000)},  // a count of 20 rotates by 15
        {834, 0x0001, 0.5, 0x0001},                        // below 1 rotates by 0
        {836, 0x0001, 3.9, 0x0008},                        // truncated
        {838, 0x7FFF, 65536.0 + 0x00F0, 0x00F0},           // low 16 bits, no clamp
        {839, 0, -1.0, -1},
    };
    for (const Case& c : cases) {
        ValueBench b;
        CBlockObj* p = b.Make(c.nType);
        ValueBench::Wire(p, 0, b.Value(9001, c.v));
        p->m_nTime1High = 5;
        ValueBench::Refer(p, 0, b.Value(9002, c.ref, 866));
        p->Simulate(&b.view);
        EXPECT_EQ(p->m_dElapsed, c.expected) << c.nType << " " << c.ref;
    }
}

TEST(WordFunctions, ChangeMarkerReportsInputAndParameterChanges)
{
    ValueBench b;
    CBlockObj* p = b.Make(836);
    CBlockObj* pIn = b.Value(9001, 3);
    ValueBench::Wire(p, 0, pIn);
    EXPECT_TRUE(p->Simulate(&b.view));  // the first step always computes
    EXPECT_EQ(p->m_nLastValue, 1);
    EXPECT_FALSE(p->Simulate(&b.view));
    EXPECT_EQ(p->m_nLastValue, 0);
    p->m_nTime1High = 2;
    EXPECT_TRUE(p->Simulate(&b.view));
    EXPECT_EQ(p->m_dElapsed, 12);

    // BCD skips the computation when its input did not change.
    CBlockObj* pBcd = b.Make(832, 9003);
    ValueBench::Wire(pBcd, 0, pIn);
    EXPECT_TRUE(pBcd->Simulate(&b.view));
    EXPECT_EQ(pBcd->m_dElapsed, 3);
    pBcd->m_dElapsed = 77;
    EXPECT_FALSE(pBcd->Simulate(&b.view));
    EXPECT_EQ(pBcd->m_dElapsed, 77);
}

TEST(WordFunctions, DataMaxMinAverageOfTwoWords)
{
    struct Case { int mode; int v; int w; int expected; };
    const Case cases[] = {
        {0, -3, 7, 7}, {1, -3, 7, -3}, {2, 32767, 32767, 32767}, {2, -3, 0, -1}, {2, -32768, -32768, -32768},
        {9, 4, 8, 6},  // a damaged mode counts as the average
    };
    for (const Case& c : cases) {
        ValueBench b;
        CBlockObj* p = b.Make(845);
        ValueBench::Wire(p, 0, b.Value(9001, c.v));
        ValueBench::Wire(p, 1, b.Value(9002, c.w));
        p->m_nTime1High = c.mode;
        p->Simulate(&b.view);
        EXPECT_EQ(p->m_dElapsed, c.expected) << c.mode << " " << c.v << " " << c.w;
    }
}

TEST(WordFunctions, DataArrayOverAnalogOperands)
{
    struct Case { int area; int start; int count; int mode; int expected; };
    // Analog flags 4288+0 = 20000, +1 = 20000, +3 = 5; analog inputs 4000+63 = -7.
    const Case cases[] = {
        {0, 0, 2, 2, -12768},  // the 16-bit sum wraps before the division
        {0, 0, 2, 0, 20000},
        {0, 1, 3, 1, 0},       // 4290 has no flag: its 0 is the minimum
        {0, 3, 1, 0, 5},
        {2, 63, 5, 0, -7},     // the count is clipped to the area
        {2, 64, 1, 0, 0},      // no operand left
        {0, 600, 1, 0, 0},
        {7, 0, 1, 0, 0},       // unknown area
        {0, 0, 0, 0, 0},       // no operand
    };
    for (const Case& c : cases) {
        ValueBench b;
        CBlockObj* p = b.Make(844);
        auto flag = [&](int nType, int nNumber, int value) {
            b.Add(nType, nNumber, 1)->m_nSimState = value;
        };
        flag(TYPE_ANALOG_FLAG, NUM_ANALOG_FLAG, 20000);
        flag(TYPE_ANALOG_FLAG, NUM_ANALOG_FLAG + 1, 20000);
        flag(TYPE_ANALOG_FLAG, NUM_ANALOG_FLAG + 3, 5);
        flag(TYPE_ANALOG_IN, NUM_ANALOG_IN + 63, -7);
        flag(TYPE_ANALOG_OUT, NUM_ANALOG_FLAG + 2, 999);  // not of the area's class
        p->m_nTime1Low = c.area;
        p->m_nTime2Low = c.start;
        p->m_nTime2High = c.count;
        p->m_nTime1High = c.mode;
        p->m_dElapsed = 1;
        EXPECT_TRUE(p->Simulate(&b.view));
        EXPECT_EQ(p->m_dElapsed, c.expected) << c.area << "/" << c.start << "/" << c.count;
    }
}

TEST(BooleanFunction, TruthTableIndexedByTheFourInputs)
{
    struct Case { int table; int in[4]; int q; };
    const Case cases[] = {
        {0x8000, {1, 1, 1, 1}, 1}, {0x8000, {1, 1, 1, 0}, 0},
        {0x0001, {0, 0, 0, 0}, 1}, {0x0001, {0, 0, 0, 1}, 0},
        {0x0002, {0, 0, 0, 1}, 1},  // input 3 is the least significant bit
        {0x0100, {1, 0, 0, 0}, 1},
    };
    for (const Case& c : cases) {
        ValueBench b;
        CBlockObj* p = b.Make(830);
        for (int i = 0; i < 4; ++i)
            ValueBench::Wire(p, i, b.Bit(101 + i, c.in[i]));
        p->m_nExtra2 = c.table;
        p->Simulate(&b.view);
        EXPECT_EQ(p->m_nPinValue[kOutputPin], c.q) << std::hex << c.table;
    }
}

TEST(TriggerDateTime, CapturesTheClockOnAnEnableRiseUnlessReset)
{
    ValueBench b;
    CBlockObj* p = b.Make(831);
    CBlockObj* pTrg = b.Bit(101, 0);
    CBlockObj* pRst = b.Bit(102, 1);
    ValueBench::Wire(p, 0, pTrg);
    ValueBench::Wire(p, 1, pRst);
    SYSTEMTIME st{2026, 3, 0, 9, 17, 5, 42, 0};
    b.frame.SetSimTime(st);
    p->Simulate(&b.view);  // reset rises: nothing to clear
    pTrg->m_nPinValue[kOutputPin] = 1;
    p->Simulate(&b.view);  // rises while reset is 1: nothing captured
    EXPECT_EQ(p->m_nPinValue[kOutputPin], 0);
    EXPECT_TRUE(p->m_strValueText.IsEmpty());

    pTrg->m_nPinValue[kOutputPin] = 0;
    pRst->m_nPinValue[kOutputPin] = 0;
    p->Simulate(&b.view);
    pTrg->m_nPinValue[kOutputPin] = 1;
    p->Simulate(&b.view);
    EXPECT_EQ(p->m_nPinValue[kOutputPin], 1);
    EXPECT_EQ(p->m_strValueText, CString(L"260309170542"));

    pRst->m_nPinValue[kOutputPin] = 1;
    p->Simulate(&b.view);
    EXPECT_EQ(p->m_nPinValue[kOutputPin], 0);
    EXPECT_TRUE(p->m_strValueText.IsEmpty());
}

TEST(RandomBlock, StaysBelowTheMaximumAndVaries)
{
    ValueBench b;
    CBlockObj* p = b.Make(846);
    p->m_nTime1High = 10;
    bool bSeen[10] = {};
    for (int i = 0; i < 200; ++i) {
        p->Simulate(&b.view);
        ASSERT_GE(p->m_dElapsed, 0);
        ASSERT_LT(p->m_dElapsed, 10);
        bSeen[static_cast<int>(p->m_dElapsed)] = true;
    }
    int distinct = 0;
    for (bool s : bSeen)
        distinct += s;
    EXPECT_GT(distinct, 5);
    p->m_nTime1High = 0;  // a damaged maximum does not divide by zero
    p->Simulate(&b.view);
    EXPECT_EQ(p->m_dElapsed, 0);
    ValueBench::Refer(p, 0, b.Value(9001, -3, 866));
    p->Simulate(&b.view);
    EXPECT_EQ(p->m_dElapsed, 0);
}
