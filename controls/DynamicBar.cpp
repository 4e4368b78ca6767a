// cdxCDynamicBar: creation of the hosted dialog and the bar's sizes, command routing.
#include "controls/DynamicBar.h"

#include "platform/ui/core/MessageMap.h"

#include <algorithm>
#include <climits>

IMPLEMENT_DYNAMIC(cdxCDynamicBar, CSizingControlBarCF)

BEGIN_MESSAGE_MAP(cdxCDynamicBar, CSizingControlBarCF)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int cdxCDynamicBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CSizingControlBar::OnCreate(lpcs) == -1)
        return -1;
    m_dwSCBStyle = (m_dwSCBStyle & ~SCBS_EDGEALL) | SCBS_SIZECHILD;
    if (m_pDynDlg == nullptr || !m_pDynDlg->Create(this))
        return -1;
    m_pDynDlg->m_nLayoutFlags |= cdxCDynamicWnd::WithCopyBits;

    // Each placement's size: the dialog's template size plus the bar's frame there.
    const CSize szDlg = m_pDynDlg->m_szMin;
    const struct {
        UINT nDockBarID;
        CSize* pSize;
        CSize* pMin;
    } states[] = {
        {AFX_IDW_DOCKBAR_FLOAT, &m_szFloat, &m_szMinFloat},
        {AFX_IDW_DOCKBAR_LEFT, &m_szVert, &m_szMinVert},
        {AFX_IDW_DOCKBAR_TOP, &m_szHorz, &m_szMinHorz},
    };
    for (const auto& s : states) {
        CRect rc(0, 0, 0, 0);
        CalcClientArea(&rc, s.nDockBarID);
        const CSize szNC(-rc.Width(), -rc.Height());
        *s.pSize = *s.pMin = szDlg + szNC;
    }
    m_dwSCBStyle &= ~SCBS_EDGEALL;
    return 0;
}

int cdxCDynamicBar::ContentWidth() const
{
    const HWND hDlg = m_pDynDlg->GetSafeHwnd();
    int nLeft = INT_MAX, nRight = 0;
    for (HWND h = ::GetWindow(hDlg, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (!(::GetWindowLong(h, GWL_STYLE) & WS_VISIBLE))
            continue;
        RECT rc;
        ::GetWindowRect(h, &rc);
        ::MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rc), 2);
        if (rc.right <= 0)
            continue;  // moved out of view by the layout
        nLeft = std::min(nLeft, int(std::max(rc.left, LONG(0))));
        nRight = std::max(nRight, int(rc.right));
    }
    return nRight > 0 ? nRight + nLeft : 0;
}

int cdxCDynamicBar::MinLength(BOOL bHorz) const
{
    const int nMin = CSizingControlBarCF::MinLength(bHorz);
    if (!bHorz || !IsDialogLive())
        return nMin;
    const int nContent = ContentWidth();
    if (nContent == 0)
        return nMin;
    // The bar's frame around the dialog, as measured when the sizes were set.
    const int nFrame = m_szMinHorz.cx - m_pDynDlg->m_szMin.cx;
    return std::min(nMin, nContent + nFrame);
}

void cdxCDynamicBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CSizingControlBarCF::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    if (IsDialogLive())
        m_pDynDlg->OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

BOOL cdxCDynamicBar::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (IsDialogLive() && m_pDynDlg->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CSizingControlBarCF::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL cdxCDynamicBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (IsDialogLive() && m_pDynDlg->OnCommand(wParam, lParam))
        return TRUE;
    return CWnd::OnCommand(wParam, lParam);
}
