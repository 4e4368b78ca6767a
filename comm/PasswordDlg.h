// CPasswordDlg: asks the program password of a device before an upload. At most 8 letters A-Z.
#pragma once

#include "platform/ui/dialogs/Dlg.h"

class CPasswordDlg : public CDialog
{
public:
    explicit CPasswordDlg(CWnd* pParent = nullptr);

    CString m_strPassword;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnPasswordChange();

    DECLARE_MESSAGE_MAP()
};
