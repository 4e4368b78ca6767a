// The message-text editor page's per-set rules, driven through its buttons and checks: how many
// bars, scale times, scopes, pointers and graphs one character set may hold; enabling, disabling
// and switching the two sets; and the priority list, which leaves out the other texts' priorities.
#include "MsgTextTestSupport.h"

#include "elements/BlockMSGTEXT.h"
#include "msgtext/MessageTexts_New.h"
#include "msgtext/Widget.h"
#include "platform/ui/dialogs/PropSheet.h"
#include "view/TavixView.h"

using namespace mttest;

namespace {

class EditorSetsTest : public MsgTextTest {
protected:
    CBlockMSGTEXT* AddText(int priority)
    {
        auto* t = dynamic_cast<CBlockMSGTEXT*>(mttest::Add(*doc, 810));
        if (t)
            t->Priority() = priority;
        return t;
    }
    void Open(CMessageTexts_New& page, CBlockMSGTEXT* text)
    {
        view = std::make_unique<CTavixView>(doc.get(), nullptr);
        page.SetView(view.get());
        page.m_nBlockNumber = text->m_nNumber;
        page.FillFromBlock(*text, *doc, false);
    }
    // A stored field of one kind over the cells from (row, col), as a loaded file holds it.
    static CWidget* Field(int kind, int row, int col, int width, CBlockObj* block, int item)
    {
        auto* f = new CWidget(0, 0, width * 20, 20, RGB(128, 128, 255));
        f->m_nType = kind;
        f->m_nRow = row;
        f->m_nCol = col;
        f->m_nWidth = width;
        f->m_pBlock = block;
        f->m_nNumber = block ? block->m_nNumber : -1;
        f->m_nItem = item;
        f->m_nValueIndex = block ? 0 : -1;
        f->m_nMinValue = 0;
        f->m_nMaxValue = 100;
        f->m_nSetting = kind == widgetBar ? width : 0;
        return f;
    }
    static int Shown(CMessageTexts_New& page, int kind)
    {
        int n = 0;
        for (int line = 1; line <= 4; ++line)
            for (const CGridField* p : page.Grid().m_arShownFields[line])
                n += kind == 0 ? 1 : p->GetFieldKind() == kind;
        return n;
    }
    static void ShowSet(CMessageTexts_New& page, int set)
    {
        const int radio = set == 0 ? 1380 : 1381;
        ::SendMessageW(::GetDlgItem(page.m_hWnd, radio), BM_SETCHECK, BST_CHECKED, 0);
        ::SendMessageW(::GetDlgItem(page.m_hWnd, set == 0 ? 1381 : 1380), BM_SETCHECK, BST_UNCHECKED, 0);
        mttest::Press(page.m_hWnd, radio);
    }

    std::unique_ptr<CTavixDoc> doc;
    std::unique_ptr<CTavixView> view;
};

size_t FieldCount(const CObArray (&lines)[CBlockMSGTEXT::kLines])
{
    size_t n = 0;
    for (const CObArray& a : lines)
        n += size_t(a.GetSize());
    return n;
}

} // namespace

