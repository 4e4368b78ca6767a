// The data log page through the view: rows chosen from the block and parameter lists, the
// operand numbers their texts stand for, the 33rd item refused, and the stored list shown again.
#include "SecondSetSupport.h"

#include "elements/BlockDataLog.h"
#include "pages/BlockPage.h"
#include "pages/DataLog.h"

namespace pagestest {
namespace {

class DataLogPageTest : public PagesTest {
protected:
    // Selects the first entry of a list box that begins with `prefix` and tells the page.
    static void PickStarting(CWnd* pPage, UINT nID, const wchar_t* prefix)
    {
        CWnd* pList = pPage->GetDlgItem(int(nID));
        ASSERT_NE(pList, nullptr);
        const int pos = int(pList->SendMessage(LB_FINDSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(prefix)));
        ASSERT_GE(pos, 0) << prefix;
        pList->SendMessage(LB_SETCURSEL, WPARAM(pos), 0);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(nID, LBN_SELCHANGE), reinterpret_cast<LPARAM>(pList->GetSafeHwnd()));
    }
    static int ListCount(CWnd* pPage, UINT nID) { return int(pPage->GetDlgItem(int(nID))->SendMessage(LB_GETCOUNT, 0, 0)); }
};

TEST_F(DataLogPageTest, RowTextsStandForTheirOperands)
{
    struct Case {
        const wchar_t* text;
        int operand;
    };
    const Case cases[] = {{L"I108-I115", 140}, {L"I000-I007", 100}, {L"I724-I731", 348}, {L"Q008-Q015", 608},
                          {L"Q000-Q007", 600}, {L"Q108-Q115", 624}, {L"AI102[Analog input]", 4010},
                          {L"AQ103[Analog output]", 4237}, {L"AM17[Analog flag]", 4305}, {L"M8-M15", 1324},
                          {L"B12[Max/Min]", 9012}, {L"X3", -1}};
    for (const Case& c : cases)
        EXPECT_EQ(DataLogOperandOf(c.text), c.operand) << c.text;
}

TEST_F(DataLogPageTest, ItemsAreChosenStoredAndShownAgain)
{
    Program& p = Open();
    CBlockObj* pCounter = AddBlock(p, 800);
    auto* pLog = dynamic_cast<CBlockDataLog*>(AddBlock(p, 911));
    ASSERT_NE(pLog, nullptr);
    CString counterEntry;
    counterEntry.Format(L"B%d", pCounter->m_nNumber - 9000);
    int parameters = 0;
    RunSheet(p, pLog, {[&](CAllPropertySheet& s) {
                           CWnd* pPage = s.m_pPage;
                           EXPECT_FALSE(Enabled(pPage, 1121));
                           PickStarting(pPage, 1120, L"I108");
                           EXPECT_TRUE(Enabled(pPage, 1121));
                           Click(pPage, 1121);
                           PickStarting(pPage, 1120, L"I108");  // already logged
                           EXPECT_FALSE(Enabled(pPage, 1121));
                           PickStarting(pPage, 1120, L"AM17");
                           Click(pPage, 1121);
                           PickStarting(pPage, 1120, counterEntry);
                           EXPECT_FALSE(Enabled(pPage, 1121));
                           parameters = ListCount(pPage, 1122);
                           ASSERT_GT(parameters, 0);
                           pPage->GetDlgItem(1122)->SendMessage(LB_SETCURSEL, 0, 0);
                           pPage->SendMessage(WM_COMMAND, MAKEWPARAM(1122, LBN_SELCHANGE), 0);
                           Click(pPage, 1121);
                           EXPECT_EQ(ListCount(pPage, 1122), parameters - 1);
                           Click(pPage, IDC_PROTECTION);
                           Press(s, IDOK);
                       }});
    ASSERT_EQ(pLog->m_aItems.GetSize(), 3);
    EXPECT_EQ(pLog->m_aItems[0].m_nOperand, 140);
    EXPECT_EQ(pLog->m_aItems[1].m_nOperand, 4305);
    EXPECT_EQ(pLog->m_aItems[2].m_nOperand, pCounter->m_nNumber);
    EXPECT_EQ(pLog->m_aItems[2].m_pBlock, pCounter);
    EXPECT_EQ(pLog->m_aItems[2].m_nParamIndex, 0);
    EXPECT_EQ(pLog->m_nTime1High, 3);
    EXPECT_TRUE(pLog->m_bProtected);
    auto reloaded = SaveAndReload(p);
    auto* pSaved = dynamic_cast<CBlockDataLog*>(reloaded->FindBlockByNumber(pLog->m_nNumber));
    ASSERT_NE(pSaved, nullptr);
    ASSERT_EQ(pSaved->m_aItems.GetSize(), 3);
    EXPECT_EQ(pSaved->m_aItems[0].m_strOperand, CString(L"I108-I115"));

    // Reopened, the rows come back in their order; removing the block's row offers its
    // parameter again.
    RunSheet(p, pLog, {[&](CAllPropertySheet& s) {
                           CWnd* pPage = s.m_pPage;
                           CWnd* pList = pPage->GetDlgItem(1000);
                           ASSERT_EQ(pList->SendMessage(LVM_GETITEMCOUNT, 0, 0), 3);
                           PickStarting(pPage, 1120, counterEntry);
                           EXPECT_EQ(ListCount(pPage, 1122), parameters - 1);
                           LVITEMW state{};
                           state.stateMask = LVIS_SELECTED;
                           state.state = LVIS_SELECTED;
                           pList->SendMessage(LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
                           Click(pPage, 1123);
                           EXPECT_EQ(ListCount(pPage, 1122), parameters);
                           Press(s, IDOK);
                       }});
    EXPECT_EQ(pLog->m_aItems.GetSize(), 2);
}

TEST_F(DataLogPageTest, TheThirtyThirdItemIsRefused)
{
    Program& p = Open();
    auto* pLog = dynamic_cast<CBlockDataLog*>(AddBlock(p, 911));
    drv.Host().ClearMessageBoxes();
    RunSheet(p, pLog, {[&](CAllPropertySheet& s) {
                           CWnd* pPage = s.m_pPage;
                           for (int k = 0; k < 33; ++k) {
                               CString flag;
                               flag.Format(L"AM%d[", k);
                               PickStarting(pPage, 1120, flag);
                               pPage->GetDlgItem(1121)->EnableWindow(TRUE);
                               Click(pPage, 1121);
                           }
                           EXPECT_EQ(pPage->GetDlgItem(1000)->SendMessage(LVM_GETITEMCOUNT, 0, 0), 32);
                           Press(s, IDOK);
                       }});
    ASSERT_EQ(drv.Host().MessageBoxes().size(), 1u);
    EXPECT_EQ(pLog->m_aItems.GetSize(), 32);
    EXPECT_EQ(pLog->m_nTime1High, 32);
}

}  // namespace
}  // namespace pagestest
