// The dynamic dialogs: their message handlers pass sizes and timers to the layout.
#include "controls/DynamicDialog.h"

#include "platform/ui/core/MessageMap.h"

// ---------------------------------------------------------------------------------------------
// cdxCDynamicDialog

IMPLEMENT_DYNAMIC(cdxCDynamicDialog, CDialog)

BEGIN_MESSAGE_MAP(cdxCDynamicDialog, CDialog)
    ON_WM_GETMINMAXINFO()
    ON_WM_DESTROY()
    ON_WM_PARENTNOTIFY()
    ON_WM_SIZE()
    ON_WM_SIZING()
    ON_WM_TIMER()
END_MESSAGE_MAP()

cdxCDynamicDialog::cdxCDynamicDialog(UINT nIDTemplate, CWnd* pParentWnd, int nFreedom, UINT nFlags)
    : CDialog(nIDTemplate, pParentWnd), DynamicLayoutBase(nFreedom, nFlags)
{
    if (nIDTemplate != 0)
        m_strClassName.Format(L"ID=0x%08lx", static_cast<unsigned long>(nIDTemplate));
}

BOOL cdxCDynamicDialog::OnInitDialog()
{
    const BOOL bResult = CDialog::OnInitDialog();
    DoInitWindow(this);
    return bResult;
}

BOOL cdxCDynamicDialog::DestroyWindow()
{
    DoOnDestroy();
    return CDialog::DestroyWindow();
}

void cdxCDynamicDialog::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CDialog::OnGetMinMaxInfo(lpMMI);
    HandleGetMinMaxInfo(lpMMI);
}

void cdxCDynamicDialog::OnDestroy()
{
    DoOnDestroy();
    CDialog::OnDestroy();
}

void cdxCDynamicDialog::OnParentNotify(UINT message, LPARAM lParam)
{
    CDialog::OnParentNotify(message, lParam);
    HandleParentNotify(message, lParam);
}

void cdxCDynamicDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    HandleSize(nType, cx, cy);
}

void cdxCDynamicDialog::OnSizing(UINT fwSide, LPRECT pRect)
{
    CDialog::OnSizing(fwSide, pRect);
    HandleSizing(fwSide, pRect);
}

void cdxCDynamicDialog::OnTimer(UINT_PTR nIDEvent)
{
    CDialog::OnTimer(nIDEvent);
    HandleTimer(nIDEvent);
}

// ---------------------------------------------------------------------------------------------
// cdxCDynamicChildDlg

IMPLEMENT_DYNAMIC(cdxCDynamicChildDlg, cdxCDynamicDialog)

cdxCDynamicChildDlg::cdxCDynamicChildDlg(UINT nIDTemplate, CWnd* pParentWnd, int nFreedom, UINT nFlags)
    : cdxCDynamicDialog(nIDTemplate, pParentWnd, nFreedom, nFlags)
{
    m_bUseScrollPos = true;
    m_strClassName.Empty();
}

// ---------------------------------------------------------------------------------------------
// cdxCDynamicBarDlg

IMPLEMENT_DYNAMIC(cdxCDynamicBarDlg, cdxCDynamicChildDlg)

BEGIN_MESSAGE_MAP(cdxCDynamicBarDlg, cdxCDynamicChildDlg)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

cdxCDynamicBarDlg::cdxCDynamicBarDlg(UINT nIDTemplate, CWnd* pParentWnd, int nFreedom, UINT nFlags)
    : cdxCDynamicChildDlg(nIDTemplate, pParentWnd, nFreedom, nFlags), m_nBarTemplate(nIDTemplate)
{
}

BOOL cdxCDynamicBarDlg::Create(CWnd* pParent)
{
    return CDialog::Create(m_nBarTemplate, pParent) && ::IsWindow(GetSafeHwnd());
}

void cdxCDynamicBarDlg::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(reinterpret_cast<CCmdTarget*>(pTarget), bDisableIfNoHndler);
}

void cdxCDynamicBarDlg::OnClose()
{
    OnCancel();
}
