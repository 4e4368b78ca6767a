// The Win32 communications interface of COM ports, carried out on Linux serial devices (termios).
// "COMn" and "\\.\COMn" name the n-th serial device found (/dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM*,
// in that order) unless the environment variable TAVIX_COM<n> names a device path for it.
#pragma once

#include "platform/base/FileSystem.h"
#include "platform/base/WinTypes.h"

#include <string>
#include <vector>

using LPSECURITY_ATTRIBUTES = void*;
using LPOVERLAPPED = void*;
using LPDWORD = DWORD*;

#ifndef MAXDWORD
#define MAXDWORD 0xFFFFFFFFu
#endif

// CreateFileW access, share and creation values, and system error codes: macros as in Win32,
// guarded because other parts of the platform layer may define the same names.
#ifndef GENERIC_READ
#define GENERIC_READ 0x80000000u
#endif
#ifndef GENERIC_WRITE
#define GENERIC_WRITE 0x40000000u
#endif
#ifndef OPEN_EXISTING
#define OPEN_EXISTING 3u
#endif
#ifndef FILE_ATTRIBUTE_NORMAL
#define FILE_ATTRIBUTE_NORMAL 0x80u
#endif

// System error codes the serial calls report through GetLastError.
#ifndef ERROR_SUCCESS
#define ERROR_SUCCESS 0u
#endif
#ifndef ERROR_FILE_NOT_FOUND
#define ERROR_FILE_NOT_FOUND 2u // no such serial device
#endif
#ifndef ERROR_ACCESS_DENIED
#define ERROR_ACCESS_DENIED 5u // the user may not open the device
#endif
#ifndef ERROR_INVALID_HANDLE
#define ERROR_INVALID_HANDLE 6u
#endif
#ifndef ERROR_WRITE_FAULT
#define ERROR_WRITE_FAULT 29u // a write that did not send every byte
#endif
#ifndef ERROR_READ_FAULT
#define ERROR_READ_FAULT 30u
#endif
#ifndef ERROR_GEN_FAILURE
#define ERROR_GEN_FAILURE 31u
#endif
#ifndef ERROR_SHARING_VIOLATION
#define ERROR_SHARING_VIOLATION 32u // another program holds the port
#endif
#ifndef ERROR_INVALID_PARAMETER
#define ERROR_INVALID_PARAMETER 87u
#endif
#ifndef ERROR_DEVICE_NOT_CONNECTED
#define ERROR_DEVICE_NOT_CONNECTED 1167u // the device went away (hang-up, unplugged)
#endif

// Line settings.
constexpr BYTE NOPARITY = 0, ODDPARITY = 1, EVENPARITY = 2, MARKPARITY = 3, SPACEPARITY = 4;
constexpr BYTE ONESTOPBIT = 0, ONE5STOPBITS = 1, TWOSTOPBITS = 2;
constexpr DWORD DTR_CONTROL_DISABLE = 0, DTR_CONTROL_ENABLE = 1, DTR_CONTROL_HANDSHAKE = 2;
constexpr DWORD RTS_CONTROL_DISABLE = 0, RTS_CONTROL_ENABLE = 1, RTS_CONTROL_HANDSHAKE = 2,
                RTS_CONTROL_TOGGLE = 3;
constexpr DWORD CBR_1200 = 1200, CBR_2400 = 2400, CBR_4800 = 4800, CBR_9600 = 9600,
                CBR_14400 = 14400, CBR_19200 = 19200, CBR_38400 = 38400, CBR_57600 = 57600,
                CBR_115200 = 115200;

// Event mask, purge flags, escape functions and error flags.
constexpr DWORD EV_RXCHAR = 0x0001;
constexpr DWORD PURGE_TXABORT = 0x0001, PURGE_RXABORT = 0x0002, PURGE_TXCLEAR = 0x0004,
                PURGE_RXCLEAR = 0x0008;
constexpr DWORD SETXOFF = 1, SETXON = 2, SETRTS = 3, CLRRTS = 4, SETDTR = 5, CLRDTR = 6,
                SETBREAK = 8, CLRBREAK = 9;
constexpr DWORD CE_RXOVER = 0x0001, CE_OVERRUN = 0x0002, CE_RXPARITY = 0x0004, CE_FRAME = 0x0008,
                CE_BREAK = 0x0010;

