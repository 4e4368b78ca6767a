// "msctls_trackbar32": a slider whose every move is reported to the parent as WM_HSCROLL (or
// WM_VSCROLL for TBS_VERT) with a TB_* code, after the position has changed; a drag reports
// TB_THUMBTRACK on each move, then TB_THUMBPOSITION and TB_ENDTRACK. The page size is a fifth
// of the range until set; TBS_AUTOTICKS keeps a tick every frequency steps in the tick array; the
// selection range exists only with TBS_ENABLESELRANGE and stays inside the range.
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDraw.h"

#include <algorithm>
#include <vector>

namespace ctl {
namespace {

constexpr UINT_PTR kPageTimer = 1;

class Trackbar : public Control {
public:
    using Control::Control;
    int lo = 0, hi = 100, pos = 0, line = 1, freq = 1;
    int page = -1;  // -1: a fifth of the range
    int selStart = 0, selEnd = 0;
    std::vector<DWORD> tics;  // the ticks between the ends (the ends have theirs always), sorted
    bool dragging = false, paging = false;
    int pageDir = 0, dragOffset = 0;
    POINT last{0, 0};

    bool Vert() const { return (Style() & TBS_VERT) != 0; }
    int Page() const { return page >= 0 ? page : (hi - lo) / 5; }
    // TBS_AUTOTICKS: the tick array is a tick every `freq` positions between the ends.
    void AutoTicks()
    {
        if (!(Style() & TBS_AUTOTICKS))
            return;
        tics.clear();
        for (long long p = (long long)lo + freq; p < hi; p += freq)
            tics.push_back(DWORD(int(p)));
    }
    void ClampSelection()
    {
        selStart = std::clamp(selStart, lo, std::max(lo, hi));
        selEnd = std::clamp(selEnd, lo, std::max(lo, hi));
    }
    void SetRangeEnds(int newLo, int newHi, bool redraw)
    {
        lo = newLo;
        hi = newHi;
        pos = std::clamp(pos, lo, std::max(lo, hi));
        AutoTicks();
        if (redraw)
            Redraw();
    }
    int ThumbW() const { return 11 * Unit(); }   // along the channel
    int ThumbH() const                           // across the channel
    {
        RECT r = Client();
        int across = Vert() ? r.right - r.left : r.bottom - r.top;
        return std::clamp(across - 4 * Unit(), 6 * Unit(), 21 * Unit());
    }
    RECT Channel() const
    {
        RECT r = Client();
        int u = Unit(), half = ThumbW() / 2 + 2 * u;
        int across = Vert() ? r.right - r.left : r.bottom - r.top;
        int c = across / 2;
        if (!(Style() & TBS_BOTH) && !(Style() & TBS_NOTICKS))
            c = (Style() & TBS_TOP) ? across - ThumbH() / 2 - 2 * u : ThumbH() / 2 + 2 * u;
        if (Vert())
            return RECT{c - 2 * u, r.top + half, c + 2 * u, r.bottom - half};
        return RECT{r.left + half, c - 2 * u, r.right - half, c + 2 * u};
    }
    int PixelOf(int p) const
    {
        RECT ch = Channel();
        int a = Vert() ? ch.top : ch.left, b = Vert() ? ch.bottom : ch.right;
        return hi > lo ? a + int((long long)(p - lo) * (b - a) / (hi - lo)) : a;
    }
    int PosOf(int px) const
    {
        RECT ch = Channel();
        int a = Vert() ? ch.top : ch.left, b = Vert() ? ch.bottom : ch.right;
        if (b <= a || hi <= lo)
            return lo;
        long long v = (long long)(std::clamp(px, a, b) - a) * (hi - lo);
        return lo + int((v + (b - a) / 2) / (b - a));
    }
    RECT ThumbRect() const
    {
        RECT ch = Channel();
        int p = PixelOf(pos), w = ThumbW(), h = ThumbH();
        if (Vert()) {
            int c = (ch.left + ch.right) / 2;
            return RECT{c - h / 2, p - w / 2, c - h / 2 + h, p - w / 2 + w};
        }
        int c = (ch.top + ch.bottom) / 2;
        return RECT{p - w / 2, c - h / 2, p - w / 2 + w, c - h / 2 + h};
    }

    void Notify(UINT code)
    {
        WPARAM w = (code == TB_THUMBTRACK || code == TB_THUMBPOSITION) ? MAKEWPARAM(WORD(code), WORD(pos)) : code;
        if (HWND p = NotifyTarget())
            SendMessageW(p, Vert() ? WM_VSCROLL : WM_HSCROLL, w, reinterpret_cast<LPARAM>(hwnd));
    }

