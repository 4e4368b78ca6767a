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
#include "pages/ParamRecords.h"
#include "elements/ConnectLineObj.h"
#include "platform/ui/framework/Frame.h"
#include "shell/ChildFrame.h"
#include "shell/MainFrame.h"
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

TEST_F(LiveDisplayTest, APriorityAppliedWhileSimulatingRebuildsTheOpenDisplay)
{
    view->m_nEditMode = CTavixView::modeSimulate;
    SetActive(0, true);  // A, priority 5
    SetActive(1, true);  // B, priority 12: in front
    ASSERT_EQ(FrontBlock(), texts[1]->m_nNumber);
    const HWND before = GetMessageTextDisplay(view.get())->GetSafeHwnd();

    // B's sheet applies priority 3: A now has the highest priority of the shown texts.
    CMsgTextParamRecord record;
    record.nBlockNumber = texts[1]->m_nNumber;
    record.nPriority = 3;
    view->ApplySheetParams(810, reinterpret_cast<LPARAM>(&record));
    m_drv.Pump();
    CAllDisplayMsgTxts* sheet = GetMessageTextDisplay(view.get());
    ASSERT_NE(sheet, nullptr);
    EXPECT_FALSE(::IsWindow(before));
    EXPECT_EQ(FrontBlock(), texts[0]->m_nNumber);
    const int order[] = {1, 0, 2};  // priorities 3, 5, 12
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(sheet->GetDisplay(i)->m_nBlockNumber, texts[size_t(order[i])]->m_nNumber) << i;

    // The same priority again changes nothing: the display stays as it is.
    const HWND rebuilt = sheet->GetSafeHwnd();
    view->ApplySheetParams(810, reinterpret_cast<LPARAM>(&record));
    m_drv.Pump();
    EXPECT_EQ(GetMessageTextDisplay(view.get())->GetSafeHwnd(), rebuilt);
}

TEST_F(LiveDisplayTest, AnOnOffFieldShowsTheNameOfItsBitsState)
{
    struct Case {
        int kind;      // document kind
        int type;      // the element that holds the bit
        int operand;   // a ladder element's operand (the field's number); 0 binds the block
        bool breakContact;
    };
    const Case cases[] = {{CTavixDoc::kindFbd, 600, 0, false},
                          {CTavixDoc::kindFbd, 300, 0, false},
                          {CTavixDoc::kindLadder, 703, 601, false},
                          {CTavixDoc::kindLadder, 701, 100, true}};
    for (const Case& c : cases) {
        auto program = NewDocument(0x5188, c.kind);
        CBlockObj* bit = Add(*program, c.type);
        ASSERT_NE(bit, nullptr) << c.type;
        auto* text = dynamic_cast<CBlockMSGTEXT*>(Add(*program, 810));
        ASSERT_NE(text, nullptr);
        auto* field = new CWidget(0, 0, 80, 20, RGB(192, 192, 192));
        field->m_nRow = 1, field->m_nCol = 1, field->m_nWidth = 8, field->m_nType = widgetOnOff;
        if (c.operand) {
            bit->m_nOperand = c.operand;
            field->m_nNumber = c.operand;
        } else {
            field->m_pBlock = bit;
            field->m_nNumber = bit->m_nNumber;
        }
        const wchar_t* names[2] = {L"OFF", L"ON"};
        for (int row = 1; row <= 2; ++row)
            for (int k = 0; names[row - 1][k]; ++k)
                field->m_strStatusName[row * CWidget::nameCols + 1 + k] = CString(names[row - 1][k]);
        text->m_aLines1[0].Add(field);
        CTavixView textView(program.get(), nullptr);
        text->m_nPinValue[0] = text->m_nPinValue[kOutputPin] = 1;
        RefreshMessageTexts(&textView);
        m_drv.Pump();
        CAllDisplayMsgTxts* sheet = GetMessageTextDisplay(&textView);
        ASSERT_NE(sheet, nullptr) << c.type;
        const auto& shownFields = sheet->GetDisplay(0)->m_grid.m_arShownFields[1];
        ASSERT_EQ(shownFields.size(), 1u) << c.type;
        const auto* shown = dynamic_cast<const CWidget*>(shownFields[0]);
        ASSERT_NE(shown, nullptr);
        // A contact is closed while a make contact's input is on, open while a break contact's is.
        auto set = [&](bool on) {
            if (c.type == 700 || c.type == 701)
                bit->m_nContactState = on != c.breakContact;
            else
                bit->m_nPinValue[kOutputPin] = on;
        };
        set(false);
        EXPECT_EQ(shown->GetValueText(&textView), CString(L"OFF     ")) << c.type;
        set(true);
        EXPECT_EQ(shown->GetValueText(&textView), CString(L"ON      ")) << c.type;
        CloseMessageTextDisplay(&textView);
        m_drv.Pump();
    }
}

