// The texts painting puts around elements: labels, ladder operand labels, comment texts and the
// parameter texts beside parameter pins, as tables of worked values.
#include "DiagramFixture.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockFactory.h"
#include "elements/BlockLabels.h"
#include "elements/BlockTime.h"
#include "elements/ParameterTexts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<CBlockObj> Make(int type, int number)
{
    std::unique_ptr<CBlockObj> b(NewBlockOfType(type));
    b->m_nNumber = number;
    return b;
}

TEST(ElementLabels, NumbersAndOperands)
{
    const struct {
        int type;
        int number;
        const wchar_t* name;
        const wchar_t* label;
    } cases[] = {
        {300, 9003, L"", L"B3"},        {300, 9003, L"Pump", L"B3 Pump"}, {911, 8950, L"", L"L0"},
        {600, 133, L"", L"I101"},       {605, 617, L"", L"Q101"},         {602, 1017, L"", L"S1.1"},
        {608, 4009, L"", L"AI101"},     {609, 4231, L"", L"AQ001"},       {603, 1870, L"", L"lo0"},
        {607, 1336, L"", L"M20"},       {611, 1302, L"", L"F2"},          {606, 4801, L"", L"X1"},
    };
    for (const auto& c : cases) {
        auto b = Make(c.type, c.number);
        b->m_strName = c.name;
        EXPECT_EQ(BuildElementLabel(*b, nullptr), CString(c.label)) << c.type << " " << c.number;
    }
}

TEST(ElementLabels, LadderOperandsFollowWhatTheyName)
{
    Diagram d;
    d.doc.m_nDocKind = CTavixDoc::kindLadder;
    CBlockObj* coil = d.Add(NewBlockOfType(703), 21000);
    coil->m_nOperand = 1336;  // flag M20
    CBlockObj* aout = d.Add(NewBlockOfType(705), 22000);
    aout->m_nOperand = 4290;  // analog flag AM2
    const struct {
        int type;
        int operand;
        const wchar_t* label;
    } cases[] = {
        {702, 4003, L"AI003"}, {703, 1336, L"M20"},  {703, 617, L"Q101"},  {700, 133, L"I101"},
        {700, 2900, L"High"},  {701, 1870, L"Low"},  {700, 9005, L"B5"},   {700, 1017, L"S1.1"},
        {700, 21000, L"M20"},  {702, 22000, L"AM2"}, {704, 4801, L"X1"},   {700, 1302, L"F2"},
        // A coil that is no longer in the document: the operand as it stands.
        {700, 21005, L"I20905"},
    };
    for (const auto& c : cases) {
        auto b = Make(c.type, 12000);
        b->m_nOperand = c.operand;
        EXPECT_EQ(BuildElementLabel(*b, &d.doc), CString(c.label)) << c.type << " " << c.operand;
    }
}

TEST(ElementLabels, CommentsOfLadderElementsComeFromTheirOperand)
{
    Diagram d;
    d.doc.m_operandComments.SetAt(133, L"start button");
    d.doc.m_operandComments.SetAt(1336, L"motor on");
    CBlockObj* coil = d.Add(NewBlockOfType(703), 21000);
    coil->m_nOperand = 1336;
    CBlockObj* fb = d.Add(NewBlockOfType(400), 9004);
    fb->m_strComment = L"delay";
    const struct {
        int type;
        int operand;
        const wchar_t* text;
    } cases[] = {{700, 133, L"start button"}, {700, 21000, L"motor on"}, {700, 9004, L"delay"},
                 {700, 21007, L""},           {703, 1336, L"motor on"},  {700, 600, L""}};
    for (const auto& c : cases) {
        auto b = Make(c.type, 12000);
        b->m_nOperand = c.operand;
        b->m_strComment = L"own";
        EXPECT_EQ(GetElementCommentText(*b, &d.doc), CString(c.text)) << c.type << " " << c.operand;
    }
    auto gate = Make(300, 9001);
    gate->m_strComment = L"own";
    EXPECT_EQ(GetElementCommentText(*gate, &d.doc), CString(L"own"));
}

// The rows of a block's parameter column as "row:text" with the column's x.
std::vector<std::string> Rows(const CBlockObj& b, bool newLayout, int* pX = nullptr)
{
    const ParameterTextColumn col =
        BuildParameterTexts(b, newLayout, 6, [](const CString& s) { return 6 * s.GetLength(); });
    if (pX)
        *pX = col.x;
    std::vector<std::string> rows;
    for (const auto& r : col.rows)
        rows.push_back(std::to_string(r.row) + ":" + ToUtf8(r.text));
    return rows;
}

using ::testing::ElementsAre;

