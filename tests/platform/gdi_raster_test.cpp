// Raster operations: XOR drawing undone by drawing again, PatBlt/BitBlt operation codes,
// monochrome conversions and stretching.
#include "gdi_support.h"

#include <gtest/gtest.h>

using namespace gditest;

namespace {

// A canvas with a few colours so inversions are visible everywhere.
void Stripes(CDC& dc, int w, int h)
{
    MakeCanvas(dc, w, h);
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(12, 200, 99), RGB(180, 180, 180), RGB(0, 0, 0)};
    for (int x = 0; x < w; ++x)
        dc.FillSolidRect(x, 0, 1, h, colours[x % 4]);
}

TEST(GdiRaster, XorDrawingTwiceRestoresThePixels)
{
    const int w = 40, h = 30;
    for (int rop : {R2_NOTXORPEN, R2_XORPEN, R2_NOT}) {
        CDC dc;
        Stripes(dc, w, h);
        std::vector<COLORREF> before = Snapshot(dc, w, h);
        dc.SetROP2(rop);
        CPen pen(PS_SOLID, 1, RGB(90, 60, 30));
        CPen wide(PS_SOLID, 3, RGB(90, 60, 30));
        CBrush brush(RGB(10, 20, 30));
        dc.SelectObject(&brush);
        for (int pass = 0; pass < 2; ++pass) {
            dc.SelectObject(&pen);
            dc.MoveTo(1, 1);
            dc.LineTo(35, 20);
            dc.Rectangle(5, 5, 30, 25);
            dc.Rectangle(37, 2, 38, 20);  // a one-pixel-wide rectangle is a line
            dc.SelectObject(&wide);
            dc.Ellipse(2, 2, 20, 16);
            dc.MoveTo(3, 27);
            dc.LineTo(38, 27);
            if (pass == 0) {
                EXPECT_NE(Snapshot(dc, w, h), before) << rop;
                for (int y = 3; y < 20; ++y)  // every pixel of the thin rectangle changed once
                    EXPECT_NE(dc.GetPixel(37, y), before[size_t(y * w + 37)]) << rop << " " << y;
            }
        }
        dc.SelectStockObject(BLACK_PEN);
        dc.SelectStockObject(WHITE_BRUSH);
        EXPECT_EQ(Snapshot(dc, w, h), before) << rop;
    }
}

TEST(GdiRaster, PatBltOperations)
{
    struct Case {
        DWORD rop;
        COLORREF brush, dst, expected;
    } cases[] = {
        {PATCOPY, RGB(1, 2, 3), RGB(200, 100, 50), RGB(1, 2, 3)},
        {PATINVERT, RGB(255, 255, 255), RGB(200, 100, 50), RGB(55, 155, 205)},
        {PATINVERT, RGB(0x0F, 0xF0, 0x00), RGB(0xFF, 0xFF, 0xFF), RGB(0xF0, 0x0F, 0xFF)},
        {DSTINVERT, RGB(1, 2, 3), RGB(200, 100, 50), RGB(55, 155, 205)},
        {BLACKNESS, RGB(1, 2, 3), RGB(200, 100, 50), RGB(0, 0, 0)},
        {WHITENESS, RGB(1, 2, 3), RGB(200, 100, 50), RGB(255, 255, 255)},
    };
    for (const Case& c : cases) {
        CDC dc;
        MakeCanvas(dc, 4, 4, c.dst);
        CBrush b(c.brush);
        dc.SelectObject(&b);
        dc.PatBlt(1, 1, 2, 2, c.rop);
        dc.SelectStockObject(WHITE_BRUSH);
        EXPECT_EQ(dc.GetPixel(1, 1), c.expected) << std::hex << c.rop;
        EXPECT_EQ(dc.GetPixel(2, 2), c.expected) << std::hex << c.rop;
        EXPECT_EQ(dc.GetPixel(3, 3), c.dst) << std::hex << c.rop;
        EXPECT_EQ(dc.GetPixel(0, 0), c.dst) << std::hex << c.rop;
    }
}

