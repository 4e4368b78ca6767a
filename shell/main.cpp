// The editor program: the application object and the entry point.
//
// TAVIX_SCREENSHOT=<file.png> makes a run save a picture of its main window (with the
// Information Window shown) once it is up, and end: the end-to-end check under a virtual X
// server and the start-up benchmark use it.
#include "platform/host/HostSelect.h"
#include "platform/ui/core/Host.h"
#include "resources/resource.h"
#include "shell/EditorApp.h"
#include "shell/MainFrame.h"

#include <cstdio>
#include <cstdlib>
#include <string>

CEditorApp theApp;

namespace {

std::string g_screenshot;

void TakeScreenshot(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(hwnd, id);
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    const bool ok = AfxGetHost()->Screenshot(hwnd, g_screenshot);
    if (!ok)
        std::fprintf(stderr, "tavix: the screenshot could not be saved\n");
    ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

} // namespace

int main(int argc, char** argv)
{
    AfxInitHost(&argc, &argv);
    if (const char* shot = std::getenv("TAVIX_SCREENSHOT"))
        g_screenshot = shot;
    std::vector<CString> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(CString(argv[i]));
    theApp.SetCommandLineArgs(args);
    if (argc > 0 && argv[0])
        theApp.SetProgramPath(CString(argv[0]));
    if (!theApp.InitApplication() || !theApp.InitInstance()) {
        if (theApp.m_pMainWnd && ::IsWindow(theApp.m_pMainWnd->m_hWnd))
            theApp.m_pMainWnd->DestroyWindow();
        const int rc = theApp.ExitInstance();
        return rc ? rc : 1;
    }
    if (!g_screenshot.empty()) {
        if (auto* frame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd)) {
            if (!frame->InfoWindow().IsVisible())
                frame->ToggleInfoWindow();
            frame->AppendLog(L"Started.\n");
            ::SetTimer(frame->m_hWnd, 0x5C, 700, &TakeScreenshot);
        }
    }
    return theApp.Run();
}
