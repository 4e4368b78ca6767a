// Worked values of the parameter layouts: the bytes behind the opcode word of single blocks.
#include "ImageTestSupport.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockModbus.h"
#include "elements/BlockTime.h"

namespace {

// A program of `count` NOT gates followed by one block of `type`; returns that block.
CBlockObj* AfterGates(CTavixDoc& doc, int count, int type)
{
    for (int i = 0; i < count; ++i)
        Add(doc, 307);
    return Add(doc, type);
}

Bytes CompileParams(CTavixDoc& doc, CBlockObj* b)
{
    CTavixCoreRule rule;
    EXPECT_TRUE(Compile(doc, rule)) << (const wchar_t*)rule.GetLastError();
    return Params(rule, doc, b);
}

} // namespace

TEST(Encoders, TimeWordsOfAnOnDelay)
{
    struct Case {
        int base, high, low;
        Bytes time;
    };
    const Case cases[] = {{2, 2, 50, {0xFA, 0x40}}, {1, 3, 20, {0xC8, 0x80}}, {0, 1, 30, {0x5A, 0xC0}}};
    for (const Case& c : cases) {
        auto doc = MakeDoc();
        CBlockObj* t = AfterGates(*doc, 3, 400);
        t->m_bNegate[0] = TRUE;  // negated and open
        t->m_nTime1Base = c.base;
        t->m_nTime1High = c.high;
        t->m_nTime1Low = c.low;
        Bytes expected = {0x00, 0xF4};
        expected.insert(expected.end(), c.time.begin(), c.time.end());
        expected.insert(expected.end(), {0x03, 0x00});
        EXPECT_EQ(CompileParams(*doc, t), expected) << c.base;
    }
    // A time taken from block 9012 in milliseconds.
    auto doc = MakeDoc();
    CBlockObj* t = AfterGates(*doc, 13, 400);
    t->m_bRef[0] = TRUE;
    t->m_nRefNumber[0] = 9012;
    t->m_nRefUnit1 = 2;
    EXPECT_EQ(CompileParams(*doc, t), (Bytes{0xFF, 0xFF, 0x0C, 0x40, 0x0D, 0x00}));
}

TEST(Encoders, FourthTimeOfTheSwitchesTakesItsUnitByReferenceFlagOne)
{
    // The referenced third and fourth times of the multiple function switch: the third takes
    // the unit of reference 2, the fourth that of reference 1 (as the device reads them).
    auto doc = MakeDoc();
    CBlockObj* s = AfterGates(*doc, 1, 409);
    s->m_nTime2Base = 0;
    s->m_nRefUnit2 = 2;
    s->m_bRef[2] = s->m_bRef[3] = TRUE;
    s->m_nRefNumber[2] = s->m_nRefNumber[3] = 9000;
    const Bytes p = CompileParams(*doc, s);
    EXPECT_EQ(Bytes(p.begin() + 8, p.begin() + 12), (Bytes{0x00, 0xC0, 0x00, 0xC0}));
    s->m_bRef[0] = TRUE;
    s->m_nRefNumber[0] = 9000;
    const Bytes q = CompileParams(*doc, s);
    EXPECT_EQ(Bytes(q.begin() + 8, q.begin() + 12), (Bytes{0x00, 0xC0, 0x00, 0x40}));
}

