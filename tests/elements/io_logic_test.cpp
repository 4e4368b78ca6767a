// Inputs, outputs, flags, constants and the logic gates in simulation.
#include "elements/BlockIO.h"
#include "elements/BlockLadder.h"
#include "elements/BlockLogic.h"

#include "FamilySim.h"

#include <gtest/gtest.h>

TEST(IOBlocks, OutputCopiesItsSourceAndTellsTheBarOnce)
{
    SimBench bench;
    CBlockObj* pOut = bench.Make(TYPE_OUTPUT, NUM_OUTPUT);
    CBlockIn* pIn = bench.Source(0, 1, pOut, 0);
    pOut->m_bNegate[0] = TRUE;  // not applied in simulation
    COutputsBar& bar = bench.frame.m_wndOutputsBar;
    bench.Step();
    bench.Step();
    EXPECT_EQ(pOut->m_nPinValue[kOutputPin], 1);
    EXPECT_EQ(bar.m_nUpdates, 1);
    EXPECT_FALSE(pOut->m_bPinChanged[0]);

    pOut->m_nLink[0] = LINK_OPEN;
    bench.Step();
    bench.Step();
    EXPECT_EQ(pOut->m_nPinValue[kOutputPin], 0);
    EXPECT_EQ(bar.m_nUpdates, 2);
    pOut->m_nLink[0] = 4711;  // a number no element has reads as open
    pIn->m_nPinValue[kOutputPin] = 1;
    bench.Step();
    EXPECT_EQ(pOut->m_nPinValue[kOutputPin], 0);
}

TEST(IOBlocks, InputsReportToTheInputsBar)
{
    SimBench bench;
    CBlockIn* pSwitch = bench.Source(0, 0);
    CBlockIn* pFreq = bench.Source(1, 0);
    pFreq->m_nSimKind = 3;
    CInputsBar& bar = bench.frame.m_wndInputsBar;

    bench.Step();
    EXPECT_EQ(bar.m_nUpdates, 0);
    pSwitch->m_nPinValue[kOutputPin] = 1;  // a click toggles the input and raises the flag
    pSwitch->m_bPinChanged[kOutputPin] = TRUE;
    bench.Step();
    bench.Step();
    EXPECT_EQ(bar.m_nUpdates, 1);
    EXPECT_FALSE(pSwitch->m_bPinChanged[kOutputPin]);

    pFreq->m_nSimValue = 40;  // changed other than through the bar: told once
    bench.Step();
    bench.Step();
    EXPECT_EQ(bar.m_nUpdates, 2);
    pFreq->m_nSimValue = pFreq->m_nLastSimValue = 55;  // typed into the bar: not echoed
    bench.Step();
    EXPECT_EQ(bar.m_nUpdates, 2);

    CBlockObj* pAI = bench.Make(TYPE_ANALOG_IN, NUM_ANALOG_IN);
    pAI->m_nSimValue = 300;
    bench.Step();
    bench.Step();
    EXPECT_EQ(bar.m_nUpdates, 3);
    EXPECT_EQ(bar.m_pLastBlock, pAI);
    EXPECT_FALSE(pAI->m_bPinChanged[kOutputPin]);
}

TEST(IOBlocks, FlagsConstantsAndAnalogOutputs)
{
    SimBench bench;
    CBlockObj* pFlag = bench.Make(TYPE_FLAG, NUM_FLAG);
    bench.Step();
    EXPECT_EQ(pFlag->m_nPinValue[kOutputPin], 0);  // only input open
    CBlockIn* pIn = bench.Source(0, 1, pFlag, 0);
    bench.Step();
    EXPECT_EQ(pFlag->m_nPinValue[kOutputPin], 1);
    EXPECT_EQ(pIn->m_nPinValue[kOutputPin], 1);

    CBlockObj* pX = bench.Make(TYPE_OPEN_X, NUM_OPEN_X);
    bench.Wire(pX, 0, pIn);
    bench.Step();
    EXPECT_EQ(pX->m_nPinValue[0], 1);
    EXPECT_EQ(pX->m_nOutputs, 0);

    EXPECT_EQ(CBlockHigh(TYPE_HIGH).m_nPinValue[kOutputPin], 1);
    EXPECT_EQ(CBlockLow(TYPE_LOW).m_nPinValue[kOutputPin], 0);
    EXPECT_EQ(CBlockHigh().m_nPinValue[kOutputPin], 0);  // read from a file: set at simulation start

    CBlockObj* pAI = bench.Make(TYPE_ANALOG_IN, NUM_ANALOG_IN);
    CBlockObj* pAQ = bench.Make(TYPE_ANALOG_OUT, NUM_ANALOG_OUT);
    CBlockObj* pAM = bench.Make(TYPE_ANALOG_FLAG, NUM_ANALOG_FLAG);
    bench.Wire(pAQ, 0, pAI);
    bench.Wire(pAM, 0, pAI);
    pAI->m_nSimState = -300;
    bench.Step();
    EXPECT_EQ(pAQ->m_nSimState, -300);
    EXPECT_FALSE(pAQ->m_bPinChanged[0]);  // raised only while the bar is told
    EXPECT_EQ(bench.frame.m_wndOutputsBar.m_pLastBlock, pAQ);
    EXPECT_EQ(pAM->m_nSimState, -300);
    EXPECT_TRUE(pAM->m_bPinChanged[0]);  // left set; no bar is told
}

