// The symbol inside an element's body: one painter per family, chosen by the type code. The
// I/O, ladder and logic painters live here; the others in the Symbols*.cpp files.
#include "elements/BlockObj.h"

#include "document/TavixDoc.h"
#include "elements/PaintTools.h"
#include "elements/SymbolPainters.h"
#include "shell/MainFrame.h"
#include "view/TavixView.h"

using namespace paint;

namespace {

// Hardware code of the view's document, else the program-wide one.
int MachineTypeFor(CTavixView* pView)
{
    const CTavixDoc* pDoc = pView ? pView->GetDocument() : nullptr;
    return pDoc ? pDoc->GetMachineType() : MachineTypeOf(g_wHardwareCode);
}

const wchar_t* IoPrefix(int type)
{
    static const wchar_t* const prefixes[12] = {L"I", L"C", L"S", L"lo", L"hi", L"Q",
                                                L"X", L"M", L"AI", L"AQ", L"AM", L"F"};
    return prefixes[type - TYPE_INPUT];
}

}  // namespace

void CBlockObj::DrawSymbol(CTavixView* pView, CDC* pDC)
{
    const int t = m_nType;
    if (t >= TYPE_INPUT && t <= TYPE_FKEY)
        symbols::DrawIo(*this, pDC);
    else if (t >= TYPE_MAKE && t <= TYPE_AOUT_LAD)
        symbols::DrawLadder(*this, pDC);
    else if (t >= TYPE_AND && t <= TYPE_NOT)
        symbols::DrawLogic(*this, pDC);
    else if (t >= 400 && t <= 413)
        symbols::DrawTimer(*this, pDC);
    else if (t >= 800 && t <= 827 && t != TYPE_811)
        symbols::DrawSpecial(*this, pDC);
    else if (t >= 830 && t <= 856 && MachineTypeFor(pView) >= kMachineTypeQ)
        symbols::DrawDigital(*this, pDC);
    else if (t >= 860 && t <= 879 && MachineTypeFor(pView) >= kMachineTypeQ)
        symbols::DrawMath(*this, pDC);  // 857-859 belong to no class: no symbol
    else if (t == TYPE_DATALOG && MachineTypeFor(pView) >= kMachineTypeQ)
        symbols::DrawDataLog(*this, pDC);
}

void symbols::DrawIo(const CBlockObj& b, CDC* pDC)
{
    // The label font of Draw is current.
    const CString text = IoPrefix(b.m_nType);
    const CSize size = pDC->GetTextExtent(text);
    pDC->TextOut(b.m_ptOrigin.x + (b.m_nWidth - size.cx) / 2, b.m_ptOrigin.y + (b.m_nHeight - size.cy) / 2, text);
}

void symbols::DrawLadder(const CBlockObj& b, CDC* pDC)
{
    const int x0 = b.m_ptOrigin.x, y0 = b.m_ptOrigin.y;
    const int r = x0 + b.m_nWidth, bottom = y0 + b.m_nHeight, h = b.m_nHeight;
    const int yr = y0 + 18;
    Pen pen(pDC, 1, kBlack);
    Font font(pDC, 12, 6, L"");
    auto ellipse = [&]() {
        Brush brush(pDC, kBodyFill);
        pDC->Ellipse(x0 + 18, y0 + 2, r, y0 + 8);
    };
    switch (b.m_nType) {
    case TYPE_MAKE:
    case TYPE_BREAK:
    case TYPE_ACONTACT:
        Line(pDC, x0, yr, x0 + 8, yr);
        if (b.m_nType == TYPE_ACONTACT) {
            Pen wide(pDC, 2, kBlack);
            Line(pDC, x0 + 16, yr, x0 + 26, yr);
        } else {
            Line(pDC, x0 + 16, yr, x0 + 26, yr);
        }
        Line(pDC, x0 + 8, y0, x0 + 8, bottom);
        Line(pDC, x0 + 16, y0, x0 + 16, bottom);
        if (b.m_nType == TYPE_BREAK)
            Line(pDC, x0 + 14, y0, x0 + 10, bottom);
        if (b.m_nType == TYPE_ACONTACT)
            ellipse();
        break;
    case TYPE_COIL:
    case TYPE_INV_OUT: {
        Line(pDC, x0, yr, x0 + 5, yr);
        {
            Font brackets(pDC, 32, 8, L"Arial", FontKind::Swiss);
            pDC->TextOut(x0 + 3, y0, CString(L"("));
            pDC->TextOut(r - 7, y0, CString(L")"));
        }
        if (b.m_nType == TYPE_INV_OUT)
            Line(pDC, r - 10, y0 + h / 5, x0 + 10, bottom - h / 5);
        break;
    }
    case TYPE_AOUT_LAD: {
        {
            Pen wide(pDC, 2, kBlack);
            Line(pDC, x0 - 1, yr, x0 + 8, yr);
        }
        ellipse();
        Font brackets(pDC, 24, 8, L"Arial", FontKind::Swiss);
        pDC->TextOut(x0 + 6, y0 + h / 6, CString(L"("));
        pDC->TextOut(r - 6, y0 + h / 6, CString(L")"));
        break;
    }
    default: break;
    }
}

void symbols::DrawLogic(const CBlockObj& b, CDC* pDC)
{
    static const wchar_t* const texts[8] = {L"&", L"&", L"&", L"&", L">1", L">1", L"=1", L"1"};
    const int t = b.m_nType;
    const int x0 = b.m_ptOrigin.x, y0 = b.m_ptOrigin.y, w = b.m_nWidth, h = b.m_nHeight;
    Pen pen(pDC, 1, kBlack);
    Font font(pDC, 12, 8, L"Arial");
    const CString text = texts[t - TYPE_AND];
    const CSize ext = pDC->GetTextExtent(text);
    const int cx = ext.cx, cy = ext.cy;
    const int tx = x0 + (w - cx) / 2, ty = y0 + (h - cy) / 2;
    if (t != TYPE_AND_EDGE && t != TYPE_NAND_EDGE)
        pDC->TextOut(tx, ty, text);
    if (t == TYPE_OR || t == TYPE_NOR)
        Line(pDC, tx, ty + cy, tx + cx / 2, ty + cy);
    if (t == TYPE_NAND || t == TYPE_NOR || t == TYPE_NOT)
        Line(pDC, tx, ty - 1, tx + cx, ty - 1);
    const int left = x0 + (w - 2 * cx) / 2;
    if (t == TYPE_AND_EDGE) {
        const int e = left + 2 * cx / 3;
        Line(pDC, e, ty, left + cx / 3, ty + cy / 3);
        Line(pDC, e, ty, left + cx, ty + cy / 3);
        Line(pDC, e, ty, e, ty + 2 * cy / 3);
        pDC->TextOut(left + cx, ty, text);
    } else if (t == TYPE_NAND_EDGE) {
        const int c = left + 2 * cx / 3 - 2, k = ty + 2 * cy / 3;
        Line(pDC, c, ty, c, k);
        Line(pDC, c, k, left + cx / 3 - 2, ty + cy / 3);
        Line(pDC, c, k, left + cx - 2, ty + cy / 3);
        pDC->TextOut(left + cx, ty, text);
        Line(pDC, left, ty, left + 2 * cx, ty);
    }
}
