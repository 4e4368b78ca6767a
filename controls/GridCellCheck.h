// CGridCellCheck: a text cell with a check box at its left; a click on the box of an editable
// cell toggles it.
#pragma once

#include "controls/GridCell.h"

class CGridCellCheck : public CGridCell {
    DECLARE_DYNCREATE(CGridCellCheck)
public:
    CGridCellCheck() = default;

    BOOL SetCheck(BOOL bChecked = TRUE);
    BOOL GetCheck() const { return m_bChecked; }

    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    CSize GetCellExtent(CDC* pDC) override;
    BOOL GetTextRect(LPRECT pRect) override;
    void OnClick(CPoint PointCellRelative) override;

protected:
    // The box inside a cell rectangle.
    CRect GetCheckPlacement(const CRect& cellRect);

    BOOL m_bChecked = FALSE;
    CRect m_Rect;  // the cell rectangle of the last drawing
};
