#include "comm/IOStatus.h"

#include "comm/DeviceDlgSupport.h"
#include "comm/ModBus.h"
#include "document/TavixDoc.h"
#include "platform/serial/Comm.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"

#include <chrono>
#include <cwchar>
#include <thread>
#include <vector>

namespace {

constexpr UINT_PTR kPollTimer = 258;
constexpr UINT kQuestionIcon = 0x20;
constexpr COLORREF kGridBackground = RGB(255, 255, 224);
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlack = 0x000000;
// Value columns of the I/Q/AI/AQ view (I, Q, AI, AQ) and of the flag views (two halves).
constexpr COLORREF kInputColour = 0xFFFF80, kOutputColour = 0x80FF00;
constexpr COLORREF kAnalogInputColour = 0xFF8080, kAnalogOutputColour = 0x0080FF;

// One area of the device's I/O: how it is read and where it is shown.
struct IoArea {
    BYTE function;
    WORD start;
    int dataBytes;
    int firstColumn;
    WORD perRequest;     // bits or registers per request
    WORD answerBytes;
    int perRow;          // bytes (bit areas) or words (register areas) per grid row
    bool bits;
};

const IoArea kAreas[6] = {
    {2, 0, 32, 1, 128, 21, 4, true},       // inputs I
    {1, 256, 16, 33, 128, 21, 2, true},    // outputs Q
    {4, 500, 128, 49, 64, 133, 8, false},  // analog inputs AI
    {3, 564, 64, 57, 32, 69, 4, false},    // analog outputs AQ
    {1, 384, 64, 1, 128, 21, 0, true},     // flags M
    {3, 596, 1024, 1, 64, 133, 0, false},  // analog flags AM
};

const wchar_t* const kBaudRates[] = {L"1200", L"2400", L"4800", L"9600", L"14400", L"19200", L"28800",
                                     L"38400", L"57600", L"115200", L"230400", L"460800", L"921600"};
const wchar_t* const kParities[] = {L"None,8,1", L"None,8,2", L"Odd,8,1", L"Odd,8,2", L"Even,8,1", L"Even,8,2"};

const int kParameterControls[] = {IDC_DEV_IO_ADDRESS, IDC_DEV_IO_PORT, IDC_DEV_IO_BAUD, IDC_DEV_IO_PARITY,
                                  IDC_DEV_IO_REFRESH, IDC_DEV_IO_REFRESH_SPIN, IDC_DEV_IO_DELAY};

CString ComboText(CWnd* dlg, int id)
{
    CWnd* combo = dlg->GetDlgItem(id);
    const int index = combo ? int(combo->SendMessage(CB_GETCURSEL)) : -1;
    if (index < 0)
        return CString();
    CString text;
    wchar_t* buffer = text.GetBufferSetLength(int(combo->SendMessage(CB_GETLBTEXTLEN, WPARAM(index))) + 1);
    combo->SendMessage(CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(buffer));
    text.ReleaseBuffer();
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CIOStatus, CDialog)
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_CONTROL(BN_CLICKED, IDC_DEV_IO_CONNECT, OnConnect)
    ON_CONTROL(BN_CLICKED, IDC_DEV_IO_SHOW_IO, RebuildGrid)
    ON_CONTROL(BN_CLICKED, IDC_DEV_IO_SHOW_FLAGS, RebuildGrid)
    ON_CONTROL(BN_CLICKED, IDC_DEV_IO_SHOW_ANALOG_FLAGS, RebuildGrid)
    ON_CONTROL(CBN_SELENDOK, IDC_DEV_IO_PARITY, OnParityChange)
    ON_CONTROL(EN_UPDATE, IDC_DEV_IO_ADDRESS, OnAddressUpdate)
    ON_CONTROL(EN_UPDATE, IDC_DEV_IO_DELAY, OnPollDelayUpdate)
END_MESSAGE_MAP()

CIOStatus::CIOStatus(CMainFrame& frame, CModBus& modbus)
    : CDialog(IDD_IO_STATUS, &frame), m_frame(frame), m_modbus(modbus)
{
}

CIOStatus::~CIOStatus()
{
    // The port never outlives the monitor.
    if (m_bPolling || m_frame.m_bPortOpen)
        CloseLinkPort();
}

void CIOStatus::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_DEV_IO_GRID, m_grid);
    DDX_Text(pDX, IDC_DEV_IO_REFRESH, m_nRefreshTime);
    DDV_MinMaxInt(pDX, m_nRefreshTime, 1, 30);
    DDX_Text(pDX, IDC_DEV_IO_DELAY, m_nPollDelay);
    DDX_Text(pDX, IDC_DEV_IO_ADDRESS, m_nDeviceAddress);
    DDV_MinMaxUInt(pDX, m_nDeviceAddress, 0, 255);
}

