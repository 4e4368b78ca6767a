// The window side of the grid: scroll bars and scrolling, painting through an off-screen
// bitmap, the drawing pass over cells and grid lines, and the small window messages (wheel,
// auto-scroll timer, sizing, cursor, colours, fonts, capture).
#include "controls/GridCtrl.h"

#include "platform/ui/core/WndDC.h"

#include <algorithm>

namespace {

// Double buffering: draws into a bitmap of the paint DC's clip box and copies it over when it
// goes. Over a printing DC it draws into that DC directly.
class CGridMemDC {
public:
    explicit CGridMemDC(CDC* pDC) : m_pDC(pDC)
    {
        pDC->GetClipBox(&m_rect);
        if (pDC->IsPrinting() || m_rect.IsRectEmpty() || !m_dc.CreateCompatibleDC(pDC) ||
            !m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height())) {
            m_bMemDC = FALSE;
            return;
        }
        m_pOldBitmap = m_dc.SelectObject(&m_bitmap);
        m_dc.SetWindowOrg(m_rect.left, m_rect.top);
        m_dc.FillSolidRect(&m_rect, pDC->GetBkColor());
    }
    ~CGridMemDC()
    {
        if (!m_bMemDC)
            return;
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), &m_dc, m_rect.left, m_rect.top,
                      SRCCOPY);
        m_dc.SelectObject(m_pOldBitmap);
    }
    CDC* Get() { return m_bMemDC ? &m_dc : m_pDC; }

private:
    CDC* m_pDC;
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
    CRect m_rect;
    BOOL m_bMemDC = TRUE;
};

} // namespace

// ---- scroll bars ----

int CGridCtrl::GetScrollOffset(int nBar, BOOL bGetTrackPos)
{
    if (!GetSafeHwnd())
        return 0;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = bGetTrackPos ? SIF_TRACKPOS : SIF_POS;
    if (!GetScrollInfo(nBar, &si, si.fMask))
        return 0;
    return bGetTrackPos ? si.nTrackPos : si.nPos;
}

BOOL CGridCtrl::SetScrollOffset(int nBar, int nPos, BOOL bRedraw)
{
    m_firstVisibleCell.row = -1;
    if (!GetSafeHwnd())
        return FALSE;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    si.nPos = nPos;
    return SetScrollInfo(nBar, &si, bRedraw);
}

void CGridCtrl::EnableScrollBars(int nBar, BOOL bEnable)
{
    auto apply = [&](int bar, int bit) {
        const BOOL bShown = (m_nScrollBarsShown & bit) != 0;
        if (bShown == bEnable)
            return;
        EnableScrollBarCtrl(bar, bEnable);
        if (bEnable)
            m_nScrollBarsShown |= bit;
        else
            m_nScrollBarsShown &= ~bit;
    };
    if (!GetSafeHwnd())
        return;
    if (nBar == SB_HORZ || nBar == SB_BOTH)
        apply(SB_HORZ, GRIDLINES_HORZ);
    if (nBar == SB_VERT || nBar == SB_BOTH)
        apply(SB_VERT, GRIDLINES_VERT);
}

