// Window tree, geometry, non-client sizes, hit testing, scroll bars and window data.
#include "ui_support.h"

#include "platform/gdi/GdiObjects.h"

using namespace uitest;

namespace {

class WindowTest : public UiTest {
protected:
    HWND top = nullptr;
    void SetUp() override
    {
        top = rec.Make("top", WS_POPUP | WS_VISIBLE | WS_BORDER, 100, 50, 400, 300);
        drv.Pump();
    }
    HWND Child(const std::string& name, int x, int y, int cx = 50, int cy = 40, DWORD style = WS_VISIBLE,
               DWORD ex = 0, UINT id = 0)
    {
        return rec.Make(name, WS_CHILD | style, x, y, cx, cy, top, id, ex);
    }
    std::vector<HWND> Children(HWND parent)
    {
        std::vector<HWND> v;
        for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            v.push_back(c);
        return v;
    }
};

struct ClientCase {
    const char* name;
    DWORD style;
    DWORD exStyle;
    RECT client;  // in window coordinates of a 100 x 80 window
};

TEST_F(WindowTest, ClientAreaInsideFrameEdgesAndBars)
{
    const ClientCase cases[] = {
        {"plain", 0, 0, {0, 0, 100, 80}},
        {"border", WS_BORDER, 0, {1, 1, 99, 79}},
        {"client edge", 0, WS_EX_CLIENTEDGE, {2, 2, 98, 78}},
        {"border and edge", WS_BORDER, WS_EX_CLIENTEDGE, {3, 3, 97, 77}},
        {"vertical bar", WS_VSCROLL, 0, {0, 0, 84, 80}},
        {"both bars in edge", WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE, {2, 2, 82, 62}},
        {"caption", WS_CAPTION, 0, {3, 22, 97, 77}},
        {"thick frame", WS_THICKFRAME, 0, {4, 4, 96, 76}},
        {"static edge", 0, WS_EX_STATICEDGE, {1, 1, 99, 79}},
    };
    for (const ClientCase& c : cases) {
        HWND w = Child(c.name, 10, 10, 100, 80, WS_VISIBLE | c.style, c.exStyle);
        RECT cr, wr;
        GetClientRect(w, &cr);
        GetWindowRect(w, &wr);
        POINT org{0, 0};
        ClientToScreen(w, &org);
        EXPECT_EQ(cr.right, c.client.right - c.client.left) << c.name;
        EXPECT_EQ(cr.bottom, c.client.bottom - c.client.top) << c.name;
        EXPECT_EQ(org.x - wr.left, c.client.left) << c.name;
        EXPECT_EQ(org.y - wr.top, c.client.top) << c.name;
        // AdjustWindowRectEx gives back the window size for that client size (bars aside).
        if (!(c.style & (WS_VSCROLL | WS_HSCROLL))) {
            RECT r{0, 0, cr.right, cr.bottom};
            AdjustWindowRectEx(&r, WS_CHILD | c.style, FALSE, c.exStyle);
            EXPECT_EQ(r.right - r.left, 100) << c.name;
            EXPECT_EQ(r.bottom - r.top, 80) << c.name;
        }
        DestroyWindow(w);
    }
}

TEST_F(WindowTest, CoordinatesMapThroughParents)
{
    HWND a = Child("a", 10, 20, 100, 100, WS_VISIBLE | WS_BORDER);
    HWND b = rec.Make("b", WS_CHILD | WS_VISIBLE, 5, 6, 30, 30, a);
    RECT r;
    GetWindowRect(b, &r);
    // top's client starts at 101,51; a's window at +10,+20, its client 1 further in.
    EXPECT_EQ(r.left, 101 + 10 + 1 + 5);
    EXPECT_EQ(r.top, 51 + 20 + 1 + 6);
    POINT p{3, 4};
    MapWindowPoints(b, top, &p, 1);
    EXPECT_EQ(p.x, 10 + 1 + 5 + 3);
    EXPECT_EQ(p.y, 20 + 1 + 6 + 4);
    ScreenToClient(b, &p);
    POINT back{3, 4};
    ClientToScreen(b, &back);
    ScreenToClient(top, &back);
    EXPECT_EQ(back.x, 10 + 1 + 5 + 3);
    // Moving a parent moves its children on the screen.
    MoveWindow(a, 50, 20, 100, 100, TRUE);
    GetWindowRect(b, &r);
    EXPECT_EQ(r.left, 101 + 50 + 1 + 5);
}

TEST_F(WindowTest, ZOrderOfSiblings)
{
    HWND a = Child("a", 0, 0);
    HWND b = Child("b", 0, 0);
    HWND c = Child("c", 0, 0);
    // New children go to the bottom: creation order is the order from the top.
    EXPECT_EQ(Children(top), (std::vector<HWND>{a, b, c}));
    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(Children(top), (std::vector<HWND>{c, a, b}));
    SetWindowPos(c, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // after b
    EXPECT_EQ(Children(top), (std::vector<HWND>{a, b, c}));
    SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(Children(top), (std::vector<HWND>{b, c, a}));
    // Moving without a z-order change keeps the order.
    SetWindowPos(b, HWND_BOTTOM, 5, 5, 10, 10, SWP_NOZORDER);
    EXPECT_EQ(Children(top), (std::vector<HWND>{b, c, a}));
    EXPECT_EQ(GetWindow(c, GW_HWNDPREV), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDLAST), a);
}

TEST_F(WindowTest, HitTestingSkipsHiddenDisabledAndTransparent)
{
    HWND under = Child("under", 0, 0, 100, 100);
    HWND hidden = Child("hidden", 0, 0, 100, 100, 0);
    SetWindowPos(hidden, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    POINT p = CHeadlessDriver::At(top, POINT{10, 10});
    EXPECT_EQ(WindowFromPoint(p), under);

    HWND clear = Child("clear", 0, 0, 100, 100);
    SetWindowPos(clear, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    rec.SetHook(clear, [](HWND, UINT m, WPARAM, LPARAM, LRESULT* r) {
        if (m != WM_NCHITTEST)
            return false;
        *r = HTTRANSPARENT;
        return true;
    });
    EXPECT_EQ(WindowFromPoint(p), under);

    EnableWindow(under, FALSE);
    EXPECT_EQ(WindowFromPoint(p), top);  // a disabled control leaves the mouse to its parent
    POINT c{10, 10};
    SetWindowPos(hidden, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(WindowFromPoint(p), top);
    EXPECT_EQ(ChildWindowFromPointEx(top, c, CWP_ALL), hidden);
    EXPECT_EQ(ChildWindowFromPointEx(top, c, CWP_SKIPINVISIBLE), clear);
    EXPECT_EQ(ChildWindowFromPointEx(top, POINT{300, 250}, CWP_ALL), top);
    EXPECT_EQ(ChildWindowFromPointEx(top, POINT{-1, 0}, CWP_ALL), nullptr);
    EXPECT_EQ(WindowFromPoint(POINT{5, 5}), nullptr);
}

TEST_F(WindowTest, WindowRegionShapesHitTesting)
{
    HWND a = Child("a", 0, 0, 100, 100);
    SetWindowRgn(a, CreateEllipticRgn(0, 0, 100, 100), TRUE);
    EXPECT_EQ(WindowFromPoint(CHeadlessDriver::At(top, POINT{50, 50})), a);
    EXPECT_EQ(WindowFromPoint(CHeadlessDriver::At(top, POINT{2, 2})), top);
}

TEST_F(WindowTest, TextIdsAndDialogItems)
{
    HWND a = Child("a", 0, 0, 10, 10, WS_VISIBLE, 0, 1056);
    EXPECT_EQ(GetDlgItem(top, 1056), a);
    EXPECT_EQ(GetDlgCtrlID(a), 1056);
    EXPECT_EQ(GetDlgItem(top, 7), nullptr);
    SetWindowTextW(a, L"\u2103 value");
    wchar_t buf[4];
    EXPECT_EQ(GetWindowTextW(a, buf, 4), 3);  // truncated, always terminated
    EXPECT_STREQ(buf, L"\u2103 v");
    EXPECT_EQ(GetWindowTextLengthW(a), 7);
    EXPECT_EQ(GetParent(a), top);
    EXPECT_EQ(GetAncestor(a, GA_ROOT), top);
    EXPECT_TRUE(IsChild(top, a));
    EXPECT_FALSE(IsChild(a, top));
}

TEST_F(WindowTest, VisibilityAndEnabling)
{
    HWND a = Child("a", 0, 0);
    HWND b = rec.Make("b", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, a);
    EXPECT_TRUE(IsWindowVisible(b));
    ShowWindow(a, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(b));  // hidden with its parent
    EXPECT_TRUE(GetWindowLongPtrW(b, GWL_STYLE) & WS_VISIBLE);
    ShowWindow(a, SW_SHOW);
    rec.Watch({WM_ENABLE});
    SetFocus(b);
    EXPECT_FALSE(EnableWindow(a, FALSE));  // was enabled
    EXPECT_TRUE(EnableWindow(a, FALSE));   // was disabled already; no second WM_ENABLE
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"a:ENABLE"}));
    EXPECT_EQ(GetFocus(), nullptr);  // the focus left the disabled window
    EXPECT_FALSE(IsWindowEnabled(a));
    EXPECT_TRUE(IsWindowEnabled(b));
}

TEST_F(WindowTest, ScrollInfoClampsAndShowsTheBarOnlyWhenNeeded)
{
    HWND a = Child("a", 0, 0, 100, 100);
    RECT cr;
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 500, 0};
    SetScrollInfo(a, SB_VERT, &si, TRUE);
    EXPECT_TRUE(GetWindowLongPtrW(a, GWL_STYLE) & WS_VSCROLL);
    GetClientRect(a, &cr);
    EXPECT_EQ(cr.right, 100 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(GetScrollPos(a, SB_VERT), 80);  // max - page + 1
    si = SCROLLINFO{sizeof si, SIF_PAGE, 0, 0, 500, 0, 0};
    SetScrollInfo(a, SB_VERT, &si, TRUE);
    SCROLLINFO got{sizeof got, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(a, SB_VERT, &got);
    EXPECT_EQ(got.nPage, 100u);  // a page no larger than the range
    EXPECT_EQ(got.nPos, 0);
    EXPECT_FALSE(GetWindowLongPtrW(a, GWL_STYLE) & WS_VSCROLL);  // nothing to scroll: bar gone
    GetClientRect(a, &cr);
    EXPECT_EQ(cr.right, 100);
    si.fMask = SIF_PAGE | SIF_DISABLENOSCROLL;
    SetScrollInfo(a, SB_VERT, &si, TRUE);
    EXPECT_TRUE(GetWindowLongPtrW(a, GWL_STYLE) & WS_VSCROLL);  // kept, disabled
    int lo = -1, hi = -1;
    SetScrollRange(a, SB_HORZ, 10, 50, FALSE);
    GetScrollRange(a, SB_HORZ, &lo, &hi);
    EXPECT_EQ(lo, 10);
    EXPECT_EQ(hi, 50);
    EXPECT_EQ(SetScrollPos(a, SB_HORZ, 70, FALSE), 10);
    EXPECT_EQ(GetScrollPos(a, SB_HORZ), 50);
}

TEST_F(WindowTest, ClickingTheBarSendsScrollCodes)
{
    HWND a = Child("a", 0, 0, 100, 100);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 0, 0};
    SetScrollInfo(a, SB_VERT, &si, TRUE);
    rec.Watch({WM_VSCROLL});
    POINT bar = CHeadlessDriver::At(a, POINT{100 - 16 + 8, 0});  // client coordinates of the bar
    drv.Click(POINT{bar.x, bar.y + 3});     // up arrow
    drv.Click(POINT{bar.x, bar.y + 96});    // down arrow
    drv.Click(POINT{bar.x, bar.y + 80});    // track below the thumb
    drv.Pump();
    std::vector<UINT> codes;
    for (const Rec& r : rec.Log())
        codes.push_back(LOWORD(r.wParam));
    EXPECT_EQ(codes, (std::vector<UINT>{SB_LINEUP, SB_ENDSCROLL, SB_LINEDOWN, SB_ENDSCROLL, SB_PAGEDOWN, SB_ENDSCROLL}));
}

TEST_F(WindowTest, SubclassedWindowsChainToTheOldProcedure)
{
    HWND a = Child("a", 0, 0);
    static WNDPROC s_old;
    static int s_seen;
    s_seen = 0;
    s_old = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        a, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_USER)
                return 42;
            if (m == WM_USER + 1)
                ++s_seen;
            return CallWindowProcW(s_old, h, m, w, l);
        })));
    rec.Watch({WM_USER, WM_USER + 1});
    EXPECT_EQ(SendMessageW(a, WM_USER, 0, 0), 42);
    SendMessageW(a, WM_USER + 1, 0, 0);
    EXPECT_EQ(s_seen, 1);
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"a:USER1"}));  // the old one still gets the rest
}

