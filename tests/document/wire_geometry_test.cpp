// Orthogonal wire geometry: moved ends, detours, simplification and rebuilt routes.
#include "DocTestSupport.h"

#include "elements/ConnectLineObj.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

using Points = std::vector<std::pair<int, int>>;

void SetPoints(CConnectLineObj& wire, const Points& points)
{
    wire.m_points.RemoveAll();
    for (const auto& p : points)
        wire.m_points.Add(CPoint(p.first, p.second));
    wire.m_ptStart = CPoint(points.front().first, points.front().second);
    wire.m_ptEnd = CPoint(points.back().first, points.back().second);
}

Points GetPoints(const CConnectLineObj& wire)
{
    Points points;
    for (INT_PTR i = 0; i < wire.m_points.GetSize(); ++i)
        points.emplace_back(wire.m_points[i].x, wire.m_points[i].y);
    return points;
}

bool IsOrthogonal(const Points& points)
{
    for (size_t i = 1; i < points.size(); ++i) {
        if (points[i].first != points[i - 1].first && points[i].second != points[i - 1].second)
            return false;
    }
    return true;
}

} // namespace

TEST(WireGeometry, MovingTheEndOfAStraightWireMakesAZ)
{
    CTavixDoc doc;
    CConnectLineObj wire;
    SetPoints(wire, {{0, 0}, {100, 0}});
    doc.MoveWireEnd(&wire, 100, 40, FALSE, 0);
    EXPECT_EQ(GetPoints(wire), (Points{{0, 0}, {50, 0}, {50, 40}, {100, 40}}));
    EXPECT_EQ(wire.m_ptEnd, CPoint(100, 40));

    // A vertical end segment bends at half height instead, listed from the start.
    SetPoints(wire, {{0, 0}, {0, 100}});
    doc.MoveWireEnd(&wire, 0, 0, TRUE, 0);
    SetPoints(wire, {{10, 0}, {10, 100}});
    doc.MoveWireEnd(&wire, 40, 0, TRUE, 0);
    EXPECT_EQ(GetPoints(wire), (Points{{40, 0}, {40, 50}, {10, 50}, {10, 100}}));

    doc.MoveWireEnd(nullptr, 1, 2, TRUE, 1);  // nothing happens to nothing
}

TEST(WireGeometry, NeighbourFollowsTheMovedEnd)
{
    CTavixDoc doc;
    CConnectLineObj wire;
    SetPoints(wire, {{0, 0}, {50, 0}, {50, 40}, {100, 40}});
    doc.MoveWireEnd(&wire, 100, 60, FALSE, 0);
    EXPECT_EQ(GetPoints(wire), (Points{{0, 0}, {50, 0}, {50, 60}, {100, 60}}));
    doc.MoveWireEnd(&wire, 10, 0, TRUE, 0);
    EXPECT_EQ(GetPoints(wire), (Points{{10, 0}, {50, 0}, {50, 60}, {100, 60}}));
}

TEST(WireGeometry, DetourWhenAWireLeavesAPinOnTheWrongSide)
{
    struct Case {
        Points before;
        int kind;
        Points after;
    };
    const Case cases[] = {
        // Output pin at (100, 0) whose first corner lies left of it; ends 100 apart: mid-height.
        {{{100, 0}, {60, 0}, {60, 100}, {0, 100}}, 1,
         {{100, 0}, {110, 0}, {110, 50}, {60, 50}, {60, 100}, {0, 100}}},
        // Ends 20 apart: 50 below the lower end.
        {{{100, 0}, {60, 0}, {60, 20}, {0, 20}}, 1,
         {{100, 0}, {110, 0}, {110, 70}, {60, 70}, {60, 20}, {0, 20}}},
        // The first corner lies 6 right of the pin: the wire already leaves to the right.
        {{{100, 0}, {106, 0}, {106, 20}, {200, 20}}, 1, {{100, 0}, {106, 0}, {106, 20}, {200, 20}}},
        // Input pin at (0, 0) whose first corner lies right of it: detour 10 to the left.
        {{{0, 0}, {40, 0}, {40, 100}, {100, 100}}, 2,
         {{0, 0}, {-10, 0}, {-10, 50}, {40, 50}, {40, 100}, {100, 100}}},
        // No side: nothing.
        {{{100, 0}, {60, 0}, {60, 100}, {0, 100}}, 0, {{100, 0}, {60, 0}, {60, 100}, {0, 100}}},
    };
    CTavixDoc doc;
    for (const Case& c : cases) {
        CConnectLineObj wire;
        SetPoints(wire, c.before);
        doc.DetourWire(&wire, TRUE, c.kind);
        EXPECT_EQ(GetPoints(wire), c.after);
        EXPECT_TRUE(IsOrthogonal(GetPoints(wire)));
    }
}

