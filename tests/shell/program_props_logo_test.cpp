// The start-up logo: 108 x 64 one-bit bitmaps become the 960 bytes of the device display
// however their headers are laid out; everything else is refused; the program's logo reaches
// the header of the device image.
#include "document/TavixDoc.h"
#include "image/ImageLayout.h"
#include "platform/host/HeadlessHost.h"
#include "shell/ProgramPropsLogo.h"
#include "shell/ProgramPropsLogoImage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

struct BmpShape {
    int headerSize = 40;   // 40, 108 or 124
    int colours = 2;       // colour table entries written
    int clrUsed = 0;       // the header's count of used colours (0: all of the depth)
    int gap = 0;           // bytes between the colour table and the pixels
    bool topDown = false;
    bool blackFirst = false;  // colour 0 black, colour 1 white
    int width = 108;
    int height = 64;
    int bitCount = 1;
};

void Put(Bytes& b, size_t at, unsigned v, int n)
{
    for (int i = 0; i < n; ++i)
        b[at + size_t(i)] = BYTE(v >> (8 * i));
}

// A bitmap file whose pixel (x, y) from the top-left is set where `dark` says, written as a
// picture: set pixels are dark, whatever colour index that takes.
template <class Dark>
Bytes MakeBmp(const BmpShape& s, Dark dark)
{
    const int rowBytes = ((s.width * s.bitCount + 31) / 32) * 4;
    const size_t pixelsAt = 14 + size_t(s.headerSize) + size_t(s.colours) * 4 + size_t(s.gap);
    Bytes b(pixelsAt + size_t(rowBytes) * size_t(s.height), 0);
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 2, unsigned(b.size()), 4);
    Put(b, 10, unsigned(pixelsAt), 4);
    Put(b, 14, unsigned(s.headerSize), 4);
    Put(b, 18, unsigned(s.width), 4);
    Put(b, 22, unsigned(s.topDown ? -s.height : s.height), 4);
    Put(b, 26, 1, 2);
    Put(b, 28, unsigned(s.bitCount), 2);
    Put(b, 46, unsigned(s.clrUsed != 0 ? s.clrUsed : s.colours == 2 ? 0 : s.colours), 4);
    for (int c = 0; c < s.colours; ++c) {
        const bool black = (c == 0) == s.blackFirst;
        const BYTE v = black ? 0 : 255;
        const size_t at = 14 + size_t(s.headerSize) + size_t(c) * 4;
        b[at] = b[at + 1] = b[at + 2] = v;
    }
    const int darkIndex = s.blackFirst ? 0 : 1;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            const int index = dark(x, y) ? darkIndex : 1 - darkIndex;
            if (index == 0 || s.bitCount != 1)
                continue;
            const int stored = s.topDown ? y : s.height - 1 - y;
            b[pixelsAt + size_t(stored) * size_t(rowBytes) + size_t(x / 8)] |= BYTE(0x80 >> (x % 8));
        }
    return b;
}

bool Diagonal(int x, int y) { return x == y || (x == 107 && y == 0) || (x == 5 && y == 9); }

Bytes Convert(const Bytes& file, LogoResult* result)
{
    Bytes out(kLogoImageBytes, 0xEE);
    *result = ConvertLogoBytes(file.data(), file.size(), out.data());
    return out;
}

bool Bit(const Bytes& lcd, int x, int y) { return (lcd[size_t((y / 8) * 120 + x)] >> (y % 8)) & 1; }

} // namespace

TEST(LogoImage, WorkedConversionOfAOneBitBitmap)
{
    LogoResult r;
    const Bytes lcd = Convert(MakeBmp(BmpShape{}, Diagonal), &r);
    ASSERT_EQ(r, LogoResult::ok);
    // The top-left pixel is bit 0 of byte 0; (5, 9) is bit 1 of page 1, column 5.
    EXPECT_EQ(lcd[0], 0x01);
    EXPECT_EQ(lcd[120 + 5] & 0x02, 0x02);
    EXPECT_EQ(lcd[107], 0x01);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 108; ++x)
            ASSERT_EQ(Bit(lcd, x, y), Diagonal(x, y)) << x << "," << y;
    // Columns 108-119 take the row's padding bits, clear in this file.
    EXPECT_EQ(lcd[110], 0x00);
}

