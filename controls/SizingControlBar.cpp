// CSizingControlBar: creation, docked and floating sizes, the non-client area with its
// draggable edges, and the sharing of a dock row among sizing bars.
#include "controls/SizingControlBar.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/App.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CSizingControlBar, CControlBar)

BEGIN_MESSAGE_MAP(CSizingControlBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETTINGCHANGE()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCHITTEST()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

namespace {

BOOL DragFullWindows()
{
    BOOL b = FALSE;
    ::SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &b, 0);
    return b;
}

}  // namespace

CSizingControlBar::CSizingControlBar() = default;

CSizingControlBar::~CSizingControlBar() = default;

BOOL CSizingControlBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL /*bHasGripper*/,
                               UINT nID, DWORD dwStyle)
{
    m_szHorz = m_szVert = m_szFloat = sizeDefault;
    return Create(lpszWindowName, pParentWnd, nID, dwStyle);
}

BOOL CSizingControlBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                      reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1)));
    const DWORD wndStyle = (dwStyle & ~CBRS_ALL) | WS_CLIPCHILDREN;
    return CWnd::Create(cls, lpszWindowName, wndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

void CSizingControlBar::EnableDocking(DWORD dwDockStyle)
{
    if (m_pDockContext == nullptr) {
        if (m_pDockSite == nullptr && m_hWnd)
            m_pDockSite = AfxGetParentFrame(this);
        m_pDockContext = new CSCBDockContext(this);
    }
    CControlBar::EnableDocking(dwDockStyle);
}

BOOL CSizingControlBar::IsDockedHorizontally() const
{
    return m_nDockBarID == AFX_IDW_DOCKBAR_TOP || m_nDockBarID == AFX_IDW_DOCKBAR_BOTTOM;
}

BOOL CSizingControlBar::IsDockedVertically() const
{
    return m_nDockBarID == AFX_IDW_DOCKBAR_LEFT || m_nDockBarID == AFX_IDW_DOCKBAR_RIGHT;
}

BOOL CSizingControlBar::IsTrackingAlongRow() const
{
    if (IsDockedHorizontally())
        return m_htEdge == HTLEFT || m_htEdge == HTRIGHT;
    return m_htEdge == HTTOP || m_htEdge == HTBOTTOM;
}

void CSizingControlBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHndler*/) {}

// ---------------------------------------------------------------------------------------------
// Profile

BOOL CSizingControlBar::SaveState(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return FALSE;
    CString section;
    section.Format(L"%ls-SCBar-%d", lpszProfileName, GetDlgCtrlID());
    pApp->WriteProfileInt(section, L"sizeHorzCX", m_szHorz.cx);
    pApp->WriteProfileInt(section, L"sizeHorzCY", m_szHorz.cy);
    pApp->WriteProfileInt(section, L"sizeVertCX", m_szVert.cx);
    pApp->WriteProfileInt(section, L"sizeVertCY", m_szVert.cy);
    pApp->WriteProfileInt(section, L"sizeFloatCX", m_szFloat.cx);
    return pApp->WriteProfileInt(section, L"sizeFloatCY", m_szFloat.cy);
}

void CSizingControlBar::LoadState(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    CString section;
    section.Format(L"%ls-SCBar-%d", lpszProfileName, GetDlgCtrlID());
    auto read = [&](LPCTSTR entry, LONG now, LONG min) {
        const int v = pApp->GetProfileInt(section, entry, int(now));
        return v >= min ? LONG(v) : min;
    };
    m_szHorz.cx = read(L"sizeHorzCX", m_szHorz.cx, m_szMinHorz.cx);
    m_szHorz.cy = read(L"sizeHorzCY", m_szHorz.cy, m_szMinHorz.cy);
    m_szVert.cx = read(L"sizeVertCX", m_szVert.cx, m_szMinVert.cx);
    m_szVert.cy = read(L"sizeVertCY", m_szVert.cy, m_szMinVert.cy);
    m_szFloat.cx = read(L"sizeFloatCX", m_szFloat.cx, m_szMinFloat.cx);
    m_szFloat.cy = read(L"sizeFloatCY", m_szFloat.cy, m_szMinFloat.cy);
}