struct DCB {
    DWORD DCBlength;
    DWORD BaudRate;
    DWORD fBinary : 1;
    DWORD fParity : 1;
    DWORD fOutxCtsFlow : 1;
    DWORD fOutxDsrFlow : 1;
    DWORD fDtrControl : 2;
    DWORD fDsrSensitivity : 1;
    DWORD fTXContinueOnXoff : 1;
    DWORD fOutX : 1;
    DWORD fInX : 1;
    DWORD fErrorChar : 1;
    DWORD fNull : 1;
    DWORD fRtsControl : 2;
    DWORD fAbortOnError : 1;
    DWORD fDummy2 : 17;
    WORD wReserved;
    WORD XonLim;
    WORD XoffLim;
    BYTE ByteSize;
    BYTE Parity;
    BYTE StopBits;
    char XonChar;
    char XoffChar;
    char ErrorChar;
    char EofChar;
    char EvtChar;
    WORD wReserved1;
};
using LPDCB = DCB*;

struct COMMTIMEOUTS {
    DWORD ReadIntervalTimeout;
    DWORD ReadTotalTimeoutMultiplier;
    DWORD ReadTotalTimeoutConstant;
    DWORD WriteTotalTimeoutMultiplier;
    DWORD WriteTotalTimeoutConstant;
};
using LPCOMMTIMEOUTS = COMMTIMEOUTS*;

struct COMSTAT {
    DWORD fCtsHold : 1;
    DWORD fDsrHold : 1;
    DWORD fRlsdHold : 1;
    DWORD fXoffHold : 1;
    DWORD fXoffSent : 1;
    DWORD fEof : 1;
    DWORD fTxim : 1;
    DWORD fReserved : 25;
    DWORD cbInQue;
    DWORD cbOutQue;
};
using LPCOMSTAT = COMSTAT*;

// GetLastError and SetLastError (platform/base/FileSystem.h) carry the error codes of these calls.

// Opens a COM port by name ("COMn" or "\\.\COMn"): read and write access, no sharing (a port is
// locked against other programs while open), existing devices only, no overlapped I/O. The line
// is put into raw (binary) mode. Returns INVALID_HANDLE_VALUE on failure with GetLastError set to
// ERROR_FILE_NOT_FOUND, ERROR_SHARING_VIOLATION or ERROR_ACCESS_DENIED.
HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                   DWORD creation, DWORD flags, HANDLE templateFile);
BOOL CloseHandle(HANDLE handle);

BOOL SetupComm(HANDLE handle, DWORD inQueue, DWORD outQueue);
BOOL GetCommState(HANDLE handle, LPDCB dcb);
// Applies the whole line state of the DCB: speed, data bits, parity, stop bits, flow control
// and the DTR/RTS control modes. Unsupported values fail with ERROR_INVALID_PARAMETER.
BOOL SetCommState(HANDLE handle, LPDCB dcb);
BOOL GetCommTimeouts(HANDLE handle, LPCOMMTIMEOUTS timeouts);
BOOL SetCommTimeouts(HANDLE handle, LPCOMMTIMEOUTS timeouts);
BOOL SetCommMask(HANDLE handle, DWORD mask);
BOOL GetCommMask(HANDLE handle, LPDWORD mask);
BOOL PurgeComm(HANDLE handle, DWORD flags);
BOOL EscapeCommFunction(HANDLE handle, DWORD function);
BOOL ClearCommError(HANDLE handle, LPDWORD errors, LPCOMSTAT stat);
// Synchronous reads and writes that follow the port's COMMTIMEOUTS: a read returns when the
// requested count has arrived or its total or interval time-out has passed (TRUE with fewer
// bytes); a write returns when every byte is queued or its total time-out has passed.
BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD count, LPDWORD read, LPOVERLAPPED overlapped);
BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD count, LPDWORD written,
               LPOVERLAPPED overlapped);

// A message for the user that explains a serial port error code, e.g. that the device does not
// exist, that another program holds it, or that the user is not in the "dialout" group.
std::wstring GetCommErrorMessage(DWORD code);

// The device path that COM port `number` stands for, or an empty string when there is none.
std::string GetComPortDevicePath(int number);
// The COM port numbers that stand for a device, in ascending order, found without opening any.
std::vector<int> EnumerateComPorts();
// What a COM port is, for the user: its device name and, for a USB adapter, the adapter's name
// ("ttyUSB0 usb-FTDI_FT232R_USB_UART_A123-if00-port0"); empty when the port stands for nothing.
std::wstring GetComPortDescription(int number);
// The port number named by "COMn" or "\\.\COMn" (any case), or 0 when the name is not one.
int ParseComPortName(LPCWSTR name);
