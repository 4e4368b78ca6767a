// Docked bars: sides, rows, row breaks, insertion after a bar, hiding, and what is left for
// the view.
#include "dock_support.h"

namespace docktest {
namespace {

constexpr UINT kBar1 = 0xE881;
constexpr UINT kBar2 = 0xE882;
constexpr UINT kBar3 = 0xE883;

TEST_F(DockTest, EmptyFrameLeavesTheWholeClientToTheView)
{
    EXPECT_EQ(ViewRect(), CRect(0, 0, 600, 400));
    for (UINT id : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT, AFX_IDW_DOCKBAR_BOTTOM}) {
        ASSERT_NE(Dock(id), nullptr) << id;
        EXPECT_EQ(Rows(Dock(id)), "");
    }
}

// A 100 x 30 bar docked at each side: the dock bar is as thick as the bar less the two
// 2-pixel overlaps at its edges, and the view gets the rest.
TEST_F(DockTest, BarDockedAtEachSideShrinksTheView)
{
    struct Case {
        UINT dockId;
        CRect view;
        DWORD align;
    } cases[] = {
        {AFX_IDW_DOCKBAR_TOP, CRect(0, 26, 600, 400), CBRS_ALIGN_TOP},
        {AFX_IDW_DOCKBAR_BOTTOM, CRect(0, 0, 600, 374), CBRS_ALIGN_BOTTOM},
        {AFX_IDW_DOCKBAR_LEFT, CRect(26, 0, 600, 400), CBRS_ALIGN_LEFT},
        {AFX_IDW_DOCKBAR_RIGHT, CRect(0, 0, 574, 400), CBRS_ALIGN_RIGHT},
    };
    CTestBar& bar = AddBar(kBar1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dockId);
        m_pFrame->DockControlBar(&bar, c.dockId);
        Layout();
        EXPECT_EQ(bar.m_pDockBar, Dock(c.dockId));
        EXPECT_EQ(bar.GetParent(), Dock(c.dockId));
        EXPECT_EQ(bar.GetBarStyle() & CBRS_ALIGN_ANY, c.align);
        EXPECT_FALSE(bar.IsFloating());
        EXPECT_EQ(Rows(Dock(c.dockId)), "1 |");
        EXPECT_EQ(ViewRect(), c.view);
        const CRect r = InFrame(&bar);
        EXPECT_EQ(r.Size(), (c.align & CBRS_ORIENT_HORZ) ? CSize(100, 30) : CSize(30, 100));
    }
    // Moving between sides leaves nothing behind.
    EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_TOP)), "");
}

TEST_F(DockTest, BarsDockedWithoutPlaceGetRowsOfTheirOwn)
{
    CTestBar& a = AddBar(kBar1);
    CTestBar& b = AddBar(kBar2);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP);
    Layout();
    EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_TOP)), "1 |2 |");
    EXPECT_EQ(InFrame(&a).top, -2);
    EXPECT_EQ(InFrame(&b).top, InFrame(&a).bottom - 2);  // rows overlap by the 2-pixel borders
    EXPECT_EQ(ViewRect().top, 54);
}

// The child frame docks its bars into one row: dock, take out the two entries that docking
// appended (bar and row end), put the bar after its neighbour, start it just right of it.
TEST_F(DockTest, BarMovedIntoTheRowOfAnotherFollowsIt)
{
    CTestBar& a = AddBar(kBar1);
    CTestBar& b = AddBar(kBar2);
    CTestBar& c = AddBar(kBar3);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    CDockBar* pDock = Dock(AFX_IDW_DOCKBAR_BOTTOM);

    m_pFrame->DockControlBar(&b, pDock);
    ASSERT_EQ(Rows(pDock), "1 |2 |");
    const int n = pDock->m_arrBars.GetSize();
    pDock->m_arrBars.RemoveAt(n - 1);
    pDock->m_arrBars.RemoveAt(n - 2);
    pDock->m_arrBars.InsertAt(pDock->FindBar(&a) + 1, &b);
    CRect r;
    a.GetWindowRect(&r);
    r.OffsetRect(10, 0);
    pDock->ScreenToClient(&r);
    b.MoveWindow(&r);
    // The layer's own call does the same for the third bar.
    ASSERT_TRUE(pDock->InsertBarAfter(&c, &b));
    Layout();

    EXPECT_EQ(Rows(pDock), "1 2 3 |");
    EXPECT_EQ(InFrame(&b).left, InFrame(&a).right - 2);
    EXPECT_EQ(InFrame(&c).left, InFrame(&b).right - 2);
    EXPECT_EQ(InFrame(&b).top, InFrame(&a).top);
    EXPECT_EQ(ViewRect(), CRect(0, 0, 600, 374));
    EXPECT_FALSE(pDock->InsertBarAfter(&c, &c));
}

