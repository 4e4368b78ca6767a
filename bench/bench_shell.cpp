// The editor program as a user meets it (headless host): from the application object to the
// first painted main window with one program open, and the memory in use with ten programs open.
#include "platform/base/Profile.h"
#include "platform/host/HeadlessHost.h"
#include "shell/EditorApp.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

const CString kProgram = CString(TAVIX_SOURCE_DIR) + L"/tests/fixtures/program_fbd.yfb";

void Isolate()
{
    static std::string dir = [] {
        char tmpl[] = "/tmp/benchshellXXXXXX";
        return std::string(::mkdtemp(tmpl));
    }();
    ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    AfxGetProfileStore().SetPath(CString((dir + "/profile.ini").c_str()));
}

void Stop(CHeadlessDriver& drv, std::unique_ptr<CEditorApp>& app)
{
    app->CloseAllDocuments(TRUE);
    app->m_pMainWnd->DestroyWindow();
    drv.Pump();
    app.reset();
}

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
    }
    return 0;
}

void BM_StartToFirstPaintWithOneProgram(benchmark::State& state)
{
    Isolate();
    CHeadlessDriver drv;
    for (auto _ : state) {
        auto app = std::make_unique<CEditorApp>();
        app->SetCommandLineArgs({kProgram});
        if (!app->InitInstance())
            state.SkipWithError("start-up failed");
        drv.Pump();  // paints included
        state.PauseTiming();
        Stop(drv, app);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToFirstPaintWithOneProgram)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ResidentMemoryWithTenPrograms(benchmark::State& state)
{
    Isolate();
    CHeadlessDriver drv;
    for (auto _ : state) {
        auto app = std::make_unique<CEditorApp>();
        app->InitInstance();
        for (int i = 0; i < 10; ++i)
            app->m_pMainWnd->SendMessage(WM_COMMAND, MAKEWPARAM(57600, 0), 0);
        app->OpenDocumentFile(kProgram);
        drv.Pump();
        state.counters["resident_MiB"] = double(ResidentKiB()) / 1024.0;
        Stop(drv, app);
    }
}
BENCHMARK(BM_ResidentMemoryWithTenPrograms)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
