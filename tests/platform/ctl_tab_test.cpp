// Tab control against Win32's documented behaviour: which calls notify the parent, what the
// selection and focus are after deletions, the context menu of a right click, owner drawing on
// the first paint, and the default sizes of the tabs.
#include "ctl_support.h"

using namespace ctltest;
using Ev = std::vector<std::string>;

namespace {

class TabTest : public CtlTest {
protected:
    HWND MakeTab(DWORD style, int n, int id = 1000)
    {
        HWND h = Make(WC_TABCONTROLW, L"", style, 10, 10, 400, 120, id);
        for (int i = 0; i < n; ++i) {
            std::wstring t = L"Tab" + std::to_wstring(i);
            TCITEMW it{TCIF_TEXT | TCIF_PARAM, 0, 0, t.data(), 0, -1, LPARAM(100 + i)};
            SendMessageW(h, TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&it));
        }
        Take();
        return h;
    }
    // Height of a line of the control's font.
    int FontHeight(HWND h)
    {
        HDC dc = GetDC(h);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)) ?: GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(h, dc);
        return tm.tmHeight;
    }
};

TEST_F(TabTest, CodeMovingTheFocusSelectsARowOfTabsWithItsNotifications)
{
    struct Case {
        DWORD style;
        LRESULT refuse;  // the parent's answer to TCN_SELCHANGING
        int curSel, curFocus;
        Ev events;
    } cases[] = {
        // a row of tabs: the focus is the selection, asked for and reported as a click is
        {0, 0, 2, 2, {"notify 1000 TCN_SELCHANGING focus=0", "notify 1000 TCN_SELCHANGE focus=0"}},
        // and a parent that refuses the change keeps the tab
        {0, 1, 0, 0, {"notify 1000 TCN_SELCHANGING focus=0"}},
        // buttons: the focus moves apart from the selection and is reported
        {TCS_BUTTONS, 0, 0, 2, {"notify 1000 -554 focus=0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        HWND tab = MakeTab(c.style, 3);
        onNotify = [&c](NMHDR* h) -> LRESULT { return h->code == TCN_SELCHANGING ? c.refuse : 0; };
        SendMessageW(tab, TCM_SETCURFOCUS, 2, 0);
        EXPECT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), c.curSel);
        EXPECT_EQ(SendMessageW(tab, TCM_GETCURFOCUS, 0, 0), c.curFocus);
        EXPECT_EQ(Take(), c.events);
        // the same index again changes nothing and says nothing
        if (!c.refuse) {
            SendMessageW(tab, TCM_SETCURFOCUS, 2, 0);
            EXPECT_TRUE(Take().empty());
        }
        DestroyWindow(tab);
    }
}

TEST_F(TabTest, SetCurSelAnswersThePreviousTabAndANegativeIndexClearsIt)
{
    HWND tab = MakeTab(0, 3);
    struct Step {
        int index;
        LRESULT answer;
        int curSel;
    } steps[] = {
        {2, 0, 2},
        {-1, 2, -1},  // nothing selected
        {1, -1, 1},
        {3, -1, 1},   // past the end: refused, the selection stays
        {-5, 1, -1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.index);
        EXPECT_EQ(SendMessageW(tab, TCM_SETCURSEL, WPARAM(s.index), 0), s.answer);
        EXPECT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), s.curSel);
    }
    EXPECT_TRUE(Take().empty());  // code selects silently
}

// A tab control drawing its own tabs in its C++ class, as the framework's classes do.
class SwatchTabs : public CTabCtrl {
public:
    std::vector<ULONG_PTR> drawn;
    void DrawItem(LPDRAWITEMSTRUCT d) override
    {
        drawn.push_back(d->itemData);
        HBRUSH b = CreateSolidBrush(COLORREF(d->itemData));
        FillRect(d->hDC, &d->rcItem, b);
        DeleteObject(b);
    }
};

