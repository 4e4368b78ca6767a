// The analog comparator page and its sensor scaling: the roundings, the range <-> gain and offset
// arithmetic as a user types it, the layout per block type and machine, the clamps, and what OK
// leaves in the block and the saved file.
#include "PagesTestSupport.h"

#include "elements/BlockAnalog.h"
#include "pages/AnalogComparator.h"
#include "pages/BlockPage.h"
#include "pages/SensorScaling.h"
#include "resources/resource.h"

#include <vector>

namespace pagestest {
namespace {

using Step = std::function<void(CAllPropertySheet&)>;

TEST(SensorScaling, RoundingsAndGainsOfARange)
{
    struct Tens {
        int t, rounded, dropped;
    };
    // Positive values round half up; negative ones are cut toward zero.
    for (const Tens& c : {Tens{1234, 1230, 4}, Tens{1235, 1240, 5}, Tens{-1236, -1230, -6}, Tens{0, 0, 0}}) {
        int dropped = 99;
        EXPECT_EQ(scaling::RoundTens(c.t, &dropped), c.rounded) << c.t;
        EXPECT_EQ(dropped, c.dropped) << c.t;
    }
    EXPECT_EQ(scaling::RoundWhole(1229.6), 1230);
    EXPECT_EQ(scaling::RoundWhole(-1229.6), -1229);
    EXPECT_EQ(scaling::GainHundredths(1.235), 124);
    EXPECT_EQ(scaling::GainHundredths(-1.235), -124);
    struct Gain {
        int range, sensor;
        double gain;
        int dropped, hundredths;
    };
    for (const Gain& c : {Gain{1234, 0, 1.23, 4, 123}, Gain{1000, 2, 1.25, 0, 125}, Gain{30000, 0, 30.0, 0, 1000},
                          Gain{-30000, 1, -30.0, 0, -1000}}) {
        const scaling::GainFromRange g = scaling::GainOfRange(c.range, c.sensor);
        EXPECT_DOUBLE_EQ(g.gain, c.gain) << c.range;
        EXPECT_EQ(g.dropped, c.dropped) << c.range;
        EXPECT_EQ(g.hundredths, c.hundredths) << c.range;
    }
    const scaling::Pt100Row f01 = scaling::Pt100Scaling(1, 1);
    EXPECT_EQ(f01.min, -580);
    EXPECT_EQ(f01.max, 3920);
    EXPECT_DOUBLE_EQ(f01.gain, 4.5);
    EXPECT_EQ(f01.offset, -580);
}

class AnalogPageTest : public PagesTest {
protected:
    CAnalogComparator& Page(CAllPropertySheet& s) { return *dynamic_cast<CAnalogComparator*>(s.m_pPage); }
    void ChooseSensor(CWnd* pPage, int index)
    {
        CComboBox* pCombo = ComboOf(pPage, 1082);
        if (pCombo == nullptr)
            return;
        pCombo->SetFocus();
        Choose(pPage, 1082, index);
        drv.Pump();
    }
};

TEST_F(AnalogPageTest, ARangeTypedGivesARoundedGainAndOkMakesThemAgree)
{
    Program& p = Open();
    auto* pBlock = static_cast<CBlockAnalog*>(AddBlock(p, 803));
    RunSheet(p, pBlock,
             {[this](CAllPropertySheet& s) {
                  Type(s.m_pPage, 1093, L"1234");
                  EXPECT_EQ(Text(s.m_pPage, 1021), CString(L"1.23"));
              },
              [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    EXPECT_EQ(pBlock->m_nRangeMax, 1230);
    EXPECT_DOUBLE_EQ(pBlock->m_dGain, 1.23);
    EXPECT_EQ(pBlock->m_nOffset, 0);
    auto reloaded = SaveAndReload(p);
    auto* pSaved = dynamic_cast<CBlockAnalog*>(reloaded->FindBlockByNumber(pBlock->m_nNumber));
    ASSERT_NE(pSaved, nullptr);
    EXPECT_EQ(pSaved->m_nRangeMax, 1230);
    EXPECT_DOUBLE_EQ(pSaved->m_dGain, 1.23);
}

TEST_F(AnalogPageTest, FourToTwentyMilliampsAndBack)
{
    Program& p = Open();
    auto* pBlock = static_cast<CBlockAnalog*>(AddBlock(p, 804));
    pBlock->m_nSensor = 0, pBlock->m_dGain = 1.0, pBlock->m_nRangeMin = 0, pBlock->m_nRangeMax = 1000;
    pBlock->m_nOffset = 0;
    RunSheet(p, pBlock,
             {[this](CAllPropertySheet& s) {
                  ChooseSensor(s.m_pPage, 2);
                  EXPECT_EQ(Text(s.m_pPage, 1021), CString(L"1.25"));
                  EXPECT_EQ(Text(s.m_pPage, 1092), CString(L"0"));
                  EXPECT_EQ(Text(s.m_pPage, 1039), CString(L"-250"));
                  ChooseSensor(s.m_pPage, 0);
                  EXPECT_EQ(Text(s.m_pPage, 1021), CString(L"1"));
                  EXPECT_EQ(Text(s.m_pPage, 1092), CString(L"0"));
                  EXPECT_EQ(Text(s.m_pPage, 1039), CString(L"0"));
                  ChooseSensor(s.m_pPage, 3);  // PT100: the table row, the range locked
                  EXPECT_EQ(Text(s.m_pPage, 1092), CString(L"-500"));
                  EXPECT_FALSE(s.m_pPage->GetDlgItem(1092)->IsWindowEnabled());
                  ChooseSensor(s.m_pPage, 4);  // no sensor: gain and offset where the range was
                  EXPECT_FALSE(Shown(s.m_pPage, 1092));
                  CRect gain, min;
                  s.m_pPage->GetDlgItem(1021)->GetWindowRect(&gain);
                  EXPECT_TRUE(Shown(s.m_pPage, 1021));
                  ChooseSensor(s.m_pPage, 0);
                  s.m_pPage->GetDlgItem(1092)->GetWindowRect(&min);
                  EXPECT_EQ(gain.TopLeft(), min.TopLeft());
              },
              [this](CAllPropertySheet& s) { Press(s, IDCANCEL); }});
    EXPECT_EQ(pBlock->m_nSensor, 0);  // Cancel changed nothing
    EXPECT_DOUBLE_EQ(pBlock->m_dGain, 1.0);
}

TEST_F(AnalogPageTest, EachTypeShowsItsLevelValues)
{
    struct Case {
        int type;
        WORD hardware;
        bool row1, row2, reference, retentivity;
        const wchar_t* label2;
    };
    const Case cases[] = {
        {803, 0x5188, true, true, true, false, L"Off"},
        {805, 0x5188, false, false, false, false, nullptr},
        {806, 0x5188, true, true, true, true, L"Threshold 2(lower: -)"},
        {806, 0x2188, false, true, false, false, L"Threshold(difference)"},
        {807, 0x5188, true, true, false, false, L"Differential"},
        {803, 0x2188, true, true, false, false, L"Off"},
    };
    for (const Case& c : cases) {
        Program& p = Open();
        p.doc->m_nHardwareCode = c.hardware;
        CBlockObj* pBlock = AddBlock(p, c.type);
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                                 CWnd* pPage = s.m_pPage;
                                 EXPECT_EQ(Shown(pPage, 1023), c.row1) << c.type;
                                 EXPECT_EQ(Shown(pPage, 1026), c.row2) << c.type;
                                 EXPECT_EQ(Shown(pPage, 1080), c.reference) << c.type;
                                 EXPECT_EQ(Shown(pPage, 1024), c.retentivity) << c.type;
                                 if (c.label2) {
                                     EXPECT_EQ(Text(pPage, 1109), CString(c.label2)) << c.type;
                                 }
                                 Press(s, IDCANCEL);
                             }});
    }
}

TEST_F(AnalogPageTest, TypedValuesAreHeldInTheirRanges)
{
    struct Case {
        int type;
        UINT id;
        const wchar_t* typed;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {803, 1023, L"25000", L"20000"},
        {806, 1026, L"-5", L"0"},
        {803, 1096, L"7", L"3"},
        {803, 1021, L"12", L"10"},
        {803, 1039, L"-12345", L"-10000"},
    };
    for (const Case& c : cases) {
        Program& p = Open();
        CBlockObj* pBlock = AddBlock(p, c.type);
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                                 Type(s.m_pPage, c.id, c.typed);
                                 EXPECT_EQ(Text(s.m_pPage, c.id), CString(c.shown)) << c.typed;
                                 if (c.id == 1096) {
                                     EXPECT_EQ(Text(s.m_pPage, 1098), CString(L"+12.345"));
                                 }
                             },
                             [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    }
}

TEST_F(AnalogPageTest, TypedGainOffsetOrRangeRecomputeTheOthers)
{
    // Typed one after the other into the scaling group of a 0..10 V and a 4..20 mA sensor: gain
    // 1021, offset 1039, minimum 1092, maximum 1093.
    struct Step {
        UINT id;
        const wchar_t* typed;
        const wchar_t *gain, *offset, *min, *max;
    };
    const struct {
        int sensor;
        double gain;
        int offset, min, max;
        std::vector<Step> steps;
    } sensors[] = {
        {0, 1.0, 0, 0, 1000,
         {{1021, L"2", L"2", L"0", L"0", L"2000"},
          {1039, L"100", L"2", L"100", L"100", L"2100"},
          {1092, L"200", L"1.9", L"200", L"200", L"2100"},
          {1093, L"1200", L"1", L"200", L"200", L"1200"}}},
        {2, 1.25, -250, 0, 1000,
         {{1021, L"2.5", L"2.5", L"-250", L"250", L"2250"},
          {1039, L"0", L"2.5", L"0", L"500", L"2500"},
          {1092, L"400", L"2.63", L"-130", L"400", L"2500"},
          {1093, L"3000", L"3.25", L"-250", L"400", L"3000"}}},
    };
    for (const auto& c : sensors) {
        Program& p = Open();
        auto* pBlock = static_cast<CBlockAnalog*>(AddBlock(p, 803));
        pBlock->m_nSensor = c.sensor, pBlock->m_dGain = c.gain, pBlock->m_nOffset = c.offset;
        pBlock->m_nRangeMin = c.min, pBlock->m_nRangeMax = c.max;
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                                 for (const Step& step : c.steps) {
                                     Type(s.m_pPage, step.id, step.typed);
                                     EXPECT_EQ(std::wstring(Text(s.m_pPage, 1021).GetString()), step.gain) << step.typed;
                                     EXPECT_EQ(std::wstring(Text(s.m_pPage, 1039).GetString()), step.offset) << step.typed;
                                     EXPECT_EQ(std::wstring(Text(s.m_pPage, 1092).GetString()), step.min) << step.typed;
                                     EXPECT_EQ(std::wstring(Text(s.m_pPage, 1093).GetString()), step.max) << step.typed;
                                 }
                             },
                             [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    }
}

TEST_F(AnalogPageTest, ALevelValueTakenFromAnotherBlockComesBackWithItsNumber)
{
    Program& p = Open();
    auto* pSource = AddBlock(p, 805);
    auto* pBlock = static_cast<CBlockAnalog*>(AddBlock(p, 803));
    RunSheet(p, pBlock,
             {[this](CAllPropertySheet& s) {
                  s.m_pPage->GetDlgItem(1080)->SetFocus();
                  s.m_pPage->SendMessage(WM_COMMAND, MAKEWPARAM(1080, BN_CLICKED),
                                         reinterpret_cast<LPARAM>(s.m_pPage->GetDlgItem(1080)->GetSafeHwnd()));
                  drv.Pump();
                  EXPECT_FALSE(Shown(s.m_pPage, 1023));
                  EXPECT_TRUE(Shown(s.m_pPage, 105));
              },
              [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    EXPECT_TRUE(pBlock->m_bRef[0]);
    EXPECT_EQ(pBlock->m_pRefBlock[0], pSource);
    EXPECT_EQ(pBlock->m_nRefNumber[0], pSource->m_nNumber);
    auto reloaded = SaveAndReload(p);
    EXPECT_EQ(reloaded->FindBlockByNumber(pBlock->m_nNumber)->m_nRefNumber[0], pSource->m_nNumber);
}

TEST_F(AnalogPageTest, ApplyWhileSimulatingSendsTheAnalogRecordWithTheScalingMadeToAgree)
{
    Program& p = Open();
    auto* pBlock = static_cast<CBlockAnalog*>(AddBlock(p, 806));
    CAllPropertySheet* pSheet = OpenModeless(p, pBlock);
    ASSERT_NE(pSheet, nullptr);
    EXPECT_NE(pSheet->m_pPage->GetDlgItem(109), nullptr);  // the live value box
    Type(pSheet->m_pPage, 1093, L"1234");
    Type(pSheet->m_pPage, 1026, L"300");
    Press(*pSheet, ID_APPLY_NOW);
    ASSERT_EQ(p.view->m_applied.size(), 1u);
    const CAnalogParamRecord& r = p.view->m_applied[0].analog;
    EXPECT_EQ(r.nBlockNumber, pBlock->m_nNumber);
    EXPECT_EQ(r.nMax, 1230);
    EXPECT_DOUBLE_EQ(r.dGain, 1.23);
    EXPECT_EQ(r.nAnalog[2], 300);
    EXPECT_EQ(r.ref[0].bFlag, 0);
    // A refused value sends nothing.
    Type(pSheet->m_pPage, 1092, L"x");
    pSheet->m_pPage->SetDlgItemText(1092, L"");
    Press(*pSheet, ID_APPLY_NOW);
    drv.Pump();
    EXPECT_EQ(p.view->m_applied.size(), 1u);
    EXPECT_NE(p.view->FindOpenSheet(pBlock->m_nNumber), nullptr);
}

}  // namespace
}  // namespace pagestest
