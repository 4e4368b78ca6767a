#include "shell/ProgramPropsSheet.h"

#include "document/TavixDoc.h"
#include "platform/base/Archive.h"
#include "platform/base/File.h"
#include "platform/ui/framework/App.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"

#include <algorithm>
#include <vector>

namespace {

// The program as it would be saved; two programs with the same bytes hold the same settings.
std::vector<BYTE> SavedBytes(CTavixDoc& doc)
{
    CMemFile file;
    try {
        CArchive ar(&file, CArchive::store);
        doc.SerializeAndClose(ar);
    } catch (CException* e) {
        e->Delete();
        return {};
    }
    const ULONGLONG size = file.GetLength();
    std::vector<BYTE> bytes(static_cast<size_t>(size));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), UINT(bytes.size()));
    return bytes;
}

} // namespace

CPropertiesPropSh::CPropertiesPropSh(CTavixDoc* pDoc, CWnd* pParent, int nStartRequest)
    : CPropertySheet(AfxLoadString(IDS_PROPS_CAPTION), pParent,
                     nStartRequest == startHardware    ? UINT(pageHardware)
                     : nStartRequest == startParameter ? UINT(pageParameter)
                                                       : UINT(pageGeneral)),
      m_parameter(pDoc), m_logo(pDoc), m_hardware(pDoc)
{
    m_psh.dwFlags |= PSH_NOAPPLYNOW | PSH_HASHELP;
    CPropertyPage* pages[pageCount] = {&m_general, &m_comment, &m_parameter, &m_protect, &m_com[0],
                                       &m_com[1],  &m_com[2],  &m_logo,      &m_hardware};
    const UINT titles[pageCount] = {IDS_PROPS_TITLE_GENERAL, IDS_PROPS_TITLE_COMMENT, IDS_PROPS_TITLE_PARAMETER,
                                    IDS_PROPS_TITLE_PROTECT, IDS_PROPS_TITLE_COM0,    IDS_PROPS_TITLE_COM1,
                                    IDS_PROPS_TITLE_COM2,    IDS_PROPS_TITLE_LOGO,    IDS_PROPS_TITLE_HARDWARE};
    for (int i = 0; i < pageCount; ++i) {
        m_titles[i] = AfxLoadString(titles[i]);
        pages[i]->m_psp.dwFlags |= PSP_USETITLE | PSP_HASHELP;
        pages[i]->m_psp.pszTitle = m_titles[i].GetString();
        AddPage(pages[i]);
    }
    if (pDoc != nullptr)
        LoadFrom(*pDoc);
}

BOOL CPropertiesPropSh::OnInitDialog()
{
    const BOOL result = CPropertySheet::OnInitDialog();
    const bool chinese = g_nLanguage == 1;
    SetDlgItemText(IDOK, chinese ? L"确定" : L"OK");
    SetDlgItemText(IDCANCEL, chinese ? L"取消" : L"Cancel");
    SetDlgItemText(IDHELP, chinese ? L"帮助" : L"Help");
    return result;
}

void CPropertiesPropSh::LoadFrom(const CTavixDoc& doc)
{
    m_general.m_strCreator = doc.m_strCreator;
    m_general.m_strProjectName = doc.m_strProject;
    m_general.m_strInstallationName = doc.m_strInstallation;
    m_general.m_strCustomer = doc.m_strCustomer;
    m_general.m_strDiagramNo = doc.m_strDiagramNo;
    m_general.m_strChecked = doc.m_strChecked;
    m_general.m_strVersion1 = doc.m_strVersion1;
    m_general.m_strVersion2 = doc.m_strVersion2;
    m_general.m_strVersion3 = doc.m_strVersion3;
    m_general.m_bShowPropertiesAtNew = doc.m_bShowPropertiesAtNew ? 1 : 0;

    m_comment.m_strText = doc.m_strComment;

    m_parameter.m_strProgramName = doc.m_strProgramName;
    m_parameter.m_strPassword = doc.m_strPassword;
    m_parameter.m_nRedundancy = doc.m_nRedundancy;
    m_parameter.m_nSyncTime = doc.m_nSyncTime;
    // The settings of the newer families are loaded on every program, so that what the pages
    // do not show goes back unchanged.
    m_parameter.m_nAI0Range = doc.m_nAIRange0;
    m_parameter.m_nAI1Range = doc.m_nAIRange1;
    m_parameter.m_bKeepLastAQ = doc.m_bKeepLastAQ ? 1 : 0;
    for (int i = 0; i < CParameter::aqCount; ++i) {
        m_parameter.m_abAQRangeType[i] = i < doc.m_qt.GetSize() ? doc.m_qt[i] : BYTE(0);
        m_parameter.m_adAQFixedValue[i] = i < doc.m_fv.GetSize() ? doc.m_fv[i] : 0.0;
    }
    m_bLoadedKeepLastAQ = m_parameter.m_bKeepLastAQ;
    std::copy(m_parameter.m_abAQRangeType, m_parameter.m_abAQRangeType + CParameter::aqCount, m_abLoadedTypes);
    std::copy(m_parameter.m_adAQFixedValue, m_parameter.m_adAQFixedValue + CParameter::aqCount, m_adLoadedValues);

    m_protect.m_bCopyProtect = doc.m_bCopyProtect ? 1 : 0;
    m_protect.m_nTempHigh = doc.m_nTempHigh;
    m_protect.m_nTempLow = doc.m_nTempLow;

    for (int p = 0; p < 3; ++p) {
        m_com[p].SetMachineType(doc.GetMachineType());
        m_com[p].FromRecord(doc.m_port[p]);
    }

    m_logo.m_strLogoPath = doc.m_strLogoPath;
    m_logo.m_bShowInverse = doc.m_bLogoInverse ? 1 : 0;
    m_logo.m_nDisplayLanguage = doc.m_nDisplayLanguage;
    m_logo.m_nLogoTime = doc.m_nLogoTime;
    m_logo.m_nContrast = doc.m_nContrast;
    m_logo.m_nBacklight = doc.m_nBacklight;
}