void CGridCtrl::UpdateScrollBars()
{
    m_firstVisibleCell = CCellID(-1, -1);
    if (!m_bRedraw || !GetSafeHwnd())
        return;
    CRect rect;
    GetClientRect(&rect);
    if (rect.IsRectEmpty())
        return;
    if (m_nScrollBarsShown & GRIDLINES_VERT)
        rect.right += GetSystemMetrics(SM_CXVSCROLL) + GetSystemMetrics(SM_CXBORDER);
    if (m_nScrollBarsShown & GRIDLINES_HORZ)
        rect.bottom += GetSystemMetrics(SM_CYHSCROLL) + GetSystemMetrics(SM_CYBORDER);
    rect.left += GetHeaderColumnsWidth();
    rect.top += GetHeaderRowsHeight();
    if (rect.left >= rect.right || rect.top >= rect.bottom) {
        EnableScrollBars(SB_BOTH, FALSE);
        return;
    }
    const int virtualHeight = GetTotalHeight() - GetHeaderRowsHeight();
    const int virtualWidth = GetTotalWidth() - GetHeaderColumnsWidth();
    if (rect.Height() < virtualHeight)
        rect.right -= GetSystemMetrics(SM_CXVSCROLL);
    if (rect.Width() < virtualWidth)
        rect.bottom -= GetSystemMetrics(SM_CYHSCROLL);

    if (rect.Height() < virtualHeight) {
        EnableScrollBars(SB_VERT, TRUE);
        m_nVertScrollMax = virtualHeight - 1;
    } else {
        EnableScrollBars(SB_VERT, FALSE);
        m_nVertScrollMax = 0;
    }
    if (rect.Width() < virtualWidth) {
        EnableScrollBars(SB_HORZ, TRUE);
        m_nHorzScrollMax = virtualWidth - 1;
    } else {
        EnableScrollBars(SB_HORZ, FALSE);
        m_nHorzScrollMax = 0;
    }
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = 0;
    si.nMax = m_nHorzScrollMax;
    si.nPage = m_nHorzScrollMax > 0 ? UINT(rect.Width()) : 0;
    SetScrollInfo(SB_HORZ, &si, TRUE);
    // No SIF_DISABLENOSCROLL: on this platform it would keep a disabled bar over the cells of a
    // grid whose rows all fit.
    si.nMax = m_nVertScrollMax;
    si.nPage = m_nVertScrollMax > 0 ? UINT(rect.Height()) : 0;
    SetScrollInfo(SB_VERT, &si, TRUE);
}

int CGridCtrl::GetMouseScrollLines()
{
    UINT lines = 3;
    if (SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0))
        return lines == UINT(-1) ? -1 : int(lines);
    return 3;
}

// ---- scrolling ----

void CGridCtrl::OnVScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/) { ScrollAlong(SB_VERT, nSBCode); }

void CGridCtrl::OnHScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/) { ScrollAlong(SB_HORZ, nSBCode); }

void CGridCtrl::ScrollAlong(int nBar, UINT nSBCode)
{
    StopCellEdit();
    const BOOL bVert = nBar == SB_VERT;
    const int pos = GetScrollOffset(nBar);
    const CCellID topLeft = GetFirstVisibleCell();
    const int first = bVert ? topLeft.row : topLeft.col;
    const int count = bVert ? m_nRowCount : m_nColumnCount;
    const int fixed = bVert ? m_nFixedRowCount : m_nFixedColumnCount;
    const int maxPos = bVert ? m_nVertScrollMax : m_nHorzScrollMax;
    const int header = bVert ? GetHeaderRowsHeight() : GetHeaderColumnsWidth();
    auto extent = [&](int i) { return bVert ? GetRowHeight(i) : GetColumnWidth(i); };
    CRect client;
    GetClientRect(&client);
    const int page = (bVert ? client.Height() : client.Width()) - header;
    // Lines and pages move only what lies below or right of the headers.
    CRect moved = client;
    (bVert ? moved.top : moved.left) = header;
    auto moveTo = [&](int newPos, BOOL bWhole) {
        SetScrollOffset(nBar, newPos);
        if (GetScrollOffset(nBar) != pos) {
            m_firstVisibleCell = CCellID(-1, -1);
            if (bWhole)
                Invalidate(TRUE);
            else
                InvalidateRect(&moved, TRUE);
        }
    };
    switch (nSBCode) {
    case SB_LINEDOWN:  // and SB_LINERIGHT
        if (pos < maxPos) {
            int i = first;
            while (i < count - 2 && extent(i) == 0)
                ++i;
            moveTo(pos + std::max(0, extent(i)), FALSE);
        }
        break;
    case SB_LINEUP:  // and SB_LINELEFT
        if (pos > 0 && first > fixed) {
            int i = first - 1;
            while (i > fixed && extent(i) == 0)
                --i;
            moveTo(std::max(0, pos - extent(i)), FALSE);
        }
        break;
    case SB_PAGEDOWN:  // and SB_PAGERIGHT
        if (pos < maxPos)
            moveTo(std::min(maxPos, pos + page), FALSE);
        break;
    case SB_PAGEUP:  // and SB_PAGELEFT
        if (pos > 0)
            moveTo(std::max(0, pos - page), FALSE);
        break;
    case SB_TOP:  // and SB_LEFT
        if (pos > 0)
            moveTo(0, TRUE);
        break;
    case SB_BOTTOM:  // and SB_RIGHT
        if (pos < maxPos)
            moveTo(maxPos, TRUE);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        moveTo(GetScrollOffset(nBar, TRUE), FALSE);
        break;
    default:
        break;
    }
}