TEST(GdiRaster, HalftoneTrackerDrawnTwiceErasesItself)
{
    // the sizing-bar tracker: an 8x8 checkerboard pattern brush PATINVERTed over the window
    WORD bits[8];
    for (int i = 0; i < 8; ++i)
        bits[i] = WORD((i & 1) ? 0xAA : 0x55);
    CBitmap pattern;
    ASSERT_TRUE(pattern.CreateBitmap(8, 8, 1, 1, bits));
    CBrush halftone;
    ASSERT_TRUE(halftone.CreatePatternBrush(&pattern));
    CDC dc;
    Stripes(dc, 32, 16);
    std::vector<COLORREF> before = Snapshot(dc, 32, 16);
    // monochrome patterns use the text colour for 0 bits and the background colour for 1 bits
    // (FillSolidRect above left the background black)
    dc.SetTextColor(kBlack);
    dc.SetBkColor(kWhite);
    dc.SelectObject(&halftone);
    dc.PatBlt(3, 2, 20, 9, PATINVERT);
    std::vector<COLORREF> once = Snapshot(dc, 32, 16);
    EXPECT_NE(once, before);
    // half of the covered pixels are inverted (white pattern bits), half untouched
    int changed = 0;
    for (size_t i = 0; i < once.size(); ++i)
        changed += once[i] != before[i];
    EXPECT_EQ(changed, 20 * 9 / 2);
    dc.PatBlt(3, 2, 20, 9, PATINVERT);
    dc.SelectStockObject(WHITE_BRUSH);
    EXPECT_EQ(Snapshot(dc, 32, 16), before);
}

TEST(GdiRaster, BitBltSourceOperations)
{
    struct Case {
        DWORD rop;
        COLORREF expected;
    } cases[] = {
        {SRCCOPY, RGB(0xF0, 0x0F, 0x33)},      {SRCAND, RGB(0xF0 & 0xAA, 0x0F & 0x55, 0x33 & 0xFF)},
        {SRCPAINT, RGB(0xFA, 0x5F, 0xFF)},     {SRCINVERT, RGB(0xF0 ^ 0xAA, 0x0F ^ 0x55, 0x33 ^ 0xFF)},
        {NOTSRCCOPY, RGB(0x0F, 0xF0, 0xCC)},
    };
    for (const Case& c : cases) {
        CDC src, dst;
        MakeCanvas(src, 6, 6, RGB(0xF0, 0x0F, 0x33));
        MakeCanvas(dst, 6, 6, RGB(0xAA, 0x55, 0xFF));
        dst.BitBlt(2, 2, 3, 3, &src, 0, 0, c.rop);
        EXPECT_EQ(dst.GetPixel(2, 2), c.expected) << std::hex << c.rop;
        EXPECT_EQ(dst.GetPixel(4, 4), c.expected) << std::hex << c.rop;
        EXPECT_EQ(dst.GetPixel(5, 5), RGB(0xAA, 0x55, 0xFF)) << std::hex << c.rop;
    }
}

TEST(GdiRaster, BitBltCopiesTheRightSourceArea)
{
    CDC src, dst;
    MakeCanvas(src, 10, 10);
    src.SetPixel(3, 4, RGB(255, 0, 0));
    MakeCanvas(dst, 10, 10);
    dst.BitBlt(5, 5, 4, 4, &src, 2, 3, SRCCOPY);
    EXPECT_EQ(dst.GetPixel(6, 6), RGB(255, 0, 0));
    EXPECT_EQ(CountPixels(dst, CRect(0, 0, 10, 10), RGB(255, 0, 0)), 1);

    // overlapping copy within one surface
    CDC self;
    MakeCanvas(self, 10, 1);
    for (int x = 0; x < 5; ++x)
        self.SetPixel(x, 0, RGB(x * 40, 0, 0));
    self.BitBlt(2, 0, 5, 1, &self, 0, 0, SRCCOPY);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(self.GetPixel(x + 2, 0), RGB(x * 40, 0, 0)) << x;
}

TEST(GdiRaster, BitBltKeepsLogicalCoordinatesOnBothSides)
{
    // a memory DC with a window origin shifted like a scrolled view draws the same logical
    // rectangle that is then copied out
    CDC mem, screen;
    MakeCanvas(mem, 20, 20);
    MakeCanvas(screen, 20, 20);
    mem.SetWindowOrg(100, 200);
    mem.FillSolidRect(105, 205, 3, 3, RGB(0, 0, 255));
    screen.SetWindowOrg(100, 200);
    screen.BitBlt(100, 200, 20, 20, &mem, 100, 200, SRCCOPY);
    screen.SetWindowOrg(0, 0);
    EXPECT_EQ(InkBox(screen, 20, 20), CRect(5, 5, 8, 8));
}

