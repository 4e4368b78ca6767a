// The main frame's serial port: opening, closing, writing a request and reading its answer.
#include "shell/MainFrame.h"

#include "comm/ComPortName.h"
#include "comm/DeviceDispatcher.h"
#include "comm/ModBus.h"
#include "platform/base/CString.h"
#include "platform/serial/Comm.h"

#include <chrono>
#include <cstdio>

namespace {

constexpr UINT kStopIcon = 0x10;  // MB_ICONSTOP
constexpr UINT kOkOnly = 0x00;    // MB_OK
constexpr UINT kTimeOut = 9000;
constexpr UINT kException = 9011;
constexpr DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

void ClearErrors(HANDLE h)
{
    DWORD errors = 0;
    COMSTAT stat{};
    ClearCommError(h, &errors, &stat);
}

// Start answers of the older device families and of memory cards are two bytes shorter.
bool IsShortStartAnswer(const BYTE* a)
{
    return (a[1] == 100 && a[3] == 0x88 && a[4] == 0x99)
           || (a[1] == 102 && (a[3] <= 0x21 || a[3] == 0xFF));
}

} // namespace

void CMainFrame::PortLog(LPCTSTR pszLine)
{
    if (m_hWnd)
        AppendLog(pszLine);
    else
        std::fprintf(stderr, "%ls", pszLine);
}

int CMainFrame::PortMessageBox(LPCTSTR pszText, UINT nType)
{
    return AfxMessageBox(pszText, nType);
}

void CMainFrame::PortProgress(int nKind, int nValue)
{
    DeviceDispatcher().ReportProgress(nKind, nValue);
}

CDeviceDispatcher& CMainFrame::DeviceDispatcher()
{
    if (!m_pDeviceDispatcher)
        m_pDeviceDispatcher.reset(new CDeviceDispatcher(*this));
    return *m_pDeviceDispatcher;
}

void CMainFrame::DeviceDispatcherDeleter::operator()(CDeviceDispatcher* p) const
{
    delete p;
}

LONGLONG CMainFrame::PortClockMs()
{
    // Deadlines run on a monotonic clock, so that a change of the PC's clock cannot shorten or
    // stretch a wait.
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int CMainFrame::OpenPort(int nBaudRate, BYTE byDataBits, BYTE byParity, BYTE byStopBits)
{
    // Only one port is open at a time.
    if (m_bPortOpen || m_hComPort) {
        ClosePort();
        m_bPortOpen = 0;
    }
    const CString name = GetComPortName(m_nComPort);
    HANDLE h = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        CString text;
        text.Format(L"This Port is not ready!, Error Code=[%d]", int(code));
        text += L"\n";
        text += GetCommErrorMessage(code).c_str();
        PortMessageBox(text, kStopIcon);
        return 0;
    }
    auto fail = [&](LPCTSTR message) {
        PortMessageBox(message, kStopIcon);
        CloseHandle(h);
        return 0;
    };
    SetCommMask(h, EV_RXCHAR);
    SetupComm(h, 4096, 4096);
    PurgeComm(h, kPurgeAll);

    // One read returns after at most 100 ms with what has arrived; ReadAnswer keeps the deadline.
    COMMTIMEOUTS timeouts{0, 0, 100, 0, 0};
    if (!SetCommTimeouts(h, &timeouts))
        return fail(L"ComPort Overtime-Status Setting Error!");

    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    if (!GetCommState(h, &dcb))
        return fail(L"Fail to Get Comm State!");
    dcb.BaudRate = DWORD(nBaudRate);
    dcb.ByteSize = byDataBits;
    dcb.Parity = byParity;
    dcb.StopBits = byStopBits;
    // A fully defined line: whatever handshake another program left on the port would block
    // every exchange with the device, which uses none.
    dcb.fBinary = 1;
    dcb.fParity = byParity != NOPARITY ? 1 : 0;
    dcb.fOutxCtsFlow = 0;
    dcb.fOutxDsrFlow = 0;
    dcb.fDsrSensitivity = 0;
    dcb.fOutX = 0;
    dcb.fInX = 0;
    dcb.fNull = 0;
    dcb.fAbortOnError = 0;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    if (!SetCommState(h, &dcb))
        return fail(L"Communication Port Connection Error, Pease Check!");

    EscapeCommFunction(h, SETDTR);
    m_hComPort = h;
    m_bPortOpen = 1;
    return 1;
}

