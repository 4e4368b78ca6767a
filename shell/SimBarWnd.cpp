#include "shell/SimBarWnd.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/Frame.h"

IMPLEMENT_DYNAMIC(CSimBarWnd, CSizingControlBarCF)

BEGIN_MESSAGE_MAP(CSimBarWnd, CSizingControlBarCF)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CSimBarWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CSizingControlBarCF::OnCreate(lpcs) == -1)
        return -1;
    SetSCBStyle((GetSCBStyle() & ~0xFu) | SizeChild);
    if (!m_pDynDlg || !m_pDynDlg->Create(this))
        return -1;
    m_pDynDlg->ShowWindow(SW_SHOW);
    // The bar's sizes: the dialog's size plus the bar's borders.
    CRect rc;
    m_pDynDlg->GetWindowRect(&rc);
    const CSize size(rc.Width() + m_cxLeftBorder + m_cxRightBorder, rc.Height() + m_cyTopBorder + m_cyBottomBorder);
    m_szHorz = m_szVert = m_szFloat = size;
    return 0;
}

CSize CSimBarWnd::CalcDynamicLayout(int nLength, DWORD nMode)
{
    // Docked in a row, each bar keeps its own width so that the three share the row.
    if (nMode & (LM_HORZDOCK | LM_VERTDOCK))
        return m_szHorz;
    return CSizingControlBarCF::CalcDynamicLayout(nLength, nMode);
}

void CSimBarWnd::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    if (IsDialogLive())
        m_pDynDlg->OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

BOOL CSimBarWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (IsDialogLive() && m_pDynDlg->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CSizingControlBarCF::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CSimBarWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (IsDialogLive() && m_pDynDlg->SendMessage(WM_COMMAND, wParam, lParam))
        return TRUE;
    return CSizingControlBarCF::OnCommand(wParam, lParam);
}