TEST_F(TabTest, OwnerDrawnTabsReachTheControlsOwnDrawItem)
{
    // The hook outlives this body (the fixture's windows go after it): it counts into its own store.
    auto parentDrew = std::make_shared<int>(0);
    rec.SetHook(parent, [parentDrew](HWND, UINT msg, WPARAM, LPARAM, LRESULT*) {
        *parentDrew += msg == WM_DRAWITEM;
        return false;
    });
    SwatchTabs tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE | TCS_OWNERDRAWFIXED, CRect(10, 10, 310, 110), CWnd::FromHandle(parent), 1004));
    tabs.InsertItem(TCIF_TEXT | TCIF_PARAM, 0, L"a", -1, LPARAM(RGB(200, 0, 0)));
    tabs.InsertItem(TCIF_TEXT | TCIF_PARAM, 1, L"b", -1, LPARAM(RGB(0, 0, 200)));
    tabs.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(tabs.drawn, (std::vector<ULONG_PTR>{RGB(200, 0, 0), RGB(0, 0, 200)}));
    EXPECT_EQ(*parentDrew, 0);
    RECT r{};
    tabs.GetItemRect(1, &r);
    EXPECT_EQ(PixelAt(tabs.m_hWnd, (r.left + r.right) / 2, (r.top + r.bottom) / 2), RGB(0, 0, 200));
}

TEST_F(TabTest, DeletingTheSelectedTabLeavesNoSelection)
{
    struct Case {
        int sel, del;
        int curSel, curFocus;
    } cases[] = {
        {1, 1, -1, -1},  // the selected tab goes: nothing is selected
        {2, 0, 1, 1},    // a tab before it goes: the index follows
        {0, 2, 0, 0},    // a tab after it goes: nothing changes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.del);
        HWND tab = MakeTab(0, 3);
        SendMessageW(tab, TCM_SETCURSEL, WPARAM(c.sel), 0);
        EXPECT_TRUE(SendMessageW(tab, TCM_DELETEITEM, WPARAM(c.del), 0));
        EXPECT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), c.curSel);
        EXPECT_EQ(SendMessageW(tab, TCM_GETCURFOCUS, 0, 0), c.curFocus);
        EXPECT_TRUE(Take().empty());
        DestroyWindow(tab);
    }
}

TEST_F(TabTest, RightClickSendsRClickThenContextMenuUnlessHandled)
{
    HWND tab = MakeTab(0, 2);
    rec.Watch({WM_CONTEXTMENU});
    RECT r{};
    SendMessageW(tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    POINT at = CHeadlessDriver::At(tab, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    for (LRESULT answer : {0, 1}) {
        SCOPED_TRACE(answer);
        onNotify = [answer](NMHDR* h) -> LRESULT { return h->code == NM_RCLICK ? answer : 0; };
        rec.Clear();
        drv.Click(at, 1);
        drv.Pump();
        Ev ev = Take();
        EXPECT_EQ(ev, Ev{"notify 1000 -5 focus=0"});
        size_t menus = 0;
        for (const uitest::Rec& m : rec.Log())
            if (m.msg == WM_CONTEXTMENU && m.wnd == "parent") {
                ++menus;
                EXPECT_EQ(reinterpret_cast<HWND>(m.wParam), tab);
                EXPECT_EQ(GET_X_LPARAM(m.lParam), at.x);
            }
        EXPECT_EQ(menus, answer ? 0u : 1u);
        // a right click changes neither the selection nor the focus
        EXPECT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), 0);
    }
}

TEST_F(TabTest, OwnerDrawnTabsAreDrawnOnTheFirstPaint)
{
    std::vector<ULONG_PTR> drawn;
    rec.SetHook(parent, [&](HWND, UINT msg, WPARAM w, LPARAM l, LRESULT* result) {
        if (msg != WM_DRAWITEM)
            return false;
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(l);
        EXPECT_EQ(w, WPARAM(1001));
        EXPECT_EQ(dis->CtlType, UINT(ODT_TAB));
        drawn.push_back(dis->itemData);
        *result = TRUE;
        return true;
    });
    HWND tab = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | TCS_OWNERDRAWFIXED, 10, 10, 300, 100, parent,
                               reinterpret_cast<HMENU>(1001), nullptr, nullptr);
    ASSERT_NE(tab, nullptr);
    for (int i = 0; i < 2; ++i) {
        wchar_t text[] = L"x";
        TCITEMW it{TCIF_TEXT | TCIF_PARAM, 0, 0, text, 0, -1, LPARAM(7 + i)};
        SendMessageW(tab, TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&it));
    }
    EXPECT_TRUE(drawn.empty());  // hidden: nothing drawn yet
    ShowWindow(tab, SW_SHOW);
    RedrawWindow(tab, nullptr, nullptr, RDW_UPDATENOW);
    EXPECT_EQ(drawn, (std::vector<ULONG_PTR>{7, 8}));
}

