// The grid's data model: construction and destruction, the window class, counts, cells, items,
// the modified state and the notifications to the parent.
#include "controls/GridCtrl.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/AppIds.h"

#include <cwchar>

IMPLEMENT_DYNCREATE(CGridCtrl, CWnd)

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_MESSAGE(WM_IME_CHAR, OnImeChar)
    ON_WM_LBUTTONDBLCLK()
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_CAPTURECHANGED()
    ON_WM_MOUSEWHEEL()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_NOTIFY(GVN_ENDLABELEDIT, IDC_INPLACE_CONTROL, OnEndInPlaceEdit)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
END_MESSAGE_MAP()

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols)
    : m_pCellClass(RUNTIME_CLASS(CGridCell))
{
    RegisterWindowClass();
    m_crSysText = GetSysColor(COLOR_WINDOWTEXT);
    m_crSysWindow = GetSysColor(COLOR_WINDOW);
    m_crSysFace = GetSysColor(COLOR_BTNFACE);
    m_crShadowColour = GetSysColor(COLOR_BTNSHADOW);
    m_crBackground = m_crShadowColour;
    m_nWheelLines = GetMouseScrollLines();
    SetupDefaultCells();
    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);
    m_mapSelected.clear();
    m_mapPrevSelected.clear();
}

CGridCtrl::~CGridCtrl()
{
    for (CGridFieldLine* group : {m_arSet1Fields, m_arSet2Fields, m_arShownFields})
        for (int line = 0; line < 5; ++line) {
            for (CGridField* pField : group[line])
                delete pField;
            group[line].clear();
        }
    m_pSelectedField = nullptr;
    m_bBeingDestroyed = true;
    DeleteAllItems();
    if (GetSafeHwnd())
        DestroyWindow();
    m_dropTarget.Revoke();
}

