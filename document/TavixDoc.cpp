// CTavixDoc: construction, emptying, opening and saving.
#include "document/TavixDoc.h"

#include "document/NameTables.h"
#include "elements/BlockObj.h"
#include "elements/BlockComment.h"
#include "elements/ConnectLineObj.h"
#include "shell/MainFrame.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <unistd.h>

IMPLEMENT_DYNCREATE(CTavixDoc, CObject)

namespace {

// Size of a new diagram: one screen. The display host is not asked; a fixed screen keeps new
// documents the same on every machine.
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;


template <typename T>
void SwapValue(T& a, T& b)
{
    T t = a;
    a = b;
    b = t;
}

void SwapList(CObList& a, CObList& b)
{
    CObList tmp;
    tmp.AddTail(&a);
    a.RemoveAll();
    a.AddTail(&b);
    b.RemoveAll();
    b.AddTail(&tmp);
}

template <typename K, typename AK, typename V, typename AV>
void SwapMap(CMap<K, AK, V, AV>& a, CMap<K, AK, V, AV>& b)
{
    CMap<K, AK, V, AV> tmp;
    for (POSITION pos = a.GetStartPosition(); pos != nullptr;) {
        K key;
        V value;
        a.GetNextAssoc(pos, key, value);
        tmp.SetAt(key, value);
    }
    a.RemoveAll();
    for (POSITION pos = b.GetStartPosition(); pos != nullptr;) {
        K key;
        V value;
        b.GetNextAssoc(pos, key, value);
        a.SetAt(key, value);
    }
    b.RemoveAll();
    for (POSITION pos = tmp.GetStartPosition(); pos != nullptr;) {
        K key;
        V value;
        tmp.GetNextAssoc(pos, key, value);
        b.SetAt(key, value);
    }
}

void DeleteAll(CObList& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

CString ExceptionText(CException* e, const wchar_t* fallback)
{
    CString text = e->GetErrorMessage();
    return text.IsEmpty() ? CString(fallback) : text;
}

} // namespace

CTavixDoc::CTavixDoc(DetachedTag)
{
    InitDefaults();
}

CTavixDoc::CTavixDoc()
{
    InitDefaults();
    InitBlockNameTable();
    InitBaudRateTable();
    m_nDocKind = CMainFrame::TakePendingDocKind();
    m_bShowPropertiesAtNew = g_bShowPropertiesAtNew;
    m_nHardwareCode = g_wHardwareCode;
    CMainFrame::GetSeriesName(m_nHardwareCode, &m_strHardwareName, &m_nMinFirmware);
    CMainFrame::DocumentOpened();
    m_bCounted = TRUE;
}

void CTavixDoc::InitDefaults()
{
    for (int& layout : m_nPageLayout)
        layout = 1;
    m_rcExtent = CRect(0, 0, kScreenWidth, kScreenHeight);
    m_nPageWidth = kScreenWidth;
    m_nPageHeight = kScreenHeight;
    m_bSimulating = FALSE;
    m_nInfo = 0;
    m_nDocKind = kindFbd;
    m_nFileInfo = 0;
    m_fZoom = 1.0f;
    m_bShowPropertiesAtNew = TRUE;
    m_bCopyProtect = FALSE;
    m_nRedundancy = 0;
    m_nSyncTime = 5000;
    m_nTempHigh = 90;
    m_nTempLow = -20;
    m_bKeepLastAQ = TRUE;
    m_qt.SetSize(32);
    for (int i = 0; i < 32; ++i)
        m_qt[i] = 0;
    m_fv.SetSize(32);
    for (int i = 0; i < 32; ++i)
        m_fv[i] = 0.0;
    m_nDisplayLanguage = 0;
    m_nLogoTime = 0;
    m_nContrast = 2;
    m_nBacklight = 0;
    m_bLogoInverse = FALSE;
    m_bLogoPresent = FALSE;
    m_pLogo = nullptr;
    m_nAIRange0 = 0;
    m_nAIRange1 = 0;
    m_nHardwareCode = 0x5188;
    m_nHardwareExtra = 0;
    m_nMinFirmware = 0xC100;
    m_nMinFirmwareExtra = 0;
    for (int& count : m_nOptionCount)
        count = 0;
    m_nTextSet1 = 0;
    m_nTextSet2 = 0;
    m_nTextSetting = 0;
    m_nTextTime1 = 1000;
    m_nTextTime2 = 10000;
    m_nScanTime = 0;
    m_nAnalogFilter = 5;
    m_ptLast = CPoint(0, 0);
    m_markers[0] = m_markers[1] = m_markers[2] = 0x55;
    std::memset(m_markers + 3, 0xAA, markerBytes - 3);
}

CTavixDoc::~CTavixDoc()
{
    DeleteContents();
    FreeLogo();
    if (m_bCounted)
        CMainFrame::DocumentClosed();
}

void CTavixDoc::FreeLogo()
{
    delete[] m_pLogo;
    m_pLogo = nullptr;
}

void CTavixDoc::DeleteContents()
{
    DeleteAll(m_blocks);
    DeleteAll(m_wires);
    DeleteAll(m_comments);
    DeleteAll(m_powerBus);
}

BOOL CTavixDoc::OnNewDocument()
{
    DeleteContents();
    SetModifiedFlag(FALSE);
    // The empty program is the first snapshot, so the first change can be undone.
    m_undo.PushSnapshot(this);
    return TRUE;
}

void CTavixDoc::SwapContents(CTavixDoc& o)
{
    for (int i = 0; i < 10; ++i)
        SwapValue(m_nPageLayout[i], o.m_nPageLayout[i]);
    SwapValue(m_rcExtent, o.m_rcExtent);
    SwapList(m_blocks, o.m_blocks);
    SwapList(m_wires, o.m_wires);
    SwapList(m_comments, o.m_comments);
    SwapValue(m_strInfo1, o.m_strInfo1);
    SwapValue(m_strInfo2, o.m_strInfo2);
    SwapValue(m_nInfo, o.m_nInfo);
    SwapValue(m_strInfo3, o.m_strInfo3);
    SwapValue(m_strInfo4, o.m_strInfo4);
    SwapValue(m_strInfo5, o.m_strInfo5);
    SwapValue(m_nDocKind, o.m_nDocKind);
    SwapValue(m_nFileInfo, o.m_nFileInfo);
    SwapValue(m_strProgramName, o.m_strProgramName);
    SwapValue(m_strPassword, o.m_strPassword);
    SwapValue(m_fZoom, o.m_fZoom);
    SwapValue(m_strCreator, o.m_strCreator);
    SwapValue(m_strProject, o.m_strProject);
    SwapValue(m_strInstallation, o.m_strInstallation);
    SwapValue(m_strCustomer, o.m_strCustomer);
    SwapValue(m_strDiagramNo, o.m_strDiagramNo);
    SwapValue(m_strChecked, o.m_strChecked);
    SwapValue(m_strLogoPath, o.m_strLogoPath);
    SwapValue(m_strVersion1, o.m_strVersion1);
    SwapValue(m_strVersion2, o.m_strVersion2);
    SwapValue(m_strVersion3, o.m_strVersion3);
    SwapValue(m_bShowPropertiesAtNew, o.m_bShowPropertiesAtNew);
    SwapValue(m_strComment, o.m_strComment);
    SwapValue(m_bCopyProtect, o.m_bCopyProtect);
    SwapValue(m_nRedundancy, o.m_nRedundancy);
    SwapValue(m_nSyncTime, o.m_nSyncTime);
    SwapValue(m_nTempHigh, o.m_nTempHigh);
    SwapValue(m_nTempLow, o.m_nTempLow);
    SwapValue(m_bKeepLastAQ, o.m_bKeepLastAQ);
    {
        CByteArray qt;
        qt.Copy(m_qt);
        m_qt.Copy(o.m_qt);
        o.m_qt.Copy(qt);
        CArray<double, double> fv;
        fv.Copy(m_fv);
        m_fv.Copy(o.m_fv);
        o.m_fv.Copy(fv);
    }
    SwapValue(m_nDisplayLanguage, o.m_nDisplayLanguage);
    SwapValue(m_nLogoTime, o.m_nLogoTime);
    SwapValue(m_nContrast, o.m_nContrast);
    SwapValue(m_nBacklight, o.m_nBacklight);
    SwapValue(m_bLogoInverse, o.m_bLogoInverse);
    SwapValue(m_bLogoPresent, o.m_bLogoPresent);
    SwapValue(m_pLogo, o.m_pLogo);
    SwapValue(m_nAIRange0, o.m_nAIRange0);
    SwapValue(m_nAIRange1, o.m_nAIRange1);
    for (int i = 0; i < 3; ++i)
        SwapValue(m_port[i], o.m_port[i]);
    SwapValue(m_nHardwareCode, o.m_nHardwareCode);
    SwapValue(m_nHardwareExtra, o.m_nHardwareExtra);
    SwapValue(m_nMinFirmware, o.m_nMinFirmware);
    SwapValue(m_nMinFirmwareExtra, o.m_nMinFirmwareExtra);
    SwapValue(m_strHardwareName, o.m_strHardwareName);
    SwapMap(m_operandComments, o.m_operandComments);
    SwapMap(m_simSettings, o.m_simSettings);
    SwapList(m_powerBus, o.m_powerBus);
    SwapValue(m_nTextSet1, o.m_nTextSet1);
    SwapValue(m_nTextSet2, o.m_nTextSet2);
    SwapValue(m_nTextSetting, o.m_nTextSetting);
    SwapValue(m_nTextTime1, o.m_nTextTime1);
    SwapValue(m_nTextTime2, o.m_nTextTime2);
    SwapValue(m_nScanTime, o.m_nScanTime);
    SwapValue(m_nAnalogFilter, o.m_nAnalogFilter);
    for (int i = 0; i < markerBytes; ++i)
        SwapValue(m_markers[i], o.m_markers[i]);
}

BOOL CTavixDoc::LoadFrom(CFile& file, const CString& name)
{
    // The current contents wait in a detached document; the file is read into this one, so
    // every loaded object refers to this document. A failed load puts the old contents back.
    CTavixDoc saved{DetachedTag{}};
    SwapContents(saved);
    m_loadWarnings.RemoveAll();
    try {
        CArchive ar(&file, CArchive::load);
        ar.m_pDocument = this;
        try {
            Serialize(ar);
            ar.Close();
        } catch (...) {
            ar.Abort();
            throw;
        }
        return TRUE;
    } catch (CException* e) {
        m_strLastError.Format(L"%s: %s", name.GetString(),
                              ExceptionText(e, L"the file is damaged").GetString());
        e->Delete();
    } catch (const std::bad_alloc&) {
        m_strLastError.Format(L"%s: not enough memory to load the file", name.GetString());
    }
    DeleteContents();
    FreeLogo();
    SwapContents(saved);
    return FALSE;
}

BOOL CTavixDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFile file;
    CFileException error;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        m_strLastError.Format(L"%s: %s", lpszPathName,
                              ExceptionText(&error, L"the file cannot be opened").GetString());
        return FALSE;
    }
    if (!LoadFrom(file, lpszPathName))
        return FALSE;
    file.Abort();

    g_wHardwareCode = m_nHardwareCode;
    CMainFrame::GetSeriesName(m_nHardwareCode, &m_strHardwareName, &m_nMinFirmware);
    CMainFrame::SetSeriesText(m_strHardwareName);

    m_markers[0] = m_markers[1] = 0x55;
    if (m_markers[2] != 0x55) {
        // Files from before the pin-kind table get the pin kinds of the table.
        m_markers[2] = 0x55;
        for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;)
            static_cast<CBlockObj*>(m_blocks.GetNext(pos))->ResetPinKinds(this);
    }
    SetPathName(lpszPathName);
    SetModifiedFlag(FALSE);
    m_undo.PushSnapshot(this);
    return TRUE;
}

