// Area writes through the main frame's port to the device emulator paced at 115200 baud: 80
// frames of 64 registers, each followed by its 8-byte echo, as a download writes the first area.
// Reports the time per frame and its ratio to 16.09 ms per frame.
#include "comm/ModBus.h"
#include "shell/MainFrame.h"
#include "tests/support/DeviceEmulator.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

class QuietFrame : public CMainFrame
{
public:
    ~QuietFrame() override { ClosePort(); }
    void PortLog(LPCTSTR) override {}
    int PortMessageBox(LPCTSTR, UINT) override { return 1; }
};

constexpr int kFrames = 80;
constexpr double kReferenceMsPerFrame = 16.09;
// 137 request bytes and 8 echo bytes of 10 bits each.
constexpr double kWireMsPerFrame = (137.0 + 8.0) * 10.0 * 1000.0 / 115200.0;

void BM_AreaWriteAt115200(benchmark::State& state)
{
    DeviceEmulator device;
    device.SetBaudRate(115200);
    device.ExportAs(9);
    QuietFrame frame;
    frame.m_nComPort = 9;
    if (!frame.OpenDevicePort()) {
        state.SkipWithError("the emulator's port did not open");
        return;
    }
    CModBus codec;
    BYTE data[128];
    for (int i = 0; i < 128; ++i)
        data[i] = BYTE(i * 7);

    double totalMs = 0;
    long frames = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int f = 0; f < kFrames; ++f) {
            BYTE request[CModBus::kFrameBufferSize] = {};
            const int n = codec.BuildWriteMultipleRequest(WORD(35840 + 64 * f), 64, data, request);
            BYTE answer[16] = {};
            WORD expected = 8;
            UINT error = 0;
            if (!frame.WritePort(request, WORD(n), &error)
                || !frame.ReadAnswer(answer, &expected, &error, f == 0 ? 6000 : 3000)
                || codec.CheckWriteEcho(answer, expected, request) != LINK_OK) {
                state.SkipWithError("an area write failed");
                return;
            }
        }
        totalMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now()
                                                             - start).count();
        frames += kFrames;
    }
    const double perFrame = totalMs / double(frames);
    state.counters["ms_per_frame"] = perFrame;
    state.counters["ratio_to_16.09ms"] = perFrame / kReferenceMsPerFrame;
    state.counters["ratio_to_wire"] = perFrame / kWireMsPerFrame;
}

} // namespace

BENCHMARK(BM_AreaWriteAt115200)->Unit(benchmark::kMillisecond)->Iterations(5);
