// The data array, data Max/Min/Avg, stepping motor, pulse train and CRC16 page: the clamps per
// type and data area, the speed, frequency and step-time texts, the layout of a type, the
// referenced count and what OK leaves in the block and the saved file.
#include "PagesTestSupport.h"

#include "elements/BlockObj.h"
#include "pages/ARRMXIV.h"
#include "pages/BlockPage.h"
#include "resources/resource.h"

namespace pagestest {
namespace {

class ArrmxivPageTest : public PagesTest {
protected:
    static void Click(CWnd* pPage, UINT id)
    {
        CWnd* pButton = pPage->GetDlgItem(int(id));
        pButton->SetFocus();
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(pButton->GetSafeHwnd()));
    }
};

TEST_F(ArrmxivPageTest, ValuesAreHeldToTheirTypesAndAreas)
{
    struct Case {
        int type;
        int area;  // -1: leave the area
        UINT id;
        const wchar_t *typed, *shown;
    };
    const Case cases[] = {
        {844, 1, 1318, L"40", L"31"},  {844, 2, 1318, L"100", L"63"},   {844, 0, 1318, L"600", L"511"},
        {844, -1, 1320, L"50", L"32"}, {844, -1, 1320, L"0", L"1"},     {856, -1, 1320, L"200", L"128"},
        {856, -1, 1320, L"0", L"1"},   {850, -1, 1323, L"123456789", L"99999999"},
        {849, -1, 1320, L"300", L"300"},
    };
    for (const Case& c : cases) {
        Program& p = Open();
        CBlockObj* pBlock = AddBlock(p, c.type);
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                                 if (c.area >= 0)
                                     Choose(s.m_pPage, 1319, c.area);
                                 Type(s.m_pPage, c.id, c.typed);
                                 EXPECT_EQ(Text(s.m_pPage, c.id), CString(c.shown)) << c.type << " " << c.typed;
                                 Press(s, IDCANCEL);
                             }});
    }
    // Switching the area clamps an address already typed.
    Program& p = Open();
    RunSheet(p, AddBlock(p, 844), {[&](CAllPropertySheet& s) {
                                       Type(s.m_pPage, 1318, L"200");
                                       Choose(s.m_pPage, 1319, 1);
                                       EXPECT_EQ(Text(s.m_pPage, 1318), CString(L"31"));
                                       Press(s, IDCANCEL);
                                   }});
}

TEST_F(ArrmxivPageTest, RateAndStepTimeTexts)
{
    EXPECT_EQ(CARRMXIV::RateText(849, 300), CString(L"(100.000000 rpm)"));
    EXPECT_EQ(CARRMXIV::RateText(850, 0), CString(L"(0 rpm)"));
    EXPECT_EQ(CARRMXIV::RateText(851, 50), CString(L"(2000.000000 Hz) [0.02ms/pulse]"));
    EXPECT_EQ(CARRMXIV::RateText(852, 0), CString(L"(0 Hz) [0.02ms/pulse]"));
    Program& p = Open();
    RunSheet(p, AddBlock(p, 849), {[&](CAllPropertySheet& s) {
                                       CWnd* pPage = s.m_pPage;
                                       Type(pPage, 1320, L"300");
                                       EXPECT_EQ(Text(pPage, 1326), CString(L"(100.000000 rpm)"));
                                       Choose(pPage, 1317, 1);
                                       EXPECT_EQ(Text(pPage, 1327), CString(L"(0.01ms/step)"));
                                       Choose(pPage, 1317, 0);
                                       EXPECT_EQ(Text(pPage, 1327), CString(L"(0.005ms/step)"));
                                       EXPECT_FALSE(Shown(pPage, 1318));
                                       EXPECT_FALSE(Shown(pPage, 1546));
                                       Press(s, IDCANCEL);
                                   }});
}

TEST_F(ArrmxivPageTest, StepperSpeedFollowsTheTypingUpToEightDigitsAndReachesTheFile)
{
    // The speed counts units of the step time, which the step mode alone sets: the rpm figure
    // follows every key, the step time stays with the mode. Eight digits fit the device's item.
    Program& p = Open();
    CBlockObj* pBlock = AddBlock(p, 849);
    pBlock->m_nTime1High = 1;  // full step
    pBlock->m_nTime2High = 300;
    struct Case {
        const wchar_t *typed, *shown, *rpm;
    };
    const Case cases[] = {
        {L"0", L"0", L"(0 rpm)"},
        {L"7", L"7", L"(4285.714286 rpm)"},
        {L"123456789", L"99999999", L"(0.000300 rpm)"},
        {L"99999999", L"99999999", L"(0.000300 rpm)"},
    };
    RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                             CWnd* pPage = s.m_pPage;
                             EXPECT_EQ(Text(pPage, 1326), CString(L"(100.000000 rpm)"));
                             EXPECT_EQ(Text(pPage, 1327), CString(L"(0.01ms/step)"));
                             for (const Case& c : cases) {
                                 Type(pPage, 1320, c.typed);
                                 EXPECT_EQ(Text(pPage, 1320), CString(c.shown)) << c.typed;
                                 EXPECT_EQ(Text(pPage, 1326), CString(c.rpm)) << c.typed;
                                 EXPECT_EQ(Text(pPage, 1327), CString(L"(0.01ms/step)")) << c.typed;
                             }
                             Press(s, IDOK);
                         }});
    EXPECT_EQ(pBlock->m_nTime2High, 99999999);
    auto reloaded = SaveAndReload(p);
    CBlockObj* pSaved = reloaded->FindBlockByNumber(pBlock->m_nNumber);
    ASSERT_NE(pSaved, nullptr);
    EXPECT_EQ(pSaved->m_nTime2High, 99999999);
}

