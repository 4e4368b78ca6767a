// The editor's keys and menus driven as a user does, headless: the shortcut keys with and
// without a program, the View menu's bars during a simulation, the items a state disables or
// checks, and the messages of a program named on the command line.
#include "document/TavixDoc.h"
#include "tests/shell/EditorAppTest.h"
#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Profile.h"
#include "platform/host/HeadlessHost.h"
#include "platform/ui/dialogs/CommonDlg.h"
#include "platform/ui/framework/AppIds.h"
#include "platform/ui/framework/detail/MenuTrack.h"
#include "resources/Resources.h"
#include "resources/resource.h"
#include "controls/DynamicBar.h"
#include "shell/ChildFrame.h"
#include "shell/EditorApp.h"
#include "shell/MainFrame.h"
#include "shell/SettingsFile.h"
#include "view/TavixView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace {

const CString kFixtures = CString(TAVIX_SOURCE_DIR) + L"/tests/fixtures/";

class MenusAndKeysTest : public EditorAppTest {
protected:
    void Ctrl(UINT vk)
    {
        m_drv.KeyDown(VK_CONTROL);
        m_drv.Key(vk, wchar_t(vk - 'A' + 1));  // the control character the key types
        m_drv.KeyUp(VK_CONTROL);
        m_drv.Pump();
    }
    // Opens a menu of the menu bar with Alt and its mnemonic; `inside` runs while it is open
    // (its items updated as the user sees them) and then the menu is left with Escape.
    void WithMenu(wchar_t mnemonic, const std::function<void(HMENU)>& inside)
    {
        m_drv.Host().QueueIdleStep([this, inside] {
            inside(OpenPopupMenu());
            m_drv.Key(VK_ESCAPE, 0x1B);
        });
        m_drv.Host().QueueIdleStep([this] { m_drv.Key(VK_ESCAPE, 0x1B); });
        AltKey(mnemonic);
    }
    // Opens a menu with Alt and its mnemonic and chooses the item at `position` with the arrow
    // keys and Enter.
    void ChooseFromMenu(wchar_t mnemonic, int position)
    {
        m_drv.Host().QueueIdleStep([this, position] {
            for (int i = 0; i < position; ++i)
                m_drv.Key(VK_DOWN, 0, true);
            m_drv.Key(VK_RETURN, L'\r');
        });
        AltKey(mnemonic);
    }
    void AltKey(wchar_t ch)
    {
        m_drv.KeyDown(VK_MENU);
        m_drv.Key(UINT(towupper(ch)), ch);
        m_drv.KeyUp(VK_MENU);
        m_drv.Pump();
    }
    // The menu of the open bar item (the one the tracker shows).
    HMENU OpenPopupMenu() const
    {
        ui::MenuTracker* tracker = ui::MenuTracker::Active();
        EXPECT_NE(tracker, nullptr);
        if (!tracker)
            return nullptr;
        return ::GetSubMenu(::GetMenu(Frame()->m_hWnd), tracker->BarSelection());
    }
    static int PositionOf(HMENU menu, UINT id)
    {
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
            if (::GetMenuItemID(menu, i) == id)
                return i;
        return -1;
    }
    // Enabled and checked states of menu items as the open menu shows them.
    struct ItemState { bool enabled; bool checked; };
    static ItemState StateOf(HMENU menu, UINT id)
    {
        const UINT state = ::GetMenuState(menu, id, MF_BYCOMMAND);
        EXPECT_NE(state, UINT(-1)) << id;
        return {!(state & (MF_GRAYED | MF_DISABLED)), (state & MF_CHECKED) != 0};
    }
    int DocumentCount() const { return m_app->GetOpenDocumentCount(); }
};

TEST_F(MenusAndKeysTest, CtrlNAndCtrlOWorkWithAndWithoutAProgram)
{
    Start();
    CCommonDlgScript dialogs;
    // Each key, first with no program open, then with one: what it must reach.
    struct Case { UINT key; const char* reaches; };
    const Case cases[] = {{'N', "new program"}, {'O', "open dialog"}, {'S', "save dialog"}};
    // Ctrl+N with no program opens the first one; the keys then work in a program window too.
    for (bool withProgram : {false, true}) {
        ASSERT_EQ(DocumentCount(), withProgram ? 1 : 0);
        for (const Case& c : cases) {
            if (c.key == 'S' && !withProgram)
                continue;  // nothing to save
            const int docs = DocumentCount();
            const size_t asked = dialogs.Queries().size();
            if (c.key != 'N')
                dialogs.QueueCancel();
            Ctrl(c.key);
            EXPECT_EQ(DocumentCount(), c.key == 'N' ? docs + 1 : docs) << c.reaches << withProgram;
            ASSERT_EQ(dialogs.Queries().size(), c.key == 'N' ? asked : asked + 1) << c.reaches << withProgram;
            if (c.key != 'N') {
                EXPECT_EQ(dialogs.Queries().back().kind == CommonDlgQuery::FileOpen, c.key == 'O')
                    << c.reaches << withProgram;
            }
        }
        if (!withProgram) {
            // One program for the second round.
            m_app->CloseAllDocuments(TRUE);
            m_drv.Pump();
            Ctrl('N');
        }
    }
}

