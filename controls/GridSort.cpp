// Sorting the rows, and the row order of virtual mode.
#include "controls/GridCtrl.h"

#include <algorithm>
#include <cwchar>
#include <cstdlib>

int CGridCtrl::CompareCellTexts(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    auto* a = reinterpret_cast<CGridCellBase*>(lParam1);
    auto* b = reinterpret_cast<CGridCellBase*>(lParam2);
    if (!a || !b)
        return 0;
    return wcscmp(a->GetText(), b->GetText());
}

int CGridCtrl::CompareCellNumbers(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    auto* a = reinterpret_cast<CGridCellBase*>(lParam1);
    auto* b = reinterpret_cast<CGridCellBase*>(lParam2);
    if (!a || !b)
        return 0;
    const long na = wcstol(a->GetText(), nullptr, 10);
    const long nb = wcstol(b->GetText(), nullptr, 10);
    return na < nb ? -1 : (na > nb ? 1 : 0);
}

void CGridCtrl::SetSortColumn(int nCol)
{
    if (m_nSortCol >= 0)
        InvalidateCell(0, m_nSortCol);
    m_nSortCol = nCol;
    if (nCol >= 0)
        InvalidateCell(0, nCol);
}

BOOL CGridCtrl::SortItems(int nCol, BOOL bAscending, LPARAM data)
{
    return SortItems(m_pfnSortCompare ? m_pfnSortCompare : CompareCellTexts, nCol, bAscending, data);
}

BOOL CGridCtrl::SortItems(PFNLVCOMPARE pfn, int nCol, BOOL bAscending, LPARAM data)
{
    SetSortColumn(nCol);
    m_bSortAscending = bAscending;
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    if (nCol < 0 || nCol >= m_nColumnCount)
        return FALSE;
    if (m_bVirtual)
        SortVirtualRows(nCol, bAscending);
    else
        QuickSortRows(pfn, nCol, bAscending, data, m_nFixedRowCount, m_nRowCount - 1);
    Refresh();
    return TRUE;
}

void CGridCtrl::SwapRows(int a, int b)
{
    std::swap(m_rows[a], m_rows[b]);
    std::swap(m_arRowHeight[a], m_arRowHeight[b]);
}

void CGridCtrl::QuickSortRows(PFNLVCOMPARE pfn, int nCol, BOOL bAscending, LPARAM data, int low, int high)
{
    if (high <= low)
        return;
    auto cmp = [&](int ra, CGridCellBase* b) {
        const int r = pfn(LPARAM(GetCell(ra, nCol)), LPARAM(b), data);
        return bAscending ? r : -r;
    };
    CGridCellBase* pivot = GetCell((low + high) / 2, nCol);
    int lo = low, hi = high;
    while (lo <= hi) {
        while (lo < high && cmp(lo, pivot) < 0)
            ++lo;
        while (hi > low && cmp(hi, pivot) > 0)
            --hi;
        if (lo <= hi) {
            if (pfn(LPARAM(GetCell(lo, nCol)), LPARAM(GetCell(hi, nCol)), data) != 0) {
                // The pivot moves with its row, so it is followed by pointer.
                SwapRows(lo, hi);
            }
            ++lo;
            --hi;
        }
    }
    if (low < hi)
        QuickSortRows(pfn, nCol, bAscending, data, low, hi);
    if (lo < high)
        QuickSortRows(pfn, nCol, bAscending, data, lo, high);
}

namespace {
CGridCtrl* s_pSortingGrid = nullptr;  // the grid sorting in virtual mode, for its compare function
}

void CGridCtrl::SortVirtualRows(int nCol, BOOL bAscending)
{
    if (!m_pfnVirtualSortCompare || m_nFixedRowCount >= int(m_arRowSequence.size()))
        return;
    m_nVirtualSortCol = m_arColumnSequence[nCol];
    s_pSortingGrid = this;
    auto pfn = m_pfnVirtualSortCompare;
    auto first = m_arRowSequence.begin() + m_nFixedRowCount;
    if (bAscending)
        std::stable_sort(first, m_arRowSequence.end(), [pfn](int a, int b) { return pfn(a, b); });
    else
        std::stable_sort(first, m_arRowSequence.end(), [pfn](int a, int b) { return pfn(b, a); });
    s_pSortingGrid = nullptr;
}

void CGridCtrl::ResizeVirtualRowSequence(int nIndex, int nDelta)
{
    if (!m_bVirtual)
        return;
    const int count = std::min(m_nRowCount, int(m_arRowSequence.size()));
    for (int i = 0; i < count; ++i)
        if (m_arRowSequence[i] > nIndex)
            m_arRowSequence[i] += nDelta;
    if (nDelta <= 0) {
        if (nIndex >= 0 && nIndex < int(m_arRowSequence.size()))
            m_arRowSequence.erase(m_arRowSequence.begin() + nIndex);
    } else if (nIndex >= 0 && nIndex <= int(m_arRowSequence.size())) {
        m_arRowSequence.insert(m_arRowSequence.begin() + nIndex, nIndex);
    }
}
