// CControlBar: bar styles, borders and gripper, the frame layout protocol (WM_SIZEPARENT and
// AfxRepositionBars), delayed showing, idle command update and fly-by prompts.
#include "platform/ui/framework/ControlBar.h"

#include "platform/ui/framework/DockBar.h"
#include "platform/ui/framework/DockContext.h"
#include "platform/ui/framework/DockMiniFrame.h"
#include "platform/ui/framework/Frame.h"
#include "platform/ui/core/MessageMap.h"

#include <algorithm>

namespace {

constexpr int kBorder = 2;          // width of a CBRS_BORDER_* edge
constexpr int kGripper = 7;         // room the gripper takes: 2 + 3 + 2
constexpr UINT_PTR kFlyByTimer = 0xE001;
constexpr UINT kFlyByCheckMs = 200;

// Moves a bar through the layout's batch, or at once when there is no batch.
void RepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    CRect now;
    ::GetWindowRect(hWnd, &now);
    if (HWND hParent = ::GetParent(hWnd)) {
        ::ScreenToClient(hParent, reinterpret_cast<LPPOINT>(&now.left));
        ::ScreenToClient(hParent, reinterpret_cast<LPPOINT>(&now.right));
    }
    if (now == *lpRect)
        return;
    const UINT flags = SWP_NOACTIVATE | SWP_NOZORDER;
    if (lpLayout->hDWP)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top,
                                          lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, flags);
    else
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                       lpRect->bottom - lpRect->top, flags);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The layout of a parent's bars

void AfxRepositionBars(CWnd* pParent, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags,
                       LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch)
{
    if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr)
        return;
    const UINT mode = nFlags & ~reposNoPosLeftOver;
    AFX_SIZEPARENTPARAMS layout;
    layout.bStretch = bStretch;
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(pParent->GetSafeHwnd(), &layout.rect);
    layout.hDWP = mode == reposQuery ? nullptr : ::BeginDeferWindowPos(8);

    // Bars in z-order: the earlier a bar, the nearer it sits to the parent's edge.
    HWND hLeftOver = nullptr;
    for (HWND h = ::GetWindow(pParent->GetSafeHwnd(), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        const UINT id = UINT(::GetDlgCtrlID(h));
        if (id == nIDLeftOver)
            hLeftOver = h;
        else if (id >= nIDFirst && id <= nIDLast && CWnd::FromHandlePermanent(h))
            ::SendMessageW(h, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (mode == reposQuery) {
        if (lpRectParam) {
            if (bStretch)
                ::CopyRect(lpRectParam, &layout.rect);
            else
                ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        }
        return;
    }

    CRect rect = layout.rect;
    if (mode == reposExtra && lpRectParam) {
        rect.left += lpRectParam->left;
        rect.top += lpRectParam->top;
        rect.right -= lpRectParam->right;
        rect.bottom -= lpRectParam->bottom;
    }
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
    if (hLeftOver && !(nFlags & reposNoPosLeftOver))
        RepositionWindow(&layout, hLeftOver, &rect);
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

// ---------------------------------------------------------------------------------------------
// CControlBar

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar() = default;

CControlBar::~CControlBar()
{
    // A bar deleted while its window exists destroys the window now, while the object is
    // still a control bar: it leaves its dock bar (an emptied floating frame goes too) and its
    // frame's list of bars on the way.
    m_bAutoDelete = FALSE;
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
    delete m_pDockContext;
    m_pDockContext = nullptr;
    // A dock bar outlives the bars deleted before it; it must not keep their pointers.
    if (m_pDockBar)
        m_pDockBar->ForgetBar(this);
    m_pDockBar = nullptr;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle == dwStyle)
        return;
    const DWORD changed = m_dwStyle ^ dwStyle;
    m_dwStyle = dwStyle;
    // Borders and the gripper live in the non-client area.
    if (m_hWnd && (changed & (CBRS_BORDER_ANY | CBRS_BORDER_3D | CBRS_GRIPPER | CBRS_ALIGN_ANY | CBRS_FLOATING)))
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = std::max(cxLeft, 0);
    m_cyTopBorder = std::max(cyTop, 0);
    m_cxRightBorder = std::max(cxRight, 0);
    m_cyBottomBorder = std::max(cyBottom, 0);
}

// ---- docking ----

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (m_pDockSite == nullptr && m_hWnd)
        m_pDockSite = AfxGetParentFrame(this);
    if (m_pDockContext == nullptr)
        m_pDockContext = new CDockContext(this);
    // Notifications keep going to the frame when the bar moves into a dock bar.
    if (m_hWndOwner == nullptr && m_hWnd)
        m_hWndOwner = ::GetParent(m_hWnd);
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    if (m_pDockSite)
        return m_pDockSite;
    CFrameWnd* pFrame = AfxGetParentFrame(this);
    if (auto* pMini = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pFrame))
        return pMini->m_wndDockBar.m_pDockSite ? pMini->m_wndDockBar.m_pDockSite : AfxGetParentFrame(pMini);
    return pFrame;
}

