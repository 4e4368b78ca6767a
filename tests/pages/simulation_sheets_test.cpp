// Property sheets of a running diagram: a double-click opens the sheet of a block or ladder
// element modeless beside it (elements operated by clicks open none), each Apply lands on the
// sheet's own element whatever is current, and leaving simulation closes every open sheet.
#include "PagesTestSupport.h"

#include "elements/BlockObj.h"
#include "pages/Comment.h"
#include "pages/PropShLadIO.h"
#include "resources/resource.h"

namespace pagestest {
namespace {

class SimulationSheetsTest : public PagesTest {
protected:
    // A double-click on the middle of an element, at the view's zoom.
    void DoubleClickOn(Program& p, const CBlockObj* pElement)
    {
        p.view->ScrollToPosition(CPoint(0, 0));
        drv.Pump();
        const float zoom = p.view->GetZoom();
        CPoint at(int((pElement->m_ptOrigin.x + pElement->m_nWidth / 2) * zoom),
                  int((pElement->m_ptOrigin.y + pElement->m_nHeight / 2) * zoom));
        p.view->ClientToScreen(&at);
        drv.DoubleClick(at);
        drv.Pump();
    }
};

TEST_F(SimulationSheetsTest, DoubleClicksOpenModelessSheetsAndLeavingClosesThem)
{
    Program& p = Open();
    CBlockObj* pInput = AddBlock(p, 600);
    CBlockObj* pGate = AddBlock(p, 302);
    CBlockObj* pOutput = AddBlock(p, 605);
    p.view->ToggleSimulation();
    ASSERT_TRUE(p.view->IsSimulating());

    DoubleClickOn(p, pInput);  // an input is switched by clicks: no sheet
    EXPECT_EQ(p.view->FindOpenSheet(pInput->m_nNumber), nullptr);
    EXPECT_EQ(p.view->m_pCurBlock, nullptr);

    DoubleClickOn(p, pGate);
    DoubleClickOn(p, pOutput);
    EXPECT_EQ(p.view->m_pCurBlock, pOutput);
    CAllPropertySheet* pGateSheet = p.view->FindOpenSheet(pGate->m_nNumber);
    ASSERT_NE(pGateSheet, nullptr);
    ASSERT_NE(p.view->FindOpenSheet(pOutput->m_nNumber), nullptr);
    DoubleClickOn(p, pGate);  // the same block again: its sheet stays the only one
    EXPECT_EQ(p.view->m_sheets.size(), 2u);

    // The gate's Apply reaches the gate although the output is current.
    ASSERT_TRUE(pGateSheet->SetActivePage(&pGateSheet->m_pagComment));
    Type(&pGateSheet->m_pagComment, IDC_COMMENT_TEXT, L"Running");
    Press(*pGateSheet, ID_APPLY_NOW);
    EXPECT_EQ(pGate->m_strComment, CString(L"Running"));
    EXPECT_TRUE(pOutput->m_strComment.IsEmpty());

    p.view->ToggleSimulation();
    EXPECT_FALSE(p.view->IsSimulating());
    EXPECT_TRUE(p.view->m_sheets.empty());
}

TEST_F(SimulationSheetsTest, LadderSheetsApplyToTheirOwnElementAndCloseWithTheSimulation)
{
    Program& p = Open("program_ladder.yld");
    // Coils of two outputs: elements that no click operates.
    CBlockObj* pFirst = AddBlock(p, 703);
    CBlockObj* pSecond = AddBlock(p, 703);
    ASSERT_TRUE(pFirst && pSecond);
    pFirst->m_nOperand = 601;
    pSecond->m_nOperand = 602;
    const int firstOperand = pFirst->m_nOperand, secondOperand = pSecond->m_nOperand;
    p.view->ToggleSimulation();
    ASSERT_TRUE(p.view->IsSimulating());

    DoubleClickOn(p, pFirst);
    CPropShLadIO* pSheet = p.view->FindOpenLadderSheet(pFirst);
    ASSERT_NE(pSheet, nullptr);
    // Out of the way of the next double-clicks.
    pSheet->SetWindowPos(nullptr, 2000, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DoubleClickOn(p, pFirst);
    EXPECT_EQ(p.view->m_ladderSheets.size(), 1u);
    DoubleClickOn(p, pSecond);  // now the second coil is current
    ASSERT_NE(p.view->FindOpenLadderSheet(pSecond), nullptr);
    EXPECT_EQ(p.view->m_pCurBlock, pSecond);

    ASSERT_TRUE(pSheet->SetActivePage(&pSheet->m_pagComment));
    Type(&pSheet->m_pagComment, IDC_COMMENT_TEXT, L"Pump on");
    pSheet->SendMessage(WM_COMMAND, MAKEWPARAM(ID_APPLY_NOW, BN_CLICKED), 0);
    drv.Pump();
    CString comment;
    EXPECT_TRUE(p.doc->m_operandComments.Lookup(firstOperand, comment));
    EXPECT_EQ(comment, CString(L"Pump on"));
    EXPECT_FALSE(p.doc->m_operandComments.Lookup(secondOperand, comment) && comment == L"Pump on");
    EXPECT_EQ(pFirst->m_nOperand, firstOperand);
    EXPECT_EQ(pSecond->m_nOperand, secondOperand);

    p.view->ToggleSimulation();
    EXPECT_TRUE(p.view->m_ladderSheets.empty());
}

}  // namespace
}  // namespace pagestest