TEST_F(DockTest, BarThatNoLongerFitsItsRowStartsANewOne)
{
    CTestBar& a = AddBar(kBar1, CBRS_ALIGN_ANY, CSize(250, 30));
    CTestBar& b = AddBar(kBar2, CBRS_ALIGN_ANY, CSize(250, 30));
    CTestBar& c = AddBar(kBar3, CBRS_ALIGN_ANY, CSize(250, 30));
    CDockBar* pDock = Dock(AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(&a, pDock);
    ASSERT_TRUE(pDock->InsertBarAfter(&b, &a));
    ASSERT_TRUE(pDock->InsertBarAfter(&c, &b));
    Layout();
    EXPECT_EQ(Rows(pDock), "1 2 |3 |");
    EXPECT_EQ(InFrame(&c).left, 0);
    EXPECT_EQ(ViewRect().top, 54);
}

TEST_F(DockTest, BarLongerThanTheSideStaysInItsRowAtTheStart)
{
    CTestBar& a = AddBar(kBar1, CBRS_ALIGN_ANY, CSize(700, 30));
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    Layout();
    EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_TOP)), "1 |");
    EXPECT_EQ(InFrame(&a).left, -2);
}

TEST_F(DockTest, HiddenBarGivesItsRoomBackAndTakesItAgainWhenShown)
{
    CTestBar& a = AddBar(kBar1);
    CTestBar& b = AddBar(kBar2);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->DockControlBar(&b, AFX_IDW_DOCKBAR_LEFT);
    Layout();
    ASSERT_EQ(ViewRect().left, 54);

    m_pFrame->ShowControlBar(&a, FALSE, FALSE);
    EXPECT_FALSE(a.IsWindowVisible());
    EXPECT_EQ(ViewRect().left, 26);
    EXPECT_EQ(InFrame(&b).left, -2);  // the row of the hidden bar takes no room
    m_pFrame->ShowControlBar(&b, FALSE, FALSE);
    EXPECT_EQ(ViewRect().left, 0);
    m_pFrame->ShowControlBar(&a, TRUE, FALSE);
    EXPECT_EQ(ViewRect().left, 26);
    EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_LEFT)), "1 |2 |");
}

TEST_F(DockTest, DelayedHideTakesEffectAtTheNextLayout)
{
    CTestBar& a = AddBar(kBar1);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    Layout();
    m_pFrame->ShowControlBar(&a, FALSE, TRUE);
    EXPECT_FALSE(a.IsVisible());
    EXPECT_TRUE(a.IsWindowVisible());
    m_pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);  // the frame's idle layout
    EXPECT_FALSE(a.IsWindowVisible());
    EXPECT_EQ(ViewRect().top, 0);

    a.DelayShow(TRUE);
    EXPECT_TRUE(a.IsVisible());
    a.SendMessage(WM_IDLEUPDATECMDUI, TRUE);  // the idle update carries it out as well
    EXPECT_TRUE(a.IsWindowVisible());
    Layout();
    EXPECT_EQ(ViewRect().top, 26);
}

TEST_F(DockTest, MeasuringTheViewAreaMovesNothing)
{
    CTestBar& a = AddBar(kBar1);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    Layout();
    a.m_horz.cy = 60;
    CRect rect;
    m_pFrame->RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST, reposQuery,
                             &rect);
    EXPECT_EQ(rect, CRect(0, 56, 600, 400));
    EXPECT_EQ(ViewRect().top, 26);
    EXPECT_EQ(InFrame(&a).Height(), 30);
}

