// CGridCellNumeric: a cell edited in an in-place edit that takes digits only.
#pragma once

#include "controls/GridCell.h"

class CGridCellNumeric : public CGridCell {
    DECLARE_DYNCREATE(CGridCellNumeric)
public:
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
};
