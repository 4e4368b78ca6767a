// The focus cell, the selection and the geometry that maps cells to client pixels and back.
#include "controls/GridCtrl.h"

#include "platform/ui/core/WndDC.h"

#include <algorithm>

CCellID CGridCtrl::SetFocusCell(int nRow, int nCol)
{
    return SetFocusCell(CCellID(nRow, nCol));
}

CCellID CGridCtrl::SetFocusCell(CCellID cell)
{
    if (cell == m_focusCell)
        return m_focusCell;
    const CCellID prev = m_focusCell;
    if (cell.row != -1 && cell.row < m_nFixedRowCount)
        cell.row = m_nFixedRowCount;
    if (cell.col != -1 && cell.col < m_nFixedColumnCount)
        cell.col = m_nFixedColumnCount;
    m_focusCell = cell;

    auto redrawHeaders = [&](const CCellID& id, const CCellID& other) {
        if (!m_bSinkFocusHeaders)
            return;
        if (id.col != other.col)
            for (int row = 0; row < m_nFixedRowCount; ++row)
                RedrawCell(row, id.col);
        if (id.row != other.row)
            for (int col = 0; col < m_nFixedColumnCount; ++col)
                RedrawCell(id.row, col);
    };
    if (IsValid(prev)) {
        if (!m_bVirtual)
            SetItemState(prev.row, prev.col, GetItemState(prev.row, prev.col) & ~GRIDSTATE_FOCUSED);
        RedrawCell(prev);
        redrawHeaders(prev, m_focusCell);
    }
    if (IsValid(m_focusCell)) {
        if (!m_bVirtual)
            SetItemState(m_focusCell.row, m_focusCell.col,
                         GetItemState(m_focusCell.row, m_focusCell.col) | GRIDSTATE_FOCUSED);
        RedrawCell(m_focusCell);
        redrawHeaders(m_focusCell, prev);
    }
    return prev;
}

void CGridCtrl::SetSelectedRange(const CCellRange& range, BOOL bForceRepaint, BOOL bSelectCells)
{
    SetSelectedRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(), bForceRepaint,
                     bSelectCells);
}

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint,
                                 BOOL bSelectCells)
{
    if (!m_bSelectionEnabled)
        return;
    CDC* pDC = (bForceRepaint && GetSafeHwnd()) ? GetDC() : nullptr;
    CCellRange visible, visibleFixed;
    if (GetSafeHwnd()) {
        visible = GetVisibleScrollableRange();
        visibleFixed = GetVisibleHeaderRange();
    }
    auto repaint = [&](int row, int col) {
        if (!GetSafeHwnd() || !(visible.InRange(row, col) || visibleFixed.InRange(row, col)))
            return;
        if (pDC)
            RedrawCell(row, col, pDC);
        else
            InvalidateCell(row, col);
    };

    const int firstSelectableCol = m_bRangeFromFixedColumn ? 0 : m_nFixedColumnCount;
    auto clampRow = [&](int& row) {
        if (row >= 0 && row < m_nFixedRowCount)
            row = m_nFixedRowCount;
    };
    auto clampCol = [&](int& col) {
        if (col >= 0 && col < firstSelectableCol)
            col = m_nFixedColumnCount;
    };
    clampRow(nMinRow);
    clampRow(nMaxRow);
    clampCol(nMinCol);
    clampCol(nMaxCol);
    const CCellRange newRange(nMinRow, nMinCol, nMaxRow, nMaxCol);
    const BOOL bAllSet = nMinRow >= 0 && nMinCol >= 0 && nMaxRow >= 0 && nMaxCol >= 0;

    if (bSelectCells) {
        const auto selected = m_mapSelected;
        for (const auto& [key, cell] : selected) {
            if (IsValid(cell)) {
                SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GRIDSTATE_SELECTED);
                m_mapSelected.erase(key);
                if (!newRange.InRange(cell))
                    repaint(cell.row, cell.col);
            } else {
                m_mapSelected.erase(key);
            }
        }
        if (!(m_bWholeRowSelect && m_bOneRowSelection) && bAllSet)
            for (const auto& [key, cell] : m_mapPrevSelected)
                if (IsValid(cell)) {
                    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GRIDSTATE_SELECTED);
                    repaint(cell.row, cell.col);
                }
    }
    if (bAllSet && nMaxRow < m_nRowCount && nMaxCol < m_nColumnCount && nMinRow <= nMaxRow && nMinCol <= nMaxCol)
        for (int row = nMinRow; row <= nMaxRow; ++row)
            for (int col = nMinCol; col <= nMaxCol; ++col) {
                const BOOL bSelected = IsCellSelected(row, col);
                if (bSelected == bSelectCells)
                    continue;
                const UINT state = GetItemState(row, col);
                SetItemState(row, col, bSelectCells ? state | GRIDSTATE_SELECTED : state & ~GRIDSTATE_SELECTED);
                repaint(row, col);
            }
    if (pDC)
        ReleaseDC(pDC);
}

