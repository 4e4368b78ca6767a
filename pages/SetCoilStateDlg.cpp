// CSetCoilStateDlg: coils beyond the count cannot be set; a single coil command has coil 0 only.
#include "pages/SetCoilStateDlg.h"

#include "pages/ModbusPropPage.h"
#include "resources/resource.h"

namespace {

constexpr int kFirstCoil = 1215;

}  // namespace

CSetCoilStateDlg::CSetCoilStateDlg(CWnd* pParent) : CDialog(IDD_SET_COIL_STATE, pParent) {}

BOOL CSetCoilStateDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const int count = m_nCommand == 0 ? 1 : m_nCount;
    const int words[2] = {std::max(0, ParseHexWord(m_strFirst)), std::max(0, ParseHexWord(m_strSecond))};
    for (int coil = 0; coil < 32; ++coil) {
        if (CWnd* p = GetDlgItem(kFirstCoil + coil))
            p->EnableWindow(coil < count);
        CheckDlgButton(kFirstCoil + coil, (words[coil / 16] >> (coil % 16)) & 1 ? BST_CHECKED : BST_UNCHECKED);
    }
    return TRUE;
}

void CSetCoilStateDlg::OnOK()
{
    const int count = m_nCommand == 0 ? 1 : std::min(m_nCount, 32);
    unsigned words[2] = {0, 0};
    for (int coil = 0; coil < count; ++coil)
        if (IsDlgButtonChecked(kFirstCoil + coil))
            words[coil / 16] |= 1u << (coil % 16);
    m_strFirst.Format(L"%X", words[0]);
    m_strSecond.Format(L"%X", words[1]);
    CDialog::OnOK();
}