TEST_F(WindowTest, StaleHandlesAreRefused)
{
    HWND a = Child("a", 0, 0);
    DestroyWindow(a);
    RECT r{1, 2, 3, 4};
    EXPECT_FALSE(IsWindow(a));
    EXPECT_FALSE(GetWindowRect(a, &r));
    EXPECT_FALSE(DestroyWindow(a));
    EXPECT_EQ(SendMessageW(a, WM_USER, 0, 0), 0);
    EXPECT_FALSE(SetWindowPos(a, nullptr, 0, 0, 1, 1, 0));
    EXPECT_EQ(GetDlgItem(a, 1), nullptr);
    EXPECT_EQ(SetFocus(a), nullptr);
    EXPECT_EQ(CreateWindowExW(0, L"TestRecDbl", L"", WS_CHILD, 0, 0, 1, 1, a, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(WindowTest, MoveSendsPositionChangesAndSize)
{
    HWND a = Child("a", 0, 0, 50, 50, WS_VISIBLE | WS_BORDER);
    rec.Watch({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE, WM_NCCALCSIZE});
    MoveWindow(a, 10, 10, 60, 50, TRUE);
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"a:POSCHANGING", "a:NCCALCSIZE", "a:POSCHANGED", "a:MOVE", "a:SIZE"}));
    EXPECT_EQ(LOWORD(rec.Log()[4].lParam), 58);  // client width inside the border
    rec.Clear();
    SetWindowPos(a, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"a:POSCHANGING", "a:POSCHANGED", "a:MOVE"}));
    rec.Clear();
    SetWindowPos(a, nullptr, 20, 20, 60, 50, SWP_NOZORDER);  // nothing changes
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"a:POSCHANGING"}));
}

