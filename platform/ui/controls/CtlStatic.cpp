// The "Static" class: labels, frames, rectangles, etched lines, bitmaps and owner-drawn
// statics, and icons. Without SS_NOTIFY a static lets the mouse through to the window below it.
// Etched lines and sunken statics get a static edge; an etched line is that edge alone (its
// client area collapses to nothing across the line).
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDraw.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"

#include <cwchar>

namespace ctl {
namespace {

class Static : public Control {
public:
    using Control::Control;
    ~Static() override
    {
        if (ownBitmap)
            DeleteObject(ownBitmap);
    }
    HANDLE image = nullptr;
    HBITMAP ownBitmap = nullptr;  // loaded from the resource the window text names
    // Icons loaded by LoadIcon stay with the loader (shared, never destroyed here).

    // An icon static of a template names its icon by resource number ("#number" or an
    // integer name) or by string; it comes from the window's instance.
    void LoadNamedIcon(const CREATESTRUCTW* cs)
    {
        LPCWSTR name = cs->lpszName;
        if (!name || (!IS_INTRESOURCE(name) && !name[0]))
            return;
        if (!IS_INTRESOURCE(name) && name[0] == L'#') {
            UINT id = UINT(std::wcstoul(name + 1, nullptr, 10));
            if (!id)
                return;
            name = MAKEINTRESOURCE(id);
        }
        HINSTANCE inst = cs->hInstance ? cs->hInstance : AfxGetInstanceHandle();
        if (HICON icon = LoadIconW(inst, name))
            SetIcon(icon);
    }