void CGridCtrl::ResetSelectedRange()
{
    m_mapPrevSelected.clear();
    SetSelectedRange(-1, -1, -1, -1, FALSE, TRUE);
    SetFocusCell(-1, -1);
}

CCellRange CGridCtrl::GetSelectionBounds() const
{
    CCellRange range(m_nRowCount, m_nColumnCount, -1, -1);
    for (const auto& [key, cell] : m_mapSelected) {
        range.SetMinRow(std::min(range.GetMinRow(), cell.row));
        range.SetMinCol(std::min(range.GetMinCol(), cell.col));
        range.SetMaxRow(std::max(range.GetMaxRow(), cell.row));
        range.SetMaxCol(std::max(range.GetMaxCol(), cell.col));
    }
    return range;
}

void CGridCtrl::SelectEveryCell()
{
    if (m_bSelectionEnabled)
        SetSelectedRange(m_nFixedRowCount, m_nFixedColumnCount, m_nRowCount - 1, m_nColumnCount - 1, FALSE, TRUE);
}

void CGridCtrl::SelectColumnRange(CCellID cell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!m_bSelectionEnabled || !IsValid(cell) || cell.col < m_nFixedColumnCount)
        return;
    const int first = m_bOneColumnSelection ? cell.col : std::min(m_selectionAnchor.col, cell.col);
    const int last = m_bOneColumnSelection ? cell.col : std::max(m_selectionAnchor.col, cell.col);
    SetSelectedRange(m_nFixedRowCount, first, m_nRowCount - 1, last, bForceRedraw, bSelectCells);
}

void CGridCtrl::SelectRowRange(CCellID cell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!m_bSelectionEnabled || !IsValid(cell) || cell.row < m_nFixedRowCount)
        return;
    const BOOL bOne = m_bWholeRowSelect && m_bOneRowSelection;
    const int first = bOne ? cell.row : std::min(m_selectionAnchor.row, cell.row);
    const int last = bOne ? cell.row : std::max(m_selectionAnchor.row, cell.row);
    SetSelectedRange(first, m_bRangeFromFixedColumn ? 0 : m_nFixedColumnCount, last, m_nColumnCount - 1,
                     bForceRedraw, bSelectCells);
}

void CGridCtrl::SelectCellRange(CCellID cell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!m_bSelectionEnabled || !IsValid(cell) || cell.row < m_nFixedRowCount || cell.col < m_nFixedColumnCount)
        return;
    SetSelectedRange(std::min(m_selectionAnchor.row, cell.row), std::min(m_selectionAnchor.col, cell.col),
                     std::max(m_selectionAnchor.row, cell.row), std::max(m_selectionAnchor.col, cell.col),
                     bForceRedraw, bSelectCells);
}

