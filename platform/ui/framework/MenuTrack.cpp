// Popup menus: the windows that show them and the modal loop that tracks the mouse and the
// keyboard while a menu (a popup or the menu bar) is open.
#include "platform/gdi/DC.h"
#include "platform/ui/framework/detail/MenuData.h"
#include "platform/ui/framework/detail/MenuTrack.h"

#include <algorithm>
#include <cwctype>

namespace ui {
namespace {

constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 8;
constexpr int kCheckArea = 22;
constexpr int kArrowArea = 20;
constexpr int kAccelGap = 24;

MenuTracker* g_active = nullptr;

std::wstring WithoutTab(const std::wstring& t, std::wstring* accel)
{
    size_t tab = t.find(L'\t');
    if (tab == std::wstring::npos) {
        if (accel)
            accel->clear();
        return t;
    }
    if (accel)
        *accel = t.substr(tab + 1);
    return t.substr(0, tab);
}

LRESULT CALLBACK_PopupProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        if (g_active)
            g_active->PaintPopup(h, dc);
        EndPaint(h, &ps);
        return 0;
    }
    default:
        return DefWindowProcW(h, msg, wParam, lParam);
    }
}

LPCWSTR PopupClass()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = CALLBACK_PopupProc;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"TvxMenuPopup";
        RegisterClassW(&wc);
        registered = true;
    }
    return L"TvxMenuPopup";
}

bool IsKeyMsg(UINT m) { return m == WM_KEYDOWN || m == WM_SYSKEYDOWN || m == WM_CHAR || m == WM_SYSCHAR || m == WM_KEYUP || m == WM_SYSKEYUP; }
bool IsMouseMsg(UINT m) { return (m >= WM_MOUSEMOVE && m <= WM_MBUTTONDBLCLK) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK); }

}  // namespace

MenuTracker* MenuTracker::Active() { return g_active; }

HFONT MenuFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

SIZE MeasureMenuText(HDC dc, const std::wstring& text)
{
    std::wstring accel;
    std::wstring main = WithoutTab(text, &accel);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, main.c_str(), int(main.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    SIZE s{r.right - r.left, r.bottom - r.top};
    if (!accel.empty()) {
        RECT a{0, 0, 0, 0};
        DrawTextW(dc, accel.c_str(), int(accel.size()), &a, DT_SINGLELINE | DT_CALCRECT);
        s.cx += kAccelGap + (a.right - a.left);
    }
    return s;
}

MenuTracker::MenuTracker(HWND owner, UINT flags) : m_owner(owner), m_flags(flags) {}

MenuTracker::~MenuTracker()
{
    CloseLevels(0);
    if (g_active == this)
        g_active = nullptr;
}

void MenuTracker::MeasureLevel(Level& lv)
{
    MenuData* m = FindMenu(lv.menu);
    lv.rects.clear();
    if (!m)
        return;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, MenuFont());
    int width = 80, y = 2;
    for (MenuEntry& e : m->items) {
        int h = kItemHeight, w = 0;
        if (e.IsSeparator()) {
            h = kSeparatorHeight;
        } else if (e.flags & MF_OWNERDRAW) {
            if (e.ownerWidth == 0 && e.ownerHeight == 0) {
                MEASUREITEMSTRUCT mi{ODT_MENU, 0, e.id, 0, 0, e.data};
                SendMessageW(m_owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi));
                e.ownerWidth = mi.itemWidth;
                e.ownerHeight = mi.itemHeight;
            }
            // Items the owner leaves unmeasured get the size of a text item.
            h = e.ownerHeight ? int(e.ownerHeight) : kItemHeight;
            w = int(e.ownerWidth) + kCheckArea;
        } else {
            w = kCheckArea + MeasureMenuText(dc, e.text).cx + kArrowArea;
        }
        width = std::max(width, w);
        lv.rects.push_back(RECT{2, y, 0, y + h});
        y += h;
    }
    for (RECT& r : lv.rects)
        r.right = 2 + width;
    lv.size = SIZE{width + 4, y + 2};
    SelectObject(dc, old);
    DeleteDC(dc);
}

