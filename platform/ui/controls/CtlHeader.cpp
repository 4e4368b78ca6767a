// "SysHeader32": the column headings of a list view (or a window of its own). Items carry text,
// width, alignment, an image and owner drawing; clicks report HDN_ITEMCLICK and dragging a
// divider reports HDN_BEGINTRACK / HDN_TRACK / HDN_ENDTRACK and the width change. Items are shown
// in their order (HDM_SETORDERARRAY, HDI_ORDER); painting goes through NM_CUSTOMDRAW.
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDraw.h"
#include "platform/ui/controls/CtlPrivate.h"

#include <algorithm>
#include <vector>

namespace ctl {
namespace {

class Header : public Control {
public:
    using Control::Control;
    struct Item {
        std::wstring text;
        int width = 50;
        int fmt = HDF_LEFT | HDF_STRING;
        LPARAM param = 0;
        int image = -1;
        HBITMAP bitmap = nullptr;
    };
    std::vector<Item> items;
    std::vector<int> order;  // display position -> item index
    HIMAGELIST images = nullptr;
    int pressed = -1, tracking = -1, trackStartX = 0, trackStartW = 0;
    int scroll = 0;  // horizontal offset given by the owner (a list view's scrolling)

    bool Valid(int i) const { return i >= 0 && i < int(items.size()); }

    RECT ItemRect(int item) const
    {
        RECT c = Client();
        int x = -scroll;
        for (int idx : order) {
            if (idx == item)
                return RECT{x, c.top, x + items[size_t(idx)].width, c.bottom};
            x += items[size_t(idx)].width;
        }
        return RECT{0, 0, 0, 0};
    }

    // The item whose right divider is near x (within a few pixels), or -1.
    int DividerAt(int x) const
    {
        int edge = -scroll, slack = 3 * Unit();
        int found = -1;
        for (int idx : order) {
            edge += items[size_t(idx)].width;
            if (std::abs(x - edge) <= slack)
                found = idx;
        }
        return found;
    }

    int ItemAt(POINT p) const
    {
        for (int idx : order) {
            RECT r = ItemRect(idx);
            if (p.x >= r.left && p.x < r.right)
                return idx;
        }
        return -1;
    }

    LRESULT Notify(UINT code, int item, HDITEMW* hdi = nullptr, int button = 0)
    {
        NMHEADERW nm{};
        nm.iItem = item;
        nm.iButton = button;
        nm.pitem = hdi;
        return NotifyParent(nm.hdr, code);
    }

    void Set(Item& it, const HDITEMW* h)
    {
        if (h->mask & HDI_WIDTH)
            it.width = std::max(0, h->cxy);
        if ((h->mask & HDI_TEXT) && h->pszText && h->pszText != LPSTR_TEXTCALLBACKW)
            it.text = h->pszText;
        if (h->mask & HDI_FORMAT)
            it.fmt = h->fmt;
        if (h->mask & HDI_LPARAM)
            it.param = h->lParam;
        if (h->mask & HDI_IMAGE)
            it.image = h->iImage;
        if (h->mask & HDI_BITMAP)
            it.bitmap = h->hbm;
    }

    // Moves item i to display position pos (HDI_ORDER).
    void MoveTo(int i, int pos)
    {
        auto at = std::find(order.begin(), order.end(), i);
        if (at == order.end())
            return;
        order.erase(at);
        order.insert(order.begin() + std::clamp(pos, 0, int(order.size())), i);
    }

    bool Get(int i, HDITEMW* h) const
    {
        if (!Valid(i) || !h)
            return false;
        const Item& it = items[size_t(i)];
        if (h->mask & HDI_WIDTH)
            h->cxy = it.width;
        if ((h->mask & HDI_TEXT) && h->pszText && h->cchTextMax > 0) {
            size_t n = std::min<size_t>(it.text.size(), size_t(h->cchTextMax) - 1);
            std::copy_n(it.text.data(), n, h->pszText);
            h->pszText[n] = 0;
        }
        if (h->mask & HDI_FORMAT)
            h->fmt = it.fmt;
        if (h->mask & HDI_LPARAM)
            h->lParam = it.param;
        if (h->mask & HDI_IMAGE)
            h->iImage = it.image;
        if (h->mask & HDI_BITMAP)
            h->hbm = it.bitmap;
        if (h->mask & HDI_ORDER)
            h->iOrder = int(std::find(order.begin(), order.end(), i) - order.begin());
        return true;
    }

