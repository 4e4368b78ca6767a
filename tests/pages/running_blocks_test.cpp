// Blocks of a running diagram that start from their parameters and keep their run to
// themselves: the hours counter takes its operating time and interval at each start, and a
// message text that needs acknowledging stays on after its enable input falls without its
// pending acknowledgement ever reaching the file.
#include "PagesTestSupport.h"
#include "SecondSetSupport.h"

#include "elements/BlockAnalog.h"
#include "elements/BlockCounters.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockObj.h"
#include "msgtext/AllDisplayMsgTxts.h"
#include "msgtext/MessageTexts_New.h"
#include "pages/BlockPage.h"
#include "resources/resource.h"

#include <string>

namespace pagestest {
namespace {

constexpr int kOutputPin = 10;

class RunningBlocksTest : public PagesTest {};

TEST_F(RunningBlocksTest, HoursCounterStartsEachRunFromItsParameters)
{
    Program& p = Open();
    auto* pHours = dynamic_cast<CBlockHCOUNTER*>(AddBlock(p, 801));
    ASSERT_NE(pHours, nullptr);
    pHours->m_nTime1High = 10, pHours->m_nTime1Low = 0;   // interval 10 h
    pHours->m_nTime2High = 2, pHours->m_nTime2Low = 30;   // 2 h 30 min already run
    p.view->ToggleSimulation();
    ASSERT_TRUE(p.view->IsSimulating());
    EXPECT_EQ(pHours->m_nOt, 150);
    EXPECT_EQ(pHours->m_nMn, 450);
    // The first run counts on; the second starts from the parameters again.
    pHours->m_nOt = pHours->m_nOtBase = 999;
    pHours->m_nMn = 7;
    p.view->ToggleSimulation();
    p.view->ToggleSimulation();
    ASSERT_TRUE(p.view->IsSimulating());
    EXPECT_EQ(pHours->m_nOt, 150);
    EXPECT_EQ(pHours->m_nOtBase, 150);
    EXPECT_EQ(pHours->m_nMn, 450);
    p.view->ToggleSimulation();
}

TEST_F(RunningBlocksTest, AnAcknowledgedTextStaysOnAndItsPendingFlagNeverReachesTheFile)
{
    Program& p = Open();
    CBlockObj* pInput = AddBlock(p, 600);
    auto* pText = dynamic_cast<CBlockMSGTEXT*>(AddBlock(p, 810));
    ASSERT_TRUE(pInput && pText);
    pText->m_nLink[0] = pInput->m_nNumber;
    pText->AcknowledgeRequired() = TRUE;
    pText->Priority() = 3;
    p.view->ToggleSimulation();
    ASSERT_TRUE(p.view->IsSimulating());

    auto step = [&](int en) {
        pInput->m_nPinValue[kOutputPin] = en;
        pInput->m_bPinChanged[kOutputPin] = TRUE;
        pText->Simulate(p.view);
        RefreshMessageTexts(p.view);
        drv.Pump();
    };
    step(1);
    EXPECT_EQ(pText->m_nPinValue[kOutputPin], 1);
    EXPECT_TRUE(pText->AcknowledgePending());
    EXPECT_EQ(pText->m_bAckLatch, 1);
    EXPECT_EQ(pText->m_bCaptureEnableTime, 1);
    ASSERT_NE(GetMessageTextDisplay(p.view), nullptr);
    // En falls: the text, its output and the display stay until acknowledged.
    step(0);
    EXPECT_EQ(pText->m_nPinValue[kOutputPin], 1);
    EXPECT_NE(GetMessageTextDisplay(p.view), nullptr);

    // Saved while simulating: the text keeps no Retentivity of its own.
    EXPECT_FALSE(pText->m_bRetentive);
    auto reloaded = SaveAndReload(p);
    auto* pSaved = dynamic_cast<CBlockMSGTEXT*>(reloaded->FindBlockByNumber(pText->m_nNumber));
    ASSERT_NE(pSaved, nullptr);
    EXPECT_FALSE(pSaved->m_bRetentive);
    EXPECT_FALSE(pSaved->AcknowledgePending());
    EXPECT_TRUE(pSaved->AcknowledgeRequired());
    p.view->ToggleSimulation();
}

}  // namespace
}  // namespace pagestest

