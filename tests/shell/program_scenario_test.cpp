// The whole editor program driven headless: start-up, new function block and ladder programs, a
// palette click, opening and saving through the file dialog, Close All at exit, the log, and a
// language change that takes effect at the next start.
#include "document/TavixDoc.h"
#include "platform/ui/dialogs/PropSheet.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Profile.h"
#include "platform/host/HeadlessHost.h"
#include "platform/ui/dialogs/CommonDlg.h"
#include "platform/ui/framework/AppIds.h"
#include "platform/ui/framework/DocTemplate.h"
#include "platform/ui/framework/Frame.h"
#include "platform/ui/framework/MenuTypes.h"
#include "resources/Resources.h"
#include "resources/resource.h"
#include "shell/CloseAllDlg.h"
#include "shell/EditorApp.h"
#include "shell/MainFrame.h"
#include "shell/SettingsFile.h"
#include "view/TavixView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

const CString kFixtures = CString(TAVIX_SOURCE_DIR) + L"/tests/fixtures/";

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/shellprogXXXXXX";
        m_dir = ::mkdtemp(tmpl);
        ::setenv("XDG_CONFIG_HOME", m_dir.c_str(), 1);
        AfxGetProfileStore().SetPath(CString((m_dir + "/profile.ini").c_str()));
        g_nLanguage = 0;
        g_wHardwareCode = 0x5188;
        g_bShowPropertiesAtNew = 1;
    }
    void TearDown() override
    {
        Stop();
        g_nLanguage = 0;
        SetResourceLanguage(kLangIdEnglish);
        const std::string cmd = "rm -rf '" + m_dir + "'";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
    }

    CEditorApp& Start(const std::vector<CString>& args = {})
    {
        m_app = std::make_unique<CEditorApp>();
        m_app->SetCommandLineArgs(args);
        EXPECT_TRUE(m_app->InitInstance());
        m_drv.Pump();
        return *m_app;
    }
    void Stop()
    {
        if (!m_app)
            return;
        if (CWnd* main = m_app->m_pMainWnd; main && ::IsWindow(main->m_hWnd)) {
            m_app->CloseAllDocuments(TRUE);
            main->DestroyWindow();
        }
        m_drv.Pump();
        m_app.reset();
    }
    CMainFrame* Frame() const { return dynamic_cast<CMainFrame*>(m_app->m_pMainWnd); }
    void Command(UINT id)
    {
        Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0);
        m_drv.Pump();
    }
    // File New opens the program's properties ("Show at new file"); the step closes them.
    void CancelPropertiesAtNew(const wchar_t* caption)
    {
        m_drv.Host().QueueIdleStep([caption] {
            HWND sheet = ::GetActiveWindow();
            wchar_t text[32] = {};
            ::GetWindowTextW(sheet, text, 31);
            EXPECT_STREQ(text, caption);
            ::SendMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
        });
    }
    int DocumentCount() const { return m_app->GetOpenDocumentCount(); }
    CString TopMenuCaption(int pos) const
    {
        wchar_t buf[64] = {};
        ::GetMenuStringW(::GetMenu(Frame()->m_hWnd), UINT(pos), buf, 63, MF_BYPOSITION);
        return buf;
    }
    CString Temp(const char* name) const { return CString((m_dir + "/" + name).c_str()); }

    CHeadlessDriver m_drv;
    std::unique_ptr<CEditorApp> m_app;
    std::string m_dir;
};

