// DIBs and .bmp files: pixel transfer at every depth, row order, file round trips and
// rejection of damaged files.
#include "gdi_support.h"

#include "platform/gdi/BmpFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

using namespace gditest;

namespace {

// 5 x 3 picture using only colours every depth can hold exactly (black, white, and for 4 bits
// and up the VGA colours)
const COLORREF kPicture[3][5] = {
    {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255)},
    {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0), RGB(0, 0, 0)},
    {RGB(128, 128, 128), RGB(255, 255, 255), RGB(0, 255, 255), RGB(255, 0, 255), RGB(0, 0, 0)},
};

bool Representable(COLORREF c, int bpp)
{
    if (bpp == 1)
        return c == kBlack || c == kWhite;
    if (bpp == 16) {  // five bits per channel: only the extremes come back exactly
        for (BYTE v : {GetRValue(c), GetGValue(c), GetBValue(c)})
            if (v != 0 && v != 255)
                return false;
    }
    return true;
}

// The header of an uncompressed DIB; a negative height makes it top-down.
BITMAPINFOHEADER DibHeader(int width, int height, int bpp)
{
    BITMAPINFOHEADER h{};
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = WORD(bpp);
    h.biCompression = BI_RGB;
    return h;
}

CBitmap* Picture(CBitmap& bmp)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    bmp.CreateBitmap(5, 3, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&bmp);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            dc.SetPixel(x, y, kPicture[y][x]);
    dc.SelectObject(old);
    return &bmp;
}

TEST(GdiDib, GetAndSetDIBitsAtEveryDepth)
{
    CBitmap bmp;
    Picture(bmp);
    for (int bpp : {1, 4, 8, 16, 24, 32}) {
        for (bool topDown : {false, true}) {
            std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
            auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
            bi->bmiHeader = DibHeader(5, topDown ? -3 : 3, bpp);
            std::vector<BYTE> bits(size_t(DibRowBytes(5, bpp)) * 3, 0xCD);
            ASSERT_EQ(GetDIBits(nullptr, bmp, 0, 3, bits.data(), bi, DIB_RGB_COLORS), 3) << bpp;
            EXPECT_EQ(bi->bmiHeader.biSizeImage, bits.size());

            // read back through a DibImage and through SetDIBits into a fresh bitmap
            DibImage img;
            img.header = bi->bmiHeader;
            if (bpp <= 8)
                img.colors.assign(bi->bmiColors, bi->bmiColors + (1 << bpp));
            img.bits = bits;
            CBitmap back;
            back.CreateBitmap(5, 3, 1, 32, nullptr);
            ASSERT_EQ(SetDIBits(nullptr, back, 0, 3, bits.data(), bi, DIB_RGB_COLORS), 3);
            CDC dc;
            dc.CreateCompatibleDC(nullptr);
            CBitmap* old = dc.SelectObject(&back);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x) {
                    if (!Representable(kPicture[y][x], bpp))
                        continue;
                    EXPECT_EQ(img.GetPixel(x, y), kPicture[y][x]) << bpp << " " << x << "," << y;
                    EXPECT_EQ(dc.GetPixel(x, y), kPicture[y][x]) << bpp << " " << x << "," << y;
                }
            dc.SelectObject(old);
        }
    }
}

TEST(GdiDib, BottomUpRowsStartAtTheBottom)
{
    CBitmap bmp;
    Picture(bmp);
    BITMAPINFO bi{};
    bi.bmiHeader = DibHeader(5, 3, 24);
    std::vector<BYTE> row(size_t(DibRowBytes(5, 24)));
    // scan line 0 of a bottom-up DIB is the picture's last row
    ASSERT_EQ(GetDIBits(nullptr, bmp, 0, 1, row.data(), &bi, DIB_RGB_COLORS), 1);
    EXPECT_EQ(RGB(row[2], row[1], row[0]), kPicture[2][0]);
    EXPECT_EQ(GetDIBits(nullptr, bmp, 2, 5, row.data(), &bi, DIB_RGB_COLORS), 1);
    EXPECT_EQ(RGB(row[5], row[4], row[3]), kPicture[0][1]);

    // with null bits only the header is filled in
    BITMAPINFO query{};
    query.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    ASSERT_NE(GetDIBits(nullptr, bmp, 0, 3, nullptr, &query, DIB_RGB_COLORS), 0);
    EXPECT_EQ(query.bmiHeader.biWidth, 5);
    EXPECT_EQ(query.bmiHeader.biHeight, 3);
}

