// Dragging bars with the mouse: to another side, into the open to float, back from a floating
// frame's caption, cancelled with the right button; resizing a floating bar's frame.
#include "dock_support.h"

#include <algorithm>
#include <functional>

namespace docktest {
namespace {

constexpr UINT kBar1 = 0xE881;

// Presses at `from` (screen), moves through `path` and releases at the last point (or presses
// the right button there when `cancel`), with the tracking loop of `start` running meanwhile.
void DragAlong(CHeadlessDriver& drv, const std::vector<CPoint>& path, bool cancel, const std::function<void()>& start)
{
    for (const CPoint& pt : path)
        drv.Host().QueueIdleStep([&drv, pt] { drv.MouseMove(pt); });
    const CPoint last = path.back();
    drv.Host().QueueIdleStep([&drv, last, cancel] {
        if (cancel)
            drv.MouseDown(last, 1);
        else
            drv.MouseUp(last);
    });
    start();
    drv.Pump();
}

CPoint Screen(CWnd* pWnd, CPoint client)
{
    pWnd->ClientToScreen(&client);
    return client;
}

TEST_F(DockTest, DraggingADockedBarToAnotherSideDocksItThere)
{
    CTestBar& a = AddBar(kBar1);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    Layout();
    const CPoint grab = Screen(&a, CPoint(50, 10));
    const CPoint drop = Screen(m_pFrame, CPoint(5, 200));  // over the frame's left edge
    DragAlong(drv, {Screen(m_pFrame, CPoint(200, 150)), drop}, false,
              [&] { a.m_pDockContext->StartDrag(grab); });
    Layout();

    EXPECT_EQ(a.m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(a.GetBarStyle() & CBRS_ALIGN_ANY, CBRS_ALIGN_LEFT);
    EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_TOP)), "");
    EXPECT_EQ(a.m_pDockContext->m_uMRUDockID, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(ViewRect(), CRect(26, 0, 600, 400));
    // The bar is where it was dropped along the side: the drop point lies on it.
    CRect r;
    a.GetWindowRect(&r);
    EXPECT_TRUE(r.top <= drop.y && drop.y < r.bottom) << r.top << " " << r.bottom;
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(DockTest, DraggingABarIntoTheOpenFloatsItAtTheDropPoint)
{
    CTestBar& a = AddBar(kBar1);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    const CPoint grab = Screen(&a, CPoint(50, 10));
    const CPoint drop = Screen(m_pFrame, CPoint(300, 150));
    // While dragging, the floating outline is drawn inverted on the frame; it goes afterwards.
    CRect frameRect;
    m_pFrame->GetWindowRect(&frameRect);
    COLORREF during = CLR_INVALID;
    CPoint probe;
    drv.Host().QueueIdleStep([&] { drv.MouseMove(drop); });
    drv.Host().QueueIdleStep([&] {
        const CRect outline = a.m_pDockContext->m_rectFrameDragHorz;
        probe = CPoint(outline.left + 1 - frameRect.left, outline.CenterPoint().y - frameRect.top);
        during = drv.Pixel(m_pFrame->GetSafeHwnd(), probe.x, probe.y);
    });
    drv.Host().QueueIdleStep([&] { drv.MouseUp(drop); });
    a.m_pDockContext->StartDrag(grab);
    drv.Pump();
    ASSERT_NE(during, CLR_INVALID);
    EXPECT_NE(during, drv.Pixel(m_pFrame->GetSafeHwnd(), probe.x, probe.y));

    ASSERT_TRUE(a.IsFloating());
    EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_BOTTOM)), "p1 |");
    CRect rc;
    FloatingFrameOf(&a)->GetWindowRect(&rc);
    EXPECT_TRUE(rc.PtInRect(drop));
    EXPECT_EQ(a.m_pDockContext->m_ptMRUFloatPos, rc.TopLeft());

    // Dragged back by the caption onto the bottom edge, it docks again.
    CRect client;
    FloatingFrameOf(&a)->GetClientRect(&client);
    FloatingFrameOf(&a)->ClientToScreen(&client);
    const CPoint caption(client.CenterPoint().x, client.top - 6);
    drv.Host().QueueIdleStep([&] { drv.MouseMove(Screen(m_pFrame, CPoint(300, 398))); });
    drv.Host().QueueIdleStep([&] { drv.MouseUp(Screen(m_pFrame, CPoint(300, 398))); });
    drv.MouseDown(caption);
    drv.Pump();
    Layout();
    EXPECT_FALSE(a.IsFloating());
    EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_BOTTOM)), "1 |");
    EXPECT_TRUE(AfxGetFloatingFrames(m_pFrame).empty());
}

