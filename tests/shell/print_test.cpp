// Printing a program through the editor's commands, headless: the page layout dialog, the print
// setup dialog, the PDF the job writes and the print preview of the same pages.
#include "document/TavixDoc.h"
#include "tests/support/BesideTheTests.h"
#include "elements/BlockObj.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Profile.h"
#include "platform/host/HeadlessHost.h"
#include "platform/ui/dialogs/CommonDlg.h"
#include "platform/ui/framework/AppIds.h"
#include "platform/ui/framework/PrintPreview.h"
#include "resources/Resources.h"
#include "resources/resource.h"
#include "shell/EditorApp.h"
#include "shell/MainFrame.h"
#include "view/PageLayoutDlg.h"
#include "view/PrintSetupDlg.h"
#include "view/TavixView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <regex>
#include <set>
#include <string>

#include <unistd.h>

namespace {

const CString kFixtures = CString(TAVIX_SOURCE_DIR) + L"/tests/fixtures/";

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The page objects of a PDF file ("/Type /Page", not "/Pages") and the size of the first one.
int PdfPageCount(const std::string& pdf)
{
    static const std::regex page("/Type\\s*/Page[^s]");
    return int(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}
bool PdfIsLandscape(const std::string& pdf)
{
    std::smatch m;
    static const std::regex box("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)");
    return std::regex_search(pdf, m, box) && std::stod(m[1]) > std::stod(m[2]);
}

int EntriesIn(const std::string& folder)
{
    int n = 0;
    if (DIR* d = ::opendir(folder.c_str())) {
        while (dirent* e = ::readdir(d))
            n += std::string(e->d_name) != "." && std::string(e->d_name) != "..";
        ::closedir(d);
    }
    return n;
}

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/shellprintXXXXXX";
        m_dir = ::mkdtemp(tmpl);
        ::setenv("XDG_CONFIG_HOME", m_dir.c_str(), 1);
        ::setenv("TMPDIR", m_dir.c_str(), 1);
        AfxGetProfileStore().SetPath(CString((m_dir + "/profile.ini").c_str()));
        g_nLanguage = 0;
        g_wHardwareCode = 0x5188;
        g_bShowPropertiesAtNew = 1;
        // Printing must leave the current folder alone: the test runs in an empty one.
        ASSERT_NE(::getcwd(m_cwd, sizeof m_cwd), nullptr);
        ::mkdir((m_dir + "/cwd").c_str(), 0700);
        ASSERT_EQ(::chdir((m_dir + "/cwd").c_str()), 0);
        m_app = std::make_unique<CEditorApp>();
        ASSERT_TRUE(m_app->InitInstance());
        m_drv.Pump();
    }
    void TearDown() override
    {
        if (CWnd* main = m_app->m_pMainWnd; main && ::IsWindow(main->m_hWnd)) {
            m_app->CloseAllDocuments(TRUE);
            main->DestroyWindow();
        }
        m_drv.Pump();
        m_app.reset();
        EXPECT_EQ(EntriesIn(m_dir + "/cwd"), 0) << "nothing is written into the current folder";
        EXPECT_EQ(::chdir(m_cwd), 0);
        ::unsetenv("TMPDIR");
        g_nLanguage = 0;
        SetResourceLanguage(kLangIdEnglish);
        const std::string cmd = "rm -rf '" + m_dir + "'";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
    }

