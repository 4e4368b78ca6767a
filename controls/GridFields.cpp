// The message-text field layer of the grid: fields drawn over the cells, selected by a press,
// moved by drag and drop under the placement rules, removed by Delete, and edited by a
// double-click through the owner's dialogs; cell edits keep out of them.
#include "controls/GridCtrl.h"

#include "platform/ui/core/Clipboard.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CGridField, CObject)

namespace {

// The drag data of a field: 8 reserved bytes, the grab point relative to the field's top-left
// corner (two signed 32-bit numbers) and the field's colour, little-endian.
constexpr SIZE_T kFieldDragBytes = 20;

void PutLong(BYTE* p, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = BYTE(v >> (8 * i));
}

DWORD GetLong(const BYTE* p)
{
    return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24;
}

} // namespace

int CGridField::RowsOfKind(int nKind)
{
    if (nKind == GRIDFIELD_GRAPH)
        return 4;
    if (nKind == GRIDFIELD_SCOPE || nKind == GRIDFIELD_POINTER)
        return 3;
    return 1;
}

CLIPFORMAT CGridCtrl::FieldDragFormat()
{
    static const CLIPFORMAT s_format = CLIPFORMAT(RegisterClipboardFormatW(L"Widget"));
    return s_format;
}

BOOL CGridCtrl::ReadFieldDragData(COleDataObject* pDataObject, CPoint* pGrab, COLORREF* pColor)
{
    HGLOBAL hData = pDataObject ? pDataObject->GetGlobalData(FieldDragFormat()) : nullptr;
    if (!hData)
        return FALSE;
    BOOL bOk = FALSE;
    // Any program may offer this format: a block too short to hold the record is refused.
    if (GlobalSize(hData) >= kFieldDragBytes) {
        if (const auto* p = static_cast<const BYTE*>(GlobalLock(hData))) {
            pGrab->x = LONG(int32_t(GetLong(p + 8)));
            pGrab->y = LONG(int32_t(GetLong(p + 12)));
            *pColor = COLORREF(GetLong(p + 16));
            GlobalUnlock(hData);
            bOk = TRUE;
        }
    }
    GlobalFree(hData);
    return bOk;
}

// ---- hit tests and checks ----

BOOL CGridCtrl::FieldInRowCovers(int nRow, int nCol) const
{
    if (nRow < 1 || nRow > 4)
        return FALSE;
    for (const CGridField* pField : m_arShownFields[nRow]) {
        const int first = pField->GetFieldColumn();
        if (nCol >= first && nCol < first + pField->GetFieldWidth())
            return TRUE;
    }
    return FALSE;
}

BOOL CGridCtrl::FieldCovers(int nRow, int nCol) const
{
    for (int line = 1; line <= 4 && line <= nRow; ++line)
        for (const CGridField* pField : m_arShownFields[line]) {
            const int first = pField->GetFieldColumn();
            const int lastRow = pField->GetFieldRow() + pField->GetFieldHeight() - 1;
            if (nRow >= pField->GetFieldRow() && nRow <= lastRow && nCol >= first &&
                nCol < first + pField->GetFieldWidth())
                return TRUE;
        }
    return FALSE;
}

BOOL CGridCtrl::FieldRefusesEdit(int nRow, int nCol, UINT nChar) const
{
    return FieldCovers(nRow, nCol) || (nChar >= 0x80 && FieldCovers(nRow, nCol + 1));
}

BOOL CGridCtrl::FieldFitsInRow(const CGridField* pField, int nCol, int nLastCol) const
{
    const int row = pField->GetFieldRow();
    if (nLastCol >= m_nColumnCount || nCol < m_nFixedColumnCount || row < 1 || row > 4)
        return FALSE;
    for (const CGridField* pOther : m_arShownFields[row]) {
        if (pOther == pField)
            continue;
        const int first = pOther->GetFieldColumn();
        const int last = first + pOther->GetFieldWidth() - 1;
        if ((first >= nCol && first <= nLastCol) || (last >= nCol && last <= nLastCol) ||
            (first < nCol && last > nLastCol))
            return FALSE;
    }
    return !IsLeftHalf(row, nLastCol);
}

void CGridCtrl::ClearHalfMarks(int nRow, int nCol)
{
    const UINT state = GetItemState(nRow, nCol);
    if (state & (GRIDSTATE_LEFTHALF | GRIDSTATE_RIGHTHALF))
        SetItemState(nRow, nCol, state & ~(GRIDSTATE_LEFTHALF | GRIDSTATE_RIGHTHALF));
}

void CGridCtrl::EmptyCellsUnder(const CGridField* pField)
{
    const int row = pField->GetFieldRow();
    for (int col = pField->GetFieldColumn(); col < pField->GetFieldColumn() + pField->GetFieldWidth(); ++col) {
        if (!IsValid(row, col))
            continue;
        SetItemText(row, col, L"");
        ClearHalfMarks(row, col);
    }
}

