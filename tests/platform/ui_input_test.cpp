// Cursors and icons, key names, pointer clipping and sends from other threads.
#include "ui_support.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/core/CmdTarget.h"

#include <atomic>
#include <thread>

using namespace uitest;

namespace {

class InputTest : public UiTest {
protected:
    HWND top = nullptr;
    void SetUp() override
    {
        top = rec.Make("top", WS_POPUP | WS_VISIBLE | WS_THICKFRAME, 100, 100, 300, 200);
        drv.Pump();
    }
};

TEST_F(InputTest, CursorFollowsClassAndFrameEdges)
{
    HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top);
    struct Case { POINT windowPoint; UINT expected; };
    const Case cases[] = {
        {{30, 30}, 32512},    // client of a: the class cursor (arrow)
        {{1, 100}, 32644},    // left frame edge: west-east
        {{150, 198}, 32645},  // bottom edge: north-south
        {{1, 1}, 32642},      // top-left corner: diagonal
    };
    for (const Case& c : cases) {
        drv.MouseMove(POINT{100 + c.windowPoint.x, 100 + c.windowPoint.y});
        drv.Pump();
        EXPECT_EQ(GetStandardCursorId(drv.Host().Cursor()), c.expected) << c.windowPoint.x << "," << c.windowPoint.y;
    }
    // A window answering WM_SETCURSOR itself keeps its own shape.
    HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
    rec.SetHook(a, [cross](HWND, UINT m, WPARAM, LPARAM, LRESULT* r) {
        if (m != WM_SETCURSOR)
            return false;
        SetCursor(cross);
        *r = TRUE;
        return true;
    });
    drv.MouseMove(CHeadlessDriver::At(a, POINT{5, 5}));
    drv.Pump();
    EXPECT_EQ(drv.Host().Cursor(), cross);
}

TEST_F(InputTest, WaitCursorNestsAndSurvivesMouseMoves)
{
    HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top);
    drv.MouseMove(CHeadlessDriver::At(a, POINT{5, 5}));
    drv.Pump();
    CCmdTarget target;
    target.BeginWaitCursor();
    target.BeginWaitCursor();
    EXPECT_EQ(GetStandardCursorId(GetCursor()), 32514u);
    drv.MouseMove(CHeadlessDriver::At(a, POINT{6, 6}));
    drv.Pump();
    EXPECT_EQ(GetStandardCursorId(GetCursor()), 32514u);
    target.EndWaitCursor();
    EXPECT_EQ(GetStandardCursorId(GetCursor()), 32514u);
    target.EndWaitCursor();
    EXPECT_EQ(GetStandardCursorId(GetCursor()), 32512u);
    target.EndWaitCursor();  // one too many: no effect
    EXPECT_EQ(GetStandardCursorId(GetCursor()), 32512u);
}