    CMainFrame* Frame() const { return dynamic_cast<CMainFrame*>(m_app->m_pMainWnd); }
    CTavixView* Open(const wchar_t* fixture)
    {
        EXPECT_NE(m_app->OpenDocumentFile(kFixtures + fixture), nullptr);
        m_drv.Pump();
        return Frame()->GetActiveDiagramView();
    }
    void Command(UINT id)
    {
        Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0);
        m_drv.Pump();
    }
    // The next modal dialog, once it waits for input: the step acts on it.
    template <class Dlg>
    void OnDialog(std::function<void(Dlg&)> step)
    {
        m_drv.Host().QueueIdleStep([step] {
            auto* dlg = dynamic_cast<Dlg*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
            ASSERT_NE(dlg, nullptr);
            step(*dlg);
        });
    }
    static void Press(CWnd& dlg, int id) { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    static void Type(CWnd& dlg, int id, const wchar_t* text)
    {
        ::SetWindowTextW(::GetDlgItem(dlg.m_hWnd, id), text);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, EN_UPDATE), LPARAM(::GetDlgItem(dlg.m_hWnd, id)));
    }
    static CString Text(CWnd& dlg, int id)
    {
        wchar_t buf[64] = {};
        ::GetWindowTextW(::GetDlgItem(dlg.m_hWnd, id), buf, 63);
        return buf;
    }
    // Sets the page layout through View > Page Layout.
    void Layout(int across, int down)
    {
        OnDialog<CPageLayoutDlg>([across, down](CPageLayoutDlg& d) {
            Type(d, IDC_PL_ACROSS, std::to_wstring(across).c_str());
            Type(d, IDC_PL_DOWN, std::to_wstring(down).c_str());
            Press(d, IDOK);
        });
        Command(ID_VIEW_PAGE_LAYOUT);
    }
    std::string Temp(const char* name) const { return m_dir + "/" + name; }

    CHeadlessDriver m_drv;
    std::unique_ptr<CEditorApp> m_app;
    std::string m_dir;
    char m_cwd[4096] = {};
};

TEST_F(PrintTest, ThePdfHasThePagesOfTheLayoutAndThePreviewShowsThem)
{
    CTavixView* view = Open(L"program_fbd.yfb");
    ASSERT_NE(view, nullptr);
    CTavixDoc* doc = view->GetDocument();
    Layout(3, 2);
    EXPECT_EQ(doc->m_rcExtent, CRect(0, 0, doc->m_nPageWidth * 3, doc->m_nPageHeight * 2));
    EXPECT_TRUE(doc->IsModified());
    // One block goes to the bottom-right page, the others stay where they are.
    auto* moved = static_cast<CBlockObj*>(doc->m_blocks.GetHead());
    moved->m_ptOrigin = CPoint(doc->m_nPageWidth * 2 + 100, doc->m_nPageHeight + 100);
    doc->m_fZoom = 2.0f;
    view->m_selBlocks.AddTail(moved);
    moved->m_bSelected = TRUE;

    // The first Print asks for the print setup; the print dialog chooses the file.
    CCommonDlgScript dialogs;
    const std::string pdf = Temp("program.pdf");
    dialogs.Queue([&](CommonDlgQuery& q) {
        EXPECT_EQ(q.maxPage, 6);
        q.printToFile = true;
        q.outputFile = FromUtf8(pdf).GetString();
        return true;
    });
    bool asked = false;
    OnDialog<CPrintSetupDlg>([&](CPrintSetupDlg& d) {
        asked = true;
        Press(d, IDOK);
    });
    Command(ID_FILE_PRINT);
    EXPECT_TRUE(asked);
    EXPECT_EQ(PdfPageCount(ReadAll(pdf)), 6);
    EXPECT_TRUE(PdfIsLandscape(ReadAll(pdf)));
    EXPECT_FLOAT_EQ(view->GetZoom(), 1.0f);
    EXPECT_TRUE(view->m_selBlocks.IsEmpty());
    EXPECT_FALSE(moved->m_bSelected);

    // The preview: six pages; the pages without content are blank, the others are not.
    OnDialog<CPrintSetupDlg>([](CPrintSetupDlg& d) { Press(d, IDOK); });
    Command(ID_FILE_PRINT_PREVIEW);
    CPreviewView* preview = CPreviewView::GetActive();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetPageCount(), 6u);
    std::vector<bool> inked;
    for (UINT page = 1; page <= 6; ++page) {
        preview->SetCurrentPage(page);
        // The page as the preview window copies it.
        CDC* dc = preview->GetPageDC();
        const int w = dc->GetDeviceCaps(HORZRES), h = dc->GetDeviceCaps(VERTRES);
        CDC copy;
        ASSERT_TRUE(copy.CreateForImage(w, h));
        copy.BitBlt(0, 0, w, h, dc, 0, 0, SRCCOPY);
        bool ink = false;
        for (int y = 0; y < h && !ink; y += 2)
            for (int x = 0; x < w && !ink; x += 2)
                ink = copy.GetPixel(x, y) != RGB(255, 255, 255);
        inked.push_back(ink);
    }
    EXPECT_TRUE(inked[0]);
    EXPECT_TRUE(inked[5]) << "the moved block shows on the last page";
    EXPECT_FALSE(inked[1] || inked[3]) << "pages without elements stay blank";
    preview->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    m_drv.Pump();
    EXPECT_EQ(CPreviewView::GetActive(), nullptr);

    // After a confirmed preview the next Print asks nothing; the one after asks again.
    const std::string second = Temp("second.pdf");
    dialogs.Queue([&](CommonDlgQuery& q) {
        q.outputFile = FromUtf8(second).GetString();
        return true;
    });
    Command(ID_FILE_PRINT);
    EXPECT_EQ(PdfPageCount(ReadAll(second)), 6);
    asked = false;
    OnDialog<CPrintSetupDlg>([&](CPrintSetupDlg& d) {
        asked = true;
        Press(d, IDCANCEL);
    });
    Command(ID_FILE_PRINT);
    EXPECT_TRUE(asked);
    EXPECT_EQ(dialogs.Queries().size(), 2u) << "a cancelled setup prints nothing";
}