    // Takes an icon and, unless the style keeps the control's size, fits the control to it.
    HANDLE SetIcon(HICON icon)
    {
        HANDLE old = image;
        image = icon;
        SIZE sz{};
        if (icon && !(Style() & (SS_CENTERIMAGE | SS_REALSIZEIMAGE | SS_REALSIZECONTROL)) && GetIconSize(icon, &sz) &&
            sz.cx > 0 && sz.cy > 0)
            SetWindowPos(hwnd, nullptr, 0, 0, sz.cx, sz.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowNow();
        return old;
    }

    // A picture static of a template names its bitmap by resource number (or "#number").
    void LoadNamedBitmap(LPCWSTR name)
    {
        UINT id = 0;
        if (!name)
            return;
        if (IS_INTRESOURCE(name))
            id = UINT(reinterpret_cast<UINT_PTR>(name));
        else if (name[0] == L'#' && name[1])
            id = UINT(std::wcstoul(name + 1, nullptr, 10));
        if (!id)
            return;
        CBitmap b;
        if (b.LoadBitmap(id)) {
            ownBitmap = static_cast<HBITMAP>(b.Detach());
            image = ownBitmap;
        }
    }

    // A new picture is painted at once, not when the next paint comes round: a caller that
    // changes it during a long operation sees it change.
    void ShowNow()
    {
        Redraw();
        UpdateWindow(hwnd);
    }

    DWORD Type() const { return Style() & SS_TYPEMASK; }
    bool Etched() const { return Type() == SS_ETCHEDHORZ || Type() == SS_ETCHEDVERT; }

    // An etched line's size across it: the two borders of the static edge.
    void Collapse(int& cx, int& cy) const
    {
        if (Type() == SS_ETCHEDHORZ)
            cy = 2 * GetSystemMetrics(SM_CYBORDER);
        else if (Type() == SS_ETCHEDVERT)
            cx = 2 * GetSystemMetrics(SM_CXBORDER);
    }

    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case WM_NCCREATE: {
            auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
            if (Etched() || (cs->style & SS_SUNKEN)) {
                cs->dwExStyle |= WS_EX_STATICEDGE;
                SetWindowLongPtrW(hwnd, GWL_EXSTYLE, LONG_PTR(ExStyle() | WS_EX_STATICEDGE));
            }
            return Default(msg, wParam, lParam);
        }
        case WM_WINDOWPOSCHANGING: {
            auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
            if (Etched() && !(wp->flags & SWP_NOSIZE))
                Collapse(wp->cx, wp->cy);
            return Default(msg, wParam, lParam);
        }
        case WM_CREATE:
            if (Etched()) {
                RECT wr{};
                GetWindowRect(hwnd, &wr);
                int cx = wr.right - wr.left, cy = wr.bottom - wr.top;
                Collapse(cx, cy);
                SetWindowPos(hwnd, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            if (Type() == SS_BITMAP)
                LoadNamedBitmap(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpszName);
            else if (Type() == SS_ICON)
                LoadNamedIcon(reinterpret_cast<CREATESTRUCTW*>(lParam));
            return 0;
        case WM_NCHITTEST:
            return (Style() & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
        case WM_LBUTTONDOWN:
            if (Style() & SS_NOTIFY)
                NotifyCommand(STN_CLICKED);
            return 0;
        case WM_LBUTTONDBLCLK:
            if (Style() & SS_NOTIFY)
                NotifyCommand(STN_DBLCLK);
            return 0;
        case WM_ENABLE:
            if (Style() & SS_NOTIFY)
                NotifyCommand(wParam ? STN_ENABLE : STN_DISABLE);
            Redraw();
            return 0;
        case WM_SETTEXT: {
            LRESULT r = Default(msg, wParam, lParam);
            Redraw();
            return r;
        }
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        case STM_SETICON:
            return Type() == SS_ICON ? reinterpret_cast<LRESULT>(SetIcon(reinterpret_cast<HICON>(wParam))) : 0;
        case STM_SETIMAGE: {
            // The image kind must be the static's own: icons for SS_ICON, bitmaps for SS_BITMAP.
            if (Type() == SS_ICON && (wParam == IMAGE_ICON || wParam == IMAGE_CURSOR))
                return reinterpret_cast<LRESULT>(SetIcon(reinterpret_cast<HICON>(lParam)));
            if (Type() != SS_BITMAP || wParam != IMAGE_BITMAP)
                return 0;
            HANDLE old = image;
            image = reinterpret_cast<HANDLE>(lParam);
            ShowNow();
            return reinterpret_cast<LRESULT>(old);
        }
        case STM_GETICON:
            return Type() == SS_ICON ? reinterpret_cast<LRESULT>(image) : 0;
        case STM_GETIMAGE:
            if (Type() == SS_ICON)
                return wParam == IMAGE_ICON || wParam == IMAGE_CURSOR ? reinterpret_cast<LRESULT>(image) : 0;
            return Type() == SS_BITMAP && wParam == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(image) : 0;
        default:
            return Control::Proc(msg, wParam, lParam);
        }
    }

    void Paint(HDC dc) override
    {
        RECT r = Client();
        DWORD type = Type();
        if (type == SS_OWNERDRAW) {
            DRAWITEMSTRUCT dis{ODT_STATIC, UINT(Id()), 0, ODA_DRAWENTIRE, Enabled() ? 0u : ODS_DISABLED, hwnd, dc, r, 0};
            OwnerMessage(WM_DRAWITEM, reinterpret_cast<LPARAM>(&dis));
            return;
        }
        HBRUSH back = CtlColor(WM_CTLCOLORSTATIC, dc);
        switch (type) {
        case SS_BLACKRECT: FillRect(dc, &r, GetSysColorBrush(COLOR_3DDKSHADOW)); return;
        case SS_GRAYRECT: FillRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW)); return;
        case SS_WHITERECT: FillRect(dc, &r, GetSysColorBrush(COLOR_BTNHIGHLIGHT)); return;
        case SS_BLACKFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_3DDKSHADOW)); return;
        case SS_GRAYFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW)); return;
        case SS_WHITEFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNHIGHLIGHT)); return;
        case SS_ETCHEDHORZ: DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP); return;
        case SS_ETCHEDVERT: DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT); return;
        case SS_ETCHEDFRAME: DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT); return;
        default: break;
        }
        if (type == SS_BITMAP && !image)
            return;  // a picture static without its picture draws nothing
        if (back)
            FillRect(dc, &r, back);
        if (type == SS_BITMAP) {
            PaintBitmap(dc, r);
            return;
        }
        if (type == SS_ICON) {
            PaintIcon(dc, r);
            return;
        }
        std::wstring text = Text();
        UINT fmt = DT_NOCLIP | DT_EXPANDTABS;
        switch (type) {
        case SS_CENTER: fmt |= DT_CENTER | DT_WORDBREAK; break;
        case SS_RIGHT: fmt |= DT_RIGHT | DT_WORDBREAK; break;
        case SS_LEFTNOWORDWRAP:
        case SS_SIMPLE: fmt |= DT_LEFT | DT_SINGLELINE; break;
        default: fmt |= DT_LEFT | DT_WORDBREAK; break;
        }
        if (Style() & SS_NOPREFIX)
            fmt |= DT_NOPREFIX;
        if (Style() & SS_CENTERIMAGE)
            fmt = (fmt & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
        switch (Style() & SS_ELLIPSISMASK) {
        case SS_ENDELLIPSIS: fmt |= DT_END_ELLIPSIS; break;
        case SS_PATHELLIPSIS: fmt |= DT_PATH_ELLIPSIS; break;
        case SS_WORDELLIPSIS: fmt |= DT_WORD_ELLIPSIS; break;
        default: break;
        }
        if (fmt & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
            fmt &= ~DT_NOCLIP;
        DrawLabel(dc, text.c_str(), r, fmt, Enabled(), GetTextColor(dc));
    }

    // At the top left, centred (SS_CENTERIMAGE) or stretched to the control (SS_REALSIZECONTROL);
    // whatever passes the client area is clipped.
    void PaintIcon(HDC dc, const RECT& r)
    {
        auto icon = static_cast<HICON>(image);
        SIZE sz{};
        if (!icon || !GetIconSize(icon, &sz))
            return;
        int x = r.left, y = r.top, cx = sz.cx, cy = sz.cy;
        if (Style() & SS_REALSIZECONTROL) {
            cx = r.right - r.left;
            cy = r.bottom - r.top;
        } else if (Style() & SS_CENTERIMAGE) {
            x = (r.left + r.right - sz.cx) / 2;
            y = (r.top + r.bottom - sz.cy) / 2;
        }
        int saved = SaveDC(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        DrawIconEx(dc, x, y, icon, cx, cy, 0, nullptr, DI_NORMAL);
        RestoreDC(dc, saved);
    }

    void PaintBitmap(HDC dc, const RECT& r)
    {
        auto bmp = static_cast<HBITMAP>(image);
        BITMAP bm{};
        if (!bmp || !GetObject(bmp, sizeof bm, &bm))
            return;
        int x = r.left, y = r.top;
        if (Style() & SS_CENTERIMAGE) {
            x = (r.left + r.right - bm.bmWidth) / 2;
            y = (r.top + r.bottom - bm.bmHeight) / 2;
        }
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
    }
};

}  // namespace

void RegisterStatic() { RegisterControl<Static>(WC_STATICW, CS_DBLCLKS); }

}  // namespace ctl
