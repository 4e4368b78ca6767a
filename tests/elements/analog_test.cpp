// The analog function family: scaling, the trigger rules of the bit-output types, the watchdog,
// the multiplexer, the amplifier's feedback walk, the record with its schema branch and the copy.
#include "ArchiveHelpers.h"
#include "ValueBench.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockConnectors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

TEST(AnalogScale, RoundsHalfAwayFromZeroAndClamps)
{
    struct Case { int raw; double gain; int offset; int expected; };
    const Case cases[] = {
        {3, 1.5, 0, 5},          // 4.5: first decimal 5 rounds up
        {-3, 1.5, 0, -5},        // -4.5 rounds away from zero
        {1, 2.44, 0, 2},         // 2.44 stays 2
        {245, 0.01, 0, 2},       // 2.45: only the first decimal counts
        {25, 0.1, 0, 3},         // 2.5
        {-25, 0.1, 0, -3},       // -2.5
        {30000, 2.0, 0, 32767},  // held at the top
        {-30000, 2.0, 0, -32767},  // held at -32767, not -32768
        {-32768, 1.0, 0, -32767},
        {10, 1.0, -4, 6},
        {0, 1.0, 0, 0},
        {5, std::nan(""), 0, 0},  // a damaged gain gives 0, not undefined behaviour
        {5, INFINITY, 0, 32767},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CBlockAnalog::ScaleValue(c.raw, c.gain, c.offset), c.expected)
            << c.raw << " x " << c.gain << " + " << c.offset;
    EXPECT_EQ(CBlockAnalog::ClampReference(2.9), 2);  // references are truncated, not rounded
    EXPECT_EQ(CBlockAnalog::ClampReference(-40000.0), -32767);
}

// Feeds a sequence of compared values through a block and checks Q after each step.
struct TriggerCase {
    const char* name;
    int nType;
    int threshold1;
    int threshold2;
    std::vector<int> values;
    std::vector<int> outputs;
};

TEST(AnalogTrigger, BitOutputTypesFollowTheTriggerRule)
{
    const TriggerCase cases[] = {
        {"comparator hysteresis", 803, 100, 50, {120, 80, 50, 60, 101}, {1, 1, 0, 0, 1}},
        {"comparator window", 803, 50, 100, {50, 99, 49, 100, 75}, {1, 1, 0, 0, 1}},
        {"threshold trigger", 804, 10, 10, {11, 10, 9, 11}, {1, 0, 0, 1}},
        {"differential, negative difference", 807, 10, -5, {11, 6, 5, 6}, {1, 1, 0, 0}},
        {"differential, zero difference", 807, 10, 0, {11, 10}, {1, 0}},
        {"differential, window", 807, 10, 5, {9, 10, 14, 15}, {0, 1, 1, 0}},
    };
    for (const TriggerCase& c : cases) {
        ValueBench b;
        CBlockAnalog* p = b.Make<CBlockAnalog>(c.nType);
        CBlockObj* pAx = b.Value(9001, 0);
        CBlockObj* pAy = b.Value(9002, 0);
        ValueBench::Wire(p, 0, pAx);
        if (c.nType == 803)
            ValueBench::Wire(p, 1, pAy);
        p->m_nThreshold1 = c.threshold1;
        p->m_nThreshold2 = c.threshold2;
        for (size_t i = 0; i < c.values.size(); ++i) {
            pAx->m_dElapsed = c.values[i];
            EXPECT_TRUE(p->Simulate(&b.view));
            EXPECT_EQ(p->m_nPinValue[kOutputPin], c.outputs[i]) << c.name << " step " << i;
            EXPECT_EQ(p->m_nActualValue, c.values[i]) << c.name;
        }
    }
}

TEST(AnalogTrigger, ComparatorSubtractsScaledInputsAndClampsTheDifference)
{
    ValueBench b;
    CBlockAnalog* p = b.Make<CBlockAnalog>(803);
    ValueBench::Wire(p, 0, b.Value(9001, 30000));
    ValueBench::Wire(p, 1, b.Value(9002, -30000));
    p->m_dGain = 1.0;
    p->Simulate(&b.view);
    EXPECT_EQ(p->m_nScaledAx, 30000);
    EXPECT_EQ(p->m_nScaledAy, -30000);
    EXPECT_EQ(p->m_nActualValue, 32767);
}