BOOL CGridCtrl::RegisterWindowClass()
{
    WNDCLASSW wc{};
    if (GetClassInfoW(nullptr, GRIDCTRL_CLASSNAME, &wc))
        return TRUE;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(UINT_PTR(COLOR_BTNFACE + 1));
    wc.lpszClassName = GRIDCTRL_CLASSNAME;
    if (!RegisterClassW(&wc))
        AfxThrowResourceException();
    return TRUE;
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    if (!CWnd::Create(GRIDCTRL_CLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    // A grid made by code gets what a subclassed one gets at attachment.
    PreSubclassWindow();
    return TRUE;
}

void CGridCtrl::PreSubclassWindow()
{
    static bool s_bInside = false;
    CWnd::PreSubclassWindow();
    CFont font;
    if (font.CreateFontIndirect(m_defaultCell.GetFont())) {
        OnSetFont(WPARAM(HFONT(font)), 0);
        font.DeleteObject();
    }
    if (s_bInside)
        return;
    s_bInside = true;
    ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    CRect rect;
    GetWindowRect(&rect);
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(&rect);
    rect.InflateRect(1, 1);
    MoveWindow(&rect);
    rect.DeflateRect(1, 1);
    MoveWindow(&rect);
    s_bInside = false;
}

CGridDefaultCell* CGridCtrl::GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const
{
    auto* self = const_cast<CGridCtrl*>(this);
    if (bFixedRow && bFixedCol)
        return &self->m_defaultCornerCell;
    if (bFixedRow)
        return &self->m_defaultFixedRowCell;
    if (bFixedCol)
        return &self->m_defaultFixedColumnCell;
    return &self->m_defaultCell;
}

void CGridCtrl::SetupDefaultCells()
{
    for (CGridDefaultCell* pCell : {&m_defaultCell, &m_defaultFixedColumnCell, &m_defaultFixedRowCell,
                                     &m_defaultCornerCell}) {
        pCell->SetGrid(this);
        pCell->SetTextColour(m_crSysText);
        pCell->SetBackColour(pCell == &m_defaultCell ? m_crSysWindow : m_crSysFace);
    }
}

void CGridCtrl::SetGridLines(int nWhichLines)
{
    m_nLineStyle = nWhichLines;
    Refresh();
}

void CGridCtrl::Refresh()
{
    if (GetSafeHwnd() && m_bRedraw)
        Invalidate(TRUE);
}

BOOL CGridCtrl::IsValid(int nRow, int nCol) const
{
    return nRow >= 0 && nRow < m_nRowCount && nCol >= 0 && nCol < m_nColumnCount;
}

BOOL CGridCtrl::IsValid(const CCellRange& range) const
{
    return range.IsValid() && range.GetMaxRow() < m_nRowCount && range.GetMaxCol() < m_nColumnCount;
}

// ---- counts ----

BOOL CGridCtrl::SetRowCount(int nRows)
{
    if (nRows < 0)
        return FALSE;
    if (nRows == m_nRowCount)
        return TRUE;
    BOOL bResult = TRUE;
    m_firstVisibleCell.col = -1;
    if (nRows < m_nFixedRowCount)
        m_nFixedRowCount = nRows;
    if (m_focusCell.row >= nRows)
        SetFocusCell(-1, -1);
    const int nOldRows = m_nRowCount;
    if (nRows < nOldRows && !m_bVirtual) {
        for (int row = nRows; row < nOldRows; ++row)
            for (int col = 0; col < m_nColumnCount; ++col)
                DestroyCell(row, col);
        m_rows.resize(nRows);
    }
    m_nRowCount = std::min(nRows, m_nRowCount);
    try {
        m_arRowHeight.resize(nRows);
        if (m_bVirtual) {
            m_nRowCount = nRows;
            for (int row = nOldRows; row < nRows; ++row)
                m_arRowHeight[row] = m_defaultCell.GetHeight();
            m_arRowSequence.resize(nRows);
            for (int row = 0; row < nRows; ++row)
                m_arRowSequence[row] = row;
        } else {
            m_rows.resize(nRows);
            for (int row = nOldRows; row < nRows; ++row) {
                m_arRowHeight[row] = m_defaultCell.GetHeight();
                m_rows[row].assign(m_nColumnCount, nullptr);
                for (int col = 0; col < m_nColumnCount; ++col)
                    m_rows[row][col] = CreateCell(row, col);
                m_nRowCount++;
            }
        }
    } catch (const std::bad_alloc&) {
        AfxMessageBox(L"Out of memory.", MB_ICONEXCLAMATION);
        bResult = FALSE;
        m_nRowCount = int(std::min(m_rows.size(), m_arRowHeight.size()));
    }
    SetModified(TRUE, -1, -1);
    UpdateScrollBars();
    Refresh();
    return bResult;
}

BOOL CGridCtrl::SetColumnCount(int nCols)
{
    if (nCols < 0)
        return FALSE;
    if (nCols == m_nColumnCount)
        return TRUE;
    BOOL bResult = TRUE;
    m_firstVisibleCell.col = -1;
    if (nCols < m_nFixedColumnCount)
        m_nFixedColumnCount = nCols;
    if (m_focusCell.col >= nCols)
        SetFocusCell(-1, -1);
    const int nOldCols = m_nColumnCount;
    // Cells are stored by storage column; the order is the identity again after a count change.
    if (nCols < nOldCols && !m_bVirtual)
        for (int row = 0; row < m_nRowCount; ++row)
            for (int col = nCols; col < nOldCols; ++col) {
                CGridCellBase* pCell = m_rows[row][col];
                if (pCell) {
                    if (pCell->IsSelected())
                        m_mapSelected.erase(CellKey(row, col));
                    delete pCell;
                    m_rows[row][col] = nullptr;
                }
            }
    try {
        m_arColumnWidth.resize(nCols);
        for (int col = nOldCols; col < nCols; ++col)
            m_arColumnWidth[col] = m_defaultFixedColumnCell.GetWidth();
        m_arColumnSequence.resize(nCols);
        for (int col = 0; col < nCols; ++col)
            m_arColumnSequence[col] = col;
        m_nColumnCount = std::min(nCols, nOldCols);
        if (!m_bVirtual)
            for (int row = 0; row < m_nRowCount; ++row) {
                m_rows[row].resize(nCols, nullptr);
                for (int col = nOldCols; col < nCols; ++col)
                    m_rows[row][col] = CreateCell(row, col);
            }
        m_nColumnCount = nCols;
    } catch (const std::bad_alloc&) {
        AfxMessageBox(L"Out of memory.", MB_ICONEXCLAMATION);
        bResult = FALSE;
    }
    SetModified(TRUE, -1, -1);
    UpdateScrollBars();
    Refresh();
    return bResult;
}

BOOL CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    if (nFixedRows < 0)
        return FALSE;
    if (nFixedRows == m_nFixedRowCount)
        return TRUE;
    ResetSelectedRange();
    m_firstVisibleCell.col = -1;
    if (nFixedRows > m_nRowCount && !SetRowCount(nFixedRows))
        return FALSE;
    if (m_focusCell.row < nFixedRows)
        SetFocusCell(-1, -1);
    if (!m_bVirtual) {
        for (int row = std::min(nFixedRows, m_nFixedRowCount); row < std::max(nFixedRows, m_nFixedRowCount); ++row)
            for (int col = 0; col < m_nColumnCount; ++col) {
                UINT state = GetItemState(row, col);
                if (row < nFixedRows) {
                    state |= GRIDSTATE_FIXED | GRIDSTATE_FIXEDROW;
                } else if (col < m_nFixedColumnCount) {
                    state &= ~GRIDSTATE_FIXEDROW;
                } else {
                    state &= ~(GRIDSTATE_FIXED | GRIDSTATE_FIXEDROW);
                }
                SetItemState(row, col, state);
                SetItemBackColour(row, col, CLR_DEFAULT);
                SetItemFgColour(row, col, CLR_DEFAULT);
            }
    }
    m_nFixedRowCount = nFixedRows;
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    if (nFixedCols < 0)
        return FALSE;
    if (nFixedCols == m_nFixedColumnCount)
        return TRUE;
    if (nFixedCols > m_nColumnCount && !SetColumnCount(nFixedCols))
        return FALSE;
    if (m_focusCell.col < nFixedCols)
        SetFocusCell(-1, -1);
    ResetSelectedRange();
    m_firstVisibleCell.col = -1;
    if (!m_bVirtual) {
        for (int col = std::min(nFixedCols, m_nFixedColumnCount); col < std::max(nFixedCols, m_nFixedColumnCount);
             ++col)
            for (int row = 0; row < m_nRowCount; ++row) {
                UINT state = GetItemState(row, col);
                if (col < nFixedCols) {
                    state |= GRIDSTATE_FIXED | GRIDSTATE_FIXEDCOL;
                } else if (row < m_nFixedRowCount) {
                    state &= ~GRIDSTATE_FIXEDCOL;
                } else {
                    state &= ~(GRIDSTATE_FIXED | GRIDSTATE_FIXEDCOL);
                }
                SetItemState(row, col, state);
                SetItemBackColour(row, col, CLR_DEFAULT);
                SetItemFgColour(row, col, CLR_DEFAULT);
            }
    }
    m_nFixedColumnCount = nFixedCols;
    Refresh();
    return TRUE;
}

// ---- cells ----

CGridCellBase* CGridCtrl::CreateCell(int nRow, int nCol)
{
    if (!m_pCellClass || !m_pCellClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return nullptr;
    auto* pCell = static_cast<CGridCellBase*>(m_pCellClass->CreateObject());
    if (!pCell)
        return nullptr;
    pCell->SetGrid(this);
    pCell->SetCoords(nRow, nCol);
    UINT state = 0;
    if (nCol < m_nFixedColumnCount)
        state |= GRIDSTATE_FIXED | GRIDSTATE_FIXEDCOL;
    if (nRow < m_nFixedRowCount)
        state |= GRIDSTATE_FIXED | GRIDSTATE_FIXEDROW;
    pCell->SetState(state);
    pCell->SetFormat(pCell->GetDefaultCell()->GetFormat());
    return pCell;
}

void CGridCtrl::DestroyCell(int nRow, int nCol)
{
    if (m_bVirtual)
        return;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return;
    SetItemState(nRow, nCol, 0);
    SetCell(nRow, nCol, nullptr);
    delete pCell;
}

CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol) const
{
    if (!IsValid(nRow, nCol))
        return nullptr;
    if (m_bVirtual)
        return const_cast<CGridCtrl*>(this)->VirtualCell(nRow, nCol);
    if (nRow >= int(m_rows.size()))
        return nullptr;
    const int storage = m_arColumnSequence[nCol];
    const auto& row = m_rows[nRow];
    return storage < int(row.size()) ? row[storage] : nullptr;
}

BOOL CGridCtrl::SetCell(int nRow, int nCol, CGridCellBase* pCell)
{
    if (m_bVirtual || !IsValid(nRow, nCol) || nRow >= int(m_rows.size()))
        return FALSE;
    m_rows[nRow][m_arColumnSequence[nCol]] = pCell;
    return TRUE;
}

BOOL CGridCtrl::SetCellType(int nRow, int nCol, CRuntimeClass* pRuntimeClass)
{
    if (m_bVirtual || !IsValid(nRow, nCol) || !pRuntimeClass ||
        !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return FALSE;
    auto* pNew = static_cast<CGridCellBase*>(pRuntimeClass->CreateObject());
    if (!pNew)
        return FALSE;
    CGridCellBase* pOld = GetCell(nRow, nCol);
    if (pOld)
        *pNew = *pOld;
    SetCell(nRow, nCol, pNew);
    delete pOld;
    return TRUE;
}

// The one cell and record that virtual mode fills anew at every request.
CGridCellBase* CGridCtrl::VirtualCell(int nRow, int nCol)
{
    static CGridCell s_cell;
    static GRID_DISPINFO s_info;
    const BOOL bFixedRow = nRow < m_nFixedRowCount;
    const BOOL bFixedCol = nCol < m_nFixedColumnCount;
    CGridDefaultCell* pDefault = GetDefaultCell(bFixedRow, bFixedCol);
    GV_ITEM& item = s_info.item;
    item = GV_ITEM();
    item.row = nRow;
    item.col = nCol;
    item.mask = 0xFFFFFFFF;
    item.nFormat = pDefault->GetFormat();
    item.iImage = pDefault->GetImage();
    item.crBkClr = pDefault->GetBackClr();
    item.crFgClr = pDefault->GetTextClr();
    item.lParam = pDefault->GetData();
    item.lfFont = *pDefault->GetFont();
    item.nMargin = pDefault->GetMargin();
    if (m_mapSelected.count(CellKey(nRow, nCol)))
        item.nState |= GRIDSTATE_SELECTED;
    if (bFixedRow)
        item.nState |= GRIDSTATE_FIXED | GRIDSTATE_FIXEDROW;
    if (bFixedCol)
        item.nState |= GRIDSTATE_FIXED | GRIDSTATE_FIXEDCOL;
    if (CCellID(nRow, nCol) == m_focusCell)
        item.nState |= GRIDSTATE_FOCUSED;
    if (!m_bBeingDestroyed) {
        if (nRow < int(m_arRowSequence.size()))
            item.row = m_arRowSequence[nRow];
        item.col = m_arColumnSequence[nCol];
        if (m_pfnCellSupplier)
            m_pfnCellSupplier(&s_info, m_nSupplierParam);
        else
            SendDisplayRequestToParent(&s_info);
        item.row = nRow;
        item.col = nCol;
    }
    s_cell.SetGrid(this);
    s_cell.SetState(item.nState);
    s_cell.SetFormat(item.nFormat);
    s_cell.SetImage(item.iImage);
    s_cell.SetBackColour(item.crBkClr);
    s_cell.SetTextColour(item.crFgClr);
    s_cell.SetData(item.lParam);
    s_cell.SetFont(&item.lfFont);
    s_cell.SetMargin(item.nMargin);
    s_cell.SetText(item.strText);
    return &s_cell;
}

// ---- items ----

BOOL CGridCtrl::SetItem(const GV_ITEM* pItem)
{
    if (!pItem || m_bVirtual)
        return FALSE;
    CGridCellBase* pCell = GetCell(pItem->row, pItem->col);
    if (!pCell)
        return FALSE;
    SetModified(TRUE, pItem->row, pItem->col);
    if (pItem->mask & GRIDITEM_TEXT)
        pCell->SetText(pItem->strText);
    if (pItem->mask & GRIDITEM_PARAM)
        pCell->SetData(pItem->lParam);
    if (pItem->mask & GRIDITEM_IMAGE)
        pCell->SetImage(pItem->iImage);
    if (pItem->mask & GRIDITEM_STATE)
        SetItemState(pItem->row, pItem->col, pItem->nState);
    if (pItem->mask & GRIDITEM_FORMAT)
        pCell->SetFormat(pItem->nFormat);
    if (pItem->mask & GRIDITEM_BACKCOLOUR)
        pCell->SetBackColour(pItem->crBkClr);
    if (pItem->mask & GRIDITEM_TEXTCOLOUR)
        pCell->SetTextColour(pItem->crFgClr);
    if (pItem->mask & GRIDITEM_FONT)
        pCell->SetFont(&pItem->lfFont);
    if (pItem->mask & GRIDITEM_MARGIN)
        pCell->SetMargin(pItem->nMargin);
    return TRUE;
}

BOOL CGridCtrl::SetItemText(int nRow, int nCol, LPCTSTR str)
{
    if (m_bVirtual)
        return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    pCell->SetText(str);
    SetModified(TRUE, nRow, nCol);
    return TRUE;
}

CString CGridCtrl::GetItemText(int nRow, int nCol) const
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? CString(pCell->GetText()) : CString();
}

BOOL CGridCtrl::SetItemState(int nRow, int nCol, UINT nState)
{
    if (!IsValid(nRow, nCol))
        return FALSE;
    const BOOL bSelected = IsCellSelected(nRow, nCol);
    if (bSelected && !(nState & GRIDSTATE_SELECTED))
        m_mapSelected.erase(CellKey(nRow, nCol));
    else if (!bSelected && (nState & GRIDSTATE_SELECTED))
        m_mapSelected[CellKey(nRow, nCol)] = CCellID(nRow, nCol);
    if (m_bVirtual)
        return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    pCell->SetState(nState);
    return TRUE;
}

UINT CGridCtrl::GetItemState(int nRow, int nCol) const
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->GetState() : 0;
}

