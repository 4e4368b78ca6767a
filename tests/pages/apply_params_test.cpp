// Apply while simulating, on the view's side: the record a modeless sheet sends lands in the
// block the sheet was opened for (not the view's current block), for each record family these
// pages send; and the live value reaches the open sheet of its block only.
#include "PagesTestSupport.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockObj.h"
#include "pages/BlockPage.h"
#include "pages/Boolean.h"
#include "pages/Mask.h"
#include "pages/MaxMin.h"
#include "resources/resource.h"

namespace pagestest {
namespace {

class ApplyParamsTest : public PagesTest {};

TEST_F(ApplyParamsTest, AppliedValuesLandInTheSheetsBlockWhateverBlockIsCurrent)
{
    struct Case {
        int type;
        UINT id;
        const wchar_t* typed;  // null: the second item of the combo box is chosen
        std::function<bool(const CBlockObj&)> stored;
    };
    const Case cases[] = {
        {830, IDC_TRUTH_FIRST + 2, nullptr, [](const CBlockObj& b) { return (b.m_nExtra2 & 0x4) != 0; }},
        {840, IDC_MASK_TEXT, L"0F0F", [](const CBlockObj& b) { return b.m_nTime1High == 0x0F0F; }},
        {821, IDC_MATH_VALUE, L"2", [](const CBlockObj& b) { return b.m_nTime1High == 2; }},
        {806, 1026, L"321", [](const CBlockObj& b) { return static_cast<const CBlockAnalog&>(b).m_nThreshold2 == 321; }},
        {816, 1262, L"-77", [](const CBlockObj& b) { return b.m_nTime2High == -77; }},
    };
    for (const Case& c : cases) {
        Program& p = Open();
        CBlockObj* pBlock = AddBlock(p, c.type);
        CBlockObj* pOther = AddBlock(p, c.type);
        CAllPropertySheet* pSheet = OpenModeless(p, pBlock);
        ASSERT_NE(pSheet, nullptr) << c.type;
        // The user clicks another block of the running diagram before applying.
        p.view->m_pCurBlock = pOther;
        if (c.typed)
            Type(pSheet->m_pPage, c.id, c.typed);
        else
            Choose(pSheet->m_pPage, c.id, 1);
        Type(pSheet->m_pPage, IDC_BLOCK_NAME, L"Pump");
        Press(*pSheet, ID_APPLY_NOW);
        EXPECT_TRUE(c.stored(*pBlock)) << c.type;
        EXPECT_EQ(pBlock->m_strName, CString(L"Pump")) << c.type;
        EXPECT_TRUE(pOther->m_strName.IsEmpty()) << c.type;
        EXPECT_EQ(p.view->m_pCurBlock, pOther) << c.type;
        // What Apply stored survives the file.
        auto reloaded = SaveAndReload(p);
        EXPECT_TRUE(c.stored(*reloaded->FindBlockByNumber(pBlock->m_nNumber))) << c.type;
        pSheet->DestroyWindow();
        drv.Pump();
    }
}

TEST_F(ApplyParamsTest, ARecordOfAnotherTypeChangesNothing)
{
    Program& p = Open();
    CBlockObj* pGate = AddBlock(p, 300);
    p.view->m_nEditMode = CTavixView::modeSimulate;
    CMiscParamRecord record;
    record.nBlockNumber = pGate->m_nNumber;
    record.strName = L"Wrong";
    p.view->SendMessage(WM_APPLY_BLOCK_PARAMS, 830, reinterpret_cast<LPARAM>(&record));
    EXPECT_TRUE(pGate->m_strName.IsEmpty());
}

TEST_F(ApplyParamsTest, LiveValuesReachTheOpenSheetOfTheirBlockOnly)
{
    Program& p = Open();
    auto* pFirst = static_cast<CBlockAnalog*>(AddBlock(p, 806));
    auto* pSecond = static_cast<CBlockAnalog*>(AddBlock(p, 803));
    CAllPropertySheet* pSheet1 = OpenModeless(p, pFirst);
    CAllPropertySheet* pSheet2 = OpenModeless(p, pSecond);
    ASSERT_NE(pSheet1, nullptr);
    ASSERT_NE(pSheet2, nullptr);
    pFirst->m_nActualValue = 42, pFirst->m_nCapturedValue = -7;
    p.view->UpdateMonitorSheets(pFirst);
    EXPECT_EQ(pSheet1->m_pPage->GetShownValue(), CString(L"    42/    -7"));
    pSecond->m_nActualValue = 1234;
    p.view->UpdateMonitorSheets(pSecond);
    EXPECT_EQ(pSheet2->m_pPage->GetShownValue(), CString(L"  1234"));
    EXPECT_EQ(pSheet1->m_pPage->GetShownValue(), CString(L"    42/    -7"));
    // A sheet that shows its comment page is left alone.
    ASSERT_TRUE(pSheet2->SetActivePage(&pSheet2->m_pagComment));
    pSecond->m_nActualValue = 5;
    p.view->UpdateMonitorSheets(pSecond);
    EXPECT_EQ(pSheet2->m_pPage->GetShownValue(), CString(L"  1234"));
}

}  // namespace
}  // namespace pagestest