TEST(Encoders, ClockBlocks)
{
    auto doc = MakeDoc();
    auto* wt = static_cast<CBlockTime*>(AfterGates(*doc, 2, 410));
    wt->m_bCamOnOff[0] = 0;
    wt->m_nCamOn[0][0] = 6;
    wt->m_nCamOn[0][1] = 15;  // 375 minutes
    wt->m_bCamDays[0][0] = wt->m_bCamDays[0][6] = 1;
    wt->m_nPulse = 1;
    CBlockObj* yt = Add(*doc, 411);
    yt->m_nMonthly = 1;
    yt->m_nTime1Low = 3;
    yt->m_nTime2Low = 9;
    yt->m_nYearStart = 2026;
    yt->m_nYearEnd = 2027;
    yt->m_nYearly = 0;
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));
    EXPECT_EQ(Params(rule, *doc, wt),
              (Bytes{0x77, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                     0x41, 0x00, 0x00, 0x01, 0x02, 0x00}));
    EXPECT_EQ(Params(rule, *doc, yt),
              (Bytes{0x03, 0xFF, 0xEA, 0x07, 0x09, 0xFF, 0xEB, 0x07, 0x80, 0x00, 0x03, 0x00}));

    auto old = MakeDoc(kOldHardware);
    CBlockObj* oldYt = Add(*old, 411);
    oldYt->m_nMonthly = 1;
    oldYt->m_nTime1Low = 3;
    oldYt->m_nTime2Low = 9;
    auto* oldWt = static_cast<CBlockTime*>(Add(*old, 410));
    oldWt->m_nPulse = 1;  // no pulse byte below 'Q'
    CTavixCoreRule oldRule;
    ASSERT_TRUE(Compile(*old, oldRule));
    EXPECT_EQ(oldYt->m_nCodeSize, 8);
    EXPECT_EQ(Params(oldRule, *old, oldYt), (Bytes{0x03, 0xFF, 0x09, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(Params(oldRule, *old, oldWt)[15], 0x00);
}

TEST(Encoders, LogicRelayAndMessageTextBlocks)
{
    auto doc = MakeDoc();
    CBlockObj* gate = AfterGates(*doc, 1, 300);
    CBlockObj* text = Add(*doc, 810);
    text->m_bStdPreWarning = TRUE;
    text->m_nCount = 3;
    CBlockObj* text2 = Add(*doc, 810);
    CBlockObj* sreg = Add(*doc, 812);
    sreg->m_nExtra1 = 5;
    sreg->m_nExtra2 = 2;
    CBlockObj* boolean = Add(*doc, 830);
    boolean->m_nExtra2 = 0x8001;
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));
    const Bytes g = Params(rule, *doc, gate);
    EXPECT_EQ(Bytes(g.end() - 2, g.end()), (Bytes{0xFF, 0xFF}));  // four inputs, then the fill
    EXPECT_EQ(Params(rule, *doc, text), (Bytes{0xFF, 0xFF, 0x83, 0x00, 0x02, 0x00}));
    EXPECT_EQ(Params(rule, *doc, text2)[3], 0x01);  // its ordinal among the message texts
    EXPECT_EQ(sreg->m_nCodeSize, 16);
    const Bytes s = Params(rule, *doc, sreg);
    EXPECT_EQ(Bytes(s.begin() + 6, s.end()), (Bytes{0x20, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00}));
    const Bytes b = Params(rule, *doc, boolean);
    EXPECT_EQ(Bytes(b.begin() + 8, b.end()), (Bytes{0x01, 0x80, 0x00, 0x00, 0x00, 0x00}));
}