// The real simulation loop: a view in a frame enters simulation, the child frame's clock ticks
// and every repaint steps the blocks. A text enabled by a constant opens the display at the
// first step; its field shows an on-delay timer's time, which runs with the simulated clock.
class LiveSimulationTest : public MsgTextTest {
protected:
    void SetUp() override
    {
        MsgTextTest::SetUp();
        g_wHardwareCode = 0x5188;
        doc = NewDocument();
        CBlockObj* high = Add(*doc, TYPE_HIGH);
        timer = Add(*doc, 400);
        timer->m_nTime1High = 10, timer->m_nTime1Low = 0, timer->m_nTime1Base = 1;  // 10:00 m:s
        text = dynamic_cast<CBlockMSGTEXT*>(Add(*doc, 810));
        ASSERT_TRUE(high && timer && text);
        Wire(high, timer, 0);
        Wire(high, text, 0);
        auto* field = new CWidget(0, 0, 60, 20, RGB(128, 128, 128));
        field->m_nRow = 1;
        field->m_nCol = 1;
        field->m_nWidth = 6;
        field->m_nItem = 0;  // the time the timer has run
        field->m_pBlock = timer;
        field->m_nNumber = timer->m_nNumber;
        text->m_aLines1[0].Add(field);
        text->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 8)] = L"A";
        text->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 20)] = L"Z";  // beyond the display

        frame = new CFrameWnd;
        frame->Create(nullptr, L"simulation", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480), nullptr, nullptr);
        view = new CTavixView(doc.get(), &childFrame);
        view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 400), frame, AFX_IDW_PANE_FIRST,
                     nullptr);
        frame->SetActiveView(view);
        frame->ShowWindow(SW_SHOW);
        view->SendMessage(WM_INITIALUPDATE);
        m_drv.Pump();
    }
    void TearDown() override
    {
        if (view && view->IsSimulating())
            view->ToggleSimulation();
        CloseMessageTextDisplay(view);
        if (frame && ::IsWindow(frame->GetSafeHwnd()))
            frame->DestroyWindow();
        m_drv.Pump();
        MsgTextTest::TearDown();
    }
    void Wire(CBlockObj* from, CBlockObj* to, int pin)
    {
        auto* w = new CConnectLineObj();
        w->m_pStartBlock = from;
        w->m_nStartPin = kOutputPin;
        w->m_nStartNumber = from->m_nNumber;
        w->m_pEndBlock = to;
        w->m_nEndPin = pin;
        w->m_nEndNumber = to->m_nNumber;
        doc->m_wires.AddTail(w);
        to->m_nLink[pin] = from->m_nNumber;
    }
    // n ticks of 25 ms of the simulated clock, each followed by the view's repaint.
    void Tick(int n)
    {
        for (int k = 0; k < n; ++k) {
            childFrame.SimClockTick();
            view->InvalidateAll();
            view->UpdateWindow();
        }
        m_drv.Pump();
    }

    std::unique_ptr<CTavixDoc> doc;
    CBlockObj* timer = nullptr;
    CBlockMSGTEXT* text = nullptr;
    CChildFrame childFrame;
    CFrameWnd* frame = nullptr;
    CTavixView* view = nullptr;
};

TEST_F(LiveSimulationTest, AFieldFollowsItsBlockWhileTheProgramRunsAndOnlyTwelveCharactersAreShown)
{
    view->ToggleSimulation();
    ASSERT_TRUE(view->IsSimulating());
    view->StopSimClock();
    SYSTEMTIME start{};
    start.wYear = 2026, start.wMonth = 3, start.wDay = 2, start.wHour = 8;
    childFrame.SetSimTime(start);
    EXPECT_EQ(GetMessageTextDisplay(view), nullptr);
    Tick(1);
    CAllDisplayMsgTxts* sheet = GetMessageTextDisplay(view);
    ASSERT_NE(sheet, nullptr);  // the constant enabled the text at the first step
    CMsgTxtDisplay* page = sheet->GetDisplay(0);
    ASSERT_NE(page->m_grid.m_hWnd, nullptr);
    EXPECT_EQ(page->m_grid.GetColumnCount(), 13);
    EXPECT_EQ(page->m_grid.GetItemText(1, 8), L"A");
    ASSERT_EQ(page->m_grid.m_arShownFields[1].size(), 1u);
    auto* shown = dynamic_cast<CWidget*>(page->m_grid.m_arShownFields[1][0]);
    ASSERT_NE(shown, nullptr);
    EXPECT_NE(shown, text->m_aLines1[0][0]);  // the page draws its own copy

    Tick(40 * 3);  // three simulated seconds
    const CString early = shown->GetValueText(view);
    Tick(40 * 62);  // a minute and two seconds later
    const CString later = shown->GetValueText(view);
    EXPECT_NE(early, later);
    EXPECT_NE(early.Find(L"00:03"), -1) << early.GetString();
    EXPECT_NE(later.Find(L"01:05"), -1) << later.GetString();

    // The page repaints itself from its timer; Details switches every page's rendering.
    const int details = g_bMsgTextDetails;
    ::SendMessageW(page->m_hWnd, WM_COMMAND, MAKEWPARAM(1322, BN_CLICKED), 0);
    EXPECT_NE(g_bMsgTextDetails, details);
    m_drv.AdvanceClock(60);
    m_drv.Pump();
    g_bMsgTextDetails = details;

    // Leaving the simulation closes the display.
    view->ToggleSimulation();
    m_drv.Pump();
    EXPECT_EQ(GetMessageTextDisplay(view), nullptr);
}