void MenuTracker::OpenLevel(HMENU menu, POINT at, const RECT* exclude, bool fromBar)
{
    MenuData* m = FindMenu(menu);
    if (!m || int(m_levels.size()) >= 16)
        return;
    if (!(m_flags & TPM_NONOTIFY)) {
        MenuData* parent = m_levels.empty() ? nullptr : FindMenu(m_levels.back().menu);
        int index = 0;
        if (parent)
            index = m_levels.back().sel;
        else if (fromBar)
            index = m_barSel;
        SendMessageW(m_owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                     MAKELPARAM(WORD(index), WORD(m->systemOf ? 1 : 0)));
    }
    Level lv;
    lv.menu = menu;
    MeasureLevel(lv);
    SIZE screen = GetSystemMetrics(SM_CXSCREEN) > 0 ? SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}
                                                    : SIZE{1920, 1080};
    int x = at.x, y = at.y;
    if (m_levels.empty() && !fromBar) {
        if (m_flags & TPM_RIGHTALIGN)
            x -= lv.size.cx;
        else if (m_flags & TPM_CENTERALIGN)
            x -= lv.size.cx / 2;
        if (m_flags & TPM_BOTTOMALIGN)
            y -= lv.size.cy;
        else if (m_flags & TPM_VCENTERALIGN)
            y -= lv.size.cy / 2;
    }
    // Kept on the screen: flipped to the other side of the parent item when it would run off.
    if (x + lv.size.cx > screen.cx)
        x = exclude ? exclude->left - lv.size.cx : screen.cx - lv.size.cx;
    if (y + lv.size.cy > screen.cy)
        y = std::max(0, screen.cy - lv.size.cy);
    x = std::max(0, x);
    // Owned by the owner's top-level window (a popup is never a child of a child window).
    HWND ownerTop = GetAncestor(m_owner, GA_ROOT);
    lv.wnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, PopupClass(), L"", WS_POPUP | WS_BORDER, x, y,
                             lv.size.cx, lv.size.cy, ownerTop ? ownerTop : m_owner, nullptr, nullptr, nullptr);
    m_levels.push_back(lv);
    if (m_levels.back().wnd)
        ShowWindow(m_levels.back().wnd, SW_SHOWNOACTIVATE);
}

void MenuTracker::CloseLevels(size_t keep)
{
    while (m_levels.size() > keep) {
        HWND w = m_levels.back().wnd;
        m_levels.pop_back();
        if (w && IsWindow(w))
            DestroyWindow(w);
    }
}

void MenuTracker::Select(size_t level, int sel)
{
    if (level >= m_levels.size())
        return;
    Level& lv = m_levels[level];
    if (lv.sel == sel)
        return;
    lv.sel = sel;
    if (lv.wnd)
        InvalidateRect(lv.wnd, nullptr, FALSE);
    MenuData* m = FindMenu(lv.menu);
    if (m && sel >= 0 && size_t(sel) < m->items.size() && !(m_flags & TPM_NONOTIFY)) {
        const MenuEntry& e = m->items[size_t(sel)];
        UINT f = e.flags | (e.IsPopup() ? MF_POPUP : 0) | MF_HILITE;
        UINT item = e.IsPopup() ? UINT(sel) : e.id;
        SendMessageW(m_owner, WM_MENUSELECT, MAKEWPARAM(WORD(item), WORD(f)), reinterpret_cast<LPARAM>(lv.menu));
    }
}