BOOL CGridCtrl::SetItemBackColour(int nRow, int nCol, COLORREF cr)
{
    CGridCellBase* pCell = m_bVirtual ? nullptr : GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    pCell->SetBackColour(cr);
    return TRUE;
}

BOOL CGridCtrl::SetItemFgColour(int nRow, int nCol, COLORREF cr)
{
    CGridCellBase* pCell = m_bVirtual ? nullptr : GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    pCell->SetTextColour(cr);
    return TRUE;
}

BOOL CGridCtrl::SetItemFont(int nRow, int nCol, const LOGFONT* plf)
{
    CGridCellBase* pCell = m_bVirtual ? nullptr : GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    pCell->SetFont(plf);
    return TRUE;
}

BOOL CGridCtrl::IsCellBeingEdited(int nRow, int nCol) const
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->IsEditing() : FALSE;
}

void CGridCtrl::SetModified(BOOL bModified, int nRow, int nCol)
{
    if (nCol < 0 || nCol == m_nSortCol)
        SetSortColumn(-1);
    if (nRow >= 0 && nCol >= 0) {
        if (CGridCellBase* pCell = m_bVirtual ? nullptr : GetCell(nRow, nCol)) {
            if (bModified) {
                pCell->SetState(pCell->GetState() | GRIDSTATE_MODIFIED);
                m_bChanged = TRUE;
            } else {
                pCell->SetState(pCell->GetState() & ~GRIDSTATE_MODIFIED);
            }
        }
    } else {
        m_bChanged = bModified;
    }
    if (!m_bChanged && !m_bVirtual)
        for (int row = 0; row < m_nRowCount; ++row)
            for (int col = 0; col < m_nColumnCount; ++col)
                if (CGridCellBase* pCell = GetCell(row, col))
                    pCell->SetState(pCell->GetState() & ~GRIDSTATE_MODIFIED);
}

