// "SysTreeView32": a tree of items with texts, images and item data, expanded and collapsed by
// the user or by code with TVN_ITEMEXPANDING / TVN_ITEMEXPANDED (code is silent once an item has
// been expanded, as with Win32's TVIS_EXPANDEDONCE), and a selection reported with
// TVN_SELCHANGING (non-zero keeps the old one) and TVN_SELCHANGED carrying the old and the new
// item. Callback texts, images and child counts are asked for with TVN_GETDISPINFO; painting
// goes through NM_CUSTOMDRAW; TVS_CHECKBOXES gives each item a check box state image (1 clear,
// 2 checked); labels are edited in place between TVN_BEGINLABELEDIT and TVN_ENDLABELEDIT.
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDraw.h"
#include "platform/ui/controls/CtlLabelEdit.h"

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

struct TREEITEM__ {
    std::wstring text;
    LPARAM param = 0;
    UINT state = 0;
    int image = -1, selImage = -1;
    int children = 0;  // cChildren as given; I_CHILDRENCALLBACK asks the parent
    bool textCallback = false, imageCallback = false, selImageCallback = false;
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
    std::set<Node*> dying;  // being reported as deleted
    Node* caret = nullptr;
    Node* drop = nullptr;
    int top = 0;  // first visible row
    int indent = 0, itemHeight = 0;
    HIMAGELIST images = nullptr, stateImages = nullptr;
    bool vbar = false;
    COLORREF bk = CLR_DEFAULT, ink = CLR_DEFAULT;  // TVM_SETBKCOLOR / TVM_SETTEXTCOLOR
    LabelEdit labelEdit;
    Node* editNode = nullptr;
    Node* pendingEdit = nullptr;
    bool rclickHandled = false;  // the parent answered NM_RCLICK non-zero
    static constexpr UINT_PTR kEditTimer = 1;
    static constexpr int kDispTextMax = 260;

    ~TreeView() override { Free(&root, false); }

    bool CheckBoxes() const { return (Style() & TVS_CHECKBOXES) != 0; }
    // Width of the state image before an item's icon (the check box, or the state list's image).
    int StateWidth() const
    {
        int iw = 0, ih = 0;
        if (stateImages && ImageList_GetIconSize(stateImages, &iw, &ih))
            return iw;
        return CheckBoxes() ? 16 * Unit() : 0;
    }

    // Asks the parent for what it keeps of an item (TVN_GETDISPINFO); TVIF_DI_SETITEM makes the
    // control keep the answer.
    TVITEMW AskDispInfo(Node* n, UINT mask, std::wstring* text)
    {
        wchar_t buf[kDispTextMax] = {};
        NMTVDISPINFOW di{};
        di.item.mask = mask | TVIF_HANDLE | TVIF_PARAM | TVIF_STATE;
        di.item.hItem = n;
        di.item.state = n->state;
        di.item.stateMask = ~0u;
        di.item.lParam = n->param;
        di.item.pszText = buf;
        di.item.cchTextMax = kDispTextMax;
        di.item.iImage = n->image;
        di.item.iSelectedImage = n->selImage;
        di.item.cChildren = n->children;
        HWND self = hwnd;
        NotifyParent(di.hdr, TVN_GETDISPINFOW);
        if (text) {
            LPCWSTR got = di.item.pszText && di.item.pszText != LPSTR_TEXTCALLBACKW ? di.item.pszText : L"";
            *text = std::wstring(got, wcsnlen(got, size_t(kDispTextMax)));
        }
        if (IsWindow(self) && alive.count(n) && (di.item.mask & TVIF_DI_SETITEM)) {
            if ((mask & TVIF_TEXT) && text) {
                n->text = *text;
                n->textCallback = false;
            }
            if (mask & TVIF_IMAGE) {
                n->image = di.item.iImage;
                n->imageCallback = false;
            }
            if (mask & TVIF_SELECTEDIMAGE) {
                n->selImage = di.item.iSelectedImage;
                n->selImageCallback = false;
            }
            if (mask & TVIF_CHILDREN)
                n->children = di.item.cChildren;
        }
        return di.item;
    }
    std::wstring TextOf(Node* n)
    {
        if (!n->textCallback)
            return n->text;
        std::wstring t;
        AskDispInfo(n, TVIF_TEXT, &t);
        return t;
    }
    int ImageOf(Node* n, bool selected)
    {
        if (selected && n->selImageCallback)
            return AskDispInfo(n, TVIF_SELECTEDIMAGE, nullptr).iSelectedImage;
        if (selected && n->selImage >= 0)
            return n->selImage;
        if (n->imageCallback)
            return AskDispInfo(n, TVIF_IMAGE, nullptr).iImage;
        return n->image;
    }

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
    bool HasKids(Node* n)
    {
        if (!n->kids.empty())
            return true;
        if (n->children == I_CHILDRENCALLBACK && n != &root)
            return AskDispInfo(n, TVIF_CHILDREN, nullptr).cChildren > 0;
        return n->children > 0;
    }

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

