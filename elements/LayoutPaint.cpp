// Painting of the elements that carry no function of their own: wires, free comments, page
// connectors and the ladder power bus.
#include "elements/BlockComment.h"
#include "elements/BlockConnectors.h"
#include "elements/ConnectLineObj.h"
#include "elements/PaintTools.h"
#include "elements/PowerBus.h"

#include "document/TavixDoc.h"
#include "view/TavixView.h"

#include <algorithm>

using namespace paint;

namespace {

int PinKindAt(const CBlockObj* pBlock, int pin)
{
    return (pBlock && pin >= 0 && pin < kPinCount) ? pBlock->m_nPinKind[pin] : PIN_NONE;
}

}  // namespace

// ---- wires ----

CRect CConnectLineObj::GetPaintBounds() const
{
    const int n = int(m_points.GetSize());
    if (n == 0)
        return CRect();
    CRect bounds(m_points[0], m_points[0]);
    for (int i = 1; i < n; ++i) {
        bounds.left = std::min<LONG>(bounds.left, m_points[i].x);
        bounds.top = std::min<LONG>(bounds.top, m_points[i].y);
        bounds.right = std::max<LONG>(bounds.right, m_points[i].x);
        bounds.bottom = std::max<LONG>(bounds.bottom, m_points[i].y);
    }
    bounds.InflateRect(6, 6);
    return bounds;
}

void CConnectLineObj::Draw(CDC* pDC, COLORREF colour, int /*pass*/)
{
    const int n = int(m_points.GetSize());
    // Skipped when its vertices (with the junction dots) lie outside the clip area.
    if (n > 0 && IsRectOutsideClip(pDC, GetPaintBounds()))
        return;
    {
        const int width = std::max(PinKindAt(m_pStartBlock, m_nStartPin), PinKindAt(m_pEndBlock, m_nEndPin));
        Pen pen(pDC, width, colour);
        if (n > 0)
            pDC->Polyline(m_points.GetData(), n);
    }
    for (int i = 0; i < int(m_junctions.GetSize()) && i < n; ++i) {
        const CPoint& j = m_junctions[i];
        if (j.x != kNoJunction || j.y != kNoJunction)
            Dot(pDC, m_points[i].x, m_points[i].y, 8, kBlack);
    }
}

void CConnectLineObj::DrawSelected(CDC* pDC, COLORREF colour)
{
    Draw(pDC, colour, 0);
    const int n = int(m_points.GetSize());
    CBrush blue, red;
    blue.CreateSolidBrush(kBlue);
    red.CreateSolidBrush(kRed);
    const int mode = pDC->SetPolyFillMode(ALTERNATE);
    Pen pen(pDC, 1, kBlack);
    CBrush* pOld = pDC->GetCurrentBrush();
    for (int i = 0; i < n; ++i) {
        const CPoint p = m_points[i];
        CBrush* pBrush = (i == 0 || i == n - 1) ? &blue : &red;
        pDC->SelectObject(pBrush);
        Quad(pDC, p.x - 4, p.y - 4, p.x + 4, p.y + 4);
    }
    pDC->SelectObject(pOld);
    pDC->SetPolyFillMode(mode);
}

// ---- free comments ----

void CBlockComment::Draw(CDC* pDC)
{
    CFont font;
    font.CreateFontIndirect(&m_logFont);
    CFont* pOld = pDC->SelectObject(&font);
    const COLORREF bk = pDC->SetBkColor(RGB(180, 180, 180));
    pDC->SetTextColor(m_crText);
    if (m_nLines != 0)
        DrawText(pDC);
    pDC->SelectObject(pOld);
    pDC->SetTextColor(kBlack);
    pDC->SetBkColor(bk);
}

void CBlockComment::DrawSelected(CDC* pDC)
{
    Draw(pDC);
    DrawHandles(pDC);
}

void CBlockComment::DrawText(CDC* pDC)
{
    CStringArray lines;
    CArray<int, int> offsets;
    GetTextLines(&lines, &offsets);
    for (INT_PTR k = 0; k < lines.GetSize(); ++k)
        pDC->TextOut(m_ptOrigin.x, m_ptOrigin.y + offsets[k], lines[k]);
}