TEST_F(MenusAndKeysTest, TheOpenDialogOffersBothKindsOfProgramFirst)
{
    Start();
    CCommonDlgScript dialogs;
    dialogs.QueueCancel();
    Ctrl('O');
    ASSERT_EQ(dialogs.Queries().size(), 1u);
    const CommonDlgQuery& q = dialogs.Queries()[0];
    // The patterns reach the file dialog without the blank after the ';' of the filter text.
    std::vector<std::wstring> patterns;
    for (const auto& f : q.filters)
        patterns.push_back(f.second);
    EXPECT_EQ(patterns, (std::vector<std::wstring>{L"*.yfb;*.yld", L"*.yfb", L"*.yld", L"*.*"}));
    EXPECT_EQ(q.filterIndex, 1);
    ASSERT_FALSE(q.filters.empty());
    EXPECT_EQ(q.filters[0].first, L"VOLMERAEditor Files(*.yfb, *.yld)");
}

TEST_F(MenusAndKeysTest, TheViewMenuBringsBackASimulationBarAndSaveWaitsForTheSimulationToEnd)
{
    Start();
    Ctrl('N');
    CTavixView* view = Frame()->GetActiveDiagramView();
    ASSERT_NE(view, nullptr);
    CTavixDoc* doc = view->GetDocument();
    CBlockObj* input = NewBlockOfType(600);
    doc->m_blocks.AddTail(input);
    input->m_nNumber = 1;
    CChildFrame* child = view->GetParentFrame();

    // Not simulating: the bars' items are disabled, Save is not; Toolbar and Status Bar are
    // checked while they show.
    WithMenu(L'v', [](HMENU menu) {
        for (UINT id : {ID_VIEW_SIMULATION_BAR, ID_VIEW_INPUTS_BAR, ID_VIEW_OUTPUTS_BAR})
            EXPECT_FALSE(StateOf(menu, id).enabled) << id;
        for (UINT id : {UINT(ID_VIEW_TOOLBAR), UINT(ID_VIEW_STATUS_BAR)}) {
            EXPECT_TRUE(StateOf(menu, id).enabled) << id;
            EXPECT_TRUE(StateOf(menu, id).checked) << id;
        }
    });
    WithMenu(L'f', [](HMENU menu) {
        EXPECT_TRUE(StateOf(menu, ID_FILE_SAVE).enabled);
        EXPECT_TRUE(StateOf(menu, ID_FILE_SAVE_AS).enabled);
    });

    // F3 simulates; with the simulated device stopped (its close buttons are inert while it
    // runs) the Inputs bar is closed with its own close button.
    m_drv.Key(VK_F3);
    m_drv.Pump();
    ASSERT_TRUE(view->IsSimulating());
    view->StopSimClock();
    CWnd* stop = child->m_wndSimBar.GetDlgItem(IDC_SIM_STOP);
    ASSERT_NE(stop, nullptr);
    CRect stopRect;
    stop->GetClientRect(&stopRect);
    m_drv.Click(CHeadlessDriver::At(stop->m_hWnd, stopRect.CenterPoint()));
    m_drv.Pump();
    ASSERT_FALSE(child->m_wndSimBar.m_bPowered);
    auto* inputs = dynamic_cast<CSizingControlBarG*>(child->m_pInputsBar);
    ASSERT_NE(inputs, nullptr);
    ASSERT_TRUE(inputs->IsVisible());
    CRect window, close = inputs->GetCloseButtonRect();
    inputs->GetWindowRect(&window);
    m_drv.Click(POINT{window.left + close.CenterPoint().x, window.top + close.CenterPoint().y});
    m_drv.Pump();
    ASSERT_FALSE(inputs->IsVisible());

    // Save and Save As wait, also by their key.
    WithMenu(L'f', [](HMENU menu) {
        EXPECT_FALSE(StateOf(menu, ID_FILE_SAVE).enabled);
        EXPECT_FALSE(StateOf(menu, ID_FILE_SAVE_AS).enabled);
    });
    CCommonDlgScript dialogs;
    dialogs.QueueCancel();
    Ctrl('S');
    EXPECT_TRUE(dialogs.Queries().empty());

    // The View menu offers the three bars, checked while shown; choosing Inputs brings it back
    // and choosing Simulation Bar hides that one.
    int inputsAt = -1, simAt = -1;
    WithMenu(L'v', [&](HMENU menu) {
        for (UINT id : {ID_VIEW_SIMULATION_BAR, ID_VIEW_INPUTS_BAR, ID_VIEW_OUTPUTS_BAR})
            EXPECT_TRUE(StateOf(menu, id).enabled) << id;
        EXPECT_TRUE(StateOf(menu, ID_VIEW_SIMULATION_BAR).checked);
        EXPECT_TRUE(StateOf(menu, ID_VIEW_OUTPUTS_BAR).checked);
        EXPECT_FALSE(StateOf(menu, ID_VIEW_INPUTS_BAR).checked);
        inputsAt = PositionOf(menu, ID_VIEW_INPUTS_BAR);
        simAt = PositionOf(menu, ID_VIEW_SIMULATION_BAR);
    });
    ASSERT_GE(inputsAt, 0);
    ChooseFromMenu(L'v', inputsAt);
    EXPECT_TRUE(inputs->IsVisible());
    ChooseFromMenu(L'v', simAt);
    EXPECT_FALSE(child->m_pSimulationBar->IsVisible());
    EXPECT_TRUE(view->IsSimulating());
    ChooseFromMenu(L'v', simAt);
    EXPECT_TRUE(child->m_pSimulationBar->IsVisible());

    // Leaving the simulation gives Save back.
    m_drv.Key(VK_F3);
    m_drv.Pump();
    ASSERT_FALSE(view->IsSimulating());
    WithMenu(L'f', [](HMENU menu) { EXPECT_TRUE(StateOf(menu, ID_FILE_SAVE).enabled); });
    doc->SetModifiedFlag(FALSE);
}

