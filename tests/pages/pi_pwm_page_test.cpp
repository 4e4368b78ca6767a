// The PI controller and PWM pages: what OK leaves in the block and the saved file, the
// parameter sets, the integration time switch, the clamps while typing, the high-speed output's
// time base, the period and its reference, and the scaling made to agree at OK on both pages.
#include "PagesTestSupport.h"

#include "elements/BlockAnalog.h"
#include "pages/BlockPage.h"
#include "resources/resource.h"

namespace pagestest {
namespace {

class PiPwmPageTest : public PagesTest {
protected:
    static void Click(CBlockPage* pPage, UINT id)
    {
        CWnd* pButton = pPage->GetDlgItem(int(id));
        pButton->SetFocus();
        if ((pButton->GetStyle() & 0xF) == BS_AUTORADIOBUTTON)
            pPage->CheckRadioButton(1100, 1101, int(id));
        else if ((pButton->GetStyle() & 0xF) == BS_AUTOCHECKBOX)
            pPage->CheckDlgButton(int(id), pPage->IsDlgButtonChecked(int(id)) ? BST_UNCHECKED : BST_CHECKED);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(pButton->GetSafeHwnd()));
    }
    static CString Item(CWnd* pPage, UINT id, int i)
    {
        CString text;
        if (CComboBox* pCombo = ComboOf(pPage, id))
            pCombo->GetLBText(i, text);
        return text;
    }
};

TEST_F(PiPwmPageTest, PiOkStoresTheControllerAndReachesTheFile)
{
    Program& p = Open();
    CBlockObj* pSource = AddBlock(p, 803);
    auto* pBlock = static_cast<CBlockAnalog*>(AddBlock(p, 818));
    RunSheet(p, pBlock,
             {[&](CAllPropertySheet& s) {
                  CBlockPage* pPage = s.m_pPage;
                  EXPECT_FALSE(Enabled(pPage, 1024));  // Retentivity is shown, not editable
                  Choose(pPage, 1099, 6);
                  EXPECT_TRUE(Enabled(pPage, 1029));
                  Type(pPage, 1029, L"2.5");
                  Type(pPage, 1032, L"3");
                  Type(pPage, 1034, L"15");
                  Click(pPage, 1101);
                  Type(pPage, 1023, L"500");
                  Click(pPage, 1014);  // Mq from another block
                  Type(pPage, IDC_BLOCK_NAME, L"Loop");
              },
              [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    EXPECT_EQ(pBlock->m_nParamSet, 6);
    EXPECT_DOUBLE_EQ(pBlock->m_dKC, 2.5);
    EXPECT_EQ(pBlock->m_nTIMinutes, 3);
    EXPECT_EQ(pBlock->m_nTISeconds, 15);
    EXPECT_EQ(pBlock->m_nOption, 1);
    EXPECT_EQ(pBlock->m_nThreshold1, 500);
    EXPECT_EQ(pBlock->m_pRefBlock[1], pSource);
    auto reloaded = SaveAndReload(p);
    auto* pSaved = dynamic_cast<CBlockAnalog*>(reloaded->FindBlockByNumber(pBlock->m_nNumber));
    ASSERT_NE(pSaved, nullptr);
    EXPECT_EQ(pSaved->m_strName, CString(L"Loop"));
    EXPECT_DOUBLE_EQ(pSaved->m_dKC, 2.5);
    EXPECT_EQ(pSaved->m_nTISeconds, 15);
    EXPECT_EQ(pSaved->m_nOption, 1);
    EXPECT_EQ(pSaved->m_nRefNumber[1], pSource->m_nNumber);
}

TEST_F(PiPwmPageTest, PiParameterSetsIntegrationAndClamps)
{
    struct Set {
        int index;
        const wchar_t *kc, *minutes, *seconds;
    };
    const Set sets[] = {{0, L"0.5", L"0", L"30"}, {1, L"1", L"2", L"0"},    {2, L"3", L"0", L"5"},
                        {3, L"1.2", L"0", L"12"}, {4, L"1", L"99", L"59"}, {5, L"0.7", L"0", L"20"}};
    struct Clamp {
        UINT id;
        const wchar_t *typed, *shown;
    };
    const Clamp clamps[] = {{1023, L"30000", L"20000"}, {1023, L"-15000", L"-10000"}, {1026, L"2000", L"1000"},
                            {1026, L"-5", L"0"},        {1021, L"12", L"10"}};
    Program& p = Open();
    auto* pBlock = static_cast<CBlockAnalog*>(AddBlock(p, 818));
    RunSheet(p, pBlock,
             {[&](CAllPropertySheet& s) {
                  CBlockPage* pPage = s.m_pPage;
                  for (const Set& c : sets) {
                      Choose(pPage, 1099, c.index);
                      EXPECT_EQ(Text(pPage, 1029), CString(c.kc)) << c.index;
                      EXPECT_EQ(Text(pPage, 1032), CString(c.minutes)) << c.index;
                      EXPECT_EQ(Text(pPage, 1034), CString(c.seconds)) << c.index;
                      EXPECT_TRUE(pPage->IsDlgButtonChecked(1031)) << c.index;
                      EXPECT_FALSE(Enabled(pPage, 1031)) << c.index;
                  }
                  Choose(pPage, 1099, 6);
                  for (const Clamp& c : clamps) {
                      Type(pPage, c.id, c.typed);
                      EXPECT_EQ(Text(pPage, c.id), CString(c.shown)) << c.id << " " << c.typed;
                  }
                  // A third whole digit of KC starts the decimals; a pasted larger value is cut.
                  Type(pPage, 1029, L"150");
                  EXPECT_EQ(Text(pPage, 1029), CString(L"15.0"));
                  pPage->GetDlgItem(1029)->SetWindowText(L"150");
                  EXPECT_EQ(Text(pPage, 1029), CString(L"99.99"));
                  // Clearing TI shows 99:59; setting it again brings the earlier time back.
                  Type(pPage, 1032, L"4");
                  Type(pPage, 1034, L"40");
                  Click(pPage, 1031);
                  EXPECT_EQ(Text(pPage, 1032), CString(L"99"));
                  EXPECT_FALSE(Enabled(pPage, 1034));
                  Click(pPage, 1031);
                  EXPECT_EQ(Text(pPage, 1032), CString(L"4"));
                  EXPECT_EQ(Text(pPage, 1034), CString(L"40"));
                  // A user set left at 99:59 does not integrate.
                  Type(pPage, 1032, L"99");
                  Type(pPage, 1034, L"59");
              },
              [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    EXPECT_EQ(pBlock->m_nParamSet, 6);
    EXPECT_EQ(pBlock->m_bUseTI, 0);
    EXPECT_EQ(pBlock->m_nThreshold2, 0);
}

TEST_F(PiPwmPageTest, PiRefusesAnIntegrationTimeOutOfRange)
{
    Program& p = Open();
    auto* pBlock = static_cast<CBlockAnalog*>(AddBlock(p, 818));
    const int seconds = pBlock->m_nTISeconds;
    drv.Host().ClearMessageBoxes();
    RunSheet(p, pBlock,
             {[&](CAllPropertySheet& s) {
                  Choose(s.m_pPage, 1099, 6);
                  // Pasted past the edit's own filter.
                  s.m_pPage->GetDlgItem(1034)->SetWindowText(L"75");
                  Press(s, IDOK);
              },
              [this](CAllPropertySheet& s) {
                  EXPECT_EQ(CWnd::GetFocus(), s.m_pPage->GetDlgItem(1034));
                  Press(s, IDCANCEL);
              }});
    EXPECT_EQ(drv.Host().MessageBoxes().size(), 1u);
    EXPECT_EQ(pBlock->m_nTISeconds, seconds);
}

TEST_F(PiPwmPageTest, PwmOutputRenamesTheThirdTimeBaseAndKeepsTheChoice)
{
    Program& p = Open();
    auto* pBlock = static_cast<CBlockAnalog*>(AddBlock(p, 819));
    pBlock->m_nTime1Base = 2, pBlock->m_nTime1High = 5, pBlock->m_nTime1Low = 0;
    RunSheet(p, pBlock,
             {[&](CAllPropertySheet& s) {
                  CBlockPage* pPage = s.m_pPage;
                  EXPECT_EQ(pPage->GetDlgItem(1024), nullptr);  // no Retentivity on this page
                  Choose(pPage, 1325, 2);
                  EXPECT_EQ(Item(pPage, 1548, 2), CString(L"100ms:ms"));
                  EXPECT_EQ(ComboOf(pPage, 1548)->GetCurSel(), 2);
                  Choose(pPage, 1325, 4);
                  EXPECT_EQ(Item(pPage, 1548, 2), CString(L"Seconds(s:1/100s)"));
                  EXPECT_EQ(ComboOf(pPage, 1548)->GetCurSel(), 2);
                  // 5:75 under the third base; minutes cut the low part to 59.
                  Type(pPage, 1549, L"75");
                  Choose(pPage, 1548, 1);
                  EXPECT_EQ(Text(pPage, 1549), CString(L"59"));
                  Type(pPage, 1023, L"25000");
                  EXPECT_EQ(Text(pPage, 1023), CString(L"20000"));
                  Choose(pPage, 1325, 1);
              },
              [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    EXPECT_EQ(pBlock->m_nOption, 1);
    EXPECT_EQ(pBlock->m_nTime1Base, 1);
    EXPECT_EQ(pBlock->m_nTime1High, 5);
    EXPECT_EQ(pBlock->m_nTime1Low, 59);
    EXPECT_EQ(pBlock->m_nThreshold1, 20000);
    auto reloaded = SaveAndReload(p);
    auto* pSaved = dynamic_cast<CBlockAnalog*>(reloaded->FindBlockByNumber(pBlock->m_nNumber));
    ASSERT_NE(pSaved, nullptr);
    EXPECT_EQ(pSaved->m_nOption, 1);
    EXPECT_EQ(pSaved->m_nTime1Low, 59);
}

TEST_F(PiPwmPageTest, PwmReferencedPeriodAndScalingMadeToAgreeAtOk)
{
    Program& p = Open();
    CBlockObj* pSource = AddBlock(p, 803);
    auto* pBlock = static_cast<CBlockAnalog*>(AddBlock(p, 819));
    pBlock->m_nTime1High = 7, pBlock->m_nTime1Low = 30;
    RunSheet(p, pBlock,
             {[&](CAllPropertySheet& s) {
                  CBlockPage* pPage = s.m_pPage;
                  // On and off again: no block is left referenced.
                  Click(pPage, 1546);
                  Click(pPage, 1546);
                  EXPECT_TRUE(pPage->GetDlgItem(1550)->IsWindowVisible());
                  Click(pPage, 1546);
                  EXPECT_FALSE(pPage->GetDlgItem(1550)->IsWindowVisible());
                  Choose(pPage, 102, 1);
                  Type(pPage, 1093, L"1234");
                  EXPECT_EQ(Text(pPage, 1021), CString(L"1.23"));
              },
              [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    EXPECT_EQ(pBlock->m_pRefBlock[0], pSource);
    EXPECT_EQ(pBlock->m_nRefUnit1, 1);
    EXPECT_EQ(pBlock->m_nTime1High, 0);
    EXPECT_EQ(pBlock->m_nTime1Low, 0);
    // The stored maximum is the one the stored gain gives.
    EXPECT_DOUBLE_EQ(pBlock->m_dGain, 1.23);
    EXPECT_EQ(pBlock->m_nRangeMax, 1230);
}

TEST_F(PiPwmPageTest, PwmApplyWhileSimulatingCarriesThePeriodAndOutput)
{
    Program& p = Open();
    auto* pBlock = static_cast<CBlockAnalog*>(AddBlock(p, 819));
    CAllPropertySheet* pSheet = OpenModeless(p, pBlock);
    ASSERT_NE(pSheet, nullptr);
    Choose(pSheet->m_pPage, 1325, 3);
    Type(pSheet->m_pPage, 1550, L"12");
    Press(*pSheet, ID_APPLY_NOW);
    ASSERT_EQ(p.view->m_applied.size(), 1u);
    EXPECT_EQ(pBlock->m_nOption, 3);
    EXPECT_EQ(pBlock->m_nTime1High, 12);
}

}  // namespace
}  // namespace pagestest
