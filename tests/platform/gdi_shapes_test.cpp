// Pixel conventions of lines and shapes: right/bottom edges excluded, one-pixel lines without
// their last pixel, pen widths, null pens and fill modes.
#include "gdi_support.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <climits>

using namespace gditest;

namespace {

struct LineCase {
    const char* name;
    POINT from, to;
    std::vector<std::string> expected;
};

class GdiLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(GdiLines, OnePixelLineLeavesOutItsLastPixel)
{
    const LineCase& c = GetParam();
    CDC dc;
    MakeCanvas(dc, 6, 4);
    dc.MoveTo(c.from);
    dc.LineTo(c.to);
    EXPECT_EQ(Picture(dc, 6, 4), c.expected) << c.name;
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(c.to));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GdiLines,
    ::testing::Values(LineCase{"rightwards", {1, 1}, {5, 1}, {"......", ".####.", "......", "......"}},
                      LineCase{"leftwards", {5, 1}, {1, 1}, {"......", "..####", "......", "......"}},
                      LineCase{"downwards", {2, 0}, {2, 3}, {"..#...", "..#...", "..#...", "......"}},
                      LineCase{"diagonal", {0, 0}, {3, 3}, {"#.....", ".#....", "..#...", "......"}},
                      LineCase{"zero length", {2, 2}, {2, 2}, {"......", "......", "......", "......"}}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (ch == ' ')
                ch = '_';
        return n;
    });

TEST(GdiShapes, LinesWithWildCoordinatesDrawOnlyTheirVisiblePart)
{
    for (int style : {PS_SOLID, PS_DOT}) {
        CDC dc;
        MakeCanvas(dc, 20, 20);
        CPen pen(style, 1, kBlack);
        dc.SelectObject(&pen);
        dc.SetBkMode(TRANSPARENT);
        dc.MoveTo(-2000000000, -2000000000);
        dc.LineTo(2000000000, 2000000000);  // the diagonal through the canvas
        dc.MoveTo(INT_MIN, 5);
        dc.LineTo(INT_MAX, 5);
        dc.SelectStockObject(BLACK_PEN);
        EXPECT_EQ(dc.GetPixel(3, 9), kWhite) << style;
        if (style == PS_SOLID) {
            EXPECT_EQ(dc.GetPixel(10, 10), kBlack);
            EXPECT_EQ(dc.GetPixel(19, 19), kBlack);
            EXPECT_EQ(dc.GetPixel(0, 5), kBlack);
        } else {
            EXPECT_GT(CountPixels(dc, CRect(0, 0, 20, 20), kBlack), 10);
        }
    }
}

TEST(GdiShapes, RectangleOutlineAndFillStopBeforeRightAndBottom)
{
    CDC dc;
    MakeCanvas(dc, 7, 6);
    CBrush red(RGB(255, 0, 0));
    CBrush* oldBrush = dc.SelectObject(&red);
    dc.Rectangle(1, 1, 6, 5);
    dc.SelectObject(oldBrush);
    EXPECT_EQ(Picture(dc, 7, 6), (std::vector<std::string>{".......", ".#####.", ".#...#.", ".#...#.", ".#####.",
                                                            "......."}));
    EXPECT_EQ(Picture(dc, 7, 6, RGB(255, 0, 0)), (std::vector<std::string>{".......", ".......", "..###..",
                                                                           "..###..", ".......", "......."}));
}

TEST(GdiShapes, RectangleWithNullPenFillsOnePixelLess)
{
    CDC dc;
    MakeCanvas(dc, 6, 5);
    dc.SelectStockObject(NULL_PEN);
    dc.SelectStockObject(BLACK_BRUSH);
    dc.Rectangle(1, 1, 5, 4);
    EXPECT_EQ(Picture(dc, 6, 5), (std::vector<std::string>{"......", ".###..", ".###..", "......", "......"}));
}

TEST(GdiShapes, PolygonFillsInsideAndOutlinesVertices)
{
    CDC dc;
    MakeCanvas(dc, 7, 7);
    CBrush green(RGB(0, 255, 0));
    dc.SelectObject(&green);
    dc.SelectStockObject(NULL_PEN);
    POINT square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
    dc.Polygon(square, 4);
    // the fill covers [1,5) x [1,5): right and bottom edges excluded
    EXPECT_EQ(InkBox(dc, 7, 7), CRect(1, 1, 5, 5));
    EXPECT_EQ(CountPixels(dc, CRect(0, 0, 7, 7), RGB(0, 255, 0)), 16);

    dc.SelectStockObject(BLACK_PEN);
    dc.Polygon(square, 4);
    // the outline passes through every vertex, closing edge included
    for (const POINT& p : square)
        EXPECT_EQ(dc.GetPixel(p), kBlack);
    EXPECT_EQ(InkBox(dc, 7, 7), CRect(1, 1, 6, 6));
}

