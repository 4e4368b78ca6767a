// DefWindowProc: the default answers and actions of every window, as Win32 gives them.
#include "platform/ui/core/Host.h"
#include "platform/ui/core/detail/WndData.h"

#include "platform/gdi/DC.h"

#include <algorithm>

namespace ui {
void DefaultNcCalcSize(Wnd* w, RECT& r);
}

using namespace ui;

namespace {

HBRUSH ClassBrush(const Wnd* w)
{
    HBRUSH b = w->cls->background;
    auto v = reinterpret_cast<UINT_PTR>(b);
    if (b && v <= UINT_PTR(COLOR_MENUBAR + 1))
        return GetSysColorBrush(int(v) - 1);  // (HBRUSH)(COLOR_xxx + 1)
    return b;
}

LRESULT SetCursorDefault(Wnd* w, WPARAM wParam, LPARAM lParam)
{
    HWND h = w->handle;
    int hit = SHORT(LOWORD(lParam));
    if (WaitCursorShown()) {
        AfxDoWaitCursor(0);
        return TRUE;
    }
    if (w->IsChild()) {
        if (Send(w->parent, WM_SETCURSOR, wParam, lParam))
            return TRUE;
        if (!(w = Find(h)))
            return TRUE;
    }
    switch (hit) {
    case HTCLIENT:
        if (w->cls->cursor)
            SetCursor(w->cls->cursor);
        return FALSE;
    case HTLEFT:
    case HTRIGHT: SetCursor(LoadCursorW(nullptr, IDC_SIZEWE)); return TRUE;
    case HTTOP:
    case HTBOTTOM: SetCursor(LoadCursorW(nullptr, IDC_SIZENS)); return TRUE;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: SetCursor(LoadCursorW(nullptr, IDC_SIZENWSE)); return TRUE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: SetCursor(LoadCursorW(nullptr, IDC_SIZENESW)); return TRUE;
    case HTERROR:
        if (HIWORD(lParam) == WM_LBUTTONDOWN || HIWORD(lParam) == WM_RBUTTONDOWN)
            MessageBeep(0);
        return FALSE;
    default: SetCursor(LoadCursorW(nullptr, IDC_ARROW)); return FALSE;
    }
}

HBRUSH CtlColor(UINT msg, HDC hdc)
{
    bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    ::SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(hdc, GetSysColor(window ? COLOR_WINDOW : COLOR_3DFACE));
    if (msg == WM_CTLCOLORSCROLLBAR)
        return GetSysColorBrush(COLOR_SCROLLBAR);
    return GetSysColorBrush(window ? COLOR_WINDOW : COLOR_3DFACE);
}

}  // namespace

LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Wnd* w = Find(hwnd);
    if (!w)
        return 0;
    switch (msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
            w->text = cs->lpszName;
        return TRUE;
    }
    case WM_NCCALCSIZE:
        if (lParam) {
            RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
            DefaultNcCalcSize(w, *r);
        }
        return 0;
    case WM_NCHITTEST:
        return DefaultHitTest(w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT: {
        HDC dc = GetDCEx(hwnd, nullptr, DCX_WINDOW);
        if (dc) {
            if ((w = Find(hwnd)) != nullptr)
                DrawNonClient(w, dc);
            ReleaseDC(hwnd, dc);
        }
        return 0;
    }
    case WM_NCACTIVATE:
        w->captionActive = wParam != 0;
        if ((w->style & WS_CAPTION) == WS_CAPTION && IsVisibleChain(w)) {
            w->ncDirty = false;
            Send(w, WM_NCPAINT, 1, 0);
        }
        return TRUE;
    case WM_ERASEBKGND: {
        HBRUSH b = ClassBrush(w);
        if (!b)
            return 0;
        RECT r{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
        CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        if (!dc)
            return 0;
        dc->FillRect(&r, CBrush::FromHandle(b));
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SETTEXT: {
        auto text = reinterpret_cast<LPCWSTR>(lParam);
        w->text = text ? text : L"";
        if ((w->style & WS_CAPTION) == WS_CAPTION) {
            w->ncDirty = true;
            if (IsVisibleChain(w)) {
                w->ncDirty = false;
                Send(w, WM_NCPAINT, 1, 0);
            }
        }
        if ((w = Find(hwnd)) != nullptr && w->IsTopLevel())
            AfxGetHost()->TopLevelTextChanged(hwnd);
        return TRUE;
    }
    case WM_GETTEXT: {
        auto* buf = reinterpret_cast<LPWSTR>(lParam);
        int max = int(wParam);
        if (!buf || max <= 0)
            return 0;
        int n = std::min<int>(int(w->text.size()), max - 1);
        std::copy_n(w->text.begin(), n, buf);
        buf[n] = 0;
        return n;
    }
    case WM_GETTEXTLENGTH:
        return LRESULT(w->text.size());
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            if (!(w->cls->style & CS_NOCLOSE))
                Send(w, WM_CLOSE, 0, 0);
            return 0;
        case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
        case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); return 0;
        case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
        default: return 0;
        }
    case WM_SETCURSOR:
        return SetCursorDefault(w, wParam, lParam);
    case WM_MOUSEACTIVATE:
        if (w->IsChild()) {
            LRESULT r = Send(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (r)
                return r;
        }
        return MA_ACTIVATE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
            SetFocus(hwnd);
        return 0;
    case WM_WINDOWPOSCHANGED: {
        auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!wp)
            return 0;
        if (!(wp->flags & SWP_NOMOVE))
            Send(w, WM_MOVE, 0, MAKELPARAM(WORD(SHORT(w->rect.left + w->client.left)), WORD(SHORT(w->rect.top + w->client.top))));
        if ((w = Find(hwnd)) != nullptr && (!(wp->flags & SWP_NOSIZE) || (wp->flags & SWP_FRAMECHANGED))) {
            WPARAM kind = w->maximized ? SIZE_MAXIMIZED : w->minimized ? SIZE_MINIMIZED : SIZE_RESTORED;
            Send(w, WM_SIZE, kind, MAKELPARAM(WORD(w->client.right - w->client.left), WORD(w->client.bottom - w->client.top)));
        }
        return 0;
    }
    case WM_NCLBUTTONDOWN: {
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        int hit = int(wParam);
        if (hit == HTVSCROLL || hit == HTHSCROLL) {
            TrackScrollBar(w, hit, pt);
        } else if (hit == HTCLOSE) {
            TrackSystemButton(w, hit);
        } else if (w->IsTopLevel() && (hit == HTCAPTION || (hit >= HTLEFT && hit <= HTBOTTOMRIGHT))) {
            if (GetActiveWindow() != hwnd)
                SetActiveWindow(hwnd);
            AfxGetHost()->BeginMoveResize(hwnd, hit, pt);
        }
        return 0;
    }
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION && w->IsTopLevel() && (w->style & WS_MAXIMIZEBOX))
            ShowWindow(hwnd, w->maximized ? SW_RESTORE : SW_MAXIMIZE);
        return 0;
    case WM_RBUTTONUP: {
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd, &pt);
        Send(w, WM_CONTEXTMENU, WPARAM(hwnd), MAKELPARAM(WORD(SHORT(pt.x)), WORD(SHORT(pt.y))));
        return 0;
    }
    case WM_NCRBUTTONUP:
        Send(w, WM_CONTEXTMENU, WPARAM(hwnd), lParam);
        return 0;
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
        if (w->IsChild())
            return Send(w->parent, msg, wParam, lParam);  // passed up until someone handles it
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == WPARAM(VK_F4) && (lParam & KF_ALTDOWN_BIT))
            if (Wnd* top = TopLevelOf(w))
                Send(top, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSKEYUP:
        // Alt or F10 pressed and released alone: the keyboard opens the window's menu.
        if ((wParam == WPARAM(VK_MENU) || wParam == WPARAM(VK_F10)) && LastKeyDown() == UINT(wParam))
            Send(TopLevelOf(w), WM_SYSCOMMAND, SC_KEYMENU, 0);
        return 0;
    case WM_SYSCHAR:
        // Alt with a character: the menu item with that mnemonic.
        if (wParam != WPARAM(VK_ESCAPE))
            Send(TopLevelOf(w), WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wParam));
        return 0;
    case WM_IME_CHAR:
        Send(w, WM_CHAR, wParam, lParam);
        return 0;
    case WM_SETREDRAW:
        w->redrawOff = !wParam;
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(CtlColor(msg, reinterpret_cast<HDC>(wParam)));
    default:
        return 0;
    }
}

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!proc)
        return 0;
    return proc(hwnd, msg, wParam, lParam);
}

BOOL MessageBeep(UINT type)
{
    AfxGetHost()->Beep(type);
    return TRUE;
}

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    // While the question is open, the owner's windows take no mouse or keyboard input.
    HWND top = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    bool disabled = top && IsWindowEnabled(top);
    HWND capture = GetCapture();
    if (capture)
        ReleaseCapture();
    if (disabled)
        EnableWindow(top, FALSE);
    int r = AfxGetHost()->MessageBox(top, text ? text : L"", caption ? caption : L"Error", type);
    if (disabled && IsWindow(top))
        EnableWindow(top, TRUE);
    return r;
}
