// Floating bars: their mini frames, the placeholders they leave, toggling back, closing and
// showing a floating bar, and floating frames that go with their dock site.
#include "dock_support.h"

namespace docktest {
namespace {

constexpr UINT kBar1 = 0xE881;
constexpr UINT kBar2 = 0xE882;

// A floating frame class of the program's own.
class CMyMiniFrame : public CMiniDockFrameWnd {
    DECLARE_DYNCREATE(CMyMiniFrame)
};
IMPLEMENT_DYNCREATE(CMyMiniFrame, CMiniDockFrameWnd)

TEST_F(DockTest, FloatedBarLeavesAPlaceholderAndLivesInAMiniFrame)
{
    CTestBar& a = AddBar(kBar1);
    CTestBar& b = AddBar(kBar2);
    CDockBar* pTop = Dock(AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(&a, pTop);
    ASSERT_TRUE(pTop->InsertBarAfter(&b, &a));
    Layout();

    m_pFrame->FloatControlBar(&a, CPoint(300, 320));
    Layout();
    EXPECT_TRUE(a.IsFloating());
    EXPECT_EQ(Rows(pTop), "p1 2 |");
    EXPECT_EQ(InFrame(&b).left, 98);  // the others keep their places
    CMiniDockFrameWnd* pMini = FloatingFrameOf(&a);
    ASSERT_NE(pMini, nullptr);
    EXPECT_TRUE(pMini->IsWindowVisible());
    EXPECT_EQ(pMini->GetStyle() & WS_CHILD, 0u);  // a top-level window of its own
    EXPECT_EQ(pMini->GetStyle() & ~WS_VISIBLE, 0x80C83B00u);
    CRect rc;
    pMini->GetWindowRect(&rc);
    EXPECT_EQ(rc.TopLeft(), CPoint(300, 320));
    CRect client;
    pMini->GetClientRect(&client);
    EXPECT_EQ(client.Size(), CSize(96, 26));  // the bar's edges hide under the frame's
    EXPECT_EQ(a.GetBarStyle() & CBRS_FLOATING, CBRS_FLOATING);
    EXPECT_EQ(AfxGetFloatingFrames(m_pFrame).size(), 1u);
}

TEST_F(DockTest, ToggleDockingReturnsAFloatingBarToItsPlaceAndBack)
{
    CTestBar& a = AddBar(kBar1);
    CTestBar& b = AddBar(kBar2);
    CDockBar* pBottom = Dock(AFX_IDW_DOCKBAR_BOTTOM);
    m_pFrame->DockControlBar(&a, pBottom);
    ASSERT_TRUE(pBottom->InsertBarAfter(&b, &a));
    Layout();
    const CRect docked = InFrame(&b);

    b.m_pDockContext->ToggleDocking();  // floats
    ASSERT_TRUE(b.IsFloating());
    EXPECT_EQ(Rows(pBottom), "1 p2 |");
    EXPECT_EQ(b.m_pDockContext->m_uMRUDockID, AFX_IDW_DOCKBAR_BOTTOM);
    CRect rcMini;
    FloatingFrameOf(&b)->GetWindowRect(&rcMini);
    FloatingFrameOf(&b)->MoveWindow(rcMini.left + 40, rcMini.top - 100, rcMini.Width(), rcMini.Height());

    b.m_pDockContext->ToggleDocking();  // back into its row, after a
    Layout();
    EXPECT_FALSE(b.IsFloating());
    EXPECT_EQ(Rows(pBottom), "1 2 |");
    EXPECT_EQ(InFrame(&b), docked);
    EXPECT_TRUE(AfxGetFloatingFrames(m_pFrame).empty());  // the empty mini frame is gone

    b.m_pDockContext->ToggleDocking();  // floats where it floated last
    ASSERT_TRUE(b.IsFloating());
    CRect rcAgain;
    FloatingFrameOf(&b)->GetWindowRect(&rcAgain);
    EXPECT_EQ(rcAgain.TopLeft(), CPoint(rcMini.left + 40, rcMini.top - 100));
}

TEST_F(DockTest, DoubleClicksToggleDockingOnTheCaptionAndTheBar)
{
    CTestBar& a = AddBar(kBar1);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    Layout();
    drv.Pump();
    drv.DoubleClick(CHeadlessDriver::At(a.GetSafeHwnd(), POINT{50, 10}));
    drv.Pump();
    ASSERT_TRUE(a.IsFloating());
    CMiniDockFrameWnd* pMini = FloatingFrameOf(&a);
    ASSERT_NE(pMini, nullptr);

    // The caption is just above the client area.
    CRect client;
    pMini->GetClientRect(&client);
    pMini->ClientToScreen(&client);
    drv.DoubleClick(POINT{client.CenterPoint().x, client.top - 6});
    drv.Pump();
    EXPECT_FALSE(a.IsFloating());
    EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_TOP)), "1 |");
    EXPECT_EQ(ViewRect().top, 26);
}

