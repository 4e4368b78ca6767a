#include "controls/GridCellBase.h"

#include "controls/GridCtrl.h"
#include "platform/gdi/DC.h"
#include "platform/ui/controls/CtlImageList.h"
#include "platform/ui/core/WinUser.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CGridCellBase, CObject)

namespace {

// The size of image nImage of the grid's image list; FALSE when it has none.
BOOL ImageSize(const CGridCellBase* pCell, CSize* pSize)
{
    CGridCtrl* pGrid = pCell->GetGrid();
    if (!pGrid || !pGrid->GetImageList() || pCell->GetImage() < 0)
        return FALSE;
    IMAGEINFO info{};
    if (!pGrid->GetImageList()->GetImageInfo(pCell->GetImage(), &info))
        return FALSE;
    *pSize = CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
    return TRUE;
}

// The triangle of the sort direction at the right of a header cell; returns its width.
int DrawSortArrow(CDC* pDC, CRect& rect, BOOL bAscending)
{
    LOGFONT lf{};
    BOOL bVertical = FALSE;
    if (CFont* pFont = pDC->GetCurrentFont(); pFont && pFont->GetLogFont(&lf))
        bVertical = lf.lfEscapement == 900;
    int size = pDC->GetTextExtent(L"M", 1).cy - 4;
    if (size >= rect.Height())
        size = rect.Height() - 4;
    if (rect.left + size >= rect.right || size <= 0)
        return 0;
    const int left = bVertical ? (rect.left + rect.right - size) / 2 : rect.right - size;
    const int bottom = rect.bottom - 2;
    const int top = bottom - size;
    CPen penHighlight(PS_SOLID, 0, GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen penShadow(PS_SOLID, 0, GetSysColor(COLOR_BTNSHADOW));
    CPen* pOld = pDC->SelectObject(&penHighlight);
    for (int pass = 0; pass < 2; ++pass) {
        const int d = pass == 0 ? 1 : 0;
        if (pass == 1)
            pDC->SelectObject(&penShadow);
        if (bAscending) {
            pDC->MoveTo(left + size / 2 + d, top + d);
            pDC->LineTo(left + size + d, bottom + d);
            pDC->LineTo(left + d, bottom + d);
            pDC->LineTo(left + size / 2 + d, top + d);
        } else {
            pDC->MoveTo(left + d, top + d);
            pDC->LineTo(left + size + d, top + d);
            pDC->LineTo(left + size / 2 + d, bottom + d);
            pDC->LineTo(left + d, top + d);
        }
    }
    pDC->SelectObject(pOld);
    if (!bVertical)
        rect.right -= size;
    return size;
}

// The raised edge of a heading cell: light along the top and left, dark along the right and
// bottom.
void DrawRaisedEdge(CDC* pDC, const CRect& rect)
{
    CPen light(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen dark(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
    CPen* pOld = pDC->SelectObject(&light);
    pDC->MoveTo(rect.right, rect.top);
    pDC->LineTo(rect.left, rect.top);
    pDC->LineTo(rect.left, rect.bottom);
    pDC->SelectObject(&dark);
    pDC->MoveTo(rect.right, rect.top);
    pDC->LineTo(rect.right, rect.bottom);
    pDC->LineTo(rect.left, rect.bottom);
    pDC->SelectObject(pOld);
}

} // namespace

CGridDefaultCell* CGridCellBase::GetDefaultCell() const
{
    CGridCtrl* pGrid = GetGrid();
    return pGrid ? pGrid->GetDefaultCell(IsFixedRow(), IsFixedCol()) : nullptr;
}

void CGridCellBase::operator=(const CGridCellBase& cell)
{
    if (this == &cell)
        return;
    SetGrid(cell.GetGrid());
    SetText(cell.GetText());
    SetImage(cell.GetImage());
    SetData(cell.GetData());
    SetState(cell.GetState());
    SetFormat(cell.GetFormat());
    SetTextColour(cell.GetTextClr());
    SetBackColour(cell.GetBackClr());
    SetFont(cell.IsDefaultFont() ? nullptr : cell.GetFont());
    SetMargin(cell.GetMargin());
}

BOOL CGridCellBase::OnSetCursor()
{
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

BOOL CGridCellBase::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid || !pDC || rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;
    const int nSaved = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);
    CGridDefaultCell* pDefault = GetDefaultCell();
    if (!pDefault) {
        pDC->RestoreDC(nSaved);
        return FALSE;
    }

    COLORREF textClr = GetTextClr() == CLR_DEFAULT ? pDefault->GetTextClr() : GetTextClr();
    COLORREF backClr = pDefault->GetBackClr();
    if (GetBackClr() != CLR_DEFAULT) {
        backClr = GetBackClr();
        bEraseBkgnd = TRUE;
    }
    const BOOL bLeftHalf = IsLeftHalf();
    const int nNextWidth = bLeftHalf ? std::max(0, pGrid->GetColumnWidth(nCol + 1)) : 0;
    const BOOL bLines = pGrid->m_nLineStyle != GRIDLINES_NONE;

    if (IsFocused() || IsDropTarget()) {
        if (IsSelected()) {
            backClr = GetSysColor(COLOR_HIGHLIGHT);
            textClr = GetSysColor(COLOR_HIGHLIGHTTEXT);
            bEraseBkgnd = TRUE;
        }
        rect.right++;
        rect.bottom++;
        if (bEraseBkgnd) {
            CRect fill = rect;
            fill.right += nNextWidth;
            pDC->FillSolidRect(&fill, backClr);
        }
        if (bLines) {
            rect.right--;
            rect.bottom--;
        }
        if (pGrid->m_bFocusFrame) {
            CRect frame = rect;
            frame.right += nNextWidth;
            CBrush red(RGB(255, 0, 0));
            pDC->FrameRect(&frame, &red);
        }
        pDC->SetTextColor(textClr);
        if (!bLines) {
            rect.right--;
            rect.bottom--;
        }
    } else if (IsSelected()) {
        CRect fill(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        fill.right += nNextWidth;
        pDC->FillSolidRect(&fill, GetSysColor(COLOR_HIGHLIGHT));
        pDC->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        if (bEraseBkgnd) {
            CRect fill(rect.left, rect.top, rect.right + 1 + nNextWidth, rect.bottom + 1);
            pDC->FillSolidRect(&fill, backClr);
        }
        pDC->SetTextColor(textClr);
    }

    if (IsFixed() && bLines) {
        const CCellID focus = pGrid->GetFocusCell();
        if (pGrid->m_bSinkFocusHeaders && pGrid->IsValid(focus) && (focus.row == nRow || focus.col == nCol)) {
            CRect edge(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
            pDC->DrawEdge(&edge, BDR_SUNKENINNER, BF_RECT);
        } else {
            DrawRaisedEdge(pDC, rect);
        }
        rect.DeflateRect(1, 1);
    }

    if (!pDC->IsPrinting())
        if (CFont* pFont = GetFontObject())
            pDC->SelectObject(pFont);

    CFont wideFont;
    CFont* pPrevFont = nullptr;
    if (bLeftHalf) {
        rect.right += rect.right - rect.left;
        if (wideFont.CreateFont(20, 16, 0, 0, 400, 0, 0, 0, 1, 4, 0, 0, 1, L"Arial"))
            pPrevFont = pDC->SelectObject(&wideFont);
    }

    const int nMargin = int(GetMargin());
    rect.DeflateRect(nMargin, nMargin);
    rect.right++;
    rect.bottom++;

    CSize imageSize;
    if (ImageSize(this, &imageSize) && imageSize.cx + rect.left <= rect.right &&
        imageSize.cy + rect.top <= rect.bottom)
        pGrid->GetImageList()->Draw(pDC, GetImage(), rect.TopLeft(), ILD_NORMAL);

    if (pGrid->GetSortColumn() == nCol && nRow == 0)
        DrawSortArrow(pDC, rect, pGrid->GetSortAscending());

    GetTextRect(&rect);
    rect.right++;
    rect.bottom++;
    const CString text = GetText();
    if (!text.IsEmpty())
        pDC->DrawText(text, &rect, GetFormat() | DT_NOPREFIX);

    if (pPrevFont)
        pDC->SelectObject(pPrevFont);
    pDC->RestoreDC(nSaved);
    return TRUE;
}

BOOL CGridCellBase::GetTextRect(LPRECT pRect)
{
    CSize imageSize;
    if (ImageSize(this, &imageSize))
        pRect->left += imageSize.cx + 1 + int(GetMargin());
    return TRUE;
}

CSize CGridCellBase::GetTextExtent(LPCTSTR szText, CDC* pDC)
{
    CGridCtrl* pGrid = GetGrid();
    CGridDefaultCell* pDefault = GetDefaultCell();
    const CSize defaultSize = pDefault ? CSize(pDefault->GetWidth(), pDefault->GetHeight()) : CSize(0, 0);
    const BOOL bHasText = szText && *szText;
    if (!bHasText)
        return defaultSize;
    CDC* pOwnDC = nullptr;
    if (!pDC) {
        if (pGrid && pGrid->GetSafeHwnd())
            pOwnDC = pDC = pGrid->GetDC();
        if (!pDC)
            return defaultSize;
    }
    CFont* pOldFont = nullptr;
    if (CFont* pFont = GetFontObject())
        pOldFont = pDC->SelectObject(pFont);

    CSize size;
    const DWORD nFormat = GetFormat();
    const CString text(szText);
    if (!(nFormat & DT_WORDBREAK) || (nFormat & DT_SINGLELINE)) {
        size = pDC->GetTextExtent(text);
    } else {
        int widest = 0;
        int start = 0;
        while (start <= text.GetLength()) {
            int end = text.Find(L'\n', start);
            if (end < 0)
                end = text.GetLength();
            widest = std::max(widest, int(pDC->GetTextExtent(text.Mid(start, end - start)).cx));
            start = end + 1;
        }
        CRect rect(0, 0, widest + 1, 0);
        pDC->DrawText(text, &rect, nFormat | DT_CALCRECT);
        size = rect.Size();
    }
    if (pOldFont)
        pDC->SelectObject(pOldFont);
    const int nMargin = int(GetMargin());
    size.cx += 2 * nMargin;
    size.cy += 2 * nMargin;

    LOGFONT lf{};
    if (CFont* pFont = GetFontObject(); pFont && pFont->GetLogFont(&lf) &&
                                        (lf.lfEscapement == 900 || lf.lfEscapement == -900)) {
        std::swap(size.cx, size.cy);
        size.cy += 4 * nMargin;
    }
    if (pOwnDC)
        pGrid->ReleaseDC(pOwnDC);
    return size;
}

CSize CGridCellBase::GetCellExtent(CDC* pDC)
{
    const CSize text = GetTextExtent(GetText(), pDC);
    CSize image(0, 0);
    const int nMargin = int(GetMargin());
    if (ImageSize(this, &image)) {
        if (text.cx > 2 * nMargin)
            image.cx += nMargin;
        image.cy += 2 * nMargin;
    }
    CSize size(text.cx + image.cx + 1, std::max(text.cy, image.cy) + 1);
    if (IsFixed()) {
        size.cx++;
        size.cy++;
    }
    return size;
}

BOOL CGridCellBase::PrintCell(CDC* pDC, int /*nRow*/, int /*nCol*/, CRect rect)
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid || !pDC || rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;
    const int nSaved = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);

    CGridDefaultCell* pDefault = GetDefaultCell();
    COLORREF textClr = RGB(0, 0, 0);
    if (pGrid->m_bPrintShaded && pDefault) {
        COLORREF backClr = GetBackClr();
        if (IsFixed()) {
            if (backClr == CLR_DEFAULT)
                backClr = pDefault->GetBackClr();
        } else if (backClr == pDefault->GetBackClr()) {
            backClr = CLR_DEFAULT;
        }
        textClr = backClr != CLR_DEFAULT ? GetTextClr() : pDefault->GetTextClr();
        if (textClr == CLR_DEFAULT)
            textClr = pDefault->GetTextClr();
        // A black and white printer shows coloured text on white as its grey level.
        if (backClr == CLR_DEFAULT && pDC->GetDeviceCaps(NUMCOLORS) == 2)
            textClr = RGB(int(GetRValue(textClr) * 0.30), int(GetGValue(textClr) * 0.59),
                          int(GetBValue(textClr) * 0.11));
        if (backClr != CLR_DEFAULT) {
            CRect fill = rect;
            fill.InflateRect(1, 1);
            pDC->FillSolidRect(&fill, backClr);
        }
    }
    pDC->SetTextColor(textClr);
    if (CFont* pFont = GetFontObject())
        pDC->SelectObject(pFont);

    if (IsFixed() && pGrid->m_nLineStyle != GRIDLINES_NONE) {
        DrawRaisedEdge(pDC, rect);
        rect.DeflateRect(1, 1);
    }

    const int nMargin = int(GetMargin());
    rect.DeflateRect(nMargin, 0);
    CSize imageSize;
    if (ImageSize(this, &imageSize)) {
        pGrid->GetImageList()->Draw(pDC, GetImage(), rect.TopLeft(), ILD_NORMAL);
        rect.left += imageSize.cx + nMargin;
    }
    const CString text = GetText();
    if (!text.IsEmpty())
        pDC->DrawText(text, &rect, GetFormat() | DT_NOPREFIX);
    pDC->RestoreDC(nSaved);
    return TRUE;
}
