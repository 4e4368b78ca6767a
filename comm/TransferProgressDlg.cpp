#include "comm/TransferProgressDlg.h"

#include "comm/DeviceDlgSupport.h"
#include "comm/DeviceDispatcher.h"
#include "platform/ui/controls/CommCtrlProgress.h"
#include "platform/ui/controls/CtlBarClasses.h"
#include "platform/ui/core/MessageMap.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CTransferProgressDlg, CDialog)
    ON_MESSAGE(WM_TRANSFER_PROGRESS, OnTransferProgress)
END_MESSAGE_MAP()

CTransferProgressDlg::CTransferProgressDlg() = default;

BOOL CTransferProgressDlg::Create(UINT nIDTemplate, CWnd* pParent)
{
    m_nPosition = 0;
    return CDialog::Create(nIDTemplate, pParent);
}

BOOL CTransferProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    PlaceOnScreen(this, -150, -60);
    if (CWnd* bar = GetDlgItem(IDC_DEV_PROGRESS_BAR))
        bar->SendMessage(PBM_SETRANGE32, 0, 100);
    CString text;
    text.Format(DeviceText(IDS_DEV_WRITING_PROGRAM), m_nPosition, L"%");
    SetDlgItemText(IDC_DEV_PROGRESS_PERCENT, text);
    return TRUE;
}

LRESULT CTransferProgressDlg::OnTransferProgress(WPARAM wParam, LPARAM lParam)
{
    const int phase = int(lParam);
    if (phase == -1) {
        SetDlgItemText(IDC_DEV_PROGRESS_TEXT, DeviceText(IDS_CHECK_CABLE));
        return 0;
    }
    UINT caption = 0;
    UINT line = 0;
    switch (phase) {
    case 2: caption = IDS_PC_TO_DEVICE; line = IDS_DEV_PHASE_WRITING; break;
    case 6: caption = IDS_DEVICE_TO_PC; line = IDS_DEV_PHASE_UPLOADING; break;
    case 7: caption = IDS_PC_TO_DEVICE; line = IDS_DEV_PHASE_DOWNLOADING; break;
    default: return 0;
    }
    m_nPosition = int(wParam);
    SetWindowText(DeviceText(caption));
    CString text;
    text.Format(DeviceText(line), m_nPosition);
    SetDlgItemText(IDC_DEV_PROGRESS_PERCENT, text);
    if (CWnd* bar = GetDlgItem(IDC_DEV_PROGRESS_BAR))
        bar->SendMessage(PBM_SETPOS, WPARAM(m_nPosition), 0);
    // The exchange runs without a message loop; the dialog shows the new state at once.
    UpdateWindow();
    return 0;
}

void CTransferProgressDlg::OnOK()
{
    OnCancel();
}

void CTransferProgressDlg::OnCancel()
{
    // The button only closes the window; the dispatcher is told, and ignores it.
    PostDeviceOperation(this, DEVICE_OP_PROGRESS_CLOSED, 0);
    DestroyWindow();
}
