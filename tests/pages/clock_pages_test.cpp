// The weekly timer, the yearly timer with its date selection and the astronomical clock,
// worked through the view: cams stored Sunday first, dates that cannot exist refused, and the
// city list edited in place with names that fit the city file.
#include "SecondSetSupport.h"

#include "elements/BlockTime.h"
#include "pages/AstroClock.h"
#include "pages/DateSelectDlg.h"
#include "pages/WeeklyGeneral.h"
#include "pages/YearlyTimer.h"
#include "resources/resource.h"
#include "shell/CityTable.h"

namespace pagestest {
namespace {

class ClockPagesTest : public PagesTest {
protected:
    void SetUp() override
    {
        PagesTest::SetUp();
        ResetCityTable(g_arrAstroCities);
    }
    void TearDown() override
    {
        ResetCityTable(g_arrAstroCities);
        PagesTest::TearDown();
    }
};

TEST_F(ClockPagesTest, WeeklyCamsAreShownMondayFirstAndStoredSundayFirst)
{
    Program& p = Open();
    auto* pBlock = dynamic_cast<CBlockTime*>(AddBlock(p, 410));
    ASSERT_NE(pBlock, nullptr);
    pBlock->m_bCamDays[0][0] = pBlock->m_bCamDays[0][1] = 1;  // Sunday, Monday
    pBlock->m_nCamOn[2][0] = 6;                                 // the third cam stays unopened
    pBlock->m_bCamOnOff[2] = 0;
    RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                             ASSERT_EQ(s.GetPageCount(), 5);  // general, three cams, comment
                             Type(s.m_pPage, IDC_BLOCK_NAME, L"Week");
                             ASSERT_TRUE(s.SetActivePage(1));
                             CWnd* pCam = s.GetActivePage();
                             EXPECT_TRUE(Checked(pCam, 1049));  // Monday
                             EXPECT_TRUE(Checked(pCam, 1055));  // Sunday
                             Click(pCam, 1054);                            // Saturday
                             Click(pCam, 1056);                            // On time enabled
                             Type(pCam, 1058, L"27");
                             EXPECT_EQ(Text(pCam, 1058), L"23");
                             Type(pCam, 1019, L"99");
                             EXPECT_EQ(Text(pCam, 1019), L"59");
                             ASSERT_TRUE(s.SetActivePage(2));
                             ASSERT_TRUE(s.SetActivePage(0));
                             // Pulse Output takes the Off time away on every opened cam.
                             Click(s.m_pPage, 1076);
                             EXPECT_FALSE(Enabled(s.GetPage(1), 1065));
                             EXPECT_FALSE(Enabled(s.GetPage(2), 1062));
                             Press(s, IDOK);
                         }});
    EXPECT_EQ(pBlock->m_strName, CString(L"Week"));
    EXPECT_EQ(pBlock->m_nPulse, 1);
    EXPECT_EQ(pBlock->m_bCamDays[0][6], 1);
    EXPECT_EQ(pBlock->m_bCamDays[0][0], 1);
    EXPECT_EQ(pBlock->m_nCamOn[0][0], 23);
    EXPECT_EQ(pBlock->m_nCamOn[0][1], 59);
    EXPECT_EQ(pBlock->m_bCamOnOff[0], 0);
    EXPECT_EQ(pBlock->m_nCamOn[2][0], 6);
    EXPECT_EQ(pBlock->m_bCamOnOff[2], 0);
    auto reloaded = SaveAndReload(p);
    auto* pSaved = dynamic_cast<CBlockTime*>(reloaded->FindBlockByNumber(pBlock->m_nNumber));
    ASSERT_NE(pSaved, nullptr);
    EXPECT_EQ(pSaved->m_bCamDays[0][6], 1);
    EXPECT_EQ(pSaved->m_nCamOn[0][0], 23);
}

