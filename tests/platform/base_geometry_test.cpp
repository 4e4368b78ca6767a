#include "platform/base/Geometry.h"

#include <gtest/gtest.h>

#include <ostream>

static void PrintTo(const CRect& r, std::ostream* os)
{
    *os << '(' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ')';
}

namespace {

TEST(Geometry, RectMeasures)
{
    const CRect r(10, 20, 31, 45);
    EXPECT_EQ(r.Width(), 21);
    EXPECT_EQ(r.Height(), 25);
    EXPECT_EQ(r.Size(), CSize(21, 25));
    EXPECT_EQ(r.TopLeft(), CPoint(10, 20));
    EXPECT_EQ(r.BottomRight(), CPoint(31, 45));
    EXPECT_EQ(r.CenterPoint(), CPoint(20, 32));  // integer halves
    EXPECT_EQ(CRect(-3, -3, 0, 0).CenterPoint(), CPoint(-1, -1));
    EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));
}

TEST(Geometry, PtInRectExcludesRightAndBottomEdges)
{
    const CRect r(0, 0, 10, 5);
    const struct {
        CPoint p;
        bool inside;
    } cases[] = {
        {{0, 0}, true}, {{9, 4}, true}, {{10, 0}, false}, {{0, 5}, false}, {{-1, 2}, false}, {{5, -1}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(r.PtInRect(c.p), c.inside) << c.p.x << ',' << c.p.y;
        EXPECT_EQ(::PtInRect(&r, c.p) != FALSE, c.inside) << c.p.x << ',' << c.p.y;
    }
}

TEST(Geometry, EmptyNullAndNormalize)
{
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(CRect().IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 2, 9).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 2, 9).IsRectNull());
    CRect r(30, 40, 10, 20);  // rubber band dragged up and left
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(10, 20, 30, 40));
    r.SetRectEmpty();
    EXPECT_TRUE(r.IsRectNull());
    RECT raw{1, 2, 3, 4};
    EXPECT_TRUE(::SetRectEmpty(&raw));
    EXPECT_TRUE(::IsRectEmpty(&raw));
    EXPECT_FALSE(::SetRectEmpty(nullptr));
}

TEST(Geometry, InflateDeflateAndOffset)
{
    CRect r(10, 10, 20, 20);
    r.InflateRect(2, 1);
    EXPECT_EQ(r, CRect(8, 9, 22, 21));
    r.DeflateRect(2, 1);
    EXPECT_EQ(r, CRect(10, 10, 20, 20));
    r.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(9, 8, 23, 24));
    r.DeflateRect(1, 2, 3, 4);
    RECT margins{1, 1, 2, 2};
    r.InflateRect(&margins);
    EXPECT_EQ(r, CRect(9, 9, 22, 22));
    r.DeflateRect(&margins);
    r.InflateRect(CSize(5, 5));
    r.DeflateRect(CSize(5, 5));
    EXPECT_EQ(r, CRect(10, 10, 20, 20));
    r.OffsetRect(5, -5);
    EXPECT_EQ(r, CRect(15, 5, 25, 15));
    r.OffsetRect(CPoint(-5, 5));
    EXPECT_EQ(r, CRect(10, 10, 20, 20));
    EXPECT_EQ(r + CPoint(1, 1), CRect(11, 11, 21, 21));
    EXPECT_EQ(r - CSize(1, 1), CRect(9, 9, 19, 19));
    r.MoveToXY(0, 0);
    EXPECT_EQ(r, CRect(0, 0, 10, 10));

    RECT raw{0, 0, 4, 4};
    ::InflateRect(&raw, 5, 7);  // bus widened
    EXPECT_EQ(CRect(raw), CRect(-5, -7, 9, 11));
    ::OffsetRect(&raw, 5, 7);
    EXPECT_EQ(CRect(raw), CRect(0, 0, 14, 18));
}