    bool Move(int p)
    {
        p = std::clamp(p, lo, std::max(lo, hi));
        if (p == pos)
            return false;
        pos = p;
        Redraw();
        return true;
    }

    void PageStep()
    {
        int target = PosOf(Vert() ? last.y : last.x);
        if ((pageDir < 0 && target >= pos) || (pageDir > 0 && target <= pos))
            return;
        Move(pos + pageDir * Page());
        Notify(pageDir < 0 ? TB_PAGEUP : TB_PAGEDOWN);
    }

    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case TBM_GETPOS: return pos;
        case TBM_GETRANGEMIN: return lo;
        case TBM_GETRANGEMAX: return hi;
        case TBM_SETPOS:
            pos = std::clamp(int(lParam), lo, std::max(lo, hi));
            if (wParam)
                Redraw();
            return 0;
        case TBM_SETRANGE:
            SetRangeEnds(int(SHORT(LOWORD(lParam))), int(SHORT(HIWORD(lParam))), wParam != 0);
            return 0;
        case TBM_SETRANGEMIN:
            SetRangeEnds(int(lParam), hi, wParam != 0);
            return 0;
        case TBM_SETRANGEMAX:
            SetRangeEnds(lo, int(lParam), wParam != 0);
            return 0;
        case WM_CREATE:
            AutoTicks();
            return 0;
        case TBM_SETTICFREQ:
            if (Style() & TBS_AUTOTICKS) {
                freq = std::max(1, int(wParam));
                AutoTicks();
                Redraw();
            }
            return 0;
        case TBM_SETTIC: {
            int p = int(lParam);
            if (p < lo || p > hi)
                return FALSE;
            tics.insert(std::upper_bound(tics.begin(), tics.end(), DWORD(p),
                                         [](DWORD a, DWORD b) { return int(a) < int(b); }),
                        DWORD(p));
            Redraw();
            return TRUE;
        }
        case TBM_GETTIC:
            return int(wParam) >= 0 && size_t(wParam) < tics.size() ? LRESULT(int(tics[size_t(wParam)])) : -1;
        case TBM_GETTICPOS:
            if (int(wParam) < 0 || size_t(wParam) >= tics.size())
                return -1;
            return PixelOf(int(tics[size_t(wParam)]));
        case TBM_GETPTICS:
            return tics.empty() ? 0 : reinterpret_cast<LRESULT>(tics.data());
        case TBM_CLEARTICS:
            tics.clear();
            if (wParam)
                Redraw();
            return 0;
        case TBM_GETNUMTICS:
            if (Style() & TBS_NOTICKS)
                return 0;
            return LRESULT(tics.size()) + 2;
        case TBM_SETSEL:
        case TBM_SETSELSTART:
        case TBM_SETSELEND:
            if (!(Style() & TBS_ENABLESELRANGE))
                return 0;
            if (msg == TBM_SETSEL) {
                selStart = int(SHORT(LOWORD(lParam)));
                selEnd = int(SHORT(HIWORD(lParam)));
            } else {
                (msg == TBM_SETSELSTART ? selStart : selEnd) = int(lParam);
            }
            ClampSelection();
            if (wParam)
                Redraw();
            return 0;
        case TBM_GETSELSTART: return selStart;
        case TBM_GETSELEND: return selEnd;
        case TBM_CLEARSEL: selStart = selEnd = 0; if (wParam) Redraw(); return 0;
        case TBM_SETPAGESIZE: {
            int old = Page();
            page = int(lParam) < 0 ? -1 : int(lParam);
            return old;
        }
        case TBM_GETPAGESIZE: return Page();
        case TBM_SETLINESIZE: { int old = line; line = int(lParam); return old; }
        case TBM_GETLINESIZE: return line;
        case TBM_GETTHUMBRECT:
            if (lParam)
                *reinterpret_cast<RECT*>(lParam) = ThumbRect();
            return 0;
        case TBM_GETCHANNELRECT:
            if (lParam)
                *reinterpret_cast<RECT*>(lParam) = Channel();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Redraw();
            return 0;
        case WM_LBUTTONDOWN: {
            if (!TakeFocus())
                return 0;
            last = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            RECT t = ThumbRect();
            SetCapture(hwnd);
            if (last.x >= t.left && last.x < t.right && last.y >= t.top && last.y < t.bottom) {
                dragging = true;
                dragOffset = (Vert() ? last.y : last.x) - PixelOf(pos);
                Redraw();
            } else {
                paging = true;
                pageDir = PosOf(Vert() ? last.y : last.x) < pos ? -1 : 1;
                PageStep();
                SetTimer(hwnd, kPageTimer, 400, nullptr);
            }
            return 0;
        }
        case WM_TIMER:
            if (wParam == kPageTimer && paging) {
                PageStep();
                SetTimer(hwnd, kPageTimer, 100, nullptr);
            }
            return 0;
        case WM_MOUSEMOVE:
            last = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (dragging && Move(PosOf((Vert() ? last.y : last.x) - dragOffset)))
                Notify(TB_THUMBTRACK);
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (dragging || paging) {
                bool wasDrag = dragging;
                dragging = paging = false;
                KillTimer(hwnd, kPageTimer);
                if (msg == WM_LBUTTONUP)
                    ReleaseCapture();
                HWND self = hwnd;
                if (wasDrag)
                    Notify(TB_THUMBPOSITION);
                if (IsWindow(self))
                    Notify(TB_ENDTRACK);
                if (IsWindow(self))
                    Redraw();
            }
            return 0;
        case WM_KEYDOWN: {
            UINT code;
            int target;
            switch (wParam) {
            case VK_LEFT: case VK_UP: code = TB_LINEUP; target = pos - line; break;
            case VK_RIGHT: case VK_DOWN: code = TB_LINEDOWN; target = pos + line; break;
            case VK_PRIOR: code = TB_PAGEUP; target = pos - Page(); break;
            case VK_NEXT: code = TB_PAGEDOWN; target = pos + Page(); break;
            case VK_HOME: code = TB_TOP; target = lo; break;
            case VK_END: code = TB_BOTTOM; target = hi; break;
            default: return 0;
            }
            Move(target);
            Notify(code);
            return 0;
        }
        case WM_KEYUP:
            switch (wParam) {
            case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
            case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
                Notify(TB_ENDTRACK);
                break;
            default: break;
            }
            return 0;
        default:
            return Control::Proc(msg, wParam, lParam);
        }
    }

