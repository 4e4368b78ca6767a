// Dialog bars: built from a template, laid out by the frame (docked or not), and their controls
// updated from the frame's command handlers at idle time.
#include "dock_support.h"

#include "platform/ui/framework/DialogBar.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/dialogs/DlgManager.h"

namespace docktest {
namespace {

constexpr UINT kBarId = 0xE890;
constexpr UINT kCmdNoHandler = 1002;

DialogTemplate BarTemplate()
{
    AfxRegisterControlClasses();
    DialogTemplate t;
    t.style = WS_CHILD | DS_CONTROL;
    t.fontFace = L"MS Sans Serif";
    t.fontSize = 8;
    t.cx = 200;
    t.cy = 24;
    DialogItem run;
    run.className = L"Button";
    run.text = L"Run";
    run.id = kCmdEnabled;
    run.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    run.x = 4;
    run.y = 4;
    run.cx = 40;
    run.cy = 14;
    DialogItem other = run;
    other.text = L"Other";
    other.id = kCmdNoHandler;
    other.x = 50;
    DialogItem label = run;
    label.className = L"Static";
    label.text = L"Label";
    label.id = 1003;
    label.x = 100;
    t.items = {run, other, label};
    return t;
}

TEST_F(DockTest, DialogBarTakesItsTemplateSizeAtItsSide)
{
    const DialogTemplate t = BarTemplate();
    CDialogBar bar;
    ASSERT_TRUE(bar.CreateIndirect(m_pFrame, &t, WS_CHILD | WS_VISIBLE | CBRS_TOP, kBarId));
    CRect dlu(0, 0, t.cx, t.cy);
    ::MapDialogRect(bar.GetSafeHwnd(), &dlu);
    EXPECT_EQ(bar.m_sizeDefault, dlu.Size());
    EXPECT_NE(bar.GetDlgItem(int(kCmdEnabled)), nullptr);
    Layout();
    // Not docked: the frame lays it out across the top, as long as the client is wide.
    EXPECT_EQ(InFrame(&bar), CRect(0, 0, 600, dlu.Height()));
    EXPECT_EQ(ViewRect().top, dlu.Height());

    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
    Layout();
    EXPECT_EQ(ViewRect(), CRect(dlu.Width() - 4, 0, 600, 400));
    bar.DestroyWindow();
}

TEST_F(DockTest, DialogBarControlsFollowTheFramesUpdateHandlers)
{
    const DialogTemplate t = BarTemplate();
    CDialogBar bar;
    ASSERT_TRUE(bar.CreateIndirect(m_pFrame, &t, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, kBarId));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&bar);
    Layout();
    CWnd* pRun = bar.GetDlgItem(int(kCmdEnabled));
    CWnd* pOther = bar.GetDlgItem(int(kCmdNoHandler));
    CWnd* pLabel = bar.GetDlgItem(1003);

    m_pFrame->m_bEnable = FALSE;
    m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_FALSE(pRun->IsWindowEnabled());
    EXPECT_FALSE(pOther->IsWindowEnabled());  // no handler: disabled
    EXPECT_TRUE(pLabel->IsWindowEnabled());   // static texts are left alone

    m_pFrame->m_bEnable = TRUE;
    m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_TRUE(pRun->IsWindowEnabled());

    // Floating, it is still updated against the frame it belongs to.
    m_pFrame->FloatControlBar(&bar, CPoint(150, 150));
    ASSERT_TRUE(bar.IsFloating());
    m_pFrame->m_bEnable = FALSE;
    m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_FALSE(pRun->IsWindowEnabled());
    bar.DestroyWindow();
    EXPECT_TRUE(AfxGetFloatingFrames(m_pFrame).empty());
}

TEST_F(DockTest, DialogBarWithoutTemplateIsNotCreated)
{
    CDialogBar bar;
    EXPECT_FALSE(bar.Create(m_pFrame, 0x7FFE, WS_CHILD | WS_VISIBLE | CBRS_TOP, kBarId));
    EXPECT_EQ(bar.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(bar.CreateIndirect(m_pFrame, nullptr, CBRS_TOP, kBarId));
}

}  // namespace
}  // namespace docktest
