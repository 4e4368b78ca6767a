// The Win32 comm calls on a pseudo-terminal.
#include "platform/serial/Comm.h"
#include "platform/serial/CommPort.h"
#include "tests/support/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

namespace {

// A pseudo-terminal exported as COM port 4, opened through the comm calls.
class SerialCalls : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("TAVIX_COM4", pty.SlavePath().c_str(), 1);
        port = CreateFileW(L"COM4", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
        ASSERT_NE(port, INVALID_HANDLE_VALUE) << GetLastError();
    }
    void TearDown() override
    {
        if (port != INVALID_HANDLE_VALUE)
            CloseHandle(port);
        unsetenv("TAVIX_COM4");
    }
    void SetTimeouts(DWORD interval, DWORD multiplier, DWORD constant)
    {
        COMMTIMEOUTS t{interval, multiplier, constant, 0, 0};
        ASSERT_TRUE(SetCommTimeouts(port, &t));
    }
    void DeviceSends(const std::string& bytes)
    {
        ASSERT_EQ(write(pty.MasterFd(), bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }

    PseudoTerminal pty;
    HANDLE port = INVALID_HANDLE_VALUE;
};

} // namespace

TEST(ComPortNames, Parse)
{
    struct Case { const wchar_t* name; int want; };
    const Case cases[] = {
        {L"COM1", 1}, {L"com7", 7}, {L"COM10", 10}, {L"\\\\.\\COM12", 12}, {L"\\\\.\\COM3", 3},
        {L"COM256", 256}, {L"COM0", 0}, {L"COM", 0}, {L"COM1x", 0}, {L"LPT1", 0},
        {L"\\\\.\\", 0}, {L"COM01", 0}, {L"", 0}, {nullptr, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseComPortName(c.name), c.want) << (c.name ? c.name : L"(null)");
}

TEST(ComPortNames, EnvironmentNamesTheDevice)
{
    setenv("TAVIX_COM200", "/dev/pts/77", 1);
    EXPECT_EQ(GetComPortDevicePath(200), "/dev/pts/77");
    const std::vector<int> ports = EnumerateComPorts();
    EXPECT_NE(std::find(ports.begin(), ports.end(), 200), ports.end());
    EXPECT_TRUE(std::is_sorted(ports.begin(), ports.end()));
    unsetenv("TAVIX_COM200");
    EXPECT_EQ(GetComPortDevicePath(0), "");
}

TEST(CommErrors, EachOpenFailureHasItsOwnMessage)
{
    struct Case { DWORD code; const wchar_t* hint; };
    const Case cases[] = {
        {ERROR_FILE_NOT_FOUND, L"does not exist"},
        {ERROR_SHARING_VIOLATION, L"another program"},
        {ERROR_ACCESS_DENIED, L"\"dialout\""},
        {ERROR_DEVICE_NOT_CONNECTED, L"disconnected"},
        {4242, L"4242"},
    };
    for (const Case& c : cases)
        EXPECT_NE(GetCommErrorMessage(c.code).find(c.hint), std::wstring::npos) << c.code;
}

TEST_F(SerialCalls, PortIsExclusiveUntilClosed)
{
    HANDLE second = CreateFileW(L"\\\\.\\COM4", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(second, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    ASSERT_TRUE(CloseHandle(port));
    port = CreateFileW(L"COM4", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(port, INVALID_HANDLE_VALUE) << "closing releases the port";
}

TEST_F(SerialCalls, ClosedOrUnknownHandlesFail)
{
    HANDLE stale = port;
    ASSERT_TRUE(CloseHandle(port));
    port = INVALID_HANDLE_VALUE;
    DWORD n = 0;
    BYTE b[4];
    for (HANDLE h : {stale, INVALID_HANDLE_VALUE, static_cast<HANDLE>(nullptr)}) {
        EXPECT_FALSE(CloseHandle(h));
        EXPECT_FALSE(ReadFile(h, b, 4, &n, nullptr));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_FALSE(WriteFile(h, b, 4, &n, nullptr));
        EXPECT_FALSE(PurgeComm(h, PURGE_RXCLEAR));
    }
}

TEST(SerialLineState, DcbAndTermiosAgree)
{
    struct Case { DWORD baud; BYTE size; BYTE parity; BYTE stop; bool cts; bool xon; };
    const Case cases[] = {
        {115200, 8, NOPARITY, ONESTOPBIT, false, false}, {9600, 7, EVENPARITY, TWOSTOPBITS, false, true},
        {1200, 8, ODDPARITY, ONESTOPBIT, true, false},   {921600, 8, MARKPARITY, TWOSTOPBITS, false, false},
        {57600, 5, SPACEPARITY, ONE5STOPBITS, false, false},
    };
    for (const Case& c : cases) {
        // Start from a line that another program left cooked, echoing and with handshakes.
        termios tio{};
        tio.c_lflag = ICANON | ECHO;
        tio.c_iflag = ICRNL | IXON | IXOFF;
        tio.c_cflag = CRTSCTS | CS7 | PARENB;
        DCB dcb{};
        dcb.BaudRate = c.baud;
        dcb.ByteSize = c.size;
        dcb.Parity = c.parity;
        dcb.StopBits = c.stop;
        dcb.fOutxCtsFlow = c.cts;
        dcb.fOutX = c.xon;
        ASSERT_TRUE(serial_detail::ApplyDcb(dcb, tio)) << c.baud;
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u);
        EXPECT_EQ(tio.c_iflag & ICRNL, 0u);
        DCB back{};
        serial_detail::ReadDcb(tio, back);
        EXPECT_EQ(back.BaudRate, c.baud);
        EXPECT_EQ(back.ByteSize, c.size);
        EXPECT_EQ(back.Parity, c.parity);
        EXPECT_EQ(back.StopBits, c.stop == ONESTOPBIT ? ONESTOPBIT : TWOSTOPBITS);
        EXPECT_EQ(back.fOutxCtsFlow, c.cts ? 1u : 0u);
        EXPECT_EQ(back.fOutX, c.xon ? 1u : 0u);
        EXPECT_EQ(back.fInX, 0u);
    }
    struct Bad { DWORD baud; BYTE size; BYTE parity; BYTE stop; };
    for (const Bad& b : {Bad{12345, 8, 0, 0}, Bad{9600, 9, 0, 0}, Bad{9600, 4, 0, 0},
                         Bad{9600, 8, 5, 0}, Bad{9600, 8, 0, 3}, Bad{9600, 8, 0, ONE5STOPBITS}}) {
        termios tio{};
        tio.c_lflag = ECHO;
        DCB dcb{};
        dcb.BaudRate = b.baud;
        dcb.ByteSize = b.size;
        dcb.Parity = b.parity;
        dcb.StopBits = b.stop;
        EXPECT_FALSE(serial_detail::ApplyDcb(dcb, tio)) << b.baud << " " << int(b.size);
        EXPECT_EQ(tio.c_lflag, tcflag_t(ECHO)) << "a refused state changes nothing";
    }
}

TEST_F(SerialCalls, LineSettingsReachTheLine)
{
    DCB dcb{};
    ASSERT_TRUE(GetCommState(port, &dcb));
    dcb.BaudRate = 9600;
    dcb.StopBits = TWOSTOPBITS;
    dcb.fOutX = 1;
    ASSERT_TRUE(SetCommState(port, &dcb));
    DCB back{};
    ASSERT_TRUE(GetCommState(port, &back));
    EXPECT_EQ(back.BaudRate, 9600u);
    EXPECT_EQ(back.StopBits, TWOSTOPBITS);
    EXPECT_EQ(back.fOutX, 1u);
    dcb.BaudRate = 12345;
    EXPECT_FALSE(SetCommState(port, &dcb));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(SerialCalls, ReadsFollowTheTimeouts)
{
    BYTE buffer[16] = {};
    DWORD n = 99;

    // Total time-out: returns with what has arrived.
    SetTimeouts(0, 0, 100);
    ASSERT_TRUE(ReadFile(port, buffer, 8, &n, nullptr));
    EXPECT_EQ(n, 0u);
    DeviceSends("abc");
    ASSERT_TRUE(ReadFile(port, buffer, 8, &n, nullptr));
    EXPECT_EQ(n, 3u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 3), "abc");

    // The requested count completes a read at once.
    DeviceSends("0123456789");
    ASSERT_TRUE(ReadFile(port, buffer, 4, &n, nullptr));
    EXPECT_EQ(n, 4u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 4), "0123");

    // MAXDWORD interval: whatever is there, without waiting.
    SetTimeouts(MAXDWORD, 0, 0);
    ASSERT_TRUE(ReadFile(port, buffer, 16, &n, nullptr));
    EXPECT_EQ(n, 6u);
    ASSERT_TRUE(ReadFile(port, buffer, 16, &n, nullptr));
    EXPECT_EQ(n, 0u);

    // Purging drops what has arrived but was not read.
    DeviceSends("stale");
    COMSTAT stat{};
    DWORD errors = 1;
    // The pseudo-terminal hands bytes over asynchronously: wait until all five are queued.
    for (int tries = 0; tries < 1000 && stat.cbInQue < 5; ++tries) {
        ASSERT_TRUE(ClearCommError(port, &errors, &stat));
        usleep(1000);
    }
    EXPECT_EQ(errors, 0u);
    EXPECT_EQ(stat.cbInQue, 5u);
    ASSERT_TRUE(PurgeComm(port, PURGE_RXCLEAR | PURGE_RXABORT));
    ASSERT_TRUE(ReadFile(port, buffer, 16, &n, nullptr));
    EXPECT_EQ(n, 0u);
}

TEST_F(SerialCalls, WritesReachTheDevice)
{
    DWORD n = 0;
    ASSERT_TRUE(WriteFile(port, "hello", 5, &n, nullptr));
    EXPECT_EQ(n, 5u);
    char got[8] = {};
    for (int tries = 0; tries < 100 && read(pty.MasterFd(), got, 5) < 0; ++tries)
        usleep(1000);
    EXPECT_EQ(std::string(got, 5), "hello");
    EXPECT_TRUE(EscapeCommFunction(port, SETDTR)) << "lines without modem control accept DTR";
    EXPECT_TRUE(EscapeCommFunction(port, CLRDTR));
    EXPECT_FALSE(EscapeCommFunction(port, 77));
}

TEST_F(SerialCalls, HangUpFailsTheRead)
{
    SetTimeouts(0, 0, 100);
    pty.HangUp();
    BYTE buffer[8];
    DWORD n = 0;
    EXPECT_FALSE(ReadFile(port, buffer, 8, &n, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
}
