// Symbols of the timer family (400-413): a mnemonic and, for most, a small signal diagram of
// trigger and output, or a clock face.
#include "elements/BlockObj.h"
#include "elements/PaintTools.h"
#include "elements/SymbolPainters.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

using namespace paint;

namespace {

void Path(CDC* pDC, std::initializer_list<POINT> pts)
{
    std::vector<POINT> v(pts);
    pDC->Polyline(v.data(), int(v.size()));
}

// A vertical arrow from (x, from) to its tip at (x, tip) with head strokes to x - aside and
// x + aside, `back` units from the tip towards the tail.
void VerticalArrow(CDC* pDC, int x, int from, int tip, int aside, int back)
{
    Line(pDC, x, from, x, tip);
    const int hy = tip < from ? tip + back : tip - back;
    Line(pDC, x, tip, x - aside, hy);
    Line(pDC, x, tip, x + aside, hy);
}

// The horizontal arrow of the pulse generators.
void PulseArrow(CDC* pDC, int xa, int ya, int w)
{
    Line(pDC, xa, ya, xa + 5 * w / 8, ya);
    Line(pDC, xa + 5 * w / 8, ya, xa + w / 2 - 5, ya - 3);
    Line(pDC, xa + w / 2, ya, xa + w / 2 - 5, ya + 3);
}

// A clock face filled in the clock colour with one hand up and one right from the centre.
void Clock(CDC* pDC, int l, int t, int r, int b, int cx, int cy, int hand)
{
    {
        Brush brush(pDC, kClockFill);
        pDC->Ellipse(l, t, r, b);
    }
    Line(pDC, cx, cy, cx, cy - hand);
    Line(pDC, cx, cy, cx + hand, cy);
}

// A mnemonic inside the body from `left` to `right`: the fonts have fixed cell sizes, and capitals
// run wider than the cell, so a text that would stick out over the pins is drawn narrower and
// moved back inside, one unit from each side.
void Text(CDC* pDC, int left, int right, int x, int y, const wchar_t* text)
{
    const CString s(text);
    const int room = right - left - 2;
    int ext = pDC->GetTextExtent(s).cx;
    CFont narrow;
    CFont* old = nullptr;
    if (ext > room && room > 0) {
        LOGFONTW lf{};
        CFont* current = pDC->GetCurrentFont();
        TEXTMETRIC tm{};
        if (current && current->GetLogFont(&lf) && pDC->GetTextMetrics(&tm)) {
            const int width = lf.lfWidth > 0 ? lf.lfWidth : int(tm.tmAveCharWidth);
            for (lf.lfWidth = std::max(1, width * room / ext);; --lf.lfWidth) {
                narrow.DeleteObject();
                narrow.CreateFontIndirect(&lf);
                if (old)
                    pDC->SelectObject(old);
                old = pDC->SelectObject(&narrow);
                ext = pDC->GetTextExtent(s).cx;
                if (ext <= room || lf.lfWidth <= 1)
                    break;
            }
        }
    }
    if (old)
        x = left + (right - left - ext) / 2;  // narrowed: centred in the body
    x = std::max(left + 1, std::min(x, right - 1 - ext));
    pDC->TextOut(x, y, s);
    if (old)
        pDC->SelectObject(old);  // before `narrow` goes
}

}  // namespace

