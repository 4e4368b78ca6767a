// The quadratic equation and average value pages: what OK and Apply leave in the block, the
// refused coefficients and amplification, the bounds of the amplification, the sampling time and
// number of samples per unit, the live value and the limit of named blocks.
#include "PagesTestSupport.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockObj.h"
#include "pages/AVGVAL.h"
#include "pages/BlockPage.h"
#include "pages/QUAD.h"

#include "platform/ui/controls/CommCtrlUpDown.h"

namespace pagestest {
namespace {

class QuadAvgValPageTest : public PagesTest {
protected:
    // One click on an up-down control as the control reports it to the page.
    static void Step(CWnd* pPage, UINT nSpin, int nDelta)
    {
        NMUPDOWN step{};
        step.hdr.hwndFrom = pPage->GetDlgItem(int(nSpin))->GetSafeHwnd();
        step.hdr.idFrom = nSpin;
        step.hdr.code = UDN_DELTAPOS;
        step.iDelta = nDelta;
        pPage->SendMessage(WM_NOTIFY, nSpin, reinterpret_cast<LPARAM>(&step));
    }
};

TEST_F(QuadAvgValPageTest, QuadOkStoresEveryField)
{
    Program& p = Open();
    CBlockObj* pBlock = AddBlock(p, 879);
    pBlock->m_bRetentive = 1;
    RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                             CBlockPage* pPage = s.m_pPage;
                             // A new block: A = 1, the first root, amplification 1.
                             EXPECT_EQ(Text(pPage, IDC_QUAD_A), CString(L"1"));
                             EXPECT_EQ(Text(pPage, IDC_QUAD_AMPLIFICATION), CString(L"1"));
                             Type(pPage, IDC_BLOCK_NAME, L"Root");
                             Type(pPage, IDC_QUAD_A, L"-3");
                             Type(pPage, IDC_QUAD_B, L"32767");
                             Type(pPage, IDC_QUAD_C, L"-12");
                             Choose(pPage, IDC_QUAD_DIR, 1);
                             Type(pPage, IDC_QUAD_AMPLIFICATION, L"-2.75");
                             pPage->CheckDlgButton(IDC_QUAD_PROTECTION, BST_CHECKED);
                             Press(s, IDOK);
                         }});
    EXPECT_EQ(pBlock->m_strName, CString(L"Root"));
    EXPECT_EQ(pBlock->m_nTime1High, -3);
    EXPECT_EQ(pBlock->m_nTime2High, 32767);
    EXPECT_EQ(pBlock->m_nPreWarn[1], -12);
    EXPECT_EQ(pBlock->m_nTime1Base, 1);
    EXPECT_DOUBLE_EQ(pBlock->m_dParam, -2.75);
    EXPECT_TRUE(pBlock->m_bProtected);
    EXPECT_TRUE(pBlock->m_bRetentive);
}

TEST_F(QuadAvgValPageTest, QuadRefusesZeroAOutOfRangeCoefficientsAndNonNumbers)
{
    struct Case {
        UINT id;
        const wchar_t* typed;
        const wchar_t* message;  // null: any message
    };
    const Case cases[] = {
        {IDC_QUAD_A, L"0", L"Please enter a integer except 0"},
        {IDC_QUAD_A, L"-40000", nullptr},
        {IDC_QUAD_B, L"40000", nullptr},
        {IDC_QUAD_C, L"x", nullptr},
        {IDC_QUAD_AMPLIFICATION, L"-", nullptr},
    };
    for (const Case& c : cases) {
        Program& p = Open();
        CBlockObj* pBlock = AddBlock(p, 879);
        drv.Host().ClearMessageBoxes();
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) { Type(s.m_pPage, c.id, c.typed); },
                             [this](CAllPropertySheet& s) { Press(s, IDOK); },
                             [this](CAllPropertySheet& s) { Press(s, IDCANCEL); }});
        ASSERT_EQ(drv.Host().MessageBoxes().size(), 1u) << c.id << " " << c.typed;
        if (c.message) {
            EXPECT_EQ(drv.Host().MessageBoxes()[0].text, c.message);
        }
        EXPECT_EQ(pBlock->m_nTime1High, 1) << c.typed;
        EXPECT_EQ(pBlock->m_nTime2High, 0) << c.typed;
        EXPECT_EQ(pBlock->m_nPreWarn[1], 0) << c.typed;
        EXPECT_DOUBLE_EQ(pBlock->m_dParam, 1.0) << c.typed;
    }
}

