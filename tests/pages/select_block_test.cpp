// Select Block (Go To Block): the list texts and their order by kind, and the dialog moving the
// view to the element typed or chosen while it is open.
#include "PagesTestSupport.h"

#include "elements/BlockObj.h"
#include "pages/SelectBlockDlg.h"
#include "resources/resource.h"

namespace pagestest {
namespace {

class SelectBlockTest : public PagesTest {
protected:
    // Runs Go To Block on a program; each step gets the dialog while it waits for input.
    void RunGoTo(Program& p, std::vector<std::function<void(CSelectBlockDlg&)>> steps)
    {
        for (auto& step : steps)
            drv.Host().QueueIdleStep([step] {
                CWnd* pWnd = CWnd::GetActiveWindow();
                auto* pDlg = pWnd ? dynamic_cast<CSelectBlockDlg*>(CWnd::FromHandlePermanent(pWnd->GetSafeHwnd())) : nullptr;
                ASSERT_NE(pDlg, nullptr);
                step(*pDlg);
            });
        p.view->SendMessage(WM_COMMAND, ID_EDIT_GOTO_BLOCK);
        drv.Pump();
    }
    static CString Item(CSelectBlockDlg& dlg, int i)
    {
        CString text;
        dlg.SendDlgItemMessage(IDC_SELECT_LIST, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text.GetBuffer(256)));
        text.ReleaseBuffer();
        return text;
    }
};

TEST_F(SelectBlockTest, TextsAndKeysPerElementKind)
{
    Program& p = Open();
    struct Case {
        int type;
        int number;
        int operand;
        const wchar_t* text;  // before the type's display name
    };
    const Case cases[] = {
        {300, 9002, 0, L"B2"},     {600, 135, 0, L"I103"},   {602, 1021, 0, L"S1.5"}, {605, 617, 0, L"Q101"},
        {608, 4009, 0, L"AI101"},  {609, 4233, 0, L"AQ003"}, {610, 4290, 0, L"AM2"},  {604, 2901, 0, L"High1"},
        {700, 12000, 105, L"I005"}, {700, 12001, 1021, L"S1.05"}, {703, 12002, 1320, L"M4"},
    };
    for (const Case& c : cases) {
        CBlockObj* pBlock = p.view->CreateBlockByType(c.type);
        ASSERT_NE(pBlock, nullptr) << c.type;
        pBlock->m_nNumber = c.number;
        pBlock->m_nOperand = c.operand;
        CString text, key;
        ASSERT_TRUE(CSelectBlockDlg::DescribeElement(*p.doc, *pBlock, &text, &key)) << c.type;
        EXPECT_EQ(text.Left(int(wcslen(c.text))), CString(c.text)) << c.type;
        delete pBlock;
    }
    // A cursor key has no letter of its own: it shows its own number, whatever comes before it.
    CBlockObj* pKey = p.view->CreateBlockByType(601);
    ASSERT_NE(pKey, nullptr);
    pKey->m_nNumber = 1412;
    CString text, key;
    ASSERT_TRUE(CSelectBlockDlg::DescribeElement(*p.doc, *pKey, &text, &key));
    EXPECT_NE(text.Find(L"1412"), -1);
    delete pKey;
    // Connectors, the data log and the ladder power bus are not listed.
    for (int type : {900, 911, 951}) {
        CBlockObj* pOther = p.view->CreateBlockByType(type);
        if (pOther == nullptr)
            continue;
        EXPECT_FALSE(CSelectBlockDlg::DescribeElement(*p.doc, *pOther, &text, &key)) << type;
        delete pOther;
    }
}

TEST_F(SelectBlockTest, TypingTheStartOfANameMovesTheViewThereAndCancelKeepsIt)
{
    Program& p = Open();
    std::vector<CBlockObj*> blocks;
    for (int i = 0; i < 11; ++i)
        blocks.push_back(AddBlock(p, 300));
    CBlockObj* pInput = AddBlock(p, 600);
    std::vector<CString> items;
    RunGoTo(p, {[&](CSelectBlockDlg& dlg) {
                    const int count = int(dlg.SendDlgItemMessage(IDC_SELECT_LIST, LB_GETCOUNT));
                    for (int i = 0; i < count; ++i)
                        items.push_back(Item(dlg, i));
                    Type(&dlg, IDC_SELECT_SEARCH, L"b1");
                },
                [&](CSelectBlockDlg& dlg) {
                    EXPECT_EQ(p.view->m_pCurBlock, blocks[1]);  // B1, the first whose text starts so
                    EXPECT_TRUE(blocks[1]->m_bSelected);
                    dlg.SendMessage(WM_COMMAND, IDCANCEL);
                }});
    ASSERT_EQ(items.size(), 12u);
    // Zero-padded keys: B2 before B10; the input after the function blocks.
    EXPECT_EQ(items[2].Left(2), CString(L"B2"));
    EXPECT_EQ(items[10].Left(3), CString(L"B10"));
    EXPECT_EQ(items[11].Left(1), CString(L"I"));
    EXPECT_EQ(p.view->m_pCurBlock, blocks[1]);
    EXPECT_EQ(p.view->m_selBlocks.GetCount(), 1);
    (void)pInput;
}

}  // namespace
}  // namespace pagestest
