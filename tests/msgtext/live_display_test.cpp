// The live message-text display of a simulating view: the sheet opens when a text becomes
// active, orders its pages by priority, fronts the active text of highest priority, closes when
// none is active, and its fields follow their blocks' values.
#include "MsgTextTestSupport.h"

#include "elements/BlockMSGTEXT.h"
#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"
#include "msgtext/AllDisplayMsgTxts.h"
#include "msgtext/MsgTxtDisplay.h"
#include "msgtext/Widget.h"
#include "view/TavixView.h"

using namespace mttest;

namespace {

class LiveDisplayTest : public MsgTextTest {
protected:
    void SetUp() override
    {
        MsgTextTest::SetUp();
        doc = NewDocument();
        counter = Add(*doc, 800);
        for (int priority : {5, 12, 12}) {
            auto* t = dynamic_cast<CBlockMSGTEXT*>(Add(*doc, 810));
            t->Priority() = priority;
            texts.push_back(t);
        }
        // Text A shows the counter's count in its first line.
        auto* field = new CWidget(0, 0, 60, 20, RGB(128, 128, 128));
        field->m_nRow = 1;
        field->m_nCol = 1;
        field->m_nWidth = 6;
        field->m_nType = 0;
        field->m_nItem = 16;
        field->m_pBlock = counter;
        field->m_nNumber = counter->m_nNumber;
        texts[0]->m_aLines1[0].Add(field);
        texts[0]->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 8)] = L"A";
        texts[0]->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 20)] = L"Z";  // beyond the display
        view = std::make_unique<CTavixView>(doc.get(), nullptr);
    }
    void TearDown() override
    {
        CloseMessageTextDisplay(view.get());
        m_drv.Pump();
        view.reset();
        MsgTextTest::TearDown();
    }
    void SetActive(int i, bool on)
    {
        texts[size_t(i)]->m_nPinValue[0] = on;
        texts[size_t(i)]->m_nPinValue[kOutputPin] = on;
        RefreshMessageTexts(view.get());
        m_drv.Pump();
    }
    int FrontBlock()
    {
        CAllDisplayMsgTxts* s = GetMessageTextDisplay(view.get());
        return s ? s->GetDisplay(s->GetActiveIndex())->m_nBlockNumber : -1;
    }

    std::unique_ptr<CTavixDoc> doc;
    CBlockObj* counter = nullptr;
    std::vector<CBlockMSGTEXT*> texts;
    std::unique_ptr<CTavixView> view;
};

} // namespace

TEST_F(LiveDisplayTest, OpensOnTheFirstActiveTextFrontsTheHighestPriorityAndClosesWhenNoneIsActive)
{
    RefreshMessageTexts(view.get());
    EXPECT_EQ(GetMessageTextDisplay(view.get()), nullptr);
    SetActive(2, true);  // C, priority 12
    CAllDisplayMsgTxts* sheet = GetMessageTextDisplay(view.get());
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->GetDisplayCount(), 3);
    EXPECT_EQ(Caption(sheet->m_hWnd), L"Message texts");
    EXPECT_EQ(sheet->GetDisplay(0)->m_nBlockNumber, texts[0]->m_nNumber);
    EXPECT_EQ(sheet->GetDisplay(2)->m_nBlockNumber, texts[2]->m_nNumber);
    EXPECT_EQ(FrontBlock(), texts[2]->m_nNumber);
    SetActive(1, true);  // B, the same priority: C stays in front
    EXPECT_EQ(FrontBlock(), texts[2]->m_nNumber);
    SetActive(0, true);  // A, lower: nothing moves
    EXPECT_EQ(FrontBlock(), texts[2]->m_nNumber);
    SetActive(2, false);  // the front text goes: B comes to the front
    EXPECT_EQ(FrontBlock(), texts[1]->m_nNumber);
    SetActive(0, false);  // a text behind goes: nothing moves
    EXPECT_EQ(FrontBlock(), texts[1]->m_nNumber);
    SetActive(1, false);
    EXPECT_EQ(GetMessageTextDisplay(view.get()), nullptr);
}

TEST_F(LiveDisplayTest, AFieldFollowsItsBlockAndOnlyTwelveCharactersAreShown)
{
    SetActive(0, true);
    CAllDisplayMsgTxts* sheet = GetMessageTextDisplay(view.get());
    ASSERT_NE(sheet, nullptr);
    CMsgTxtDisplay* page = sheet->GetDisplay(0);
    ASSERT_NE(page->m_grid.m_hWnd, nullptr);
    EXPECT_EQ(page->m_grid.GetColumnCount(), 13);
    EXPECT_EQ(page->m_grid.GetItemText(1, 8), L"A");
    ASSERT_EQ(page->m_grid.m_arShownFields[1].size(), 1u);
    auto* shown = dynamic_cast<CWidget*>(page->m_grid.m_arShownFields[1][0]);
    ASSERT_NE(shown, nullptr);
    EXPECT_NE(shown, texts[0]->m_aLines1[0][0]);  // the page draws its own copy

    const CString before = shown->GetValueText(view.get());
    counter->m_dElapsed = 4321;
    const CString after = shown->GetValueText(view.get());
    EXPECT_NE(before, after);
    EXPECT_NE(after.Find(L"4321"), -1) << after.GetString();

    // The page repaints itself from its timer; Details switches every page's rendering.
    const int details = g_bMsgTextDetails;
    ::SendMessageW(page->m_hWnd, WM_COMMAND, MAKEWPARAM(1322, BN_CLICKED), 0);
    EXPECT_NE(g_bMsgTextDetails, details);
    m_drv.AdvanceClock(60);
    m_drv.Pump();
    g_bMsgTextDetails = details;
}