TEST(GdiRaster, MonochromeSourceTakesDestinationColours)
{
    BYTE bits[4] = {0x80, 0, 0, 0};  // WORD-aligned rows; one set pixel at (0,0)
    CBitmap mono;
    ASSERT_TRUE(mono.CreateBitmap(2, 2, 1, 1, bits));
    CDC src;
    src.CreateCompatibleDC(nullptr);
    CBitmap* old = src.SelectObject(&mono);
    CDC dst;
    MakeCanvas(dst, 2, 2);
    dst.SetTextColor(RGB(10, 20, 30));
    dst.SetBkColor(RGB(200, 210, 220));
    dst.BitBlt(0, 0, 2, 2, &src, 0, 0, SRCCOPY);
    EXPECT_EQ(dst.GetPixel(0, 0), RGB(200, 210, 220));  // 1 bits take the background colour
    EXPECT_EQ(dst.GetPixel(1, 1), RGB(10, 20, 30));     // 0 bits take the text colour
    src.SelectObject(old);

    BITMAP bm;
    mono.GetBitmap(&bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidth, 2);
}

TEST(GdiRaster, ScrollDcMovesPixelsAndReportsTheUncoveredPart)
{
    CDC dc;
    MakeCanvas(dc, 10, 10);
    dc.SetPixel(2, 3, kBlack);
    CRect area(0, 0, 10, 10), update;
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    ASSERT_TRUE(dc.ScrollDC(0, 4, &area, &area, &rgn, &update));
    EXPECT_EQ(dc.GetPixel(2, 7), kBlack);
    EXPECT_EQ(update, CRect(0, 0, 10, 4));
    EXPECT_TRUE(rgn.PtInRegion(5, 3));
    EXPECT_FALSE(rgn.PtInRegion(5, 4));
}

TEST(GdiRaster, MaskedDrawingThroughAMonochromeMask)
{
    // the image-list technique: a mask made from the picture's key colour, then SRCAND and
    // SRCPAINT put only the picture's other pixels on the destination
    const COLORREF key = RGB(255, 0, 255);
    CDC image;
    MakeCanvas(image, 4, 1, key);
    image.SetPixel(1, 0, RGB(10, 20, 30));
    image.SetPixel(2, 0, RGB(200, 100, 0));
    CBitmap maskBmp;
    maskBmp.CreateBitmap(4, 1, 1, 1, nullptr);
    CDC mask;
    mask.CreateCompatibleDC(nullptr);
    CBitmap* oldMask = mask.SelectObject(&maskBmp);
    image.SetBkColor(key);
    mask.BitBlt(0, 0, 4, 1, &image, 0, 0, SRCCOPY);  // white where the key colour is
    EXPECT_EQ(mask.GetPixel(0, 0), kWhite);
    EXPECT_EQ(mask.GetPixel(1, 0), kBlack);
    image.SetBkColor(kBlack);
    image.SetTextColor(kWhite);
    image.BitBlt(0, 0, 4, 1, &mask, 0, 0, SRCAND);  // key pixels become black
    CDC dst;
    MakeCanvas(dst, 4, 1, RGB(0, 128, 0));
    dst.SetBkColor(kWhite);
    dst.SetTextColor(kBlack);
    dst.BitBlt(0, 0, 4, 1, &mask, 0, 0, SRCAND);
    dst.BitBlt(0, 0, 4, 1, &image, 0, 0, SRCPAINT);
    EXPECT_EQ(dst.GetPixel(0, 0), RGB(0, 128, 0));
    EXPECT_EQ(dst.GetPixel(1, 0), RGB(10, 20, 30));
    EXPECT_EQ(dst.GetPixel(2, 0), RGB(200, 100, 0));
    EXPECT_EQ(dst.GetPixel(3, 0), RGB(0, 128, 0));
    mask.SelectObject(oldMask);
}

