// The mouse of the grid: selecting cells, resizing rows and columns, clicks on header cells,
// starting and ending the edit of a cell, and dragging cells as text.
#include "controls/GridCtrl.h"

#include "platform/ui/core/WndDC.h"

#include <algorithm>

namespace {

constexpr UINT_PTR kAutoScrollTimer = 0x201;

// The inverted band that follows the pointer while a row or column is sized.
void InvertBand(CWnd* pWnd, const CRect& band)
{
    CDC* pDC = pWnd->GetDC();
    if (!pDC)
        return;
    pDC->PatBlt(band.left, band.top, band.Width(), band.Height(), DSTINVERT);
    pWnd->ReleaseDC(pDC);
}

} // namespace

BOOL CGridCtrl::IsOnColumnDivider(CPoint point) { return IsOnDivider(point, TRUE); }

BOOL CGridCtrl::IsOnRowDivider(CPoint point) { return IsOnDivider(point, FALSE); }

BOOL CGridCtrl::IsOnDivider(CPoint point, BOOL bColumn)
{
    // Within the heading row for a column, the heading column for a row.
    const int across = bColumn ? point.y : point.x;
    if (across >= (bColumn ? GetHeaderRowsHeight() : GetHeaderColumnsWidth()) || across < 0)
        return FALSE;
    const CCellID cell = GetCellFromPt(point);
    if (!IsValid(cell))
        return FALSE;
    CPoint origin;
    if (!GetCellTopLeft(cell, &origin))
        return FALSE;
    const int at = bColumn ? point.x : point.y;
    const int start = bColumn ? origin.x : origin.y;
    const int end = start + (bColumn ? GetColumnWidth(cell.col) : GetRowHeight(cell.row));
    const int index = bColumn ? cell.col : cell.row;
    return (index > 0 && at - start < m_nDividerGrabRange) || (end - at <= m_nDividerGrabRange);
}

// A press never splits a double-width character: the clicked cell and the anchor move so that
// the range covers the whole character.
void CGridCtrl::AdjustPressForHalves(BOOL bShift)
{
    CCellID& clicked = m_cellLastPress;
    if (!bShift) {
        m_selectionAnchor = clicked;
        if (IsRightHalf(clicked.row, clicked.col) && clicked.col > 0) {
            clicked.col--;
        } else if (IsLeftHalf(clicked.row, clicked.col)) {
            m_selectionAnchor.col++;
        }
        return;
    }
    if (!IsValid(m_selectionAnchor)) {
        m_selectionAnchor = m_focusCell;
        return;
    }
    CCellID& anchor = m_selectionAnchor;
    if (IsRightHalf(anchor.row, anchor.col) && anchor.col <= clicked.col && anchor.col > 0)
        anchor.col--;
    else if (IsLeftHalf(anchor.row, anchor.col) && anchor.col >= clicked.col)
        anchor.col++;
    if (IsRightHalf(clicked.row, clicked.col) && clicked.col <= anchor.col && clicked.col > 0)
        clicked.col--;
    else if (IsLeftHalf(clicked.row, clicked.col) && clicked.col >= anchor.col)
        clicked.col++;
}

void CGridCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    SelectFieldAt(point);

    SetFocus();
    m_ptLastPress = point;
    m_bLMouseButtonDown = TRUE;
    m_cellLastPress = GetCellFromPt(point, TRUE);
    if (!IsValid(m_cellLastPress))
        return;
    m_nDraggedRow = m_cellLastPress.row;
    const BOOL bShift = (nFlags & MK_SHIFT) != 0;
    const BOOL bCtrl = (nFlags & MK_CONTROL) != 0;
    AdjustPressForHalves(bShift);
    if (CGridCellBase* pCell = GetCell(m_cellLastPress.row, m_cellLastPress.col))
        pCell->OnClickDown(GetCellClickPoint(m_cellLastPress.row, m_cellLastPress.col, point));

    const BOOL bFixed = m_cellLastPress.row < m_nFixedRowCount || m_cellLastPress.col < m_nFixedColumnCount;
    if (IsCellSelected(m_cellLastPress)) {
        SetFocusCell(m_cellLastPress);
        if (bCtrl) {
            SetFocusCell(m_cellLastPress);
            if (m_bWholeRowSelect)
                SelectRowRange(m_cellLastPress, FALSE, FALSE);
            else
                SelectCellRange(m_cellLastPress, FALSE, FALSE);
            return;
        }
        if (m_bDragDropEnabled)
            m_nMouseMode = GRIDMOUSE_PREPARE_DRAG;
    } else if (m_nMouseMode != GRIDMOUSE_OVER_COL_DIVIDE && m_nMouseMode != GRIDMOUSE_OVER_ROW_DIVIDE) {
        SetFocusCell(bFixed ? CCellID(-1, -1) : m_cellLastPress);
    }

    SetCapture();
    if (m_nMouseMode == GRIDMOUSE_NOTHING) {
        if (m_bColumnResizeEnabled && IsOnColumnDivider(point)) {
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
            m_nMouseMode = GRIDMOUSE_OVER_COL_DIVIDE;
        } else if (m_bRowResizeEnabled && IsOnRowDivider(point)) {
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZENS));
            m_nMouseMode = GRIDMOUSE_OVER_ROW_DIVIDE;
        }
    }

    CRect client;
    GetClientRect(&client);
    if (m_nMouseMode == GRIDMOUSE_OVER_COL_DIVIDE) {
        m_nMouseMode = GRIDMOUSE_SIZING_COL;
        CPoint origin;
        GetCellTopLeft(m_cellLastPress, &origin);
        if (point.x - origin.x < m_nDividerGrabRange && m_cellLastPress.col > 0)
            m_cellLastPress.col--;
        while (!m_bColumnUnhide && m_cellLastPress.col > 0 && GetColumnWidth(m_cellLastPress.col) == 0)
            m_cellLastPress.col--;
        InvertBand(this, CRect(point.x, client.top, point.x + 2, client.bottom));
        m_ptLastMouse = point;
        return;
    }
    if (m_nMouseMode == GRIDMOUSE_OVER_ROW_DIVIDE) {
        m_nMouseMode = GRIDMOUSE_SIZING_ROW;
        CPoint origin;
        GetCellTopLeft(m_cellLastPress, &origin);
        if (point.y - origin.y < m_nDividerGrabRange && m_cellLastPress.row > 0)
            m_cellLastPress.row--;
        while (!m_bRowUnhide && m_cellLastPress.row > 0 && GetRowHeight(m_cellLastPress.row) == 0)
            m_cellLastPress.row--;
        InvertBand(this, CRect(client.left, point.y, client.right, point.y + 2));
        m_ptLastMouse = point;
        return;
    }
    if (m_nMouseMode != GRIDMOUSE_PREPARE_DRAG) {
        SendMessageToParent(m_cellLastPress.row, m_cellLastPress.col, int(GVN_SELCHANGING));
        m_mapPrevSelected.clear();
        if (bCtrl)
            m_mapPrevSelected = m_mapSelected;
        if (m_cellLastPress.row < m_nFixedRowCount) {
            OnHeaderRowClick(m_cellLastPress);
        } else if (m_cellLastPress.col < m_nFixedColumnCount) {
            OnHeaderColumnClick(m_cellLastPress);
        } else {
            m_nMouseMode = m_bWholeRowSelect ? GRIDMOUSE_SELECT_ROW : GRIDMOUSE_SELECT_CELLS;
            ExtendSelectionTo(m_cellLastPress);
            m_nAutoScrollTimer = SetTimer(kAutoScrollTimer, UINT(m_nAutoScrollInterval));
        }
    }
    m_ptLastMouse = point;
}