BOOL CTavixDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
    const std::string target = ToNativePath(lpszPathName);
    const std::string::size_type slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : target.substr(0, slash);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = folder + "/." + base + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        m_strLastError.Format(L"%s: cannot write in the folder (%s)", lpszPathName,
                              FromUtf8(std::strerror(errno)).GetString());
        return FALSE;
    }
    ::close(fd);
    const CString tempName = FromUtf8(temp);

    try {
        CFile file(tempName, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        ar.m_pDocument = this;
        try {
            Serialize(ar);
            ar.Close();
        } catch (...) {
            ar.Abort();
            throw;
        }
        file.Flush();
        file.Close();
    } catch (CException* e) {
        m_strLastError.Format(L"%s: %s", lpszPathName,
                              ExceptionText(e, L"the file could not be written").GetString());
        e->Delete();
        std::remove(temp.c_str());
        return FALSE;
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        m_strLastError.Format(L"%s: %s", lpszPathName, FromUtf8(std::strerror(errno)).GetString());
        std::remove(temp.c_str());
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

CString CTavixDoc::GetProposedFileName() const
{
    CString name = m_strTitle;
    const int cut = name.FindOneOf(L" #%;/\\");
    if (cut >= 0)
        name = name.Left(cut);
    name += IsLadder() ? L".yld" : L".yfb";
    return name;
}

BOOL CTavixDoc::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString name = lpszPathName != nullptr ? CString(lpszPathName) : CString();
    if (name.IsEmpty())
        name = m_strPathName;
    if (name.IsEmpty()) {
        // Asking for a name is the file dialog's job, which the framework adds.
        m_strLastError = L"No file name to save the program under";
        return FALSE;
    }
    if (!OnSaveDocument(name))
        return FALSE;
    if (bReplace)
        SetPathName(name);
    return TRUE;
}