TEST_F(InputTest, ImageCursorsAndIcons)
{
    EXPECT_EQ(CreateCursorFromArgb(nullptr, 16, 16, 0, 0), nullptr);
    DWORD pixels[4] = {0xFFFF0000, 0x00000000, 0x80000000, 0xFF00FF00};  // opaque red, clear, half black, green
    HICON icon = CreateIconFromArgb(pixels, 2, 2);
    ASSERT_NE(icon, nullptr);
    SIZE s{};
    EXPECT_TRUE(GetIconSize(icon, &s));
    EXPECT_EQ(s.cx, 2);
    HDC dc = GetDC(top);
    CDC::FromHandle(dc)->FillSolidRect(0, 0, 20, 20, RGB(255, 255, 255));
    EXPECT_TRUE(DrawIcon(dc, 4, 4, icon));
    ReleaseDC(top, dc);
    POINT org{0, 0};
    ClientToScreen(top, &org);
    int cx = org.x - 100, cy = org.y - 100;  // client origin inside the window
    EXPECT_EQ(drv.Pixel(top, cx + 4, cy + 4), RGB(255, 0, 0));
    EXPECT_EQ(drv.Pixel(top, cx + 5, cy + 4), RGB(255, 255, 255));
    COLORREF half = drv.Pixel(top, cx + 4, cy + 5);
    EXPECT_NEAR(GetRValue(half), 127, 2);
    // Through its bitmaps and back: the same picture, the size twice the hot spot.
    ICONINFO ii{};
    ASSERT_TRUE(GetIconInfo(icon, &ii));
    EXPECT_TRUE(ii.fIcon);
    EXPECT_EQ(ii.xHotspot * 2, 2u);
    HICON copy = CreateIconIndirect(&ii);
    ::DeleteObject(ii.hbmColor);
    ::DeleteObject(ii.hbmMask);
    ASSERT_NE(copy, nullptr);
    dc = GetDC(top);
    CDC::FromHandle(dc)->FillSolidRect(0, 0, 20, 20, RGB(255, 255, 255));
    DrawIconEx(dc, 4, 4, copy, 0, 0, 0, nullptr, DI_NORMAL);
    ReleaseDC(top, dc);
    EXPECT_EQ(drv.Pixel(top, cx + 4, cy + 4), RGB(255, 0, 0));
    EXPECT_EQ(drv.Pixel(top, cx + 5, cy + 4), RGB(255, 255, 255));  // masked out
    EXPECT_EQ(drv.Pixel(top, cx + 5, cy + 5), RGB(0, 255, 0));
    DestroyIcon(copy);
    EXPECT_FALSE(GetIconInfo(LoadIconW(nullptr, IDI_APPLICATION), &ii));
    // A program's resource cursor comes from the loader the resource layer installs.
    static HCURSOR s_made;
    s_made = CreateCursorFromArgb(pixels, 2, 2, 1, 1);
    AfxSetResourceCursorLoader([](HINSTANCE, LPCWSTR name) -> HCURSOR {
        return reinterpret_cast<UINT_PTR>(name) == 191 ? s_made : nullptr;
    });
    EXPECT_EQ(LoadCursorW(AfxGetInstanceHandle(), MAKEINTRESOURCE(191)), s_made);
    EXPECT_EQ(LoadCursorW(AfxGetInstanceHandle(), MAKEINTRESOURCE(192)), nullptr);
    EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCE(191)), nullptr);
    AfxSetResourceCursorLoader(nullptr);
    SetCursor(s_made);
    DestroyCursor(s_made);  // the current cursor goes back to the arrow
    EXPECT_EQ(GetStandardCursorId(GetCursor()), 32512u);
    DestroyIcon(icon);
}

TEST_F(InputTest, KeyNamesTellTheNumericKeypad)
{
    struct Case { UINT vk; bool extended; const wchar_t* name; };
    const Case cases[] = {
        {VK_NUMPAD7, false, L"Num 7"}, {VK_HOME, false, L"Num 7"}, {VK_HOME, true, L"Home"},
        {VK_RETURN, true, L"Num Enter"}, {VK_RETURN, false, L"Enter"}, {VK_DECIMAL, false, L"Num Del"},
        {'A', false, L"A"}, {VK_F3, false, L"F3"},
    };
    for (const Case& c : cases) {
        LONG lp = LONG(1 | (c.vk << 16) | (c.extended ? KF_EXTENDED_BIT : 0));
        wchar_t buf[32];
        GetKeyNameTextW(lp, buf, 32);
        EXPECT_STREQ(buf, c.name) << c.vk;
    }
    HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
    SetFocus(a);
    rec.Watch({WM_KEYDOWN});
    drv.Key(VK_RETURN, L'\r', true);
    drv.Pump();
    ASSERT_EQ(rec.Log().size(), 1u);
    wchar_t buf[32];
    GetKeyNameTextW(LONG(rec.Log()[0].lParam), buf, 32);
    EXPECT_STREQ(buf, L"Num Enter");
}

