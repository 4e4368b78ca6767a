// Message order: the sequences Win32 delivers for creation, destruction, focus, activation,
// clicks and double clicks, capture, painting, timers, keys and nested sends, recorded and
// compared with the expected ones.
#include "ui_support.h"

#include "platform/ui/core/MmTimer.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

using namespace uitest;
using Seq = std::vector<std::string>;

namespace {

class MessagesTest : public UiTest {
protected:
    HWND top = nullptr;
    void SetUp() override
    {
        top = rec.Make("top", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200);
        drv.Pump();
    }
    HWND Child(const std::string& name, int x, int y, int cx = 50, int cy = 40, DWORD style = 0, bool dbl = true)
    {
        return rec.Make(name, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, top, 0, 0, dbl);
    }
};

TEST_F(MessagesTest, CreationAndDestructionOrder)
{
    rec.Watch({WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_PARENTNOTIFY, WM_DESTROY, WM_NCDESTROY});
    HWND a = Child("a", 10, 10);
    EXPECT_EQ(rec.Names(), (Seq{"a:NCCREATE", "a:NCCALCSIZE", "a:CREATE", "a:SIZE", "a:MOVE", "top:PARENTNOTIFY"}));
    EXPECT_EQ(LOWORD(rec.Log().back().wParam), WM_CREATE);

    HWND b = rec.Make("b", WS_CHILD, 0, 0, 10, 10, a);
    rec.Clear();
    // Destroying a parent: WM_DESTROY parent first, WM_NCDESTROY children first.
    DestroyWindow(a);
    EXPECT_EQ(rec.Names(), (Seq{"top:PARENTNOTIFY", "a:DESTROY", "b:DESTROY", "b:NCDESTROY", "a:NCDESTROY"}));
    EXPECT_FALSE(IsWindow(a));
    EXPECT_FALSE(IsWindow(b));
}

TEST_F(MessagesTest, CreateRefusedByHandlerGivesNoWindow)
{
    HWND a = Child("a", 0, 0);
    // A window whose WM_CREATE answers -1 is destroyed again and CreateWindowEx fails.
    rec.SetHook(nullptr, nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        return m == WM_CREATE ? -1 : DefWindowProcW(h, m, w, l);
    };
    wc.lpszClassName = L"RefuseCreate";
    RegisterClassW(&wc);
    EXPECT_EQ(CreateWindowExW(0, L"RefuseCreate", L"", WS_CHILD, 0, 0, 5, 5, a, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetWindow(a, GW_CHILD), nullptr);
    EXPECT_EQ(CreateWindowExW(0, L"NoSuchClass", L"", WS_CHILD, 0, 0, 5, 5, a, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(MessagesTest, FocusMovesWithKillBeforeSet)
{
    HWND a = Child("a", 0, 0);
    HWND b = Child("b", 60, 0);
    SetFocus(a);
    rec.Watch({WM_SETFOCUS, WM_KILLFOCUS});
    rec.Clear();
    EXPECT_EQ(SetFocus(b), a);
    ASSERT_EQ(rec.Names(), (Seq{"a:KILLFOCUS", "b:SETFOCUS"}));
    EXPECT_EQ(reinterpret_cast<HWND>(rec.Log()[0].wParam), b);
    EXPECT_EQ(reinterpret_cast<HWND>(rec.Log()[1].wParam), a);
    EXPECT_EQ(GetFocus(), b);
}

TEST_F(MessagesTest, FocusInAnotherTopLevelActivatesItFirst)
{
    HWND a = Child("a", 0, 0);
    SetFocus(a);
    HWND top2 = rec.Make("top2", WS_POPUP | WS_VISIBLE, 500, 100, 200, 100);
    SetActiveWindow(top);
    SetFocus(a);
    HWND c = rec.Make("c", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, top2);
    rec.Watch({WM_SETFOCUS, WM_KILLFOCUS, WM_ACTIVATE, WM_NCACTIVATE});
    rec.Clear();
    SetFocus(c);
    EXPECT_EQ(rec.Names(), (Seq{"top:NCACTIVATE", "top:ACTIVATE", "top2:NCACTIVATE", "top2:ACTIVATE", "a:KILLFOCUS",
                                "top2:SETFOCUS", "top2:KILLFOCUS", "c:SETFOCUS"}));
    // WM_ACTIVATE names the other window of the change.
    EXPECT_EQ(LOWORD(rec.Log()[1].wParam), WA_INACTIVE);
    EXPECT_EQ(reinterpret_cast<HWND>(rec.Log()[1].lParam), top2);
    EXPECT_EQ(reinterpret_cast<HWND>(rec.Log()[3].lParam), top);
}

TEST_F(MessagesTest, DestroyingTheFocusWindowGivesFocusToItsParent)
{
    HWND a = Child("a", 0, 0);
    SetFocus(a);
    DestroyWindow(a);
    EXPECT_EQ(GetFocus(), top);
}

struct ClickCase {
    const char* name;
    bool dblClass;
    int clicks;
    DWORD gapMs;
    int moveBy;
    Seq expected;
};

class ClickTest : public MessagesTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ClickTest, ButtonSequence)
{
    const ClickCase& c = GetParam();
    HWND a = Child("a", 10, 10, 100, 100, 0, c.dblClass);
    rec.Watch({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK});
    for (int i = 0; i < c.clicks; ++i) {
        POINT p = CHeadlessDriver::At(a, POINT{20 + i * c.moveBy, 20});
        drv.MouseDown(p);
        drv.MouseUp(p);
        drv.Pump();
        drv.AdvanceClock(c.gapMs);
    }
    EXPECT_EQ(rec.Names(), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, ClickTest,
    ::testing::Values(
        ClickCase{"double", true, 2, 100, 0, {"a:LBUTTONDOWN", "a:LBUTTONUP", "a:LBUTTONDBLCLK", "a:LBUTTONUP"}},
        ClickCase{"no CS_DBLCLKS", false, 2, 100, 0, {"a:LBUTTONDOWN", "a:LBUTTONUP", "a:LBUTTONDOWN", "a:LBUTTONUP"}},
        ClickCase{"triple", true, 3, 100, 0,
                  {"a:LBUTTONDOWN", "a:LBUTTONUP", "a:LBUTTONDBLCLK", "a:LBUTTONUP", "a:LBUTTONDOWN", "a:LBUTTONUP"}},
        ClickCase{"too slow", true, 2, 600, 0, {"a:LBUTTONDOWN", "a:LBUTTONUP", "a:LBUTTONDOWN", "a:LBUTTONUP"}},
        ClickCase{"too far", true, 2, 100, 10, {"a:LBUTTONDOWN", "a:LBUTTONUP", "a:LBUTTONDOWN", "a:LBUTTONUP"}}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

TEST_F(MessagesTest, MouseCarriesClientPointAndFlags)
{
    HWND a = Child("a", 30, 40);
    rec.Watch({WM_MOUSEMOVE, WM_LBUTTONDOWN});
    drv.KeyDown(VK_CONTROL);
    POINT screen = CHeadlessDriver::At(a, POINT{5, 7});
    EXPECT_EQ(screen.x, 100 + 35);
    drv.MouseMove(screen);
    drv.MouseDown(screen);
    drv.Pump();
    ASSERT_EQ(rec.Names(), (Seq{"a:MOUSEMOVE", "a:LBUTTONDOWN"}));
    EXPECT_EQ(GET_X_LPARAM(rec.Log()[1].lParam), 5);
    EXPECT_EQ(GET_Y_LPARAM(rec.Log()[1].lParam), 7);
    EXPECT_EQ(rec.Log()[0].wParam, WPARAM(MK_CONTROL));
    EXPECT_EQ(rec.Log()[1].wParam, WPARAM(MK_CONTROL | MK_LBUTTON));
}

TEST_F(MessagesTest, CaptureGetsMouseAndHearsOfItsLoss)
{
    HWND a = Child("a", 0, 0);
    HWND b = Child("b", 100, 0);
    rec.Watch({WM_CAPTURECHANGED, WM_MOUSEMOVE, WM_SETCURSOR});
    SetCapture(a);
    drv.MouseMove(CHeadlessDriver::At(b, POINT{5, 5}));  // over b, but a holds the capture
    drv.Pump();
    ASSERT_EQ(rec.Names(), (Seq{"a:MOUSEMOVE"}));
    EXPECT_EQ(GET_X_LPARAM(rec.Log()[0].lParam), 105);
    rec.Clear();
    SetCapture(b);
    ReleaseCapture();
    ASSERT_EQ(rec.Names(), (Seq{"a:CAPTURECHANGED", "b:CAPTURECHANGED"}));
    EXPECT_EQ(reinterpret_cast<HWND>(rec.Log()[0].lParam), b);
    EXPECT_EQ(rec.Log()[1].lParam, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MessagesTest, ClickInInactiveWindowActivatesBeforeTheButton)
{
    HWND a = Child("a", 0, 0);
    HWND top2 = rec.Make("top2", WS_POPUP | WS_VISIBLE, 500, 100, 200, 100);
    HWND c = rec.Make("c", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top2);
    SetActiveWindow(top);
    (void)a;
    rec.Watch({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_SETCURSOR, WM_LBUTTONDOWN});
    rec.Clear();
    drv.MouseDown(CHeadlessDriver::At(c, POINT{5, 5}));
    drv.Pump();
    EXPECT_EQ(rec.Names(), (Seq{"c:MOUSEACTIVATE", "top2:MOUSEACTIVATE", "top:ACTIVATE", "top2:ACTIVATE",
                                "c:SETCURSOR", "top2:SETCURSOR", "c:LBUTTONDOWN"}));
    EXPECT_EQ(GetActiveWindow(), top2);
}

TEST_F(MessagesTest, ClickInAChildOfTheActiveWindowAsksWithoutActivating)
{
    HWND a = Child("a", 0, 0);
    SetActiveWindow(top);
    rec.Watch({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN});
    rec.Clear();
    drv.MouseDown(CHeadlessDriver::At(a, POINT{5, 5}));
    drv.MouseDown(CHeadlessDriver::At(top, POINT{200, 150}));  // the active window itself
    drv.Pump();
    EXPECT_EQ(rec.Names(), (Seq{"a:MOUSEACTIVATE", "top:MOUSEACTIVATE", "a:LBUTTONDOWN", "top:LBUTTONDOWN"}));
}

TEST_F(MessagesTest, MouseActivateCanRefuseAndEatTheClick)
{
    HWND top2 = rec.Make("top2", WS_POPUP | WS_VISIBLE, 500, 100, 200, 100);
    SetActiveWindow(top);
    rec.SetHook(top2, [](HWND, UINT m, WPARAM, LPARAM, LRESULT* r) {
        if (m != WM_MOUSEACTIVATE)
            return false;
        *r = MA_NOACTIVATEANDEAT;
        return true;
    });
    rec.Watch({WM_LBUTTONDOWN, WM_LBUTTONUP});
    drv.MouseDown(CHeadlessDriver::At(top2, POINT{5, 5}));
    drv.MouseUp(CHeadlessDriver::At(top2, POINT{5, 5}));
    drv.Pump();
    EXPECT_EQ(rec.Names(), (Seq{"top2:LBUTTONUP"}));
    EXPECT_EQ(GetActiveWindow(), top);
}

TEST_F(MessagesTest, MouseLeaveAfterTracking)
{
    HWND a = Child("a", 0, 0);
    rec.Watch({WM_MOUSELEAVE});
    drv.MouseMove(CHeadlessDriver::At(a, POINT{5, 5}));
    drv.Pump();
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, a, 0};
    TrackMouseEvent(&tme);
    drv.MouseMove(CHeadlessDriver::At(a, POINT{6, 6}));
    drv.Pump();
    EXPECT_TRUE(rec.Names().empty());
    drv.MouseMove(CHeadlessDriver::At(a, POINT{200, 100}));
    drv.Pump();
    EXPECT_EQ(rec.Names(), (Seq{"a:MOUSELEAVE"}));
    // Tracking ends with the message: another move outside brings nothing.
    drv.MouseMove(CHeadlessDriver::At(a, POINT{210, 100}));
    drv.Pump();
    EXPECT_EQ(rec.Names().size(), 1u);
}

TEST_F(MessagesTest, PaintComesAfterPostedMessagesAndErasesOnRequest)
{
    HWND a = Child("a", 0, 0);
    rec.Watch({WM_PAINT, WM_ERASEBKGND, WM_USER});
    InvalidateRect(a, nullptr, TRUE);
    PostMessageW(a, WM_USER, 0, 0);
    EXPECT_TRUE(rec.Names().empty());  // nothing until the queue runs
    drv.Pump();
    EXPECT_EQ(rec.Names(), (Seq{"a:USER", "a:PAINT", "a:ERASEBKGND"}));
    rec.Clear();
    InvalidateRect(a, nullptr, FALSE);
    drv.Pump();
    EXPECT_EQ(rec.Names(), (Seq{"a:PAINT"}));
    rec.Clear();
    RECT r{0, 0, 10, 10};
    InvalidateRect(a, &r, TRUE);
    ValidateRect(a, nullptr);
    drv.Pump();
    EXPECT_TRUE(rec.Names().empty());
}

TEST_F(MessagesTest, ParentInvalidationReachesChildrenUnlessClipChildren)
{
    HWND a = Child("a", 0, 0);
    rec.Watch({WM_PAINT});
    InvalidateRect(top, nullptr, TRUE);
    drv.Pump();
    EXPECT_EQ(rec.Names(), (Seq{"top:PAINT", "a:PAINT"}));
    rec.Clear();
    SetWindowLongPtrW(top, GWL_STYLE, GetWindowLongPtrW(top, GWL_STYLE) | WS_CLIPCHILDREN);
    InvalidateRect(top, nullptr, TRUE);
    drv.Pump();
    EXPECT_EQ(rec.Names(), (Seq{"top:PAINT"}));
    (void)a;
}

TEST_F(MessagesTest, PaintHandlerThatDoesNotValidateGetsOneMessage)
{
    HWND a = Child("a", 0, 0);
    rec.SetHook(a, [](HWND, UINT m, WPARAM, LPARAM, LRESULT* r) {
        *r = 0;
        return m == WM_PAINT;  // no BeginPaint
    });
    rec.Watch({WM_PAINT});
    InvalidateRect(a, nullptr, TRUE);
    drv.Pump();
    EXPECT_EQ(rec.Names(), (Seq{"a:PAINT"}));
}

TEST_F(MessagesTest, UpdateWindowPaintsAtOnce)
{
    HWND a = Child("a", 0, 0);
    rec.Watch({WM_PAINT});
    InvalidateRect(a, nullptr, FALSE);
    UpdateWindow(a);
    EXPECT_EQ(rec.Names(), (Seq{"a:PAINT"}));
    UpdateWindow(a);  // nothing left to paint
    EXPECT_EQ(rec.Names().size(), 1u);
}

TEST_F(MessagesTest, NestedSendsRunInsideTheSenderAndPostsAfter)
{
    HWND a = Child("a", 0, 0);
    HWND b = Child("b", 60, 0);
    int record = 0;
    rec.Watch({WM_USER, WM_USER + 1, WM_USER + 2, WM_USER + 3});
    int seenAfterSend = -1;
    rec.SetHook(a, [&](HWND, UINT m, WPARAM, LPARAM, LRESULT*) {
        if (m == WM_USER) {
            PostMessageW(b, WM_USER + 3, 0, 0);
            SendMessageW(b, WM_USER + 1, 0, reinterpret_cast<LPARAM>(&record));
            seenAfterSend = record;  // the receiver filled the sender's stack record already
        }
        return false;
    });
    rec.SetHook(b, [&](HWND, UINT m, WPARAM, LPARAM l, LRESULT*) {
        if (m == WM_USER + 1) {
            SendMessageW(a, WM_USER + 2, 0, 0);
            *reinterpret_cast<int*>(l) = 42;
        }
        return false;
    });
    PostMessageW(a, WM_USER, 0, 0);
    drv.Pump();
    EXPECT_EQ(rec.Names(), (Seq{"a:USER", "b:USER1", "a:USER2", "b:USER3"}));
    EXPECT_EQ(seenAfterSend, 42);
}

TEST_F(MessagesTest, PostedMessagesKeepTheirOrderAndDeadWindowsLoseThem)
{
    HWND a = Child("a", 0, 0);
    HWND b = Child("b", 60, 0);
    rec.Watch({WM_USER, WM_USER + 1, WM_USER + 2});
    PostMessageW(a, WM_USER, 0, 0);
    PostMessageW(b, WM_USER + 1, 0, 0);
    PostMessageW(a, WM_USER + 2, 0, 0);
    DestroyWindow(b);
    drv.Pump();
    EXPECT_EQ(rec.Names(), (Seq{"a:USER", "a:USER2"}));
    EXPECT_FALSE(PostMessageW(b, WM_USER, 0, 0));
}

TEST_F(MessagesTest, TimersFireInDueOrderUntilKilled)
{
    HWND a = Child("a", 0, 0);
    rec.Watch({WM_TIMER});
    SetTimer(a, 7, 100, nullptr);
    SetTimer(a, 9, 250, nullptr);
    drv.AdvanceClock(320);
    std::vector<WPARAM> ids;
    for (const Rec& r : rec.Log())
        ids.push_back(r.wParam);
    EXPECT_EQ(ids, (std::vector<WPARAM>{7, 7, 9, 7}));
    EXPECT_TRUE(KillTimer(a, 7));
    EXPECT_FALSE(KillTimer(a, 7));
    rec.Clear();
    drv.AdvanceClock(300);
    EXPECT_EQ(rec.Names(), (Seq{"a:TIMER"}));
    // A destroyed window's timers go with it.
    DestroyWindow(a);
    drv.AdvanceClock(1000);
    EXPECT_EQ(rec.Names().size(), 1u);
}

TEST_F(MessagesTest, TimerProcRunsInsteadOfTheWindow)
{
    HWND a = Child("a", 0, 0);
    static int calls;
    calls = 0;
    rec.Watch({WM_TIMER});
    SetTimer(a, 1, 50, [](HWND, UINT, UINT_PTR id, DWORD) { calls += int(id); });
    drv.AdvanceClock(100);
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(rec.Names().empty());
    // A posted WM_TIMER whose lParam is no timer callback goes to the window, not to an address.
    PostMessageW(a, WM_TIMER, 5, LPARAM(0x1234));
    drv.Pump();
    EXPECT_EQ(rec.Names(), (Seq{"a:TIMER"}));
    EXPECT_EQ(calls, 2);
}

TEST_F(MessagesTest, KeysTranslateToCharacters)
{
    HWND a = Child("a", 0, 0);
    SetFocus(a);
    rec.Watch({WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSCHAR, WM_IME_CHAR});
    drv.Key('A', L'a');
    drv.Pump();
    EXPECT_EQ(rec.Names(), (Seq{"a:KEYDOWN", "a:CHAR", "a:KEYUP"}));
    EXPECT_EQ(rec.Log()[1].wParam, WPARAM(L'a'));
    EXPECT_TRUE(rec.Log()[2].lParam & KF_UP_BIT);

    struct { UINT mod; UINT vk; wchar_t ch; UINT charMsg; WPARAM expected; } cases[] = {
        {VK_CONTROL, 'N', L'n', WM_CHAR, 14},   // Ctrl+N
        {VK_SHIFT, '1', 0, WM_CHAR, L'!'},      // from the key alone, US layout
        {VK_MENU, 'X', L'x', WM_SYSCHAR, L'x'}, // Alt+X
        {0, VK_RETURN, 0, WM_CHAR, L'\r'},
    };
    for (const auto& c : cases) {
        rec.Clear();
        if (c.mod)
            drv.KeyDown(c.mod);
        drv.Key(c.vk, c.ch);
        if (c.mod)
            drv.KeyUp(c.mod);
        drv.Pump();
        bool found = false;
        for (const Rec& r : rec.Log())
            if (r.msg == c.charMsg) {
                EXPECT_EQ(r.wParam, c.expected) << c.vk;
                found = true;
            }
        EXPECT_TRUE(found) << c.vk;
    }
    rec.Clear();
    drv.ImeCommit(L"中文");
    drv.Pump();
    EXPECT_EQ(rec.Names(), (Seq{"a:IME_CHAR", "a:CHAR", "a:IME_CHAR", "a:CHAR"}));
    EXPECT_EQ(rec.Log()[1].wParam, WPARAM(L'中'));
}

TEST_F(MessagesTest, AltOpensTheMenuThroughTheSystemCommand)
{
    HWND a = Child("a", 0, 0);
    SetFocus(a);
    rec.Watch({WM_SYSCOMMAND});
    drv.Key(VK_MENU);  // alone
    drv.KeyDown(VK_MENU);
    drv.Key('F', L'f');  // Alt+F
    drv.KeyUp(VK_MENU);
    drv.Pump();
    ASSERT_EQ(rec.Names(), (Seq{"top:SYSCOMMAND", "top:SYSCOMMAND"}));
    EXPECT_EQ(rec.Log()[0].wParam & 0xFFF0, SC_KEYMENU);
    EXPECT_EQ(rec.Log()[0].lParam, 0);
    EXPECT_EQ(rec.Log()[1].lParam, LPARAM(L'f'));
}

TEST_F(MessagesTest, ParentsHearOfButtonsPressedOverChildren)
{
    HWND a = Child("a", 10, 20, 100, 100);
    HWND b = rec.Make("b", WS_CHILD | WS_VISIBLE, 5, 5, 20, 20, a);
    HWND quiet = rec.Make("quiet", WS_CHILD | WS_VISIBLE, 50, 50, 20, 20, a, 0, WS_EX_NOPARENTNOTIFY);
    rec.Watch({WM_PARENTNOTIFY, WM_LBUTTONDOWN, WM_RBUTTONDOWN});
    drv.MouseDown(CHeadlessDriver::At(b, POINT{1, 2}));
    drv.MouseDown(CHeadlessDriver::At(quiet, POINT{1, 2}), 1);
    drv.Pump();
    EXPECT_EQ(rec.Names(), (Seq{"a:PARENTNOTIFY", "top:PARENTNOTIFY", "b:LBUTTONDOWN", "quiet:RBUTTONDOWN"}));
    EXPECT_EQ(LOWORD(rec.Log()[0].wParam), WM_LBUTTONDOWN);
    EXPECT_EQ(GET_X_LPARAM(rec.Log()[0].lParam), 6);   // in a's client coordinates
    EXPECT_EQ(GET_X_LPARAM(rec.Log()[1].lParam), 16);  // in top's
}

TEST_F(MessagesTest, KeyStateFollowsTheMessagesHandedOut)
{
    HWND a = Child("a", 0, 0);
    SetFocus(a);
    std::vector<bool> ctrlDuringKey;
    rec.SetHook(a, [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT*) {
        if (m == WM_KEYDOWN && w == 'S')
            ctrlDuringKey.push_back(GetKeyState(VK_CONTROL) < 0);
        return false;
    });
    drv.KeyDown(VK_CONTROL);
    drv.Key('S');
    drv.KeyUp(VK_CONTROL);
    drv.Key('S');
    // The queue has not run yet: the synchronous state is unchanged, the asynchronous one moved.
    EXPECT_FALSE(GetKeyState(VK_CONTROL) < 0);
    drv.Pump();
    EXPECT_EQ(ctrlDuringKey, (std::vector<bool>{true, false}));
}

TEST_F(MessagesTest, OtherThreadsPostAndInvalidate)
{
    HWND a = Child("a", 0, 0);
    drv.Pump();
    rec.Watch({WM_USER, WM_PAINT});
    std::thread t([a] {
        for (int i = 0; i < 50; ++i)
            PostMessageW(a, WM_USER, WPARAM(i), 0);
        InvalidateRect(a, nullptr, FALSE);
    });
    t.join();
    drv.Pump();
    ASSERT_EQ(rec.Log().size(), 51u);
    // Thread messages have no window; the loop gets them as they are.
    DWORD ui = GetCurrentThreadId();
    std::thread t2([ui] { PostThreadMessageW(ui, WM_USER + 7, 1, 2); });
    t2.join();
    MSG m;
    ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, nullptr);
    EXPECT_EQ(m.message, WM_USER + 7);
    EXPECT_FALSE(PostThreadMessageW(0x7FFFFFF0, WM_USER, 0, 0));
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(rec.Log()[size_t(i)].wParam, WPARAM(i));
    EXPECT_EQ(rec.Names().back(), "a:PAINT");
}

TEST_F(MessagesTest, QuitEndsGetMessage)
{
    PostMessageW(top, WM_USER, 0, 0);
    PostQuitMessage(3);
    MSG m;
    EXPECT_TRUE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_USER);
    EXPECT_FALSE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(m.wParam, 3u);
}

// ---- multimedia timer ----

std::atomic<int> g_ticks{0};
std::atomic<bool> g_onUiThread{false};
std::thread::id g_uiThread;

void CALLBACK_Tick(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR)
{
    if (std::this_thread::get_id() == g_uiThread)
        g_onUiThread = true;
    ++g_ticks;
    PostMessageW(reinterpret_cast<HWND>(user), WM_USER, 0, 0);
}

bool WaitFor(const std::function<bool()>& cond)
{
    for (int i = 0; i < 1000 && !cond(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return cond();
}

TEST_F(MessagesTest, MultimediaTimerStopsForGoodWhenKilled)
{
    g_ticks = 0;
    g_onUiThread = false;
    g_uiThread = std::this_thread::get_id();
    TIMECAPS caps;
    ASSERT_EQ(timeGetDevCaps(&caps, sizeof caps), TIMERR_NOERROR);
    EXPECT_EQ(timeBeginPeriod(caps.wPeriodMin), TIMERR_NOERROR);
    UINT id = timeSetEvent(2, caps.wPeriodMin, CALLBACK_Tick, reinterpret_cast<DWORD_PTR>(top), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(WaitFor([] { return g_ticks >= 3; }));
    EXPECT_EQ(timeKillEvent(id), TIMERR_NOERROR);
    int after = g_ticks;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(g_ticks, after);
    EXPECT_FALSE(g_onUiThread);
    EXPECT_EQ(timeKillEvent(id), MMSYSERR_INVALPARAM);
    EXPECT_EQ(timeEndPeriod(caps.wPeriodMin), TIMERR_NOERROR);
    EXPECT_EQ(timeSetEvent(0, 1, CALLBACK_Tick, 0, TIME_PERIODIC), 0u);
    EXPECT_EQ(timeSetEvent(10, 1, nullptr, 0, TIME_PERIODIC), 0u);
    rec.Watch({WM_USER});
    drv.Pump();
    EXPECT_EQ(int(rec.Log().size()), after);  // every tick reached the window through the queue
}

void CALLBACK_SelfKill(UINT id, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR)
{
    ++g_ticks;
    timeKillEvent(id);
}

TEST_F(MessagesTest, MultimediaTimerCanBeKilledFromItsCallback)
{
    g_ticks = 0;
    UINT id = timeSetEvent(1, 1, CALLBACK_SelfKill, 0, TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(WaitFor([] { return g_ticks >= 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(g_ticks, 1);
}

// The process's address space in kB (VmSize), which keeps every thread's stack until the
// thread is joined or detached.
long AddressSpaceKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmSize:", 0) == 0)
            return std::stol(line.substr(7));
    return 0;
}

void CALLBACK_Count(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) { ++g_ticks; }

TEST_F(MessagesTest, FiredOneShotTimersGiveTheirThreadsBack)
{
    g_ticks = 0;
    const long before = AddressSpaceKb();
    ASSERT_GT(before, 0);
    UINT id = 0;
    for (int i = 0; i < 200; ++i) {
        id = timeSetEvent(1, 1, CALLBACK_Count, 0, TIME_ONESHOT);
        ASSERT_NE(id, 0u);
        ASSERT_TRUE(WaitFor([i] { return g_ticks > i; }));
    }
    // Kept threads would hold 200 stacks (well over a gigabyte); the C library may keep a few.
    const long limitKb = 256 * 1024;
    EXPECT_TRUE(WaitFor([&] { return AddressSpaceKb() - before < limitKb; }))
        << (AddressSpaceKb() - before) / 1024 << " MB more than before";
    EXPECT_EQ(g_ticks, 200);
    EXPECT_EQ(timeKillEvent(id), MMSYSERR_INVALPARAM) << "a fired one-shot event is gone";
}

}  // namespace