TEST(GdiRaster, StretchBltScalesAndMirrors)
{
    CDC src;
    MakeCanvas(src, 2, 1);
    src.SetPixel(0, 0, RGB(255, 0, 0));
    src.SetPixel(1, 0, RGB(0, 0, 255));
    CDC dst;
    MakeCanvas(dst, 8, 2);
    dst.StretchBlt(0, 0, 4, 2, &src, 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(dst.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dst.GetPixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(dst.GetPixel(2, 0), RGB(0, 0, 255));
    EXPECT_EQ(dst.GetPixel(3, 1), RGB(0, 0, 255));
    // negative destination width mirrors
    dst.StretchBlt(8, 0, -4, 1, &src, 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(dst.GetPixel(7, 0), RGB(255, 0, 0));
    EXPECT_EQ(dst.GetPixel(4, 0), RGB(0, 0, 255));
}

TEST(GdiRaster, FocusRectAndInvertRectToggle)
{
    CDC dc;
    Stripes(dc, 12, 10);
    std::vector<COLORREF> before = Snapshot(dc, 12, 10);
    CRect r(1, 1, 11, 9);
    dc.DrawFocusRect(&r);
    EXPECT_NE(Snapshot(dc, 12, 10), before);
    EXPECT_EQ(dc.GetPixel(5, 5), before[5 * 12 + 5]);  // inside untouched
    dc.DrawFocusRect(&r);
    EXPECT_EQ(Snapshot(dc, 12, 10), before);
    // a huge focus rectangle costs only its visible pixels
    CRect huge(-1000000000, 3, 1000000000, 1000000000);
    dc.DrawFocusRect(&huge);
    dc.DrawFocusRect(&huge);
    EXPECT_EQ(Snapshot(dc, 12, 10), before);
    dc.InvertRect(&r);
    EXPECT_EQ(dc.GetPixel(4, 4), RGB(255, 255, 255) ^ before[4 * 12 + 4]);
    dc.InvertRect(&r);
    EXPECT_EQ(Snapshot(dc, 12, 10), before);
}

TEST(GdiRaster, DragRectMovesWithoutLeavingTraces)
{
    CDC dc;
    Stripes(dc, 40, 30);
    std::vector<COLORREF> before = Snapshot(dc, 40, 30);
    CRect a(2, 2, 20, 15), b(6, 5, 30, 25);
    CSize edge(3, 3);
    dc.DrawDragRect(&a, edge, nullptr, edge);
    EXPECT_NE(Snapshot(dc, 40, 30), before);
    EXPECT_EQ(dc.GetPixel(10, 9), before[9 * 40 + 10]);  // inside the frame untouched
    dc.DrawDragRect(&b, edge, &a, edge);                  // move
    dc.DrawDragRect(&b, edge, nullptr, edge);             // erase
    EXPECT_EQ(Snapshot(dc, 40, 30), before);
    EXPECT_EQ(CDC::GetHalftoneBrush(), CDC::GetHalftoneBrush());
}

TEST(GdiRaster, DisabledBitmapIsEmbossed)
{
    CBitmap pic;
    pic.CreateBitmap(3, 3, 1, 32, nullptr);
    {
        CDC mem;
        mem.CreateCompatibleDC(nullptr);
        CBitmap* old = mem.SelectObject(&pic);
        mem.FillSolidRect(0, 0, 3, 3, kWhite);
        mem.SetPixel(1, 1, kBlack);
        mem.SelectObject(old);
    }
    CDC dc;
    MakeCanvas(dc, 6, 6, RGB(0, 255, 0));
    dc.DrawState(CPoint(1, 1), CSize(3, 3), &pic, DST_BITMAP | DSS_DISABLED);
    EXPECT_EQ(dc.GetPixel(2, 2), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(dc.GetPixel(3, 3), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(0, 255, 0));  // the light background is not drawn
    dc.DrawState(CPoint(1, 1), CSize(3, 3), &pic, DST_BITMAP);
    EXPECT_EQ(dc.GetPixel(1, 1), kWhite);
    EXPECT_EQ(dc.GetPixel(2, 2), kBlack);
}

TEST(GdiRaster, HatchBrushLeavesGapsWhenTransparent)
{
    CDC dc;
    MakeCanvas(dc, 8, 8, RGB(0, 255, 0));
    CBrush hatch(HS_CROSS, kBlack);
    dc.SetBkMode(TRANSPARENT);
    CRect r(0, 0, 8, 8);
    dc.FillRect(&r, &hatch);
    EXPECT_EQ(CountPixels(dc, r, kBlack), 15);  // one row and one column of the 8x8 cell
    EXPECT_EQ(CountPixels(dc, r, RGB(0, 255, 0)), 49);
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(RGB(255, 0, 0));
    dc.FillRect(&r, &hatch);
    EXPECT_EQ(CountPixels(dc, r, RGB(255, 0, 0)), 49);
}

}  // namespace
