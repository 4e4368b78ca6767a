// What windows show: erasing with the class brush, children over parents, clipping by styles and
// regions, scrolling pixels, frames and scroll bars, the caret, and the headless host's script.
#include "ui_support.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"

#include <cstdio>
#include <fstream>

using namespace uitest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// Paints its whole client area in one colour.
bool PaintWith(COLORREF c, HWND h, UINT m, LRESULT* r)
{
    if (m != WM_PAINT)
        return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT cr;
    GetClientRect(h, &cr);
    CDC::FromHandle(dc)->FillSolidRect(&cr, c);
    EndPaint(h, &ps);
    *r = 0;
    return true;
}

class PaintTest : public UiTest {
protected:
    HWND top = nullptr;
    COLORREF white = GetSysColor(COLOR_WINDOW);
    void SetUp() override
    {
        top = rec.Make("top", WS_POPUP | WS_VISIBLE, 0, 0, 200, 150);
        drv.Pump();
    }
    HWND Painted(const std::string& name, COLORREF c, int x, int y, int cx, int cy, DWORD style = 0, HWND parent = nullptr)
    {
        HWND h = rec.Make(name, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent ? parent : top);
        rec.SetHook(h, [c](HWND w, UINT m, WPARAM, LPARAM, LRESULT* r) { return PaintWith(c, w, m, r); });
        InvalidateRect(h, nullptr, TRUE);
        return h;
    }
};

TEST_F(PaintTest, ClassBrushErasesAndChildrenShowOverTheirParent)
{
    HWND a = Painted("a", kRed, 20, 20, 40, 30);
    drv.Pump();
    EXPECT_EQ(drv.Pixel(top, 5, 5), white);
    EXPECT_EQ(drv.Pixel(top, 20, 20), kRed);
    EXPECT_EQ(drv.Pixel(top, 59, 49), kRed);
    EXPECT_EQ(drv.Pixel(top, 60, 50), white);
    // The parent repainting itself does not cover the child, with or without WS_CLIPCHILDREN.
    for (bool clip : {false, true}) {
        LONG_PTR style = GetWindowLongPtrW(top, GWL_STYLE);
        SetWindowLongPtrW(top, GWL_STYLE, clip ? (style | WS_CLIPCHILDREN) : (style & ~LONG_PTR(WS_CLIPCHILDREN)));
        rec.SetHook(top, [](HWND w, UINT m, WPARAM, LPARAM, LRESULT* r) { return PaintWith(kBlue, w, m, r); });
        InvalidateRect(top, nullptr, TRUE);
        drv.Pump();
        EXPECT_EQ(drv.Pixel(top, 30, 30), kRed) << clip;
        EXPECT_EQ(drv.Pixel(top, 5, 5), kBlue) << clip;
    }
    // Hiding the child shows what is under it.
    ShowWindow(a, SW_HIDE);
    drv.Pump();
    EXPECT_EQ(drv.Pixel(top, 30, 30), kBlue);
}

TEST_F(PaintTest, SiblingsAboveClipThoseThatAskForIt)
{
    Painted("upper", kRed, 10, 10, 40, 40);
    HWND lower = Painted("lower", kBlue, 30, 30, 40, 40, WS_CLIPSIBLINGS);
    drv.Pump();
    EXPECT_EQ(drv.Pixel(top, 35, 35), kRed);   // overlap: the upper sibling shows
    EXPECT_EQ(drv.Pixel(top, 60, 60), kBlue);
    InvalidateRect(lower, nullptr, TRUE);  // repainting the lower one keeps the overlap
    drv.Pump();
    EXPECT_EQ(drv.Pixel(top, 35, 35), kRed);
}

TEST_F(PaintTest, WindowRegionClipsPainting)
{
    HWND a = Painted("a", kRed, 10, 10, 60, 60);
    SetWindowRgn(a, CreateEllipticRgn(0, 0, 60, 60), TRUE);
    drv.Pump();
    EXPECT_EQ(drv.Pixel(top, 40, 40), kRed);
    EXPECT_EQ(drv.Pixel(top, 11, 11), white);
}

TEST_F(PaintTest, ScrollWindowMovesPixelsAndRepaintsTheUncoveredStrip)
{
    HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top);
    int paints = 0;
    RECT painted{};
    rec.SetHook(a, [&](HWND w, UINT m, WPARAM, LPARAM, LRESULT*) {
        if (m != WM_PAINT)
            return false;
        ++paints;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        painted = ps.rcPaint;
        CDC* cdc = CDC::FromHandle(dc);
        for (int y = 0; y < 100; y += 10)
            cdc->FillSolidRect(0, y, 100, 10, RGB(0, 0, y));  // bands of different blue
        EndPaint(w, &ps);
        return true;
    });
    InvalidateRect(a, nullptr, TRUE);
    drv.Pump();
    ASSERT_EQ(drv.Pixel(top, 5, 25), RGB(0, 0, 20));
    paints = 0;
    ScrollWindow(a, 0, -10, nullptr, nullptr);
    EXPECT_EQ(drv.Pixel(top, 5, 25), RGB(0, 0, 30));  // moved up at once
    drv.Pump();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(painted.top, 90);  // only the strip at the bottom was repainted
    EXPECT_EQ(painted.bottom, 100);
}

