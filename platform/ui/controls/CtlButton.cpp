// The "Button" class: push buttons (default and push-like), check boxes (two and three states),
// radio buttons with automatic groups, group boxes, owner-drawn buttons and bitmap or icon faces.
// A click takes the keyboard focus before BN_CLICKED goes to the parent; BM_SETCHECK from code
// sends nothing.
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDraw.h"

#include <algorithm>

namespace ctl {
namespace {

class Button : public Control {
public:
    using Control::Control;
    UINT check = BST_UNCHECKED;
    bool pushed = false;     // drawn pressed (mouse held inside, space held, BM_SETSTATE)
    bool tracking = false;   // mouse button went down on the button and is held
    bool spaceDown = false;
    bool mouseClick = false; // the focus comes from a click, not from the keyboard
    bool ownerDefault = false;
    HANDLE image = nullptr;
    UINT imageType = IMAGE_BITMAP;

    DWORD Type() const { return Style() & BS_TYPEMASK; }
    bool IsRadio() const { return Type() == BS_RADIOBUTTON || Type() == BS_AUTORADIOBUTTON; }
    bool IsCheck() const
    {
        DWORD t = Type();
        return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE;
    }
    bool IsPush() const
    {
        DWORD t = Type();
        return t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON || t == BS_USERBUTTON || t == BS_PUSHBOX;
    }

    void SetPushed(bool p)
    {
        if (p != pushed) {
            pushed = p;
            Redraw();
            if (Style() & BS_NOTIFY)
                NotifyCommand(p ? BN_HILITE : BN_UNHILITE);
        }
    }

    // What a click does: the automatic kinds change their check, then the parent hears of it.
    void Click()
    {
        HWND self = hwnd;
        switch (Type()) {
        case BS_AUTOCHECKBOX: SetCheck(check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); break;
        case BS_AUTO3STATE: SetCheck((check + 1) % 3); break;
        case BS_AUTORADIOBUTTON: CheckInGroup(); break;
        default: break;
        }
        if (IsWindow(self))
            NotifyCommand(BN_CLICKED);
    }

    void SetCheck(UINT c)
    {
        if (IsRadio() || Type() == BS_CHECKBOX || Type() == BS_AUTOCHECKBOX)
            c = c == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED;
        else if (!IsCheck())
            return;
        if (c > BST_INDETERMINATE)
            c = BST_UNCHECKED;
        if (IsRadio()) {
            // The checked radio of a group is the one Tab stops at.
            DWORD s = Style();
            DWORD ns = c == BST_CHECKED ? (s | WS_TABSTOP) : (s & ~WS_TABSTOP);
            if (ns != s)
                SetWindowLongPtrW(hwnd, GWL_STYLE, LONG_PTR(ns));
        }
        if (c != check) {
            check = c;
            Redraw();
        }
    }

