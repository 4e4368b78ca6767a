#include "comm/PasswordDlg.h"

#include "comm/DeviceDlgSupport.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"

namespace {

bool IsPasswordLetter(wchar_t c)
{
    const wchar_t low = wchar_t(c & 0xFF);
    return low >= L'A' && low <= L'Z';
}

} // namespace

BEGIN_MESSAGE_MAP(CPasswordDlg, CDialog)
    ON_CONTROL(EN_CHANGE, IDC_DEV_PASSWORD_EDIT, OnPasswordChange)
END_MESSAGE_MAP()

CPasswordDlg::CPasswordDlg(CWnd* pParent) : CDialog(IDD_PASSWORD, pParent) {}

void CPasswordDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_DEV_PASSWORD_EDIT, m_strPassword);
    DDV_MaxChars(pDX, m_strPassword, 8);
}

BOOL CPasswordDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWnd* edit = GetDlgItem(IDC_DEV_PASSWORD_EDIT))
        edit->SendMessage(EM_LIMITTEXT, 8, 0);
    return TRUE;
}

void CPasswordDlg::OnPasswordChange()
{
    CString text;
    GetDlgItemText(IDC_DEV_PASSWORD_EDIT, text);
    if (FirstCharacterNotIn(text, IsPasswordLetter) < 0)
        return;
    SetDlgItemText(IDC_DEV_PASSWORD_EDIT, L"");
    AfxMessageBox(DeviceText(IDS_PASSWORD_LETTERS), MB_ICONINFORMATION);
}
