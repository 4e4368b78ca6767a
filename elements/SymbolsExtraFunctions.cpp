// Symbols of the special functions (800-827): counters, triggers, the analog family, relays,
// message texts, the shift register, Modbus, error detection and WiFi.
#include "elements/BlockObj.h"
#include "elements/PaintTools.h"
#include "elements/SymbolPainters.h"

#include <initializer_list>
#include <vector>

using namespace paint;

namespace {

void Path(CDC* pDC, std::initializer_list<POINT> pts)
{
    std::vector<POINT> v(pts);
    pDC->Polyline(v.data(), int(v.size()));
}

void Text(CDC* pDC, int x, int y, const wchar_t* text) { pDC->TextOut(x, y, CString(text)); }

// An arrow right from xs to xe at y, its head strokes 4 back and 4 aside.
void ArrowRight(CDC* pDC, int xs, int xe, int y)
{
    Line(pDC, xs, y, xe, y);
    Line(pDC, xe, y, xe - 4, y - 4);
    Line(pDC, xe, y, xe - 4, y + 4);
}

// An output pulse: low at yLow from x1, high at yHigh from x2 to x3, low again to x4.
void Pulse(CDC* pDC, int x1, int x2, int x3, int x4, int yLow, int yHigh)
{
    Path(pDC, {{x1, yLow}, {x2, yLow}, {x2, yHigh}, {x3, yHigh}, {x3, yLow}, {x4, yLow}});
}

}  // namespace

