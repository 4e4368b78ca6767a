#include "shell/ProgramPropsProtect.h"

#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"
#include "shell/ProgramPropsFields.h"

#include <cwchar>

BEGIN_MESSAGE_MAP(CProtect, CPropertyPage)
    ON_CONTROL_RANGE(EN_UPDATE, IDC_PP_TEMP_HIGH, IDC_PP_TEMP_LOW, OnUpdateTemperature)
END_MESSAGE_MAP()

CProtect::CProtect() : CPropertyPage(IDD_PROPS_PROTECT)
{
    m_psp.dwFlags |= PSP_HASHELP;
}

void CProtect::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_FieldInt(pDX, IDC_PP_TEMP_HIGH, IDC_PP_TEMP_HIGH_LABEL, m_nTempHigh, minTemp, maxTemp);
    DDX_FieldInt(pDX, IDC_PP_TEMP_LOW, IDC_PP_TEMP_LOW_LABEL, m_nTempLow, minTemp, maxTemp);
    DDX_Check(pDX, IDC_PP_COPY_PROTECT, m_bCopyProtect);
    ValidateTemperature(pDX);
}

void CProtect::ValidateTemperature(CDataExchange* pDX)
{
    const int high = int(GetDlgItemInt(IDC_PP_TEMP_HIGH, nullptr, TRUE));
    const int low = int(GetDlgItemInt(IDC_PP_TEMP_LOW, nullptr, TRUE));
    if (high >= low)
        return;
    pDX->PrepareEditCtrl(IDC_PP_TEMP_HIGH);
    AfxMessageBox(AfxLoadString(IDS_PROPS_TEMPERATURE_ORDER), MB_ICONEXCLAMATION);
    pDX->Fail();
}

void CProtect::OnUpdateTemperature(UINT nID)
{
    CString text;
    GetDlgItemText(int(nID), text);
    wchar_t* end = nullptr;
    const long long v = std::wcstoll(text.GetString(), &end, 10);
    if (end == text.GetString())
        return;
    if (v > maxTemp)
        SetDlgItemText(int(nID), L"32767");
    else if (v < minTemp)
        SetDlgItemText(int(nID), L"-32768");
}
