// Printing the grid: how rows and columns fall on pages, the pages that reach the PDF file, and
// the bands at the top and bottom of each page.
#include "grid_test_support.h"

#include "controls/GridPageSplit.h"
#include "platform/gdi/DC.h"
#include "platform/ui/framework/Print.h"
#include "resources/Resources.h"
#include "resources/resource.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace gridtest {
namespace {

TEST(GridPageStarts, SplitsItemsIntoPages)
{
    struct Case {
        const char* what;
        std::vector<int> sizes;
        int first, room;
        std::vector<int> starts;
        std::vector<bool> keep = {};
    };
    const Case cases[] = {
        {"even rows", {20, 30, 30, 30, 30, 30, 30, 30}, 1, 90, {1, 4, 7}},
        {"room left over", {20, 30, 30, 30, 30, 30, 30, 30}, 1, 119, {1, 4, 7}},
        {"all on one page", {20, 30, 30}, 1, 60, {1}},
        {"mixed heights", {10, 40, 10, 30, 20}, 0, 50, {0, 2, 4}},
        {"a row taller than the page has its own", {5, 50, 5, 5}, 0, 20, {0, 1, 2}},
        {"hidden rows stay with the page before", {10, 10, 0, 0, 10}, 0, 20, {0, 4}},
        {"no room still makes progress", {10, 10, 10}, 0, 0, {0, 1, 2}},
        {"negative room", {10, 10}, 0, -40, {0, 1}},
        {"nothing left to print is one page", {20}, 1, 100, {1}},
        {"no items at all", {}, 0, 100, {0}},
        {"a wide character moves whole", {20, 20, 20, 20}, 0, 50, {0, 1, 3}, {false, false, true, false}},
        {"a wide character fits", {20, 20, 20, 20}, 0, 60, {0, 3}, {false, false, true, false}},
        {"a wide character wider than the page", {40, 40, 20}, 0, 50, {0, 1, 2}, {false, true, false}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GridPageStarts(c.sizes, c.first, c.room, c.keep), c.starts) << c.what;
}

int CountPdfPages(const std::filesystem::path& pdf)
{
    std::ifstream in(pdf, std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int pages = 0;
    for (size_t at = data.find("/Type /Page"); at != std::string::npos; at = data.find("/Type /Page", at + 1))
        pages += data.compare(at, 12, "/Type /Pages") != 0;
    return pages;
}

class GridPrint : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        m_dir = std::filesystem::temp_directory_path() / ("grid_print_" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::filesystem::remove_all(m_dir);
        GridTest::TearDown();
    }

    // nRows text rows under the header row, kRowH high.
    void SetTextRows(int nRows)
    {
        m_grid.SetRowCount(nRows + 1);
        for (int row = 1; row <= nRows; ++row)
            m_grid.SetRowHeight(row, kRowH);
    }

    // Runs a print job of the grid onto A4 at 300 dpi into a PDF file; returns the pages in it.
    int PrintToPdf(CPrintInfo& info)
    {
        const std::filesystem::path path = m_dir / "grid.pdf";
        std::filesystem::remove(path);
        const CSize a4 = AfxPrinterPageSize(DEVMODE{});
        CDC dc;
        EXPECT_TRUE(dc.CreatePrinterDC(a4.cx, a4.cy, kPrinterDpi, path.wstring()));
        m_grid.OnBeginPrinting(&dc, &info);
        m_rowStarts = m_grid.GetPrintRowStarts();
        m_colStarts = m_grid.GetPrintColumnStarts();
        m_page = m_grid.GetPrintPageSize();
        m_char = m_grid.GetPrintCharSize();
        EXPECT_GT(dc.StartDoc(L"Grid"), 0);
        for (info.m_nCurPage = info.GetMinPage(); info.m_nCurPage <= info.GetMaxPage(); ++info.m_nCurPage) {
            EXPECT_GT(dc.StartPage(), 0);
            m_grid.OnPrint(&dc, &info);
            EXPECT_GT(dc.EndPage(), 0);
        }
        EXPECT_GT(dc.EndDoc(), 0);
        m_grid.OnEndPrinting(&dc, &info);
        return CountPdfPages(path);
    }

    std::filesystem::path m_dir;
    std::vector<int> m_rowStarts, m_colStarts;
    CSize m_page, m_char;
};

TEST_F(GridPrint, RowsFillThePagesTheMarginsLeave)
{
    // Without margins or bands a page is the grid's width (25 columns of 20) by the height
    // that keeps A4's proportions: 500 x 707. Under the 20 high header row that leaves 687 for
    // rows of 30, 22 on a page: 100 rows take 5 pages.
    SetTextRows(100);
    m_grid.SetPrintMargins(0, 0, 0, 0, 0, 0, 0);
    CPrintInfo info;
    EXPECT_EQ(PrintToPdf(info), 5);
    EXPECT_EQ(info.GetMaxPage(), 5u);
    EXPECT_EQ(m_page, CSize(500, 707));
    EXPECT_EQ(m_rowStarts, (std::vector<int>{1, 23, 45, 67, 89}));
    EXPECT_EQ(m_colStarts, std::vector<int>{1});

    // The standard layout: left and right margins of 4 characters widen the page; 8 lines go
    // to the margins, bands and gaps.
    m_grid.SetPrintMargins(2, 2, 4, 4, 1, 1, 1);
    const int pages = PrintToPdf(info);
    ASSERT_GT(m_char.cx, 0);
    ASSERT_GT(m_char.cy, 0);
    EXPECT_EQ(m_page.cx, 500 + 8 * m_char.cx);
    EXPECT_EQ(m_page.cy, MulDiv(m_page.cx, AfxPrinterPageSize(DEVMODE{}).cy, AfxPrinterPageSize(DEVMODE{}).cx));
    const int rowsPerPage = (m_page.cy - 8 * m_char.cy - kHeaderH) / kRowH;
    EXPECT_EQ(pages, (100 + rowsPerPage - 1) / rowsPerPage);
    EXPECT_EQ(int(info.GetMaxPage()), pages);

    // A negative value leaves its margin: the same layout again.
    const CSize page = m_page;
    m_grid.SetPrintMargins(-1, -1, -1, -1, -1, -1, -1);
    EXPECT_EQ(PrintToPdf(info), pages);
    EXPECT_EQ(m_page, page);
}

TEST_F(GridPrint, ScreenProportionsSplitTheColumnsToo)
{
    // 80 columns of 20 do not fit across a page at screen size: pages go across, then down.
    SetTextRows(60);
    m_grid.SetColumnCount(81);
    for (int col = 0; col < 81; ++col)
        m_grid.SetColumnWidth(col, kCellW);
    m_grid.m_bPrintScreenProportions = TRUE;
    CPrintInfo info;
    const int pages = PrintToPdf(info);

    CDC screen;
    ASSERT_TRUE(screen.CreateCompatibleDC(nullptr));
    const CSize a4 = AfxPrinterPageSize(DEVMODE{});
    EXPECT_EQ(m_page.cx, MulDiv(a4.cx, screen.GetDeviceCaps(LOGPIXELSX), kPrinterDpi) * 3 / 4);
    const int colsPerPage = (m_page.cx - 8 * m_char.cx - kCellW) / kCellW;
    const int rowsPerPage = (m_page.cy - 8 * m_char.cy - kHeaderH) / kRowH;
    ASSERT_GT(colsPerPage, 0);
    ASSERT_LT(colsPerPage, 80);
    const int colPages = (80 + colsPerPage - 1) / colsPerPage;
    const int rowPages = (60 + rowsPerPage - 1) / rowsPerPage;
    EXPECT_EQ(int(m_colStarts.size()), colPages);
    EXPECT_EQ(int(m_rowStarts.size()), rowPages);
    EXPECT_EQ(pages, colPages * rowPages);
    EXPECT_EQ(int(info.GetMaxPage()), pages);
    ASSERT_EQ(m_colStarts[1], 1 + colsPerPage);

    // A double-width character over that page break moves to the next page whole.
    PutWide(30, colsPerPage, 0x4E2D);
    PrintToPdf(info);
    EXPECT_EQ(m_colStarts[1], colsPerPage);
}

TEST_F(GridPrint, RowsStayBetweenTheTitleAndThePageNumberBands)
{
    // Page 1 of a long grid, drawn into a preview page at 100 dpi: the grey grid lines of the
    // cells lie between the black line under the title band and the one over the page number,
    // and the wide bottom margin stays clear.
    SetTextRows(100);
    m_grid.SetPrintMargins(-1, -1, -1, -1, 6, 6, -1);
    CDC dc;
    ASSERT_TRUE(dc.CreatePrinterImageDC(827, 1169, 100));
    CPrintInfo info;
    m_grid.OnBeginPrinting(&dc, &info);
    ASSERT_GT(info.GetMaxPage(), 1u);
    ASSERT_GT(dc.StartDoc(L"Grid"), 0);
    ASSERT_GT(dc.StartPage(), 0);
    m_grid.OnPrint(&dc, &info);
    const int x = 827 * 3 / 10;  // clear of the texts in the bands
    std::vector<int> black, grey;
    for (int y = 0; y < 1169; ++y) {
        const COLORREF c = dc.GetPixel(x, y);
        if (c == RGB(0, 0, 0))
            black.push_back(y);
        else if (c == RGB(192, 192, 192))
            grey.push_back(y);
    }
    dc.EndPage();
    dc.EndDoc();
    m_grid.OnEndPrinting(&dc, &info);
    ASSERT_GE(black.size(), 2u);
    ASSERT_GT(grey.size(), 10u);
    EXPECT_LT(black.front(), grey.front());
    EXPECT_GT(black.back(), grey.back());
    const int bottomMargin = MulDiv(6 * m_grid.GetPrintCharSize().cy, 1169, m_grid.GetPrintPageSize().cy);
    EXPECT_LT(black.back(), 1169 - bottomMargin);
}

TEST_F(GridPrint, BandTexts)
{
    EXPECT_EQ(m_grid.GetPrintTitle(), CString(L"Grid host"));
    m_host.SetWindowText(L"");
    EXPECT_EQ(m_grid.GetPrintTitle(), CString());

    EXPECT_EQ(CGridCtrl::FormatPrintPageText(2, 5), CString(L"Page 2 of 5"));
    const LANGID language = GetResourceLanguage();
    SetResourceLanguage(kLangIdChinese);
    EXPECT_EQ(CGridCtrl::FormatPrintPageText(2, 5), CString(L"第 2 页，共 5 页"));
    SetResourceLanguage(language);
}

} // namespace
} // namespace gridtest
