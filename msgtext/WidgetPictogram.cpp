#include "msgtext/WidgetPictogram.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"

namespace {

struct Name {
    int type;
    const wchar_t* text;
};

const Name kNames[] = {
    {400, L"ON-D"}, {401, L"OFF-D"}, {402, L"ON/OFF"}, {403, L"R-ON-D"}, {404, L"W-R"}, {405, L"E-F-W-R"},
    {406, L"A-P-G"}, {407, L"R-G"}, {408, L"S-L-S"}, {409, L"M-F-S"}, {410, L"W-T"}, {411, L"Y-T"},
    {412, L"AC"}, {413, L"SW"}, {800, L"U/D"}, {801, L"H-C"}, {803, L"A"}, {805, L"A"}, {810, L"Text"},
    {815, L"A"}, {816, L"A"}, {817, L"A"}, {818, L"A"}, {819, L"~"}, {820, L"Ax"}, {821, L"Ax"}, {822, L"Ax"},
    {823, L"E"}, {832, L"BCD"}, {833, L"BIN"}, {834, L"ROL"}, {835, L"ROR"}, {836, L"SHL"}, {837, L"SHR"},
    {838, L"MASK"}, {839, L"MASK"}, {840, L"MASK"}, {841, L"MASK"}, {842, L"MASK"}, {843, L"MASK"},
    {844, L"AXIV"}, {845, L"DXIV"}, {846, L"Rand"}, {848, L"ENC"}, {849, L"SMC"}, {850, L"SMCE"}, {851, L"PTO"},
    {852, L"PTOE"}, {853, L"SEG"}, {854, L"WTB"}, {855, L"UDC"}, {856, L"CRC"}, {860, L"ODD"}, {861, L"EVEN"},
    {862, L"MOD"}, {863, L"REM"}, {864, L"LOG"}, {865, L"SQRT"}, {866, L"ABS"}, {867, L"GCD"}, {868, L"LCM"},
    {869, L"POW2"}, {870, L"EXP"}, {871, L"FIX"}, {872, L"round"}, {873, L"SIN"}, {874, L"COS"}, {875, L"TAN"},
    {876, L"COT"}, {877, L"SEC"}, {878, L"CSC"}, {879, L"QUAD"}, {608, L"AI"}, {610, L"AM"},
};

// The upper line of the two-line pictograms.
const wchar_t* UpperText(int nType)
{
    switch (nType) {
    case 815: case 823: return L"+=";
    case 838: case 841: return L"&";
    case 839: case 842: return L">1";
    case 840: return L"1";
    case 843: return L"=1";
    case 412: return L"*";
    default: return nullptr;
    }
}

void Line(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

void TextCentred(CDC* pDC, const CRect& box, int y, const CString& text, int height)
{
    CFont font;
    font.CreateFont(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
    CFont* pOld = pDC->SelectObject(&font);
    const CSize size = pDC->GetTextExtent(text);
    pDC->TextOut(box.left + (box.Width() - size.cx) / 2, y, text);
    pDC->SelectObject(pOld);
}

void ClockFace(CDC* pDC, int cx, int cy, int r)
{
    CBrush face(RGB(255, 223, 140));
    CBrush* pOld = pDC->SelectObject(&face);
    pDC->Ellipse(cx - r, cy - r, cx + r + 1, cy + r + 1);
    pDC->SelectObject(pOld);
    Line(pDC, cx, cy, cx, cy - r + 2);
    Line(pDC, cx, cy, cx + r - 3, cy);
}

// A pulse: low, up at x1, high to x2, down, low to the end.
void Pulse(CDC* pDC, int l, int r, int x1, int x2, int top, int bottom)
{
    pDC->MoveTo(l, bottom);
    pDC->LineTo(x1, bottom);
    pDC->LineTo(x1, top);
    pDC->LineTo(x2, top);
    pDC->LineTo(x2, bottom);
    pDC->LineTo(r, bottom);
}

} // namespace

CString CWidgetPictogram::ShortName(int nType)
{
    for (const Name& n : kNames)
        if (n.type == nType)
            return n.text;
    return CString();
}

void CWidgetPictogram::Draw(CDC* pDC, const CRect& box, int nType, BOOL bHasBlock, int nNumber)
{
    const bool timer = nType >= 400 && nType <= 413;
    const bool special = nType >= 800 && nType <= 823;
    const bool digital = nType >= 832 && nType <= 856 && nType != 847;
    const bool math = nType >= 860 && nType <= 879;
    const bool analogOperand = nType == 608 || nType == 610 || (!bHasBlock && nNumber >= 4000 && nNumber <= 4799);
    if (!timer && !special && !digital && !math && !analogOperand)
        return;
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&black);
    pDC->SetBkColor(RGB(245, 217, 129));
    const int l = box.left + 2, r = box.right - 3, mid = box.left + box.Width() / 2;
    const int t = box.top, b = box.bottom;
    const CString name = ShortName(nType);

    if (analogOperand) {
        TextCentred(pDC, box, t + (box.Height() - 14) / 2, nType == 610 || nNumber >= 4288 ? L"AM" : L"AI", 14);
    } else if (timer) {
        TextCentred(pDC, box, b - 12, name, 10);
        switch (nType) {
        case 400: case 403:
            Line(pDC, mid, t + 2, mid, t + 10);
            Line(pDC, mid - 3, t + 5, mid, t + 2);
            Line(pDC, mid + 3, t + 5, mid, t + 2);
            Pulse(pDC, l, r, mid, r, t + 13, t + 20);
            if (nType == 403)
                Line(pDC, r - 3, t + 10, r, t + 13);
            break;
        case 401:
            Line(pDC, mid, t + 2, mid, t + 10);
            Line(pDC, mid - 3, t + 7, mid, t + 10);
            Line(pDC, mid + 3, t + 7, mid, t + 10);
            Pulse(pDC, l, r, l, mid, t + 13, t + 20);
            break;
        case 402: case 404: case 405:
            if (nType != 404) {
                Line(pDC, mid, t + 2, mid, t + 10);
                Line(pDC, mid - 3, t + 5, mid, t + 2);
                Line(pDC, mid + 3, t + 5, mid, t + 2);
            }
            Pulse(pDC, l, r, l + 5, r - 5, t + 13, t + 20);
            break;
        case 406: {
            Line(pDC, l, t + 6, r, t + 6);
            Line(pDC, r - 3, t + 3, r, t + 6);
            Line(pDC, r - 3, t + 9, r, t + 6);
            const int step = (r - l) / 10;
            for (int i = 0; i < 5 && step > 0; ++i)
                Pulse(pDC, l + 2 * i * step, l + (2 * i + 2) * step, l + 2 * i * step + step / 2,
                      l + (2 * i + 1) * step + step / 2, t + 13, t + 20);
            break;
        }
        case 407:
            Line(pDC, l, t + 6, r, t + 6);
            Line(pDC, r - 3, t + 3, r, t + 6);
            Line(pDC, r - 3, t + 9, r, t + 6);
            Pulse(pDC, l, r, l + 6, r - 6, t + 13, t + 20);
            break;
        case 410: case 411: case 412: case 413:
            if (nType == 412)
                TextCentred(pDC, box, t, UpperText(nType), 20);
            if (nType == 413)
                Pulse(pDC, l, r, l + 5, mid, t + 2, t + 8);
            ClockFace(pDC, mid, t + 15, 6);
            break;
        default:
            break;
        }
    } else if (special) {
        if (const wchar_t* upper = UpperText(nType))
            TextCentred(pDC, box, t + 3, upper, 12);
        if (!name.IsEmpty())
            TextCentred(pDC, box, b - 13, name, 11);
        switch (nType) {
        case 800: Line(pDC, mid, t + 3, mid, t + 18); Line(pDC, mid - 3, t + 6, mid, t + 3); Line(pDC, mid - 3, t + 15, mid, t + 18); break;
        case 802: case 804: case 807:
            pDC->Arc(l, t + 3, r, t + 19, r, t + 11, l, t + 11);
            Pulse(pDC, l, r, l + 6, r - 6, t + 20, t + 26);
            break;
        case 803:
            Line(pDC, l + 2, t + 12, mid, t + 3); Line(pDC, mid, t + 3, r - 2, t + 12); Line(pDC, l + 2, t + 12, r - 2, t + 12);
            Pulse(pDC, l, r, l + 6, r - 6, t + 14, t + 20);
            break;
        case 806:
            pDC->Arc(l, t + 4, mid, t + 14, mid, t + 9, l, t + 9);
            pDC->Arc(mid, t + 4, r, t + 14, mid, t + 9, r, t + 9);
            Line(pDC, l, t + 18, r, t + 18);
            break;
        case 817: case 818:
            Line(pDC, l, t + 16, mid, t + 6); Line(pDC, mid, t + 6, r, t + 6);
            Line(pDC, l, t + 20, r, t + 20); Line(pDC, r - 3, t + 17, r, t + 20);
            break;
        case 820: Line(pDC, l, t + 4, l, t + 8); Line(pDC, l, t + 4, r, t + 4); Line(pDC, r, t + 4, r, t + 8); break;
        case 821: Line(pDC, l + 2, t + 5, r - 2, t + 5); Line(pDC, l + 2, t + 10, r - 2, t + 10); break;
        case 822: Line(pDC, l + 2, t + 7, r - 2, t + 7); break;
        default:
            if (nType == 805 || nType == 815 || nType == 816 || nType == 819 || nType == 823) {
                Line(pDC, l, t + 20, r, t + 20);
                Line(pDC, r - 3, t + 17, r, t + 20);
                Line(pDC, r - 3, t + 23, r, t + 20);
            }
            break;
        }
    } else if (digital && UpperText(nType)) {
        TextCentred(pDC, box, t + 4, UpperText(nType), 12);
        TextCentred(pDC, box, t + 18, name, 10);
        if (nType == 840 || nType == 841 || nType == 842)
            Line(pDC, mid - 4, t + 4, mid + 4, t + 4);
        if (nType == 839 || nType == 842)
            Line(pDC, mid - 5, t + 16, mid - 1, t + 16);
    } else {
        TextCentred(pDC, box, t + (box.Height() - 10) / 2, name, 10);
    }
    pDC->SelectObject(pOldPen);
}
