// Row heights and column widths, and fitting them to the contents or to the window.
#include "controls/GridCtrl.h"

#include "platform/ui/core/WndDC.h"

#include <algorithm>

int CGridCtrl::GetRowHeight(int nRow) const
{
    if (nRow < 0 || nRow >= m_nRowCount || nRow >= int(m_arRowHeight.size()))
        return -1;
    return int(m_arRowHeight[nRow]);
}

int CGridCtrl::GetColumnWidth(int nCol) const
{
    if (nCol < 0 || nCol >= m_nColumnCount || nCol >= int(m_arColumnSequence.size()))
        return -1;
    return int(m_arColumnWidth[m_arColumnSequence[nCol]]);
}

BOOL CGridCtrl::SetRowHeight(int nRow, int cy)
{
    if (cy < 0 || GetRowHeight(nRow) < 0)
        return FALSE;
    m_arRowHeight[nRow] = UINT(cy);
    UpdateScrollBars();
    return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int nCol, int cx)
{
    if (cx < 0 || GetColumnWidth(nCol) < 0)
        return FALSE;
    m_arColumnWidth[m_arColumnSequence[nCol]] = UINT(cx);
    UpdateScrollBars();
    return TRUE;
}

int CGridCtrl::GetHeaderRowsHeight() const
{
    int sum = 0;
    for (int row = 0; row < m_nFixedRowCount; ++row)
        sum += GetRowHeight(row);
    return sum;
}

int CGridCtrl::GetHeaderColumnsWidth() const
{
    int sum = 0;
    for (int col = 0; col < m_nFixedColumnCount; ++col)
        sum += GetColumnWidth(col);
    return sum;
}

int CGridCtrl::GetTotalHeight() const
{
    int sum = 0;
    for (int row = 0; row < m_nRowCount; ++row)
        sum += GetRowHeight(row);
    return sum;
}

int CGridCtrl::GetTotalWidth() const
{
    int sum = 0;
    for (int col = 0; col < m_nColumnCount; ++col)
        sum += GetColumnWidth(col);
    return sum;
}

namespace {

// The rows that automatic sizing measures for a style.
void MeasuredRows(UINT nStyle, int nFixedRows, int nRows, int* pFirst, int* pLast)
{
    *pFirst = (nStyle & GRIDSIZE_HEADER) ? 0 : nFixedRows;
    *pLast = (nStyle & GRIDSIZE_DATA) ? nRows - 1 : nFixedRows - 1;
}

} // namespace

BOOL CGridCtrl::FitColumn(int nCol, UINT nAutoSizeStyle, BOOL bResetScroll)
{
    if (GetColumnWidth(nCol) <= 0 || !GetSafeHwnd())
        return FALSE;
    CClientDC dc(this);
    if (!dc.GetSafeHdc())
        return FALSE;
    const UINT nStyle = nAutoSizeStyle ? nAutoSizeStyle : m_nAutoSizeStyle;
    int first = 0, last = 0;
    MeasuredRows(nStyle, m_nFixedRowCount, m_nRowCount, &first, &last);
    if (m_bVirtual)
        SendCacheHintToParent(CCellRange(first, nCol, last, nCol));
    int width = 0;
    for (int row = first; row <= last; ++row)
        if (CGridCellBase* pCell = GetCell(row, nCol))
            width = std::max(width, int(pCell->GetCellExtent(&dc).cx));
    if (m_bVirtual)
        SendCacheHintToParent(CCellRange(-1, -1, -1, -1));
    m_arColumnWidth[m_arColumnSequence[nCol]] = UINT(width);
    if (bResetScroll)
        UpdateScrollBars();
    return TRUE;
}

void CGridCtrl::FitAllColumns(UINT nAutoSizeStyle)
{
    for (int col = 0; col < m_nColumnCount; ++col)
        if (GetColumnWidth(col) > 0)
            FitColumn(col, nAutoSizeStyle, FALSE);
    UpdateScrollBars();
}

