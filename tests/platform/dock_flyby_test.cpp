// Fly-by prompts: the pointer over an item of a bar with CBRS_FLYBY shows the item's prompt in
// the frame's status text; leaving the bar brings the idle text back.
#include "dock_support.h"

#include "platform/ui/controls/CtlStd.h"

namespace docktest {
namespace {

TEST_F(DockTest, PointerOverABarItemShowsItsPromptUntilItLeavesTheBar)
{
    AfxRegisterControlClasses();
    CTestBar& bar = AddBar(0xE881, CBRS_ALIGN_ANY, CSize(200, 30));
    bar.SetBarStyle(bar.GetBarStyle() | CBRS_FLYBY);
    CWnd button;
    ASSERT_TRUE(button.Create(L"Button", L"Run", WS_CHILD | WS_VISIBLE, CRect(10, 2, 60, 20), &bar, kCmdEnabled));
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    Layout();
    drv.Pump();

    drv.MouseMove(CHeadlessDriver::At(button.GetSafeHwnd(), POINT{5, 5}));
    drv.Pump();
    drv.MouseMove(CHeadlessDriver::At(button.GetSafeHwnd(), POINT{8, 6}));
    drv.Pump();
    EXPECT_EQ(m_pFrame->m_prompts, std::vector<int>{int(kCmdEnabled)});  // once, not per move

    drv.MouseMove(CHeadlessDriver::At(m_pView->GetSafeHwnd(), POINT{200, 200}));
    drv.Pump();
    drv.AdvanceClock(500);
    drv.Pump();
    EXPECT_EQ(m_pFrame->m_prompts, (std::vector<int>{int(kCmdEnabled), -1}));
    button.DestroyWindow();
}

TEST_F(DockTest, BarWithoutFlyByShowsNoPrompts)
{
    AfxRegisterControlClasses();
    CTestBar& bar = AddBar(0xE881, CBRS_ALIGN_ANY, CSize(200, 30));
    CWnd button;
    ASSERT_TRUE(button.Create(L"Button", L"Run", WS_CHILD | WS_VISIBLE, CRect(10, 2, 60, 20), &bar, kCmdEnabled));
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    Layout();
    drv.MouseMove(CHeadlessDriver::At(button.GetSafeHwnd(), POINT{5, 5}));
    drv.Pump();
    EXPECT_TRUE(m_pFrame->m_prompts.empty());
    button.DestroyWindow();
}

}  // namespace
}  // namespace docktest
