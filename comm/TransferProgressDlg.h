// CTransferProgressDlg: the modeless progress dialog of a transfer. The dispatcher creates it at
// the first report and sends it WM_TRANSFER_PROGRESS with the percentage and the phase (7
// download or clear, 6 upload, 2 other writes, -1 failure).
#pragma once

#include "platform/ui/dialogs/Dlg.h"

class CTransferProgressDlg : public CDialog
{
public:
    CTransferProgressDlg();
    using CDialog::Create;
    BOOL Create(UINT nIDTemplate, CWnd* pParent);

    int m_nPosition = 0;  // the bar's position, 0..100

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    LRESULT OnTransferProgress(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
