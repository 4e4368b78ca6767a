// Download and upload of the largest program through the transfer engine to the device emulator
// paced at 115200 baud, with the engine's fixed pauses left out. Reports the time of each and its
// ratio to the wire time of the bytes that crossed the line in both directions (target 1.15).
#include "MaxProgram.h"

#include "comm/TransferEngine.h"
#include "shell/MainFrame.h"
#include "tests/support/DeviceEmulator.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

namespace {

class QuietFrame : public CMainFrame
{
public:
    ~QuietFrame() override { ClosePort(); }
    void PortLog(LPCTSTR line) override { lastLine = line; }
    int PortMessageBox(LPCTSTR, UINT) override { return 1; }
    void PortProgress(int, int) override {}
    CString lastLine;
};

// Bytes of every request and its answer, at 10 bits a byte.
double WireMs(DeviceEmulator& device, std::size_t firstRequest, std::size_t answerBytes)
{
    const auto requests = device.Requests();
    std::size_t bytes = answerBytes;
    for (std::size_t i = firstRequest; i < requests.size(); ++i)
        bytes += requests[i].size();
    return double(bytes) * 10.0 * 1000.0 / 115200.0;
}

// What the device answers to each request of a transfer, by function code.
std::size_t AnswerBytes(DeviceEmulator& device, std::size_t firstRequest)
{
    const auto requests = device.Requests();
    std::size_t bytes = 0;
    for (std::size_t i = firstRequest; i < requests.size(); ++i) {
        const auto& r = requests[i];
        switch (r[1]) {
        case 3: case 121: bytes += 5 + 2 * std::size_t((r[4] << 8) | r[5]); break;
        case 100: case 102: bytes += 19; break;
        case 110: bytes += 7; break;
        default: bytes += 8; break;
        }
    }
    return bytes;
}

struct Bench {
    DeviceEmulator device;
    QuietFrame frame;
    std::unique_ptr<CTransferEngine> engine;
    bool ready = false;
    Bench()
    {
        device.SetBaudRate(115200);
        device.ExportAs(9);
        device.Device()->machineType = BYTE(maxprogram::MaxProgram().m_nHardwareCode >> 8);
        frame.m_nComPort = 9;
        ready = frame.OpenDevicePort() != 0;
        engine = std::make_unique<CTransferEngine>(frame);
        engine->m_wait = [](int) {};
        engine->m_newDocument = [this]() {
            uploaded = std::make_unique<CTavixDoc>();
            return uploaded.get();
        };
    }
    std::unique_ptr<CTavixDoc> uploaded;
};

void Report(benchmark::State& state, double totalMs, double wireMs, long runs)
{
    state.counters["ms"] = totalMs / double(runs);
    state.counters["wire_ms"] = wireMs / double(runs);
    state.counters["ratio_to_wire"] = totalMs / wireMs;
}

void BM_DownloadMaxProgramAt115200(benchmark::State& state)
{
    Bench b;
    if (!b.ready) {
        state.SkipWithError("the emulator's port did not open");
        return;
    }
    double totalMs = 0, wireMs = 0;
    long runs = 0;
    for (auto _ : state) {
        const std::size_t first = b.device.Requests().size();
        const auto start = std::chrono::steady_clock::now();
        if (!b.engine->Download(&maxprogram::MaxProgram())) {
            state.SkipWithError(ToUtf8(b.frame.lastLine).c_str());
            return;
        }
        totalMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        wireMs += WireMs(b.device, first, AnswerBytes(b.device, first));
        ++runs;
    }
    Report(state, totalMs, wireMs, runs);
}

void BM_UploadMaxProgramAt115200(benchmark::State& state)
{
    Bench b;
    if (!b.ready || !b.engine->Download(&maxprogram::MaxProgram())) {
        state.SkipWithError("the program could not be put into the device");
        return;
    }
    double totalMs = 0, wireMs = 0;
    long runs = 0;
    for (auto _ : state) {
        const std::size_t first = b.device.Requests().size();
        const auto start = std::chrono::steady_clock::now();
        if (!b.engine->Upload()) {
            state.SkipWithError("the upload failed");
            return;
        }
        totalMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        wireMs += WireMs(b.device, first, AnswerBytes(b.device, first));
        ++runs;
    }
    Report(state, totalMs, wireMs, runs);
}

} // namespace

BENCHMARK(BM_DownloadMaxProgramAt115200)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_UploadMaxProgramAt115200)->Unit(benchmark::kMillisecond)->Iterations(2);