    void FillItem(Node* n, TVITEMW& it)
    {
        it = TVITEMW{};
        it.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
        if (n) {
            it.hItem = n;
            it.lParam = n->param;
            it.state = n->state;
            it.stateMask = 0xFFFF;
            it.iImage = n->image;
            it.iSelectedImage = n->selImage;
            it.cChildren = n->children == I_CHILDRENCALLBACK && n->kids.empty() ? I_CHILDRENCALLBACK : (!n->kids.empty() || n->children > 0 ? 1 : 0);
        }
    }

    // Notifies a tree change; a non-zero answer refuses it.
    LRESULT NotifyTree(UINT code, UINT action, Node* oldItem, Node* newItem, POINT pt = {0, 0})
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

    // Expands or collapses. The user's changes are asked and reported; code's are too until
    // the item has been expanded once (TVIS_EXPANDEDONCE), as Win32 does.
    bool Expand(Node* n, UINT how, bool user)
    {
        if (!n || n == &root)
            return false;
        UINT action = how & TVE_TOGGLE;
        bool open = action == TVE_TOGGLE ? !Expanded(n) : action == TVE_EXPAND;
        if (open == Expanded(n) && !(how & TVE_COLLAPSERESET))
            return open;  // expanding an expanded item succeeds, collapsing a collapsed one not
        HWND self = hwnd;
        if (open && !HasKids(n))
            return false;
        if (!IsWindow(self) || !alive.count(n))
            return false;
        UINT act = open ? TVE_EXPAND : TVE_COLLAPSE;
        bool notify = user || !(n->state & TVIS_EXPANDEDONCE);
        if (notify && (NotifyTree(TVN_ITEMEXPANDINGW, act, nullptr, n) != 0 || !IsWindow(self) || !alive.count(n)))
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
        if (notify && alive.count(n))
            NotifyTree(TVN_ITEMEXPANDEDW, act, nullptr, n);
        return true;
    }

    // Frees n's branch (children first), reporting each item when notify is set. The branch is
    // taken off its parent's list first: a handler that deletes items meanwhile finds only what
    // is still alive.
    void Free(Node* n, bool notify)
    {
        std::vector<Node*> kids;
        kids.swap(n->kids);
        for (Node* k : kids)
            if (alive.count(k))
                Free(k, notify);
        if (n != &root) {
            dying.insert(n);  // the handler may still read it, but not delete it again
            if (notify)
                NotifyTree(TVN_DELETEITEMW, 0, n, nullptr);
            dying.erase(n);
            alive.erase(n);
            delete n;
        }
    }

