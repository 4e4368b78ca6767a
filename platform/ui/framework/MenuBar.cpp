// The menu bar of a window: a strip at the top of its client area showing the window's menu,
// opened with the mouse, with Alt+letter, F10 or Alt alone; also LoadMenu and system menus.
#include "platform/base/ResourceTables.h"
#include "platform/gdi/DC.h"
#include "platform/ui/framework/detail/MenuData.h"
#include "platform/ui/framework/detail/MenuTrack.h"
#include "platform/ui/core/detail/WndData.h"

#include <cwctype>
#include <map>

namespace ui {
namespace {

constexpr int kBarHeight = 20;
constexpr int kSysItemWidth = 22;

std::map<HWND, HWND>& Bars()
{
    static auto* bars = new std::map<HWND, HWND>;
    return *bars;
}

std::map<HWND, HMENU>& SystemMenus()
{
    static auto* menus = new std::map<HWND, HMENU>;
    return *menus;
}

HWND FrameOfBar(HWND bar) { return GetParent(bar); }

// The item under the mouse while no menu is open (drawn raised), kept in the bar's user data
// as index + 1 so that 0 means none.
int HotItem(HWND bar) { return int(GetWindowLongPtrW(bar, GWLP_USERDATA)) - 1; }

void SetHotItem(HWND bar, int index)
{
    if (index == HotItem(bar))
        return;
    SetWindowLongPtrW(bar, GWLP_USERDATA, LONG_PTR(index + 1));
    InvalidateRect(bar, nullptr, FALSE);
}

bool IsSystemItem(const MenuEntry& e)
{
    MenuData* sub = e.sub ? FindMenu(e.sub) : nullptr;
    return sub && sub->systemOf;
}

// The window whose system menu sits at position 0 of the bar (a maximized MDI child), or null.
HWND MaximizedChildOf(HWND bar)
{
    MenuData* m = FindMenu(GetMenu(GetParent(bar)));
    if (!m || m->items.empty() || !m->items[0].sub)
        return nullptr;
    MenuData* sub = FindMenu(m->items[0].sub);
    return sub && sub->systemOf && IsWindow(sub->systemOf) ? sub->systemOf : nullptr;
}

// The minimize, restore and close buttons of a maximized MDI child at the right end of the bar.
constexpr UINT kChildButtons[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
RECT ChildButtonRect(HWND bar, int i)
{
    RECT c;
    GetClientRect(bar, &c);
    int right = c.right - 2 - (2 - i) * 18;
    return RECT{right - 16, 2, right, kBarHeight - 3};
}

void PaintChildButtons(HWND bar, HDC hdc)
{
    static const wchar_t* glyphs[] = {L"_", L"\x2750", L"\x00D7"};
    for (int i = 0; i < 3; ++i) {
        RECT r = ChildButtonRect(bar, i);
        FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT);
        SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
        DrawTextW(hdc, glyphs[i], -1, &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    }
}

void PaintBar(HWND bar, HDC hdc)
{
    RECT client;
    GetClientRect(bar, &client);
    FillRect(hdc, &client, GetSysColorBrush(COLOR_MENU));
    HMENU menu = GetMenu(FrameOfBar(bar));
    MenuData* m = FindMenu(menu);
    if (!m)
        return;
    MenuTracker* t = MenuTracker::Active();
    int sel = -1;
    if (t && t->BarSelection() >= 0 && Bars().count(FrameOfBar(bar)) && Bars()[FrameOfBar(bar)] == bar)
        sel = t->BarSelection();
    int hot = t ? -1 : HotItem(bar);
    HGDIOBJ oldFont = SelectObject(hdc, MenuFont());
    SetBkMode(hdc, TRANSPARENT);
    for (size_t i = 0; i < m->items.size(); ++i) {
        const MenuEntry& e = m->items[i];
        RECT r = BarItemRect(bar, int(i));
        if (int(i) == sel)
            FillRect(hdc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        else if (int(i) == hot && !e.IsDisabled())
            DrawEdge(hdc, &r, BDR_RAISEDINNER, BF_RECT);
        if (IsSystemItem(e)) {
            // The system menu of a maximized MDI child: a small window symbol.
            RECT box{r.left + 5, r.top + 4, r.right - 5, r.bottom - 4};
            FrameRect(hdc, &box, GetSysColorBrush(COLOR_MENUTEXT));
            continue;
        }
        SetTextColor(hdc, e.IsDisabled() ? GetSysColor(COLOR_GRAYTEXT)
                                         : GetSysColor(int(i) == sel ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
        DrawTextW(hdc, e.text.c_str(), int(e.text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    if (MaximizedChildOf(bar))
        PaintChildButtons(bar, hdc);
    SelectObject(hdc, oldFont);
}

LRESULT CALLBACK_BarProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        PaintBar(h, dc);
        EndPaint(h, &ps);
        return 0;
    }
    case WM_MOUSEACTIVATE:
        return MA_ACTIVATE;
    case WM_MOUSEMOVE: {
        if (MenuTracker::Active())
            return 0;
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        int i = BarItemAt(h, pt);
        if (i >= 0 && HotItem(h) < 0) {
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, h, 0};
            TrackMouseEvent(&tme);
        }
        SetHotItem(h, i);
        return 0;
    }
    case WM_MOUSELEAVE:
        SetHotItem(h, -1);
        return 0;
    case WM_LBUTTONDOWN: {
        SetHotItem(h, -1);  // the open item is drawn selected instead
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (HWND child = MaximizedChildOf(h)) {
            for (int b = 0; b < 3; ++b) {
                RECT r = ChildButtonRect(h, b);
                if (PtInRect(&r, pt)) {
                    PostMessageW(child, WM_SYSCOMMAND, kChildButtons[b], 0);
                    return 0;
                }
            }
        }
        int i = BarItemAt(h, pt);
        if (i >= 0)
            TrackMenuBar(FrameOfBar(h), i, true, false);
        return 0;
    }
    default:
        return DefWindowProcW(h, msg, wParam, lParam);
    }
}

LPCWSTR BarClass()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = CALLBACK_BarProc;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"TvxMenuBar";
        RegisterClassW(&wc);
        registered = true;
    }
    return L"TvxMenuBar";
}

void PlaceBar(HWND frame, HWND bar)
{
    RECT c;
    GetClientRect(frame, &c);
    SetWindowPos(bar, HWND_TOP, 0, 0, c.right - c.left, kBarHeight, SWP_NOACTIVATE);
}

HMENU BuildMenu(const std::vector<MenuItem>& items, bool popup, int depth)
{
    HMENU m = popup ? CreatePopupMenu() : CreateMenu();
    if (depth > 16)
        return m;
    for (const MenuItem& it : items) {
        UINT flags = it.flags & (kMenuGrayed | kMenuDisabled | kMenuChecked | kMenuBarBreak | kMenuBreak |
                                 kMenuSeparator | kMenuDefault | kMenuHelp);
        if ((it.flags & kMenuPopup) || !it.children.empty()) {
            HMENU sub = BuildMenu(it.children, true, depth + 1);
            AppendMenuW(m, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), it.text.c_str());
        } else if (it.flags & kMenuSeparator) {
            AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(m, flags, it.id, it.text.c_str());
        }
    }
    return m;
}

}  // namespace

RECT BarItemRect(HWND bar, int index)
{
    RECT none{0, 0, 0, 0};
    MenuData* m = FindMenu(GetMenu(FrameOfBar(bar)));
    if (!m || index < 0 || size_t(index) >= m->items.size())
        return none;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, MenuFont());
    // Items from the first right-justified one on (the help menu) sit at the right end of the
    // bar, left of a maximized child's buttons, when there is room for them.
    int x = 0;
    int rightFrom = -1;
    RECT r = none;
    for (size_t i = 0; i < m->items.size(); ++i) {
        const MenuEntry& e = m->items[i];
        if (rightFrom < 0 && (e.flags & MF_RIGHTJUSTIFY))
            rightFrom = int(i);
        if (int(i) > index && rightFrom < 0)
            break;
        int w = IsSystemItem(e) ? kSysItemWidth : int(MeasureMenuText(dc, e.text).cx) + 14;
        if (int(i) == index)
            r = RECT{x, 0, x + w, kBarHeight - 1};
        x += w;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    if (rightFrom >= 0 && index >= rightFrom) {
        RECT c;
        GetClientRect(bar, &c);
        int right = MaximizedChildOf(bar) ? ChildButtonRect(bar, 0).left - 2 : c.right;
        int shift = right - x;
        if (shift > 0) {
            r.left += shift;
            r.right += shift;
        }
    }
    return r;
}

int BarItemAt(HWND bar, POINT client)
{
    MenuData* m = FindMenu(GetMenu(FrameOfBar(bar)));
    if (!m)
        return -1;
    for (size_t i = 0; i < m->items.size(); ++i) {
        RECT r = BarItemRect(bar, int(i));
        if (PtInRect(&r, client))
            return int(i);
    }
    return -1;
}

HWND MenuBarWindowOf(HWND frame)
{
    auto it = Bars().find(frame);
    if (it == Bars().end())
        return nullptr;
    if (!IsWindow(it->second)) {
        Bars().erase(it);
        return nullptr;
    }
    return it->second;
}

int MenuBarHeight(HWND frame)
{
    HWND bar = MenuBarWindowOf(frame);
    return bar && (GetWindowLong(bar, GWL_STYLE) & WS_VISIBLE) ? kBarHeight : 0;
}

void RedrawMenuBar(HWND frame)
{
    if (HWND bar = MenuBarWindowOf(frame))
        InvalidateRect(bar, nullptr, FALSE);
}

void TrackMenuBar(HWND frame, int index, bool openPopup, bool keyboard)
{
    HMENU menu = GetMenu(frame);
    HWND bar = MenuBarWindowOf(frame);
    if (!FindMenu(menu) || !bar || MenuTracker::Active())
        return;
    MenuTracker t(frame, 0);
    t.AttachBar(bar, menu);
    SendMessageW(frame, WM_ENTERMENULOOP, FALSE, 0);
    SendMessageW(frame, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    // Run sets the tracker active; the first item opens inside the loop's first pass.
    t.OpenBarItem(index, openPopup, keyboard);
    UINT cmd = t.Run();
    SendMessageW(frame, WM_EXITMENULOOP, FALSE, 0);
    if (cmd) {
        if (HWND sys = t.ResultSystemWindow())
            PostMessageW(sys, WM_SYSCOMMAND, cmd, 0);
        else
            PostMessageW(frame, WM_COMMAND, MAKEWPARAM(WORD(cmd), 0), 0);
    }
}

bool MenuBarKey(HWND frame, const MSG* msg)
{
    static bool altAlone = false;
    HMENU menu = GetMenu(frame);
    if (!FindMenu(menu) || !MenuBarWindowOf(frame) || MenuTracker::Active()) {
        altAlone = false;
        return false;
    }
    switch (msg->message) {
    case WM_SYSKEYDOWN:
        if (msg->wParam == VK_MENU) {
            altAlone = (msg->lParam & 0x40000000) == 0;  // not an auto-repeat
            return false;
        }
        altAlone = false;
        if (msg->wParam == VK_F10 && GetKeyState(VK_SHIFT) >= 0) {
            TrackMenuBar(frame, 0, false, true);
            return true;
        }
        return false;
    case WM_SYSKEYUP:
        if (msg->wParam == VK_MENU && altAlone) {
            altAlone = false;
            TrackMenuBar(frame, 0, false, true);
            return true;
        }
        return false;
    case WM_SYSCHAR: {
        altAlone = false;
        wchar_t ch = wchar_t(towupper(wchar_t(msg->wParam)));
        MenuData* m = FindMenu(menu);
        for (size_t i = 0; i < m->items.size(); ++i) {
            int mi = MnemonicIndex(m->items[i].text);
            if (mi >= 0 && wchar_t(towupper(m->items[i].text[size_t(mi)])) == ch) {
                TrackMenuBar(frame, int(i), true, true);
                return true;
            }
        }
        return false;
    }
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        altAlone = false;
        return false;
    default:
        return false;
    }
}

}  // namespace ui

using namespace ui;

HMENU LoadMenuW(HINSTANCE, LPCWSTR name)
{
    if (!IS_INTRESOURCE(name))
        return nullptr;
    const ResourceFinder& f = AfxGetResourceFinder();
    const MenuTemplate* t = f.findMenu ? f.findMenu(UINT(reinterpret_cast<UINT_PTR>(name))) : nullptr;
    if (!t)
        return nullptr;
    return BuildMenu(t->items, false, 0);
}

BOOL SetMenu(HWND hwnd, HMENU menu)
{
    Wnd* w = Find(hwnd);
    if (!w || (menu && !FindMenu(menu)) || (w->style & WS_CHILD))
        return FALSE;
    w->menu = menu;
    HWND bar = MenuBarWindowOf(hwnd);
    if (menu && !bar) {
        bar = CreateWindowExW(0, BarClass(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 10, kBarHeight, hwnd,
                              reinterpret_cast<HMENU>(UINT_PTR(0xE8FE)), nullptr, nullptr);
        Bars()[hwnd] = bar;
    } else if (!menu && bar) {
        Bars().erase(hwnd);
        DestroyWindow(bar);
        bar = nullptr;
    }
    if (bar) {
        PlaceBar(hwnd, bar);
        InvalidateRect(bar, nullptr, FALSE);
    }
    // The client area left to the window's children changed: let it lay them out again.
    RECT c;
    GetClientRect(hwnd, &c);
    SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(WORD(c.right), WORD(c.bottom)));
    return TRUE;
}

HMENU GetMenu(HWND hwnd)
{
    Wnd* w = Find(hwnd);
    if (!w || (w->style & WS_CHILD))
        return nullptr;
    return w->menu;
}

BOOL DrawMenuBar(HWND hwnd)
{
    HWND bar = MenuBarWindowOf(hwnd);
    if (!bar)
        return FALSE;
    PlaceBar(hwnd, bar);
    InvalidateRect(bar, nullptr, FALSE);
    return TRUE;
}

namespace ui {

void ForgetWindowMenus(HWND h)
{
    auto it = SystemMenus().find(h);
    if (it != SystemMenus().end()) {
        DestroyMenu(it->second); // no-op when a destroyed menu bar took it along
        SystemMenus().erase(it);
    }
}

size_t KeptWindowMenuCount() { return SystemMenus().size(); }

} // namespace ui

HMENU GetSystemMenu(HWND hwnd, BOOL bRevert)
{
    auto it = SystemMenus().find(hwnd);
    if (bRevert) {
        if (it != SystemMenus().end()) {
            DestroyMenu(it->second);
            SystemMenus().erase(it);
        }
        return nullptr;
    }
    if (it != SystemMenus().end() && IsMenu(it->second))
        return it->second;
    if (!IsWindow(hwnd))
        return nullptr;
    HMENU m = CreatePopupMenu();
    bool child = (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) != 0;
    AppendMenuW(m, MF_STRING, SC_RESTORE, L"&Restore");
    AppendMenuW(m, MF_STRING, SC_MOVE, L"&Move");
    AppendMenuW(m, MF_STRING, SC_SIZE, L"&Size");
    AppendMenuW(m, MF_STRING, SC_MINIMIZE, L"Mi&nimize");
    AppendMenuW(m, MF_STRING, SC_MAXIMIZE, L"Ma&ximize");
    AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(m, MF_STRING, SC_CLOSE, child ? L"&Close\tCtrl+F4" : L"&Close\tAlt+F4");
    FindMenu(m)->systemOf = hwnd;
    SystemMenus()[hwnd] = m;
    return m;
}
