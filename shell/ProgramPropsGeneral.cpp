#include "shell/ProgramPropsGeneral.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"

CGeneral::CGeneral() : CPropertyPage(IDD_PROPS_GENERAL)
{
    m_psp.dwFlags |= PSP_HASHELP;
}

void CGeneral::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    const struct {
        int nIDC;
        CString* pText;
    } texts[] = {
        {IDC_PP_CREATOR, &m_strCreator},       {IDC_PP_PROJECT, &m_strProjectName},
        {IDC_PP_INSTALLATION, &m_strInstallationName}, {IDC_PP_CUSTOMER, &m_strCustomer},
        {IDC_PP_DIAGRAM_NO, &m_strDiagramNo},  {IDC_PP_CHECKED, &m_strChecked},
        {IDC_PP_VERSION1, &m_strVersion1},     {IDC_PP_VERSION2, &m_strVersion2},
        {IDC_PP_VERSION3, &m_strVersion3},
    };
    for (const auto& t : texts) {
        DDX_Text(pDX, t.nIDC, *t.pText);
        DDV_MaxChars(pDX, *t.pText, maxText);
    }
    DDX_Check(pDX, IDC_PP_SHOW_AT_NEW, m_bShowPropertiesAtNew);
}