void CGridCtrl::OnHeaderRowClick(CCellID& cell)
{
    if (!IsValid(cell))
        return;
    if (m_bSortByHeaderClick) {
        const BOOL bAscending = !(cell.col == m_nSortCol && m_bSortAscending);
        SortItems(cell.col, bAscending);
        Invalidate();
    }
    if (m_bSelectByFixedColumn) {
        const BOOL bCorner = cell.col < m_nFixedColumnCount;
        m_nMouseMode = bCorner ? GRIDMOUSE_SELECT_ALL : GRIDMOUSE_SELECT_COL;
        if (!bCorner)
            m_selectionAnchor = CCellID(m_nFixedRowCount, cell.col);
        ExtendSelectionTo(cell);
    }
}

void CGridCtrl::OnHeaderColumnClick(CCellID& cell)
{
    if (!IsValid(cell) || !m_bSelectByFixedRow)
        return;
    const BOOL bCorner = cell.row < m_nFixedRowCount;
    m_nMouseMode = bCorner ? GRIDMOUSE_SELECT_ALL : GRIDMOUSE_SELECT_ROW;
    if (!bCorner)
        m_selectionAnchor = CCellID(cell.row, m_nFixedColumnCount);
    ExtendSelectionTo(cell);
}

void CGridCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point) && m_nMouseMode != GRIDMOUSE_DRAGGING && !m_bLMouseButtonDown)
        return;

    if (m_bLMouseButtonDown && m_nMouseMode != GRIDMOUSE_NOTHING) {
        if (IsValid(m_cellLastPress)) {
            switch (m_nMouseMode) {
            case GRIDMOUSE_SELECT_COL:
            case GRIDMOUSE_SELECT_ROW:
            case GRIDMOUSE_SELECT_CELLS: {
                CCellID cell = GetCellFromPt(point, TRUE);
                if (!IsValid(cell))
                    break;
                if (cell != m_focusCell) {
                    const CCellID anchor = m_selectionAnchor;
                    CCellID end = cell;
                    ExtendSelectionOverWideChars(end);
                    ExtendSelectionTo(end);
                    m_selectionAnchor = anchor;
                    const BOOL bFixed = cell.row < m_nFixedRowCount || cell.col < m_nFixedColumnCount;
                    if (!(m_nMouseMode == GRIDMOUSE_SELECT_CELLS && bFixed))
                        SetFocusCell(IsRightHalf(cell.row, cell.col) && cell.col > 0 ? CCellID(cell.row, cell.col - 1)
                                                                                     : cell);
                }
                break;
            }
            case GRIDMOUSE_SIZING_ROW:
                InvertBand(this, CRect(client.left, m_ptLastMouse.y, client.right, m_ptLastMouse.y + 2));
                InvertBand(this, CRect(client.left, point.y, client.right, point.y + 2));
                break;
            case GRIDMOUSE_SIZING_COL:
                InvertBand(this, CRect(m_ptLastMouse.x, client.top, m_ptLastMouse.x + 2, client.bottom));
                InvertBand(this, CRect(point.x, client.top, point.x + 2, client.bottom));
                break;
            case GRIDMOUSE_PREPARE_DRAG:
                OnBeginDrag(point);
                break;
            default:
                break;
            }
        }
        m_ptLastMouse = point;
        return;
    }

    if (m_bColumnResizeEnabled && IsOnColumnDivider(point)) {
        if (m_nMouseMode != GRIDMOUSE_OVER_COL_DIVIDE) {
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
            m_nMouseMode = GRIDMOUSE_OVER_COL_DIVIDE;
        }
    } else if (m_bRowResizeEnabled && IsOnRowDivider(point)) {
        if (m_nMouseMode != GRIDMOUSE_OVER_ROW_DIVIDE) {
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZENS));
            m_nMouseMode = GRIDMOUSE_OVER_ROW_DIVIDE;
        }
    } else if (m_nMouseMode != GRIDMOUSE_NOTHING) {
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        m_nMouseMode = GRIDMOUSE_NOTHING;
    }
    if (m_nMouseMode == GRIDMOUSE_NOTHING && (!m_bVirtual || m_bCellHover)) {
        const CCellID cell = GetCellFromPt(point, TRUE);
        if (CGridCellBase* pCell = GetCell(cell.row, cell.col))
            pCell->OnMouseOver();
    }
    m_ptLastMouse = point;
}

void CGridCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bLMouseButtonDown = FALSE;
    ClipCursor(nullptr);
    if (GetCapture() == this) {
        ReleaseCapture();
        if (m_nAutoScrollTimer) {
            KillTimer(m_nAutoScrollTimer);
            m_nAutoScrollTimer = 0;
        }
    }
    CRect client;
    GetClientRect(&client);
    auto clickFocusCell = [&] {
        if (CGridCellBase* pCell = GetCell(m_focusCell.row, m_focusCell.col))
            pCell->OnClick(GetCellClickPoint(m_focusCell.row, m_focusCell.col, point));
    };
    switch (m_nMouseMode) {
    case GRIDMOUSE_PREPARE_DRAG:
        clickFocusCell();
        SendMessageToParent(m_cellLastPress.row, m_cellLastPress.col, int(NM_CLICK));
        SendMessageToParent(m_cellLastPress.row, m_cellLastPress.col, int(GVN_SELCHANGING));
        {
            // The button went up without a drag: the selection collapses to the pressed cell.
            const CCellID focus = m_focusCell;
            ResetSelectedRange();
            if (IsValid(focus)) {
                SetFocusCell(focus);
                m_selectionAnchor = focus;
                const int lastCol = IsLeftHalf(focus.row, focus.col) ? focus.col + 1 : focus.col;
                SetSelectedRange(focus.row, focus.col, focus.row, lastCol);
            }
        }
        SendMessageToParent(m_focusCell.row, m_focusCell.col, int(GVN_SELCHANGED));
        break;
    case GRIDMOUSE_SIZING_COL: {
        InvertBand(this, CRect(m_ptLastMouse.x, client.top, m_ptLastMouse.x + 2, client.bottom));
        CPoint origin;
        if (point != m_ptLastPress && !(point.x == 0 && point.y == 0) && GetCellTopLeft(m_cellLastPress, &origin)) {
            const int width = std::max(int(point.x - origin.x), m_bColumnAllowHide ? 0 : 1);
            SetColumnWidth(m_cellLastPress.col, width);
            UpdateScrollBars();
            Invalidate();
        }
        break;
    }
    case GRIDMOUSE_SIZING_ROW: {
        InvertBand(this, CRect(client.left, m_ptLastMouse.y, client.right, m_ptLastMouse.y + 2));
        CPoint origin;
        if (point != m_ptLastPress && !(point.x == 0 && point.y == 0) && GetCellTopLeft(m_cellLastPress, &origin)) {
            const int height = std::max(int(point.y - origin.y), m_bRowAllowHide ? 0 : 1);
            SetRowHeight(m_cellLastPress.row, height);
            UpdateScrollBars();
            Invalidate();
        }
        break;
    }
    default:
        SendMessageToParent(m_focusCell.row, m_focusCell.col, int(GVN_SELCHANGED));
        clickFocusCell();
        SendMessageToParent(m_cellLastPress.row, m_cellLastPress.col, int(NM_CLICK));
        break;
    }
    m_nMouseMode = GRIDMOUSE_NOTHING;
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    if (IsValid(m_cellLastPress))
        if (CWnd* pOwner = GetOwner(); pOwner && pOwner->GetSafeHwnd())
            pOwner->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), LPARAM(m_hWnd));
}

// ---- editing ----