void CGridCtrl::ValidateAndModifyCellContents(int nRow, int nCol, LPCTSTR strText)
{
    if (!IsCellEditable(nRow, nCol))
        return;
    if (SendMessageToParent(nRow, nCol, int(GVN_BEGINLABELEDIT)) < 0)
        return;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return;
    const CString oldText = pCell->GetText();
    if (wcscmp(strText, oldText) == 0)
        return;
    pCell->SetText(strText);
    if (ValidateCellText(nRow, nCol, strText) && SendMessageToParent(nRow, nCol, int(GVN_ENDLABELEDIT)) >= 0) {
        SetModified(TRUE, nRow, nCol);
        RedrawCell(nRow, nCol);
    } else {
        pCell->SetText(oldText);
    }
}

BOOL CGridCtrl::DeleteAllItems()
{
    ResetSelectedRange();
    m_arColumnWidth.clear();
    m_arRowHeight.clear();
    if (m_bVirtual) {
        m_arRowSequence.clear();
    } else {
        for (int row = 0; row < int(m_rows.size()); ++row)
            for (int col = 0; col < int(m_rows[row].size()); ++col) {
                delete m_rows[row][col];
                m_rows[row][col] = nullptr;
            }
        m_rows.clear();
    }
    m_mapSelected.clear();
    m_mapPrevSelected.clear();
    m_focusCell = CCellID(-1, -1);
    m_selectionAnchor = CCellID(-1, -1);
    m_nRowCount = m_nColumnCount = m_nFixedRowCount = m_nFixedColumnCount = 0;
    m_arColumnSequence.clear();
    m_firstVisibleCell = CCellID(-1, -1);
    UpdateScrollBars();
    SetModified(TRUE, -1, -1);
    return TRUE;
}