    void Paint(HDC dc) override
    {
        RECT r = Client();
        HBRUSH back = CtlColor(WM_CTLCOLORSTATIC, dc);
        FillRect(dc, &r, back ? back : GetSysColorBrush(COLOR_BTNFACE));
        int u = Unit();
        CRect ch(Channel());
        DrawEdge(dc, &ch, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        FillSolid(dc, ch, GetSysColor(COLOR_WINDOW));
        if ((Style() & TBS_ENABLESELRANGE) && selStart >= 0 && selEnd > selStart) {
            RECT s = Vert() ? RECT{ch.left, PixelOf(selStart), ch.right, PixelOf(selEnd)}
                            : RECT{PixelOf(selStart), ch.top, PixelOf(selEnd), ch.bottom};
            FillSolid(dc, s, GetSysColor(COLOR_HIGHLIGHT));
        }
        if (!(Style() & TBS_NOTICKS)) {
            RECT t = ThumbRect();
            HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
            HGDIOBJ old = SelectObject(dc, pen);
            auto tick = [&](int p, int len) {
                int px = PixelOf(p);
                bool top = (Style() & TBS_TOP) || (Style() & TBS_BOTH), bottom = !(Style() & TBS_TOP) || (Style() & TBS_BOTH);
                if (Vert()) {
                    if (bottom) { MoveToEx(dc, t.right + u, px, nullptr); LineTo(dc, t.right + u + len, px); }
                    if (top) { MoveToEx(dc, t.left - u - len, px, nullptr); LineTo(dc, t.left - u, px); }
                } else {
                    if (bottom) { MoveToEx(dc, px, t.bottom + u, nullptr); LineTo(dc, px, t.bottom + u + len); }
                    if (top) { MoveToEx(dc, px, t.top - u - len, nullptr); LineTo(dc, px, t.top - u); }
                }
            };
            tick(lo, 4 * u);
            tick(hi, 4 * u);
            for (DWORD p : tics)
                tick(int(p), 3 * u);
            SelectObject(dc, old);
            DeleteObject(pen);
        }
        if (!(Style() & TBS_NOTHUMB)) {
            RECT t = ThumbRect();
            DrawEdge(dc, &t, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT);
            if (dragging) {
                CRect in(t);
                in.DeflateRect(2 * u, 2 * u);
                FillSolid(dc, in, GetSysColor(COLOR_3DLIGHT));
            }
        }
        if (Focused())
            DrawFocusRect(dc, &r);
    }
};

}  // namespace

void RegisterTrackbar() { RegisterControl<Trackbar>(TRACKBAR_CLASSW, 0); }

}  // namespace ctl
