// The live parameter editor of the message-text display: a double-click on a field opens it over
// the field with the controls of the parameter, Enter or a click on another field checks and
// writes the entry into the simulated block, Esc drops it, and a refused entry changes nothing.
// Driven through injected mouse and keyboard input.
#include "MsgTextTestSupport.h"

#include "controls/GridCtrl.h"
#include "elements/BlockAnalog.h"
#include "elements/BlockCounters.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockObj.h"
#include "elements/BlockTime.h"
#include "elements/BlockTypes.h"
#include "msgtext/AllDisplayMsgTxts.h"
#include "msgtext/CellParamEditDlg.h"
#include "msgtext/MsgTxtDisplay.h"
#include "msgtext/Widget.h"
#include "platform/ui/controls/CtlCommCtrl.h"
#include "view/TavixView.h"

using namespace mttest;

namespace {

class LiveEditorTest : public MsgTextTest {
protected:
    void SetUp() override
    {
        MsgTextTest::SetUp();
        doc = NewDocument();
        text = dynamic_cast<CBlockMSGTEXT*>(Add(*doc, 810));
        view = std::make_unique<CTavixView>(doc.get(), nullptr);
    }
    void TearDown() override
    {
        CloseMessageTextDisplay(view.get());
        m_drv.Pump();
        view.reset();
        MsgTextTest::TearDown();
    }
    // A field on line `row` from column `col` over `width` cells showing item `item` of the block.
    void Field(CBlockObj* pBlock, int item, int width, int row = 1, int col = 1)
    {
        auto* f = new CWidget(0, 0, 10 * width, 20, RGB(128, 128, 128));
        f->m_nRow = row;
        f->m_nCol = col;
        f->m_nWidth = width;
        f->m_nType = 0;
        f->m_nItem = item;
        f->m_pBlock = pBlock;
        f->m_nNumber = pBlock->m_nNumber;
        text->m_aLines1[row - 1].Add(f);
    }
    // The text becomes active and its page shows; the page's fields lie on its cells.
    void Show()
    {
        text->m_nPinValue[0] = 1;
        text->m_nPinValue[kOutputPin] = 1;
        doc->SetModifiedFlag(FALSE);
        RefreshMessageTexts(view.get());
        m_drv.Pump();
        CAllDisplayMsgTxts* sheet = GetMessageTextDisplay(view.get());
        ASSERT_NE(sheet, nullptr);
        page = sheet->GetDisplay(0);
        ASSERT_NE(page->m_grid.m_hWnd, nullptr);
        for (int line = 1; line <= 4; ++line)
            for (CGridField* f : page->m_grid.m_arShownFields[line]) {
                CRect r;
                const int row = f->GetFieldRow(), col = f->GetFieldColumn();
                ASSERT_TRUE(page->m_grid.GetCellRangeRect(CCellRange(row, col, row, col + f->GetFieldWidth() - 1), &r));
                f->SetFieldRect(CRect(r.left, r.top, r.right + 1, r.bottom + 1));
            }
    }
    POINT CentreOf(int line, int i = 0)
    {
        const CRect r = page->m_grid.m_arShownFields[line][size_t(i)]->GetFieldRect();
        return CHeadlessDriver::At(page->m_grid.m_hWnd, r.CenterPoint());
    }
    // Double-clicks the field; returns the editor's window (null when none opened).
    HWND Open(int line = 1, int i = 0)
    {
        m_drv.DoubleClick(CentreOf(line, i));
        m_drv.Pump();
        CCellParamEditDlg* e = page->GetLiveEditor();
        return e ? e->m_hWnd : nullptr;
    }
    // Focuses a control of the editor and types over its text.
    void TypeInto(HWND editor, int id, const std::wstring& s)
    {
        HWND h = ::GetDlgItem(editor, id);
        ASSERT_NE(h, nullptr) << id;
        ::SetFocus(h);
        ::SendMessageW(h, EM_SETSEL, 0, -1);
        m_drv.Type(s);
        m_drv.Pump();
    }
    void Press(UINT vk)
    {
        m_drv.Key(vk);
        m_drv.Pump();
    }
    bool EditorOpen() const { return page->GetLiveEditor() != nullptr; }

    std::unique_ptr<CTavixDoc> doc;
    CBlockMSGTEXT* text = nullptr;
    std::unique_ptr<CTavixView> view;
    CMsgTxtDisplay* page = nullptr;
};

} // namespace