void MenuTracker::OpenSelectedSubmenu(size_t level, bool selectFirst)
{
    Level& lv = m_levels[level];
    MenuData* m = FindMenu(lv.menu);
    if (!m || lv.sel < 0 || size_t(lv.sel) >= m->items.size())
        return;
    const MenuEntry& e = m->items[size_t(lv.sel)];
    if (!e.IsPopup() || e.IsDisabled())
        return;
    CloseLevels(level + 1);
    RECT item = lv.rects[size_t(lv.sel)];
    RECT screenItem = item;
    MapWindowPoints(lv.wnd, nullptr, reinterpret_cast<POINT*>(&screenItem), 2);
    HMENU sub = e.sub;
    OpenLevel(sub, POINT{screenItem.right, screenItem.top - 2}, &screenItem, false);
    if (selectFirst && m_levels.size() > level + 1)
        MoveSelection(+1);
}

void MenuTracker::MoveSelection(int dir)
{
    if (m_levels.empty())
        return;
    Level& lv = m_levels.back();
    MenuData* m = FindMenu(lv.menu);
    if (!m || m->items.empty())
        return;
    int n = int(m->items.size());
    int sel = lv.sel;
    for (int step = 0; step < n; ++step) {
        sel = sel < 0 ? (dir > 0 ? 0 : n - 1) : (sel + dir + n) % n;
        if (!m->items[size_t(sel)].IsSeparator()) {
            Select(m_levels.size() - 1, sel);
            return;
        }
    }
}

void MenuTracker::Choose(size_t level)
{
    Level& lv = m_levels[level];
    MenuData* m = FindMenu(lv.menu);
    if (!m || lv.sel < 0 || size_t(lv.sel) >= m->items.size())
        return;
    const MenuEntry& e = m->items[size_t(lv.sel)];
    if (e.IsSeparator())
        return;
    if (e.IsPopup()) {
        OpenSelectedSubmenu(level, true);
        return;
    }
    if (e.IsDisabled()) {
        // A disabled item closes nothing with the keyboard, and ends the menu with the mouse.
        return;
    }
    m_result = e.id;
    m_resultSystem = m->systemOf;
    m_done = true;
}

// ---- menu bar ----

void MenuTracker::OpenBarItem(int index, bool openPopup, bool selectFirst)
{
    CloseLevels(0);
    m_barSel = index;
    if (m_bar)
        InvalidateRect(m_bar, nullptr, FALSE);
    MenuData* bar = FindMenu(m_barMenu);
    if (!bar || index < 0 || size_t(index) >= bar->items.size())
        return;
    const MenuEntry& e = bar->items[size_t(index)];
    if (!(m_flags & TPM_NONOTIFY))
        SendMessageW(m_owner, WM_MENUSELECT,
                     MAKEWPARAM(WORD(e.IsPopup() ? UINT(index) : e.id), WORD(e.flags | (e.IsPopup() ? MF_POPUP : 0) | MF_HILITE)),
                     reinterpret_cast<LPARAM>(m_barMenu));
    m_barPopupOpen = openPopup && e.IsPopup() && !e.IsDisabled();
    if (!m_barPopupOpen)
        return;
    RECT r = BarItemRect(m_bar, index);
    MapWindowPoints(m_bar, nullptr, reinterpret_cast<POINT*>(&r), 2);
    HMENU sub = e.sub;
    OpenLevel(sub, POINT{r.left, r.bottom}, &r, true);
    if (selectFirst)
        MoveSelection(+1);
}

void MenuTracker::MoveBar(int dir)
{
    MenuData* bar = FindMenu(m_barMenu);
    if (!bar || bar->items.empty())
        return;
    int n = int(bar->items.size());
    int next = m_barSel < 0 ? 0 : (m_barSel + dir + n) % n;
    OpenBarItem(next, m_barPopupOpen, true);
}

// ---- input ----

