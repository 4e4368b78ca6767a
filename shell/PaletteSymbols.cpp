// The symbols inside the WorkBox cells: logic symbols of the gates, contacts and coils of the
// ladder elements, and short labels with small pictures for the other blocks. Every cell is 25 x 36
// pixels; fonts are made for one label and deleted right after it.
#include "shell/WorkspaceView.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"

#include <initializer_list>

namespace {

struct Painter {
    CDC* dc;
    int left;
    int top;
    int right() const { return left + 25; }
    int bottom() const { return top + 36; }

    // Text extent of s in an Arial font of height h and width w.
    CSize Extent(LPCTSTR s, int h, int w, bool bold = false) const
    {
        CFont f;
        MakeFont(f, h, w, bold);
        CFont* old = dc->SelectObject(&f);
        const CSize size = dc->GetTextExtent(CString(s));
        dc->SelectObject(old);
        return size;
    }
    static void MakeFont(CFont& f, int h, int w, bool bold)
    {
        f.CreateFont(h, w, 0, 0, bold ? 900 : 400, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, 32, L"Arial");
    }
    void Text(int x, int y, LPCTSTR s, int h, int w, bool bold = false) const
    {
        CFont f;
        MakeFont(f, h, w, bold);
        CFont* old = dc->SelectObject(&f);
        dc->TextOut(x, y, CString(s));
        dc->SelectObject(old);
    }
    // A label centred in the cell (shifted by dx) at y; returns its extent.
    CSize Centred(int y, LPCTSTR s, int h, int w, bool bold = false, int dx = 0) const
    {
        const CSize e = Extent(s, h, w, bold);
        Text(left + (25 - e.cx) / 2 + dx, y, s, h, w, bold);
        return e;
    }
    void Line(int x0, int y0, int x1, int y1) const
    {
        dc->MoveTo(left + x0, top + y0);
        dc->LineTo(left + x1, top + y1);
    }
    void Poly(std::initializer_list<POINT> pts) const
    {
        bool first = true;
        for (const POINT& p : pts) {
            if (first)
                dc->MoveTo(left + p.x, top + p.y);
            else
                dc->LineTo(left + p.x, top + p.y);
            first = false;
        }
    }
    void Clock(int l, int t, int r, int b, int hand) const
    {
        CBrush face;
        face.CreateSolidBrush(RGB(255, 223, 140));
        CBrush* old = dc->SelectObject(&face);
        dc->Ellipse(left + l, top + t, left + r, top + b);
        dc->SelectObject(old);
        const int cx = (l + r) / 2, cy = (t + b) / 2;
        Line(cx, cy, cx, cy - hand);
        Line(cx, cy, cx + hand, cy);
    }
    // The output arrow of the analog amplifier family.
    void OutputArrow() const
    {
        Line(13, 18, 23, 18);
        Line(23, 18, 19, 14);
        Line(23, 18, 19, 22);
    }
    void FootPulse() const { Poly({{2, 27}, {7, 27}, {7, 18}, {18, 18}, {18, 27}, {23, 27}}); }
    void Triangle(int dx) const
    {
        Poly({{3 + dx, 14}, {12 + dx, 14}});
        Poly({{3 + dx, 14}, {8 + dx, 5}, {13 + dx, 14}});
    }
    void NarrowPulses() const
    {
        Poly({{2, 30}, {6, 30}, {6, 24}, {9, 24}, {9, 30}, {14, 30}, {14, 24}, {17, 24}, {17, 30}, {23, 30}});
    }
    void StrokeMark() const { Line(11, 2, 14, 2); }
};

// The logic symbol of a gate or a mask block: label, edge arrows, negation bar and the
// greater-or-equal stroke. y is the label's row; returns the label's height.
int LogicSymbol(const Painter& p, UINT nType, int y, bool atCentre)
{
    LPCTSTR label = L"&";
    bool negate = false, edgeUp = false, edgeDown = false, ge = false;
    switch (nType) {
    case 300: break;
    case 301: edgeUp = true; break;
    case 302: negate = true; break;
    case 303: edgeDown = true; negate = true; break;
    case 304: label = L">1"; ge = true; break;
    case 305: label = L">1"; ge = true; negate = true; break;
    case 306: label = L"=1"; break;
    case 307: label = L"1"; negate = true; break;
    default: break;
    }
    const CSize e = p.Extent(label, 14, 8);
    const int w = e.cx, h = e.cy;
    if (atCentre)
        y = p.top + (36 - h) / 2;
    if (edgeUp || edgeDown) {
        const int x0 = p.left + (25 - 2 * w) / 2;
        p.Text(x0 + w, y, label, 14, 8);
        const int xa = x0 + (2 * w) / 3;
        p.dc->MoveTo(xa, y);
        p.dc->LineTo(xa, y + (2 * h) / 3);
        if (edgeUp) {
            p.dc->MoveTo(xa, y);
            p.dc->LineTo(x0 + w / 3, y + h / 3);
            p.dc->MoveTo(xa, y);
            p.dc->LineTo(x0 + w, y + h / 3);
        } else {
            p.dc->MoveTo(xa, y + (2 * h) / 3);
            p.dc->LineTo(x0 + w / 3, y + h / 3);
            p.dc->MoveTo(xa, y + (2 * h) / 3);
            p.dc->LineTo(x0 + w, y + h / 3);
            p.dc->MoveTo(x0 + 3, y - 1);
            p.dc->LineTo(x0 + 2 * w, y - 1);
        }
        return h;
    }
    const int x = p.left + (25 - w) / 2 + (atCentre ? 0 : 1);
    p.Text(x, y, label, 14, 8);
    if (negate) {
        p.dc->MoveTo(x, y - 1);
        p.dc->LineTo(x + w, y - 1);
    }
    if (ge) {
        p.dc->MoveTo(x, p.top + 36 - h);
        p.dc->LineTo(x + w / 2, p.top + 36 - h);
    }
    return h;
}

int CentredRow(const Painter& p, LPCTSTR s, int h, int w)
{
    return p.top + (36 - p.Extent(s, h, w).cy) / 2;
}

int DrawIo(const Painter& p, UINT nType)
{
    static const struct { UINT type; LPCTSTR label; } labels[] = {
        {600, L"I"}, {611, L"F"}, {602, L"S"}, {603, L"lo"}, {604, L"hi"}, {605, L"Q"},
        {606, L"X"}, {607, L"M"}, {608, L"AI"}, {609, L"AQ"}, {610, L"AM"}};
    for (const auto& l : labels) {
        if (l.type == nType) {
            const int y = CentredRow(p, l.label, 14, 8);
            p.Centred(y, l.label, 14, 8);
            return y;
        }
    }
    return p.top + 11;
}

int DrawLadder(const Painter& p, UINT nType)
{
    static const LPCTSTR rows[6] = {L"I", L"NI", L"AI", L"Q", L"NQ", L"AQ"};
    const int index = int(nType) - 700;
    auto contact = [&] {
        p.Line(0, 18, 8, 18);
        p.Line(16, 18, 25, 18);
        p.Line(8, 0, 8, 36);
        p.Line(16, 0, 16, 36);
    };
    auto coil = [&] {
        p.Line(0, 18, 8, 18);
        p.Text(p.left + 6, p.top + 6, L"(", 24, 8);
        p.Text(p.right() - 6, p.top + 6, L")", 24, 8);
    };
    auto ellipse = [&] { p.dc->Ellipse(p.left + 18, p.top + 2, p.right(), p.top + 8); };
    switch (nType) {
    case 700: contact(); break;
    case 701: contact(); p.Line(14, 0, 10, 36); break;
    case 702: contact(); ellipse(); break;
    case 703: coil(); break;
    case 704: coil(); p.Line(17, 11, 12, 27); break;
    case 705: coil(); ellipse(); break;
    default: break;
    }
    return index >= 0 && index < 6 ? CentredRow(p, rows[index], 14, 8) : p.top + 11;
}

void DrawTimer(const Painter& p, UINT nType)
{
    const int labelY = p.top + 24;
    switch (nType) {
    case 400:
        p.Line(4, 2, 4, 10); p.Line(4, 2, 2, 5); p.Line(4, 2, 6, 5);
        p.Poly({{8, 12}, {18, 12}, {18, 4}, {23, 4}});
        p.Centred(labelY, L"ON-D", 10, 5);
        break;
    case 401:
        p.Line(4, 2, 4, 10); p.Line(4, 10, 2, 7); p.Line(4, 10, 6, 7);
        p.Poly({{8, 4}, {18, 4}, {18, 12}, {23, 12}});
        p.Centred(labelY, L"OFF-D", 9, 4);
        break;
    case 402:
        p.Line(4, 2, 4, 12); p.Line(4, 2, 2, 5); p.Line(4, 2, 6, 5); p.Line(4, 12, 2, 9); p.Line(4, 12, 6, 9);
        p.Poly({{8, 12}, {12, 12}, {12, 4}, {19, 4}, {19, 12}, {23, 12}});
        p.Centred(labelY, L"ON/OFF", 9, 3);
        break;
    case 403:
        p.Line(4, 2, 4, 10); p.Line(4, 2, 2, 5); p.Line(4, 2, 6, 5);
        p.Poly({{8, 12}, {16, 12}, {16, 4}, {23, 4}});
        p.Line(12, 7, 20, 7);
        p.Centred(labelY, L"R-ON-D", 9, 3);
        break;
    case 404:
        p.Poly({{3, 12}, {8, 12}, {8, 4}, {15, 4}, {15, 12}, {22, 12}});
        p.Centred(labelY, L"W-R", 10, 5);
        break;
    case 405:
        p.Line(5, 2, 5, 10); p.Line(5, 2, 3, 5); p.Line(5, 2, 7, 5);
        p.Poly({{9, 12}, {12, 12}, {12, 4}, {18, 4}, {18, 12}, {23, 12}});
        p.Centred(labelY, L"ETWR", 10, 4);
        break;
    case 406:
        p.StrokeMark();
        p.Poly({{0, 12}, {4, 12}, {4, 21}, {7, 21}, {7, 12}, {10, 12}, {10, 21}, {12, 21}, {12, 12},
                {15, 12}, {15, 21}, {18, 21}, {18, 12}, {21, 12}, {21, 21}, {23, 21}, {23, 12}, {25, 12}});
        p.Centred(labelY, L"A-P-G", 10, 4);
        break;
    case 407:
        p.StrokeMark();
        p.Poly({{0, 21}, {8, 21}, {8, 12}, {16, 12}, {16, 21}, {24, 21}});
        p.Centred(labelY - 2, L"R-G", 14, 8);
        break;
    case 408:
        p.Centred(p.top + 12, L"S-L-S", 10, 5);
        break;
    case 409:
        p.Centred(p.top + 12, L"M-F-S", 10, 5);
        break;
    case 410:
    case 411:
        p.Clock(5, 2, 20, 17, 7);
        p.Centred(labelY - 2, nType == 410 ? L"W-T" : L"Y-T", 14, 8);
        break;
    case 412:
        p.Text(p.left + 1, p.top + 4, L"*", 20, 12);
        p.Clock(11, 4, 24, 18, 6);
        p.Centred(labelY - 2, L"AC", 14, 8);
        break;
    case 413:
        p.Poly({{1, 16}, {3, 16}, {3, 8}, {8, 8}, {8, 16}, {10, 16}});
        p.Clock(11, 4, 24, 18, 6);
        p.Centred(labelY, L"SW", 10, 4);
        break;
    default:
        break;
    }
}

void DrawMisc(const Painter& p, UINT nType)
{
    switch (nType) {
    case 800:
        p.Line(6, 14, 6, 22); p.Line(6, 14, 4, 17); p.Line(6, 14, 8, 17);
        p.Line(18, 14, 18, 22); p.Line(18, 22, 16, 19); p.Line(18, 22, 20, 19);
        p.Centred(p.top + 1, L"U/D", 12, 7);
        break;
    case 801: p.Centred(p.top + 8, L"H-C", 14, 8); break;
    case 802:
        p.Poly({{3, 14}, {10, 7}, {13, 10}, {16, 7}, {23, 14}});
        p.FootPulse();
        break;
    case 815:
    case 823:
        p.Text(p.left + 3, p.top, L"+=", 14, 8);
        p.Text(p.left + 3, p.top + 11, nType == 815 ? L"A" : L"E", 14, 8);
        p.OutputArrow();
        break;
    case 803:
        p.Text(p.left + 14, p.top + 5, L"A", 14, 8);
        p.Triangle(0);
        p.Poly({{0, 27}, {4, 27}, {4, 18}, {18, 18}, {18, 27}, {21, 27}});
        break;
    case 804:
        p.Text(p.left + 14, p.top + 5, L"A", 14, 8);
        p.Line(7, 14, 14, 7);
        p.FootPulse();
        break;
    case 805:
        p.Text(p.left + 3, p.top + 11, L"A", 14, 8);
        p.OutputArrow();
        break;
    case 806:
        p.dc->Arc(p.left + 3, p.top + 2, p.left + 12, p.top + 11, p.left + 3, p.top + 7, p.left + 12, p.top + 7);
        p.dc->Arc(p.left + 13, p.top + 2, p.left + 22, p.top + 11, p.left + 13, p.top + 7, p.left + 22, p.top + 7);
        p.NarrowPulses();
        break;
    case 807:
        p.Triangle(3);
        p.Poly({{0, 27}, {4, 27}, {4, 18}, {18, 18}, {18, 27}, {21, 27}});
        break;
    case 816:
        p.Text(p.left + 3, p.top + 11, L"A", 14, 8);
        p.Poly({{13, 6}, {20, 10}, {20, 24}, {13, 28}, {13, 6}});
        p.Line(20, 17, 24, 17);
        break;
    case 817:
        p.Text(p.left + 3, p.top + 11, L"A", 14, 8);
        p.Poly({{3, 11}, {7, 6}, {10, 6}, {10, 11}, {20, 11}});
        p.OutputArrow();
        break;
    case 818:
        p.Text(p.left + 3, p.top + 11, L"A", 14, 8);
        p.Poly({{13, 24}, {13, 10}, {23, 10}});
        p.Line(13, 24, 23, 14);
        break;
    case 819:
        p.Text(p.left + 6, p.top + 5, L"~", 14, 8);
        p.Line(17, 14, 24, 14); p.Line(24, 14, 20, 10); p.Line(24, 14, 20, 18);
        p.NarrowPulses();
        break;
    case 820:
        p.Text(p.left + 6, p.top + 11, L"Ax", 14, 8);
        p.Poly({{6, 11}, {7, 8}, {9, 5}});
        p.Line(10, 5, 16, 5);
        break;
    case 821:
        p.Text(p.left + 8, p.top - 4, L"_", 14, 8);
        p.Text(p.left + 15, p.top + 1, L"_", 14, 8);
        p.Text(p.left + 6, p.top + 11, L"Ax", 14, 8);
        break;
    case 822:
        p.Text(p.left + 6, p.top + 11, L"Ax", 14, 8);
        p.Line(8, 10, 21, 10);
        break;
    case 808: p.Centred(p.top + 8, L"L-R", 14, 8); break;
    case 809: p.Centred(p.top + 8, L"P-R", 14, 8); break;
    case 810: p.Centred(p.top + 8, L"Text", 12, 7); break;
    case 812: p.Centred(p.top + 8, L">>", 14, 8); break;
    case 813: p.Centred(p.top + 8, L"MR", 14, 8); break;
    case 814: p.Centred(p.top + 8, L"MW", 12, 7); break;
    case 824:
    case 825:
    case 826:
    case 827: {
        static const LPCTSTR labels[4] = {L"I", L"Q", L"AI", L"AQ"};
        CPen dotted;
        dotted.CreatePen(PS_DOT, 1, RGB(0, 0, 0));
        CPen* old = p.dc->SelectObject(&dotted);
        p.Line(10, 6, 10, 10);
        p.Line(3, 10, 23, 10);
        CPen thick;
        thick.CreatePen(PS_SOLID, 4, RGB(0, 0, 0));
        p.dc->SelectObject(&thick);
        p.Line(10, 10, 10, 10);
        p.dc->SelectObject(old);
        p.Centred(p.top + 14, labels[nType - 824], 14, 8);
        break;
    }
    default:
        break;
    }
}

// Returns the caption row.
int DrawAux(const Painter& p, UINT nType)
{
    struct Label { LPCTSTR text; int h; int w; bool bold; };
    static const Label plain[] = {
        {L"TDT", 12, 6, false}, {L"BCD", 12, 6, false}, {L"BIN", 12, 6, false}, {L"ROL", 12, 6, false},
        {L"ROR", 12, 6, false}, {L"SHL", 12, 6, false}, {L"SHR", 12, 6, false}};
    static const Label tail[] = {
        {L"AXIV", 12, 6, false}, {L"DXIV", 12, 5, false}, {L"Rand", 12, 5, false}, {L"MEM", 12, 6, false},
        {L"ENC", 12, 6, false}, {L"SMC", 12, 6, false}, {L"SMCE", 11, 4, true}, {L"PTO", 12, 6, false},
        {L"PTOE", 11, 4, true}, {L"SEG", 12, 6, false}, {L"WTB", 12, 6, false}, {L"UDC", 12, 6, false},
        {L"CRC", 12, 6, false}};
    const Label* label = nullptr;
    if (nType >= 831 && nType <= 837)
        label = &plain[nType - 831];
    else if (nType >= 844 && nType <= 856)
        label = &tail[nType - 844];
    if (label) {
        const CSize e = p.Centred(p.top + 12, label->text, label->h, label->w, label->bold, 1);
        return p.top + (36 - e.cy) / 2;
    }
    if (nType == 830) {
        const CSize e = p.Extent(L"BOOL", 9, 3);
        const int x0 = (25 - e.cx) / 2;
        for (int y : {7, 10, 13, 16})
            p.Line(x0, y, x0 + 5, y);
        p.Poly({{x0 + 5, 5}, {x0 + 5, 19}, {x0 + 15, 13}, {x0 + 5, 5}});
        p.Line(x0 + 15, 13, x0 + 20, 13);
        p.Centred(p.top + 24, L"BOOL", 9, 3, false, 1);
        return p.top + (36 - e.cy) / 2;
    }
    // 838-843: the gate symbol above "MASK".
    static const UINT gateOf[6] = {300, 304, 307, 302, 305, 306};
    const int h = LogicSymbol(p, gateOf[nType - 838], p.top + 9, false);
    p.Centred(p.top + 24, L"MASK", 10, 4, true, 1);
    return p.top + (36 - h) / 2;
}

int DrawMath(const Painter& p, UINT nType)
{
    static const LPCTSTR labels[20] = {L"ODD", L"EVEN", L"MOD", L"REM", L"LOG", L"SQRT", L"ABS",
                                       L"GCD", L"LCM", L"POW2", L"EXP", L"FIX", L"round", L"SIN",
                                       L"COS", L"TAN", L"COT", L"SEC", L"CSC", L"QUAD"};
    const CSize e = p.Centred(p.top + 12, labels[nType - 860], 12, 5, false, 1);
    return p.top + (36 - e.cy) / 2;
}

} // namespace

int DrawPaletteSymbol(CDC* pDC, UINT nType, int nDocKind, int left, int top)
{
    const Painter p{pDC, left, top};
    if (nType >= 300 && nType <= 307) {
        const int h = LogicSymbol(p, nType, 0, true);
        return top + (36 - h) / 2;
    }
    if (nType >= 400 && nType <= 413) {
        DrawTimer(p, nType);
        return p.bottom() - 20;
    }
    if (nType >= 600 && nType <= 611)
        return DrawIo(p, nType);
    if (nType >= 700 && nType <= 705)
        return DrawLadder(p, nType);
    if (nType >= 800 && nType <= 827) {
        DrawMisc(p, nType);
        return p.bottom() - 20;
    }
    if (nType >= 830 && nType <= 856)
        return DrawAux(p, nType);
    if (nType >= 860 && nType <= 879)
        return DrawMath(p, nType);
    if (nType == 911) {
        const CSize e = p.Centred(top + 12, L"L", 14, 8, false, 1);
        return top + (36 - e.cy) / 2;
    }
    return top + 11;
}
