// The scroll view: sizes, scroll bars, positions in logical and device units, the viewport
// origin OnPrepareDC gives, scrolling by the bars and the wheel.
#include "fw_support.h"

#include "platform/ui/core/WndDC.h"

using namespace fwdemo;

namespace fwtest {
namespace {

class FwScrollTest : public FwTest {
protected:
    CDemoView* OpenView()
    {
        StartApp();
        CDocument* doc = app->m_pTextTemplate->OpenDocumentFile(nullptr);
        drv.Pump();
        POSITION pos = doc->GetFirstViewPosition();
        auto* view = static_cast<CDemoView*>(doc->GetNextView(pos));
        MainFrame()->MDIGetActive()->MDIMaximize();
        drv.Pump();
        return view;
    }
};

TEST_F(FwScrollTest, PositionsAndTheViewportOrigin)
{
    CDemoView* view = OpenView();
    EXPECT_EQ(view->GetTotalSize(), CSize(1000, 2000));
    EXPECT_TRUE(view->GetStyle() & WS_VSCROLL);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 0));

    view->ScrollToPosition(CPoint(30, 400));
    EXPECT_EQ(view->GetDeviceScrollPosition(), CPoint((view->GetStyle() & WS_HSCROLL) ? 30 : 0, 400));
    CClientDC dc(view);
    view->OnPrepareDC(&dc);
    EXPECT_EQ(dc.GetViewportOrg(), -view->GetDeviceScrollPosition());

    // Beyond the end the position stops at the last page.
    view->ScrollToPosition(CPoint(0, 99999));
    CRect client;
    view->GetClientRect(&client);
    EXPECT_EQ(view->GetDeviceScrollPosition().y, 2000 - client.Height());
    view->ScrollToPosition(CPoint(-50, -50));
    EXPECT_EQ(view->GetDeviceScrollPosition(), CPoint(0, 0));

    // A smaller document drops the bars and the offset.
    view->ScrollToPosition(CPoint(0, 300));
    view->SetScrollSizes(MM_TEXT, CSize(50, 50));
    EXPECT_FALSE(view->GetStyle() & WS_VSCROLL);
    EXPECT_EQ(view->GetDeviceScrollPosition(), CPoint(0, 0));
}

TEST_F(FwScrollTest, BarsAndWheelScroll)
{
    CDemoView* view = OpenView();
    int line, page;
    {
        int mode;
        SIZE total, p, l;
        view->GetDeviceScrollSizes(mode, total, p, l);
        EXPECT_EQ(mode, MM_TEXT);
        line = l.cy;
        page = p.cy;
    }
    EXPECT_EQ(page, 200);
    EXPECT_EQ(line, 20);
    struct Case {
        UINT code;
        int expected;
    } cases[] = {{SB_LINEDOWN, 20}, {SB_PAGEDOWN, 220}, {SB_LINEUP, 200}, {SB_TOP, 0}};
    for (const Case& c : cases) {
        view->SendMessage(WM_VSCROLL, MAKEWPARAM(c.code, 0), 0);
        EXPECT_EQ(view->GetDeviceScrollPosition().y, c.expected) << c.code;
    }
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0);
    EXPECT_EQ(view->GetDeviceScrollPosition().y, 3 * line);
}

TEST_F(FwScrollTest, MetricMappingModesConvertToPixels)
{
    CDemoView* view = OpenView();
    view->SetScrollSizes(MM_LOMETRIC, CSize(2540, 2540));  // 10 inches
    int mode;
    SIZE total, p, l;
    view->GetDeviceScrollSizes(mode, total, p, l);
    CDC screen;
    screen.CreateDC(L"DISPLAY", nullptr, nullptr, nullptr);
    int dpi = screen.GetDeviceCaps(LOGPIXELSX);
    EXPECT_NEAR(total.cx, 10 * dpi, 1);
    view->ScrollToPosition(CPoint(0, -254));  // one inch down (y grows upward)
    EXPECT_NEAR(view->GetDeviceScrollPosition().y, dpi, 1);
    EXPECT_NEAR(view->GetScrollPosition().y, -254, 3);
}

}  // namespace
}  // namespace fwtest