BOOL CGridCtrl::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (m_nWheelLines == -1) {
        const int n = zDelta / 120;
        for (int i = 0; i < std::abs(n); ++i)
            PostMessage(WM_VSCROLL, n > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0);
    } else {
        const int n = m_nWheelLines * zDelta / 120;
        for (int i = 0; i < std::abs(n); ++i)
            PostMessage(WM_VSCROLL, n > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    }
    return TRUE;
}

// ---- painting ----

BOOL CGridCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;  // the drawing pass paints every pixel
}

void CGridCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_bOffscreenPaint) {
        CGridMemDC memDC(&dc);
        OnDraw(memDC.Get());
    } else {
        OnDraw(&dc);
    }
}

void CGridCtrl::EraseBkgnd(CDC* pDC)
{
    CRect clip;
    if (pDC->GetClipBox(&clip) == ERROR)
        return;
    CRect visible;
    GetVisibleScrollableRange(&visible);
    const int W = GetHeaderColumnsWidth();
    const int H = GetHeaderRowsHeight();
    const COLORREF corner = m_defaultCornerCell.GetBackClr();
    const COLORREF fixedCol = m_defaultFixedColumnCell.GetBackClr();
    const COLORREF fixedRow = m_defaultFixedRowCell.GetBackClr();
    const COLORREF normal = m_defaultCell.GetBackClr();
    if (clip.left < W && clip.top < H)
        pDC->FillSolidRect(CRect(clip.left, clip.top, W, H), corner);
    if (clip.left < W && clip.top < visible.bottom)
        pDC->FillSolidRect(CRect(clip.left, std::max(clip.top, LONG(H)), W, visible.bottom), fixedCol);
    if (clip.top < H && clip.right > W && clip.left < visible.right)
        pDC->FillSolidRect(CRect(W - 1, clip.top, visible.right, H), fixedRow);
    CRect cells;
    if (cells.IntersectRect(&visible, &clip)) {
        cells.left = std::max(LONG(W), cells.left);
        cells.top = std::max(LONG(H), cells.top);
        if (!cells.IsRectEmpty())
            pDC->FillSolidRect(&cells, normal);
    }
    if (visible.right < clip.right)
        pDC->FillSolidRect(CRect(visible.right, clip.top, clip.right, clip.bottom), m_crBackground);
    if (visible.bottom < clip.bottom && clip.left < visible.right)
        pDC->FillSolidRect(CRect(clip.left, visible.bottom, visible.right, clip.bottom), m_crBackground);
}

