// CCJControlBar: layout sizes, the non-client sizing edge and its drag, the gripper, and the
// optional hide and minimize buttons.
#include "controls/CJControlBar.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/DockContext.h"
#include "platform/ui/framework/Menu.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CCJControlBar, CControlBar)

BEGIN_MESSAGE_MAP(CCJControlBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_NCHITTEST()
    ON_WM_SETCURSOR()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_CONTEXTMENU()
    ON_WM_SYSCOMMAND()
    ON_COMMAND(IDC_CJBAR_HIDE, OnButtonHide)
    ON_COMMAND(IDC_CJBAR_MINIMIZE, OnButtonMinimize)
    ON_UPDATE_COMMAND_UI(IDC_CJBAR_HIDE, OnUpdateButton)
    ON_UPDATE_COMMAND_UI(IDC_CJBAR_MINIMIZE, OnUpdateButton)
END_MESSAGE_MAP()

CCJControlBar::CCJControlBar() = default;

CCJControlBar::~CCJControlBar() = default;

BOOL CCJControlBar::Create(CWnd* pParentWnd, UINT nID, LPCTSTR lpszWindowName, CSize sizeDefault, DWORD dwStyle)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS | CS_NOCLOSE, ::LoadCursor(nullptr, IDC_ARROW),
                                      reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1)));
    m_sizeHorz = m_sizeVert = m_sizeFloat = sizeDefault;
    return CWnd::Create(cls, lpszWindowName, dwStyle & (WS_CHILD | WS_VISIBLE), CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CCJControlBar::IsFloating() const
{
    return m_nDockBarID != AFX_IDW_DOCKBAR_TOP && m_nDockBarID != AFX_IDW_DOCKBAR_LEFT &&
           m_nDockBarID != AFX_IDW_DOCKBAR_RIGHT && m_nDockBarID != AFX_IDW_DOCKBAR_BOTTOM;
}

BOOL CCJControlBar::IsDockedHorizontally() const
{
    return m_nDockBarID == AFX_IDW_DOCKBAR_TOP || m_nDockBarID == AFX_IDW_DOCKBAR_BOTTOM;
}

CImageList* CCJControlBar::SetImageList(CImageList* pImageList)
{
    CImageList* pOld = m_pImageList;
    m_pImageList = pImageList;
    return pOld;
}

CFrameWnd* CCJControlBar::SiteFrame() const
{
    return m_pDockSite ? m_pDockSite : GetDockingFrame();
}

CPoint CCJControlBar::ClientOrigin() const
{
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    CPoint pt(0, 0);
    ClientToScreen(&pt);
    return CPoint(pt.x - rcWnd.left, pt.y - rcWnd.top);
}

// ---------------------------------------------------------------------------------------------
// Layout sizes

CSize CCJControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // The bar spans the side it is docked at: the length of the rectangle its dock bar is
    // laid out in now (before the first layout, the dock bar's window), overlapping 2 at each end.
    int nLength = 32767;
    if (!bStretch) {
        nLength = 0;
        CDockBar* pDock = m_pDockBar && !m_pDockBar->m_bFloating ? m_pDockBar : nullptr;
        if (pDock == nullptr) {
            if (CFrameWnd* pFrame = SiteFrame())
                pDock = DYNAMIC_DOWNCAST(CDockBar,
                                         pFrame->GetControlBar(bHorz ? AFX_IDW_DOCKBAR_TOP : AFX_IDW_DOCKBAR_LEFT));
        }
        if (pDock) {
            CRect rc = pDock->m_rectLayout;
            if (rc.IsRectEmpty())
                pDock->GetWindowRect(&rc);
            nLength = (bHorz ? rc.Width() : rc.Height()) + 4;
        }
    }
    return bHorz ? CSize(nLength, m_sizeHorz.cy) : CSize(m_sizeVert.cx, nLength);
}

CSize CCJControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if (nMode & (LM_HORZDOCK | LM_VERTDOCK))
        return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZDOCK) != 0);
    if (nMode & LM_MRUWIDTH)
        return m_sizeFloat;
    if (nMode & LM_COMMIT) {
        m_sizeFloat.cx = nLength;
        return m_sizeFloat;
    }
    if (nMode & LM_LENGTHY) {
        m_sizeFloat.cy = std::max(nLength, m_cyMin);
        return m_sizeFloat;
    }
    return CSize(std::max(nLength, m_cxMin), m_sizeFloat.cy);
}

void CCJControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CCJControlBar::OnUpdateButton(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

// ---------------------------------------------------------------------------------------------
// Non-client area

void CCJControlBar::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect& rc = *reinterpret_cast<CRect*>(&lpncsp->rgrc[0]);
    const CRect rcWnd(0, 0, rc.Width(), rc.Height());
    m_rcSizeEdge = rcWnd;
    m_rcSizeEdge.DeflateRect(1, 1);
    const int e = m_cxEdge;
    DWORD borders = CBRS_BORDER_ANY;
    CWnd* pParent = GetParent();
    m_nDockBarID = pParent ? UINT(pParent->GetDlgCtrlID()) : 0;
    switch (m_nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP:
        rc.DeflateRect(2, 2, 2, e + 2);
        m_rcSizeEdge.top = m_rcSizeEdge.bottom - e;
        borders &= ~CBRS_BORDER_BOTTOM;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        rc.DeflateRect(2, e + 2, 2, 2);
        m_rcSizeEdge.bottom = m_rcSizeEdge.top + e;
        borders &= ~CBRS_BORDER_TOP;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        rc.DeflateRect(2, 2, e + 2, 6);
        m_rcSizeEdge.left = m_rcSizeEdge.right - e;
        borders &= ~CBRS_BORDER_RIGHT;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        rc.DeflateRect(e + 2, 2, 2, 6);
        m_rcSizeEdge.right = m_rcSizeEdge.left + e;
        borders &= ~CBRS_BORDER_LEFT;
        break;
    default:
        m_rcSizeEdge.SetRectEmpty();
        break;
    }
    // Only the border style changes here: the frame is being recalculated already.
    m_dwStyle = (m_dwStyle & ~CBRS_BORDER_ANY) | borders;
    rc.right = std::max(rc.right, rc.left);
    rc.bottom = std::max(rc.bottom, rc.top);
}

void CCJControlBar::OnNcPaint()
{
    CDC* pDC = GetWindowDC();
    if (pDC == nullptr)
        return;
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    CRect rcClient;
    GetClientRect(&rcClient);
    rcClient.OffsetRect(ClientOrigin());
    rcWnd.OffsetRect(-rcWnd.left, -rcWnd.top);
    pDC->ExcludeClipRect(&rcClient);
    pDC->FillSolidRect(&rcWnd, ::GetSysColor(COLOR_BTNFACE));
    if (!m_rcSizeEdge.IsRectEmpty())
        pDC->Draw3dRect(&m_rcSizeEdge, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    ReleaseDC(pDC);
}

void CCJControlBar::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* pDC = BeginPaint(&ps);
    if (pDC && m_bGripper && !IsFloating()) {
        const COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
        CRect rc;
        GetClientRect(&rc);
        if (IsDockedHorizontally()) {
            // Two vertical lines at the left.
            rc.DeflateRect(3, 3);
            const CRect line(rc.left, rc.top + (m_bButtons ? 30 : 1), rc.left + 3, rc.bottom - 1);
            pDC->Draw3dRect(&line, hilite, shadow);
            pDC->Draw3dRect(line.left + 4, line.top, 3, line.Height(), hilite, shadow);
        } else {
            // Two horizontal lines along the top.
            rc.DeflateRect(4, 4);
            const CRect line(rc.left, rc.top, rc.right - (m_bButtons ? 30 : 2), rc.top + 3);
            pDC->Draw3dRect(&line, hilite, shadow);
            pDC->Draw3dRect(line.left, line.top + 4, line.Width(), 3, hilite, shadow);
        }
    }
    EndPaint(&ps);
    // Painting changes nothing of the layout: the frame is laid out again only when the bar is
    // sized, docked or floated.
}

LRESULT CCJControlBar::OnNcHitTest(CPoint point)
{
    if (IsFloating())
        return CControlBar::OnNcHitTest(point);
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    point.Offset(-rcWnd.left, -rcWnd.top);
    return m_rcSizeEdge.PtInRect(point) ? HTSIZE : HTCLIENT;
}

