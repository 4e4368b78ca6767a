// Relays, shift register and the ladder elements in simulation; operand comments of deleted
// ladder elements.
#include "elements/BlockLadder.h"
#include "elements/BlockRelays.h"

#include "FamilySim.h"

#include <gtest/gtest.h>

TEST(Relays, SetResetAndToggle)
{
    struct Case {
        const char* name;
        int type;
        int priority;                 // m_nExtra3 of the pulse relay
        std::vector<ScriptEvent> events;
        std::vector<ScriptCheck> checks;
    } cases[] = {
        // Latching relay: set (pin 0), reset (pin 1); the reset wins.
        {"latching", 808, 0, {{0, 0, 1}, {25, 0, 0}, {50, 1, 1}, {75, 0, 1}, {100, 1, 0}},
         {{0, 1}, {25, 1}, {50, 0}, {75, 0}, {100, 1}}},
        // Pulse relay: trigger (pin 0) toggles on rising edges only; set (1) and reset (2).
        {"pulse relay toggles", 809, 0, {{0, 0, 1}, {50, 0, 0}, {75, 0, 1}},
         {{0, 1}, {25, 1}, {50, 1}, {75, 0}, {100, 0}}},
        {"pulse relay, R priority", 809, 0, {{0, 1, 1}, {25, 2, 1}}, {{0, 1}, {25, 0}}},
        {"pulse relay, S priority", 809, 1, {{0, 2, 1}, {25, 1, 1}}, {{0, 0}, {25, 1}}},
    };
    for (const Case& c : cases) {
        SimBench bench;
        CBlockObj* pRelay = bench.Make(c.type);
        pRelay->m_nExtra3 = c.priority;
        std::string log;
        EXPECT_EQ(RunScript(bench, pRelay, c.type == 808 ? 2 : 3, c.events, c.checks, &log), 0) << c.name << log;
    }
}

namespace {

struct ShiftBench : SimBench {
    CBlockSREG* reg;
    CBlockIn* data;
    CBlockIn* trigger;
    CBlockIn* dir;

    explicit ShiftBench(WORD hardwareCode = 0x5188)
    {
        doc.m_nHardwareCode = hardwareCode;
        reg = static_cast<CBlockSREG*>(Make(812));
        data = Source(0, 0, reg, 0);
        trigger = Source(1, 0, reg, 1);
        dir = Source(2, 0, reg, 2);
    }
    CBlockShift* Bit(int n) { return Add(new CBlockShift(TYPE_SHIFT_BIT), NUM_SHIFT_BIT + n); }
    void Shift(int value, int direction)
    {
        data->m_nPinValue[kOutputPin] = value;
        dir->m_nPinValue[kOutputPin] = direction;
        trigger->m_nPinValue[kOutputPin] = 1;
        Step();
        trigger->m_nPinValue[kOutputPin] = 0;
        Step();
    }
};

} // namespace

TEST(ShiftRegister, ShiftsAndDrivesItsBits)
{
    ShiftBench bench;
    CBlockShift* pBit3 = bench.Bit(3);
    CBlockShift* pBit4 = bench.Bit(4);
    bench.reg->m_nExtra1 = 3;
    for (int i = 0; i < 4; ++i)
        bench.Shift(1, 0);
    EXPECT_EQ(bench.reg->m_wShiftReg, 0x000F);
    EXPECT_EQ(bench.reg->m_nPinValue[kOutputPin], 1);
    EXPECT_EQ(pBit3->m_nPinValue[kOutputPin], 1);
    EXPECT_EQ(pBit4->m_nPinValue[kOutputPin], 0);
    // A trigger held at 1 shifts once.
    bench.data->m_nPinValue[kOutputPin] = 0;
    bench.trigger->m_nPinValue[kOutputPin] = 1;
    bench.Step();
    bench.Step();
    EXPECT_EQ(bench.reg->m_wShiftReg, 0x001E);
    bench.trigger->m_nPinValue[kOutputPin] = 0;
    bench.Step();

    // Seventeen shifts drop the first bit shifted in.
    ShiftBench left;
    left.Shift(1, 0);
    for (int i = 0; i < 16; ++i)
        left.Shift(0, 0);
    EXPECT_EQ(left.reg->m_wShiftReg, 0);

    ShiftBench right;
    right.Shift(1, 1);
    EXPECT_EQ(right.reg->m_wShiftReg, 0x8000);
    right.Shift(0, 1);
    EXPECT_EQ(right.reg->m_wShiftReg, 0x4000);
}

