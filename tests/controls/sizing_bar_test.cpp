// Sizing bars in the frame's dock rows: sharing a row, dragging the edges across and along the
// row with the mouse, breaking a row that no longer fits, keeping a shown bar's length,
// floating, and the gripper band's close button and caption.
#include "BarTestSupport.h"

#include "controls/SizingControlBarCF.h"
#include "platform/ui/controls/CtlClasses.h"

#include <cstdlib>

namespace bartest {
namespace {

constexpr UINT kBarA = 0xE881, kBarB = 0xE882, kBarC = 0xE883;

class SizingBarTest : public BarTest {
protected:
    void SetUp() override
    {
        BarTest::SetUp();
        m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CSCBMiniDockFrameWnd);
    }
    void TearDown() override
    {
        BarTest::TearDown();
        m_bars.clear();
        SetSimulationRunningQuery(nullptr);
    }
    // A caption bar allowed to dock anywhere, not docked yet.
    CSizingControlBarCF& AddBar(UINT nID, CSize size = CSize(125, 125))
    {
        auto bar = std::make_unique<CSizingControlBarCF>();
        EXPECT_TRUE(bar->Create(L"Bar", m_pFrame, size, TRUE, nID, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM));
        bar->SetBarStyle(bar->GetBarStyle() | CBRS_SIZE_DYNAMIC);
        bar->EnableDocking(CBRS_ALIGN_ANY);
        m_bars.push_back(std::move(bar));
        return static_cast<CSizingControlBarCF&>(*m_bars.back());
    }
    // Docks pBar at the bottom in pLeft's row, right of it.
    void DockRightOf(CControlBar* pBar, CControlBar* pLeft)
    {
        CRect rc;
        pLeft->GetWindowRect(&rc);
        rc.OffsetRect(rc.Width() - 4, 0);
        m_pFrame->DockControlBar(pBar, Dock(AFX_IDW_DOCKBAR_BOTTOM), &rc);
        Layout();
    }
    // The screen point in the middle of a draggable edge of a bar.
    static CPoint EdgePoint(CSizingControlBar& bar, UINT hit)
    {
        CRect rc;
        bar.GetWindowRect(&rc);
        switch (hit) {
        case HTLEFT:
            return CPoint(rc.left + 2, rc.CenterPoint().y);
        case HTRIGHT:
            return CPoint(rc.right - 3, rc.CenterPoint().y);
        case HTTOP:
            return CPoint(rc.CenterPoint().x, rc.top + 2);
        default:
            return CPoint(rc.CenterPoint().x, rc.bottom - 3);
        }
    }
    void DragEdge(CSizingControlBar& bar, UINT hit, CSize by)
    {
        const CPoint from = EdgePoint(bar, hit);
        ASSERT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(from.x, from.y)), LRESULT(hit));
        DragNonClient(from, {from + CSize(by.cx / 2, by.cy / 2), from + by});
        Idle();
    }
    // A modal drag (the dock context's loop): moves and the release run inside the loop.
    void DragModal(CPoint from, const std::vector<CPoint>& path)
    {
        for (const CPoint& pt : path)
            drv.Host().QueueIdleStep([this, pt] { drv.MouseMove(pt); });
        const CPoint last = path.back();
        drv.Host().QueueIdleStep([this, last] { drv.MouseUp(last); });
        drv.MouseMove(from);
        drv.MouseDown(from);
        drv.Pump();
        Idle();
    }

    std::vector<std::unique_ptr<CSizingControlBar>> m_bars;
};

TEST_F(SizingBarTest, BarsOfOneRowFillItsLengthAndTakeTheWidestThickness)
{
    auto& a = AddBar(kBarA, CSize(125, 125));
    auto& b = AddBar(kBarB, CSize(125, 80));
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    DockRightOf(&b, &a);
    Idle();

    const CRect ra = InFrame(&a), rb = InFrame(&b);
    EXPECT_EQ(ra.top, rb.top);
    EXPECT_EQ(ra.left, -2);
    EXPECT_EQ(rb.left, ra.right - 2);  // neighbours overlap by 2
    EXPECT_EQ(rb.right, 602);          // the row runs 2 past the frame's edge
    // The bar shown last keeps its length; the other takes up the rest.
    EXPECT_EQ(rb.Width(), 125);
    EXPECT_EQ(ra.Width(), 606 - 125);
    EXPECT_EQ(a.m_szHorz.cy, 125);
    EXPECT_EQ(b.m_szHorz.cy, 125);
    EXPECT_EQ(ViewRect().bottom, rb.top + 2);
    // The inner edges can be dragged, the outer ones not; the top edge faces the views.
    EXPECT_EQ(a.GetSCBStyle() & SCBS_EDGEALL, SCBS_EDGERIGHT | SCBS_EDGETOP);
    EXPECT_EQ(b.GetSCBStyle() & SCBS_EDGEALL, SCBS_EDGELEFT | SCBS_EDGETOP);
}