void MenuTracker::OnKey(const MSG& msg)
{
    m_keyboard = true;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        size_t depth = m_levels.size();
        switch (msg.wParam) {
        case VK_UP:
            if (depth)
                MoveSelection(-1);
            else if (m_bar && m_barSel >= 0)
                OpenBarItem(m_barSel, true, true);
            break;
        case VK_DOWN:
            if (depth)
                MoveSelection(+1);
            else if (m_bar && m_barSel >= 0)
                OpenBarItem(m_barSel, true, true);
            break;
        case VK_RIGHT: {
            MenuData* m = depth ? FindMenu(m_levels.back().menu) : nullptr;
            int sel = depth ? m_levels.back().sel : -1;
            if (m && sel >= 0 && size_t(sel) < m->items.size() && m->items[size_t(sel)].IsPopup())
                OpenSelectedSubmenu(depth - 1, true);
            else if (m_bar)
                MoveBar(+1);
            break;
        }
        case VK_LEFT:
            if (depth > 1)
                CloseLevels(depth - 1);
            else if (m_bar)
                MoveBar(-1);
            break;
        case VK_RETURN:
            if (depth)
                Choose(depth - 1);
            else if (m_bar && m_barSel >= 0)
                OpenBarItem(m_barSel, true, true);
            break;
        case VK_ESCAPE:
            if (depth > 1 || (depth == 1 && m_bar))
                CloseLevels(depth - 1), m_barPopupOpen = m_bar && !m_levels.empty();
            else
                m_done = true;
            break;
        case VK_MENU:
        case VK_F10:
            m_done = true;
            break;
        default:
            break;
        }
        return;
    }
    if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
        wchar_t ch = wchar_t(towupper(wchar_t(msg.wParam)));
        if (ch < L' ')
            return;
        if (m_levels.empty()) {
            if (int i = FindMnemonic(m_barMenu, ch, -1); i >= 0)
                OpenBarItem(i, true, true);
            else
                MessageBeep(0);
            return;
        }
        Level& lv = m_levels.back();
        int first = FindMnemonic(lv.menu, ch, -1);
        if (first < 0) {
            MessageBeep(0);
            return;
        }
        int second = FindMnemonic(lv.menu, ch, first);
        if (second >= 0 && second != first) {
            // Several items share the letter: each press moves to the next one.
            int next = FindMnemonic(lv.menu, ch, lv.sel);
            Select(m_levels.size() - 1, next >= 0 ? next : first);
            return;
        }
        Select(m_levels.size() - 1, first);
        Choose(m_levels.size() - 1);
    }
}

int MenuTracker::FindMnemonic(HMENU menu, wchar_t upper, int after) const
{
    MenuData* m = FindMenu(menu);
    if (!m)
        return -1;
    int n = int(m->items.size());
    int start = after < 0 ? 0 : after + 1;
    for (int k = 0; k < n; ++k) {
        int i = (start + k) % n;
        const MenuEntry& e = m->items[size_t(i)];
        int mi = MnemonicIndex(e.text);
        if (mi >= 0 && wchar_t(towupper(e.text[size_t(mi)])) == upper)
            return i;
    }
    return -1;
}

bool MenuTracker::HitLevel(POINT screen, size_t* level, int* item) const
{
    for (size_t l = m_levels.size(); l-- > 0;) {
        const Level& lv = m_levels[l];
        if (!lv.wnd)
            continue;
        RECT wr;
        GetWindowRect(lv.wnd, &wr);
        if (!PtInRect(&wr, screen))
            continue;
        POINT p = screen;
        ScreenToClient(lv.wnd, &p);
        *level = l;
        *item = -1;
        for (size_t i = 0; i < lv.rects.size(); ++i)
            if (PtInRect(&lv.rects[i], p))
                *item = int(i);
        return true;
    }
    return false;
}

int MenuTracker::HitBar(POINT screen) const
{
    if (!m_bar)
        return -2;
    RECT wr;
    GetWindowRect(m_bar, &wr);
    if (!PtInRect(&wr, screen))
        return -2;
    POINT p = screen;
    ScreenToClient(m_bar, &p);
    return BarItemAt(m_bar, p);
}