TEST(AnalogTrigger, ReferencesReplaceAndOverwriteTheThresholds)
{
    ValueBench b;
    CBlockAnalog* p = b.Make<CBlockAnalog>(804);
    CBlockObj* pAx = b.Value(9001, 70);
    ValueBench::Wire(p, 0, pAx);
    p->m_nThreshold1 = 1000;
    p->m_nThreshold2 = 900;
    ValueBench::Refer(p, 0, b.Value(9002, 60.9, 866));  // On from a math block's value
    ValueBench::Refer(p, 1, b.Value(9003, -99999, 866));
    p->Simulate(&b.view);
    EXPECT_EQ(p->m_nThreshold1, 60);      // truncated, written into the literal
    EXPECT_EQ(p->m_nThreshold2, -32767);  // held within the word range
    EXPECT_EQ(p->m_nPinValue[kOutputPin], 1);
}

TEST(AnalogTrigger, LadderChangeOfQFeedsTheContactsInTheSameStep)
{
    ValueBench b;
    b.doc.m_nDocKind = CTavixDoc::kindLadder;
    CBlockAnalog* p = b.Make<CBlockAnalog>(804);
    CBlockObj* pAx = b.Value(9001, 50);
    ValueBench::Wire(p, 0, pAx);
    p->m_nThreshold1 = 10;
    p->m_nThreshold2 = 5;
    CBlockObj* pContact = b.Add(TYPE_MAKE, NUM_MAKE, 1);
    pContact->m_nOperand = p->m_nNumber;
    pContact->m_nPinValue[0] = 1;
    p->Simulate(&b.view);
    EXPECT_EQ(pContact->m_nContactState, 1);
    EXPECT_EQ(pContact->m_nPinValue[kOutputPin], 1);
    EXPECT_FALSE(p->m_bPinChanged[kOutputPin]);
}

TEST(AnalogWatchdog, CapturesOnEnableAndSwitchesOutsideTheBand)
{
    ValueBench b;
    CBlockAnalog* p = b.Make<CBlockAnalog>(806);
    CBlockObj* pEn = b.Bit(101, 0);
    CBlockObj* pAx = b.Value(9001, 0);
    ValueBench::Wire(p, 0, pEn);
    ValueBench::Wire(p, 1, pAx);
    p->m_nThreshold1 = 20;  // above
    p->m_nThreshold2 = 10;  // below
    struct Step { int en; int ax; int captured; int q; };
    const Step steps[] = {
        {1, 200, 200, 0},  // En rising captures Ax
        {1, 221, 200, 1},
        {1, 220, 200, 0},
        {1, 189, 200, 1},
        {1, 190, 200, 0},
        {0, 300, 0, 0},    // En falling clears the capture and Q
        {0, 500, 0, 0},
    };
    for (const Step& s : steps) {
        pEn->m_nPinValue[kOutputPin] = s.en;
        pAx->m_dElapsed = s.ax;
        p->Simulate(&b.view);
        EXPECT_EQ(p->m_nCapturedValue, s.captured) << s.ax;
        EXPECT_EQ(p->m_nPinValue[kOutputPin], s.q) << s.ax;
    }
}

TEST(AnalogMultiplexer, SelectsAValueByS1AndS2)
{
    struct Case { int en; int s1; int s2; bool ref3; int expected; };
    const Case cases[] = {
        {0, 1, 1, false, 0},  // En 0 outputs 0 whatever S1, S2 say
        {1, 0, 0, false, 11},
        {1, 0, 1, false, 22},
        {1, 1, 0, false, 33},
        {1, 1, 1, false, 44},
        {1, 1, 0, true, 777},  // reference 3 is taken, not written back
    };
    for (const Case& c : cases) {
        ValueBench b;
        CBlockAnalog* p = b.Make<CBlockAnalog>(816);
        ValueBench::Wire(p, 0, b.Bit(101, c.en));
        ValueBench::Wire(p, 1, b.Bit(102, c.s1));
        ValueBench::Wire(p, 2, b.Bit(103, c.s2));
        for (int k = 0; k < 4; ++k)
            p->FormulaOperand(k) = 11 * (k + 1);
        if (c.ref3)
            ValueBench::Refer(p, 2, b.Value(9005, 777, 866));
        p->Simulate(&b.view);
        EXPECT_EQ(p->m_nActualValue, c.expected) << c.s1 << c.s2;
        EXPECT_EQ(p->FormulaOperand(2), 33);
    }
}