TEST_F(LiveEditorTest, OnDelayTimeIsWrittenWithItsBaseAndMinutesAbove59AreRefused)
{
    CBlockObj* timer = Add(*doc, 400);
    timer->m_nTime1High = 1, timer->m_nTime1Low = 2, timer->m_nTime1Base = 1;
    Field(timer, 4, 6);
    Show();
    HWND e = Open();
    ASSERT_NE(e, nullptr);
    // The editor covers the field exactly; its controls lie on the field's cells.
    CRect er, fr = page->m_grid.m_arShownFields[1][0]->GetFieldRect();
    ::GetWindowRect(e, &er);
    page->m_grid.ClientToScreen(&fr);
    EXPECT_EQ(er, fr);
    EXPECT_EQ(Text(e, 1550), L"1");
    EXPECT_EQ(Text(e, 1549), L"2");
    EXPECT_EQ(Selected(e, 1548), 1);
    EXPECT_EQ(Count(e, 1548), 3);
    CRect edit;
    ::GetWindowRect(::GetDlgItem(e, 1549), &edit);
    EXPECT_EQ(edit.left - er.left, 2 * (fr.Width() / 6));
    EXPECT_EQ(edit.top - er.top, 7);

    Choose(e, 1548, 2);  // s
    TypeInto(e, 1550, L"5");
    TypeInto(e, 1549, L"99");
    Press(VK_RETURN);
    EXPECT_FALSE(EditorOpen());
    EXPECT_EQ(MessageCount(), 0);
    EXPECT_EQ(timer->m_nTime1High, 5);
    EXPECT_EQ(timer->m_nTime1Low, 99);
    EXPECT_EQ(timer->m_nTime1Base, 2);

    e = Open();
    ASSERT_NE(e, nullptr);
    Choose(e, 1548, 1);  // m
    TypeInto(e, 1549, L"75");
    Press(VK_RETURN);
    EXPECT_FALSE(EditorOpen());  // a refusal closes the editor as well
    EXPECT_EQ(LastMessage(), L"Please enter an integer between 0 and 59");
    EXPECT_EQ(timer->m_nTime1Low, 99);
    EXPECT_EQ(timer->m_nTime1Base, 2);
}

TEST_F(LiveEditorTest, TwoTimeTimerRestartsItsShownTimeOnlyWhileNotTiming)
{
    auto* timer = dynamic_cast<CBlockTime*>(Add(*doc, 402));
    ASSERT_NE(timer, nullptr);
    Field(timer, 7, 6);  // Off Time(TL): the second time
    Show();
    for (int run : {0, 1}) {
        timer->m_nRun = run;
        timer->m_dElapsed = 123;
        HWND e = Open();
        ASSERT_NE(e, nullptr);
        Choose(e, 1548, 1);
        TypeInto(e, 1550, L"2");
        TypeInto(e, 1549, L"30");
        Press(VK_RETURN);
        EXPECT_EQ(timer->m_nTime2High, 2);
        EXPECT_EQ(timer->m_nTime2Low, 30);
        EXPECT_EQ(timer->m_dElapsed, run ? 123.0 : 150000.0) << run;
    }
}

TEST_F(LiveEditorTest, YearlyDatesAreCheckedByTheLengthOfTheMonth)
{
    CBlockObj* yearly = Add(*doc, 411);
    Field(yearly, 35, 6);
    Show();
    struct Case {
        const wchar_t* month;
        const wchar_t* day;
        const wchar_t* refusal;  // null: accepted
    };
    const Case cases[] = {
        {L"2", L"30", L"Enter an Integer between 1 and 29."},
        {L"4", L"31", L"Enter an Integer between 1 and 30."},
        {L"13", L"1", L"Enter an Integer between 1 and 12."},
        {L"2", L"29", nullptr},  // no leap-year test
    };
    for (const Case& c : cases) {
        m_drv.Host().ClearMessageBoxes();
        HWND e = Open();
        ASSERT_NE(e, nullptr);
        TypeInto(e, 1068, c.month);
        TypeInto(e, 1069, c.day);
        Press(VK_RETURN);
        if (c.refusal) {
            EXPECT_EQ(LastMessage(), c.refusal) << c.month << "/" << c.day;
        } else {
            EXPECT_EQ(MessageCount(), 0);
            EXPECT_EQ(yearly->m_nTime1High, 2);
            EXPECT_EQ(yearly->m_nTime1Low, 29);
        }
    }
}