BOOL CIOStatus::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The default cell's colour also fills the grid outside its cells.
    m_grid.GetDefaultCell(FALSE, FALSE)->SetBackColour(kGridBackground);
    m_grid.m_crBackground = kGridBackground;
    BuildInitialGrid();
    m_grid.SetGridLines(GRIDLINES_BOTH);
    SetUpSpin(this, IDC_DEV_IO_REFRESH_SPIN, IDC_DEV_IO_REFRESH, 1, 30, m_nRefreshTime);
    CheckRadioButton(IDC_DEV_IO_SHOW_IO, IDC_DEV_IO_SHOW_ANALOG_FLAGS, IDC_DEV_IO_SHOW_IO);
    SetDlgItemText(IDC_DEV_IO_ADDRESS, L"0");
    SetUpRangeTips();

    const CTavixDoc* doc = m_frame.GetActiveDiagramDocument();
    const int machine = ((doc ? doc->m_nHardwareCode : g_wHardwareCode) >> 8) & 0xFF;
    CWnd* baud = GetDlgItem(IDC_DEV_IO_BAUD);
    const int rates = machine >= 0x51 ? 13 : 10;
    for (int i = 0; i < rates; ++i)
        baud->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kBaudRates[i]));
    baud->SendMessage(CB_SETCURSEL, 9);  // 115200
    CWnd* parity = GetDlgItem(IDC_DEV_IO_PARITY);
    for (const wchar_t* p : kParities)
        parity->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p));
    parity->SendMessage(CB_SETCURSEL, 0);

    CWnd* ports = GetDlgItem(IDC_DEV_IO_PORT);
    int select = 0;
    for (int port : EnumerateComPorts()) {
        CString entry;
        entry.Format(L"COM%d", port);
        const int index = int(ports->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LPCTSTR(entry))));
        if (port == m_frame.m_nComPort)
            select = index;
    }
    ports->SendMessage(CB_SETCURSEL, WPARAM(select));
    return TRUE;
}

void CIOStatus::SetUpRangeTips()
{
    m_toolTip.Create(this);
    CString format;
    format.LoadString(IDS_NUMBER_RANGE_INT);
    struct Tip { int id; int low, high; };
    for (const Tip& t : {Tip{IDC_DEV_IO_ADDRESS, 0, 255}, Tip{IDC_DEV_IO_DELAY, 10, 65535},
                         Tip{IDC_DEV_IO_REFRESH, 1, 30}}) {
        CString text;
        text.Format(LPCTSTR(format), t.low, t.high);
        if (CWnd* field = GetDlgItem(t.id))
            m_toolTip.AddTool(field, text);
    }
}

BOOL CIOStatus::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(pMsg);
    // Enter and Esc belong to the focused control (a cell being typed into, a list): they
    // must not close the monitor while it polls.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
        ::TranslateMessage(pMsg);
        ::DispatchMessage(pMsg);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

int CIOStatus::ChosenView() const
{
    if (IsDlgButtonChecked(IDC_DEV_IO_SHOW_FLAGS))
        return viewFlags;
    if (IsDlgButtonChecked(IDC_DEV_IO_SHOW_ANALOG_FLAGS))
        return viewAnalogFlags;
    return viewIo;
}

void CIOStatus::SetValueCell(int nRow, int nColumn, unsigned value)
{
    if (!m_grid.m_hWnd || !m_grid.IsValid(nRow, nColumn))
        return;
    CString text;
    text.Format(L"%u", value);
    m_grid.SetItemText(nRow, nColumn, text);
    m_grid.SetItemFgColour(nRow, nColumn, value ? kRed : kBlack);
}

CString CIOStatus::CellText(int nRow, int nColumn) const
{
    if (!m_grid.m_hWnd || !m_grid.IsValid(nRow, nColumn))
        return CString();
    return m_grid.GetItemText(nRow, nColumn);
}

void CIOStatus::BuildInitialGrid()
{
    LayOutGrid(viewIo, TRUE);
}

