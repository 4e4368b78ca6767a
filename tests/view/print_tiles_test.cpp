// How a printed diagram is cut into pages: row by row from the top-left corner, and every unit
// of a picture that does not divide evenly on exactly one page.
#include "view/PrintTiles.h"

#include <gtest/gtest.h>

namespace {

TEST(PrintTiles, PagesRunRowByRowAndCoverThePictureOnce)
{
    CPrintTiles tiles;
    tiles.SetLayout(3, 2, CSize(5760, 2160));
    ASSERT_EQ(tiles.GetPageCount(), 6);
    EXPECT_EQ(tiles.GetTile(1), CRect(0, 0, 1920, 1080));
    EXPECT_EQ(tiles.GetTile(3), CRect(3840, 0, 5760, 1080));
    EXPECT_EQ(tiles.GetTile(4), CRect(0, 1080, 1920, 2160));
    EXPECT_TRUE(tiles.GetTile(0).IsRectEmpty());
    EXPECT_TRUE(tiles.GetTile(7).IsRectEmpty());

    // 100 x 7 over 3 x 2 pages: no column or row is left out, none is printed twice.
    tiles.SetLayout(3, 2, CSize(100, 7));
    int area = 0;
    for (int page = 1; page <= 6; ++page) {
        const CRect t = tiles.GetTile(page);
        EXPECT_GE(t.Width(), 33);
        EXPECT_LE(t.Width(), 34);
        area += t.Width() * t.Height();
    }
    EXPECT_EQ(area, 700);
    EXPECT_EQ(tiles.GetTile(6).BottomRight(), CPoint(100, 7));

    // A damaged layout prints one page.
    tiles.SetLayout(0, -3, CSize(10, 10));
    EXPECT_EQ(tiles.GetPageCount(), 1);
    EXPECT_EQ(tiles.GetTile(1), CRect(0, 0, 10, 10));
}

}  // namespace
