#include "controls/GridCellNumeric.h"

#include "controls/GridCtrl.h"
#include "controls/InPlaceEdit.h"

IMPLEMENT_DYNCREATE(CGridCellNumeric, CGridCell)

BOOL CGridCellNumeric::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar)
{
    BOOL bResult = FALSE;
    if (!BeginEditing(nChar, &bResult))
        return bResult;
    // The edit deletes itself when its window is destroyed.
    m_pEditWnd = new CInPlaceEdit(m_pGrid, rect, ES_NUMBER, nID, nRow, nCol, GetText(), nChar);
    return TRUE;
}
