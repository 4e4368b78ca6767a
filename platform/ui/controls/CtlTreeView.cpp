// "SysTreeView32": a tree of items with texts, images and item data, expanded and collapsed by
// the user (with TVN_ITEMEXPANDING / TVN_ITEMEXPANDED) or by code (silent, as with Win32), and a
// selection reported with TVN_SELCHANGING (non-zero keeps the old one) and TVN_SELCHANGED carrying
// the old and the new item.
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDraw.h"

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

struct TREEITEM__ {
    std::wstring text;
    LPARAM param = 0;
    UINT state = 0;
    int image = -1, selImage = -1;
    int children = 0;  // cChildren as given (I_CHILDRENCALLBACK is not supported)
    TREEITEM__* parent = nullptr;
    std::vector<TREEITEM__*> kids;
};

namespace ctl {
namespace {

using Node = TREEITEM__;

class TreeView : public Control {
public:
    using Control::Control;
    Node root;
    std::set<Node*> alive;
    Node* caret = nullptr;
    Node* drop = nullptr;
    int top = 0;  // first visible row
    int indent = 0, itemHeight = 0;
    HIMAGELIST images = nullptr, stateImages = nullptr;
    bool vbar = false;

    ~TreeView() override { Free(&root, false); }

    Node* Get(HTREEITEM h) { return (h && alive.count(h)) ? h : nullptr; }
    int Indent() const { return indent > 0 ? indent : 19 * Unit(); }
    int RowH()
    {
        if (itemHeight > 0)
            return itemHeight;
        int iw = 0, ih = 0;
        if (images)
            ImageList_GetIconSize(images, &iw, &ih);
        return std::max(LineHeight() + 2 * Unit(), ih + Unit());
    }
    int PageRows()
    {
        RECT c = Client();
        return std::max(1, int(c.bottom - c.top) / RowH());
    }
    static bool Expanded(const Node* n) { return (n->state & TVIS_EXPANDED) != 0; }
    static bool HasKids(const Node* n) { return !n->kids.empty() || n->children > 0; }

    void Visible(Node* n, std::vector<Node*>& out)
    {
        for (Node* k : n->kids) {
            out.push_back(k);
            if (Expanded(k))
                Visible(k, out);
        }
    }
    std::vector<Node*> Rows()
    {
        std::vector<Node*> v;
        Visible(&root, v);
        return v;
    }
    int Depth(const Node* n) const
    {
        int d = 0;
        for (const Node* p = n->parent; p && p != &root; p = p->parent)
            ++d;
        return d;
    }
    int RowOf(Node* n)
    {
        auto v = Rows();
        auto it = std::find(v.begin(), v.end(), n);
        return it == v.end() ? -1 : int(it - v.begin());
    }

    void UpdateScroll()
    {
        if (!vbar)
            return;
        int n = int(Rows().size());
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, n - 1), UINT(PageRows()), top, 0};
        SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
    }
    void SetTop(int t)
    {
        int n = int(Rows().size());
        t = std::clamp(t, 0, std::max(0, n - PageRows()));
        if (t != top) {
            top = t;
            Redraw();
        }
        UpdateScroll();
    }
    void EnsureVisible(Node* n)
    {
        for (Node* p = n->parent; p && p != &root; p = p->parent)
            if (!Expanded(p))
                p->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
        int r = RowOf(n);
        if (r < top)
            SetTop(r);
        else if (r >= top + PageRows())
            SetTop(r - PageRows() + 1);
        Redraw();
    }

    void FillItem(const Node* n, TVITEMW& it) const
    {
        it = TVITEMW{};
        it.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
        if (n) {
            it.hItem = const_cast<Node*>(n);
            it.lParam = n->param;
            it.state = n->state;
            it.stateMask = 0xFFFF;
            it.iImage = n->image;
            it.iSelectedImage = n->selImage;
            it.cChildren = HasKids(n) ? 1 : 0;
        }
    }

    // Notifies a tree change; a non-zero answer refuses it.
    LRESULT NotifyTree(UINT code, UINT action, const Node* oldItem, const Node* newItem, POINT pt = {0, 0})
    {
        NMTREEVIEWW nm{};
        nm.action = action;
        FillItem(oldItem, nm.itemOld);
        FillItem(newItem, nm.itemNew);
        nm.ptDrag = pt;
        return NotifyParent(nm.hdr, code);
    }

