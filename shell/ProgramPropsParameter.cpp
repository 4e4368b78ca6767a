#include "shell/ProgramPropsParameter.h"

#include "document/TavixDoc.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"
#include "shell/ProgramPropsAnalogDlgs.h"
#include "shell/ProgramPropsFields.h"

namespace {

// Controls that exist only on the newer device families.
const int kNewFamilyControls[] = {IDC_PP_AQ_STOP_GROUP, IDC_PP_KEEP_LAST_AQ,   IDC_PP_AQ_FIXED_VALUES,
                                  IDC_PP_AQ_RANGE_TYPES, IDC_PP_AQ_RANGE_GROUP, IDC_PP_AI_RANGE_GROUP,
                                  IDC_PP_AI0_LABEL,     IDC_PP_AI1_LABEL,      IDC_PP_AI0_RANGE,
                                  IDC_PP_AI1_RANGE};

} // namespace

BEGIN_MESSAGE_MAP(CParameter, CPropertyPage)
    ON_CONTROL_RANGE(EN_CHANGE, IDC_PP_PASSWORD, IDC_PP_PASSWORD, OnChangePassword)
    ON_CONTROL_RANGE(EN_CHANGE, IDC_PP_NEW_PASSWORD, IDC_PP_REPEAT_PASSWORD, OnChangePassword)
    ON_CONTROL(EN_CHANGE, IDC_PP_PROGRAM_NAME, OnChangeProgramName)
    ON_CONTROL(BN_CLICKED, IDC_PP_KEEP_LAST_AQ, OnKeepLastValues)
    ON_CONTROL(BN_CLICKED, IDC_PP_AQ_RANGE_TYPES, OnAnalogRangeType)
    ON_CONTROL(BN_CLICKED, IDC_PP_AQ_FIXED_VALUES, OnAnalogFixedValue)
END_MESSAGE_MAP()

CParameter::CParameter(CTavixDoc* pDoc) : CPropertyPage(IDD_PROPS_PARAMETER), m_pDoc(pDoc)
{
    m_psp.dwFlags |= PSP_HASHELP;
}

BOOL CParameter::CutAtInvalid(CString& text, BOOL bDigits)
{
    for (int i = 0; i < text.GetLength(); ++i) {
        const wchar_t c = text[i];
        if ((c >= L'A' && c <= L'Z') || (bDigits && c >= L'0' && c <= L'9'))
            continue;
        text = text.Left(i);
        return TRUE;
    }
    return FALSE;
}

BOOL CParameter::OnInitDialog()
{
    auto fill = [this](int nID, std::initializer_list<const wchar_t*> entries) {
        SendDlgItemMessage(nID, CB_RESETCONTENT);
        for (const wchar_t* e : entries)
            SendDlgItemMessage(nID, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e));
    };
    fill(IDC_PP_REDUNDANCY, {L"None", L"Master", L"Slave"});
    fill(IDC_PP_AI0_RANGE, {L"0-20 mA / 0-10V", L"4-20 mA"});
    fill(IDC_PP_AI1_RANGE, {L"0-20 mA / 0-10V", L"4-20 mA"});
    m_bFixing = true;  // the filled texts are the program's own
    CPropertyPage::OnInitDialog();
    m_bFixing = false;

    const bool newFamily = m_pDoc != nullptr && m_pDoc->IsNewModel();
    for (int nID : kNewFamilyControls)
        if (CWnd* w = GetDlgItem(nID))
            w->ShowWindow(newFamily ? SW_SHOW : SW_HIDE);
    if (newFamily) {
        CheckDlgButton(IDC_PP_KEEP_LAST_AQ, m_bKeepLastAQ ? BST_CHECKED : BST_UNCHECKED);
        OnKeepLastValues();
    }
    for (int nID : {IDC_PP_PASSWORD, IDC_PP_NEW_PASSWORD, IDC_PP_REPEAT_PASSWORD})
        SendDlgItemMessage(nID, EM_LIMITTEXT, maxPassword);
    m_bFixing = true;
    SetDlgItemText(IDC_PP_PASSWORD, L"");
    m_bFixing = false;
    const BOOL hasPassword = !m_strPassword.IsEmpty();
    for (int nID : {IDC_PP_PASSWORD_LABEL, IDC_PP_PASSWORD})
        if (CWnd* w = GetDlgItem(nID))
            w->EnableWindow(hasPassword);
    return TRUE;
}