TEST_F(PrintTest, PageLayoutKeepsItsLimitsAndTheContentInside)
{
    CTavixView* view = Open(L"program_fbd.yfb");
    ASSERT_NE(view, nullptr);
    CTavixDoc* doc = view->GetDocument();
    // Typing clamps each count to 1..100; more than 100 pages in all are refused.
    OnDialog<CPageLayoutDlg>([this](CPageLayoutDlg& d) {
        Type(d, IDC_PL_ACROSS, L"0");
        EXPECT_EQ(Text(d, IDC_PL_ACROSS), CString(L"1"));
        Type(d, IDC_PL_ACROSS, L"250");
        EXPECT_EQ(Text(d, IDC_PL_ACROSS), CString(L"100"));
        Type(d, IDC_PL_ACROSS, L"10");
        Type(d, IDC_PL_DOWN, L"11");
        Press(d, IDOK);
        EXPECT_TRUE(::IsWindow(d.m_hWnd)) << "10 x 11 stays open";
        ASSERT_EQ(m_drv.Host().MessageBoxes().size(), 1u);
        EXPECT_NE(m_drv.Host().MessageBoxes()[0].text.find(L"only values between 1 and 100"), std::wstring::npos);
        Type(d, IDC_PL_DOWN, L"10");
        Press(d, IDOK);
    });
    Command(ID_VIEW_PAGE_LAYOUT);
    EXPECT_EQ(doc->m_nPageLayout[0], 10);
    EXPECT_EQ(doc->m_nPageLayout[1], 10);

    // Fewer pages down while an element touches the new bottom edge: refused, nothing changes.
    auto* block = static_cast<CBlockObj*>(doc->m_blocks.GetHead());
    block->m_ptOrigin.y = doc->m_nPageHeight * 2 - block->m_nHeight;
    EXPECT_EQ(CPageLayoutDlg::FindContentOutside(*doc, 10, 2), UINT(IDS_PAGE_LAYOUT_BLOCKS_OUTSIDE));
    EXPECT_EQ(CPageLayoutDlg::FindContentOutside(*doc, 10, 3), 0u);
    m_drv.Host().ClearMessageBoxes();
    Layout(10, 2);
    EXPECT_EQ(doc->m_nPageLayout[1], 10);
    ASSERT_EQ(m_drv.Host().MessageBoxes().size(), 1u);
    EXPECT_EQ(m_drv.Host().MessageBoxes()[0].caption, L"Page Size");
    Layout(2, 3);
    EXPECT_EQ(doc->m_nPageLayout[0], 2);
    EXPECT_EQ(doc->m_rcExtent, CRect(0, 0, doc->m_nPageWidth * 2, doc->m_nPageHeight * 3));
}