TEST_F(WindowTest, ClosingATopLevelDestroysItAndItsOwnedPopups)
{
    HWND owner = rec.Make("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200);
    HWND popup = rec.Make("popup", WS_POPUP | WS_VISIBLE, 50, 50, 50, 50, owner);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), owner);
    EXPECT_EQ(GetParent(popup), owner);
    EXPECT_EQ(GetWindow(owner, GW_CHILD), nullptr);  // owned, not a child
    EXPECT_EQ(GetTopWindow(nullptr), popup);
    // Bringing the owner to the top keeps its owned windows above it.
    HWND stranger = rec.Make("stranger", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetTopWindow(nullptr), popup);
    EXPECT_EQ(GetWindow(popup, GW_HWNDNEXT), owner);
    SetActiveWindow(stranger);
    SetActiveWindow(owner);
    EXPECT_EQ(WindowFromPoint(POINT{55, 55}), popup);
    // An owned popup destroyed on its own leaves its owner intact.
    HWND other = rec.Make("other", WS_POPUP | WS_VISIBLE, 60, 60, 20, 20, owner);
    DestroyWindow(other);
    EXPECT_TRUE(IsWindow(owner));
    EXPECT_EQ(GetWindow(owner, GW_CHILD), nullptr);
    drv.Close(owner);
    drv.Pump();
    EXPECT_FALSE(IsWindow(owner));
    EXPECT_FALSE(IsWindow(popup));
}