TEST_F(ProgramTest, NewProgramsPaletteAndLog)
{
    Start();
    ASSERT_NE(Frame(), nullptr);
    EXPECT_TRUE(Frame()->IsWindowVisible());
    EXPECT_EQ(TopMenuCaption(0), CString(L"&File"));
    EXPECT_EQ(DocumentCount(), 0);

    CancelPropertiesAtNew(L"Properties");
    Command(57600);
    ASSERT_EQ(DocumentCount(), 1);
    ASSERT_NE(Frame()->GetActiveDiagramDocument(), nullptr);
    EXPECT_EQ(Frame()->GetActiveDiagramDocument()->m_nDocKind, 1);
    // "Select hardware" leaves the menus of a program.
    EXPECT_EQ(::GetMenuState(::GetMenu(Frame()->m_hWnd), ID_FILE_SELECT_HARDWARE, MF_BYCOMMAND), UINT(-1));

    g_wHardwareCode = 0x1188;
    CancelPropertiesAtNew(L"Properties");
    Command(ID_FILE_NEW_LAD);
    ASSERT_EQ(DocumentCount(), 2);
    EXPECT_EQ(Frame()->GetActiveDiagramDocument()->m_nDocKind, 2);
    EXPECT_EQ(g_wHardwareCode, 0x5188);            // New starts from the default model
    EXPECT_EQ(CMainFrame::TakePendingDocKind(), 1);  // and the next New is a function block diagram

    // The BSC tab of a ladder program offers AND(Edge) in its first cell.
    CView* bsc = Frame()->WorkBox().GetView(0);
    ASSERT_NE(bsc, nullptr);
    m_drv.Click(CHeadlessDriver::At(bsc->m_hWnd, POINT{20, 30}));
    m_drv.Pump();
    EXPECT_EQ(Frame()->m_nPaletteTool, 1);
    EXPECT_EQ(Frame()->m_nPaletteBlockType, 301);
    // A click between cells chooses nothing new.
    m_drv.Click(CHeadlessDriver::At(bsc->m_hWnd, POINT{20, 55}));
    m_drv.Pump();
    EXPECT_EQ(Frame()->m_nPaletteBlockType, 301);

    // Picking the TMR tab shows its view alone and takes the tool back.
    CTabCtrl& tabs = Frame()->WorkBox().GetTabCtrl();
    CRect tab;
    ASSERT_TRUE(tabs.GetItemRect(1, &tab));
    m_drv.Click(CHeadlessDriver::At(tabs.m_hWnd, tab.CenterPoint()));
    m_drv.Pump();
    EXPECT_EQ(Frame()->WorkBox().GetActiveView(), Frame()->WorkBox().GetView(1));
    EXPECT_TRUE(Frame()->WorkBox().GetView(1)->IsWindowVisible());
    EXPECT_FALSE(bsc->IsWindowVisible());
    EXPECT_EQ(Frame()->m_nPaletteTool, 0);
    EXPECT_EQ(Frame()->m_nPaletteBlockType, 0);

    // The Information Window docks at the bottom with its log filling it.
    Frame()->ToggleInfoWindow();
    m_drv.Pump();
    CInfoWindowBar& info = Frame()->InfoWindow();
    ASSERT_TRUE(info.IsWindowVisible());
    EXPECT_TRUE(info.IsDockedHorizontally());
    CRect client, edit;
    info.GetClientRect(&client);
    info.m_wndEdit.GetWindowRect(&edit);
    info.ScreenToClient(&edit);
    EXPECT_EQ(edit, client);
    EXPECT_GT(client.Height(), 20);
    // Floated, it keeps its log filling it.
    Frame()->FloatControlBar(&info, CPoint(200, 200));
    m_drv.Pump();
    ASSERT_TRUE(info.IsSizingFloating());
    info.GetClientRect(&client);
    info.m_wndEdit.GetWindowRect(&edit);
    info.ScreenToClient(&edit);
    EXPECT_EQ(edit, client);
    EXPECT_GT(client.Height(), 20);
    Frame()->DockControlBar(&info, AFX_IDW_DOCKBAR_BOTTOM);
    m_drv.Pump();
    EXPECT_TRUE(info.IsDockedHorizontally());

    Frame()->Log(L"Link %d\n", 1);
    Frame()->Log(L"done\n");
    EXPECT_EQ(Frame()->InfoWindow().GetLogText(), CString(L"Link 1\r\ndone\r\n"));

    // A day of logging: the newest lines stay, the oldest go, whole lines at a time.
    CString filler;
    for (int i = 0; i < 1000; ++i)
        filler += L'x';
    for (int i = 0; i < 100; ++i)
        Frame()->Log(L"%d %s\n", i, LPCTSTR(filler));
    const CString log = Frame()->InfoWindow().GetLogText();
    EXPECT_LE(log.GetLength(), CInfoWindowBar::kMaxLogChars);
    EXPECT_EQ(log.Right(1005), CString(L"99 ") + filler + L"\r\n");
    EXPECT_NE(log.Left(1).SpanIncluding(L"0123456789"), CString());
    EXPECT_EQ(log.Find(L"Link 1"), -1);

    // Toolbar tips: the transfer buttons show their whole string, also in the status bar; the
    // others the part after the line feed.
    struct Tip { UINT id; const wchar_t* tip; bool status; };
    for (const Tip& t : {Tip{ID_TRANSFER_PC_TO_DEVICE, L"PC->Device\tCtrl+D", true},
                         Tip{ID_TRANSFER_DEVICE_TO_PC, L"Device->PC\tCtrl+U", true}, Tip{57600, L"New", false}}) {
        Frame()->StatusBar().SetPaneText(0, L"");
        EXPECT_EQ(Frame()->ToolBar().GetTipText(t.id), CString(t.tip));
        EXPECT_EQ(Frame()->StatusBar().GetPaneText(0), CString(t.status ? t.tip : L""));
    }

    // Device commands are queued for the transfer engine.
    Command(ID_TRANSFER_CLOCK);
    ASSERT_EQ(Frame()->PendingDeviceOperations().size(), 1u);
    EXPECT_EQ(Frame()->TakeDeviceOperation(), 18);
}