TEST(GdiShapes, FillModesDifferOnSelfOverlappingPolygon)
{
    // a pentagram: the centre is inside for WINDING, outside for ALTERNATE
    POINT star[] = {{20, 2}, {32, 38}, {1, 15}, {39, 15}, {8, 38}};
    for (int mode : {ALTERNATE, WINDING}) {
        CDC dc;
        MakeCanvas(dc, 40, 40);
        dc.SelectStockObject(NULL_PEN);
        dc.SelectStockObject(BLACK_BRUSH);
        dc.SetPolyFillMode(mode);
        dc.Polygon(star, 5);
        EXPECT_EQ(dc.GetPixel(20, 22), mode == WINDING ? kBlack : kWhite) << mode;
        EXPECT_EQ(dc.GetPixel(20, 8), kBlack) << mode;
    }
}

TEST(GdiShapes, WidePenZeroLengthLineDrawsADot)
{
    CDC dc;
    MakeCanvas(dc, 20, 20);
    CPen pen(PS_SOLID, 8, kBlack);
    dc.SelectObject(&pen);
    dc.MoveTo(10, 10);
    dc.LineTo(10, 10);
    CRect box = InkBox(dc, 20, 20);
    EXPECT_GE(box.Width(), 7);
    EXPECT_LE(box.Width(), 9);
    EXPECT_GE(box.Height(), 7);
    EXPECT_EQ(dc.GetPixel(10, 10), kBlack);
    EXPECT_EQ(dc.GetPixel(box.left, box.top), kWhite);  // round, not square
    dc.SelectStockObject(BLACK_PEN);
}

// The dot of a zero-length wide line is laid from pixels kept for its pen: they must be the ones
// the stroked path covers (drawn here through a mask by a raster operation that keeps the pen's
// colour on white), anywhere on the surface, cut at its edges and by a clip.
TEST(GdiShapes, DotsCoverTheStrokedPathsPixels)
{
    const DWORD geometric = PS_GEOMETRIC | PS_SOLID;
    const struct {
        int width;
        DWORD style;
    } pens[] = {{2, PS_SOLID},
                {3, PS_SOLID},
                {5, PS_SOLID},
                {8, PS_SOLID},
                {9, PS_SOLID},
                {6, geometric | PS_ENDCAP_SQUARE},
                {7, geometric | PS_ENDCAP_FLAT},
                {4, geometric | PS_ENDCAP_ROUND | PS_JOIN_BEVEL}};
    const POINT places[] = {{20, 20}, {0, 0}, {1, 38}, {4095, 20}, {4093, 39}, {2500, 1}, {26, 15}};
    constexpr int kW = 4096, kH = 40;
    const COLORREF colour = RGB(200, 30, 90);
    for (const auto& p : pens)
        for (const POINT& at : places) {
            auto draw = [&](CDC& dc, int rop) {
                MakeCanvas(dc, kW, kH);
                dc.ExcludeClipRect(27, 0, 30, kH);
                LOGBRUSH lb{BS_SOLID, colour, 0};
                CPen pen;
                if (p.style & PS_GEOMETRIC)
                    pen.Attach(ExtCreatePen(p.style, p.width, &lb, 0, nullptr));
                else
                    pen.CreatePen(int(p.style), p.width, colour);
                CPen* old = dc.SelectObject(&pen);
                dc.SetROP2(rop);
                dc.MoveTo(at.x, at.y);
                dc.LineTo(at.x, at.y);
                dc.SelectObject(old);
            };
            CDC stamped, stroked;
            draw(stamped, R2_COPYPEN);
            draw(stroked, R2_MASKPEN);
            int differing = 0, ink = 0;
            for (int y = std::max(0, int(at.y) - 12); y < std::min(kH, int(at.y) + 12); ++y)
                for (int x = std::max(0, int(at.x) - 12); x < std::min(kW, int(at.x) + 12); ++x) {
                    differing += stamped.GetPixel(x, y) != stroked.GetPixel(x, y);
                    ink += stroked.GetPixel(x, y) == colour;
                }
            EXPECT_EQ(differing, 0) << p.width << " " << p.style << " at " << at.x << "," << at.y;
            if ((p.style & PS_ENDCAP_MASK) == PS_ENDCAP_ROUND) {  // degenerate square and flat caps draw nothing
                EXPECT_GT(ink, 0) << p.width << " at " << at.x << "," << at.y;
            }
        }
}

