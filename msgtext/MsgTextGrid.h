// Filling the character grid of a message text: the cells from a store of strings with the
// display colours, the marks of double-width characters, and the header row and column hidden.
#pragma once

#include "platform/base/Afx.h"

class CGridCtrl;

class CMsgTextGrid
{
public:
    // Display background of the cells.
    static constexpr COLORREF kCellBack = RGB(85, 157, 85);
    // Rows x cols cells, one fixed row and column, every cell from pCells (row-major with
    // nStride cells a row) on the display colour with the given text colour; double-width
    // characters marked when bMarkWide.
    static void Load(CGridCtrl& grid, int nRows, int nCols, const CString* pCells, int nStride, COLORREF crText,
                     BOOL bMarkWide);
    // Marks (row, col) and its right neighbour as the halves of a double-width character when
    // the text's first character is one; a character in the last column gets no mark outside.
    static void MarkWide(CGridCtrl& grid, int nRow, int nCol, const CString& text);
    // Hides the header row and column and stretches the cells over the control.
    static void HideHeaders(CGridCtrl& grid);
    // Whether the first character of a text takes two cells.
    static BOOL IsWide(const CString& text);
};