TEST(ShiftRegister, EachRegisterDrivesOnlyItsOwnSixteenBits)
{
    ShiftBench bench(0x5188);  // machine type 'Q': four registers of 16 bits
    bench.reg->m_nExtra2 = 1;
    CBlockShift* pS0_0 = bench.Bit(0);
    CBlockShift* pS1_0 = bench.Bit(16);
    CBlockShift* pS1_15 = bench.Bit(31);
    CBlockShift* pS2_0 = bench.Bit(32);
    pS0_0->m_nPinValue[kOutputPin] = 1;  // another register's bit keeps its value
    bench.Shift(1, 0);
    EXPECT_EQ(pS1_0->m_nPinValue[kOutputPin], 1);
    EXPECT_EQ(pS1_15->m_nPinValue[kOutputPin], 0);
    EXPECT_EQ(pS0_0->m_nPinValue[kOutputPin], 1);
    EXPECT_EQ(pS2_0->m_nPinValue[kOutputPin], 0);

    // Older machine types have the one register S1..S16 whatever the index says.
    ShiftBench old(0x4000);
    old.reg->m_nExtra2 = 2;
    CBlockShift* pOld0 = old.Bit(0);
    old.Shift(1, 0);
    EXPECT_EQ(pOld0->m_nPinValue[kOutputPin], 1);
}

TEST(ShiftRegister, NewRegisterTakesTheLowestFreeIndex)
{
    SimBench bench;
    bench.doc.m_nHardwareCode = 0x5188;
    const int taken[] = {0, 2, 1, 3};
    int expected[] = {1, 1, 3, 0};  // after 0; after 0,2; after 0,2,1; all four taken
    for (int n = 0; n < 4; ++n) {
        CBlockObj* p = bench.Make(812, 9000 + n);
        p->m_nExtra2 = taken[n];
        CBlockSREG next(812);
        next.ChooseRegisterIndex(&bench.doc);
        EXPECT_EQ(next.m_nExtra2, expected[n]) << n;
    }
    bench.doc.m_nHardwareCode = 0x4000;  // older models: not chosen
    CBlockSREG old(812);
    old.m_nExtra2 = 0;
    old.ChooseRegisterIndex(&bench.doc);
    EXPECT_EQ(old.m_nExtra2, 0);
}

TEST(MathErrorBlock, KeepsItsOutput)
{
    SimBench bench;
    CBlockObj* p = bench.Make(823);
    bench.Source(0, 1, p, 0);
    bench.Step();
    EXPECT_EQ(p->m_nPinValue[kOutputPin], 0);
}

namespace {

struct LadderBench : SimBench {
    LadderBench() { doc.m_nDocKind = CTavixDoc::kindLadder; }
    // A contact on an operand, powered from the left by input 100 + source.
    CBlockObj* Contact(int type, int number, int operand, int source, int input)
    {
        CBlockObj* p = Make(type, number);
        p->m_nOperand = operand;
        Source(source, input, p, 0);
        return p;
    }
};

} // namespace

TEST(Ladder, CoilsSwitchTheirContactsInTheSameStep)
{
    struct Case { int coilType; int input; int contactInput; int makeQ; int breakQ; int makeState; } cases[] = {
        {TYPE_COIL, 1, 1, 1, 0, 1},
        {TYPE_COIL, 1, 0, 0, 0, 1},     // unpowered contacts take only the state
        {TYPE_INV_OUT, 1, 1, 0, 1, 0},  // an inverted output with input 1 opens its make contacts
    };
    for (const Case& c : cases) {
        LadderBench bench;
        CBlockObj* pMake = bench.Contact(TYPE_MAKE, NUM_MAKE, NUM_COIL, 10, c.contactInput);
        CBlockObj* pBreak = bench.Contact(TYPE_BREAK, NUM_BREAK, NUM_COIL, 11, c.contactInput);
        CBlockObj* pCoil = bench.Make(c.coilType, NUM_COIL);
        pCoil->m_nOperand = NUM_OUTPUT;
        CBlockIn* pIn = bench.Source(0, 0, pCoil, 0);
        bench.Step();
        pIn->m_nPinValue[kOutputPin] = c.input;
        // Only the coil steps, so the contacts' outputs come from the coil alone.
        pCoil->Simulate(&bench.view);
        EXPECT_EQ(pMake->m_nPinValue[kOutputPin], c.makeQ) << c.coilType << " " << c.contactInput;
        EXPECT_EQ(pBreak->m_nPinValue[kOutputPin], c.breakQ);
        EXPECT_EQ(pMake->m_nContactState, c.makeState);
        EXPECT_EQ(pBreak->m_nContactState, !c.makeState);
    }
}

