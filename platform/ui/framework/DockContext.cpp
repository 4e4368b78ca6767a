// CDockContext: the drag, resize and toggle of a dockable bar.
#include "platform/ui/framework/DockContext.h"

#include "platform/ui/framework/DockBar.h"
#include "platform/ui/framework/Frame.h"
#include "platform/ui/framework/DockMiniFrame.h"

#include <algorithm>

namespace {

constexpr int kThinBorder = 1;   // the tracker of a docked place
constexpr int kThickBorder = 3;  // the tracker of a floating place

// Moves rect the least distance that puts pt on or inside it.
void EnsurePointInside(CRect& rect, CPoint pt)
{
    if (pt.x < rect.left)
        rect.OffsetRect(pt.x - rect.left, 0);
    else if (pt.x > rect.right)
        rect.OffsetRect(pt.x - rect.right, 0);
    if (pt.y < rect.top)
        rect.OffsetRect(0, pt.y - rect.top);
    else if (pt.y > rect.bottom)
        rect.OffsetRect(0, pt.y - rect.bottom);
}

BOOL IsHorzStyle(DWORD dw) { return (dw & CBRS_ORIENT_HORZ) != 0; }

}  // namespace

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite)
{
    m_dwDockStyle = pBar->m_dwDockStyle;
    m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI);
}

CDockContext::~CDockContext()
{
    if (m_pDC)
        CancelLoop();
}

void CDockContext::AdjustWindowForFloat(CRect& rect)
{
    // The floating frame around the bar: a tool window caption and a thin sizing border.
    CMiniFrameWnd::CalcBorders(&rect, WS_THICKFRAME | WS_CAPTION);
}

// ---------------------------------------------------------------------------------------------
// Drag

void CDockContext::StartDrag(CPoint pt)
{
    if (m_pBar->GetSafeHwnd() == nullptr || m_pDockSite == nullptr)
        return;
    m_bDragging = TRUE;
    InitLoop();

    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptLast = pt;

    if (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        const CSize sizeHorz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
        const CSize sizeVert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
        const CSize sizeFloat = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
        m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
        m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
        m_rectFrameDragHorz = CRect(rect.TopLeft(), sizeFloat);
        AdjustWindowForFloat(m_rectFrameDragHorz);
        m_rectFrameDragVert = m_rectFrameDragHorz;
    } else {
        const CSize sizeHorz = m_pBar->CalcFixedLayout(FALSE, TRUE);
        const CSize sizeVert = m_pBar->CalcFixedLayout(FALSE, FALSE);
        m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
        m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
        m_rectFrameDragHorz = m_rectDragHorz;
        m_rectFrameDragVert = m_rectDragVert;
        AdjustWindowForFloat(m_rectFrameDragHorz);
        AdjustWindowForFloat(m_rectFrameDragVert);
    }
    KeepDragRectsUnder(pt);

    m_dwOverDockStyle = CanDock();
    Move(pt);
    Track();
}

void CDockContext::Move(CPoint pt)
{
    const CPoint ptOffset(pt.x - m_ptLast.x, pt.y - m_ptLast.y);
    m_rectDragHorz.OffsetRect(ptOffset);
    m_rectDragVert.OffsetRect(ptOffset);
    m_rectFrameDragHorz.OffsetRect(ptOffset);
    m_rectFrameDragVert.OffsetRect(ptOffset);
    m_ptLast = pt;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown)
{
    if (nChar == VK_CONTROL && m_bForceFrame != bDown) {
        m_bForceFrame = bDown;
        m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
        DrawFocusRect();
    }
}

void CDockContext::RememberDockedPlace()
{
    CDockBar* pDockBar = m_pBar->m_pDockBar;
    if (pDockBar == nullptr || pDockBar->m_bFloating)
        return;
    m_uMRUDockID = UINT(pDockBar->GetDlgCtrlID());
    m_pBar->GetWindowRect(&m_rectMRUDockPos);
    pDockBar->ScreenToClient(&m_rectMRUDockPos);
}

