// Types, codes and records shared by the grid control (CGridCtrl), its cells and its parent:
// cell addresses and ranges, the item record that sets or reads a cell, the state bits kept per
// cell, and the notification records the grid sends with WM_NOTIFY.
#pragma once

#include "platform/base/CString.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/ui/controls/CommCtrlBase.h"
#include "platform/ui/core/WinUser.h"

// A cell address; (-1, -1) is no cell.
class CCellID {
public:
    int row;
    int col;
    CCellID(int nRow = -1, int nCol = -1) : row(nRow), col(nCol) {}
    BOOL IsValid() const { return row >= 0 && col >= 0; }
    bool operator==(const CCellID& o) const { return row == o.row && col == o.col; }
    bool operator!=(const CCellID& o) const { return !(*this == o); }
};

// A rectangle of cells, both ends included; (-1, -1, -1, -1) is no range.
class CCellRange {
public:
    CCellRange(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1)
        : m_nMinRow(nMinRow), m_nMinCol(nMinCol), m_nMaxRow(nMaxRow), m_nMaxCol(nMaxCol)
    {
    }
    void Set(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1)
    {
        m_nMinRow = nMinRow;
        m_nMinCol = nMinCol;
        m_nMaxRow = nMaxRow;
        m_nMaxCol = nMaxCol;
    }
    // All four bounds set and in order (the counts are checked by CGridCtrl::IsValid).
    BOOL IsValid() const
    {
        return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMaxRow >= 0 && m_nMaxCol >= 0 && m_nMinRow <= m_nMaxRow &&
               m_nMinCol <= m_nMaxCol;
    }
    BOOL InRange(int row, int col) const
    {
        return row >= m_nMinRow && row <= m_nMaxRow && col >= m_nMinCol && col <= m_nMaxCol;
    }
    BOOL InRange(const CCellID& id) const { return InRange(id.row, id.col); }
    CCellID GetTopLeft() const { return CCellID(m_nMinRow, m_nMinCol); }
    int GetMinRow() const { return m_nMinRow; }
    int GetMinCol() const { return m_nMinCol; }
    int GetMaxRow() const { return m_nMaxRow; }
    int GetMaxCol() const { return m_nMaxCol; }
    void SetMinRow(int n) { m_nMinRow = n; }
    void SetMinCol(int n) { m_nMinCol = n; }
    void SetMaxRow(int n) { m_nMaxRow = n; }
    void SetMaxCol(int n) { m_nMaxCol = n; }
    int Count() const { return (m_nMaxRow - m_nMinRow + 1) * (m_nMaxCol - m_nMinCol + 1); }
    bool operator==(const CCellRange& o) const
    {
        return m_nMinRow == o.m_nMinRow && m_nMinCol == o.m_nMinCol && m_nMaxRow == o.m_nMaxRow &&
               m_nMaxCol == o.m_nMaxCol;
    }
    bool operator!=(const CCellRange& o) const { return !(*this == o); }

private:
    int m_nMinRow;
    int m_nMinCol;
    int m_nMaxRow;
    int m_nMaxCol;
};

// Which fields of a GV_ITEM are meant.
constexpr UINT GRIDITEM_TEXT = 0x0001;
constexpr UINT GRIDITEM_IMAGE = 0x0002;
constexpr UINT GRIDITEM_PARAM = 0x0004;
constexpr UINT GRIDITEM_STATE = 0x0008;
constexpr UINT GRIDITEM_BACKCOLOUR = 0x0010;
constexpr UINT GRIDITEM_TEXTCOLOUR = 0x0020;
constexpr UINT GRIDITEM_FORMAT = 0x0040;
constexpr UINT GRIDITEM_FONT = 0x0080;
constexpr UINT GRIDITEM_MARGIN = 0x0100;

// State bits of a cell.
constexpr UINT GRIDSTATE_FOCUSED = 0x0001;
constexpr UINT GRIDSTATE_SELECTED = 0x0002;
constexpr UINT GRIDSTATE_DROPTARGET = 0x0004;
constexpr UINT GRIDSTATE_READONLY = 0x0008;
constexpr UINT GRIDSTATE_FIXED = 0x0010;
constexpr UINT GRIDSTATE_FIXEDROW = 0x0020;
constexpr UINT GRIDSTATE_FIXEDCOL = 0x0040;
constexpr UINT GRIDSTATE_MODIFIED = 0x0080;
// A double-width character: the left cell holds it and is drawn over both columns, the right
// cell is covered by it. The two marks always come in pairs on neighbouring cells of one row.
constexpr UINT GRIDSTATE_LEFTHALF = 0x0100;
constexpr UINT GRIDSTATE_RIGHTHALF = 0x0200;

// Grid lines (m_nLineStyle) and the scroll-bar bits of m_nScrollBarsShown.
constexpr int GRIDLINES_NONE = 0;
constexpr int GRIDLINES_HORZ = 1;
constexpr int GRIDLINES_VERT = 2;
constexpr int GRIDLINES_BOTH = 3;

// Automatic sizing: which rows are measured; 0 stands for the grid's own setting.
constexpr UINT GRIDSIZE_DEFAULT = 0;
constexpr UINT GRIDSIZE_HEADER = 1;
constexpr UINT GRIDSIZE_DATA = 2;
constexpr UINT GRIDSIZE_BOTH = 3;

// CLR_DEFAULT (0xFF000000), a colour that means "the default cell's colour", comes with the
// common controls.

// Notification codes (WM_NOTIFY to the owner, else the parent).
constexpr UINT GVN_SELCHANGING = UINT(-100);
constexpr UINT GVN_SELCHANGED = UINT(-101);
constexpr UINT GVN_BEGINDRAG = UINT(-109);
constexpr UINT GVN_ODCACHEHINT = UINT(-113);
constexpr UINT GVN_BEGINLABELEDIT = UINT(-175);
constexpr UINT GVN_ENDLABELEDIT = UINT(-176);
constexpr UINT GVN_GETDISPINFO = UINT(-177);

// Control id of an in-place editor window over a cell.
constexpr UINT IDC_INPLACE_CONTROL = 8;

// The data of one cell.
struct GV_ITEM {
    int row = 0;
    int col = 0;
    UINT mask = 0;
    UINT nState = 0;
    UINT nFormat = 0;
    int iImage = -1;
    COLORREF crBkClr = CLR_DEFAULT;
    COLORREF crFgClr = CLR_DEFAULT;
    LPARAM lParam = 0;
    LOGFONTW lfFont{};
    UINT nMargin = 0;
    CString strText;
};

struct GRID_DISPINFO {
    NMHDR hdr{};
    GV_ITEM item;
};

struct NM_GRIDCELL {
    NMHDR hdr{};
    int iRow = 0;
    int iColumn = 0;
};

struct GRID_CACHEHINT {
    NMHDR hdr{};
    CCellRange range;
};

using GRIDCELLSUPPLIER = BOOL (*)(GRID_DISPINFO*, LPARAM);
// Compares two cells (CGridCellBase pointers as LPARAM): below, at or above zero.
using PFNLVCOMPARE = int (*)(LPARAM, LPARAM, LPARAM);