TEST(WireGeometry, SimplifyRemovesCollinearCornersAndCapsTheVertexCount)
{
    CTavixDoc doc;
    CConnectLineObj wire;
    SetPoints(wire, {{0, 0}, {20, 0}, {40, 0}, {40, 30}, {40, 60}, {80, 60}});
    doc.SimplifyWire(&wire);
    EXPECT_EQ(GetPoints(wire), (Points{{0, 0}, {40, 0}, {40, 60}, {80, 60}}));

    // Eight vertices without collinear corners or folds are cut to six.
    SetPoints(wire, {{0, 0}, {10, 0}, {10, 10}, {20, 10}, {20, 20}, {30, 20}, {30, 30}, {40, 30}});
    doc.SimplifyWire(&wire);
    EXPECT_EQ(GetPoints(wire), (Points{{0, 0}, {10, 0}, {10, 10}, {30, 10}, {30, 30}, {40, 30}}));
    EXPECT_TRUE(IsOrthogonal(GetPoints(wire)));
}

TEST(WireGeometry, FoldedWireIsRebuiltFromItsPins)
{
    CTavixDoc doc;
    CConnectLineObj wire;
    wire.m_nStartPin = 10;
    wire.m_nEndPin = 0;
    // Out of the output, down, across and back up to the same height: a fold.
    SetPoints(wire, {{0, 0}, {20, 0}, {20, 40}, {60, 40}, {60, 0}, {100, 0}});
    const CPoint window[4] = {CPoint(20, 0), CPoint(20, 40), CPoint(60, 40), CPoint(60, 0)};
    EXPECT_TRUE(CTavixDoc::ChooseBend(window, 100, 0, 0, 0));
    doc.SimplifyWire(&wire);
    EXPECT_EQ(GetPoints(wire), (Points{{0, 0}, {50, 0}, {50, 0}, {100, 0}}));

    // A detour that starts at a pin is left alone, and so is a plain step.
    EXPECT_FALSE(CTavixDoc::ChooseBend(window, 100, 0, 20, 0));
    const CPoint plain[4] = {CPoint(0, 0), CPoint(20, 0), CPoint(20, 40), CPoint(60, 40)};
    EXPECT_FALSE(CTavixDoc::ChooseBend(plain, 100, 30, 0, 0));
}

TEST(WireGeometry, CuttingAnOddVertexCountNeverLeavesASlantedSegment)
{
    CTavixDoc doc;
    CConnectLineObj wire;
    wire.m_nStartPin = 10;
    wire.m_nEndPin = 0;
    SetPoints(wire, {{0, 0}, {20, 0}, {20, 40}, {60, 40}, {60, 10}, {100, 10}, {100, 30}});
    doc.SimplifyWire(&wire);
    EXPECT_TRUE(IsOrthogonal(GetPoints(wire)));
    EXPECT_EQ(GetPoints(wire).front(), (std::pair<int, int>(0, 0)));
    EXPECT_EQ(GetPoints(wire).back(), (std::pair<int, int>(100, 30)));
}

TEST(WireGeometry, RerouteRoutes)
{
    struct Case {
        const char* what;
        CPoint start, end;
        int startPin, endPin;
        Points route;
    };
    const Case cases[] = {
        {"forward from the output", {0, 0}, {100, 50}, 10, 0,
         {{0, 0}, {50, 0}, {50, 50}, {100, 50}}},
        {"forward from the input", {100, 50}, {0, 0}, 0, 10,
         {{100, 50}, {50, 50}, {50, 0}, {0, 0}}},
        {"backward 70 apart", {100, 0}, {0, 70}, 10, 1,
         {{100, 0}, {110, 0}, {110, 35}, {-10, 35}, {-10, 70}, {0, 70}}},
        {"backward 40 apart, output higher", {100, 0}, {0, 40}, 10, 1,
         {{100, 0}, {110, 0}, {110, -30}, {-15, -30}, {-15, 40}, {0, 40}}},
        {"backward 40 apart, input higher", {100, 40}, {0, 0}, 10, 2,
         {{100, 40}, {110, 40}, {110, -40}, {-20, -40}, {-20, 0}, {0, 0}}},
        {"close forward from the output", {0, 0}, {20, 40}, 10, 1,
         {{0, 0}, {10, 0}, {10, 20}, {3, 20}, {3, 40}, {20, 40}}},
    };
    CTavixDoc doc;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CConnectLineObj wire;
        wire.m_ptStart = c.start;
        wire.m_ptEnd = c.end;
        wire.m_nStartPin = c.startPin;
        wire.m_nEndPin = c.endPin;
        doc.RerouteWire(&wire);
        EXPECT_EQ(GetPoints(wire), c.route);
        EXPECT_TRUE(IsOrthogonal(GetPoints(wire)));
    }
}