// A program opened at start shows the diagram's scroll bars at once, without any resize: the
// strips the bars take are drawn as bars (arrow boxes and thumb), not left blank.
TEST_F(ProgramTest, TheDiagramsScrollBarsShowRightAfterStart)
{
    Start({kFixtures + L"program_fbd.yfb"});
    CTavixView* view = Frame()->GetActiveDiagramView();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->GetStyle() & (WS_VSCROLL | WS_HSCROLL), DWORD(WS_VSCROLL | WS_HSCROLL));
    CRect top, client;
    Frame()->GetWindowRect(&top);
    view->GetClientRect(&client);
    view->ClientToScreen(&client);
    client.OffsetRect(-top.left, -top.top);  // in the main window's picture
    const int cx = ::GetSystemMetrics(SM_CXVSCROLL), cy = ::GetSystemMetrics(SM_CYHSCROLL);
    const HWND main = Frame()->GetSafeHwnd();
    const RECT vert{client.right, client.top, client.right + cx, client.bottom};
    const RECT horz{client.left, client.bottom, client.right, client.bottom + cy};
    for (const RECT& r : {vert, horz}) {
        EXPECT_GT(m_drv.DistinctColours(main, r), 2);
        EXPECT_NE(m_drv.Pixel(main, r.left + 2, r.top + 2), RGB(255, 255, 255));
        EXPECT_NE(m_drv.Pixel(main, (r.left + r.right) / 2, (r.top + r.bottom) / 2), RGB(255, 255, 255));
    }
    EXPECT_EQ(m_drv.Pixel(main, client.right + cx / 2, client.bottom + cy / 2), ::GetSysColor(COLOR_3DFACE));
}

TEST_F(ProgramTest, AModelChangeTakesBackAToolTheModelHasNot)
{
    Start();
    CancelPropertiesAtNew(L"Properties");
    Command(57600);
    CTavixDoc* doc = Frame()->GetActiveDiagramDocument();
    CTavixView* view = Frame()->GetActiveDiagramView();
    ASSERT_NE(doc, nullptr);
    ASSERT_NE(view, nullptr);
    doc->m_nHardwareCode = 0x5288;

    // A WiFi block of the 0x52 family is the tool in hand; the Hardware page moves the program
    // to V2.XX, which has no WiFi blocks.
    for (bool move : {false, true}) {
        Frame()->SendMessage(WM_PALETTE_TOOL, 1, 824);
        ASSERT_EQ(view->m_nEditMode, 1);
        m_drv.Host().QueueIdleStep([move] {
            auto* sheet = dynamic_cast<CPropertySheet*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
            ASSERT_NE(sheet, nullptr);
            HWND tree = ::GetDlgItem(sheet->GetActivePage()->m_hWnd, IDC_PP_HW_TREE);
            if (move) {
                LPARAM root = ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
                LPARAM v2 = ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, root);
                ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, v2);
            }
            sheet->PressButton(PSBTN_OK);
        });
        Command(ID_FILE_SELECT_HARDWARE);
        EXPECT_EQ(doc->m_nHardwareCode, move ? 0x5188 : 0x5288);
        // The same model keeps the tool; another one returns the view to selection.
        EXPECT_EQ(view->m_nEditMode, move ? 0 : 1) << move;
    }
}