TEST(LogicGates, LevelGates)
{
    // Inputs: 1 or 0 wired, -1 open, -2 open and negated.
    struct Case { int type; int in[4]; int q; } cases[] = {
        {300, {1, 1, 1, -1}, 1}, {300, {1, 1, 1, -2}, 0}, {300, {1, 0, 1, 1}, 0},
        {302, {1, 1, 1, 1}, 0},  {302, {1, 1, 0, -1}, 1},
        {304, {-1, -1, -1, -1}, 0}, {304, {0, 0, 1, -1}, 1}, {304, {-2, -1, -1, -1}, 1},
        {305, {-1, -1, -1, -1}, 1}, {305, {0, 1, 0, 0}, 0},
        {306, {1, 1, 0, 0}, 0}, {306, {1, -1, 0, 0}, 1}, {306, {0, -1, 0, 0}, 0}, {306, {1, 0, 0, 0}, 1},
        {307, {-1, 0, 0, 0}, 0}, {307, {0, 0, 0, 0}, 1}, {307, {1, 0, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        SimBench bench;
        CBlockObj* pGate = bench.Make(c.type);
        for (int i = 0; i < pGate->m_nInputs; ++i) {
            if (c.in[i] >= 0) {
                bench.Source(i, c.in[i], pGate, i);
            } else {
                pGate->m_nLink[i] = LINK_OPEN;
                pGate->m_bNegate[i] = (c.in[i] == -2);
            }
        }
        bench.Step();
        EXPECT_EQ(pGate->m_nPinValue[kOutputPin], c.q) << c.type << " " << c.in[0] << c.in[1] << c.in[2] << c.in[3];
    }
}

TEST(LogicGates, EdgeGatesPulseForOneStep)
{
    struct Case {
        const char* name;
        int type;
        std::vector<ScriptEvent> events;
        std::vector<ScriptCheck> checks;
    } cases[] = {
        // AND(Edge) with inputs 2 and 3 open: a pulse when the last input becomes 1.
        {"and edge", 301, {{50, 0, 1}, {100, 1, 1}, {200, 1, 0}, {300, 1, 1}},
         {{50, 0}, {100, 1}, {125, 0}, {175, 0}, {200, 0}, {300, 1}, {325, 0}}},
        // Two inputs changing in the same step still give one pulse.
        {"and edge, two inputs at once", 301, {{50, 0, 1}, {50, 1, 1}}, {{25, 0}, {50, 1}, {75, 0}}},
        // NAND(Edge): one pulse when the AND falls; nothing when it rises again.
        {"nand edge", 303, {{0, 0, 1}, {0, 1, 1}, {100, 1, 0}, {200, 1, 1}},
         {{0, 0}, {75, 0}, {100, 1}, {125, 0}, {200, 0}, {225, 0}}},
    };
    for (const Case& c : cases) {
        SimBench bench;
        CBlockObj* pGate = bench.Make(c.type);
        std::string log;
        EXPECT_EQ(RunScript(bench, pGate, 2, c.events, c.checks, &log), 0) << c.name << log;
    }

    // Inputs all 1 (or open) when the simulation starts give one pulse in the first step.
    SimBench bench;
    CBlockObj* pGate = bench.Make(301);
    bench.Step();
    EXPECT_EQ(pGate->m_nPinValue[kOutputPin], 1);
    bench.Step();
    EXPECT_EQ(pGate->m_nPinValue[kOutputPin], 0);
}

TEST(LogicGates, LadderContactsFollowEdgeGatesOnly)
{
    struct Case { int type; int contactStateAfterPulse; } cases[] = {{301, 1}, {300, 0}};
    for (const Case& c : cases) {
        SimBench bench;
        bench.doc.m_nDocKind = CTavixDoc::kindLadder;
        CBlockObj* pGate = bench.Make(c.type);
        CBlockObj* pContact = bench.Make(TYPE_MAKE, NUM_MAKE);
        pContact->m_nOperand = pGate->m_nNumber;
        pContact->m_nLink[0] = LINK_OPEN;
        bench.Step();
        EXPECT_EQ(pGate->m_nPinValue[kOutputPin], 1) << c.type;
        EXPECT_EQ(pContact->m_nContactState, c.contactStateAfterPulse) << c.type;
        if (c.type == 301) {
            bench.Step();  // the pulse ends and the contact opens again
            EXPECT_EQ(pContact->m_nContactState, 0);
        }
    }
}