TEST(Ladder, ContactPassesPowerWhileClosed)
{
    LadderBench bench;
    CBlockObj* pMake = bench.Make(TYPE_MAKE, NUM_MAKE);
    pMake->m_nOperand = NUM_INPUT;
    CBlockIn* pPower = bench.Source(50, 0, pMake, 0);
    pMake->m_nContactState = 1;
    pPower->m_nPinValue[kOutputPin] = 1;
    bench.Step();
    EXPECT_EQ(pMake->m_nPinValue[kOutputPin], 1);
    pMake->m_nContactState = 0;
    bench.Step();  // no input change: the output stays
    EXPECT_EQ(pMake->m_nPinValue[kOutputPin], 1);
    pPower->m_nPinValue[kOutputPin] = 0;
    bench.Step();
    pPower->m_nPinValue[kOutputPin] = 1;
    bench.Step();
    EXPECT_EQ(pMake->m_nPinValue[kOutputPin], 0);
}

TEST(Ladder, CoilOnOpenConnectorNeverSwitches)
{
    LadderBench bench;
    CBlockObj* pCoil = bench.Make(TYPE_COIL, NUM_COIL);
    pCoil->m_nOperand = NUM_OPEN_X + 3;
    CBlockIn* pIn = bench.Source(0, 0, pCoil, 0);
    pIn->m_nPinValue[kOutputPin] = 1;
    bench.Step();
    EXPECT_EQ(pCoil->m_nPinValue[kOutputPin], 0);
}

TEST(Ladder, AnalogOutputTakesItsWordInput)
{
    LadderBench bench;
    CBlockObj* pOut = bench.Make(TYPE_AOUT_LAD, NUM_AOUT_LAD);
    CBlockObj* pAI = bench.Make(TYPE_ANALOG_IN, NUM_ANALOG_IN);
    pAI->m_nSimState = -1234;
    bench.Wire(pOut, 0, pAI);
    bench.Step();
    EXPECT_EQ(pOut->m_nSimState, -1234);
    EXPECT_TRUE(pOut->m_bPinChanged[0]);
}

TEST(Ladder, DeletingTheLastUserOfAnOperandRemovesItsComment)
{
    LadderBench bench;
    CBlockObj* pA = bench.Make(TYPE_MAKE, NUM_MAKE);
    CBlockObj* pB = bench.Make(TYPE_BREAK, NUM_BREAK);
    CBlockObj* pCoil = bench.Make(TYPE_COIL, NUM_COIL);
    CBlockObj* pAnalog = bench.Make(TYPE_ACONTACT, NUM_ACONTACT);
    pA->m_nOperand = pB->m_nOperand = 105;
    pCoil->m_nOperand = 9005;  // outside the coil's comment ranges
    pAnalog->m_nOperand = 4003;
    bench.doc.m_operandComments.SetAt(105, L"door");
    bench.doc.m_operandComments.SetAt(9005, L"pump");
    bench.doc.m_operandComments.SetAt(4003, L"level");

    // A second open document with the same operand keeps its comment.
    CTavixDoc other;
    other.m_operandComments.SetAt(105, L"gate");

    CString text;
    ReleaseLadderOperandComment(&bench.doc, pA);
    EXPECT_TRUE(bench.doc.m_operandComments.Lookup(105, text));  // pB still uses 105
    bench.doc.m_blocks.RemoveAt(bench.doc.m_blocks.Find(pA));
    delete pA;
    ReleaseLadderOperandComment(&bench.doc, pB);
    EXPECT_FALSE(bench.doc.m_operandComments.Lookup(105, text));
    EXPECT_TRUE(other.m_operandComments.Lookup(105, text));

    ReleaseLadderOperandComment(&bench.doc, pCoil);
    EXPECT_TRUE(bench.doc.m_operandComments.Lookup(9005, text));
    ReleaseLadderOperandComment(&bench.doc, pAnalog);
    EXPECT_FALSE(bench.doc.m_operandComments.Lookup(4003, text));
}