void CPropertiesPropSh::SaveTo(CTavixDoc& doc) const
{
    doc.m_strCreator = m_general.m_strCreator;
    doc.m_strProject = m_general.m_strProjectName;
    doc.m_strInstallation = m_general.m_strInstallationName;
    doc.m_strCustomer = m_general.m_strCustomer;
    doc.m_strDiagramNo = m_general.m_strDiagramNo;
    doc.m_strChecked = m_general.m_strChecked;
    doc.m_strVersion1 = m_general.m_strVersion1;
    doc.m_strVersion2 = m_general.m_strVersion2;
    doc.m_strVersion3 = m_general.m_strVersion3;
    doc.m_bShowPropertiesAtNew = m_general.m_bShowPropertiesAtNew;
    g_bShowPropertiesAtNew = m_general.m_bShowPropertiesAtNew;

    doc.m_strComment = m_comment.m_strText;
    doc.m_strProgramName = m_parameter.m_strProgramName;
    doc.m_strPassword = m_parameter.m_strPassword;
    doc.m_nRedundancy = m_parameter.m_nRedundancy;
    doc.m_nSyncTime = m_parameter.m_nSyncTime;
    doc.m_bCopyProtect = m_protect.m_bCopyProtect;
    doc.m_nTempHigh = m_protect.m_nTempHigh;
    doc.m_nTempLow = m_protect.m_nTempLow;

    // The model is the one the Hardware page has just confirmed.
    const bool newFamily = doc.IsNewModel();
    for (int p = 0; p < 3; ++p) {
        m_com[p].ToRecord(doc.m_port[p]);
        if (!newFamily && doc.m_port[p][3] >= CComSetting::firstNewBaud)
            doc.m_port[p][3] = CComSetting::baud9600;
    }
    doc.m_strLogoPath = m_logo.m_strLogoPath;
    doc.m_bLogoInverse = m_logo.m_bShowInverse;
    // Below the newer families the display settings are not the pages' to change.
    if (!newFamily)
        return;
    doc.m_nDisplayLanguage = m_logo.m_nDisplayLanguage;
    doc.m_nLogoTime = m_logo.m_nLogoTime;
    doc.m_nContrast = m_logo.m_nContrast;
    doc.m_nBacklight = m_logo.m_nBacklight;
    doc.m_nAIRange0 = m_parameter.m_nAI0Range;
    doc.m_nAIRange1 = m_parameter.m_nAI1Range;
    const bool aqChanged =
        m_parameter.m_bKeepLastAQ != m_bLoadedKeepLastAQ ||
        !std::equal(m_abLoadedTypes, m_abLoadedTypes + CParameter::aqCount, m_parameter.m_abAQRangeType) ||
        !std::equal(m_adLoadedValues, m_adLoadedValues + CParameter::aqCount, m_parameter.m_adAQFixedValue);
    if (!aqChanged)
        return;
    doc.m_bKeepLastAQ = m_parameter.m_bKeepLastAQ;
    doc.m_qt.SetSize(CParameter::aqCount);
    doc.m_fv.SetSize(CParameter::aqCount);
    for (int i = 0; i < CParameter::aqCount; ++i) {
        doc.m_qt[i] = m_parameter.m_abAQRangeType[i];
        doc.m_fv[i] = m_parameter.m_adAQFixedValue[i];
    }
}

INT_PTR RunProgramProperties(CTavixDoc* pDoc, CWnd* pParent, int nStartRequest)
{
    if (pDoc == nullptr)
        return IDCANCEL;
    const std::vector<BYTE> before = SavedBytes(*pDoc);
    const WORD hardwareBefore = pDoc->m_nHardwareCode;
    CPropertiesPropSh sheet(pDoc, pParent, nStartRequest);
    const INT_PTR result = sheet.DoModal();
    if (result != IDOK) {
        // The Hardware page changes the program only in its OK step; nothing else to undo.
        return result;
    }
    sheet.SaveTo(*pDoc);
    if (pDoc->m_nHardwareCode != hardwareBefore || SavedBytes(*pDoc) != before) {
        pDoc->SetModifiedFlag(TRUE);
        pDoc->m_undo.PushSnapshot(pDoc);
    }
    return result;
}