TEST(Geometry, SetOperations)
{
    const CRect a(0, 0, 10, 10);
    const struct {
        const char* what;
        CRect b;
        CRect intersection;  // empty = none
        CRect unionRect;
    } cases[] = {
        {"overlap", CRect(5, 5, 15, 15), CRect(5, 5, 10, 10), CRect(0, 0, 15, 15)},
        {"inside", CRect(2, 2, 4, 4), CRect(2, 2, 4, 4), CRect(0, 0, 10, 10)},
        {"touching edge", CRect(10, 0, 20, 10), CRect(), CRect(0, 0, 20, 10)},
        {"apart", CRect(20, 20, 30, 30), CRect(), CRect(0, 0, 30, 30)},
        {"empty b", CRect(50, 50, 50, 60), CRect(), CRect(0, 0, 10, 10)},
    };
    for (const auto& c : cases) {
        CRect i;
        EXPECT_EQ(i.IntersectRect(&a, &c.b), !c.intersection.IsRectEmpty()) << c.what;
        EXPECT_EQ(i, c.intersection) << c.what;
        EXPECT_EQ(a & c.b, c.intersection) << c.what;
        EXPECT_EQ(a | c.b, c.unionRect) << c.what;
    }
    CRect both;
    CRect e1(1, 1, 1, 1), e2(5, 5, 4, 4);
    EXPECT_FALSE(both.UnionRect(&e1, &e2));
    EXPECT_TRUE(both.IsRectNull());

    // The destination may be one of the sources.
    CRect r(0, 0, 10, 10);
    r &= CRect(5, 0, 20, 5);
    EXPECT_EQ(r, CRect(5, 0, 10, 5));
    r |= CRect(0, 0, 1, 1);
    EXPECT_EQ(r, CRect(0, 0, 10, 5));
}

TEST(Geometry, SubtractRectOnlyCutsWholeSides)
{
    const CRect a(0, 0, 10, 10);
    const struct {
        CRect b;
        CRect expected;
        bool nonEmpty;
    } cases[] = {
        {CRect(0, 0, 4, 10), CRect(4, 0, 10, 10), true},     // left side
        {CRect(6, -5, 20, 20), CRect(0, 0, 6, 10), true},    // right side
        {CRect(-1, 0, 11, 3), CRect(0, 3, 10, 10), true},    // top
        {CRect(0, 8, 10, 10), CRect(0, 0, 10, 8), true},     // bottom
        {CRect(3, 3, 6, 6), CRect(0, 0, 10, 10), true},      // hole: unchanged
        {CRect(-1, -1, 11, 11), CRect(), false},             // covered
    };
    for (const auto& c : cases) {
        CRect r;
        EXPECT_EQ(r.SubtractRect(&a, &c.b), c.nonEmpty);
        EXPECT_EQ(r, c.expected);
    }
}

TEST(Geometry, PointAndSizeArithmetic)
{
    CPoint p(3, 4);
    p += CSize(1, 1);
    EXPECT_EQ(p, CPoint(4, 5));
    p -= CPoint(4, 5);
    EXPECT_EQ(p, CPoint(0, 0));
    EXPECT_EQ(CPoint(5, 5) - CPoint(2, 1), CSize(3, 4));
    EXPECT_EQ(CPoint(5, 5) - CSize(2, 1), CPoint(3, 4));
    EXPECT_EQ(-CPoint(1, -2), CPoint(-1, 2));
    EXPECT_EQ(CSize(1, 2) + CSize(3, 4), CSize(4, 6));
    EXPECT_TRUE(CPoint(1, 2) != CPoint(2, 1));
    EXPECT_TRUE(::EqualRect(CRect(1, 2, 3, 4), CRect(1, 2, 3, 4)));
    RECT copy;
    EXPECT_TRUE(::CopyRect(&copy, CRect(1, 2, 3, 4)));
    EXPECT_EQ(CRect(copy), CRect(1, 2, 3, 4));
    // Byte layout as stored in program files: four 32-bit ints / two 32-bit ints.
    static_assert(sizeof(CRect) == 16 && sizeof(CPoint) == 8 && sizeof(CSize) == 8);
}

}  // namespace
