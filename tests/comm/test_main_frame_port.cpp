#include "tests/comm/PortFixture.h"

#include "platform/serial/Comm.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using Fault = DeviceEmulator::Fault;
using Kind = DeviceEmulator::FaultKind;

TEST_F(LinkTest, IdentificationRoundTrip)
{
    device.Device()->machineType = 0x52;
    device.Device()->idByte4 = 0x21;
    const Result r = Read(210, 3);
    ASSERT_EQ(r.ok, 1) << r.error;
    ASSERT_EQ(r.length, 11);
    EXPECT_EQ(codec.CheckReadResponse(r.answer.data(), r.length, 3), LINK_OK);
    EXPECT_EQ(r.answer[3], 0x52);
    EXPECT_EQ(r.answer[4], 0x21);
    EXPECT_TRUE(frame.lines.empty());
}

TEST_F(LinkTest, AnswerFaults)
{
    struct Case {
        const char* name;
        Fault fault;
        int ok;
        UINT error;
        int check;  // the read check's result when the answer was complete
    };
    const Case cases[] = {
        {"bad crc", {Kind::BadCrc}, 1, 0, LINK_CHECKSUM_ERROR},
        {"wrong address", {Kind::WrongAddress}, 1, 0, LINK_DEVICE_ID_ERROR},
        {"long answer", {Kind::LongAnswer, 3}, 1, 0, LINK_OK},
        {"answer in pieces", {Kind::Trickle, 3}, 1, 0, LINK_OK},
        {"slow but in time", {Kind::SlowAnswer, 200}, 1, 0, LINK_OK},
        {"silence", {Kind::Silence}, 0, 9000, -1},
        {"short answer", {Kind::ShortAnswer, 2}, 0, 9000, -1},
        {"exception", {Kind::Exception, 2}, 0, 9011, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        device.ClearFaults();
        device.AddFault(c.fault);
        frame.lines.clear();
        const Result r = Read(301, 6);
        EXPECT_EQ(r.ok, c.ok);
        EXPECT_EQ(r.error, c.error);
        if (c.ok) {
            EXPECT_EQ(codec.CheckReadResponse(r.answer.data(), r.length, 3), c.check);
            EXPECT_TRUE(frame.lines.empty());
        }
        if (c.error == 9000) {
            ASSERT_EQ(frame.lines.size(), 1u);
            EXPECT_EQ(frame.lines[0], L"Time Out! Can't Read Data in 1 Seconds, Please check!\n");
        }
        if (c.error == 9011) {
            ASSERT_EQ(frame.lines.size(), 1u);
            EXPECT_EQ(frame.lines[0],
                      L"Exception Code : No=2->ILLIGAL DATA ADDRESS,Please Check!\n");
        }
        // Whatever the fault left on the line, the next exchange gets its own answer.
        device.ClearFaults();
        const Result next = Read(210, 3);
        ASSERT_EQ(next.ok, 1);
        EXPECT_EQ(codec.CheckReadResponse(next.answer.data(), next.length, 3), LINK_OK);
    }
}

TEST_F(LinkTest, FiveBytesThatAreNoExceptionTimeOut)
{
    Fault plain{Kind::Replace};
    plain.bytes = {0x00, 0x03, 0x02, 0x00, 0x00};  // function byte with its top bit clear
    Fault broken{Kind::Replace};
    broken.bytes = {0x00, 0x83, 0x02, 0x00, 0x00};  // an exception answer with a broken CRC
    for (const Fault& fault : {plain, broken}) {
        device.ClearFaults();
        device.AddFault(fault);
        frame.lines.clear();
        const Result r = Read(301, 6);
        EXPECT_EQ(r.ok, 0);
        EXPECT_EQ(r.error, 9000u);
        ASSERT_EQ(frame.lines.size(), 1u);
        EXPECT_EQ(frame.lines[0].rfind(L"Time Out!", 0), 0u);
    }
}

TEST_F(LinkTest, ShortStartAnswers)
{
    struct Case {
        const char* name;
        BYTE machineType;
        bool card;
        BYTE fc;
        int ok;
        WORD length;
    };
    const Case cases[] = {
        {"new family, full answer", 0x51, false, 100, 1, 19},
        {"memory card start", 0x51, true, 100, 1, 17},
        {"older family upload start", 0x21, false, 102, 1, 17},
        // The rule lets only older families' upload starts through, not a card's.
        {"memory card upload start", 0x51, true, 102, 0, 19},
        {"older family download start", 0x21, false, 100, 0, 19},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        device.Device()->machineType = c.machineType;
        device.Device()->memoryCard = c.card;
        BYTE request[CModBus::kFrameBufferSize] = {};
        const int n = c.fc == 100 ? codec.BuildDownloadStartRequest(request)
                                  : codec.BuildUploadStartRequest(request);
        const Result r = Exchange(request, n, 19, 600);
        EXPECT_EQ(r.ok, c.ok);
        EXPECT_EQ(r.length, c.length);
        if (!c.ok) {
            EXPECT_EQ(r.error, 9000u);
        }
    }
}

TEST_F(LinkTest, LongDeadlinesDriveTheProgress)
{
    device.AddFault({Kind::Silence});
    frame.clockStep = 3000;  // each clock reading is 3 s later
    Result r = Read(666, 1, 3, 30000);
    EXPECT_EQ(r.error, 9000u);
    ASSERT_FALSE(frame.progress.empty());
    for (std::size_t i = 0; i < frame.progress.size(); ++i) {
        EXPECT_EQ(frame.progress[i].first, 2);
        if (i > 0) {
            EXPECT_GT(frame.progress[i].second, frame.progress[i - 1].second);
        }
    }
    EXPECT_EQ(frame.progress.back().second, 100);
    EXPECT_EQ(frame.lines.back(), L"Time Out! Can't Read Data in 30 Seconds, Please check!\n");

    frame.progress.clear();
    r = Read(666, 1, 3, 3000);
    EXPECT_EQ(r.error, 9000u);
    EXPECT_TRUE(frame.progress.empty()) << "short deadlines leave the progress alone";
}

TEST_F(LinkTest, HangUpMidAnswer)
{
    device.AddFault({Kind::HangUp, 4});
    const Result r = Read(301, 6);
    EXPECT_EQ(r.ok, 0);
    EXPECT_EQ(r.error, ERROR_DEVICE_NOT_CONNECTED);
    UINT error = 0;
    BYTE request[8] = {};
    const int n = codec.BuildReadRequest(210, 3, request);
    // Writing to a line without a device fails with a system error, or the answer never comes.
    if (frame.WritePort(request, WORD(n), &error)) {
        BYTE answer[16] = {};
        WORD expected = 11;
        EXPECT_EQ(frame.ReadAnswer(answer, &expected, &error, 300), 0);
    }
    EXPECT_NE(error, 0u);
    EXPECT_NE(error, 9011u);
}

TEST_F(LinkTest, PortLifecycle)
{
    EXPECT_EQ(frame.m_bPortOpen, 1);
    EXPECT_EQ(frame.m_bLinkOpen, 1);
    // Opening again first closes the open port (the port is exclusive, so a leak would fail).
    ASSERT_EQ(frame.OpenDevicePort(), 1);
    EXPECT_EQ(frame.CloseDevicePort(), 0);
    EXPECT_EQ(frame.m_bPortOpen, 0);
    EXPECT_EQ(frame.m_bLinkOpen, 0);
    EXPECT_EQ(frame.m_hComPort, nullptr);
    frame.ClosePort();  // nothing open: nothing happens
    EXPECT_TRUE(frame.boxes.empty());

    UINT error = 0;
    BYTE buffer[8] = {};
    WORD expected = 8;
    EXPECT_EQ(frame.WritePort(buffer, 8, &error), 0);
    EXPECT_EQ(error, ERROR_INVALID_HANDLE);
    EXPECT_EQ(frame.ReadAnswer(buffer, &expected, &error, 100), 0);

    // Other line settings (the I/O monitor's) open the same port.
    ASSERT_EQ(frame.OpenPort(9600, 7, EVENPARITY, TWOSTOPBITS), 1);
    EXPECT_EQ(frame.m_bPortOpen, 1);
    frame.ClosePort();
    EXPECT_EQ(frame.m_bPortOpen, 0);
}

TEST(PortOpening, NoPortChosenOpensNothing)
{
    RecordingFrame frame;
    EXPECT_EQ(frame.OpenDevicePort(), 0);
    EXPECT_TRUE(frame.boxes.empty());
    EXPECT_EQ(frame.m_hComPort, nullptr);
}

TEST(PortOpening, FailuresExplainTheirCause)
{
    DeviceEmulator device;
    device.ExportAs(5);
    setenv("TAVIX_COM6", "/dev/this-port-does-not-exist", 1);

    struct Case {
        const char* name;
        int port;
        std::function<void()> arrange;
        DWORD code;
        const wchar_t* hint;
    };
    HANDLE holder = INVALID_HANDLE_VALUE;
    const Case cases[] = {
        {"missing device", 6, [] {}, ERROR_FILE_NOT_FOUND, L"does not exist"},
        {"port held by another program", 5,
         [&] { holder = CreateFileW(L"COM5", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr); },
         ERROR_SHARING_VIOLATION, L"in use by another program"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        RecordingFrame frame;
        frame.m_nComPort = c.port;
        EXPECT_EQ(frame.OpenDevicePort(), 0);
        EXPECT_EQ(frame.m_bPortOpen, 0);
        EXPECT_EQ(frame.m_bLinkOpen, 0);
        ASSERT_EQ(frame.boxes.size(), 2u);
        const std::wstring first = frame.boxes[0].first;
        EXPECT_EQ(first.rfind(L"This Port is not ready!, Error Code=[" + std::to_wstring(c.code) + L"]", 0), 0u) << first.c_str();
        EXPECT_NE(first.find(c.hint), std::wstring::npos) << first.c_str();
        EXPECT_EQ(frame.boxes[0].second, 0x10u);
        EXPECT_EQ(frame.boxes[1].first, L"COM" + std::to_wstring(c.port) + L" fail to open, Please check!");
        EXPECT_EQ(frame.boxes[1].second, 0u);
    }
    EXPECT_TRUE(CloseHandle(holder));
    unsetenv("TAVIX_COM6");
}

TEST(PortOpening, PermissionDenied)
{
    // A line only its owner may open; an ordinary user is refused. Run as root, the open is
    // tried from a child process that has given up root.
    PseudoTerminal line;
    ASSERT_EQ(chmod(line.SlavePath().c_str(), 0600), 0);
    setenv("TAVIX_COM7", line.SlavePath().c_str(), 1);
    if (geteuid() == 0) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(2);
            HANDLE h = CreateFileW(L"COM7", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
            _exit(h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED ? 0 : 1);
        }
        int status = -1;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "2: could not drop root, 1: not refused as expected";
    } else {
        ASSERT_EQ(chmod(line.SlavePath().c_str(), 0), 0);
        RecordingFrame frame;
        frame.m_nComPort = 7;
        EXPECT_EQ(frame.OpenDevicePort(), 0);
        ASSERT_FALSE(frame.boxes.empty());
        EXPECT_NE(frame.boxes[0].first.find(L"Error Code=[5]"), std::wstring::npos);
        EXPECT_NE(frame.boxes[0].first.find(L"dialout"), std::wstring::npos);
    }
    unsetenv("TAVIX_COM7");
}

TEST(PortOpening, PortNamesAboveNineUseTheDeviceNamespace)
{
    struct Case { int port; const wchar_t* name; };
    for (const Case& c : {Case{1, L"COM1"}, Case{9, L"COM9"}, Case{10, L"\\\\.\\COM10"},
                          Case{12, L"\\\\.\\COM12"}, Case{256, L"\\\\.\\COM256"}})
        EXPECT_STREQ(GetComPortName(c.port).GetString(), c.name);

    // Both forms reach the device.
    DeviceEmulator device;
    device.ExportAs(12);
    RecordingFrame frame;
    frame.m_nComPort = 12;
    EXPECT_EQ(frame.OpenDevicePort(), 1);
    EXPECT_TRUE(frame.boxes.empty());
}
