// The main frame's services to the diagram elements and the document, and the program-wide
// values they read.
#include "shell/MainFrame.h"

#include "platform/ui/framework/App.h"

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

// The block-name map is read from the first document on; fill it before anything runs.
[[maybe_unused]] const bool s_bBlockNamesBuilt = (CMainFrame::BuildBlockNameMap(), true);

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

void CMainFrame::BuildBlockNameMap()
{
    struct Entry { int nType; const wchar_t* pszName; };
    static const Entry entries[] = {
        {400, L"[On Delay]"},
        {401, L"[Off Delay]"},
        {402, L"[On/Off Delay]"},
        {403, L"[Retentive On-Delay]"},
        {404, L"[Wiping Relay(Pulse Output)]"},
        {405, L"[Edge Trigger Wiping Relay]"},
        {406, L"[Asynchronous Pulse Generator]"},
        {407, L"[Random Generator]"},
        {408, L"[Stairway lighting switch]"},
        {409, L"[Multiple function switch]"},
        {410, L"[Weekly Timer]"},
        {411, L"[Yearly Timer]"},
        {412, L"[Astronomical clock]"},
        {413, L"[Stopwatch]"},
        {800, L"[Up/Down Counter]"},
        {801, L"[Hour Counter]"},
        {802, L"[Threshold trigger]"},
        {803, L"[Analog Comparator]"},
        {804, L"[Analog Threshold Trigger]"},
        {805, L"[Analog Amplifier]"},
        {806, L"[Analog Watchdog]"},
        {807, L"[Analog Differential trigger]"},
        {810, L"[Message texts]"},
        {815, L"[Mathematic instruction]"},
        {816, L"[Analog MUX]"},
        {817, L"[Analog Ramp]"},
        {818, L"[PI controller]"},
        {819, L"[PWM]"},
        {820, L"[Analog filter]"},
        {821, L"[Max/Min]"},
        {822, L"[Average value]"},
        {823, L"[Mathematic instruction error detection]"},
        // The WiFi blocks are named too: the Hardware page names one a model cannot run.
        {824, L"[WiFi Digital Read]"},
        {825, L"[WiFi Digital Write]"},
        {826, L"[WiFi Analog Read]"},
        {827, L"[WiFi Analog Write]"},
        {832, L"[BCD]"},
        {833, L"[BIN]"},
        {834, L"[ROL]"},
        {835, L"[ROR]"},
        {836, L"[SHL]"},
        {837, L"[SHR]"},
        {838, L"[AND MASK]"},
        {839, L"[OR MASK]"},
        {840, L"[NOT MASK]"},
        {841, L"[NAND MASK]"},
        {842, L"[NOR MASK]"},
        {843, L"[XOR MASK]"},
        {844, L"[Array Max/Min/Avg]"},
        {845, L"[Data Max/Min/Avg]"},
        {846, L"[RAND]"},
        {847, L"[MEM]"},
        {848, L"[Encoder]"},
        {849, L"[Stepping Motor Control]"},
        {850, L"[Stepping Motor Control(Edge)]"},
        {851, L"[Pulse Train Output]"},
        {852, L"[Pulse Train Output(Edge)]"},
        {853, L"[Segment Display]"},
        {854, L"[Word to Bit]"},
        {855, L"[UDC Communication]"},
        {856, L"[CRC16]"},
        {860, L"[Odd Number]"},
        {861, L"[Even Number]"},
        {862, L"[Modulo]"},
        {863, L"[Remainder]"},
        {864, L"[Logarithm]"},
        {865, L"[Square Root]"},
        {866, L"[Absolute Value]"},
        {867, L"[GCD]"},
        {868, L"[LCM]"},
        {869, L"[2's nth power]"},
        {870, L"[e's nth power]"},
        {871, L"[Fixed-point arithmetic]"},
        {872, L"[Round-off]"},
        {873, L"[Sine function]"},
        {874, L"[Cosine function]"},
        {875, L"[Tangent function]"},
        {876, L"[Cotangent function]"},
        {877, L"[Secant function]"},
        {878, L"[Cosecant function]"},
        {879, L"[Quadratic equation]"},
    };
    g_mapBlockTypeName.RemoveAll();
    g_mapBlockTypeName.InitHashTable(91);
    for (const Entry& e : entries)
        g_mapBlockTypeName.SetAt(e.nType, e.pszName);
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
    // The status bar's label shows it at once.
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()); frame && frame->m_pSeriesLabel &&
                                                                   frame->m_pSeriesLabel->m_hWnd) {
        frame->m_pSeriesLabel->SetWindowText(text);
        frame->m_pSeriesLabel->Invalidate();
    }
}

CString CMainFrame::GetSeriesText()
{
    return s_strSeriesText;
}
