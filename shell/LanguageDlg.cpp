#include "shell/LanguageDlg.h"

#include "platform/ui/framework/App.h"
#include "resources/resource.h"
#include "shell/ChineseTexts.h"
#include "shell/MainFrame.h"

CLanguageDlg::CLanguageDlg(CWnd* pParent) : CDialog(IDD_LANGUAGE, pParent) {}

BOOL CLanguageDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_LANGUAGE_COMBO));
    if (!combo)
        return TRUE;
    combo->AddString(L"English");
    if (g_nLanguage == 1) {
        // The caption and the label come from the Chinese template.
        combo->AddString(ChineseTextOr(IDS_SECOND_LANGUAGE, L"Simple Chinese"));
    } else {
        SetWindowText(L"Language");
        SetDlgItemText(IDC_LANGUAGE_LABEL, L"Language");
        combo->AddString(L"Simple Chinese");
    }
    combo->SetCurSel(m_nIndex == 1 ? 1 : 0);
    return TRUE;
}

void CLanguageDlg::OnOK()
{
    if (auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_LANGUAGE_COMBO)))
        m_nIndex = std::max(0, combo->GetCurSel());
    if (m_nIndex != m_nCurrent)
        AfxMessageBox(AfxLoadString(IDS_LANGUAGE_AT_RESTART), MB_ICONINFORMATION);
    CDialog::OnOK();
}
