#include "controls/GridCellCombo.h"

#include "controls/GridCtrl.h"
#include "controls/InPlaceList.h"
#include "platform/gdi/DC.h"

IMPLEMENT_DYNCREATE(CGridCellCombo, CGridCell)

CString CGridCellCombo::GetOption(int nIndex) const
{
    if (nIndex < 0 || nIndex >= int(m_Strings.size()))
        return CString();
    return m_Strings[size_t(nIndex)];
}

BOOL CGridCellCombo::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar)
{
    BOOL bResult = FALSE;
    if (!BeginEditing(nChar, &bResult))
        return bResult;
    COLORREF crFore = CLR_DEFAULT, crBack = CLR_DEFAULT;
    EditorColours(&crFore, &crBack);
    // The combo box deletes itself when its window is destroyed.
    m_pEditWnd = new CInPlaceList(m_pGrid, rect, m_dwStyle, nID, nRow, nCol, crFore, crBack, m_Strings, GetText(),
                                  nChar);
    return TRUE;
}

// While the combo box is open over the cell the text is hidden; otherwise an editable cell
// wide enough shows a drop-down button at its right edge.
BOOL CGridCellCombo::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    if (IsEditing()) {
        const CString text = m_strText;
        m_strText.Empty();
        const BOOL bResult = CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
        m_strText = text;
        return bResult;
    }
    const BOOL bResult = CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    CGridCtrl* pGrid = GetGrid();
    const int nButton = GetSystemMetrics(SM_CXVSCROLL);
    if (bResult && pGrid && pGrid->IsCellEditable(nRow, nCol) && rect.Width() > 2 * nButton) {
        CRect button(rect.right - nButton, rect.top, rect.right, rect.bottom);
        pDC->DrawEdge(&button, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        const int cx = button.CenterPoint().x, cy = button.CenterPoint().y;
        CPen pen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
        CPen* pOld = pDC->SelectObject(&pen);
        for (int i = 0; i < 4; ++i) {
            pDC->MoveTo(cx - 3 + i, cy - 2 + i);
            pDC->LineTo(cx + 4 - i, cy - 2 + i);
        }
        pDC->SelectObject(pOld);
    }
    return bResult;
}
