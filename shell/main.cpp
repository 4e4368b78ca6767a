// The editor program: the application object and the entry point.
//
// TAVIX_SCREENSHOT=<file.png> makes a run save a picture of its main window (with the
// Information Window shown) once it is up, and end: the end-to-end check under a virtual X
// server uses it. TAVIX_STARTUP_REPORT=<file> makes a run write, once its painted main window is on
// the display (and can be read back from it), the wall-clock time of that moment in nanoseconds,
// and end: the start-up benchmark under a virtual X server uses it.
// TAVIX_LAYOUT_REPORT=<file> makes a run keep a report of where its controls stand on the
// screen in that file (shell/LayoutReport.h), with the number of mouse buttons and keys pressed
// that it has taken: the desktop journey clicks by it and waits for each input to be taken.
#include "platform/base/Exceptions.h"
#include "platform/base/SafeReplace.h"
#include "platform/host/DlgGtk.h"
#include "platform/host/HostSelect.h"
#include "platform/ui/core/Host.h"
#include "resources/resource.h"
#include "shell/EditorApp.h"
#include "shell/LayoutReport.h"
#include "shell/MainFrame.h"
#include "shell/SettingsFile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int g_inputsTaken = 0;

}  // namespace

// The editor's application object; it counts the mouse buttons and keys pressed that reach its
// message loop, for the layout report. (A press is counted rather than a release: a press may
// start a loop of its own that takes the release, such as a toolbar button's.)
class CCountingEditorApp : public CEditorApp {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        const UINT m = pMsg->message;
        if (m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_KEYDOWN || m == WM_SYSKEYDOWN)
            ++g_inputsTaken;
        return CEditorApp::PreTranslateMessage(pMsg);
    }
};

CCountingEditorApp theApp;

namespace {

std::string g_screenshot;
std::string g_startupReport;
std::string g_layoutReport;
CString g_lastLayout;

long long WallClockNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch()).count();
}

void TakeScreenshot(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(hwnd, id);
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    const bool ok = AfxGetHost()->Screenshot(hwnd, g_screenshot);
    if (!ok)
        std::fprintf(stderr, "tavix: the screenshot could not be saved\n");
    ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

void ReportStartup(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(hwnd, id);
    // The moment the display shows the painted window is the one reported. Reading the
    // picture back afterwards only confirms it is there: its cost is not the program's start.
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    static int s_tries = 0;
    const bool shown = AfxGetHost()->WaitUntilOnDisplay(hwnd);
    if (!shown && ++s_tries < 50) {
        ::SetTimer(hwnd, id, 20, &ReportStartup);  // the message loop takes what is pending first
        return;
    }
    const long long painted = WallClockNs();
    const std::string picture = g_startupReport + ".png";
    const bool readBack = shown && AfxGetHost()->Screenshot(hwnd, picture);
    std::remove(picture.c_str());
    if (readBack) {
        const std::string line = std::to_string(painted) + '\n';
        try {
            AfxWriteFileReplacing(FromUtf8(g_startupReport),
                                  [&line](CFile& file) { file.Write(line.data(), UINT(line.size())); });
        } catch (CException* e) {
            e->Delete();
            std::fprintf(stderr, "tavix: the start-up report could not be written\n");
        }
    } else {
        std::fprintf(stderr, "tavix: the main window could not be read back from the display\n");
    }
    ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

void WriteLayoutReport(HWND, UINT, UINT_PTR, DWORD)
{
    auto* frame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
    if (!frame)
        return;
    CString report = MakeLayoutReport(*frame);
    CString taken;
    taken.Format(L"input %d\n", g_inputsTaken);
    report += taken;
    if (report == g_lastLayout)
        return;
    g_lastLayout = report;
    const std::string utf8 = ToUtf8(report);
    WriteWholeFile(CString(g_layoutReport.c_str()), std::vector<std::uint8_t>(utf8.begin(), utf8.end()));
}

} // namespace

int main(int argc, char** argv)
{
    // The editor draws with Cairo only: GDK need not load OpenGL (and the software renderer
    // behind it) to choose its visuals, which takes a third of the start-up. A user's own
    // setting stays.
    ::setenv("GDK_GL", "disable", 0);
    AfxInitHost(&argc, &argv);
    // On a desktop the file, colour, font, page-setup and print questions are asked with GTK's
    // own dialogs; without them every such question would answer "cancelled".
    if (!AfxHostIsHeadless())
        AfxInstallGtkCommonDialogs();
    if (const char* shot = std::getenv("TAVIX_SCREENSHOT"))
        g_screenshot = shot;
    if (const char* report = std::getenv("TAVIX_STARTUP_REPORT"))
        g_startupReport = report;
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
    if (const char* layout = std::getenv("TAVIX_LAYOUT_REPORT")) {
        g_layoutReport = layout;
        ::SetTimer(theApp.m_pMainWnd->m_hWnd, 0x5E, 100, &WriteLayoutReport);
    }
    if (!g_startupReport.empty())
        ::SetTimer(theApp.m_pMainWnd->m_hWnd, 0x5D, 0, &ReportStartup);
    return theApp.Run();
}
