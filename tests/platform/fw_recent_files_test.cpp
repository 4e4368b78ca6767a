// The recent-file entries of the File menu: how each path reads there.
#include "fw_support.h"

#include <unistd.h>

using namespace fwdemo;

namespace fwtest {
namespace {

class FwRecentFilesTest : public FwTest {
protected:
    // The File menu's text for the first entry once `path` was opened last.
    CString MenuText(const CString& path)
    {
        app->AddToRecentFileList(path);
        CDemoMainFrame* main = MainFrame();
        HMENU file = ::GetSubMenu(::GetMenu(main->m_hWnd), 0);
        main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
        wchar_t text[300] = {};
        ::GetMenuStringW(file, ID_FILE_MRU_FILE1, text, 300, MF_BYCOMMAND);
        return text;
    }
};

TEST_F(FwRecentFilesTest, EntriesReadAsLinuxPaths)
{
    StartApp();
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    struct Case {
        const wchar_t* opened;
        CString shown;
    } cases[] = {
        // Short enough: the whole path.
        {L"/tmp/a/fbd.yfb", L"&1 /tmp/a/fbd.yfb"},
        // Too long: the leading whole folders, "...", a slash and the name.
        {L"/home/user/projects/relay/programs/fbd_basic.yfb", L"&1 /home/user/.../fbd_basic.yfb"},
        // A name too long for any folder stays alone.
        {L"/home/user/a_very_long_program_name_here.yfb", L"&1 a_very_long_program_name_here.yfb"},
        // A bare name is the file in the working folder, shown like every other path.
        {L"bare.yfb", CString(L"&1 ") + CString(cwd) + L"/bare.yfb"},
    };
    for (const Case& c : cases) {
        CString text = MenuText(c.opened);
        // A long working folder is shortened too: then the ending is checked.
        if (c.shown.GetLength() > 33 && CString(c.opened) == L"bare.yfb")
            EXPECT_EQ(text.Right(9), CString(L"/bare.yfb")) << c.opened;
        else
            EXPECT_EQ(text, c.shown) << c.opened;
        EXPECT_EQ(text.Find(L'\\'), -1) << c.opened;
    }
    // Names that differ only by case are two files.
    app->AddToRecentFileList(L"/tmp/b/Case.yfb");
    app->AddToRecentFileList(L"/tmp/b/case.yfb");
    EXPECT_EQ((*app->m_pRecentFileList)[0], CString(L"/tmp/b/case.yfb"));
    EXPECT_EQ((*app->m_pRecentFileList)[1], CString(L"/tmp/b/Case.yfb"));
}

}  // namespace
}  // namespace fwtest
