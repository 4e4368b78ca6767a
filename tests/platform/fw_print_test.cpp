// Printing a view: the print protocol's calls, pages written to a PDF file, a page range, no
// printer, and print preview rendering the same pages.
#include "fw_support.h"

#include "platform/ui/dialogs/CommonDlg.h"
#include "platform/ui/framework/PrintPreview.h"

#include "platform/base/FileSystem.h"

#include <cstdlib>
#include <regex>

#include <unistd.h>

using namespace fwdemo;

namespace fwtest {
namespace {

// Pages of a PDF file: its page objects ("/Type /Page" but not "/Pages").
int PdfPageCount(const std::string& pdf)
{
    static const std::regex page("/Type\\s*/Page[^s]");
    return int(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

class FwPrintTest : public FwTest {
protected:
    CDemoView* OpenView()
    {
        StartApp();
        CDocument* doc = app->m_pTextTemplate->OpenDocumentFile(nullptr);
        drv.Pump();
        POSITION pos = doc->GetFirstViewPosition();
        return static_cast<CDemoView*>(doc->GetNextView(pos));
    }
};

TEST_F(FwPrintTest, PrintWritesEveryPageToThePdf)
{
    CDemoView* view = OpenView();
    static CString output;
    output = TempPath("out.pdf");
    AfxSetPrintDialogHook([](HWND, CPrintInfo* info) -> BOOL {
        info->m_strOutput = output;
        return TRUE;
    });
    Command(ID_FILE_PRINT);
    EXPECT_EQ(view->m_printedPages, (std::vector<UINT>{1, 2, 3}));
    EXPECT_EQ(view->m_beginCount, 1);
    EXPECT_EQ(view->m_endCount, 1);
    std::string pdf = ReadFile(output);
    ASSERT_EQ(pdf.compare(0, 5, "%PDF-"), 0);
    EXPECT_EQ(PdfPageCount(pdf), 3);
}

TEST_F(FwPrintTest, ThePageRangeChosenLimitsThePages)
{
    CDemoView* view = OpenView();
    static CString output;
    output = TempPath("range.pdf");
    AfxSetPrintDialogHook([](HWND, CPrintInfo* info) -> BOOL {
        info->m_strOutput = output;
        info->m_nFromPage = 2;
        info->m_nToPage = 9;  // past the end: up to the last page
        return TRUE;
    });
    Command(ID_FILE_PRINT);
    EXPECT_EQ(view->m_printedPages, (std::vector<UINT>{2, 3}));
    EXPECT_EQ(PdfPageCount(ReadFile(output)), 2);
}

TEST_F(FwPrintTest, TheStandardPrintDialogChoosesRangeFileAndOrientation)
{
    CDemoView* view = OpenView();
    CCommonDlgScript script;
    std::wstring output(TempPath("std.pdf"));
    script.Queue([&](CommonDlgQuery& q) {
        EXPECT_EQ(q.kind, CommonDlgQuery::Print);
        EXPECT_EQ(q.maxPage, 3);
        EXPECT_EQ(q.deviceName, L"PDF");
        q.flags |= PD_PAGENUMS;
        q.fromPage = 3;
        q.toPage = 3;
        q.orientation = 2;
        q.printToFile = true;
        q.outputFile = output;
        return true;
    });
    Command(ID_FILE_PRINT);
    EXPECT_EQ(view->m_printedPages, (std::vector<UINT>{3}));
    EXPECT_EQ(PdfPageCount(ReadFile(TempPath("std.pdf"))), 1);
    EXPECT_EQ(app->GetDevMode()->dmOrientation, DMORIENT_LANDSCAPE) << "the choice is kept";
    // Cancel in the dialog ends the job.
    script.QueueCancel();
    view->m_printedPages.clear();
    Command(ID_FILE_PRINT);
    EXPECT_TRUE(view->m_printedPages.empty());
}

TEST_F(FwPrintTest, AFileIsReplacedOnlyWhenTheUserSaysSo)
{
    CDemoView* view = OpenView();
    static CString output;
    output = TempPath("kept.pdf");
    WriteFile(output, "the user's file");
    AfxSetPrintDialogHook([](HWND, CPrintInfo* info) -> BOOL {
        info->m_strOutput = output;
        return TRUE;
    });
    drv.Host().QueueMessageBoxAnswer(IDNO);
    Command(ID_FILE_PRINT);
    EXPECT_EQ(ReadFile(output), "the user's file");
    EXPECT_TRUE(view->m_printedPages.empty());
    ASSERT_EQ(drv.Host().MessageBoxes().size(), 1u);
    EXPECT_EQ(drv.Host().MessageBoxes()[0].type & MB_DEFMASK, UINT(MB_DEFBUTTON2)) << "No is the default";
    drv.Host().QueueMessageBoxAnswer(IDYES);
    Command(ID_FILE_PRINT);
    EXPECT_EQ(PdfPageCount(ReadFile(output)), 3);
}

TEST_F(FwPrintTest, PagesNeverGoToTheCurrentFolderNorOverAnUnchosenFile)
{
    static CString tmp;
    tmp = TempPath("");
    ::setenv("TMPDIR", ToUtf8(tmp).c_str(), 1);
    CDemoView* view = OpenView();
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    AfxSetPrintDialogHook([](HWND, CPrintInfo* info) -> BOOL {
        info->m_strOutput = L"bare.pdf";
        return TRUE;
    });
    Command(ID_FILE_PRINT);
    EXPECT_FALSE(::PathFileExistsW(CString(cwd) + L"/bare.pdf"));
    EXPECT_EQ(PdfPageCount(ReadFile(TempPath("bare.pdf"))), 3);
    // Without a chosen file the pages go to the temporary folder under a new name.
    AfxSetPrintDialogHook([](HWND, CPrintInfo*) -> BOOL { return TRUE; });
    const CString title = view->GetDocument()->GetTitle();
    WriteFile(TempPath(ToUtf8(title + L".pdf").c_str()), "older");
    Command(ID_FILE_PRINT);
    ::unsetenv("TMPDIR");
    EXPECT_EQ(ReadFile(TempPath(ToUtf8(title + L".pdf").c_str())), "older");
    EXPECT_EQ(PdfPageCount(ReadFile(TempPath(ToUtf8(title + L" (2).pdf").c_str()))), 3);
    EXPECT_TRUE(drv.Host().MessageBoxes().empty());
}

TEST_F(FwPrintTest, CancelledDialogPrintsNothing)
{
    CDemoView* view = OpenView();
    AfxSetPrintDialogHook([](HWND, CPrintInfo*) -> BOOL { return FALSE; });
    Command(ID_FILE_PRINT);
    EXPECT_TRUE(view->m_printedPages.empty());
    EXPECT_EQ(view->m_beginCount, 0);
}

TEST_F(FwPrintTest, WithoutAPrinterTheJobEndsWithAMessage)
{
    AfxSetDefaultPrinterName(L"");
    WCHAR device[80];
    ::GetProfileStringW(L"windows", L"device", L",,,", device, 80);
    EXPECT_EQ(CString(device), CString(L",,,"));
    CDemoView* view = OpenView();
    Command(ID_FILE_PRINT);
    Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_TRUE(view->m_printedPages.empty());
    EXPECT_EQ(drv.Host().MessageBoxes().size(), 2u);
    EXPECT_FALSE(app->GetPrinterDeviceDefaults());
}

TEST_F(FwPrintTest, DefaultPrinterSettingsAndProfileEntry)
{
    WCHAR device[80];
    ::GetProfileStringW(L"windows", L"device", L",,,", device, 80);
    EXPECT_EQ(CString(device), CString(L"PDF,pdf,FILE:"));
    StartApp();
    ASSERT_TRUE(app->GetPrinterDeviceDefaults());
    DEVMODE* dm = app->GetDevMode();
    ASSERT_NE(dm, nullptr);
    EXPECT_EQ(CString(dm->dmDeviceName), CString(L"PDF"));
    EXPECT_EQ(CString(dm->dmFormName), CString(L"A4"));
    EXPECT_EQ(dm->dmOrientation, DMORIENT_PORTRAIT);
    CSize portrait = AfxPrinterPageSize(*dm);
    dm->dmOrientation = DMORIENT_LANDSCAPE;
    CSize landscape = AfxPrinterPageSize(*dm);
    EXPECT_EQ(portrait.cx, landscape.cy);
    EXPECT_EQ(portrait, CSize(2480, 3507));
}

TEST_F(FwPrintTest, PreviewShowsThePagesAndEndsTheJob)
{
    CDemoView* view = OpenView();
    Command(ID_FILE_PRINT_PREVIEW);
    CPreviewView* preview = CPreviewView::GetActive();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetPageCount(), 3u);
    EXPECT_EQ(preview->GetCurrentPage(), 1u);
    EXPECT_EQ(view->m_printedPages, (std::vector<UINT>{1}));
    // The page image is no longer blank: the demo drew a rectangle on it.
    CDC* page = preview->GetPageDC();
    bool inked = false;
    for (int x = 15; x < 40 && !inked; ++x)
        inked = page->GetPixel(x, 30) != RGB(255, 255, 255);
    EXPECT_TRUE(inked);
    preview->SendMessage(WM_KEYDOWN, VK_NEXT, 0);
    preview->SendMessage(WM_KEYDOWN, VK_NEXT, 0);
    preview->SendMessage(WM_KEYDOWN, VK_NEXT, 0);  // stays on the last page
    EXPECT_EQ(preview->GetCurrentPage(), 3u);
    preview->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    drv.Pump();
    EXPECT_EQ(CPreviewView::GetActive(), nullptr);
    EXPECT_EQ(view->m_beginCount, 1);
    EXPECT_EQ(view->m_endCount, 1);
}

}  // namespace
}  // namespace fwtest
