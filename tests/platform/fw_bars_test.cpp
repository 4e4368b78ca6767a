// Toolbar and status bar of the demo's main frame: layout around the client, buttons and their
// idle update, drop-down buttons, hidden buttons, fly-by prompts and tooltips; panes, widths,
// texts, hosted windows and key indicators.
#include "fw_support.h"

#include "platform/ui/framework/detail/MenuData.h"

using namespace fwdemo;

namespace fwtest {
namespace {

class FwBarsTest : public FwTest {
protected:
    POINT ButtonPoint(int index, int dx = 0)
    {
        CRect r;
        MainFrame()->m_wndToolBar.GetItemRect(index, &r);
        POINT p{r.left + r.Width() / 2 + dx, r.top + r.Height() / 2};
        MainFrame()->m_wndToolBar.ClientToScreen(&p);
        return p;
    }
    CString MessagePane() { return MainFrame()->m_wndStatusBar.GetPaneText(0); }
};

TEST_F(FwBarsTest, BarsSurroundTheClientArea)
{
    StartApp();
    CDemoMainFrame* main = MainFrame();
    auto rectOf = [&](HWND h) {
        CRect r;
        ::GetWindowRect(h, &r);
        main->ScreenToClient(&r);
        return r;
    };
    CRect client;
    main->GetClientRect(&client);
    CRect menu = rectOf(ui::MenuBarWindowOf(main->m_hWnd));
    CRect tool = rectOf(main->m_wndToolBar.m_hWnd);
    CRect status = rectOf(main->m_wndStatusBar.m_hWnd);
    CRect mdi = rectOf(main->m_hWndMDIClient);
    EXPECT_EQ(menu.top, 0);
    EXPECT_EQ(tool.top, menu.bottom);
    EXPECT_EQ(tool.Width(), client.Width());
    EXPECT_EQ(mdi.top, tool.bottom);
    EXPECT_EQ(mdi.bottom, status.top);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(mdi.Width(), client.Width());

    // Hiding the status bar gives its room to the client.
    Command(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(main->m_wndStatusBar.IsWindowVisible());
    EXPECT_EQ(rectOf(main->m_hWndMDIClient).bottom, client.bottom);
    Command(ID_VIEW_STATUS_BAR);
    EXPECT_EQ(rectOf(main->m_hWndMDIClient).bottom, status.top);
}

TEST_F(FwBarsTest, AToolbarAtTheLeftStacksItsButtons)
{
    StartApp();
    CDemoMainFrame* main = MainFrame();
    CToolBar& bar = main->m_wndToolBar;
    bar.SetBarStyle((bar.GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_LEFT);
    main->RecalcLayout();
    CRect r0, r2, whole, mdi;
    bar.GetItemRect(0, &r0);
    bar.GetItemRect(2, &r2);
    EXPECT_EQ(r0.left, r2.left);
    EXPECT_GT(r2.top, r0.bottom);
    bar.GetWindowRect(&whole);
    ::GetWindowRect(main->m_hWndMDIClient, &mdi);
    EXPECT_EQ(mdi.left, whole.right);
    EXPECT_LT(whole.Width(), 40);
    // Clicks still find the buttons.
    Log().clear();
    drv.Click(ButtonPoint(3));
    drv.Pump();
    EXPECT_EQ(Log(), (std::vector<std::string>{"main:toggle"}));
}

TEST_F(FwBarsTest, ButtonsSendCommandsAndFollowTheirUpdateHandlers)
{
    StartApp();
    CDemoMainFrame* main = MainFrame();
    CToolBarButtons& buttons = main->m_wndToolBar.GetToolBarCtrl();
    PumpAndIdle();
    EXPECT_FALSE(buttons.IsButtonEnabled(ID_DEMO_INCREMENT)) << "no document: nobody handles it";
    EXPECT_TRUE(buttons.IsButtonEnabled(ID_DEMO_TOGGLE));
    EXPECT_TRUE(buttons.IsButtonHidden(ID_DEMO_HIDDEN));
    CRect hidden;
    main->m_wndToolBar.GetItemRect(main->m_wndToolBar.CommandToIndex(ID_DEMO_HIDDEN), &hidden);
    EXPECT_TRUE(hidden.IsRectEmpty());

    Log().clear();
    drv.Click(ButtonPoint(3));  // Toggle
    drv.Pump();
    EXPECT_EQ(Log(), (std::vector<std::string>{"main:toggle"}));
    PumpAndIdle();
    EXPECT_TRUE(buttons.IsButtonChecked(ID_DEMO_TOGGLE));

    // A disabled button sends nothing; with a document its handler enables it.
    Log().clear();
    drv.Click(ButtonPoint(2));
    drv.Pump();
    EXPECT_TRUE(Log().empty());
    app->m_pTextTemplate->OpenDocumentFile(nullptr);
    PumpAndIdle();
    EXPECT_TRUE(buttons.IsButtonEnabled(ID_DEMO_INCREMENT));
    drv.Click(ButtonPoint(2));
    drv.Pump();
    EXPECT_EQ(Log(), (std::vector<std::string>{"doc:increment"}));
}

TEST_F(FwBarsTest, DropDownArrowNotifiesTheOwnerAndTheFaceSendsTheCommand)
{
    StartApp();
    CDemoMainFrame* main = MainFrame();
    CRect r;
    main->m_wndToolBar.GetItemRect(0, &r);
    drv.Click(ButtonPoint(0, r.Width() / 2 - 3));  // on the arrow
    drv.Pump();
    EXPECT_EQ(main->m_dropDowns, (std::vector<UINT>{ID_FILE_NEW}));
    EXPECT_EQ(app->GetOpenDocumentCount(), 0);
    drv.Click(ButtonPoint(0, -r.Width() / 2 + 4));  // on the face
    drv.Pump();
    EXPECT_EQ(app->GetOpenDocumentCount(), 1);
    EXPECT_EQ(main->m_dropDowns.size(), 1u);
}

TEST_F(FwBarsTest, HoveringShowsThePromptAndTheTip)
{
    StartApp();
    CDemoMainFrame* main = MainFrame();
    EXPECT_EQ(main->m_wndToolBar.GetTipText(ID_DEMO_TOGGLE), CString(L"Toggle"));
    drv.MouseMove(ButtonPoint(3));
    drv.Pump();
    EXPECT_EQ(MessagePane(), CString(L"Toggle the flag"));
    drv.AdvanceClock(600);
    drv.Pump();
    HWND tip = main->m_wndToolBar.GetToolTipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(::IsWindowVisible(tip));
    EXPECT_EQ(main->m_wndToolBar.GetShownTip(), CString(L"Toggle"));
    // Leaving the bar hides the tip and brings the idle text back.
    drv.MouseMove(POINT{400, 400});
    drv.Pump();
    EXPECT_FALSE(::IsWindowVisible(tip));
    EXPECT_EQ(MessagePane(), CString(L"Ready"));

    // Menu items give their prompt too.
    main->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_DEMO_INCREMENT, MF_HILITE), 1);
    EXPECT_EQ(MessagePane(), CString(L"Increment the counter"));
    main->SendMessage(WM_MENUSELECT, MAKEWPARAM(0xFFFF, 0xFFFF), 0);
    EXPECT_EQ(MessagePane(), CString(L"Ready"));
}

TEST_F(FwBarsTest, StatusBarPanes)
{
    StartApp();
    CStatusBar& bar = MainFrame()->m_wndStatusBar;
    ASSERT_EQ(bar.GetCount(), 3);
    int count = bar.CommandToIndex(ID_INDICATOR_COUNT);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(bar.GetPaneText(count), CString(L"Count: 00"));

    // A measured width, keeping id and style; the message pane takes what is left.
    UINT id, style;
    int width;
    bar.GetPaneInfo(count, id, style, width);
    bar.SetPaneInfo(count, id, style, 77);
    CRect pane, message, whole;
    bar.GetItemRect(count, &pane);
    bar.GetItemRect(0, &message);
    bar.GetClientRect(&whole);
    EXPECT_EQ(pane.Width(), 77 + 6);
    EXPECT_GT(message.Width(), whole.Width() / 2);
    EXPECT_LT(message.right, pane.left);
    bar.SetPaneText(count, L"Count: 7");
    EXPECT_EQ(bar.GetPaneText(count), CString(L"Count: 7"));

    // Panes added at run time, a window hosted in one, and the refusals.
    EXPECT_FALSE(bar.InsertPane(9, 500, SBPS_NORMAL, 20));
    EXPECT_FALSE(bar.InsertPane(1, ID_INDICATOR_COUNT, SBPS_NORMAL, 20));
    ASSERT_TRUE(bar.InsertPane(1, 500, SBPS_NORMAL, 40));
    auto* hosted = new CWnd;
    ASSERT_TRUE(hosted->Create(AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &bar, 110));
    bar.SetPaneWindow(1, hosted, TRUE);
    CRect slot, placed;
    bar.GetItemRect(1, &slot);
    ::GetWindowRect(hosted->m_hWnd, &placed);
    bar.ScreenToClient(&placed);
    EXPECT_TRUE(CRect().IntersectRect(&slot, &placed));
    EXPECT_EQ(placed.Width(), slot.Width() - 2);
    bar.SetPaneStyle(1, SBPS_DISABLED);
    EXPECT_FALSE(hosted->IsWindowEnabled());
    bar.GetPaneInfo(1, id, style, width);
    bar.SetPaneInfo(1, id, style & ~SBPS_DISABLED, 50);
    EXPECT_TRUE(hosted->IsWindowEnabled());
    HWND hostedHwnd = hosted->m_hWnd;
    EXPECT_TRUE(bar.RemovePane(1));
    EXPECT_FALSE(::IsWindow(hostedHwnd));
    delete hosted;
    EXPECT_EQ(bar.CommandToIndex(500), -1);
    EXPECT_FALSE(bar.RemovePane(7));

    // The Caps indicator shows its text only while Caps Lock is on.
    PumpAndIdle();
    int caps = bar.CommandToIndex(ID_INDICATOR_CAPS);
    EXPECT_TRUE(bar.GetPaneStyle(caps) & SBPS_DISABLED);
}

}  // namespace
}  // namespace fwtest
