// "SysListView32" in report mode (the other views are drawn as a report too): rows of cells
// under a header, selection and focus states with LVN_ITEMCHANGING/LVN_ITEMCHANGED, check boxes,
// full-row selection, grid lines, and custom drawing through NM_CUSTOMDRAW at the prepaint,
// item and sub-item stages. A click takes the focus, changes the selection, then sends NM_CLICK.
// Texts and images given as callbacks are asked for with LVN_GETDISPINFO; with LVS_OWNERDATA the
// control keeps only the item count and the selection and focus, and asks for everything else.
// Labels are edited in place (LVM_EDITLABEL, or a second click with LVS_EDITLABELS) between
// LVN_BEGINLABELEDIT and LVN_ENDLABELEDIT. Items are kept in order with LVS_SORTASCENDING /
// LVS_SORTDESCENDING; destroying the control reports the deletion of every item.
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDraw.h"
#include "platform/ui/controls/CtlLabelEdit.h"
#include "platform/ui/controls/CtlPrivate.h"

#include <algorithm>
#include <vector>

namespace ctl {
namespace {

constexpr int kLvsilNormal = 0, kLvsilSmall = 1, kLvsilState = 2;
constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT_PTR kEditTimer = 2;
constexpr UINT kHoverMs = 400;
// Room given to the parent for a callback text (as Win32 gives).
constexpr int kDispTextMax = 260;

class ListView : public Control {
public:
    using Control::Control;
    struct Row {
        std::vector<std::wstring> cells;
        std::vector<bool> callback;  // per cell: the text is the parent's (LPSTR_TEXTCALLBACK)
        LPARAM param = 0;
        UINT state = 0;
        int image = -1;
        bool imageCallback = false;  // I_IMAGECALLBACK
        int indent = 0;
    };
    std::vector<Row> rows;
    std::vector<int> colFmt;  // per column (sub-item) format
    HWND header = nullptr;
    DWORD ex = 0;
    HIMAGELIST small = nullptr, normal = nullptr, stateImages = nullptr;
    COLORREF bk = CLR_DEFAULT, text = CLR_DEFAULT, textBk = CLR_DEFAULT;
    int top = 0, xOffset = 0, mark = -1, anchor = -1;
    bool vbar = false, hbar = false;
    HWND tips = nullptr;
    int hot = -1;  // item under the mouse (LVS_EX_TRACKSELECT)
    UINT callbackMask = 0;  // state bits the parent keeps (LVM_SETCALLBACKMASK)
    LabelEdit labelEdit;
    int editItem = -1, pendingEdit = -1;
    bool rclickHandled = false;  // the parent answered NM_RCLICK non-zero

    bool OwnerData() const { return (Style() & LVS_OWNERDATA) != 0; }
    bool Sorted() const { return (Style() & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) != 0 && !OwnerData(); }
    bool IsCallback(int i, int col) const
    {
        const Row& r = rows[size_t(i)];
        return OwnerData() || (size_t(col) < r.callback.size() && r.callback[size_t(col)]);
    }
    void SetCell(Row& r, int col, LPCWSTR t)
    {
        if (size_t(col) >= r.cells.size())
            r.cells.resize(size_t(col) + 1);
        if (size_t(col) >= r.callback.size())
            r.callback.resize(size_t(col) + 1);
        r.callback[size_t(col)] = t == LPSTR_TEXTCALLBACKW;
        r.cells[size_t(col)] = t && t != LPSTR_TEXTCALLBACKW ? t : L"";
    }

    // Asks the parent for what it keeps of an item (LVN_GETDISPINFO); the item as the parent
    // filled it, its text copied to `text`. LVIF_DI_SETITEM makes the control keep the answer.
    LVITEMW AskDispInfo(int i, int col, UINT mask, std::wstring* text)
    {
        wchar_t buf[kDispTextMax] = {};
        NMLVDISPINFOW di{};
        di.item.mask = mask;
        di.item.iItem = i;
        di.item.iSubItem = col;
        di.item.pszText = buf;
        di.item.cchTextMax = kDispTextMax;
        di.item.stateMask = callbackMask;
        di.item.lParam = Valid(i) ? rows[size_t(i)].param : 0;
        HWND self = hwnd;
        NotifyParent(di.hdr, LVN_GETDISPINFOW);
        if (text) {
            LPCWSTR got = di.item.pszText && di.item.pszText != LPSTR_TEXTCALLBACKW ? di.item.pszText : L"";
            *text = std::wstring(got, wcsnlen(got, size_t(kDispTextMax)));
        }
        if (IsWindow(self) && Valid(i) && !OwnerData() && (di.item.mask & LVIF_DI_SETITEM)) {
            Row& r = rows[size_t(i)];
            if ((mask & LVIF_TEXT) && text)
                SetCell(r, col, text->c_str());
            if ((mask & LVIF_IMAGE) && col == 0) {
                r.image = di.item.iImage;
                r.imageCallback = false;
            }
        }
        return di.item;
    }
    std::wstring CellText(int i, int col)
    {
        if (!Valid(i) || col < 0)
            return {};
        if (IsCallback(i, col)) {
            std::wstring t;
            AskDispInfo(i, col, LVIF_TEXT, &t);
            return t;
        }
        const Row& r = rows[size_t(i)];
        return size_t(col) < r.cells.size() ? r.cells[size_t(col)] : std::wstring();
    }
    int ItemImage(int i)
    {
        if (!Valid(i))
            return -1;
        if (OwnerData() || rows[size_t(i)].imageCallback)
            return AskDispInfo(i, 0, LVIF_IMAGE, nullptr).iImage;
        return rows[size_t(i)].image;
    }
    // The state bits in mask; those the parent keeps are asked for.
    UINT ItemState(int i, UINT mask)
    {
        if (!Valid(i))
            return 0;
        UINT own = rows[size_t(i)].state & mask & ~callbackMask;
        if (!(mask & callbackMask))
            return own;
        LVITEMW got = AskDispInfo(i, 0, LVIF_STATE, nullptr);
        return own | (got.state & mask & callbackMask);
    }

