// The program file layout: CTavixDoc::Serialize writes and reads the markers, settings, ports,
// logo, comments, ladder maps, device model, new-model settings and the element, power-bus and
// wire lists, then the message-text fields; a load ends with its fix-ups. Storing always writes
// the newest layout; loading accepts older files through the three markers and the device model.
#include "document/TavixDoc.h"

#include "document/FileReads.h"
#include "elements/BlockComment.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"
#include "elements/ElementClasses.h"
#include "elements/PowerBus.h"
#include "msgtext/Widget.h"
#include "shell/MainFrame.h"

#include <memory>

using namespace docfile;

namespace {

constexpr BYTE kMarkerSet = 0x55;
constexpr WORD kOldFileHardwareCode = 0x1188;

void SerializeStrings(CArchive& ar, CString* strings[], int count)
{
    for (int i = 0; i < count; ++i) {
        if (ar.IsStoring())
            ar << *strings[i];
        else
            ar >> *strings[i];
    }
}

void SerializeInts(CArchive& ar, int* values[], int count)
{
    for (int i = 0; i < count; ++i) {
        if (ar.IsStoring())
            ar << *values[i];
        else
            ar >> *values[i];
    }
}

// An object list: the count, then each object with its class tag. Loading accepts only objects
// of the list's class, so that a hostile file cannot put a comment where an element belongs.
void SerializeObjectList(CArchive& ar, CObList& list, const CRuntimeClass* pClass,
                         SeenObjects& seen)
{
    if (ar.IsStoring()) {
        ar.WriteCount(DWORD(list.GetCount()));
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
            ar.WriteObject(list.GetNext(pos));
        return;
    }
    const DWORD_PTR count = ReadCheckedCount(ar, 2, 0x7FFFFFFF);
    for (DWORD_PTR i = 0; i < count; ++i) {
        CObject* pObject = ReadOwnedObject(ar, pClass, seen);
        if (pObject == nullptr)
            AfxThrowArchiveException(CArchiveException::badClass);
        list.AddTail(pObject);
    }
}

// Every class a program file may name must be in the program's class registry, whatever else
// the program links: the element list names every element class, the field class is named here.
void LinkElementClasses()
{
    static const bool linked = [] {
        RegisterElementClasses();
        AfxRegisterClass(RUNTIME_CLASS(CWidget));
        return true;
    }();
    (void)linked;
}

} // namespace

void CTavixDoc::SerializeLadderMaps(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_operandComments.GetCount());
        for (POSITION pos = m_operandComments.GetStartPosition(); pos != nullptr;) {
            int key = 0;
            CString text;
            m_operandComments.GetNextAssoc(pos, key, text);
            ar << key << text;
        }
        ar.WriteCount(m_simSettings.GetCount());
        for (POSITION pos = m_simSettings.GetStartPosition(); pos != nullptr;) {
            int key = 0;
            SimSettingRecord record;
            m_simSettings.GetNextAssoc(pos, key, record);
            ar << key;
            ar.Write(&record, sizeof(record));
        }
        return;
    }
    m_operandComments.RemoveAll();
    const DWORD_PTR comments = ReadCheckedCount(ar, 4 + 4, 0x7FFFFFFF);
    for (DWORD_PTR i = 0; i < comments; ++i) {
        int key = 0;
        CString text;
        ar >> key >> text;
        m_operandComments.SetAt(key, text);
    }
    m_simSettings.RemoveAll();
    const DWORD_PTR records = ReadCheckedCount(ar, 4 + sizeof(SimSettingRecord), 0x7FFFFFFF);
    for (DWORD_PTR i = 0; i < records; ++i) {
        int key = 0;
        SimSettingRecord record;
        ar >> key;
        ar.Read(&record, sizeof(record));
        m_simSettings.SetAt(key, record);
    }
}

