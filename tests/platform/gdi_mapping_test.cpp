// Mapping modes, saved states and clipping of device contexts.
#include "gdi_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

using namespace gditest;

namespace {

struct MapCase {
    const char* name;
    int mode;
    SIZE winExt, vpExt;
    POINT winOrg, vpOrg;
    POINT logical, device;
};

TEST(GdiMapping, LogicalToDeviceTable)
{
    const MapCase cases[] = {
        {"text", MM_TEXT, {1, 1}, {1, 1}, {0, 0}, {0, 0}, {7, -3}, {7, -3}},
        {"text origins", MM_TEXT, {1, 1}, {1, 1}, {10, 20}, {-100, 5}, {15, 25}, {-95, 10}},
        {"zoom 150%", MM_ANISOTROPIC, {100, 100}, {150, 150}, {0, 0}, {0, 0}, {10, 20}, {15, 30}},
        {"zoom rounds", MM_ANISOTROPIC, {100, 100}, {125, 125}, {0, 0}, {0, 0}, {3, 5}, {4, 6}},
        {"scrolled zoom", MM_ANISOTROPIC, {100, 100}, {200, 200}, {0, 0}, {-50, -30}, {40, 40}, {30, 50}},
        {"anisotropic", MM_ANISOTROPIC, {100, 50}, {300, 100}, {0, 0}, {0, 0}, {10, 10}, {30, 20}},
        {"isotropic takes smaller", MM_ISOTROPIC, {100, 100}, {300, 200}, {0, 0}, {0, 0}, {10, 10}, {20, 20}},
        {"flipped y", MM_ANISOTROPIC, {1, 1}, {1, -1}, {0, 0}, {0, 100}, {5, 30}, {5, 70}},
    };
    for (const MapCase& c : cases) {
        CDC dc;
        MakeCanvas(dc, 4, 4);
        dc.SetMapMode(c.mode);
        dc.SetWindowExt(c.winExt);
        dc.SetViewportExt(c.vpExt);
        dc.SetWindowOrg(c.winOrg);
        dc.SetViewportOrg(c.vpOrg);
        POINT p = c.logical;
        dc.LPtoDP(&p);
        EXPECT_EQ(CPoint(p), CPoint(c.device)) << c.name;
        dc.DPtoLP(&p);
        EXPECT_NEAR(p.x, c.logical.x, 1) << c.name;
        EXPECT_NEAR(p.y, c.logical.y, 1) << c.name;
    }
}

TEST(GdiMapping, ExtremeExtentsStayInRange)
{
    CDC dc;
    MakeCanvas(dc, 4, 4);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1, -1);
    dc.SetViewportExt(INT_MAX, INT_MIN + 1);
    dc.SetWindowOrg(INT_MAX, 0);
    POINT p{INT_MIN, INT_MIN};
    dc.LPtoDP(&p);
    EXPECT_LE(std::abs(p.x), 1 << 30);
    EXPECT_LE(std::abs(p.y), 1 << 30);
    dc.FillSolidRect(INT_MIN / 2, 0, INT_MAX, 10, kBlack);  // clipped, no overflow
    dc.MoveTo(INT_MIN, INT_MIN);
    dc.LineTo(INT_MAX, INT_MAX);
}

TEST(GdiMapping, ExtentsAreIgnoredOutsideScalableModes)
{
    CDC dc;
    MakeCanvas(dc, 4, 4);
    dc.SetWindowExt(10, 10);
    dc.SetViewportExt(20, 20);
    POINT p{3, 4};
    dc.LPtoDP(&p);
    EXPECT_EQ(CPoint(p), CPoint(3, 4));
    dc.SetMapMode(MM_LOMETRIC);  // 0.1 mm, y up
    POINT q{254, 254};
    dc.LPtoDP(&q);
    EXPECT_EQ(CPoint(q), CPoint(96, -96));
}

TEST(GdiMapping, RectsAndSizesConvert)
{
    CDC dc;
    MakeCanvas(dc, 4, 4);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(250, 250);
    dc.SetViewportOrg(-10, -10);
    CRect r(2, 2, 4, 6);
    dc.LPtoDP(&r);
    EXPECT_EQ(r, CRect(-5, -5, 0, 5));
    CSize s(2, 4);
    dc.LPtoDP(&s);
    EXPECT_EQ(s, CSize(5, 10));
    EXPECT_EQ(dc.OffsetViewportOrg(10, 0), CPoint(-10, -10));
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, -10));
    EXPECT_EQ(dc.ScaleViewportExt(2, 1, 1, 5), CSize(250, 250));
    EXPECT_EQ(dc.GetViewportExt(), CSize(500, 50));
}