void MenuTracker::OnMouse(const MSG& msg)
{
    POINT screen{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK)
        ;  // non-client messages carry screen points already
    else if (msg.hwnd)
        ClientToScreen(msg.hwnd, &screen);
    UINT kind = msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK
                    ? msg.message - WM_NCMOUSEMOVE + WM_MOUSEMOVE
                    : msg.message;
    size_t level = 0;
    int item = -1;
    bool inLevel = HitLevel(screen, &level, &item);
    int barItem = inLevel ? -2 : HitBar(screen);
    bool down = kind == WM_LBUTTONDOWN || kind == WM_RBUTTONDOWN || kind == WM_MBUTTONDOWN ||
                kind == WM_LBUTTONDBLCLK || kind == WM_RBUTTONDBLCLK;
    bool up = kind == WM_LBUTTONUP || (kind == WM_RBUTTONUP && (m_flags & TPM_RIGHTBUTTON));
    if (kind == WM_MOUSEMOVE) {
        if (inLevel) {
            CloseLevels(level + 1);
            Select(level, item);
            if (item >= 0) {
                MenuData* m = FindMenu(m_levels[level].menu);
                if (m && m->items[size_t(item)].IsPopup())
                    OpenSelectedSubmenu(level, false);
            }
        } else if (barItem >= 0 && barItem != m_barSel && (m_barPopupOpen || !m_keyboard)) {
            OpenBarItem(barItem, m_barPopupOpen, false);
        }
        return;
    }
    if (down) {
        m_keyboard = false;
        if (inLevel)
            return;
        if (barItem >= 0) {
            if (barItem == m_barSel && m_barPopupOpen)
                m_done = true;  // a second click on the open item closes the menu
            else
                OpenBarItem(barItem, true, false);
            return;
        }
        m_done = true;  // a click anywhere else cancels
        return;
    }
    if (up && inLevel && item >= 0) {
        MenuData* m = FindMenu(m_levels[level].menu);
        if (!m)
            return;
        const MenuEntry& e = m->items[size_t(item)];
        if (e.IsSeparator() || e.IsPopup())
            return;
        if (e.IsDisabled()) {
            m_done = true;
            return;
        }
        Select(level, item);
        Choose(level);
    }
}

UINT MenuTracker::Run()
{
    if (g_active)
        return 0;  // one menu at a time
    g_active = this;
    HWND captureWnd = m_bar ? m_bar : (m_levels.empty() ? nullptr : m_levels.front().wnd);
    if (captureWnd)
        SetCapture(captureWnd);
    while (!m_done) {
        if (m_levels.empty() && !m_bar)
            break;
        MSG msg;
        if (!GetMessageW(&msg, nullptr, 0, 0)) {
            PostQuitMessage(int(msg.wParam));
            break;
        }
        if (IsKeyMsg(msg.message)) {
            // Letters become characters for the mnemonics; Enter and Escape are used up here
            // and must not reach the focus window as characters after the menu closes.
            bool navigation = msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE || msg.wParam == VK_MENU ||
                              msg.wParam == VK_F10 || msg.wParam == VK_TAB;
            if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && !navigation)
                TranslateMessage(&msg);
            OnKey(msg);
            continue;
        }
        if (IsMouseMsg(msg.message)) {
            OnMouse(msg);
            continue;
        }
        DispatchMessageW(&msg);
        if (!m_done && captureWnd && GetCapture() != captureWnd)
            m_done = true;  // something took the mouse (another window came up): the menu ends
        if (m_cancel)
            m_done = true;
    }
    CloseLevels(0);
    m_barSel = -1;
    if (m_bar)
        InvalidateRect(m_bar, nullptr, FALSE);
    if (captureWnd && GetCapture() == captureWnd)
        ReleaseCapture();
    if (!(m_flags & TPM_NONOTIFY))
        SendMessageW(m_owner, WM_MENUSELECT, MAKEWPARAM(0xFFFF, 0xFFFF), 0);
    g_active = nullptr;
    return m_result;
}

