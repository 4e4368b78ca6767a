#include "shell/LanguageDlg.h"

#include "platform/ui/framework/App.h"
#include "resources/resource.h"
#include "shell/ChineseTexts.h"
#include "shell/MainFrame.h"

CLanguageDlg::CLanguageDlg(CWnd* pParent) : CDialog(IDD_LANGUAGE, pParent) {}

BOOL CLanguageDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWnd* combo = GetDlgItem(IDC_LANGUAGE_COMBO);
    if (!combo)
        return TRUE;
    auto add = [combo](const CString& text) {
        combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LPCTSTR(text)));
    };
    add(L"English");
    if (g_nLanguage == 1) {
        // The caption and the label come from the Chinese template.
        add(ChineseTextOr(IDS_SECOND_LANGUAGE, L"Simple Chinese"));
    } else {
        SetWindowText(L"Language");
        SetDlgItemText(IDC_LANGUAGE_LABEL, L"Language");
        add(L"Simple Chinese");
    }
    combo->SendMessage(CB_SETCURSEL, m_nIndex == 1 ? 1 : 0);
    return TRUE;
}

void CLanguageDlg::OnOK()
{
    if (CWnd* combo = GetDlgItem(IDC_LANGUAGE_COMBO))
        m_nIndex = std::max(0, int(combo->SendMessage(CB_GETCURSEL)));
    if (m_nIndex != m_nCurrent)
        AfxMessageBox(AfxLoadString(IDS_LANGUAGE_AT_RESTART), MB_ICONINFORMATION);
    CDialog::OnOK();
}