    bool Select(Node* n, UINT action)
    {
        if (n == caret)
            return true;
        HWND self = hwnd;
        Node* old = caret;
        if (NotifyTree(TVN_SELCHANGINGW, action, old, n) != 0 || !IsWindow(self))
            return false;
        if (n && !alive.count(n))
            return false;
        if (old && alive.count(old))
            old->state &= ~TVIS_SELECTED;
        caret = n;
        if (n) {
            n->state |= TVIS_SELECTED;
            EnsureVisible(n);
        }
        Redraw();
        NotifyTree(TVN_SELCHANGEDW, action, old && alive.count(old) ? old : nullptr, n);
        return true;
    }

    // Expands or collapses; the user's changes are asked and reported.
    bool Expand(Node* n, UINT how, bool user)
    {
        if (!n || n == &root)
            return false;
        UINT action = how & TVE_TOGGLE;
        bool open = action == TVE_TOGGLE ? !Expanded(n) : action == TVE_EXPAND;
        if (open == Expanded(n) && !(how & TVE_COLLAPSERESET))
            return false;
        if (open && !HasKids(n))
            return false;
        HWND self = hwnd;
        UINT act = open ? TVE_EXPAND : TVE_COLLAPSE;
        if (user && (NotifyTree(TVN_ITEMEXPANDINGW, act, nullptr, n) != 0 || !IsWindow(self) || !alive.count(n)))
            return false;
        if (open)
            n->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
        else
            n->state &= ~TVIS_EXPANDED;
        if (!open && (how & TVE_COLLAPSERESET)) {
            for (Node* k : std::vector<Node*>(n->kids))
                Delete(k);
            n->state &= ~TVIS_EXPANDEDONCE;
        }
        // a collapsed branch cannot hold the selection
        if (!open && caret) {
            for (Node* p = caret->parent; p && p != &root; p = p->parent)
                if (p == n) {
                    Select(n, user ? TVC_BYMOUSE : TVC_UNKNOWN);
                    break;
                }
        }
        if (!IsWindow(self))
            return true;
        SetTop(top);
        Redraw();
        if (user)
            NotifyTree(TVN_ITEMEXPANDEDW, act, nullptr, n);
        return true;
    }

    void Free(Node* n, bool notify)
    {
        for (Node* k : n->kids)
            Free(k, notify);
        n->kids.clear();
        if (n != &root) {
            if (notify)
                NotifyTree(TVN_DELETEITEMW, 0, n, nullptr);
            alive.erase(n);
            delete n;
        }
    }

    void Delete(Node* n)
    {
        if (n == &root) {
            for (Node* k : std::vector<Node*>(root.kids))
                Delete(k);
            return;
        }
        // selection moves away from what goes
        for (Node* c = caret; c; c = c->parent)
            if (c == n) {
                caret = nullptr;
                break;
            }
        for (Node* c = drop; c; c = c->parent)
            if (c == n) {
                drop = nullptr;
                break;
            }
        Node* p = n->parent;
        p->kids.erase(std::find(p->kids.begin(), p->kids.end(), n));
        Free(n, true);
        SetTop(top);
        Redraw();
    }

    HTREEITEM Insert(const TVINSERTSTRUCTW& ins)
    {
        Node* parent = ins.hParent == TVI_ROOT || !ins.hParent ? &root : Get(ins.hParent);
        if (!parent)
            return nullptr;
        auto* n = new Node;
        n->parent = parent;
        const TVITEMW& it = ins.item;
        if ((it.mask & TVIF_TEXT) && it.pszText && it.pszText != LPSTR_TEXTCALLBACKW)
            n->text = it.pszText;
        if (it.mask & TVIF_PARAM)
            n->param = it.lParam;
        if (it.mask & TVIF_IMAGE)
            n->image = it.iImage;
        if (it.mask & TVIF_SELECTEDIMAGE)
            n->selImage = it.iSelectedImage;
        if (it.mask & TVIF_CHILDREN)
            n->children = it.cChildren;
        if (it.mask & TVIF_STATE)
            n->state = it.state & it.stateMask & ~TVIS_SELECTED;
        auto& kids = parent->kids;
        auto pos = kids.end();
        if (ins.hInsertAfter == TVI_FIRST) {
            pos = kids.begin();
        } else if (ins.hInsertAfter == TVI_SORT) {
            pos = std::find_if(kids.begin(), kids.end(), [&](Node* k) { return CompareNoCase(k->text, n->text) > 0; });
        } else if (ins.hInsertAfter != TVI_LAST && ins.hInsertAfter) {
            auto after = std::find(kids.begin(), kids.end(), ins.hInsertAfter);
            if (after != kids.end())
                pos = after + 1;
        }
        kids.insert(pos, n);
        alive.insert(n);
        UpdateScroll();
        Redraw();
        return n;
    }