TEST_F(TabTest, DefaultSizesFollowTheFont)
{
    HWND probe = MakeTab(0, 0, 1009);
    const int fh = FontHeight(probe), u = std::max(1, (fh + 6) / 13);
    DestroyWindow(probe);
    struct Case {
        DWORD style;
        std::wstring text;
        int minWidth;  // TCM_SETMINTABWIDTH, or -2 for none
        int width, height;
    } cases[] = {
        {TCS_FIXEDWIDTH, L"A long tab title here", -2, 96 * u, fh + 5 * u},
        {0, L"A", -2, 54 * u, fh + 5 * u},          // short labels keep the minimum width
        {0, L"A", 20, 20, fh + 5 * u},               // unless a smaller minimum is set
        {TCS_BUTTONS, L"A", -2, 54 * u, fh + 8 * u},  // buttons pad above and below
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        HWND tab = Make(WC_TABCONTROLW, L"", c.style, 10, 10, 400, 120, 1002);
        if (c.minWidth != -2)
            SendMessageW(tab, TCM_SETMINTABWIDTH, 0, c.minWidth);
        TCITEMW it{TCIF_TEXT, 0, 0, const_cast<LPWSTR>(c.text.c_str()), 0, -1, 0};
        SendMessageW(tab, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it));
        RECT r{};
        ASSERT_TRUE(SendMessageW(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r)));
        EXPECT_EQ(r.right - r.left, c.width);
        EXPECT_EQ(r.bottom - r.top, c.height);
        // TCM_SETITEMSIZE answers the size in use before it
        LRESULT old = SendMessageW(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(120, 30));
        EXPECT_EQ(int(HIWORD(old)), c.height);
        if (c.style & TCS_FIXEDWIDTH) {
            EXPECT_EQ(int(LOWORD(old)), c.width);
        }
        DestroyWindow(tab);
    }
    // TCM_SETMINTABWIDTH answers the minimum before it; -1 restores the default
    HWND tab = Make(WC_TABCONTROLW, L"", 0, 10, 10, 400, 120, 1003);
    EXPECT_EQ(SendMessageW(tab, TCM_SETMINTABWIDTH, 0, 10), 54 * u);
    EXPECT_EQ(SendMessageW(tab, TCM_SETMINTABWIDTH, 0, -1), 10);
    EXPECT_EQ(SendMessageW(tab, TCM_SETMINTABWIDTH, 0, 0), 54 * u);
}

TEST_F(TabTest, ARowWiderThanTheControlScrollsWithItsArrows)
{
    // Six tabs of at least 54 units in 200 pixels: the arrows stand at the right end.
    HWND tab = MakeTab(0, 6);
    SetWindowPos(tab, nullptr, 0, 0, 200, 120, SWP_NOMOVE | SWP_NOZORDER);
    auto rect = [&](int i) {
        RECT r{};
        SendMessageW(tab, TCM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r));
        return r;
    };
    const RECT first = rect(0);
    // Each arrow is half as wide as the tabs are high.
    const int w = std::max(8, int(first.bottom - first.top) / 2), y = (first.top + first.bottom) / 2;
    ASSERT_GT(rect(5).right, 200 - 2 * w);
    // A press on the right arrow shows the next tab first and selects nothing.
    Click(tab, 200 - w / 2, y);
    EXPECT_EQ(rect(1).left, first.left);
    EXPECT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(Take().empty());
    // The tab scrolled out takes no press; the left arrow brings it back.
    TCHITTESTINFO ht{{first.left + 1, y}, 0};
    EXPECT_EQ(SendMessageW(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&ht)), 1);
    Click(tab, 200 - w * 3 / 2, y);
    EXPECT_EQ(rect(0).left, first.left);
    // A tab chosen from the keyboard scrolls into view, left of the arrows.
    Key(VK_END);
    EXPECT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), 5);
    EXPECT_LE(rect(5).right, 200 - 2 * w);
    EXPECT_GE(rect(5).left, 0);
    // Wide enough again: no scrolling.
    SetWindowPos(tab, nullptr, 0, 0, 600, 120, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(rect(0).left, first.left);
}

}  // namespace