void CGridCtrl::ExtendSelectionTo(const CCellID& cell)
{
    if (!m_bSelectionEnabled)
        return;
    switch (m_nMouseMode) {
    case GRIDMOUSE_SELECT_ALL:
        SelectEveryCell();
        break;
    case GRIDMOUSE_SELECT_COL:
        SelectColumnRange(cell, FALSE, TRUE);
        break;
    case GRIDMOUSE_SELECT_ROW:
        SelectRowRange(cell, FALSE, TRUE);
        break;
    case GRIDMOUSE_SELECT_CELLS:
        SelectCellRange(cell, FALSE, TRUE);
        break;
    default:
        break;
    }
}

BOOL CGridCtrl::IsCellSelected(int nRow, int nCol) const
{
    if (!m_bSelectionEnabled)
        return FALSE;
    if (m_bVirtual)
        return m_mapSelected.count(CellKey(nRow, nCol)) != 0;
    return (GetItemState(nRow, nCol) & GRIDSTATE_SELECTED) != 0;
}

BOOL CGridCtrl::IsCellEditable(int nRow, int nCol) const
{
    return m_bEditingAllowed && IsValid(nRow, nCol) && !(GetItemState(nRow, nCol) & GRIDSTATE_READONLY);
}

// ---- geometry ----

CCellID CGridCtrl::GetFirstVisibleCell(BOOL bForceRecalculation)
{
    if (!bForceRecalculation && m_firstVisibleCell.row >= 0 && m_firstVisibleCell.col >= 0)
        return m_firstVisibleCell;
    const int hPos = GetScrollOffset(SB_HORZ);
    const int vPos = GetScrollOffset(SB_VERT);
    int col = m_nFixedColumnCount;
    for (int x = 0; x < hPos && col < m_nColumnCount - 1; ++col)
        x += GetColumnWidth(col);
    int row = m_nFixedRowCount;
    for (int y = 0; y < vPos && row < m_nRowCount - 1; ++row)
        y += GetRowHeight(row);
    m_firstVisibleCell = CCellID(row, col);
    return m_firstVisibleCell;
}

CCellRange CGridCtrl::GetVisibleScrollableRange(LPRECT pRect, BOOL bForceRecalculation)
{
    CRect client;
    GetClientRect(&client);
    const CCellID topLeft = GetFirstVisibleCell(bForceRecalculation);
    int bottom = GetHeaderRowsHeight();
    int row = topLeft.row;
    for (; row < m_nRowCount; ++row) {
        bottom += GetRowHeight(row);
        if (bottom >= client.bottom) {
            bottom = client.bottom;
            break;
        }
    }
    const int maxRow = std::min(row, m_nRowCount - 1);
    int right = GetHeaderColumnsWidth();
    int col = topLeft.col;
    for (; col < m_nColumnCount; ++col) {
        right += GetColumnWidth(col);
        if (right >= client.right) {
            right = client.right;
            break;
        }
    }
    const int maxCol = std::min(col, m_nColumnCount - 1);
    if (pRect)
        *pRect = CRect(0, 0, right, bottom);
    return CCellRange(topLeft.row, topLeft.col, maxRow, maxCol);
}

CCellRange CGridCtrl::GetVisibleHeaderRange(LPRECT pRect, BOOL bForceRecalculation)
{
    CRect client;
    GetClientRect(&client);
    const CCellRange visible = GetVisibleScrollableRange(nullptr, bForceRecalculation);
    int right = 0;
    int col = 0;
    for (; col < m_nFixedColumnCount; ++col) {
        right += GetColumnWidth(col);
        if (right >= client.right) {
            right = client.right;
            break;
        }
    }
    int bottom = GetHeaderRowsHeight();
    for (int row = visible.GetMinRow(); row >= 0 && row <= visible.GetMaxRow(); ++row)
        bottom += GetRowHeight(row);
    if (pRect)
        *pRect = CRect(0, 0, right, std::min(bottom, int(client.bottom)));
    return CCellRange(visible.GetMinRow(), 0, visible.GetMaxRow(), std::min(col, m_nFixedColumnCount - 1));
}