TEST(GdiDib, StretchDIBitsTakesYSourceFromTheBottom)
{
    // 2 x 4 bottom-up DIB, one colour per row: stored rows 0..3 = bottom..top
    const COLORREF rows[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
    BITMAPINFO bi{};
    bi.bmiHeader = DibHeader(2, 4, 32);
    std::vector<BYTE> bits(2 * 4 * 4);
    for (int r = 0; r < 4; ++r)
        for (int x = 0; x < 2; ++x) {
            BYTE* p = &bits[size_t(r * 8 + x * 4)];
            p[0] = GetBValue(rows[r]);
            p[1] = GetGValue(rows[r]);
            p[2] = GetRValue(rows[r]);
        }
    CDC dc;
    MakeCanvas(dc, 4, 4);
    // ySrc = 1, height 2: stored rows 1 and 2, i.e. green below blue
    StretchDIBits(dc, 0, 0, 4, 4, 0, 1, 2, 2, bits.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(dc.GetPixel(0, 0), rows[2]);
    EXPECT_EQ(dc.GetPixel(3, 3), rows[1]);
}

TEST(GdiDib, DibSectionSharesItsMemory)
{
    BITMAPINFO bi{};
    bi.bmiHeader = DibHeader(4, -2, 32);
    void* mem = nullptr;
    HBITMAP h = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &mem, nullptr, 0);
    ASSERT_NE(h, nullptr);
    ASSERT_NE(mem, nullptr);
    CBitmap bmp;
    bmp.Attach(h);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&bmp);
    dc.FillSolidRect(1, 1, 1, 1, RGB(10, 20, 30));
    auto* px = static_cast<BYTE*>(mem) + (1 * 4 + 1) * 4;
    EXPECT_EQ(px[0], 30);
    EXPECT_EQ(px[2], 10);
    dc.SelectObject(old);
    bi.bmiHeader.biBitCount = 8;  // palette sections are not offered
    EXPECT_EQ(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &mem, nullptr, 0), nullptr);
    EXPECT_EQ(mem, nullptr);
}

class GdiBmpFile : public TempDirTest {
protected:
    GdiBmpFile() : TempDirTest("gdi_bmp_") {}
};

TEST_F(GdiBmpFile, RoundTripAtEveryDepthAndOrder)
{
    CBitmap bmp;
    Picture(bmp);
    for (int bpp : {1, 4, 8, 24, 32}) {
        for (bool topDown : {false, true}) {
            DibImage img;
            ASSERT_TRUE(DibFromBitmap(bmp, bpp, topDown, img));
            std::wstring path = (dir / ("p" + std::to_string(bpp) + (topDown ? "t" : "b") + ".bmp")).wstring();
            ASSERT_TRUE(WriteBmpFile(path, img));
            DibImage read;
            std::string error;
            ASSERT_TRUE(ReadBmpFile(path, read, &error)) << error;
            EXPECT_EQ(read.bits, img.bits);
            EXPECT_EQ(read.Height(), 3);
            EXPECT_EQ(read.header.biHeight < 0, topDown);
            // written again, byte for byte the same
            EXPECT_EQ(WriteBmp(read), WriteBmp(img));
            CBitmap loaded;
            loaded.Attach(CreateBitmapFromDib(read));
            CDC dc;
            dc.CreateCompatibleDC(nullptr);
            CBitmap* old = dc.SelectObject(&loaded);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x) {
                    if (Representable(kPicture[y][x], bpp)) {
                        EXPECT_EQ(dc.GetPixel(x, y), kPicture[y][x]) << bpp << " " << x << "," << y;
                    }
                }
            dc.SelectObject(old);
        }
    }
}

