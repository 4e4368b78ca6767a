// CScrollView: a view larger than its window. The scroll position is kept in the scroll bars
// (device units); OnPrepareDC moves the viewport origin by it so OnDraw paints in document
// coordinates.
#include "platform/gdi/DC.h"
#include "platform/ui/framework/Frame.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/View.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CScrollView, CView)

const SIZE CScrollView::sizeDefault = {0, 0};

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

namespace {
// Converts a logical size of a mapping mode to pixels (absolute values).
CSize ToDevice(int mapMode, CSize size)
{
    if (mapMode == MM_TEXT || mapMode == MM_NONE)
        return size;
    CDC dc;
    dc.CreateDC(L"DISPLAY", nullptr, nullptr, nullptr);
    dc.SetMapMode(mapMode);
    dc.LPtoDP(&size);
    return CSize(std::abs(size.cx), std::abs(size.cy));
}
}  // namespace

CScrollView::CScrollView() = default;

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = CSize(std::max(0L, long(sizeTotal.cx)), std::max(0L, long(sizeTotal.cy)));
    m_totalDev = ToDevice(nMapMode, m_totalLog);
    m_pageDev = ToDevice(nMapMode, sizePage);
    m_lineDev = ToDevice(nMapMode, sizeLine);
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = std::max(1L, long(m_pageDev.cx / 10));
    if (m_lineDev.cy == 0)
        m_lineDev.cy = std::max(1L, long(m_pageDev.cy / 10));
    if (m_hWnd) {
        UpdateBars();
        Invalidate(TRUE);
    }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const
{
    nMapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    DWORD style = GetStyle();
    CPoint pt((style & WS_HSCROLL) ? GetScrollPos(SB_HORZ) : 0, (style & WS_VSCROLL) ? GetScrollPos(SB_VERT) : 0);
    return pt;
}

CPoint CScrollView::GetScrollPosition() const
{
    CPoint pt = GetDeviceScrollPosition();
    if (m_nMapMode != MM_TEXT && m_nMapMode != MM_NONE) {
        CDC dc;
        dc.CreateDC(L"DISPLAY", nullptr, nullptr, nullptr);
        dc.SetMapMode(m_nMapMode);
        dc.DPtoLP(&pt);
    }
    return pt;
}

void CScrollView::ScrollToPosition(POINT ptLog)
{
    CPoint pt(ptLog);
    if (m_nMapMode != MM_TEXT && m_nMapMode != MM_NONE) {
        CDC dc;
        dc.CreateDC(L"DISPLAY", nullptr, nullptr, nullptr);
        dc.SetMapMode(m_nMapMode);
        dc.LPtoDP(&pt);
    }
    CPoint cur = GetDeviceScrollPosition();
    OnScrollBy(CSize(pt.x - cur.x, pt.y - cur.y), TRUE);
}