TEST_F(PrintTest, PrintSetupShowsWhatItReturns)
{
    CTavixView* view = Open(L"program_ladder.yld");
    ASSERT_NE(view, nullptr);
    CCommonDlgScript dialogs;
    const std::string pdf = Temp("portrait.pdf");
    dialogs.Queue([&](CommonDlgQuery& q) {
        q.outputFile = FromUtf8(pdf).GetString();
        return true;
    });
    OnDialog<CPrintSetupDlg>([this](CPrintSetupDlg& d) {
        // It opens on "Scale to page size" and A4, the factor disabled.
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_PS_SCALE_PAGE), 1u);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_PS_PAPER_A4), 1u);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_PS_FACTOR)));
        EXPECT_EQ(Text(d, IDC_PS_PRINTER_NAME), CString(L"PDF"));
        // Only the page scale and A4 are offered at first; choosing the page scale offers the papers.
        auto enabled = [&d](int id) { return ::IsWindowEnabled(::GetDlgItem(d.m_hWnd, id)) != FALSE; };
        for (int id : {IDC_PS_SCALE_PAPER, IDC_PS_SCALING, IDC_PS_PAPER_A2, IDC_PS_PAPER_A3})
            EXPECT_FALSE(enabled(id)) << id;
        EXPECT_TRUE(enabled(IDC_PS_SCALE_PAGE));
        EXPECT_TRUE(enabled(IDC_PS_PAPER_A4));
        Press(d, IDC_PS_VERTICAL);
        EXPECT_FALSE(enabled(IDC_PS_PAPER_A3));
        Press(d, IDC_PS_SCALE_PAGE);
        EXPECT_TRUE(enabled(IDC_PS_PAPER_A2));
        EXPECT_TRUE(enabled(IDC_PS_PAPER_A3));
        // A3, then a scale mode that shows A4: the dialog returns A4 too.
        Press(d, IDC_PS_PAPER_A3);
        EXPECT_EQ(d.m_nPaper, int(CPrintSetupDlg::paperA3));
        Press(d, IDC_PS_SCALING);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_PS_PAPER_A4), 1u);
        EXPECT_EQ(d.m_nPaper, int(CPrintSetupDlg::paperA4));
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_PS_FACTOR)));
        // A factor outside 0.0..2.0 keeps the dialog open.
        ::SetWindowTextW(::GetDlgItem(d.m_hWnd, IDC_PS_FACTOR), L"2.5");
        Press(d, IDOK);
        EXPECT_TRUE(::IsWindow(d.m_hWnd));
        ::SetWindowTextW(::GetDlgItem(d.m_hWnd, IDC_PS_FACTOR), L"1.5");
        Press(d, IDC_PS_VERTICAL);
        Press(d, IDOK);
    });
    Command(ID_FILE_PRINT);
    EXPECT_EQ(view->m_printSettings.nScaleMode, int(CPrintSetupDlg::scaleByFactor));
    EXPECT_DOUBLE_EQ(view->m_printSettings.dScale, 1.5);
    EXPECT_EQ(view->m_printSettings.nOrientation, 0);
    EXPECT_FALSE(m_app->IsLandscape());
    const std::string bytes = ReadAll(pdf);
    EXPECT_EQ(PdfPageCount(bytes), view->GetDocument()->m_nPageLayout[0] * view->GetDocument()->m_nPageLayout[1]);
    EXPECT_FALSE(PdfIsLandscape(bytes));
}

TEST_F(PrintTest, ScreenshotsOfThePageLayoutAndThePreviewInBothLanguages)
{
    for (int language : {0, 1}) {
        g_nLanguage = language;
        SetResourceLanguage(language == 1 ? kLangIdChinese : kLangIdEnglish);
        const std::string suffix = language ? "_zh.png" : "_en.png";
        CTavixView* view = Open(L"program_fbd.yfb");
        ASSERT_NE(view, nullptr);
        OnDialog<CPageLayoutDlg>([&](CPageLayoutDlg& d) {
            Type(d, IDC_PL_ACROSS, L"3");
            Type(d, IDC_PL_DOWN, L"2");
            m_drv.Pump();
            EXPECT_TRUE(m_drv.SaveScreenshot(d.m_hWnd, BesideTheTests("page_layout" + suffix)));
            Press(d, IDOK);
        });
        Command(ID_VIEW_PAGE_LAYOUT);
        OnDialog<CPrintSetupDlg>([&](CPrintSetupDlg& d) {
            m_drv.Pump();
            EXPECT_TRUE(m_drv.SaveScreenshot(d.m_hWnd, BesideTheTests("print_setup" + suffix)));
            Press(d, IDOK);
        });
        Command(ID_FILE_PRINT_PREVIEW);
        CPreviewView* preview = CPreviewView::GetActive();
        ASSERT_NE(preview, nullptr);
        m_drv.Pump();
        EXPECT_TRUE(m_drv.SaveScreenshot(preview->m_hWnd, BesideTheTests("print_preview" + suffix)));
        preview->ClosePreview();
        m_app->CloseAllDocuments(TRUE);
        m_drv.Pump();
    }
}

}  // namespace

