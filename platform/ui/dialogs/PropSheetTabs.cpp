// The tab strip of property sheets: a row of tabs above a framed page area. It answers the
// tab-control messages a sheet uses and tells its parent of selection changes made by the
// user (TCN_SELCHANGING may refuse them).
#include "platform/ui/dialogs/PropSheet.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr UINT kTcmFirst = 0x1300;
constexpr UINT kTcmGetItemCount = kTcmFirst + 4;
constexpr UINT kTcmDeleteItem = kTcmFirst + 8;
constexpr UINT kTcmDeleteAllItems = kTcmFirst + 9;
constexpr UINT kTcmGetItemRect = kTcmFirst + 10;
constexpr UINT kTcmGetCurSel = kTcmFirst + 11;
constexpr UINT kTcmSetCurSel = kTcmFirst + 12;
constexpr UINT kTcmGetItemW = kTcmFirst + 60;
constexpr UINT kTcmSetItemW = kTcmFirst + 61;
constexpr UINT kTcmInsertItemW = kTcmFirst + 62;
constexpr UINT kTcmAdjustRect = kTcmFirst + 40;
constexpr UINT kTcnSelChange = 0u - 551u;
constexpr UINT kTcnSelChanging = 0u - 552u;
constexpr UINT kTcifText = 0x0001;

// The layout of the tab control's item record.
struct TabItem {
    UINT mask;
    DWORD dwState;
    DWORD dwStateMask;
    LPWSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
};

struct Tabs {
    std::vector<std::wstring> items;
    int cur = -1;
    HFONT font = nullptr;
};

std::map<HWND, Tabs>& All()
{
    static auto* m = new std::map<HWND, Tabs>;
    return *m;
}

int RowHeight(HDC dc)
{
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    return tm.tmHeight + 6;
}

// Tab rectangles in client coordinates (the selected one not yet raised).
std::vector<RECT> ItemRects(HWND h, const Tabs& t)
{
    std::vector<RECT> out;
    HDC dc = ::GetDC(h);
    HGDIOBJ old = t.font ? ::SelectObject(dc, t.font) : nullptr;
    int row = RowHeight(dc);
    int x = 2;
    for (const std::wstring& s : t.items) {
        SIZE sz{0, 0};
        ::GetTextExtentPoint32W(dc, s.c_str(), int(s.size()), &sz);
        RECT r{x, 2, x + sz.cx + 12, 2 + row};
        out.push_back(r);
        x = r.right;
    }
    if (old)
        ::SelectObject(dc, old);
    ::ReleaseDC(h, dc);
    return out;
}

void Notify(HWND h, UINT code, LRESULT* result)
{
    NMHDR hdr{h, UINT_PTR(::GetDlgCtrlID(h)), code};
    LRESULT r = ::SendMessageW(::GetParent(h), WM_NOTIFY, WPARAM(hdr.idFrom), reinterpret_cast<LPARAM>(&hdr));
    if (result)
        *result = r;
}

// A selection change asked for by the user.
void UserSelect(HWND h, int index)
{
    auto it = All().find(h);
    if (it == All().end() || index < 0 || index >= int(it->second.items.size()) || index == it->second.cur)
        return;
    LRESULT refuse = 0;
    Notify(h, kTcnSelChanging, &refuse);
    if (refuse || (it = All().find(h)) == All().end())
        return;
    it->second.cur = index;
    ::InvalidateRect(h, nullptr, TRUE);
    Notify(h, kTcnSelChange, nullptr);
}

