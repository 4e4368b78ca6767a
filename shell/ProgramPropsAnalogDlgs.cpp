#include "shell/ProgramPropsAnalogDlgs.h"

#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/dialogs/Ddx.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"
#include "shell/ProgramPropsFields.h"

#include <algorithm>
#include <cwchar>

CAnalogRangeDlg::CAnalogRangeDlg(BYTE* pTypes, CWnd* pParent)
    : CDialog(IDD_PROPS_AQ_RANGE, pParent), m_pTypes(pTypes)
{
}

BOOL CAnalogRangeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int i = 0; i < count; ++i) {
        const int nID = IDC_PP_AQ_RANGE_FIRST + i;
        SendDlgItemMessage(nID, CB_RESETCONTENT);
        SendDlgItemMessage(nID, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"0-20 mA / 0-10V"));
        SendDlgItemMessage(nID, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"4-20 mA"));
        SendDlgItemMessage(nID, CB_SETCURSEL, WPARAM(m_pTypes[i]));
    }
    return TRUE;
}

void CAnalogRangeDlg::OnOK()
{
    for (int i = 0; i < count; ++i) {
        const LRESULT sel = SendDlgItemMessage(IDC_PP_AQ_RANGE_FIRST + i, CB_GETCURSEL);
        m_pTypes[i] = BYTE(std::max<LRESULT>(sel, 0));
    }
    CDialog::OnOK();
}

CAnalogValueDlg::CAnalogValueDlg(double* pValues, CWnd* pParent)
    : CDialog(IDD_PROPS_AQ_VALUE, pParent), m_pValues(pValues)
{
    std::copy(pValues, pValues + count, m_adEdited);
}

void CAnalogValueDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < count; ++i) {
        const int nID = IDC_PP_AQ_VALUE_FIRST + i;
        if (!pDX->m_bSaveAndValidate) {
            DDX_FieldDouble(pDX, nID, 0, m_adEdited[i], minValue, maxValue);
            continue;
        }
        // Every value is checked when the dialog closes, not only the one last left.
        CString text;
        GetDlgItemText(nID, text);
        text.Trim();
        wchar_t* end = nullptr;
        const double v = std::wcstod(text.GetString(), &end);
        if (text.IsEmpty() || end == nullptr || *end != 0 || !(v >= minValue && v <= maxValue)) {
            CString name, range, lo, hi;
            name.Format(L"%s AQ%d", LPCTSTR(g_astrModuleNames[i / 4]), i % 4);
            lo.Format(L"%.1f", minValue);
            hi.Format(L"%.1f", maxValue);
            CString message;
            message.Format(AfxLoadString(IDS_PROPS_FIELD_REFUSED), LPCTSTR(name),
                           LPCTSTR(DdxMessageText(AFX_IDP_PARSE_REAL_RANGE, lo, hi)));
            pDX->PrepareEditCtrl(nID);
            AfxMessageBox(message, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        m_adEdited[i] = v;
    }
}

void CAnalogValueDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    std::copy(m_adEdited, m_adEdited + count, m_pValues);
    EndDialog(IDOK);
}