TEST_F(QuadAvgValPageTest, QuadAmplificationStaysWithinItsBoundsHoweverEntered)
{
    Program& p = Open();
    CBlockObj* pBlock = AddBlock(p, 879);
    RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                             CBlockPage* pPage = s.m_pPage;
                             for (int k = 0; k < 10; ++k)
                                 Step(pPage, IDC_QUAD_AMPLIFICATION_SPIN, 1);
                             EXPECT_EQ(Text(pPage, IDC_QUAD_AMPLIFICATION), CString(L"1.1"));
                             Type(pPage, IDC_QUAD_AMPLIFICATION, L"12000");
                             EXPECT_EQ(Text(pPage, IDC_QUAD_AMPLIFICATION), CString(L"10000"));
                             Step(pPage, IDC_QUAD_AMPLIFICATION_SPIN, 1);
                             EXPECT_EQ(Text(pPage, IDC_QUAD_AMPLIFICATION), CString(L"10000"));
                             pPage->SetDlgItemText(IDC_QUAD_AMPLIFICATION, L"-20000");
                             EXPECT_EQ(Text(pPage, IDC_QUAD_AMPLIFICATION), CString(L"-10000"));
                             Step(pPage, IDC_QUAD_AMPLIFICATION_SPIN, -3);
                             EXPECT_EQ(Text(pPage, IDC_QUAD_AMPLIFICATION), CString(L"-10000"));
                             Step(pPage, IDC_QUAD_AMPLIFICATION_SPIN, 1);
                             Press(s, IDOK);
                         }});
    EXPECT_DOUBLE_EQ(pBlock->m_dParam, -9999.99);
}

TEST_F(QuadAvgValPageTest, AvgValHoldsTimeAndSamplesToTheUnit)
{
    struct Case {
        int unit;
        const wchar_t* time;
        const wchar_t* samples;
        const wchar_t *shownTime, *shownSamples;
    };
    const Case cases[] = {
        {kAvgSeconds, L"2", L"500", L"2", L"200"},       {kAvgMinutes, L"5", L"99999", L"5", L"30000"},
        {kAvgMinutes, L"6", L"99999", L"6", L"32767"},   {kAvgSeconds, L"75", L"9999", L"59", L"5900"},
        {kAvgDays, L"400", L"0", L"365", L"1"},          {kAvgHours, L"0", L"40000", L"1", L"32767"},
    };
    for (const Case& c : cases) {
        Program& p = Open();
        RunSheet(p, AddBlock(p, 822), {[&](CAllPropertySheet& s) {
                                           CBlockPage* pPage = s.m_pPage;
                                           Choose(pPage, IDC_AVGVAL_UNIT, c.unit);
                                           Type(pPage, IDC_AVGVAL_TIME, c.time);
                                           Type(pPage, IDC_AVGVAL_SAMPLES, c.samples);
                                           EXPECT_EQ(Text(pPage, IDC_AVGVAL_TIME), CString(c.shownTime)) << c.unit << " " << c.time;
                                           EXPECT_EQ(Text(pPage, IDC_AVGVAL_SAMPLES), CString(c.shownSamples))
                                               << c.unit << " " << c.time << " " << c.samples;
                                           Press(s, IDCANCEL);
                                       }});
    }
    // A shorter time lowers the samples already typed; a change of unit clamps the time.
    Program& p = Open();
    RunSheet(p, AddBlock(p, 822), {[&](CAllPropertySheet& s) {
                                       CBlockPage* pPage = s.m_pPage;
                                       EXPECT_FALSE(Shown(pPage, IDC_AVGVAL_REFERENCE));
                                       Type(pPage, IDC_AVGVAL_TIME, L"200");
                                       Type(pPage, IDC_AVGVAL_SAMPLES, L"20000");
                                       Choose(pPage, IDC_AVGVAL_UNIT, kAvgHours);
                                       EXPECT_EQ(Text(pPage, IDC_AVGVAL_TIME), CString(L"23"));
                                       Choose(pPage, IDC_AVGVAL_UNIT, kAvgSeconds);
                                       EXPECT_EQ(Text(pPage, IDC_AVGVAL_SAMPLES), CString(L"2300"));
                                       Type(pPage, IDC_AVGVAL_TIME, L"3");
                                       EXPECT_EQ(Text(pPage, IDC_AVGVAL_SAMPLES), CString(L"300"));
                                       Press(s, IDCANCEL);
                                   }});
}

