// The "ScrollBar" class: horizontal and vertical scroll bar controls and the size box. The bar
// only reports (WM_HSCROLL / WM_VSCROLL to the parent with the bar as source); the parent sets
// the new position, as with Win32.
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDraw.h"

#include <algorithm>

namespace ctl {
namespace {

constexpr UINT_PTR kRepeatTimer = 1;

class ScrollBarCtl : public Control {
public:
    using Control::Control;
    SCROLLINFO si{sizeof(SCROLLINFO), 0, 0, 100, 0, 0, 0};
    UINT disabledArrows = 0;
    int hit = -1;        // part held: 0 first arrow, 1 page before, 2 thumb, 3 page after, 4 second arrow
    int dragOffset = 0;
    POINT last{0, 0};

    bool Vert() const { return (Style() & SBS_VERT) != 0; }
    bool SizeBox() const { return (Style() & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0; }
    int Along() const { RECT r = Client(); return Vert() ? r.bottom - r.top : r.right - r.left; }
    int Across() const { RECT r = Client(); return Vert() ? r.right - r.left : r.bottom - r.top; }
    int Arrow() const { return std::min(Across(), Along() / 2); }
    int Range() const { return std::max(0, si.nMax - si.nMin + 1 - int(si.nPage)); }
    int MaxPos() const { return si.nMax - std::max(0, int(si.nPage) - 1); }

    // thumb start and length along the bar, in pixels from the bar's start
    void Thumb(int& start, int& len) const
    {
        int a = Arrow(), track = Along() - 2 * a;
        int span = si.nMax - si.nMin + 1;
        len = si.nPage ? track * int(si.nPage) / std::max(1, span) : Across();
        len = std::clamp(len, std::min(track, std::max(8, Across() / 2)), std::max(0, track));
        int room = track - len;
        int r = MaxPos() - si.nMin;
        start = a + (r > 0 ? int((long long)(si.nPos - si.nMin) * room / r) : 0);
    }

    int PartAt(POINT p) const
    {
        int v = Vert() ? p.y : p.x, a = Arrow(), ts, tl;
        Thumb(ts, tl);
        if (v < a)
            return 0;
        if (v >= Along() - a)
            return 4;
        if (v < ts)
            return 1;
        if (v < ts + tl)
            return 2;
        return 3;
    }

    void Send(UINT code, int pos = 0)
    {
        if (HWND p = NotifyTarget())
            SendMessageW(p, Vert() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(WORD(code), WORD(pos)), reinterpret_cast<LPARAM>(hwnd));
    }

    void Act(int part)
    {
        static const UINT codes[] = {SB_LINEUP, SB_PAGEUP, 0, SB_PAGEDOWN, SB_LINEDOWN};
        if (part != 2)
            Send(codes[part]);
    }

    int SetPos(int pos, bool redrawIt)
    {
        int old = si.nPos;
        si.nPos = std::clamp(pos, si.nMin, std::max(si.nMin, MaxPos()));
        if (redrawIt && old != si.nPos)
            Redraw();
        return old;
    }

    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case SBM_SETPOS: return SetPos(int(wParam), lParam != 0);
        case SBM_GETPOS: return si.nPos;
        case SBM_SETRANGE: {
            int old = si.nPos;
            si.nMin = int(wParam);
            si.nMax = int(lParam);
            SetPos(si.nPos, false);
            Redraw();
            return old;
        }
        case SBM_GETRANGE:
            if (wParam)
                *reinterpret_cast<LPINT>(wParam) = si.nMin;
            if (lParam)
                *reinterpret_cast<LPINT>(lParam) = si.nMax;
            return 0;
        case SBM_ENABLE_ARROWS:
            disabledArrows = UINT(wParam);
            Redraw();
            return TRUE;
        case SBM_SETSCROLLINFO: {
            auto* in = reinterpret_cast<const SCROLLINFO*>(lParam);
            if (!in)
                return si.nPos;
            if (in->fMask & SIF_RANGE) {
                si.nMin = in->nMin;
                si.nMax = std::max(in->nMin, in->nMax);
            }
            if (in->fMask & SIF_PAGE)
                si.nPage = std::min<UINT>(in->nPage, UINT(si.nMax - si.nMin + 1));
            if (in->fMask & SIF_POS)
                si.nPos = in->nPos;
            SetPos(si.nPos, false);
            if (wParam)
                Redraw();
            return si.nPos;
        }
        case SBM_GETSCROLLINFO: {
            auto* out = reinterpret_cast<SCROLLINFO*>(lParam);
            if (!out)
                return FALSE;
            if (out->fMask & SIF_RANGE) {
                out->nMin = si.nMin;
                out->nMax = si.nMax;
            }
            if (out->fMask & SIF_PAGE)
                out->nPage = si.nPage;
            if (out->fMask & SIF_POS)
                out->nPos = si.nPos;
            if (out->fMask & SIF_TRACKPOS)
                out->nTrackPos = si.nTrackPos;
            return TRUE;
        }
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_LBUTTONDOWN: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (SizeBox()) {
                POINT s = p;
                ClientToScreen(hwnd, &s);
                HWND top = GetAncestor(hwnd, GA_ROOT);
                SendMessageW(top, WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(WORD(SHORT(s.x)), WORD(SHORT(s.y))));
                return 0;
            }
            if (!Enabled() || (Style() & WS_TABSTOP)) {
                HWND self = hwnd;
                if (Style() & WS_TABSTOP)
                    SetFocus(hwnd);
                if (!IsWindow(self))
                    return 0;
            }
            hit = PartAt(p);
            last = p;
            SetCapture(hwnd);
            if (hit == 2) {
                int ts, tl;
                Thumb(ts, tl);
                dragOffset = (Vert() ? p.y : p.x) - ts;
                si.nTrackPos = si.nPos;
            } else {
                Act(hit);
                SetTimer(hwnd, kRepeatTimer, 400, nullptr);
            }
            Redraw();
            return 0;
        }
        case WM_TIMER:
            if (wParam == kRepeatTimer && hit >= 0 && hit != 2) {
                if (PartAt(last) == hit)
                    Act(hit);
                SetTimer(hwnd, kRepeatTimer, 50, nullptr);
            }
            return 0;
        case WM_MOUSEMOVE:
            if (hit >= 0) {
                last = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                if (hit == 2) {
                    int ts, tl;
                    Thumb(ts, tl);
                    int a = Arrow(), room = std::max(1, Along() - 2 * a - tl);
                    int v = (Vert() ? last.y : last.x) - dragOffset - a;
                    int pos = si.nMin + int((long long)std::clamp(v, 0, room) * (MaxPos() - si.nMin) / room);
                    if (pos != si.nTrackPos) {
                        si.nTrackPos = pos;
                        Send(SB_THUMBTRACK, pos);
                    }
                }
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (hit >= 0) {
                int was = hit;
                hit = -1;
                KillTimer(hwnd, kRepeatTimer);
                if (msg == WM_LBUTTONUP)
                    ReleaseCapture();
                if (was == 2)
                    Send(SB_THUMBPOSITION, si.nTrackPos);
                Send(SB_ENDSCROLL);
                Redraw();
            }
            return 0;
        case WM_KEYDOWN: {
            UINT code;
            switch (wParam) {
            case VK_UP: case VK_LEFT: code = SB_LINEUP; break;
            case VK_DOWN: case VK_RIGHT: code = SB_LINEDOWN; break;
            case VK_PRIOR: code = SB_PAGEUP; break;
            case VK_NEXT: code = SB_PAGEDOWN; break;
            case VK_HOME: code = SB_TOP; break;
            case VK_END: code = SB_BOTTOM; break;
            default: return 0;
            }
            Send(code);
            Send(SB_ENDSCROLL);
            return 0;
        }
        default:
            return Control::Proc(msg, wParam, lParam);
        }
    }