void CGridCtrl::AutoSize(UINT nAutoSizeStyle)
{
    if (!GetSafeHwnd())
        return;
    CClientDC dc(this);
    if (!dc.GetSafeHdc())
        return;
    const UINT nStyle = nAutoSizeStyle ? nAutoSizeStyle : m_nAutoSizeStyle;
    int first = 0, last = 0;
    MeasuredRows(nStyle, m_nFixedRowCount, m_nRowCount, &first, &last);
    if (m_bVirtual)
        SendCacheHintToParent(CCellRange(first, 0, last, m_nColumnCount));
    for (int row = first; row <= last; ++row)
        if (m_arRowHeight[row] > 0)
            m_arRowHeight[row] = 1;
    for (int col = 0; col < m_nColumnCount; ++col) {
        if (GetColumnWidth(col) <= 0)
            continue;
        UINT& width = m_arColumnWidth[m_arColumnSequence[col]];
        width = 0;
        for (int row = first; row <= last; ++row) {
            if (m_arRowHeight[row] == 0)
                continue;
            if (CGridCellBase* pCell = GetCell(row, col)) {
                const CSize size = pCell->GetCellExtent(&dc);
                width = std::max(width, UINT(std::max(0L, long(size.cx))));
                m_arRowHeight[row] = std::max(m_arRowHeight[row], UINT(std::max(0L, long(size.cy))));
            }
        }
    }
    if (m_bVirtual)
        SendCacheHintToParent(CCellRange(-1, -1, -1, -1));
    UpdateScrollBars();
    Refresh();
}

namespace {

// Spreads difference over the sizes of the affected entries (size above 0): each gets the
// integer share, and the first |difference mod count| of them one pixel more or less.
void Stretch(std::vector<UINT*>& sizes, int difference)
{
    const int count = int(sizes.size());
    if (count == 0)
        return;
    const int share = difference / count;
    for (UINT* p : sizes)
        *p = UINT(std::max(0, int(*p) + share));
    int remainder = difference % count;
    const int step = remainder > 0 ? 1 : -1;
    for (int i = 0; i < count && remainder != 0; ++i) {
        *sizes[i] = UINT(std::max(0, int(*sizes[i]) + step));
        remainder -= step;
    }
}

} // namespace

void CGridCtrl::StretchColumns(BOOL bExpandFixed)
{
    if (bExpandFixed ? m_nColumnCount <= 0 : m_nColumnCount <= m_nFixedColumnCount)
        return;
    EnableScrollBars(SB_HORZ, FALSE);
    std::vector<UINT*> affected;
    for (int col = bExpandFixed ? 0 : m_nFixedColumnCount; col < m_nColumnCount; ++col)
        if (GetColumnWidth(col) != 0)
            affected.push_back(&m_arColumnWidth[m_arColumnSequence[col]]);
    if (affected.empty())
        return;
    CRect client;
    GetClientRect(&client);
    Stretch(affected, client.Width() - GetTotalWidth());
    Refresh();
    UpdateScrollBars();
}

void CGridCtrl::StretchRows(BOOL bExpandFixed)
{
    if (bExpandFixed ? m_nRowCount <= 0 : m_nRowCount <= m_nFixedRowCount)
        return;
    EnableScrollBars(SB_VERT, FALSE);
    std::vector<UINT*> affected;
    for (int row = bExpandFixed ? 0 : m_nFixedRowCount; row < m_nRowCount; ++row)
        if (m_arRowHeight[row] != 0)
            affected.push_back(&m_arRowHeight[row]);
    if (affected.empty())
        return;
    CRect client;
    GetClientRect(&client);
    Stretch(affected, client.Height() - GetTotalHeight());
    Refresh();
    UpdateScrollBars();
}

void CGridCtrl::ExpandToFit(BOOL bExpandFixed)
{
    StretchColumns(bExpandFixed);
    StretchRows(bExpandFixed);
    StretchColumns(bExpandFixed);
    Refresh();
}