TEST_F(QuadAvgValPageTest, AvgValOkStoresEveryField)
{
    Program& p = Open();
    CBlockObj* pBlock = AddBlock(p, 822);
    RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                             CBlockPage* pPage = s.m_pPage;
                             Type(pPage, IDC_BLOCK_NAME, L"Mean");
                             Choose(pPage, IDC_AVGVAL_UNIT, kAvgMinutes);
                             Type(pPage, IDC_AVGVAL_TIME, L"4");
                             Type(pPage, IDC_AVGVAL_SAMPLES, L"1234");
                             pPage->CheckDlgButton(IDC_AVGVAL_RETENTIVITY, BST_CHECKED);
                             pPage->CheckDlgButton(IDC_AVGVAL_PROTECTION, BST_CHECKED);
                             Press(s, IDOK);
                         }});
    EXPECT_EQ(pBlock->m_strName, CString(L"Mean"));
    EXPECT_EQ(pBlock->m_nTime1Base, kAvgMinutes);
    EXPECT_EQ(pBlock->m_nTime1High, 4);
    EXPECT_EQ(pBlock->m_nTime1Low, 1234);
    EXPECT_TRUE(pBlock->m_bRetentive);
    EXPECT_TRUE(pBlock->m_bProtected);
    auto reloaded = SaveAndReload(p);
    const CBlockObj* pLoaded = reloaded->FindBlockByNumber(pBlock->m_nNumber);
    ASSERT_NE(pLoaded, nullptr);
    EXPECT_EQ(pLoaded->m_nTime1Low, 1234);
    EXPECT_EQ(pLoaded->m_nTime1Base, kAvgMinutes);
}

TEST_F(QuadAvgValPageTest, ApplyWhileSimulatingReachesTheBlockAndTheLiveValueShows)
{
    Program& p = Open();
    CBlockObj* pQuad = AddBlock(p, 879);
    pQuad->m_bRetentive = 1;
    CAllPropertySheet* pSheet = OpenModeless(p, pQuad);
    ASSERT_NE(pSheet, nullptr);
    CBlockPage* pPage = pSheet->m_pPage;
    ASSERT_NE(pPage->GetDlgItem(IDC_VALUE_BOX), nullptr);
    Type(pPage, IDC_QUAD_A, L"2");
    Type(pPage, IDC_QUAD_C, L"7");
    Choose(pPage, IDC_QUAD_DIR, 1);
    Type(pPage, IDC_QUAD_AMPLIFICATION, L"0.5");
    Press(*pSheet, ID_APPLY_NOW);
    ASSERT_EQ(p.view->m_applied.size(), 1u);
    EXPECT_EQ(pQuad->m_nTime1High, 2);
    EXPECT_EQ(pQuad->m_nPreWarn[1], 7);
    EXPECT_EQ(pQuad->m_nTime1Base, 1);
    EXPECT_DOUBLE_EQ(pQuad->m_dParam, 0.5);
    // The page has no Retentivity check; Apply leaves the block's flag as it was.
    EXPECT_TRUE(pQuad->m_bRetentive);
    pQuad->m_dElapsed = -42.7;
    p.view->UpdateMonitorSheets(pQuad);
    EXPECT_EQ(pSheet->m_pPage->GetShownValue(), CString(L"-42"));

    Program& q = Open();
    auto* pAvg = static_cast<CBlockAnalog*>(AddBlock(q, 822));
    pSheet = OpenModeless(q, pAvg);
    ASSERT_NE(pSheet, nullptr);
    pPage = pSheet->m_pPage;
    ASSERT_NE(pPage->GetDlgItem(IDC_VALUE_BOX), nullptr);
    Choose(pPage, IDC_AVGVAL_UNIT, kAvgSeconds);
    Type(pPage, IDC_AVGVAL_TIME, L"10");
    Type(pPage, IDC_AVGVAL_SAMPLES, L"800");
    pPage->CheckDlgButton(IDC_AVGVAL_RETENTIVITY, BST_CHECKED);
    Press(*pSheet, ID_APPLY_NOW);
    ASSERT_EQ(q.view->m_applied.size(), 1u);
    EXPECT_EQ(pAvg->m_nTime1Base, kAvgSeconds);
    EXPECT_EQ(pAvg->m_nTime1High, 10);
    EXPECT_EQ(pAvg->m_nTime1Low, 800);
    EXPECT_TRUE(pAvg->m_bRetentive);
    pAvg->m_nActualValue = 123;
    q.view->UpdateMonitorSheets(pAvg);
    EXPECT_EQ(pSheet->m_pPage->GetShownValue(), CString(L"   123"));
}

TEST_F(QuadAvgValPageTest, NoNameBeyondTheLimitOfNamedBlocks)
{
    Program& p = Open();
    for (int i = 0; i < kNamedBlockLimit; ++i)
        AddBlock(p, 300 + i % 8)->m_strName.Format(L"N%d", i);
    for (int type : {822, 879}) {
        CBlockObj* pBlock = AddBlock(p, type);
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                                 EXPECT_FALSE(Enabled(s.m_pPage, IDC_BLOCK_NAME)) << type;
                                 Press(s, IDCANCEL);
                             }});
        pBlock->m_strName = L"Named";
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                                 EXPECT_TRUE(Enabled(s.m_pPage, IDC_BLOCK_NAME)) << type;
                                 Press(s, IDCANCEL);
                             }});
        pBlock->m_strName.Empty();
    }
}

}  // namespace
}  // namespace pagestest