TEST_F(InputTest, ClippedPointerStaysInside)
{
    RECT clip{150, 150, 200, 200};
    ClipCursor(&clip);
    SetCursorPos(10, 500);
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 150);
    EXPECT_EQ(p.y, 199);
    ClipCursor(nullptr);
    drv.Pump();
    // SetCursorPos is followed by a mouse move, as a real pointer move would be.
    HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top);
    rec.Watch({WM_MOUSEMOVE});
    POINT at = CHeadlessDriver::At(a, POINT{7, 8});
    SetCursorPos(at.x, at.y);
    drv.Pump();
    ASSERT_EQ(rec.Names(), (std::vector<std::string>{"a:MOUSEMOVE"}));
    EXPECT_EQ(GET_X_LPARAM(rec.Log()[0].lParam), 7);
}

TEST_F(InputTest, SendFromAnotherThreadRunsOnTheWindowsThread)
{
    HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
    std::thread::id ranOn;
    bool inSend = false;
    rec.SetHook(a, [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT* r) {
        if (m != WM_USER)
            return false;
        ranOn = std::this_thread::get_id();
        inSend = InSendMessage() != FALSE;
        *r = LRESULT(w * 3);
        return true;
    });
    std::atomic<bool> done{false};
    LRESULT result = 0;
    std::thread t([&] {
        result = SendMessageW(a, WM_USER, 14, 0);
        done = true;
    });
    MSG m;
    while (!done)
        PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);  // looking at the queue runs the send
    t.join();
    EXPECT_EQ(result, 42);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_TRUE(inSend);
    EXPECT_FALSE(InSendMessage());
}

}  // namespace

namespace {

TEST_F(InputTest, DisabledTopLevelWindowsTakeNoMouseInput)
{
    HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top);
    rec.Watch({WM_LBUTTONDOWN, WM_MOUSEMOVE});
    EnableWindow(top, FALSE);  // as under a modal dialog
    drv.Click(CHeadlessDriver::At(a, POINT{5, 5}));
    drv.Pump();
    EXPECT_TRUE(rec.Names().empty());
    EXPECT_EQ(drv.Host().Beeps(), 1);
    EnableWindow(top, TRUE);
    drv.Click(CHeadlessDriver::At(a, POINT{5, 5}));
    drv.Pump();
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"a:MOUSEMOVE", "a:LBUTTONDOWN"}));
}

TEST_F(InputTest, TypedTextArrivesAsCharacters)
{
    HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top);
    SetFocus(a);
    std::wstring got;
    rec.SetHook(a, [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT*) {
        if (m == WM_CHAR)
            got += wchar_t(w);
        return false;
    });
    drv.Type(L"Ab 1.\u00b0");
    drv.Pump();
    EXPECT_EQ(got, L"Ab 1.\u00b0");
}

TEST_F(InputTest, SystemParametersAreFixed)
{
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = 500;  // the record size of the original system is accepted too
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 500, &ncm, 0));
    EXPECT_STREQ(ncm.lfStatusFont.lfFaceName, L"Tahoma");
    EXPECT_LT(ncm.lfMessageFont.lfHeight, 0);
    ncm.cbSize = 12;
    EXPECT_FALSE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 12, &ncm, 0));
    UINT lines = 0;
    BOOL drag = TRUE;
    EXPECT_TRUE(SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_TRUE(SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &drag, 0));
    EXPECT_EQ(lines, 3u);
    EXPECT_FALSE(drag);
    OSVERSIONINFOW v{};
    v.dwOSVersionInfoSize = sizeof v;
    ASSERT_TRUE(GetVersionExW(&v));
    EXPECT_EQ(v.dwPlatformId, VER_PLATFORM_WIN32_NT);
}

TEST_F(InputTest, RedrawOffKeepsInvalidationsAway)
{
    HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top);
    drv.Pump();
    rec.Watch({WM_PAINT});
    SendMessageW(a, WM_SETREDRAW, FALSE, 0);
    InvalidateRect(a, nullptr, TRUE);
    drv.Pump();
    EXPECT_TRUE(rec.Names().empty());
    SendMessageW(a, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(a, nullptr, TRUE);
    drv.Pump();
    EXPECT_EQ(rec.Names(), (std::vector<std::string>{"a:PAINT"}));
}

}  // namespace
