// CSizingControlBarG: the gripper band, the close button and its state.
#include "controls/SizingControlBarG.h"

#include "platform/ui/core/MessageMap.h"

namespace {

std::function<BOOL()>& SimulationQuery()
{
    static std::function<BOOL()> query;
    return query;
}

}  // namespace

void SetSimulationRunningQuery(std::function<BOOL()> query)
{
    SimulationQuery() = std::move(query);
}

BOOL IsSimulationRunningNow()
{
    const auto& query = SimulationQuery();
    return query ? query() : FALSE;
}

// ---------------------------------------------------------------------------------------------
// CSCBButton

void CSCBButton::Paint(CDC* pDC)
{
    const CRect rc = GetRect();
    const COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_bPushed)
        pDC->Draw3dRect(&rc, shadow, hilite);
    else if (m_bRaised)
        pDC->Draw3dRect(&rc, hilite, shadow);

    // The cross is the "r" glyph of the symbol font.
    CFont font;
    if (!font.CreatePointFont(::MulDiv(60, 96, pDC->GetDeviceCaps(LOGPIXELSX)), L"Marlett"))
        return;
    CFont* pOldFont = pDC->SelectObject(&font);
    const COLORREF oldColor = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(m_ptOrg.x + 2, m_ptOrg.y + 2, CString(L"r"));
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColor);
    pDC->SelectObject(pOldFont);
}

// ---------------------------------------------------------------------------------------------
// CSizingControlBarG

IMPLEMENT_DYNAMIC(CSizingControlBarG, CSizingControlBar)

BEGIN_MESSAGE_MAP(CSizingControlBarG, CSizingControlBar)
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

CSizingControlBarG::CSizingControlBarG() = default;

void CSizingControlBarG::CalcClientArea(LPRECT lpRect, UINT nDockBarID)
{
    const CPoint ptWnd(lpRect->left, lpRect->top);
    CSizingControlBar::CalcClientArea(lpRect, nDockBarID);
    if (!ShowsGripper())
        return;
    CRect rc(lpRect);
    CPoint ptOrg;
    if (nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_BOTTOM) {
        rc.left += m_cyGripper;
        ptOrg = CPoint(rc.left - 13, rc.top);
    } else {
        rc.top += m_cyGripper;
        ptOrg = CPoint(rc.right - 12, rc.top - 13);
    }
    *lpRect = rc;
    m_biHide.MoveTo(CPoint(ptOrg.x - ptWnd.x, ptOrg.y - ptWnd.y));
}

LRESULT CSizingControlBarG::OnNcHitTest(CPoint point)
{
    const LRESULT hit = CSizingControlBar::OnNcHitTest(point);
    if (hit != HTCLIENT || !ShowsGripper())
        return hit;
    CRect rcBar;
    GetWindowRect(&rcBar);
    point.Offset(-rcBar.left, -rcBar.top);
    if (m_biHide.GetRect().PtInRect(point) && !IsSimulationRunningNow())
        return HTCLOSE;
    return HTCLIENT;
}

void CSizingControlBarG::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    // The close button acts on release; its press only shows it pushed (at the idle update).
    if (nHitTest == HTCLOSE)
        return;
    CSizingControlBar::OnNcLButtonDown(nHitTest, point);
}

void CSizingControlBarG::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCLOSE && m_pDockSite)
        m_pDockSite->ShowControlBar(this, FALSE, FALSE);
    CSizingControlBar::OnNcLButtonUp(nHitTest, point);
}

void CSizingControlBarG::PaintGripper(CDC* pDC, CRect rcClient)
{
    if (!ShowsGripper())
        return;
    CRect rc = rcClient;
    rc.DeflateRect(1, 1);
    CRect line;
    const BOOL bHorz = IsDockedHorizontally();
    if (bHorz)
        line = CRect(rc.left - m_cyGripper, m_biHide.m_ptOrg.y + 14, rc.left - m_cyGripper + 3, rc.bottom);
    else
        line = CRect(rc.left, rc.top - m_cyGripper, m_biHide.m_ptOrg.x - 3, rc.top - m_cyGripper + 3);
    const COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    pDC->Draw3dRect(&line, hilite, shadow);
    line.OffsetRect(bHorz ? 3 : 0, bHorz ? 0 : 3);
    pDC->Draw3dRect(&line, hilite, shadow);
    m_biHide.Paint(pDC);
}

BOOL CSizingControlBarG::UpdateCloseButton()
{
    CPoint pt;
    ::GetCursorPos(&pt);
    const BOOL bHit = OnNcHitTest(pt) == HTCLOSE;
    const BOOL bLButtonDown = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
    const BOOL bPushed = bHit && bLButtonDown;
    const BOOL bRaised = bHit && !bLButtonDown;
    const BOOL bChanged = bPushed != m_biHide.m_bPushed || bRaised != m_biHide.m_bRaised;
    m_biHide.m_bPushed = bPushed;
    m_biHide.m_bRaised = bRaised;
    return bChanged;
}

void CSizingControlBarG::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHndler*/)
{
    if (ShowsGripper() && UpdateCloseButton())
        SendMessage(WM_NCPAINT);
}
