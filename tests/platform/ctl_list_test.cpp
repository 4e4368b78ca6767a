// List boxes and combo boxes: contents, searches, code-set selections that stay silent, user
// selections with their notifications in order, the drop-down list and the combo's edit.
#include "ctl_support.h"

#include <cwchar>

using namespace ctltest;
using Ev = std::vector<std::string>;

namespace {

class ListTest : public CtlTest {
protected:
    std::wstring ItemText(HWND h, UINT getMsg, int i)
    {
        wchar_t buf[64] = {};
        SendMessageW(h, getMsg, WPARAM(i), reinterpret_cast<LPARAM>(buf));
        return buf;
    }
    void Fill(HWND h, UINT addMsg, std::initializer_list<const wchar_t*> items)
    {
        for (auto* s : items)
            SendMessageW(h, addMsg, 0, reinterpret_cast<LPARAM>(s));
    }
};

TEST_F(ListTest, ContentsSortingAndSearches)
{
    HWND lb = Make(L"ListBox", L"", LBS_NOTIFY | LBS_SORT | WS_VSCROLL, 10, 10, 120, 80, 401);
    Fill(lb, LB_ADDSTRING, {L"pear", L"Apple", L"banana", L"apple pie"});
    EXPECT_EQ(ItemText(lb, LB_GETTEXT, 0), L"Apple");
    EXPECT_EQ(ItemText(lb, LB_GETTEXT, 1), L"apple pie");
    EXPECT_EQ(ItemText(lb, LB_GETTEXT, 3), L"pear");
    struct Case {
        UINT msg;
        int start;
        const wchar_t* text;
        LRESULT expected;
    };
    const Case cases[] = {
        {LB_FINDSTRING, -1, L"APP", 0},      // prefix, any case, from the top
        {LB_FINDSTRING, 0, L"app", 1},       // starts after the given item
        {LB_FINDSTRING, 1, L"app", 0},       // and wraps round
        {LB_FINDSTRINGEXACT, -1, L"APPLE", 0},
        {LB_FINDSTRINGEXACT, -1, L"appl", LB_ERR},
        {LB_FINDSTRING, -1, L"kiwi", LB_ERR},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SendMessageW(lb, c.msg, WPARAM(c.start), reinterpret_cast<LPARAM>(c.text)), c.expected) << c.text;
    EXPECT_EQ(SendMessageW(lb, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"zz")), 0);  // inserting ignores sorting
    EXPECT_EQ(SendMessageW(lb, LB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(SendMessageW(lb, LB_DELETESTRING, 9, 0), LB_ERR);
    EXPECT_EQ(SendMessageW(lb, LB_GETTEXTLEN, 9, 0), LB_ERR);
    SendMessageW(lb, LB_SETITEMDATA, 2, 77);
    EXPECT_EQ(SendMessageW(lb, LB_GETITEMDATA, 2, 0), 77);
    SendMessageW(lb, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageW(lb, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageW(lb, LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ListTest, UserSelectionNotifiesAfterFocusCodeSelectionDoesNot)
{
    HWND lb = Make(L"ListBox", L"", LBS_NOTIFY | WS_VSCROLL, 10, 10, 120, 80, 402);
    Fill(lb, LB_ADDSTRING, {L"a", L"b", L"c", L"d", L"e", L"f", L"g", L"h", L"i", L"j"});
    Take();
    SendMessageW(lb, LB_SETCURSEL, 2, 0);
    EXPECT_TRUE(Take().empty());
    RECT ir{};
    SendMessageW(lb, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&ir));
    Click(lb, 5, ir.top + 1);
    EXPECT_EQ(Take(), (Ev{"cmd 402 LBN_SETFOCUS focus=402", "cmd 402 LBN_SELCHANGE focus=402"}));
    EXPECT_EQ(SendMessageW(lb, LB_GETCURSEL, 0, 0), 1);
    drv.AdvanceClock(1000);  // the next two clicks make the double click, not the one above
    DoubleClick(lb, 5, ir.top + 1);
    EXPECT_EQ(Take().back(), "cmd 402 LBN_DBLCLK focus=402");
    Key(VK_END);
    EXPECT_EQ(SendMessageW(lb, LB_GETCURSEL, 0, 0), 9);
    EXPECT_EQ(Take(), (Ev{"cmd 402 LBN_SELCHANGE focus=402"}));
    EXPECT_GT(SendMessageW(lb, LB_GETTOPINDEX, 0, 0), 0);  // scrolled to show it
    // the top index moves without selecting
    SendMessageW(lb, LB_SETTOPINDEX, 0, 0);
    EXPECT_EQ(SendMessageW(lb, LB_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(SendMessageW(lb, LB_GETCURSEL, 0, 0), 9);
}

TEST_F(ListTest, MultipleAndExtendedSelection)
{
    HWND multi = Make(L"ListBox", L"", LBS_NOTIFY | LBS_MULTIPLESEL, 10, 10, 100, 120, 403);
    HWND ext = Make(L"ListBox", L"", LBS_NOTIFY | LBS_EXTENDEDSEL, 150, 10, 100, 120, 404);
    for (HWND h : {multi, ext})
        Fill(h, LB_ADDSTRING, {L"a", L"b", L"c", L"d"});
    int h = int(SendMessageW(multi, LB_GETITEMHEIGHT, 0, 0));
    Click(multi, 5, 1);
    Click(multi, 5, 2 * h + 1);
    Click(multi, 5, 1);  // toggles off again
    int sel[4] = {};
    EXPECT_EQ(SendMessageW(multi, LB_GETSELITEMS, 4, reinterpret_cast<LPARAM>(sel)), 1);
    EXPECT_EQ(sel[0], 2);
    EXPECT_EQ(SendMessageW(multi, LB_SETCURSEL, 0, 0), LB_ERR);  // single-selection call refused

    Click(ext, 5, 1);
    drv.KeyDown(VK_SHIFT);
    Click(ext, 5, 2 * h + 1);
    drv.KeyUp(VK_SHIFT);
    EXPECT_EQ(SendMessageW(ext, LB_GETSELCOUNT, 0, 0), 3);
    Click(ext, 5, 3 * h + 1);
    EXPECT_EQ(SendMessageW(ext, LB_GETSELCOUNT, 0, 0), 1);
    SendMessageW(ext, LB_SETSEL, TRUE, -1);
    EXPECT_EQ(SendMessageW(ext, LB_GETSELCOUNT, 0, 0), 4);
}

class ColourList : public CListBox {
public:
    std::vector<ULONG_PTR> drawn;
    void MeasureItem(LPMEASUREITEMSTRUCT m) override { m->itemHeight = 20; }
    void DrawItem(LPDRAWITEMSTRUCT d) override
    {
        drawn.push_back(d->itemData);
        HBRUSH b = CreateSolidBrush(COLORREF(d->itemData));
        FillRect(d->hDC, &d->rcItem, b);
        DeleteObject(b);
    }
};

TEST_F(ListTest, OwnerDrawnListMeasuresOnceAndDrawsEachItemItself)
{
    ColourList lb;
    ASSERT_TRUE(lb.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_NOTIFY, CRect(10, 10, 110, 110),
                          CWnd::FromHandle(parent), 405));
    // the object is attached after creation, so the first measure reached the parent; set it
    lb.SetItemHeight(0, 20);
    for (COLORREF c : {RGB(255, 0, 0), RGB(0, 128, 0)})
        lb.AddString(reinterpret_cast<LPCTSTR>(ULONG_PTR(c)));  // no strings: the value is the item data
    EXPECT_EQ(lb.GetItemData(1), DWORD_PTR(RGB(0, 128, 0)));
    EXPECT_EQ(lb.GetItemHeight(0), 20);
    EXPECT_EQ(PixelAt(lb.m_hWnd, 50, 30), RGB(0, 128, 0));
    EXPECT_GE(lb.drawn.size(), 2u);
}

// An owner-drawn list without strings whose items are numbers; sorted lists order them by value.
class NumberList : public CListBox {
public:
    int compared = 0;
    void DrawItem(LPDRAWITEMSTRUCT) override {}
    int CompareItem(LPCOMPAREITEMSTRUCT c) override
    {
        ++compared;
        return c->itemData1 < c->itemData2 ? -1 : c->itemData1 > c->itemData2 ? 1 : 0;
    }
};

TEST_F(ListTest, ListWithoutStringsSearchesByItemData)
{
    // the search value is item data, never a text pointer: 20 or 99 must not be read as one
    struct Case {
        bool sorted;
        UINT msg;
        int start;
        ULONG_PTR key;
        LRESULT expected;
    };
    const Case cases[] = {
        {false, LB_FINDSTRING, -1, 20, 2},       {false, LB_FINDSTRINGEXACT, 2, 20, 2},  // round to itself
        {false, LB_FINDSTRING, -1, 99, LB_ERR},  {false, LB_SELECTSTRING, -1, 30, 0},
        {true, LB_FINDSTRING, -1, 20, 1},        {true, LB_FINDSTRINGEXACT, 1, 30, 2},
        {true, LB_FINDSTRING, -1, 25, LB_ERR},   {true, LB_SELECTSTRING, 0, 10, 0},
    };
    for (const Case& c : cases) {
        NumberList lb;
        ASSERT_TRUE(lb.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | (c.sorted ? LBS_SORT : 0), CRect(10, 10, 110, 110),
                              CWnd::FromHandle(parent), 406));
        for (ULONG_PTR v : {30, 10, 20})
            lb.AddString(reinterpret_cast<LPCTSTR>(v));
        // sorted: the owner's order; unsorted: as added
        EXPECT_EQ(lb.GetItemData(0), DWORD_PTR(c.sorted ? 10 : 30));
        EXPECT_EQ(lb.SendMessage(c.msg, WPARAM(c.start), LPARAM(c.key)), c.expected) << c.msg << " " << c.key;
        if (c.msg == LB_SELECTSTRING) {
            EXPECT_EQ(lb.GetCurSel(), int(c.expected));
        }
        EXPECT_EQ(lb.compared > 0, c.sorted);
        lb.DestroyWindow();
    }
}

TEST_F(ListTest, SortedListsCollateAsTheLocaleDoes)
{
    HWND lb = Make(L"ListBox", L"", LBS_SORT | WS_VSCROLL, 10, 10, 120, 120, 407);
    // accents sort with their letter, case is ignored, a hyphen is left out ("co-op" after "cook")
    Fill(lb, LB_ADDSTRING, {L"Zürich", L"cook", L"zebra", L"co-op", L"Äpfel", L"Banana", L"apple"});
    const wchar_t* order[] = {L"Äpfel", L"apple", L"Banana", L"cook", L"co-op", L"zebra", L"Zürich"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(ItemText(lb, LB_GETTEXT, i), order[i]) << i;
    struct Case {
        UINT msg;
        const wchar_t* text;
        LRESULT expected;
    };
    const Case cases[] = {
        {LB_FINDSTRINGEXACT, L"äPFEL", 0},  // case ignored
        {LB_FINDSTRINGEXACT, L"apfel", LB_ERR},  // the accent counts
        {LB_FINDSTRINGEXACT, L"coop", LB_ERR},   // so does the hyphen, between otherwise equal texts
        {LB_FINDSTRING, L"CO-", 4},
        {LB_FINDSTRING, L"zÜ", 6},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SendMessageW(lb, c.msg, WPARAM(-1), reinterpret_cast<LPARAM>(c.text)), c.expected) << c.text;
}

TEST_F(ListTest, ClickReportsWhenItEndsAlsoWhenTheFocusLeavesMidway)
{
    HWND lb = Make(L"ListBox", L"", LBS_NOTIFY, 10, 10, 120, 120, 408);
    HWND other = Make(L"Edit", L"", 0, 200, 10, 80, 20, 409);
    Fill(lb, LB_ADDSTRING, {L"a", L"b", L"c", L"d"});
    int h = int(SendMessageW(lb, LB_GETITEMHEIGHT, 0, 0));
    Take();
    // down on b, drag to c: the selection follows, the parent hears at the release
    drv.MouseDown(CHeadlessDriver::At(lb, POINT{5, h + 1}));
    drv.MouseMove(CHeadlessDriver::At(lb, POINT{5, 2 * h + 1}));
    drv.Pump();
    EXPECT_EQ(Take(), (Ev{"cmd 408 LBN_SETFOCUS focus=408"}));
    EXPECT_EQ(SendMessageW(lb, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(GetCapture(), lb);
    // the focus goes elsewhere before the release: the click ends there
    SetFocus(other);
    EXPECT_NE(GetCapture(), lb);
    EXPECT_EQ(Take(), (Ev{"cmd 408 LBN_SELCHANGE focus=408", "cmd 408 LBN_KILLFOCUS focus=408",
                          "cmd 409 EN_SETFOCUS focus=409"}));
    drv.MouseUp(CHeadlessDriver::At(lb, POINT{5, 3 * h + 1}));
    drv.Pump();
    EXPECT_TRUE(Take().empty());
    EXPECT_EQ(SendMessageW(lb, LB_GETCURSEL, 0, 0), 2);
    // a click on the selected item reports again, as Win32's list box does
    Click(lb, 5, 2 * h + 1);
    EXPECT_EQ(Take(), (Ev{"cmd 409 EN_KILLFOCUS focus=409", "cmd 408 LBN_SETFOCUS focus=408",
                          "cmd 408 LBN_SELCHANGE focus=408"}));
    // losing the capture to another window ends the click as well
    drv.MouseDown(CHeadlessDriver::At(lb, POINT{5, 1}));
    drv.Pump();
    SetCapture(parent);
    EXPECT_EQ(Take(), (Ev{"cmd 408 LBN_SELCHANGE focus=408"}));
    ReleaseCapture();
    drv.MouseUp(CHeadlessDriver::At(lb, POINT{5, 1}));
    drv.Pump();
    EXPECT_TRUE(Take().empty());
}

TEST_F(ListTest, HorizontalExtentScrollsItemsWithTheBar)
{
    HWND lb = Make(L"ListBox", L"", WS_HSCROLL, 10, 10, 120, 80, 410);
    HWND plain = Make(L"ListBox", L"", 0, 150, 10, 120, 80, 411);
    Fill(lb, LB_ADDSTRING, {L"a rather long line that needs a horizontal scroll bar"});
    EXPECT_EQ(SendMessageW(lb, LB_GETHORIZONTALEXTENT, 0, 0), 0);
    EXPECT_FALSE(GetWindowLongPtrW(lb, GWL_STYLE) & WS_HSCROLL);  // nothing to scroll: no bar
    SendMessageW(plain, LB_SETHORIZONTALEXTENT, 400, 0);
    EXPECT_EQ(SendMessageW(plain, LB_GETHORIZONTALEXTENT, 0, 0), 0);  // needs WS_HSCROLL
    SendMessageW(lb, LB_SETHORIZONTALEXTENT, 400, 0);
    EXPECT_EQ(SendMessageW(lb, LB_GETHORIZONTALEXTENT, 0, 0), 400);
    EXPECT_TRUE(GetWindowLongPtrW(lb, GWL_STYLE) & WS_HSCROLL);
    RECT c{};
    GetClientRect(lb, &c);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(lb, SB_HORZ, &si);
    EXPECT_EQ(si.nMax, 399);
    EXPECT_EQ(si.nPage, UINT(c.right));
    struct Case {
        WORD code;
        WORD thumb;
        int left;  // of the item rectangle
    };
    const Case cases[] = {
        {SB_PAGERIGHT, 0, -c.right}, {SB_RIGHT, 0, -(400 - c.right)}, {SB_PAGERIGHT, 0, -(400 - c.right)},
        {SB_THUMBPOSITION, 30, -30}, {SB_LEFT, 0, 0},                    {SB_LINELEFT, 0, 0},
    };
    for (const Case& k : cases) {
        SendMessageW(lb, WM_HSCROLL, MAKEWPARAM(k.code, k.thumb), 0);
        RECT ir{};
        SendMessageW(lb, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&ir));
        EXPECT_EQ(ir.left, k.left) << k.code;
    }
    SendMessageW(lb, LB_SETHORIZONTALEXTENT, 50, 0);
    EXPECT_FALSE(GetWindowLongPtrW(lb, GWL_STYLE) & WS_HSCROLL);
}

class TallList : public CListBox {
public:
    void MeasureItem(LPMEASUREITEMSTRUCT m) override
    {
        if (m->itemData == 2)
            m->itemHeight = 40;  // the others keep the height they are offered
    }
    void DrawItem(LPDRAWITEMSTRUCT) override {}
};

TEST_F(ListTest, VariableItemsTakeTheFontHeightUnlessMeasuredOtherwise)
{
    TallList lb;
    ASSERT_TRUE(lb.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE | WS_VSCROLL, CRect(10, 10, 110, 110),
                          CWnd::FromHandle(parent), 412));
    lb.SetFont(CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
    TEXTMETRICW tm{};
    HDC dc = ::GetDC(lb.m_hWnd);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    GetTextMetricsW(dc, &tm);
    ::ReleaseDC(lb.m_hWnd, dc);
    for (ULONG_PTR v : {1, 2, 3})
        lb.AddString(reinterpret_cast<LPCTSTR>(v));
    EXPECT_EQ(lb.GetItemHeight(0), int(tm.tmHeight));
    EXPECT_EQ(lb.GetItemHeight(1), 40);
    RECT r{};
    lb.GetItemRect(2, &r);
    EXPECT_EQ(r.top, tm.tmHeight + 40);
    EXPECT_EQ(lb.SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(5, tm.tmHeight + 39)), 1);
    lb.SetItemHeight(2, 7);
    EXPECT_EQ(lb.GetItemHeight(2), 7);
    EXPECT_EQ(lb.GetItemHeight(0), int(tm.tmHeight));
}

// Measures each item by its text, as an owner-drawn list with strings is measured.
class TextMeasuredList : public CListBox {
public:
    std::vector<std::wstring> measured;
    void MeasureItem(LPMEASUREITEMSTRUCT m) override
    {
        auto* text = reinterpret_cast<LPCWSTR>(m->itemData);
        ASSERT_NE(text, nullptr);  // the string the item was added with
        measured.push_back(text);
        m->itemHeight = UINT(10 + 5 * std::wcslen(text));
    }
    void DrawItem(LPDRAWITEMSTRUCT) override {}
};

TEST_F(ListTest, VariableListWithStringsOffersTheTextToMeasure)
{
    TextMeasuredList lb;
    ASSERT_TRUE(lb.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | WS_VSCROLL, CRect(10, 10, 110, 110),
                          CWnd::FromHandle(parent), 414));
    lb.AddString(L"ab");
    lb.InsertString(0, L"abcd");
    lb.AddString(L"");
    EXPECT_EQ(lb.measured, (std::vector<std::wstring>{L"ab", L"abcd", L""}));
    const int heights[] = {30, 20, 10};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lb.GetItemHeight(i), heights[i]) << i;
    CString text;
    lb.GetText(0, text);
    EXPECT_EQ(text, CString(L"abcd"));  // the strings are kept as well
    EXPECT_EQ(lb.GetItemData(0), DWORD_PTR(0));
}

TEST_F(ListTest, CodeSelectionInASingleListMovesCaretAndAnchor)
{
    HWND lb = Make(L"ListBox", L"", LBS_NOTIFY, 10, 10, 120, 80, 415);
    Fill(lb, LB_ADDSTRING, {L"a", L"b", L"c", L"d"});
    struct Step {
        int index;
        LRESULT answer, cur, caret, anchor;  // caret -2: not asked
    } steps[] = {
        {2, 2, 2, 2, 2},
        {1, 1, 1, 1, 1},
        {9, LB_ERR, LB_ERR, -2, 1},  // past the end: nothing selected, the anchor stays
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.index);
        EXPECT_EQ(SendMessageW(lb, LB_SETCURSEL, WPARAM(s.index), 0), s.answer);
        EXPECT_EQ(SendMessageW(lb, LB_GETCURSEL, 0, 0), s.cur);
        if (s.caret != -2) {
            EXPECT_EQ(SendMessageW(lb, LB_GETCARETINDEX, 0, 0), s.caret);
        }
        EXPECT_EQ(SendMessageW(lb, LB_GETANCHORINDEX, 0, 0), s.anchor);
    }
}

TEST_F(ListTest, DrawingOffHoldsPaintsAndDrawingOnShowsWhatChanged)
{
    HWND lb = Make(L"ListBox", L"", 0, 10, 10, 120, 80, 413);
    Fill(lb, LB_ADDSTRING, {L"a", L"b"});
    int h = int(SendMessageW(lb, LB_GETITEMHEIGHT, 0, 0));
    const COLORREF plain = GetSysColor(COLOR_WINDOW), marked = GetSysColor(COLOR_HIGHLIGHT);
    ASSERT_EQ(PixelAt(lb, 100, h / 2), plain);
    struct Step {
        UINT msg;
        WPARAM w;
        COLORREF row0, row1;  // what the rows show after the step
    };
    const Step steps[] = {
        {LB_SETCURSEL, 0, plain, plain},  // (drawing is turned off right after: the pending paint waits)
        {WM_SETREDRAW, TRUE, marked, plain},
        {WM_SETREDRAW, FALSE, marked, plain},
        {LB_SETCURSEL, 1, marked, plain},  // stale while off
        {WM_SETREDRAW, TRUE, plain, marked},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        const Step& s = steps[i];
        SendMessageW(lb, s.msg, s.w, 0);
        if (i == 0)
            SendMessageW(lb, WM_SETREDRAW, FALSE, 0);
        EXPECT_EQ(PixelAt(lb, 100, h / 2), s.row0) << i;
        EXPECT_EQ(PixelAt(lb, 100, h + h / 2), s.row1) << i;
    }
}

class ComboTest : public ListTest {};

TEST_F(ComboTest, DropDownListPickByMouseAndCancel)
{
    HWND cb = Make(L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 10, 10, 120, 200, 501);
    Fill(cb, CB_ADDSTRING, {L"one", L"two", L"three"});
    RECT wr{};
    GetWindowRect(cb, &wr);
    EXPECT_LT(wr.bottom - wr.top, 40);  // the box is one field high, the rest is the list's room
    Take();
    SendMessageW(cb, CB_SETCURSEL, 1, 0);
    EXPECT_TRUE(Take().empty());
    EXPECT_EQ(Text(cb), L"two");

    Click(cb, 10, 5);
    EXPECT_TRUE(SendMessageW(cb, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(Take(), (Ev{"cmd 501 CBN_SETFOCUS focus=501", "cmd 501 CBN_DROPDOWN focus=501"}));
    // the list opens below the box; click its first item
    int itemH = int(SendMessageW(cb, CB_GETITEMHEIGHT, 0, 0));
    POINT below{wr.left + 10, wr.bottom + 1 + itemH / 2};
    drv.Click(below);
    drv.Pump();
    EXPECT_FALSE(SendMessageW(cb, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessageW(cb, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Take(), (Ev{"cmd 501 CBN_SELENDOK focus=501", "cmd 501 CBN_CLOSEUP focus=501",
                          "cmd 501 CBN_SELCHANGE focus=501"}));

    // opened and closed with Escape: the selection stays
    Key(VK_F4);
    Key(VK_DOWN);
    Key(VK_ESCAPE);
    EXPECT_EQ(SendMessageW(cb, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Take(), (Ev{"cmd 501 CBN_DROPDOWN focus=501", "cmd 501 CBN_SELENDCANCEL focus=501",
                          "cmd 501 CBN_CLOSEUP focus=501"}));

    // arrows on the closed box change the selection at once
    Key(VK_DOWN);
    EXPECT_EQ(SendMessageW(cb, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Take(), (Ev{"cmd 501 CBN_SELCHANGE focus=501"}));
    // a click outside an open list closes it without a choice
    Key(VK_F4);
    Take();
    Click(parent, 400, 300);
    EXPECT_FALSE(SendMessageW(cb, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessageW(cb, CB_GETCURSEL, 0, 0), 1);
}

class SwatchCombo : public CComboBox {
public:
    std::vector<UINT> states;
    void DrawItem(LPDRAWITEMSTRUCT d) override
    {
        states.push_back(d->itemState);
        EXPECT_EQ(d->CtlType, ODT_COMBOBOX);
        EXPECT_EQ(d->hwndItem, m_hWnd);
        HBRUSH b = CreateSolidBrush(COLORREF(d->itemData));
        FillRect(d->hDC, &d->rcItem, b);
        DeleteObject(b);
    }
};

TEST_F(ComboTest, OwnerDrawnComboDrawsItsFieldAsTheComboBox)
{
    SwatchCombo cb;
    ASSERT_TRUE(cb.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, CRect(10, 10, 130, 150),
                          CWnd::FromHandle(parent), 503));
    cb.AddString(reinterpret_cast<LPCTSTR>(ULONG_PTR(RGB(0, 0, 255))));
    cb.SetCurSel(0);
    EXPECT_EQ(PixelAt(cb.m_hWnd, 30, 10), RGB(0, 0, 255));
    ASSERT_FALSE(cb.states.empty());
    EXPECT_TRUE(cb.states.back() & ODS_COMBOBOXEDIT);
}

TEST_F(ComboTest, EditableComboReportsTypingButNotCodeChanges)
{
    HWND cb = Make(L"ComboBox", L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_SORT, 10, 10, 140, 120, 502);
    Fill(cb, CB_ADDSTRING, {L"beta", L"alpha"});
    HWND edit = GetDlgItem(cb, CTL_COMBO_EDIT_ID);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(ItemText(cb, CB_GETLBTEXT, 0), L"alpha");
    Take();
    SendMessageW(cb, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(Text(cb), L"beta");
    EXPECT_TRUE(Take().empty());
    SetFocus(edit);
    Take();
    SendMessageW(edit, EM_SETSEL, 0, -1);
    Type(L"x");
    EXPECT_EQ(Text(cb), L"x");
    EXPECT_EQ(Take(), (Ev{"cmd 502 CBN_EDITUPDATE focus=1001", "cmd 502 CBN_EDITCHANGE focus=1001"}));
    EXPECT_EQ(SendMessageW(cb, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(L"AL")), 0);
    EXPECT_EQ(Text(cb), L"alpha");
    SendMessageW(cb, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(Text(cb), L"");
    EXPECT_EQ(SendMessageW(cb, CB_GETCOUNT, 0, 0), 0);
}

}  // namespace
