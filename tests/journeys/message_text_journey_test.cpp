// Message texts: a message-text block drawn with an input, an on-delay timer and an output; on
// its sheet a two-line text is typed into the character grid with a field of the timer's time
// and an ON/OFF field of the output; simulated, the live display opens when the text's input
// comes on and its fields follow the blocks, and the timer's delay is changed in the display's
// parameter editor.
#include "tests/journeys/JourneyTest.h"

#include "elements/BlockMSGTEXT.h"
#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"
#include "msgtext/AllDisplayMsgTxts.h"
#include "msgtext/CellParamEditDlg.h"
#include "msgtext/MessageTexts_New.h"
#include "msgtext/MsgTxtDisplay.h"
#include "msgtext/Widget.h"
#include "resources/resource.h"
#include "shell/ChildFrame.h"
#include "shell/PaletteItems.h"

namespace journey {
namespace {

// Controls of the message-text page and of the ON/OFF field's dialog.
constexpr int kBlockList = 1120, kParamList = 1122, kInsert = 1121, kOnOff = 1398;
constexpr int kBitType = 1400, kBitNumber = 1401;

class MessageTexts : public JourneyTest {
protected:
    // A click on a cell of a character grid.
    void ClickCell(CGridCtrl& grid, int row, int col)
    {
        CRect rc;
        ASSERT_TRUE(grid.GetCellRect(row, col, &rc));
        drv.Click(CHeadlessDriver::At(grid.m_hWnd, rc.CenterPoint()));
        drv.Pump();
    }
    // A list box entry chosen with the mouse: selected, and its owner told.
    void Choose(HWND dlg, int id, int index)
    {
        HWND list = ::GetDlgItem(dlg, id);
        ASSERT_NE(list, nullptr) << id;
        ASSERT_NE(::SendMessageW(list, LB_SETCURSEL, WPARAM(index), 0), LB_ERR) << id << " " << index;
        ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        drv.Pump();
    }
    int FindEntry(HWND dlg, int id, const wchar_t* prefix)
    {
        return int(::SendMessageW(::GetDlgItem(dlg, id), LB_FINDSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(prefix)));
    }
    using JourneyTest::Choose;
};

TEST_F(MessageTexts, ALiveDisplayFollowsTheBlocks)
{
    Start();
    Choose({L"&File", L"New", L"Function block diagram(FBD)"});
    CBlockObj* in = Place(groupIo, TYPE_INPUT, CPoint(100, 100));
    CBlockObj* timer = Place(groupTmr, 400, CPoint(250, 100));
    CBlockObj* q = Place(groupIo, TYPE_OUTPUT, CPoint(400, 100));
    auto* text = dynamic_cast<CBlockMSGTEXT*>(Place(groupMisc, TYPE_MSGTEXT, CPoint(250, 220)));
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MODE_SELECT, 0), 0);
    drv.Pump();
    ASSERT_TRUE(in && timer && q && text) << !!in << !!timer << !!q << !!text;
    EXPECT_TRUE(Wire(in, kOutputPin, timer, 0));
    EXPECT_TRUE(Wire(timer, kOutputPin, q, 0));
    EXPECT_TRUE(Wire(in, kOutputPin, text, 0));

    // The timer runs 5 s.
    OnDialog([&](HWND sheet) {
        HWND page = PageWith(sheet, 1550);
        ASSERT_NE(page, nullptr);
        Pick(page, 1548, Text(IDS_TIME_BASE_SECONDS));
        Type(page, 1550, L"5");
        Type(page, 1549, L"0");
        Press(sheet, IDOK);
    });
    DoubleClick(Centre(timer));
    ASSERT_EQ(timer->m_nTime1High, 5);

