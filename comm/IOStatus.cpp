#include "comm/IOStatus.h"

#include "comm/DeviceDlgSupport.h"
#include "comm/ModBus.h"
#include "document/TavixDoc.h"
#include "platform/serial/Comm.h"
#include "platform/ui/controls/CommCtrlListView.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"

#include <chrono>
#include <cwchar>
#include <thread>

namespace {

constexpr UINT_PTR kPollTimer = 258;
constexpr UINT kQuestionIcon = 0x20;

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
    SetUpSpin(this, IDC_DEV_IO_REFRESH_SPIN, IDC_DEV_IO_REFRESH, 1, 30, m_nRefreshTime);
    CheckRadioButton(IDC_DEV_IO_SHOW_IO, IDC_DEV_IO_SHOW_ANALOG_FLAGS, IDC_DEV_IO_SHOW_IO);
    SetDlgItemText(IDC_DEV_IO_ADDRESS, L"0");

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
    RebuildGrid();
    return TRUE;
}

int CIOStatus::ChosenView() const
{
    if (IsDlgButtonChecked(IDC_DEV_IO_SHOW_FLAGS))
        return viewFlags;
    if (IsDlgButtonChecked(IDC_DEV_IO_SHOW_ANALOG_FLAGS))
        return viewAnalogFlags;
    return viewIo;
}

void CIOStatus::SetCell(int nRow, int nColumn, const CString& text)
{
    if (nRow < 0 || nRow >= int(m_cells.size()) || nColumn < 0 || nColumn >= int(m_cells[0].size()))
        return;
    m_cells[std::size_t(nRow)][std::size_t(nColumn)] = text;
    // Row 0 is the list's header; its rows are the grid's rows from 1 on.
    if (nRow > 0 && m_grid.m_hWnd)
        m_grid.SetItemText(nRow - 1, nColumn, text);
}

CString CIOStatus::CellText(int nRow, int nColumn) const
{
    if (nRow < 0 || nRow >= int(m_cells.size()) || nColumn < 0 || nColumn >= int(m_cells[0].size()))
        return CString();
    return m_cells[std::size_t(nRow)][std::size_t(nColumn)];
}

void CIOStatus::RebuildGrid()
{
    const int view = ChosenView();
    const int rows = view == viewIo ? 9 : 7;
    const int columns = view == viewIo ? 61 : 101;
    m_cells.assign(std::size_t(rows), std::vector<CString>(std::size_t(columns)));
    m_cells[0][0] = L"Index";
    for (int c = 1; c < columns; ++c) {
        CString h;
        if (view == viewIo) {
            if (c <= 32)
                h.Format(L"I%d", c - 1);
            else if (c <= 48)
                h.Format(L"Q%d", c - 33);
            else if (c <= 56)
                h.Format(L" AI%d  ", c - 49);
            else
                h.Format(L" AQ%d  ", c - 57);
        } else if (view == viewFlags) {
            h.Format(L"M%d", c - 1);
        } else {
            h.Format(L"AM%-3d", c - 1);
        }
        m_cells[0][std::size_t(c)] = h;
    }
    for (int r = 1; r < rows; ++r) {
        CString label;
        if (view == viewIo)
            label = r == 1 ? CString(L"Main") : [r] { CString s; s.Format(L"Ext %d", r - 1); return s; }();
        else
            label.Format(L"%d-%d", 100 * (r - 1), r == rows - 1 ? 511 : 100 * (r - 1) + 99);
        m_cells[std::size_t(r)][0] = label;
    }
    if (!m_grid.m_hWnd)
        return;
    m_grid.SetRedraw(FALSE);
    m_grid.DeleteAllItems();
    while (m_grid.DeleteColumn(0)) {
    }
    for (int c = 0; c < columns; ++c)
        m_grid.InsertColumn(c, m_cells[0][std::size_t(c)], LVCFMT_LEFT, c == 0 ? 60 : 44);
    for (int r = 1; r < rows; ++r)
        m_grid.InsertItem(r - 1, m_cells[std::size_t(r)][0]);
    m_grid.SetRedraw(TRUE);
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
        OpenLinkPort();
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
                CString text;
                text.Format(L"%d", bit);
                SetCell(row, column, text);
            }
        } else {
            for (int j = 0; j < area.dataBytes / 2; ++j) {
                const unsigned value = unsigned((data[std::size_t(2 * j)] << 8) | data[std::size_t(2 * j + 1)]);
                const int row = a == 5 ? 1 + j / 100 : 1 + j / area.perRow;
                const int column = a == 5 ? 1 + j % 100 : area.firstColumn + j % area.perRow;
                CString text;
                text.Format(L"%u", value);
                SetCell(row, column, text);
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