TEST(Encoders, ModbusDataWord)
{
    struct Case {
        BYTE function, mode;
        WORD data;
        Bytes expected;
    };
    const Case cases[] = {{5, 1, 1, {0x00, 0xFF}}, {5, 1, 0, {0x00, 0x00}}, {5, 0, 1, {0x01, 0x00}},
                          {6, 1, 1, {0x01, 0x00}}};
    for (const Case& c : cases) {
        auto doc = MakeDoc();
        auto* mw = static_cast<CBlockMR*>(Add(*doc, 814));
        mw->m_byFunction = c.function;
        mw->m_byWriteMode = c.mode;
        mw->m_wData1 = c.data;
        mw->m_nTime1Base = 0;
        const Bytes p = CompileParams(*doc, mw);
        EXPECT_EQ(mw->m_nCodeSize, 22);
        EXPECT_EQ(Bytes(p.begin() + 10, p.begin() + 12), c.expected);
        EXPECT_EQ(Bytes(p.begin() + 16, p.end()), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
    }
}

TEST(Encoders, AnalogBlocks)
{
    auto doc = MakeDoc();
    auto* amp = static_cast<CBlockAnalog*>(AfterGates(*doc, 4, 805));
    amp->m_dGain = 1.5;
    amp->m_nOffset = 0;
    amp->m_nDecimals = 2;
    auto* amp2 = static_cast<CBlockAnalog*>(Add(*doc, 805));
    amp2->m_dGain = 2.755;
    auto* filter1 = Add(*doc, 820);
    auto* diff = static_cast<CBlockAnalog*>(Add(*doc, 807));
    diff->m_nThreshold1 = 40000;
    diff->m_nThreshold2 = 30000;  // 70000 = 0x00011170
    auto* filter2 = Add(*doc, 820);
    filter2->m_nTime1Base = 2;
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));
    EXPECT_EQ(Params(rule, *doc, amp),
              (Bytes{0xFF, 0xFF, 0x96, 0x00, 0x00, 0x00, 0x02, 0x00, 0x04, 0x80}));
    const Bytes p2 = Params(rule, *doc, amp2);
    EXPECT_EQ(GetU16(&p2[2]), 275u);
    EXPECT_EQ(Params(rule, *doc, filter1)[3], 0);  // ordinals count the filters in order
    EXPECT_EQ(Params(rule, *doc, filter2)[3], 1);
    EXPECT_EQ(Params(rule, *doc, filter2)[2], 5);
    const Bytes d = Params(rule, *doc, diff);
    EXPECT_EQ(Bytes(d.begin() + 2, d.begin() + 6), (Bytes{0x40, 0x9C, 0x70, 0x11}));
    EXPECT_EQ(Bytes(d.end() - 2, d.end()), (Bytes{0x01, 0x00}));
}

TEST(Encoders, WordMathAndDeviceBlocks)
{
    auto doc = MakeDoc();
    CBlockObj* target = nullptr;
    for (int i = 0; i < 21; ++i)
        target = Add(*doc, i == 20 ? 400 : 307);  // 9020 is an On-Delay
    CBlockObj* mem = Add(*doc, 847);
    mem->m_bRef[0] = TRUE;
    mem->m_pRefBlock[0] = target;
    mem->m_nRefNumber[0] = target->m_nNumber;
    mem->m_nTime1Low = 3;
    CBlockObj* log = Add(*doc, 864);
    log->m_dParam = 0.5;
    CBlockObj* crc = Add(*doc, 856);
    crc->m_nTime1Low = 1;  // analog output 5
    crc->m_nTime2Low = 5;
    CTavixCoreRule rule;
    ASSERT_TRUE(Compile(*doc, rule));
    EXPECT_EQ(Params(rule, *doc, mem),
              (Bytes{0xFF, 0xFF, 0x07, 0x21, 0x14, 0x30, 0x00, 0x00, 0x00, 0x00}));
    const Bytes l = Params(rule, *doc, log);
    EXPECT_EQ(Bytes(l.begin() + 4, l.begin() + 8), (Bytes{0x32, 0x00, 0x00, 0x00}));
    const Bytes c = Params(rule, *doc, crc);
    EXPECT_EQ(Bytes(c.begin() + 4, c.begin() + 6), (Bytes{0x05, 0x90}));  // high byte first
}

TEST(Encoders, EveryTypeFitsItsCodeSize)
{
    for (WORD hardware : {kOldHardware, kNewHardware})
        for (int type = 300; type < 880; ++type) {
            if ((type > 307 && type < 400) || (type > 413 && type < 800) || type == 811 ||
                type == 828 || type == 829 || (type >= 857 && type <= 859))
                continue;
            auto doc = MakeDoc(hardware);
            CBlockObj* b = Add(*doc, type);
            CTavixCoreRule rule;
            EXPECT_TRUE(Compile(*doc, rule)) << type << ": " << (const wchar_t*)rule.GetLastError();
            EXPECT_EQ(rule.m_areaJ[b->m_nCodeSize], 0xFF) << type;
        }
}
