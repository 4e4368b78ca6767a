// Printer device contexts writing PDF documents.
#include "gdi_support.h"

#include "platform/gdi/detail/DcImpl.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

using namespace gditest;

namespace {

int CountPages(const std::filesystem::path& pdf)
{
    std::ifstream in(pdf, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int pages = 0;
    for (size_t at = data.find("/Type /Page"); at != std::string::npos; at = data.find("/Type /Page", at + 1))
        pages += data.compare(at, 12, "/Type /Pages") != 0;
    return pages;
}

class GdiPrint : public TempDirTest {
protected:
    GdiPrint() : TempDirTest("gdi_print_") {}
};

TEST_F(GdiPrint, EveryPageEndsUpInTheDocument)
{
    CDC dc;
    ASSERT_TRUE(dc.CreatePrinterDC(827, 1169, 100));
    EXPECT_TRUE(dc.IsPrinting());
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 827);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 100);
    EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
    // a memory DC made for the printer answers with the printer's resolution
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(&dc));
    EXPECT_EQ(mem.GetDeviceCaps(LOGPIXELSY), 100);
    EXPECT_FALSE(mem.IsPrinting());
    std::wstring path = (dir / "out.pdf").wstring();
    DOCINFO di{sizeof(DOCINFO), L"Program", path.c_str(), nullptr, 0};
    ASSERT_GT(dc.StartDoc(&di), 0);
    CDC picture;
    MakeCanvas(picture, 50, 50, RGB(255, 0, 0));
    for (int page = 0; page < 3; ++page) {
        ASSERT_GT(dc.StartPage(), 0);
        dc.Rectangle(10, 10, 400, 300);
        dc.TextOut(20, 20, CString(L"Page"));
        dc.StretchBlt(100, 100, 200, 200, &picture, 0, 0, 50, 50, SRCCOPY);
        ASSERT_GT(dc.EndPage(), 0);
    }
    ASSERT_GT(dc.EndDoc(), 0);
    EXPECT_EQ(dc.GetPrintedPageCount(), 3);
    EXPECT_EQ(CountPages(dir / "out.pdf"), 3);
}

TEST_F(GdiPrint, CallsOutOfOrderAreRefused)
{
    CDC dc;
    ASSERT_TRUE(dc.CreatePrinterDC(100, 100, 72));
    EXPECT_LT(dc.StartPage(), 0);        // no document
    EXPECT_LT(dc.StartDoc(L"x"), 0);     // no output file given
    CDC named;
    ASSERT_TRUE(named.CreatePrinterDC(100, 100, 72, (dir / "n.pdf").wstring()));
    ASSERT_GT(named.StartDoc(L"x"), 0);
    EXPECT_LT(named.StartDoc(L"x"), 0);  // already printing
    EXPECT_LT(named.EndPage(), 0);       // no page started
    ASSERT_GT(named.StartPage(), 0);
    ASSERT_GT(named.EndDoc(), 0);        // ends the open page too
    EXPECT_EQ(CountPages(dir / "n.pdf"), 1);
    CDC bad;
    EXPECT_FALSE(bad.CreatePrinterDC(0, 100, 72));
    ASSERT_TRUE(bad.CreatePrinterDC(10, 10, 72, L"/nonexistent-dir/x.pdf"));
    EXPECT_LT(bad.StartDoc(L"x"), 0);
}

TEST_F(GdiPrint, PreviewPagesAreDrawnIntoAnImage)
{
    CDC dc;
    ASSERT_TRUE(dc.CreatePrinterImageDC(200, 300, 50));
    EXPECT_TRUE(dc.IsPrinting());
    EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 300);
    ASSERT_GT(dc.StartDoc(L"preview"), 0);
    auto page = gdi::SurfaceOf(dc.GetSafeHdc());
    ASSERT_TRUE(page);
    ASSERT_GT(dc.StartPage(), 0);
    dc.FillSolidRect(10, 10, 5, 5, kBlack);
    EXPECT_EQ(dc.GetPixel(12, 12), kBlack);
    EXPECT_EQ(dc.GetPixel(50, 50), kWhite);  // each page starts white
    dc.EndPage();
    ASSERT_GT(dc.StartPage(), 0);
    EXPECT_EQ(dc.GetPixel(12, 12), kWhite);
    dc.EndPage();
    dc.EndDoc();
    EXPECT_EQ(dc.GetPrintedPageCount(), 2);
}

}  // namespace