TEST_F(GdiBmpFile, FileLayoutOfA24BitPicture)
{
    CBitmap bmp;
    Picture(bmp);
    DibImage img;
    ASSERT_TRUE(DibFromBitmap(bmp, 24, false, img));
    std::vector<BYTE> file = WriteBmp(img);
    ASSERT_EQ(file.size(), 14u + 40u + 16u * 3u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    DWORD off;
    std::memcpy(&off, &file[10], 4);
    EXPECT_EQ(off, 54u);
    // first stored row is the bottom row: grey, white, cyan ... as B, G, R
    EXPECT_EQ(file[54], 128);
    EXPECT_EQ(file[57], 255);
    EXPECT_EQ(file[60], 255);
    EXPECT_EQ(file[62], 0);
}

bool FakeResources(UINT id, std::vector<BYTE>& bytes)
{
    if (id != 131)
        return false;
    CBitmap bmp;
    Picture(bmp);
    DibImage img;
    DibFromBitmap(bmp, 4, false, img);
    bytes = WriteBmp(img);
    bytes.erase(bytes.begin(), bytes.begin() + 14);  // resources keep packed DIBs
    return true;
}

TEST_F(GdiBmpFile, BitmapResourcesLoadThroughTheInstalledLoader)
{
    CBitmap none;
    EXPECT_FALSE(none.LoadBitmap(131));  // no loader yet
    SetBitmapResourceLoader(&FakeResources);
    CBitmap res;
    ASSERT_TRUE(res.LoadBitmap(131));
    BITMAP bm{};
    res.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 5);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&res);
    EXPECT_EQ(dc.GetPixel(2, 1), kPicture[1][2]);
    dc.SelectObject(old);
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(132));
    SetBitmapResourceLoader(nullptr);
    // damaged packed DIBs are refused
    std::vector<BYTE> bytes;
    FakeResources(131, bytes);
    HBITMAP ok = CreateBitmapFromBytes(bytes.data(), bytes.size());
    EXPECT_NE(ok, nullptr);
    DeleteObject(ok);
    EXPECT_EQ(CreateBitmapFromBytes(bytes.data(), bytes.size() - 1), nullptr);
    EXPECT_EQ(CreateBitmapFromBytes(bytes.data(), 10), nullptr);
}

TEST_F(GdiBmpFile, RandomlyDamagedFilesNeverReadOutOfBounds)
{
    // under the address sanitizer this catches any read past the buffer
    CBitmap bmp;
    Picture(bmp);
    std::mt19937 rng(11);
    for (int bpp : {1, 4, 8, 24, 32}) {
        DibImage img;
        ASSERT_TRUE(DibFromBitmap(bmp, bpp, bpp == 8, img));
        const std::vector<BYTE> good = WriteBmp(img);
        for (int round = 0; round < 300; ++round) {
            std::vector<BYTE> bad = good;
            int changes = 1 + int(rng() % 4);
            for (int i = 0; i < changes; ++i)
                bad[rng() % bad.size()] = BYTE(rng());
            if (rng() % 4 == 0)
                bad.resize(rng() % bad.size());
            DibImage out;
            if (ReadBmp(bad.data(), bad.size(), out)) {
                EXPECT_GE(out.bits.size(), size_t(DibRowBytes(out.Width(), out.header.biBitCount)) * out.Height());
                HBITMAP h = CreateBitmapFromDib(out);
                DeleteObject(h);
            }
            // the same bytes as a packed DIB
            if (bad.size() > 14 && ReadPackedDib(bad.data() + 14, bad.size() - 14, out))
                DeleteObject(CreateBitmapFromDib(out));
        }
    }
}

TEST_F(GdiBmpFile, DamagedFilesAreRejected)
{
    CBitmap bmp;
    Picture(bmp);
    DibImage img;
    ASSERT_TRUE(DibFromBitmap(bmp, 8, false, img));
    const std::vector<BYTE> good = WriteBmp(img);
    struct Case {
        const char* name;
        size_t offset;
        std::vector<BYTE> bytes;  // written at offset
        size_t truncate;          // 0 = keep the size
    } cases[] = {
        {"magic", 0, {'X', 'X'}, 0},
        {"truncated pixels", 0, {}, good.size() - 3},
        {"truncated header", 0, {}, 30},
        {"negative width", 18, {0xFF, 0xFF, 0xFF, 0xFF}, 0},
        {"zero height", 22, {0, 0, 0, 0}, 0},
        {"huge size", 18, {0xFF, 0xFF, 0xFF, 0x7F}, 0},
        {"bit depth 7", 28, {7, 0}, 0},
        {"compressed", 30, {1, 0, 0, 0}, 0},
        {"too many colours", 46, {0x00, 0x10, 0, 0}, 0},
        {"pixels beyond the end", 10, {0xF0, 0xFF, 0, 0}, 0},
        {"header size beyond the end", 14, {0xFF, 0xFF, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> bad = good;
        std::copy(c.bytes.begin(), c.bytes.end(), bad.begin() + long(c.offset));
        if (c.truncate)
            bad.resize(c.truncate);
        DibImage out;
        std::string error;
        EXPECT_FALSE(ReadBmp(bad.data(), bad.size(), out, &error)) << c.name;
        EXPECT_FALSE(error.empty()) << c.name;
    }
    DibImage out;
    EXPECT_TRUE(ReadBmp(good.data(), good.size(), out));
    EXPECT_FALSE(ReadBmpFile((dir / "missing.bmp").wstring(), out));
}

}  // namespace
