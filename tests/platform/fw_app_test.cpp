// The application object: recent-file list kept in the profile, command line, dropped files,
// closing the main window with modified documents, idle updates of the title.
#include "fw_support.h"

#include "platform/base/Profile.h"

using namespace fwdemo;

namespace fwtest {
namespace {

class FwAppTest : public FwTest {
protected:
    CString SavedDoc(const char* name, int count)
    {
        CString path = TempPath(name);
        auto* doc = static_cast<CDemoDoc*>(app->m_pTextTemplate->OpenDocumentFile(nullptr));
        doc->m_count = count;
        EXPECT_TRUE(doc->DoSave(path));
        doc->OnCloseDocument();
        drv.Pump();
        return path;
    }
};

TEST_F(FwAppTest, RecentFilesKeepTheLastFourInTheProfile)
{
    StartApp();
    std::vector<CString> paths;
    for (const char* n : {"1.dtx", "2.dtx", "3.dtx", "4.dtx", "5.dtx"})
        paths.push_back(SavedDoc(n, 1));
    app->OpenDocumentFile(paths[1]);  // an entry opened again moves to the top
    drv.Pump();
    app->ExitInstance();
    CProfileStore& store = AfxGetProfileStore();
    std::vector<CString> expected{paths[1], paths[4], paths[3], paths[2]};
    for (int i = 0; i < 4; ++i) {
        CString entry;
        entry.Format(L"File%d", i + 1);
        EXPECT_EQ(store.GetProfileString(L"Recent File List", entry, L""), expected[size_t(i)]) << i;
    }
    EXPECT_EQ(store.GetProfileString(L"Recent File List", L"File5", L"none"), CString(L"none"));

    // The File menu lists them in place of the placeholder; choosing one opens it.
    CDemoMainFrame* main = MainFrame();
    HMENU file = ::GetSubMenu(::GetMenu(main->m_hWnd), 0);
    main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    wchar_t text[300] = {};
    ::GetMenuStringW(file, ID_FILE_MRU_FILE1 + 1, text, 300, MF_BYCOMMAND);
    EXPECT_EQ(CString(text).Left(3), CString(L"&2 "));
    app->CloseAllDocuments(FALSE);
    drv.Pump();
    Command(ID_FILE_MRU_FILE1 + 2);
    CDocument* opened = main->GetActiveFrame()->GetActiveDocument();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->GetPathName(), paths[3]);

    // A missing file leaves the list when chosen.
    app->CloseAllDocuments(FALSE);
    drv.Pump();
    ::unlink(ToNativePath(paths[4]).c_str());
    int gone = -1;
    for (int i = 0; i < app->m_pRecentFileList->GetSize(); ++i)
        if ((*app->m_pRecentFileList)[i] == paths[4])
            gone = i;
    ASSERT_GE(gone, 0);
    drv.Host().ClearMessageBoxes();
    Command(ID_FILE_MRU_FILE1 + UINT(gone));
    EXPECT_EQ(app->GetOpenDocumentCount(), 0);
    EXPECT_EQ(drv.Host().MessageBoxes().size(), 1u);
    for (int i = 0; i < app->m_pRecentFileList->GetSize(); ++i)
        EXPECT_NE((*app->m_pRecentFileList)[i], paths[4]);
}

TEST_F(FwAppTest, CommandLineOpensTheNamedFile)
{
    StartApp();
    CString path = SavedDoc("cmd.dtx", 5);
    MainFrame()->DestroyWindow();
    drv.Pump();
    app.reset();
    StartApp({path});
    CDocument* doc = MainFrame()->GetActiveFrame()->GetActiveDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(static_cast<CDemoDoc*>(doc)->m_count, 5);

    CCommandLineInfo info;
    app->SetCommandLineArgs({CString(L"/Embedding")});
    app->ParseCommandLine(info);
    EXPECT_TRUE(info.m_bRunEmbedded);
    EXPECT_EQ(info.m_nShellCommand, int(CCommandLineInfo::FileNothing));
}

TEST_F(FwAppTest, ProgramPathGivesTheNameAndTheHelpFile)
{
    CWinApp plain;
    plain.SetProgramPath(L"/opt/tavix/bin/editor.bin");
    EXPECT_EQ(CString(plain.m_pszExeName), CString(L"editor"));
    EXPECT_EQ(CString(plain.m_pszHelpFilePath), CString(L"/opt/tavix/bin/editor.HLP"));
    EXPECT_EQ(CString(plain.m_pszAppName), CString(L"editor"));
}

TEST_F(FwAppTest, DroppedFilesAreOpened)
{
    StartApp();
    CString a = SavedDoc("a.dtx", 1), b = SavedDoc("b.dsk", 2);
    CStringArray paths;
    paths.Add(a);
    paths.Add(b);
    AfxDropFiles(MainFrame()->m_hWndMDIClient, paths);
    drv.Pump();
    EXPECT_EQ(app->GetOpenDocumentCount(), 2);
    // The .dsk file matched the Sketch template by its extension.
    CDocument* active = MainFrame()->GetActiveFrame()->GetActiveDocument();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->GetDocTemplate(), app->m_pSketchTemplate);
}

TEST_F(FwAppTest, ClosingTheMainWindowAsksForModifiedDocuments)
{
    StartApp();
    auto* doc = static_cast<CDemoDoc*>(app->m_pTextTemplate->OpenDocumentFile(nullptr));
    doc->SetModifiedFlag();
    drv.Pump();
    drv.Host().QueueMessageBoxAnswer(IDCANCEL);
    MainFrame()->SendMessage(WM_CLOSE);
    drv.Pump();
    ASSERT_NE(app->m_pMainWnd, nullptr) << "Cancel keeps the program running";
    EXPECT_EQ(app->GetOpenDocumentCount(), 1);
    EXPECT_FALSE(drv.QuitSeen());

    drv.Host().QueueMessageBoxAnswer(IDNO);
    MainFrame()->SendMessage(WM_CLOSE);
    drv.Pump();
    EXPECT_EQ(app->m_pMainWnd, nullptr);
    EXPECT_TRUE(drv.QuitSeen());
}

TEST_F(FwAppTest, IdleKeepsTheTitleOfTheActiveDocument)
{
    StartApp();
    CString title;
    MainFrame()->GetWindowText(title);
    EXPECT_EQ(title, CString(L"Demo"));
    CDocument* doc = app->m_pTextTemplate->OpenDocumentFile(nullptr);
    PumpAndIdle();
    doc->SetTitle(L"Renamed");
    PumpAndIdle();
    MainFrame()->GetWindowText(title);
    EXPECT_EQ(title, CString(L"Demo - Renamed"));
    CString child;
    MainFrame()->MDIGetActive()->GetWindowText(child);
    EXPECT_EQ(child, CString(L"Renamed"));
}

}  // namespace
}  // namespace fwtest