    // Checks this radio and clears the other automatic radios of its group.
    void CheckInGroup()
    {
        HWND parent = GetParent(hwnd);
        if (parent) {
            // The group runs from the nearest WS_GROUP control at or before this one to the next.
            std::vector<HWND> order;
            for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                order.push_back(c);
            auto me = std::find(order.begin(), order.end(), hwnd);
            if (me != order.end()) {
                auto first = me;
                while (first != order.begin() && !(GetWindowLongPtrW(*first, GWL_STYLE) & WS_GROUP))
                    --first;
                auto last = me + 1;
                while (last != order.end() && !(GetWindowLongPtrW(*last, GWL_STYLE) & WS_GROUP))
                    ++last;
                for (auto it = first; it != last; ++it) {
                    if (*it == hwnd)
                        continue;
                    if (ControlOf<Button>(*it) &&
                        (GetWindowLongPtrW(*it, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                        SendMessageW(*it, BM_SETCHECK, BST_UNCHECKED, 0);
                }
            }
        }
        SetCheck(BST_CHECKED);
    }

    bool Inside(LPARAM lParam) const
    {
        RECT r = Client();
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
    }

    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case WM_NCHITTEST:
            return Type() == BS_GROUPBOX ? HTTRANSPARENT : HTCLIENT;
        case WM_GETDLGCODE:
            switch (Type()) {
            case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
            case BS_PUSHBUTTON:
            case BS_USERBUTTON:
            case BS_PUSHBOX: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
            case BS_OWNERDRAW: return DLGC_BUTTON | (ownerDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
            case BS_GROUPBOX: return DLGC_STATIC;
            default: return DLGC_BUTTON;
            }
        case WM_LBUTTONDBLCLK:
            if (IsRadio() || Type() == BS_OWNERDRAW || (Style() & BS_NOTIFY)) {
                NotifyCommand(BN_DOUBLECLICKED);
                return 0;
            }
            [[fallthrough]];
        case WM_LBUTTONDOWN: {
            HWND self = hwnd;
            mouseClick = true;
            SetFocus(hwnd);
            if (!IsWindow(self))
                return 0;
            mouseClick = false;
            SetCapture(hwnd);
            tracking = true;
            SetPushed(true);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (tracking)
                SetPushed(Inside(lParam));
            return 0;
        case WM_LBUTTONUP:
            if (tracking) {
                tracking = false;
                bool wasIn = pushed && Inside(lParam);
                SetPushed(false);
                ReleaseCapture();
                if (wasIn)
                    Click();
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (tracking && reinterpret_cast<HWND>(lParam) != hwnd) {
                tracking = false;
                SetPushed(false);
            }
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE && !spaceDown) {
                // held down by the key, the button keeps the mouse, as a pressed mouse button does
                spaceDown = true;
                SetPushed(true);
                SetCapture(hwnd);
            }
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE && spaceDown) {
                spaceDown = false;
                bool was = pushed;
                SetPushed(false);
                if (GetCapture() == hwnd && !tracking)
                    ReleaseCapture();
                if (was)
                    Click();
            }
            return 0;
        case WM_CHAR:
            return 0;
        case WM_SETFOCUS:
            Redraw();
            if (Style() & BS_NOTIFY)
                NotifyCommand(BN_SETFOCUS);
            // An unchecked radio reached from the keyboard tells its parent it was clicked (the
            // check itself does not change; the dialog's arrow keys click it for that).
            if (IsRadio() && !mouseClick && !tracking && check != BST_CHECKED)
                NotifyCommand(BN_CLICKED);
            return 0;
        case WM_KILLFOCUS: {
            HWND self = hwnd;
            if (Style() & BS_NOTIFY)
                NotifyCommand(BN_KILLFOCUS);
            if (!IsWindow(self))
                return 0;
            if (tracking) {
                tracking = false;
                ReleaseCapture();
            }
            if (spaceDown && GetCapture() == hwnd)
                ReleaseCapture();
            spaceDown = false;
            SetPushed(false);
            Redraw();
            return 0;
        }
        case WM_SETTEXT: {
            LRESULT r = Default(msg, wParam, lParam);
            Redraw();
            return r;
        }
        case BM_GETCHECK:
            return check;
        case BM_SETCHECK:
            SetCheck(UINT(wParam));
            return 0;
        case BM_GETSTATE:
            return check | (pushed ? BST_PUSHED : 0) | (Focused() ? BST_FOCUS : 0);
        case BM_SETSTATE:
            if ((wParam != 0) != pushed) {
                pushed = wParam != 0;
                Redraw();
            }
            return 0;
        case BM_SETSTYLE: {
            DWORD s = Style();
            DWORD t = DWORD(wParam) & BS_TYPEMASK;
            if ((s & BS_TYPEMASK) == BS_OWNERDRAW && (t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON)) {
                ownerDefault = t == BS_DEFPUSHBUTTON;  // an owner-drawn button stays owner-drawn
            } else {
                SetWindowLongPtrW(hwnd, GWL_STYLE, LONG_PTR((s & ~BS_TYPEMASK & ~0xFFFFu) | (DWORD(wParam) & 0xFFFF)));
            }
            if (lParam)
                Redraw();
            return 0;
        }
        case BM_CLICK:
            // the button gets the press and the release of a click at its corner, so it shows
            // pushed meanwhile and a subclass or a BS_NOTIFY parent sees the whole click
            if (Enabled()) {
                HWND self = hwnd;
                SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
                if (IsWindow(self))
                    SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
            }
            return 0;
        case BM_SETIMAGE: {
            // One image at a time; the answer is the one it replaces if that was of the same kind.
            if (wParam != IMAGE_BITMAP && wParam != IMAGE_ICON)
                return 0;
            HANDLE old = imageType == UINT(wParam) ? image : nullptr;
            image = reinterpret_cast<HANDLE>(lParam);
            imageType = UINT(wParam);
            Redraw();
            return reinterpret_cast<LRESULT>(old);
        }
        case BM_GETIMAGE:
            return imageType == UINT(wParam) ? reinterpret_cast<LRESULT>(image) : 0;
        default:
            return Control::Proc(msg, wParam, lParam);
        }
    }

    UINT TextFormat() const
    {
        DWORD s = Style();
        UINT fmt = (s & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
        DWORD h = s & BS_CENTER, v = s & BS_VCENTER;
        if (h == BS_LEFT)
            fmt |= DT_LEFT;
        else if (h == BS_RIGHT)
            fmt |= DT_RIGHT;
        else if (h == BS_CENTER || IsPush() || Type() == BS_OWNERDRAW || (s & BS_PUSHLIKE))
            fmt |= DT_CENTER;
        if (!(s & BS_MULTILINE)) {
            if (v == BS_TOP)
                fmt |= DT_TOP;
            else if (v == BS_BOTTOM)
                fmt |= DT_BOTTOM;
            else
                fmt |= DT_VCENTER;
        }
        return fmt;
    }

    void Paint(HDC dc) override
    {
        RECT r = Client();
        DWORD t = Type();
        if (t == BS_OWNERDRAW) {
            UINT st = (pushed ? ODS_SELECTED : 0) | (Focused() ? ODS_FOCUS : 0) | (Enabled() ? 0 : ODS_DISABLED) |
                      (ownerDefault ? ODS_DEFAULT : 0);
            DRAWITEMSTRUCT dis{ODT_BUTTON, UINT(Id()), 0, ODA_DRAWENTIRE, st, hwnd, dc, r, 0};
            OwnerMessage(WM_DRAWITEM, reinterpret_cast<LPARAM>(&dis));
            return;
        }
        int u = Unit();
        std::wstring text = Text();
        bool pushLike = IsPush() || ((Style() & BS_PUSHLIKE) && (IsCheck() || IsRadio()));
        if (pushLike) {
            HBRUSH back = CtlColor(WM_CTLCOLORBTN, dc);
            (void)back;
            bool down = pushed || ((IsCheck() || IsRadio()) && check != BST_UNCHECKED);
            DrawButtonFace(dc, r, down, t == BS_DEFPUSHBUTTON, (Style() & BS_FLAT) != 0);
            CRect inner(r);
            inner.DeflateRect(3 * u, 3 * u);
            if (down)
                inner.OffsetRect(u, u);
            if (!PaintImage(dc, inner))
                DrawLabel(dc, text.c_str(), inner, TextFormat(), Enabled(), GetSysColor(COLOR_BTNTEXT));
            if (Focused()) {
                CRect f(r);
                f.DeflateRect(4 * u, 4 * u);
                DrawFocusRect(dc, &f);
            }
            return;
        }
        HBRUSH back = CtlColor(WM_CTLCOLORSTATIC, dc);
        COLORREF ink = GetTextColor(dc);
        if (t == BS_GROUPBOX) {
            PaintGroup(dc, r, back, text, ink, u);
            return;
        }
        if (back)
            FillRect(dc, &r, back);
        int box = 13 * u;
        bool leftText = (Style() & BS_LEFTTEXT) != 0;
        int by = (r.top + r.bottom - box) / 2;
        int bx = leftText ? r.right - box : r.left;
        if (IsRadio())
            DrawRadioMark(dc, bx, by, box, check == BST_CHECKED, pushed, Enabled());
        else
            DrawCheckMark(dc, bx, by, box, int(check), pushed, Enabled());
        CRect tr(r);
        if (leftText)
            tr.right -= box + 4 * u;
        else
            tr.left += box + 4 * u;
        UINT fmt = TextFormat();
        if (PaintImage(dc, tr))
            return;  // an image takes the caption's place
        DrawLabel(dc, text.c_str(), tr, fmt, Enabled(), ink);
        if (Focused() && !text.empty()) {
            CRect calc(tr);
            DrawTextW(dc, text.c_str(), -1, &calc, (fmt & ~(DT_VCENTER | DT_BOTTOM | DT_CENTER | DT_RIGHT)) | DT_CALCRECT);
            int w = calc.Width(), h = calc.Height();
            int x = (fmt & DT_RIGHT) ? tr.right - w : (fmt & DT_CENTER) ? (tr.left + tr.right - w) / 2 : tr.left;
            int y = (fmt & DT_VCENTER) ? (tr.top + tr.bottom - h) / 2 : tr.top;
            RECT f{x - u, y, x + w + u, y + h};
            DrawFocusRect(dc, &f);
        }
    }

    void PaintGroup(HDC dc, RECT r, HBRUSH back, const std::wstring& text, COLORREF ink, int u)
    {
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        // the band of the caption is the box's own (an earlier, other-sized caption goes with it);
        // the inside stays the parent's, where the grouped controls are
        if (back) {
            RECT band{r.left, r.top, r.right, std::min<LONG>(r.bottom, r.top + tm.tmHeight)};
            FillRect(dc, &band, back);
        }
        CRect frame(r);
        frame.top += tm.tmHeight / 2;
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
        if (text.empty())
            return;
        SIZE sz{};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &sz);
        RECT tr{r.left + 8 * u, r.top, std::min<LONG>(r.left + 8 * u + sz.cx + 2 * u, r.right), r.top + tm.tmHeight};
        if (back)
            FillRect(dc, &tr, back);
        tr.left += u;
        DrawLabel(dc, text.c_str(), tr, DT_LEFT | DT_SINGLELINE | DT_TOP, Enabled(), ink);
    }

    // Where an image of cx x cy goes in r: placed as the caption would be (push buttons centre it).
    POINT ImageOrigin(const RECT& r, int cx, int cy) const
    {
        UINT fmt = TextFormat();
        DWORD v = Style() & BS_VCENTER;
        LONG x = (fmt & DT_RIGHT) ? r.right - cx : (fmt & DT_CENTER) ? (r.left + r.right - cx) / 2 : r.left;
        LONG y = v == BS_TOP ? r.top : v == BS_BOTTOM ? r.bottom - cy : (r.top + r.bottom - cy) / 2;
        return POINT{x, y};
    }

    bool PaintImage(HDC dc, const RECT& r)
    {
        if ((Style() & BS_ICON) && imageType == IMAGE_ICON && image)
            return PaintIcon(dc, r, static_cast<HICON>(image));
        if (!(Style() & BS_BITMAP) || imageType != IMAGE_BITMAP || !image)
            return false;
        BITMAP bm{};
        if (!GetObject(image, sizeof bm, &bm))
            return false;
        auto [x, y] = ImageOrigin(r, bm.bmWidth, bm.bmHeight);
        if (Enabled()) {
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, image);
            BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
        } else {
            CDC::FromHandle(dc)->DrawState(CPoint(x, y), CSize(bm.bmWidth, bm.bmHeight), static_cast<HBITMAP>(image),
                                           DST_BITMAP | DSS_DISABLED);
        }
        return true;
    }

    // The icon centred in r; a disabled button shows the icon's shape embossed in the 3-D
    // colours, as disabled bitmaps are.
    bool PaintIcon(HDC dc, const RECT& r, HICON icon)
    {
        SIZE sz{};
        if (!GetIconSize(icon, &sz))
            return false;
        auto [x, y] = ImageOrigin(r, sz.cx, sz.cy);
        if (Enabled()) {
            DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
            return true;
        }
        ICONINFO info{};
        if (GetIconInfo(icon, &info)) {
            // the mask is white where the icon is clear: its dark pixels are the shape
            CDC::FromHandle(dc)->DrawState(CPoint(x, y), CSize(sz.cx, sz.cy), info.hbmMask, DST_BITMAP | DSS_DISABLED);
        }
        if (info.hbmMask)
            DeleteObject(info.hbmMask);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        return true;
    }
};

}  // namespace

void RegisterButton() { RegisterControl<Button>(WC_BUTTONW, CS_DBLCLKS); }

}  // namespace ctl
