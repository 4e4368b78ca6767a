// Random generator, lighting switches, weekly and yearly timers on the simulated clock.
#include "elements/BlockClocks.h"
#include "elements/BlockCounters.h"
#include "elements/BlockSwitches.h"

#include "FamilySim.h"

#include <gtest/gtest.h>

TEST(RandomGenerator, FollowsEnableWithoutDelays)
{
    SimBench bench;
    CBlockObj* pRG = bench.Make(407);
    std::string log;
    EXPECT_EQ(RunScript(bench, pRG, 1, {{0, 0, 1}, {200, 0, 0}}, {{0, 1}, {175, 1}, {200, 0}, {400, 0}}, &log), 0)
        << log;
}

TEST(RandomGenerator, DrawsOverTheWholePresetRange)
{
    CBlockRG rg(407);
    rg.m_nTime1Base = 0;  // hours:minutes
    rg.m_nTime1High = 99;
    const int maxSec = 99 * 3600;
    int beyond32s = 0;
    for (int i = 0; i < 200; ++i) {
        rg.PickRandomDelay(TRUE);
        ASSERT_GE(rg.m_nOnDelaySec, 0);
        ASSERT_LE(rg.m_nOnDelaySec, maxSec);
        ASSERT_GE(rg.m_nOnDelayHund, 0);
        ASSERT_LT(rg.m_nOnDelayHund, 100);
        beyond32s += rg.m_nOnDelaySec > 32;
    }
    EXPECT_GT(beyond32s, 0);  // not limited to the 0..32767 ms of a 15-bit generator

    // A negative referenced maximum draws 0.
    SimBench bench;
    CBlockObj* pRef = bench.Make(800, 9001);
    pRef->m_dElapsed = -40;
    CBlockRG* pRG = static_cast<CBlockRG*>(bench.Make(407));
    pRG->m_pRefBlock[1] = pRef;
    pRG->m_nRefUnit2 = 1;
    pRG->PickRandomDelay(FALSE);
    EXPECT_EQ(pRG->m_nOffDelaySec, 0);
    EXPECT_EQ(pRG->m_nOffDelayHund, 0);
}

TEST(LightingSwitches, ScriptedBehaviour)
{
    struct Case {
        const char* name;
        int type;
        void (*setup)(CBlockObj&);
        std::vector<ScriptEvent> events;
        std::vector<ScriptCheck> checks;
    } cases[] = {
        // Stairway switch, T 3:00 (m:s), T! 0:15, T!L 0:01, trigger falls at 1 s: off for 1 s
        // from one step after 2:45, on again until 3:00.
        {"stairway",
         408,
         [](CBlockObj& b) {
             b.m_nTime2Base = 1;
             b.m_nTime2High = 3;
             b.m_nTime2Low = 0;
         },
         {{0, 0, 1}, {1000, 0, 0}},
         {{0, 1},
          {1000, 1},
          {1000 + 165000, 1},
          {1000 + 165025, 0},
          {1000 + 165975, 0},
          {1000 + 166000, 1},
          {1000 + 180000, 1},
          {1000 + 180025, 0}}},
        // Pre-warning time longer than T: the gap opens in the step the trigger fell.
        {"stairway, warning beyond T",
         408,
         [](CBlockObj& b) {
             b.m_nTime2Base = 1;
             b.m_nTime2Low = 10;
         },
         {{0, 0, 1}, {1000, 0, 0}},
         {{975, 1}, {1000, 0}, {1975, 0}, {2000, 1}, {11000, 1}, {11025, 0}}},
        // Multiple function switch, TL 1.00 s, T 3.00 s: a short press gives T of light...
        {"multiple function, short press",
         409,
         [](CBlockObj& b) {
             b.m_nTime1High = 1;
             b.m_nTime2High = 3;
         },
         {{0, 0, 1}, {200, 0, 0}},
         {{0, 1}, {2200, 1}, {3300, 0}, {4000, 0}}},
        // ... a press held longer than TL gives permanent light until the next press ...
        {"multiple function, long press",
         409,
         [](CBlockObj& b) {
             b.m_nTime1High = 1;
             b.m_nTime2High = 3;
         },
         {{0, 0, 1}, {1500, 0, 0}, {6000, 0, 1}, {6100, 0, 0}},
         {{1500, 1}, {5975, 1}, {6000, 0}, {9000, 0}}},
        // ... a press while the light is on switches it off; the reset forces it off.
        {"multiple function, second press",
         409,
         [](CBlockObj& b) {
             b.m_nTime1High = 1;
             b.m_nTime2High = 3;
         },
         {{0, 0, 1}, {200, 0, 0}, {1000, 0, 1}, {1100, 0, 0}, {1500, 0, 1}, {1600, 1, 1}},
         {{975, 1}, {1000, 0}, {1500, 1}, {1600, 0}, {5000, 0}}},
    };
    for (const Case& c : cases) {
        SimBench bench;
        CBlockObj* pBlock = bench.Make(c.type);
        c.setup(*pBlock);
        std::string log;
        EXPECT_EQ(RunScript(bench, pBlock, 2, c.events, c.checks, &log), 0) << c.name << log;
    }
}