BOOL CControlBar::IsFloating() const
{
    return m_pDockBar != nullptr && m_pDockBar->m_bFloating;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) || (m_hWnd && (GetStyle() & WS_VISIBLE));
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~UINT(delayHide | delayShow);
    const BOOL bVisible = m_hWnd && (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

BOOL CControlBar::CommitDelayedShow()
{
    UINT swp = 0;
    const BOOL bVisible = m_hWnd && (GetStyle() & WS_VISIBLE) != 0;
    if ((m_nStateFlags & delayHide) && bVisible)
        swp = SWP_HIDEWINDOW;
    else if ((m_nStateFlags & delayShow) && !bVisible)
        swp = SWP_SHOWWINDOW;
    m_nStateFlags &= ~UINT(delayHide | delayShow);
    if (swp == 0 || m_hWnd == nullptr)
        return FALSE;
    SetWindowPos(nullptr, 0, 0, 0, 0, swp | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

// ---- layout ----

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    // Docked and laid out by the frame: the fixed size for the side it is docked at.
    if (nLength == -1 && !(nMode & (LM_MRUWIDTH | LM_COMMIT)) && (nMode & (LM_HORZDOCK | LM_VERTDOCK)))
        return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZDOCK) != 0);
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += kBorder;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += kBorder;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= kBorder;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= kBorder;
    const BOOL bGripper = (m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
        if (bGripper)
            rect.left += kGripper;
    } else {
        // Turned by a quarter: the long borders run along the bar.
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
        if (bGripper)
            rect.top += kGripper;
    }
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    // A delayed show or hide takes effect with the layout that moves the bars.
    DWORD dwStyle = m_hWnd ? (GetStyle() & WS_VISIBLE) : 0;
    if (m_nStateFlags & (delayShow | delayHide)) {
        if (lpLayout->hDWP)
            CommitDelayedShow();
        dwStyle = IsVisible() ? WS_VISIBLE : 0;
    }
    dwStyle |= m_dwStyle;
    if (!(dwStyle & WS_VISIBLE) || !(dwStyle & CBRS_ALIGN_ANY))
        return 0;

    CRect rect(lpLayout->rect);
    const CSize sizeAvail = rect.Size();
    DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
        dwMode |= LM_HORZ | LM_MRUWIDTH;
    else if (dwStyle & CBRS_ORIENT_HORZ)
        dwMode |= LM_HORZ | LM_HORZDOCK;
    else
        dwMode |= LM_VERTDOCK;
    CSize size = CalcDynamicLayout(-1, dwMode);
    size.cx = std::max(0, std::min<int>(size.cx, sizeAvail.cx));
    size.cy = std::max(0, std::min<int>(size.cy, sizeAvail.cy));

    if (dwStyle & CBRS_ORIENT_HORZ) {
        lpLayout->sizeTotal.cy += size.cy;
        lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, size.cx);
        if (dwStyle & CBRS_ALIGN_TOP) {
            lpLayout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    } else {
        lpLayout->sizeTotal.cx += size.cx;
        lpLayout->sizeTotal.cy = std::max(lpLayout->sizeTotal.cy, size.cy);
        if (dwStyle & CBRS_ALIGN_LEFT) {
            lpLayout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (lpLayout->hDWP)
        RepositionWindow(lpLayout, m_hWnd, &rect);
    return 0;
}

// ---- idle update ----

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    const BOOL bChanged = CommitDelayedShow();
    if (bChanged) {
        if (CFrameWnd* pSite = GetDockingFrame())
            pSite->DelayRecalcLayout();
    }
    // A visible bar (in a visible dock bar) updates its items against its frame.
    if (m_hWnd && (GetStyle() & WS_VISIBLE) &&
        (m_pDockBar == nullptr || (m_pDockBar->GetStyle() & WS_VISIBLE))) {
        CFrameWnd* pTarget = DYNAMIC_DOWNCAST(CFrameWnd, GetOwner());
        if (pTarget == nullptr || DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pTarget))
            pTarget = GetDockingFrame();
        if (pTarget)
            OnUpdateCmdUI(pTarget, BOOL(wParam));
    }
    return 0;
}