// A display whose window manager maximises windows: it places a window shown maximised at a
// geometry of its own, and tells the geometry it gave last.
class ManagedHost : public CHeadlessHost {
public:
    RECT maximised{0, 20, 1280, 1000};
    RECT displayed{0, 0, 0, 0};
    bool SetTopLevelState(HWND, int cmd) override { return cmd == SW_MAXIMIZE; }
    bool AwaitMaximisedGeometry(HWND, RECT* r) override
    {
        *r = maximised;
        return true;
    }
    bool DisplayedGeometry(HWND, RECT* r) const override
    {
        *r = displayed;
        return !IsRectEmpty(&displayed);
    }
};

class HostInstalled {
public:
    explicit HostInstalled(CUiHost* host) : m_previous(AfxSetHost(host)) {}
    ~HostInstalled() { AfxSetHost(m_previous); }

private:
    CUiHost* m_previous;
};

TEST_F(WindowTest, ShownMaximisedByTheWindowManagerLaysOutAndPaintsOnceAtItsGeometry)
{
    ManagedHost wm;
    HostInstalled installed(&wm);
    HWND frame = rec.Make("frame", WS_OVERLAPPEDWINDOW, 100, 100, 800, 600);
    drv.Pump();
    std::vector<RECT> painted;  // the window rectangle at each paint
    rec.SetHook(frame, [&painted](HWND h, UINT m, WPARAM, LPARAM, LRESULT*) {
        if (m == WM_PAINT) {
            RECT r;
            GetWindowRect(h, &r);
            painted.push_back(r);
        }
        return false;
    });
    ShowWindow(frame, SW_SHOWMAXIMIZED);
    UpdateWindow(frame);
    drv.Pump();
    RECT r;
    GetWindowRect(frame, &r);
    EXPECT_TRUE(EqualRect(&r, &wm.maximised));
    EXPECT_TRUE(IsZoomed(frame));
    ASSERT_EQ(painted.size(), 1u);
    EXPECT_TRUE(EqualRect(&painted[0], &wm.maximised));
}