BOOL CCJControlBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTSIZE && !IsFloating()) {
        ::SetCursor(::LoadCursor(nullptr, IsDockedHorizontally() ? IDC_SIZENS : IDC_SIZEWE));
        return TRUE;
    }
    return CControlBar::OnSetCursor(pWnd, nHitTest, message);
}

// ---------------------------------------------------------------------------------------------
// Dragging the sizing edge

void CCJControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTSIZE && !IsFloating() && !m_bTracking) {
        BeginTracking();
        return;
    }
    CControlBar::OnNcLButtonDown(nHitTest, point);
}

void CCJControlBar::BeginTracking()
{
    SetCapture();
    RedrawWindow(nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (CFrameWnd* pFrame = SiteFrame())
        pFrame->LockWindowUpdate();
    m_rcTrack = m_rcSizeEdge;
    if (!IsDockedHorizontally())
        m_rcTrack.bottom -= 4;
    m_ptStartCenter = m_rcTrack.CenterPoint();
    m_bTracking = TRUE;
    InvertTracker(m_rcTrack);
}

void CCJControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTracking) {
        point.Offset(ClientOrigin());
        TrackTo(point);
        return;
    }
    CControlBar::OnMouseMove(nFlags, point);
}

void CCJControlBar::TrackTo(CPoint ptWindow)
{
    const CPoint centre = m_rcTrack.CenterPoint();
    CRect rcNew = m_rcTrack;
    if (IsDockedHorizontally())
        rcNew.OffsetRect(0, ptWindow.y - centre.y);
    else
        rcNew.OffsetRect(ptWindow.x - centre.x, 0);
    if (rcNew == m_rcTrack)
        return;
    InvertTracker(m_rcTrack);  // erase
    m_rcTrack = rcNew;
    InvertTracker(m_rcTrack);
}

void CCJControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTracking) {
        EndTracking(TRUE);
        return;
    }
    CControlBar::OnLButtonUp(nFlags, point);
}

void CCJControlBar::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bTracking && pWnd != this)
        EndTracking(FALSE);
    CControlBar::OnCaptureChanged(pWnd);
}

void CCJControlBar::EndTracking(BOOL bAccept)
{
    InvertTracker(m_rcTrack);
    CFrameWnd* pFrame = SiteFrame();
    if (pFrame)
        pFrame->UnlockWindowUpdate();
    m_bTracking = FALSE;
    if (CWnd::GetCapture() == this)
        ::ReleaseCapture();
    if (!bAccept || pFrame == nullptr)
        return;

    // The movement of the edge's centre towards the frame's inside, limited between the
    // minimum and the old size plus the frame's client size.
    const CSize moved = m_rcTrack.CenterPoint() - m_ptStartCenter;
    CRect rcFrame;
    pFrame->GetClientRect(&rcFrame);
    const BOOL bHorz = IsDockedHorizontally();
    int nDelta = 0;
    switch (m_nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP:
        nDelta = moved.cy;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        nDelta = -moved.cy;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        nDelta = moved.cx;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        nDelta = -moved.cx;
        break;
    default:
        return;
    }
    if (bHorz) {
        const int nOld = m_sizeHorz.cy;
        m_sizeHorz.cy = std::max(m_cyMin, std::min(nOld + nDelta, nOld + int(rcFrame.Height())));
    } else {
        const int nOld = m_sizeVert.cx;
        m_sizeVert.cx = std::max(m_cxMin, std::min(nOld + nDelta, nOld + int(rcFrame.Width())));
    }
    pFrame->DelayRecalcLayout();
}

void CCJControlBar::InvertTracker(const CRect& rcWindow)
{
    CFrameWnd* pFrame = SiteFrame();
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return;
    // Bar window coordinates to the frame's window coordinates.
    CRect rcBar, rcFrame;
    GetWindowRect(&rcBar);
    pFrame->GetWindowRect(&rcFrame);
    CRect rc = rcWindow;
    rc.OffsetRect(rcBar.left - rcFrame.left, rcBar.top - rcFrame.top);
    rc.DeflateRect(1, 1);
    CDC* pDC = pFrame->GetDCEx(nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (pDC == nullptr)
        return;
    CBrush* pOld = pDC->SelectObject(CDC::GetHalftoneBrush());
    pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATINVERT);
    pDC->SelectObject(pOld);
    pFrame->ReleaseDC(pDC);
}