// A set holding one field less than its limit takes one more through the button and its dialog;
// the next press is refused with the limit's message before any dialog opens. The other set,
// still empty, takes the same kind: the limit counts one character set.
TEST_F(EditorSetsTest, EachSetTakesAtMostItsLimitOfEachFieldKind)
{
    struct Case {
        int kind, button, limit, width;
        const wchar_t* message;
        std::function<void(HWND)> dialog;
    };
    const auto pickValue = [](HWND d) {
        Choose(d, 1331, 0);
        mttest::Press(d, IDOK);
    };
    const Case cases[] = {
        {widgetBar, 1396, 8, 4, L"Maximun 8 bar graphs can be used in one message text.",
         [](HWND d) {
             Choose(d, 1331, 0);
             SetText(d, 1137, L"4");
             mttest::Press(d, IDOK);
         }},
        {widgetScaleTime, 1399, 8, 11, L"Maximun 8 scale times can be used in one message text.",
         [](HWND d) {
             Choose(d, 1331, 0);
             Choose(d, 1277, 1);
             mttest::Press(d, IDOK);
         }},
        {widgetScope, 1400, 2, 12, L"Maximun 2 scopes can be used in one message text.", pickValue},
        {widgetPointer, 1401, 2, 12, L"Maximun 2 pointers can be used in one message text.", pickValue},
        {widgetGraph, 1402, 2, 12, L"Maximun 2 graphs can be used in one message text.",
         [](HWND d) {
             mttest::Press(d, 1422 + 3);
             mttest::Press(d, IDOK);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        doc = NewDocument();
        CBlockObj* amplifier = mttest::Add(*doc, 805);
        CBlockMSGTEXT* text = AddText(1);
        ASSERT_NE(text, nullptr);
        text->m_bSet1Enabled = 1;
        text->m_bSet2Enabled = 1;
        text->m_nCurrentSet = 0;
        // limit - 1 fields in set 1: two a line (one a set of lines for the tall kinds), the
        // last free place left for the button.
        const bool tall = c.kind == widgetScope || c.kind == widgetPointer || c.kind == widgetGraph;
        const int item = c.kind == widgetGraph ? -1 : 28;
        CBlockObj* owner = c.kind == widgetGraph ? nullptr : amplifier;
        for (int i = 0; i < c.limit - 1; ++i) {
            const int row = tall ? 1 : 1 + i / 2;
            text->m_aLines1[row - 1].Add(Field(c.kind, row, i % 2 == 0 ? 1 : 13, c.width, owner, item));
        }
        const int lastRow = tall ? 1 : 4;
        CMessageTexts_New page;
        Open(page, text);
        CPropertySheet sheet(L"Message text");
        sheet.AddPage(&page);
        int before = 0, shownAtLimit = 0, shownAfterRefusal = 0, messagesAtRefusal = 0;
        std::wstring refusal;
        Step([&](HWND) {
            before = Shown(page, c.kind);
            page.Grid().SetFocusCell(lastRow, 13);
            mttest::Press(page.m_hWnd, c.button);  // the dialog step below places the last one
        });
        Step(c.dialog);
        Step([&](HWND) {
            shownAtLimit = Shown(page, c.kind);
            const int messages = MessageCount();
            page.Grid().SetFocusCell(4, 20);
            mttest::Press(page.m_hWnd, c.button);  // refused: no dialog may open here
            messagesAtRefusal = MessageCount() - messages;
            refusal = LastMessage();
            shownAfterRefusal = Shown(page, c.kind);
            // Set 2 is empty: it takes one of the same kind.
            ShowSet(page, 1);
            page.Grid().SetFocusCell(1, 1);
            mttest::Press(page.m_hWnd, c.button);
        });
        Step(c.dialog);
        Step([&](HWND) { mttest::Press(sheet.m_hWnd, IDOK); });
        ASSERT_EQ(sheet.DoModal(), IDOK);
        page.ReadIntoBlock(*text);
        EXPECT_EQ(before, c.limit - 1);
        EXPECT_EQ(shownAtLimit, c.limit);
        EXPECT_EQ(messagesAtRefusal, 1);
        EXPECT_EQ(refusal, c.message);
        EXPECT_EQ(shownAfterRefusal, c.limit);
        EXPECT_EQ(FieldCount(text->m_aLines1), size_t(c.limit));
        EXPECT_EQ(FieldCount(text->m_aLines2), 1u);
        page.DestroyWindow();
        view.reset();
        doc.reset();
    }
}

// Enable checks: the only enabled set cannot be disabled; enabling set 2 lets the page switch to
// it; switching back and forth keeps both sets' texts and fields; disabling a set asks first, and
// No keeps everything while Yes empties that set and takes away its radio.
TEST_F(EditorSetsTest, SetsSwitchWithoutLossAndADisabledSetIsEmptied)
{
    doc = NewDocument();
    CBlockObj* counter = mttest::Add(*doc, 800);
    CBlockMSGTEXT* text = AddText(1);
    ASSERT_NE(text, nullptr);
    text->m_bSet1Enabled = 1;
    text->m_bSet2Enabled = 0;
    text->m_nCurrentSet = 0;
    text->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 1)] = L"A";
    text->m_astrCells1[CBlockMSGTEXT::CellIndex(3, 5)] = L"\x4E2D";  // double width: cells 5 and 6
    text->m_aLines1[1].Add(Field(1, 2, 1, 6, counter, 17));
    CMessageTexts_New page;
    Open(page, text);
    CPropertySheet sheet(L"Message text");
    sheet.AddPage(&page);
    m_drv.Host().QueueMessageBoxAnswer(IDNO);
    m_drv.Host().QueueMessageBoxAnswer(IDYES);
    Step([&](HWND) {
        HWND h = page.m_hWnd;
        CGridCtrl& g = page.Grid();
        EXPECT_FALSE(Enabled(h, 1381));
        Check(h, 1232, false);  // the only enabled set: checked again, nothing asked
        EXPECT_TRUE(Checked(h, 1232));
        EXPECT_EQ(MessageCount(), 0);

        Check(h, 1233, true);
        EXPECT_TRUE(Enabled(h, 1381));
        ShowSet(page, 1);
        EXPECT_EQ(g.GetItemText(1, 1), L"");
        EXPECT_EQ(Shown(page, 0), 0);
        g.SetItemText(1, 1, L"B");
        ShowSet(page, 0);
        EXPECT_EQ(g.GetItemText(1, 1), L"A");
        EXPECT_EQ(Shown(page, 1), 1);
        ShowSet(page, 1);
        EXPECT_EQ(g.GetItemText(1, 1), L"B");
        EXPECT_EQ(Shown(page, 0), 0);
        EXPECT_EQ(g.GetItemState(3, 5) & (GRIDSTATE_LEFTHALF | GRIDSTATE_RIGHTHALF), 0u);
        EXPECT_EQ(g.GetItemState(3, 6) & (GRIDSTATE_LEFTHALF | GRIDSTATE_RIGHTHALF), 0u);
        ShowSet(page, 0);
        EXPECT_EQ(g.GetItemText(1, 1), L"A");
        EXPECT_EQ(Shown(page, 1), 1);
        EXPECT_TRUE(g.GetItemState(3, 5) & GRIDSTATE_LEFTHALF);
        EXPECT_TRUE(g.GetItemState(3, 6) & GRIDSTATE_RIGHTHALF);

        Check(h, 1233, false);  // No: set 2 stays
        EXPECT_EQ(MessageCount(), 1);
        EXPECT_EQ(LastMessage(), L"The contents for this character set will be deleted.\nAre you sure?");
        EXPECT_TRUE(Checked(h, 1233));
        EXPECT_TRUE(Enabled(h, 1381));
        ShowSet(page, 1);
        EXPECT_EQ(g.GetItemText(1, 1), L"B");
        ShowSet(page, 0);

        Check(h, 1233, false);  // Yes: set 2 is emptied, the shown set 1 stays as edited
        EXPECT_EQ(MessageCount(), 2);
        EXPECT_FALSE(Checked(h, 1233));
        EXPECT_FALSE(Enabled(h, 1381));
        EXPECT_TRUE(Checked(h, 1380));
        EXPECT_EQ(g.GetItemText(1, 1), L"A");
        EXPECT_EQ(Shown(page, 1), 1);
        mttest::Press(sheet.m_hWnd, IDOK);
    });
    ASSERT_EQ(sheet.DoModal(), IDOK);
    page.ReadIntoBlock(*text);
    EXPECT_EQ(text->m_bSet1Enabled, 1);
    EXPECT_EQ(text->m_bSet2Enabled, 0);
    EXPECT_EQ(text->m_nCurrentSet, 0);
    EXPECT_EQ(text->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 1)], L"A");
    EXPECT_EQ(text->m_astrCells2[CBlockMSGTEXT::CellIndex(1, 1)], L"");
    EXPECT_EQ(text->m_astrCells1[CBlockMSGTEXT::CellIndex(3, 5)], L"\x4E2D");
    ASSERT_EQ(text->m_aLines1[1].GetSize(), 1);
    EXPECT_EQ(static_cast<const CWidget*>(text->m_aLines1[1][0])->m_nNumber, counter->m_nNumber);
    EXPECT_EQ(FieldCount(text->m_aLines2), 0u);
}