    RECT RowRect(int row)
    {
        RECT c = Client();
        return RECT{c.left, c.top + (row - top) * RowH(), c.right, c.top + (row - top + 1) * RowH()};
    }
    int LevelX(const Node* n) const
    {
        int lvl = Depth(n) + ((Style() & TVS_LINESATROOT) ? 1 : 0);
        return Unit() * 2 + lvl * Indent();
    }
    RECT TextRect(Node* n, HDC dcIn = nullptr)
    {
        int row = RowOf(n);
        RECT r = RowRect(row);
        int x = LevelX(n);
        int iw = 0, ih = 0;
        if (images)
            ImageList_GetIconSize(images, &iw, &ih);
        if (images)
            x += iw + 2 * Unit();
        HDC dc = dcIn ? dcIn : GetDC(hwnd);
        HGDIOBJ old = dcIn ? nullptr : SelectObject(dc, Font());
        SIZE sz{};
        GetTextExtentPoint32W(dc, n->text.c_str(), int(n->text.size()), &sz);
        if (!dcIn) {
            SelectObject(dc, old);
            ReleaseDC(hwnd, dc);
        }
        return RECT{x, r.top, x + sz.cx + 4 * Unit(), r.bottom};
    }

    Node* HitTest(POINT p, UINT* flags)
    {
        auto rows = Rows();
        RECT c = Client();
        int row = top + (p.y - c.top) / RowH();
        if (p.y < c.top || row < 0 || row >= int(rows.size())) {
            if (flags)
                *flags = TVHT_NOWHERE;
            return nullptr;
        }
        Node* n = rows[size_t(row)];
        int lx = LevelX(n);
        RECT t = TextRect(n);
        UINT f;
        if (p.x < lx)
            f = (p.x >= lx - Indent() && HasKids(n) && (Style() & TVS_HASBUTTONS)) ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
        else if (images && p.x < t.left)
            f = TVHT_ONITEMICON;
        else if (p.x < t.right)
            f = TVHT_ONITEMLABEL;
        else
            f = TVHT_ONITEMRIGHT;
        if (flags)
            *flags = f;
        return n;
    }

    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case WM_CREATE:
            vbar = true;  // a tree scrolls whatever its style says
            UpdateScroll();
            return 0;
        case WM_SIZE:
            SetTop(top);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Redraw();
            NotifyParent(msg == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            HWND self = hwnd;
            if (!TakeFocus())
                return 0;
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            UINT flags = 0;
            Node* n = HitTest(p, &flags);
            if (msg == WM_RBUTTONDOWN) {
                NotifyParent(NM_RCLICK);
                return 0;
            }
            if (msg == WM_LBUTTONDBLCLK) {
                LRESULT handled = NotifyParent(NM_DBLCLK);
                if (IsWindow(self) && !handled && n && (flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON)))
                    Expand(n, TVE_TOGGLE, true);
                return 0;
            }
            if (n && flags == TVHT_ONITEMBUTTON) {
                Expand(n, TVE_TOGGLE, true);
            } else if (n && (flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON | TVHT_ONITEMRIGHT | TVHT_ONITEMINDENT))) {
                if ((flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON)) || (Style() & TVS_FULLROWSELECT))
                    Select(n, TVC_BYMOUSE);
            }
            if (IsWindow(self))
                NotifyParent(NM_CLICK);
            return 0;
        }
        case WM_KEYDOWN: {
            HWND self = hwnd;
            NMHDR kd{};
            struct {
                NMHDR hdr;
                WORD wVKey;
                UINT flags;
            } nk{kd, WORD(wParam), 0};
            NotifyParent(nk.hdr, TVN_KEYDOWN);
            if (!IsWindow(self))
                return 0;
            auto rows = Rows();
            if (rows.empty())
                return 0;
            int r = caret ? RowOf(caret) : -1;
            switch (wParam) {
            case VK_UP: if (r > 0) Select(rows[size_t(r - 1)], TVC_BYKEYBOARD); else if (r < 0) Select(rows[0], TVC_BYKEYBOARD); break;
            case VK_DOWN: if (r + 1 < int(rows.size())) Select(rows[size_t(r + 1)], TVC_BYKEYBOARD); break;
            case VK_HOME: Select(rows.front(), TVC_BYKEYBOARD); break;
            case VK_END: Select(rows.back(), TVC_BYKEYBOARD); break;
            case VK_PRIOR: Select(rows[size_t(std::max(0, r - PageRows()))], TVC_BYKEYBOARD); break;
            case VK_NEXT: Select(rows[size_t(std::min<int>(int(rows.size()) - 1, std::max(0, r) + PageRows()))], TVC_BYKEYBOARD); break;
            case VK_LEFT:
                if (caret && Expanded(caret))
                    Expand(caret, TVE_COLLAPSE, true);
                else if (caret && caret->parent != &root)
                    Select(caret->parent, TVC_BYKEYBOARD);
                break;
            case VK_RIGHT:
                if (caret && !Expanded(caret) && HasKids(caret))
                    Expand(caret, TVE_EXPAND, true);
                else if (caret && !caret->kids.empty())
                    Select(caret->kids.front(), TVC_BYKEYBOARD);
                break;
            case VK_ADD: if (caret) Expand(caret, TVE_EXPAND, true); break;
            case VK_SUBTRACT: if (caret) Expand(caret, TVE_COLLAPSE, true); break;
            case VK_RETURN: NotifyParent(NM_RETURN); break;
            default: break;
            }
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
            default: break;
            }
            return 0;
        case WM_MOUSEWHEEL:
            SetTop(top - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3);
            return 0;
        case TVM_INSERTITEMW:
            return lParam ? reinterpret_cast<LRESULT>(Insert(*reinterpret_cast<const TVINSERTSTRUCTW*>(lParam))) : 0;
        case TVM_DELETEITEM: {
            auto h = reinterpret_cast<HTREEITEM>(lParam);
            if (h == TVI_ROOT || !h) {
                Delete(&root);
                return TRUE;
            }
            Node* n = Get(h);
            if (!n)
                return FALSE;
            Delete(n);
            return TRUE;
        }
        case TVM_EXPAND: {
            Node* n = Get(reinterpret_cast<HTREEITEM>(lParam));
            return n ? Expand(n, UINT(wParam), false) : FALSE;
        }
        case TVM_GETNEXTITEM: {
            Node* n = Get(reinterpret_cast<HTREEITEM>(lParam));
            auto sib = [&](int d) -> Node* {
                if (!n)
                    return nullptr;
                auto& k = n->parent->kids;
                auto it = std::find(k.begin(), k.end(), n);
                int i = int(it - k.begin()) + d;
                return i >= 0 && i < int(k.size()) ? k[size_t(i)] : nullptr;
            };
            auto rows = Rows();
            Node* out = nullptr;
            switch (wParam) {
            case TVGN_ROOT: out = root.kids.empty() ? nullptr : root.kids.front(); break;
            case TVGN_NEXT: out = sib(1); break;
            case TVGN_PREVIOUS: out = sib(-1); break;
            case TVGN_PARENT: out = n && n->parent != &root ? n->parent : nullptr; break;
            case TVGN_CHILD: {
                Node* p = reinterpret_cast<HTREEITEM>(lParam) == TVI_ROOT || !lParam ? &root : n;
                out = p && !p->kids.empty() ? p->kids.front() : nullptr;
                break;
            }
            case TVGN_FIRSTVISIBLE: out = top < int(rows.size()) ? rows[size_t(top)] : nullptr; break;
            case TVGN_NEXTVISIBLE: {
                int r = n ? RowOf(n) : -1;
                out = r >= 0 && r + 1 < int(rows.size()) ? rows[size_t(r + 1)] : nullptr;
                break;
            }
            case TVGN_PREVIOUSVISIBLE: {
                int r = n ? RowOf(n) : -1;
                out = r > 0 ? rows[size_t(r - 1)] : nullptr;
                break;
            }
            case TVGN_LASTVISIBLE: out = rows.empty() ? nullptr : rows.back(); break;
            case TVGN_CARET: out = caret; break;
            case TVGN_DROPHILITE: out = drop; break;
            default: break;
            }
            return reinterpret_cast<LRESULT>(out);
        }
        case TVM_SELECTITEM: {
            auto h = reinterpret_cast<HTREEITEM>(lParam);
            Node* n = Get(h);
            if (h && !n)
                return FALSE;
            if (wParam == TVGN_DROPHILITE) {
                if (drop)
                    drop->state &= ~TVIS_DROPHILITED;
                drop = n;
                if (n)
                    n->state |= TVIS_DROPHILITED;
                Redraw();
                return TRUE;
            }
            if (wParam == TVGN_FIRSTVISIBLE) {
                if (n) {
                    EnsureVisible(n);
                    SetTop(RowOf(n));
                }
                return TRUE;
            }
            return Select(n, TVC_UNKNOWN);
        }
        case TVM_GETITEMW: {
            auto* it = reinterpret_cast<TVITEMW*>(lParam);
            Node* n = it ? Get(it->hItem) : nullptr;
            if (!n)
                return FALSE;
            if ((it->mask & TVIF_TEXT) && it->pszText && it->cchTextMax > 0) {
                size_t k = std::min<size_t>(n->text.size(), size_t(it->cchTextMax) - 1);
                std::copy_n(n->text.data(), k, it->pszText);
                it->pszText[k] = 0;
            }
            if (it->mask & TVIF_PARAM)
                it->lParam = n->param;
            if (it->mask & TVIF_STATE)
                it->state = n->state & it->stateMask;
            if (it->mask & TVIF_IMAGE)
                it->iImage = n->image;
            if (it->mask & TVIF_SELECTEDIMAGE)
                it->iSelectedImage = n->selImage;
            if (it->mask & TVIF_CHILDREN)
                it->cChildren = HasKids(n) ? 1 : 0;
            return TRUE;
        }
        case TVM_SETITEMW: {
            auto* it = reinterpret_cast<const TVITEMW*>(lParam);
            Node* n = it ? Get(it->hItem) : nullptr;
            if (!n)
                return FALSE;
            if ((it->mask & TVIF_TEXT) && it->pszText && it->pszText != LPSTR_TEXTCALLBACKW)
                n->text = it->pszText;
            if (it->mask & TVIF_PARAM)
                n->param = it->lParam;
            if (it->mask & TVIF_IMAGE)
                n->image = it->iImage;
            if (it->mask & TVIF_SELECTEDIMAGE)
                n->selImage = it->iSelectedImage;
            if (it->mask & TVIF_CHILDREN)
                n->children = it->cChildren;
            if (it->mask & TVIF_STATE) {
                UINT mask = it->stateMask & ~TVIS_SELECTED;  // the selection moves only by selecting
                n->state = (n->state & ~mask) | (it->state & mask);
            }
            Redraw();
            return TRUE;
        }
        case TVM_GETITEMSTATE: {
            Node* n = Get(reinterpret_cast<HTREEITEM>(wParam));
            return n ? LRESULT(n->state & UINT(lParam)) : 0;
        }
        case TVM_GETITEMRECT: {
            auto* r = reinterpret_cast<RECT*>(lParam);
            if (!r)
                return FALSE;
            Node* n = Get(*reinterpret_cast<HTREEITEM*>(lParam));
            if (!n)
                return FALSE;
            int row = RowOf(n);
            if (row < 0)
                return FALSE;
            *r = wParam ? TextRect(n) : RowRect(row);
            return TRUE;
        }
        case TVM_GETCOUNT:
            return LRESULT(alive.size());
        case TVM_GETVISIBLECOUNT:
            return PageRows();
        case TVM_GETINDENT:
            return Indent();
        case TVM_SETINDENT:
            indent = int(wParam);
            Redraw();
            return 0;
        case TVM_SETITEMHEIGHT: {
            int old = RowH();
            itemHeight = int(SHORT(wParam)) <= 0 ? 0 : int(SHORT(wParam));
            SetTop(top);
            Redraw();
            return old;
        }
        case TVM_GETITEMHEIGHT:
            return RowH();
        case TVM_SETIMAGELIST: {
            HIMAGELIST* slot = wParam == 2 ? &stateImages : &images;
            HIMAGELIST old = *slot;
            *slot = reinterpret_cast<HIMAGELIST>(lParam);
            Redraw();
            return reinterpret_cast<LRESULT>(old);
        }
        case TVM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(wParam == 2 ? stateImages : images);
        case TVM_HITTEST: {
            auto* ht = reinterpret_cast<TVHITTESTINFO*>(lParam);
            if (!ht)
                return 0;
            ht->hItem = HitTest(ht->pt, &ht->flags);
            return reinterpret_cast<LRESULT>(ht->hItem);
        }
        case TVM_ENSUREVISIBLE: {
            Node* n = Get(reinterpret_cast<HTREEITEM>(lParam));
            if (n)
                EnsureVisible(n);
            return n != nullptr;
        }
        case TVM_SORTCHILDREN: {
            Node* n = reinterpret_cast<HTREEITEM>(lParam) == TVI_ROOT || !lParam ? &root : Get(reinterpret_cast<HTREEITEM>(lParam));
            if (!n)
                return FALSE;
            std::stable_sort(n->kids.begin(), n->kids.end(), [](Node* a, Node* b) { return CompareNoCase(a->text, b->text) < 0; });
            Redraw();
            return TRUE;
        }
        default:
            return Control::Proc(msg, wParam, lParam);
        }
    }

    void Paint(HDC dc) override
    {
        RECT c = Client();
        HBRUSH back = CtlColor(WM_CTLCOLOREDIT, dc);
        (void)back;
        FillRect(dc, &c, Enabled() ? GetSysColorBrush(COLOR_WINDOW) : GetSysColorBrush(COLOR_BTNFACE));
        auto rows = Rows();
        int u = Unit(), h = RowH(), ind = Indent();
        int iw = 0, ih = 0;
        if (images)
            ImageList_GetIconSize(images, &iw, &ih);
        HPEN dotted = CreatePen(PS_DOT, 1, GetSysColor(COLOR_BTNSHADOW));
        for (int r = top; r < int(rows.size()); ++r) {
            RECT rr = RowRect(r);
            if (rr.top >= c.bottom)
                break;
            Node* n = rows[size_t(r)];
            int lx = LevelX(n), cy = (rr.top + rr.bottom) / 2;
            bool rootLines = (Style() & TVS_LINESATROOT) || n->parent != &root;
            if ((Style() & TVS_HASLINES) && rootLines) {
                HGDIOBJ old = SelectObject(dc, dotted);
                int bx = lx - ind / 2;
                MoveToEx(dc, bx, cy, nullptr);
                LineTo(dc, lx, cy);
                bool last = n->parent->kids.back() == n;
                MoveToEx(dc, bx, rr.top, nullptr);
                LineTo(dc, bx, last ? cy : rr.bottom);
                // the lines of the ancestors that have more children below
                int ax = bx;
                for (Node* p = n->parent; p && p != &root; p = p->parent) {
                    ax -= ind;
                    if (p->parent->kids.back() != p && (p->parent != &root || (Style() & TVS_LINESATROOT))) {
                        MoveToEx(dc, ax, rr.top, nullptr);
                        LineTo(dc, ax, rr.bottom);
                    }
                }
                SelectObject(dc, old);
            }
            if ((Style() & TVS_HASBUTTONS) && HasKids(n) && rootLines) {
                int s = 9 * u, bx = lx - ind / 2;
                RECT b{bx - s / 2, cy - s / 2, bx - s / 2 + s, cy - s / 2 + s};
                FillRect(dc, &b, GetSysColorBrush(COLOR_WINDOW));
                FrameRect(dc, &b, GetSysColorBrush(COLOR_BTNSHADOW));
                RECT hz{b.left + 2 * u, cy, b.right - 2 * u, cy + u};
                FillRect(dc, &hz, GetSysColorBrush(COLOR_WINDOWTEXT));
                if (!Expanded(n)) {
                    RECT vt{bx, b.top + 2 * u, bx + u, b.bottom - 2 * u};
                    FillRect(dc, &vt, GetSysColorBrush(COLOR_WINDOWTEXT));
                }
            }
            int x = lx;
            bool sel = n == caret || n == drop;
            if (images) {
                int img = sel && n->selImage >= 0 ? n->selImage : n->image;
                if (img >= 0)
                    ImageList_Draw(images, img, dc, x, (rr.top + rr.bottom - ih) / 2, ILD_TRANSPARENT);
                x += iw + 2 * u;
            }
            RECT tr = TextRect(n, dc);
            bool show = sel && (Focused() || (Style() & TVS_SHOWSELALWAYS) || n == drop);
            if (show) {
                FillRect(dc, &tr, GetSysColorBrush(Focused() || n == drop ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
                SetTextColor(dc, GetSysColor(Focused() || n == drop ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
            } else {
                SetTextColor(dc, Enabled() ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT));
            }
            RECT t2{tr.left + 2 * u, tr.top, tr.right, tr.bottom};
            DrawTextW(dc, n->text.c_str(), -1, &t2, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            if (n == caret && Focused())
                DrawFocusRect(dc, &tr);
        }
        DeleteObject(dotted);
        (void)h;
    }
};

}  // namespace

void RegisterTreeView() { RegisterControl<TreeView>(WC_TREEVIEWW, CS_DBLCLKS); }

}  // namespace ctl