void CDockContext::EndDrag()
{
    CancelLoop();
    if (m_dwOverDockStyle != 0) {
        CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle);
        if (pDockBar == nullptr)
            return;
        CRect rect = (m_dwOverDockStyle & CBRS_ORIENT_VERT) ? m_rectDragVert : m_rectDragHorz;
        m_uMRUDockID = UINT(pDockBar->GetDlgCtrlID());
        m_rectMRUDockPos = rect;
        pDockBar->ScreenToClient(&m_rectMRUDockPos);
        m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
        m_pDockSite->RecalcLayout();
        return;
    }
    RememberDockedPlace();
    const BOOL bVert = !(m_dwStyle & CBRS_SIZE_DYNAMIC) && IsHorzStyle(m_dwStyle) == m_bFlip;
    m_dwMRUFloatStyle = (bVert ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP) | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_ptMRUFloatPos = (bVert ? m_rectFrameDragVert : m_rectFrameDragHorz).TopLeft();
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
}

// ---------------------------------------------------------------------------------------------
// Resize of a floating bar

void CDockContext::StartResize(int nHitTest, CPoint pt)
{
    if (m_pBar->GetSafeHwnd() == nullptr || !m_pBar->IsFloating())
        return;
    m_bDragging = FALSE;
    m_nHitTest = nHitTest;
    InitLoop();

    CWnd* pFrame = m_pBar->GetParent() ? m_pBar->GetParent()->GetParent() : nullptr;
    if (pFrame == nullptr)
        return;
    CRect rectBar;
    m_pBar->GetWindowRect(&rectBar);
    CRect rectFrame;
    pFrame->GetWindowRect(&rectFrame);
    m_rectFrameBorders = CRect(rectBar.left - rectFrame.left, rectBar.top - rectFrame.top,
                               rectFrame.right - rectBar.right, rectFrame.bottom - rectBar.bottom);
    m_rectRequestedSize = rectBar;
    m_rectActualSize = rectBar;
    m_rectActualFrameSize = rectFrame;
    m_ptStart = pt;
    m_ptLast = pt;
    DrawFocusRect();
    Track();
}

void CDockContext::Stretch(CPoint pt)
{
    const CPoint ptOffset(pt.x - m_ptLast.x, pt.y - m_ptLast.y);
    m_ptLast = pt;
    if (m_nHitTest == HTLEFT || m_nHitTest == HTTOPLEFT || m_nHitTest == HTBOTTOMLEFT)
        m_rectRequestedSize.left += ptOffset.x;
    if (m_nHitTest == HTRIGHT || m_nHitTest == HTTOPRIGHT || m_nHitTest == HTBOTTOMRIGHT)
        m_rectRequestedSize.right += ptOffset.x;
    if (m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT)
        m_rectRequestedSize.top += ptOffset.y;
    if (m_nHitTest == HTBOTTOM || m_nHitTest == HTBOTTOMLEFT || m_nHitTest == HTBOTTOMRIGHT)
        m_rectRequestedSize.bottom += ptOffset.y;

    // The bar decides what it can be: it is asked for the width (or the height when only the
    // vertical edges move) and answers with the size it takes.
    const BOOL bLengthY = m_nHitTest == HTTOP || m_nHitTest == HTBOTTOM;
    const int nLength = bLengthY ? m_rectRequestedSize.Height() : m_rectRequestedSize.Width();
    const CSize size = m_pBar->CalcDynamicLayout(std::max(nLength, 0), LM_HORZ | (bLengthY ? LM_LENGTHY : 0));

    CRect rect = m_rectRequestedSize;
    if (m_nHitTest == HTLEFT || m_nHitTest == HTTOPLEFT || m_nHitTest == HTBOTTOMLEFT)
        rect.left = rect.right - size.cx;
    else
        rect.right = rect.left + size.cx;
    if (m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT)
        rect.top = rect.bottom - size.cy;
    else
        rect.bottom = rect.top + size.cy;
    m_rectActualSize = rect;
    m_rectActualFrameSize = CRect(rect.left - m_rectFrameBorders.left, rect.top - m_rectFrameBorders.top,
                                  rect.right + m_rectFrameBorders.right, rect.bottom + m_rectFrameBorders.bottom);
    DrawFocusRect();
}

