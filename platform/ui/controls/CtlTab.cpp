// "SysTabControl32": a row of tabs (on top, or at the bottom with TCS_BOTTOM) with texts and
// images from an image list. A click takes the focus, asks TCN_SELCHANGING (non-zero keeps the
// tab) and reports TCN_SELCHANGE; TCM_SETCURFOCUS from code does the same on a row of tabs (a
// button row moves only its focus and reports TCN_FOCUSCHANGE); TCM_SETCURSEL sends nothing. A
// right click sends NM_RCLICK and, unless the parent answers non-zero, WM_CONTEXTMENU. With
// TCS_TOOLTIPS the control keeps a tooltip with one tool per tab and forwards the tooltip's
// requests. A row of tabs wider than the control scrolls: two arrow buttons at its right end, as
// Win32's up-down control there, move the first tab shown, and a tab the user selects is
// scrolled into view.
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDraw.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace ctl {
namespace {

class Tab : public Control {
public:
    using Control::Control;
    struct Item {
        std::wstring text;
        int image = -1;
        LPARAM param = 0;
        DWORD state = 0;
    };
    std::vector<Item> items;
    int cur = -1, focusItem = -1;
    HIMAGELIST images = nullptr;
    HWND tips = nullptr;
    SIZE fixed{0, 0};       // TCM_SETITEMSIZE (0: the default)
    SIZE padding{6, 3};
    int minWidth = -1;      // TCM_SETMINTABWIDTH (-1: the default)
    int first = 0;          // the first tab shown while the row scrolls
    bool scrolls = false;   // the row is wider than the control (set by Layout)

    // Win32's defaults at the 8-point font: fixed-width tabs are 96 pixels wide, and a tab is
    // never narrower than 54 pixels.
    static constexpr int kFixedWidth = 96, kMinWidth = 54;

    bool Bottom() const { return (Style() & TCS_BOTTOM) != 0; }
    bool Valid(int i) const { return i >= 0 && i < int(items.size()); }
    bool FixedWidth() const { return (Style() & (TCS_FIXEDWIDTH | TCS_OWNERDRAWFIXED)) != 0; }
    // The tab height: the text (or icon) with the padding above (and below for buttons) and the
    // room the selected tab rises by.
    int TabHeight()
    {
        int ih = 0, iw = 0;
        if (images)
            ImageList_GetIconSize(images, &iw, &ih);
        int pads = (Style() & TCS_BUTTONS) ? 2 : 1;
        int h = std::max(LineHeight(), ih) + pads * padding.cy * Unit() + 2 * Unit();
        return fixed.cy > 0 ? fixed.cy : h;
    }
    int FixedTabWidth() const { return fixed.cx > 0 ? fixed.cx : kFixedWidth * Unit(); }
    int MinTabWidth() const { return minWidth >= 0 ? minWidth : kMinWidth * Unit(); }

    std::vector<RECT> Layout()
    {
        std::vector<RECT> out;
        RECT c = Client();
        HDC dc = GetDC(hwnd);
        HGDIOBJ old = SelectObject(dc, Font());
        int u = Unit(), h = TabHeight(), x = c.left + 2 * u;
        int iw = 0, ih = 0;
        if (images)
            ImageList_GetIconSize(images, &iw, &ih);
        for (const Item& it : items) {
            SIZE sz{};
            if (!it.text.empty())
                GetTextExtentPoint32W(dc, it.text.c_str(), int(it.text.size()), &sz);
            int w = (Style() & TCS_FIXEDWIDTH)
                        ? FixedTabWidth()
                        : std::max(MinTabWidth(), (Style() & TCS_OWNERDRAWFIXED) && fixed.cx > 0
                                                      ? int(fixed.cx)
                                                      : int(sz.cx) + 2 * padding.cx * u + (it.image >= 0 && images ? iw + 3 * u : 0));
            int top = Bottom() ? c.bottom - h - 2 * u : c.top + 2 * u;
            out.push_back(RECT{x, top, x + w, top + h});
            x += w;
        }
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
        scrolls = !out.empty() && !(Style() & (TCS_BUTTONS | TCS_MULTILINE)) && out.back().right > c.right - 2 * u;
        if (!scrolls)
            first = 0;
        first = std::clamp(first, 0, std::max(0, int(out.size()) - 1));
        if (scrolls && first > 0) {
            const int dx = out[size_t(first)].left - (c.left + 2 * u);
            for (RECT& r : out)
                OffsetRect(&r, -dx, 0);
        }
        return out;
    }

    // The scroll arrows (left, then right) at the right end of the row of tabs, each half as wide
    // as the tabs are high, so that a narrow row still shows most of the tab they cover; empty
    // when the row fits.
    std::pair<RECT, RECT> Arrows(const std::vector<RECT>& rects) const
    {
        if (!scrolls || rects.empty())
            return {RECT{}, RECT{}};
        const RECT c = Client();
        const int top = int(rects.front().top), h = int(rects.front().bottom) - top, w = std::max(8, h / 2);
        return {RECT{c.right - 2 * w, top, c.right - w, top + h}, RECT{c.right - w, top, c.right, top + h}};
    }
    static bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }
    // Scrolls so that tab i shows whole left of the arrows.
    void ScrollIntoView(int i)
    {
        auto rects = Layout();
        if (!scrolls || !Valid(i))
            return;
        if (i < first)
            first = i;
        while (first < i && rects[size_t(i)].right > Arrows(rects).first.left) {
            ++first;
            rects = Layout();
        }
        SyncTips();
    }
    // A press on an arrow: one tab further; false when the point is on neither arrow.
    bool ArrowPressed(POINT p)
    {
        auto rects = Layout();
        const auto [left, right] = Arrows(rects);
        if (Inside(left, p)) {
            first = std::max(0, first - 1);
        } else if (Inside(right, p)) {
            if (rects.back().right > left.left)
                ++first;
        } else {
            return false;
        }
        Changed();
        return true;
    }

    void SyncTips()
    {
        if (!tips)
            return;
        auto rects = Layout();
        int n = int(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < std::max(n, int(rects.size())); ++i) {
            TTTOOLINFOW ti{sizeof ti, 0, hwnd, UINT_PTR(i), {0, 0, 0, 0}, nullptr, LPSTR_TEXTCALLBACKW, 0, nullptr};
            if (i >= int(rects.size())) {
                SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
                continue;
            }
            ti.rect = rects[size_t(i)];
            if (i < n)
                SendMessageW(tips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
            else
                SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        }
    }

    void Changed()
    {
        SyncTips();
        Redraw();
    }

    int HitTest(POINT p, UINT* flags = nullptr)
    {
        auto rects = Layout();
        const RECT c = Client();
        const int end = scrolls ? int(Arrows(rects).first.left) : int(c.right);
        for (size_t i = size_t(first); i < rects.size(); ++i) {
            const RECT& r = rects[i];
            if (p.x >= std::max(r.left, c.left) && p.x < std::min(int(r.right), end) && p.y >= r.top && p.y < r.bottom) {
                if (flags)
                    *flags = TCHT_ONITEM;
                return int(i);
            }
        }
        if (flags)
            *flags = TCHT_NOWHERE;
        return -1;
    }

    // A change of tab made by the user.
    void UserSelect(int i)
    {
        if (!Valid(i) || i == cur)
            return;
        HWND self = hwnd;
        if (NotifyParent(TCN_SELCHANGING) != 0 || !IsWindow(self))
            return;
        cur = focusItem = i;
        ScrollIntoView(i);
        Redraw();
        NotifyParent(TCN_SELCHANGE);
    }

    bool GetItem(int i, TCITEMW* it)
    {
        if (!Valid(i) || !it)
            return false;
        const Item& s = items[size_t(i)];
        if ((it->mask & TCIF_TEXT) && it->pszText && it->cchTextMax > 0) {
            size_t n = std::min<size_t>(s.text.size(), size_t(it->cchTextMax) - 1);
            std::copy_n(s.text.data(), n, it->pszText);
            it->pszText[n] = 0;
        }
        if (it->mask & TCIF_IMAGE)
            it->iImage = s.image;
        if (it->mask & TCIF_PARAM)
            it->lParam = s.param;
        if (it->mask & TCIF_STATE)
            it->dwState = s.state & it->dwStateMask;
        return true;
    }

    void SetItem(Item& s, const TCITEMW* it)
    {
        if ((it->mask & TCIF_TEXT) && it->pszText)
            s.text = it->pszText;
        if (it->mask & TCIF_IMAGE)
            s.image = it->iImage;
        if (it->mask & TCIF_PARAM)
            s.param = it->lParam;
        if (it->mask & TCIF_STATE)
            s.state = (s.state & ~it->dwStateMask) | (it->dwState & it->dwStateMask);
    }

    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case WM_CREATE:
            if (Style() & TCS_TOOLTIPS) {
                tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, L"", WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, hwnd,
                                       nullptr, nullptr, nullptr);
            }
            return 0;
        case WM_DESTROY:
            if (tips)
                DestroyWindow(tips);
            tips = nullptr;
            return 0;
        case WM_SIZE:
        case WM_SETFONT:
            if (msg == WM_SETFONT)
                font = reinterpret_cast<HFONT>(wParam);
            Changed();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_NCHITTEST: {
            // Only the tabs take the mouse: the display area below them belongs to the windows
            // shown there (a property sheet's pages are siblings behind the tab control).
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(hwnd, &p);
            const auto [left, right] = Arrows(Layout());
            return HitTest(p) >= 0 || Inside(left, p) || Inside(right, p) ? HTCLIENT : HTTRANSPARENT;
        }
        case WM_NOTIFY: {
            // the tooltip's requests go on to the parent
            auto* hdr = reinterpret_cast<NMHDR*>(lParam);
            if (hdr && hdr->hwndFrom == tips) {
                HWND p = NotifyTarget();
                return p ? SendMessageW(p, WM_NOTIFY, wParam, lParam) : 0;
            }
            return 0;
        }
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: {
            HWND self = hwnd;
            if (tips) {
                MSG m{hwnd, msg, wParam, lParam, 0, {0, 0}};
                SendMessageW(tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
            }
            if (msg == WM_RBUTTONUP && NotifyParent(NM_RCLICK) == 0 && IsWindow(self))
                return Default(msg, wParam, lParam);  // WM_CONTEXTMENU
            return 0;
        }
        case WM_LBUTTONDOWN: {
            if (tips) {
                MSG m{hwnd, msg, wParam, lParam, 0, {0, 0}};
                SendMessageW(tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
            }
            HWND self = hwnd;
            if (!(Style() & TCS_FOCUSNEVER) && !Focused()) {
                SetFocus(hwnd);
                if (!IsWindow(self))
                    return 0;
            }
            const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (ArrowPressed(p))
                return 0;
            UserSelect(HitTest(p));
            if (IsWindow(self))
                NotifyParent(NM_CLICK);
            return 0;
        }
        case WM_KEYDOWN: {
            if (wParam == VK_LEFT)
                UserSelect(cur - 1);
            else if (wParam == VK_RIGHT)
                UserSelect(cur + 1);
            else if (wParam == VK_HOME)
                UserSelect(0);
            else if (wParam == VK_END)
                UserSelect(int(items.size()) - 1);
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Redraw();
            return 0;
        case TCM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(images);
        case TCM_SETIMAGELIST: {
            HIMAGELIST old = images;
            images = reinterpret_cast<HIMAGELIST>(lParam);
            Changed();
            return reinterpret_cast<LRESULT>(old);
        }
        case TCM_GETITEMCOUNT:
            return LRESULT(items.size());
        case TCM_INSERTITEMW: {
            auto* it = reinterpret_cast<const TCITEMW*>(lParam);
            if (!it)
                return -1;
            int at = std::clamp(int(wParam), 0, int(items.size()));
            Item s;
            SetItem(s, it);
            items.insert(items.begin() + at, s);
            if (cur >= at)
                ++cur;
            if (cur < 0)
                cur = 0;
            Changed();
            return at;
        }
        case TCM_SETITEMW:
            if (!Valid(int(wParam)) || !lParam)
                return FALSE;
            SetItem(items[wParam], reinterpret_cast<const TCITEMW*>(lParam));
            Changed();
            return TRUE;
        case TCM_GETITEMW:
            return GetItem(int(wParam), reinterpret_cast<TCITEMW*>(lParam));
        case TCM_DELETEITEM: {
            int i = int(wParam);
            if (!Valid(i))
                return FALSE;
            items.erase(items.begin() + i);
            // the deleted tab was selected: nothing is, until code selects again
            for (int* at : {&cur, &focusItem}) {
                if (*at == i)
                    *at = -1;
                else if (*at > i)
                    --*at;
            }
            Changed();
            return TRUE;
        }
        case TCM_DELETEALLITEMS:
            items.clear();
            cur = focusItem = -1;
            Changed();
            return TRUE;
        case TCM_GETITEMRECT: {
            auto rects = Layout();
            if (!Valid(int(wParam)) || !lParam)
                return FALSE;
            *reinterpret_cast<RECT*>(lParam) = rects[wParam];
            return TRUE;
        }
        case TCM_GETCURSEL:
            return cur;
        case TCM_SETCURSEL: {
            // a negative index leaves no tab selected; one past the end is refused
            int old = cur, i = int(wParam);
            if (i >= int(items.size()))
                return -1;
            cur = focusItem = std::max(-1, i);
            if (cur >= 0)
                ScrollIntoView(cur);
            Redraw();
            return old;
        }
        case TCM_GETCURFOCUS:
            return focusItem >= 0 ? focusItem : cur;
        case TCM_SETCURFOCUS: {
            int i = int(wParam);
            if (!Valid(i))
                return 0;
            if (Style() & TCS_BUTTONS) {
                // a button row moves its focus apart from the selection
                if (i != focusItem) {
                    focusItem = i;
                    Redraw();
                    NotifyParent(TCN_FOCUSCHANGE);
                }
            } else if (i != cur) {
                // a row of tabs: moving the focus selects, and the parent is asked and told
                // as when the user clicks
                UserSelect(i);
            } else if (i != focusItem) {
                focusItem = i;
                Redraw();
            }
            return 0;
        }
        case TCM_SETMINTABWIDTH: {
            int old = MinTabWidth();
            minWidth = int(lParam) < 0 ? -1 : int(lParam);
            Changed();
            return old;
        }
        case TCM_HITTEST: {
            auto* ht = reinterpret_cast<TCHITTESTINFO*>(lParam);
            return ht ? HitTest(ht->pt, &ht->flags) : -1;
        }
        case TCM_ADJUSTRECT: {
            auto* r = reinterpret_cast<RECT*>(lParam);
            if (!r)
                return 0;
            int h = TabHeight() + 2 * Unit(), e = 2 * Unit();
            if (wParam) {  // display rectangle -> window rectangle
                r->left -= e;
                r->right += e;
                if (Bottom()) {
                    r->top -= e;
                    r->bottom += h;
                } else {
                    r->top -= h;
                    r->bottom += e;
                }
            } else {
                r->left += e;
                r->right -= e;
                if (Bottom()) {
                    r->top += e;
                    r->bottom -= h;
                } else {
                    r->top += h;
                    r->bottom -= e;
                }
            }
            return 0;
        }
        case TCM_SETITEMSIZE: {
            LRESULT old = MAKELONG(WORD(FixedTabWidth()), WORD(TabHeight()));
            fixed = SIZE{LONG(SHORT(LOWORD(lParam))), LONG(SHORT(HIWORD(lParam)))};
            Changed();
            return old;
        }
        case TCM_SETPADDING:
            padding = SIZE{LONG(SHORT(LOWORD(lParam))), LONG(SHORT(HIWORD(lParam)))};
            Changed();
            return 0;
        case TCM_GETROWCOUNT:
            return items.empty() ? 0 : 1;
        case TCM_GETTOOLTIPS:
            return reinterpret_cast<LRESULT>(tips);
        case TCM_SETTOOLTIPS:
            tips = reinterpret_cast<HWND>(wParam);
            SyncTips();
            return 0;
        default:
            return Control::Proc(msg, wParam, lParam);
        }
    }

    void Paint(HDC dc) override
    {
        RECT c = Client();
        HBRUSH back = CtlColor(WM_CTLCOLORSTATIC, dc);
        FillRect(dc, &c, back ? back : GetSysColorBrush(COLOR_BTNFACE));
        int u = Unit();
        auto rects = Layout();
        int h = TabHeight();
        // the page frame
        CRect page(c);
        if (Bottom())
            page.bottom -= h + 2 * u - 2 * u;
        else
            page.top += h + 2 * u - 2 * u;
        if (!(Style() & TCS_BUTTONS))
            DrawEdge(dc, &page, EDGE_RAISED, BF_RECT | BF_SOFT);
        int iw = 0, ih = 0;
        if (images)
            ImageList_GetIconSize(images, &iw, &ih);
        for (size_t i = size_t(first); i < rects.size(); ++i) {
            CRect r(rects[i]);
            bool sel = int(i) == cur;
            if (sel) {
                // the selected tab stands out a little and joins the page
                r.InflateRect(2 * u, 0, 2 * u, 0);
                if (Bottom())
                    r.bottom += 2 * u;
                else
                    r.top -= 2 * u;
            }
            if (Style() & TCS_BUTTONS) {
                DrawButtonFace(dc, r, sel, false);
            } else {
                RECT fill = r;
                if (Bottom())
                    fill.top -= 2 * u;
                else
                    fill.bottom += 2 * u;
                FillRect(dc, &fill, GetSysColorBrush(COLOR_BTNFACE));
                DrawEdge(dc, &r, EDGE_RAISED, (Bottom() ? (BF_LEFT | BF_RIGHT | BF_BOTTOM) : (BF_LEFT | BF_TOP | BF_RIGHT)) | BF_SOFT);
            }
            const Item& it = items[i];
            if (Style() & TCS_OWNERDRAWFIXED) {
                DRAWITEMSTRUCT dis{ODT_TAB, UINT(Id()), UINT(i), ODA_DRAWENTIRE, sel ? ODS_SELECTED : 0u, hwnd, dc, r,
                                   ULONG_PTR(it.param)};
                OwnerMessage(WM_DRAWITEM, reinterpret_cast<LPARAM>(&dis));
                continue;
            }
            CRect content(r);
            content.DeflateRect(padding.cx * u, u);
            if (images && it.image >= 0) {
                ImageList_Draw(images, it.image, dc, content.left, (content.top + content.bottom - ih) / 2, ILD_TRANSPARENT);
                content.left += iw + 3 * u;
            }
            DrawLabel(dc, it.text.c_str(), content, DT_SINGLELINE | DT_VCENTER | DT_LEFT, Enabled(), GetSysColor(COLOR_BTNTEXT));
            if (sel && Focused()) {
                CRect f(r);
                f.DeflateRect(2 * u, 2 * u);
                DrawFocusRect(dc, &f);
            }
        }
        if (scrolls) {
            const auto [left, right] = Arrows(rects);
            DrawButtonFace(dc, left, false, false);
            DrawArrow(dc, left, 2, first > 0);
            DrawButtonFace(dc, right, false, false);
            DrawArrow(dc, right, 3, rects.back().right > left.left);
        }
    }
};

}  // namespace

void RegisterTab() { RegisterControl<Tab>(WC_TABCONTROLW, CS_DBLCLKS); }

}  // namespace ctl
