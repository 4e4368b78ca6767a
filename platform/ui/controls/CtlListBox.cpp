// The "ListBox" class (single, multiple and extended selection, sorted, owner-drawn fixed and
// variable, horizontal extent) and "ComboLBox", the same list shown as the drop-down of a combo
// box. Selections made from code send nothing; the user's changes send LBN_SELCHANGE with
// LBS_NOTIFY: a key at once, a click when the mouse button is released (or when the click ends
// early because the list lost the capture or the focus). A click takes the focus first. Sorted
// lists collate in the user's locale; owner-drawn lists without strings compare item data, or
// ask their owner with WM_COMPAREITEM when sorted.
// Not supported: LBS_MULTICOLUMN, LBS_NODATA, LBS_WANTKEYBOARDINPUT.
#include "platform/base/Locale.h"
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDraw.h"
#include "platform/ui/controls/CtlPrivate.h"

#include <algorithm>
#include <vector>

namespace ctl {
namespace {

class ListBox : public Control {
public:
    using Control::Control;

    struct Item {
        std::wstring text;
        ULONG_PTR data = 0;
        bool sel = false;
        int height = 0;  // LBS_OWNERDRAWVARIABLE: the height the owner measured
    };
    std::vector<Item> items;
    int cur = -1;     // single selection: the selected item; else the focus (caret) item
    int anchor = -1;  // extended selection anchor
    int top = 0;
    int itemHeight = 0;
    bool tracking = false;  // a click is in progress (the list holds the capture)
    int extent = 0;         // LB_SETHORIZONTALEXTENT: width the items may scroll through
    int xOff = 0;           // horizontal scroll position
    bool dropDown = false;  // a combo box's drop-down list
    bool vbar = false;      // asked for at creation (the bar hides while not needed)
    bool hbar = false;      // likewise, for the horizontal extent
    HWND combo = nullptr;   // the combo box a drop-down list belongs to

    HWND Owner() const { return NotifyTarget(); }
    HWND NotifyTarget() const override { return combo ? combo : Control::NotifyTarget(); }