// ---- painting ----

void CControlBar::DoPaint(CDC* /*pDC*/) {}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    const COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    // Each border is a sunken line pair: the shadow outside, the highlight inside.
    if (m_dwStyle & CBRS_BORDER_TOP) {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, shadow);
        pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, hilite);
        rect.top += kBorder;
    }
    if (m_dwStyle & CBRS_BORDER_BOTTOM) {
        pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 1, shadow);
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, hilite);
        rect.bottom -= kBorder;
    }
    if (m_dwStyle & CBRS_BORDER_LEFT) {
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), shadow);
        pDC->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), hilite);
        rect.left += kBorder;
    }
    if (m_dwStyle & CBRS_BORDER_RIGHT) {
        pDC->FillSolidRect(rect.right - 2, rect.top, 1, rect.Height(), shadow);
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), hilite);
        rect.right -= kBorder;
    }
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    const COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    // One raised line across the bar's start: 3 pixels thick, 2 from the border.
    if (m_dwStyle & CBRS_ORIENT_HORZ)
        pDC->Draw3dRect(rect.left + m_cxLeftBorder, rect.top + m_cyTopBorder, 3,
                        rect.Height() - m_cyTopBorder - m_cyBottomBorder, hilite, shadow);
    else
        pDC->Draw3dRect(rect.left + m_cyTopBorder, rect.top + m_cxLeftBorder,
                        rect.Width() - m_cyTopBorder - m_cyBottomBorder, 3, hilite, shadow);
}

void CControlBar::EraseNonClient()
{
    if (m_hWnd == nullptr)
        return;
    CDC* pDC = GetWindowDC();
    if (pDC == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    ScreenToClient(&rectWindow);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    pDC->ExcludeClipRect(&rectClient);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    pDC->FillSolidRect(&rectWindow, ::GetSysColor(COLOR_BTNFACE));
    DrawBorders(pDC, rectWindow);
    DrawGripper(pDC, rectWindow);
    ReleaseDC(pDC);
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    // A bar made in a frame belongs to that frame's bars.
    if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, GetParent())) {
        if (m_pDockSite == nullptr && !DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pFrame))
            m_pDockSite = pFrame;
        if (m_pDockSite == pFrame)
            pFrame->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    KillTimer(kFlyByTimer);
    if (m_pDockSite && m_pDockSite->GetSafeHwnd())
        m_pDockSite->RemoveControlBar(this);
    CWnd::OnDestroy();
}

