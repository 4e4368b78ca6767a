// Signal evaluation of the base element: inputs, combination, time measurement, loop search,
// ladder contacts, word inputs and value conversions.
#include "elements/BlockObj.h"
#include "elements/BlockConnectors.h"
#include "elements/SimTime.h"

#include "DiagramFixture.h"
#include "TimeFixture.h"

#include <gtest/gtest.h>

TEST(Signals, OpenInputsReadByGateKind)
{
    struct Case { int type; BOOL negate; int value; } cases[] = {
        {TYPE_AND, FALSE, 1}, {TYPE_AND, TRUE, 0}, {TYPE_NAND_EDGE, FALSE, 1}, {TYPE_NOT, FALSE, 1},
        {TYPE_OR, FALSE, 0}, {TYPE_OR, TRUE, 1}, {TYPE_XOR, FALSE, 0}, {TYPE_FLAG, FALSE, 0},
    };
    for (const Case& c : cases) {
        CBlockObj b(c.type, 4);
        b.m_bNegate[2] = c.negate;
        b.SetInputValue(2, LINK_OPEN);
        EXPECT_EQ(b.m_nPinValue[2], c.value) << c.type << " negated " << c.negate;
    }
    CBlockObj b(TYPE_OR, 4);
    b.m_bNegate[0] = TRUE;
    b.SetInputValue(0, 1);
    EXPECT_EQ(b.m_nPinValue[0], 0);
    b.SetInputValue(25, 1);  // no such pin: ignored
}

TEST(Signals, CombineInputs)
{
    struct Case { int mode; int start; int in[4]; BOOL negOut; int result; int plain; } cases[] = {
        {1, 1, {1, 1, 1, 1}, FALSE, 1, 1}, {1, 1, {1, 0, 1, 1}, FALSE, 0, 0},
        {1, 1, {1, 1, 1, 1}, TRUE, 0, 1},  // NAND: inverted result, plain value kept
        {2, 0, {0, 0, 1, 0}, FALSE, 1, 1}, {2, 0, {0, 0, 0, 0}, TRUE, 1, 0},
        {4, 0, {1, 1, 1, 0}, FALSE, 1, 1}, {4, 0, {1, 1, 0, 0}, FALSE, 0, 0},
    };
    for (const Case& c : cases) {
        CBlockObj b(300, 4);
        for (int i = 0; i < 4; ++i)
            b.m_nPinValue[i] = c.in[i];
        b.m_bNegate[kOutputPin] = c.negOut;
        int r = c.start;
        EXPECT_EQ(b.CombineInputs(&r, c.mode), c.result);
        EXPECT_EQ(r, c.plain);
    }
    // A parameter pin ends the combination.
    CBlockObj p(300, 4);
    p.m_nPinValue[0] = 1;
    p.m_nLink[1] = LINK_PARAM;
    p.m_nPinValue[1] = 0;
    int r = 1;
    EXPECT_EQ(p.CombineInputs(&r, 1), 1);
}

TEST(Signals, ReadInputsFollowsLinksAndStopsAtTheFirstNonBitPin)
{
    Diagram d;
    CBlockObj* src = d.Add(TYPE_INPUT, 100, 0);
    src->m_nPinValue[kOutputPin] = 1;
    CBlockObj* gate = d.Add(TYPE_OR, 9000, 4);
    gate->m_nLink[0] = 100;
    gate->m_nLink[1] = 12345;  // names no element: read as open
    gate->ReadInputs(&d.view);
    EXPECT_EQ(gate->m_nPinValue[0], 1);
    EXPECT_TRUE(gate->m_bPinChanged[0]);
    EXPECT_EQ(gate->m_nPinValue[1], 0);
    gate->ReadInputs(&d.view);
    EXPECT_FALSE(gate->m_bPinChanged[0]);

    CBlockObj* timer = d.Add(411, 9001, 1);  // its only input is a parameter pin
    timer->m_nLink[0] = 100;
    timer->ReadInputs(&d.view);
    EXPECT_EQ(timer->m_nPinValue[0], 0);
}

TEST(Signals, TimeMeasurementOnTheViewClock)
{
    Diagram d;
    CBlockObj b(400, 3);
    SYSTEMTIME start = St(2026, 1, 1);
    b.m_tmStart = start;
    b.m_tmStart2 = start;
    AddMsecToSystemTime(&start, 1500, &d.view.m_simTime);
    b.m_bRunning = TRUE;
    EXPECT_TRUE(b.IsTimeElapsed(&d.view, 1500));
    EXPECT_FALSE(b.IsTimeElapsed(&d.view, 1501));
    EXPECT_EQ(b.m_dElapsed, 1500.0);
    EXPECT_FALSE(b.m_bRunning);  // cleared while the bar runs
    EXPECT_TRUE(b.IsWithinTime(&d.view, 1500));
    EXPECT_FALSE(b.IsWithinTime(&d.view, 1499));

    // A hold date suspends the measurement.
    b.m_tmHold.wYear = 2026;
    AddMsecToSystemTime(&start, 9000, &d.view.m_simTime);
    EXPECT_FALSE(b.IsTimeElapsed(&d.view, 2000));
    EXPECT_EQ(b.m_dElapsed, 1500.0);
    EXPECT_TRUE(b.IsWithinTime(&d.view, 0));
}

