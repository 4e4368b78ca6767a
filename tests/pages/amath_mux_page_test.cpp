// The page of the mathematical instruction and the analog multiplexer: what each type shows, the
// priorities that stay a permutation, refused values, and what OK leaves in the block.
#include "PagesTestSupport.h"

#include "elements/BlockAnalog.h"
#include "pages/AMathMux.h"

namespace pagestest {
namespace {

class AMathMuxPageTest : public PagesTest {
protected:
    int Selected(CWnd* pPage, UINT id)
    {
        CComboBox* pCombo = ComboOf(pPage, id);
        return pCombo ? pCombo->GetCurSel() : -2;
    }
};

TEST_F(AMathMuxPageTest, TheMultiplexerShowsItsSelectorsAndNoOperators)
{
    Program& p = Open();
    CBlockObj* pMux = AddBlock(p, 816);
    RunSheet(p, pMux, {[this](CAllPropertySheet& s) {
                           EXPECT_EQ(Text(s.m_pPage, 1258), CString(L"V1(S1=0;S2=0)"));
                           EXPECT_EQ(Text(s.m_pPage, 1265), CString(L"V2(S1=0;S2=1)"));
                           EXPECT_EQ(Text(s.m_pPage, 1279), CString(L"V4(S1=1;S2=1)"));
                           for (UINT id : {1257u, 1083u, 1259u, 1260u})
                               EXPECT_FALSE(s.m_pPage->GetDlgItem(int(id))->IsWindowVisible()) << id;
                           Type(s.m_pPage, 1096, L"7");
                           EXPECT_EQ(Text(s.m_pPage, 1096), CString(L"3"));
                           EXPECT_EQ(Text(s.m_pPage, 1098), CString(L"+12.345"));
                           Press(s, IDCANCEL);
                       }});
}

TEST_F(AMathMuxPageTest, PrioritiesStayAPermutationAndOkStoresTheFormula)
{
    Program& p = Open();
    auto* pMath = static_cast<CBlockAnalog*>(AddBlock(p, 815));
    pMath->m_nTime1Base = 2, pMath->m_nTime2Base = 1, pMath->m_nPreWarn[2] = 0;  // H, M, L
    RunSheet(p, pMath,
             {[this](CAllPropertySheet& s) {
                  ASSERT_EQ(Selected(s.m_pPage, 1083), 2);
                  Choose(s.m_pPage, 1084, 2);               // Priority 2 takes H ...
                  EXPECT_EQ(Selected(s.m_pPage, 1083), 1);  // ... Priority 1 its former M
                  EXPECT_EQ(Selected(s.m_pPage, 1085), 0);
                  Choose(s.m_pPage, 1251, 3);  // operator 2: "/"
                  Type(s.m_pPage, 1252, L"12");
                  Type(s.m_pPage, 1276, L"-300");
              },
              [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    EXPECT_EQ(pMath->m_nTime1High, 12);
    EXPECT_EQ(pMath->m_nPreWarn[3], -300);
    EXPECT_EQ(pMath->m_nTime2Low, 3);
    EXPECT_EQ(pMath->m_nTime1Base, 1);
    EXPECT_EQ(pMath->m_nTime2Base, 2);
    EXPECT_EQ(pMath->m_nPreWarn[2], 0);
    auto reloaded = SaveAndReload(p);
    CBlockObj* pSaved = reloaded->FindBlockByNumber(pMath->m_nNumber);
    EXPECT_EQ(pSaved->m_nPreWarn[3], -300);
    EXPECT_EQ(pSaved->m_nTime2Base, 2);
}

TEST_F(AMathMuxPageTest, AValueOutOfRangeKeepsTheSheetOpenOnThatValue)
{
    Program& p = Open();
    CBlockObj* pMath = AddBlock(p, 815);
    drv.Host().ClearMessageBoxes();
    RunSheet(p, pMath, {[this](CAllPropertySheet& s) { Type(s.m_pPage, 1269, L"32768"); },
                        [this](CAllPropertySheet& s) { Press(s, IDOK); },
                        [this](CAllPropertySheet& s) {
                            EXPECT_EQ(CWnd::GetFocus(), s.m_pPage->GetDlgItem(1269));
                            Press(s, IDCANCEL);
                        }});
    EXPECT_EQ(drv.Host().MessageBoxes().size(), 1u);
    EXPECT_EQ(pMath->m_nPreWarn[1], 0);
}

TEST_F(AMathMuxPageTest, EachValueMayComeFromAnotherBlock)
{
    Program& p = Open();
    CBlockObj* pSource = AddBlock(p, 803);
    CBlockObj* pMux = AddBlock(p, 816);
    RunSheet(p, pMux, {[](CAllPropertySheet& s) {
                           for (UINT id : {1264u, 1278u, 1278u}) {  // V2 on, V4 on and off again
                               CWnd* pButton = s.m_pPage->GetDlgItem(int(id));
                               ASSERT_TRUE(pButton->IsWindowEnabled());
                               s.m_pPage->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                                      reinterpret_cast<LPARAM>(pButton->GetSafeHwnd()));
                           }
                           EXPECT_FALSE(s.m_pPage->GetDlgItem(1262)->IsWindowVisible());
                           EXPECT_TRUE(s.m_pPage->GetDlgItem(1276)->IsWindowVisible());
                       },
                       [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    EXPECT_EQ(pMux->m_pRefBlock[1], pSource);
    EXPECT_EQ(pMux->m_nRefNumber[1], pSource->m_nNumber);
    EXPECT_EQ(pMux->m_pRefBlock[3], nullptr);
    EXPECT_FALSE(pMux->m_bRef[3]);
}

}  // namespace
}  // namespace pagestest