BOOL CGridCtrl::OnDraw(CDC* pDC)
{
    CRect clip;
    if (!m_bRedraw || pDC->GetClipBox(&clip) == ERROR)
        return FALSE;
    EraseBkgnd(pDC);
    const int fixedHeight = GetHeaderRowsHeight();
    const int fixedWidth = GetHeaderColumnsWidth();
    CRect visibleRect;
    const CCellRange visible = GetVisibleScrollableRange(&visibleRect);
    if (m_bVirtual)
        SendCacheHintToParent(visible);

    // The cells of a block of rows and columns placed from (x0, y0), as far as the clip box
    // reaches; with bLeftHalves only the left halves of double-width characters.
    auto drawBlock = [&](int firstRow, int lastRow, int y0, int firstCol, int lastCol, int x0, BOOL bLeftHalves) {
        int y = y0;
        for (int row = firstRow; row >= 0 && row <= lastRow && y <= clip.bottom; ++row) {
            const int h = GetRowHeight(row);
            int x = x0;
            for (int col = firstCol; col >= 0 && col <= lastCol && x <= clip.right; ++col) {
                const int w = GetColumnWidth(col);
                if (w > 0 && h > 0 && (!bLeftHalves || IsLeftHalf(row, col)))
                    if (CGridCellBase* pCell = GetCell(row, col))
                        pCell->Draw(pDC, row, col, CRect(x, y, x + w - 1, y + h - 1), FALSE);
                x += w;
            }
            y += h;
        }
    };
    // Fixed corner, fixed columns of the visible rows, fixed rows of the visible columns.
    const int lastFixedRow = m_nFixedRowCount - 1, lastFixedCol = m_nFixedColumnCount - 1;
    drawBlock(0, lastFixedRow, 0, 0, lastFixedCol, 0, FALSE);
    drawBlock(visible.GetMinRow(), visible.GetMaxRow(), fixedHeight, 0, lastFixedCol, 0, FALSE);
    drawBlock(0, lastFixedRow, 0, visible.GetMinCol(), visible.GetMaxCol(), fixedWidth, FALSE);
    // The scrollable cells, then the left halves once more over their right neighbours.
    for (BOOL bLeftHalves : {FALSE, TRUE})
        drawBlock(visible.GetMinRow(), visible.GetMaxRow(), fixedHeight, visible.GetMinCol(), visible.GetMaxCol(),
                  fixedWidth, bLeftHalves);

    // Grid lines: vertical ones cell by cell, none inside a double-width character.
    CPen pen(PS_SOLID, 0, m_crLineColour);
    CPen* pOldPen = pDC->SelectObject(&pen);
    int y = fixedHeight;
    if (m_nLineStyle & GRIDLINES_VERT) {
        for (int row = visible.GetMinRow(); row >= 0 && row <= visible.GetMaxRow() && y <= clip.bottom; ++row) {
            const int h = GetRowHeight(row);
            int x = fixedWidth;
            for (int col = visible.GetMinCol(); col >= 0 && col <= visible.GetMaxCol() && x <= clip.right; ++col) {
                x += GetColumnWidth(col);
                if (!IsLeftHalf(row, col)) {
                    pDC->MoveTo(x - 1, y - 1);
                    pDC->LineTo(x - 1, y + h - 1);
                }
            }
            y += h;
        }
    }
    if (m_nLineStyle & GRIDLINES_HORZ) {
        y = fixedHeight;
        for (int row = visible.GetMinRow(); row >= 0 && row <= visible.GetMaxRow() && y <= clip.bottom; ++row) {
            y += GetRowHeight(row);
            pDC->MoveTo(fixedWidth, y - 1);
            pDC->LineTo(clip.right, y - 1);
        }
    }
    pDC->SelectObject(pOldPen);
    if (m_bVirtual)
        SendCacheHintToParent(CCellRange(-1, -1, -1, -1));
    DrawFields(pDC);
    return TRUE;
}

BOOL CGridCtrl::RedrawCell(int nRow, int nCol, CDC* pDC)
{
    if (!m_bRedraw || !GetSafeHwnd() || !IsCellVisible(nRow, nCol))
        return FALSE;
    CRect rect;
    if (!GetCellRect(nRow, nCol, &rect))
        return FALSE;
    const BOOL bLeftHalf = IsLeftHalf(nRow, nCol);
    if (bLeftHalf && !IsValid(nRow, nCol + 1))
        return FALSE;
    CDC* pOwnDC = nullptr;
    if (!pDC) {
        pOwnDC = pDC = GetDC();
        if (!pDC) {
            InvalidateCell(nRow, nCol);
            return TRUE;
        }
    }
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell) {
        pCell->Draw(pDC, nRow, nCol, rect, TRUE);
        if (nRow >= m_nFixedRowCount && nCol >= m_nFixedColumnCount) {
            const int right = bLeftHalf ? rect.right + GetColumnWidth(nCol + 1) : rect.right;
            CPen pen(PS_SOLID, 0, m_crLineColour);
            CPen* pOld = pDC->SelectObject(&pen);
            if (m_nLineStyle & GRIDLINES_HORZ) {
                pDC->MoveTo(rect.left, rect.bottom);
                pDC->LineTo(right + 1, rect.bottom);
            }
            if (m_nLineStyle & GRIDLINES_VERT) {
                pDC->MoveTo(right, rect.top);
                pDC->LineTo(right, rect.bottom + 1);
            }
            pDC->SelectObject(pOld);
        }
        // The character of a covered right half shows again over it.
        if (IsRightHalf(nRow, nCol) && nCol > 0 && IsLeftHalf(nRow, nCol - 1) && !pOwnDC)
            RedrawCell(nRow, nCol - 1, pDC);
    }
    if (pOwnDC)
        ReleaseDC(pOwnDC);
    return TRUE;
}

// ---- small messages ----

void CGridCtrl::OnSize(UINT nType, int cx, int cy)
{
    static bool s_bInside = false;
    if (s_bInside || !GetSafeHwnd())
        return;
    s_bInside = true;
    m_dropTarget.Register(this);
    StopCellEdit();
    CWnd::OnSize(nType, cx, cy);
    UpdateScrollBars();
    s_bInside = false;
}