TEST_F(PaintTest, FramesAndScrollBarsAreDrawn)
{
    HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, 10, 10, 100, 80, top);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 99, 10, 0, 0};
    SetScrollInfo(a, SB_VERT, &si, TRUE);
    drv.Pump();
    EXPECT_EQ(drv.Pixel(top, 10, 10), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(drv.Pixel(top, 109, 89), GetSysColor(COLOR_WINDOWFRAME));
    // The bar has arrow boxes and a thumb, in more than one colour.
    int x0 = 10 + 1 + 98 - 16;
    EXPECT_GT(drv.DistinctColours(top, RECT{x0, 11, x0 + 16, 89}), 2);
    HWND framed = rec.Make("framed", WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 300, 0, 150, 100);
    SetActiveWindow(framed);
    drv.Pump();
    EXPECT_EQ(drv.Pixel(framed, 20, 5), GetSysColor(COLOR_ACTIVECAPTION));
    SetActiveWindow(top);
    drv.Pump();
    EXPECT_EQ(drv.Pixel(framed, 20, 5), GetSysColor(COLOR_INACTIVECAPTION));
}

// A view gets its scroll bars while its parent, which does not clip its children, still has to
// paint (as when a program opens): the parent's painting covers the bars the view had already
// drawn, so the view draws them again when it paints next.
TEST_F(PaintTest, ScrollBarsShownBeforeTheParentPaintsStayVisible)
{
    rec.SetHook(top, [](HWND w, UINT m, WPARAM, LPARAM, LRESULT* r) { return PaintWith(kBlue, w, m, r); });
    HWND view = Painted("view", kRed, 10, 10, 120, 100);
    drv.Pump();
    InvalidateRect(top, nullptr, TRUE);  // the parent's paint is pending...
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 999, 50, 0, 0};
    SetScrollInfo(view, SB_VERT, &si, TRUE);  // ...when the bars switch on and draw at once
    SetScrollInfo(view, SB_HORZ, &si, TRUE);
    ASSERT_EQ(GetWindowLongPtrW(view, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), LONG_PTR(WS_VSCROLL | WS_HSCROLL));
    drv.Pump();
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    const int right = 10 + 120, bottom = 10 + 100;
    EXPECT_EQ(drv.Pixel(top, 20, 20), kRed);  // the view's client area
    EXPECT_EQ(drv.Pixel(top, right - bar / 2, bottom - bar / 2), GetSysColor(COLOR_3DFACE));  // the corner box
    // Arrow boxes and thumb of each bar, not the parent's blue.
    const RECT vert{right - bar, 10, right, bottom - bar}, horz{10, bottom - bar, right - bar, bottom};
    for (const RECT& r : {vert, horz}) {
        EXPECT_GT(drv.DistinctColours(top, r), 2);
        EXPECT_NE(drv.Pixel(top, (r.left + r.right) / 2, (r.top + r.bottom) / 2), kBlue);
        EXPECT_NE(drv.Pixel(top, r.left + 1, r.top + 1), kBlue);
    }
}

TEST_F(PaintTest, CaretInvertsAndRestores)
{
    HWND a = Painted("a", white, 0, 0, 100, 100);
    drv.Pump();
    CreateCaret(a, nullptr, 2, 10);
    SetCaretPos(10, 10);
    EXPECT_EQ(drv.Pixel(top, 10, 10), white);  // created hidden
    ShowCaret(a);
    EXPECT_EQ(drv.Pixel(top, 11, 19), RGB(0, 0, 0));
    SetCaretPos(50, 50);
    EXPECT_EQ(drv.Pixel(top, 11, 19), white);
    EXPECT_EQ(drv.Pixel(top, 50, 50), RGB(0, 0, 0));
    HideCaret(a);
    EXPECT_EQ(drv.Pixel(top, 50, 50), white);
    DestroyCaret();
}

TEST_F(PaintTest, CaretBlinksWhereTheHostWantsIt)
{
    HWND a = Painted("a", white, 0, 0, 100, 100);
    drv.Pump();
    drv.Host().SetCaretBlinks(true);
    CreateCaret(a, nullptr, 2, 10);
    SetCaretPos(10, 10);
    ShowCaret(a);
    ASSERT_EQ(drv.Pixel(top, 10, 10), RGB(0, 0, 0));
    COLORREF seen[2] = {};
    drv.Host().QueueIdleStep([&] { drv.Host().AdvanceClockTo(drv.Host().NowMs() + GetCaretBlinkTime()); });
    drv.Host().QueueIdleStep([&] {
        seen[0] = drv.Pixel(top, 10, 10);
        drv.Host().AdvanceClockTo(drv.Host().NowMs() + GetCaretBlinkTime());
    });
    drv.Host().QueueIdleStep([&] {
        seen[1] = drv.Pixel(top, 10, 10);
        PostQuitMessage(0);
    });
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0))
        DispatchMessageW(&m);
    EXPECT_EQ(seen[0], white);
    EXPECT_EQ(seen[1], RGB(0, 0, 0));
    DestroyCaret();
    EXPECT_EQ(drv.Pixel(top, 10, 10), white);
}