TEST_F(MenusAndKeysTest, UndoWaitsForAChangeInABrandNewProgram)
{
    Start();
    Ctrl('N');
    ASSERT_NE(Frame()->GetActiveDiagramView(), nullptr);
    WithMenu(L'e', [](HMENU menu) {
        EXPECT_FALSE(StateOf(menu, ID_EDIT_UNDO).enabled);
        EXPECT_FALSE(StateOf(menu, ID_EDIT_REDO).enabled);
    });
}

TEST_F(MenusAndKeysTest, AProgramOnTheCommandLineThatCannotBeReadNamesItsPathOnce)
{
    const CString damaged = Temp("damaged.yfb");
    ASSERT_TRUE(WriteWholeFile(damaged, std::vector<std::uint8_t>{1, 2, 3, 4}));
    for (const CString& path : {damaged, Temp("missing.yfb")}) {
        // The program opens nothing and, its shell command failed, does not start.
        m_drv.Host().ClearMessageBoxes();
        m_app = std::make_unique<CEditorApp>();
        m_app->SetCommandLineArgs({path});
        EXPECT_FALSE(m_app->InitInstance());
        m_drv.Pump();
        EXPECT_EQ(DocumentCount(), 0);
        ASSERT_EQ(m_drv.Host().MessageBoxes().size(), 1u) << LPCTSTR(path);
        const std::wstring text = m_drv.Host().MessageBoxes()[0].text;
        const std::wstring name = path.GetString();
        const size_t first = text.find(name);
        EXPECT_NE(first, std::wstring::npos) << text;
        EXPECT_EQ(text.find(name, first + 1), std::wstring::npos) << text;
        Frame()->DestroyWindow();
        m_drv.Pump();
        m_app.reset();
    }
}

TEST_F(MenusAndKeysTest, TheFrameColourDialogHasItsTitle)
{
    Start();
    CCommonDlgScript dialogs;
    dialogs.QueueColor(RGB(10, 20, 30));
    int at = -1;
    WithMenu(L'o', [&](HMENU menu) { at = PositionOf(menu, ID_OPTIONS_FRAME_COLOR); });
    ASSERT_GE(at, 0);
    ChooseFromMenu(L'o', at);
    ASSERT_EQ(dialogs.Queries().size(), 1u);
    EXPECT_EQ(dialogs.Queries()[0].title, L"Frame window background color");
    EXPECT_EQ(Frame()->m_crFrameBackground, RGB(10, 20, 30));
}

} // namespace