// ---------------------------------------------------------------------------------------------
// Creation, settings, plain messages

int CSizingControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CControlBar::OnCreate(lpcs) == -1)
        return -1;
    m_bDragShowContent = DragFullWindows();
    return 0;
}

void CSizingControlBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CControlBar::OnSettingChange(uFlags, lpszSection);
    m_bDragShowContent = DragFullWindows();
}

void CSizingControlBar::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    // The edges depend on the bar's place in its row: every move recomputes them.
    lpwndpos->flags |= SWP_FRAMECHANGED;
    CControlBar::OnWindowPosChanging(lpwndpos);
    CWnd* pParent = GetParent();
    m_nDockBarID = pParent ? UINT(pParent->GetDlgCtrlID()) : 0;
    if (!IsSizingFloating() && (lpwndpos->flags & SWP_SHOWWINDOW))
        m_bKeepSize = TRUE;
}

LRESULT CSizingControlBar::OnSetText(WPARAM wParam, LPARAM lParam)
{
    const LRESULT r = Default();
    // A floating frame's caption shows the bar's title.
    if (IsSizingFloating() && m_pDockBar && m_pDockBar->m_bFloating) {
        if (auto* pFrame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, m_pDockBar->GetParent())) {
            m_pDockBar->SetWindowText(reinterpret_cast<LPCTSTR>(lParam));
            pFrame->DelayRecalcLayout();
        }
    }
    (void)wParam;
    return r;
}

void CSizingControlBar::OnPaint()
{
    // The child window fills the client area; only the update region is cleared.
    PAINTSTRUCT ps;
    BeginPaint(&ps);
    EndPaint(&ps);
}

void CSizingControlBar::OnClose()
{
    // Closing a bar is hiding it, which its frame does; the bar itself stays.
}

void CSizingControlBar::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    CControlBar::OnNcMouseMove(nHitTest, point);
}

void CSizingControlBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    if (m_dwSCBStyle & SCBS_SIZECHILD) {
        if (CWnd* pChild = GetWindow(GW_CHILD))
            pChild->MoveWindow(0, 0, cx, cy);
    }
}

void CSizingControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // Pressing the client area of a bar in a dock bar drags it.
    if (m_pDockBar != nullptr && m_pDockContext != nullptr) {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CSizingControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockBar != nullptr) {
        // A floating bar docks again; a docked one stays where it is.
        if (IsSizingFloating() && m_pDockContext != nullptr)
            m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

// ---------------------------------------------------------------------------------------------
// Non-client area

void CSizingControlBar::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp)
{
    m_dwSCBStyle &= ~SCBS_EDGEALL;
    // Edges between this bar and its sizing neighbours in the row can be dragged.
    if (!IsSizingFloating()) {
        CSCBArray bars;
        int nThis = -1;
        CollectRowBars(bars, &nThis);
        if (nThis >= 0) {
            const BOOL bHorz = IsDockedHorizontally();
            if (nThis > 0)
                m_dwSCBStyle |= bHorz ? SCBS_EDGELEFT : SCBS_EDGETOP;
            if (nThis < int(bars.size()) - 1)
                m_dwSCBStyle |= bHorz ? SCBS_EDGERIGHT : SCBS_EDGEBOTTOM;
        }
    }
    CalcClientArea(&lpncsp->rgrc[0], m_nDockBarID);
    RECT& rc = lpncsp->rgrc[0];
    rc.right = std::max(rc.right, rc.left);
    rc.bottom = std::max(rc.bottom, rc.top);
}

void CSizingControlBar::CalcClientArea(LPRECT lpRect, UINT nDockBarID)
{
    CRect rc(lpRect);
    rc.DeflateRect(3, 5, 3, 3);
    if (nDockBarID != AFX_IDW_DOCKBAR_FLOAT)
        rc.DeflateRect(2, 0, 2, 2);
    // The edge that faces the frame's client area sizes the whole row.
    switch (nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP:
        m_dwSCBStyle |= SCBS_EDGEBOTTOM;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        m_dwSCBStyle |= SCBS_EDGERIGHT;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        m_dwSCBStyle |= SCBS_EDGELEFT;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        m_dwSCBStyle |= SCBS_EDGETOP;
        break;
    default:
        break;
    }
    if (m_dwSCBStyle & SCBS_SHOWEDGES) {
        rc.DeflateRect((m_dwSCBStyle & SCBS_EDGELEFT) ? m_cxEdge : 0, (m_dwSCBStyle & SCBS_EDGETOP) ? m_cxEdge : 0,
                       (m_dwSCBStyle & SCBS_EDGERIGHT) ? m_cxEdge : 0, (m_dwSCBStyle & SCBS_EDGEBOTTOM) ? m_cxEdge : 0);
    }
    *lpRect = rc;
}

