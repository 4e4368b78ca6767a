// Delay and pulse timers on the simulated clock: each case is a script of input changes and the
// output expected at given times (25 ms repaint steps).
#include "elements/BlockTimers.h"
#include "elements/BlockCounters.h"

#include "FamilySim.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct TimerCase {
    const char* name;
    int type;
    std::function<void(CBlockObj&)> setup;
    std::vector<ScriptEvent> events;  // source 0 = pin 0 (trigger/enable), 1 = pin 1
    std::vector<ScriptCheck> checks;
};

void Times(CBlockObj& b, int high1, int low1, int high2 = 0, int low2 = 0)
{
    b.m_nTime1High = high1;
    b.m_nTime1Low = low1;
    b.m_nTime2High = high2;
    b.m_nTime2Low = low2;
}

} // namespace

TEST(Timers, ScriptedBehaviour)
{
    const TimerCase cases[] = {
        // On-delay 1.00 s: on in the first step beyond 1000 ms, off with the trigger.
        {"on-delay", 400, [](CBlockObj& b) { Times(b, 1, 0); }, {{0, 0, 1}, {1500, 0, 0}},
         {{0, 0}, {1000, 0}, {1025, 1}, {1475, 1}, {1500, 0}}},
        {"on-delay, trigger falls before T", 400, [](CBlockObj& b) { Times(b, 1, 0); }, {{0, 0, 1}, {500, 0, 0}},
         {{475, 0}, {500, 0}, {2000, 0}}},
        // Off-delay 1.00 s: follows the rising trigger, falls 1 s after the trigger fell.
        {"off-delay", 401, [](CBlockObj& b) { Times(b, 1, 0); }, {{0, 0, 1}, {100, 0, 0}},
         {{0, 1}, {1100, 1}, {1125, 0}}},
        {"off-delay held in reset", 401, [](CBlockObj& b) { Times(b, 1, 0); },
         {{0, 1, 1}, {0, 0, 1}, {100, 0, 0}, {200, 0, 1}, {500, 1, 0}},
         {{0, 0}, {100, 0}, {475, 0}, {500, 1}}},
        // On-/off-delay: TH 0.50 s, TL 0.30 s; a new rise during the off delay switches off.
        {"on/off-delay", 402, [](CBlockObj& b) { Times(b, 0, 50, 0, 30); }, {{0, 0, 1}, {1000, 0, 0}},
         {{500, 0}, {525, 1}, {1000, 1}, {1300, 1}, {1325, 0}}},
        {"on/off-delay re-triggered", 402, [](CBlockObj& b) { Times(b, 0, 50, 0, 30); },
         {{0, 0, 1}, {1000, 0, 0}, {1100, 0, 1}}, {{1075, 1}, {1100, 0}, {1600, 0}, {1625, 1}}},
        // Retentive on-delay started by a one-step pulse, cleared only by the reset.
        {"retentive on-delay", 403, [](CBlockObj& b) { Times(b, 0, 50); },
         {{0, 0, 1}, {25, 0, 0}, {2100, 1, 1}}, {{500, 0}, {525, 1}, {2075, 1}, {2100, 0}}},
        // Wiping relay 0.50 s.
        {"wiping relay", 404, [](CBlockObj& b) { Times(b, 0, 50); }, {{0, 0, 1}},
         {{0, 1}, {500, 1}, {525, 0}, {1000, 0}}},
        {"wiping relay, trigger falls first", 404, [](CBlockObj& b) { Times(b, 0, 50); },
         {{0, 0, 1}, {200, 0, 0}}, {{175, 1}, {200, 0}}},
        // Edge triggered wiping relay: pause TL 0.10 s, pulse TH 0.20 s, index 2 = three pulses.
        {"edge triggered wiping relay", 405,
         [](CBlockObj& b) {
             Times(b, 0, 20, 0, 10);
             b.m_nCount = 2;
         },
         {{0, 0, 1}},
         {{100, 0}, {125, 1}, {325, 1}, {350, 0}, {475, 1}, {700, 0}, {825, 1}, {1050, 0}, {2000, 0}}},
        {"edge triggered wiping relay, reset", 405,
         [](CBlockObj& b) {
             Times(b, 0, 20, 0, 10);
             b.m_nCount = 8;
         },
         {{0, 0, 1}, {200, 1, 1}}, {{125, 1}, {200, 0}, {1000, 0}}},
        // Asynchronous pulse generator: TH 0.10 s, TL 0.20 s.
        {"pulse generator", 406, [](CBlockObj& b) { Times(b, 0, 10, 0, 20); }, {{0, 0, 1}, {400, 0, 0}},
         {{25, 1}, {100, 1}, {125, 0}, {325, 0}, {350, 1}, {375, 1}, {400, 0}, {600, 0}}},
        {"pulse generator inverted", 406, [](CBlockObj& b) { Times(b, 0, 10, 0, 20); }, {{0, 1, 1}, {0, 0, 1}},
         {{25, 0}, {125, 1}, {350, 0}}},
        {"pulse generator, no times", 406, [](CBlockObj& b) { Times(b, 0, 0, 0, 0); },
         {{0, 0, 1}, {200, 1, 1}}, {{25, 1}, {175, 1}, {200, 0}, {500, 0}}},
    };
    for (const TimerCase& c : cases) {
        SimBench bench;
        CBlockObj* pTimer = bench.Make(c.type);
        c.setup(*pTimer);
        std::string log;
        EXPECT_EQ(RunScript(bench, pTimer, 2, c.events, c.checks, &log), 0) << c.name << log;
    }
}

