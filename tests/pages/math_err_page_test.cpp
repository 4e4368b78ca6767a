// The error detection page: its list of mathematical instruction blocks, what OK stores, and the
// name limit that holds on this page too.
#include "PagesTestSupport.h"

#include "elements/BlockObj.h"
#include "pages/MathErr.h"

namespace pagestest {
namespace {

class MathErrPageTest : public PagesTest {};

TEST_F(MathErrPageTest, TheListOffersOnlyMathematicalInstructionsAndOkStoresTheChoice)
{
    Program& p = Open();
    CBlockObj* pFirst = AddBlock(p, 815);
    AddBlock(p, 803);
    CBlockObj* pSecond = AddBlock(p, 815);
    CBlockObj* pErr = AddBlock(p, 823);
    pErr->m_nTime1High = 7;
    std::vector<CString> items;
    RunSheet(p, pErr, {[&](CAllPropertySheet& s) {
                           CComboBox* pList = ComboOf(s.m_pPage, IDC_MATHERR_BLOCK);
                           ASSERT_NE(pList, nullptr);
                           EXPECT_EQ(pList->GetCurSel(), 0);
                           for (int i = 0; i < pList->GetCount(); ++i) {
                               CString text;
                               pList->GetLBText(i, text);
                               items.push_back(text);
                           }
                           EXPECT_EQ(s.m_pPage->IsDlgButtonChecked(IDC_MATHERR_KIND), UINT(BST_CHECKED));
                           pList->SetCurSel(2);
                           s.m_pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MATHERR_BLOCK, CBN_SELCHANGE),
                                                  reinterpret_cast<LPARAM>(pList->GetSafeHwnd()));
                           CWnd* pOverflow = s.m_pPage->GetDlgItem(1292);
                           pOverflow->SendMessage(BM_SETCHECK, BST_CHECKED);
                           s.m_pPage->GetDlgItem(IDC_MATHERR_KIND)->SendMessage(BM_SETCHECK, BST_UNCHECKED);
                           s.m_pPage->SendMessage(WM_COMMAND, MAKEWPARAM(1292, BN_CLICKED),
                                                  reinterpret_cast<LPARAM>(pOverflow->GetSafeHwnd()));
                           Press(s, IDOK);
                       }});
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], CString(L'-', 35));
    EXPECT_EQ(items[1].Left(2), CString(L"B") + CString(std::to_wstring(pFirst->m_nNumber - 9000).c_str()));
    EXPECT_EQ(pErr->m_pRefBlock[0], pSecond);
    EXPECT_TRUE(pErr->m_bRef[0]);
    EXPECT_EQ(pErr->m_nRefNumber[0], pSecond->m_nNumber);
    EXPECT_EQ(pErr->m_nTime1High, 0);
    EXPECT_EQ(pErr->m_nTime1Low, 1);
}

TEST_F(MathErrPageTest, NoChoiceClearsTheReferenceAndTheNameKeepsEightCharacters)
{
    Program& p = Open();
    CBlockObj* pMath = AddBlock(p, 815);
    CBlockObj* pErr = AddBlock(p, 823);
    pErr->m_pRefBlock[0] = pMath, pErr->m_bRef[0] = TRUE, pErr->m_nRefNumber[0] = pMath->m_nNumber;
    drv.Host().ClearMessageBoxes();
    RunSheet(p, pErr, {[this](CAllPropertySheet& s) {
                           CComboBox* pList = ComboOf(s.m_pPage, IDC_MATHERR_BLOCK);
                           ASSERT_NE(pList, nullptr);
                           EXPECT_EQ(pList->GetCurSel(), 1);
                           Choose(s.m_pPage, IDC_MATHERR_BLOCK, 0);
                           // The ninth character typed is refused.
                           Type(s.m_pPage, IDC_BLOCK_NAME, L"NINECHARS");
                       },
                       [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    EXPECT_TRUE(drv.Host().MessageBoxes().empty());
    EXPECT_EQ(std::wstring(pErr->m_strName.GetString()), L"NINECHAR");
    EXPECT_FALSE(pErr->m_bRef[0]);
    EXPECT_EQ(pErr->m_pRefBlock[0], nullptr);
    EXPECT_EQ(pErr->m_nRefNumber[0], -1);
}

}  // namespace
}  // namespace pagestest
