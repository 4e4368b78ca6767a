// MDI documents in the demo: templates, activation, command routing with update handlers,
// maximized children with their system menu in the menu bar, the window list, titles.
#include "fw_support.h"

#include "platform/ui/framework/CmdRouting.h"
#include "platform/ui/framework/Menu.h"
#include "platform/ui/framework/detail/MenuData.h"

using namespace fwdemo;

namespace fwtest {
namespace {

class FwMdiTest : public FwTest {};

TEST_F(FwMdiTest, NewDocumentsOpenInChildFramesAndBecomeActive)
{
    StartApp();
    CDemoMainFrame* main = MainFrame();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->MDIGetActive(), nullptr);
    EXPECT_EQ(main->GetActiveFrame(), main);

    CDocument* text = app->m_pTextTemplate->OpenDocumentFile(nullptr);
    CDocument* sketch = app->m_pSketchTemplate->OpenDocumentFile(nullptr);
    drv.Pump();
    ASSERT_NE(text, nullptr);
    ASSERT_NE(sketch, nullptr);
    EXPECT_EQ(text->GetTitle(), CString(L"Text1"));
    EXPECT_EQ(sketch->GetTitle(), CString(L"Sketch1"));
    EXPECT_EQ(app->GetOpenDocumentCount(), 2);

    // The last one opened is active; its frame, view and document are reachable from the frame.
    CFrameWnd* active = main->GetActiveFrame();
    ASSERT_NE(active, main);
    EXPECT_TRUE(active->IsKindOf(RUNTIME_CLASS(CDemoChild)));
    ASSERT_NE(active->GetActiveView(), nullptr);
    EXPECT_EQ(active->GetActiveDocument(), sketch);
    EXPECT_EQ(active->GetActiveView()->GetParentFrame(), active);
    // The frame shows the document template's menu.
    EXPECT_EQ(::GetMenu(main->m_hWnd), app->m_pSketchTemplate->m_hMenuShared);