void symbols::DrawSpecial(const CBlockObj& blk, CDC* pDC)
{
    const int x0 = blk.m_ptOrigin.x, y0 = blk.m_ptOrigin.y, W = blk.m_nWidth, H = blk.m_nHeight;
    const int r = x0 + W, b = y0 + H;
    Pen pen(pDC, 1, kBlack);
    Font baseFont(pDC, 12, 6, L"");
    const int t = blk.m_nType;
    auto centred = [&](const wchar_t* text) {
        Text(pDC, x0 + (W - 6 * int(std::wcslen(text))) / 2, y0 + (H - 12) / 2, text);
    };
    // The 12 x 7 fixed font of 815-823 ("Arial" for 819, else no face); fw is its width.
    const int fw = 7;

    switch (t) {
    case 800:
        Text(pDC, x0 + (W - 6 * 3) / 2, b - 12, L"U/D");
        Line(pDC, x0 + (W - 15) / 2, b - 24, x0 + (W - 15) / 2, b - 36);
        Line(pDC, x0 + (W - 15) / 2, b - 36, x0 + (W - 15) / 2 - 3, b - 30);
        Line(pDC, x0 + (W - 15) / 2, b - 36, x0 + (W - 15) / 2 + 3, b - 30);
        break;
    case 801: centred(L"H-C"); break;
    case 808: centred(L"L-R"); break;
    case 809: centred(L"P-R"); break;
    case 810: centred(L"Text"); break;
    case 812: centred(L">>"); break;
    case 813: centred(L"MR"); break;
    case 814: centred(L"MW"); break;
    case 802: {
        const int base = b - 3 * H / 5 - 1, top = base - H / 5;
        Path(pDC, {{x0 + W / 10, base}, {x0 + 4 * W / 10, top}, {x0 + 5 * W / 10, top + H / 10}, {x0 + 6 * W / 10, top},
                   {x0 + 9 * W / 10, base}});
        Pulse(pDC, x0 + W / 10, x0 + 3 * W / 10, x0 + 7 * W / 10, x0 + 9 * W / 10, b - H / 4, b - H / 2);
        break;
    }
    case 803: {
        Text(pDC, x0 + W / 2, b - 15 * H / 16, L"A");
        const POINT tri[4] = {{x0 + W / 10, b - 9 * H / 16}, {x0 + 4 * W / 10, b - 9 * H / 16},
                              {x0 + 5 * W / 20, b - 12 * H / 16}, {x0 + W / 10, b - 9 * H / 16}};
        pDC->Polyline(tri, 4);
        Pulse(pDC, x0 + W / 10, x0 + W / 2, x0 + 7 * W / 10, x0 + 9 * W / 10, b - H / 4, b - H / 2);
        break;
    }
    case 804:
        Text(pDC, x0 + 6 * W / 10 + 2, b - 15 * H / 16, L"A");
        Line(pDC, x0 + 3 * W / 10, b - 3 * H / 5 - 1, x0 + 6 * W / 10, b - 3 * H / 5 - 3 * H / 10 - 1);
        Pulse(pDC, x0 + W / 10, x0 + 3 * W / 10, x0 + 7 * W / 10, x0 + 9 * W / 10, b - H / 4, b - H / 2);
        break;
    case 805: {
        const int c = x0 + (W - 12) / 2;
        Text(pDC, c - 3, y0 + (H - 12) / 2, L"A");
        ArrowRight(pDC, c + 6, c + 15, y0 + H / 2);
        break;
    }
    case 806: {
        const int dir = pDC->SetArcDirection(AD_CLOCKWISE);
        pDC->Arc(x0 + 3, y0 + H / 6, x0 + W / 2, y0 + H / 2, x0 + 3, y0 + H / 3 + 2, x0 + W / 2, y0 + H / 3);
        pDC->SetArcDirection(AD_COUNTERCLOCKWISE);
        pDC->Arc(x0 + W / 2, y0 + H / 6, r - 3, y0 + H / 2, x0 + W / 2, y0 + H / 3, r - 3, y0 + H / 3 - 3);
        pDC->SetArcDirection(dir);
        const int lo = b - H / 5, hi = b - 2 * H / 5;
        Path(pDC, {{x0 + W / 20, lo}, {x0 + 3 * W / 20, lo}, {x0 + 3 * W / 20, hi}, {x0 + 5 * W / 20, hi},
                   {x0 + 5 * W / 20, lo}, {x0 + 15 * W / 20, lo}, {x0 + 15 * W / 20, hi}, {x0 + 17 * W / 20, hi},
                   {x0 + 17 * W / 20, lo}, {x0 + 19 * W / 20, lo}});
        break;
    }
    case 807: {
        const POINT tri[4] = {{x0 + 4 * W / 14, b - 5 * H / 8}, {x0 + 10 * W / 14, b - 5 * H / 8},
                              {x0 + 7 * W / 14, b - 7 * H / 8}, {x0 + 4 * W / 14, b - 5 * H / 8}};
        pDC->Polyline(tri, 4);
        Pulse(pDC, x0 + W / 14, x0 + 3 * W / 14, x0 + 11 * W / 14, x0 + 13 * W / 14, b - H / 4, b - H / 2);
        break;
    }
    case 815:
    case 823: {
        const int dx = t == 815 ? 6 : 3;
        Font f(pDC, 12, 7, L"");
        Text(pDC, x0 + dx, y0, L"+=");
        Text(pDC, x0 + dx, b - 24, t == 815 ? L"A" : L"E");
        ArrowRight(pDC, fw + x0 + (t == 815 ? 8 : 5), fw + x0 + 15, b - 18);
        break;
    }
    case 816:
        Text(pDC, x0 + 6, b - 24, L"A");
        for (int y : {6, 8, 10, 12})
            Line(pDC, x0 + 7, y0 + y, x0 + 12, y0 + y);
        for (int y : {7, 11})
            Line(pDC, x0 + 14, y0 + y, x0 + 18, y0 + y);
        Line(pDC, x0 + 19, y0 + 9, x0 + 24, y0 + 9);
        ArrowRight(pDC, fw + x0 + 8, fw + x0 + 18, b - 18);
        break;
    case 817:
    case 818: {
        Font f(pDC, 12, 7, L"");
        Text(pDC, x0 + 3, b - 24, L"A");
        if (t == 817)
            Path(pDC, {{x0 + 3, b - 25}, {x0 + 7, b - 30}, {x0 + 10, b - 30}, {x0 + 10, b - 25}, {x0 + 20, b - 25}});
        else
            Path(pDC, {{x0 + 3, b - 25}, {x0 + 7, b - 30}, {x0 + 10, b - 27}, {x0 + 18, b - 27}});
        ArrowRight(pDC, fw + x0 + 5, fw + x0 + 15, b - 18);
        break;
    }
    case 819: {
        Font f(pDC, 12, 7, L"Arial");
        Text(pDC, x0 + 6, b - 30, L"~");
        ArrowRight(pDC, fw + x0 + 9, fw + x0 + 16, b - 22);
        const int lo = b - 7, hi = b - 14;
        Path(pDC, {{x0 + 3, lo}, {x0 + 6, lo}, {x0 + 6, hi}, {x0 + 9, hi}, {x0 + 9, lo}, {r - 9, lo}, {r - 9, hi},
                   {r - 6, hi}, {r - 6, lo}, {r - 3, lo}});
        break;
    }
    case 820: {
        Font f(pDC, 12, 7, L"");
        Text(pDC, x0 + 6, b - 24, L"Ax");
        Path(pDC, {{x0 + 6, b - 25}, {x0 + 6, b - 28}, {x0 + 9, b - 31}});
        Line(pDC, x0 + 10, b - 31, x0 + 16, b - 31);
        break;
    }
    case 821: {
        Font f(pDC, 12, 7, L"");
        Text(pDC, x0 + 8, b - 40, L"_");
        Text(pDC, x0 + 15, b - 35, L"_");
        Text(pDC, x0 + 6, b - 24, L"Ax");
        break;
    }
    case 822: {
        Font f(pDC, 12, 7, L"");
        Text(pDC, x0 + 6, b - 24, L"Ax");
        Line(pDC, x0 + 8, b - 26, x0 + 21, b - 26);
        break;
    }
    case 824:
    case 825:
    case 826:
    case 827: {
        static const wchar_t* const texts[4] = {L"I", L"Q", L"AI", L"AQ"};
        const int ax = x0 + 2 * W / 5;
        Text(pDC, ax - 2, b - 21, texts[t - 824]);
        {
            Pen dotted(pDC, 1, kBlack, PS_DOT);
            Line(pDC, ax, b - 29, ax, b - 25);
            Line(pDC, x0 + 3, b - 25, x0 + 23, b - 25);
        }
        Dot(pDC, ax, b - 25, 4, kBlack);
        break;
    }
    default: break;
    }
}