    int Count() const { return int(rows.size()); }
    bool Valid(int i) const { return i >= 0 && i < Count(); }
    int Columns() const { return header ? int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0; }
    int HeaderHeight() const
    {
        if (!header || (Style() & LVS_NOCOLUMNHEADER))
            return 0;
        RECT r{};
        GetWindowRect(header, &r);
        return r.bottom - r.top;
    }
    int RowH()
    {
        int ih = 0, iw = 0;
        if (small)
            ImageList_GetIconSize(small, &iw, &ih);
        return std::max(LineHeight() + 2 * Unit(), ih + Unit());
    }
    int PageRows()
    {
        RECT c = Client();
        return std::max(1, int(c.bottom - c.top - HeaderHeight()) / RowH());
    }
    RECT ColRect(int col) const
    {
        RECT r{};
        if (header)
            SendMessageW(header, HDM_GETITEMRECT, WPARAM(col), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    int TotalWidth() const
    {
        int w = 0;
        for (int k = 0; k < Columns(); ++k) {
            RECT r = ColRect(k);
            w += r.right - r.left;
        }
        return w;
    }
    RECT RowRect(int i)
    {
        RECT c = Client();
        int y = c.top + HeaderHeight() + (i - top) * RowH();
        return RECT{c.left - xOffset, y, c.left - xOffset + std::max(TotalWidth(), int(c.right - c.left)), y + RowH()};
    }
    RECT CellRect(int i, int col)
    {
        RECT row = RowRect(i), cr = ColRect(col);
        return RECT{cr.left, row.top, cr.right, row.bottom};
    }
    int StateBox() const { return (ex & LVS_EX_CHECKBOXES) ? 13 * Unit() + 4 * Unit() : 0; }

    void LayoutHeader()
    {
        if (!header)
            return;
        RECT c = Client();
        bool hidden = (Style() & LVS_NOCOLUMNHEADER) != 0;
        RECT rc{c.left, c.top, c.right, c.bottom};
        WINDOWPOS wp{};
        HDLAYOUT l{&rc, &wp};
        SendMessageW(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&l));
        SetWindowPos(header, nullptr, wp.x, wp.y, wp.cx, hidden ? 0 : wp.cy, SWP_NOZORDER | SWP_NOACTIVATE | (hidden ? SWP_HIDEWINDOW : SWP_SHOWWINDOW));
        SendMessageW(header, kHeaderScroll, WPARAM(xOffset), 0);
    }

    void UpdateScroll()
    {
        if (vbar) {
            SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, Count() - 1), UINT(PageRows()), top, 0};
            SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
        }
        if (hbar) {
            RECT c = Client();
            SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, TotalWidth() - 1), UINT(c.right - c.left), xOffset, 0};
            SetScrollInfo(hwnd, SB_HORZ, &si, TRUE);
        }
    }

    void SetTop(int t)
    {
        t = std::clamp(t, 0, std::max(0, Count() - PageRows()));
        if (t != top) {
            top = t;
            Redraw();
        }
        UpdateScroll();
    }

    void SetX(int x)
    {
        RECT c = Client();
        x = std::clamp(x, 0, std::max(0, TotalWidth() - int(c.right - c.left)));
        if (x != xOffset) {
            xOffset = x;
            LayoutHeader();
            Redraw();
        }
        UpdateScroll();
    }

    void EnsureVisible(int i)
    {
        if (!Valid(i))
            return;
        if (i < top)
            SetTop(i);
        else if (i >= top + PageRows())
            SetTop(i - PageRows() + 1);
    }

    // Changes the state bits of a row as Win32 does: asks with LVN_ITEMCHANGING (non-zero
    // refuses), then reports LVN_ITEMCHANGED.
    bool SetState(int i, UINT state, UINT mask)
    {
        if (!Valid(i))
            return false;
        if (OwnerData())
            mask &= LVIS_SELECTED | LVIS_FOCUSED | LVIS_CUT | LVIS_DROPHILITED;
        mask &= ~callbackMask;
        UINT old = rows[size_t(i)].state;
        UINT now = (old & ~mask) | (state & mask);
        if (now == old)
            return true;
        HWND self = hwnd;
        NMLISTVIEW nm{};
        nm.iItem = i;
        nm.uNewState = now;
        nm.uOldState = old;
        nm.uChanged = LVIF_STATE;
        nm.lParam = rows[size_t(i)].param;
        if (NotifyParent(nm.hdr, LVN_ITEMCHANGING) != 0 || !IsWindow(self) || !Valid(i))
            return false;
        if ((now & LVIS_SELECTED) && !(old & LVIS_SELECTED) && (Style() & LVS_SINGLESEL)) {
            for (int k = 0; k < Count(); ++k)
                if (k != i && (rows[size_t(k)].state & LVIS_SELECTED))
                    SetState(k, 0, LVIS_SELECTED);
            if (!IsWindow(self) || !Valid(i))
                return false;
        }
        if ((now & LVIS_FOCUSED) && !(old & LVIS_FOCUSED)) {
            for (int k = 0; k < Count(); ++k)
                if (k != i && (rows[size_t(k)].state & LVIS_FOCUSED))
                    SetState(k, 0, LVIS_FOCUSED);
            if (!IsWindow(self) || !Valid(i))
                return false;
        }
        old = rows[size_t(i)].state;
        rows[size_t(i)].state = (old & ~mask) | (state & mask);
        nm.uOldState = old;
        nm.uNewState = rows[size_t(i)].state;
        Redraw();
        NotifyParent(nm.hdr, LVN_ITEMCHANGED);
        return true;
    }

    void SelectOnly(int i)
    {
        HWND self = hwnd;
        for (int k = 0; k < Count() && IsWindow(self); ++k)
            if (k != i && (rows[size_t(k)].state & LVIS_SELECTED))
                SetState(k, 0, LVIS_SELECTED);
        if (IsWindow(self))
            SetState(i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        mark = anchor = i;
    }

    void UserPick(int i, bool shift, bool ctrl)
    {
        if (!Valid(i))
            return;
        HWND self = hwnd;
        if (shift && !Valid(anchor)) {
            // a range grows from the selection mark, or from the focused item
            anchor = mark;
            for (int k = 0; k < Count() && !Valid(anchor); ++k)
                if (rows[size_t(k)].state & LVIS_FOCUSED)
                    anchor = k;
        }
        if (!(Style() & LVS_SINGLESEL) && shift && Valid(anchor) && OwnerData()) {
            // a virtual list reports a range in one notification
            int from = std::min(anchor, i), to = std::max(anchor, i);
            for (int k = 0; k < Count() && IsWindow(self); ++k) {
                bool in = k >= from && k <= to;
                if (!in && !ctrl && (rows[size_t(k)].state & LVIS_SELECTED))
                    SetState(k, 0, LVIS_SELECTED);
            }
            if (!IsWindow(self))
                return;
            for (int k = from; k <= to && Valid(k); ++k)
                rows[size_t(k)].state |= LVIS_SELECTED;
            NMLVODSTATECHANGE od{};
            od.iFrom = from;
            od.iTo = to;
            od.uNewState = LVIS_SELECTED;
            NotifyParent(od.hdr, LVN_ODSTATECHANGED);
            Redraw();
            if (IsWindow(self))
                SetState(i, LVIS_FOCUSED, LVIS_FOCUSED);
        } else if (!(Style() & LVS_SINGLESEL) && shift && Valid(anchor)) {
            for (int k = 0; k < Count() && IsWindow(self); ++k) {
                bool in = k >= std::min(anchor, i) && k <= std::max(anchor, i);
                if (in || !ctrl)
                    SetState(k, in ? LVIS_SELECTED : 0, LVIS_SELECTED);
            }
            if (IsWindow(self))
                SetState(i, LVIS_FOCUSED, LVIS_FOCUSED);
        } else if (!(Style() & LVS_SINGLESEL) && ctrl) {
            SetState(i, (rows[size_t(i)].state & LVIS_SELECTED) ? LVIS_FOCUSED : (LVIS_SELECTED | LVIS_FOCUSED),
                     LVIS_SELECTED | LVIS_FOCUSED);
            anchor = mark = i;
        } else {
            SelectOnly(i);
        }
        if (IsWindow(self))
            EnsureVisible(i);
    }

    int HitTest(POINT p, UINT* flags, int* sub)
    {
        RECT c = Client();
        if (flags)
            *flags = LVHT_NOWHERE;
        if (sub)
            *sub = 0;
        if (p.y < c.top + HeaderHeight() || p.x < c.left || p.x >= c.right || p.y >= c.bottom) {
            if (flags)
                *flags = p.y < c.top + HeaderHeight() ? LVHT_ABOVE : LVHT_BELOW;
            return -1;
        }
        int i = top + (p.y - c.top - HeaderHeight()) / RowH();
        if (!Valid(i))
            return -1;
        int col = -1;
        for (int k = 0; k < Columns(); ++k) {
            RECT r = ColRect(k);
            if (p.x >= r.left && p.x < r.right)
                col = k;
        }
        if (sub)
            *sub = std::max(0, col);
        if (flags) {
            RECT first = ColRect(0);
            if (col < 0)
                *flags = LVHT_NOWHERE;
            else if (col == 0 && StateBox() && p.x < first.left + StateBox())
                *flags = LVHT_ONITEMSTATEICON;
            else if (col == 0 || (ex & LVS_EX_FULLROWSELECT))
                *flags = LVHT_ONITEMLABEL;
            else
                *flags = LVHT_ONITEMLABEL;
        }
        if (col < 0 && !(ex & LVS_EX_FULLROWSELECT))
            return -1;
        if (col > 0 && !(ex & LVS_EX_FULLROWSELECT) && flags) {
            // outside the first column only full-row selection hits the item
            *flags = LVHT_NOWHERE;
            return -1;
        }
        return i;
    }

    LRESULT NotifyActivate(UINT code, int i, int sub, POINT p)
    {
        NMITEMACTIVATE nm{};
        nm.iItem = i;
        nm.iSubItem = sub;
        nm.ptAction = p;
        nm.lParam = Valid(i) ? rows[size_t(i)].param : 0;
        return NotifyParent(nm.hdr, code);
    }

    // Where a new label goes in a sorted list: after the labels that sort with it or before.
    int SortedPosition(const std::wstring& text)
    {
        bool down = (Style() & LVS_SORTDESCENDING) != 0;
        int k = 0;
        while (k < Count()) {
            int c = CompareNoCase(CellText(k, 0), text);
            if (down ? c < 0 : c > 0)
                break;
            ++k;
        }
        return k;
    }

    // Inserts an item. As in Win32 the state is taken whole (stateMask does not matter), and a
    // new item that is selected or focused is reported like a change of state after
    // LVN_INSERTITEM.
    int Insert(const LVITEMW& it)
    {
        if (it.iItem < 0)
            return -1;
        Row r;
        r.cells.resize(size_t(std::max(1, Columns())));
        if (it.mask & LVIF_TEXT)
            SetCell(r, 0, it.pszText);
        if (it.mask & LVIF_PARAM)
            r.param = it.lParam;
        if (it.mask & LVIF_IMAGE) {
            r.image = it.iImage;
            r.imageCallback = it.iImage == I_IMAGECALLBACK;
        }
        if (it.mask & LVIF_INDENT)
            r.indent = it.iIndent;
        UINT wanted = 0;
        if ((it.mask & LVIF_STATE) && !OwnerData()) {
            r.state = it.state & ~(LVIS_SELECTED | LVIS_FOCUSED);
            wanted = it.state & (LVIS_SELECTED | LVIS_FOCUSED);
        }
        if ((ex & LVS_EX_CHECKBOXES) && !(r.state & LVIS_STATEIMAGEMASK))
            r.state |= INDEXTOSTATEIMAGEMASK(1);
        int at = Sorted() ? SortedPosition(r.cells[0]) : std::clamp(it.iItem, 0, Count());
        rows.insert(rows.begin() + at, r);
        for (int* index : {&mark, &anchor})
            if (*index >= at)
                ++*index;
        HWND self = hwnd;
        NMLISTVIEW nm{};
        nm.iItem = at;
        nm.lParam = r.param;
        NotifyParent(nm.hdr, LVN_INSERTITEM);
        if (!IsWindow(self))
            return at;
        if (wanted && Valid(at))
            SetState(at, wanted, wanted);
        if (!IsWindow(self))
            return at;
        UpdateScroll();
        Redraw();
        return at;
    }

    // Changes an item or a sub-item's text. A change of the item's text, image, data or indent
    // is asked for with LVN_ITEMCHANGING and reported with LVN_ITEMCHANGED (uChanged names
    // what changed); sub-item texts change silently.
    bool SetItem(const LVITEMW& it)
    {
        if (!Valid(it.iItem) || it.iSubItem < 0)
            return false;
        int i = it.iItem;
        if (it.iSubItem > 0) {
            if (OwnerData())
                return false;
            if (it.mask & LVIF_TEXT)
                SetCell(rows[size_t(i)], it.iSubItem, it.pszText);
            if (redraw)
                Redraw();
            return true;
        }
        UINT changed = 0;
        if (!OwnerData()) {
            const Row& r = rows[size_t(i)];
            if (it.mask & LVIF_TEXT) {
                bool cb = it.pszText == LPSTR_TEXTCALLBACKW;
                std::wstring t = !cb && it.pszText ? it.pszText : L"";
                if (cb != IsCallback(i, 0) || (!cb && t != r.cells[0]))
                    changed |= LVIF_TEXT;
            }
            if ((it.mask & LVIF_PARAM) && it.lParam != r.param)
                changed |= LVIF_PARAM;
            if ((it.mask & LVIF_IMAGE) && it.iImage != r.image)
                changed |= LVIF_IMAGE;
            if ((it.mask & LVIF_INDENT) && it.iIndent != r.indent)
                changed |= LVIF_INDENT;
        }
        HWND self = hwnd;
        if (changed) {
            NMLISTVIEW nm{};
            nm.iItem = i;
            nm.uChanged = changed;
            nm.lParam = rows[size_t(i)].param;
            if (NotifyParent(nm.hdr, LVN_ITEMCHANGING) != 0 || !IsWindow(self) || !Valid(i))
                return false;
            Row& r = rows[size_t(i)];
            if (changed & LVIF_TEXT)
                SetCell(r, 0, it.pszText);
            if (changed & LVIF_PARAM)
                r.param = it.lParam;
            if (changed & LVIF_IMAGE) {
                r.image = it.iImage;
                r.imageCallback = it.iImage == I_IMAGECALLBACK;
            }
            if (changed & LVIF_INDENT)
                r.indent = it.iIndent;
            nm.lParam = r.param;
            if (redraw)
                Redraw();
            NotifyParent(nm.hdr, LVN_ITEMCHANGED);
            if (!IsWindow(self) || !Valid(i))
                return false;
        }
        if (it.mask & LVIF_STATE)
            return SetState(i, it.state, it.stateMask);
        return true;
    }

    bool GetItem(LVITEMW* it)
    {
        if (!it || !Valid(it->iItem))
            return false;
        int i = it->iItem;
        if ((it->mask & LVIF_TEXT) && it->pszText && it->cchTextMax > 0) {
            std::wstring s = CellText(i, it->iSubItem);
            size_t n = std::min<size_t>(s.size(), size_t(it->cchTextMax) - 1);
            std::copy_n(s.data(), n, it->pszText);
            it->pszText[n] = 0;
        }
        if (!Valid(i))
            return false;
        if (it->mask & LVIF_PARAM)
            it->lParam = rows[size_t(i)].param;
        if (it->mask & LVIF_IMAGE)
            it->iImage = ItemImage(i);
        if (it->mask & LVIF_INDENT)
            it->iIndent = Valid(i) ? rows[size_t(i)].indent : 0;
        if (it->mask & LVIF_STATE)
            it->state = ItemState(i, it->stateMask);
        return true;
    }

    // Deletes an item after LVN_DELETEITEM. The focus passes silently to the item that takes
    // the deleted one's place (or the new last one), as in Win32.
    void Delete(int i)
    {
        NMLISTVIEW nm{};
        nm.iItem = i;
        nm.lParam = rows[size_t(i)].param;
        HWND self = hwnd;
        NotifyParent(nm.hdr, LVN_DELETEITEM);
        if (!IsWindow(self) || !Valid(i))
            return;
        if (i == editItem)
            labelEdit.Destroy();
        bool focused = (rows[size_t(i)].state & LVIS_FOCUSED) != 0;
        rows.erase(rows.begin() + i);
        if (focused && Count())
            rows[size_t(std::min(i, Count() - 1))].state |= LVIS_FOCUSED;
        for (int* index : {&mark, &anchor, &editItem}) {
            if (*index == i)
                *index = -1;
            else if (*index > i)
                --*index;
        }
        SetTop(top);
        Redraw();
    }

    // The items go when the window goes: LVN_DELETEALLITEMS, then (unless the parent answered
    // non-zero, or the list is virtual) LVN_DELETEITEM for each.
    void DeleteAllOnDestroy()
    {
        HWND self = hwnd;
        NMLISTVIEW nm{};
        nm.iItem = -1;
        bool quiet = NotifyParent(nm.hdr, LVN_DELETEALLITEMS) != 0 || OwnerData();
        for (int k = Count() - 1; k >= 0 && !quiet && IsWindow(self); --k) {
            if (!Valid(k))
                continue;
            NMLISTVIEW one{};
            one.iItem = k;
            one.lParam = rows[size_t(k)].param;
            NotifyParent(one.hdr, LVN_DELETEITEM);
        }
        rows.clear();
    }

    // Sorts the items with the caller's comparison, which gets the items' data (byIndex false)
    // or their indexes before the sort (LVM_SORTITEMSEX). Selection and focus stay with the items.
    bool SortWith(PFNLVCOMPARE fn, LPARAM data, bool byIndex)
    {
        if (!fn || OwnerData())
            return false;
        labelEdit.End(false);
        std::vector<int> perm(static_cast<size_t>(Count()));
        for (size_t k = 0; k < perm.size(); ++k)
            perm[k] = int(k);
        std::vector<LPARAM> keys(perm.size());
        for (size_t k = 0; k < perm.size(); ++k)
            keys[k] = byIndex ? LPARAM(k) : rows[k].param;
        std::stable_sort(perm.begin(), perm.end(), [&](int a, int b) { return fn(keys[size_t(a)], keys[size_t(b)], data) < 0; });
        if (perm.size() != rows.size())
            return false;  // the comparison changed the list
        std::vector<Row> sorted;
        sorted.reserve(rows.size());
        for (int k : perm)
            sorted.push_back(std::move(rows[size_t(k)]));
        rows = std::move(sorted);
        for (int* index : {&mark, &anchor}) {
            if (*index >= 0)
                *index = int(std::find(perm.begin(), perm.end(), *index) - perm.begin());
            if (!Valid(*index))
                *index = -1;
        }
        Redraw();
        return true;
    }

    // Opens the label editor on item i after LVN_BEGINLABELEDIT allows it.
    HWND EditLabel(int i)
    {
        labelEdit.End(false);
        KillTimer(hwnd, kEditTimer);
        pendingEdit = -1;
        if (!Valid(i) || !TakeFocus())
            return nullptr;
        HWND self = hwnd;
        EnsureVisible(i);
        std::wstring text = CellText(i, 0);
        if (!IsWindow(self) || !Valid(i))
            return nullptr;
        std::vector<wchar_t> buf(text.begin(), text.end());
        buf.push_back(0);
        NMLVDISPINFOW di{};
        di.item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
        di.item.iItem = i;
        di.item.pszText = buf.data();
        di.item.cchTextMax = int(buf.size());
        di.item.state = rows[size_t(i)].state;
        di.item.stateMask = ~0u;
        di.item.lParam = rows[size_t(i)].param;
        if (NotifyParent(di.hdr, LVN_BEGINLABELEDITW) != 0 || !IsWindow(self) || !Valid(i))
            return nullptr;
        RECT r = LabelRect(i);
        editItem = i;
        return labelEdit.Open(hwnd, r, text, Font(), [this, self](bool accepted, const std::wstring& t) {
            if (IsWindow(self))
                EndEdit(accepted, t);
        });
    }

    // The edit ended: LVN_ENDLABELEDIT carries the new text (null when cancelled); a non-zero
    // answer keeps it as the label (a callback label goes back through LVN_SETDISPINFO).
    void EndEdit(bool accepted, const std::wstring& t)
    {
        int i = editItem;
        editItem = -1;
        if (!Valid(i))
            return;
        std::vector<wchar_t> buf(t.begin(), t.end());
        buf.push_back(0);
        NMLVDISPINFOW di{};
        di.item.mask = LVIF_TEXT;
        di.item.iItem = i;
        di.item.pszText = accepted ? buf.data() : nullptr;
        di.item.cchTextMax = accepted ? int(buf.size()) : 0;
        di.item.lParam = rows[size_t(i)].param;
        HWND self = hwnd;
        LRESULT keep = NotifyParent(di.hdr, LVN_ENDLABELEDITW);
        if (!accepted || !keep || !IsWindow(self) || !Valid(i))
            return;
        if (IsCallback(i, 0)) {
            NMLVDISPINFOW set{};
            set.item.mask = LVIF_TEXT;
            set.item.iItem = i;
            set.item.pszText = buf.data();
            set.item.cchTextMax = int(buf.size());
            set.item.lParam = rows[size_t(i)].param;
            NotifyParent(set.hdr, LVN_SETDISPINFOW);
            Redraw();
            return;
        }
        LVITEMW it{};
        it.mask = LVIF_TEXT;
        it.iItem = i;
        it.pszText = buf.data();
        SetItem(it);
    }

    RECT LabelRect(int i)
    {
        RECT first = CellRect(i, 0);
        int left = first.left + StateBox() + (small ? RowH() : 0);
        return RECT{left, first.top, std::max<LONG>(first.right, left + 40 * Unit()), first.bottom};
    }

    int AutoWidth(int col, bool useHeader)
    {
        HDC dc = GetDC(hwnd);
        HGDIOBJ old = SelectObject(dc, Font());
        int w = 0, u = Unit();
        for (int k = 0; k < Count(); ++k) {
            std::wstring t = CellText(k, col);
            SIZE sz{};
            GetTextExtentPoint32W(dc, t.c_str(), int(t.size()), &sz);
            w = std::max<int>(w, sz.cx);
        }
        if (useHeader) {
            wchar_t buf[260] = {};
            HDITEMW h{HDI_TEXT, 0, buf, nullptr, 260, 0, 0, 0, 0};
            SendMessageW(header, HDM_GETITEMW, WPARAM(col), reinterpret_cast<LPARAM>(&h));
            SIZE sz{};
            GetTextExtentPoint32W(dc, buf, int(wcslen(buf)), &sz);
            w = std::max<int>(w, sz.cx);
        }
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
        return w + 12 * u + (col == 0 ? StateBox() : 0);
    }

    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case WM_CREATE:
            vbar = (Style() & WS_VSCROLL) != 0 || !(Style() & LVS_NOSCROLL);
            hbar = (Style() & WS_HSCROLL) != 0 || !(Style() & LVS_NOSCROLL);
            header = CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | HDS_HORZ | ((Style() & LVS_NOSORTHEADER) ? 0 : HDS_BUTTONS) | HDS_FULLDRAG,
                                     0, 0, 0, 0, hwnd, nullptr, nullptr, nullptr);
            LayoutHeader();
            return 0;
        case WM_DESTROY:
            labelEdit.Destroy();
            KillTimer(hwnd, kEditTimer);
            DeleteAllOnDestroy();
            return 0;
        case WM_SIZE:
            LayoutHeader();
            SetTop(top);
            SetX(xOffset);
            return 0;
        case WM_SETFONT:
            font = reinterpret_cast<HFONT>(wParam);
            if (header)
                SendMessageW(header, WM_SETFONT, wParam, lParam);
            LayoutHeader();
            UpdateScroll();
            Redraw();
            return 0;
        case WM_STYLECHANGED:
            LayoutHeader();
            Redraw();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(lParam);
            if (!hdr || hdr->hwndFrom != header)
                return 0;
            HWND self = hwnd;
            HWND p = NotifyTarget();
            LRESULT r = p ? SendMessageW(p, WM_NOTIFY, wParam, lParam) : 0;
            if (!IsWindow(self))
                return r;
            auto* nh = reinterpret_cast<NMHEADERW*>(lParam);
            if (hdr->code == HDN_ITEMCLICKW && !(Style() & LVS_NOSORTHEADER)) {
                NMLISTVIEW nm{};
                nm.iItem = -1;
                nm.iSubItem = nh->iItem;
                NotifyParent(nm.hdr, LVN_COLUMNCLICK);
            } else if (hdr->code == HDN_ITEMCHANGEDW || hdr->code == HDN_TRACKW) {
                UpdateScroll();
                Redraw();
            }
            return r;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Redraw();
            NotifyParent(msg == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            HWND self = hwnd;
            bool hadFocus = Focused();
            rclickHandled = false;
            if (!TakeFocus())
                return 0;
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            UINT flags = 0;
            int sub = 0;
            int i = HitTest(p, &flags, &sub);
            KillTimer(hwnd, kEditTimer);
            pendingEdit = -1;
            // a second click on the label of the focused, selected item renames it, once the
            // time for a double click has passed
            if (msg == WM_LBUTTONDOWN && (Style() & LVS_EDITLABELS) && hadFocus && Valid(i) && sub == 0 &&
                flags == LVHT_ONITEMLABEL && !(wParam & (MK_SHIFT | MK_CONTROL)) &&
                (rows[size_t(i)].state & (LVIS_SELECTED | LVIS_FOCUSED)) == (LVIS_SELECTED | LVIS_FOCUSED)) {
                pendingEdit = i;
                SetTimer(hwnd, kEditTimer, GetDoubleClickTime(), nullptr);
            }
            if (msg == WM_LBUTTONDBLCLK) {
                NotifyActivate(NM_DBLCLK, i, sub, p);
                if (IsWindow(self) && Valid(i))
                    NotifyActivate(LVN_ITEMACTIVATE, i, sub, p);
                return 0;
            }
            if (Valid(i) && flags == LVHT_ONITEMSTATEICON && msg == WM_LBUTTONDOWN) {
                UINT img = (rows[size_t(i)].state & LVIS_STATEIMAGEMASK) >> 12;
                SetState(i, INDEXTOSTATEIMAGEMASK(img == 2 ? 1 : 2), LVIS_STATEIMAGEMASK);
            } else if (Valid(i)) {
                UserPick(i, (wParam & MK_SHIFT) != 0, (wParam & MK_CONTROL) != 0);
            } else if (!(wParam & (MK_SHIFT | MK_CONTROL))) {
                for (int k = 0; k < Count() && IsWindow(self); ++k)
                    if (rows[size_t(k)].state & LVIS_SELECTED)
                        SetState(k, 0, LVIS_SELECTED);
            }
            if (IsWindow(self) && NotifyActivate(msg == WM_LBUTTONDOWN ? NM_CLICK : NM_RCLICK, i, sub, p) && IsWindow(self))
                rclickHandled = msg == WM_RBUTTONDOWN;
            return 0;
        }
        case WM_RBUTTONUP:
            // the parent gets WM_CONTEXTMENU unless it took NM_RCLICK (non-zero)
            if (rclickHandled) {
                rclickHandled = false;
                return 0;
            }
            return Default(msg, wParam, lParam);
        case WM_MOUSEMOVE:
            if (ex & LVS_EX_TRACKSELECT) {
                // resting on an item selects it (after the hover time)
                int i = HitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, nullptr, nullptr);
                if (i != hot) {
                    hot = i;
                    if (Valid(i))
                        SetTimer(hwnd, kHoverTimer, kHoverMs, nullptr);
                    else
                        KillTimer(hwnd, kHoverTimer);
                }
            }
            return 0;
        case WM_TIMER:
            if (wParam == kEditTimer) {
                KillTimer(hwnd, kEditTimer);
                int i = pendingEdit;
                pendingEdit = -1;
                if (Valid(i) && Focused())
                    EditLabel(i);
                return 0;
            }
            if (wParam == kHoverTimer) {
                KillTimer(hwnd, kHoverTimer);
                POINT p{};
                GetCursorPos(&p);
                ScreenToClient(hwnd, &p);
                int i = HitTest(p, nullptr, nullptr);
                if (Valid(i) && i == hot && !(rows[size_t(i)].state & LVIS_SELECTED)) {
                    NMLISTVIEW nm{};
                    nm.iItem = i;
                    nm.ptAction = p;
                    HWND self = hwnd;
                    if (NotifyParent(nm.hdr, LVN_HOTTRACK) == 0 && IsWindow(self))
                        UserPick(i, false, false);
                }
            }
            return 0;
        case WM_KEYDOWN: {
            NMLVKEYDOWN kd{};
            kd.wVKey = WORD(wParam);
            HWND self = hwnd;
            NotifyParent(kd.hdr, LVN_KEYDOWN);
            if (!IsWindow(self) || !Count())
                return 0;
            int cur = -1;
            for (int k = 0; k < Count(); ++k)
                if (rows[size_t(k)].state & LVIS_FOCUSED)
                    cur = k;
            int to = cur;
            switch (wParam) {
            case VK_UP: to = cur < 0 ? 0 : cur - 1; break;
            case VK_DOWN: to = cur + 1; break;
            case VK_PRIOR: to = cur - PageRows(); break;
            case VK_NEXT: to = cur + PageRows(); break;
            case VK_HOME: to = 0; break;
            case VK_END: to = Count() - 1; break;
            case VK_SPACE:
                if ((ex & LVS_EX_CHECKBOXES) && Valid(cur)) {
                    UINT img = (rows[size_t(cur)].state & LVIS_STATEIMAGEMASK) >> 12;
                    SetState(cur, INDEXTOSTATEIMAGEMASK(img == 2 ? 1 : 2), LVIS_STATEIMAGEMASK);
                }
                return 0;
            case VK_RETURN:
                NotifyParent(NM_RETURN);
                return 0;
            default: return 0;
            }
            to = std::clamp(to, 0, Count() - 1);
            UserPick(to, GetKeyState(VK_SHIFT) < 0, false);
            return 0;
        }
        case WM_VSCROLL:
            switch (LOWORD(wParam)) {
            case SB_LINEUP: SetTop(top - 1); break;
            case SB_LINEDOWN: SetTop(top + 1); break;
            case SB_PAGEUP: SetTop(top - PageRows()); break;
            case SB_PAGEDOWN: SetTop(top + PageRows()); break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION: SetTop(int(HIWORD(wParam))); break;
            case SB_TOP: SetTop(0); break;
            case SB_BOTTOM: SetTop(Count()); break;
            default: break;
            }
            return 0;
        case WM_HSCROLL: {
            int step = 3 * LineHeight();
            RECT c = Client();
            switch (LOWORD(wParam)) {
            case SB_LINELEFT: SetX(xOffset - step); break;
            case SB_LINERIGHT: SetX(xOffset + step); break;
            case SB_PAGELEFT: SetX(xOffset - int(c.right - c.left)); break;
            case SB_PAGERIGHT: SetX(xOffset + int(c.right - c.left)); break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION: SetX(int(HIWORD(wParam))); break;
            default: break;
            }
            return 0;
        }
        case WM_MOUSEWHEEL:
            SetTop(top - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3);
            return 0;
        // ---- columns ----
        case LVM_INSERTCOLUMNW: {
            auto* c = reinterpret_cast<const LVCOLUMNW*>(lParam);
            if (!c || !header)
                return -1;
            HDITEMW h{};
            h.mask = HDI_FORMAT | HDI_WIDTH;
            h.fmt = HDF_STRING | ((c->mask & LVCF_FMT) ? (c->fmt & LVCFMT_JUSTIFYMASK) : HDF_LEFT);
            h.cxy = (c->mask & LVCF_WIDTH) ? c->cx : 50;
            if ((c->mask & LVCF_TEXT) && c->pszText) {
                h.mask |= HDI_TEXT;
                h.pszText = c->pszText;
            }
            int at = int(SendMessageW(header, HDM_INSERTITEMW, wParam, reinterpret_cast<LPARAM>(&h)));
            if (at >= 0) {
                colFmt.insert(colFmt.begin() + std::min<size_t>(size_t(at), colFmt.size()), h.fmt & HDF_JUSTIFYMASK);
                for (Row& r : rows) {
                    if (at > 0 && size_t(at) <= r.cells.size())
                        r.cells.insert(r.cells.begin() + at, std::wstring());
                    if (at > 0 && size_t(at) <= r.callback.size())
                        r.callback.insert(r.callback.begin() + at, false);
                }
                if (c->mask & LVCF_ORDER) {
                    HDITEMW o{};
                    o.mask = HDI_ORDER;
                    o.iOrder = c->iOrder;
                    SendMessageW(header, HDM_SETITEMW, WPARAM(at), reinterpret_cast<LPARAM>(&o));
                }
            }
            UpdateScroll();
            Redraw();
            return at;
        }
        case LVM_SETCOLUMNW:
        case LVM_GETCOLUMNW: {
            auto* c = reinterpret_cast<LVCOLUMNW*>(lParam);
            if (!c || !header || int(wParam) < 0 || int(wParam) >= Columns())
                return FALSE;
            HDITEMW h{};
            if (c->mask & LVCF_WIDTH)
                h.mask |= HDI_WIDTH;
            if (c->mask & LVCF_TEXT) {
                h.mask |= HDI_TEXT;
                h.pszText = c->pszText;
                h.cchTextMax = c->cchTextMax;
            }
            if (c->mask & LVCF_FMT)
                h.mask |= HDI_FORMAT;
            if (c->mask & LVCF_ORDER) {
                h.mask |= HDI_ORDER;
                h.iOrder = c->iOrder;
            }
            if (msg == LVM_SETCOLUMNW) {
                h.cxy = c->cx;
                h.fmt = HDF_STRING | (c->fmt & LVCFMT_JUSTIFYMASK);
                if (c->mask & LVCF_FMT)
                    colFmt[wParam] = c->fmt & LVCFMT_JUSTIFYMASK;
                LRESULT r = SendMessageW(header, HDM_SETITEMW, wParam, reinterpret_cast<LPARAM>(&h));
                Redraw();
                return r;
            }
            LRESULT r = SendMessageW(header, HDM_GETITEMW, wParam, reinterpret_cast<LPARAM>(&h));
            if (c->mask & LVCF_WIDTH)
                c->cx = h.cxy;
            if (c->mask & LVCF_FMT)
                c->fmt = h.fmt & HDF_JUSTIFYMASK;
            if (c->mask & LVCF_SUBITEM)
                c->iSubItem = int(wParam);
            if (c->mask & LVCF_ORDER)
                c->iOrder = h.iOrder;
            return r;
        }
        case LVM_DELETECOLUMN: {
            int col = int(wParam);
            if (!header || col < 0 || col >= Columns())
                return FALSE;
            SendMessageW(header, HDM_DELETEITEM, wParam, 0);
            colFmt.erase(colFmt.begin() + col);
            for (Row& r : rows) {
                if (size_t(col) < r.cells.size() && (col > 0 || r.cells.size() > 1))
                    r.cells.erase(r.cells.begin() + col);
                if (size_t(col) < r.callback.size() && (col > 0 || r.callback.size() > 1))
                    r.callback.erase(r.callback.begin() + col);
            }
            UpdateScroll();
            Redraw();
            return TRUE;
        }
        case LVM_GETCOLUMNWIDTH: {
            RECT r = ColRect(int(wParam));
            return r.right - r.left;
        }
        case LVM_SETCOLUMNWIDTH: {
            int col = int(wParam), w = int(SHORT(LOWORD(lParam)));
            if (!header || col < 0 || col >= Columns())
                return FALSE;
            if (w == LVSCW_AUTOSIZE || w == LVSCW_AUTOSIZE_USEHEADER)
                w = AutoWidth(col, w == LVSCW_AUTOSIZE_USEHEADER);
            HDITEMW h{HDI_WIDTH, w, nullptr, nullptr, 0, 0, 0, 0, 0};
            SendMessageW(header, HDM_SETITEMW, wParam, reinterpret_cast<LPARAM>(&h));
            UpdateScroll();
            Redraw();
            return TRUE;
        }
        case LVM_GETHEADER:
            return reinterpret_cast<LRESULT>(header);
        case LVM_SETCOLUMNORDERARRAY: {
            LRESULT r = header ? SendMessageW(header, HDM_SETORDERARRAY, wParam, lParam) : FALSE;
            Redraw();
            return r;
        }
        case LVM_GETCOLUMNORDERARRAY:
            return header ? SendMessageW(header, HDM_GETORDERARRAY, wParam, lParam) : FALSE;
        // ---- items ----
        case LVM_GETITEMCOUNT:
            return Count();
        case LVM_SETITEMCOUNT:
            if (OwnerData()) {
                // a virtual list's items are its count; selection and focus past it go
                int n = std::max(0, int(wParam));
                rows.resize(size_t(n));
                for (int* index : {&mark, &anchor})
                    if (*index >= n)
                        *index = -1;
                if (!(lParam & LVSICF_NOSCROLL))
                    SetTop(top);
                UpdateScroll();
                Redraw();
                return TRUE;
            }
            rows.reserve(std::min<size_t>(size_t(wParam), 100000));
            return TRUE;
        case LVM_SETCALLBACKMASK:
            callbackMask = UINT(wParam);
            Redraw();
            return TRUE;
        case LVM_GETCALLBACKMASK:
            return LRESULT(callbackMask);
        case LVM_EDITLABELW:
            if (int(wParam) < 0) {
                labelEdit.End(false);
                return 0;
            }
            return reinterpret_cast<LRESULT>(EditLabel(int(wParam)));
        case LVM_GETEDITCONTROL:
            return reinterpret_cast<LRESULT>(labelEdit.Handle());
        case LVM_INSERTITEMW:
            return lParam ? Insert(*reinterpret_cast<const LVITEMW*>(lParam)) : -1;
        case LVM_SETITEMW:
            return lParam ? SetItem(*reinterpret_cast<const LVITEMW*>(lParam)) : FALSE;
        case LVM_GETITEMW:
            return GetItem(reinterpret_cast<LVITEMW*>(lParam));
        case LVM_SETITEMTEXTW: {
            auto* it = reinterpret_cast<const LVITEMW*>(lParam);
            if (!it)
                return FALSE;
            LVITEMW copy = *it;
            copy.iItem = int(wParam);
            copy.mask = LVIF_TEXT;
            return SetItem(copy);
        }
        case LVM_GETITEMTEXTW: {
            auto* it = reinterpret_cast<LVITEMW*>(lParam);
            if (!it || !Valid(int(wParam)))
                return 0;
            std::wstring s = CellText(int(wParam), it->iSubItem);
            if (!it->pszText || it->cchTextMax <= 0)
                return 0;
            size_t n = std::min<size_t>(s.size(), size_t(it->cchTextMax) - 1);
            std::copy_n(s.data(), n, it->pszText);
            it->pszText[n] = 0;
            return LRESULT(n);
        }
        case LVM_DELETEITEM:
            if (!Valid(int(wParam)))
                return FALSE;
            Delete(int(wParam));
            return TRUE;
        case LVM_DELETEALLITEMS: {
            HWND self = hwnd;
            NMLISTVIEW nm{};
            nm.iItem = -1;
            // a non-zero answer means no LVN_DELETEITEM for each item
            bool quiet = NotifyParent(nm.hdr, LVN_DELETEALLITEMS) != 0;
            if (!IsWindow(self))
                return FALSE;
            if (!quiet) {
                while (Count() && IsWindow(self))
                    Delete(Count() - 1);
            }
            if (IsWindow(self)) {
                rows.clear();
                mark = anchor = -1;
                top = 0;
                UpdateScroll();
                Redraw();
            }
            return TRUE;
        }
        case LVM_SETITEMSTATE: {
            auto* it = reinterpret_cast<const LVITEMW*>(lParam);
            if (!it)
                return FALSE;
            if (int(wParam) == -1 && OwnerData()) {
                // a virtual list changes every item at once and says so once, for item -1
                UINT mask = it->stateMask & (LVIS_SELECTED | LVIS_FOCUSED | LVIS_CUT | LVIS_DROPHILITED);
                if ((it->state & mask & LVIS_FOCUSED) && Count() > 1)
                    mask &= ~LVIS_FOCUSED;  // one item has the focus at most
                for (Row& r : rows)
                    r.state = (r.state & ~mask) | (it->state & mask);
                NMLISTVIEW nm{};
                nm.iItem = -1;
                nm.uChanged = LVIF_STATE;
                nm.uNewState = it->state & mask;
                nm.uOldState = 0;
                Redraw();
                NotifyParent(nm.hdr, LVN_ITEMCHANGED);
                return TRUE;
            }
            if (int(wParam) == -1) {
                HWND self = hwnd;
                for (int k = 0; k < Count() && IsWindow(self); ++k)
                    SetState(k, it->state, it->stateMask);
                return TRUE;
            }
            return SetState(int(wParam), it->state, it->stateMask);
        }
        case LVM_GETITEMSTATE:
            return LRESULT(ItemState(int(wParam), UINT(lParam)));
        case LVM_GETNEXTITEM: {
            UINT f = UINT(LOWORD(lParam));
            int start = int(wParam);
            bool up = (f & LVNI_ABOVE) != 0;
            for (int k = up ? start - 1 : start + 1; k >= 0 && k < Count(); k += up ? -1 : 1) {
                UINT need = f & (LVNI_SELECTED | LVNI_FOCUSED);
                UINT st = (rows[size_t(k)].state & LVIS_SELECTED ? LVNI_SELECTED : 0) |
                          (rows[size_t(k)].state & LVIS_FOCUSED ? LVNI_FOCUSED : 0);
                if ((st & need) == need)
                    return k;
            }
            return -1;
        }
        case LVM_GETSELECTEDCOUNT:
            return std::count_if(rows.begin(), rows.end(), [](const Row& r) { return (r.state & LVIS_SELECTED) != 0; });
        case LVM_GETSELECTIONMARK:
            return mark;
        case LVM_SETSELECTIONMARK: {
            int old = mark;
            mark = int(lParam);
            return old;
        }
        case LVM_GETITEMRECT: {
            auto* r = reinterpret_cast<RECT*>(lParam);
            if (!r || !Valid(int(wParam)))
                return FALSE;
            int code = r->left;
            RECT row = RowRect(int(wParam));
            RECT first = CellRect(int(wParam), 0);
            switch (code) {
            case LVIR_ICON: *r = RECT{first.left + StateBox(), row.top, first.left + StateBox() + (small ? RowH() : 0), row.bottom}; break;
            case LVIR_LABEL: *r = RECT{first.left + StateBox() + (small ? RowH() : 0), row.top, first.right, row.bottom}; break;
            case LVIR_SELECTBOUNDS:
            case LVIR_BOUNDS:
            default: *r = row; break;
            }
            return TRUE;
        }
        case LVM_GETSUBITEMRECT: {
            auto* r = reinterpret_cast<RECT*>(lParam);
            if (!r || !Valid(int(wParam)) || r->top < 0 || r->top >= std::max(1, Columns()))
                return FALSE;
            int sub = r->top, code = r->left;
            *r = sub == 0 && code == LVIR_BOUNDS ? RowRect(int(wParam)) : CellRect(int(wParam), sub);
            return TRUE;
        }
        case LVM_HITTEST:
        case LVM_SUBITEMHITTEST: {
            auto* ht = reinterpret_cast<LVHITTESTINFO*>(lParam);
            if (!ht)
                return -1;
            int sub = 0;
            ht->iItem = HitTest(ht->pt, &ht->flags, &sub);
            if (msg == LVM_SUBITEMHITTEST)
                ht->iSubItem = sub;
            return ht->iItem;
        }
        case LVM_ENSUREVISIBLE:
            EnsureVisible(int(wParam));
            return TRUE;
        case LVM_SCROLL:
            SetX(xOffset + int(wParam));
            SetTop(top + int(lParam) / std::max(1, RowH()));
            return TRUE;
        case LVM_GETTOPINDEX:
            return top;
        case LVM_GETCOUNTPERPAGE:
            return PageRows();
        case LVM_REDRAWITEMS:
        case LVM_UPDATE:
            Redraw();
            return TRUE;
        case LVM_SETEXTENDEDLISTVIEWSTYLE: {
            DWORD old = ex, mask = wParam ? DWORD(wParam) : 0xFFFFFFFF;
            ex = (ex & ~mask) | (DWORD(lParam) & mask);
            if ((ex & LVS_EX_CHECKBOXES) && !(old & LVS_EX_CHECKBOXES))
                for (Row& r : rows)
                    if (!(r.state & LVIS_STATEIMAGEMASK))
                        r.state |= INDEXTOSTATEIMAGEMASK(1);
            Redraw();
            return LRESULT(old);
        }
        case LVM_GETEXTENDEDLISTVIEWSTYLE:
            return LRESULT(ex);
        case LVM_SETIMAGELIST: {
            HIMAGELIST* slot = wParam == WPARAM(kLvsilNormal) ? &normal : wParam == WPARAM(kLvsilSmall) ? &small : &stateImages;
            HIMAGELIST old = *slot;
            *slot = reinterpret_cast<HIMAGELIST>(lParam);
            UpdateScroll();
            Redraw();
            return reinterpret_cast<LRESULT>(old);
        }
        case LVM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(wParam == WPARAM(kLvsilNormal) ? normal : wParam == WPARAM(kLvsilSmall) ? small : stateImages);
        case LVM_SETBKCOLOR: bk = COLORREF(lParam); Redraw(); return TRUE;
        case LVM_GETBKCOLOR: return LRESULT(bk == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : bk);
        case LVM_SETTEXTCOLOR: text = COLORREF(lParam); Redraw(); return TRUE;
        case LVM_GETTEXTCOLOR: return LRESULT(text == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : text);
        case LVM_SETTEXTBKCOLOR: textBk = COLORREF(lParam); Redraw(); return TRUE;
        case LVM_GETTEXTBKCOLOR: return LRESULT(textBk == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : textBk);
        case LVM_SORTITEMS:
        case LVM_SORTITEMSEX:
            return SortWith(reinterpret_cast<PFNLVCOMPARE>(lParam), LPARAM(wParam), msg == LVM_SORTITEMSEX);
        case LVM_FINDITEMW: {
            auto* fi = reinterpret_cast<const LVFINDINFOW*>(lParam);
            if (!fi)
                return -1;
            if (OwnerData()) {
                // the parent searches its own items
                NMLVFINDITEMW nm{};
                nm.iStart = int(wParam) + 1;
                nm.lvfi = *fi;
                LRESULT r = NotifyParent(nm.hdr, LVN_ODFINDITEMW);
                return Valid(int(r)) ? r : -1;
            }
            for (int k = int(wParam) + 1; k < Count(); ++k) {
                const Row& r = rows[size_t(k)];
                if ((fi->flags & LVFI_PARAM) && r.param == fi->lParam)
                    return k;
                if ((fi->flags & (LVFI_STRING | LVFI_PARTIAL)) && fi->psz) {
                    const std::wstring t = CellText(k, 0);
                    if ((fi->flags & LVFI_PARTIAL) ? StartsWithNoCase(t, fi->psz) : CompareNoCase(t, fi->psz) == 0)
                        return k;
                }
            }
            return -1;
        }
        case LVM_GETTOOLTIPS:
            return reinterpret_cast<LRESULT>(tips);
        case LVM_SETTOOLTIPS: {
            HWND old = tips;
            tips = reinterpret_cast<HWND>(wParam);
            return reinterpret_cast<LRESULT>(old);
        }
        default:
            return Control::Proc(msg, wParam, lParam);
        }
    }

    LRESULT CustomDraw(NMLVCUSTOMDRAW& cd, DWORD stage, HDC dc, const RECT& r, int item, int sub, UINT itemState)
    {
        cd.nmcd.dwDrawStage = stage;
        cd.nmcd.hdc = dc;
        cd.nmcd.rc = r;
        cd.nmcd.dwItemSpec = DWORD_PTR(std::max(0, item));
        cd.nmcd.uItemState = itemState;
        cd.nmcd.lItemlParam = Valid(item) ? rows[size_t(item)].param : 0;
        cd.iSubItem = sub;
        return NotifyParent(cd.nmcd.hdr, NM_CUSTOMDRAW);
    }

    void Paint(HDC dc) override
    {
        RECT c = Client();
        COLORREF back = bk == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : bk;
        if (!Enabled())
            back = GetSysColor(COLOR_BTNFACE);
        FillSolid(dc, c, back);
        NMLVCUSTOMDRAW cd{};
        HWND self = hwnd;
        LRESULT pre = CustomDraw(cd, CDDS_PREPAINT, dc, c, -1, 0, 0);
        if (!IsWindow(self) || (pre & CDRF_SKIPDEFAULT))
            return;
        int u = Unit(), rh = RowH(), cols = std::max(1, Columns());
        int iw = 0, ih = 0;
        if (small)
            ImageList_GetIconSize(small, &iw, &ih);
        IntersectClipRect(dc, c.left, c.top + HeaderHeight(), c.right, c.bottom);
        bool showSel = Focused() || (Style() & LVS_SHOWSELALWAYS);
        if (OwnerData() && Count() > top) {
            // the parent may fetch the rows about to be drawn at once
            NMLVCACHEHINT hint{};
            hint.iFrom = top;
            hint.iTo = std::min(Count() - 1, top + PageRows());
            NotifyParent(hint.hdr, LVN_ODCACHEHINT);
            if (!IsWindow(self))
                return;
        }
        // the cells in the order the columns are shown
        std::vector<int> shown(static_cast<size_t>(cols));
        for (int k = 0; k < cols; ++k)
            shown[size_t(k)] = k;
        if (Columns() > 1)
            SendMessageW(header, HDM_GETORDERARRAY, WPARAM(cols), reinterpret_cast<LPARAM>(shown.data()));
        for (int i = top; i < Count(); ++i) {
            RECT row = RowRect(i);
            if (row.top >= c.bottom)
                break;
            const Row rw = rows[size_t(i)];
            bool sel = (rw.state & LVIS_SELECTED) && showSel;
            UINT st = (rw.state & LVIS_SELECTED ? CDIS_SELECTED : 0) | (rw.state & LVIS_FOCUSED && Focused() ? CDIS_FOCUS : 0);
            cd.clrText = text == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : text;
            cd.clrTextBk = textBk == CLR_DEFAULT ? back : textBk;
            LRESULT itemRes = CDRF_DODEFAULT;
            if (pre & CDRF_NOTIFYITEMDRAW) {
                int saved = SaveDC(dc);
                itemRes = CustomDraw(cd, CDDS_ITEMPREPAINT, dc, row, i, 0, st);
                if (!IsWindow(self))
                    return;
                if (!(itemRes & CDRF_NEWFONT))
                    RestoreDC(dc, saved);
                if (itemRes & CDRF_SKIPDEFAULT)
                    continue;
            }
            COLORREF itemText = cd.clrText, itemBk = cd.clrTextBk;
            for (int k : shown) {
                RECT cell = Columns() ? CellRect(i, k) : row;
                if (cell.right <= c.left || cell.left >= c.right)
                    continue;
                cd.clrText = itemText;
                cd.clrTextBk = itemBk;
                LRESULT subRes = CDRF_DODEFAULT;
                if (itemRes & CDRF_NOTIFYSUBITEMDRAW) {
                    subRes = CustomDraw(cd, CDDS_ITEMPREPAINT | CDDS_SUBITEM, dc, cell, i, k, st);
                    if (!IsWindow(self) || !Valid(i))
                        return;
                    if (subRes & CDRF_SKIPDEFAULT)
                        continue;
                }
                CRect area(cell);
                COLORREF ink = cd.clrText, fill = cd.clrTextBk;
                bool selCell = sel && (k == 0 || (ex & LVS_EX_FULLROWSELECT));
                if (k == 0 && StateBox()) {
                    UINT img = (rw.state & LVIS_STATEIMAGEMASK) >> 12;
                    if (stateImages && img > 0)
                        ImageList_Draw(stateImages, int(img) - 1, dc, area.left + 2 * u, (area.top + area.bottom - ih) / 2, ILD_TRANSPARENT);
                    else
                        DrawCheckMark(dc, area.left + 2 * u, (area.top + area.bottom - 13 * u) / 2, 13 * u, img == 2 ? 1 : 0, false, Enabled());
                    area.left += StateBox();
                }
                int image = k == 0 && small ? ItemImage(i) : -1;
                if (!IsWindow(self) || !Valid(i))
                    return;
                if (image >= 0) {
                    ImageList_Draw(small, image, dc, area.left + u, (area.top + area.bottom - ih) / 2, ILD_TRANSPARENT);
                    area.left += iw + 2 * u;
                }
                if (selCell) {
                    fill = Focused() ? GetSysColor(COLOR_HIGHLIGHT) : GetSysColor(COLOR_BTNFACE);
                    ink = Focused() ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_BTNTEXT);
                }
                if (selCell || fill != back)
                    FillSolid(dc, area, fill);
                std::wstring t = CellText(i, k);
                if (!IsWindow(self) || !Valid(i))
                    return;
                CRect tr(area);
                tr.DeflateRect(3 * u, 0);
                int fmt = size_t(k) < colFmt.size() ? colFmt[size_t(k)] : LVCFMT_LEFT;
                UINT just = fmt == LVCFMT_RIGHT ? DT_RIGHT : fmt == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
                SetTextColor(dc, Enabled() ? ink : GetSysColor(COLOR_GRAYTEXT));
                DrawTextW(dc, t.c_str(), -1, &tr, just | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
                if (subRes & CDRF_NOTIFYPOSTPAINT) {
                    CustomDraw(cd, CDDS_ITEMPOSTPAINT | CDDS_SUBITEM, dc, cell, i, k, st);
                    if (!IsWindow(self) || !Valid(i))
                        return;
                }
            }
            if ((rw.state & LVIS_FOCUSED) && Focused()) {
                RECT f = (ex & LVS_EX_FULLROWSELECT) || !Columns() ? row : CellRect(i, 0);
                DrawFocusRect(dc, &f);
            }
            if (itemRes & CDRF_NOTIFYPOSTPAINT) {
                CustomDraw(cd, CDDS_ITEMPOSTPAINT, dc, row, i, 0, st);
                if (!IsWindow(self))
                    return;
            }
        }
        if (ex & LVS_EX_GRIDLINES) {
            HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DLIGHT));
            HGDIOBJ old = SelectObject(dc, pen);
            for (int y = c.top + HeaderHeight() + rh - 1; y < c.bottom; y += rh) {
                MoveToEx(dc, c.left, y, nullptr);
                LineTo(dc, c.right, y);
            }
            for (int k = 0; k < Columns(); ++k) {
                RECT cr = ColRect(k);
                MoveToEx(dc, cr.right - 1, c.top + HeaderHeight(), nullptr);
                LineTo(dc, cr.right - 1, c.bottom);
            }
            SelectObject(dc, old);
            DeleteObject(pen);
        }
        if (pre & CDRF_NOTIFYPOSTPAINT)
            CustomDraw(cd, CDDS_POSTPAINT, dc, c, -1, 0, 0);
        (void)rh;
    }
};

}  // namespace

void RegisterListView() { RegisterControl<ListView>(WC_LISTVIEWW, CS_DBLCLKS); }

}  // namespace ctl