// Disabling the shown set moves the page to the other set, which it shows as stored.
TEST_F(EditorSetsTest, DisablingTheShownSetShowsTheOther)
{
    doc = NewDocument();
    CBlockObj* counter = mttest::Add(*doc, 800);
    CBlockMSGTEXT* text = AddText(1);
    ASSERT_NE(text, nullptr);
    text->m_bSet1Enabled = 1;
    text->m_bSet2Enabled = 1;
    text->m_nCurrentSet = 0;
    text->m_nTickerMode2 = 1;
    text->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 1)] = L"A";
    text->m_astrCells2[CBlockMSGTEXT::CellIndex(2, 3)] = L"B";
    text->m_aLines1[0].Add(Field(1, 1, 5, 6, counter, 17));
    text->m_aLines2[2].Add(Field(2, 3, 7, 6, counter, 18));
    CMessageTexts_New page;
    Open(page, text);
    CPropertySheet sheet(L"Message text");
    sheet.AddPage(&page);
    m_drv.Host().QueueMessageBoxAnswer(IDYES);
    Step([&](HWND) {
        HWND h = page.m_hWnd;
        Check(h, 1232, false);
        EXPECT_EQ(MessageCount(), 1);
        EXPECT_TRUE(Checked(h, 1381));
        EXPECT_FALSE(Checked(h, 1380));
        EXPECT_FALSE(Enabled(h, 1380));
        EXPECT_TRUE(Checked(h, 1383));  // set 2's ticker option is shown
        EXPECT_EQ(page.Grid().GetItemText(2, 3), L"B");
        EXPECT_EQ(page.Grid().GetItemText(1, 1), L"");
        ASSERT_EQ(page.Grid().m_arShownFields[3].size(), 1u);
        EXPECT_EQ(Shown(page, 0), 1);
        mttest::Press(sheet.m_hWnd, IDOK);
    });
    ASSERT_EQ(sheet.DoModal(), IDOK);
    page.ReadIntoBlock(*text);
    EXPECT_EQ(text->m_nCurrentSet, 1);
    EXPECT_EQ(text->m_bSet1Enabled, 0);
    EXPECT_EQ(text->m_bSet2Enabled, 1);
    EXPECT_EQ(text->m_astrCells1[CBlockMSGTEXT::CellIndex(1, 1)], L"");
    EXPECT_EQ(text->m_astrCells2[CBlockMSGTEXT::CellIndex(2, 3)], L"B");
    EXPECT_EQ(FieldCount(text->m_aLines1), 0u);
    ASSERT_EQ(text->m_aLines2[2].GetSize(), 1);
    EXPECT_EQ(static_cast<const CWidget*>(text->m_aLines2[2][0])->m_nItem, 18);
    EXPECT_EQ(text->m_nTickerMode2, 1);
}

