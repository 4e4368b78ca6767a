// "msctls_progress32": a bar filled in blocks (or smoothly) from the low to the high end of its
// range. A new position is painted at once, so a bar driven from a long synchronous operation on
// the UI thread still moves.
#include "platform/ui/controls/CtlCommon.h"
#include "platform/ui/controls/CtlDraw.h"

#include <algorithm>

namespace ctl {
namespace {

class Progress : public Control {
public:
    using Control::Control;
    int low = 0, high = 100, pos = 0, step = 10;
    COLORREF bar = CLR_DEFAULT, back = CLR_DEFAULT;

    int SetPos(int p)
    {
        int old = pos;
        pos = std::clamp(p, std::min(low, high), std::max(low, high));
        if (pos != old) {
            InvalidateRect(hwnd, nullptr, FALSE);
            UpdateWindow(hwnd);
        }
        return old;
    }

    // One step; past either end the position wraps round by the width of the range, as the
    // Win32 bar does (range 3..15 at 3, step 50: 3 + 50 % 12 = 5).
    int StepIt()
    {
        int old = pos;
        int lo = std::min(low, high), hi = std::max(low, high), width = hi - lo;
        long long n = (long long)pos + step;
        if (width > 0 && n > hi)
            n = lo + (n - lo) % width;
        else if (width > 0 && n < lo)
            n = hi - (hi - n) % width;
        SetPos(int(std::clamp<long long>(n, lo, hi)));
        return old;
    }

    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case PBM_SETRANGE: {
            LRESULT old = MAKELONG(WORD(low), WORD(high));
            low = int(SHORT(LOWORD(lParam)));
            high = int(SHORT(HIWORD(lParam)));
            SetPos(pos);
            Redraw();
            return old;
        }
        case PBM_SETRANGE32: {
            LRESULT old = MAKELONG(WORD(low), WORD(high));
            low = int(wParam);
            high = int(lParam);
            SetPos(pos);
            Redraw();
            return old;
        }
        case PBM_GETRANGE:
            if (auto* r = reinterpret_cast<PBRANGE*>(lParam)) {
                r->iLow = low;
                r->iHigh = high;
            }
            return wParam ? low : high;
        case PBM_SETPOS: return SetPos(int(wParam));
        case PBM_DELTAPOS: return SetPos(pos + int(wParam));
        case PBM_GETPOS: return pos;
        case PBM_SETSTEP: {
            int old = step;
            step = int(wParam);
            return old;
        }
        case PBM_STEPIT: return StepIt();
        case PBM_SETBARCOLOR: {
            COLORREF old = bar;
            bar = COLORREF(lParam);
            Redraw();
            return LRESULT(old);
        }
        case PBM_SETBKCOLOR: {
            COLORREF old = back;
            back = COLORREF(lParam);
            Redraw();
            return LRESULT(old);
        }
        default:
            return Control::Proc(msg, wParam, lParam);
        }
    }

    void Paint(HDC dc) override
    {
        CRect r(Client());
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        FillSolid(dc, r, back == CLR_DEFAULT ? GetSysColor(COLOR_BTNFACE) : back);
        int span = high - low;
        if (span == 0)
            return;
        int u = Unit();
        r.DeflateRect(u, u);
        bool vert = (Style() & PBS_VERTICAL) != 0;
        int len = vert ? r.Height() : r.Width();
        int fill = int((long long)(pos - low) * len / span);
        COLORREF c = bar == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT) : bar;
        if (Style() & PBS_SMOOTH) {
            RECT f = vert ? RECT{r.left, r.bottom - fill, r.right, r.bottom} : RECT{r.left, r.top, r.left + fill, r.bottom};
            FillSolid(dc, f, c);
            return;
        }
        int thick = vert ? r.Width() : r.Height();
        int block = std::max(2, thick * 2 / 3), gap = std::max(1, u * 2);
        for (int s = 0; s < fill; s += block + gap) {
            int e = std::min(s + block, len);
            RECT f = vert ? RECT{r.left, r.bottom - e, r.right, r.bottom - s} : RECT{r.left + s, r.top, r.left + e, r.bottom};
            FillSolid(dc, f, c);
        }
    }
};

}  // namespace

void RegisterProgress() { RegisterControl<Progress>(PROGRESS_CLASSW, 0); }

}  // namespace ctl
