// CSimBarWnd: the docking bar that carries one of the child frame's simulation bar dialogs
// (Simulation, Outputs or Inputs) while its view simulates. The dialog fills the bar, keeps its
// template size when docked, and gets the bar's commands and idle-time updates first.
#pragma once

#include "controls/DynamicDialog.h"
#include "shell/BarStandIns.h"

class CSimBarWnd : public CSizingControlBarCF
{
    DECLARE_DYNAMIC(CSimBarWnd)
public:
    explicit CSimBarWnd(cdxCDynamicBarDlg* pDlg) : m_pDynDlg(pDlg) {}

    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    cdxCDynamicBarDlg* m_pDynDlg;  // not owned: the frame keeps the dialog

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    BOOL IsDialogLive() const { return m_pDynDlg && ::IsWindow(m_pDynDlg->GetSafeHwnd()); }
    DECLARE_MESSAGE_MAP()
};