// ---- painting ----

void MenuTracker::PaintPopup(HWND wnd, HDC hdc)
{
    for (Level& lv : m_levels)
        if (lv.wnd == wnd) {
            PaintLevel(lv, hdc);
            return;
        }
}

void MenuTracker::PaintLevel(Level& lv, HDC hdc)
{
    MenuData* m = FindMenu(lv.menu);
    RECT client;
    GetClientRect(lv.wnd, &client);
    FillRect(hdc, &client, GetSysColorBrush(COLOR_MENU));
    if (!m)
        return;
    HGDIOBJ oldFont = SelectObject(hdc, MenuFont());
    SetBkMode(hdc, TRANSPARENT);
    for (size_t i = 0; i < m->items.size() && i < lv.rects.size(); ++i) {
        const MenuEntry& e = m->items[i];
        RECT r = lv.rects[i];
        bool selected = int(i) == lv.sel;
        if (e.IsSeparator()) {
            RECT line{r.left + 2, (r.top + r.bottom) / 2 - 1, r.right - 2, (r.top + r.bottom) / 2 + 1};
            DrawEdge(hdc, &line, EDGE_ETCHED, BF_TOP);
            continue;
        }
        if (e.flags & MF_OWNERDRAW) {
            DRAWITEMSTRUCT di{ODT_MENU, 0, e.id, ODA_DRAWENTIRE,
                              UINT((selected ? ODS_SELECTED : 0) | (e.IsDisabled() ? ODS_GRAYED : 0) |
                                   ((e.flags & MF_CHECKED) ? ODS_CHECKED : 0)),
                              reinterpret_cast<HWND>(lv.menu), hdc, r, e.data};
            SendMessageW(m_owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&di));
            continue;
        }
        if (selected)
            FillRect(hdc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        COLORREF text = e.IsDisabled() ? GetSysColor(COLOR_GRAYTEXT)
                                       : GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
        SetTextColor(hdc, text);
        if (e.flags & MF_CHECKED) {
            RECT c{r.left + 4, r.top, r.left + kCheckArea - 2, r.bottom};
            DrawTextW(hdc, L"\x2713", 1, &c, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
        }
        std::wstring accel;
        std::wstring main = WithoutTab(e.text, &accel);
        RECT t{r.left + kCheckArea, r.top, r.right - kArrowArea, r.bottom};
        DrawTextW(hdc, main.c_str(), int(main.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        if (!accel.empty())
            DrawTextW(hdc, accel.c_str(), int(accel.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
        if (e.IsPopup()) {
            RECT a{r.right - kArrowArea, r.top, r.right - 4, r.bottom};
            DrawTextW(hdc, L"\x25B8", 1, &a, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
        }
    }
    SelectObject(hdc, oldFont);
}

}  // namespace ui

using namespace ui;

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*)
{
    if (!FindMenu(menu) || !IsWindow(owner) || MenuTracker::Active())
        return FALSE;
    MenuTracker t(owner, flags);
    t.OpenLevel(menu, POINT{x, y}, nullptr, false);
    UINT cmd = t.Run();
    if (flags & TPM_RETURNCMD)
        return BOOL(cmd);
    if (cmd) {
        if (HWND sys = t.ResultSystemWindow())
            PostMessageW(sys, WM_SYSCOMMAND, cmd, 0);
        else
            PostMessageW(owner, WM_COMMAND, MAKEWPARAM(WORD(cmd), 0), 0);
    }
    return TRUE;
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, void*)
{
    return TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr);
}

BOOL EndMenu()
{
    if (MenuTracker* t = MenuTracker::Active()) {
        t->Cancel();
        PostMessageW(nullptr, WM_NULL, 0, 0);
        return TRUE;
    }
    return FALSE;
}