void CIOStatus::RebuildGrid()
{
    LayOutGrid(ChosenView(), FALSE);
}

void CIOStatus::LayOutGrid(int nView, BOOL bInitialLabels)
{
    if (!m_grid.m_hWnd)
        return;
    m_nRows = nView == viewIo ? 9 : 7;
    m_nCols = nView == viewIo ? 61 : 101;
    m_grid.SetRowCount(m_nRows);
    m_grid.SetColumnCount(m_nCols);
    m_grid.SetFixedRowCount(m_nFixedRows);
    m_grid.SetFixedColumnCount(m_nFixedCols);

    // One light colour for the header and the labels, new at every layout.
    auto channel = [this] { return BYTE(128 + m_headerColours() % 128); };
    const BYTE blue = channel(), green = channel(), red = channel();
    const COLORREF headerColour = RGB(red, green, blue);
    auto valueColour = [nView](int c) {
        if (nView != viewIo)
            return c <= 50 ? kInputColour : kOutputColour;
        return c <= 32 ? kInputColour : c <= 48 ? kOutputColour : c <= 56 ? kAnalogInputColour : kAnalogOutputColour;
    };
    // The header names the points in the grid's font drawn in Arial, upright.
    LOGFONT header{};
    if (const LOGFONT* lf = m_grid.GetDefaultCell(TRUE, FALSE)->GetFont())
        header = *lf;
    std::wcsncpy(header.lfFaceName, L"Arial", LF_FACESIZE - 1);
    header.lfItalic = FALSE;

    for (int r = 0; r < m_nRows; ++r) {
        for (int c = 0; c < m_nCols; ++c) {
            GV_ITEM item;
            item.row = r;
            item.col = c;
            item.mask = GRIDITEM_TEXT | GRIDITEM_BACKCOLOUR | GRIDITEM_TEXTCOLOUR;
            item.crFgClr = kRed;
            item.crBkClr = r == 0 || c == 0 ? headerColour : valueColour(c);
            if (r == 0 && c == 0) {
                item.strText = L"Index";
            } else if (r == 0) {
                if (nView == viewIo) {
                    if (c <= 32)
                        item.strText.Format(L"I%d", c - 1);
                    else if (c <= 48)
                        item.strText.Format(L"Q%d", c - 33);
                    else if (c <= 56)
                        item.strText.Format(L" AI%d  ", c - 49);
                    else
                        item.strText.Format(L" AQ%d  ", c - 57);
                } else if (nView == viewFlags) {
                    item.strText.Format(L"M%d", c - 1);
                } else {
                    item.strText.Format(L"AM%-3d", c - 1);
                }
                item.mask |= GRIDITEM_FONT;
                item.lfFont = header;
            } else if (c == 0) {
                // A row per module: the main unit and up to seven extensions.
                if (nView != viewIo)
                    item.strText.Format(L"%d-%d", 100 * (r - 1), r == m_nRows - 1 ? 511 : 100 * (r - 1) + 99);
                else if (r == 1)
                    item.strText = L"Main";
                else
                    item.strText.Format(bInitialLabels ? L"Ext%d" : L"Ext %d", r - 1);
            }
            m_grid.SetItem(&item);
        }
    }
    m_grid.AutoSize();
    m_grid.Invalidate();
}

void CIOStatus::OnParityChange()
{
    const CString text = ComboText(this, IDC_DEV_IO_PARITY);
    auto firstOf = [&](std::initializer_list<const wchar_t*> words, int* pIndex) {
        int i = 0;
        for (const wchar_t* w : words) {
            if (text.Find(w) >= 0) {
                *pIndex = i;
                return;
            }
            ++i;
        }
    };
    firstOf({L"None", L"Odd", L"Even"}, &m_nParity);
    firstOf({L"7", L"8"}, &m_nDataBits);
    // The stop bits follow the data bits in the text.
    const int comma = text.ReverseFind(L',');
    const CString stop = comma >= 0 ? text.Mid(comma + 1) : text;
    if (stop.Find(L"1") >= 0)
        m_nStopBits = 0;
    else if (stop.Find(L"2") >= 0)
        m_nStopBits = 1;
    m_strCommText = text;
}

void CIOStatus::OnAddressUpdate()
{
    ClampNumberField(this, IDC_DEV_IO_ADDRESS, 0, 255);
}