void CGridCtrl::SetVirtualMode(BOOL bVirtual)
{
    DeleteAllItems();
    m_bVirtual = bVirtual;
    if (m_bVirtual) {
        m_bEditingAllowed = FALSE;
        m_bSelectByFixedRow = FALSE;
        m_bSelectByFixedColumn = FALSE;
        m_nAutoSizeStyle = GRIDSIZE_HEADER;
        m_arRowSequence.resize(m_nRowCount);
        for (int row = 0; row < m_nRowCount; ++row)
            m_arRowSequence[row] = row;
    }
}

// ---- notifications ----

namespace {

CWnd* NotifyTarget(const CWnd* pGrid)
{
    if (!pGrid->GetSafeHwnd())
        return nullptr;
    CWnd* pOwner = pGrid->GetOwner();
    return pOwner && pOwner->GetSafeHwnd() ? pOwner : nullptr;
}

} // namespace

LRESULT CGridCtrl::SendMessageToParent(int nRow, int nCol, int nMessage) const
{
    CWnd* pTarget = NotifyTarget(this);
    if (!pTarget)
        return 0;
    NM_GRIDCELL nm;
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
    nm.hdr.code = UINT(nMessage);
    nm.iRow = nRow;
    nm.iColumn = nCol;
    return pTarget->SendMessage(WM_NOTIFY, WPARAM(nm.hdr.idFrom), LPARAM(&nm));
}

LRESULT CGridCtrl::SendDisplayRequestToParent(GRID_DISPINFO* pDisplayInfo) const
{
    CWnd* pTarget = NotifyTarget(this);
    if (!pTarget)
        return 0;
    pDisplayInfo->hdr.hwndFrom = m_hWnd;
    pDisplayInfo->hdr.idFrom = UINT_PTR(GetDlgCtrlID());
    pDisplayInfo->hdr.code = GVN_GETDISPINFO;
    return pTarget->SendMessage(WM_NOTIFY, WPARAM(pDisplayInfo->hdr.idFrom), LPARAM(pDisplayInfo));
}

LRESULT CGridCtrl::SendCacheHintToParent(const CCellRange& range) const
{
    CWnd* pTarget = NotifyTarget(this);
    if (!pTarget)
        return 0;
    GRID_CACHEHINT hint;
    hint.hdr.hwndFrom = m_hWnd;
    hint.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
    hint.hdr.code = GVN_ODCACHEHINT;
    hint.range = range;
    return pTarget->SendMessage(WM_NOTIFY, WPARAM(hint.hdr.idFrom), LPARAM(&hint));
}