TEST_F(SizingBarTest, DraggingTheEdgeAlongTheRowMovesLengthBetweenNeighboursWithinTheirMinimums)
{
    auto& a = AddBar(kBarA);
    auto& b = AddBar(kBarB);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    DockRightOf(&b, &a);
    Idle();
    const int la = a.m_szHorz.cx, lb = b.m_szHorz.cx;

    struct Case {
        int dx;
        int expectA;
        int expectB;
    } cases[] = {
        {40, la + 40, lb - 40},
        {-100, la - 60, lb + 60},
        {-2000, 33, la + lb - 33},  // a shrinks to its minimum length and no further
        {2000, la + lb - 33, 33},
    };
    for (const Case& c : cases) {
        DragEdge(a, HTRIGHT, CSize(c.dx, 0));
        EXPECT_EQ(a.m_szHorz.cx, c.expectA) << c.dx;
        EXPECT_EQ(b.m_szHorz.cx, c.expectB) << c.dx;
        EXPECT_EQ(InFrame(&b).left, InFrame(&a).right - 2) << c.dx;
        EXPECT_EQ(InFrame(&b).right, 602) << c.dx;
    }
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(SizingBarTest, DraggingTheEdgeAcrossTheRowSetsTheThicknessOfTheWholeRow)
{
    auto& a = AddBar(kBarA);
    auto& b = AddBar(kBarB);
    b.m_szMinHorz.cy = 50;
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    DockRightOf(&b, &a);
    Idle();

    DragEdge(a, HTTOP, CSize(0, -60));
    EXPECT_EQ(a.m_szHorz.cy, 185);
    EXPECT_EQ(b.m_szHorz.cy, 185);
    EXPECT_EQ(InFrame(&b).Height(), 185);

    // Up to leaving the views 2 pixels, down to the row's largest minimum thickness.
    DragEdge(b, HTTOP, CSize(0, -2000));
    EXPECT_EQ(ViewRect().Height(), 2);
    DragEdge(a, HTTOP, CSize(0, 2000));
    EXPECT_EQ(a.m_szHorz.cy, 50);
    EXPECT_EQ(b.m_szHorz.cy, 50);
}

TEST_F(SizingBarTest, EdgeDragDrawsAnInvertedTrackerAndChangesNothingOnScreenUntilRelease)
{
    auto& a = AddBar(kBarA);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    Idle();
    const CRect before = InFrame(&a);
    const CPoint from = EdgePoint(a, HTTOP);
    const CPoint to = from + CSize(0, -80);
    const COLORREF plain = PixelAt(to);
    drv.MouseMove(from);
    drv.MouseDown(from);
    drv.Pump();
    drv.MouseMove(to);
    drv.Pump();
    // The tracker line (a halftone pattern inverted) lies under the pointer.
    EXPECT_TRUE(PixelAt(to) != plain || PixelAt(to + CSize(1, 0)) != plain);
    EXPECT_EQ(InFrame(&a), before);     // the bar itself has not moved yet
    drv.MouseUp(to);
    drv.Pump();
    Idle();
    EXPECT_EQ(InFrame(&a).top, before.top - 80);
}

TEST_F(SizingBarTest, ARowWhoseMinimumLengthsNoLongerFitIsBrokenInTwo)
{
    auto& a = AddBar(kBarA);
    auto& b = AddBar(kBarB);
    auto& c = AddBar(kBarC);
    for (CSizingControlBar* p : {&a, &b, &c})
        p->m_szMinHorz.cx = 250;
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    DockRightOf(&b, &a);
    DockRightOf(&c, &b);
    Layout();
    Idle();
    EXPECT_EQ(InFrame(&a).top, InFrame(&b).top);
    EXPECT_NE(InFrame(&c).top, InFrame(&a).top);
    EXPECT_EQ(InFrame(&c).Width(), 604);  // alone in its row, c spans it
}

TEST_F(SizingBarTest, AShownBarKeepsItsLengthWhileTheOthersAbsorbTheDifference)
{
    auto& a = AddBar(kBarA);
    auto& b = AddBar(kBarB);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    DockRightOf(&b, &a);
    Idle();
    DragEdge(a, HTRIGHT, CSize(-150, 0));
    const int lb = b.m_szHorz.cx;

    // b's caption band, painted in the caption colour while b shows there.
    CRect rcB;
    b.GetWindowRect(&rcB);
    const CPoint band(rcB.left + 10, rcB.top + 25);
    EXPECT_EQ(PixelAt(band), ::GetSysColor(COLOR_INACTIVECAPTION));
    m_pFrame->ShowControlBar(&b, FALSE, FALSE);
    Idle();
    EXPECT_EQ(a.m_szHorz.cx, 604);
    EXPECT_EQ(PixelAt(band), ::GetSysColor(COLOR_BTNFACE));  // a, grown over it, repainted it
    m_pFrame->ShowControlBar(&b, TRUE, FALSE);
    Idle();
    EXPECT_EQ(b.m_szHorz.cx, lb);
    EXPECT_EQ(a.m_szHorz.cx, 606 - lb);
}

TEST_F(SizingBarTest, AFloatedBarLosesTheFrameCaptionSizesWithItsFrameAndDocksOnDoubleClick)
{
    auto& a = AddBar(kBarA, CSize(200, 120));
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    Idle();
    // Drag the bar by its client area into the middle of the frame.
    const CPoint grab = Screen(&a, CPoint(20, 20));
    DragModal(grab, {Screen(m_pFrame, CPoint(300, 100)), Screen(m_pFrame, CPoint(300, 120))});
    ASSERT_TRUE(a.IsSizingFloating());
    auto* pMini = DYNAMIC_DOWNCAST(CSCBMiniDockFrameWnd, a.m_pDockBar->GetParent());
    ASSERT_NE(pMini, nullptr);
    EXPECT_EQ(pMini->GetStyle() & WS_CAPTION, 0u);
    EXPECT_NE(pMini->GetStyle() & WS_THICKFRAME, 0u);
    EXPECT_TRUE(pMini->IsWindowVisible());
    // Sizing the floating frame sets the bar's floating size.
    CRect rcMini;
    pMini->GetWindowRect(&rcMini);
    drv.Resize(pMini->GetSafeHwnd(), CRect(rcMini.TopLeft(), CSize(rcMini.Width() + 60, rcMini.Height() + 40)));
    drv.Pump();
    CRect client;
    pMini->GetClientRect(&client);
    EXPECT_EQ(a.m_szFloat, CSize(client.Width() + 4, client.Height() + 4));
    EXPECT_EQ(a.m_szFloat, CSize(260, 160));

    // Double-clicking the floating bar docks it again.
    drv.DoubleClick(Screen(&a, CPoint(20, 20)));
    drv.Pump();
    Idle();
    EXPECT_EQ(a.m_pDockBar, Dock(AFX_IDW_DOCKBAR_BOTTOM));
    // Docked, a double-click leaves it docked.
    drv.DoubleClick(Screen(&a, CPoint(20, 20)));
    drv.Pump();
    EXPECT_EQ(a.m_pDockBar, Dock(AFX_IDW_DOCKBAR_BOTTOM));
}

TEST_F(SizingBarTest, TheCloseButtonHidesTheBarExceptWhileASimulationRuns)
{
    auto& a = AddBar(kBarA);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    Idle();
    const CPoint close = ScreenOfWindowPoint(&a, a.GetCloseButtonRect().CenterPoint());

    BOOL running = TRUE;
    SetSimulationRunningQuery([&running] { return running; });
    EXPECT_EQ(a.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y)), HTCLIENT);
    drv.Click(close);
    drv.Pump();
    Idle();
    EXPECT_TRUE(a.IsWindowVisible());

    running = FALSE;
    EXPECT_EQ(a.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y)), HTCLOSE);
    drv.Click(close);
    drv.Pump();
    Idle();
    EXPECT_FALSE(a.IsWindowVisible());
    EXPECT_EQ(ViewRect(), CRect(0, 0, 600, 400));
}

