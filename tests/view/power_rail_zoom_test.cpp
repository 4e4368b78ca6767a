// The ladder power rail reaches the bottom of the diagram at every zoom, in the picture and in
// the hit area that wiring and clicks use: the diagram's size, not the zoomed scroll size.
#include "ViewTestSupport.h"

#include "elements/PowerBus.h"

namespace viewtest {
namespace {

TEST_F(ViewTest, ThePowerRailSpansTheDiagramAtEveryZoom)
{
    auto doc = NewDocument(2);
    doc->m_rcExtent = CRect(0, 0, 900, 700);
    Open(std::move(doc), 400, 300);
    for (float zoom : {0.5f, 1.0f, 2.0f}) {
        view->ZoomTo(zoom);
        view->UpdateScrollSizes();
        view->ScrollToPosition(CPoint(0, 100000)); // as far down as it goes
        Repaint();
        ASSERT_FALSE(document->m_powerBus.IsEmpty());
        const auto* bus = static_cast<CPowerBusObj*>(document->m_powerBus.GetHead());
        EXPECT_EQ(bus->m_nHeight, 700 - 4) << zoom;

        // Hit area: near the lower end of the diagram on the rail, and nothing below it.
        EXPECT_TRUE(view->IsOnPowerBus(CPoint(25, 690))) << zoom;
        EXPECT_FALSE(view->IsOnPowerBus(CPoint(25, 720))) << zoom;

        // Picture: the rail is black 10 units above the diagram's lower end.
        const CPoint scroll = view->GetDeviceScrollPosition();
        const int x = int(24 * zoom) - scroll.x, y = int(690 * zoom) - scroll.y;
        const Image img = Capture();
        ASSERT_TRUE(x >= 0 && x < img.width && y >= 0 && y < img.height) << zoom;
        EXPECT_EQ(img.At(x, y), 0x000000u) << zoom;
    }
}

} // namespace
} // namespace viewtest