BOOL CControlBar::DestroyWindow()
{
    // Leaving a dock bar first keeps its rows and a floating frame's visibility right.
    if (m_hWnd && m_pDockBar && m_pDockBar->GetSafeHwnd())
        m_pDockBar->RemoveControlBar(this);
    return CWnd::DestroyWindow();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

void CControlBar::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* pDC = BeginPaint(&ps);
    if (pDC)
        DoPaint(pDC);
    EndPaint(&ps);
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CControlBar::OnNcPaint()
{
    EraseNonClient();
}

void CControlBar::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp)
{
    // Borders and gripper are the non-client area: the client holds only the bar's items.
    CRect inset(0, 0, 0, 0);
    CalcInsideRect(inset, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    RECT& rc = lpncsp->rgrc[0];
    rc.left += inset.left;
    rc.top += inset.top;
    rc.right += inset.right;
    rc.bottom += inset.bottom;
    rc.right = std::max(rc.right, rc.left);
    rc.bottom = std::max(rc.bottom, rc.top);
}

void CControlBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    CWnd::OnWindowPosChanging(lpWndPos);
}

void CControlBar::OnWindowPosChanged(WINDOWPOS* lpWndPos)
{
    CWnd::OnWindowPosChanged(lpWndPos);
    // A floating frame is shown with its first visible bar and hidden with its last.
    if (!(lpWndPos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) || !IsFloating())
        return;
    CWnd* pFrame = m_pDockBar->GetParent();
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return;
    const int nVisible = m_pDockBar->GetDockedVisibleCount();
    if (nVisible > 0 && !pFrame->IsWindowVisible()) {
        if (auto* pMini = DYNAMIC_DOWNCAST(CFrameWnd, pFrame))
            pMini->RecalcLayout();
        pFrame->ShowWindow(SW_SHOWNA);
    } else if (nVisible == 0 && pFrame->IsWindowVisible()) {
        pFrame->ShowWindow(SW_HIDE);
    } else if (auto* pMini = DYNAMIC_DOWNCAST(CFrameWnd, pFrame)) {
        pMini->DelayRecalcLayout();
    }
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint pt)
{
    // Pressing the bar's background starts dragging it.
    if (m_pDockBar && m_pDockContext && HitTestItem(pt) < 0) {
        ClientToScreen(&pt);
        m_pDockContext->StartDrag(pt);
        return;
    }
    CWnd::OnLButtonDown(nFlags, pt);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint pt)
{
    // Double-clicking the background docks a floating bar or floats a docked one.
    if (m_pDockBar && m_pDockContext && HitTestItem(pt) < 0) {
        m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, pt);
}

// ---- fly-by prompts ----

int CControlBar::HitTestItem(CPoint point) const
{
    CWnd* pChild = ChildWindowFromPoint(point, CWP_SKIPINVISIBLE);
    if (pChild == nullptr || pChild == this)
        return -1;
    const int id = pChild->GetDlgCtrlID();
    return id > 0 && id != 0xFFFF ? id : -1;
}

void CControlBar::SetStatusText(int nHit)
{
    CWnd* pOwner = GetOwner();
    if (nHit == m_nLastStatusHit || pOwner == nullptr)
        return;
    m_nLastStatusHit = nHit;
    if (nHit < 0) {
        KillTimer(kFlyByTimer);
        pOwner->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
        m_nStateFlags &= ~UINT(statusSet);
    } else {
        pOwner->SendMessage(WM_SETMESSAGESTRING, WPARAM(nHit));
        m_nStateFlags |= statusSet;
        SetTimer(kFlyByTimer, kFlyByCheckMs);
    }
}

void CControlBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kFlyByTimer) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    // The pointer left the bar: the status bar gets its idle text back.
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rc;
    GetWindowRect(&rc);
    if (!rc.PtInRect(pt) || CWnd::WindowFromPoint(pt) == nullptr ||
        (CWnd::WindowFromPoint(pt) != this && !IsChild(CWnd::WindowFromPoint(pt))))
        SetStatusText(-1);
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg)
{
    if ((m_dwStyle & CBRS_FLYBY) && pMsg->message == WM_MOUSEMOVE && m_hWnd &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd))) {
        CPoint pt = pMsg->pt;
        ScreenToClient(&pt);
        const int nHit = HitTestItem(pt);
        if (nHit >= 0 || (m_nStateFlags & statusSet))
            SetStatusText(nHit);
    }
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CWnd::WindowProc(message, wParam, lParam);
}