BOOL CGridCtrl::CanPlaceField(const CGridField* pField, int nRow, int nCol, int* pnPlacedCol) const
{
    if (!pField || !IsValid(nRow, nCol) || nRow < m_nFixedRowCount)
        return FALSE;
    const int w = pField->GetFieldWidth();
    const int h = pField->GetFieldHeight();
    const int kind = pField->GetFieldKind();
    if (w <= 0 || nCol + w > std::max(25, m_nColumnCount))
        return FALSE;
    const int col = nCol + w > m_nColumnCount ? m_nColumnCount - w : nCol;
    if (col < m_nFixedColumnCount)
        return FALSE;
    if ((kind == GRIDFIELD_SCOPE || kind == GRIDFIELD_POINTER) && nRow > 2)
        return FALSE;
    if (kind == GRIDFIELD_GRAPH && nRow > 1)
        return FALSE;
    if (nRow + h - 1 >= m_nRowCount || nRow + h - 1 > 4)
        return FALSE;

    auto* self = const_cast<CGridCtrl*>(this);
    CRect range;
    if (!self->GetCellRangeRect(CCellRange(nRow, col, nRow + h - 1, col + w - 1), &range))
        return FALSE;
    range.right++;
    range.bottom++;
    const int minOverlap = std::max(0, GetRowHeight(1)) / 2;
    for (int line = 1; line <= 4; ++line)
        for (const CGridField* pOther : m_arShownFields[line]) {
            if (pOther == pField)
                continue;
            CRect overlap;
            const CRect other = pOther->GetFieldRect();
            if (overlap.IntersectRect(&other, &range) && overlap.Height() >= minOverlap)
                return FALSE;
        }
    for (int row = nRow; row < nRow + h; ++row)
        if (IsLeftHalf(row, col + w - 1) || IsRightHalf(row, col))
            return FALSE;
    *pnPlacedCol = col;
    return TRUE;
}

// ---- selecting, drawing, deleting ----

void CGridCtrl::SelectFieldAt(CPoint point)
{
    CGridField* pPrevious = m_pSelectedField;
    m_pSelectedField = nullptr;
    for (int line = 1; line <= 4; ++line)
        for (CGridField* pField : m_arShownFields[line]) {
            if (pField->GetFieldRect().PtInRect(point)) {
                if (m_pSelectedField)
                    m_pSelectedField->SetFieldSelected(FALSE);
                pField->SetFieldSelected(TRUE);
                m_pSelectedField = pField;
            } else {
                pField->SetFieldSelected(FALSE);
            }
        }
    if (m_bPopupEditOpen && m_pSelectedField != pPrevious)
        ClosePopupEdit(TRUE);
    Invalidate(TRUE);
}

void CGridCtrl::DrawFields(CDC* pDC)
{
    if (!m_pFieldOwner || !m_pFieldOwner->ShowsFields())
        return;
    for (int line = 1; line <= 4; ++line)
        for (CGridField* pField : m_arShownFields[line])
            m_pFieldOwner->DrawGridField(this, pDC, pField, pField->IsFieldSelected());
}

void CGridCtrl::DeleteSelectedFields()
{
    for (int line = 1; line <= 4; ++line) {
        CGridFieldLine& fields = m_arShownFields[line];
        for (auto it = fields.begin(); it != fields.end();) {
            if ((*it)->IsFieldSelected()) {
                delete *it;
                it = fields.erase(it);
            } else {
                ++it;
            }
        }
    }
    m_pSelectedField = nullptr;
    Invalidate(TRUE);
}

void CGridCtrl::DeleteShownFields()
{
    for (int line = 1; line <= 4; ++line) {
        for (CGridField* pField : m_arShownFields[line])
            delete pField;
        m_arShownFields[line].clear();
    }
    m_pSelectedField = nullptr;
}

void CGridCtrl::ShowFieldRefusal()
{
    MessageBox(L"Can't insert the selected Object at this position", nullptr, MB_OK | MB_ICONEXCLAMATION);
}

// ---- dragging a field ----

void CGridCtrl::DrawDragOutline(CPoint topLeft)
{
    CDC* pDC = GetDC();
    if (!pDC)
        return;
    const CRect rect(topLeft, m_sizeDragOutline);
    // Inverting, so that drawing it twice at one place takes it away.
    pDC->PatBlt(rect.left, rect.top, rect.Width(), 2, DSTINVERT);
    pDC->PatBlt(rect.left, rect.bottom - 2, rect.Width(), 2, DSTINVERT);
    pDC->PatBlt(rect.left, rect.top + 2, 2, rect.Height() - 4, DSTINVERT);
    pDC->PatBlt(rect.right - 2, rect.top + 2, 2, rect.Height() - 4, DSTINVERT);
    ReleaseDC(pDC);
}