TEST(LogoImage, HeaderSizePaletteOrderOffsetAndRowOrderDoNotChangeThePicture)
{
    LogoResult r;
    const Bytes reference = Convert(MakeBmp(BmpShape{}, Diagonal), &r);
    ASSERT_EQ(r, LogoResult::ok);
    struct Case {
        const char* what;
        BmpShape shape;
    };
    BmpShape v4, v5, counted, gap, topDown;
    v4.headerSize = 108;
    v5.headerSize = 124;
    counted.clrUsed = 2;
    gap.gap = 200;
    topDown.topDown = true;
    const Case cases[] = {{"108-byte header", v4}, {"124-byte header", v5}, {"colours counted in the header", counted},
                          {"pixels further on", gap}, {"top-down rows", topDown}};
    for (const Case& c : cases) {
        EXPECT_EQ(Convert(MakeBmp(c.shape, Diagonal), &r), reference) << c.what;
        EXPECT_EQ(r, LogoResult::ok) << c.what;
    }
    // With colour 0 black the clear bits are the dark pixels, so the picture stays the same
    // apart from the padding columns, which are now dark.
    BmpShape blackFirst;
    blackFirst.blackFirst = true;
    const Bytes inverted = Convert(MakeBmp(blackFirst, Diagonal), &r);
    ASSERT_EQ(r, LogoResult::ok);
    EXPECT_EQ(inverted[0] & 1, 1);  // the black top-left pixel
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 108; ++x)
            ASSERT_EQ(Bit(inverted, x, y), Diagonal(x, y)) << x << "," << y;
    EXPECT_EQ(inverted[110], 0xFF);
}

TEST(LogoImage, WhatCannotBecomeTheDisplayImageIsRefused)
{
    BmpShape fourBits, narrow, tall;
    fourBits.bitCount = 4;
    fourBits.colours = 16;
    narrow.width = 107;
    tall.height = 65;
    const Bytes good = MakeBmp(BmpShape{}, Diagonal);
    const struct {
        const char* what;
        Bytes file;
        LogoResult expected;
    } cases[] = {
        {"4 bits per pixel", MakeBmp(fourBits, Diagonal), LogoResult::wrongFormat},
        {"107 pixels wide", MakeBmp(narrow, Diagonal), LogoResult::wrongFormat},
        {"65 rows", MakeBmp(tall, Diagonal), LogoResult::wrongFormat},
        {"pixels cut short", Bytes(good.begin(), good.end() - 100), LogoResult::notBitmap},
        {"no BM mark", Bytes(good.size(), 0x42), LogoResult::notBitmap},
        {"empty", Bytes(), LogoResult::notBitmap},
    };
    for (const auto& c : cases) {
        LogoResult r;
        const Bytes out = Convert(c.file, &r);
        EXPECT_EQ(r, c.expected) << c.what;
        EXPECT_EQ(out, Bytes(kLogoImageBytes, 0xEE)) << c.what << ": the output is left alone";
    }
}

TEST(LogoImage, TheProgramsLogoReachesTheImageHeader)
{
    CHeadlessDriver drv;
    char dir[] = "/tmp/logoXXXXXX";
    ASSERT_NE(::mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/logo.bmp";
    const Bytes file = MakeBmp(BmpShape{}, Diagonal);
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);
    LogoResult r;
    const Bytes lcd = Convert(file, &r);

    CTavixDoc doc;
    doc.m_strLogoPath = CString(path.c_str());
    Bytes area0(kArea0Size, 0);
    ASSERT_TRUE(CStartUpBmp::PutLogoIntoImage(doc, area0.data()));
    EXPECT_EQ(Bytes(area0.begin() + kLcLogo, area0.begin() + kLcLogo + kLogoImageBytes), lcd);
    EXPECT_EQ(GetU16(&area0[kLcLogoFlag]), 1u);

    // Shown inversely: every byte inverted.
    doc.m_bLogoInverse = TRUE;
    ASSERT_TRUE(CStartUpBmp::PutLogoIntoImage(doc, area0.data()));
    EXPECT_EQ(area0[kLcLogo], BYTE(~lcd[0]));

    // No file named: the logo an upload brought along goes back unchanged.
    doc.m_strLogoPath.Empty();
    doc.m_bLogoPresent = TRUE;
    doc.m_pLogo = new BYTE[kLogoImageBytes];
    for (int i = 0; i < kLogoImageBytes; ++i)
        doc.m_pLogo[i] = BYTE(i);
    ASSERT_TRUE(CStartUpBmp::PutLogoIntoImage(doc, area0.data()));
    EXPECT_EQ(area0[kLcLogo + 300], BYTE(300));

    // A missing file and no uploaded logo: the header stays as it was, without a message.
    doc.m_bLogoPresent = FALSE;
    doc.m_strLogoPath = CString((std::string(dir) + "/missing.bmp").c_str());
    Bytes untouched(kArea0Size, 0);
    EXPECT_FALSE(CStartUpBmp::PutLogoIntoImage(doc, untouched.data()));
    EXPECT_EQ(untouched, Bytes(kArea0Size, 0));
    EXPECT_TRUE(drv.Host().MessageBoxes().empty());

    ::unlink(path.c_str());
    ::rmdir(dir);
}