void CIOStatus::OnPollDelayUpdate()
{
    ClampNumberField(this, IDC_DEV_IO_DELAY, 10, 65535);
}

int CIOStatus::OpenLinkPort()
{
    if (m_frame.m_nComPort == 0)
        return m_frame.m_bPortOpen;
    const int baud = int(std::wcstol(LPCTSTR(ComboText(this, IDC_DEV_IO_BAUD)), nullptr, 10));
    const BYTE parity = BYTE(m_nParity == 1 ? ODDPARITY : m_nParity == 2 ? EVENPARITY : NOPARITY);
    if (m_frame.OpenPort(baud > 0 ? baud : 115200, m_nDataBits ? 8 : 7, parity,
                         m_nStopBits ? TWOSTOPBITS : ONESTOPBIT)) {
        m_frame.m_bPortOpen = 1;
        m_frame.m_bLinkOpen = 1;
    } else {
        m_frame.m_bPortOpen = 0;
        m_frame.m_bLinkOpen = 0;
        CString text;
        text.Format(L"COM%d fail to open, Please check!", m_frame.m_nComPort);
        m_frame.PortMessageBox(text, MB_OK);
    }
    return m_frame.m_bPortOpen;
}

void CIOStatus::CloseLinkPort()
{
    m_frame.ClosePort();
    m_frame.m_bPortOpen = 0;
    m_frame.m_bLinkOpen = 0;
}

void CIOStatus::EnableParameters(BOOL bEnable)
{
    for (int id : kParameterControls)
        if (CWnd* w = GetDlgItem(id))
            w->EnableWindow(bEnable);
}

void CIOStatus::OnConnect()
{
    CWnd* button = GetDlgItem(IDC_DEV_IO_CONNECT);
    if (!button || !button->IsWindowEnabled())
        return;
    button->EnableWindow(FALSE);
    if (!m_bPolling) {
        if (!UpdateData(TRUE)) {
            button->EnableWindow(TRUE);
            return;
        }
        const CString port = ComboText(this, IDC_DEV_IO_PORT);
        m_frame.m_nComPort = port.GetLength() > 3 ? int(std::wcstol(LPCTSTR(port) + 3, nullptr, 10)) : 0;
        if (!OpenLinkPort() && m_frame.m_nComPort != 0) {
            // The port did not open and said so: no poll could reach the device, so the user
            // may change the settings and connect again at once.
            StopPolling();
            button->EnableWindow(TRUE);
            return;
        }
        m_bPolling = TRUE;
        KillTimer(kPollTimer);
        SetTimer(kPollTimer, UINT(m_nRefreshTime * 1000));
        // The button stays disabled until the first poll tells whether the device answers.
        return;
    }
    StopPolling();
    RebuildGrid();
    button->EnableWindow(TRUE);
}

void CIOStatus::StopPolling()
{
    KillTimer(kPollTimer);
    CloseLinkPort();
    m_bPolling = FALSE;
    EnableParameters(TRUE);
    SetDlgItemText(IDC_DEV_IO_CONNECT, DeviceText(IDS_DEV_CONNECT));
}

void CIOStatus::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kPollTimer || !m_bPolling)
        return;
    if (PollOnce()) {
        EnableParameters(FALSE);
        SetDlgItemText(IDC_DEV_IO_CONNECT, DeviceText(IDS_DEV_DISCONNECT));
    } else {
        StopPolling();
        m_frame.PortMessageBox(DeviceText(IDS_CHECK_CABLE), kQuestionIcon);
    }
    if (CWnd* button = GetDlgItem(IDC_DEV_IO_CONNECT))
        button->EnableWindow(TRUE);
}