void CGridCtrl::StartCellEdit(int nRow, int nCol, CPoint point, UINT nChar)
{
    if (!IsCellEditable(nRow, nCol))
        return;
    EnsureVisible(nRow, nCol);
    if (!IsCellVisible(nRow, nCol))
        return;
    if (FieldRefusesEdit(nRow, nCol, nChar))
        return;
    CRect rect;
    if (!GetCellRect(nRow, nCol, &rect))
        return;
    if (SendMessageToParent(nRow, nCol, int(GVN_BEGINLABELEDIT)) < 0)
        return;
    if (CGridCellBase* pCell = GetCell(nRow, nCol))
        pCell->Edit(nRow, nCol, rect, point, IDC_INPLACE_CONTROL, nChar);
}

void CGridCtrl::StopCellEdit()
{
    if (CGridCellBase* pCell = GetCell(m_focusCell.row, m_focusCell.col))
        pCell->EndEdit();
}

void CGridCtrl::OnCellEditEnded(int nRow, int nCol, CString str)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return;
    const CString oldText = pCell->GetText();
    if (str != oldText) {
        pCell->SetText(str);
        if (ValidateCellText(nRow, nCol, str) && SendMessageToParent(nRow, nCol, int(GVN_ENDLABELEDIT)) >= 0) {
            SetModified(TRUE, nRow, nCol);
            RedrawCell(nRow, nCol);
        } else {
            pCell->SetText(oldText);
        }
    }
    pCell->OnEndEdit();
}

void CGridCtrl::OnEndInPlaceEdit(NMHDR* pNotifyStruct, LRESULT* pResult)
{
    const auto* pDispInfo = reinterpret_cast<const GRID_DISPINFO*>(pNotifyStruct);
    OnEditorClosed(pDispInfo->item.row, pDispInfo->item.col, pDispInfo->item.strText, UINT(pDispInfo->item.lParam));
    *pResult = 0;
}

void CGridCtrl::OnEditorClosed(int nRow, int nCol, const CString& str, UINT nLastKey)
{
    OnCellEditEnded(nRow, nCol, str);
    const bool bMove = nLastKey == VK_TAB || nLastKey == VK_PRIOR || nLastKey == VK_NEXT || nLastKey == VK_END ||
                       nLastKey == VK_HOME || nLastKey == VK_LEFT || nLastKey == VK_UP || nLastKey == VK_RIGHT ||
                       nLastKey == VK_DOWN;
    if (!bMove)
        return;
    const CCellID before = m_focusCell;
    OnKeyDown(nLastKey, 1, 0);
    // Only a cell that opens an editor window takes the key on; the text cell would read an
    // arrow key's code as a typed character.
    CGridCellBase* pCell = GetCell(m_focusCell.row, m_focusCell.col);
    if (m_focusCell != before && pCell && pCell->GetRuntimeClass() != RUNTIME_CLASS(CGridCell))
        StartCellEdit(m_focusCell.row, m_focusCell.col, CPoint(-1, -1), nLastKey);
}

BOOL CGridCtrl::ValidateCellText(int nRow, int nCol, LPCTSTR str)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->ValidateEdit(str) : TRUE;
}

// ---- dragging cells ----

void CGridCtrl::OnBeginDrag(CPoint point)
{
    if (BeginFieldDrag(point))
        return;
    m_bFieldDrag = FALSE;
    if (!m_bDragDropEnabled)
        return;
    COleDataSource* pSource = CopyTextFromGrid();
    if (!pSource)
        return;
    const CCellRange range = GetSelectionBounds();
    SendMessageToParent(range.GetMinRow(), range.GetMinCol(), int(GVN_BEGINDRAG));
    m_nMouseMode = GRIDMOUSE_DRAGGING;
    m_bLMouseButtonDown = FALSE;
    // The drop resets the selection, so the dragged cells are remembered for the move; cells
    // that the drop itself wrote (a drop overlapping its source) keep the new text.
    const auto dragged = m_mapSelected;
    m_rangeLastPaste = CCellRange();
    const DROPEFFECT effect = pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    if (effect == DROPEFFECT_MOVE) {
        const CCellRange pasted = m_rangeLastPaste;
        SetSelectedRange(-1, -1, -1, -1);
        for (const auto& [key, cell] : dragged)
            if (IsValid(cell) && !pasted.InRange(cell))
                SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GRIDSTATE_SELECTED);
        CutSelectedText();
        SetSelectedRange(-1, -1, -1, -1);
    }
    pSource->InternalRelease();
    m_nMouseMode = GRIDMOUSE_NOTHING;
}

