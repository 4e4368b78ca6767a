// The main frame's services to the diagram elements and the document, and the program-wide
// values they read.
#include "shell/MainFrame.h"

#include <atomic>

WORD g_wHardwareCode = 0x5188;
int g_nLanguage = 0;
CMap<int, int, CString, LPCTSTR> g_mapBlockTypeName;
CString g_astrModuleNames[8] = {L"Main",  L"Ext.1", L"Ext.2", L"Ext.3",
                                L"Ext.4", L"Ext.5", L"Ext.6", L"Ext.7"};
CString g_strTipFaceName;
BOOL g_bShowPropertiesAtNew = 1;

namespace {
int s_nPendingDocKind = 1;
std::atomic<int> s_nOpenDocuments{0};
CString s_strSeriesText;
} // namespace

int CMainFrame::GetSeriesName(WORD wHardwareCode, CString* pName, WORD* pMinFirmware)
{
    if (wHardwareCode < 0x1100 || wHardwareCode > 0x61FF)
        return -1;
    struct Model { int machine; const wchar_t* name; WORD minFirmware; int modelClass; };
    static const Model models[] = {
        {0x11, L"Not QX Series", 0xB100, 1}, {0x21, L"Not QX Series", 0xB100, 3},
        {0x51, L"QX Series V2.XX", 0xC100, 1}, {0x52, L"Not QX Series", 0xC100, 7},
        {0x61, L"Not QX Series", 0xC100, 9},
    };
    const int machine = wHardwareCode >> 8;
    for (const Model& m : models) {
        if (m.machine != machine)
            continue;
        if (pName)
            *pName = m.name;
        if (pMinFirmware)
            *pMinFirmware = m.minFirmware;
        return m.modelClass;
    }
    return -1;
}

int CMainFrame::TakePendingDocKind()
{
    const int kind = s_nPendingDocKind;
    s_nPendingDocKind = 1;
    return kind;
}

void CMainFrame::SetPendingDocKind(int nKind)
{
    s_nPendingDocKind = nKind;
}

void CMainFrame::DocumentOpened()
{
    ++s_nOpenDocuments;
}

void CMainFrame::DocumentClosed()
{
    if (s_nOpenDocuments > 0)
        --s_nOpenDocuments;
}

int CMainFrame::GetOpenDocumentCount()
{
    return s_nOpenDocuments;
}

void CMainFrame::SetSeriesText(const CString& text)
{
    s_strSeriesText = text;
}

CString CMainFrame::GetSeriesText()
{
    return s_strSeriesText;
}
