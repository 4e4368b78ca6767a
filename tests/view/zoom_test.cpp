// Zoom, scaling and scroll sizes of the diagram view: the worked values, the point kept in the
// middle of the window, and the diagram point of a mouse position.
#include "ViewTestSupport.h"

#include <climits>

namespace viewtest {
namespace {

TEST(ZoomArithmetic, ScaleToDeviceRoundsHalfAwayFromZero)
{
    const struct {
        float value;
        int expected;
    } cases[] = {{1.5f, 2}, {1.49f, 1}, {-1.5f, -2}, {-1.49f, -1}, {0.0f, 0}, {75.0f, 75}, {399.5f, 400},
                   // Beyond the int range (a damaged extent times the zoom) the size stays an int.
                   {1e12f, INT_MAX - 127}, {-1e12f, INT_MIN + 128}};
    for (const auto& c : cases)
        EXPECT_EQ(CTavixView::ScaleToDevice(c.value), c.expected) << c.value;
}

TEST(ZoomArithmetic, ZoomIsHeldWithinAQuarterAndFour)
{
    const struct {
        float zoom;
        float stored;
    } cases[] = {{5.0f, 4.0f}, {4.0f, 4.0f}, {3.99f, 3.99f}, {0.2f, 0.25f}, {0.25f, 0.25f}, {0.0f, 0.25f},
                 {-1.0f, 0.25f}, {0.75f, 0.75f}, {1.0f, 1.0f}};
    for (const auto& c : cases) {
        CTavixDoc doc;
        CTavixView view(&doc);
        view.SetZoom(c.zoom);
        EXPECT_EQ(doc.m_fZoom, c.stored) << c.zoom;
    }
}

TEST_F(ViewTest, ScrollSizesAreTheExtentTimesTheZoomRounded)
{
    Open(NewDocument(1));
    document->m_rcExtent = CRect(0, 0, 1000, 701);
    const struct {
        float zoom;
        CSize total;
    } cases[] = {{0.75f, {750, 526}}, {1.25f, {1250, 876}}, {1.0f, {1000, 701}}, {0.25f, {250, 175}}, {4.0f, {4000, 2804}}};
    for (const auto& c : cases) {
        view->SetZoom(c.zoom);
        view->UpdateScrollSizes();
        EXPECT_EQ(view->m_sizeTotal, c.total) << c.zoom;
        EXPECT_EQ(view->GetTotalSize(), c.total) << c.zoom;
    }
}

TEST_F(ViewTest, MousePositionsBecomeDiagramPointsTruncated)
{
    Open(NewDocument(1));
    const struct {
        float zoom;
        CPoint client;
        CPoint diagram;
    } cases[] = {{0.25f, {1, 1}, {4, 4}}, {4.0f, {1, 3}, {0, 0}}, {4.0f, {5, 9}, {1, 2}}, {1.5f, {10, 11}, {6, 7}}};
    for (const auto& c : cases) {
        view->SetZoom(c.zoom);
        view->UpdateScrollSizes();
        view->ScrollToPosition(CPoint(0, 0));
        EXPECT_EQ(view->ClientToDiagram(c.client), c.diagram) << c.zoom;
    }
    // The scroll position counts in device units before the division.
    view->SetZoom(2.0f);
    view->UpdateScrollSizes();
    view->ScrollToPosition(CPoint(100, 40));
    EXPECT_EQ(view->ClientToDiagram(CPoint(10, 10)), CPoint(55, 25));
}

TEST_F(ViewTest, ZoomKeepsTheMiddleOfTheWindowFromOneUpAndGoesHomeFromBelowOne)
{
    Open(NewDocument(1), 400, 300);
    document->m_rcExtent = CRect(0, 0, 3000, 2000);
    view->UpdateScrollSizes();
    view->ScrollToPosition(CPoint(600, 500));
    CRect client;
    view->GetClientRect(&client);
    const CPoint half(client.Width() / 2, client.Height() / 2);
    const CPoint centre = view->GetViewCentre();  // device units at zoom 1
    EXPECT_EQ(centre, CPoint(600 + half.x, 500 + half.y));
    view->ZoomTo(2.0f);
    EXPECT_EQ(document->m_fZoom, 2.0f);
    EXPECT_EQ(view->GetViewCentre(), CPoint(2 * centre.x, 2 * centre.y));
    view->ZoomTo(1.0f);
    EXPECT_EQ(view->GetViewCentre(), centre);

    view->ZoomTo(0.5f);
    view->ScrollToPosition(CPoint(300, 200));
    view->ZoomTo(1.0f);
    EXPECT_EQ(view->GetDeviceScrollPosition(), CPoint(0, 0));
    view->ZoomTo(9.0f);
    EXPECT_EQ(document->m_fZoom, 4.0f);
}

}  // namespace
}  // namespace viewtest