void CDockContext::EndResize()
{
    CancelLoop();
    // Commit the width, then the layout of the floating frame follows.
    const BOOL bLengthY = m_nHitTest == HTTOP || m_nHitTest == HTBOTTOM;
    m_pBar->CalcDynamicLayout(bLengthY ? m_rectActualSize.Height() : m_rectActualSize.Width(),
                              LM_HORZ | LM_COMMIT | (bLengthY ? LM_LENGTHY : 0));
    CWnd* pFrame = m_pBar->GetParent() ? m_pBar->GetParent()->GetParent() : nullptr;
    if (auto* pMini = DYNAMIC_DOWNCAST(CFrameWnd, pFrame)) {
        pMini->SetWindowPos(nullptr, m_rectActualFrameSize.left, m_rectActualFrameSize.top, 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pMini->RecalcLayout();
    }
}

// ---------------------------------------------------------------------------------------------
// Toggle

void CDockContext::ToggleDocking()
{
    if (m_pDockSite == nullptr)
        return;
    if (m_pBar->IsFloating()) {
        // Back to the remembered place, or to the first side it may dock at.
        CDockBar* pDockBar = nullptr;
        if (m_uMRUDockID != 0)
            pDockBar = DYNAMIC_DOWNCAST(CDockBar, m_pDockSite->GetControlBar(m_uMRUDockID));
        if (pDockBar == nullptr) {
            static const DWORD order[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_LEFT, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_RIGHT};
            for (DWORD side : order) {
                if ((m_dwDockStyle & side) && (pDockBar = GetDockBar(side)) != nullptr)
                    break;
            }
        }
        if (pDockBar == nullptr)
            return;
        // Remember where it floated, for the way back.
        if (CWnd* pFrame = m_pBar->GetParent() ? m_pBar->GetParent()->GetParent() : nullptr) {
            CRect rc;
            pFrame->GetWindowRect(&rc);
            m_ptMRUFloatPos = rc.TopLeft();
        }
        if (UINT(pDockBar->GetDlgCtrlID()) == m_uMRUDockID && !m_rectMRUDockPos.IsRectNull()) {
            CRect rect = m_rectMRUDockPos;
            pDockBar->ClientToScreen(&rect);
            pDockBar->ReDockControlBar(m_pBar, &rect);
        } else {
            pDockBar->ReDockControlBar(m_pBar, nullptr);
        }
        m_pDockSite->RecalcLayout();
    } else {
        RememberDockedPlace();
        CPoint ptFloat = m_ptMRUFloatPos;
        if (ptFloat.x < 0 || ptFloat.y < 0) {
            ptFloat = m_rectMRUDockPos.TopLeft();
            if (m_pBar->GetParent())
                m_pBar->GetParent()->ClientToScreen(&ptFloat);
        }
        m_pDockSite->FloatControlBar(m_pBar, ptFloat, m_dwMRUFloatStyle);
    }
}

// ---------------------------------------------------------------------------------------------
// The loop

CWnd* CDockContext::TrackingWindow() const
{
    if (m_pDockSite == nullptr || m_pDockSite->GetSafeHwnd() == nullptr)
        return nullptr;
    CWnd* pTop = m_pDockSite->GetTopLevelParent();
    return pTop ? pTop : m_pDockSite;
}

void CDockContext::InitLoop()
{
    m_dwStyle = m_pBar->m_dwStyle;
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_pDockSite = m_pBar->m_pDockSite ? m_pBar->m_pDockSite : m_pDockSite;
    m_bFlip = FALSE;
    m_bForceFrame = FALSE;
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    if (CWnd* pTop = TrackingWindow(); pTop && m_pDC == nullptr)
        m_pDC = pTop->GetDCEx(nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
}

void CDockContext::CancelLoop()
{
    DrawFocusRect(TRUE);
    if (CWnd::GetCapture() == m_pBar)
        ::ReleaseCapture();
    if (m_pDC) {
        if (CWnd* pTop = TrackingWindow())
            pTop->ReleaseDC(m_pDC);
        m_pDC = nullptr;
    }
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    if (m_pDC == nullptr)
        return;
    // Both trackers are drawn with the halftone pattern: thin where the bar would dock, thick
    // where it would float (or around a floating frame being resized).
    CRect rect;
    CSize size;
    if (bRemoveRect) {
        size = CSize(0, 0);
    } else if (!m_bDragging) {
        rect = m_rectActualFrameSize;
        size = CSize(kThickBorder, kThickBorder);
    } else if (m_dwOverDockStyle & CBRS_ORIENT_HORZ) {
        rect = m_rectDragHorz;
        size = CSize(kThinBorder, kThinBorder);
    } else if (m_dwOverDockStyle & CBRS_ORIENT_VERT) {
        rect = m_rectDragVert;
        size = CSize(kThinBorder, kThinBorder);
    } else {
        rect = m_bFlip ? m_rectFrameDragVert : m_rectFrameDragHorz;
        size = CSize(kThickBorder, kThickBorder);
    }
    // Screen coordinates to the window coordinates of the top-level window the DC draws on.
    CWnd* pTop = TrackingWindow();
    if (pTop == nullptr)
        return;
    CRect rcTop;
    pTop->GetWindowRect(&rcTop);
    rect.OffsetRect(-rcTop.left, -rcTop.top);
    m_pDC->DrawDragRect(&rect, size, m_rectLast.IsRectEmpty() && m_sizeLast == CSize(0, 0) ? nullptr : &m_rectLast,
                        m_sizeLast);
    m_rectLast = rect;
    m_sizeLast = size;
    if (bRemoveRect) {
        m_rectLast.SetRectEmpty();
        m_sizeLast = CSize(0, 0);
    }
}

BOOL CDockContext::Track()
{
    if (CWnd::GetCapture() != nullptr || m_pBar->GetSafeHwnd() == nullptr) {
        CancelLoop();
        return FALSE;
    }
    m_pBar->SetCapture();
    while (CWnd::GetCapture() == m_pBar) {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(int(msg.wParam));
            break;
        }
        switch (msg.message) {
        case WM_LBUTTONUP:
            if (m_bDragging)
                EndDrag();
            else
                EndResize();
            return TRUE;
        case WM_MOUSEMOVE:
            if (m_bDragging)
                Move(msg.pt);
            else
                Stretch(msg.pt);
            break;
        case WM_KEYUP:
            if (m_bDragging)
                OnKey(int(msg.wParam), FALSE);
            break;
        case WM_KEYDOWN:
            if (m_bDragging)
                OnKey(int(msg.wParam), TRUE);
            if (msg.wParam == VK_ESCAPE) {
                CancelLoop();
                return FALSE;
            }
            break;
        case WM_RBUTTONDOWN:
            CancelLoop();
            return FALSE;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    CancelLoop();
    return FALSE;
}

DWORD CDockContext::CanDock()
{
    if (m_pDockSite == nullptr)
        return 0;
    const BOOL bStyleHorz = IsHorzStyle(m_dwStyle) || (m_dwStyle & CBRS_FLOATING);
    // Try the orientation the bar has now first.
    DWORD dwDock = 0;
    if (bStyleHorz) {
        dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & CBRS_ORIENT_HORZ);
        if (dwDock == 0)
            dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & CBRS_ORIENT_VERT);
    } else {
        dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & CBRS_ORIENT_VERT);
        if (dwDock == 0)
            dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & CBRS_ORIENT_HORZ);
    }
    // Floating, a fixed-size bar keeps the orientation it had.
    m_bFlip = dwDock == 0 && !(m_dwStyle & CBRS_SIZE_DYNAMIC) && !bStyleHorz;
    return dwDock;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle)
{
    if (m_pDockSite == nullptr)
        return nullptr;
    CDockBar* pDockBar = nullptr;
    if (dwOverDockStyle)
        m_pDockSite->CanDock((dwOverDockStyle & CBRS_ORIENT_VERT) ? m_rectDragVert : m_rectDragHorz,
                             dwOverDockStyle, &pDockBar);
    if (pDockBar == nullptr) {
        static const struct { DWORD side; UINT id; } map[] = {
            {CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP}, {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
            {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM}, {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT}};
        for (const auto& m : map) {
            if (dwOverDockStyle & m.side) {
                pDockBar = DYNAMIC_DOWNCAST(CDockBar, m_pDockSite->GetControlBar(m.id));
                if (pDockBar)
                    break;
            }
        }
    }
    return pDockBar;
}

void CDockContext::KeepDragRectsUnder(CPoint pt)
{
    EnsurePointInside(m_rectDragHorz, pt);
    EnsurePointInside(m_rectDragVert, pt);
    EnsurePointInside(m_rectFrameDragHorz, pt);
    EnsurePointInside(m_rectFrameDragVert, pt);
}
