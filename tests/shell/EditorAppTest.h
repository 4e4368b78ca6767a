// A fixture that runs the real editor application headless: its settings and profile live in a
// temporary folder of the test's own, new programs open without their properties sheet, and
// every window and program is closed (changes dropped) when the test ends.
#pragma once

#include "document/TavixDoc.h"
#include "platform/base/Profile.h"
#include "platform/host/HeadlessHost.h"
#include "shell/EditorApp.h"
#include "shell/MainFrame.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

class EditorAppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/editorappXXXXXX";
        m_dir = ::mkdtemp(tmpl);
        ::setenv("XDG_CONFIG_HOME", m_dir.c_str(), 1);
        AfxGetProfileStore().SetPath(CString((m_dir + "/profile.ini").c_str()));
        g_nLanguage = 0;
        g_wHardwareCode = 0x5188;
        g_bShowPropertiesAtNew = 0;
    }
    void TearDown() override
    {
        if (m_app) {
            if (CWnd* main = m_app->m_pMainWnd; main && ::IsWindow(main->m_hWnd)) {
                m_app->CloseAllDocuments(TRUE);
                main->DestroyWindow();
            }
            m_drv.Pump();
            m_app.reset();
        }
        g_bShowPropertiesAtNew = 1;
        const std::string cmd = "rm -rf '" + m_dir + "'";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
    }
    // Starts the editor with a command line; call it from a test or a derived SetUp.
    void Start(const std::vector<CString>& args = {})
    {
        m_app = std::make_unique<CEditorApp>();
        m_app->SetCommandLineArgs(args);
        ASSERT_TRUE(m_app->InitInstance());
        m_drv.Pump();
    }
    CMainFrame* Frame() const { return dynamic_cast<CMainFrame*>(m_app->m_pMainWnd); }
    void Command(UINT id)
    {
        Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0);
        m_drv.Pump();
    }
    CString Temp(const char* name) const { return CString((m_dir + "/" + name).c_str()); }

    CHeadlessDriver m_drv;
    std::unique_ptr<CEditorApp> m_app;
    std::string m_dir;
};
