// Mouse and keyboard: turning the host's raw input into window messages (hit testing, capture,
// activation on click, WM_SETCURSOR, double clicks, WM_MOUSELEAVE), keyboard focus and
// activation order, key state, cursors and the caret.
#include "platform/ui/core/Host.h"
#include "platform/ui/core/detail/WndData.h"

#include "platform/gdi/DC.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>

namespace ui {

Wnd* WindowAtScreen(POINT pt);

namespace {

struct Caret {
    HWND owner = nullptr;
    int width = 1;
    int height = 1;
    POINT pos{0, 0};
    int hideCount = 1;
    bool drawn = false;
    DWORD nextBlink = 0;  // when the blinking caret changes next (hosts that blink it)
};

struct InputState {
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    BYTE keys[256] = {};
    // double clicks
    UINT lastKeyDown = 0;  // the last key pressed (Alt pressed and released alone opens the menu)
    HWND lastDownWnd = nullptr;
    UINT lastDownMsg = 0;
    DWORD lastDownTime = 0;
    POINT lastDownPt{0, 0};
    bool lastWasDouble = false;
    HWND tracking = nullptr;  // TrackMouseEvent(TME_LEAVE)
    HCURSOR cursor = nullptr;
    int waitCount = 0;
    HCURSOR beforeWait = nullptr;
    Caret caret;
};

InputState& St()
{
    thread_local InputState s;
    return s;
}

std::atomic<std::uint8_t> g_async[256];
std::mutex g_posMutex;
POINT g_cursorPos{0, 0};
bool g_hasClip = false;
RECT g_clip{0, 0, 0, 0};

POINT ClampToClip(POINT p)
{
    if (!g_hasClip)
        return p;
    p.x = std::clamp<LONG>(p.x, g_clip.left, g_clip.right - 1);
    p.y = std::clamp<LONG>(p.y, g_clip.top, g_clip.bottom - 1);
    return p;
}

LPARAM PackPoint(POINT p) { return MAKELPARAM(WORD(SHORT(p.x)), WORD(SHORT(p.y))); }

UINT MouseFlags()
{
    const BYTE* k = St().keys;
    UINT f = 0;
    if (k[VK_LBUTTON] & 0x80) f |= MK_LBUTTON;
    if (k[VK_RBUTTON] & 0x80) f |= MK_RBUTTON;
    if (k[VK_MBUTTON] & 0x80) f |= MK_MBUTTON;
    if (k[VK_SHIFT] & 0x80) f |= MK_SHIFT;
    if (k[VK_CONTROL] & 0x80) f |= MK_CONTROL;
    return f;
}

void SetKey(BYTE* keys, UINT vk, bool down)
{
    vk &= 0xFF;
    if (down) {
        if (!(keys[vk] & 0x80))
            keys[vk] ^= 0x01;  // toggles on each press (Caps Lock, Num Lock)
        keys[vk] |= 0x80;
    } else {
        keys[vk] &= ~0x80;
    }
    // The side-specific keys keep the generic one up to date.
    auto side = [&](UINT l, UINT r, UINT both) {
        if (vk == l || vk == r)
            keys[both] = BYTE((keys[both] & 0x01) | ((keys[l] | keys[r]) & 0x80));
    };
    side(VK_LSHIFT, VK_RSHIFT, VK_SHIFT);
    side(VK_LCONTROL, VK_RCONTROL, VK_CONTROL);
    side(VK_LMENU, VK_RMENU, VK_MENU);
}

void CaretInvert()
{
    Caret& c = St().caret;
    HDC dc = GetDC(c.owner);
    if (!dc)
        return;
    ::PatBlt(dc, c.pos.x, c.pos.y, c.width, c.height, DSTINVERT);
    ReleaseDC(c.owner, dc);
}

void CaretErase()
{
    Caret& c = St().caret;
    if (c.drawn && Find(c.owner)) {
        CaretInvert();
        c.drawn = false;
    }
}

void CaretDraw()
{
    Caret& c = St().caret;
    if (!c.drawn && c.hideCount == 0 && Find(c.owner) && IsWindowVisible(c.owner)) {
        CaretInvert();
        c.drawn = true;
        c.nextBlink = Now() + GetCaretBlinkTime();
    }
}

// Tells the host where text input goes, so an input method shows its window next to it.
void CaretToHost()
{
    Caret& c = St().caret;
    Wnd* w = Find(c.owner);
    if (!w)
        return;
    RECT sc = ScreenClient(w);
    RECT top = ScreenRect(TopLevelOf(w));
    RECT r{sc.left - top.left + c.pos.x, sc.top - top.top + c.pos.y, 0, 0};
    r.right = r.left + c.width;
    r.bottom = r.top + c.height;
    AfxGetHost()->CaretMoved(TopLevelOf(w)->handle, r);
}

UINT ButtonMsg(int button, bool down)
{
    static const UINT d[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static const UINT u[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    button = std::clamp(button, 0, 2);
    return down ? d[button] : u[button];
}

void Activate(HWND top, UINT state)
{
    InputState& s = St();
    HWND old = s.active;
    if (old == top)
        return;
    if (Wnd* o = Find(old)) {
        Send(o, WM_NCACTIVATE, FALSE, 0);
        if ((o = Find(old)) != nullptr)
            Send(o, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, o->minimized ? 1 : 0), LPARAM(top));
    }
    s.active = top;
    Wnd* t = Find(top);
    if (!t) {
        s.active = nullptr;
        if (Wnd* f = Find(s.focus); f && old && IsAncestor(Find(old), f))
            SetFocus(nullptr);
        return;
    }
    SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    AfxGetHost()->TopLevelActivate(top);
    if ((t = Find(top)) != nullptr)
        Send(t, WM_NCACTIVATE, TRUE, 0);
    if ((t = Find(top)) != nullptr && s.active == top)
        Send(t, WM_ACTIVATE, MAKEWPARAM(WORD(state), t->minimized ? 1 : 0), LPARAM(old));
}

void MouseEvent(const RawInput& in, MSG* out, bool* produced)
{
    InputState& s = St();
    POINT pt = ClampToClip(in.screen);
    {
        std::lock_guard<std::mutex> lock(g_posMutex);
        g_cursorPos = pt;
    }
    static const UINT vkOf[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    int button = std::clamp(in.button, 0, 2);
    if (in.kind == RawInput::ButtonDown || in.kind == RawInput::ButtonUp)
        SetKey(s.keys, vkOf[button], in.kind == RawInput::ButtonDown);

    Wnd* target = nullptr;
    int hit = HTCLIENT;
    Wnd* cap = Find(s.capture);
    if (in.kind == RawInput::Wheel) {
        target = Find(s.focus);
        if (!target)
            target = WindowAtScreen(pt);
        if (!target)
            return;
        *out = MSG{target->handle, WM_MOUSEWHEEL, MAKEWPARAM(WORD(MouseFlags()), WORD(SHORT(in.wheel))),
                   PackPoint(pt), in.time, pt};
        *produced = true;
        return;
    }
    if (cap) {
        target = cap;
    } else {
        target = WindowAtScreen(pt);
        if (target) {
            HWND h = target->handle;
            hit = int(Send(target, WM_NCHITTEST, 0, PackPoint(pt)));
            if (!(target = Find(h)))
                return;
        }
    }
    // Leaving a tracked window.
    if (s.tracking && (!target || target->handle != s.tracking || hit != HTCLIENT)) {
        PostMessageW(s.tracking, WM_MOUSELEAVE, 0, 0);
        s.tracking = nullptr;
    }
    if (!target)
        return;
    HWND h = target->handle;
    if (!cap && (TopLevelOf(target)->style & WS_DISABLED)) {
        // A window disabled by a modal dialog takes no mouse input.
        if (in.kind == RawInput::ButtonDown)
            MessageBeep(0);
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        return;
    }
    UINT msg = WM_MOUSEMOVE;
    if (in.kind == RawInput::ButtonDown || in.kind == RawInput::ButtonUp)
        msg = ButtonMsg(button, in.kind == RawInput::ButtonDown);
    bool client = cap != nullptr || hit == HTCLIENT;
    bool eat = false;
    if (in.kind == RawInput::ButtonDown && !cap) {
        // Every click outside the active window itself asks first: in an inactive top-level
        // window, and in any child window (views activate themselves on it).
        Wnd* top = TopLevelOf(target);
        if (h != s.active && !(top->exStyle & WS_EX_NOACTIVATE)) {
            LRESULT r = Send(target, WM_MOUSEACTIVATE, WPARAM(top->handle), MAKELPARAM(WORD(SHORT(hit)), WORD(msg)));
            if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT) && Find(top->handle) && IsWindowVisible(top->handle) &&
                top->handle != s.active)
                Activate(top->handle, WA_CLICKACTIVE);
            eat = r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT;
            if (!(target = Find(h)))
                return;
        }
    }
    if (!cap && hit != HTERROR) {
        Send(target, WM_SETCURSOR, WPARAM(h), MAKELPARAM(WORD(SHORT(hit)), WORD(msg)));
        if (!(target = Find(h)))
            return;
    }
    if (eat)
        return;
    if (in.kind == RawInput::ButtonDown) {
        bool dblClass = !client || (target->cls->style & CS_DBLCLKS);
        DWORD dt = in.time - s.lastDownTime;
        bool near = std::abs(pt.x - s.lastDownPt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                    std::abs(pt.y - s.lastDownPt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
        bool dbl = dblClass && !s.lastWasDouble && s.lastDownWnd == h && s.lastDownMsg == msg &&
                   dt <= GetDoubleClickTime() && near;
        s.lastDownWnd = h;
        s.lastDownMsg = msg;
        s.lastDownTime = in.time;
        s.lastDownPt = pt;
        s.lastWasDouble = dbl;
        if (dbl)
            msg += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    }
    if (client && !cap && (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN)) {
        // Parents hear of a button pressed over a child, nearest first, as in Win32.
        for (Wnd* c = target; c && c->IsChild() && !(c->exStyle & WS_EX_NOPARENTNOTIFY);) {
            Wnd* p = c->parent;
            HWND ph = p->handle;
            RECT pc = ScreenClient(p);
            Send(p, WM_PARENTNOTIFY, MAKEWPARAM(WORD(msg), 0), PackPoint(POINT{pt.x - pc.left, pt.y - pc.top}));
            if (!Find(h) || !Find(ph))
                return;
            c = Find(ph);
        }
        target = Find(h);
    }
    if (client) {
        RECT c = ScreenClient(target);
        POINT local{pt.x - c.left, pt.y - c.top};
        *out = MSG{h, msg, WPARAM(MouseFlags()), PackPoint(local), in.time, pt};
    } else {
        *out = MSG{h, msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE, WPARAM(hit), PackPoint(pt), in.time, pt};
    }
    *produced = true;
}

void KeyEvent(const RawInput& in, MSG* out, bool* produced)
{
    InputState& s = St();
    UINT vk = in.vk & 0xFF;
    bool down = in.kind == RawInput::KeyDown;
    bool wasDown = (s.keys[vk] & 0x80) != 0;
    SetKey(s.keys, vk, down);
    if (down)
        s.lastKeyDown = vk;
    Wnd* target = Find(s.focus);
    if (!target)
        target = Find(s.active);
    if (!target)
        return;
    bool alt = (s.keys[VK_MENU] & 0x80) != 0;
    bool ctrl = (s.keys[VK_CONTROL] & 0x80) != 0;
    bool sys = (alt && !ctrl) || vk == VK_F10 || (vk == VK_MENU);
    UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM lp = 1 | (LPARAM(vk) << 16);
    if (in.extended)
        lp |= KF_EXTENDED_BIT;
    if (alt)
        lp |= KF_ALTDOWN_BIT;
    if (down ? wasDown : true)
        lp |= KF_REPEAT_BIT;
    if (!down)
        lp |= KF_UP_BIT;
    POINT pt;
    GetCursorPos(&pt);
    *out = MSG{target->handle, msg, WPARAM(vk), LPARAM(DWORD(lp)), in.time, pt};
    *produced = true;
}

}  // namespace

void ProcessRawInput(ThreadQueue& q, const RawInput& in, MSG* out, bool* produced)
{
    (void)q;
    *produced = false;
    switch (in.kind) {
    case RawInput::MouseMove:
    case RawInput::ButtonDown:
    case RawInput::ButtonUp:
    case RawInput::Wheel:
        MouseEvent(in, out, produced);
        break;
    case RawInput::KeyDown:
    case RawInput::KeyUp:
        KeyEvent(in, out, produced);
        break;
    case RawInput::Char:
    case RawInput::ImeChar: {
        Wnd* target = Find(St().focus);
        if (!target)
            target = Find(St().active);
        if (!target || !in.ch)
            break;
        *out = MSG{target->handle, in.kind == RawInput::Char ? WM_CHAR : WM_IME_CHAR, WPARAM(in.ch), 1, in.time,
                   POINT{0, 0}};
        *produced = true;
        break;
    }
    case RawInput::Activate:
        if (in.activate) {
            if (Find(in.top))
                Activate(in.top, WA_ACTIVE);
        } else if (St().active == in.top) {
            Activate(nullptr, WA_INACTIVE);
        }
        break;
    case RawInput::Close:
        if (Wnd* t = Find(in.top))
            Send(t, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case RawInput::Resize:
        if (Wnd* t = Find(in.top)) {
            // The user's resizing respects the window's minimum and maximum tracking sizes.
            // The defaults are filled in before the window is asked, as in Win32.
            SIZE screen = AfxGetHost()->ScreenSize();
            MINMAXINFO mmi{};
            mmi.ptMaxSize = POINT{screen.cx, screen.cy};
            mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMIN), GetSystemMetrics(SM_CYMIN)};
            mmi.ptMaxTrackSize = POINT{screen.cx + 8, screen.cy + 8};
            Send(t, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
            // Geometries the display gave one after another come as one input each: all of
            // them take the latest, so that the window does not lay itself out and paint at the
            // sizes in between.
            RECT r = in.newRect;
            AfxGetHost()->DisplayedGeometry(in.top, &r);
            int cx = r.right - r.left;
            int cy = r.bottom - r.top;
            if (mmi.ptMaxTrackSize.x > 0)
                cx = std::min<int>(cx, mmi.ptMaxTrackSize.x);
            if (mmi.ptMaxTrackSize.y > 0)
                cy = std::min<int>(cy, mmi.ptMaxTrackSize.y);
            cx = std::max<int>(cx, mmi.ptMinTrackSize.x);
            cy = std::max<int>(cy, mmi.ptMinTrackSize.y);
            if (Find(in.top))
                SetWindowPos(in.top, nullptr, r.left, r.top, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        break;
    }
}

void ForgetWindowInput(Wnd* w)
{
    InputState& s = St();
    if (Wnd* c = Find(s.capture); c && IsAncestor(w, c))
        ReleaseCapture();
    if (Wnd* f = Find(s.focus); f && IsAncestor(w, f)) {
        HWND to = w->IsChild() ? w->parent->handle : nullptr;
        SetFocus(to);
        if (Wnd* f2 = Find(s.focus); f2 && IsAncestor(w, f2))
            s.focus = nullptr;
    }
    if (Wnd* a = Find(s.active); a && IsAncestor(w, a)) {
        HWND next = nullptr;
        if (Wnd* o = Find(a->owner); o && (o->style & WS_VISIBLE))
            next = o->handle;
        for (Wnd* t : w->queue->topLevels)
            if (!next && t != a && (t->style & WS_VISIBLE) && !t->destroying)
                next = t->handle;
        Activate(next, WA_ACTIVE);
        if (Wnd* a2 = Find(s.active); a2 && IsAncestor(w, a2))
            s.active = nullptr;
    }
    if (Wnd* t = Find(s.tracking); t && IsAncestor(w, t))
        s.tracking = nullptr;
    if (Wnd* c = Find(s.caret.owner); c && IsAncestor(w, c)) {
        s.caret = Caret{};
    }
}

void ResetInputState()
{
    St() = InputState{};
    for (auto& k : g_async)
        k = 0;
    g_hasClip = false;
    SetPointerPosition(POINT{0, 0});
}

UINT LastKeyDown() { return St().lastKeyDown; }

int CaretBlinkTick()
{
    Caret& c = St().caret;
    if (!AfxGetHost()->CaretBlinks() || !c.owner || c.hideCount != 0 || !Find(c.owner))
        return -1;
    DWORD now = Now();
    if (int(c.nextBlink - now) <= 0) {
        if (c.drawn) {
            CaretErase();
            c.nextBlink = now + GetCaretBlinkTime();
        } else {
            CaretDraw();
        }
    }
    return std::max(0, int(c.nextBlink - now));
}

void UpdateAsyncKey(UINT vk, bool down)
{
    vk &= 0xFF;
    g_async[vk] = down ? 0x80 : 0;
}

void SetPointerPosition(POINT p)
{
    std::lock_guard<std::mutex> lock(g_posMutex);
    g_cursorPos = p;
}

}  // namespace ui

using namespace ui;

// ---- activation and focus ----

HWND SetActiveWindow(HWND hwnd)
{
    HWND old = St().active;
    Wnd* w = Find(hwnd);
    if (hwnd && !w)
        return nullptr;
    Activate(w ? TopLevelOf(w)->handle : nullptr, WA_ACTIVE);
    return old;
}

HWND GetActiveWindow() { return Find(St().active) ? St().active : nullptr; }
HWND GetForegroundWindow() { return GetActiveWindow(); }
BOOL SetForegroundWindow(HWND hwnd) { return SetActiveWindow(hwnd) != nullptr || GetActiveWindow() == hwnd; }

HWND SetFocus(HWND hwnd)
{
    InputState& s = St();
    Wnd* w = Find(hwnd);
    if (hwnd && (!w || w->queue->threadId != GetCurrentThreadId()))
        return nullptr;
    HWND old = Find(s.focus) ? s.focus : nullptr;
    if (old == hwnd)
        return old;
    if (w) {
        HWND top = TopLevelOf(w)->handle;
        if (s.active != top) {
            Activate(top, WA_ACTIVE);
            if (!Find(hwnd))
                return nullptr;
        }
    }
    HWND cur = Find(s.focus) ? s.focus : nullptr;
    if (cur == hwnd)
        return old;
    if (Wnd* c = Find(cur)) {
        Send(c, WM_KILLFOCUS, WPARAM(hwnd), 0);
        if ((Find(s.focus) ? s.focus : nullptr) != cur)
            return old;  // the handler moved the focus itself
    }
    s.focus = hwnd;
    if ((w = Find(hwnd)) != nullptr)
        Send(w, WM_SETFOCUS, WPARAM(cur), 0);
    return old;
}

HWND GetFocus() { return Find(St().focus) ? St().focus : nullptr; }

// ---- capture ----

HWND SetCapture(HWND hwnd)
{
    InputState& s = St();
    HWND old = Find(s.capture) ? s.capture : nullptr;
    if (!Find(hwnd) || old == hwnd)
        return old;
    s.capture = hwnd;
    AfxGetHost()->GrabPointer(TopLevelOf(Find(hwnd))->handle, true);
    if (Wnd* o = Find(old))
        Send(o, WM_CAPTURECHANGED, 0, LPARAM(hwnd));
    return old;
}

BOOL ReleaseCapture()
{
    InputState& s = St();
    HWND old = Find(s.capture) ? s.capture : nullptr;
    s.capture = nullptr;
    if (Wnd* o = Find(old)) {
        AfxGetHost()->GrabPointer(TopLevelOf(o)->handle, false);
        Send(o, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

HWND GetCapture() { return Find(St().capture) ? St().capture : nullptr; }

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT tme)
{
    if (!tme)
        return FALSE;
    InputState& s = St();
    if (tme->dwFlags & TME_CANCEL) {
        if ((tme->dwFlags & TME_LEAVE) && s.tracking == tme->hwndTrack)
            s.tracking = nullptr;
        return TRUE;
    }
    if (!(tme->dwFlags & TME_LEAVE))
        return TRUE;
    Wnd* w = Find(tme->hwndTrack);
    if (!w)
        return FALSE;
    POINT pt;
    GetCursorPos(&pt);
    RECT c = ScreenClient(w);
    Wnd* under = WindowAtScreen(pt);
    if (!PtInRect(&c, pt) || under != w)
        PostMessageW(tme->hwndTrack, WM_MOUSELEAVE, 0, 0);  // already outside: at once, as in Win32
    else
        s.tracking = tme->hwndTrack;
    return TRUE;
}

BOOL GetCursorPos(LPPOINT pt)
{
    if (!pt)
        return FALSE;
    std::lock_guard<std::mutex> lock(g_posMutex);
    *pt = g_cursorPos;
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    POINT p = ClampToClip(POINT{x, y});
    {
        std::lock_guard<std::mutex> lock(g_posMutex);
        g_cursorPos = p;
    }
    AfxGetHost()->MovePointer(p);
    RawInput in;
    in.kind = RawInput::MouseMove;
    in.screen = p;
    in.time = Now();
    PostInput(nullptr, in);  // the program sees a mouse move, as after a real one
    return TRUE;
}

BOOL ClipCursor(const RECT* rect)
{
    g_hasClip = rect != nullptr;
    if (rect)
        g_clip = *rect;
    return TRUE;
}

BOOL GetClipCursor(LPRECT rect)
{
    if (!rect)
        return FALSE;
    SIZE s = AfxGetHost()->ScreenSize();
    *rect = g_hasClip ? g_clip : RECT{0, 0, s.cx, s.cy};
    return TRUE;
}

UINT GetDoubleClickTime() { return 500; }
BOOL SwapMouseButton(BOOL) { return FALSE; }

// ---- keys ----

SHORT GetKeyState(int vk)
{
    BYTE k = St().keys[vk & 0xFF];
    return SHORT(((k & 0x80) ? 0xFF80 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int vk)
{
    return SHORT((g_async[vk & 0xFF].load() & 0x80) ? 0x8000 : 0);
}

BOOL GetKeyboardState(BYTE* state)
{
    if (!state)
        return FALSE;
    std::copy_n(St().keys, 256, state);
    return TRUE;
}

int GetKeyNameTextW(LONG lParam, LPWSTR buf, int size)
{
    if (!buf || size <= 0)
        return 0;
    UINT vk = (DWORD(lParam) >> 16) & 0xFF;
    bool ext = (lParam & KF_EXTENDED_BIT) != 0;
    std::wstring name;
    static const wchar_t* navDigits[] = {L"Num 9", L"Num 3", L"Num 1", L"Num 7", L"Num 4", L"Num 8", L"Num 6", L"Num 2"};
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        name = L"Num " + std::to_wstring(vk - VK_NUMPAD0);
    else if (vk == VK_MULTIPLY) name = L"Num *";
    else if (vk == VK_ADD) name = L"Num +";
    else if (vk == VK_SUBTRACT) name = L"Num -";
    else if (vk == VK_DECIMAL) name = L"Num Del";
    else if (vk == VK_DIVIDE) name = L"Num /";
    else if (vk == VK_RETURN) name = ext ? L"Num Enter" : L"Enter";
    else if (vk >= VK_PRIOR && vk <= VK_DOWN && !ext) name = navDigits[vk - VK_PRIOR];
    else if (vk == VK_INSERT) name = ext ? L"Insert" : L"Num 0";
    else if (vk == VK_DELETE) name = ext ? L"Delete" : L"Num Del";
    else if (vk == VK_CLEAR) name = L"Num 5";
    else if (vk >= VK_PRIOR && vk <= VK_DOWN) {
        static const wchar_t* nav[] = {L"Page Up", L"Page Down", L"End", L"Home", L"Left", L"Up", L"Right", L"Down"};
        name = nav[vk - VK_PRIOR];
    } else if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) name = std::wstring(1, wchar_t(vk));
    else if (vk >= VK_F1 && vk <= VK_F12) name = L"F" + std::to_wstring(vk - VK_F1 + 1);
    else if (vk == VK_ESCAPE) name = L"Esc";
    else if (vk == VK_BACK) name = L"Backspace";
    else if (vk == VK_TAB) name = L"Tab";
    else if (vk == VK_SPACE) name = L"Space";
    else if (vk == VK_SHIFT || vk == VK_LSHIFT || vk == VK_RSHIFT) name = L"Shift";
    else if (vk == VK_CONTROL || vk == VK_LCONTROL || vk == VK_RCONTROL) name = L"Ctrl";
    else if (vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU) name = L"Alt";
    int n = std::min<int>(int(name.size()), size - 1);
    std::copy_n(name.begin(), n, buf);
    buf[n] = 0;
    return n;
}

// ---- cursor shape ----

HCURSOR SetCursor(HCURSOR cursor)
{
    InputState& s = St();
    HCURSOR old = s.cursor;
    s.cursor = cursor;
    if (old != cursor)
        AfxGetHost()->SetCursorShape(cursor);
    return old;
}

HCURSOR GetCursor() { return St().cursor; }

void AfxDoWaitCursor(int nCode)
{
    InputState& s = St();
    HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    if (nCode > 0) {
        if (s.waitCount++ == 0)
            s.beforeWait = s.cursor;
        SetCursor(wait);
    } else if (nCode < 0) {
        if (s.waitCount > 0 && --s.waitCount == 0)
            SetCursor(s.beforeWait ? s.beforeWait : LoadCursorW(nullptr, IDC_ARROW));
    } else if (s.waitCount > 0) {
        SetCursor(wait);
    }
}

namespace ui {
bool WaitCursorShown() { return St().waitCount > 0; }
}  // namespace ui

int ShowCursor(BOOL show)
{
    static int count = 0;
    return show ? ++count : --count;
}

namespace ui {
void ApplyCursorForClass(Wnd* w)
{
    SetCursor(w->cls->cursor);
}
}  // namespace ui

// ---- caret ----

BOOL CreateCaret(HWND hwnd, HBITMAP, int width, int height)
{
    if (!Find(hwnd))
        return FALSE;
    DestroyCaret();
    Caret& c = St().caret;
    c.owner = hwnd;
    c.width = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
    c.height = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
    c.hideCount = 1;
    c.drawn = false;
    return TRUE;
}

BOOL DestroyCaret()
{
    Caret& c = St().caret;
    if (!c.owner)
        return FALSE;
    CaretErase();
    c = Caret{};
    return TRUE;
}

BOOL ShowCaret(HWND hwnd)
{
    Caret& c = St().caret;
    if (!c.owner || (hwnd && hwnd != c.owner))
        return FALSE;
    if (c.hideCount > 0 && --c.hideCount == 0)
        CaretDraw();
    return TRUE;
}

BOOL HideCaret(HWND hwnd)
{
    Caret& c = St().caret;
    if (!c.owner || (hwnd && hwnd != c.owner))
        return FALSE;
    if (c.hideCount++ == 0)
        CaretErase();
    return TRUE;
}

BOOL SetCaretPos(int x, int y)
{
    Caret& c = St().caret;
    if (!c.owner)
        return FALSE;
    CaretErase();
    c.pos = POINT{x, y};
    CaretDraw();
    CaretToHost();
    return TRUE;
}

BOOL GetCaretPos(LPPOINT pt)
{
    if (!pt)
        return FALSE;
    *pt = St().caret.pos;
    return TRUE;
}

UINT GetCaretBlinkTime() { return 530; }
