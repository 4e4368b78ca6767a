// A double-click on a block of a fixture program opens the sheet of the block's type through the
// view; OK there changes the block.
#include "PagesTestSupport.h"

#include "elements/BlockObj.h"
#include "pages/BlockPage.h"
#include "pages/PropShLadIO.h"
#include "document/TavixDoc.h"

namespace pagestest {
namespace {

class DoubleClickTest : public PagesTest {};

TEST_F(DoubleClickTest, DoubleClickingABlockOpensItsSheet)
{
    Program& p = Open("program_fbd.yfb");
    CBlockObj* pGate = nullptr;
    for (POSITION pos = p.doc->m_blocks.GetHeadPosition(); pos != nullptr && !pGate;) {
        auto* pBlock = static_cast<CBlockObj*>(p.doc->m_blocks.GetNext(pos));
        if (pBlock->m_nType >= 300 && pBlock->m_nType <= 307)
            pGate = pBlock;
    }
    ASSERT_NE(pGate, nullptr) << "the fixture has a logic gate";
    p.view->ScrollToPosition(CPoint(0, 0));
    drv.Pump();
    // The middle of the gate's body, at the view's zoom.
    const float zoom = p.view->GetZoom();
    CPoint at(int((pGate->m_ptOrigin.x + pGate->m_nWidth / 2) * zoom), int((pGate->m_ptOrigin.y + pGate->m_nHeight / 2) * zoom));
    p.view->ClientToScreen(&at);
    int type = 0;
    drv.Host().QueueIdleStep([&] {
        CAllPropertySheet* pSheet = ActiveSheet();
        ASSERT_NE(pSheet, nullptr);
        type = pSheet->m_nBlockType;
        Type(pSheet->m_pPage, IDC_BLOCK_NAME, L"Clicked");
        Press(*pSheet, IDOK);
    });
    drv.DoubleClick(at);
    drv.Pump();
    EXPECT_EQ(type, pGate->m_nType);
    EXPECT_EQ(pGate->m_strName, CString(L"Clicked"));
}

TEST_F(DoubleClickTest, DoubleClickingALadderElementOpensTheLadderSheet)
{
    Program& p = Open("program_ladder.yld");
    CBlockObj* pElement = nullptr;
    for (POSITION pos = p.doc->m_blocks.GetHeadPosition(); pos != nullptr && !pElement;) {
        auto* pBlock = static_cast<CBlockObj*>(p.doc->m_blocks.GetNext(pos));
        if (pBlock->m_nType >= 700 && pBlock->m_nType <= 705)
            pElement = pBlock;
    }
    ASSERT_NE(pElement, nullptr) << "the fixture has a contact or a coil";
    p.doc->SetModifiedFlag(FALSE);
    p.view->ScrollToPosition(CPoint(0, 0));
    drv.Pump();
    const float zoom = p.view->GetZoom();
    CPoint at(int((pElement->m_ptOrigin.x + pElement->m_nWidth / 2) * zoom), int((pElement->m_ptOrigin.y + pElement->m_nHeight / 2) * zoom));
    p.view->ClientToScreen(&at);
    bool opened = false;
    drv.Host().QueueIdleStep([&] {
        CWnd* pWnd = CWnd::GetActiveWindow();
        auto* pSheet = pWnd ? dynamic_cast<CPropShLadIO*>(CWnd::FromHandlePermanent(pWnd->GetSafeHwnd())) : nullptr;
        ASSERT_NE(pSheet, nullptr);
        opened = true;
        pSheet->SetActivePage(&pSheet->m_pagComment);
        Type(&pSheet->m_pagComment, IDC_COMMENT_TEXT, L"Pump on");
        pSheet->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    drv.DoubleClick(at);
    drv.Pump();
    EXPECT_TRUE(opened);
    CString comment;
    EXPECT_TRUE(p.doc->m_operandComments.Lookup(pElement->m_nOperand, comment));
    EXPECT_EQ(comment, CString(L"Pump on"));
    EXPECT_TRUE(p.doc->IsModified());
}

}  // namespace
}  // namespace pagestest