void Paint(HWND h)
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(h, &ps);
    auto it = All().find(h);
    RECT client;
    ::GetClientRect(h, &client);
    // The page lies over the strip's frame, below it in z-order: leave its area to it.
    for (HWND s = ::GetWindow(h, GW_HWNDNEXT); s; s = ::GetWindow(s, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(s))
            continue;
        RECT r;
        ::GetWindowRect(s, &r);
        ::MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&r), 2);
        ::ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_3DFACE));
    if (it != All().end()) {
        const Tabs& t = it->second;
        std::vector<RECT> rects = ItemRects(h, t);
        HGDIOBJ oldFont = t.font ? ::SelectObject(dc, t.font) : nullptr;
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        int top = rects.empty() ? 2 : rects[0].bottom;
        HPEN light = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DHILIGHT));
        HPEN dark = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DSHADOW));
        HGDIOBJ oldPen = ::SelectObject(dc, light);
        // The page frame.
        ::MoveToEx(dc, 0, client.bottom - 1, nullptr);
        ::LineTo(dc, 0, top);
        ::LineTo(dc, client.right - 1, top);
        ::SelectObject(dc, dark);
        ::LineTo(dc, client.right - 1, client.bottom - 1);
        ::LineTo(dc, 0, client.bottom - 1);
        for (size_t i = 0; i < rects.size(); ++i) {
            RECT r = rects[i];
            bool sel = int(i) == t.cur;
            if (sel) {
                ::InflateRect(&r, 2, 0);
                r.top -= 2;
                RECT gap{r.left + 1, r.bottom - 1, r.right - 1, r.bottom + 1};
                ::FillRect(dc, &gap, ::GetSysColorBrush(COLOR_3DFACE));
            }
            ::SelectObject(dc, light);
            ::MoveToEx(dc, r.left, r.bottom - (sel ? 0 : 1), nullptr);
            ::LineTo(dc, r.left, r.top);
            ::LineTo(dc, r.right - 1, r.top);
            ::SelectObject(dc, dark);
            ::LineTo(dc, r.right - 1, r.bottom - (sel ? 0 : 1));
            RECT tr = r;
            ::DrawTextW(dc, t.items[i].c_str(), int(t.items[i].size()), &tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        if (::GetFocus() == h && t.cur >= 0 && size_t(t.cur) < rects.size()) {
            RECT f = rects[size_t(t.cur)];
            ::InflateRect(&f, -2, -2);
            ::DrawFocusRect(dc, &f);
        }
        ::SelectObject(dc, oldPen);
        ::DeleteObject(light);
        ::DeleteObject(dark);
        if (oldFont)
            ::SelectObject(dc, oldFont);
    }
    ::EndPaint(h, &ps);
}