void CTavixDoc::Serialize(CArchive& ar)
{
    const bool storing = ar.IsStoring();
    SeenObjects seen;

    // 1-5: markers, file info, page layout, stored texts, extent.
    if (storing) {
        // What follows always carries the device model and the analog-input ranges.
        m_markers[0] = m_markers[1] = kMarkerSet;
        ar.Write(m_markers, markerBytes);
    }
    else {
        LinkElementClasses();
        ar.Read(m_markers, markerBytes);
    }
    int* head[] = {&m_nFileInfo, &m_nPageLayout[0], &m_nPageLayout[1], &m_nPageLayout[2],
                   &m_nPageLayout[3], &m_nPageLayout[4], &m_nPageLayout[5], &m_nPageLayout[6],
                   &m_nPageLayout[7], &m_nPageLayout[8], &m_nPageLayout[9]};
    SerializeInts(ar, head, 11);
    CString* info12[] = {&m_strInfo1, &m_strInfo2};
    SerializeStrings(ar, info12, 2);
    int* info[] = {&m_nInfo};
    SerializeInts(ar, info, 1);
    CString* info345[] = {&m_strInfo3, &m_strInfo4, &m_strInfo5};
    SerializeStrings(ar, info345, 3);
    {
        RECT rc = m_rcExtent;
        if (storing) {
            ar.Write(&rc, sizeof(rc));
        } else {
            ar.Read(&rc, sizeof(rc));
            // The view scales the extent by its zoom: a damaged one must not overflow an int.
            constexpr LONG kFar = 1000000;
            if (rc.left < -kFar || rc.top < -kFar || rc.right > kFar || rc.bottom > kFar || rc.right < rc.left ||
                rc.bottom < rc.top)
                AfxThrowArchiveException(CArchiveException::genericException);
            m_rcExtent = rc;
        }
    }

    // 6-10: kind, name, password, zoom, descriptive texts, comment.
    int* kind[] = {&m_nDocKind};
    SerializeInts(ar, kind, 1);
    CString* names[] = {&m_strProgramName, &m_strPassword};
    SerializeStrings(ar, names, 2);
    if (storing)
        ar << m_fZoom;
    else
        ar >> m_fZoom;
    CString* texts[] = {&m_strCreator, &m_strProject, &m_strInstallation, &m_strCustomer,
                        &m_strDiagramNo, &m_strChecked, &m_strLogoPath, &m_strVersion1,
                        &m_strVersion2, &m_strVersion3};
    SerializeStrings(ar, texts, 10);
    int* show[] = {&m_bShowPropertiesAtNew};
    SerializeInts(ar, show, 1);
    CString* comment[] = {&m_strComment};
    SerializeStrings(ar, comment, 1);

    // 11-12: device settings and the three ports.
    int* device[] = {&m_bCopyProtect, &m_nRedundancy, &m_nSyncTime, &m_nTempHigh, &m_nTempLow};
    SerializeInts(ar, device, 5);
    for (PortSettings& port : m_port) {
        for (int& value : port.m_nValue) {
            if (storing)
                ar << value;
            else
                ar >> value;
        }
    }

    // 13: logo.
    int* logo[] = {&m_bLogoInverse, &m_bLogoPresent};
    SerializeInts(ar, logo, 2);
    if (storing) {
        if (m_bLogoPresent) {
            static const BYTE kBlankLogo[logoBytes] = {};
            ar.Write(m_pLogo != nullptr ? m_pLogo : kBlankLogo, logoBytes);
        }
    } else {
        FreeLogo();
        if (m_bLogoPresent) {
            m_pLogo = new BYTE[logoBytes];
            ar.Read(m_pLogo, logoBytes);
        }
    }

    // 14-15: comments, ladder maps.
    SerializeObjectList(ar, m_comments, RUNTIME_CLASS(CBlockComment), seen);
    if (IsLadder())
        SerializeLadderMaps(ar);

    // 16: the device model (older files have none).
    if (storing || m_markers[0] == kMarkerSet) {
        if (storing)
            ar << m_nHardwareCode << m_nHardwareExtra << m_nMinFirmware << m_nMinFirmwareExtra
               << m_strHardwareName;
        else
            ar >> m_nHardwareCode >> m_nHardwareExtra >> m_nMinFirmware >> m_nMinFirmwareExtra
               >> m_strHardwareName;
    } else {
        m_nHardwareCode = kOldFileHardwareCode;
        CMainFrame::GetSeriesName(m_nHardwareCode, &m_strHardwareName, &m_nMinFirmware);
    }

    // 17: settings of the newer models.
    if (IsNewModel()) {
        int* keep[] = {&m_bKeepLastAQ};
        SerializeInts(ar, keep, 1);
        if (storing) {
            ar.WriteCount(m_qt.GetSize());
            if (m_qt.GetSize() > 0)
                ar.Write(m_qt.GetData(), UINT(m_qt.GetSize()));
            ar.WriteCount(m_fv.GetSize());
            for (INT_PTR i = 0; i < m_fv.GetSize(); ++i)
                ar << m_fv[i];
        } else {
            const DWORD_PTR bytes = ReadCheckedCount(ar, 1, 0x7FFFFFFF);
            m_qt.SetSize(INT_PTR(bytes));
            if (bytes > 0)
                ar.Read(m_qt.GetData(), UINT(bytes));
            const DWORD_PTR values = ReadCheckedCount(ar, sizeof(double), 0x7FFFFFFF);
            m_fv.SetSize(INT_PTR(values));
            for (DWORD_PTR i = 0; i < values; ++i)
                ar >> m_fv[INT_PTR(i)];
        }
        int* display[] = {&m_nDisplayLanguage, &m_nLogoTime, &m_nContrast, &m_nBacklight,
                          &m_nTextSet1, &m_nTextSet2, &m_nTextSetting, &m_nTextTime1,
                          &m_nTextTime2, &m_nScanTime, &m_nAnalogFilter};
        SerializeInts(ar, display, 11);
        if (storing || m_markers[1] == kMarkerSet) {
            int* ranges[] = {&m_nAIRange0, &m_nAIRange1};
            SerializeInts(ar, ranges, 2);
        }
    }

    // 18-20: elements, power bus, wires.
    SerializeObjectList(ar, m_blocks, RUNTIME_CLASS(CBlockObj), seen);
    if (IsLadder())
        SerializeObjectList(ar, m_powerBus, RUNTIME_CLASS(CPowerBusObj), seen);
    // Wires, fields and references find their elements by number from here on.
    std::unique_ptr<CBlockNumberIndex> index;
    if (!storing)
        index = std::make_unique<CBlockNumberIndex>(*this);
    SerializeObjectList(ar, m_wires, RUNTIME_CLASS(CConnectLineObj), seen);

    // 21: message-text fields, then the fix-ups of a load.
    SerializeMessageTextFields(ar, seen);
    if (!storing)
        FixUpAfterLoad();
}