CCellID CGridCtrl::GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck)
{
    const CCellID topLeft = GetFirstVisibleCell();
    if (!bAllowFixedCellCheck && !IsValid(topLeft))
        return CCellID(-1, -1);

    auto locate = [](int v, int fixedCount, int fixedSize, int first, int count, BOOL bFixedCheck,
                     auto sizeOf) -> int {
        if (v < 0)
            return -1;
        if (bFixedCheck && v < fixedSize) {
            int sum = 0;
            for (int i = 0; i < fixedCount; ++i) {
                sum += sizeOf(i);
                if (sum > v)
                    return i;
            }
            return -1;
        }
        if (v < fixedSize || first < 0 || first >= count)
            return -1;
        int sum = fixedSize;
        for (int i = first; i < count; ++i) {
            sum += sizeOf(i);
            if (sum > v)
                return i;
        }
        return -1;
    };
    const int col = locate(point.x, m_nFixedColumnCount, GetHeaderColumnsWidth(), topLeft.col, m_nColumnCount,
                           bAllowFixedCellCheck, [this](int i) { return GetColumnWidth(i); });
    const int row = locate(point.y, m_nFixedRowCount, GetHeaderRowsHeight(), topLeft.row, m_nRowCount,
                           bAllowFixedCellCheck, [this](int i) { return GetRowHeight(i); });
    return CCellID(row, col);
}

BOOL CGridCtrl::GetCellTopLeft(int nRow, int nCol, LPPOINT p)
{
    if (!IsValid(nRow, nCol))
        return FALSE;
    const CCellID topLeft = (nRow >= m_nFixedRowCount || nCol >= m_nFixedColumnCount) ? GetFirstVisibleCell()
                                                                                      : CCellID(0, 0);
    if ((nRow >= m_nFixedRowCount && nRow < topLeft.row) || (nCol >= m_nFixedColumnCount && nCol < topLeft.col))
        return FALSE;
    int x = 0;
    if (nCol < m_nFixedColumnCount) {
        for (int col = 0; col < nCol; ++col)
            x += GetColumnWidth(col);
    } else {
        x = GetHeaderColumnsWidth();
        for (int col = topLeft.col; col < nCol; ++col)
            x += GetColumnWidth(col);
    }
    int y = 0;
    if (nRow < m_nFixedRowCount) {
        for (int row = 0; row < nRow; ++row)
            y += GetRowHeight(row);
    } else {
        y = GetHeaderRowsHeight();
        for (int row = topLeft.row; row < nRow; ++row)
            y += GetRowHeight(row);
    }
    p->x = x;
    p->y = y;
    return TRUE;
}

BOOL CGridCtrl::GetCellRect(int nRow, int nCol, LPRECT pRect)
{
    CPoint origin;
    if (!GetCellTopLeft(nRow, nCol, &origin))
        return FALSE;
    pRect->left = origin.x;
    pRect->top = origin.y;
    pRect->right = origin.x + GetColumnWidth(nCol) - 1;
    pRect->bottom = origin.y + GetRowHeight(nRow) - 1;
    return TRUE;
}

BOOL CGridCtrl::GetCellRangeRect(const CCellRange& range, LPRECT pRect)
{
    CPoint minOrigin, maxOrigin;
    if (!GetCellTopLeft(range.GetMinRow(), range.GetMinCol(), &minOrigin) ||
        !GetCellTopLeft(range.GetMaxRow(), range.GetMaxCol(), &maxOrigin))
        return FALSE;
    pRect->left = minOrigin.x;
    pRect->top = minOrigin.y;
    pRect->right = maxOrigin.x + GetColumnWidth(range.GetMaxCol()) - 1;
    pRect->bottom = maxOrigin.y + GetRowHeight(range.GetMaxRow()) - 1;
    return TRUE;
}

CPoint CGridCtrl::GetCellClickPoint(int nRow, int nCol, const CPoint& point)
{
    CPoint origin;
    if (!GetCellTopLeft(nRow, nCol, &origin))
        return CPoint(0, 0);
    return CPoint(point.x - origin.x, point.y - origin.y);
}

