// The palette's tab bar: a bar docked at the left holding one view per tab, switched by
// clicking the tabs, widened by dragging its sizing edge; it lays out the frame only when its
// size or place changes.
#include "BarTestSupport.h"

#include "controls/CJTabCtrlBar.h"
#include "platform/ui/core/MessageMap.h"

#include <algorithm>

namespace bartest {

// A palette view: white, and records what the tab bar tells it.
class CTestPaletteView : public CView, public CPaletteTabView {
    DECLARE_DYNCREATE(CTestPaletteView)
public:
    int m_nGroup = -1;
    int m_nChosen = -1;
    void OnDraw(CDC* pDC) override
    {
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(&rc, RGB(255, 255, 255));
    }
    void SetPaletteGroup(int nGroup) override { m_nGroup = nGroup; }
    void SetChosenBlockType(int nType) override { m_nChosen = nType; }
};
IMPLEMENT_DYNCREATE(CTestPaletteView, CView)

namespace {

const wchar_t* const kLabels[] = {L"BSC", L"TMR", L"I/O", L"Misc"};

class TabBarTest : public BarTest {
protected:
    void SetUp() override
    {
        BarTest::SetUp();
        // As the main frame makes its palette.
        ASSERT_TRUE(m_bar.Create(m_pFrame, 101, L"WorkBox", CSize(160, 200), 0x50002800));
        m_bar.SetBarStyle(m_bar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(&m_bar, AFX_IDW_DOCKBAR_LEFT);
        for (const wchar_t* label : kLabels)
            ASSERT_TRUE(m_bar.AddView(label, RUNTIME_CLASS(CTestPaletteView)));
        Layout();
        Idle();
    }
    void TearDown() override
    {
        BarTest::TearDown();
    }
    CTestPaletteView* View(int n) { return static_cast<CTestPaletteView*>(m_bar.GetView(n)); }
    CPoint TabPoint(int n)
    {
        // The middle of the part the scroll arrows at the row's end leave free.
        CRect rc;
        m_bar.GetTabCtrl().GetItemRect(n, &rc);
        int from = rc.right, to = rc.left;
        for (int x = rc.left; x < rc.right; ++x) {
            TCHITTESTINFO ht{{x, rc.CenterPoint().y}, 0};
            if (m_bar.GetTabCtrl().HitTest(&ht) == n)
                from = std::min(from, x), to = x;
        }
        return Screen(&m_bar.GetTabCtrl(), CPoint((from + to) / 2, rc.CenterPoint().y));
    }
    // Drags the sizing edge (the right strip of a bar docked at the left) by dx.
    void DragEdge(int dx)
    {
        const CRect edge = m_bar.GetSizingEdge();
        const CPoint from = ScreenOfWindowPoint(&m_bar, edge.CenterPoint());
        ASSERT_EQ(m_bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(from.x, from.y)), LRESULT(HTSIZE));
        DragNonClient(from, {from + CSize(dx / 2, 0), from + CSize(dx, 0)});
        Idle();
    }

