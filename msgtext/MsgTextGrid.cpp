#include "msgtext/MsgTextGrid.h"

#include "controls/GridCtrl.h"
#include "shell/ChineseTexts.h"

BOOL CMsgTextGrid::IsWide(const CString& text)
{
    return !text.IsEmpty() && text[0] >= 0x80 && GetCharClass(text[0]) == 1;
}

void CMsgTextGrid::MarkWide(CGridCtrl& grid, int nRow, int nCol, const CString& text)
{
    if (!IsWide(text) || nCol + 1 >= grid.GetColumnCount())
        return;
    grid.SetItemState(nRow, nCol, grid.GetItemState(nRow, nCol) | GRIDSTATE_LEFTHALF);
    grid.SetItemState(nRow, nCol + 1, grid.GetItemState(nRow, nCol + 1) | GRIDSTATE_RIGHTHALF);
}

void CMsgTextGrid::Load(CGridCtrl& grid, int nRows, int nCols, const CString* pCells, int nStride, COLORREF crText,
                        BOOL bMarkWide)
{
    grid.SetRowCount(nRows);
    grid.SetColumnCount(nCols);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int r = 0; r < nRows; ++r)
        for (int c = 0; c < nCols; ++c) {
            GV_ITEM item;
            item.mask = GRIDITEM_TEXT | GRIDITEM_BACKCOLOUR | GRIDITEM_TEXTCOLOUR;
            item.row = r;
            item.col = c;
            item.strText = pCells[r * nStride + c];
            item.crBkClr = kCellBack;
            item.crFgClr = crText;
            grid.SetItem(&item);
        }
    if (bMarkWide)
        for (int r = 1; r < nRows; ++r)
            for (int c = 1; c < nCols; ++c)
                MarkWide(grid, r, c, pCells[r * nStride + c]);
}

void CMsgTextGrid::HideHeaders(CGridCtrl& grid)
{
    grid.SetColumnWidth(0, 0);
    grid.SetRowHeight(0, 0);
    grid.ExpandToFit(FALSE);
}