TEST_F(DockTest, ClosingTheMiniFrameHidesTheBarAndShowingItBringsTheFrameBack)
{
    CTestBar& a = AddBar(kBar1);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->FloatControlBar(&a, CPoint(200, 200));
    CMiniDockFrameWnd* pMini = FloatingFrameOf(&a);
    ASSERT_NE(pMini, nullptr);

    pMini->SendMessage(WM_CLOSE);
    EXPECT_FALSE(a.IsWindowVisible());
    EXPECT_FALSE(pMini->IsWindowVisible());
    EXPECT_TRUE(::IsWindow(pMini->GetSafeHwnd()));  // kept for the bar's return

    m_pFrame->ShowControlBar(&a, TRUE, FALSE);
    EXPECT_TRUE(a.IsWindowVisible());
    EXPECT_TRUE(pMini->IsWindowVisible());
    m_pFrame->ShowControlBar(&a, FALSE, FALSE);
    EXPECT_FALSE(pMini->IsWindowVisible());
}

TEST_F(DockTest, FloatingFramesGoWithTheirDockSite)
{
    CTestBar& a = AddBar(kBar1);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->FloatControlBar(&a, CPoint(200, 200));
    HWND hMini = FloatingFrameOf(&a)->GetSafeHwnd();
    a.m_updates = 0;
    // The site's idle update reaches the floating bar too.
    m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_EQ(a.m_updates, 1);
    EXPECT_EQ(a.m_pLastTarget, m_pFrame);

    m_pFrame->DestroyWindow();
    m_pFrame = nullptr;
    EXPECT_FALSE(::IsWindow(hMini));
    EXPECT_TRUE(AfxGetFloatingFrames(nullptr).empty());
}

TEST_F(DockTest, FloatingFrameOfAnotherClassComesFromTheFramesClass)
{
    m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CMyMiniFrame);

    CTestBar& a = AddBar(kBar1);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->FloatControlBar(&a, CPoint(200, 200));
    EXPECT_NE(dynamic_cast<CMyMiniFrame*>(FloatingFrameOf(&a)), nullptr);

    // A class that is no floating frame makes nothing: the bar stays docked.
    m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CWnd);
    CTestBar& b = AddBar(kBar2);
    m_pFrame->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->FloatControlBar(&b, CPoint(300, 300));
    EXPECT_FALSE(b.IsFloating());
    EXPECT_EQ(b.m_pDockBar, Dock(AFX_IDW_DOCKBAR_TOP));
}

}  // namespace
}  // namespace docktest

namespace docktest {
namespace {

// Deleting a bar object whose window is docked or floating takes it out of its dock bar and
// of the frame's bars; a floating frame left empty goes.
TEST_F(DockTest, DeletingALiveBarLeavesNothingPointingAtIt)
{
    for (bool floating : {false, true}) {
        SCOPED_TRACE(floating);
        auto bar = std::make_unique<CTestBar>();
        ASSERT_TRUE(bar->Create(m_pFrame, 0xE881, L"Bar"));
        bar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(bar.get(), AFX_IDW_DOCKBAR_TOP);
        if (floating)
            m_pFrame->FloatControlBar(bar.get(), CPoint(200, 200));
        ASSERT_EQ(m_pFrame->GetControlBar(0xE881), bar.get());
        bar.reset();
        EXPECT_EQ(m_pFrame->GetControlBar(0xE881), nullptr);
        EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_TOP)), floating ? "p1 |" : "");
        EXPECT_TRUE(AfxGetFloatingFrames(m_pFrame).empty());
        Layout();
        EXPECT_EQ(ViewRect().top, 0);
    }
}

}  // namespace
}  // namespace docktest