TEST(GdiShapes, DottedCosmeticPenPaintsGapsOnlyWhenOpaque)
{
    for (int mode : {TRANSPARENT, OPAQUE}) {
        CDC dc;
        MakeCanvas(dc, 20, 1);
        CPen dot(PS_DOT, 1, kBlack);
        dc.SelectObject(&dot);
        dc.SetBkMode(mode);
        dc.SetBkColor(RGB(0, 0, 255));
        dc.MoveTo(0, 0);
        dc.LineTo(18, 0);
        int black = CountPixels(dc, CRect(0, 0, 20, 1), kBlack);
        int blue = CountPixels(dc, CRect(0, 0, 20, 1), RGB(0, 0, 255));
        EXPECT_GT(black, 4) << mode;
        EXPECT_LT(black, 14) << mode;
        EXPECT_EQ(blue, mode == OPAQUE ? 18 - black : 0) << mode;
        dc.SelectStockObject(BLACK_PEN);
    }
}

TEST(GdiShapes, EllipseAndArcStayInsideTheirBox)
{
    CDC dc;
    MakeCanvas(dc, 30, 30);
    dc.SelectStockObject(BLACK_BRUSH);
    dc.Ellipse(5, 5, 25, 15);
    EXPECT_EQ(InkBox(dc, 30, 30), CRect(5, 5, 25, 15));

    CDC arc;
    MakeCanvas(arc, 30, 30);
    // counter-clockwise from the right (3 o'clock) to the top: the upper right quarter
    arc.Arc(5, 5, 25, 25, 25, 15, 15, 5);
    CRect box = InkBox(arc, 30, 30);
    EXPECT_GE(box.left, 14);
    EXPECT_LE(box.bottom, 16);
    // the same end points clockwise take the other three quarters
    CDC cw;
    MakeCanvas(cw, 30, 30);
    cw.SetArcDirection(AD_CLOCKWISE);
    cw.Arc(5, 5, 25, 25, 25, 15, 15, 5);
    EXPECT_EQ(InkBox(cw, 30, 30).left, 5);
    EXPECT_GE(InkBox(cw, 30, 30).bottom, 24);
}

TEST(GdiShapes, BezierPassesThroughItsEndPoints)
{
    CDC dc;
    MakeCanvas(dc, 30, 20);
    POINT pts[] = {{2, 15}, {8, 0}, {20, 0}, {27, 15}};
    ASSERT_TRUE(dc.PolyBezier(pts, 4));
    EXPECT_EQ(dc.GetPixel(2, 15), kBlack);
    CRect box = InkBox(dc, 30, 20);
    EXPECT_EQ(box.left, 2);
    EXPECT_GE(box.right, 27);
    EXPECT_GE(box.top, 3);  // the curve stays below its control points
    EXPECT_LE(box.top, 5);
    EXPECT_FALSE(dc.PolyBezier(pts, 3));  // needs 1 + 3n points
}

TEST(GdiShapes, RoundRectPieAndChordFillTheirShapes)
{
    CDC dc;
    MakeCanvas(dc, 30, 30);
    dc.SelectStockObject(BLACK_BRUSH);
    dc.RoundRect(0, 0, 20, 20, 10, 10);
    EXPECT_EQ(dc.GetPixel(0, 0), kWhite);  // the corner is cut off
    EXPECT_EQ(dc.GetPixel(10, 0), kBlack);
    EXPECT_EQ(dc.GetPixel(0, 10), kBlack);
    EXPECT_EQ(dc.GetPixel(10, 10), kBlack);
    EXPECT_EQ(InkBox(dc, 30, 30), CRect(0, 0, 20, 20));

    // a pie from 3 o'clock counter-clockwise to 12 o'clock: the upper right quarter
    CDC pie;
    MakeCanvas(pie, 30, 30);
    pie.SelectStockObject(BLACK_BRUSH);
    pie.Pie(0, 0, 21, 21, 21, 10, 10, 0);
    EXPECT_EQ(pie.GetPixel(15, 5), kBlack);
    EXPECT_EQ(pie.GetPixel(5, 15), kWhite);
    EXPECT_EQ(pie.GetPixel(5, 5), kWhite);
    // the chord of the same arc leaves out the triangle towards the centre
    CDC chord;
    MakeCanvas(chord, 30, 30);
    chord.SelectStockObject(BLACK_BRUSH);
    chord.Chord(0, 0, 21, 21, 21, 10, 10, 0);
    EXPECT_EQ(chord.GetPixel(17, 3), kBlack);
    EXPECT_EQ(chord.GetPixel(12, 8), kWhite);
}