    // The text, in the twelve characters a line the display shows: "Now" and the timer's current
    // time on line 1, "Q" and the output's ON/OFF names on line 2, "T" and the timer's delay on
    // line 3.
    bool edited = false;
    OnDialog([&](HWND sheet) {
        HWND pageWnd = PageWith(sheet, kBlockList);
        ASSERT_NE(pageWnd, nullptr);
        auto* page = dynamic_cast<CMessageTexts_New*>(CWnd::FromHandlePermanent(pageWnd));
        ASSERT_NE(page, nullptr);
        CGridCtrl& grid = page->Grid();
        auto parameter = [&](int row, int col, int position) {
            ClickCell(grid, row, col);
            Choose(pageWnd, kBlockList, FindEntry(pageWnd, kBlockList, L"B0"));
            Choose(pageWnd, kParamList, position);
            Press(pageWnd, kInsert);
        };
        ClickCell(grid, 1, 1);
        drv.Type(L"Now");
        parameter(1, 5, 0);  // the current time
        ClickCell(grid, 2, 1);
        drv.Type(L"Q");
        ClickCell(grid, 2, 3);
        OnDialog([&](HWND dlg) {
            Pick(dlg, kBitType, Text(IDS_MT_IO_TYPE_FIRST + 1));  // the outputs
            Press(dlg, IDOK);
        });
        Press(pageWnd, kOnOff);
        ClickCell(grid, 3, 1);
        drv.Type(L"T");
        parameter(3, 5, 1);  // the delay
        Shot("message_text_editor", sheet);
        edited = true;
        Press(sheet, IDOK);
    });
    DoubleClick(Centre(text));
    ASSERT_TRUE(edited);
    EXPECT_TRUE(TakeBoxes().empty());
    for (int line : {0, 1, 2})
        ASSERT_EQ(text->m_aLines1[line].GetSize(), 1) << "line " << line;
    const auto* nowField = static_cast<const CWidget*>(text->m_aLines1[0][0]);
    const auto* lampField = static_cast<const CWidget*>(text->m_aLines1[1][0]);
    const auto* delayField = static_cast<const CWidget*>(text->m_aLines1[2][0]);
    EXPECT_EQ(nowField->m_nNumber, timer->m_nNumber);
    EXPECT_EQ(delayField->m_nNumber, timer->m_nNumber);
    EXPECT_EQ(nowField->m_nCol, 5);
    EXPECT_EQ(lampField->m_nType, widgetOnOff);
    EXPECT_EQ(lampField->m_nNumber, q->m_nNumber);
    EXPECT_EQ(text->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 3)], L"w");
    EXPECT_EQ(text->m_astrCells1[CBlockMSGTEXT::CellIndex(2, 1)], L"Q");

    // Simulation: the display opens with the input and follows the timer and the output.
    CTavixView* view = StartSimulation();
    ASSERT_NE(view, nullptr);
    CChildFrame* frame = view->GetParentFrame();
    Tick(view, 2);
    EXPECT_EQ(GetMessageTextDisplay(view), nullptr);
    auto toggle = [&]() {
        const CSimIOBar::Control* button = frame->m_wndInputsBar.FindControl(in->m_nNumber);
        ASSERT_NE(button, nullptr);
        CRect rc;
        button->wnd->GetClientRect(&rc);
        drv.Click(CHeadlessDriver::At(button->wnd->GetSafeHwnd(), rc.CenterPoint()));
        drv.Pump();
    };
    toggle();
    Tick(view, 2);
    CAllDisplayMsgTxts* display = GetMessageTextDisplay(view);
    ASSERT_NE(display, nullptr);
    CMsgTxtDisplay* shown = display->GetDisplay(display->GetActiveIndex());
    ASSERT_NE(shown, nullptr);
    CGridCtrl& grid = shown->m_grid;
    EXPECT_EQ(grid.GetItemText(1, 1), L"N");
    EXPECT_EQ(grid.GetItemText(2, 1), L"Q");
    for (int row : {1, 2, 3})
        ASSERT_EQ(grid.m_arShownFields[row].size(), 1u) << row;
    auto* now = dynamic_cast<CWidget*>(grid.m_arShownFields[1][0]);
    auto* delay = dynamic_cast<CWidget*>(grid.m_arShownFields[3][0]);
    ASSERT_TRUE(now && delay);
    // The fields lie over the display's own cells.
    CRect cells;
    ASSERT_TRUE(grid.GetCellRangeRect(CCellRange(1, 5, 1, 5 + now->m_nWidth - 1), &cells));
    EXPECT_EQ(now->m_rect.TopLeft(), cells.TopLeft());
    // The current time runs with the simulated clock up to the delay; then the output is on.
    EXPECT_EQ(delay->GetValueText(view), CString(L"05:00s"));
    const CString early = now->GetValueText(view);
    Tick(view, 80);  // 2 s
    const CString later = now->GetValueText(view);
    EXPECT_NE(later, early);
    EXPECT_EQ(q->m_nPinValue[kOutputPin], 0);
    Tick(view, 120);  // past 5 s
    EXPECT_EQ(now->GetValueText(view), CString(L"05:00s"));
    EXPECT_EQ(q->m_nPinValue[kOutputPin], 1);
    Shot("message_text_display", display->m_hWnd);
    Press(shown->m_hWnd, 1322);
    Shot("message_text_values", display->m_hWnd);
    Press(shown->m_hWnd, 1322);

    // The delay changed to 2 s in the display's parameter editor, opened with a double-click on
    // its field; the next run of the timer takes it.
    drv.DoubleClick(CHeadlessDriver::At(grid.m_hWnd, delay->m_rect.CenterPoint()));
    drv.Pump();
    CCellParamEditDlg* editor = shown->GetLiveEditor();
    ASSERT_NE(editor, nullptr);
    Type(editor->m_hWnd, 1550, L"2");
    Type(editor->m_hWnd, 1549, L"0");
    Shot("message_text_parameter", display->m_hWnd);
    drv.Key(VK_RETURN);
    drv.Pump();
    EXPECT_EQ(shown->GetLiveEditor(), nullptr);
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_EQ(timer->m_nTime1High, 2);
    EXPECT_EQ(timer->m_nTime1Base, 2);
    EXPECT_EQ(delay->GetValueText(view), CString(L"02:00s"));
    toggle();
    Tick(view, 2);
    EXPECT_EQ(GetMessageTextDisplay(view), nullptr) << "no text is active";
    EXPECT_EQ(q->m_nPinValue[kOutputPin], 0);
    toggle();
    Tick(view, 60);  // 1.5 s
    EXPECT_EQ(q->m_nPinValue[kOutputPin], 0);
    Tick(view, 30);  // past 2 s
    EXPECT_EQ(q->m_nPinValue[kOutputPin], 1);
    Choose({L"&Tools", L"&Simulation"});
}

}  // namespace
}  // namespace journey