TEST(Signals, LoopSearchEndsOnLoopsAwayFromTheStart)
{
    Diagram d;
    // 9000 <- 9001 <- 9002 <- 9001: a loop that does not pass through the start block.
    CBlockObj* start = d.Add(805, 9000, 2);
    CBlockObj* a = d.Add(805, 9001, 2);
    CBlockObj* b = d.Add(805, 9002, 2);
    start->m_nLink[0] = 9001;
    a->m_nLink[0] = 9002;
    b->m_nLink[0] = 9001;
    for (CBlockObj* p : {start, a, b})
        p->m_nIndex = 0;
    start->m_pLoopStart = start;
    int steps = 0;
    start->CheckRecursion(&d.view, start, start->m_nIndex, &steps);
    EXPECT_FALSE(start->m_bLoopFound);
    EXPECT_LE(steps, 3);

    // Closing the loop through the start block, across a connector pair, finds it.
    CBlockFemale* female = d.Add(new CBlockFemale, 7000);
    CBlockObj* male = d.Add(TYPE_MALE, 5000, 1);
    male->m_nLink[0] = 9000;
    male->m_nIndex = 0;
    b->m_nLink[0] = 7000;
    (void)female;
    steps = 0;
    start->m_bLoopFound = FALSE;
    start->CheckRecursion(&d.view, start, start->m_nIndex, &steps);
    EXPECT_TRUE(start->m_bLoopFound);
}

TEST(Signals, LadderContactsFollowTheirCoil)
{
    Diagram d;
    CBlockObj* coil = d.Add(TYPE_COIL, 21000, 1);
    CBlockObj* make = d.Add(TYPE_MAKE, 12000, 1);
    CBlockObj* brk = d.Add(TYPE_BREAK, 15000, 1);
    CBlockObj* acontact = d.Add(TYPE_ACONTACT, 18000, 1);
    for (CBlockObj* c : {make, brk, acontact}) {
        c->m_nOperand = 21000;
        c->m_nPinValue[0] = 1;
        c->m_nPinValue[kOutputPin] = 7;
    }
    coil->m_nPinValue[kOutputPin] = 1;
    coil->UpdateLadderContacts(&d.view);
    EXPECT_EQ(make->m_nContactState, 1);
    EXPECT_EQ(make->m_nPinValue[kOutputPin], 1);
    EXPECT_EQ(brk->m_nContactState, 0);
    EXPECT_EQ(brk->m_nPinValue[kOutputPin], 0);
    EXPECT_EQ(acontact->m_nPinValue[kOutputPin], 7);  // not a make contact

    make->m_nPinValue[0] = 0;  // no power at the contact: state follows, output stays
    coil->m_nPinValue[kOutputPin] = 0;
    coil->UpdateLadderContacts(&d.view);
    EXPECT_EQ(make->m_nContactState, 0);
    EXPECT_EQ(make->m_nPinValue[kOutputPin], 1);
}

TEST(Signals, WordInputValueBySourceKind)
{
    Diagram d;
    CBlockObj* ai = d.Add(TYPE_ANALOG_IN, 4000, 0);
    ai->m_nSimState = 1234;
    CBlockObj* counter = d.Add(800, 9000, 4);
    counter->m_dElapsed = 70000.9;  // stored as 16 bits
    CBlockObj* aout = d.Add(TYPE_AOUT_LAD, 22000, 1);
    aout->m_nSimState = -5;
    CBlockObj* acLocal = d.Add(TYPE_ACONTACT, 18000, 1);
    acLocal->m_nOperand = 4001;
    acLocal->m_nSimState = 77;
    CBlockObj* acOut = d.Add(TYPE_ACONTACT, 18001, 1);
    acOut->m_nOperand = 22000;
    CBlockObj* acGone = d.Add(TYPE_ACONTACT, 18002, 1);
    acGone->m_nOperand = 22001;  // names no element any more
    acGone->m_dElapsed = 55;

    struct Case { int link; WORD value; } cases[] = {
        {4000, 1234}, {9000, WORD(70000)}, {18000, 77}, {18001, WORD(-5)}, {18002, 0},
        {31000, 0}, {LINK_OPEN, 0},
    };
    CBlockObj reader(834, 2);
    for (const Case& c : cases) {
        reader.m_nLink[0] = c.link;
        WORD v = 0xBEEF;
        reader.GetInputValue(&d.view, &v, 0);
        EXPECT_EQ(v, c.value) << c.link;
    }
}

TEST(Conversions, BcdGcdLcmAndTimeParts)
{
    struct Bcd { int in, out; } from[] = {
        {0x1234, 1234}, {0x12A4, 0}, {-5, 0}, {0x10000, 9999}, {0x0009, 9}, {0x9999, 9999},
    };
    for (const Bcd& c : from)
        EXPECT_EQ(CBlockObj::FromBCD(c.in), c.out) << std::hex << c.in;
    for (int v : {0, 9, 10, 1234, 9999})
        EXPECT_EQ(CBlockObj::FromBCD(CBlockObj::ToBCD(v)), v);

    EXPECT_EQ(GCD(12, 18), 6);
    EXPECT_EQ(GCD(-12, 18), 6);
    EXPECT_EQ(GCD(12, -18), -6);  // truncating remainders: the sign follows the last divisor
    EXPECT_EQ(GCD(INT_MIN, -1), -1);
    EXPECT_EQ(CBlockObj::LCM(4, 6), 12);
    EXPECT_EQ(CBlockObj::LCM(INT_MIN, -1), INT_MIN);  // no overflow trap on the way

    struct Split { double ms; int base, high, low; } splits[] = {
        {5025, 2, 5, 2}, {59999, 0, 0, 0}, {60000, 0, 0, 1}, {3600000, 0, 1, 0},
        {61000, 1, 1, 1}, {1e30, 2, INT_MAX / 100, INT_MAX % 100},
    };
    for (const Split& s : splits) {
        int h = -1, l = -1;
        CBlockObj::SplitTime(s.ms, s.base, &h, &l);
        EXPECT_EQ(h, s.high) << s.ms;
        EXPECT_EQ(l, s.low) << s.ms;
    }
}