// The priority list offers the priorities no other message text holds, the text's own one
// selected; after OK the text holds the chosen number, not its place in the list.
TEST_F(EditorSetsTest, PriorityListLeavesOutTheOtherTextsPriorities)
{
    doc = NewDocument();
    ASSERT_NE(AddText(3), nullptr);
    ASSERT_NE(AddText(9), nullptr);
    CBlockMSGTEXT* text = AddText(5);
    ASSERT_NE(text, nullptr);
    CMessageTexts_New page;
    Open(page, text);
    CPropertySheet sheet(L"Message text");
    sheet.AddPage(&page);
    std::vector<std::wstring> offered;
    std::wstring selected;
    Step([&](HWND) {
        HWND h = page.m_hWnd;
        for (int i = 0; i < Count(h, 1118); ++i)
            offered.push_back(Entry(h, 1118, i));
        if (Selected(h, 1118) >= 0)
            selected = Entry(h, 1118, Selected(h, 1118));
        Choose(h, 1118, 6);  // "7": 3 is missing before it
        mttest::Press(sheet.m_hWnd, IDOK);
    });
    ASSERT_EQ(sheet.DoModal(), IDOK);
    const std::vector<std::wstring> expected = {L"0", L"1", L"2", L"4", L"5", L"6", L"7",
                                                L"8", L"10", L"11", L"12", L"13", L"14", L"15"};
    EXPECT_EQ(offered, expected);
    EXPECT_EQ(selected, L"5");
    EXPECT_EQ(page.m_nPriority, 7);
    page.ReadIntoBlock(*text);
    EXPECT_EQ(text->Priority(), 7);
}