DROPEFFECT CGridCtrl::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (pDataObject->IsDataAvailable(FieldDragFormat()) && m_pSelectedField) {
        CPoint grab;
        COLORREF color = 0;
        if (!ReadFieldDragData(pDataObject, &grab, &color))
            return DROPEFFECT_NONE;
        m_ptGrab = grab;
        m_sizeDragOutline = m_pSelectedField->GetFieldRect().Size();
        const CCellID cell = GetCellFromPt(point);
        CRect rect;
        const CCellRange range(cell.row, cell.col, cell.row + m_pSelectedField->GetFieldHeight() - 1,
                               cell.col + m_pSelectedField->GetFieldWidth() - 1);
        if (IsValid(range) && GetCellRangeRect(range, &rect))
            m_sizeDragOutline = CSize(rect.Width() + 1, rect.Height() + 1);
        m_bDragOutline = TRUE;
        m_ptLastOutline = CPoint(-32000, -32000);
        m_ptLastDrag = point;
        return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    }
    if (!pDataObject->IsDataAvailable(CF_UNICODETEXT))
        return DROPEFFECT_NONE;
    m_cellLastDragOver = CCellID(-1, -1);
    return OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CGridCtrl::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (m_bFieldDrag && m_bDragOutline && m_pSelectedField) {
        if (point != m_ptLastDrag) {
            const CCellID cell = GetCellFromPt(point);
            CRect rect;
            if (IsValid(cell) && GetCellRect(cell, &rect)) {
                m_ptGrab = CPoint(point.x - rect.left, point.y - rect.top);
                CPoint pos = rect.TopLeft();
                const int overflow = cell.col + m_pSelectedField->GetFieldWidth() - m_nColumnCount;
                if (overflow > 0)
                    pos.x -= overflow * std::max(0, GetColumnWidth(1));
                if (m_ptLastOutline.x != -32000)
                    DrawDragOutline(m_ptLastOutline);
                DrawDragOutline(pos);
                m_ptLastOutline = pos;
            }
            m_ptLastDrag = point;
        }
        return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    }
    if (!pDataObject->IsDataAvailable(CF_UNICODETEXT))
        return DROPEFFECT_NONE;
    const CCellID cell = GetCellFromPt(point);
    if (!IsValid(cell))
        return DROPEFFECT_NONE;
    if (cell != m_cellLastDragOver) {
        if (IsValid(m_cellLastDragOver)) {
            SetItemState(m_cellLastDragOver.row, m_cellLastDragOver.col,
                         GetItemState(m_cellLastDragOver.row, m_cellLastDragOver.col) & ~GRIDSTATE_DROPTARGET);
            RedrawCell(m_cellLastDragOver);
        }
        m_cellLastDragOver = cell;
        if (cell.row >= m_nFixedRowCount && cell.col >= m_nFixedColumnCount) {
            SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GRIDSTATE_DROPTARGET);
            RedrawCell(cell);
        }
    }
    if (cell.row < m_nFixedRowCount || cell.col < m_nFixedColumnCount || !IsCellEditable(cell))
        return DROPEFFECT_NONE;
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CGridCtrl::OnDragLeave()
{
    if (m_bFieldDrag && m_bDragOutline) {
        if (m_ptLastOutline.x != -32000)
            DrawDragOutline(m_ptLastOutline);
        m_ptLastOutline = CPoint(-32000, -32000);
        m_bDragOutline = FALSE;
        return;
    }
    if (IsValid(m_cellLastDragOver)) {
        SetItemState(m_cellLastDragOver.row, m_cellLastDragOver.col,
                     GetItemState(m_cellLastDragOver.row, m_cellLastDragOver.col) & ~GRIDSTATE_DROPTARGET);
        RedrawCell(m_cellLastDragOver);
    }
}

