// Menus: the HMENU calls, loading from resources, the menu bar and popup menus driven by the
// keyboard and the mouse, owner-drawn items and context menus.
#include "fw_support.h"

#include "platform/ui/framework/Menu.h"
#include "platform/ui/framework/detail/MenuData.h"
#include "platform/ui/framework/detail/MenuTrack.h"

using namespace fwdemo;

namespace fwtest {
namespace {

class FwMenuTest : public FwTest {
protected:
    // The open popup menu windows, front first.
    static std::vector<HWND> Popups()
    {
        std::vector<HWND> out;
        ::EnumThreadTopLevelWindows(
            [](HWND h, LPARAM p) -> BOOL {
                wchar_t cls[32] = {};
                ::GetClassNameW(h, cls, 32);
                if (std::wstring(cls) == L"TvxMenuPopup" && ::IsWindowVisible(h))
                    reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&out));
        return out;
    }
    // The screen point in the middle of text item `index` of a popup (items above it are text
    // items, 20 pixels high).
    static POINT PopupItem(HWND popup, int index)
    {
        RECT r;
        ::GetWindowRect(popup, &r);
        return POINT{r.left + 40, r.top + 1 + 2 + index * 20 + 10};
    }
    POINT BarItem(int index)
    {
        HWND bar = ui::MenuBarWindowOf(MainFrame()->m_hWnd);
        RECT r = ui::BarItemRect(bar, index);
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ::ClientToScreen(bar, &p);
        return p;
    }
    void Step(std::function<void()> f) { drv.Host().QueueIdleStep(std::move(f)); }
    void AltKey(wchar_t ch)
    {
        drv.KeyDown(VK_MENU);
        drv.Key(UINT(towupper(ch)), ch);
        drv.KeyUp(VK_MENU);
    }
};

TEST_F(FwMenuTest, ItemsChangeByPositionAndByCommand)
{
    CMenu bar, file, sub;
    ASSERT_TRUE(bar.CreateMenu());
    ASSERT_TRUE(file.CreatePopupMenu());
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenu(MF_STRING, 300, L"&Deep");
    file.AppendMenu(MF_STRING, 100, L"&Open");
    file.AppendMenu(MF_SEPARATOR);
    file.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), L"&More");
    bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(file.m_hMenu), L"&File");
    HMENU hfile = file.Detach();

    struct Case {
        const char* what;
        std::function<BOOL()> change;
        std::function<bool()> check;
    } cases[] = {
        {"insert by position", [&] { return ::InsertMenuW(hfile, 1, MF_BYPOSITION, 101, L"&Save"); },
         [&] { return ::GetMenuItemID(hfile, 1) == 101; }},
        {"insert before a command", [&] { return ::InsertMenuW(hfile, 101, MF_BYCOMMAND, 102, L"Save &As"); },
         [&] { return ::GetMenuItemID(hfile, 1) == 102 && ::GetMenuItemID(hfile, 2) == 101; }},
        {"modify text by command in a submenu",
         [&] { return ::ModifyMenuW(bar.m_hMenu, 300, MF_BYCOMMAND | MF_STRING, 300, L"D&eeper"); },
         [&] {
             CString s;
             bar.GetMenuString(300, s, MF_BYCOMMAND);
             return s == L"D&eeper";
         }},
        {"disable and check", [&] { return ::EnableMenuItem(hfile, 100, MF_GRAYED) == MF_ENABLED && ::CheckMenuItem(hfile, 100, MF_CHECKED) == 0; },
         [&] { return (::GetMenuState(hfile, 100, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED)) == (MF_GRAYED | MF_CHECKED); }},
        {"popup state carries its item count", [] { return TRUE; },
         [&] { UINT s = ::GetMenuState(hfile, 4, MF_BYPOSITION); return (s & MF_POPUP) && (s >> 8) == 1; }},
        {"remove by command searches the whole bar", [&] { return ::RemoveMenu(bar.m_hMenu, 102, MF_BYCOMMAND); },
         [&] { return ::GetMenuItemCount(hfile) == 4 && ::GetMenuState(hfile, 102, MF_BYCOMMAND) == UINT(-1); }},
        {"missing items fail", [&] { return !::DeleteMenu(hfile, 999, MF_BYCOMMAND) && !::RemoveMenu(hfile, 9, MF_BYPOSITION); },
         [&] { return ::GetMenuItemCount(hfile) == 4; }},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(c.change()) << c.what;
        EXPECT_TRUE(c.check()) << c.what;
    }
    // Destroying the bar destroys its submenus.
    HMENU deep = ::GetSubMenu(hfile, 3);
    ASSERT_TRUE(::IsMenu(deep));
    EXPECT_TRUE(bar.DestroyMenu());
    EXPECT_FALSE(::IsMenu(hfile));
    EXPECT_FALSE(::IsMenu(deep));
}