TEST_F(PaintTest, TrackerDrawnTwiceOnTheWindowDcLeavesNoTrace)
{
    HWND bar = rec.Make("bar", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 120, 80, top);
    Painted("inner", kRed, 5, 5, 30, 30, 0, bar);
    drv.Pump();
    auto row = [&] {
        std::vector<COLORREF> v;
        for (int x = 0; x < 140; ++x)
            v.push_back(drv.Pixel(top, x, 40));
        return v;
    };
    std::vector<COLORREF> before = row();
    CBrush halftone;
    WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    CBitmap bits;
    bits.CreateBitmap(8, 8, 1, 1, pattern);
    halftone.CreatePatternBrush(&bits);
    for (int pass = 0; pass < 2; ++pass) {
        // As a sizing bar draws its tracker: over children and frame, through a window DC.
        HDC dc = GetDCEx(bar, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
        CDC* cdc = CDC::FromHandle(dc);
        CBrush* old = cdc->SelectObject(&halftone);
        cdc->PatBlt(0, 25, 120, 20, PATINVERT);
        cdc->SelectObject(old);
        ReleaseDC(bar, dc);
        if (pass == 0) {
            EXPECT_NE(row(), before);
        }
    }
    EXPECT_EQ(row(), before);
}

TEST_F(PaintTest, LockedWindowsShowNothingUntilUnlocked)
{
    HWND a = Painted("a", kRed, 0, 0, 50, 50);
    drv.Pump();
    LockWindowUpdate(top);
    HDC plain = GetDC(a);
    CDC::FromHandle(plain)->FillSolidRect(0, 0, 50, 50, kBlue);
    ReleaseDC(a, plain);
    EXPECT_EQ(drv.Pixel(top, 5, 5), kRed);
    HDC locked = GetDCEx(top, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    ::PatBlt(locked, 0, 0, 10, 10, DSTINVERT);  // trackers still draw
    ReleaseDC(top, locked);
    EXPECT_EQ(drv.Pixel(top, 5, 5), RGB(0, 255, 255));
    LockWindowUpdate(nullptr);
    drv.Pump();
    EXPECT_EQ(drv.Pixel(top, 5, 5), kRed);
}

// ---- the headless host ----

TEST_F(PaintTest, MessageBoxesTakeScriptedAnswersAndRecordTheQuestion)
{
    drv.Host().QueueMessageBoxAnswer(IDNO);
    EXPECT_EQ(MessageBoxW(top, L"Save changes?", L"Editor", MB_YESNO | MB_ICONQUESTION), IDNO);
    // Without a scripted answer the default button is taken, and that is recorded.
    EXPECT_EQ(MessageBoxW(top, L"Really?", L"Editor", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(MessageBoxW(nullptr, L"Done", nullptr, MB_OK), IDOK);
    const auto& boxes = drv.Host().MessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, L"Save changes?");
    EXPECT_TRUE(boxes[0].scripted);
    EXPECT_FALSE(boxes[1].scripted);
    EXPECT_TRUE(IsWindowEnabled(top));  // enabled again after the question
    MessageBeep(MB_ICONEXCLAMATION);
    EXPECT_EQ(drv.Host().Beeps(), 1);
}

TEST_F(PaintTest, ProgramWithoutADisplayRunsTimersOnTheRealClock)
{
    drv.Host().SetRealTime(true);
    HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
    SetTimer(a, 3, 10, nullptr);
    MSG m{};
    while (GetMessageW(&m, nullptr, 0, 0) && m.message != WM_TIMER)
        DispatchMessageW(&m);  // blocks until the timer is due; no script needed
    EXPECT_EQ(m.hwnd, a);
    EXPECT_EQ(m.wParam, 3u);
    KillTimer(a, 3);
    drv.Host().SetRealTime(false);
}

TEST_F(PaintTest, ScreenshotIsAPngOfTheWindow)
{
    Painted("a", kRed, 10, 10, 50, 50);
    drv.Pump();
    std::string path = ::testing::TempDir() + "ui_paint_shot.png";
    ASSERT_TRUE(drv.SaveScreenshot(top, path));
    std::ifstream f(path, std::ios::binary);
    char sig[8] = {};
    f.read(sig, 8);
    EXPECT_EQ(std::string(sig + 1, 3), "PNG");
    std::remove(path.c_str());
    EXPECT_GE(drv.Host().Presents(), 1);  // the image was handed to the host
}

}  // namespace