    void Paint(HDC dc) override
    {
        RECT r = Client();
        if (SizeBox()) {
            FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
            if (Style() & SBS_SIZEGRIP || true) {
                int u = Unit();
                HPEN light = CreatePen(PS_SOLID, u, GetSysColor(COLOR_BTNHIGHLIGHT));
                HPEN dark = CreatePen(PS_SOLID, u, GetSysColor(COLOR_BTNSHADOW));
                HGDIOBJ old = SelectObject(dc, dark);
                for (int k = 1; k <= 3; ++k) {
                    int d = k * 4 * u;
                    SelectObject(dc, dark);
                    MoveToEx(dc, r.right - d, r.bottom - u, nullptr);
                    LineTo(dc, r.right - u, r.bottom - d);
                    SelectObject(dc, light);
                    MoveToEx(dc, r.right - d - u, r.bottom - u, nullptr);
                    LineTo(dc, r.right - u, r.bottom - d - u);
                }
                SelectObject(dc, old);
                DeleteObject(light);
                DeleteObject(dark);
            }
            return;
        }
        HBRUSH track = CtlColor(WM_CTLCOLORSCROLLBAR, dc);
        FillRect(dc, &r, track ? track : GetSysColorBrush(COLOR_SCROLLBAR));
        int a = Arrow(), ts, tl;
        Thumb(ts, tl);
        auto part = [&](int s, int l) {
            return Vert() ? RECT{r.left, r.top + s, r.right, r.top + s + l} : RECT{r.left + s, r.top, r.left + s + l, r.bottom};
        };
        bool en = Enabled() && Range() > 0;
        RECT a1 = part(0, a), a2 = part(Along() - a, a);
        if (hit == 1 || hit == 3) {
            RECT pr = hit == 1 ? part(a, ts - a) : part(ts + tl, Along() - a - ts - tl);
            FillRect(dc, &pr, GetSysColorBrush(COLOR_3DDKSHADOW));
        }
        DrawButtonFace(dc, a1, hit == 0, false);
        DrawButtonFace(dc, a2, hit == 4, false);
        DrawArrow(dc, a1, Vert() ? 0 : 2, en && !(disabledArrows & 1));
        DrawArrow(dc, a2, Vert() ? 1 : 3, en && !(disabledArrows & 2));
        if (en) {
            RECT th = part(ts, tl);
            DrawButtonFace(dc, th, false, false);
        }
    }
};

}  // namespace

void RegisterScrollBar() { RegisterControl<ScrollBarCtl>(WC_SCROLLBARW, CS_DBLCLKS); }

}  // namespace ctl