TEST(AnalogAmplifier, ScalesAndEndsAFeedbackWalkThatNeverMeetsAnAnalogBlock)
{
    ValueBench b;
    CBlockAnalog* pAmp = b.Make<CBlockAnalog>(805);
    pAmp->m_dGain = 2.0;
    pAmp->m_nOffset = 7;
    ValueBench::Wire(pAmp, 0, b.Value(9001, 10));
    b.view.m_nEditMode = CTavixView::modeSimulate;
    pAmp->Simulate(&b.view);
    EXPECT_EQ(pAmp->m_nActualValue, 27);
    EXPECT_EQ(pAmp->m_nScaledAx, 27);

    // The amplifier feeds P's second input; P and Q feed each other's first inputs, so the
    // first-input walk from the amplifier circles P -> Q -> P without an analog block.
    CBlockObj* pP = b.Add(TYPE_811, 9010);
    CBlockObj* pQ = b.Add(TYPE_811, 9011);
    ValueBench::Wire(pAmp, 0, pP);
    ValueBench::Wire(pP, 0, pQ);
    ValueBench::Wire(pP, 1, pAmp);
    ValueBench::Wire(pQ, 0, pP);
    pAmp->m_nIndex = pP->m_nIndex = pQ->m_nIndex = 0;
    pAmp->Simulate(&b.view);
    EXPECT_TRUE(pAmp->m_bLoopFound);
    EXPECT_EQ(pAmp->m_nActualValue, 7);  // r = 0, scaled with the block's gain and offset
}

TEST(AnalogAmplifier, FeedbackTakesTheNearestAnalogBlockUpstreamThroughConnectors)
{
    ValueBench b;
    CBlockAnalog* pAmp = b.Make<CBlockAnalog>(805);
    pAmp->m_dGain = 1.0;
    CBlockAnalog* pUp = b.Make<CBlockAnalog>(816, 9001);
    pUp->m_nActualValue = 40;
    CBlockObj* pFemale = b.Add(new CBlockFemale(), NUM_FEMALE);
    CBlockObj* pMale = b.Add(TYPE_811, NUM_MALE);  // the receiving end, fed by the MUX
    ValueBench::Wire(pAmp, 0, pFemale);
    ValueBench::Wire(pMale, 0, pUp);
    ValueBench::Wire(pUp, 0, pAmp);  // closes the loop for the search
    pAmp->m_nIndex = pUp->m_nIndex = pMale->m_nIndex = 0;
    pAmp->Simulate(&b.view);
    ASSERT_TRUE(pAmp->m_bLoopFound);
    EXPECT_EQ(pAmp->m_nActualValue, 40);
}

TEST(AnalogFamily, UnsimulatedTypesKeepTheirValue)
{
    for (int nType : {817, 818, 819, 820, 821, 822}) {
        ValueBench b;
        CBlockAnalog* p = b.Make<CBlockAnalog>(nType);
        for (int i = 0; i < 4; ++i)
            ValueBench::Wire(p, i, b.Bit(101 + i, 1));
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(p->Simulate(&b.view));
        EXPECT_EQ(p->m_nActualValue, 0) << nType;
        EXPECT_EQ(p->m_nPinValue[kOutputPin], 0) << nType;
    }
}

TEST(AnalogFamily, ConstructorsSetLinksAndDefaults)
{
    std::unique_ptr<CBlockObj> pMath(NewBlockOfType(815));
    auto* pM = static_cast<CBlockAnalog*>(pMath.get());
    const int links[] = {52, 55, 70, 71, 73, 61, 62, 63, 64, 74, 0, 53};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(pM->m_nLink[i], links[i]) << i;
    EXPECT_EQ(pM->FormulaPriority(0), 0);  // L, M, L
    EXPECT_EQ(pM->FormulaPriority(1), 1);
    EXPECT_EQ(pM->FormulaPriority(2), 0);
    EXPECT_EQ(pM->m_nCodeSize, 20);
    EXPECT_EQ(pM->m_nOperandCount, 11);
    EXPECT_EQ(pM->m_byOptions, 0x3F);
    EXPECT_EQ(pM->m_nSimMin, -20000);
    EXPECT_EQ(pM->m_nSimMax, 20000);

    std::unique_ptr<CBlockObj> pPwm(NewBlockOfType(819));
    EXPECT_EQ(static_cast<CBlockAnalog*>(pPwm.get())->m_nOption, 4);
    std::unique_ptr<CBlockObj> pPi(NewBlockOfType(818));
    EXPECT_TRUE(pPi->m_bRetentive);
    EXPECT_EQ(pPi->m_nLink[9], 72);
    EXPECT_EQ(pPi->m_nLink[11], 73);
    EXPECT_EQ(pPi->m_nLink[14], 53);
}

