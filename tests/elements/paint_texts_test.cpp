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

#include <iterator>
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

// The serial-number size of 820 is 8 shifted by its base word; a damaged base beyond the int's
// width (or negative) must not shift out of range.
TEST(ParameterTexts, SerialNumberSizeOfEveryBase)
{
    const struct { int base; const char* row; } cases[] = {
        {0, "1:SN = 8"}, {5, "1:SN = 256"}, {23, "1:SN = 67108864"},
        {24, "1:SN = 0"}, {28, "1:SN = 0"}, {31, "1:SN = 0"}, {-1, "1:SN = 0"},
    };
    for (const auto& c : cases) {
        auto b = Make(820, 9001);
        b->m_nTime1Base = c.base;
        EXPECT_THAT(Rows(*b, true), ElementsAre(c.row)) << c.base;
    }
}

// A column kept for a key is shown again while the key stays equal, so every setting a column
// shows must be in its key: change each setting of the element (and the number of a referenced
// block) in turn, and wherever the key stays the same the column must too.
TEST(ParameterTexts, TheKeyChangesWheneverTheColumnDoes)
{
    using Change = void (*)(CBlockObj&);
    static const Change changes[] = {
        [](CBlockObj& b) { ++b.m_nTime1High; }, [](CBlockObj& b) { ++b.m_nTime1Low; },
        [](CBlockObj& b) { b.m_nTime1Base = (b.m_nTime1Base + 1) % 4; },
        [](CBlockObj& b) { ++b.m_nTime2High; }, [](CBlockObj& b) { ++b.m_nTime2Low; },
        [](CBlockObj& b) { b.m_nTime2Base = (b.m_nTime2Base + 1) % 4; },
        [](CBlockObj& b) { b.m_nRefUnit1 = (b.m_nRefUnit1 + 1) % 3; },
        [](CBlockObj& b) { b.m_nRefUnit2 = (b.m_nRefUnit2 + 1) % 3; },
        [](CBlockObj& b) { ++b.m_nPreWarn[0]; }, [](CBlockObj& b) { ++b.m_nPreWarn[1]; },
        [](CBlockObj& b) { ++b.m_nPreWarn[2]; }, [](CBlockObj& b) { ++b.m_nPreWarn[3]; },
        [](CBlockObj& b) { b.m_bRef[0] = !b.m_bRef[0]; }, [](CBlockObj& b) { b.m_bRef[1] = !b.m_bRef[1]; },
        [](CBlockObj& b) { b.m_bRef[2] = !b.m_bRef[2]; }, [](CBlockObj& b) { b.m_bRef[3] = !b.m_bRef[3]; },
        [](CBlockObj& b) { b.m_pRefBlock[0] = nullptr; }, [](CBlockObj& b) { b.m_pRefBlock[1] = nullptr; },
        [](CBlockObj& b) { b.m_pRefBlock[2] = nullptr; }, [](CBlockObj& b) { b.m_pRefBlock[3] = nullptr; },
        [](CBlockObj& b) { b.m_bRetentive = !b.m_bRetentive; }, [](CBlockObj& b) { b.m_bProtected = !b.m_bProtected; },
        [](CBlockObj& b) { b.m_bStdPreWarning = !b.m_bStdPreWarning; }, [](CBlockObj& b) { ++b.m_nCount; },
        [](CBlockObj& b) { b.m_nMonthly = !b.m_nMonthly; }, [](CBlockObj& b) { b.m_nYearly = !b.m_nYearly; },
        [](CBlockObj& b) { b.m_nPulse = !b.m_nPulse; }, [](CBlockObj& b) { ++b.m_nYearStart; },
        [](CBlockObj& b) { ++b.m_nYearEnd; }, [](CBlockObj& b) { ++b.m_nStartValue; },
        [](CBlockObj& b) { ++b.m_nExtra1; }, [](CBlockObj& b) { ++b.m_nExtra2; },
        [](CBlockObj& b) { b.m_nExtra3 = !b.m_nExtra3; }, [](CBlockObj& b) { ++b.m_nExtra4; },
        [](CBlockObj& b) { b.m_dParam += 1.25; }, [](CBlockObj& b) { ++b.m_nOperand; },
        [](CBlockObj& b) { ++b.m_nSimValue; }, [](CBlockObj& b) { b.m_dElapsed += 100.0; },
        [](CBlockObj& b) { b.m_strName = L"Pump"; }, [](CBlockObj& b) { b.m_strParam = L"text"; },
        [](CBlockObj& b) { b.m_ptOrigin.y += 12; },
    };
    const auto measure = [](const CString& s) { return 6 * s.GetLength(); };
    const auto column = [&](const CBlockObj& b, bool bNew) {
        std::vector<std::string> rows = Rows(b, bNew);
        rows.push_back(std::to_string(BuildParameterTexts(b, bNew, 6, measure).x - b.m_ptOrigin.x));
        return rows;
    };
    Diagram d;
    CBlockObj* ref = d.Add(NewBlockOfType(800), 9007);
    int keyed = 0;
    for (int type = 300; type < 1000; ++type) {
        for (bool referenced : {false, true}) {
            for (bool bNew : {false, true}) {
                // The last round renumbers the referenced block instead.
                for (size_t k = 0; k <= std::size(changes); ++k) {
                    ref->m_nNumber = 9007;
                    std::unique_ptr<CBlockObj> b(NewBlockOfType(type));
                    if (!b)
                        break;
                    b->m_nNumber = 9001;
                    b->m_ptOrigin = CPoint(300, 100);
                    b->m_nYearStart = 2024, b->m_nYearEnd = 2025;
                    for (int r = 0; r < 4 && referenced; ++r) {
                        b->m_bRef[r] = TRUE;
                        b->m_pRefBlock[r] = ref;
                    }
                    ParameterTextKey before, after;
                    if (!GetParameterTextKey(*b, bNew, 6, &before))
                        break;
                    ++keyed;
                    const auto shown = column(*b, bNew);
                    if (k < std::size(changes))
                        changes[k](*b);
                    else
                        ++ref->m_nNumber;
                    ASSERT_TRUE(GetParameterTextKey(*b, bNew, 6, &after));
                    if (after == before) {
                        EXPECT_EQ(column(*b, bNew), shown) << "type " << type << ", change " << k;
                    }
                }
            }
        }
    }
    EXPECT_GT(keyed, 1000);  // the timers, counters and most other families keep their columns

    // The analog family and the columns placed by a measured text are built every time.
    ParameterTextKey key;
    for (int type : {410, 802, 803, 806, 815, 818, 819, 824}) {
        auto b = Make(type, 9001);
        ASSERT_TRUE(b) << type;
        EXPECT_FALSE(GetParameterTextKey(*b, true, 6, &key)) << type;
    }
}

}  // namespace