TEST(GdiMapping, SaveAndRestoreBringBackStateAndObjects)
{
    CDC dc;
    MakeCanvas(dc, 4, 4);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* original = dc.SelectObject(&red);
    int level = dc.SaveDC();
    EXPECT_EQ(level, 1);
    CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
    dc.SelectObject(&blue);
    dc.SetTextColor(RGB(1, 2, 3));
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetViewportOrg(5, 5);
    dc.IntersectClipRect(0, 0, 1, 1);
    EXPECT_EQ(dc.SaveDC(), 2);
    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetCurrentPen(), &blue);
    EXPECT_TRUE(dc.RestoreDC(level));
    EXPECT_EQ(dc.GetCurrentPen(), &red);
    EXPECT_EQ(dc.GetTextColor(), kBlack);
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
    CRect clip;
    EXPECT_EQ(dc.GetClipBox(&clip), SIMPLEREGION);
    EXPECT_EQ(clip, CRect(0, 0, 4, 4));
    EXPECT_FALSE(dc.RestoreDC(1));  // already gone
    dc.SelectObject(original);
}

TEST(GdiClip, DrawingStaysInsideTheClip)
{
    CDC dc;
    MakeCanvas(dc, 10, 10);
    dc.IntersectClipRect(2, 2, 8, 8);
    dc.ExcludeClipRect(4, 4, 6, 6);
    CRect box;
    EXPECT_EQ(dc.GetClipBox(&box), COMPLEXREGION);
    EXPECT_EQ(box, CRect(2, 2, 8, 8));
    dc.FillSolidRect(0, 0, 10, 10, kBlack);
    EXPECT_EQ(CountPixels(dc, CRect(0, 0, 10, 10), kBlack), 36 - 4);
    EXPECT_EQ(dc.GetPixel(4, 4), CLR_INVALID);  // clipped out
    dc.SelectClipRgn(nullptr);
    EXPECT_EQ(dc.GetPixel(4, 4), kWhite);
    EXPECT_EQ(dc.GetPixel(1, 1), kWhite);
}

TEST(GdiClip, ClipRegionIsInDeviceUnitsAndClipBoxInLogical)
{
    CDC dc;
    MakeCanvas(dc, 100, 100);
    CRgn rgn;
    rgn.CreateRectRgn(10, 10, 50, 30);
    dc.SelectClipRgn(&rgn);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(200, 200);
    dc.SetViewportOrg(-20, 0);
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(15, 5, 35, 15));
    EXPECT_TRUE(dc.PtVisible(15, 5));
    EXPECT_FALSE(dc.PtVisible(14, 5));
    EXPECT_TRUE(dc.RectVisible(CRect(0, 0, 16, 6)));
    EXPECT_FALSE(dc.RectVisible(CRect(0, 0, 15, 5)));

    // modes combining with the current clip
    CDC c;
    MakeCanvas(c, 20, 20);
    CRgn a, b;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    c.SelectClipRgn(&a);
    c.SelectClipRgn(&b, RGN_OR);
    c.GetClipBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 15, 15));
    c.SelectClipRgn(&a, RGN_DIFF);
    c.GetClipBox(&box);
    EXPECT_EQ(box, CRect(5, 5, 15, 15));
    EXPECT_FALSE(c.PtVisible(6, 6));
}

TEST(GdiClip, EmptyClipBoxForANullRegion)
{
    CDC dc;
    MakeCanvas(dc, 10, 10);
    dc.IntersectClipRect(20, 20, 30, 30);
    CRect box;
    EXPECT_EQ(dc.GetClipBox(&box), NULLREGION);
    EXPECT_TRUE(box.IsRectEmpty());
    dc.FillSolidRect(0, 0, 10, 10, kBlack);
    dc.SelectClipRgn(nullptr);
    EXPECT_EQ(CountPixels(dc, CRect(0, 0, 10, 10), kBlack), 0);
}

}  // namespace
