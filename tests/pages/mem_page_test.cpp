// The memory block's page: the list of blocks it may refer to (never itself), the parameter
// names of the chosen block's type, and the reference that follows the choice through OK and
// the saved file.
#include "PagesTestSupport.h"

#include "elements/BlockObj.h"
#include "pages/Mem.h"

namespace pagestest {
namespace {

class MemPageTest : public PagesTest {
protected:
    static int ItemOf(CComboBox* pList, const CBlockObj* pBlock)
    {
        CString key;
        key.Format(L"B%d[", pBlock->m_nNumber - 9000);
        for (int i = 0; i < pList->GetCount(); ++i) {
            CString text;
            pList->GetLBText(i, text);
            if (text.Left(key.GetLength()) == key)
                return i;
        }
        return -1;
    }
};

TEST_F(MemPageTest, AChosenBlockAndParameterReachTheBlockAndTheFile)
{
    Program& p = Open();
    CBlockObj* pSource = AddBlock(p, 801);
    CBlockObj* pMem = AddBlock(p, 847);
    RunSheet(p, pMem,
             {[&](CAllPropertySheet& s) {
                  CComboBox* pList = ComboOf(s.m_pPage, IDC_MEM_BLOCK);
                  CComboBox* pIndex = ComboOf(s.m_pPage, IDC_MEM_INDEX);
                  ASSERT_TRUE(pList && pIndex);
                  EXPECT_EQ(pList->GetCurSel(), 0);
                  EXPECT_EQ(ItemOf(pList, pMem), -1);  // never itself
                  ASSERT_EQ(pIndex->GetCount(), 1);    // the dash line alone
                  const int item = ItemOf(pList, pSource);
                  ASSERT_GT(item, 0);
                  Choose(s.m_pPage, IDC_MEM_BLOCK, item);
                  ASSERT_EQ(pIndex->GetCount(), 4);    // the hours counter's parameter names
                  EXPECT_EQ(pIndex->GetCurSel(), 0);
                  Choose(s.m_pPage, IDC_MEM_INDEX, 1);
                  s.m_pPage->CheckDlgButton(IDC_RETENTIVITY, BST_CHECKED);
              },
              [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    EXPECT_EQ(pMem->m_pRefBlock[0], pSource);
    EXPECT_EQ(pMem->m_bRef[0], TRUE);
    EXPECT_EQ(pMem->m_nTime1Low, 1);
    EXPECT_EQ(pMem->m_bRetentive, TRUE);
    auto reloaded = SaveAndReload(p);
    const CBlockObj* pSaved = reloaded->FindBlockByNumber(pMem->m_nNumber);
    EXPECT_EQ(pSaved->m_nRefNumber[0], pSource->m_nNumber);
    EXPECT_EQ(pSaved->m_nTime1Low, 1);

    // Back to the dash line: the reference goes, flag and all.
    RunSheet(p, pMem, {[&](CAllPropertySheet& s) {
                           Choose(s.m_pPage, IDC_MEM_BLOCK, 0);
                           CComboBox* pIndex = ComboOf(s.m_pPage, IDC_MEM_INDEX);
                           ASSERT_NE(pIndex, nullptr);
                           EXPECT_EQ(pIndex->GetCount(), 1);
                       },
                       [this](CAllPropertySheet& s) { Press(s, IDOK); }});
    EXPECT_EQ(pMem->m_pRefBlock[0], nullptr);
    EXPECT_EQ(pMem->m_bRef[0], FALSE);
}

}  // namespace
}  // namespace pagestest