namespace {

// The preview's buttons through clicks and keys on a program of one page: Prev and Next are off
// and show so, Esc (typed, to the window with the focus) closes it, Print prints what it showed.
TEST_F(PrintTest, ThePreviewOfOnePageOffersPrintAndClosesOnEscape)
{
    CTavixView* view = Open(L"program_fbd.yfb");
    ASSERT_NE(view, nullptr);
    Layout(1, 1);
    auto openPreview = [&]() -> CPreviewView* {
        OnDialog<CPrintSetupDlg>([](CPrintSetupDlg& d) { Press(d, IDOK); });
        Command(ID_FILE_PRINT_PREVIEW);
        return CPreviewView::GetActive();
    };
    CPreviewView* preview = openPreview();
    ASSERT_NE(preview, nullptr);
    ASSERT_EQ(preview->GetPageCount(), 1u);
    EXPECT_FALSE(preview->IsButtonEnabled(CPreviewView::kPrev));
    EXPECT_FALSE(preview->IsButtonEnabled(CPreviewView::kNext));
    EXPECT_TRUE(preview->IsButtonEnabled(CPreviewView::kPrint));
    EXPECT_TRUE(preview->IsButtonEnabled(CPreviewView::kClose));
    // A disabled button's text is grey; an enabled one's is the button text colour.
    auto textColours = [&](int button) {
        CRect b = preview->ButtonRect(button);
        std::set<COLORREF> seen;
        CPoint origin = CHeadlessDriver::At(preview->m_hWnd, CPoint(0, 0));
        CRect win;
        preview->GetWindowRect(&win);
        for (int y = b.top + 2; y < b.bottom - 2; ++y)
            for (int x = b.left + 2; x < b.right - 2; ++x)
                seen.insert(m_drv.Pixel(preview->m_hWnd, origin.x - win.left + x, origin.y - win.top + y));
        return seen;
    };
    m_drv.Pump();
    EXPECT_EQ(textColours(CPreviewView::kNext).count(::GetSysColor(COLOR_BTNTEXT)), 0u);
    EXPECT_EQ(textColours(CPreviewView::kNext).count(::GetSysColor(COLOR_GRAYTEXT)), 1u);
    EXPECT_EQ(textColours(CPreviewView::kPrint).count(::GetSysColor(COLOR_BTNTEXT)), 1u);
    m_drv.Click(CHeadlessDriver::At(preview->m_hWnd, preview->ButtonRect(CPreviewView::kNext).CenterPoint()));
    m_drv.Pump();
    ASSERT_EQ(CPreviewView::GetActive(), preview);
    EXPECT_EQ(preview->GetCurrentPage(), 1u);

    m_drv.Key(VK_ESCAPE);
    m_drv.Pump();
    EXPECT_EQ(CPreviewView::GetActive(), nullptr);

    // Print: the preview closes and the print job writes the page (the confirmed preview means
    // Print asks no setup).
    preview = openPreview();
    ASSERT_NE(preview, nullptr);
    CCommonDlgScript dialogs;
    const std::string pdf = Temp("from_preview.pdf");
    bool printed = false;
    dialogs.Queue([&](CommonDlgQuery& q) {
        printed = true;
        q.outputFile = FromUtf8(pdf).GetString();
        return true;
    });
    m_drv.Click(CHeadlessDriver::At(preview->m_hWnd, preview->ButtonRect(CPreviewView::kPrint).CenterPoint()));
    m_drv.Pump();
    EXPECT_EQ(CPreviewView::GetActive(), nullptr);
    EXPECT_TRUE(printed);
    EXPECT_EQ(PdfPageCount(ReadAll(pdf)), 1);
}

}  // namespace