TEST(GdiShapes, DashedPensRepeatTheirPattern)
{
    for (int style : {PS_DASH, PS_DASHDOT, PS_DASHDOTDOT}) {
        CDC dc;
        MakeCanvas(dc, 100, 1);
        CPen pen(style, 1, kBlack);
        dc.SelectObject(&pen);
        dc.MoveTo(0, 0);
        dc.LineTo(96, 0);
        dc.SelectStockObject(BLACK_PEN);
        int ink = CountPixels(dc, CRect(0, 0, 100, 1), kBlack);
        EXPECT_GT(ink, 40) << style;
        EXPECT_LT(ink, 80) << style;
        EXPECT_EQ(dc.GetPixel(0, 0), kBlack) << style;  // patterns start with a dash
    }
}

TEST(GdiShapes, CurrentPositionFollowsToFunctions)
{
    CDC dc;
    MakeCanvas(dc, 40, 40);
    dc.MoveTo(1, 1);
    POINT pts[] = {{10, 1}, {10, 10}};
    dc.PolylineTo(pts, 2);
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(10, 10));
    EXPECT_EQ(dc.GetPixel(5, 1), kBlack);
    // ArcTo draws a line to the arc's start and ends at the arc's end
    dc.ArcTo(20, 20, 40, 40, 40, 30, 30, 20);
    CPoint end = dc.GetCurrentPosition();
    EXPECT_NEAR(end.x, 30, 1);
    EXPECT_NEAR(end.y, 20, 1);
    EXPECT_EQ(dc.GetPixel(20, 17), kBlack);  // on the line from (10, 10) to (39, 30)
    POINT bez[] = {{30, 20}, {30, 5}, {35, 5}};
    dc.PolyBezierTo(bez, 3);
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(35, 5));
}

TEST(GdiShapes, FramesAndEdges)
{
    CDC dc;
    MakeCanvas(dc, 8, 6);
    CBrush black(kBlack);
    CRect r(1, 1, 7, 5);
    dc.FrameRect(&r, &black);
    EXPECT_EQ(Picture(dc, 8, 6), (std::vector<std::string>{"........", ".######.", ".#....#.", ".#....#.", ".######.",
                                                           "........"}));

    CDC d3;
    MakeCanvas(d3, 6, 5);
    d3.Draw3dRect(CRect(0, 0, 5, 4), RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(d3.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(d3.GetPixel(3, 0), RGB(255, 0, 0));
    EXPECT_EQ(d3.GetPixel(4, 0), RGB(0, 0, 255));  // top-right corner belongs to the dark side
    EXPECT_EQ(d3.GetPixel(0, 3), RGB(0, 0, 255));
    EXPECT_EQ(d3.GetPixel(5, 0), kWhite);

    CDC edge;
    MakeCanvas(edge, 10, 10);
    CRect er(0, 0, 10, 10);
    edge.DrawEdge(&er, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    EXPECT_EQ(er, CRect(2, 2, 8, 8));
    EXPECT_EQ(edge.GetPixel(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(edge.GetPixel(1, 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(edge.GetPixel(9, 9), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(edge.GetPixel(8, 8), GetSysColor(COLOR_3DLIGHT));
}

TEST(GdiShapes, PenWidthScalesWithMapping)
{
    CDC dc;
    MakeCanvas(dc, 40, 40);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(200, 200);
    CPen pen(PS_SOLID, 2, kBlack);
    dc.SelectObject(&pen);
    dc.MoveTo(2, 10);
    dc.LineTo(15, 10);
    dc.SetMapMode(MM_TEXT);
    // width 2 at zoom 2 is four pixels across
    int rows = 0;
    for (int y = 0; y < 40; ++y)
        rows += dc.GetPixel(15, y) == kBlack;
    EXPECT_EQ(rows, 4);
    dc.SelectStockObject(BLACK_PEN);

    // a width-0 pen stays one pixel at any zoom
    CDC thin;
    MakeCanvas(thin, 40, 40);
    thin.SetMapMode(MM_ANISOTROPIC);
    thin.SetWindowExt(1, 1);
    thin.SetViewportExt(3, 3);
    CPen zero(PS_SOLID, 0, kBlack);
    thin.SelectObject(&zero);
    thin.MoveTo(1, 5);
    thin.LineTo(10, 5);
    thin.SelectStockObject(BLACK_PEN);
    thin.SetMapMode(MM_TEXT);
    EXPECT_EQ(InkBox(thin, 40, 40), CRect(3, 15, 30, 16));
}

}  // namespace
