// The docking members of CFrameWnd: its four dock bars, docking and floating bars, and the
// floating frames.
#include "platform/ui/framework/DockBar.h"
#include "platform/ui/framework/DockContext.h"
#include "platform/ui/framework/DockMiniFrame.h"
#include "platform/ui/framework/Frame.h"

namespace {

// The dock bars in the order they are made: top and bottom first, so that they take the whole
// width of the frame and the left and right ones fit between them.
const struct {
    UINT id;
    DWORD side;
} kDockBars[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT},
};

// The dock bar window of a frame, found among its children (the bar list may not hold it yet).
CDockBar* FindDockBar(CFrameWnd* pFrame, UINT nID)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return nullptr;
    CWnd* pWnd = CWnd::FromHandlePermanent(::GetDlgItem(pFrame->GetSafeHwnd(), int(nID)));
    return DYNAMIC_DOWNCAST(CDockBar, pWnd);
}

}  // namespace

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle |= dwDockStyle & CBRS_ALIGN_ANY;
    if (m_pFloatingFrameClass == nullptr)
        m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    for (const auto& d : kDockBars) {
        if (!(dwDockStyle & d.side) || FindDockBar(this, d.id) != nullptr)
            continue;
        auto* pDock = new CDockBar(FALSE);
        pDock->m_bAutoDelete = TRUE;
        const DWORD border = d.side == CBRS_ALIGN_TOP      ? CBRS_BORDER_BOTTOM
                             : d.side == CBRS_ALIGN_BOTTOM ? CBRS_BORDER_TOP
                             : d.side == CBRS_ALIGN_LEFT   ? CBRS_BORDER_RIGHT
                                                           : CBRS_BORDER_LEFT;
        if (!pDock->Create(this, WS_CHILD | WS_VISIBLE | d.side | border, d.id)) {
            delete pDock;
            continue;
        }
        pDock->m_pDockSite = this;
        if (GetControlBar(d.id) == nullptr)
            AddControlBar(pDock);
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    if (pBar == nullptr)
        return;
    CDockBar* pDockBar = nDockBarID ? FindDockBar(this, nDockBarID) : nullptr;
    if (pDockBar == nullptr) {
        // The side the bar is aligned to when allowed, else the first allowed one.
        const DWORD allowed = pBar->m_dwDockStyle ? pBar->m_dwDockStyle : CBRS_ALIGN_ANY;
        for (const auto& d : kDockBars) {
            if ((pBar->m_dwStyle & CBRS_ALIGN_ANY & d.side) && (allowed & d.side) &&
                (pDockBar = FindDockBar(this, d.id)) != nullptr)
                break;
        }
        for (const auto& d : kDockBars) {
            if (pDockBar == nullptr && (allowed & d.side))
                pDockBar = FindDockBar(this, d.id);
        }
    }
    if (pDockBar == nullptr)
        return;  // docking was not enabled on any side the bar may use
    DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pBar == nullptr || pDockBar == nullptr)
        return;
    if (pBar->m_pDockSite == nullptr)
        pBar->m_pDockSite = this;
    if (pBar->m_pDockContext)
        pBar->m_pDockContext->m_pDockSite = this;
    if (GetControlBar(UINT(pBar->GetDlgCtrlID())) != pBar && !m_listControlBars.Find(pBar))
        AddControlBar(pBar);
    pDockBar->DockControlBar(pBar, lpRect);
    DelayRecalcLayout();
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle)
{
    CRuntimeClass* pClass = m_pFloatingFrameClass ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
    CObject* pObject = pClass->CreateObject();
    auto* pFrame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pObject);
    if (pFrame == nullptr) {
        delete pObject;  // not a floating frame class
        return nullptr;
    }
    if (!pFrame->Create(this, dwStyle)) {
        // A frame whose window was made deletes itself when it goes; one without is ours.
        if (pFrame->GetSafeHwnd())
            pFrame->DestroyWindow();
        else
            delete pFrame;
        return nullptr;
    }
    return pFrame;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (pBar == nullptr)
        return;
    if (pBar->m_pDockSite == nullptr)
        pBar->m_pDockSite = this;

    // Alone in a floating frame with the same orientation already: only move the frame.
    if (CDockBar* pOld = pBar->m_pDockBar;
        pOld && pOld->m_bFloating && pOld->GetDockedCount() == 1 && (dwStyle & pOld->m_dwStyle & CBRS_ALIGN_ANY)) {
        if (auto* pFrame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pOld->GetParent())) {
            pFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pFrame->RecalcLayout(TRUE);
            pFrame->UpdateWindow();
            return;
        }
    }
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        // A bar that sizes itself floats horizontally.
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT)
            dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    }
    CMiniDockFrameWnd* pFrame = CreateFloatingFrame(dwStyle);
    if (pFrame == nullptr)
        return;  // the bar stays where it is
    pFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pFrame->m_wndDockBar.m_pDockSite = this;
    pFrame->m_wndDockBar.DockControlBar(pBar);
    pFrame->RecalcLayout(TRUE);
    if (pBar->GetStyle() & WS_VISIBLE) {
        pFrame->ShowWindow(SW_SHOWNA);
        pFrame->UpdateWindow();
    }
    RecalcLayout();
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar)
{
    for (const auto& d : kDockBars) {
        if (!(dwDockStyle & d.side))
            continue;
        CDockBar* pDock = FindDockBar(this, d.id);
        if (pDock == nullptr || !(pDock->GetStyle() & WS_VISIBLE))
            continue;
        CRect rectBar;
        pDock->GetWindowRect(&rectBar);
        // An empty dock bar still catches a bar dragged over its edge of the frame.
        if (rectBar.Width() == 0)
            rectBar.right++;
        if (rectBar.Height() == 0)
            rectBar.bottom++;
        CRect rectHit;
        if (rectHit.IntersectRect(&rectBar, &rect)) {
            if (ppDockBar)
                *ppDockBar = pDock;
            return d.side;
        }
    }
    return 0;
}
