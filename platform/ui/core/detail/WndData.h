// The window manager's own records: windows, classes, per-thread message queues. Shared by the
// window-layer sources and the hosts; not part of the interface the editor's code sees.
#pragma once

#include "platform/gdi/detail/GdiSurface.h"
#include "platform/gdi/detail/RegionData.h"
#include "platform/ui/core/WinUser.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A cursor or icon: a standard one (by IDC_/IDI_ number) or an image with a hot spot.
struct HCURSOR__ {
    UINT standardId = 0;
    int width = 0;
    int height = 0;
    POINT hotSpot{0, 0};
    std::vector<DWORD> argb;  // straight (not premultiplied) alpha, rows top-down
    bool shared = true;       // standard and resource cursors live to the end
    bool isIcon = false;      // icons have their hot spot in the middle
};

namespace ui {

struct WndClass {
    std::wstring name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    HCURSOR cursor = nullptr;
    HICON icon = nullptr;
    HBRUSH background = nullptr;
    int wndExtra = 0;
};

struct ScrollBar {
    int nMin = 0;
    int nMax = 100;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
    bool shown = false;     // the style bit decides; this mirrors WS_HSCROLL/WS_VSCROLL
    bool disabled = false;  // ESB_DISABLE_BOTH or range empty with SIF_DISABLENOSCROLL
};

struct ThreadQueue;

struct Wnd {
    HWND handle = nullptr;
    std::shared_ptr<WndClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT_PTR id = 0;
    HMENU menu = nullptr;  // top-level windows
    Wnd* parent = nullptr;
    HWND owner = nullptr;
    std::vector<Wnd*> children;  // z-order: front (top) first
    RECT rect{0, 0, 0, 0};       // window rectangle: parent client coordinates, screen for top level
    RECT client{0, 0, 0, 0};     // client rectangle in window coordinates
    std::wstring text;
    LONG_PTR userData = 0;
    std::map<std::wstring, HANDLE> props;
    std::vector<BYTE> extra;
    std::shared_ptr<ThreadQueue> queue;
    void* object = nullptr;  // the CWnd attached, if any

    // painting
    gdi::RegionData update;  // client coordinates
    bool erase = false;
    bool ncDirty = false;
    bool internalPaint = false;
    bool inPaint = false;
    std::shared_ptr<gdi::Surface> surface;  // top-level windows only
    bool presentDirty = false;               // top-level: surface changed since the host showed it
    bool hasRgn = false;
    gdi::RegionData rgn;  // window coordinates
    HRGN rgnHandle = nullptr;
    bool redrawOff = false;  // WM_SETREDRAW FALSE

    ScrollBar hbar;
    ScrollBar vbar;

    bool captionActive = false;  // last WM_NCACTIVATE state: how the caption is drawn
    bool destroying = false;
    bool maximized = false;
    bool minimized = false;
    RECT normalRect{0, 0, 0, 0};

    bool IsTopLevel() const { return parent == nullptr; }
    bool IsChild() const { return (style & WS_CHILD) != 0 && parent != nullptr; }
    int Width() const { return rect.right - rect.left; }
    int Height() const { return rect.bottom - rect.top; }
};

// Raw input from the host, turned into window messages when the queue hands it out.
struct RawInput {
    enum Kind { MouseMove, ButtonDown, ButtonUp, Wheel, KeyDown, KeyUp, Char, ImeChar, Activate, Close, Resize };
    Kind kind = MouseMove;
    HWND top = nullptr;     // top-level window the event came to (activation, close, resize)
    POINT screen{0, 0};     // pointer position
    int button = 0;         // 0 left, 1 right, 2 middle
    int wheel = 0;          // multiples of WHEEL_DELTA
    UINT vk = 0;
    wchar_t ch = 0;         // character of a key (TranslateMessage), or the character of Char/ImeChar
    bool extended = false;  // keypad Enter, arrow block
    bool activate = false;  // Activate: true when gained
    RECT newRect{0, 0, 0, 0};
    DWORD time = 0;
};

struct QItem {
    enum Kind { Posted, Invalidate } kind = Posted;
    MSG msg{};
    RECT rc{0, 0, 0, 0};
    bool hasRect = false;
    bool erase = false;
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT elapse = 0;
    DWORD due = 0;
    TIMERPROC proc = nullptr;
};

// One per thread that owns windows or pumps messages.
struct ThreadQueue {
    DWORD threadId = 0;
    std::mutex mutex;  // guards posted, input, quit (other threads post)
    std::condition_variable cv;
    std::deque<QItem> posted;
    std::deque<RawInput> input;
    bool quit = false;
    int quitCode = 0;