TEST_F(ArrmxivPageTest, DataMaxMinAvgShowsOnlyItsMode)
{
    Program& p = Open();
    RunSheet(p, AddBlock(p, 845), {[&](CAllPropertySheet& s) {
                                       CWnd* pPage = s.m_pPage;
                                       for (UINT id : {1266u, 1317u, 1546u, 1025u})
                                           EXPECT_TRUE(Shown(pPage, id)) << id;
                                       for (UINT id : {1319u, 1318u, 1320u, 1547u, 1323u, 1326u})
                                           EXPECT_FALSE(Shown(pPage, id)) << id;
                                       Press(s, IDCANCEL);
                                   }});
}

TEST_F(ArrmxivPageTest, StepperCountFromAnotherBlockAndTheSavedFile)
{
    Program& p = Open();
    CBlockObj* pSource = AddBlock(p, 803);
    CBlockObj* pBlock = AddBlock(p, 850);
    RunSheet(p, pBlock,
             {[&](CAllPropertySheet& s) {
                  CWnd* pPage = s.m_pPage;
                  Choose(pPage, 1317, 1);
                  Choose(pPage, 1319, 1);
                  Type(pPage, 1323, L"4000");
                  Type(pPage, 1320, L"777");
                  Click(pPage, 1547);
                  EXPECT_FALSE(Shown(pPage, 1320));
                  EXPECT_TRUE(Shown(pPage, 125));
                  EXPECT_FALSE(Shown(pPage, 1326));
                  Type(pPage, IDC_BLOCK_NAME, L"Motor");
              },
              [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    EXPECT_EQ(pBlock->m_nTime1High, 1);
    EXPECT_EQ(pBlock->m_nTime1Low, 1);
    EXPECT_EQ(pBlock->m_nPreWarn[1], 4000);
    EXPECT_EQ(pBlock->m_nTime2High, 100);  // the placeholder of a referenced speed
    EXPECT_EQ(pBlock->m_pRefBlock[1], pSource);
    EXPECT_EQ(pBlock->m_pRefBlock[0], nullptr);
    auto reloaded = SaveAndReload(p);
    CBlockObj* pSaved = reloaded->FindBlockByNumber(pBlock->m_nNumber);
    ASSERT_NE(pSaved, nullptr);
    EXPECT_EQ(pSaved->m_strName, CString(L"Motor"));
    EXPECT_EQ(pSaved->m_nPreWarn[1], 4000);
    EXPECT_EQ(pSaved->m_nRefNumber[1], pSource->m_nNumber);
}

TEST_F(ArrmxivPageTest, RefusedCountKeepsThePageOpenAndTheBlock)
{
    Program& p = Open();
    CBlockObj* pBlock = AddBlock(p, 856);
    const int count = pBlock->m_nTime2High;
    drv.Host().ClearMessageBoxes();
    RunSheet(p, pBlock,
             {[&](CAllPropertySheet& s) {
                  // Pasted past the clamp's reach: not a number.
                  s.m_pPage->GetDlgItem(1320)->SetWindowText(L"");
                  Press(s, IDOK);
              },
              [this](CAllPropertySheet& s) {
                  EXPECT_EQ(CWnd::GetFocus(), s.m_pPage->GetDlgItem(1320));
                  Press(s, IDCANCEL);
              }});
    EXPECT_EQ(drv.Host().MessageBoxes().size(), 1u);
    EXPECT_EQ(pBlock->m_nTime2High, count);
}

TEST_F(ArrmxivPageTest, ValueBoxOnlyForTheDataAndCrcBlocks)
{
    for (int type : {851, 856}) {
        Program& p = Open();
        CBlockObj* pBlock = AddBlock(p, type);
        CAllPropertySheet* pSheet = OpenModeless(p, pBlock);
        ASSERT_NE(pSheet, nullptr);
        EXPECT_EQ(pSheet->m_pPage->GetDlgItem(109) != nullptr, type == 856) << type;
        pSheet->SendMessage(WM_COMMAND, IDCANCEL);
        drv.Pump();
    }
}

}  // namespace
}  // namespace pagestest