BOOL CSizingControlBar::CalcEdgeRect(UINT nHitTest, CRect& rcEdge) const
{
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    rcEdge = CRect(0, 0, rcWnd.Width(), rcWnd.Height());
    if (m_dwSCBStyle & SCBS_SHOWEDGES)
        rcEdge.DeflateRect(1, 1);
    const BOOL bHorz = IsDockedHorizontally();
    switch (nHitTest) {
    case HTLEFT:
    case HTRIGHT:
        if (!(m_dwSCBStyle & (nHitTest == HTLEFT ? SCBS_EDGELEFT : SCBS_EDGERIGHT)))
            return FALSE;
        if (nHitTest == HTLEFT)
            rcEdge.right = rcEdge.left + m_cxEdge;
        else
            rcEdge.left = rcEdge.right - m_cxEdge;
        if (bHorz)
            rcEdge.DeflateRect(0, m_cxEdge);
        return TRUE;
    case HTTOP:
    case HTBOTTOM:
        if (!(m_dwSCBStyle & (nHitTest == HTTOP ? SCBS_EDGETOP : SCBS_EDGEBOTTOM)))
            return FALSE;
        if (nHitTest == HTTOP)
            rcEdge.bottom = rcEdge.top + m_cxEdge;
        else
            rcEdge.top = rcEdge.bottom - m_cxEdge;
        if (!bHorz)
            rcEdge.DeflateRect(m_cxEdge, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CSizingControlBar::OnNcHitTest(CPoint point)
{
    if (IsSizingFloating())
        return HTCLIENT;
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    point.Offset(-rcWnd.left, -rcWnd.top);
    for (UINT hit : {UINT(HTLEFT), UINT(HTTOP), UINT(HTRIGHT), UINT(HTBOTTOM)}) {
        CRect rc;
        if (CalcEdgeRect(hit, rc) && rc.PtInRect(point))
            return hit;
    }
    return HTCLIENT;
}

void CSizingControlBar::OnNcPaint()
{
    CDC* pWinDC = GetWindowDC();
    if (pWinDC == nullptr)
        return;
    CRect rcBar;
    GetWindowRect(&rcBar);
    CRect rcClient;
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcBar.left, -rcBar.top);
    rcBar.OffsetRect(-rcBar.left, -rcBar.top);

    // Composed off-screen and copied in one step, so the frame does not flicker.
    CDC mdc;
    mdc.CreateCompatibleDC(pWinDC);
    CBitmap bm;
    bm.CreateCompatibleBitmap(pWinDC, std::max(1, rcBar.Width()), std::max(1, rcBar.Height()));
    CBitmap* pOld = mdc.SelectObject(&bm);

    CRect rcDraw = rcBar;
    DrawBorders(&mdc, rcDraw);
    mdc.FillSolidRect(&rcDraw, ::GetSysColor(COLOR_BTNFACE));
    if (m_dwSCBStyle & SCBS_SHOWEDGES) {
        const COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
        for (UINT hit : {UINT(HTLEFT), UINT(HTTOP), UINT(HTRIGHT), UINT(HTBOTTOM)}) {
            CRect rc;
            if (CalcEdgeRect(hit, rc))
                mdc.Draw3dRect(&rc, hilite, shadow);
        }
    }
    PaintGripper(&mdc, rcClient);

    pWinDC->IntersectClipRect(&rcBar);
    pWinDC->ExcludeClipRect(&rcClient);
    pWinDC->BitBlt(0, 0, rcBar.Width(), rcBar.Height(), &mdc, 0, 0, SRCCOPY);
    mdc.SelectObject(pOld);
    ReleaseDC(pWinDC);
}

void CSizingControlBar::PaintGripper(CDC* /*pDC*/, CRect /*rcClient*/) {}

// ---------------------------------------------------------------------------------------------
// Rows

void CSizingControlBar::GetRowRange(int& nFirst, int& nLast) const
{
    nFirst = nLast = -1;
    if (m_pDockBar == nullptr)
        return;
    const int nPos = m_pDockBar->FindBar(const_cast<CSizingControlBar*>(this));
    if (nPos <= 0)
        return;
    m_pDockBar->GetRowRange(nPos, nFirst, nLast);
}

void CSizingControlBar::CollectRowBars(CSCBArray& arrBars, int* pnThis) const
{
    arrBars.clear();
    if (pnThis)
        *pnThis = -1;
    int nFirst, nLast;
    GetRowRange(nFirst, nLast);
    for (int i = nFirst; i >= 0 && i <= nLast; ++i) {
        CControlBar* pBar = m_pDockBar->GetDockedControlBar(i);
        if (pBar == nullptr || !pBar->IsVisible())
            continue;
        auto* pSCB = DYNAMIC_DOWNCAST(CSizingControlBar, pBar);
        if (pSCB == nullptr)
            continue;
        if (pSCB == this && pnThis)
            *pnThis = int(arrBars.size());
        arrBars.push_back(pSCB);
    }
}

CSize CSizingControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bStretch)
        return bHorz ? CSize(32767, m_szHorz.cy) : CSize(m_szVert.cx, 32767);

    if (m_pDockBar != nullptr && !IsSizingFloating() && !m_pDockBar->m_bLayoutQuery) {
        // Pending shows and hides of the row take effect before the row is shared.
        int nFirst, nLast;
        GetRowRange(nFirst, nLast);
        for (int i = nFirst; i >= 0 && i <= nLast; ++i) {
            CControlBar* pBar = m_pDockBar->GetDockedControlBar(i);
            if (auto* pSCB = DYNAMIC_DOWNCAST(CSizingControlBar, pBar))
                pSCB->CommitDelayedShow();
        }

        CRect rcAvail = m_pDockBar->m_rectLayout;
        if (rcAvail.IsRectEmpty() && m_pDockSite && m_pDockSite->GetSafeHwnd())
            m_pDockSite->GetClientRect(&rcAvail);
        // The row runs from 2 before the dock bar's start to 2 past its end (bars overlap
        // their neighbours and the dock bar's edges by 2).
        const int nLengthTotal = (bHorz ? rcAvail.Width() : rcAvail.Height()) + 2;

        CSCBArray bars;
        CollectRowBars(bars);
        if (IsVisible() && m_bParentSizing && !bars.empty() && bars.front() == this) {
            if (DistributeRowLength(nLengthTotal, bHorz))
                AlignRowBars();
        }
    }
    m_bParentSizing = FALSE;

    const int nLength = std::max(Length(bHorz), MinLength(bHorz));
    const int nThickness = std::max(Thickness(bHorz), MinThickness(bHorz));
    return bHorz ? CSize(nLength, nThickness) : CSize(nThickness, nLength);
}

