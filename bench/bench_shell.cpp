// The editor program as a user meets it: from the application object to the first painted main
// window with one program open (headless host), the same for the real program with the GTK host
// under a virtual X server, and the memory in use with ten programs open.
#include "platform/base/Profile.h"
#include "platform/host/HeadlessHost.h"
#include "shell/EditorApp.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <cstdio>
#include <string>
#include <sys/wait.h>
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

long long ReadNumber(std::ifstream& in)
{
    long long value = -1;
    in >> value;
    return value;
}

// The real program under a virtual X server of its own with a window manager (the desktop
// checks' session script): from the moment it is started until its main window's content is on
// the display, read back from the X server by another program (x_await_content, which waits for
// a large window showing many colours, so a black or blank window never counts).
void BM_GtkStartToFirstPaintWithOneProgram(benchmark::State& state)
{
#ifndef X_AWAIT_CONTENT
    state.SkipWithError("no X window reader built here");
    return;
#else
    char tmpl[] = "/tmp/benchgtkXXXXXX";
    const std::string dir = ::mkdtemp(tmpl);
    const std::string start = dir + "/start", report = dir + "/report";
    const std::string program = std::string(TAVIX_SOURCE_DIR) + "/tests/fixtures/program_fbd.yfb";
    const std::string inner = "date +%s%N > '" + start + "'; env XDG_CONFIG_HOME='" + dir + "' '" + TAVIX_PROGRAM +
                              "' '" + program + "' >/dev/null 2>&1 & p=\\$!; '" + X_AWAIT_CONTENT + "' > '" + report +
                              "'; rc=\\$?; kill \\$p; wait \\$p; exit \\$rc";
    // (The inner command's own variables are kept from the outer shell, which sees it in double quotes.)
    const std::string command = "sh '" + std::string(TAVIX_SOURCE_DIR) + "/tests/desktop/wm_session.sh' sh -c \"" +
                                inner + "\" >'" + dir + "/session.log' 2>&1";
    for (auto _ : state) {
        std::remove(start.c_str());
        std::remove(report.c_str());
        const int rc = std::system(command.c_str());
        if (WIFEXITED(rc) && WEXITSTATUS(rc) == 77) {
            state.SkipWithError("no virtual X server or window manager here");
            break;
        }
        std::ifstream started(start), reported(report);
        const long long t0 = ReadNumber(started), painted = ReadNumber(reported);
        if (rc != 0 || t0 <= 0 || painted <= t0) {
            state.SkipWithError("the X server never showed the program's main window with its content");
            break;
        }
        state.SetIterationTime(double(painted - t0) / 1e9);
    }
    if (std::system(("rm -rf '" + dir + "'").c_str()) != 0)
        state.counters["cleanup_failed"] = 1;
#endif
}
BENCHMARK(BM_GtkStartToFirstPaintWithOneProgram)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

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