void CParameter::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_ListIndex(pDX, IDC_PP_REDUNDANCY, m_nRedundancy);
    DDX_FieldInt(pDX, IDC_PP_SYNC_TIME, IDC_PP_SYNC_TIME_LABEL, m_nSyncTime, minSyncTime, maxSyncTime);
    DDX_Text(pDX, IDC_PP_PASSWORD, m_strPassword);
    DDX_Text(pDX, IDC_PP_PROGRAM_NAME, m_strProgramName);
    DDV_MaxChars(pDX, m_strProgramName, maxName);
    DDX_Text(pDX, IDC_PP_NEW_PASSWORD, m_strNewPassword);
    DDX_Text(pDX, IDC_PP_REPEAT_PASSWORD, m_strRepeatPassword);
    DDX_ListIndex(pDX, IDC_PP_AI0_RANGE, m_nAI0Range);
    DDX_ListIndex(pDX, IDC_PP_AI1_RANGE, m_nAI1Range);

    // The current password must be the program's before it can be changed or cleared, and the
    // new one must be typed twice alike.
    const CString programPassword = m_pDoc ? m_pDoc->m_strPassword : CString();
    if ((!m_strPassword.IsEmpty() || !m_strNewPassword.IsEmpty()) && m_strPassword != programPassword) {
        pDX->PrepareEditCtrl(IDC_PP_PASSWORD);
        AfxMessageBox(AfxLoadString(IDS_OLD_PASSWORD_WRONG), MB_ICONSTOP);
        pDX->Fail();
    }
    if (m_strNewPassword != m_strRepeatPassword) {
        pDX->PrepareEditCtrl(IDC_PP_REPEAT_PASSWORD);
        AfxMessageBox(AfxLoadString(IDS_NEW_PASSWORDS_DIFFER), MB_ICONSTOP);
        pDX->Fail();
    }
}

void CParameter::OnOK()
{
    if (m_pDoc != nullptr && m_pDoc->IsNewModel())
        m_bKeepLastAQ = IsDlgButtonChecked(IDC_PP_KEEP_LAST_AQ) == BST_CHECKED;
    if (!m_strPassword.IsEmpty() || !m_strNewPassword.IsEmpty())
        m_strPassword = m_strNewPassword;
    else
        m_strPassword = m_pDoc ? m_pDoc->m_strPassword : CString();
    m_bFixing = true;
    SetDlgItemText(IDC_PP_NEW_PASSWORD, L"");
    SetDlgItemText(IDC_PP_REPEAT_PASSWORD, L"");
    m_bFixing = false;
    m_strNewPassword.Empty();
    m_strRepeatPassword.Empty();
    m_bApplied = TRUE;
    CPropertyPage::OnOK();
}

void CParameter::OnChangePassword(UINT nID)
{
    if (m_bFixing)
        return;
    CString text;
    GetDlgItemText(int(nID), text);
    if (!CutAtInvalid(text, FALSE))
        return;
    m_bFixing = true;
    SetDlgItemText(int(nID), text);
    m_bFixing = false;
    AfxMessageBox(AfxLoadString(IDS_PASSWORD_LETTERS), MB_ICONINFORMATION);
}

void CParameter::OnChangeProgramName()
{
    if (m_bFixing)
        return;
    CString text;
    GetDlgItemText(IDC_PP_PROGRAM_NAME, text);
    if (!CutAtInvalid(text, TRUE))
        return;
    m_bFixing = true;
    SetDlgItemText(IDC_PP_PROGRAM_NAME, text);
    m_bFixing = false;
    AfxMessageBox(AfxLoadString(IDS_PROGRAM_NAME_LETTERS), MB_ICONINFORMATION);
}

void CParameter::OnKeepLastValues()
{
    if (CWnd* w = GetDlgItem(IDC_PP_AQ_FIXED_VALUES))
        w->EnableWindow(IsDlgButtonChecked(IDC_PP_KEEP_LAST_AQ) != BST_CHECKED);
}

void CParameter::OnAnalogRangeType()
{
    CAnalogRangeDlg dlg(m_abAQRangeType, this);
    dlg.DoModal();
}

void CParameter::OnAnalogFixedValue()
{
    CAnalogValueDlg dlg(m_adAQFixedValue, this);
    dlg.DoModal();
}
