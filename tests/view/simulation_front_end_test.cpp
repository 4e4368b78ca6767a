// The view's simulation front end without bar windows: the evaluation order of the element
// list, the starting states, the analog ranges, entering and leaving, the clock tick and the
// Simulation bar's stepping logic driven by simulated time.
#include "ViewTestSupport.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockFactory.h"
#include "elements/BlockIO.h"
#include "elements/BlockObj.h"
#include "elements/BlockTime.h"
#include "elements/SimTime.h"

#include <vector>

namespace viewtest {
namespace {

class SimulationTest : public ViewTest {
protected:
    // Adds an element of a type with a number of the test's choice.
    CBlockObj* Add(int type, int number)
    {
        CBlockObj* p = NewBlockOfType(type);
        EXPECT_NE(p, nullptr) << type;
        document->m_blocks.AddTail(p);
        p->m_nNumber = number;
        return p;
    }
    // A wire from output pin 10 of a to input pin of b, with the link.
    void Wire(CBlockObj* a, CBlockObj* b, int pin)
    {
        auto* w = new CConnectLineObj();
        w->m_pStartBlock = a;
        w->m_nStartPin = kOutputPin;
        w->m_nStartNumber = a->m_nNumber;
        w->m_pEndBlock = b;
        w->m_nEndPin = pin;
        w->m_nEndNumber = b->m_nNumber;
        document->m_wires.AddTail(w);
        b->m_nLink[pin] = a->m_nNumber;
    }
    std::vector<int> Numbers() const
    {
        std::vector<int> out;
        for (POSITION pos = document->m_blocks.GetHeadPosition(); pos;)
            out.push_back(static_cast<CBlockObj*>(document->m_blocks.GetNext(pos))->m_nNumber);
        return out;
    }
    // Enters simulation and takes the clock into the test's hands at a known time.
    void Enter(SYSTEMTIME start)
    {
        view->ToggleSimulation();
        ASSERT_TRUE(view->IsSimulating());
        view->StopSimClock();
        childFrame.SetSimTime(start);
    }
    void Tick(int n)
    {
        for (int k = 0; k < n; ++k) {
            childFrame.SimClockTick();
            Repaint();
        }
    }
    static SYSTEMTIME At(int y, int mo, int d, int h, int mi, int s, int ms)
    {
        SYSTEMTIME st{};
        st.wYear = WORD(y), st.wMonth = WORD(mo), st.wDay = WORD(d);
        st.wHour = WORD(h), st.wMinute = WORD(mi), st.wSecond = WORD(s), st.wMilliseconds = WORD(ms);
        return st;
    }
    CSimulationBar& Bar() { return childFrame.m_wndSimBar; }
};

TEST_F(SimulationTest, EvaluationOrderGroupsByClassThenNumberAndLosesNothing)
{
    Open(NewDocument(1));
    Add(TYPE_OUTPUT, 601);
    Add(TYPE_AND, 9001);
    Add(TYPE_INPUT, 101);
    Add(TYPE_FLAG, 1316);
    Add(TYPE_CURSOR_KEY, 1280);  // a plain element of no group
    Add(TYPE_INPUT, 100);
    Add(TYPE_AND, 9000);
    Add(TYPE_ANALOG_OUT, 4230);
    Add(TYPE_HIGH, 2900);
    Add(TYPE_OUTPUT, 600);
    view->OrderBlocksForSimulation();
    EXPECT_EQ(Numbers(), (std::vector<int>{100, 101, 2900, 9000, 9001, 600, 601, 1316, 4230, 1280}));
}

TEST_F(SimulationTest, EnteringGivesTheStartStatesAndLeavingResetsButKeepsTheOrder)
{
    Open(NewDocument(1));
    CBlockObj* q = Add(TYPE_OUTPUT, 600);
    CBlockObj* high = Add(TYPE_HIGH, 2900);
    CBlockObj* breakInput = Add(TYPE_INPUT, 101);
    breakInput->m_nSimKind = 2;
    CBlockObj* switchInput = Add(TYPE_INPUT, 100);
    q->m_nLink[0] = 101;

    view->ToggleSimulation();
    view->StopSimClock();
    EXPECT_EQ(view->m_nEditMode, int(CTavixView::modeSimulate));
    EXPECT_TRUE(document->m_bSimulating);
    EXPECT_EQ(g_pSimulatingView, view);
    EXPECT_EQ(high->m_nPinValue[kOutputPin], 1);
    EXPECT_EQ(breakInput->m_nPinValue[kOutputPin], 1);
    EXPECT_EQ(switchInput->m_nPinValue[kOutputPin], 0);
    // Another view of another document cannot simulate meanwhile.
    auto other = NewDocument(1);
    other->m_blocks.AddTail(NewBlockOfType(TYPE_INPUT));
    CTavixView second(other.get(), nullptr);
    EXPECT_FALSE(second.CanSimulate());
    EXPECT_TRUE(view->CanSimulate());

    Repaint();
    EXPECT_EQ(q->m_nPinValue[kOutputPin], 1);
    view->ToggleSimulation();
    EXPECT_EQ(view->m_nEditMode, int(CTavixView::modeSelect));
    EXPECT_FALSE(document->m_bSimulating);
    EXPECT_EQ(g_pSimulatingView, nullptr);
    EXPECT_EQ(q->m_nPinValue[kOutputPin], 0);
    EXPECT_EQ(high->m_nPinValue[kOutputPin], 0);
    EXPECT_EQ(Numbers(), (std::vector<int>{100, 101, 2900, 600}));
    EXPECT_TRUE(second.CanSimulate());
}

TEST_F(SimulationTest, ContactsStartByTheirKindAndOperand)
{
    Open(NewDocument(2));
    struct Case { int type; int operand; int state; } const cases[] = {
        {TYPE_MAKE, 100, 0}, {TYPE_MAKE, 2900, 1}, {TYPE_BREAK, 100, 1}, {TYPE_BREAK, 2900, 0},
    };
    std::vector<CBlockObj*> contacts;
    int number = 12000;
    for (const Case& c : cases) {
        CBlockObj* p = Add(c.type, number++);
        p->m_nOperand = c.operand;
        contacts.push_back(p);
    }
    view->ToggleSimulation();
    view->StopSimClock();
    for (size_t i = 0; i < contacts.size(); ++i)
        EXPECT_EQ(contacts[i]->m_nContactState, cases[i].state) << i;
    view->ToggleSimulation();
    for (CBlockObj* p : contacts)
        EXPECT_EQ(p->m_nContactState, 0);
}

TEST_F(SimulationTest, AnalogInputsTakeTheMeasuringRangeOfWhatTheyFeed)
{
    Open(NewDocument(1));
    CBlockObj* alone = Add(TYPE_ANALOG_IN, 4000);
    CBlockObj* ai = Add(TYPE_ANALOG_IN, 4001);
    CBlockObj* both = Add(TYPE_ANALOG_IN, 4002);
    auto* comp = static_cast<CBlockAnalog*>(Add(803, 9000));
    comp->m_nRangeMin = 200;
    comp->m_nRangeMax = 800;
    auto* other = static_cast<CBlockAnalog*>(Add(804, 9001));
    other->m_nRangeMin = 0;
    other->m_nRangeMax = 500;
    auto* third = static_cast<CBlockAnalog*>(Add(805, 9002));
    third->m_nRangeMin = -100;
    third->m_nRangeMax = 100;
    Wire(ai, comp, 0);
    Wire(both, other, 0);
    Wire(both, third, 0);
    for (CBlockObj* p : {alone, ai, both}) {
        p->m_bAutoRange = TRUE;
        p->m_nSimValue = 900;
    }
    // A loop back into the input through a flag ends.
    CBlockObj* flag = Add(TYPE_ANALOG_FLAG, 4288);
    Wire(alone, flag, 0);
    Wire(flag, alone, 0);

    view->ComputeAnalogRange(alone);
    EXPECT_EQ(alone->m_nSimMin, 0);
    EXPECT_EQ(alone->m_nSimMax, 1000);
    view->ComputeAnalogRange(ai);
    EXPECT_EQ(ai->m_nSimMin, 200);
    EXPECT_EQ(ai->m_nSimMax, 800);
    EXPECT_EQ(ai->m_nSimValue, 800);  // clamped
    int lo = 0, hi = 0;
    view->GetAnalogRange(ai, &lo, &hi);
    EXPECT_EQ(lo, 200);
    EXPECT_EQ(hi, 800);
    view->GetAnalogRange(both, &lo, &hi);
    EXPECT_EQ(lo, -32767);
    EXPECT_EQ(hi, 32767);
}

TEST_F(SimulationTest, TheClockTicksInWholeStepsOfTwentyFiveMilliseconds)
{
    Open(NewDocument(1));
    Add(TYPE_INPUT, 100);
    struct Case { SYSTEMTIME from; int ticks; SYSTEMTIME to; } const cases[] = {
        // The first second is reached at 1012 ms and starts again at 0.
        {At(2026, 3, 2, 10, 0, 0, 437), 23, At(2026, 3, 2, 10, 0, 1, 0)},
        {At(2026, 12, 31, 23, 59, 59, 975), 1, At(2027, 1, 1, 0, 0, 0, 0)},
        {At(2027, 2, 28, 23, 59, 59, 975), 1, At(2027, 3, 1, 0, 0, 0, 0)},
    };
    Enter(cases[0].from);
    for (const Case& c : cases) {
        childFrame.SetSimTime(c.from);
        Tick(c.ticks);
        SYSTEMTIME now{};
        childFrame.GetSimTime(&now);
        EXPECT_EQ(SystemTimeToMsec(&now), SystemTimeToMsec(&c.to)) << c.from.wYear << "-" << c.from.wMonth;
    }
    SYSTEMTIME now{};
    childFrame.GetSimTime(&now);
    EXPECT_EQ(now.wDayOfWeek, 1);  // 2027-03-01 is a Monday
}

TEST_F(SimulationTest, AnOnDelayExpiresOnSimulatedTimeAndHoldsWhileSuspended)
{
    Open(NewDocument(1));
    CBlockObj* in = Add(TYPE_INPUT, 100);
    CBlockObj* timer = Add(400, 9000);
    timer->m_nTime1High = 1, timer->m_nTime1Low = 0, timer->m_nTime1Base = 2;  // 1 s
    timer->m_nLink[0] = 100;
    CBlockObj* q = Add(TYPE_OUTPUT, 600);
    q->m_nLink[0] = 9000;
    Enter(At(2026, 5, 4, 8, 0, 0, 0));
    in->m_nPinValue[kOutputPin] = 1;
    in->m_bPinChanged[kOutputPin] = TRUE;
    Tick(20);  // 500 ms
    EXPECT_EQ(q->m_nPinValue[kOutputPin], 0);
    Bar().OnSuspendResume();
    EXPECT_EQ(Bar().m_nRunState, int(CSimulationBar::stateSuspended));
    Tick(40);  // a second passes while suspended
    EXPECT_EQ(q->m_nPinValue[kOutputPin], 0);
    Bar().OnSuspendResume();
    Tick(19);
    EXPECT_EQ(q->m_nPinValue[kOutputPin], 0);
    Tick(3);
    EXPECT_EQ(q->m_nPinValue[kOutputPin], 1);
}

TEST_F(SimulationTest, SteppingHaltsWhenItsCyclesOrTimeAreUsedUp)
{
    Open(NewDocument(1));
    CBlockObj* in = Add(TYPE_INPUT, 100);
    auto* timer = static_cast<CBlockTime*>(Add(400, 9000));
    timer->m_nTime1High = 50, timer->m_nTime1Base = 1;  // 50 min: never reached here
    timer->m_nLink[0] = 100;
    Enter(At(2026, 5, 4, 8, 0, 0, 0));
    in->m_nPinValue[kOutputPin] = 1;
    in->m_bPinChanged[kOutputPin] = TRUE;
    Tick(2);
    ASSERT_NE(timer->m_nRun, 0);

    // Three cycles from the suspended state: every running timer 10 ms further per cycle.
    Bar().OnSuspendResume();
    Tick(1);
    const double before = timer->m_dElapsed;
    Bar().SetCyclesText(L"3");
    Bar().OnStep();
    EXPECT_EQ(Bar().m_nRunMode, int(CSimulationBar::modeCycles));
    Tick(6);
    EXPECT_EQ(Bar().m_nRunMode, int(CSimulationBar::modeHalted));
    EXPECT_EQ(Bar().m_nRunState, int(CSimulationBar::stateSuspended));
    EXPECT_EQ(Bar().m_nSuspendIcon, int(CSimulationBar::iconSuspended));
    EXPECT_EQ(Bar().GetCounterText(), CString(L"1"));
    EXPECT_DOUBLE_EQ(timer->m_dElapsed, before + 30.0);

    // By time: the countdown and its text, then the halt.
    struct Case { int unit; const wchar_t* duration; const wchar_t* first; int ticksToHalt; } const cases[] = {
        {CSimulationBar::unitSeconds, L"00:30", L"00:30s", 12},          // 300 ms
        {CSimulationBar::unitMinutes, L"00:02", L"00:02m", 2 * 40},  // 2 s
        {CSimulationBar::unitHours, L"01:30", L"01:30h", -1},            // 90 min: not waited for
    };
    for (const Case& c : cases) {
        Bar().SetUnit(c.unit);
        Bar().SetDurationText(c.duration);
        Bar().OnStep();
        EXPECT_EQ(Bar().GetCounterText(), CString(c.first)) << c.duration;
        if (c.ticksToHalt < 0) {
            EXPECT_EQ(Bar().m_nStepsLeft, 90);
            Bar().OnStep();
            continue;
        }
        Tick(c.ticksToHalt - 1);
        EXPECT_EQ(Bar().m_nRunMode, int(CSimulationBar::modeCycles)) << c.duration;
        Tick(2);
        EXPECT_EQ(Bar().m_nRunMode, int(CSimulationBar::modeHalted)) << c.duration;
    }
}

TEST_F(SimulationTest, StopResetsAndPowerHeldWhileRunningRestartsNonRetentiveTimers)
{
    Open(NewDocument(1));
    CBlockObj* in = Add(TYPE_INPUT, 100);
    auto* plain = static_cast<CBlockTime*>(Add(400, 9000));
    auto* kept = static_cast<CBlockTime*>(Add(400, 9001));
    kept->m_bRetentive = TRUE;
    for (CBlockTime* t : {plain, kept}) {
        t->m_nTime1High = 50, t->m_nTime1Base = 1;
        t->m_nLink[0] = 100;
    }
    Enter(At(2026, 5, 4, 8, 0, 0, 0));
    in->m_nPinValue[kOutputPin] = 1;
    in->m_bPinChanged[kOutputPin] = TRUE;
    Tick(41);
    ASSERT_GT(plain->m_dElapsed, 900.0);

    Bar().PowerPress();
    EXPECT_EQ(Bar().m_nRunState, int(CSimulationBar::stateStopped));
    Bar().PowerCycle();
    EXPECT_EQ(Bar().m_nRunState, int(CSimulationBar::stateRunning));
    EXPECT_EQ(plain->m_dElapsed, 0.0);
    EXPECT_GT(kept->m_dValue2, 900.0);  // carried into the next run

    Bar().OnStop();
    EXPECT_FALSE(Bar().m_bStarted);
    EXPECT_TRUE(Bar().m_bFieldsEnabled);
    EXPECT_EQ(plain->m_nPinValue[kOutputPin], 0);
    // Holding Power on a stopped device shows the de-energised picture, then restores it.
    in->m_nPinValue[kOutputPin] = 1;
    Bar().PowerPress();
    EXPECT_EQ(in->m_nPinValue[kOutputPin], 0);
    Bar().PowerCycle();
    EXPECT_EQ(in->m_nPinValue[kOutputPin], 1);
    EXPECT_FALSE(Bar().m_bStarted);
    Bar().OnStart();
    EXPECT_TRUE(Bar().m_bStarted);
    EXPECT_FALSE(Bar().m_bFieldsEnabled);
}

TEST_F(SimulationTest, ClicksOnInputsToggleOrActWhileHeld)
{
    Open(NewDocument(1));
    CBlockObj* toggle = Add(TYPE_INPUT, 100);
    CBlockObj* make = Add(TYPE_INPUT, 101);
    make->m_nSimKind = 1;
    int x = 100;
    for (CBlockObj* p : {toggle, make}) {
        p->m_ptOrigin = CPoint(x, 100);
        p->m_nWidth = 25;
        p->m_nHeight = 36;
        x += 100;
    }
    Enter(At(2026, 5, 4, 8, 0, 0, 0));
    auto at = [&](CBlockObj* p) { return CHeadlessDriver::At(view->m_hWnd, POINT{p->m_ptOrigin.x + 10, p->m_ptOrigin.y + 10}); };
    drv.Click(at(toggle));
    Pump();
    EXPECT_EQ(toggle->m_nPinValue[kOutputPin], 1);
    drv.AdvanceClock(1000);  // not a double-click
    drv.Click(at(toggle));
    Pump();
    EXPECT_EQ(toggle->m_nPinValue[kOutputPin], 0);
    drv.MouseDown(at(make));
    Pump();
    EXPECT_EQ(make->m_nPinValue[kOutputPin], 1);
    drv.MouseUp(at(make));
    Pump();
    EXPECT_EQ(make->m_nPinValue[kOutputPin], 0);
    // Suspended, a click changes nothing.
    Bar().OnSuspendResume();
    drv.AdvanceClock(1000);
    drv.Click(at(toggle));
    Pump();
    EXPECT_EQ(toggle->m_nPinValue[kOutputPin], 0);
}

}  // namespace
}  // namespace viewtest