    // Activating the other child switches document and title.
    POSITION pos = text->GetFirstViewPosition();
    CView* textView = text->GetNextView(pos);
    main->MDIActivate(textView->GetParentFrame());
    PumpAndIdle();
    EXPECT_EQ(main->GetActiveFrame()->GetActiveDocument(), text);
    CString title;
    main->GetWindowText(title);
    EXPECT_EQ(title, CString(L"Demo - Text1"));
    EXPECT_EQ(::GetMenu(main->m_hWnd), app->m_pTextTemplate->m_hMenuShared);
}

TEST_F(FwMdiTest, CommandsRouteViewDocumentChildMainFrameApplication)
{
    StartApp();
    app->m_pTextTemplate->OpenDocumentFile(nullptr);
    drv.Pump();
    struct Case {
        UINT id;
        const char* handledBy;
    } cases[] = {
        {ID_DEMO_MARK, "view:mark"},
        {ID_DEMO_INCREMENT, "doc:increment"},
        {ID_DEMO_CHILDCMD, "child:cmd"},
        {ID_DEMO_TOGGLE, "main:toggle"},
        {ID_DEMO_APPCMD, "app:cmd"},
        {ID_DEMO_SHARED, "view:shared"},  // handled at several levels: the view comes first
    };
    for (const Case& c : cases) {
        Log().clear();
        Command(c.id);
        ASSERT_EQ(Log().size(), 1u) << c.id;
        EXPECT_EQ(Log()[0], c.handledBy) << c.id;
    }
}

TEST_F(FwMdiTest, UpdateHandlersEnableAndCheckMenuItemsWhenThePopupOpens)
{
    StartApp();
    CDocument* doc = app->m_pTextTemplate->OpenDocumentFile(nullptr);
    drv.Pump();
    CDemoMainFrame* main = MainFrame();
    HMENU bar = ::GetMenu(main->m_hWnd);
    HMENU edit = ::GetSubMenu(bar, 1);
    auto state = [&](UINT id) { return ::GetMenuState(edit, id, MF_BYCOMMAND); };

    main->m_toggled = TRUE;
    main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
    EXPECT_FALSE(state(ID_DEMO_INCREMENT) & MF_GRAYED);
    EXPECT_TRUE(state(ID_DEMO_TOGGLE) & MF_CHECKED);
    EXPECT_TRUE(state(ID_DEMO_SHARED) & MF_CHECKED);
    EXPECT_TRUE(state(32850) & MF_GRAYED) << "an item nobody handles is disabled";

    // The document's update handler disables Increment at 3; the command is then refused.
    static_cast<CDemoDoc*>(doc)->m_count = 3;
    main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
    EXPECT_TRUE(state(ID_DEMO_INCREMENT) & MF_GRAYED);
    Log().clear();
    Command(ID_DEMO_INCREMENT);
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(static_cast<CDemoDoc*>(doc)->m_count, 3);
}

TEST_F(FwMdiTest, MaximizedChildPutsItsSystemMenuAtPositionZero)
{
    StartApp();
    app->m_pTextTemplate->OpenDocumentFile(nullptr);
    drv.Pump();
    CDemoMainFrame* main = MainFrame();
    HMENU bar = ::GetMenu(main->m_hWnd);
    int restoredCount = ::GetMenuItemCount(bar);
    HMENU editRestored = ::GetSubMenu(bar, 1);

    BOOL maximized = FALSE;
    CMDIChildWnd* child = main->MDIGetActive(&maximized);
    ASSERT_NE(child, nullptr);
    EXPECT_FALSE(maximized);
    child->MDIMaximize();
    drv.Pump();
    main->MDIGetActive(&maximized);
    EXPECT_TRUE(maximized);
    EXPECT_TRUE(child->IsZoomed());
    ASSERT_EQ(::GetMenuItemCount(bar), restoredCount + 1);
    EXPECT_EQ(::GetSubMenu(bar, 0), ::GetSystemMenu(child->m_hWnd, FALSE));
    EXPECT_EQ(::GetSubMenu(bar, 2), editRestored) << "menus move one position to the right";
    // The child's client covers the MDI client.
    CRect clientOfMdi, childClient;
    ::GetClientRect(main->m_hWndMDIClient, &clientOfMdi);
    child->GetClientRect(&childClient);
    EXPECT_EQ(childClient.Size(), clientOfMdi.Size());
    // A second document opens maximized too and takes the system-menu slot.
    app->m_pSketchTemplate->OpenDocumentFile(nullptr);
    drv.Pump();
    CMDIChildWnd* second = main->MDIGetActive(&maximized);
    EXPECT_NE(second, child);
    EXPECT_TRUE(maximized);
    HMENU bar2 = ::GetMenu(main->m_hWnd);
    EXPECT_EQ(::GetSubMenu(bar2, 0), ::GetSystemMenu(second->m_hWnd, FALSE));
    EXPECT_NE(::GetSubMenu(bar, 0), ::GetSystemMenu(child->m_hWnd, FALSE)) << "left the old menu";

    // Restoring removes it again.
    second->MDIRestore();
    drv.Pump();
    EXPECT_EQ(::GetMenuItemCount(bar2), restoredCount);
    EXPECT_FALSE(second->IsZoomed());
}

TEST_F(FwMdiTest, ButtonsOfAMaximizedChildInTheMenuBar)
{
    StartApp();
    app->m_pTextTemplate->OpenDocumentFile(nullptr);
    drv.Pump();
    CDemoMainFrame* main = MainFrame();
    main->MDIGetActive()->MDIMaximize();
    drv.Pump();
    HWND bar = ui::MenuBarWindowOf(main->m_hWnd);
    RECT c;
    ::GetClientRect(bar, &c);
    auto button = [&](int fromRight) {  // 0: close, 1: restore
        POINT p{c.right - 2 - fromRight * 18 - 8, 10};
        ::ClientToScreen(bar, &p);
        return p;
    };
    drv.Click(button(1));
    drv.Pump();
    BOOL maximized = TRUE;
    ASSERT_NE(main->MDIGetActive(&maximized), nullptr);
    EXPECT_FALSE(maximized);
    main->MDIGetActive()->MDIMaximize();
    drv.Pump();
    drv.Click(button(0));
    drv.Pump();
    EXPECT_EQ(main->MDIGetActive(), nullptr);
    EXPECT_EQ(app->GetOpenDocumentCount(), 0);
    EXPECT_EQ(::GetMenu(main->m_hWnd), main->m_hMenuDefault) << "the frame's own menu is back";
}

TEST_F(FwMdiTest, WindowMenuListsDocumentsAndActivatesTheChosenOne)
{
    StartApp();
    CDocument* first = app->m_pTextTemplate->OpenDocumentFile(nullptr);
    app->m_pTextTemplate->OpenDocumentFile(nullptr);
    drv.Pump();
    CDemoMainFrame* main = MainFrame();
    HMENU window = main->GetWindowMenuPopup(::GetMenu(main->m_hWnd));
    ASSERT_NE(window, nullptr);
    int n = ::GetMenuItemCount(window);
    ASSERT_GE(n, 4);
    CMenu* menu = CMenu::FromHandle(window);
    CString a, b;
    menu->GetMenuString(AFX_IDM_FIRST_MDICHILD, a, MF_BYCOMMAND);
    menu->GetMenuString(AFX_IDM_FIRST_MDICHILD + 1, b, MF_BYCOMMAND);
    EXPECT_EQ(a, CString(L"&1 Text1"));
    EXPECT_EQ(b, CString(L"&2 Text2"));
    EXPECT_TRUE(::GetMenuState(window, AFX_IDM_FIRST_MDICHILD + 1, MF_BYCOMMAND) & MF_CHECKED);

    Command(AFX_IDM_FIRST_MDICHILD);
    EXPECT_EQ(main->GetActiveFrame()->GetActiveDocument(), first);
    EXPECT_TRUE(::GetMenuState(window, AFX_IDM_FIRST_MDICHILD, MF_BYCOMMAND) & MF_CHECKED);

    // Closing a document takes it off the list.
    first->OnCloseDocument();
    drv.Pump();
    EXPECT_EQ(::GetMenuState(window, AFX_IDM_FIRST_MDICHILD + 1, MF_BYCOMMAND), UINT(-1));
    EXPECT_EQ(app->GetOpenDocumentCount(), 1);
}

TEST_F(FwMdiTest, CascadeAndTileArrangeTheChildren)
{
    StartApp();
    for (int i = 0; i < 3; ++i)
        app->m_pTextTemplate->OpenDocumentFile(nullptr);
    drv.Pump();
    CDemoMainFrame* main = MainFrame();
    CRect area;
    ::GetClientRect(main->m_hWndMDIClient, &area);
    auto rects = [&] {
        std::vector<CRect> out;
        for (HWND h = ::GetWindow(main->m_hWndMDIClient, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
            CRect r;
            ::GetWindowRect(h, &r);
            ::MapWindowPoints(nullptr, main->m_hWndMDIClient, reinterpret_cast<POINT*>(&r), 2);
            out.push_back(r);
        }
        std::sort(out.begin(), out.end(), [](const CRect& x, const CRect& y) { return x.top < y.top || (x.top == y.top && x.left < y.left); });
        return out;
    };
    Command(ID_WINDOW_TILE_HORZ);
    auto tiled = rects();
    ASSERT_EQ(tiled.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(tiled[i].Width(), area.Width());
        EXPECT_EQ(tiled[i].top, int(area.Height() * int(i) / 3));
    }
    Command(ID_WINDOW_CASCADE);
    auto cascaded = rects();
    ASSERT_EQ(cascaded.size(), 3u);
    EXPECT_EQ(cascaded[0].TopLeft(), CPoint(0, 0));
    EXPECT_GT(cascaded[1].top, cascaded[0].top);
    EXPECT_GT(cascaded[2].left, cascaded[1].left);
    EXPECT_EQ(cascaded[0].Size(), cascaded[2].Size());
}

}  // namespace
}  // namespace fwtest