BOOL CGridCtrl::OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    if (m_bFieldDrag) {
        OnDragLeave();
        CPoint grab;
        COLORREF color = 0;
        if (!m_pSelectedField || !ReadFieldDragData(pDataObject, &grab, &color))
            return FALSE;
        const CCellID cell = GetCellFromPt(point);
        int placedCol = -1;
        if (!IsValid(cell) || !CanPlaceField(m_pSelectedField, cell.row, cell.col, &placedCol)) {
            ShowFieldRefusal();
            return FALSE;
        }
        CGridField* pCopy = m_pSelectedField->CloneField();
        if (!pCopy)
            return FALSE;
        pCopy->SetFieldRow(cell.row);
        pCopy->SetFieldColumn(placedCol);
        CRect rect;
        const CCellRange range(cell.row, placedCol, cell.row + pCopy->GetFieldHeight() - 1,
                               placedCol + pCopy->GetFieldWidth() - 1);
        if (GetCellRangeRect(range, &rect))
            pCopy->SetFieldRect(CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1));
        m_pDroppedField.reset(pCopy);
        EmptyCellsUnder(pCopy);
        Invalidate(TRUE);
        return TRUE;
    }
    BOOL bResult = FALSE;
    OnDragLeave();
    if (dropEffect & (DROPEFFECT_COPY | DROPEFFECT_MOVE)) {
        const CCellID cell = GetCellFromPt(point);
        if (IsValid(cell) && cell.row >= m_nFixedRowCount && cell.col >= m_nFixedColumnCount)
            bResult = PasteTextToGrid(cell, pDataObject, FALSE);
    }
    m_cellLastDragOver = CCellID(-1, -1);
    return bResult;
}

// ---- drop target ----

CGridDropTarget::~CGridDropTarget() = default;

BOOL CGridDropTarget::Register(CGridCtrl* pGridCtrl)
{
    static bool s_bRegistering = false;
    if (m_bRegistered || s_bRegistering || !pGridCtrl)
        return FALSE;
    s_bRegistering = true;
    m_pGridCtrl = pGridCtrl;
    m_bRegistered = COleDropTarget::Register(pGridCtrl);
    s_bRegistering = false;
    return m_bRegistered;
}

void CGridDropTarget::Revoke()
{
    m_bRegistered = FALSE;
    COleDropTarget::Revoke();
}

DROPEFFECT CGridDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_pGridCtrl || pWnd->GetSafeHwnd() != m_pGridCtrl->GetSafeHwnd())
        return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CGridDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_pGridCtrl || pWnd->GetSafeHwnd() != m_pGridCtrl->GetSafeHwnd())
        return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragOver(pDataObject, dwKeyState, point);
}

void CGridDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (m_pGridCtrl && pWnd->GetSafeHwnd() == m_pGridCtrl->GetSafeHwnd())
        m_pGridCtrl->OnDragLeave();
}

BOOL CGridDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    if (!m_pGridCtrl || pWnd->GetSafeHwnd() != m_pGridCtrl->GetSafeHwnd())
        return FALSE;
    return m_pGridCtrl->OnDrop(pDataObject, dropEffect, point);
}

DROPEFFECT CGridDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point)
{
    if (!m_pGridCtrl || pWnd->GetSafeHwnd() != m_pGridCtrl->GetSafeHwnd())
        return DROPEFFECT_NONE;
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