TEST(AnalogRecord, RoundTripAndSchemaZero)
{
    CBlockPI pi(818);
    pi.m_nSensor = 3;
    pi.m_nRangeMin = -50;
    pi.m_nRangeMax = 150;
    pi.m_dGain = 0.25;
    pi.m_nOffset = -3;
    pi.m_nThreshold1 = 11;
    pi.m_nThreshold2 = 22;
    pi.m_nDecimals = 2;
    pi.m_nTempUnit = 1;
    pi.m_nResolution = 0;
    pi.m_nParamSet = 6;
    pi.m_dKC = 1.75;
    pi.m_bUseTI = 0;
    pi.m_nTIMinutes = 99;
    pi.m_nTISeconds = 59;
    pi.m_nOption = 1;
    pi.m_nActualValue = 1234;  // runtime: never stored
    const std::vector<BYTE> bytes = StoreBody(pi);

    CBlockPI back;
    EXPECT_EQ(LoadBody(back, bytes, 1), 0u);
    EXPECT_EQ(StoreBody(back), bytes);
    EXPECT_EQ(back.m_dKC, 1.75);
    EXPECT_EQ(back.m_nOption, 1);
    EXPECT_EQ(back.m_nActualValue, 0);

    // The analog part is 72 bytes; a schema-0 record lacks its last 28 and the base element's
    // schema-1 items (56 bytes with an empty text parameter).
    const size_t base1 = bytes.size() - 72;
    std::vector<BYTE> old(bytes.begin(), bytes.begin() + (base1 - 56));
    old.insert(old.end(), bytes.begin() + base1, bytes.begin() + base1 + 44);
    CBlockPI older;
    EXPECT_EQ(LoadBody(older, old, 0), 0u);
    EXPECT_EQ(older.m_nSensor, 3);
    EXPECT_EQ(older.m_nResolution, 0);
    EXPECT_EQ(older.m_dKC, 0.5);
    EXPECT_EQ(older.m_bUseTI, 1);
    EXPECT_EQ(older.m_nTIMinutes, 0);
    EXPECT_EQ(older.m_nTISeconds, 30);
    EXPECT_EQ(older.m_nParamSet, 0);
    EXPECT_EQ(older.m_nOption, 0);

    std::vector<BYTE> truncated(bytes.begin(), bytes.end() - 4);
    CBlockPI cut;
    EXPECT_EQ(LoadFailure(cut, truncated, 1), CArchiveException::endOfFile);
}

TEST(AnalogCopy, CopiesChannelFieldsAndThePiExtrasOnlyForPi)
{
    CBlockPI src(818);
    src.m_dGain = 3.5;
    src.m_nThreshold2 = 9;
    src.m_dKC = 2.0;
    src.m_nOption = 1;
    src.m_nActualValue = 55;
    CBlockPI dst(818);
    src.CopyTo(&dst, FALSE, 0x51);
    EXPECT_EQ(dst.m_dGain, 3.5);
    EXPECT_EQ(dst.m_nThreshold2, 9);
    EXPECT_EQ(dst.m_dKC, 2.0);
    EXPECT_EQ(dst.m_nOption, 1);
    EXPECT_EQ(dst.m_nActualValue, 0);

    CBlockACOMP cmp(803);
    cmp.m_dKC = 9.0;
    CBlockACOMP cmpDst(803);
    cmp.CopyTo(&cmpDst, FALSE, 0x51);
    EXPECT_EQ(cmpDst.m_dKC, 0.5);
    cmp.CopyTo(nullptr, TRUE, 0x51);  // nothing happens
}