TEST(ParameterTexts, TimersShowRetentivityTimeAndMark)
{
    auto b = Make(400, 9001);
    b->m_ptOrigin = CPoint(200, 100);
    b->m_nTime1High = 5, b->m_nTime1Low = 30, b->m_nTime1Base = 2;
    int x = 0;
    EXPECT_THAT(Rows(*b, true, &x), ElementsAre("1:Rem=off\n", "2:05:30s+"));
    EXPECT_EQ(x, 200 - 48);
    b->m_bProtected = TRUE;
    EXPECT_THAT(Rows(*b, false), ElementsAre("1:Rem=off\n", "2:05:30s-"));

    // Set 1 from the block numbered three above 9000, in seconds, newer layout.
    Diagram d;
    CBlockObj* ref = d.Add(NewBlockOfType(800), 9003);
    b->m_bProtected = FALSE;
    b->m_bRef[0] = TRUE;
    b->m_pRefBlock[0] = ref;
    b->m_nRefUnit1 = 1;
    EXPECT_THAT(Rows(*b, true), ElementsAre("1:Rem=off\n", "2:B3s+"));
    // The flag set but the block gone: the text is empty and shows the mark alone.
    b->m_pRefBlock[0] = nullptr;
    EXPECT_THAT(Rows(*b, true), ElementsAre("1:Rem=off\n", "2:+"));
}

TEST(ParameterTexts, CountersShowTheStartValueOnlyOnNewerModels)
{
    auto b = Make(800, 9001);
    b->m_nTime1High = 5, b->m_nTime2High = 3, b->m_nStartValue = 7;
    EXPECT_THAT(Rows(*b, true), ElementsAre("1:Rem=off\n", "2:On=5+", "3:Off=3", "4:Start=7\n"));
    EXPECT_THAT(Rows(*b, false), ElementsAre("1:Rem=off\n", "2:On=5+", "3:Off=3"));
}

TEST(ParameterTexts, WeeklyAndYearlyTimers)
{
    auto w = Make(410, 9001);
    EXPECT_THAT(Rows(*w, true), ElementsAre("0:+", "1:-------", "2:--:--", "3:--:--", "4:-------", "5:--:--",
                                            "6:--:--", "7:-------", "8:--:--", "9:--:--"));
    auto* wt = static_cast<CBlockTime*>(w.get());
    wt->m_bCamDays[0][1] = 1;
    wt->m_bCamDays[0][5] = 1;
    wt->m_bCamOnOff[0] = 0;
    wt->m_nCamOn[0][0] = 7, wt->m_nCamOn[0][1] = 5;
    EXPECT_EQ(Rows(*w, true)[1], "1:-M---F-");
    EXPECT_EQ(Rows(*w, true)[2], "2:07:05h");
    EXPECT_EQ(Rows(*w, true)[3], "3:--:--");

    auto y = Make(411, 9002);
    y->m_nMonthly = 1;
    y->m_nYearStart = 2024, y->m_nTime1High = 3, y->m_nTime1Low = 9;
    y->m_nYearEnd = 2025, y->m_nTime2High = 4, y->m_nTime2Low = 1;
    EXPECT_THAT(Rows(*y, false), ElementsAre("1:MM.DD\n", "2:**.09+", "3:**.01"));
    EXPECT_THAT(Rows(*y, true), ElementsAre("1:YY:MM.DD\n", "2:24:**.09+", "3:25:**.01", "4:Yearly=Y\n", "5:Pulse=N\n"));
}

TEST(ParameterTexts, OtherFamilies)
{
    auto clock = Make(412, 9001);
    clock->m_bProtected = TRUE;
    EXPECT_EQ(Rows(*clock, true)[0], "1:Lot:E0.0'0\"");

    auto pwm = Make(819, 9002);
    static_cast<CBlockAnalog*>(pwm.get())->m_nOption = 4;
    EXPECT_EQ(Rows(*pwm, true)[2], "2:Out=Disable+");

    for (int type : {847, 855, 911}) {
        auto b = Make(type, 9003);
        EXPECT_TRUE(Rows(*b, true).empty()) << type;
    }

    auto gain = Make(805, 9004);
    static_cast<CBlockAnalog*>(gain.get())->m_dGain = 1.5;
    int x = 0;
    gain->m_ptOrigin = CPoint(300, 0);
    EXPECT_EQ(Rows(*gain, true, &x)[0], "1:Gain= 1.50+");
    EXPECT_EQ(x, 300 - 6 * 10 - 20);  // "Gain= 1.50" is 10 characters

    auto mask = Make(838, 9005);
    mask->m_nTime1High = 0xF0;
    EXPECT_THAT(Rows(*mask, true), ElementsAre("3:Mask = 0x00F0"));
}

}  // namespace