    CCJTabCtrlBar m_bar;
};

TEST_F(TabBarTest, TheFirstTabsViewIsShownAndTheOthersHiddenAndDisabled)
{
    EXPECT_EQ(m_bar.GetViewCount(), 4);
    EXPECT_EQ(m_bar.GetActiveView(), m_bar.GetView(0));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(View(i)->IsWindowVisible(), i == 0) << i;
        EXPECT_EQ(View(i)->IsWindowEnabled(), i == 0) << i;
    }
    // Docked at the left: 160 wide, the whole side long, the views beside it.
    const CRect rc = InFrame(&m_bar);
    EXPECT_EQ(rc.Width(), 160);
    EXPECT_EQ(rc.top, -2);
    EXPECT_EQ(rc.bottom, 402);
    EXPECT_EQ(ViewRect().left, rc.right - 2);
    // The active view shows on screen inside the bar.
    CRect rcView;
    View(0)->GetWindowRect(&rcView);
    EXPECT_EQ(PixelAt(rcView.CenterPoint()), RGB(255, 255, 255));
}

TEST_F(TabBarTest, ClickingATabShowsItsViewAndResetsThePaletteTool)
{
    drv.Click(TabPoint(1));
    drv.Pump();
    EXPECT_EQ(m_bar.GetActiveTab(), 1);
    EXPECT_EQ(m_bar.GetActiveView(), View(1));
    EXPECT_TRUE(View(1)->IsWindowVisible());
    EXPECT_TRUE(View(1)->IsWindowEnabled());
    EXPECT_FALSE(View(0)->IsWindowVisible());
    EXPECT_FALSE(View(0)->IsWindowEnabled());
    EXPECT_EQ(View(1)->m_nGroup, 1);
    EXPECT_EQ(View(1)->m_nChosen, 0);
    ASSERT_EQ(m_pFrame->m_paletteTools.size(), 1u);
    EXPECT_EQ(m_pFrame->m_paletteTools[0], std::make_pair(WPARAM(0), LPARAM(0)));

    drv.Click(TabPoint(2));
    drv.Pump();
    EXPECT_EQ(m_bar.GetActiveView(), View(2));
    EXPECT_EQ(View(2)->m_nGroup, 2);
    EXPECT_FALSE(View(1)->IsWindowVisible());
}

TEST_F(TabBarTest, SetActiveViewAndGetViewIgnoreIndexesOutsideTheList)
{
    for (int n : {-1, 4, 99, 0}) {
        m_bar.SetActiveView(n);
        EXPECT_EQ(m_bar.GetActiveTab(), 0) << n;
    }
    EXPECT_EQ(m_bar.GetView(-1), nullptr);
    EXPECT_EQ(m_bar.GetView(4), nullptr);
    m_bar.SetActiveView(2);
    EXPECT_EQ(m_bar.GetTabCtrl().GetCurSel(), 2);
    EXPECT_TRUE(View(2)->IsWindowVisible());
    EXPECT_TRUE(m_pFrame->m_paletteTools.empty());  // only the user's tab change resets the tool
}

TEST_F(TabBarTest, DraggingTheSizingEdgeSetsTheWidthWithinItsLimits)
{
    struct Case {
        int dx;
        int width;
    } cases[] = {
        {60, 220},
        {-100, 120},
        {-500, 32},          // never narrower than the minimum
        {2000, 32 + 600},    // never wider than the old width plus the frame's client width
    };
    for (const Case& c : cases) {
        DragEdge(c.dx);
        EXPECT_EQ(m_bar.m_sizeVert.cx, c.width) << c.dx;
        EXPECT_EQ(InFrame(&m_bar).Width(), c.width) << c.dx;
    }
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(TabBarTest, PaintingTheDockedBarDoesNotLayTheFrameOutAgain)
{
    const int nLayouts = m_pFrame->m_nLayouts;
    for (int i = 0; i < 3; ++i) {
        m_bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Idle();
    }
    EXPECT_EQ(m_pFrame->m_nLayouts, nLayouts);
    // A change of size does.
    DragEdge(30);
    EXPECT_GT(m_pFrame->m_nLayouts, nLayouts);
}

TEST_F(TabBarTest, LongLabelsAreKeptWholeAndSystemCommandsShowNothing)
{
    const CString label = L"A label of twenty-six chars";
    ASSERT_TRUE(m_bar.AddView(label, RUNTIME_CLASS(CTestPaletteView)));
    EXPECT_EQ(m_bar.GetTabLabel(4), label);
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    ASSERT_TRUE(m_bar.GetTabCtrl().GetItem(4, &item));
    EXPECT_EQ(CString(text), label);

    m_bar.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
    drv.Pump();
    EXPECT_TRUE(drv.Host().MessageBoxes().empty());
}

}  // namespace
}  // namespace bartest