CSize CSizingControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if (nMode & (LM_HORZDOCK | LM_VERTDOCK)) {
        if (nLength == -1)
            m_bParentSizing = TRUE;
        return CControlBar::CalcDynamicLayout(nLength, nMode);
    }
    if (!(nMode & (LM_MRUWIDTH | LM_COMMIT))) {
        if (nMode & LM_LENGTHY)
            m_szFloat.cy = nLength;
        else
            m_szFloat.cx = nLength;
    }
    m_szFloat.cx = std::max(m_szFloat.cx, m_szMinFloat.cx);
    m_szFloat.cy = std::max(m_szFloat.cy, m_szMinFloat.cy);
    return m_szFloat;
}

BOOL CSizingControlBar::DistributeRowLength(int nLengthTotal, BOOL bHorz)
{
    int nFirst, nLast;
    GetRowRange(nFirst, nLast);
    if (nFirst < 0)
        return TRUE;
    const int nThisPos = m_pDockBar->FindBar(this);

    int nLengthMin = 2;
    int nLengthAvail = nLengthTotal;
    int nLengthSizing = 0;
    int nWidthMax = 0;
    for (int i = nFirst; i <= nLast; ++i) {
        CControlBar* pBar = m_pDockBar->GetDockedControlBar(i);
        if (pBar == nullptr || !pBar->IsVisible())
            continue;
        auto* pSCB = DYNAMIC_DOWNCAST(CSizingControlBar, pBar);
        // A bar is never shared less than its minimum (its layout size is at least that).
        if (pSCB && pSCB->Length(bHorz) < pSCB->MinLength(bHorz))
            pSCB->SetLength(bHorz, pSCB->MinLength(bHorz));
        CRect rc;
        pBar->GetWindowRect(&rc);
        const int nWndLength = bHorz ? rc.Width() : rc.Height();
        nLengthMin += (pSCB ? pSCB->MinLength(bHorz) : nWndLength) - 2;
        if (nLengthMin > nLengthTotal) {
            // The minimum lengths no longer fit: the row is broken in two.
            if (i < nThisPos) {
                m_pDockBar->m_arrBars.InsertAt(i + 1, static_cast<void*>(nullptr));
                return FALSE;
            }
            if (i == nThisPos) {
                SetLength(bHorz, MinLength(bHorz));
                return TRUE;
            }
            m_pDockBar->m_arrBars.InsertAt(i, static_cast<void*>(nullptr));
            break;
        }
        if (pSCB) {
            nLengthSizing += pSCB->Length(bHorz) - 2;
            nWidthMax = std::max(nWidthMax, pSCB->Thickness(bHorz));
        } else {
            nLengthAvail -= nWndLength - 2;
        }
    }

    CSCBArray bars;
    CollectRowBars(bars);
    int nDelta = nLengthAvail - nLengthSizing;
    if (bars.size() <= 1) {
        if (nDelta != 0) {
            m_bKeepSize = FALSE;
            SetLength(bHorz, Length(bHorz) + nDelta);
        }
        return TRUE;
    }

    for (CSizingControlBar* pBar : bars)
        pBar->SetThickness(bHorz, nWidthMax);

    // The difference goes one pixel at a time to the bars in row order, sparing the bars
    // that keep their size and those at their minimum when shrinking.
    int nIdlePasses = 0;
    while (nDelta != 0 && nIdlePasses < 2) {
        const int nDeltaOld = nDelta;
        for (CSizingControlBar* pBar : bars) {
            if (pBar->m_bKeepSize)
                continue;
            const int nLength = pBar->Length(bHorz);
            if (nLength <= pBar->MinLength(bHorz) && nDelta < 0)
                continue;
            pBar->SetLength(bHorz, nLength + (nDelta > 0 ? 1 : -1));
            nDelta += nDelta > 0 ? -1 : 1;
            if (nDelta == 0)
                break;
        }
        if (nDelta == nDeltaOld || nDelta == 0) {
            for (CSizingControlBar* pBar : bars)
                pBar->m_bKeepSize = FALSE;
        }
        // Two passes in a row that change nothing: every bar is at its minimum.
        nIdlePasses = nDelta == nDeltaOld ? nIdlePasses + 1 : 0;
    }
    return TRUE;
}