TEST_F(FwMenuTest, LoadMenuBuildsTheResourceTree)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEXTTYPE));
    EXPECT_EQ(menu.GetMenuItemCount(), 4u);
    CMenu* edit = menu.GetSubMenu(1);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetMenuItemID(0), UINT(ID_DEMO_INCREMENT));
    CString text;
    edit->GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_EQ(text, CString(L"&Increment\tCtrl+I"));
    EXPECT_TRUE(menu.GetSubMenu(0)->GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(4242));
}

TEST_F(FwMenuTest, KeyboardOpensTheMenuBarAndChoosesItems)
{
    StartApp();
    app->m_pTextTemplate->OpenDocumentFile(nullptr);
    drv.Pump();
    struct Case {
        const char* what;
        wchar_t alt;
        std::vector<std::function<void(CHeadlessDriver&)>> keys;
        const char* expected;  // null: no command
    } cases[] = {
        {"Alt+E then a mnemonic", L'e', {[](CHeadlessDriver& d) { d.Key('M', L'm'); }}, "view:mark"},
        {"Alt+E, arrows and Enter", L'e',
         {[](CHeadlessDriver& d) { d.Key(VK_DOWN, 0, true); }, [](CHeadlessDriver& d) { d.Key(VK_DOWN, 0, true); },
          [](CHeadlessDriver& d) { d.Key(VK_RETURN, L'\r'); }},
         "child:cmd"},
        {"Up wraps to the last item", L'e',
         {[](CHeadlessDriver& d) { d.Key(VK_UP, 0, true); }, [](CHeadlessDriver& d) { d.Key(VK_UP, 0, true); },
          [](CHeadlessDriver& d) { d.Key(VK_RETURN, L'\r'); }},
         "view:shared"},
        {"Right moves to the next menu", L'f',
         {[](CHeadlessDriver& d) { d.Key(VK_RIGHT, 0, true); }, [](CHeadlessDriver& d) { d.Key('T', L't'); }},
         "main:toggle"},
        {"a disabled item does nothing; Escape twice leaves", L'e',
         {[](CHeadlessDriver& d) { d.Key('N', L'n'); }, [](CHeadlessDriver& d) { d.Key(VK_ESCAPE, 0x1B); },
          [](CHeadlessDriver& d) { d.Key(VK_ESCAPE, 0x1B); }},
         nullptr},
    };
    for (const Case& c : cases) {
        Log().clear();
        for (auto& k : c.keys)
            Step([this, k] { k(drv); });
        AltKey(c.alt);
        drv.Pump();
        EXPECT_TRUE(Popups().empty()) << c.what;
        EXPECT_EQ(ui::MenuTracker::Active(), nullptr) << c.what;
        if (c.expected) {
            ASSERT_EQ(Log().size(), 1u) << c.what;
            EXPECT_EQ(Log()[0], c.expected) << c.what;
        } else {
            EXPECT_TRUE(Log().empty()) << c.what;
        }
    }
}

TEST_F(FwMenuTest, AltAloneSelectsTheMenuBarAndDownOpensIt)
{
    StartApp();
    app->m_pTextTemplate->OpenDocumentFile(nullptr);
    drv.Pump();
    std::vector<size_t> popupsSeen;
    Log().clear();
    Step([&] {
        popupsSeen.push_back(Popups().size());  // the bar is selected, no menu open yet
        drv.Key(VK_RIGHT, 0, true);
    });
    Step([&] { drv.Key(VK_DOWN, 0, true); });
    Step([&] {
        popupsSeen.push_back(Popups().size());
        drv.Key('M', L'm');
    });
    drv.KeyDown(VK_MENU);
    drv.KeyUp(VK_MENU);
    drv.Pump();
    EXPECT_EQ(popupsSeen, (std::vector<size_t>{0, 1}));
    EXPECT_EQ(Log(), (std::vector<std::string>{"view:mark"}));
}

TEST_F(FwMenuTest, MouseOpensABarMenuAndClicksAnItem)
{
    StartApp();
    app->m_pTextTemplate->OpenDocumentFile(nullptr);
    drv.Pump();
    Log().clear();
    Step([&] {
        std::vector<HWND> open = Popups();
        ASSERT_EQ(open.size(), 1u);
        POINT p = PopupItem(open[0], 3);  // "&Toggle"
        drv.MouseMove(p);
        drv.Click(p);
    });
    drv.Click(BarItem(1));  // "&Edit"
    drv.Pump();
    EXPECT_EQ(Log(), (std::vector<std::string>{"main:toggle"}));
    EXPECT_TRUE(MainFrame()->m_toggled);

    // A click outside the menu closes it without a command.
    Log().clear();
    Step([&] { drv.Click(POINT{700, 500}); });
    drv.Click(BarItem(1));
    drv.Pump();
    EXPECT_TRUE(Popups().empty());
    EXPECT_TRUE(Log().empty());
}