TEST_F(WindowTest, GeometriesTheDisplayGaveOneAfterAnotherAreTakenAtTheLatest)
{
    ManagedHost wm;
    HostInstalled installed(&wm);
    HWND frame = rec.Make("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 20, 300, 200);
    drv.Pump();
    rec.Watch({WM_SIZE});
    drv.Resize(frame, RECT{0, 20, 800, 620});
    wm.displayed = RECT{0, 20, 1280, 1000};
    drv.Resize(frame, wm.displayed);
    drv.Pump();
    RECT r;
    GetWindowRect(frame, &r);
    EXPECT_TRUE(EqualRect(&r, &wm.displayed));
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"frame:SIZE"}));
}

TEST_F(WindowTest, UserResizeKeepsTheMinimumTrackingSize)
{
    HWND frame = rec.Make("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 20, 300, 200);
    rec.SetHook(frame, [](HWND, UINT m, WPARAM, LPARAM l, LRESULT*) {
        if (m == WM_GETMINMAXINFO)
            reinterpret_cast<MINMAXINFO*>(l)->ptMinTrackSize = POINT{250, 150};
        return false;
    });
    drv.Resize(frame, RECT{10, 20, 110, 420});
    drv.Pump();
    RECT r;
    GetWindowRect(frame, &r);
    EXPECT_EQ(r.right - r.left, 250);
    EXPECT_EQ(r.bottom - r.top, 400);
    std::vector<HWND> all;
    HWND a = Child("a", 0, 0);
    HWND b = rec.Make("b", WS_CHILD, 0, 0, 5, 5, a);
    HWND c = Child("c", 0, 0);
    EnumChildWindows(top, [](HWND h, LPARAM p) { reinterpret_cast<std::vector<HWND>*>(p)->push_back(h); return TRUE; },
                     reinterpret_cast<LPARAM>(&all));
    EXPECT_EQ(all, (std::vector<HWND>{a, b, c}));
}

TEST_F(WindowTest, CaptionCloseBoxClosesOnRelease)
{
    HWND frame = rec.Make("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 20, 300, 200);
    rec.Watch({WM_NCHITTEST, WM_SYSCOMMAND, WM_CLOSE});
    RECT wr;
    GetWindowRect(frame, &wr);
    POINT box{wr.right - 4 - 9, wr.top + 4 + 9};  // inside the close box of the caption
    EXPECT_EQ(SendMessageW(frame, WM_NCHITTEST, 0, MAKELPARAM(box.x, box.y)), HTCLOSE);
    EXPECT_EQ(SendMessageW(frame, WM_NCHITTEST, 0, MAKELPARAM(wr.left + 60, wr.top + 10)), HTCAPTION);
    EXPECT_EQ(SendMessageW(frame, WM_NCHITTEST, 0, MAKELPARAM(wr.left + 1, wr.top + 100)), HTLEFT);
    // Pressed, moved off and released: nothing. Pressed and released on it: closed.
    drv.MouseDown(box);
    drv.MouseMove(POINT{box.x - 100, box.y});
    drv.MouseUp(POINT{box.x - 100, box.y});
    drv.Pump();
    EXPECT_TRUE(IsWindow(frame));
    drv.AdvanceClock(1000);
    drv.Click(box);
    drv.Pump();
    EXPECT_FALSE(IsWindow(frame));
    std::vector<std::string> names;
    for (const std::string& n : rec.Names())
        if (n != "frame:NCHITTEST")
            names.push_back(n);
    EXPECT_EQ(names, (std::vector<std::string>{"frame:SYSCOMMAND", "frame:CLOSE"}));
}

TEST_F(WindowTest, MaximizeAndRestoreKeepTheNormalPlacement)
{
    HWND frame = rec.Make("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 20, 300, 200);
    ShowWindow(frame, SW_MAXIMIZE);
    RECT r;
    GetWindowRect(frame, &r);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_TRUE(IsZoomed(frame));
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(frame, &wp);
    EXPECT_EQ(wp.showCmd, UINT(SW_SHOWMAXIMIZED));
    EXPECT_EQ(wp.rcNormalPosition.left, 10);
    ShowWindow(frame, SW_RESTORE);
    GetWindowRect(frame, &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right - r.left, 300);
}

}  // namespace
