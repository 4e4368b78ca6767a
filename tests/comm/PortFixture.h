// A main frame that records what its port operations report, wired to a device emulator.
#pragma once

#include "comm/ComPortName.h"
#include "comm/ModBus.h"
#include "shell/MainFrame.h"
#include "tests/support/DeviceEmulator.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

class RecordingFrame : public CMainFrame
{
public:
    std::vector<std::wstring> lines;
    std::vector<std::pair<std::wstring, UINT>> boxes;
    std::vector<std::pair<int, int>> progress;
    // When non-zero, every clock reading advances by this many milliseconds.
    LONGLONG clockStep = 0;
    // What every message box answers (1 IDOK, 6 IDYES, 7 IDNO).
    int boxAnswer = 1;

    ~RecordingFrame() override { ClosePort(); }
    void PortLog(LPCTSTR line) override { lines.emplace_back(line); }
    int PortMessageBox(LPCTSTR text, UINT type) override
    {
        boxes.emplace_back(text, type);
        return boxAnswer;
    }
    void PortProgress(int kind, int value) override { progress.emplace_back(kind, value); }
    LONGLONG PortClockMs() override
    {
        if (clockStep == 0)
            return CMainFrame::PortClockMs();
        m_fakeNow += clockStep;
        return m_fakeNow;
    }

private:
    LONGLONG m_fakeNow = 1000000;
};

// One emulator as COM3 and a frame with that port open for a transfer.
class LinkTest : public ::testing::Test
{
protected:
    static constexpr int kPort = 3;
    void SetUp() override
    {
        device.ExportAs(kPort);
        frame.m_nComPort = kPort;
        ASSERT_EQ(frame.OpenDevicePort(), 1);
    }

    // Sends a request built by the codec and reads `expected` answer bytes.
    struct Result {
        int ok = 0;
        UINT error = 0;
        WORD length = 0;
        std::vector<BYTE> answer;
    };
    Result Exchange(const BYTE* request, int length, WORD expected, int deadlineMs = 1000)
    {
        Result r;
        r.answer.assign(CModBus::kFrameBufferSize + 100, 0);
        r.length = expected;
        if (!frame.WritePort(request, WORD(length), &r.error))
            return r;
        r.ok = frame.ReadAnswer(r.answer.data(), &r.length, &r.error, deadlineMs);
        r.answer.resize(r.length);
        return r;
    }
    Result Read(WORD reg, WORD count, BYTE fc = 3, int deadlineMs = 1000)
    {
        BYTE request[CModBus::kFrameBufferSize] = {};
        const int n = codec.BuildReadRequest(reg, count, request, fc);
        return Exchange(request, n, WORD(5 + 2 * count), deadlineMs);
    }

    DeviceEmulator device;
    RecordingFrame frame;
    CModBus codec;
};