void CSizingControlBar::AlignRowBars()
{
    int nFirst, nLast;
    GetRowRange(nFirst, nLast);
    if (nFirst < 0)
        return;
    const BOOL bHorz = IsDockedHorizontally();
    int nPos = -AFX_DOCK_OVERLAP;
    BOOL bMoved = FALSE;
    for (int i = nFirst; i <= nLast; ++i) {
        CControlBar* pBar = m_pDockBar->GetDockedControlBar(i);
        if (pBar == nullptr || !pBar->IsVisible())
            continue;
        CRect rc;
        pBar->GetWindowRect(&rc);
        m_pDockBar->ScreenToClient(&rc);
        if (auto* pSCB = DYNAMIC_DOWNCAST(CSizingControlBar, pBar))
            rc = CRect(rc.TopLeft(), bHorz ? pSCB->m_szHorz : pSCB->m_szVert);
        CRect rcNow;
        pBar->GetWindowRect(&rcNow);
        m_pDockBar->ScreenToClient(&rcNow);
        rc.OffsetRect(bHorz ? nPos - rc.left : 0, bHorz ? 0 : nPos - rc.top);
        if (rc != rcNow) {
            pBar->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
            bMoved = TRUE;
        }
        nPos += (bHorz ? rc.Width() : rc.Height()) - AFX_DOCK_OVERLAP;
    }
    // A layout of the frame follows a change, not every sharing of the row: otherwise each
    // layout would ask for the next.
    if (bMoved && m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
}

// ---------------------------------------------------------------------------------------------
// Dragging an edge

void CSizingControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (!m_bTracking && !IsSizingFloating() && nHitTest >= UINT(HTLEFT) && nHitTest <= UINT(HTBOTTOMRIGHT)) {
        BeginEdgeTracking(nHitTest, point);
        return;
    }
    CControlBar::OnNcLButtonDown(nHitTest, point);
}