TEST_F(DockTest, IdleUpdateReachesDockedBarsWithTheFrameAsTarget)
{
    CTestBar& a = AddBar(kBar1);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_RIGHT);
    Layout();
    m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_EQ(a.m_updates, 1);
    EXPECT_EQ(a.m_pLastTarget, m_pFrame);
    m_pFrame->ShowControlBar(&a, FALSE, FALSE);
    m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_EQ(a.m_updates, 1);  // hidden bars are not updated
}

TEST_F(DockTest, BarDeletedWhileDockedLeavesItsRow)
{
    CTestBar& a = AddBar(kBar1);
    CTestBar& b = AddBar(kBar2);
    m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP);
    Layout();
    a.DestroyWindow();
    EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_TOP)), "2 |");
    m_bars.erase(m_bars.begin() + 1);  // b's object goes while its window is docked
    EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_TOP)), "");
    Layout();
    EXPECT_EQ(ViewRect().top, 0);
}

}  // namespace
}  // namespace docktest

namespace docktest {
namespace {

// A bar docked with a rectangle goes into the row under the rectangle's centre, ordered by
// position, or into a new row above, between or below the rows.
TEST_F(DockTest, BarDockedAtARectangleJoinsTheRowUnderIt)
{
    struct Case {
        const char* name;
        CPoint at;  // top-left of the 100 x 30 rectangle, in the top dock bar's coordinates
        const char* rows;
    } cases[] = {
        {"right of 1 in its row", CPoint(300, 0), "1 2 |3 |"},
        {"left of 1 in its row", CPoint(-50, -5), "2 1 |3 |"},
        {"in the second row", CPoint(200, 28), "1 |3 2 |"},
        {"above all rows", CPoint(10, -40), "2 |1 |3 |"},
        {"below all rows", CPoint(10, 60), "1 |3 |2 |"},
    };
    CTestBar& a = AddBar(0xE881);
    CTestBar& b = AddBar(0xE882);
    CTestBar& c = AddBar(0xE883);
    CDockBar* pTop = Dock(AFX_IDW_DOCKBAR_TOP);
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        m_pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_LEFT);
        m_pFrame->DockControlBar(&b, AFX_IDW_DOCKBAR_LEFT);
        m_pFrame->DockControlBar(&c, AFX_IDW_DOCKBAR_LEFT);
        Layout();
        a.MoveWindow(40, 0, 100, 30);  // where the previous case's layout left them does not matter
        m_pFrame->DockControlBar(&a, pTop);
        c.MoveWindow(0, 0, 100, 30);
        m_pFrame->DockControlBar(&c, pTop);
        Layout();
        ASSERT_EQ(Rows(pTop), "1 |3 |");
        CRect rect(k.at, CSize(100, 30));
        pTop->ClientToScreen(&rect);
        m_pFrame->DockControlBar(&b, pTop, &rect);
        Layout();
        EXPECT_EQ(Rows(pTop), k.rows);
    }
}

}  // namespace
}  // namespace docktest

namespace docktest {
namespace {

// Like a sizing bar whose row became too short: asked for its docked size, it breaks the row
// before itself once.
class CRowBreakingBar : public CTestBar {
public:
    bool m_broken = false;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override
    {
        if (!m_broken && m_pDockBar && (nMode & LM_HORZDOCK)) {
            m_broken = true;
            m_pDockBar->m_arrBars.InsertAt(m_pDockBar->FindBar(this), static_cast<void*>(nullptr));
        }
        return CTestBar::CalcDynamicLayout(nLength, nMode);
    }
};

TEST_F(DockTest, RowBrokenByABarWhileItIsMeasuredIsLaidOutAgain)
{
    CTestBar& a = AddBar(0xE881);
    CRowBreakingBar b;
    ASSERT_TRUE(b.Create(m_pFrame, 0xE882, L"Breaking"));
    b.EnableDocking(CBRS_ALIGN_ANY);
    CDockBar* pTop = Dock(AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(&a, pTop);
    ASSERT_TRUE(pTop->InsertBarAfter(&b, &a));
    Layout();
    EXPECT_EQ(Rows(pTop), "1 |2 |");
    EXPECT_EQ(InFrame(&b).top, InFrame(&a).bottom - 2);
    EXPECT_EQ(ViewRect().top, 54);
    b.DestroyWindow();
}

}  // namespace
}  // namespace docktest
