// CTavixDoc: construction with its defaults, emptying, and the exchange of contents that lets a
// load replace them only when it succeeds.
#include "document/TavixDoc.h"

#include "document/NameTables.h"
#include "elements/BlockObj.h"
#include "elements/BlockComment.h"
#include "elements/ConnectLineObj.h"
#include "platform/gdi/DC.h"
#include "shell/MainFrame.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CTavixDoc, CDocument)

namespace {

// Size of a new diagram when the screen cannot tell its own.
constexpr int kDefaultScreenWidth = 1280;
constexpr int kDefaultScreenHeight = 1024;

// Width and height of the screen, which a new diagram and each of its pages take.
CSize ScreenSize()
{
    CDC screen;
    if (!screen.CreateDC(L"DISPLAY", nullptr, nullptr, nullptr))
        return CSize(kDefaultScreenWidth, kDefaultScreenHeight);
    const CSize size(screen.GetDeviceCaps(HORZRES), screen.GetDeviceCaps(VERTRES));
    if (size.cx <= 0 || size.cy <= 0)
        return CSize(kDefaultScreenWidth, kDefaultScreenHeight);
    return size;
}

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

template <typename A>
void SwapArray(A& a, A& b)
{
    A tmp;
    tmp.Copy(a);
    a.Copy(b);
    b.Copy(tmp);
}

// Moves every entry of one map into another, leaving the first empty.
template <typename K, typename AK, typename V, typename AV>
void MoveEntries(CMap<K, AK, V, AV>& from, CMap<K, AK, V, AV>& to)
{
    for (POSITION pos = from.GetStartPosition(); pos != nullptr;) {
        K key;
        V value;
        from.GetNextAssoc(pos, key, value);
        to.SetAt(key, value);
    }
    from.RemoveAll();
}

template <typename K, typename AK, typename V, typename AV>
void SwapMap(CMap<K, AK, V, AV>& a, CMap<K, AK, V, AV>& b)
{
    CMap<K, AK, V, AV> tmp;
    MoveEntries(a, tmp);
    MoveEntries(b, a);
    MoveEntries(tmp, b);
}

void DeleteAll(CObList& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
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
    const CSize screen = ScreenSize();
    m_rcExtent = CRect(0, 0, screen.cx, screen.cy);
    m_nPageWidth = screen.cx;
    m_nPageHeight = screen.cy;
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
    m_rcExtent = CRect(0, 0, kDefaultScreenWidth, kDefaultScreenHeight);
    m_nPageWidth = kDefaultScreenWidth;
    m_nPageHeight = kDefaultScreenHeight;
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
    if (!CDocument::OnNewDocument())
        return FALSE;
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
    SwapArray(m_qt, o.m_qt);
    SwapArray(m_fv, o.m_fv);
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