void CSizingControlBar::BeginEdgeTracking(UINT nHitTest, CPoint point)
{
    SetCapture();
    if (!m_bDragShowContent)
        RedrawWindow(nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
    m_htEdge = nHitTest;
    m_bTracking = TRUE;

    const BOOL bHorzTracking = m_htEdge == HTLEFT || m_htEdge == HTRIGHT;
    const int nOrgPos = bHorzTracking ? point.x : point.y;
    CRect rcEdge;
    CalcEdgeRect(m_htEdge, rcEdge);
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    rcEdge.OffsetRect(rcWnd.TopLeft());
    const int nEdgeCenter = bHorzTracking ? rcEdge.CenterPoint().x : rcEdge.CenterPoint().y;
    m_nTrackPosOld = nOrgPos;
    m_nTrackEdgeOfs = nOrgPos - nEdgeCenter;
    m_nTrackPosMin = m_nTrackPosMax = nOrgPos;

    const BOOL bHorz = IsDockedHorizontally();
    CSCBArray bars;
    int nThis = -1;
    CollectRowBars(bars, &nThis);
    if (!IsTrackingAlongRow()) {
        // Across the row: no thinner than the row's largest minimum, no thicker than leaves
        // the frame's views 2 pixels.
        int nMinThick = MinThickness(bHorz);
        for (CSizingControlBar* pBar : bars)
            nMinThick = std::max(nMinThick, pBar->MinThickness(bHorz));
        const int nExcess = Thickness(bHorz) - nMinThick;
        CRect rcViews(0, 0, 0, 0);
        if (m_pDockSite)
            m_pDockSite->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rcViews);
        const int nRoom = (bHorz ? rcViews.Height() : rcViews.Width()) - 2;
        if (m_htEdge == HTTOP || m_htEdge == HTLEFT) {
            m_nTrackPosMin -= nRoom;
            m_nTrackPosMax += nExcess;
        } else {
            m_nTrackPosMin -= nExcess;
            m_nTrackPosMax += nRoom;
        }
    } else {
        // Along the row: the bars on the shrinking side can give up their length down to their
        // minimum lengths.
        if (m_htEdge == HTBOTTOM || m_htEdge == HTRIGHT)
            ++nThis;
        for (int i = 0; i < int(bars.size()); ++i) {
            const int nSpare = bars[i]->Length(bHorz) - bars[i]->MinLength(bHorz);
            if (i < nThis)
                m_nTrackPosMin -= nSpare;
            else
                m_nTrackPosMax += nSpare;
        }
    }
    InvertEdgeTracker();
}

void CSizingControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTracking) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        TrackEdgeTo(ptScreen);
    }
    CControlBar::OnMouseMove(nFlags, point);
}

void CSizingControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTracking)
        EndEdgeTracking();
    CControlBar::OnLButtonUp(nFlags, point);
}

void CSizingControlBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (m_bTracking)
        EndEdgeTracking();
    CControlBar::OnRButtonDown(nFlags, point);
}

void CSizingControlBar::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bTracking && pWnd != this)
        EndEdgeTracking();
    CControlBar::OnCaptureChanged(pWnd);
}

