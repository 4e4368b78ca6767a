#include "fw_support.h"

#include "platform/base/Profile.h"
#include "platform/ui/framework/Frame.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fwtest {

void FwTest::SetUp()
{
    char tmpl[] = "/tmp/fwtestXXXXXX";
    dir = ::mkdtemp(tmpl);
    AfxGetProfileStore().SetPath(CString((dir + "/profile.ini").c_str()));
    fwdemo::InstallResources();
    fwdemo::Log().clear();
    fwdemo::CDemoDoc::s_failStore = false;
    AfxSetDefaultPrinterName(L"PDF");
}

void FwTest::TearDown()
{
    if (app) {
        if (CWnd* main = app->m_pMainWnd; main && ::IsWindow(main->m_hWnd)) {
            app->CloseAllDocuments(TRUE);
            main->DestroyWindow();
        }
        drv.Pump();
        app.reset();
    }
    AfxSetFileDialogHook(nullptr);
    AfxSetPrintDialogHook(nullptr);
    AfxSetDefaultPrinterName(nullptr);
    std::string cmd = "rm -rf '" + dir + "'";
    if (std::system(cmd.c_str()) != 0)
        ADD_FAILURE() << "could not remove " << dir;
}

fwdemo::CDemoApp& FwTest::StartApp(const std::vector<CString>& args)
{
    app = std::make_unique<fwdemo::CDemoApp>();
    app->SetCommandLineArgs(args);
    EXPECT_TRUE(app->InitInstance());
    drv.Pump();
    return *app;
}

fwdemo::CDemoMainFrame* FwTest::MainFrame() const
{
    return app ? dynamic_cast<fwdemo::CDemoMainFrame*>(app->m_pMainWnd) : nullptr;
}

CString FwTest::TempPath(const char* name) const { return CString((dir + "/" + name).c_str()); }

void FwTest::PumpAndIdle()
{
    drv.Pump();
    if (app)
        for (LONG i = 0; app->OnIdle(i); ++i) {
        }
    drv.Pump();
}

void FwTest::Command(UINT id)
{
    MainFrame()->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0);
    drv.Pump();
}

std::string ReadFile(const CString& path)
{
    std::ifstream in(ToNativePath(path), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const CString& path, const std::string& bytes)
{
    std::ofstream out(ToNativePath(path), std::ios::binary);
    out << bytes;
}

}  // namespace fwtest
