// cdxCDynamicBar: creation of the hosted dialog and the bar's sizes, command routing.
#include "controls/DynamicBar.h"

#include "platform/ui/core/MessageMap.h"

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