UINT CGridCtrl::OnGetDlgCode()
{
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bTabMovesFocus && !(GetKeyState(VK_CONTROL) < 0))
        code |= DLGC_WANTTAB;
    return code;
}

void CGridCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != 0x201)
        return;
    CPoint pt;
    GetCursorPos(&pt);
    ScreenToClient(&pt);
    CRect client;
    GetClientRect(&client);
    const int H = GetHeaderRowsHeight();
    const int W = GetHeaderColumnsWidth();
    auto extend = [&](CPoint p) { ExtendSelectionTo(GetCellFromPt(p, TRUE)); };
    if (pt.y > client.bottom) {
        SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        extend(CPoint(std::clamp(pt.x, client.left, client.right), client.bottom));
    } else if (pt.y < H) {
        SendMessage(WM_KEYDOWN, VK_UP, 0);
        extend(CPoint(std::clamp(pt.x, client.left, client.right), H + 1));
    }
    if (pt.x > client.right) {
        SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
        extend(CPoint(client.right, std::clamp(pt.y, client.top, client.bottom)));
    } else if (pt.x < W) {
        SendMessage(WM_KEYDOWN, VK_LEFT, 0);
        extend(CPoint(W + 1, std::clamp(pt.y, client.top, client.bottom)));
    }
}

BOOL CGridCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest != HTCLIENT)
        return CWnd::OnSetCursor(pWnd, nHitTest, message);
    switch (m_nMouseMode) {
    case GRIDMOUSE_OVER_COL_DIVIDE:
        ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
        break;
    case GRIDMOUSE_OVER_ROW_DIVIDE:
        ::SetCursor(::LoadCursor(nullptr, IDC_SIZENS));
        break;
    case GRIDMOUSE_DRAGGING:
        break;
    default:
        if (!m_bVirtual) {
            CPoint pt;
            GetCursorPos(&pt);
            ScreenToClient(&pt);
            const CCellID cell = GetCellFromPt(pt, TRUE);
            if (CGridCellBase* pCell = GetCell(cell.row, cell.col)) {
                pCell->OnSetCursor();
                break;
            }
        }
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        break;
    }
    return TRUE;
}

void CGridCtrl::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd == this)
        return;
    if (m_nAutoScrollTimer) {
        KillTimer(m_nAutoScrollTimer);
        m_nAutoScrollTimer = 0;
    }
    if (m_nMouseMode == GRIDMOUSE_DRAGGING)
        m_nMouseMode = GRIDMOUSE_NOTHING;
}

void CGridCtrl::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    for (CGridDefaultCell* pCell : {&m_defaultCell, &m_defaultFixedColumnCell, &m_defaultFixedRowCell,
                                     &m_defaultCornerCell}) {
        if (pCell->GetTextClr() == m_crSysText)
            pCell->SetTextColour(text);
        if (pCell->GetBackClr() == m_crSysWindow)
            pCell->SetBackColour(window);
    }
    if (m_crBackground == m_crShadowColour)
        m_crBackground = GetSysColor(COLOR_BTNSHADOW);
    m_crSysText = text;
    m_crSysWindow = window;
    m_crSysFace = GetSysColor(COLOR_BTNFACE);
    m_crShadowColour = GetSysColor(COLOR_BTNSHADOW);
}

LRESULT CGridCtrl::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = DefWindowProc(WM_SETFONT, wParam, lParam);
    LOGFONT lf{};
    if (CFont* pFont = CFont::FromHandle(HFONT(wParam)); pFont && pFont->GetLogFont(&lf)) {
        // Whatever font the dialog gives, the grid shows its own fixed one.
        lf.lfHeight = 24;
        lf.lfWidth = 8;
        wcscpy(lf.lfFaceName, L"Arial");
        for (CGridDefaultCell* pCell : {&m_defaultCell, &m_defaultFixedColumnCell, &m_defaultFixedRowCell,
                                         &m_defaultCornerCell})
            pCell->SetFont(&lf);
        Refresh();
    }
    return result;
}

LRESULT CGridCtrl::OnGetFont(WPARAM, LPARAM)
{
    CFont* pFont = m_defaultCell.GetFontObject();
    return pFont ? LRESULT(HFONT(*pFont)) : 0;
}
