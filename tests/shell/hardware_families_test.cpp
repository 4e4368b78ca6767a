// The rules that keep a program of the newer families from moving to an older one: each row is
// one block the older family cannot run, the message the Hardware page shows for it, or a block
// that passes. The first block of the list that breaks a rule is the one named.
#include "document/TavixDoc.h"
#include "elements/BlockAnalog.h"
#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"
#include "shell/MainFrame.h"
#include "shell/ProgramPropsHardware.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

struct Rule {
    const char* name;
    int type;
    int number;  // 0: the number the document gives
    std::function<void(CBlockObj&)> set;
    const wchar_t* text;  // %d: the block's number as the message counts it; empty: passes
    int shown;            // the number in the message, from the block number
};

std::wstring Expected(const Rule& r, const CBlockObj& b)
{
    CString text;
    text.Format(r.text, b.m_nNumber - r.shown);
    return std::wstring(LPCTSTR(text));
}

const auto kNothing = [](CBlockObj&) {};

} // namespace

TEST(HardwareFamilies, EveryRuleOfTheOlderFamiliesNamesItsBlock)
{
    CMainFrame::BuildBlockNameMap();
    const Rule rules[] = {
        {"function key", TYPE_FKEY, 1301, kNothing, L"F2  : Not supported!", 0},
        {"shift bit 17", TYPE_SHIFT_BIT, 1017, kNothing, L"S1.1  : Block number too high!", 0},
        {"shift bit 15", TYPE_SHIFT_BIT, 1015, kNothing, L"", 0},
        {"input I1.16", TYPE_INPUT, 100 + 48, kNothing, L"I116  : Block number too high!", 0},
        {"input I0.15", TYPE_INPUT, 100 + 15, kNothing, L"", 0},
        {"output Q0.8", TYPE_OUTPUT, 608, kNothing, L"Q08  : Block number too high!", 0},
        {"astronomical clock", 412, 0, kNothing, L"B%d[Astronomical clock] : Not supported!", 9000},
        {"math", 815, 0, kNothing, L"B%d[Mathematic instruction] : Not supported!", 9000},
        {"wifi", 826, 0, kNothing, L"B%d[WiFi Analog Read] : Not supported!", 9000},
        {"data log", TYPE_DATALOG, 8951, kNothing, L"L1 : Not supported!", 0},
        {"reference", 402, 0, [](CBlockObj& b) { b.m_bRef[1] = TRUE; },
         L"B%d[On/Off Delay] : The reference is not supported by this device Model 0x1188", 9000},
        {"on/off delay plain", 402, 0, kNothing, L"", 0},
        {"weekly pulse", 410, 0, [](CBlockObj& b) { b.m_nPulse = 1; }, L"B%d : The pulse function is not available", 9000},
        {"yearly range", 411, 0, [](CBlockObj& b) { b.m_nYearStart = 2001; b.m_nYearEnd = 2099; b.m_nYearly = 1; },
         L"B%d:Year range function is not available. On year must be  2000 and Off year must be 2099.", 9000},
        {"yearly mode", 411, 0, [](CBlockObj& b) { b.m_nYearStart = 2000; b.m_nYearEnd = 2099; b.m_nYearly = 0; },
         L"B%d : Yearly mode must be selected.", 9000},
        {"yearly pulse", 411, 0,
         [](CBlockObj& b) { b.m_nYearStart = 2000; b.m_nYearEnd = 2099; b.m_nYearly = 1; b.m_nPulse = 1; },
         L"B%d : The pulse function is not available", 9000},
        {"yearly fine", 411, 0,
         [](CBlockObj& b) { b.m_nYearStart = 2000; b.m_nYearEnd = 2099; b.m_nYearly = 1; b.m_nPulse = 0; }, L"", 0},
        {"counter start", 800, 0, [](CBlockObj& b) { b.m_nStartValue = 5; },
         L"B%d[Up/Down Counter] : The start value cannot be used", 9000},
        {"hours counter time", 801, 0, [](CBlockObj& b) { b.m_nTime2Low = 1; },
         L"B%d[Hour Counter] : Cannot convert time to hours", 9000},
        {"watchdog thresholds", 806, 0,
         [](CBlockObj& b) { auto& a = dynamic_cast<CBlockAnalog&>(b); a.m_nThreshold1 = 1; a.m_nThreshold2 = 2; },
         L"B%d[Analog Watchdog] : The two threshold settings must be equal", 9000},
        {"message text", 810, 0, kNothing, L"B%d[Message texts] : Rich Text Format not supported.", 9000},
        {"contact on S2.0", TYPE_MAKE, 0, [](CBlockObj& b) { b.m_nOperand = 1032; },
         L"S2.0  : Block number too high!", 0},
    };
    for (const Rule& r : rules) {
        SCOPED_TRACE(r.name);
        CTavixDoc doc;
        doc.m_nHardwareCode = 0x5188;
        CBlockObj* b = NewBlockOfType(r.type);
        ASSERT_NE(b, nullptr);
        ASSERT_TRUE(doc.AddBlock(b));
        if (r.number)
            b->m_nNumber = r.number;
        r.set(*b);
        const std::wstring want = Expected(r, *b);
        EXPECT_EQ(std::wstring(LPCTSTR(CSelectHardware::FindUnsupportedBlock(doc, 1))), want);
        std::wstring want3 = want;  // the reference row names the chosen model
        if (const auto at = want3.find(L"0x1188"); at != std::wstring::npos)
            want3.replace(at, 6, L"0x2188");
        EXPECT_EQ(std::wstring(LPCTSTR(CSelectHardware::FindUnsupportedBlock(doc, 3))), want3);
        // Within the newer families nothing of this is refused.
        EXPECT_TRUE(CSelectHardware::FindUnsupportedBlock(doc, 9).IsEmpty());
        // A program already of an older family moves freely between them.
        doc.m_nHardwareCode = 0x2188;
        EXPECT_TRUE(CSelectHardware::FindUnsupportedBlock(doc, 1).IsEmpty());
    }
}

TEST(HardwareFamilies, OnlyTheFirstShiftRegisterCanBeUsed)
{
    CMainFrame::BuildBlockNameMap();
    CTavixDoc doc;
    doc.m_nHardwareCode = 0x6188;
    CBlockObj* first = NewBlockOfType(812);
    CBlockObj* second = NewBlockOfType(812);
    ASSERT_TRUE(doc.AddBlock(first));
    EXPECT_TRUE(CSelectHardware::FindUnsupportedBlock(doc, 1).IsEmpty());
    ASSERT_TRUE(doc.AddBlock(second));
    CString want;
    want.Format(L"B%d : Only the first shift register can be used.", second->m_nNumber - 9000);
    EXPECT_EQ(CSelectHardware::FindUnsupportedBlock(doc, 1), want);
}