BOOL CGridCtrl::IsCellVisible(int nRow, int nCol)
{
    if (!GetSafeHwnd() || !IsValid(nRow, nCol))
        return FALSE;
    const CCellID topLeft = GetFirstVisibleCell();
    if ((nRow >= m_nFixedRowCount && nRow < topLeft.row) || (nCol >= m_nFixedColumnCount && nCol < topLeft.col))
        return FALSE;
    CRect client;
    GetClientRect(&client);
    if (nCol < m_nFixedColumnCount) {
        int x = 0;
        for (int col = 0; col <= nCol; ++col) {
            if (x >= client.right)
                return FALSE;
            x += GetColumnWidth(col);
        }
    } else {
        int x = GetHeaderColumnsWidth();
        for (int col = topLeft.col; col <= nCol; ++col) {
            if (x >= client.right)
                return FALSE;
            x += GetColumnWidth(col);
        }
    }
    if (nRow < m_nFixedRowCount) {
        int y = 0;
        for (int row = 0; row <= nRow; ++row) {
            if (y >= client.bottom)
                return FALSE;
            y += GetRowHeight(row);
        }
    } else {
        int y = GetHeaderRowsHeight();
        for (int row = topLeft.row; row <= nRow; ++row) {
            if (y >= client.bottom)
                return FALSE;
            y += GetRowHeight(row);
        }
    }
    return TRUE;
}

void CGridCtrl::EnsureVisible(int nRow, int nCol)
{
    if (!m_bRedraw || !GetSafeHwnd() || !IsValid(nRow, nCol))
        return;
    CWnd* pFocus = GetFocus();
    auto restoreFocus = [&] {
        if (pFocus && pFocus->GetSafeHwnd())
            pFocus->SetFocus();
    };
    const CCellRange visible = GetVisibleScrollableRange();
    if (nCol >= m_nFixedColumnCount) {
        for (int col = visible.GetMaxCol() + 1; col <= nCol; ++col)
            if (GetColumnWidth(col) > 0)
                SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
        for (int col = visible.GetMinCol() - 1; col >= nCol; --col)
            SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
    }
    if (nRow >= m_nFixedRowCount) {
        for (int row = visible.GetMaxRow() + 1; row <= nRow; ++row)
            if (GetRowHeight(row) > 0)
                SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        for (int row = visible.GetMinRow() - 1; row >= nRow; --row)
            SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    }
    CRect rect, client;
    GetClientRect(&client);
    if (!GetCellRect(nRow, nCol, &rect)) {
        restoreFocus();
        return;
    }
    // Bounded by the column count so that a bar that cannot scroll further ends the loop.
    for (int guard = 0; rect.right > client.right && rect.left > GetHeaderColumnsWidth() &&
                        (m_nScrollBarsShown & GRIDLINES_HORZ) && guard < m_nColumnCount;
         ++guard) {
        const int before = GetScrollOffset(SB_HORZ);
        SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
        if (!GetCellRect(nRow, nCol, &rect)) {
            restoreFocus();
            return;
        }
        if (GetScrollOffset(SB_HORZ) == before)
            break;
    }
    for (int guard = 0; rect.bottom > client.bottom && rect.top > GetHeaderRowsHeight() &&
                        (m_nScrollBarsShown & GRIDLINES_VERT) && guard < m_nRowCount;
         ++guard) {
        const int before = GetScrollOffset(SB_VERT);
        SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        if (!GetCellRect(nRow, nCol, &rect))
            break;
        if (GetScrollOffset(SB_VERT) == before)
            break;
    }
    restoreFocus();
}

BOOL CGridCtrl::InvalidateCell(int nRow, int nCol)
{
    if (!GetSafeHwnd() || !m_bRedraw || !IsValid(nRow, nCol) || !IsCellVisible(nRow, nCol))
        return FALSE;
    CRect rect;
    if (!GetCellRect(nRow, nCol, &rect))
        return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(&rect, TRUE);
    return TRUE;
}