LRESULT TabsProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    switch (msg) {
    case WM_CREATE: All()[h]; return 0;
    case WM_NCDESTROY: All().erase(h); break;
    case WM_SETFONT: All()[h].font = reinterpret_cast<HFONT>(w); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(All()[h].font);
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_PAINT: Paint(h); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: ::InvalidateRect(h, nullptr, TRUE); return 0;
    case WM_NCHITTEST: {
        // Only the tabs take the mouse: the pages below them are siblings behind the strip.
        POINT pt{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
        ::ScreenToClient(h, &pt);
        for (const RECT& r : ItemRects(h, All()[h]))
            if (::PtInRect(&r, pt))
                return HTCLIENT;
        return HTTRANSPARENT;
    }
    case WM_LBUTTONDOWN: {
        ::SetFocus(h);
        POINT pt{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
        std::vector<RECT> rects = ItemRects(h, All()[h]);
        for (size_t i = 0; i < rects.size(); ++i)
            if (::PtInRect(&rects[i], pt))
                UserSelect(h, int(i));
        return 0;
    }
    case WM_KEYDOWN:
        if (w == VK_LEFT || w == VK_RIGHT) {
            const Tabs& t = All()[h];
            UserSelect(h, t.cur + (w == VK_LEFT ? -1 : 1));
            return 0;
        }
        break;
    case kTcmGetItemCount: return LRESULT(All()[h].items.size());
    case kTcmGetCurSel: return All()[h].cur;
    case kTcmSetCurSel: {
        Tabs& t = All()[h];
        int old = t.cur;
        if (int(w) < 0 || int(w) >= int(t.items.size()))
            return -1;
        t.cur = int(w);
        ::InvalidateRect(h, nullptr, TRUE);
        return old;
    }
    case kTcmGetItemW: {
        // A tab's text, cut to the caller's buffer (accessibility and tests read the tabs).
        auto* item = reinterpret_cast<TabItem*>(l);
        const Tabs& t = All()[h];
        const int i = int(w);
        if (!item || i < 0 || i >= int(t.items.size()))
            return FALSE;
        if ((item->mask & kTcifText) && item->pszText && item->cchTextMax > 0) {
            const std::wstring& text = t.items[size_t(i)];
            const size_t n = std::min(text.size(), size_t(item->cchTextMax - 1));
            text.copy(item->pszText, n);
            item->pszText[n] = L'\0';
        }
        return TRUE;
    }
    case kTcmInsertItemW:
    case kTcmSetItemW: {
        auto* item = reinterpret_cast<const TabItem*>(l);
        Tabs& t = All()[h];
        std::wstring text = item && (item->mask & kTcifText) && item->pszText ? item->pszText : L"";
        int i = int(w);
        if (msg == kTcmSetItemW) {
            if (i < 0 || i >= int(t.items.size()))
                return FALSE;
            t.items[size_t(i)] = text;
        } else {
            if (i < 0 || i > int(t.items.size()))
                i = int(t.items.size());
            t.items.insert(t.items.begin() + i, text);
            if (t.cur >= i)
                ++t.cur;
        }
        ::InvalidateRect(h, nullptr, TRUE);
        return msg == kTcmSetItemW ? TRUE : i;
    }
    case kTcmDeleteItem: {
        Tabs& t = All()[h];
        int i = int(w);
        if (i < 0 || i >= int(t.items.size()))
            return FALSE;
        t.items.erase(t.items.begin() + i);
        if (t.cur == i)
            t.cur = -1;
        else if (t.cur > i)
            --t.cur;
        ::InvalidateRect(h, nullptr, TRUE);
        return TRUE;
    }
    case kTcmDeleteAllItems:
        All()[h] = Tabs{{}, -1, All()[h].font};
        return TRUE;
    case kTcmAdjustRect: {
        // Window rectangle <-> display (page) rectangle.
        auto* r = reinterpret_cast<RECT*>(l);
        if (!r)
            return 0;
        HDC dc = ::GetDC(h);
        HGDIOBJ old = All()[h].font ? ::SelectObject(dc, All()[h].font) : nullptr;
        int top = 2 + RowHeight(dc);
        if (old)
            ::SelectObject(dc, old);
        ::ReleaseDC(h, dc);
        int sign = w ? -1 : 1;
        r->left += sign * 2;
        r->right -= sign * 2;
        r->top += sign * top;
        r->bottom -= sign * 2;
        return 0;
    }
    case kTcmGetItemRect: {
        std::vector<RECT> rects = ItemRects(h, All()[h]);
        if (int(w) < 0 || size_t(w) >= rects.size() || !l)
            return FALSE;
        *reinterpret_cast<RECT*>(l) = rects[size_t(w)];
        return TRUE;
    }
    default: break;
    }
    return ::DefWindowProcW(h, msg, w, l);
}

// A plain push button for sheets in programs that registered no "Button" class.
LRESULT ButtonProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_BUTTON | ((::GetWindowLongPtrW(h, GWL_STYLE) & 0xF) == 1 ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case 0x00F4:  // BM_SETSTYLE
        ::SetWindowLongPtrW(h, GWL_STYLE, (::GetWindowLongPtrW(h, GWL_STYLE) & ~LONG_PTR(0xF)) | LONG_PTR(w & 0xF));
        ::InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_SETFONT: ::SetPropW(h, L"DlgFont", reinterpret_cast<HANDLE>(w)); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(::GetPropW(h, L"DlgFont"));
    case WM_NCDESTROY: ::RemovePropW(h, L"DlgFont"); break;
    case WM_LBUTTONDOWN:
    case 0x00F5:  // BM_CLICK
        ::SetFocus(h);
        ::SendMessageW(::GetParent(h), WM_COMMAND, MAKEWPARAM(WORD(::GetDlgCtrlID(h)), 0), reinterpret_cast<LPARAM>(h));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(h, &ps);
        RECT r;
        ::GetClientRect(h, &r);
        ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_3DFACE));
        ::FrameRect(dc, &r, ::GetSysColorBrush(COLOR_3DSHADOW));
        if ((::GetWindowLongPtrW(h, GWL_STYLE) & 0xF) == 1) {
            ::InflateRect(&r, -1, -1);
            ::FrameRect(dc, &r, ::GetSysColorBrush(COLOR_WINDOWFRAME));
        }
        wchar_t text[64] = {};
        ::GetWindowTextW(h, text, 64);
        HGDIOBJ old = nullptr;
        if (HANDLE f = ::GetPropW(h, L"DlgFont"))
            old = ::SelectObject(dc, f);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(::IsWindowEnabled(h) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        ::DrawTextW(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (old)
            ::SelectObject(dc, old);
        ::EndPaint(h, &ps);
        return 0;
    }
    default: break;
    }
    return ::DefWindowProcW(h, msg, w, l);
}

}  // namespace

LPCWSTR DlgSheetButtonClass()
{
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ButtonProc;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"DlgSheetButton";
        ::RegisterClassW(&wc);
    });
    WNDCLASSW probe;
    return ::GetClassInfoW(nullptr, L"Button", &probe) ? L"Button" : L"DlgSheetButton";
}

void DlgRegisterSheetTabs()
{
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = TabsProc;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = WC_DLGSHEETTABS;
        ::RegisterClassW(&wc);
    });
}
