// The editor tells the docking bars whether a simulation runs with the device powered: the
// close buttons of the bars neither highlight nor close then.
#include "controls/SizingControlBarG.h"
#include "document/TavixDoc.h"
#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "platform/base/Profile.h"
#include "platform/host/HeadlessHost.h"
#include "resources/resource.h"
#include "shell/ChildFrame.h"
#include "shell/EditorApp.h"
#include "shell/MainFrame.h"
#include "view/TavixView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

TEST(SimulationRunningQueryTest, TheBarsAreToldWhileAPoweredSimulationRuns)
{
    char tmpl[] = "/tmp/shellsimqXXXXXX";
    const std::string dir = ::mkdtemp(tmpl);
    ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    AfxGetProfileStore().SetPath(CString((dir + "/profile.ini").c_str()));
    g_nLanguage = 0;
    g_wHardwareCode = 0x5188;
    g_bShowPropertiesAtNew = 0;
    CHeadlessDriver drv;
    {
        auto app = std::make_unique<CEditorApp>();
        ASSERT_TRUE(app->InitInstance());
        drv.Pump();
        auto* main = dynamic_cast<CMainFrame*>(app->m_pMainWnd);
        ASSERT_NE(main, nullptr);
        EXPECT_FALSE(IsSimulationRunningNow());  // no program open
        main->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(57600), 0), 0);
        drv.Pump();
        CTavixView* view = main->GetActiveDiagramView();
        ASSERT_NE(view, nullptr);
        CBlockObj* input = NewBlockOfType(TYPE_INPUT);  // a program with something to simulate
        input->m_nNumber = 100;
        view->GetDocument()->m_blocks.AddTail(input);
        EXPECT_FALSE(IsSimulationRunningNow());  // editing
        main->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(ID_TOOLS_SIMULATION), 0), 0);
        drv.Pump();
        ASSERT_TRUE(view->IsSimulating());
        view->StopSimClock();
        EXPECT_TRUE(IsSimulationRunningNow());
        CChildFrame* frame = view->GetParentFrame();
        ASSERT_NE(frame, nullptr);
        frame->m_wndSimBar.OnStop();  // the device loses power
        EXPECT_FALSE(IsSimulationRunningNow());
        view->GetDocument()->SetModifiedFlag(FALSE);
        app->CloseAllDocuments(TRUE);
        main->DestroyWindow();
        drv.Pump();
    }
    EXPECT_FALSE(IsSimulationRunningNow());  // the application is gone
    g_bShowPropertiesAtNew = 1;
    const std::string cmd = "rm -rf '" + dir + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
}
