// Symbols of the word and device functions (830-856), the math functions (860-879) and the
// data log (911): mnemonics centred in a 25-unit wide body whatever the body's width.
#include "elements/BlockObj.h"
#include "elements/PaintTools.h"
#include "elements/SymbolPainters.h"

#include <iterator>

using namespace paint;

namespace {

const wchar_t* const kDigitalTexts[27] = {L"BOOL", L"TDT", L"BCD", L"BIN",  L"ROL", L"ROR",  L"SHL",
                                          L"SHR",  L"&",   L">1",  L"1",    L"&",   L">1",   L"=1",
                                          L"AXIV", L"DXIV", L"Rand", L"MEM", L"ENC", L"SMC",  L"SMCE",
                                          L"PTO",  L"PTOE", L"SEG", L"WTB",  L"UDC", L"CRC"};

const wchar_t* const kMathTexts[20] = {L"ODD", L"EVEN", L"MOD", L"REM", L"LOG", L"SQRT", L"ABS",
                                       L"GCD", L"LCM",  L"POW2", L"EXP", L"FIX", L"round", L"SIN",
                                       L"COS", L"TAN",  L"COT", L"SEC", L"CSC", L"QUAD"};

}  // namespace

void symbols::DrawDigital(const CBlockObj& blk, CDC* pDC)
{
    const int x0 = blk.m_ptOrigin.x, y0 = blk.m_ptOrigin.y, t = blk.m_nType;
    Pen pen(pDC, 1, kBlack);
    Font symbolFont(pDC, 12, 8, L"Arial");
    if (t < 830 || t >= 830 + int(std::size(kDigitalTexts)))
        return;
    const CString text = kDigitalTexts[t - 830];
    const CSize ext = pDC->GetTextExtent(text);
    const int cx = ext.cx, cy = ext.cy;

    if (t == 830) {
        const int R = x0 + (25 - cx) / 2;
        {
            Font f(pDC, 9, 3, L"Arial", FontKind::Swiss);
            pDC->TextOut(R, y0 + 24, text);
        }
        for (int y : {7, 10, 13, 16})
            Line(pDC, R, y0 + y, R + 5, y0 + y);
        const POINT tri[4] = {{R + 5, y0 + 5}, {R + 5, y0 + 19}, {R + 15, y0 + 13}, {R + 5, y0 + 5}};
        pDC->Polyline(tri, 4);
        Line(pDC, R + 15, y0 + 13, R + 20, y0 + 13);
    } else if ((t >= 831 && t <= 837) || (t >= 844 && t <= 846)) {
        Font f(pDC, 12, 5, L"Arial", FontKind::Swiss);
        pDC->TextOut((25 - cx) / 2 + x0 + 1, y0 + 12, text);
    } else if (t >= 838 && t <= 843) {
        pDC->TextOut((25 - cx) / 2 + x0 + 1, y0 + 9, text);
        {
            Font f(pDC, 10, 4, L"Arial", FontKind::Swiss, 900);
            const CString mask(L"MASK");
            pDC->TextOut((25 - pDC->GetTextExtent(mask).cx) / 2 + x0 + 1, y0 + 24, mask);
        }
        const int m = (25 - cx) / 2;
        if (t == 839 || t == 842)
            Line(pDC, x0 + m, y0 + 7 + cy, x0 + m + cx / 2, y0 + 7 + cy);
        if (t == 840 || t == 841)
            Line(pDC, x0 + m, y0 + 8, x0 + m + cx + 1, y0 + 8);
        if (t == 842)
            Line(pDC, x0 + m, y0 + 8, x0 + m + cx, y0 + 8);
    } else {
        int height = 12, width = 5;
        if (t == 847)
            height = 10;
        else if (t == 850 || t == 852)
            height = 11, width = 4;
        Font f(pDC, height, width, L"Arial", FontKind::Swiss);
        pDC->TextOut(x0 + (26 - cx) / 2, y0 + 12, text);
    }
}

void symbols::DrawMath(const CBlockObj& blk, CDC* pDC)
{
    if (blk.m_nType < 860 || blk.m_nType >= 860 + int(std::size(kMathTexts)))
        return;
    Pen pen(pDC, 1, kBlack);
    Font mathFont(pDC, 12, 5, L"Arial");
    const CString text = kMathTexts[blk.m_nType - 860];
    pDC->TextOut((25 - pDC->GetTextExtent(text).cx) / 2 + blk.m_ptOrigin.x + 1, blk.m_ptOrigin.y + 12, text);
}

void symbols::DrawDataLog(const CBlockObj& blk, CDC* pDC)
{
    Pen pen(pDC, 1, kBlack);
    Font mathFont(pDC, 12, 5, L"Arial");
    const CString text(L"L");
    pDC->TextOut((25 - pDC->GetTextExtent(text).cx) / 2 + blk.m_ptOrigin.x + 1, blk.m_ptOrigin.y + 12, text);
}
