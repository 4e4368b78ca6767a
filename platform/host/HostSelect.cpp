// Host selection.
#include "platform/host/HostSelect.h"

#include "platform/host/DlgGtk.h"
#include "platform/host/GtkHost.h"
#include "platform/host/HeadlessHost.h"
#include "platform/ui/core/Clipboard.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {
std::unique_ptr<CUiHost> g_host;
bool g_headless = true;
}  // namespace

CUiHost* AfxInitHost(int* argc, char*** argv)
{
    if (g_host)
        return g_host.get();
    const char* forced = std::getenv("TAVIX_HEADLESS");
    bool wantHeadless = forced && std::strcmp(forced, "0") != 0 && *forced;
    bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    int noArgc = 0;
    char** noArgv = nullptr;
    if (!wantHeadless && display && CGtkHost::Open(argc ? argc : &noArgc, argv ? argv : &noArgv)) {
        g_host = std::make_unique<CGtkHost>();
        g_headless = false;
    } else {
        auto headless = std::make_unique<CHeadlessHost>();
        headless->SetRealTime(true);  // a program on its own, not driven by a test
        g_host = std::move(headless);
        g_headless = true;
    }
    AfxSetHost(g_host.get());
    // The program's clipboard is the desktop's, for its own formats and every edit control.
    if (!g_headless)
        AfxInstallGtkClipboard();
    AfxConnectEditClipboard();
    return g_host.get();
}

bool AfxHostIsHeadless() { return g_headless; }
