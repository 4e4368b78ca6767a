// CCJButton: drawing of the icon button and its hot state, polled by a 10 ms timer.
#include "controls/CJButton.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"

namespace {
constexpr UINT_PTR kHotTimer = 1;
constexpr UINT kHotTimerMs = 10;
}  // namespace

BYTE CCJButton::s_bHot = 0;

IMPLEMENT_DYNAMIC(CCJButton, CButton)

BEGIN_MESSAGE_MAP(CCJButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CCJButton::CCJButton() = default;

CCJButton::~CCJButton() = default;

void CCJButton::SetIcon(HICON hIcon, int cx, int cy)
{
    CButton::SetIcon(hIcon);
    m_cxIcon = cx;
    m_cyIcon = cy;
}

void CCJButton::PaintIcon(CDC* pDC)
{
    HICON hIcon = GetIcon();
    if (hIcon == nullptr)
        return;
    // Centred in the icon rectangle.
    const int x = m_rcIcon.left + (m_rcIcon.Width() - m_cxIcon) / 2;
    const int y = m_rcIcon.top + (m_rcIcon.Height() - m_cyIcon) / 2;
    ::DrawIconEx(pDC->GetSafeHdc(), x, y, hIcon, m_cxIcon, m_cyIcon, 0, nullptr, DI_NORMAL);
}

void CCJButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    m_rcItem = lpDIS->rcItem;
    m_nState = lpDIS->itemState;
    const BOOL bSelected = (m_nState & ODS_SELECTED) != 0;
    pDC->FillSolidRect(&m_rcItem, ::GetSysColor(COLOR_BTNFACE));
    const COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_bFlat) {
        if (bSelected)
            pDC->Draw3dRect(&m_rcItem, shadow, hilite);
    } else {
        const COLORREF dark = ::GetSysColor(COLOR_3DDKSHADOW);
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        CRect rc = m_rcItem;
        pDC->Draw3dRect(&rc, bSelected ? dark : hilite, bSelected ? hilite : dark);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(&rc, bSelected ? shadow : face, bSelected ? face : shadow);
    }
    // The icon moves by one pixel while the button is pressed with the pointer over it.
    m_rcIcon = m_rcItem;
    if (bSelected)
        m_rcIcon.OffsetRect(1, 1);
    PaintIcon(pDC);
}

void CCJButton::OnMouseMove(UINT nFlags, CPoint point)
{
    SetTimer(kHotTimer, kHotTimerMs);
    CButton::OnMouseMove(nFlags, point);
}

void CCJButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bLBtnDown = 1;
    CButton::OnLButtonDown(nFlags, point);
}

void CCJButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bLBtnDown = 0;
    CButton::OnLButtonUp(nFlags, point);
}

void CCJButton::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHotTimer) {
        CButton::OnTimer(nIDEvent);
        return;
    }
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rc;
    GetWindowRect(&rc);
    if (m_bLBtnDown) {
        KillTimer(kHotTimer);
        if (s_bHot)
            Invalidate();
        s_bHot = 0;
        return;
    }
    if (rc.PtInRect(pt)) {
        if (m_bFlat && !s_bHot) {
            CClientDC dc(this);
            CRect rcClient;
            GetClientRect(&rcClient);
            dc.FillSolidRect(&rcClient, ::GetSysColor(COLOR_BTNFACE));
            m_rcIcon = rcClient;
            PaintIcon(&dc);
            dc.Draw3dRect(&rcClient, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
            s_bHot = 1;
        }
        return;
    }
    KillTimer(kHotTimer);
    if (s_bHot) {
        Invalidate();
        s_bHot = 0;
    }
}
