#include "controls/GridCellCheck.h"

#include "controls/GridCtrl.h"
#include "platform/gdi/DC.h"

IMPLEMENT_DYNCREATE(CGridCellCheck, CGridCell)

BOOL CGridCellCheck::SetCheck(BOOL bChecked)
{
    const BOOL bOld = m_bChecked;
    m_bChecked = bChecked;
    if (CGridCtrl* pGrid = GetGrid(); pGrid && pGrid->GetSafeHwnd() && !m_Rect.IsRectEmpty())
        pGrid->InvalidateRect(&m_Rect);
    return bOld;
}

CRect CGridCellCheck::GetCheckPlacement(const CRect& cellRect)
{
    const int nWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int nMargin = int(GetMargin());
    CRect place(cellRect.left + nMargin, cellRect.top + nMargin, cellRect.left + nMargin + nWidth,
                cellRect.top + nMargin + nWidth);
    if (cellRect.Height() > nWidth + 2 * nMargin) {
        place.top = cellRect.top + (cellRect.Height() - nWidth) / 2;
        place.bottom = place.top + nWidth;
    }
    return place;
}

BOOL CGridCellCheck::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    const BOOL bResult = CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    if (!bResult)
        return FALSE;
    m_Rect = rect;
    const CRect box = GetCheckPlacement(rect);
    pDC->FillSolidRect(&box, GetSysColor(COLOR_WINDOW));
    CPen pen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(box.left, box.top);
    pDC->LineTo(box.right - 1, box.top);
    pDC->LineTo(box.right - 1, box.bottom - 1);
    pDC->LineTo(box.left, box.bottom - 1);
    pDC->LineTo(box.left, box.top);
    if (m_bChecked) {
        // A tick: down from the left third, then up to the right.
        const int w = box.Width(), h = box.Height();
        pDC->MoveTo(box.left + w / 4, box.top + h / 2);
        pDC->LineTo(box.left + w * 2 / 5, box.top + h * 3 / 4);
        pDC->LineTo(box.right - w / 4, box.top + h / 4);
    }
    pDC->SelectObject(pOldPen);
    return TRUE;
}

CSize CGridCellCheck::GetCellExtent(CDC* pDC)
{
    CSize size = CGridCell::GetCellExtent(pDC);
    const int nWidth = GetSystemMetrics(SM_CXVSCROLL) + 2 * int(GetMargin());
    size.cx += nWidth;
    size.cy = std::max(size.cy, LONG(nWidth));
    return size;
}

BOOL CGridCellCheck::GetTextRect(LPRECT pRect)
{
    const BOOL bResult = CGridCell::GetTextRect(pRect);
    if (bResult)
        pRect->left += GetSystemMetrics(SM_CXVSCROLL) + 2 * int(GetMargin());
    return bResult;
}

void CGridCellCheck::OnClick(CPoint PointCellRelative)
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid)
        return;
    const CCellID cell = pGrid->GetFocusCell();
    if (!pGrid->IsCellEditable(cell))
        return;
    CRect cellRect;
    if (!pGrid->GetCellRect(cell, &cellRect))
        return;
    CPoint point = PointCellRelative;
    point.Offset(cellRect.left, cellRect.top);
    if (GetCheckPlacement(cellRect).PtInRect(point)) {
        m_bChecked = !m_bChecked;
        pGrid->SetModified(TRUE, cell.row, cell.col);
        pGrid->RedrawCell(cell);
    }
}