void CScrollView::UpdateBars()
{
    if (!m_hWnd || m_nMapMode == MM_NONE)
        return;
    // The room the view has without scroll bars.
    CRect client;
    GetClientRect(&client);
    CSize size = client.Size();
    DWORD style = GetStyle();
    if (style & WS_VSCROLL)
        size.cx += ::GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL)
        size.cy += ::GetSystemMetrics(SM_CYHSCROLL);
    bool needH = m_totalDev.cx > size.cx;
    bool needV = m_totalDev.cy > size.cy;
    if (needV && !needH)
        needH = m_totalDev.cx > size.cx - ::GetSystemMetrics(SM_CXVSCROLL);
    if (needH && !needV)
        needV = m_totalDev.cy > size.cy - ::GetSystemMetrics(SM_CYHSCROLL);
    CSize view(size.cx - (needV ? ::GetSystemMetrics(SM_CXVSCROLL) : 0),
               size.cy - (needH ? ::GetSystemMetrics(SM_CYHSCROLL) : 0));
    CPoint old = GetDeviceScrollPosition();
    CPoint pos(needH ? std::min<long>(old.x, std::max(0L, long(m_totalDev.cx - view.cx))) : 0,
               needV ? std::min<long>(old.y, std::max(0L, long(m_totalDev.cy - view.cy))) : 0);
    if (pos != old)
        ScrollWindow(old.x - pos.x, old.y - pos.y);
    ShowScrollBar(SB_HORZ, needH);
    ShowScrollBar(SB_VERT, needV);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
    if (needH) {
        si.nMin = 0;
        si.nMax = m_totalDev.cx - 1;
        si.nPage = UINT(std::max(0L, long(view.cx)));
        si.nPos = pos.x;
        SetScrollInfo(SB_HORZ, &si, TRUE);
    }
    if (needV) {
        si.nMin = 0;
        si.nMax = m_totalDev.cy - 1;
        si.nPage = UINT(std::max(0L, long(view.cy)));
        si.nPos = pos.y;
        SetScrollInfo(SB_VERT, &si, TRUE);
    }
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_nMapMode != MM_NONE)
        pDC->SetMapMode(m_nMapMode);
    CPoint origin(0, 0);
    if (!pDC->IsPrinting())
        origin = -GetDeviceScrollPosition();
    pDC->SetViewportOrg(origin);
    CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    // Low byte: horizontal code, high byte: vertical code (0xFF: none).
    CPoint cur = GetDeviceScrollPosition();
    CSize by(0, 0);
    auto step = [&](UINT code, int bar, LONG line, LONG page, LONG current) -> LONG {
        switch (code) {
        case SB_TOP: return -current;
        case SB_BOTTOM: return 0x3FFFFFFF;
        case SB_LINEUP: return -line;
        case SB_LINEDOWN: return line;
        case SB_PAGEUP: return -page;
        case SB_PAGEDOWN: return page;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO si{};
            si.cbSize = sizeof(si);
            si.fMask = SIF_TRACKPOS;
            LONG target = LONG(nPos);
            if (GetScrollInfo(bar, &si, SIF_TRACKPOS))
                target = si.nTrackPos;
            return target - current;
        }
        default: return 0;
        }
    };
    by.cx = step(LOBYTE(nScrollCode), SB_HORZ, m_lineDev.cx, m_pageDev.cx, cur.x);
    by.cy = step(HIBYTE(nScrollCode), SB_VERT, m_lineDev.cy, m_pageDev.cy, cur.y);
    return OnScrollBy(by, bDoScroll);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    DWORD style = GetStyle();
    CPoint cur = GetDeviceScrollPosition();
    CPoint pos = cur;
    if (style & WS_HSCROLL) {
        int limit = GetScrollLimit(SB_HORZ);
        pos.x = std::clamp<long>(long(cur.x) + sizeScroll.cx, 0L, long(std::max(0, limit)));
    }
    if (style & WS_VSCROLL) {
        int limit = GetScrollLimit(SB_VERT);
        pos.y = std::clamp<long>(long(cur.y) + sizeScroll.cy, 0L, long(std::max(0, limit)));
    }
    if (pos == cur)
        return FALSE;
    if (bDoScroll) {
        ScrollWindow(cur.x - pos.x, cur.y - pos.y);
        if (pos.x != cur.x)
            SetScrollPos(SB_HORZ, pos.x);
        if (pos.y != cur.y)
            SetScrollPos(SB_VERT, pos.y);
    }
    return TRUE;
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*) { OnScroll(MAKEWORD(nSBCode, 0xFF), nPos); }
void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) { OnScroll(MAKEWORD(0xFF, nSBCode), nPos); }

BOOL CScrollView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    // Three lines per notch, vertically when there is a vertical bar.
    int lines = -int(zDelta) * 3 / WHEEL_DELTA;
    if (GetStyle() & WS_VSCROLL)
        return OnScrollBy(CSize(0, lines * m_lineDev.cy), TRUE);
    if (GetStyle() & WS_HSCROLL)
        return OnScrollBy(CSize(lines * m_lineDev.cx, 0), TRUE);
    return FALSE;
}

void CScrollView::FillOutsideRect(CDC* pDC, CBrush* pBrush)
{
    CRect client;
    GetClientRect(&client);
    CPoint scroll = GetDeviceScrollPosition();
    CRect inside(-scroll.x, -scroll.y, m_totalDev.cx - scroll.x, m_totalDev.cy - scroll.y);
    int saved = pDC->SaveDC();
    pDC->SetMapMode(MM_TEXT);
    pDC->SetViewportOrg(0, 0);
    pDC->SetWindowOrg(0, 0);
    if (inside.right < client.right)
        pDC->FillRect(CRect(inside.right, client.top, client.right, client.bottom), pBrush);
    if (inside.bottom < client.bottom)
        pDC->FillRect(CRect(client.left, inside.bottom, std::min(inside.right, client.right), client.bottom), pBrush);
    pDC->RestoreDC(saved);
}

void CScrollView::ResizeParentToFit(BOOL bShrinkOnly)
{
    CFrameWnd* frame = GetParentFrame();
    if (!frame)
        return;
    CRect client;
    GetClientRect(&client);
    CRect frameRect;
    frame->GetWindowRect(&frameRect);
    int dx = m_totalDev.cx - client.Width();
    int dy = m_totalDev.cy - client.Height();
    if (bShrinkOnly) {
        dx = std::min(dx, 0);
        dy = std::min(dy, 0);
    }
    frame->SetWindowPos(nullptr, 0, 0, frameRect.Width() + dx, frameRect.Height() + dy,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