TEST_F(LiveEditorTest, WeeklyOffTimeSwitchedOffAcceptsAnyTimeAndSpaceTogglesTheCheck)
{
    auto* weekly = dynamic_cast<CBlockTime*>(Add(*doc, 410));
    ASSERT_NE(weekly, nullptr);
    weekly->m_bCamOffOff[1] = 0;
    Field(weekly, 46, 6);  // cam 2 off time
    Field(weekly, 44, 7, 2);  // cam 2 weekdays
    Show();
    HWND e = Open();
    ASSERT_NE(e, nullptr);
    EXPECT_FALSE(Checked(e, 1049));
    EXPECT_TRUE(Enabled(e, 1550));
    ::SetFocus(::GetDlgItem(e, 1049));
    Press(VK_SPACE);
    EXPECT_TRUE(Checked(e, 1049));
    EXPECT_FALSE(Enabled(e, 1550));
    EXPECT_FALSE(Enabled(e, 1549));
    SetText(e, 1550, L"77");
    SetText(e, 1549, L"88");
    Press(VK_RETURN);
    EXPECT_EQ(MessageCount(), 0);
    EXPECT_EQ(weekly->m_bCamOffOff[1], 1);
    EXPECT_EQ(weekly->m_nCamOff[1][0], 77);

    // With the check clear the hour is checked.
    e = Open();
    ASSERT_NE(e, nullptr);
    ::SetFocus(::GetDlgItem(e, 1049));
    Press(VK_SPACE);
    TypeInto(e, 1550, L"24");
    Press(VK_RETURN);
    EXPECT_EQ(LastMessage(), L"Please enter an integer between 0 and 23");
    EXPECT_EQ(weekly->m_bCamOffOff[1], 1);

    // Weekdays: check box 1049 is Monday, 1055 Sunday; the cam's flags are Sunday first.
    e = Open(2);
    ASSERT_NE(e, nullptr);
    Check(e, 1049, true);
    Check(e, 1055, true);
    Press(VK_RETURN);
    EXPECT_EQ(weekly->m_bCamDays[1][1], 1);
    EXPECT_EQ(weekly->m_bCamDays[1][0], 1);
    EXPECT_EQ(weekly->m_bCamDays[1][2], 0);
}

TEST_F(LiveEditorTest, MaskTextIsUpperCaseHexadecimalAndModuloRefusesZero)
{
    CBlockObj* mask = Add(*doc, 838);
    CBlockObj* modulo = Add(*doc, 862);
    modulo->m_nTime1High = 7;
    Field(mask, 118, 6);
    Field(modulo, 118, 6, 2);
    Show();
    HWND e = Open();
    ASSERT_NE(e, nullptr);
    TypeInto(e, 1550, L"ff");
    EXPECT_EQ(Text(e, 1550), L"FF");
    Press(VK_RETURN);
    EXPECT_EQ(mask->m_nTime1High, 0x00FF);

    e = Open(2);
    ASSERT_NE(e, nullptr);
    TypeInto(e, 1550, L"0");
    Press(VK_RETURN);
    EXPECT_EQ(LastMessage(), L"Please enter an integer between -32767 and 32767 and <> 0");
    EXPECT_EQ(modulo->m_nTime1High, 7);
}

TEST_F(LiveEditorTest, RealSpinStopsAtTheBlocksRange)
{
    CBlockObj* amp = Add(*doc, 865);
    amp->m_dParam = 9999.99;
    Field(amp, 123, 8);
    Show();
    HWND e = Open();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(Text(e, 1550), L"9999.99");
    auto step = [&](int delta) {
        NMUPDOWN nm{};
        nm.hdr.hwndFrom = ::GetDlgItem(e, 1290);
        nm.hdr.idFrom = 1290;
        nm.hdr.code = UDN_DELTAPOS;
        nm.iDelta = delta;
        return ::SendMessageW(e, WM_NOTIFY, 1290, LPARAM(&nm));
    };
    EXPECT_EQ(step(1), 0);
    EXPECT_EQ(Text(e, 1550), L"10000");
    step(1);  // one step above the maximum: unchanged
    EXPECT_EQ(Text(e, 1550), L"10000");
    step(-3);
    EXPECT_EQ(Text(e, 1550), L"9999.97");
    Press(VK_RETURN);
    EXPECT_DOUBLE_EQ(amp->m_dParam, 9999.97);
}