TEST_F(ClockPagesTest, YearlyDatesThatCannotExistAreRefused)
{
    struct Case {
        const wchar_t *month, *day;
        int lastDay;  // 0: accepted
    };
    const Case cases[] = {{L"4", L"31", 30}, {L"2", L"29", 0}, {L"2", L"30", 29}, {L"6", L"0", 30}, {L"12", L"31", 0}};
    for (const Case& c : cases) {
        Program& p = Open();
        CBlockObj* pBlock = AddBlock(p, 411);
        drv.Host().ClearMessageBoxes();
        std::vector<std::function<void(CAllPropertySheet&)>> steps = {[&](CAllPropertySheet& s) {
            s.m_pPage->SetDlgItemText(1068, c.month);
            s.m_pPage->SetDlgItemText(1069, c.day);
            Press(s, IDOK);
        }};
        if (c.lastDay != 0)
            steps.push_back([&](CAllPropertySheet& s) { Press(s, IDCANCEL); });
        RunSheet(p, pBlock, steps);
        if (c.lastDay == 0) {
            EXPECT_TRUE(drv.Host().MessageBoxes().empty()) << c.month << "." << c.day;
            EXPECT_EQ(pBlock->m_nTime1Low, _wtoi(c.day));
            continue;
        }
        CString expected;
        expected.Format(L"Enter an Integer between %d and %d.", 1, c.lastDay);
        ASSERT_EQ(drv.Host().MessageBoxes().size(), 1u) << c.month << "." << c.day;
        EXPECT_EQ(drv.Host().MessageBoxes()[0].text, std::wstring(expected.GetString()));
        EXPECT_EQ(pBlock->m_nTime1Low, 1);
        EXPECT_EQ(pBlock->m_nTime1High, 1);
    }
}

TEST_F(ClockPagesTest, YearlyFieldsReachTheBlockAndOlderDevicesKeepTheirYears)
{
    for (int code : {0x5188, 0x4088}) {
        Program& p = Open();
        p.doc->m_nHardwareCode = WORD(code);
        CBlockObj* pBlock = AddBlock(p, 411);
        pBlock->m_nYearStart = 1999;  // never set on an older device
        RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                                 const bool bNew = code >= 0x5100;
                                 EXPECT_EQ(Shown(s.m_pPage, 1078), bNew);
                                 Type(s.m_pPage, 1068, L"3");
                                 Type(s.m_pPage, 1069, L"15");
                                 Type(s.m_pPage, 1070, L"10");
                                 Type(s.m_pPage, 1071, L"31");
                                 if (bNew) {
                                     Type(s.m_pPage, 1078, L"2030");
                                     Click(s.m_pPage, 1076);
                                     EXPECT_FALSE(Enabled(s.m_pPage, 1071));
                                 }
                                 Click(s.m_pPage, 1066);
                                 EXPECT_FALSE(Enabled(s.m_pPage, 1068));
                                 Click(s.m_pPage, IDC_PROTECTION);
                                 Press(s, IDOK);
                             }});
        EXPECT_EQ(pBlock->m_nTime1High, 3);
        EXPECT_EQ(pBlock->m_nTime1Low, 15);
        EXPECT_EQ(pBlock->m_nTime2High, 10);
        EXPECT_EQ(pBlock->m_nTime2Low, 31);
        EXPECT_EQ(pBlock->m_nMonthly, 1);
        EXPECT_EQ(pBlock->m_bProtected, TRUE);
        EXPECT_EQ(pBlock->m_nYearStart, code >= 0x5100 ? 2030 : 1999);
        EXPECT_EQ(pBlock->m_nPulse, code >= 0x5100 ? 1 : 0);
        auto reloaded = SaveAndReload(p);
        EXPECT_EQ(reloaded->FindBlockByNumber(pBlock->m_nNumber)->m_nTime2High, 10);
    }
}

// The date dialog's OK for a sequence of clicks, with and without a 29 February.
TEST_F(ClockPagesTest, DateSelectionEnablesOkOnlyForDatesThatExist)
{
    struct Case {
        int allowFeb29;
        std::vector<int> clicks;  // month buttons 1..12 as -m, day buttons as d
        bool ok;
    };
    const Case cases[] = {
        {1, {-2, 30}, false}, {1, {-2, 30, 29}, true}, {1, {-4, 31}, false}, {1, {31, -4}, false},
        {1, {31, -5}, true},  {0, {-2, 29}, false},    {0, {29, -2}, false}, {0, {29, -2, -3}, true},
        {0, {-2, 28}, true},
    };
    for (const Case& c : cases) {
        CDateSelectDlg dlg;
        dlg.m_bAllowFeb29 = c.allowFeb29;
        dlg.m_nOnMonth = 6, dlg.m_nOnDay = 15;
        bool ok = false;
        drv.Host().QueueIdleStep([&] {
            CWnd* pDlg = CWnd::GetActiveWindow();
            ASSERT_NE(pDlg, nullptr);
            for (int k : c.clicks) {
                const UINT id = k < 0 ? UINT(1321 - k) : UINT(1333 + k);
                pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
            }
            ok = pDlg->GetDlgItem(IDOK)->IsWindowEnabled();
            pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(ok ? IDOK : IDCANCEL, BN_CLICKED), 0);
        });
        const INT_PTR result = dlg.DoModal();
        EXPECT_EQ(ok, c.ok) << c.allowFeb29 << " " << c.clicks.size();
        if (c.ok) {
            EXPECT_EQ(result, IDOK);
            EXPECT_LE(dlg.m_nOnDay, CDateSelectDlg::MonthLength(dlg.m_nOnMonth, c.allowFeb29));
        }
    }
}