TEST_F(DockTest, RightButtonCancelsADragAndNothingMoves)
{
    CTestBar& a = AddBar(kBar1);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    Layout();
    const CRect before = InFrame(&a);
    DragAlong(drv, {Screen(m_pFrame, CPoint(300, 200))}, true,
              [&] { a.m_pDockContext->StartDrag(Screen(&a, CPoint(50, 10))); });
    EXPECT_EQ(a.m_pDockBar, Dock(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(InFrame(&a), before);
    EXPECT_TRUE(AfxGetFloatingFrames(m_pFrame).empty());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(DockTest, BarThatMayOnlyDockAtTheBottomFloatsOverOtherSides)
{
    CTestBar& a = AddBar(kBar1, CBRS_ALIGN_BOTTOM);
    m_pFrame->DockControlBar(&a);  // its only side
    Layout();
    EXPECT_EQ(a.m_pDockBar, Dock(AFX_IDW_DOCKBAR_BOTTOM));
    DragAlong(drv, {Screen(m_pFrame, CPoint(5, 200))}, false,
              [&] { a.m_pDockContext->StartDrag(Screen(&a, CPoint(50, 10))); });
    EXPECT_TRUE(a.IsFloating());
}

TEST_F(DockTest, PressingTheBarBackgroundStartsTheDrag)
{
    CTestBar& a = AddBar(kBar1);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    Layout();
    drv.Pump();
    const CPoint drop = Screen(m_pFrame, CPoint(300, 390));
    drv.Host().QueueIdleStep([&] { drv.MouseMove(drop); });
    drv.Host().QueueIdleStep([&] { drv.MouseUp(drop); });
    drv.MouseDown(Screen(&a, CPoint(50, 10)));
    drv.Pump();
    Layout();
    EXPECT_EQ(a.m_pDockBar, Dock(AFX_IDW_DOCKBAR_BOTTOM));
}

}  // namespace
}  // namespace docktest

namespace docktest {
namespace {

// A bar that sizes itself: its floating width follows what it is asked for (at least 40).
class CDynamicBar : public CTestBar {
public:
    CSize m_float{120, 40};
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override
    {
        if (nMode & (LM_HORZDOCK | LM_VERTDOCK))
            return CControlBar::CalcDynamicLayout(nLength, nMode);
        if (nMode & LM_MRUWIDTH)
            return m_float;
        if (nMode & LM_COMMIT) {
            (nMode & LM_LENGTHY ? m_float.cy : m_float.cx) = std::max(nLength, 40);
            return m_float;
        }
        return nMode & LM_LENGTHY ? CSize(m_float.cx, std::max(nLength, 40)) : CSize(std::max(nLength, 40), m_float.cy);
    }
};

TEST_F(DockTest, DraggingAFloatingFramesBorderResizesADynamicBar)
{
    CDynamicBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, 0xE889, L"Dynamic", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->FloatControlBar(&bar, CPoint(200, 200));
    CMiniDockFrameWnd* pMini = FloatingFrameOf(&bar);
    ASSERT_NE(pMini, nullptr);
    EXPECT_EQ(pMini->GetStyle() & ~WS_VISIBLE, 0x80C83300u);  // no moving border for a dynamic bar
    CRect client;
    pMini->GetClientRect(&client);
    EXPECT_EQ(client.Size(), CSize(116, 36));
    CString title;
    pMini->GetWindowText(title);
    EXPECT_EQ(title, CString(L"Dynamic"));

    CRect rc;
    pMini->GetWindowRect(&rc);
    const CPoint edge(rc.right - 2, rc.CenterPoint().y);
    ASSERT_EQ(pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y)), HTRIGHT);
    drv.Host().QueueIdleStep([&] { drv.MouseMove(CPoint(edge.x + 30, edge.y)); });
    drv.Host().QueueIdleStep([&] { drv.MouseMove(CPoint(edge.x + 50, edge.y + 7)); });
    drv.Host().QueueIdleStep([&] { drv.MouseUp(CPoint(edge.x + 50, edge.y + 7)); });
    drv.MouseDown(edge);
    drv.Pump();

    EXPECT_EQ(bar.m_float, CSize(170, 40));
    pMini->GetClientRect(&client);
    EXPECT_EQ(client.Size(), CSize(166, 36));
    CRect after;
    pMini->GetWindowRect(&after);
    EXPECT_EQ(after.TopLeft(), rc.TopLeft());  // the left edge stays
    bar.DestroyWindow();
}

}  // namespace
}  // namespace docktest

namespace docktest {
namespace {

TEST_F(DockTest, HoldingCtrlWhileDraggingFloatsTheBarEvenOverASide)
{
    CTestBar& a = AddBar(0xE881);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    Layout();
    m_pFrame->SetFocus();
    drv.Pump();
    const CPoint drop = Screen(m_pFrame, CPoint(5, 200));  // over the left side
    drv.Host().QueueIdleStep([&] { drv.KeyDown(VK_CONTROL); });
    drv.Host().QueueIdleStep([&] { drv.MouseMove(drop); });
    drv.Host().QueueIdleStep([&] { drv.MouseUp(drop); });
    a.m_pDockContext->StartDrag(Screen(&a, CPoint(50, 10)));
    drv.KeyUp(VK_CONTROL);
    drv.Pump();
    EXPECT_TRUE(a.IsFloating());
}

}  // namespace
}  // namespace docktest