    DWORD St() const { return Style(); }
    bool Multi() const { return (St() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
    bool OwnerDraw() const { return (St() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
    bool Variable() const { return (St() & LBS_OWNERDRAWVARIABLE) != 0 && !dropDown; }
    bool Sorted() const { return (St() & LBS_SORT) != 0; }
    bool HasStrings() const { return !OwnerDraw() || (St() & LBS_HASSTRINGS); }
    int Count() const { return int(items.size()); }
    bool Valid(int i) const { return i >= 0 && i < Count(); }
    int ItemH()
    {
        if (itemHeight <= 0)
            itemHeight = LineHeight() + (dropDown ? 0 : 0);
        return itemHeight;
    }
    int HeightOf(int i)
    {
        return Variable() && Valid(i) && items[size_t(i)].height > 0 ? items[size_t(i)].height : ItemH();
    }
    int ClientH()
    {
        RECT r = Client();
        return int(r.bottom - r.top);
    }
    // Top of item i relative to the top of the client area.
    int YOf(int i)
    {
        if (!Variable())
            return (i - top) * ItemH();
        int y = 0;
        for (int k = top; k < i; ++k)
            y += HeightOf(k);
        for (int k = i; k < top; ++k)
            y -= HeightOf(k);
        return y;
    }
    // Items shown whole from the top (at least one).
    int PageCount()
    {
        if (!Variable())
            return std::max(1, ClientH() / ItemH());
        int n = 0, y = 0;
        for (int k = top; k < Count() && y + HeightOf(k) <= ClientH(); ++k, ++n)
            y += HeightOf(k);
        return std::max(1, n);
    }
    // The largest top index: the one that shows the last item at the bottom.
    int MaxTop()
    {
        if (!Variable())
            return std::max(0, Count() - PageCount());
        int t = Count(), y = 0;
        while (t > 0 && y + HeightOf(t - 1) <= ClientH())
            y += HeightOf(--t);
        return std::min(t, std::max(0, Count() - 1));
    }

    void UpdateScroll()
    {
        if (vbar) {
            SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | ((St() & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0u),
                          0, std::max(0, Count() - 1), UINT(PageCount()), top, 0};
            SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
        }
        if (hbar) {
            RECT r = Client();
            int width = int(r.right - r.left);
            xOff = std::clamp(xOff, 0, std::max(0, extent - width));
            SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | ((St() & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0u),
                          0, std::max(0, extent - 1), UINT(std::max(0, width)), xOff, 0};
            SetScrollInfo(hwnd, SB_HORZ, &si, TRUE);
        }
    }

    void SetTop(int t)
    {
        t = std::clamp(t, 0, MaxTop());
        if (t != top) {
            top = t;
            Redraw();
        }
        UpdateScroll();
    }

    void SetXOffset(int x)
    {
        RECT r = Client();
        x = std::clamp(x, 0, std::max(0, extent - int(r.right - r.left)));
        if (x != xOff) {
            xOff = x;
            Redraw();
        }
        UpdateScroll();
    }

    void EnsureVisible(int i)
    {
        if (!Valid(i))
            return;
        if (i < top) {
            SetTop(i);
        } else if (!Variable()) {
            if (i >= top + PageCount())
                SetTop(i - PageCount() + 1);
        } else {
            // the first top from which items t..i fit
            int t = top, h = 0;
            for (int k = t; k <= i; ++k)
                h += HeightOf(k);
            while (t < i && h > ClientH())
                h -= HeightOf(t++);
            SetTop(t);
        }
    }

    void Notify(UINT code)
    {
        if ((St() & LBS_NOTIFY) || dropDown) {
            if (HWND p = Owner())
                SendMessageW(p, WM_COMMAND, MAKEWPARAM(WORD(Id()), WORD(code)), reinterpret_cast<LPARAM>(hwnd));
        }
    }

    // `given` is the caller's lParam: the item data, or the string of a list with strings,
    // which the owner gets in WM_MEASUREITEM to measure the text.
    int Insert(int at, const std::wstring& s, ULONG_PTR data, ULONG_PTR given)
    {
        if (at < 0 || at > Count())
            at = Count();
        items.insert(items.begin() + at, Item{HasStrings() ? s : std::wstring(), data, false, 0});
        if (Variable()) {
            // each item of a variable list is measured as it comes; the font's height unless
            // the owner says otherwise
            MEASUREITEMSTRUCT mis{ODT_LISTBOX, UINT(Id()), UINT(at), 0, UINT(LineHeight()), given};
            OwnerMessage(WM_MEASUREITEM, reinterpret_cast<LPARAM>(&mis));
            if (Valid(at))
                items[size_t(at)].height = int(std::clamp<UINT>(mis.itemHeight, 1, 255));
        }
        if (cur >= at)
            ++cur;
        if (anchor >= at)
            ++anchor;
        UpdateScroll();
        Redraw();
        return at;
    }

    // The owner's order of two items of an owner-drawn list without strings (<0, 0, >0).
    int CompareData(ULONG_PTR a, int ia, ULONG_PTR b, int ib) const
    {
        COMPAREITEMSTRUCT cis{dropDown ? UINT(ODT_COMBOBOX) : UINT(ODT_LISTBOX), UINT(Id()), hwnd, UINT(ia), a, UINT(ib), b,
                              LOCALE_USER_DEFAULT};
        return int(OwnerMessage(WM_COMPAREITEM, reinterpret_cast<LPARAM>(&cis)));
    }

    // Where a new item goes in a sorted list: after the items equal to it.
    int SortedPosition(const std::wstring& s, ULONG_PTR data) const
    {
        int pos = 0;
        while (pos < Count() && (HasStrings() ? CompareNoCase(items[size_t(pos)].text, s)
                                              : CompareData(items[size_t(pos)].data, pos, data, -1)) <= 0)
            ++pos;
        return pos;
    }

    // LB_FINDSTRING / LB_FINDSTRINGEXACT from the item after `after`, round to it. Without
    // strings lParam is item data: equal data, or the owner's "equal" in a sorted list.
    int Find(int after, LPARAM key, bool exact) const
    {
        int n = Count();
        if (n == 0)
            return LB_ERR;
        if (HasStrings() && !key)
            return LB_ERR;
        std::wstring s = HasStrings() ? std::wstring(reinterpret_cast<LPCWSTR>(key)) : std::wstring();
        int start = (after < 0 || after >= n) ? 0 : after + 1;
        for (int k = 0; k < n; ++k) {
            int i = (start + k) % n;
            const Item& it = items[size_t(i)];
            bool hit;
            if (!HasStrings())
                hit = Sorted() ? CompareData(it.data, i, ULONG_PTR(key), -1) == 0 : it.data == ULONG_PTR(key);
            else
                hit = exact ? CompareNoCase(it.text, s) == 0 : StartsWithNoCase(it.text, s);
            if (hit)
                return i;
        }
        return LB_ERR;
    }

    // Selects item i the way a user action does; returns whether anything changed.
    bool SelectSingle(int i)
    {
        if (!Valid(i) || i == cur)
            return false;
        cur = i;
        EnsureVisible(i);
        Redraw();
        return true;
    }

    bool SelectExtended(int i, bool shift, bool ctrl)
    {
        if (!Valid(i))
            return false;
        std::vector<bool> before;
        for (auto& it : items)
            before.push_back(it.sel);
        if (St() & LBS_MULTIPLESEL) {
            items[size_t(i)].sel = !items[size_t(i)].sel;
        } else if (shift && Valid(anchor)) {
            if (!ctrl)
                for (auto& it : items)
                    it.sel = false;
            for (int k = std::min(anchor, i); k <= std::max(anchor, i); ++k)
                items[size_t(k)].sel = true;
        } else if (ctrl) {
            items[size_t(i)].sel = !items[size_t(i)].sel;
            anchor = i;
        } else {
            for (auto& it : items)
                it.sel = false;
            items[size_t(i)].sel = true;
            anchor = i;
        }
        cur = i;
        EnsureVisible(i);
        Redraw();
        for (size_t k = 0; k < items.size(); ++k)
            if (before[k] != items[k].sel)
                return true;
        return false;
    }

    int ItemAt(POINT p, bool* outside = nullptr)
    {
        RECT r = Client();
        bool out = p.x < r.left || p.x >= r.right || p.y < r.top || p.y >= r.bottom;
        int i;
        if (!Variable()) {
            i = top + (p.y >= 0 ? p.y / ItemH() : -1);
        } else if (p.y < 0) {
            i = top - 1;
        } else {
            i = top;
            for (int y = 0; i < Count() && y + HeightOf(i) <= p.y; ++i)
                y += HeightOf(i);
        }
        if (outside)
            *outside = out || !Valid(i);
        return std::clamp(i, 0, std::max(0, Count() - 1));
    }

    void UserSelect(int i, WPARAM keys)
    {
        HWND self = hwnd;
        bool changed = Multi() ? SelectExtended(i, (keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0) : SelectSingle(i);
        if (changed && IsWindow(self))
            Notify(LBN_SELCHANGE);
    }

    // A selection made by the mouse: reported when the click ends.
    void MouseSelect(int i, WPARAM keys)
    {
        if (Multi())
            SelectExtended(i, (keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0);
        else
            SelectSingle(i);
    }

    // The click ends: by the button's release, or early when the capture or the focus goes
    // elsewhere. The capture is given back and the parent hears of the selection.
    void EndClick()
    {
        if (!tracking)
            return;
        tracking = false;
        if (GetCapture() == hwnd)
            ReleaseCapture();
        if (IsWindow(hwnd) && Count())
            Notify(LBN_SELCHANGE);
    }

    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case WM_CREATE:
            dropDown = (St() & LBS_COMBOBOX) != 0;
            if (auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam); cs && dropDown)
                combo = static_cast<HWND>(cs->lpCreateParams);
            vbar = (St() & WS_VSCROLL) != 0;
            hbar = (St() & WS_HSCROLL) != 0;
            if (St() & LBS_OWNERDRAWFIXED) {
                MEASUREITEMSTRUCT mis{dropDown ? ODT_COMBOBOX : ODT_LISTBOX, UINT(Id()), 0, 0, UINT(LineHeight()), 0};
                OwnerMessage(WM_MEASUREITEM, reinterpret_cast<LPARAM>(&mis));
                itemHeight = int(std::max<UINT>(1, mis.itemHeight));
            }
            UpdateScroll();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SIZE:
            SetTop(top);
            return 0;
        case WM_SETFONT:
            font = reinterpret_cast<HFONT>(wParam);
            if (!OwnerDraw())
                itemHeight = 0;
            UpdateScroll();
            Redraw();
            return 0;
        case LB_ADDSTRING:
        case LB_INSERTSTRING: {
            std::wstring s = HasStrings() && lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
            ULONG_PTR data = HasStrings() ? 0 : ULONG_PTR(lParam);
            int at = msg == LB_INSERTSTRING ? int(wParam) : (Sorted() ? SortedPosition(s, data) : Count());
            return Insert(at, s, data, ULONG_PTR(lParam));
        }
        case LB_DELETESTRING: {
            int i = int(wParam);
            if (!Valid(i))
                return LB_ERR;
            if (OwnerDraw())
                DeleteNotify(i);
            items.erase(items.begin() + i);
            if (cur == i)
                cur = Multi() ? std::min(i, Count() - 1) : -1;
            else if (cur > i)
                --cur;
            if (anchor >= Count())
                anchor = Count() - 1;
            SetTop(top);
            Redraw();
            return Count();
        }
        case LB_RESETCONTENT:
            if (OwnerDraw())
                for (int i = 0; i < Count(); ++i)
                    DeleteNotify(i);
            items.clear();
            cur = anchor = -1;
            top = 0;
            UpdateScroll();
            Redraw();
            return 0;
        case LB_GETCOUNT:
            return Count();
        case LB_GETTEXT: {
            int i = int(wParam);
            if (!Valid(i))
                return LB_ERR;
            if (!HasStrings()) {
                if (lParam)
                    *reinterpret_cast<ULONG_PTR*>(lParam) = items[size_t(i)].data;
                return sizeof(ULONG_PTR);
            }
            const std::wstring& t = items[size_t(i)].text;
            if (lParam) {
                auto* buf = reinterpret_cast<LPWSTR>(lParam);
                std::copy(t.begin(), t.end(), buf);
                buf[t.size()] = 0;
            }
            return LRESULT(t.size());
        }
        case LB_GETTEXTLEN:
            return Valid(int(wParam)) ? LRESULT(HasStrings() ? items[size_t(wParam)].text.size() : sizeof(ULONG_PTR)) : LB_ERR;
        case LB_GETITEMDATA:
            return Valid(int(wParam)) ? LRESULT(items[size_t(wParam)].data) : LB_ERR;
        case LB_SETITEMDATA:
            if (!Valid(int(wParam)))
                return LB_ERR;
            items[size_t(wParam)].data = ULONG_PTR(lParam);
            return 0;
        case LB_SETCURSEL: {
            if (Multi())
                return LB_ERR;
            int i = int(wParam);
            cur = Valid(i) ? i : -1;
            if (Valid(i))
                anchor = i;  // the item a later shift-extension would start from
            EnsureVisible(cur);
            Redraw();
            return Valid(i) ? i : LB_ERR;
        }
        case LB_GETCURSEL:
            return Valid(cur) ? cur : LB_ERR;
        case LB_SETSEL: {
            if (!Multi())
                return LB_ERR;
            int i = int(lParam);
            if (i == -1) {
                for (auto& it : items)
                    it.sel = wParam != 0;
            } else if (Valid(i)) {
                items[size_t(i)].sel = wParam != 0;
                cur = i;
                if (wParam)
                    anchor = i;
            } else {
                return LB_ERR;
            }
            Redraw();
            return 0;
        }
        case LB_SELITEMRANGE:
        case LB_SELITEMRANGEEX: {
            if (!Multi())
                return LB_ERR;
            int a, b;
            bool on;
            if (msg == LB_SELITEMRANGE) {
                a = LOWORD(lParam);
                b = HIWORD(lParam);
                on = wParam != 0;
            } else {
                a = int(wParam);
                b = int(lParam);
                on = a <= b;
            }
            for (int k = std::max(0, std::min(a, b)); k <= std::min(Count() - 1, std::max(a, b)); ++k)
                items[size_t(k)].sel = on;
            Redraw();
            return 0;
        }
        case LB_GETSEL:
            if (!Valid(int(wParam)))
                return LB_ERR;
            return Multi() ? (items[size_t(wParam)].sel ? 1 : 0) : (int(wParam) == cur ? 1 : 0);
        case LB_GETSELCOUNT: {
            if (!Multi())
                return LB_ERR;
            return std::count_if(items.begin(), items.end(), [](const Item& it) { return it.sel; });
        }
        case LB_GETSELITEMS: {
            if (!Multi())
                return LB_ERR;
            int n = 0, max = int(wParam);
            auto* out = reinterpret_cast<int*>(lParam);
            for (int k = 0; k < Count() && n < max; ++k)
                if (items[size_t(k)].sel) {
                    if (out)
                        out[n] = k;
                    ++n;
                }
            return n;
        }
        case LB_FINDSTRING:
        case LB_FINDSTRINGEXACT:
            return Find(int(wParam), lParam, msg == LB_FINDSTRINGEXACT);
        case LB_SELECTSTRING: {
            int i = Find(int(wParam), lParam, false);
            if (i == LB_ERR)
                return LB_ERR;
            if (Multi()) {
                items[size_t(i)].sel = true;
                cur = i;
            } else {
                cur = i;
            }
            EnsureVisible(i);
            Redraw();
            return i;
        }
        case LB_GETTOPINDEX:
            return top;
        case LB_SETTOPINDEX:
            if (Count() && !Valid(int(wParam)))
                return LB_ERR;
            SetTop(int(wParam));
            return 0;
        case LB_GETITEMRECT: {
            int i = int(wParam);
            auto* out = reinterpret_cast<RECT*>(lParam);
            if (!out || (!Valid(i) && !(i == 0 && Count() == 0)))
                return LB_ERR;
            RECT r = Client();
            int y = YOf(i);
            *out = RECT{r.left - xOff, r.top + y, std::max<LONG>(r.right, extent) - xOff, r.top + y + HeightOf(i)};
            return 0;
        }
        case LB_SETITEMHEIGHT:
            if (LOWORD(lParam) == 0 || LOWORD(lParam) > 255)
                return LB_ERR;
            if (Variable()) {
                if (!Valid(int(wParam)))
                    return LB_ERR;
                items[size_t(wParam)].height = LOWORD(lParam);
            } else {
                itemHeight = LOWORD(lParam);
            }
            SetTop(top);
            Redraw();
            return 0;
        case LB_GETITEMHEIGHT:
            if (Variable() && Count() && !Valid(int(wParam)))
                return LB_ERR;
            return HeightOf(int(wParam));
        case LB_SETHORIZONTALEXTENT:
            if (hbar) {
                extent = std::max(0, int(wParam));
                SetXOffset(xOff);
                Redraw();
            }
            return 0;
        case LB_GETHORIZONTALEXTENT:
            return extent;
        case LB_ITEMFROMPOINT: {
            bool outside = false;
            int i = ItemAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, &outside);
            return MAKELONG(WORD(i), WORD(outside ? 1 : 0));
        }
        case LB_SETCARETINDEX:
            if (!Valid(int(wParam)))
                return LB_ERR;
            cur = int(wParam);
            EnsureVisible(cur);
            Redraw();
            return 0;
        case LB_GETCARETINDEX:
            return cur;
        case LB_SETANCHORINDEX:
            anchor = int(wParam);
            return 0;
        case LB_GETANCHORINDEX:
            return anchor;
        case WM_SETFOCUS:
            Redraw();
            if (!dropDown)
                Notify(LBN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS: {
            HWND self = hwnd;
            if (!dropDown)
                EndClick();
            if (!IsWindow(self))
                return 0;
            Redraw();
            if (!dropDown)
                Notify(LBN_KILLFOCUS);
            return 0;
        }
        case WM_LBUTTONDOWN: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (dropDown) {
                bool outside = false;
                ItemAt(p, &outside);
                RECT r = Client();
                if (p.x < r.left || p.x >= r.right || p.y < r.top || p.y >= r.bottom) {
                    SendMessageW(Owner(), kComboListCancel, 0, 0);
                    return 0;
                }
                tracking = true;
                SelectSingle(ItemAt(p));
                return 0;
            }
            if (!TakeFocus())
                return 0;
            bool outside = false;
            int i = ItemAt(p, &outside);
            if (outside)
                return 0;
            MouseSelect(i, wParam);
            tracking = true;
            SetCapture(hwnd);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (dropDown) {
                RECT r = Client();
                POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom)
                    SelectSingle(ItemAt(p));
                return 0;
            }
            if (tracking && !(St() & LBS_MULTIPLESEL)) {
                int i = ItemAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
                if (i != cur)
                    MouseSelect(i, Multi() ? MK_SHIFT : 0);
            }
            return 0;
        case WM_LBUTTONUP:
            if (dropDown) {
                RECT r = Client();
                POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                bool in = p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
                if (in && Valid(cur) && (tracking || true))
                    SendMessageW(Owner(), kComboListPicked, WPARAM(cur), 0);
                tracking = false;
                return 0;
            }
            EndClick();
            return 0;
        case kComboListTrack:
            SetCapture(hwnd);
            return 0;
        case WM_CAPTURECHANGED:
            if (dropDown)
                tracking = false;
            else if (reinterpret_cast<HWND>(lParam) != hwnd)
                EndClick();
            return 0;
        case WM_LBUTTONDBLCLK:
            if (!dropDown) {
                Notify(LBN_DBLCLK);
            }
            return 0;
        case WM_KEYDOWN:
            return OnKey(UINT(wParam));
        case WM_CHAR: {
            if (wParam == VK_SPACE && (St() & LBS_MULTIPLESEL) && Valid(cur)) {
                UserSelect(cur, 0);
                return 0;
            }
            if (wParam < 0x20)
                return 0;
            std::wstring typed(1, wchar_t(wParam));
            int i = HasStrings() ? Find(cur, reinterpret_cast<LPARAM>(typed.c_str()), false) : LB_ERR;
            if (i != LB_ERR)
                UserSelect(i, 0);
            return 0;
        }
        case WM_VSCROLL:
            switch (LOWORD(wParam)) {
            case SB_LINEUP: SetTop(top - 1); break;
            case SB_LINEDOWN: SetTop(top + 1); break;
            case SB_PAGEUP: SetTop(top - PageCount()); break;
            case SB_PAGEDOWN: SetTop(top + PageCount()); break;
            case SB_TOP: SetTop(0); break;
            case SB_BOTTOM: SetTop(Count()); break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION: SetTop(int(HIWORD(wParam))); break;
            default: break;
            }
            return 0;
        case WM_HSCROLL: {
            RECT r = Client();
            int page = std::max(1, int(r.right - r.left)), step = std::max(1, LineHeight() / 2);
            switch (LOWORD(wParam)) {
            case SB_LINELEFT: SetXOffset(xOff - step); break;
            case SB_LINERIGHT: SetXOffset(xOff + step); break;
            case SB_PAGELEFT: SetXOffset(xOff - page); break;
            case SB_PAGERIGHT: SetXOffset(xOff + page); break;
            case SB_LEFT: SetXOffset(0); break;
            case SB_RIGHT: SetXOffset(extent); break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION: SetXOffset(int(HIWORD(wParam))); break;
            default: break;
            }
            return 0;
        }
        case WM_MOUSEWHEEL:
            SetTop(top - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3);
            return 0;
        default:
            return Control::Proc(msg, wParam, lParam);
        }
    }

    LRESULT OnKey(UINT vk)
    {
        if (!Count())
            return 0;
        int i = Valid(cur) ? cur : 0;
        switch (vk) {
        case VK_UP: i = Valid(cur) ? cur - 1 : 0; break;
        case VK_DOWN: i = Valid(cur) ? cur + 1 : 0; break;
        case VK_PRIOR: i -= PageCount() - 1; break;
        case VK_NEXT: i += PageCount() - 1; break;
        case VK_HOME: i = 0; break;
        case VK_END: i = Count() - 1; break;
        default: return 0;
        }
        i = std::clamp(i, 0, Count() - 1);
        if (St() & LBS_MULTIPLESEL) {
            cur = i;
            EnsureVisible(i);
            Redraw();
            return 0;
        }
        UserSelect(i, GetKeyState(VK_SHIFT) < 0 ? MK_SHIFT : 0);
        return 0;
    }

    void DeleteNotify(int i)
    {
        DELETEITEMSTRUCT ds{dropDown ? ODT_COMBOBOX : ODT_LISTBOX, UINT(Id()), UINT(i), hwnd, items[size_t(i)].data};
        OwnerMessage(WM_DELETEITEM, reinterpret_cast<LPARAM>(&ds));
    }

    bool IsSel(int i) const { return Multi() ? items[size_t(i)].sel : i == cur; }

    void Paint(HDC dc) override
    {
        RECT r = Client();
        HBRUSH back = CtlColor(WM_CTLCOLORLISTBOX, dc);
        if (back)
            FillRect(dc, &r, back);
        COLORREF ink = Enabled() ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
        int u = Unit(), y = r.top;
        for (int i = top; i < Count(); ++i) {
            RECT ir{r.left - xOff, y, std::max<LONG>(r.right, extent) - xOff, y + HeightOf(i)};
            y = ir.bottom;
            if (ir.top >= r.bottom)
                break;
            bool sel = IsSel(i);
            if (OwnerDraw()) {
                UINT st = (sel ? ODS_SELECTED : 0) | (Enabled() ? 0 : ODS_DISABLED) | (Focused() && i == cur ? ODS_FOCUS : 0);
                DRAWITEMSTRUCT dis{dropDown ? ODT_COMBOBOX : ODT_LISTBOX, UINT(Id()), UINT(i), ODA_DRAWENTIRE, st, hwnd, dc, ir,
                                   items[size_t(i)].data};
                OwnerMessage(WM_DRAWITEM, reinterpret_cast<LPARAM>(&dis));
                continue;
            }
            if (sel) {
                FillRect(dc, &ir, GetSysColorBrush(COLOR_HIGHLIGHT));
                SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            } else {
                SetTextColor(dc, ink);
            }
            RECT tr{ir.left + 2 * u, ir.top, ir.right - u, ir.bottom};
            UINT fmt = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | ((St() & LBS_USETABSTOPS) ? DT_EXPANDTABS : 0);
            DrawTextW(dc, items[size_t(i)].text.c_str(), -1, &tr, fmt);
            if (Focused() && i == cur && !dropDown)
                DrawFocusRect(dc, &ir);
        }
    }
};

}  // namespace

void RegisterListBox()
{
    RegisterControl<ListBox>(WC_LISTBOXW, CS_DBLCLKS);
    RegisterControl<ListBox>(WC_COMBOLBOXW, CS_DBLCLKS | CS_SAVEBITS);
}

}  // namespace ctl