void CIOStatus::Wait(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

BOOL CIOStatus::PollOnce()
{
    m_modbus.m_byAddress = BYTE(m_nDeviceAddress);
    Wait(int(m_nPollDelay));
    UINT error = 0;
    BYTE request[CModBus::kFrameBufferSize];
    BYTE answer[CModBus::kFrameBufferSize];
    bool clock = false;
    for (int attempt = 0; attempt < 3 && !clock; ++attempt) {
        const int n = m_modbus.BuildReadRequest(301, 6, request);
        WORD expected = 17;
        error = 0;
        if (m_frame.WritePort(request, WORD(n), &error) &&
            m_frame.ReadAnswer(answer, &expected, &error, 1000)) {
            const int check = m_modbus.CheckReadResponse(answer, expected, 3);
            if (check == LINK_OK)
                clock = true;
            else
                m_frame.PortLog(m_modbus.ResultText(check) + L"\n");
        }
    }
    if (!clock) {
        m_modbus.m_byAddress = 0;
        return FALSE;
    }
    auto word = [&](int i) { return (answer[3 + 2 * i] << 8) | answer[4 + 2 * i]; };
    m_strTime.Format(L"%d:%d:%d", word(3), word(4), word(5));
    SetDlgItemText(IDC_DEV_IO_TIME, m_strTime);
    Wait(int(m_nPollDelay));
    error = 0;
    const BOOL ok = ReadIoAreas(&error);
    if (!ok) {
        m_frame.PortLog(L"Read Data Error!\n");
        if (error >= 9000)
            m_frame.PortLog(L"TimeOut!\n");
        else if (error != 0)
            m_frame.PortLog(L"Connection Error!\n");
    }
    m_modbus.m_byAddress = 0;
    return ok;
}

BOOL CIOStatus::ReadIoAreas(UINT* pError)
{
    const int view = ChosenView();
    const int first = view == viewIo ? 0 : view == viewFlags ? 4 : 5;
    const int last = view == viewIo ? 3 : first;
    for (int a = first; a <= last; ++a) {
        const IoArea& area = kAreas[a];
        std::vector<BYTE> data;
        WORD address = area.start;
        while (int(data.size()) < area.dataBytes) {
            BYTE request[CModBus::kFrameBufferSize];
            BYTE answer[CModBus::kFrameBufferSize];
            const int n = m_modbus.BuildReadRequest(address, area.perRequest, request, area.function);
            address = WORD(address + area.perRequest);
            WORD expected = area.answerBytes;
            bool answered = false;
            for (int attempt = 0; attempt < 3 && !answered; ++attempt) {
                if (!m_frame.WritePort(request, WORD(n), pError))
                    return FALSE;
                expected = area.answerBytes;
                answered = m_frame.ReadAnswer(answer, &expected, pError, 1000) != 0;
            }
            if (!answered)
                return FALSE;
            const int check = m_modbus.CheckReadResponse(answer, expected, area.function);
            if (check != LINK_OK) {
                m_frame.PortLog(m_modbus.ResultText(check) + L"\n");
                *pError = 0;
                return FALSE;
            }
            data.insert(data.end(), answer + 3, answer + 3 + answer[2]);
            const bool more = int(data.size()) < area.dataBytes;
            if (a == 0 || a == 4 || (a == 5 && more))
                Wait(int(m_nPollDelay));
        }
        // Show the area: module rows for I/Q/AI/AQ, rows of 100 for the flags.
        if (area.bits) {
            for (int i = 0; i < area.dataBytes * 8; ++i) {
                const int bit = (data[std::size_t(i / 8)] >> (i % 8)) & 1;
                int row = 0;
                int column = 0;
                if (a == 4) {
                    row = i / 100 + 1;
                    column = i % 100 + 1;
                } else {
                    const int bitsPerRow = area.perRow * 8;
                    row = 1 + i / bitsPerRow;
                    column = area.firstColumn + i % bitsPerRow;
                }
                SetValueCell(row, column, unsigned(bit));
            }
        } else {
            for (int j = 0; j < area.dataBytes / 2; ++j) {
                const unsigned value = unsigned((data[std::size_t(2 * j)] << 8) | data[std::size_t(2 * j + 1)]);
                const int row = a == 5 ? 1 + j / 100 : 1 + j / area.perRow;
                const int column = a == 5 ? 1 + j % 100 : area.firstColumn + j % area.perRow;
                SetValueCell(row, column, value);
            }
        }
    }
    if (m_grid.m_hWnd)
        m_grid.Invalidate();
    return TRUE;
}

void CIOStatus::OnOK()
{
    KillTimer(kPollTimer);
    CloseLinkPort();
    m_bPolling = FALSE;
    EndDialog(IDOK);
}

void CIOStatus::OnCancel()
{
    // The caption's close box: the port and the timer go as with "Close".
    KillTimer(kPollTimer);
    CloseLinkPort();
    m_bPolling = FALSE;
    CDialog::OnCancel();
}

void CIOStatus::OnDestroy()
{
    KillTimer(kPollTimer);
    if (m_bPolling) {
        CloseLinkPort();
        m_bPolling = FALSE;
    }
    CDialog::OnDestroy();
}