void CMainFrame::ClosePort()
{
    if (!m_hComPort)
        return;
    HANDLE h = m_hComPort;
    m_bPortOpen = 0;
    SetCommMask(h, 0);
    EscapeCommFunction(h, CLRDTR);
    PurgeComm(h, kPurgeAll);
    CloseHandle(h);
    m_hComPort = nullptr;
}

int CMainFrame::OpenDevicePort()
{
    if (m_nComPort == 0)
        return m_bPortOpen;
    if (OpenPort(115200, 8, NOPARITY, ONESTOPBIT)) {
        m_bPortOpen = 1;
        m_bLinkOpen = 1;
    } else {
        m_bPortOpen = 0;
        m_bLinkOpen = 0;
        CString text;
        text.Format(L"COM%d fail to open, Please check!", m_nComPort);
        PortMessageBox(text, kOkOnly);
    }
    return m_bPortOpen;
}

int CMainFrame::CloseDevicePort()
{
    ClosePort();
    m_bPortOpen = 0;
    m_bLinkOpen = 0;
    return 0;
}

int CMainFrame::WritePort(const BYTE* pFrame, WORD wLength, UINT* pLinkError)
{
    HANDLE h = m_hComPort;
    if (!h) {
        *pLinkError = ERROR_INVALID_HANDLE;
        return 0;
    }
    // Late bytes of an earlier answer must not be taken for the answer to this request.
    ClearErrors(h);
    PurgeComm(h, kPurgeAll);
    DWORD written = 0;
    if (!WriteFile(h, pFrame, wLength, &written, nullptr)) {
        *pLinkError = GetLastError();
        ClearErrors(h);
        return 0;
    }
    if (written != wLength) {
        // A frame sent only in part can never be answered; report it as a write failure.
        *pLinkError = ERROR_WRITE_FAULT;
        ClearErrors(h);
        return 0;
    }
    return 1;
}

int CMainFrame::ReadAnswer(BYTE* pAnswer, WORD* pExpected, UINT* pLinkError, int nDeadlineMs)
{
    HANDLE h = m_hComPort;
    if (!h) {
        *pLinkError = ERROR_INVALID_HANDLE;
        return 0;
    }
    const LONGLONG start = PortClockMs();
    DWORD total = 0;
    for (;;) {
        if (total < *pExpected) {
            DWORD got = 0;
            if (!ReadFile(h, pAnswer + total, *pExpected - total, &got, nullptr)) {
                *pLinkError = GetLastError();
                ClearErrors(h);
                return 0;
            }
            total += got;
        }
        if (total >= *pExpected)
            return 1;
        if (*pExpected == 19 && total == 17 && IsShortStartAnswer(pAnswer)) {
            *pExpected = 17;
            return 1;
        }
        const LONGLONG elapsed = PortClockMs() - start;
        if (nDeadlineMs >= 10000) {
            const LONGLONG percent = elapsed * 100 / nDeadlineMs;
            PortProgress(2, int(percent < 0 ? 0 : (percent > 100 ? 100 : percent)));
        }
        if (elapsed < nDeadlineMs)
            continue;

        // Five bytes that form an intact exception answer name the device's reason.
        CString reason;
        if (total == 5 && CModBus::IsCRCValid(pAnswer, 5)
            && CModBus::FormatException(pAnswer, reason) != 0) {
            CString line = L"Exception Code : ";
            line += reason;
            line += L",Please Check!\n";
            PortLog(line);
            *pLinkError = kException;
            return 0;
        }
        ClearErrors(h);
        CString line;
        line.Format(L"Time Out! Can't Read Data in %d Seconds, Please check!\n",
                    nDeadlineMs / 1000);
        PortLog(line);
        *pLinkError = kTimeOut;
        return 0;
    }
}