BOOL CGridCtrl::BeginFieldDrag(CPoint point)
{
    if (!m_pSelectedField || !m_pSelectedField->GetFieldRect().PtInRect(point)) {
        m_bFieldDrag = FALSE;
        return FALSE;
    }
    if (!m_bDragDropEnabled)
        return TRUE;  // the press was on a field: no drag of the cells under it either
    m_bFieldDrag = TRUE;
    HGLOBAL hData = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kFieldDragBytes);
    if (!hData) {
        m_bFieldDrag = FALSE;
        return TRUE;
    }
    if (auto* p = static_cast<BYTE*>(GlobalLock(hData))) {
        const CRect rect = m_pSelectedField->GetFieldRect();
        PutLong(p + 8, DWORD(point.x - rect.left));
        PutLong(p + 12, DWORD(point.y - rect.top));
        PutLong(p + 16, DWORD(m_pSelectedField->GetFieldColor()));
        GlobalUnlock(hData);
    }
    auto* pSource = new COleDataSource;
    pSource->CacheGlobalData(FieldDragFormat(), hData);
    m_nMouseMode = GRIDMOUSE_DRAGGING;
    m_bLMouseButtonDown = FALSE;
    pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    // A placed copy always replaces the dragged field, whatever the keys: a copy left beside it
    // would have emptied the cells under it and been lost.
    if (m_pDroppedField)
        HandOverDroppedField();
    pSource->InternalRelease();
    m_bFieldDrag = FALSE;
    m_nMouseMode = GRIDMOUSE_NOTHING;
    return TRUE;
}

void CGridCtrl::HandOverDroppedField()
{
    if (m_pSelectedField) {
        const int row = m_pSelectedField->GetFieldRow();
        const int col = m_pSelectedField->GetFieldColumn();
        if (row >= 1 && row <= 4) {
            CGridFieldLine& fields = m_arShownFields[row];
            auto it = std::find_if(fields.begin(), fields.end(), [&](const CGridField* f) {
                return f->GetFieldRow() == row && f->GetFieldColumn() == col;
            });
            if (it != fields.end()) {
                delete *it;
                fields.erase(it);
            }
        }
        m_pSelectedField = nullptr;
    }
    std::unique_ptr<CGridField> pDropped = std::move(m_pDroppedField);
    const int row = pDropped->GetFieldRow();
    if (row < 1 || row > 4)
        return;
    CGridFieldLine& fields = m_arShownFields[row];
    auto it = std::find_if(fields.begin(), fields.end(), [&](const CGridField* f) {
        return f->GetFieldRow() == row && f->GetFieldColumn() == pDropped->GetFieldColumn();
    });
    if (it != fields.end()) {
        (*it)->SetFieldSelected(TRUE);
        m_pSelectedField = *it;
    } else {
        pDropped->SetFieldSelected(TRUE);
        m_pSelectedField = pDropped.get();
        fields.push_back(pDropped.release());
    }
    Invalidate(TRUE);
}

// ---- double-click ----

void CGridCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pSelectedField && m_pFieldOwner) {
        if (m_bRunMode) {
            if (m_pFieldOwner->CanEditLive(m_pSelectedField))
                OpenPopupEdit();
        } else {
            EditFieldByDoubleClick();
        }
    }
    CWnd::DefWindowProc(WM_LBUTTONDBLCLK, nFlags, MAKELPARAM(point.x, point.y));
}

void CGridCtrl::EditFieldByDoubleClick()
{
    CGridField* pField = m_pSelectedField;
    const int kind = pField->GetFieldKind();
    if (kind >= 0)
        return;
    GridFieldEdit edit;
    edit.nWidth = pField->GetFieldWidth();
    if (!m_pFieldOwner->RunFieldDialog(this, pField, edit))
        return;
    // Every check runs before anything is written, so that a refused change leaves the field
    // whole as it was.
    const BOOL bChecksCells = kind == GRIDFIELD_BAR || kind == GRIDFIELD_SCALETIME || kind == GRIDFIELD_ONOFF;
    const int width = kind == GRIDFIELD_BAR ? edit.nWidth : pField->GetFieldWidth();
    if (bChecksCells && !FieldFitsInRow(pField, pField->GetFieldColumn(), pField->GetFieldColumn() + width - 1)) {
        CString text;
        text.Format(L"Can't insert the selected Object at this position B%d [Message Texts]",
                    m_pFieldOwner->GetBlockLabel());
        MessageBox(text, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_pFieldOwner->ApplyFieldDialog(this, pField);
    if (kind == GRIDFIELD_BAR && width != pField->GetFieldWidth()) {
        pField->SetFieldWidth(width);
        CRect rect;
        const int row = pField->GetFieldRow();
        if (GetCellRangeRect(CCellRange(row, pField->GetFieldColumn(), row, pField->GetFieldColumn() + width - 1),
                             &rect))
            pField->SetFieldRect(CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1));
    }
    if (bChecksCells)
        EmptyCellsUnder(pField);
    Invalidate(TRUE);
}

BOOL CGridCtrl::OpenPopupEdit()
{
    if (!m_bPopupEditOpen && m_pFieldOwner && m_pSelectedField) {
        m_bPopupEditOpen = TRUE;
        m_pFieldOwner->OpenLiveEditor(this, m_pSelectedField);
    }
    return TRUE;
}

void CGridCtrl::ClosePopupEdit(BOOL bApply)
{
    if (!m_bPopupEditOpen)
        return;
    m_bPopupEditOpen = FALSE;
    if (m_pFieldOwner)
        m_pFieldOwner->CloseLiveEditor(this, bApply);
}