TEST_F(SizingBarTest, TheCaptionBandTurnsActiveWhileTheFocusIsInsideTheBar)
{
    auto& a = AddBar(kBarA);
    a.SetSCBStyle(a.GetSCBStyle() | SCBS_SIZECHILD);
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &a, 1));
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_LEFT);
    Layout();
    Idle();
    // The band runs along the top of a bar docked at the side; probe it left of the title.
    CRect rcClient;
    a.GetClientRect(&rcClient);
    const CPoint probe = Screen(&a, CPoint(rcClient.right - 20, -4));
    EXPECT_FALSE(a.IsCaptionActive());
    EXPECT_EQ(PixelAt(probe), ::GetSysColor(COLOR_INACTIVECAPTION));

    edit.SetFocus();
    Idle();
    EXPECT_TRUE(a.IsCaptionActive());
    EXPECT_EQ(PixelAt(probe), ::GetSysColor(COLOR_ACTIVECAPTION));

    m_pView->SetFocus();
    Idle();
    EXPECT_FALSE(a.IsCaptionActive());
    EXPECT_EQ(PixelAt(probe), ::GetSysColor(COLOR_INACTIVECAPTION));
    // The child fills the client area.
    CRect rcEdit;
    edit.GetWindowRect(&rcEdit);
    CRect rcScreen = rcClient;
    a.ClientToScreen(&rcScreen);
    EXPECT_EQ(rcEdit, rcScreen);
}

}  // namespace
}  // namespace bartest
