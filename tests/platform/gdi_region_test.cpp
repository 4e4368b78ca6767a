// Regions: construction, combination, hit testing and painting.
#include "gdi_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace gditest;

namespace {

int Area(CRgn& rgn, const CRect& bounds)
{
    int n = 0;
    for (int y = bounds.top; y < bounds.bottom; ++y)
        for (int x = bounds.left; x < bounds.right; ++x)
            n += rgn.PtInRegion(x, y) ? 1 : 0;
    return n;
}

TEST(GdiRegion, CombineModes)
{
    struct Case {
        int mode;
        int area;
        int type;
        CRect box;
    } cases[] = {
        {RGN_AND, 25, SIMPLEREGION, CRect(5, 5, 10, 10)},
        {RGN_OR, 175, COMPLEXREGION, CRect(0, 0, 15, 15)},
        {RGN_XOR, 150, COMPLEXREGION, CRect(0, 0, 15, 15)},
        {RGN_DIFF, 75, COMPLEXREGION, CRect(0, 0, 10, 10)},
        {RGN_COPY, 100, SIMPLEREGION, CRect(0, 0, 10, 10)},
    };
    for (const Case& c : cases) {
        CRgn a, b, out;
        a.CreateRectRgn(0, 0, 10, 10);
        b.CreateRectRgn(5, 5, 15, 15);
        out.CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(out.CombineRgn(&a, &b, c.mode), c.type) << c.mode;
        CRect box;
        out.GetRgnBox(&box);
        EXPECT_EQ(box, c.box) << c.mode;
        EXPECT_EQ(Area(out, CRect(-1, -1, 16, 16)), c.area) << c.mode;
    }
}

TEST(GdiRegion, DisjointUnionAndEquality)
{
    CRgn a, b, u, v;
    a.CreateRectRgn(0, 0, 4, 4);
    b.CreateRectRgn(4, 0, 8, 4);
    u.CreateRectRgn(0, 0, 0, 0);
    // touching rectangles merge into one
    EXPECT_EQ(u.CombineRgn(&a, &b, RGN_OR), SIMPLEREGION);
    v.CreateRectRgn(0, 0, 8, 4);
    EXPECT_TRUE(u.EqualRgn(&v));
    EXPECT_EQ(u.OffsetRgn(10, 1), SIMPLEREGION);
    EXPECT_TRUE(u.PtInRegion(10, 1));
    EXPECT_FALSE(u.PtInRegion(18, 1));
    EXPECT_TRUE(u.RectInRegion(CRect(0, 0, 11, 2)));
    EXPECT_FALSE(u.RectInRegion(CRect(0, 0, 10, 2)));
}

TEST(GdiRegion, PolygonAndRoundRegions)
{
    CRgn tri;
    POINT pts[] = {{0, 0}, {10, 0}, {0, 10}};
    ASSERT_TRUE(tri.CreatePolygonRgn(pts, 3, ALTERNATE));
    EXPECT_TRUE(tri.PtInRegion(1, 1));
    EXPECT_FALSE(tri.PtInRegion(8, 8));
    EXPECT_FALSE(tri.PtInRegion(10, 0));  // right edge excluded
    EXPECT_EQ(Area(tri, CRect(0, 0, 10, 10)), 45);  // pixel centres inside: 9 + 8 + ... + 1

    CRgn round;
    ASSERT_TRUE(round.CreateRoundRectRgn(0, 0, 20, 20, 8, 8));
    EXPECT_FALSE(round.PtInRegion(0, 0));
    EXPECT_TRUE(round.PtInRegion(10, 0));
    EXPECT_TRUE(round.PtInRegion(0, 10));
    EXPECT_FALSE(round.PtInRegion(19, 19));
    CRect box;
    round.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 20, 20));

    CRgn ellipse;
    ellipse.CreateEllipticRgn(0, 0, 10, 10);
    EXPECT_TRUE(ellipse.PtInRegion(5, 5));
    EXPECT_FALSE(ellipse.PtInRegion(0, 1));
}

TEST(GdiRegion, CombinationsAgreeWithPixelSets)
{
    // random unions of rectangles combined every way, checked pixel by pixel
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(0, 20);
    auto randomRegion = [&](CRgn& out, std::vector<bool>& pixels) {
        out.CreateRectRgn(0, 0, 0, 0);
        pixels.assign(24 * 24, false);
        for (int i = 0; i < 4; ++i) {
            int l = coord(rng), t = coord(rng), r = coord(rng), b = coord(rng);
            CRgn part;
            part.CreateRectRgn(l, t, r, b);
            out.CombineRgn(&out, &part, RGN_OR);
            for (int y = std::min(t, b); y < std::max(t, b); ++y)
                for (int x = std::min(l, r); x < std::max(l, r); ++x)
                    pixels[size_t(y * 24 + x)] = true;
        }
    };
    for (int round = 0; round < 40; ++round) {
        CRgn a, b;
        std::vector<bool> pa, pb;
        randomRegion(a, pa);
        randomRegion(b, pb);
        for (int mode : {RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF}) {
            CRgn out;
            out.CreateRectRgn(0, 0, 0, 0);
            out.CombineRgn(&a, &b, mode);
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 24; ++x) {
                    bool ia = pa[size_t(y * 24 + x)], ib = pb[size_t(y * 24 + x)];
                    bool want = mode == RGN_AND ? (ia && ib) : mode == RGN_OR ? (ia || ib)
                                : mode == RGN_XOR ? (ia != ib) : (ia && !ib);
                    ASSERT_EQ(bool(out.PtInRegion(x, y)), want) << round << " " << mode << " " << x << "," << y;
                }
        }
    }
}

TEST(GdiRegion, WildCoordinatesDoNotHang)
{
    // a slanted polygon spanning billions of rows is only scanned where it can be drawn
    CRgn huge;
    POINT pts[] = {{0, -2000000000}, {1000, 2000000000}, {-1000, 2000000000}};
    ASSERT_TRUE(huge.CreatePolygonRgn(pts, 3, WINDING));
    EXPECT_TRUE(huge.PtInRegion(0, 0));
    CRgn bad;
    EXPECT_FALSE(bad.CreatePolygonRgn(pts, 1, WINDING));
}

TEST(GdiRegion, FillAndFrameRegion)
{
    CDC dc;
    MakeCanvas(dc, 12, 12);
    CRgn a, b, both;
    a.CreateRectRgn(1, 1, 6, 6);
    b.CreateRectRgn(6, 6, 11, 11);
    both.CreateRectRgn(0, 0, 0, 0);
    both.CombineRgn(&a, &b, RGN_OR);
    CBrush black(kBlack);
    dc.FillRgn(&both, &black);
    EXPECT_EQ(CountPixels(dc, CRect(0, 0, 12, 12), kBlack), 50);

    CDC frame;
    MakeCanvas(frame, 12, 12);
    CRgn sq;
    sq.CreateRectRgn(1, 1, 11, 11);
    frame.FrameRgn(&sq, &black, 2, 1);
    // 2 px wide left/right, 1 px high top/bottom
    EXPECT_EQ(CountPixels(frame, CRect(0, 0, 12, 12), kBlack), 100 - 6 * 8);
    EXPECT_EQ(frame.GetPixel(2, 5), kBlack);
    EXPECT_EQ(frame.GetPixel(3, 5), kWhite);
    EXPECT_EQ(frame.GetPixel(5, 1), kBlack);
    EXPECT_EQ(frame.GetPixel(5, 2), kWhite);
}

}  // namespace