    // Changes an item as the user or code does: HDN_ITEMCHANGING may refuse it.
    bool Change(int i, const HDITEMW& h)
    {
        HWND self = hwnd;
        HDITEMW copy = h;
        if (Notify(HDN_ITEMCHANGINGW, i, &copy) != 0 || !IsWindow(self))
            return false;
        Set(items[size_t(i)], &h);
        if (h.mask & HDI_ORDER)
            MoveTo(i, h.iOrder);
        Redraw();
        Notify(HDN_ITEMCHANGEDW, i, &copy);
        return true;
    }

    int Height()
    {
        int ih = 0, iw = 0;
        if (images)
            ImageList_GetIconSize(images, &iw, &ih);
        // Win32's heading: the font's height and two pixels above and below it
        return std::max(LineHeight(), ih) + 4 * Unit();
    }

    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case HDM_GETITEMCOUNT:
            return LRESULT(items.size());
        case HDM_INSERTITEMW: {
            auto* h = reinterpret_cast<const HDITEMW*>(lParam);
            if (!h)
                return -1;
            int at = std::clamp(int(wParam), 0, int(items.size()));
            Item it;
            Set(it, h);
            items.insert(items.begin() + at, it);
            for (int& o : order)
                if (o >= at)
                    ++o;
            int pos = (h->mask & HDI_ORDER) ? std::clamp(h->iOrder, 0, int(order.size())) : at;
            order.insert(order.begin() + std::min(pos, int(order.size())), at);
            Redraw();
            return at;
        }
        case HDM_DELETEITEM: {
            int i = int(wParam);
            if (!Valid(i))
                return FALSE;
            items.erase(items.begin() + i);
            order.erase(std::find(order.begin(), order.end(), i));
            for (int& o : order)
                if (o > i)
                    --o;
            Redraw();
            return TRUE;
        }
        case HDM_GETITEMW:
            return Get(int(wParam), reinterpret_cast<HDITEMW*>(lParam));
        case HDM_SETITEMW: {
            auto* h = reinterpret_cast<const HDITEMW*>(lParam);
            if (!Valid(int(wParam)) || !h)
                return FALSE;
            return Change(int(wParam), *h);
        }
        case HDM_LAYOUT: {
            auto* l = reinterpret_cast<HDLAYOUT*>(lParam);
            if (!l || !l->prc || !l->pwpos)
                return FALSE;
            int h = (Style() & HDS_HIDDEN) ? 0 : Height();
            *l->pwpos = WINDOWPOS{hwnd, nullptr, l->prc->left, l->prc->top, l->prc->right - l->prc->left, h, 0};
            l->prc->top += h;
            return TRUE;
        }
        case HDM_GETITEMRECT:
            if (!Valid(int(wParam)) || !lParam)
                return FALSE;
            *reinterpret_cast<RECT*>(lParam) = ItemRect(int(wParam));
            return TRUE;
        case HDM_HITTEST: {
            auto* ht = reinterpret_cast<HDHITTESTINFO*>(lParam);
            if (!ht)
                return -1;
            int d = DividerAt(ht->pt.x);
            ht->iItem = d >= 0 ? d : ItemAt(ht->pt);
            ht->flags = d >= 0 ? HHT_ONDIVIDER : ht->iItem >= 0 ? HHT_ONHEADER : HHT_NOWHERE;
            return ht->iItem;
        }
        case HDM_SETIMAGELIST: {
            HIMAGELIST old = images;
            images = reinterpret_cast<HIMAGELIST>(lParam);
            Redraw();
            return reinterpret_cast<LRESULT>(old);
        }
        case HDM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(images);
        case HDM_ORDERTOINDEX:
            return int(wParam) >= 0 && size_t(wParam) < order.size() ? order[wParam] : int(wParam);
        case HDM_GETORDERARRAY: {
            auto* out = reinterpret_cast<int*>(lParam);
            if (!out || size_t(wParam) != order.size())
                return FALSE;
            std::copy(order.begin(), order.end(), out);
            return TRUE;
        }
        case HDM_SETORDERARRAY: {
            auto* in = reinterpret_cast<const int*>(lParam);
            if (!in || size_t(wParam) != order.size())
                return FALSE;
            std::vector<int> o(in, in + wParam), check = o;
            std::sort(check.begin(), check.end());
            for (size_t k = 0; k < check.size(); ++k)
                if (check[k] != int(k))
                    return FALSE;
            order = o;
            Redraw();
            return TRUE;
        }
        case kHeaderScroll:
            scroll = int(wParam);
            Redraw();
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                POINT p{};
                GetCursorPos(&p);
                ScreenToClient(hwnd, &p);
                if (tracking >= 0 || DividerAt(p.x) >= 0) {
                    SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
                    return TRUE;
                }
            }
            return Default(msg, wParam, lParam);
        case WM_LBUTTONDOWN: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            int d = DividerAt(p.x);
            HWND self = hwnd;
            if (d >= 0) {
                HDITEMW h{HDI_WIDTH, items[size_t(d)].width, nullptr, nullptr, 0, 0, 0, 0, 0};
                if (Notify(HDN_BEGINTRACKW, d, &h) != 0 || !IsWindow(self))
                    return 0;
                tracking = d;
                trackStartX = p.x;
                trackStartW = items[size_t(d)].width;
                SetCapture(hwnd);
                return 0;
            }
            pressed = (Style() & HDS_BUTTONS) ? ItemAt(p) : -1;
            if (pressed >= 0) {
                SetCapture(hwnd);
                Redraw();
            }
            return 0;
        }
        case WM_MOUSEMOVE:
            if (tracking >= 0) {
                int w = std::max(0, trackStartW + GET_X_LPARAM(lParam) - trackStartX);
                HDITEMW h{HDI_WIDTH, w, nullptr, nullptr, 0, 0, 0, 0, 0};
                HWND self = hwnd;
                if (Notify(HDN_TRACKW, tracking, &h) == 0 && IsWindow(self) && (Style() & HDS_FULLDRAG))
                    Change(tracking, h);
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (tracking >= 0) {
                int t = tracking;
                tracking = -1;
                if (msg == WM_LBUTTONUP)
                    ReleaseCapture();
                int w = std::max(0, trackStartW + (msg == WM_LBUTTONUP ? GET_X_LPARAM(lParam) - trackStartX : 0));
                HDITEMW h{HDI_WIDTH, w, nullptr, nullptr, 0, 0, 0, 0, 0};
                HWND self = hwnd;
                Notify(HDN_ENDTRACKW, t, &h);
                if (IsWindow(self) && Valid(t) && items[size_t(t)].width != w)
                    Change(t, h);
            } else if (pressed >= 0) {
                int was = pressed;
                pressed = -1;
                if (msg == WM_LBUTTONUP)
                    ReleaseCapture();
                Redraw();
                POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                if (msg == WM_LBUTTONUP && ItemAt(p) == was)
                    Notify(HDN_ITEMCLICKW, was);
            }
            return 0;
        case WM_LBUTTONDBLCLK: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            int d = DividerAt(p.x);
            if (d >= 0)
                Notify(HDN_DIVIDERDBLCLICKW, d);
            else if (int i = ItemAt(p); i >= 0)
                Notify(HDN_ITEMDBLCLICKW, i);
            return 0;
        }
        default:
            return Control::Proc(msg, wParam, lParam);
        }
    }

    LRESULT CustomDraw(DWORD stage, HDC dc, const RECT& r, int item)
    {
        NMCUSTOMDRAW cd{};
        cd.dwDrawStage = stage;
        cd.hdc = dc;
        cd.rc = r;
        cd.dwItemSpec = DWORD_PTR(std::max(0, item));
        cd.uItemState = item >= 0 && item == pressed ? CDIS_SELECTED : 0;
        cd.lItemlParam = Valid(item) ? items[size_t(item)].param : 0;
        return NotifyParent(cd.hdr, NM_CUSTOMDRAW);
    }

    void Paint(HDC dc) override
    {
        RECT c = Client();
        FillRect(dc, &c, GetSysColorBrush(COLOR_BTNFACE));
        HWND self = hwnd;
        LRESULT pre = CustomDraw(CDDS_PREPAINT, dc, c, -1);
        if (!IsWindow(self) || (pre & CDRF_SKIPDEFAULT))
            return;
        int u = Unit(), iw = 0, ih = 0;
        if (images)
            ImageList_GetIconSize(images, &iw, &ih);
        int right = 0;
        const std::vector<int> shown = order;
        for (int idx : shown) {
            if (!Valid(idx))
                break;
            const Item& it = items[size_t(idx)];
            CRect r(ItemRect(idx));
            right = r.right;
            COLORREF ink = GetSysColor(COLOR_BTNTEXT);
            LRESULT itemRes = CDRF_DODEFAULT;
            if (pre & CDRF_NOTIFYITEMDRAW) {
                int saved = SaveDC(dc);
                SetTextColor(dc, ink);
                itemRes = CustomDraw(CDDS_ITEMPREPAINT, dc, r, idx);
                if (!IsWindow(self) || !Valid(idx))
                    return;
                if (itemRes & CDRF_NEWFONT)
                    ink = GetTextColor(dc);  // the parent's font and colour stay for this item
                else
                    RestoreDC(dc, saved);
                if (itemRes & CDRF_SKIPDEFAULT)
                    continue;
            }
            PaintItem(dc, it, idx, r, ink, u, iw, ih);
            if (itemRes & CDRF_NOTIFYPOSTPAINT) {
                CustomDraw(CDDS_ITEMPOSTPAINT, dc, r, idx);
                if (!IsWindow(self))
                    return;
            }
        }
        if (right < c.right) {
            RECT rest{right, c.top, c.right, c.bottom};
            DrawButtonFace(dc, rest, false, false);
        }
        if (pre & CDRF_NOTIFYPOSTPAINT)
            CustomDraw(CDDS_POSTPAINT, dc, c, -1);
    }

    void PaintItem(HDC dc, const Item& it, int idx, CRect r, COLORREF ink, int u, int iw, int ih)
    {
        {
            if (it.fmt & HDF_OWNERDRAW) {
                DRAWITEMSTRUCT dis{ODT_HEADER, UINT(Id()), UINT(idx), ODA_DRAWENTIRE, idx == pressed ? ODS_SELECTED : 0u,
                                   hwnd, dc, r, ULONG_PTR(it.param)};
                OwnerMessage(WM_DRAWITEM, reinterpret_cast<LPARAM>(&dis));
                return;
            }
            DrawButtonFace(dc, r, idx == pressed, false, !(Style() & HDS_BUTTONS) && false);
            CRect content(r);
            content.DeflateRect(6 * u, 2 * u);
            if (idx == pressed)
                content.OffsetRect(u, u);
            if ((it.fmt & HDF_IMAGE) && images && it.image >= 0) {
                ImageList_Draw(images, it.image, dc, content.left, (content.top + content.bottom - ih) / 2, ILD_TRANSPARENT);
                content.left += iw + 3 * u;
            }
            if (it.fmt & (HDF_SORTUP | HDF_SORTDOWN)) {
                RECT arrow{content.right - 8 * u, content.top, content.right, content.bottom};
                DrawArrow(dc, arrow, (it.fmt & HDF_SORTUP) ? 0 : 1, true);
                content.right -= 10 * u;
            }
            UINT just = (it.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT ? DT_RIGHT : (it.fmt & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER : DT_LEFT;
            if (it.fmt & HDF_STRING || !(it.fmt & (HDF_BITMAP | HDF_IMAGE)))
                DrawLabel(dc, it.text.c_str(), content, just | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX,
                          Enabled(), ink);
        }
    }
};

}  // namespace

void RegisterHeader() { RegisterControl<Header>(WC_HEADERW, CS_DBLCLKS); }

}  // namespace ctl