namespace pagestest {
namespace {

class RunningSheetsTest : public PagesTest {};

TEST_F(RunningSheetsTest, ApplyOrdersAnInputsSimulatedRangeAndTheSheetOpensReadyToApply)
{
    struct Case {
        bool autoRange;
        const wchar_t *current, *min, *max;
        int wantCurrent, wantMin, wantMax;
    };
    const Case cases[] = {
        {false, L"50", L"500", L"100", 100, 100, 500},   // reversed range swapped, value moved in
        {false, L"900", L"10", L"300", 300, 10, 300},    // value above the range
        {true, L"50", L"500", L"100", 50, 0, 9999},      // frequency with automatic range
    };
    for (const Case& c : cases) {
        Program& p = Open();
        CBlockObj* pInput = AddBlock(p, 600);
        CAllPropertySheet* pSheet = OpenModeless(p, pInput);
        ASSERT_NE(pSheet, nullptr);
        EXPECT_TRUE(Enabled(pSheet, ID_APPLY_NOW));
        CPropertyPage* pSim = pSheet->GetPage(pSheet->GetPageCount() - 1);
        ASSERT_TRUE(pSheet->SetActivePage(pSim));
        drv.Pump();
        Click(pSim, 1119);  // Frequency
        if (Checked(pSim, 1137) != c.autoRange)
            Click(pSim, 1137);
        if (!c.autoRange) {
            Type(pSim, 1133, c.min);
            Type(pSim, 1135, c.max);
        }
        Type(pSim, 1553, c.current);
        Press(*pSheet, ID_APPLY_NOW);
        drv.Pump();
        EXPECT_EQ(pInput->m_nSimMin, c.wantMin) << c.current;
        EXPECT_EQ(pInput->m_nSimMax, c.wantMax) << c.current;
        EXPECT_EQ(pInput->m_nSimValue, c.wantCurrent) << c.current;
        // The page shows what was stored.
        EXPECT_EQ(Text(pSim, 1133), CString(std::to_wstring(c.wantMin).c_str()));
        EXPECT_EQ(Text(pSim, 1553), CString(std::to_wstring(c.wantCurrent).c_str()));
        pSheet->DestroyWindow();
        drv.Pump();
    }
}

}  // namespace
}  // namespace pagestest

namespace pagestest {
namespace {

class RunningTextSheetTest : public PagesTest {};

TEST_F(RunningTextSheetTest, GridCharactersReachTheRunningTextOnApplyAndOnOk)
{
    for (int button : {int(ID_APPLY_NOW), int(IDOK)}) {
        Program& p = Open();
        auto* pText = dynamic_cast<CBlockMSGTEXT*>(AddBlock(p, 810));
        ASSERT_NE(pText, nullptr);
        CAllPropertySheet* pSheet = OpenModeless(p, pText);
        ASSERT_NE(pSheet, nullptr);
        auto* pPage = dynamic_cast<CMessageTexts_New*>(pSheet->m_pPage);
        ASSERT_NE(pPage, nullptr);
        pPage->Grid().SetItemText(1, 1, L"T");
        pPage->Grid().SetItemText(2, 12, L"Q");
        Press(*pSheet, button);
        drv.Pump();
        EXPECT_EQ(pText->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 1)], CString(L"T")) << button;
        EXPECT_EQ(pText->m_astrCells1[CBlockMSGTEXT::CellIndex(2, 12)], CString(L"Q")) << button;
        if (CAllPropertySheet* pOpen = p.view->FindOpenSheet(pText->m_nNumber))
            pOpen->DestroyWindow();
        drv.Pump();
    }
}

}  // namespace
}  // namespace pagestest

namespace pagestest {
namespace {

class LiveValueTest : public PagesTest {};

TEST_F(LiveValueTest, MathFunctionSheetsShowTheirResult)
{
    for (int type : {864, 865, 869, 872, 878}) {
        Program& p = Open();
        CBlockObj* pBlock = AddBlock(p, type);
        CAllPropertySheet* pSheet = OpenModeless(p, pBlock);
        ASSERT_NE(pSheet, nullptr) << type;
        pBlock->m_dElapsed = -1234;
        p.view->UpdateMonitorSheets(pBlock);
        EXPECT_EQ(pSheet->m_pPage->GetShownValue(), CString(L"-1234")) << type;
        pSheet->DestroyWindow();
        drv.Pump();
    }
}

}  // namespace
}  // namespace pagestest

namespace pagestest {
namespace {

class RunningAnalogTest : public PagesTest {};

TEST_F(RunningAnalogTest, ApplyLeavesTheRunningOutputAndCapturedReference)
{
    for (int type : {803, 806, 807, 817, 818, 819}) {
        Program& p = Open();
        auto* pBlock = dynamic_cast<CBlockAnalog*>(AddBlock(p, type));
        ASSERT_NE(pBlock, nullptr) << type;
        CAllPropertySheet* pSheet = OpenModeless(p, pBlock);
        ASSERT_NE(pSheet, nullptr) << type;
        Type(pSheet->m_pPage, IDC_BLOCK_NAME, L"Tank");
        // The simulation moved on after the sheet opened (no repaint steps it before Apply).
        pBlock->m_nActualValue = 700, pBlock->m_nCapturedValue = 650;
        Press(*pSheet, ID_APPLY_NOW);
        EXPECT_EQ(pBlock->m_strName, CString(L"Tank")) << type;
        EXPECT_EQ(pBlock->m_nActualValue, 700) << type;
        EXPECT_EQ(pBlock->m_nCapturedValue, 650) << type;
        pSheet->DestroyWindow();
        drv.Pump();
    }
}

}  // namespace
}  // namespace pagestest