void CBlockComment::DrawHandles(CDC* pDC)
{
    DrawCornerHandles(pDC, m_ptOrigin.x, m_ptOrigin.y, m_ptOrigin.x + m_nWidth, m_ptOrigin.y + m_nHeight);
}

// ---- page connectors ----

namespace {

constexpr COLORREF kConnectorFill = RGB(64, 192, 64);

// The connector's label centred 12 above it in the label font.
void DrawConnectorLabel(CDC* pDC, const CBlockObj& b, const CString& label)
{
    Font font(pDC, 12, 6, L"", FontKind::Fixed, 0);
    const int bkMode = pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(b.m_ptOrigin.x + (b.m_nWidth - 6 * label.GetLength()) / 2, b.m_ptOrigin.y - 12, label);
    pDC->SetBkMode(bkMode);
}

void DrawConnectorPolygon(CDC* pDC, const POINT* pts, int n)
{
    Brush brush(pDC, kConnectorFill);
    const int mode = pDC->SetPolyFillMode(ALTERNATE);
    pDC->Polygon(pts, n);
    pDC->SetPolyFillMode(mode);
}

}  // namespace

void CBlockMale::DrawShape(CDC* pDC, int /*nFlag*/)
{
    const int x0 = m_ptOrigin.x, y0 = m_ptOrigin.y, W = m_nWidth, H = m_nHeight;
    const POINT pts[6] = {{x0, y0},         {x0, y0 + H},         {x0 + W - W / 3, y0 + H},
                          {x0 + W, y0 + H / 2}, {x0 + W - W / 3, y0}, {x0, y0}};
    DrawConnectorPolygon(pDC, pts, 6);
}

void CBlockMale::Draw(CTavixView* pView, CDC* pDC, int nFlag, COLORREF colour)
{
    if (IsOutsideClip(pDC, *this, pView ? pView->GetDocument() : nullptr))
        return;
    {
        Pen pen(pDC, 1, kBlack);
        DrawShape(pDC, nFlag);
    }
    {
        Pen stub(pDC, 1, colour);
        Line(pDC, m_ptOrigin.x, m_ptOrigin.y + m_nHeight / 2, m_ptOrigin.x - 5, m_ptOrigin.y + m_nHeight / 2);
    }
    DrawConnectorLabel(pDC, *this, GetLabel(pView ? pView->GetDocument() : nullptr));
}

void CBlockFemale::DrawShape(CDC* pDC, int /*nFlag*/)
{
    const int x0 = m_ptOrigin.x, y0 = m_ptOrigin.y, W = m_nWidth, H = m_nHeight;
    const POINT pts[6] = {{x0, y0}, {x0 + W / 3, y0 + H / 2}, {x0, y0 + H}, {x0 + W, y0 + H}, {x0 + W, y0}, {x0, y0}};
    DrawConnectorPolygon(pDC, pts, 6);
}

void CBlockFemale::Draw(CTavixView* pView, CDC* pDC, int nFlag, COLORREF /*colour*/)
{
    if (IsOutsideClip(pDC, *this, pView ? pView->GetDocument() : nullptr))
        return;
    Pen pen(pDC, 1, kBlack);
    DrawShape(pDC, nFlag);
    const int y = m_ptOrigin.y + m_nHeight / 2;
    Line(pDC, m_ptOrigin.x + m_nWidth, y, m_ptOrigin.x + m_nWidth + 5, y);
    DrawConnectorLabel(pDC, *this, GetLabel(pView ? pView->GetDocument() : nullptr));
}

// ---- ladder power bus ----

void CPowerBusObj::Draw(CTavixView*, CDC* pDC, int, COLORREF colour)
{
    Pen pen(pDC, kRailWidth, colour);
    Line(pDC, m_ptOrigin.x, m_ptOrigin.y, m_ptOrigin.x, m_nHeight);
}