void symbols::DrawTimer(const CBlockObj& blk, CDC* pDC)
{
    const int x0 = blk.m_ptOrigin.x, y0 = blk.m_ptOrigin.y, W = blk.m_nWidth, H = blk.m_nHeight;
    const int r = x0 + W, b = y0 + H;
    Pen pen(pDC, 1, kBlack);
    Font timerFont(pDC, 12, 7, L"Arial", FontKind::Swiss);
    auto n = [](const wchar_t* s) { return int(std::wcslen(s)); };

    switch (blk.m_nType) {
    case 400: {
        {
            Font f(pDC, 10, 5, L"Arial", FontKind::Swiss);
            Text(pDC, x0, r, x0 + (W - 5 * n(L"ON-D")) / 2 - 2, b - 2 - H / 4, L"ON-D");
        }
        VerticalArrow(pDC, x0 + (W - 12) / 2, b - 5 * H / 8, b - 15 * H / 16, 3, 4);
        const int sx = x0 + (W - 17) / 2, lo = b - 3 * H / 8 - 2, hi = b - 5 * H / 8 - 1, step = 5 * W / 12;
        Path(pDC, {{sx, lo}, {sx + step, lo}, {sx + step, hi}, {sx + 2 * step, hi}});
        break;
    }
    case 401: {
        {
            Font f(pDC, 10, 3, L"Arial");
            Text(pDC, x0, r, x0 + (W - 3 * n(L"OFF-D")) / 2, b - 2 - H / 4, L"OFF-D");
        }
        VerticalArrow(pDC, x0 + (W - 7) / 2, b - 15 * H / 16, b - 3 * H / 4, 3, 4);
        const int sx = x0 + (W - 10) / 2, lo = b - 3 * H / 8 - 2, hi = b - 5 * H / 8 - 1, step = 5 * W / 12;
        Path(pDC, {{sx, hi}, {sx + step, hi}, {sx + step, lo}, {sx + 2 * step, lo}});
        break;
    }
    case 402: {
        {
            Font f(pDC, 10, 3, L"Arial");
            Text(pDC, x0, r, x0 + (W - 3 * n(L"ON/OFF")) / 2, b - 2 - H / 4, L"ON/OFF");
        }
        const int ax = x0 + (W - 7) / 2, top = b - 15 * H / 16, bottom = b - 5 * H / 8;
        VerticalArrow(pDC, ax, bottom, top, 3, 4);
        Line(pDC, ax, bottom, ax - 3, bottom - 4);
        Line(pDC, ax, bottom, ax + 3, bottom - 4);
        const int sx = x0 + (W - 12) / 2, lo = b - 3 * H / 8 - 2, hi = b - 5 * H / 8 - 1;
        Path(pDC, {{sx, lo}, {sx + W / 2, lo}, {sx + W / 2, hi}});
        Line(pDC, sx + W / 4, lo, sx + W / 4, hi);
        Line(pDC, sx + W / 4, hi, sx + 3 * W / 4, hi);
        break;
    }
    case 403: {
        {
            Font f(pDC, 9, 3, L"Arial", FontKind::Swiss);
            Text(pDC, x0, r, x0 + (W - 3 * n(L"R-ON-D")) / 2 - 2, b - 2 - H / 4, L"R-ON-D");
        }
        const int ax = x0 + (W - 7) / 2;
        VerticalArrow(pDC, ax, b - 5 * H / 8, b - 7 * H / 8, 3, 6);
        const int lo = b - 3 * H / 8 - 2, hi = b - 5 * H / 8 - 1, tip = x0 + 7 * W / 8;
        Path(pDC, {{ax, lo}, {x0 + W / 2, lo}, {x0 + W / 2, hi}, {tip, hi}});
        Line(pDC, tip, hi, tip - 6, b - 5 * H / 8 - 4);
        Line(pDC, tip, hi, tip - 6, b - 5 * H / 8 + 2);
        break;
    }
    case 404: {
        {
            Font f(pDC, 12, 6, L"Arial", FontKind::Swiss);
            Text(pDC, x0, r, x0 + (W - 6 * n(L"W-R")) / 2, b - 12, L"W-R");
        }
        const int lo = y0 + 3 * H / 10, hi = y0 + H / 10;
        Path(pDC, {{x0 + W / 10, lo}, {x0 + W / 4, lo}, {x0 + W / 4, hi}, {r - W / 3, hi}, {r - W / 3, lo}, {r - W / 10, lo}});
        const int olo = b - 13, ohi = y0 + 2 * H / 5, p = x0 + W / 4;
        Path(pDC, {{x0 + W / 10, olo}, {p, olo}, {p, ohi}, {p + W / 6, ohi}, {p + W / 6, olo}, {r - W / 3, olo}});
        break;
    }
    case 405: {
        {
            Font f(pDC, 10, 4, L"Arial", FontKind::Swiss);
            Text(pDC, x0, r, x0 + (W - 4 * n(L"ETWR")) / 2 - 2, b - H / 4 - 2, L"ETWR");
        }
        const int lo = y0 + 2 * H / 5 - 2, hi = y0 + H / 5 - 2, e = x0 + W / 4;
        Path(pDC, {{x0 + W / 10, lo}, {e, lo}, {e, hi}, {r - W / 3, hi}, {r - W / 3, lo}, {r - W / 10, lo}});
        Line(pDC, e, hi, e - W / 6, y0 + H / 3 - 2);
        Line(pDC, e, hi, e + W / 6, y0 + H / 3 - 2);
        const int olo = y0 + 2 * H / 3 - 2, ohi = y0 + H / 2 - 2;
        Path(pDC, {{x0 + W / 10, olo}, {e, olo}, {e, ohi}, {r - W / 4, ohi}, {r - W / 4, olo}, {r - W / 10, olo}});
        break;
    }
    case 406: {
        {
            Font f(pDC, 10, 4, L"");
            Text(pDC, x0, r, x0 + (W - 4 * n(L"A-P-G")) / 2, b - 10, L"A-P-G");
        }
        PulseArrow(pDC, x0 + (W - 10) / 2, b - 5 * H / 6, W);
        const int lo = b - 12, hi = b - 20;
        std::vector<POINT> pts{{x0 + W / 20, lo}};
        for (int k : {3, 7, 11, 15}) {
            const int a = x0 + k * W / 20, c = x0 + (k + 2) * W / 20;
            pts.insert(pts.end(), {{a, lo}, {a, hi}, {c, hi}, {c, lo}});
        }
        pts.push_back({x0 + 19 * W / 20, lo});
        pDC->Polyline(pts.data(), int(pts.size()));
        break;
    }
    case 407: {
        Text(pDC, x0, r, x0 + (W - 7 * n(L"R-G")) / 2, b - 3 - H / 4, L"R-G");
        const int xa = x0 + (W - 17) / 2;
        PulseArrow(pDC, xa, b - 5 * H / 6, W);
        const int lo = b - 7 * H / 16, hi = lo - H / 4;
        Path(pDC, {{xa, lo}, {xa + 7, lo}, {xa + 7, hi}, {xa + 14, hi}, {xa + 14, lo}, {xa + 21, lo}});
        break;
    }
    case 408:
    case 409: {
        const wchar_t* text = blk.m_nType == 408 ? L"S-L-S" : L"M-F-S";
        Font f(pDC, 10, 4, L"");
        Text(pDC, x0, r, x0 + (W - 4 * n(text)) / 2, y0 + (H - 10) / 2, text);
        break;
    }
    case 410:
    case 411: {
        const wchar_t* text = blk.m_nType == 410 ? L"W-T" : L"Y-T";
        Text(pDC, x0, r, x0 + (W - 7 * n(text)) / 2, b - 12, text);
        const int c = (W - H / 2) / 2;
        const int l = x0 + c, t = y0 + 2, rr = r - c, bb = y0 + H / 2 + 2;
        Clock(pDC, l, t, rr, bb, (l + rr) / 2, (t + bb) / 2, (rr - l) / 2);
        break;
    }
    case 412:
    case 413: {
        const wchar_t* text = blk.m_nType == 412 ? L"AC" : L"SW";
        const CSize ext = pDC->GetTextExtent(CString(text));
        Text(pDC, x0, r, (25 - ext.cx) / 2 + x0 + 1, b - 15, text);
        if (blk.m_nType == 412) {
            Font f(pDC, 20, 12, L"Arial", FontKind::Swiss);
            Text(pDC, x0, r, x0 + 1, y0 + 4, L"*");
        } else {
            Path(pDC, {{x0 + 2, y0 + 14}, {x0 + 5, y0 + 14}, {x0 + 5, y0 + 5}, {x0 + 8, y0 + 5}, {x0 + 8, y0 + 14},
                       {x0 + 11, y0 + 14}});
        }
        Clock(pDC, x0 + 11, y0 + 4, x0 + 24, y0 + 17, x0 + 17, y0 + 10, 6);
        break;
    }
    default: break;
    }
}