    void Delete(Node* n)
    {
        if (dying.count(n))
            return;
        if (n == &root) {
            for (Node* k : std::vector<Node*>(root.kids))
                Delete(k);
            return;
        }
        for (Node* c = editNode; c; c = c->parent)
            if (c == n) {
                labelEdit.Destroy();
                editNode = nullptr;
                break;
            }
        for (Node* c = pendingEdit; c; c = c->parent)
            if (c == n) {
                pendingEdit = nullptr;
                break;
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
        auto at = std::find(p->kids.begin(), p->kids.end(), n);
        if (at != p->kids.end())
            p->kids.erase(at);
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
        SetFields(n, it);
        if (it.mask & TVIF_STATE)
            n->state = it.state & it.stateMask & ~TVIS_SELECTED;
        if (CheckBoxes() && !(n->state & TVIS_STATEIMAGEMASK))
            n->state |= INDEXTOSTATEIMAGEMASK(1);
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

    void SetFields(Node* n, const TVITEMW& it)
    {
        if (it.mask & TVIF_TEXT) {
            n->textCallback = it.pszText == LPSTR_TEXTCALLBACKW;
            n->text = it.pszText && !n->textCallback ? it.pszText : L"";
        }
        if (it.mask & TVIF_PARAM)
            n->param = it.lParam;
        if (it.mask & TVIF_IMAGE) {
            n->image = it.iImage;
            n->imageCallback = it.iImage == I_IMAGECALLBACK;
        }
        if (it.mask & TVIF_SELECTEDIMAGE) {
            n->selImage = it.iSelectedImage;
            n->selImageCallback = it.iSelectedImage == I_IMAGECALLBACK;
        }
        if (it.mask & TVIF_CHILDREN)
            n->children = it.cChildren;
    }

    // Opens the label editor on n after TVN_BEGINLABELEDIT allows it.
    HWND EditLabel(Node* n)
    {
        labelEdit.End(false);
        KillTimer(hwnd, kEditTimer);
        pendingEdit = nullptr;
        HWND self = hwnd;
        if (!n || !alive.count(n) || !TakeFocus() || !alive.count(n))
            return nullptr;
        EnsureVisible(n);
        std::wstring text = TextOf(n);
        if (!IsWindow(self) || !alive.count(n))
            return nullptr;
        std::vector<wchar_t> buf(text.begin(), text.end());
        buf.push_back(0);
        NMTVDISPINFOW di{};
        di.item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
        di.item.hItem = n;
        di.item.pszText = buf.data();
        di.item.cchTextMax = int(buf.size());
        di.item.state = n->state;
        di.item.lParam = n->param;
        if (NotifyParent(di.hdr, TVN_BEGINLABELEDITW) != 0 || !IsWindow(self) || !alive.count(n))
            return nullptr;
        RECT r = TextRect(n);
        r.right = std::max<LONG>(r.right, r.left + 60 * Unit());
        editNode = n;
        return labelEdit.Open(hwnd, r, text, Font(), [this, self](bool accepted, const std::wstring& t) {
            if (IsWindow(self))
                EndEdit(accepted, t);
        });
    }

    // The edit ended: TVN_ENDLABELEDIT carries the new text (null when cancelled); a non-zero
    // answer keeps it (a callback label goes back through TVN_SETDISPINFO).
    void EndEdit(bool accepted, const std::wstring& t)
    {
        Node* n = editNode;
        editNode = nullptr;
        if (!n || !alive.count(n))
            return;
        std::vector<wchar_t> buf(t.begin(), t.end());
        buf.push_back(0);
        NMTVDISPINFOW di{};
        di.item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM;
        di.item.hItem = n;
        di.item.pszText = accepted ? buf.data() : nullptr;
        di.item.cchTextMax = accepted ? int(buf.size()) : 0;
        di.item.lParam = n->param;
        HWND self = hwnd;
        LRESULT keep = NotifyParent(di.hdr, TVN_ENDLABELEDITW);
        if (!accepted || !keep || !IsWindow(self) || !alive.count(n))
            return;
        if (n->textCallback) {
            NMTVDISPINFOW set{};
            set.item = di.item;
            NotifyParent(set.hdr, TVN_SETDISPINFOW);
        } else {
            n->text = t;
        }
        if (IsWindow(self))
            Redraw();
    }

    // The check box of an item: 1 clear, 2 checked.
    void ToggleCheck(Node* n)
    {
        UINT img = (n->state & TVIS_STATEIMAGEMASK) >> 12;
        n->state = (n->state & ~TVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(img == 2 ? 1 : 2);
        Redraw();
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
        int x = LevelX(n) + StateWidth();
        int iw = 0, ih = 0;
        if (images)
            ImageList_GetIconSize(images, &iw, &ih);
        if (images)
            x += iw + 2 * Unit();
        std::wstring text = TextOf(n);
        HDC dc = dcIn ? dcIn : GetDC(hwnd);
        HGDIOBJ old = dcIn ? nullptr : SelectObject(dc, Font());
        SIZE sz{};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &sz);
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
        else if (p.x < lx + StateWidth())
            f = TVHT_ONITEMSTATEICON;
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
        case WM_DESTROY:
            // the items go with the window, each reported (handlers free their data)
            labelEdit.Destroy();
            editNode = pendingEdit = nullptr;
            KillTimer(hwnd, kEditTimer);
            caret = drop = nullptr;
            Free(&root, true);
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
            bool hadFocus = Focused();
            if (!TakeFocus())
                return 0;
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            UINT flags = 0;
            Node* n = HitTest(p, &flags);
            if (msg == WM_RBUTTONDOWN) {
                rclickHandled = NotifyParent(NM_RCLICK) != 0;
                return 0;
            }
            if (n && flags == TVHT_ONITEMSTATEICON) {
                // the parent hears of the click first and finds the old state, as with Win32;
                // a quick second click toggles again
                LRESULT handled = NotifyParent(NM_CLICK);
                if (IsWindow(self) && alive.count(n) && CheckBoxes() && !handled)
                    ToggleCheck(n);
                return 0;
            }
            KillTimer(hwnd, kEditTimer);
            pendingEdit = nullptr;
            if (msg == WM_LBUTTONDBLCLK) {
                LRESULT handled = NotifyParent(NM_DBLCLK);
                if (IsWindow(self) && !handled && n && (flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON)))
                    Expand(n, TVE_TOGGLE, true);
                return 0;
            }
            // a click on the label of the selected item renames it once the time for a double
            // click has passed
            if (n && n == caret && flags == TVHT_ONITEMLABEL && (Style() & TVS_EDITLABELS) && hadFocus) {
                pendingEdit = n;
                SetTimer(hwnd, kEditTimer, GetDoubleClickTime(), nullptr);
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
            case VK_SPACE:
                if (caret && CheckBoxes())
                    ToggleCheck(caret);
                break;
            default: break;
            }
            return 0;
        }
        case WM_RBUTTONUP:
            // the parent gets WM_CONTEXTMENU unless it took NM_RCLICK (non-zero)
            if (rclickHandled) {
                rclickHandled = false;
                return 0;
            }
            return Default(msg, wParam, lParam);
        case WM_TIMER:
            if (wParam == kEditTimer) {
                KillTimer(hwnd, kEditTimer);
                Node* n = pendingEdit;
                pendingEdit = nullptr;
                if (n && alive.count(n) && n == caret && Focused())
                    EditLabel(n);
                return 0;
            }
            return Control::Proc(msg, wParam, lParam);
        case TVM_EDITLABELW:
            return reinterpret_cast<LRESULT>(EditLabel(Get(reinterpret_cast<HTREEITEM>(lParam))));
        case TVM_GETEDITCONTROL:
            return reinterpret_cast<LRESULT>(labelEdit.Handle());
        case TVM_ENDEDITLABELNOW:
            if (!labelEdit.IsOpen())
                return FALSE;
            labelEdit.End(wParam == 0);
            return TRUE;
        case TVM_SETBKCOLOR:
        case TVM_SETTEXTCOLOR: {
            COLORREF& slot = msg == TVM_SETBKCOLOR ? bk : ink;
            COLORREF old = slot;
            slot = COLORREF(lParam);
            Redraw();
            return old == CLR_DEFAULT ? LRESULT(-1) : LRESULT(old);
        }
        case TVM_GETBKCOLOR:
            return bk == CLR_DEFAULT ? LRESULT(-1) : LRESULT(bk);
        case TVM_GETTEXTCOLOR:
            return ink == CLR_DEFAULT ? LRESULT(-1) : LRESULT(ink);
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
            HWND self = hwnd;
            if ((it->mask & TVIF_TEXT) && it->pszText && it->cchTextMax > 0) {
                std::wstring t = TextOf(n);
                size_t k = std::min<size_t>(t.size(), size_t(it->cchTextMax) - 1);
                std::copy_n(t.data(), k, it->pszText);
                it->pszText[k] = 0;
            }
            if (!IsWindow(self) || !alive.count(n))
                return FALSE;
            if (it->mask & TVIF_PARAM)
                it->lParam = n->param;
            if (it->mask & TVIF_STATE)
                it->state = n->state & it->stateMask;
            if (it->mask & TVIF_IMAGE)
                it->iImage = n->imageCallback ? ImageOf(n, false) : n->image;
            if ((it->mask & TVIF_SELECTEDIMAGE) && alive.count(n))
                it->iSelectedImage = n->selImageCallback ? AskDispInfo(n, TVIF_SELECTEDIMAGE, nullptr).iSelectedImage : n->selImage;
            if ((it->mask & TVIF_CHILDREN) && alive.count(n))
                it->cChildren = HasKids(n) ? 1 : 0;
            return TRUE;
        }
        case TVM_SETITEMW: {
            auto* it = reinterpret_cast<const TVITEMW*>(lParam);
            Node* n = it ? Get(it->hItem) : nullptr;
            if (!n)
                return FALSE;
            SetFields(n, *it);
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
            std::vector<std::pair<std::wstring, Node*>> keyed;
            for (Node* k : n->kids)
                keyed.emplace_back(TextOf(k), k);
            if (!alive.count(n) && n != &root)
                return FALSE;
            std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return CompareNoCase(a.first, b.first) < 0; });
            if (keyed.size() != n->kids.size())
                return FALSE;  // the parent changed the children while answering
            for (size_t k = 0; k < keyed.size(); ++k)
                n->kids[k] = keyed[k].second;
            Redraw();
            return TRUE;
        }
        default:
            return Control::Proc(msg, wParam, lParam);
        }
    }

    LRESULT CustomDraw(NMTVCUSTOMDRAW& cd, DWORD stage, HDC dc, const RECT& r, Node* n, UINT itemState)
    {
        cd.nmcd.dwDrawStage = stage;
        cd.nmcd.hdc = dc;
        cd.nmcd.rc = r;
        cd.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(n);
        cd.nmcd.uItemState = itemState;
        cd.nmcd.lItemlParam = n ? n->param : 0;
        cd.iLevel = n ? Depth(n) : 0;
        return NotifyParent(cd.nmcd.hdr, NM_CUSTOMDRAW);
    }

    void Paint(HDC dc) override
    {
        RECT c = Client();
        COLORREF back = !Enabled() ? GetSysColor(COLOR_BTNFACE) : bk != CLR_DEFAULT ? bk : GetSysColor(COLOR_WINDOW);
        COLORREF text = ink != CLR_DEFAULT ? ink : GetSysColor(COLOR_WINDOWTEXT);
        FillSolid(dc, c, back);
        HWND self = hwnd;
        NMTVCUSTOMDRAW cd{};
        LRESULT pre = CustomDraw(cd, CDDS_PREPAINT, dc, c, nullptr, 0);
        if (!IsWindow(self) || (pre & CDRF_SKIPDEFAULT))
            return;
        auto rows = Rows();
        int u = Unit(), ind = Indent();
        int iw = 0, ih = 0;
        if (images)
            ImageList_GetIconSize(images, &iw, &ih);
        HPEN dotted = CreatePen(PS_DOT, 1, GetSysColor(COLOR_BTNSHADOW));
        for (int r = top; r < int(rows.size()); ++r) {
            RECT rr = RowRect(r);
            if (rr.top >= c.bottom)
                break;
            Node* n = rows[size_t(r)];
            if (!alive.count(n))
                break;  // a handler changed the tree: the next paint shows it
            bool sel = n == caret || n == drop;
            bool show = sel && (Focused() || (Style() & TVS_SHOWSELALWAYS) || n == drop);
            UINT st = (sel ? CDIS_SELECTED : 0) | (n == caret && Focused() ? CDIS_FOCUS : 0);
            cd.clrText = show ? GetSysColor(Focused() || n == drop ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT)
                              : (Enabled() ? text : GetSysColor(COLOR_GRAYTEXT));
            cd.clrTextBk = show ? GetSysColor(Focused() || n == drop ? COLOR_HIGHLIGHT : COLOR_BTNFACE) : back;
            LRESULT itemRes = CDRF_DODEFAULT;
            int saved = 0;
            if (pre & CDRF_NOTIFYITEMDRAW) {
                saved = SaveDC(dc);
                itemRes = CustomDraw(cd, CDDS_ITEMPREPAINT, dc, rr, n, st);
                if (!IsWindow(self) || !alive.count(n)) {
                    DeleteObject(dotted);
                    return;
                }
                if (!(itemRes & CDRF_NEWFONT)) {
                    RestoreDC(dc, saved);
                    saved = 0;
                }
                if (itemRes & CDRF_SKIPDEFAULT) {
                    if (saved)
                        RestoreDC(dc, saved);
                    continue;
                }
            }
            PaintItem(dc, n, rr, dotted, sel, show || cd.clrTextBk != back, cd.clrText, cd.clrTextBk, u, ind, iw, ih);
            if (saved)
                RestoreDC(dc, saved);
            if (!IsWindow(self) || !alive.count(n))
                break;
            if (itemRes & CDRF_NOTIFYPOSTPAINT) {
                CustomDraw(cd, CDDS_ITEMPOSTPAINT, dc, rr, n, st);
                if (!IsWindow(self)) {
                    DeleteObject(dotted);
                    return;
                }
            }
        }
        DeleteObject(dotted);
        if (pre & CDRF_NOTIFYPOSTPAINT)
            CustomDraw(cd, CDDS_POSTPAINT, dc, c, nullptr, 0);
    }

    void PaintItem(HDC dc, Node* n, const RECT& rr, HPEN dotted, bool sel, bool filled, COLORREF fore, COLORREF fill,
                   int u, int ind, int iw, int ih)
    {
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
        HWND self = hwnd;
        bool kids = (Style() & TVS_HASBUTTONS) && rootLines && HasKids(n);
        if (!IsWindow(self) || !alive.count(n))
            return;
        if (kids) {
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
        if (int sw = StateWidth()) {
            UINT img = (n->state & TVIS_STATEIMAGEMASK) >> 12;
            int sx = 0, sy = 0;
            if (stateImages && ImageList_GetIconSize(stateImages, &sx, &sy)) {
                if (img > 0)
                    ImageList_Draw(stateImages, int(img), dc, x, (rr.top + rr.bottom - sy) / 2, ILD_TRANSPARENT);
            } else if (img > 0) {
                DrawCheckMark(dc, x + u, cy - 13 * u / 2, 13 * u, img == 2 ? 1 : 0, false, Enabled());
            }
            x += sw;
        }
        if (images) {
            int img = ImageOf(n, sel);
            if (!IsWindow(self) || !alive.count(n))
                return;
            if (img >= 0)
                ImageList_Draw(images, img, dc, x, (rr.top + rr.bottom - ih) / 2, ILD_TRANSPARENT);
            x += iw + 2 * u;
        }
        std::wstring label = TextOf(n);
        if (!IsWindow(self) || !alive.count(n))
            return;
        RECT tr = TextRect(n, dc);
        if (filled)
            FillSolid(dc, tr, fill);
        SetTextColor(dc, fore);
        RECT t2{tr.left + 2 * u, tr.top, tr.right, tr.bottom};
        DrawTextW(dc, label.c_str(), -1, &t2, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (n == caret && Focused())
            DrawFocusRect(dc, &tr);
    }
};

}  // namespace

void RegisterTreeView() { RegisterControl<TreeView>(WC_TREEVIEWW, CS_DBLCLKS); }

}  // namespace ctl
