// The view's side of Apply per record family: an I/O element moving to another number (only
// to a free one), a ladder element's operand comment and simulation settings, the hours
// counter and encoder rules of a running diagram, and the weekly timer's cams.
#include "PagesTestSupport.h"

#include "elements/BlockCounters.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockObj.h"
#include "elements/BlockTime.h"
#include "resources/resource.h"

namespace pagestest {
namespace {

class ApplyRecordsTest : public PagesTest {
protected:
    template <class Record>
    void Send(Program& p, CBlockObj* pTarget, Record& record)
    {
        p.view->m_nEditMode = CTavixView::modeSimulate;
        p.view->m_pCurBlock = pTarget;
        p.view->SendMessage(WM_APPLY_BLOCK_PARAMS, WPARAM(pTarget->m_nType), reinterpret_cast<LPARAM>(&record));
    }
};

TEST_F(ApplyRecordsTest, AnInputMovesOnlyToAFreeNumberInItsRange)
{
    struct Case {
        int index;      // the index the record names
        bool moved;
    };
    const Case cases[] = {{5, true}, {1, false} /* taken */, {999, false} /* beyond the range */, {-1, false}};
    for (const Case& c : cases) {
        Program& p = Open();
        CBlockObj* pInput = AddBlock(p, 600);
        CBlockObj* pTaken = AddBlock(p, 600);
        CBlockObj* pGate = AddBlock(p, 300);
        ASSERT_EQ(pTaken->m_nOperand, 1);
        const int oldNumber = pInput->m_nNumber;
        pGate->m_nLink[0] = oldNumber;
        CIOParamRecord r;
        r.nBlockNumber = oldNumber;
        r.strModule = L"Main";
        r.nOperand = c.index;
        Send(p, pInput, r);
        EXPECT_EQ(pInput->m_nNumber, c.moved ? 100 + c.index : oldNumber) << c.index;
        EXPECT_EQ(pGate->m_nLink[0], pInput->m_nNumber) << c.index;
        EXPECT_EQ(pTaken->m_nNumber, 101) << c.index;
        EXPECT_NE(pInput->m_nNumber, pTaken->m_nNumber) << c.index;
    }
}

TEST_F(ApplyRecordsTest, ALadderContactKeepsItsCommentAndSimulationUnderItsOperand)
{
    Program& p = Open();
    CBlockObj* pContact = AddBlock(p, 700);
    ASSERT_GE(pContact->m_nNumber, 12000);
    pContact->m_nOperand = 101;
    CIOParamRecord r;
    r.nBlockNumber = pContact->m_nNumber;
    r.strComment = L"Pump on";
    r.bAutoRange = 0, r.nValue = 1, r.nMin = 0, r.nMax = 1, r.nBehaviour = 2;
    r.nOperand = 104;
    Send(p, pContact, r);
    CString comment;
    EXPECT_TRUE(p.doc->m_operandComments.Lookup(101, comment));
    EXPECT_EQ(comment, CString(L"Pump on"));
    SimSettingRecord sim;
    ASSERT_TRUE(p.doc->m_simSettings.Lookup(101, sim));
    EXPECT_EQ(sim.m_nKind, 2);
    EXPECT_EQ(pContact->m_nPinValue[10], 1);  // a momentary break contact rests closed
    EXPECT_EQ(pContact->m_nOperand, 104);
    // An emptied comment leaves the operand without one.
    r.strComment.Empty();
    Send(p, pContact, r);
    EXPECT_FALSE(p.doc->m_operandComments.Lookup(104, comment));
}

TEST_F(ApplyRecordsTest, HoursCounterRestartsItsIntervalByItsInputs)
{
    struct Case {
        int reset, enable;
        int remaining, operating, high2;
    };
    // Interval 3:30 (210 minutes); the block has run 1:40 of operating time.
    const Case cases[] = {{1, 0, 210, 0, 0}, {0, 1, 210, 100, 1}, {0, 0, 210, 0, 5}};
    for (const Case& c : cases) {
        Program& p = Open();
        auto* pCounter = dynamic_cast<CBlockHCOUNTER*>(AddBlock(p, 801));
        ASSERT_NE(pCounter, nullptr);
        pCounter->m_nTime2Low = 40, pCounter->m_nTime2High = 1;
        pCounter->m_nOt = pCounter->m_nOtBase = 0;
        pCounter->m_nPinValue[2] = c.reset, pCounter->m_nPinValue[0] = c.enable;
        CTimeParamRecord r;
        r.nBlockNumber = pCounter->m_nNumber;
        r.nTime1Low = 30, r.nTime1High = 3, r.nTime2Low = 40, r.nTime2High = 5;
        Send(p, pCounter, r);
        EXPECT_EQ(pCounter->m_nMn, c.remaining) << c.reset << c.enable;
        EXPECT_EQ(pCounter->m_nOt, c.operating) << c.reset << c.enable;
        EXPECT_EQ(pCounter->m_nTime2High, c.high2) << c.reset << c.enable;
        EXPECT_EQ(pCounter->m_nTime1High, 3);
    }
}

TEST_F(ApplyRecordsTest, EncoderTakesTheStateOfItsNewSourcePair)
{
    Program& p = Open();
    std::vector<CBlockObj*> inputs;
    for (int i = 0; i < 4; ++i)
        inputs.push_back(AddBlock(p, 600));
    ASSERT_EQ(inputs[3]->m_nNumber, 103);
    inputs[2]->m_nPinValue[10] = 1, inputs[3]->m_nPinValue[10] = 1;
    CBlockObj* pEncoder = AddBlock(p, 848);
    pEncoder->m_nPreWarn[1] = 0;
    CTimeParamRecord r;
    r.nBlockNumber = pEncoder->m_nNumber;
    r.nExtra[1] = 1;
    Send(p, pEncoder, r);
    EXPECT_EQ(pEncoder->m_nPinValue[3], 1);
    EXPECT_EQ(pEncoder->m_nPreWarn[1], 1);
    r.nExtra[1] = 0;  // back to I0/I1, which are off
    pEncoder->m_nPinValue[2] = 1;
    Send(p, pEncoder, r);
    EXPECT_EQ(pEncoder->m_nPinValue[2], 0);
}

TEST_F(ApplyRecordsTest, WeeklyTimerTakesItsCams)
{
    Program& p = Open();
    auto* pWeekly = dynamic_cast<CBlockTime*>(AddBlock(p, 410));
    ASSERT_NE(pWeekly, nullptr);
    CWeeklyParamRecord r;
    r.nBlockNumber = pWeekly->m_nNumber;
    r.strName = L"Week";
    r.bDays[1][3] = 1;
    r.nOn[2][0] = 7, r.nOn[2][1] = 30;
    r.bOffOff[0] = 1;
    Send(p, pWeekly, r);
    EXPECT_EQ(pWeekly->m_strName, CString(L"Week"));
    EXPECT_EQ(pWeekly->m_bCamDays[1][3], 1);
    EXPECT_EQ(pWeekly->m_nCamOn[2][0], 7);
    EXPECT_EQ(pWeekly->m_nCamOn[2][1], 30);
    EXPECT_EQ(pWeekly->m_bCamOffOff[0], 1);
}

TEST_F(ApplyRecordsTest, MessageTextTakesItsSlotAcknowledgeAndTheGridsTexts)
{
    Program& p = Open();
    auto* pText = dynamic_cast<CBlockMSGTEXT*>(AddBlock(p, 810));
    ASSERT_NE(pText, nullptr);
    const int old = pText->Priority();
    p.view->m_bMsgTextSlotUsed[old] = TRUE;
    const int now = (old + 1) % 16;
    // The grid page of a sheet opened on the running diagram, applied with a new priority.
    CAllPropertySheet* pSheet = OpenModeless(p, pText);
    ASSERT_NE(pSheet, nullptr);
    CMsgTextParamRecord r;
    pSheet->FillRecord(r);
    ASSERT_TRUE(r.pNewPage != nullptr || r.pOldPage != nullptr);
    r.nPriority = now;
    r.bAcknowledge = 1;
    const CString cell = pText->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 1)];
    pText->m_nPinValue[10] = 1;  // the text is showing
    Send(p, pText, r);
    EXPECT_FALSE(p.view->m_bMsgTextSlotUsed[old]);
    EXPECT_TRUE(p.view->m_bMsgTextSlotUsed[now]);
    EXPECT_EQ(pText->Priority(), now);
    EXPECT_TRUE(pText->AcknowledgeRequired());
    EXPECT_TRUE(pText->AcknowledgePending());
    EXPECT_EQ(pText->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 1)], cell);
    pSheet->SendMessage(WM_COMMAND, IDCANCEL);
    drv.Pump();
}

}  // namespace
}  // namespace pagestest