// ---------------------------------------------------------------------------------------------
// Creation, placement, mouse and menus

int CCJControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CControlBar::OnCreate(lpcs) == -1)
        return -1;
    if (m_bButtons) {
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | BS_ICON | BS_OWNERDRAW;
        if (!m_btnHide.Create(nullptr, style, CRect(0, 0, 12, 12), this, IDC_CJBAR_HIDE) ||
            !m_btnMinimize.Create(nullptr, style, CRect(0, 0, 12, 12), this, IDC_CJBAR_MINIMIZE))
            return -1;
        m_btnHide.SetFlat(FALSE);
        m_btnMinimize.SetFlat(FALSE);
        if (m_toolTip.Create(this)) {
            m_toolTip.Activate(TRUE);
            m_toolTip.AddTool(&m_btnHide, L"Hide Docked Window");
            m_toolTip.AddTool(&m_btnMinimize, L"Minimize Docked Window");
        }
    }
    return 0;
}

BOOL CCJControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(pMsg);
    return CControlBar::PreTranslateMessage(pMsg);
}

void CCJControlBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CControlBar::OnWindowPosChanged(lpwndpos);
    CWnd* pParent = GetParent();
    m_nDockBarID = pParent ? UINT(pParent->GetDlgCtrlID()) : 0;
    if (!m_bInLayout) {
        // The non-client area follows the dock side.
        m_bInLayout = TRUE;
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        m_bInLayout = FALSE;
    }
    if (m_btnHide.GetSafeHwnd() && m_btnMinimize.GetSafeHwnd()) {
        if (IsFloating()) {
            m_btnHide.ShowWindow(SW_HIDE);
            m_btnMinimize.ShowWindow(SW_HIDE);
        } else {
            CRect rc;
            GetClientRect(&rc);
            if (IsDockedHorizontally()) {
                m_btnHide.SetWindowPos(nullptr, 2, 3, 12, 12, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
                m_btnMinimize.SetWindowPos(nullptr, 2, 17, 12, 12, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            } else {
                const int x = rc.right - 19 - 12;
                m_btnMinimize.SetWindowPos(nullptr, x, 3, 12, 12, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
                m_btnHide.SetWindowPos(nullptr, x + 14, 3, 12, 12, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            }
        }
    }
    Invalidate();
}

void CCJControlBar::OnButtonHide()
{
    // The hide button hides the bar, as its tip says.
    if (CFrameWnd* pFrame = SiteFrame())
        pFrame->ShowControlBar(this, FALSE, FALSE);
}

void CCJControlBar::OnButtonMinimize()
{
    if (m_pDockContext)
        m_pDockContext->ToggleDocking();
}

void CCJControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // A bar in a dock bar is not dragged by its client area.
    if (m_pDockBar != nullptr)
        return;
    CControlBar::OnLButtonDown(nFlags, point);
}

void CCJControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockBar != nullptr)
        return;
    CControlBar::OnLButtonDblClk(nFlags, point);
}

void CCJControlBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (m_menuID == 0) {
        CControlBar::OnContextMenu(pWnd, point);
        return;
    }
    if (point.x == -1 && point.y == -1) {
        // From the keyboard: near the bar's top-left corner.
        point = CPoint(5, 5);
        ClientToScreen(&point);
    }
    CMenu menu;
    if (!menu.LoadMenu(m_menuID))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr)
        return;
    CWnd* pOwner = this;
    while (pOwner && (pOwner->GetStyle() & WS_CHILD))
        pOwner = pOwner->GetParent();
    pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, pOwner ? pOwner : this);
}

void CCJControlBar::OnSysCommand(UINT nID, LPARAM lParam)
{
    // System commands take their ordinary way.
    CControlBar::OnSysCommand(nID, lParam);
}
