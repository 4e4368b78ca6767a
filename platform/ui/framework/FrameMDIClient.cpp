// The MDI client window: activation, maximizing (the active child's system menu then sits at
// position 0 of the frame's menu bar), cascade and tile, and the window list of the Window menu.
#include "platform/ui/framework/detail/FrameMDIClient.h"

#include "platform/gdi/DC.h"
#include "platform/ui/framework/AppIds.h"
#include "platform/ui/framework/Frame.h"
#include "platform/ui/framework/detail/MenuData.h"
#include "platform/ui/core/detail/WndData.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace ui {
namespace {

struct ClientState {
    HWND self = nullptr;
    std::vector<HWND> children;  // creation order (the numbering of the Window menu)
    HWND active = nullptr;
    bool maximized = false;
    HMENU frameMenu = nullptr;   // the menu bar the frame shows
    HMENU windowMenu = nullptr;  // the popup that lists the children
    HMENU sysInserted = nullptr; // the child system menu placed at position 0 of frameMenu
};

std::map<HWND, std::unique_ptr<ClientState>>& States()
{
    static auto* s = new std::map<HWND, std::unique_ptr<ClientState>>;
    return *s;
}

ClientState* StateOf(HWND client)
{
    auto it = States().find(client);
    return it == States().end() ? nullptr : it->second.get();
}

void Prune(ClientState& s)
{
    s.children.erase(std::remove_if(s.children.begin(), s.children.end(), [](HWND h) { return !IsWindow(h); }),
                     s.children.end());
    if (s.active && !IsWindow(s.active))
        s.active = nullptr;
}

HWND FrameOf(ClientState& s) { return GetParent(s.self); }

// ---- the maximized child's system menu in the frame's menu bar ----

void RemoveSysItem(ClientState& s)
{
    if (s.sysInserted && s.frameMenu && IsMenu(s.frameMenu) && GetSubMenu(s.frameMenu, 0) == s.sysInserted)
        RemoveMenu(s.frameMenu, 0, MF_BYPOSITION);
    s.sysInserted = nullptr;
}

void SyncSysItem(ClientState& s)
{
    HMENU wanted = (s.maximized && s.active && IsWindow(s.active)) ? GetSystemMenu(s.active, FALSE) : nullptr;
    if (wanted == s.sysInserted)
        return;
    RemoveSysItem(s);
    if (wanted && s.frameMenu && IsMenu(s.frameMenu)) {
        InsertMenuW(s.frameMenu, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(wanted), L"");
        s.sysInserted = wanted;
    }
    DrawMenuBar(FrameOf(s));
}

// ---- the Window menu list ----

void RefreshWindowMenu(ClientState& s)
{
    Prune(s);
    HMENU menu = s.windowMenu;
    if (!menu || !IsMenu(menu))
        return;
    // Drop the entries of the list and the separator before them.
    int count = GetMenuItemCount(menu);
    for (int i = count - 1; i >= 0; --i) {
        UINT id = GetMenuItemID(menu, i);
        if (id != UINT(-1) && id >= AFX_IDM_FIRST_MDICHILD && id < AFX_IDM_FIRST_MDICHILD + 0x100)
            DeleteMenu(menu, UINT(i), MF_BYPOSITION);
    }
    count = GetMenuItemCount(menu);
    if (count > 0 && (GetMenuState(menu, UINT(count - 1), MF_BYPOSITION) & MF_SEPARATOR) &&
        GetMenuItemID(menu, count - 1) == 0)
        DeleteMenu(menu, UINT(count - 1), MF_BYPOSITION);
    std::vector<HWND> shown;
    for (HWND h : s.children)
        if (GetWindowLong(h, GWL_STYLE) & WS_VISIBLE)
            shown.push_back(h);
    if (shown.empty())
        return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    for (size_t i = 0; i < shown.size() && i < 9; ++i) {
        wchar_t title[256] = {};
        GetWindowTextW(shown[i], title, 256);
        std::wstring text = L"&" + std::to_wstring(i + 1) + L" " + title;
        AppendMenuW(menu, MF_STRING | (shown[i] == s.active ? MF_CHECKED : 0), AFX_IDM_FIRST_MDICHILD + UINT(i),
                    text.c_str());
    }
}

// ---- placing children ----

RECT ClientArea(ClientState& s)
{
    RECT r;
    GetClientRect(s.self, &r);
    return r;
}

// The window rectangle that puts the child's client area over the whole MDI client (its
// caption and borders outside, as a maximized document window shows no frame of its own).
RECT MaximizedRect(ClientState& s, HWND child)
{
    RECT area = ClientArea(s);
    RECT wr, cr;
    GetWindowRect(child, &wr);
    GetClientRect(child, &cr);
    POINT origin{0, 0};
    ClientToScreen(child, &origin);
    int left = origin.x - wr.left, top = origin.y - wr.top;
    int right = (wr.right - wr.left) - left - (cr.right - cr.left);
    int bottom = (wr.bottom - wr.top) - top - (cr.bottom - cr.top);
    return RECT{area.left - left, area.top - top, area.right + right, area.bottom + bottom};
}

void PlaceMaximized(ClientState& s, HWND child)
{
    Wnd* w = Find(child);
    if (!w)
        return;
    if (!w->maximized) {
        w->normalRect = w->rect;
        w->maximized = true;
        w->style |= WS_MAXIMIZE;
    }
    RECT r = MaximizedRect(s, child);
    SetWindowPos(child, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // The frame change may alter the borders: place once more with the final insets.
    r = MaximizedRect(s, child);
    SetWindowPos(child, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE);
}

void PlaceRestored(HWND child)
{
    Wnd* w = Find(child);
    if (!w || !w->maximized)
        return;
    w->maximized = false;
    w->style &= ~WS_MAXIMIZE;
    RECT r = w->normalRect;
    SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void Activate(ClientState& s, HWND child)
{
    Prune(s);
    if (child && std::find(s.children.begin(), s.children.end(), child) == s.children.end())
        return;
    HWND old = s.active;
    if (old == child) {
        if (child && !IsChild(child, GetFocus()) && GetFocus() != child)
            SetFocus(child);
        return;
    }
    s.active = child;
    if (child) {
        if (s.maximized) {
            if (old && IsWindow(old))
                PlaceRestored(old);
            PlaceMaximized(s, child);
        }
        SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (old && IsWindow(old)) {
        SendMessageW(old, WM_NCACTIVATE, FALSE, 0);
        SendMessageW(old, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
    }
    if (child) {
        SendMessageW(child, WM_NCACTIVATE, TRUE, 0);
        SendMessageW(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
        if (IsWindow(child) && s.active == child)
            SetFocus(child);
    }
    SyncSysItem(s);
    RefreshWindowMenu(s);
}

// The last child went: the frame shows its own menu again.
void NoChildLeft(ClientState& s)
{
    s.active = nullptr;
    s.maximized = false;
    HWND frame = FrameOf(s);
    if (auto* f = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(frame))) {
        HMENU def = f->m_hMenuDefault;
        if (def && IsMenu(def)) {
            auto* mdi = dynamic_cast<CMDIFrameWnd*>(f);
            HMENU window = mdi ? mdi->GetWindowMenuPopup(def) : nullptr;
            SendMessageW(s.self, WM_MDISETMENU, reinterpret_cast<WPARAM>(def), reinterpret_cast<LPARAM>(window));
        }
        f->OnUpdateFrameTitle(TRUE);
    }
    SyncSysItem(s);
    RefreshWindowMenu(s);
}

void ChildGone(ClientState& s, HWND child)
{
    bool wasActive = s.active == child;
    s.children.erase(std::remove(s.children.begin(), s.children.end(), child), s.children.end());
    if (wasActive) {
        s.active = nullptr;
        RemoveSysItem(s);
    }
    Prune(s);
    HWND next = nullptr;
    // The most recent other visible child becomes active.
    for (auto it = s.children.rbegin(); it != s.children.rend(); ++it)
        if (GetWindowLong(*it, GWL_STYLE) & WS_VISIBLE) {
            next = *it;
            break;
        }
    if (wasActive) {
        if (next)
            Activate(s, next);
        else
            NoChildLeft(s);
    } else {
        RefreshWindowMenu(s);
    }
}

void Cascade(ClientState& s)
{
    Prune(s);
    if (s.maximized && s.active)
        PlaceRestored(s.active);
    s.maximized = false;
    SyncSysItem(s);
    RECT area = ClientArea(s);
    int step = GetSystemMetrics(SM_CYCAPTION) + 4;
    int w = (area.right - area.left) * 3 / 4, h = (area.bottom - area.top) * 3 / 4;
    int i = 0;
    for (HWND c : s.children) {
        if (!(GetWindowLong(c, GWL_STYLE) & WS_VISIBLE) || IsIconic(c))
            continue;
        SetWindowPos(c, nullptr, i * step, i * step, std::max(w, 100), std::max(h, 60), SWP_NOACTIVATE | SWP_NOZORDER);
        ++i;
    }
    if (s.active)
        SetWindowPos(s.active, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Tile(ClientState& s, UINT how)
{
    Prune(s);
    if (s.maximized && s.active)
        PlaceRestored(s.active);
    s.maximized = false;
    SyncSysItem(s);
    std::vector<HWND> list;
    for (HWND c : s.children)
        if ((GetWindowLong(c, GWL_STYLE) & WS_VISIBLE) && !IsIconic(c))
            list.push_back(c);
    if (list.empty())
        return;
    RECT area = ClientArea(s);
    int n = int(list.size());
    int W = area.right - area.left, H = area.bottom - area.top;
    // Up to three windows: one row (vertical) or one column (horizontal); more make a grid.
    int cols, rows;
    if (n <= 3) {
        cols = (how & MDITILE_HORIZONTAL) ? 1 : n;
        rows = (how & MDITILE_HORIZONTAL) ? n : 1;
    } else {
        cols = int(std::ceil(std::sqrt(double(n))));
        rows = (n + cols - 1) / cols;
        if (how & MDITILE_HORIZONTAL)
            std::swap(cols, rows);
    }
    for (int i = 0; i < n; ++i) {
        int r = (how & MDITILE_HORIZONTAL) ? i % rows : i / cols;
        int c = (how & MDITILE_HORIZONTAL) ? i / rows : i % cols;
        int x0 = W * c / cols, x1 = W * (c + 1) / cols;
        int y0 = H * r / rows, y1 = H * (r + 1) / rows;
        SetWindowPos(list[size_t(i)], nullptr, x0, y0, x1 - x0, y1 - y0, SWP_NOACTIVATE | SWP_NOZORDER);
    }
}

LRESULT CALLBACK_ClientProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ClientState* s = StateOf(h);
    switch (msg) {
    case WM_CREATE: {
        auto state = std::make_unique<ClientState>();
        state->self = h;
        auto* cs = reinterpret_cast<LPCREATESTRUCT>(lParam);
        if (cs && cs->lpCreateParams)
            state->windowMenu = *static_cast<HMENU*>(cs->lpCreateParams);
        state->frameMenu = GetMenu(GetParent(h));
        States()[h] = std::move(state);
        return 0;
    }
    case WM_NCDESTROY:
        if (s)
            RemoveSysItem(*s);
        States().erase(h);
        return DefWindowProcW(h, msg, wParam, lParam);
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(h, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_APPWORKSPACE));
        return 1;
    }
    case WM_SIZE:
        if (s && s->maximized && s->active && IsWindow(s->active))
            PlaceMaximized(*s, s->active);
        return 0;
    case WM_PARENTNOTIFY:
        if (s && LOWORD(wParam) == WM_DESTROY)
            ChildGone(*s, reinterpret_cast<HWND>(lParam));
        return 0;
    default:
        break;
    }
    if (!s)
        return DefWindowProcW(h, msg, wParam, lParam);
    switch (msg) {
    case WM_MDIACTIVATE:
        Activate(*s, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_MDIGETACTIVE:
        Prune(*s);
        if (lParam)
            *reinterpret_cast<BOOL*>(lParam) = s->maximized && s->active ? TRUE : FALSE;
        return reinterpret_cast<LRESULT>(s->active);
    case WM_MDIDESTROY:
        DestroyWindow(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_MDIMAXIMIZE: {
        HWND c = reinterpret_cast<HWND>(wParam);
        if (!IsWindow(c))
            return 0;
        s->maximized = true;
        if (s->active != c)
            Activate(*s, c);
        PlaceMaximized(*s, c);
        SyncSysItem(*s);
        if (auto* f = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(FrameOf(*s))))
            f->OnUpdateFrameTitle(TRUE);
        return 0;
    }
    case WM_MDIRESTORE: {
        HWND c = reinterpret_cast<HWND>(wParam);
        if (IsWindow(c))
            PlaceRestored(c);
        s->maximized = false;
        SyncSysItem(*s);
        if (auto* f = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(FrameOf(*s))))
            f->OnUpdateFrameTitle(TRUE);
        return 0;
    }
    case WM_MDINEXT: {
        Prune(*s);
        if (s->children.size() < 2)
            return 0;
        auto it = std::find(s->children.begin(), s->children.end(), s->active);
        size_t i = it == s->children.end() ? 0 : size_t(it - s->children.begin());
        size_t n = s->children.size();
        size_t next = lParam ? (i + n - 1) % n : (i + 1) % n;
        Activate(*s, s->children[next]);
        return 0;
    }
    case WM_MDICASCADE:
        Cascade(*s);
        return TRUE;
    case WM_MDITILE:
        Tile(*s, UINT(wParam));
        return TRUE;
    case WM_MDIICONARRANGE:
        return 0;
    case WM_MDISETMENU: {
        HMENU old = s->frameMenu;
        HMENU menu = reinterpret_cast<HMENU>(wParam);
        HMENU window = reinterpret_cast<HMENU>(lParam);
        if (menu && IsMenu(menu) && menu != s->frameMenu) {
            RemoveSysItem(*s);
            // The list leaves the old Window menu.
            HMENU oldWindow = s->windowMenu;
            s->windowMenu = nullptr;
            if (oldWindow && IsMenu(oldWindow)) {
                ClientState tmp;
                tmp.self = h;
                tmp.windowMenu = oldWindow;
                RefreshWindowMenu(tmp);
            }
            s->frameMenu = menu;
            SetMenu(FrameOf(*s), menu);
        }
        if (window)
            s->windowMenu = window;
        SyncSysItem(*s);
        RefreshWindowMenu(*s);
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_MDIREFRESHMENU:
        RefreshWindowMenu(*s);
        return reinterpret_cast<LRESULT>(s->frameMenu);
    default:
        return DefWindowProcW(h, msg, wParam, lParam);
    }
}

}  // namespace

LPCWSTR MdiClientClass()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = CALLBACK_ClientProc;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"MDICLIENT";
        RegisterClassW(&wc);
        registered = true;
    }
    return L"MDICLIENT";
}

void MdiAddChild(HWND client, HWND child)
{
    ClientState* s = StateOf(client);
    if (!s || std::find(s->children.begin(), s->children.end(), child) != s->children.end())
        return;
    s->children.push_back(child);
}

HWND MdiChildByIndex(HWND client, int index)
{
    ClientState* s = StateOf(client);
    if (!s || index < 0)
        return nullptr;
    Prune(*s);
    int i = 0;
    for (HWND h : s->children)
        if (GetWindowLong(h, GWL_STYLE) & WS_VISIBLE) {
            if (i == index)
                return h;
            ++i;
        }
    return nullptr;
}

RECT MdiDefaultChildRect(HWND client)
{
    ClientState* s = StateOf(client);
    RECT area{0, 0, 640, 480};
    if (s)
        area = ClientArea(*s);
    int n = s ? int(s->children.size()) % 8 : 0;
    int step = GetSystemMetrics(SM_CYCAPTION) + 4;
    int w = std::max(200, int(area.right - area.left) * 3 / 4);
    int h = std::max(120, int(area.bottom - area.top) * 3 / 4);
    return RECT{n * step, n * step, n * step + w, n * step + h};
}

}  // namespace ui
