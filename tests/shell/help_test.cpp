// Help: every topic the help command can ask for has its page in both languages, in the help
// folder installed next to the program, and opens through the desktop handler.
#include "platform/base/FileSystem.h"
#include "platform/host/HeadlessHost.h"
#include "platform/ui/framework/App.h"
#include "resources/resource.h"
#include "shell/EditorApp.h"
#include "shell/HelpTopics.h"
#include "shell/MainFrame.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<CString> g_opened;
BOOL g_openerAnswer = TRUE;

BOOL RecordPage(const CString& path)
{
    g_opened.push_back(path);
    return g_openerAnswer;
}

std::string ReadText(const CString& path)
{
    std::ifstream in(ToNativePath(path), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Help, EveryTopicOpensItsPageInBothLanguages)
{
    char tmpl[] = "/tmp/shellhelpXXXXXX";
    const std::string dir = ::mkdtemp(tmpl);
    ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    CHeadlessDriver drv;
    CEditorApp app;
    app.BuildHelpTopicMap();
    ASSERT_EQ(g_mapHelpTopic.GetCount(), 106);
    const HelpPageOpener old = SetHelpPageOpener(&RecordPage);

    struct Language { int flag; const wchar_t* folder; const char* lang; };
    for (const Language& language : {Language{0, L"help/VOLMERAEDITOR/", "lang=\"en\""},
                                     Language{1, L"help/VOLMERAEDITOR_GBK/", "lang=\"zh-CN\""}}) {
        g_nLanguage = language.flag;
        const CString folder = GetProgramFolder() + language.folder;
        ASSERT_EQ(app.GetHelpFolder(), folder);
        std::vector<std::pair<UINT, CString>> expected = {{1052, L"Inputs.htm"}, {1090, L"index.htm"}};
        for (POSITION pos = g_mapHelpTopic.GetStartPosition(); pos;) {
            UINT id = 0;
            CString page;
            g_mapHelpTopic.GetNextAssoc(pos, id, page);
            expected.emplace_back(id, page);
        }
        drv.Host().ClearMessageBoxes();
        for (const auto& [id, page] : expected) {
            g_opened.clear();
            app.ShowBlockHelp(id);
            ASSERT_EQ(g_opened.size(), 1u) << id << " " << LPCTSTR(page);
            EXPECT_EQ(g_opened[0], folder + page);
            const std::string text = ReadText(g_opened[0]);
            EXPECT_NE(text.find(language.lang), std::string::npos) << LPCTSTR(page);
            EXPECT_NE(text.find("<title>"), std::string::npos) << LPCTSTR(page);
        }
        EXPECT_TRUE(drv.Host().MessageBoxes().empty());

        // A page that is not installed opens nothing and names the missing file.
        g_mapHelpTopic.SetAt(1052, L"Not installed.htm");
        g_opened.clear();
        app.ShowBlockHelp(1052);
        EXPECT_TRUE(g_opened.empty());
        ASSERT_EQ(drv.Host().MessageBoxes().size(), 1u);
        CString message;
        message.Format(AfxLoadString(IDS_HELP_NOT_FOUND), LPCTSTR(folder + L"Not installed.htm"));
        EXPECT_EQ(drv.Host().MessageBoxes()[0].text, std::wstring(message.GetString()));
        app.BuildHelpTopicMap();

        // A desktop without a program for HTML pages: the user is told, not left waiting.
        drv.Host().ClearMessageBoxes();
        g_openerAnswer = FALSE;
        app.ShowBlockHelp(1052);
        g_openerAnswer = TRUE;
        ASSERT_EQ(drv.Host().MessageBoxes().size(), 1u);
        message.Format(AfxLoadString(IDS_HELP_NOT_OPENED), LPCTSTR(folder + L"Inputs.htm"));
        EXPECT_EQ(drv.Host().MessageBoxes()[0].text, std::wstring(message.GetString()));
    }
    g_nLanguage = 0;
    SetHelpPageOpener(old);
    EXPECT_EQ(std::system(("rm -rf '" + dir + "'").c_str()), 0);
}

} // namespace