TEST_F(ProgramTest, DroppedFilesAndTheRecentFileListOpenPrograms)
{
    Start();
    // Files dropped anywhere on the main window (here its MDI client) open as programs.
    CStringArray dropped;
    dropped.Add(kFixtures + L"program_fbd.yfb");
    dropped.Add(kFixtures + L"program_ladder.yld");
    AfxDropFiles(Frame()->m_hWndMDIClient, dropped);
    m_drv.Pump();
    ASSERT_EQ(DocumentCount(), 2);
    EXPECT_TRUE(Frame()->GetActiveDiagramDocument()->IsLadder());

    // The recent-file list holds both, newest first; its first entry opens the ladder again.
    m_app->CloseAllDocuments(FALSE);
    m_drv.Pump();
    ASSERT_EQ(DocumentCount(), 0);
    Command(ID_FILE_MRU_FILE1);
    ASSERT_EQ(DocumentCount(), 1);
    ASSERT_NE(Frame()->GetActiveDiagramDocument(), nullptr);
    EXPECT_EQ(Frame()->GetActiveDiagramDocument()->GetPathName(), kFixtures + L"program_ladder.yld");
    Command(ID_FILE_MRU_FILE1 + 1);
    EXPECT_EQ(DocumentCount(), 2);
}

TEST_F(ProgramTest, OpenSaveAndCloseAll)
{
    Start({kFixtures + L"program_fbd.yfb"});
    ASSERT_EQ(DocumentCount(), 1);

    // Open with a text file among the programs: the text file is refused, the program opens.
    CCommonDlgScript dialogs;
    dialogs.QueueFiles({std::wstring(LPCTSTR(kFixtures + L"program_ladder.yld")), L"/tmp/notes.txt"});
    m_drv.Host().ClearMessageBoxes();
    Command(57601);
    EXPECT_EQ(DocumentCount(), 2);
    ASSERT_EQ(m_drv.Host().MessageBoxes().size(), 1u);
    EXPECT_NE(m_drv.Host().MessageBoxes()[0].text.find(L"Can't load this type of file .txt"), std::wstring::npos);
    CTavixDoc* ladder = Frame()->GetActiveDiagramDocument();
    ASSERT_NE(ladder, nullptr);
    EXPECT_TRUE(ladder->IsLadder());

    // Save As offers the ladder's extension and writes the file.
    const CString saved = Temp("copy.yld");
    dialogs.QueueFiles({std::wstring(LPCTSTR(saved))});
    Command(57604);
    EXPECT_TRUE(PathFileExistsW(saved));
    ASSERT_FALSE(dialogs.Queries().empty());
    EXPECT_EQ(dialogs.Queries().back().defExt, L"yld");

    // A file that cannot be read says why and opens nothing.
    m_drv.Host().ClearMessageBoxes();
    EXPECT_EQ(m_app->OpenDocumentFile(Temp("missing.yfb")), nullptr);
    EXPECT_EQ(DocumentCount(), 2);
    EXPECT_FALSE(m_drv.Host().MessageBoxes().empty());

    // Page Setup: the printer settings stay with the program, the margins reach every program.
    ASSERT_TRUE(m_app->IsLandscape());
    dialogs.Queue([](CommonDlgQuery& q) {
        q.margins = RECT{1000, 1500, 2000, 2500};
        q.orientation = 1;
        return true;
    });
    Command(57605);
    EXPECT_FALSE(m_app->IsLandscape());
    POSITION pos = m_app->m_pFbdTemplate->GetFirstDocPosition();
    while (pos) {
        auto* doc = dynamic_cast<CTavixDoc*>(m_app->m_pFbdTemplate->GetNextDoc(pos));
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(doc->m_rcPageMargins, CRect(1000, 1500, 2000, 2500));
        EXPECT_EQ(doc->m_rcPrintMargins, CRect(1000, 1500, 2000, 2500));
    }

    // Close All: Cancel keeps everything; OK with nothing checked closes without saving.
    pos = m_app->m_pFbdTemplate->GetFirstDocPosition();
    while (pos)
        m_app->m_pFbdTemplate->GetNextDoc(pos)->SetModifiedFlag(TRUE);
    m_drv.Host().QueueIdleStep([] { ::SendMessageW(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(m_app->SaveAllModified());
    // "Select all documents to save" checks every row; Cancel still keeps everything.
    m_drv.Host().QueueIdleStep([] {
        HWND dlg = ::GetActiveWindow();
        ::SendMessageW(::GetDlgItem(dlg, IDC_CLOSEALL_SELECT_ALL), BM_CLICK, 0, 0);
        auto* closeAll = dynamic_cast<CCloseAllDlg*>(CWnd::FromHandlePermanent(dlg));
        ASSERT_NE(closeAll, nullptr);
        ASSERT_EQ(closeAll->GetCount(), 2);
        for (int row = 0; row < 2; ++row) {
            EXPECT_EQ(closeAll->m_list.GetCheckbox(row, 0), 1);
            EXPECT_TRUE(closeAll->GetSaveFlag(row));
        }
        ::SendMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(m_app->SaveAllModified());
    m_drv.Host().QueueIdleStep([] {
        HWND dlg = ::GetActiveWindow();
        wchar_t caption[32] = {};
        ::GetWindowTextW(dlg, caption, 31);
        EXPECT_STREQ(caption, L"Close All");
        ::SendMessageW(dlg, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(m_app->SaveAllModified());
    pos = m_app->m_pFbdTemplate->GetFirstDocPosition();
    while (pos)
        EXPECT_FALSE(m_app->m_pFbdTemplate->GetNextDoc(pos)->IsModified());
    // With nothing modified the program closes without asking.
    EXPECT_TRUE(m_app->SaveAllModified());

    // A checked row is saved (after the usual question), the unchecked one closes unsaved.
    std::vector<CDocument*> docs;
    for (pos = m_app->m_pFbdTemplate->GetFirstDocPosition(); pos;)
        docs.push_back(m_app->m_pFbdTemplate->GetNextDoc(pos));
    ASSERT_EQ(docs.size(), 2u);
    ASSERT_EQ(docs[1]->GetPathName(), saved);
    for (CDocument* doc : docs)
        doc->SetModifiedFlag(TRUE);
    ASSERT_EQ(::unlink(ToNativePath(saved).c_str()), 0);
    m_drv.Host().QueueIdleStep([this] {
        HWND list = ::GetDlgItem(::GetActiveWindow(), IDC_CLOSEALL_LIST);
        RECT cell{LVIR_BOUNDS, 0, 0, 0};  // row 1, column 0: the save box
        ASSERT_TRUE(::SendMessageW(list, LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&cell)));
        m_drv.Click(CHeadlessDriver::At(list, POINT{cell.left + 6, (cell.top + cell.bottom) / 2}));
    });
    m_drv.Host().QueueIdleStep([] { ::SendMessageW(::GetActiveWindow(), WM_COMMAND, IDOK, 0); });
    m_drv.Host().QueueMessageBoxAnswer(IDYES);
    EXPECT_TRUE(m_app->SaveAllModified());
    EXPECT_TRUE(PathFileExistsW(saved));
    EXPECT_FALSE(docs[0]->IsModified());
    EXPECT_FALSE(docs[1]->IsModified());
}

TEST_F(ProgramTest, CloseAllKeepsTheUncheckedChangesUntilEverySaveWentThrough)
{
    // Copies, so that nothing is written over the fixtures.
    const CString fbd = Temp("a.yfb"), ladder = Temp("b.yld");
    ASSERT_TRUE(::CopyFileW(kFixtures + L"program_fbd.yfb", fbd, FALSE));
    ASSERT_TRUE(::CopyFileW(kFixtures + L"program_ladder.yld", ladder, FALSE));
    Start({fbd});
    ASSERT_NE(m_app->OpenDocumentFile(ladder), nullptr);
    std::vector<CDocument*> docs;
    for (POSITION pos = m_app->m_pFbdTemplate->GetFirstDocPosition(); pos;)
        docs.push_back(m_app->m_pFbdTemplate->GetNextDoc(pos));
    ASSERT_EQ(docs.size(), 2u);

    // The first program is checked, the second not; the first's save question is cancelled, or
    // its save fails (its folder is gone). Either way the program keeps running and the
    // unchecked program still has its changes, so closing it later asks again.
    struct Case { int answer; bool failingPath; };
    for (const Case& c : {Case{IDCANCEL, false}, Case{IDYES, true}}) {
        if (c.failingPath)
            docs[0]->SetPathName(Temp("gone/a.yfb"), FALSE);
        for (CDocument* doc : docs)
            doc->SetModifiedFlag(TRUE);
        m_drv.Host().QueueIdleStep([this] {
            HWND list = ::GetDlgItem(::GetActiveWindow(), IDC_CLOSEALL_LIST);
            RECT cell{LVIR_BOUNDS, 0, 0, 0};  // row 0, column 0: the save box
            ASSERT_TRUE(::SendMessageW(list, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell)));
            m_drv.Click(CHeadlessDriver::At(list, POINT{cell.left + 6, (cell.top + cell.bottom) / 2}));
        });
        m_drv.Host().QueueIdleStep([] { ::SendMessageW(::GetActiveWindow(), WM_COMMAND, IDOK, 0); });
        m_drv.Host().QueueMessageBoxAnswer(c.answer);
        m_drv.Host().ClearMessageBoxes();
        EXPECT_FALSE(m_app->SaveAllModified()) << c.answer;
        EXPECT_TRUE(docs[0]->IsModified()) << c.answer;
        EXPECT_TRUE(docs[1]->IsModified()) << c.answer;
        // The question, and for the failed save its report.
        EXPECT_EQ(m_drv.Host().MessageBoxes().size(), c.failingPath ? 2u : 1u);
    }
    EXPECT_FALSE(PathFileExistsW(Temp("gone/a.yfb")));
}

TEST_F(ProgramTest, LanguageChangeTakesEffectAtTheNextStart)
{
    Start();
    m_drv.Host().QueueIdleStep([] {
        HWND dlg = ::GetActiveWindow();
        ::SendMessageW(::GetDlgItem(dlg, IDC_LANGUAGE_COMBO), CB_SETCURSEL, 1, 0);
        ::SendMessageW(dlg, WM_COMMAND, IDOK, 0);
    });
    m_drv.Host().ClearMessageBoxes();
    Command(ID_OPTIONS_LANGUAGE);
    ASSERT_EQ(m_drv.Host().MessageBoxes().size(), 1u);
    EXPECT_EQ(m_drv.Host().MessageBoxes()[0].text, L"Chages are not applied until restart of the progam.");
    EXPECT_EQ(g_nLanguage, 0);  // this run stays English
    EXPECT_EQ(TopMenuCaption(0), CString(L"&File"));
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(GetSettingsFilePath(), bytes));
    EXPECT_EQ(ParseLanguageSetting(bytes), 1);

    Stop();
    Start();
    EXPECT_EQ(g_nLanguage, 1);
    EXPECT_EQ(TopMenuCaption(0), CString(L"文件(&F)"));
    CancelPropertiesAtNew(L"属性");
    Command(57600);
    // The maximized program window's system menu takes position 0.
    EXPECT_STREQ(LPCTSTR(TopMenuCaption(1)), L"文件(&F)");
    EXPECT_STREQ(LPCTSTR(TopMenuCaption(2)), L"编辑(&E)");
}

TEST_F(ProgramTest, ADamagedSettingsFileSaysInWhichLanguageTheEditorStartsAndIsKept)
{
    // Three stray bytes start in English; a file naming Chinese without its key starts in
    // Chinese, and its message says so (in Chinese).
    struct Case { std::vector<std::uint8_t> bytes; int language; const wchar_t* says; };
    const Case cases[] = {
        {{0x01, 0x02, 0x03}, 0, L"starts in English"},
        {EncodeUtf16Le(L"zh_CN"), 1, L"中文启动"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteWholeFile(GetSettingsFilePath(), c.bytes));
        m_drv.Host().ClearMessageBoxes();
        Start();
        EXPECT_EQ(g_nLanguage, c.language);
        ASSERT_EQ(m_drv.Host().MessageBoxes().size(), 1u);
        const std::wstring& text = m_drv.Host().MessageBoxes()[0].text;
        EXPECT_NE(text.find(c.says), std::wstring::npos) << text;
        EXPECT_NE(text.find(LPCTSTR(GetSettingsFilePath())), std::wstring::npos) << text;
        std::vector<std::uint8_t> now;
        ASSERT_TRUE(ReadWholeFile(GetSettingsFilePath(), now));
        EXPECT_EQ(now, c.bytes);
        Stop();
        g_nLanguage = 0;
        SetResourceLanguage(kLangIdEnglish);
    }
}

} // namespace