    // owned by the thread itself
    std::vector<Wnd*> topLevels;  // front first
    std::vector<Timer> timers;
    UINT_PTR nextThreadTimerId = 1;
    MSG current{};  // last message handed out
    wchar_t currentKeyChar = 0;
};

// ---- registry (any thread) ----
Wnd* Find(HWND h);  // live window or null; only the owning thread may touch the result
std::shared_ptr<ThreadQueue> QueueOfWindow(HWND h);
std::shared_ptr<ThreadQueue> CurrentQueue();
std::shared_ptr<ThreadQueue> QueueOfThread(DWORD threadId);
void Register(Wnd* w);
void Unregister(Wnd* w);

// ---- tree helpers (owning thread) ----
Wnd* TopLevelOf(Wnd* w);
// Window rectangle in screen coordinates.
RECT ScreenRect(const Wnd* w);
// Offset of the window's top-left corner inside its top-level window's surface.
POINT OriginInTop(const Wnd* w);
// Client rectangle in screen coordinates.
RECT ScreenClient(const Wnd* w);
bool IsVisibleChain(const Wnd* w);
bool IsAncestor(const Wnd* ancestor, const Wnd* w);
// Visible part of the window (client area only, or the whole window), in surface coordinates of
// its top-level window, with children and siblings clipped as their styles ask.
gdi::RegionData VisibleRegion(const Wnd* w, bool wholeWindow, bool clipChildren, bool clipSiblings);

// ---- messages ----
LRESULT Send(Wnd* w, UINT msg, WPARAM wParam, LPARAM lParam);
void PostInput(HWND top, const RawInput& in);
// Milliseconds until the calling thread's next window timer is due (0 when due), -1 for none.
int NextTimerDelayMs();
DWORD Now();

// ---- painting ----
void InvalidateClient(Wnd* w, const gdi::RegionData& rgn, bool erase, bool allChildren);
void InvalidateWhole(Wnd* w, bool erase);
void MarkPresent(Wnd* w);
void EnsureSurface(Wnd* top);
// Paints every window of the thread that needs it (UpdateWindow of all).
void PaintPending(Wnd* subtreeOrNull);
void PresentDirty();
HWND NextWindowToPaint(HWND filter);

// ---- non-client ----
void ComputeClient(Wnd* w);  // WM_NCCALCSIZE
void DefaultNcCalcSize(Wnd* w, RECT& r);
void DrawNonClient(Wnd* w, HDC windowDc);
int DefaultHitTest(Wnd* w, POINT screen);
void TrackScrollBar(Wnd* w, int hit, POINT screen);
void TrackSystemButton(Wnd* w, int hit);

// ---- input state (owning thread) ----
void ProcessRawInput(ThreadQueue& q, const RawInput& in, MSG* out, bool* produced);
void ForgetWindowInput(Wnd* w);  // focus, capture, active, tracking leaving with a window
void ApplyCursorForClass(Wnd* w);
// Deepest visible, enabled window of the calling thread under a screen point.
Wnd* WindowAtScreen(POINT pt);
// Host bookkeeping: the pointer position and the asynchronous key state.
void SetPointerPosition(POINT p);
// Forgets keys held, focus, capture, click history and pointer clip of the calling thread
// (a fresh start for each test).
void ResetInputState();
// Blinks the caret when the host wants it; milliseconds to the next change, -1 for none.
int CaretBlinkTick();
// BeginWaitCursor is in effect on the calling thread.
bool WaitCursorShown();
// The virtual key of the last key pressed on the calling thread.
UINT LastKeyDown();
void UpdateAsyncKey(UINT vk, bool down);
std::shared_ptr<WndClass> ClassOf(LPCWSTR name);
// Loads cursors and icons of the program's resources (AfxSetResourceCursorLoader).
extern HCURSOR (*g_resourceCursorLoader)(HINSTANCE, LPCWSTR);

// Creation hook: the CWnd layer attaches its object to a window before its first message.
extern void (*g_onWindowAllocated)(HWND);
extern void (*g_onWindowFreed)(HWND);
// Frees what the menu layer keeps per window (its system menu); called when the window is freed
// (framework/MenuBar.cpp).
void ForgetWindowMenus(HWND h);

// Calls the window procedure of the window (or a TIMERPROC).
LRESULT CallProc(Wnd* w, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace ui
