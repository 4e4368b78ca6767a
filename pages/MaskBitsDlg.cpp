#include "pages/MaskBitsDlg.h"

#include "pages/Mask.h"
#include "resources/resource.h"

CMaskBitsDlg::CMaskBitsDlg(CWnd* pParent) : CDialog(IDD_MASK_BITS, pParent) {}

BOOL CMaskBitsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const int mask = ParseHexMask(NormalizeHexMask(m_strMask));
    for (int n = 0; n < 16; ++n)
        CheckDlgButton(int(IDC_MASK_BIT0) + n, (mask >> n) & 1 ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CMaskBitsDlg::OnOK()
{
    int mask = 0;
    for (int n = 0; n < 16; ++n)
        if (IsDlgButtonChecked(int(IDC_MASK_BIT0) + n) == BST_CHECKED)
            mask |= 1 << n;
    m_strMask.Format(L"%04X", mask);
    EndDialog(IDOK);
}