TEST_F(LiveEditorTest, EscDropsTheEntryAndAClickOnAnotherFieldAppliesIt)
{
    CBlockObj* counter = Add(*doc, 800);
    counter->m_nTime1High = 10;
    Field(counter, 17, 5);
    Field(counter, 18, 5, 1, 7);
    Show();
    HWND e = Open();
    ASSERT_NE(e, nullptr);
    TypeInto(e, 1550, L"42");
    Press(VK_ESCAPE);
    EXPECT_FALSE(EditorOpen());
    EXPECT_EQ(counter->m_nTime1High, 10);

    e = Open();
    ASSERT_NE(e, nullptr);
    TypeInto(e, 1550, L"42");
    // A click on the same field keeps the editor; on another one it applies and closes.
    m_drv.Click(CentreOf(1, 0));
    m_drv.Pump();
    EXPECT_TRUE(EditorOpen());
    m_drv.Click(CentreOf(1, 1));
    m_drv.Pump();
    EXPECT_FALSE(EditorOpen());
    EXPECT_EQ(counter->m_nTime1High, 42);
    EXPECT_EQ(doc->IsModified(), FALSE);
}

TEST_F(LiveEditorTest, OnlyLiteralParametersOfKnownItemsOpenTheEditor)
{
    CBlockObj* timer = Add(*doc, 400);
    CBlockObj* other = Add(*doc, 400);
    CBlockObj* status = Add(*doc, 811);
    struct Case {
        CBlockObj* block;
        int item;
        bool opens;
    };
    EXPECT_TRUE(CCellParamEditDlg::CanEdit(timer, 4));
    timer->m_pRefBlock[0] = other;  // the delay comes from another block
    const Case cases[] = {{timer, 4, false}, {other, 4, true}, {other, 5, false}, {status, 33, false}};
    for (const Case& c : cases)
        EXPECT_EQ(CCellParamEditDlg::CanEdit(c.block, c.item) != FALSE, c.opens) << c.block->m_nType << " " << c.item;
    Field(timer, 4, 6);
    Show();
    EXPECT_EQ(Open(), nullptr);
    EXPECT_FALSE(page->m_grid.IsPopupEditOpen());
    timer->m_pRefBlock[0] = nullptr;
}

TEST_F(LiveEditorTest, HoursCounterIntervalSetsTheRemainingTimeEvenWithoutAnInterval)
{
    auto* hours = dynamic_cast<CBlockHCOUNTER*>(Add(*doc, 801));
    ASSERT_NE(hours, nullptr);
    Field(hours, 19, 6);
    Show();
    struct Case {
        int total;
        const wchar_t* interval;
        int remaining;
    };
    const Case cases[] = {{10, L"10", 600}, {10, L"25", 900}, {25, L"10", 300}, {25, L"0", 0}, {0, L"9999", 599940}};
    for (const Case& c : cases) {
        hours->m_nTime2High = c.total;
        HWND e = Open();
        ASSERT_NE(e, nullptr);
        TypeInto(e, 1550, c.interval);
        Press(VK_RETURN);
        EXPECT_EQ(hours->m_nMn, c.remaining) << c.total << " " << c.interval;
    }
    EXPECT_EQ(MessageCount(), 0);
}

TEST_F(LiveEditorTest, HoursCounterIntervalTakesThePagesRange)
{
    // The device keeps the interval in a word of hours (a 32-bit count of minutes in the newer
    // families), and the block's page accepts up to 9999 hours: so does the live editor, and a
    // fifth digit is never taken.
    auto* hours = dynamic_cast<CBlockHCOUNTER*>(Add(*doc, 801));
    ASSERT_NE(hours, nullptr);
    hours->m_nTime2High = 0;
    Field(hours, 19, 6);
    Show();
    struct Case {
        const wchar_t* typed;
        int interval;
    };
    const Case cases[] = {{L"1024", 1024}, {L"5000", 5000}, {L"10000", 1000}};
    for (const Case& c : cases) {
        HWND e = Open();
        ASSERT_NE(e, nullptr);
        TypeInto(e, 1550, c.typed);
        Press(VK_RETURN);
        EXPECT_EQ(hours->m_nTime1High, c.interval) << c.typed;
        EXPECT_EQ(hours->m_nMn, 60 * c.interval) << c.typed;
    }
    EXPECT_EQ(MessageCount(), 0);
}
