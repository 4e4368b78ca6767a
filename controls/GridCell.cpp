#include "controls/GridCell.h"

#include "controls/GridCtrl.h"
#include "platform/ui/core/WndDC.h"

IMPLEMENT_DYNCREATE(CGridCell, CGridCellBase)
IMPLEMENT_DYNCREATE(CGridDefaultCell, CGridCell)

namespace {

// The one font object of all cells that have a font of their own; valid until the next call.
CFont& SharedCellFont()
{
    static CFont font;
    return font;
}

} // namespace

CGridCell::CGridCell() = default;

CGridCell::~CGridCell() = default;

void CGridCell::SetFont(const LOGFONT* plf)
{
    if (!plf) {
        m_plfFont.reset();
        return;
    }
    if (!m_plfFont)
        m_plfFont = std::make_unique<LOGFONT>();
    *m_plfFont = *plf;
}

LPCTSTR CGridCell::GetText() const
{
    static const wchar_t kEmpty[] = L"";
    return m_strText.IsEmpty() ? kEmpty : m_strText.GetString();
}

DWORD CGridCell::GetFormat() const
{
    if (m_nFormat == DWORD(-1))
        if (CGridDefaultCell* pDefault = GetDefaultCell())
            return pDefault->GetFormat();
    return m_nFormat;
}

UINT CGridCell::GetMargin() const
{
    if (m_nMargin == UINT(-1))
        if (CGridDefaultCell* pDefault = GetDefaultCell())
            return pDefault->GetMargin();
    return m_nMargin;
}

const LOGFONT* CGridCell::GetFont() const
{
    if (m_plfFont)
        return m_plfFont.get();
    CGridDefaultCell* pDefault = GetDefaultCell();
    return pDefault ? pDefault->GetFont() : nullptr;
}

CFont* CGridCell::GetFontObject() const
{
    if (!m_plfFont) {
        CGridDefaultCell* pDefault = GetDefaultCell();
        return pDefault ? pDefault->GetFontObject() : nullptr;
    }
    CFont& font = SharedCellFont();
    font.DeleteObject();
    if (!font.CreateFontIndirect(m_plfFont.get()))
        return nullptr;
    return &font;
}

void CGridCell::Reset()
{
    CGridCellBase::Reset();
    m_strText.Empty();
    m_nImage = -1;
    m_lParam = 0;
    m_nFormat = DWORD(-1);
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    m_plfFont.reset();
    m_nMargin = UINT(-1);
    m_bEditing = FALSE;
    m_pEditWnd = nullptr;
}

void CGridCell::EndEdit()
{
    if (m_pEditWnd)
        m_pEditWnd->SendMessage(WM_KILLFOCUS);
}

void CGridCell::OnEndEdit()
{
    m_bEditing = FALSE;
    m_pEditWnd = nullptr;
}

// The typed character goes straight into the cell and the focus moves on; no editor window.
// A character from U+0080 up is taken only when the grid's owner says the document and the
// text set accept its class; a double-width one also takes the next cell.
BOOL CGridCell::BeginEditing(UINT nChar, BOOL* pResult)
{
    if (m_bEditing) {
        if (m_pEditWnd)
            m_pEditWnd->SendMessage(WM_CHAR, nChar);
        *pResult = TRUE;
        return FALSE;
    }
    if (!m_pGrid) {
        *pResult = FALSE;
        return FALSE;
    }
    m_bEditing = TRUE;
    return TRUE;
}

void CGridCell::EditorColours(COLORREF* pFore, COLORREF* pBack) const
{
    CGridDefaultCell* pDefault = GetDefaultCell();
    *pFore = GetTextClr() != CLR_DEFAULT || !pDefault ? GetTextClr() : pDefault->GetTextClr();
    *pBack = GetBackClr() != CLR_DEFAULT || !pDefault ? GetBackClr() : pDefault->GetBackClr();
}

BOOL CGridCell::Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar)
{
    BOOL bResult = FALSE;
    if (!BeginEditing(nChar, &bResult))
        return bResult;
    CGridCtrl* pGrid = m_pGrid;
    const CString oldText = m_strText;

    if (nChar == VK_LBUTTON) {
        pGrid->OnCellEditEnded(nRow, nCol, oldText);
        return TRUE;
    }
    if (nChar < 0x20 && nChar != VK_BACK) {
        OnEndEdit();  // Enter and the other control characters are nothing a display can show
        return TRUE;
    }
    if (nChar < 0x80) {
        CString text;
        if (IsLeftHalf())
            text = oldText;
        else if (nChar != VK_BACK)
            text = CString(wchar_t(nChar));
        pGrid->OnCellEditEnded(nRow, nCol, text);
        if (nChar != VK_BACK)
            pGrid->SendMessage(WM_KEYDOWN, VK_RIGHT);
        return TRUE;
    }

    const CGridFieldOwner* pOwner = pGrid->GetFieldOwner();
    const int nClass = pOwner ? pOwner->GetCharClass(wchar_t(nChar)) : 0;
    if (!pOwner || pOwner->GetMachineType() < 0x51 || nClass == 0 || nClass != pOwner->GetAcceptedCharClass()) {
        pGrid->OnCellEditEnded(nRow, nCol, oldText);
        return TRUE;
    }
    if (nClass == 1) {
        // A double-width character needs the next cell, which must not begin another one; and
        // this cell must not be the covered half of one (that would break the pair).
        if (!pGrid->IsValid(nRow, nCol + 1) || (pGrid->GetItemState(nRow, nCol + 1) & GRIDSTATE_LEFTHALF) ||
            IsRightHalf()) {
            OnEndEdit();
            return TRUE;
        }
        pGrid->SetItemState(nRow, nCol, pGrid->GetItemState(nRow, nCol) | GRIDSTATE_LEFTHALF);
        pGrid->SetItemState(nRow, nCol + 1,
                            (pGrid->GetItemState(nRow, nCol + 1) & ~GRIDSTATE_LEFTHALF) | GRIDSTATE_RIGHTHALF);
        pGrid->OnCellEditEnded(nRow, nCol, CString(wchar_t(nChar)));
        pGrid->OnCellEditEnded(nRow, nCol + 1, CString());
    } else {
        pGrid->OnCellEditEnded(nRow, nCol, CString(wchar_t(nChar)));
    }
    pGrid->SendMessage(WM_KEYDOWN, VK_RIGHT);
    pGrid->SendMessage(WM_KEYUP, VK_RIGHT);
    return TRUE;
}

CGridDefaultCell::CGridDefaultCell()
{
    m_nFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    m_nMargin = 3;
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = 500;
    LOGFONT lf{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0))
        lf = ncm.lfMessageFont;
    else
        wcscpy(lf.lfFaceName, L"Arial");
    lf.lfHeight = -8;
    SetFont(&lf);
}

CGridDefaultCell::~CGridDefaultCell()
{
    m_Font.DeleteObject();
}

void CGridDefaultCell::SetFont(const LOGFONT* plf)
{
    if (!plf)
        return;
    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(plf);
    m_lf = *plf;

    CClientDC dc(nullptr);
    if (!dc.GetSafeHdc()) {
        m_nMargin = 3;
        m_Size = CSize(40, 16);
        return;
    }
    CFont* pOld = dc.SelectObject(&m_Font);
    m_nMargin = 2;
    const CSize size = dc.GetTextExtent(CString(L" XXXXXXXXXXXX "));
    dc.SelectObject(pOld);
    m_Size = CSize(size.cx, size.cy * 3 / 2);
}