void CSizingControlBar::EndEdgeTracking()
{
    InvertEdgeTracker();
    m_bTracking = FALSE;
    if (CWnd::GetCapture() == this)
        ::ReleaseCapture();
    if (m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
}

void CSizingControlBar::TrackEdgeTo(CPoint& point)
{
    const BOOL bHorzTracking = m_htEdge == HTLEFT || m_htEdge == HTRIGHT;
    const int nTrackPos = std::clamp(int(bHorzTracking ? point.x : point.y), m_nTrackPosMin, m_nTrackPosMax);
    int nDelta = nTrackPos - m_nTrackPosOld;
    if (nDelta == 0)
        return;
    InvertEdgeTracker();  // erase
    m_nTrackPosOld = nTrackPos;

    const BOOL bHorz = IsDockedHorizontally();
    CSize sizeNew = bHorz ? m_szHorz : m_szVert;
    switch (m_htEdge) {
    case HTLEFT:
        sizeNew.cx -= nDelta;
        break;
    case HTTOP:
        sizeNew.cy -= nDelta;
        break;
    case HTRIGHT:
        sizeNew.cx += nDelta;
        break;
    case HTBOTTOM:
        sizeNew.cy += nDelta;
        break;
    default:
        break;
    }

    CSCBArray bars;
    int nThis = -1;
    CollectRowBars(bars, &nThis);
    if (!IsTrackingAlongRow()) {
        const int nThick = bHorz ? sizeNew.cy : sizeNew.cx;
        for (CSizingControlBar* pBar : bars)
            pBar->SetThickness(bHorz, nThick);
    } else if (nThis >= 0) {
        // One neighbour grows by the movement, the bars beyond the other side give it up.
        int nGrowing = nThis;
        BOOL bBefore = m_htEdge == HTTOP || m_htEdge == HTLEFT;
        if (bBefore && nDelta > 0)
            --nGrowing;
        if (!bBefore && nDelta < 0)
            ++nGrowing;
        if (nGrowing != nThis)
            bBefore = !bBefore;
        if (nGrowing >= 0 && nGrowing < int(bars.size())) {
            int nLeft = std::abs(nDelta);
            bars[nGrowing]->SetLength(bHorz, bars[nGrowing]->Length(bHorz) + nLeft);
            const int nStep = bBefore ? -1 : 1;
            for (int i = nGrowing + nStep; nLeft > 0 && i >= 0 && i < int(bars.size()); i += nStep) {
                const int nGive = std::min(nLeft, bars[i]->Length(bHorz) - bars[i]->MinLength(bHorz));
                if (nGive <= 0)
                    continue;
                bars[i]->SetLength(bHorz, bars[i]->Length(bHorz) - nGive);
                nLeft -= nGive;
            }
        }
    }

    InvertEdgeTracker();
    if (m_bDragShowContent && m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
}

void CSizingControlBar::InvertEdgeTracker()
{
    if (m_bDragShowContent || m_pDockSite == nullptr || m_pDockSite->GetSafeHwnd() == nullptr)
        return;
    CRect rc;
    if (!CalcEdgeRect(m_htEdge, rc))
        return;
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    rc.OffsetRect(rcWnd.TopLeft());
    const BOOL bHorzTracking = m_htEdge == HTLEFT || m_htEdge == HTRIGHT;
    if (!IsTrackingAlongRow() && m_pDockBar) {
        // Across the row the tracker spans the whole dock bar.
        CRect rcDock;
        m_pDockBar->GetWindowRect(&rcDock);
        if (bHorzTracking) {
            rc.top = rcDock.top + 1;
            rc.bottom = rcDock.bottom - 1;
        } else {
            rc.left = rcDock.left + 1;
            rc.right = rcDock.right - 1;
        }
    }
    const int nCenter = m_nTrackPosOld - m_nTrackEdgeOfs;
    const int nOfs = nCenter - (bHorzTracking ? rc.CenterPoint().x : rc.CenterPoint().y);
    rc.OffsetRect(bHorzTracking ? nOfs : 0, bHorzTracking ? 0 : nOfs);
    CRect rcSite;
    m_pDockSite->GetWindowRect(&rcSite);
    rc.OffsetRect(-rcSite.left, -rcSite.top);

    CDC* pDC = m_pDockSite->GetDCEx(nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (pDC == nullptr)
        return;
    CBrush* pOld = pDC->SelectObject(CDC::GetHalftoneBrush());
    pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATINVERT);
    pDC->SelectObject(pOld);
    m_pDockSite->ReleaseDC(pDC);
}

// ---------------------------------------------------------------------------------------------
// CSCBDockContext

void CSCBDockContext::StartDrag(CPoint pt)
{
    if (m_pBar->GetSafeHwnd() == nullptr)
        return;
    m_bDragging = TRUE;
    InitLoop();
    if (m_pDockSite == nullptr) {
        CancelLoop();
        m_bDragging = FALSE;
        return;
    }

    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptLast = pt;
    const CSize sizeHorz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    const CSize sizeVert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
    const CSize sizeFloat = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
    m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
    // The floating frame: a sizing border around the bar, which overlaps it by 2.
    m_rectFrameDragHorz = CRect(rect.TopLeft(), sizeFloat);
    CMiniFrameWnd::CalcBorders(&m_rectFrameDragHorz, WS_THICKFRAME);
    m_rectFrameDragHorz.DeflateRect(2, 2);
    m_rectFrameDragVert = m_rectFrameDragHorz;

    KeepDragRectsUnder(pt);

    m_dwOverDockStyle = CanDock();
    Move(pt);
    Track();
}

// ---------------------------------------------------------------------------------------------
// CSCBMiniDockFrameWnd

IMPLEMENT_DYNCREATE(CSCBMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CSCBMiniDockFrameWnd, CMiniDockFrameWnd)
    ON_WM_NCLBUTTONDOWN()
    ON_WM_GETMINMAXINFO()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CSCBMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    return CMiniDockFrameWnd::Create(pParent, dwBarStyle);
}

CSizingControlBar* CSCBMiniDockFrameWnd::FindSizingBar() const
{
    CWnd* pDock = GetWindow(GW_CHILD);
    CWnd* pBar = pDock ? pDock->GetWindow(GW_CHILD) : nullptr;
    return pBar ? DYNAMIC_DOWNCAST(CSizingControlBar, CWnd::FromHandlePermanent(pBar->GetSafeHwnd())) : nullptr;
}

void CSCBMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    // The border sizes the frame itself (and with it the bar's floating size).
    if (nHitTest == HTCAPTION || nHitTest == HTCLOSE || FindSizingBar() == nullptr)
        CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
    else
        CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CSCBMiniDockFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CMiniDockFrameWnd::OnGetMinMaxInfo(lpMMI);
    if (CSizingControlBar* pBar = FindSizingBar()) {
        CRect rc(CPoint(0, 0), pBar->m_szMinFloat - CSize(4, 4));
        CMiniFrameWnd::CalcBorders(&rc, WS_THICKFRAME);
        lpMMI->ptMinTrackSize.x = rc.Width();
        lpMMI->ptMinTrackSize.y = rc.Height();
    }
}

void CSCBMiniDockFrameWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    if ((GetStyle() & MFS_4THICKFRAME) && FindSizingBar() != nullptr) {
        // From now on the bar paints its own caption band: the frame keeps only a sizing
        // border, and this move keeps the size until the next layout.
        lpwndpos->flags |= SWP_NOSIZE;
        m_wndDockBar.ModifyStyle(0, WS_CLIPCHILDREN);
        ModifyStyle(WS_CAPTION | WS_SYSMENU | MFS_4THICKFRAME, WS_THICKFRAME);
        DelayRecalcLayout();
        if (CSizingControlBar* pBar = FindSizingBar())
            pBar->PostMessage(WM_NCPAINT);
    }
    CMiniDockFrameWnd::OnWindowPosChanging(lpwndpos);
}

void CSCBMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CSizingControlBar* pBar = FindSizingBar();
    if (pBar && pBar->IsVisible() && !(GetStyle() & MFS_4THICKFRAME) && cx + 4 >= pBar->m_szMinFloat.cx &&
        cy + 4 >= pBar->m_szMinFloat.cy)
        pBar->m_szFloat = CSize(cx + 4, cy + 4);
    CMiniDockFrameWnd::OnSize(nType, cx, cy);
}