TEST(Timers, PresetFromLiteralOrReferencedBlock)
{
    EXPECT_EQ(CBlockTime::LiteralMsec(1, 30, 0), 90 * 60000.0);
    EXPECT_EQ(CBlockTime::LiteralMsec(2, 5, 1), 125000.0);
    EXPECT_EQ(CBlockTime::LiteralMsec(5, 2, 2), 5020.0);

    struct Case { double value; int unit; double ms; } cases[] = {
        {-5, 1, 0.0}, {7000, 1, 5999000.0}, {30, 0, 1800000.0}, {99991, 2, 99990.0}, {250, 2, 250.0},
    };
    for (const Case& c : cases) {
        SimBench bench;
        CBlockObj* pTimer = bench.Make(400);
        CBlockObj* pCounter = bench.Make(800, 9001);
        pCounter->m_dElapsed = c.value;
        pTimer->m_pRefBlock[0] = pCounter;
        pTimer->m_nRefUnit1 = c.unit;
        EXPECT_EQ(static_cast<CBlockTime*>(pTimer)->GetPreset(TRUE), c.ms) << c.value << " unit " << c.unit;
    }
}

TEST(Timers, PresetDisplayReportsChangesOnly)
{
    CBlockDPR t(400);
    t.m_nTime1High = 2;
    t.m_nTime2High = 3;
    EXPECT_TRUE(t.UpdatePresetDisplay(TRUE));  // the cache starts empty
    EXPECT_EQ(t.m_dElapsed, 2000.0);
    EXPECT_FALSE(t.UpdatePresetDisplay(TRUE));
    t.m_nTime1Low = 1;
    EXPECT_TRUE(t.UpdatePresetDisplay(TRUE));
    // One cache for both sets: alternating sets that differ always report a change.
    EXPECT_TRUE(t.UpdatePresetDisplay(FALSE));
    EXPECT_TRUE(t.UpdatePresetDisplay(TRUE));
}

TEST(Timers, NothingAdvancesWhileHeldOrStopped)
{
    SimBench bench;
    CBlockObj* pTimer = bench.Make(400);
    pTimer->m_nTime1Low = 10;  // 100 ms
    CBlockIn* pTrigger = bench.Source(0, 1, pTimer, 0);
    bench.Step();
    pTimer->m_tmHold.wYear = 2026;
    for (int i = 0; i < 10; ++i) {
        bench.Advance(25);
        bench.Step();
    }
    EXPECT_EQ(pTimer->m_nPinValue[kOutputPin], 0);

    pTimer->m_tmHold = SYSTEMTIME{};
    bench.frame.m_wndSimBar.m_nRunState = CSimulationBar::stateSuspended;
    bench.Advance(25);
    bench.Step();
    EXPECT_EQ(pTimer->m_nPinValue[kOutputPin], 0);
    bench.frame.m_wndSimBar.m_nRunState = CSimulationBar::stateRunning;
    bench.Step();
    EXPECT_EQ(pTimer->m_nPinValue[kOutputPin], 1);
    EXPECT_EQ(pTrigger->m_nPinValue[kOutputPin], 1);
}

TEST(Timers, OffDelayResetKeepsCarriedTime)
{
    // A reset clears the elapsed time but, as the device does, not the carried time of a
    // retentive power cycle.
    SimBench bench;
    CBlockObj* pTimer = bench.Make(401);
    CBlockIn* pReset = bench.Source(1, 0, pTimer, 1);
    bench.Source(0, 0, pTimer, 0);
    bench.Step();
    pTimer->m_dValue2 = 300.0;
    pReset->m_nPinValue[kOutputPin] = 1;
    bench.Advance(25);
    bench.Step();
    EXPECT_EQ(pTimer->m_dElapsed, 0.0);
    EXPECT_EQ(pTimer->m_dValue2, 300.0);
}

TEST(Timers, LadderOutputReachesContacts)
{
    SimBench bench;
    bench.doc.m_nDocKind = CTavixDoc::kindLadder;
    CBlockObj* pTimer = bench.Make(404);
    pTimer->m_nTime1Low = 10;  // 100 ms
    CBlockObj* pContact = bench.Make(TYPE_MAKE, NUM_MAKE);
    pContact->m_nOperand = pTimer->m_nNumber;
    pContact->m_nPinValue[0] = 1;
    CBlockIn* pTrigger = bench.Source(0, 1, pTimer, 0);
    pContact->m_nLink[0] = LINK_OPEN;  // powered from the left: input value kept as set
    bench.Step();
    EXPECT_EQ(pContact->m_nContactState, 1);
    for (int i = 0; i < 5; ++i) {
        bench.Advance(25);
        bench.Step();
    }
    EXPECT_EQ(pTimer->m_nPinValue[kOutputPin], 0);
    EXPECT_EQ(pContact->m_nContactState, 0);
    EXPECT_EQ(pTrigger->m_nPinValue[kOutputPin], 1);
}
