// The keyboard of the grid: moving the focus over double-width characters, extending the
// selection with Shift, the edit shortcuts, and the typed characters that edit the focus cell.
#include "controls/GridCtrl.h"

#include <algorithm>

namespace {

bool IsDown(int vk)
{
    return GetKeyState(vk) < 0;
}

} // namespace

int CGridCtrl::NextVisibleRow(int nRow, int nStep) const
{
    for (int row = nRow + nStep; row >= m_nFixedRowCount && row < m_nRowCount; row += nStep)
        if (GetRowHeight(row) > 0)
            return row;
    return -1;
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsDown(VK_CONTROL) && m_nMouseMode == GRIDMOUSE_NOTHING && nChar != VK_ESCAPE &&
        !(nChar == VK_TAB && m_bTabMovesFocus)) {
        m_bTypedEdit = TRUE;
        StartCellEdit(m_focusCell.row, m_focusCell.col, CPoint(-1, -1), nChar);
    }
}

LRESULT CGridCtrl::OnImeChar(WPARAM wParam, LPARAM)
{
    const UINT nChar = UINT(wParam);
    if (!IsDown(VK_CONTROL) && m_nMouseMode == GRIDMOUSE_NOTHING && nChar != VK_ESCAPE) {
        m_bTypedEdit = TRUE;
        StartCellEdit(m_focusCell.row, m_focusCell.col, CPoint(-1, -1), nChar);
    }
    return 0;
}

// Both edges of the column range are checked in every row between the anchor and end: the
// left edge moves left off right halves and the right edge right off left halves, until no
// character is cut (an anchor sitting on a right half is covered too).
void CGridCtrl::ExtendSelectionOverWideChars(CCellID& end)
{
    CCellID& anchor = m_selectionAnchor;
    if (!IsValid(anchor) || !IsValid(end))
        return;
    const int firstRow = std::min(anchor.row, end.row);
    const int lastRow = std::max(anchor.row, end.row);
    auto anyRow = [&](int col, UINT mark) {
        for (int row = firstRow; row <= lastRow; ++row)
            if (GetItemState(row, col) & mark)
                return true;
        return false;
    };
    const bool bEndRight = end.col >= anchor.col;
    int lo = std::min(anchor.col, end.col);
    int hi = std::max(anchor.col, end.col);
    for (bool bMoved = true; bMoved;) {
        bMoved = false;
        while (lo > 0 && anyRow(lo, GRIDSTATE_RIGHTHALF)) {
            --lo;
            bMoved = true;
        }
        while (hi < m_nColumnCount - 1 && anyRow(hi, GRIDSTATE_LEFTHALF)) {
            ++hi;
            bMoved = true;
        }
    }
    end.col = bEndRight ? hi : lo;
    anchor.col = bEndRight ? lo : hi;
}

void CGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_DELETE) {
        if (m_pFieldOwner && m_pFieldOwner->IsLiveDisplay())
            return;
        DeleteSelectedFields();
    }
    if (!IsValid(m_focusCell)) {
        CWnd::DefWindowProc(WM_KEYDOWN, nChar, MAKELONG(nRepCnt, nFlags));
        return;
    }
    const bool bCtrl = IsDown(VK_CONTROL);
    const bool bShift = IsDown(VK_SHIFT);
    if (bCtrl) {
        switch (nChar) {
        case 'C':
        case VK_INSERT:
            OnEditCopy();
            return;
        case 'X':
            OnEditCut();
            return;
        case 'V':
            OnEditPaste();
            return;
        case 'A':
            OnEditSelectAll();
            return;
        case VK_ADD:
            FitAllColumns();
            Refresh();
            return;
        default:
            break;
        }
    }
    if (bShift && nChar == VK_INSERT) {
        OnEditPaste();
        CWnd::DefWindowProc(WM_KEYDOWN, nChar, MAKELONG(nRepCnt, nFlags));
        return;
    }

    CCellID next = m_focusCell;
    bool bRowChanged = false;
    bool bPassOn = false;
    switch (nChar) {
    case VK_DELETE:
        CutSelectedText();
        break;
    case VK_DOWN:
    case VK_UP: {
        const int row = NextVisibleRow(next.row, nChar == VK_DOWN ? 1 : -1);
        if (row >= 0) {
            next.row = row;
            if (IsRightHalf(next.row, next.col) && next.col > 0)
                next.col--;
        }
        break;
    }
    case VK_RIGHT:
    case VK_TAB:
        if (nChar == VK_TAB && bShift)
            goto moveLeft;
        if (nChar == VK_TAB && m_bTabLeavesGrid) {
            if (CWnd* pParent = GetParent())
                pParent->SendMessage(WM_NEXTDLGCTL, 0, 0);
            return;
        }
        {
            int col = next.col + 1;
            if (col < m_nColumnCount && IsRightHalf(next.row, col))
                ++col;
            int row = next.row;
            if (nChar == VK_TAB && col >= m_nColumnCount) {
                const int below = NextVisibleRow(row, 1);
                if (below >= 0) {
                    row = below;
                    col = m_nFixedColumnCount;
                    bRowChanged = true;
                } else {
                    bPassOn = true;
                }
            }
            while (col < m_nColumnCount && GetColumnWidth(col) == 0)
                ++col;
            if (col < m_nColumnCount)
                next = CCellID(row, col);
            else if (bRowChanged)
                next = CCellID(row, m_nFixedColumnCount);
        }
        break;
    case VK_LEFT:
    case VK_BACK:
    moveLeft: {
        int col = next.col - 1;
        if (col >= m_nFixedColumnCount && IsRightHalf(next.row, col))
            --col;
        int row = next.row;
        if (nChar == VK_TAB && col < m_nFixedColumnCount) {
            const int above = NextVisibleRow(row, -1);
            if (above >= 0) {
                row = above;
                col = m_nColumnCount - 1;
                if (IsRightHalf(row, col))
                    --col;
                bRowChanged = true;
            } else {
                bPassOn = true;
            }
        }
        while (col >= m_nFixedColumnCount && GetColumnWidth(col) == 0)
            --col;
        if (col >= m_nFixedColumnCount)
            next = CCellID(row, col);
        break;
    }
    case VK_HOME:
        if (bCtrl) {
            SendMessage(WM_VSCROLL, SB_TOP, 0);
            next.row = m_nFixedRowCount;
        }
        SendMessage(WM_HSCROLL, SB_LEFT, 0);
        next.col = m_nFixedColumnCount;
        while (next.col < m_nColumnCount - 1 && GetColumnWidth(next.col) == 0)
            next.col++;
        while (next.row < m_nRowCount - 1 && GetRowHeight(next.row) == 0)
            next.row++;
        break;
    case VK_END:
        if (bCtrl) {
            SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
            next.row = m_nRowCount - 1;
        }
        SendMessage(WM_HSCROLL, SB_RIGHT, 0);
        next.col = m_nColumnCount - 1;
        if (IsRightHalf(next.row, next.col))
            next.col--;
        while (next.col > m_nFixedColumnCount && GetColumnWidth(next.col) == 0)
            next.col--;
        while (next.row > m_nFixedRowCount && GetRowHeight(next.row) == 0)
            next.row--;
        break;
    default:
        CWnd::DefWindowProc(WM_KEYDOWN, nChar, MAKELONG(nRepCnt, nFlags));
        return;
    }
    if (bPassOn)
        CWnd::DefWindowProc(WM_KEYDOWN, nChar, MAKELONG(nRepCnt, nFlags));

    // A left half in the second-to-last column is selected again by Right, though it stays.
    if (next == m_focusCell && !(IsLeftHalf(next.row, next.col) && next.col == m_nColumnCount - 2))
        return;

    if (m_nMouseMode == GRIDMOUSE_NOTHING) {
        const CCellID savedNext = next;
        m_mapPrevSelected.clear();
        m_nMouseMode = m_bWholeRowSelect ? GRIDMOUSE_SELECT_ROW : GRIDMOUSE_SELECT_CELLS;
        CCellID selEnd = next;
        const bool bArrow = nChar == VK_LEFT || nChar == VK_RIGHT || nChar == VK_UP || nChar == VK_DOWN;
        if (!bShift || nChar == VK_TAB || m_bTypedEdit) {
            m_selectionAnchor = next;
            if (IsLeftHalf(next.row, next.col))
                selEnd = CCellID(next.row, next.col + 1);
            m_bTypedEdit = FALSE;
        }
        const CCellID anchorBeforeHalves = m_selectionAnchor;
        if (bShift && bArrow && nChar != VK_TAB && selEnd == next)
            ExtendSelectionOverWideChars(selEnd);
        SendMessageToParent(selEnd.row, selEnd.col, int(GVN_SELCHANGING));
        if (m_bWholeRowSelect)
            SelectRowRange(selEnd, FALSE, TRUE);
        else
            SetSelectedRange(std::min(m_selectionAnchor.row, selEnd.row), std::min(m_selectionAnchor.col, selEnd.col),
                             std::max(m_selectionAnchor.row, selEnd.row), std::max(m_selectionAnchor.col, selEnd.col));
        SendMessageToParent(selEnd.row, selEnd.col, int(GVN_SELCHANGED));
        // The half adjustments only shape the selection; the anchor stays where the key put it.
        m_selectionAnchor = anchorBeforeHalves;
        next = savedNext;
        m_nMouseMode = GRIDMOUSE_NOTHING;
    }

    SetFocusCell(next);
    if (!IsCellVisible(next)) {
        switch (nChar) {
        case VK_RIGHT:
            SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
            break;
        case VK_LEFT:
        case VK_BACK:
            SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
            break;
        case VK_DOWN:
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
            break;
        case VK_UP:
            SendMessage(WM_VSCROLL, SB_LINEUP, 0);
            break;
        case VK_TAB:
            if (bRowChanged) {
                SendMessage(WM_VSCROLL, bShift ? SB_LINEUP : SB_LINEDOWN, 0);
                SendMessage(WM_HSCROLL, bShift ? SB_RIGHT : SB_LEFT, 0);
            } else {
                SendMessage(WM_HSCROLL, bShift ? SB_LINELEFT : SB_LINERIGHT, 0);
            }
            break;
        default:
            break;
        }
        EnsureVisible(next);
        Invalidate();
    }
    EnsureVisible(next);
}