TEST_F(FwMenuTest, ContextMenusReturnOrPostTheChoice)
{
    StartApp();
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, ID_DEMO_APPCMD, L"&App");
    popup.AppendMenu(MF_STRING, ID_DEMO_TOGGLE, L"&Toggle");
    popup.AppendMenu(MF_STRING | MF_GRAYED, ID_DEMO_MARK, L"&Mark");
    HWND owner = MainFrame()->m_hWnd;

    // With TPM_RETURNCMD the choice comes back and nothing is sent.
    Step([&] { drv.Key(VK_DOWN, 0, true); });
    Step([&] { drv.Key(VK_DOWN, 0, true); });
    Step([&] { drv.Key(VK_RETURN, L'\r'); });
    Log().clear();
    UINT cmd = UINT(popup.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, 100, 100, MainFrame()));
    drv.Pump();
    EXPECT_EQ(cmd, UINT(ID_DEMO_TOGGLE));
    EXPECT_TRUE(Log().empty());

    // Cancelled: 0.
    Step([&] { drv.Key(VK_ESCAPE, 0x1B); });
    EXPECT_EQ(::TrackPopupMenu(popup.m_hMenu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 0);

    // Without it the command is posted to the owner.
    Step([&] { drv.Key('A', L'a'); });
    EXPECT_TRUE(::TrackPopupMenu(popup.m_hMenu, 0, 100, 100, 0, owner, nullptr));
    drv.Pump();
    EXPECT_EQ(Log(), (std::vector<std::string>{"app:cmd"}));

    // A click on a grayed item ends the menu without a command.
    Log().clear();
    Step([&] {
        auto open = Popups();
        ASSERT_EQ(open.size(), 1u);
        drv.Click(PopupItem(open[0], 2));
    });
    EXPECT_EQ(::TrackPopupMenu(popup.m_hMenu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 0);
}

TEST_F(FwMenuTest, TheSelectedItemIsDrawnHighlighted)
{
    StartApp();
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, ID_DEMO_APPCMD, L"&First");
    popup.AppendMenu(MF_STRING, ID_DEMO_TOGGLE, L"&Second");
    COLORREF first = 0, second = 0, other = 0;
    Step([&] { drv.Key(VK_DOWN, 0, true); });
    Step([&] { drv.Key(VK_DOWN, 0, true); });
    Step([&] {
        auto open = Popups();
        ASSERT_EQ(open.size(), 1u);
        drv.Pump();
        // Window coordinates: items start 3 pixels down (border and margin), 20 pixels each.
        first = drv.Pixel(open[0], 6, 3 + 10);
        second = drv.Pixel(open[0], 6, 3 + 20 + 10);
        other = ::GetSysColor(COLOR_HIGHLIGHT);
        drv.Key(VK_ESCAPE, 0x1B);
    });
    popup.TrackPopupMenu(TPM_RETURNCMD, 100, 100, MainFrame());
    EXPECT_EQ(second, other);
    EXPECT_EQ(first, ::GetSysColor(COLOR_MENU));
}

TEST_F(FwMenuTest, AViewCanOwnAContextMenu)
{
    StartApp();
    CDocument* doc = app->m_pTextTemplate->OpenDocumentFile(nullptr);
    drv.Pump();
    POSITION pos = doc->GetFirstViewPosition();
    CView* view = doc->GetNextView(pos);
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, ID_DEMO_MARK, L"&Mark");
    Step([&] {
        auto open = Popups();
        ASSERT_EQ(open.size(), 1u);
        EXPECT_EQ(::GetWindow(open[0], GW_OWNER), MainFrame()->m_hWnd) << "owned by the view's top-level window";
        drv.Key('M', L'm');
    });
    Log().clear();
    EXPECT_TRUE(popup.TrackPopupMenu(TPM_RIGHTBUTTON, 300, 300, view));
    drv.Pump();
    EXPECT_EQ(Log(), (std::vector<std::string>{"view:mark"}));
}

TEST_F(FwMenuTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwner)
{
    StartApp();
    CDemoMainFrame* main = MainFrame();
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, ID_DEMO_APPCMD, L"&Plain");
    popup.AppendMenu(MF_OWNERDRAW, ID_DEMO_TOGGLE, nullptr);
    popup.AppendMenu(MF_OWNERDRAW | MF_GRAYED, ID_DEMO_MARK, nullptr);
    Step([&] { drv.Key(VK_DOWN, 0, true); });
    Step([&] { drv.Key(VK_DOWN, 0, true); });
    Step([&] { drv.Key(VK_ESCAPE, 0x1B); });
    popup.TrackPopupMenu(TPM_RETURNCMD, 50, 50, main);
    EXPECT_EQ(main->m_measured, 2);
    auto drawn = [&](UINT id, UINT state) {
        return std::find(main->m_drawnItems.begin(), main->m_drawnItems.end(), std::make_pair(id, state)) !=
               main->m_drawnItems.end();
    };
    EXPECT_TRUE(drawn(ID_DEMO_TOGGLE, 0));
    EXPECT_TRUE(drawn(ID_DEMO_TOGGLE, ODS_SELECTED));
    EXPECT_TRUE(drawn(ID_DEMO_MARK, ODS_GRAYED));
}

}  // namespace
}  // namespace fwtest