TEST_F(ClockPagesTest, AstroCitiesAreChosenSavedAndRemovedInTheSharedList)
{
    Program& p = Open();
    CBlockObj* pBlock = AddBlock(p, 412);
    pBlock->m_strParam = L"UK - London";
    drv.Host().ClearMessageBoxes();
    RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                             CWnd* pPage = s.m_pPage;
                             EXPECT_EQ(Selection(pPage, 1565), 3);
                             EXPECT_FALSE(Enabled(pPage, 1271));
                             EXPECT_FALSE(Shown(pPage, 1268));
                             Pick(pPage, 1565, 0);
                             EXPECT_TRUE(Shown(pPage, 1006));
                             // A name over the city file's 25 characters is refused, not cut.
                             pPage->SetDlgItemText(1006, L"Abcdefghijklmnopqrstuvwxyz");
                             Click(pPage, 1268);
                             EXPECT_EQ(g_arrAstroCities.GetSize(), kBuiltInCities);
                             pPage->SetDlgItemText(1006, L"uk - LONDON");
                             Click(pPage, 1268);
                             pPage->SetDlgItemText(1006, L"Home  ");
                             pPage->SetDlgItemText(1271, L"180");
                             pPage->SetDlgItemText(1272, L"30");
                             Click(pPage, 1268);
                             ASSERT_EQ(g_arrAstroCities.GetSize(), kBuiltInCities + 1);
                             EXPECT_EQ(g_arrAstroCities[kBuiltInCities].m_strName, CString(L"Home"));
                             EXPECT_EQ(g_arrAstroCities[kBuiltInCities].m_nLongDeg, 180);
                             EXPECT_EQ(g_arrAstroCities[kBuiltInCities].m_nLongMin, 0);
                             EXPECT_TRUE(Shown(pPage, 1267));
                             EXPECT_EQ(Text(pPage, 1268), L"Update");
                             Press(s, IDOK);
                         }});
    const auto& boxes = drv.Host().MessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, L"A location name has at most 25 characters.");
    EXPECT_EQ(boxes[1].text, L"This city name already exists.");
    EXPECT_EQ(boxes[2].text, L"Save successfully.");
    EXPECT_EQ(pBlock->m_strParam, CString(L"Home"));
    EXPECT_EQ(pBlock->m_nTime1Base, kBuiltInCities);
    EXPECT_EQ(pBlock->m_nTime2High, 180);

    // Removing the only user city shows Madrid with Madrid's own place.
    RunSheet(p, pBlock, {[&](CAllPropertySheet& s) {
                             Click(s.m_pPage, 1267);
                             EXPECT_EQ(Selection(s.m_pPage, 1565), kBuiltInCities - 1);
                             EXPECT_EQ(Text(s.m_pPage, 1271),
                                       std::to_wstring(g_arrAstroCities[kBuiltInCities - 1].m_nLongDeg));
                             Press(s, IDOK);
                         }});
    EXPECT_EQ(g_arrAstroCities.GetSize(), kBuiltInCities);
    EXPECT_EQ(pBlock->m_nTime1Base, kBuiltInCities - 1);
    EXPECT_EQ(pBlock->m_nTime2High, g_arrAstroCities[kBuiltInCities - 1].m_nLongDeg);
    auto reloaded = SaveAndReload(p);
    EXPECT_EQ(reloaded->FindBlockByNumber(pBlock->m_nNumber)->m_nTime2High, g_arrAstroCities[kBuiltInCities - 1].m_nLongDeg);
}

}  // namespace
}  // namespace pagestest