TEST(WeeklyTimer, MostRecentCamEventWins)
{
    enum { Sun, Mon, Tue, Wed, Thu, Fri, Sat };
    CBlockWT workdays(410);
    for (int d = Mon; d <= Fri; ++d)
        workdays.m_bCamDays[0][d] = 1;
    workdays.m_nCamOn[0][0] = 8;
    workdays.m_nCamOff[0][0] = 17;
    workdays.m_bCamOnOff[0] = workdays.m_bCamOffOff[0] = 0;

    CBlockWT equal(410);
    equal.m_bCamDays[0][Wed] = 1;
    equal.m_nCamOn[0][0] = equal.m_nCamOff[0][0] = 9;
    equal.m_bCamOnOff[0] = equal.m_bCamOffOff[0] = 0;

    CBlockWT twoCams(410);
    twoCams.m_bCamDays[0][Sat] = 1;
    twoCams.m_nCamOn[0][0] = 8;
    twoCams.m_nCamOff[0][0] = 9;
    twoCams.m_bCamOnOff[0] = twoCams.m_bCamOffOff[0] = 0;
    twoCams.m_bCamDays[1][Mon] = twoCams.m_bCamDays[1][Sat] = 1;
    twoCams.m_nCamOn[1][0] = 10;
    twoCams.m_bCamOnOff[1] = 0;  // no off time

    CBlockWT none(410);  // no cam active

    struct Case { const CBlockWT* wt; int day; int h, m; int q; } cases[] = {
        {&workdays, Sat, 10, 0, 0}, {&workdays, Mon, 7, 59, 0}, {&workdays, Mon, 8, 0, 1},
        {&workdays, Mon, 16, 59, 1}, {&workdays, Mon, 17, 0, 0}, {&workdays, Sun, 12, 0, 0},
        {&workdays, Fri, 12, 0, 1},
        {&equal, Wed, 9, 0, 0}, {&equal, Wed, 12, 0, 0}, {&equal, Tue, 9, 0, 0},
        {&twoCams, Sun, 7, 0, 1}, {&twoCams, Sat, 8, 30, 1}, {&twoCams, Sat, 9, 30, 0},
        {&twoCams, Sat, 10, 0, 1}, {&twoCams, Mon, 9, 0, 1},
        {&none, Mon, 8, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.wt->EvaluateCams(c.day, c.h * 60 + c.m), c.q) << c.day << " " << c.h << ":" << c.m;

    // The step reads the simulated clock: 2026-03-07 is a Saturday.
    SimBench bench;
    CBlockWT* pWT = bench.Add(new CBlockWT(410), 9000);
    pWT->m_bCamDays[0][Sat] = 1;
    pWT->m_nCamOn[0][0] = 10;
    pWT->m_nCamOff[0][0] = 11;
    pWT->m_bCamOnOff[0] = pWT->m_bCamOffOff[0] = 0;
    bench.SetClock(2026, 3, 7, 9, 59);
    bench.Step();
    EXPECT_EQ(pWT->m_nPinValue[kOutputPin], 0);
    bench.Advance(60000);
    bench.Step();
    EXPECT_EQ(pWT->m_nPinValue[kOutputPin], 1);
}

TEST(WeeklyTimer, CopyTakesTheCamTable)
{
    CBlockWT src(410), dst(410);
    src.m_bCamDays[2][6] = 1;
    src.m_nCamOn[1][1] = 45;
    src.m_bCamOnOff[2] = 0;
    src.m_nCamOff[0][0] = 23;
    src.m_bCamOffOff[1] = 0;
    src.CopyTo(&dst, FALSE, 0x51);
    EXPECT_EQ(dst.m_bCamDays[2][6], 1);
    EXPECT_EQ(dst.m_nCamOn[1][1], 45);
    EXPECT_EQ(dst.m_bCamOnOff[2], 0);
    EXPECT_EQ(dst.m_nCamOff[0][0], 23);
    EXPECT_EQ(dst.m_bCamOffOff[1], 0);
}

TEST(YearlyTimer, DateSpans)
{
    CBlockYT winter(411);  // 1 December to 1 February
    winter.m_nTime1High = 12;
    winter.m_nTime1Low = 1;
    winter.m_nTime2High = 2;
    winter.m_nTime2Low = 1;
    CBlockYT summer(411);  // 1 June to 1 September
    summer.m_nTime1High = 6;
    summer.m_nTime2High = 9;
    CBlockYT same(411);    // on = off
    CBlockYT monthly(411);
    monthly.m_nMonthly = 1;
    monthly.m_nTime1Low = 10;
    monthly.m_nTime2Low = 20;

    struct Case { const CBlockYT* yt; int mo, d, h; int q; } cases[] = {
        {&winter, 1, 15, 0, 1}, {&winter, 3, 15, 0, 0}, {&winter, 12, 1, 0, 1}, {&winter, 11, 30, 23, 0},
        {&winter, 2, 1, 0, 0}, {&winter, 1, 31, 23, 1},
        {&summer, 6, 1, 0, 1}, {&summer, 8, 31, 23, 1}, {&summer, 9, 1, 0, 0}, {&summer, 5, 31, 12, 0},
        {&same, 1, 1, 0, 0}, {&same, 7, 1, 0, 0},
        {&monthly, 4, 10, 0, 1}, {&monthly, 4, 15, 0, 1}, {&monthly, 4, 20, 0, 0}, {&monthly, 4, 5, 0, 0},
    };
    for (const Case& c : cases) {
        SYSTEMTIME st{2026, WORD(c.mo), 0, WORD(c.d), WORD(c.h), 0, 0, 0};
        EXPECT_EQ(c.yt->EvaluateDate(st), c.q) << c.mo << "/" << c.d;
    }

    SimBench bench;
    CBlockYT* pYT = bench.Add(new CBlockYT(411), 9000);
    pYT->m_nTime1High = 3;
    pYT->m_nTime1Low = 2;
    pYT->m_nTime2High = 4;
    bench.SetClock(2026, 3, 1, 23, 59, 59);
    bench.Step();
    EXPECT_EQ(pYT->m_nPinValue[kOutputPin], 0);
    bench.Advance(1000);
    bench.Step();
    EXPECT_EQ(pYT->m_nPinValue[kOutputPin], 1);
}

TEST(ClockBlocks, AstronomicalClockAndStopwatchKeepTheirOutputs)
{
    SimBench bench;
    CBlockObj* pAC = bench.Make(412, 9000);
    CBlockObj* pSW = bench.Make(413, 9001);
    pAC->m_nPinValue[kOutputPin] = 1;
    bench.Step();
    EXPECT_EQ(pAC->m_nPinValue[kOutputPin], 1);
    EXPECT_EQ(pSW->m_nPinValue[kOutputPin], 0);
}
