// The diagram under the pointer: the cursor each edit mode shows, the right button during a
// drag and while simulating, the pictured items of the context menu, and arrow-key nudges as
// undo steps. Everything goes in as injected mouse and key input.
#include "EditTestSupport.h"

#include "elements/BlockTypes.h"
#include "platform/ui/core/WinUser.h"
#include "view/ViewCursors.h"

#include <algorithm>
#include <vector>

namespace viewtest {
namespace {

// The owner-drawn menu items the view's frame was asked to draw while a context menu was open.
std::vector<UINT> g_drawnItems;
WNDPROC g_frameProc = nullptr;

LRESULT RecordDrawItem(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_DRAWITEM) {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (dis && dis->CtlType == ODT_MENU &&
            std::find(g_drawnItems.begin(), g_drawnItems.end(), dis->itemID) == g_drawnItems.end())
            g_drawnItems.push_back(dis->itemID);
    }
    return ::CallWindowProcW(g_frameProc, h, msg, wp, lp);
}

class PointerTest : public EditTest {
protected:
    void OpenNew(int kind)
    {
        auto doc = NewDocument(kind);
        doc->OnNewDocument();
        Open(std::move(doc));
    }
    void TearDown() override
    {
        if (g_frameProc && frame && ::IsWindow(frame->GetSafeHwnd()))
            ::SetWindowLongPtrW(frame->GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_frameProc));
        g_frameProc = nullptr;
        EditTest::TearDown();
    }
    // The frame records what it draws for menus from now on.
    void RecordMenuDrawing()
    {
        g_drawnItems.clear();
        g_frameProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(frame->GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordDrawItem)));
    }
    // A right click whose context menu, once shown, is closed with Esc.
    void RightClickClosingMenu(CPoint at)
    {
        drv.Host().QueueIdleStep([this] { drv.Key(VK_ESCAPE, 0x1B); });
        RightClick(at);
    }
    // An arrow key held down for `repeats` autorepeated presses, then let go.
    void HoldKey(UINT vk, int repeats)
    {
        view->SetFocus();
        for (int k = 0; k < repeats; ++k)
            drv.KeyDown(vk, 0, true);
        drv.KeyUp(vk, true);
        Pump();
    }
    static UINT StandardId(HCURSOR c) { return ::GetStandardCursorId(c); }
};

TEST_F(PointerTest, EachEditModeShowsItsCursorUnderThePointer)
{
    OpenNew(CTavixDoc::kindFbd);
    CBlockObj* in = Insert(600, CPoint(100, 300));
    CBlockObj* gate = Insert(300, CPoint(300, 200));
    ASSERT_TRUE(in && gate);
    ASSERT_NE(Wire(in, 10, gate, 0), nullptr);  // cut/join needs a wire
    const CPoint onBody = gate->m_ptOrigin + CPoint(12, 20), empty(600, 450);
    const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    const struct {
        const char* what;
        UINT key;  // 0: stay in the mode of the row before
        CPoint at;
        HCURSOR expected;
    } cases[] = {
        {"select mode", 0, empty, arrow},
        {"connect over an output pin", VK_F5, Pin(gate, 10), GetViewCursor(ViewCursor::ConnectOnPin)},
        {"connect over an input pin", 0, Pin(gate, 1), GetViewCursor(ViewCursor::ConnectOnPin)},
        {"connect off any pin", 0, empty, GetViewCursor(ViewCursor::ConnectOff)},
        {"connect over the body", 0, onBody, GetViewCursor(ViewCursor::ConnectOff)},
        {"Esc back to select", VK_ESCAPE, empty, arrow},
        {"insert comments", VK_F9, empty, GetViewCursor(ViewCursor::Comment)},
        {"cut/join", VK_F11, empty, GetViewCursor(ViewCursor::CutJoin)},
        {"cut/join toggled off", VK_F11, empty, arrow},
    };
    for (const auto& c : cases) {
        if (c.key)
            Key(c.key);
        MoveTo(c.at);
        EXPECT_EQ(::GetCursor(), c.expected) << c.what;
    }
    // The commands show their cursor at once, before the pointer moves.
    Key(VK_F9);
    EXPECT_EQ(::GetCursor(), GetViewCursor(ViewCursor::Comment));
    Key(VK_ESCAPE);
    EXPECT_EQ(StandardId(::GetCursor()), StandardId(arrow));

    // Inserting blocks: the arrow over a block, the hand elsewhere.
    view->SelectPaletteTool(CTavixView::modeInsert, 300);
    MoveTo(empty);
    EXPECT_EQ(::GetCursor(), GetViewCursor(ViewCursor::InsertHand));
    MoveTo(onBody);
    EXPECT_EQ(StandardId(::GetCursor()), StandardId(arrow));
    // All five shapes are distinct.
    std::vector<HCURSOR> shapes;
    for (ViewCursor v : {ViewCursor::ConnectOff, ViewCursor::ConnectOnPin, ViewCursor::Comment, ViewCursor::CutJoin,
                         ViewCursor::InsertHand})
        shapes.push_back(GetViewCursor(v));
    std::sort(shapes.begin(), shapes.end());
    EXPECT_EQ(std::unique(shapes.begin(), shapes.end()), shapes.end());
    EXPECT_EQ(std::count(shapes.begin(), shapes.end(), nullptr), 0);
}

TEST_F(PointerTest, ARightPressDuringAWireEndDragDropsTheEndOnAPinOrBackOnItsOwn)
{
    const struct {
        const char* what;
        bool ontoOtherPin;
    } cases[] = {{"released over empty space", false}, {"released over another input pin", true}};
    for (const auto& c : cases) {
        OpenNew(CTavixDoc::kindFbd);
        CBlockObj* in = Insert(600, CPoint(100, 200));
        CBlockObj* gate = Insert(300, CPoint(400, 200));
        CBlockObj* other = Insert(300, CPoint(400, 320));
        ASSERT_TRUE(in && gate && other);
        CConnectLineObj* w = Wire(in, 10, gate, 0);
        ASSERT_NE(w, nullptr);
        Click(w->m_points[1] + CPoint(0, 1));  // selects the wire
        ASSERT_TRUE(w->m_bSelected) << c.what;
        const int steps = document->m_undo.GetCurrent();
        const CPoint target = c.ontoOtherPin ? Pin(other, 1) : CPoint(600, 450);
        Press(Pin(gate, 0));
        for (CPoint p = Pin(gate, 0); p != target;) {
            p.x += std::max(-5, std::min(5, int(target.x - p.x)));
            p.y += std::max(-5, std::min(5, int(target.y - p.y)));
            drv.MouseMove(Screen(p));
        }
        Pump();
        ASSERT_EQ(view->m_nEditMode, CTavixView::modeDragWire) << c.what;
        // The right button ends the drag; its menu is closed; the left button comes up later.
        RightClickClosingMenu(target);
        Release(target);
        EXPECT_EQ(view->m_nEditMode, CTavixView::modeSelect) << c.what;
        EXPECT_EQ(w->m_bEndDrag, 0) << c.what;
        EXPECT_EQ(w->m_points[w->m_points.GetSize() - 1], w->m_ptEnd) << c.what;
        EXPECT_EQ(w->m_pEndBlock, c.ontoOtherPin ? other : gate) << c.what;
        EXPECT_EQ(w->m_nEndPin, c.ontoOtherPin ? 1 : 0) << c.what;
        CRect pin;
        ASSERT_TRUE(document->GetPinPosition(&pin, w->m_pEndBlock, w->m_nEndPin));
        pin.InflateRect(2, 2);
        EXPECT_TRUE(pin.PtInRect(w->m_ptEnd)) << c.what;
        if (c.ontoOtherPin) {
            EXPECT_EQ(document->m_undo.GetCurrent(), steps + 1) << c.what;
        }
        TearDown();
    }
}

TEST_F(PointerTest, TheContextMenuHasItsPicturedItemsDrawnByItsFrame)
{
    OpenNew(CTavixDoc::kindFbd);
    CBlockObj* in = Insert(600, CPoint(100, 200));
    CBlockObj* gate = Insert(300, CPoint(400, 200));
    ASSERT_TRUE(in && gate);
    CConnectLineObj* w = Wire(in, 10, gate, 0);
    ASSERT_NE(w, nullptr);
    RecordMenuDrawing();
    const struct {
        const char* what;
        CPoint at;
        std::vector<UINT> drawn;
    } cases[] = {
        {"a block", gate->m_ptOrigin + CPoint(12, 20), {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_CLEAR}},
        {"empty space", CPoint(600, 450), {ID_EDIT_PASTE}},
        {"a wire", w->m_points[1] + CPoint(0, 1), {ID_EDIT_CLEAR}},
    };
    for (const auto& c : cases) {
        g_drawnItems.clear();
        RightClickClosingMenu(c.at);
        std::vector<UINT> drawn = g_drawnItems, expected = c.drawn;
        std::sort(drawn.begin(), drawn.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(drawn, expected) << c.what;
    }
}

TEST_F(PointerTest, TheRightButtonWhileSimulatingSelectsAndOpensTheMenu)
{
    OpenNew(CTavixDoc::kindFbd);
    CBlockObj* in = Insert(600, CPoint(100, 200));
    CBlockObj* gate = Insert(300, CPoint(400, 200));
    ASSERT_TRUE(in && gate);
    view->ClearSelection(0);
    Key(VK_F3);
    ASSERT_EQ(view->m_nEditMode, CTavixView::modeSimulate);
    RecordMenuDrawing();
    RightClickClosingMenu(gate->m_ptOrigin + CPoint(12, 20));
    EXPECT_TRUE(gate->m_bSelected);
    EXPECT_EQ(view->m_pCurBlock, gate);
    EXPECT_EQ(view->m_nEditMode, CTavixView::modeSimulate);
    EXPECT_FALSE(g_drawnItems.empty()) << "the block's menu was shown";
    // Empty space clears the selection and offers the Paste menu.
    g_drawnItems.clear();
    RightClickClosingMenu(CPoint(600, 450));
    EXPECT_FALSE(gate->m_bSelected);
    EXPECT_EQ(g_drawnItems, std::vector<UINT>{ID_EDIT_PASTE});
    Key(VK_F3);
}

TEST_F(PointerTest, AHeldArrowKeyIsOneUndoStepAndEachNewPressAnother)
{
    OpenNew(CTavixDoc::kindFbd);
    CBlockObj* gate = Insert(300, CPoint(300, 200));
    ASSERT_NE(gate, nullptr);
    Click(gate->m_ptOrigin + CPoint(12, 20));
    const CPoint start = gate->m_ptOrigin;
    const int steps = document->m_undo.GetCurrent();
    HoldKey(VK_RIGHT, 40);
    EXPECT_EQ(gate->m_ptOrigin, start + CPoint(40, 0));
    EXPECT_EQ(document->m_undo.GetCurrent(), steps + 1);
    HoldKey(VK_DOWN, 3);
    Key(VK_LEFT);
    EXPECT_EQ(gate->m_ptOrigin, start + CPoint(39, 3));
    EXPECT_EQ(document->m_undo.GetCurrent(), steps + 3);
    // Undo walks back one run at a time, down to where the block was before the first run.
    const CPoint expected[] = {start + CPoint(40, 3), start + CPoint(40, 0), start};
    for (const CPoint& at : expected) {
        Command(ID_EDIT_UNDO);
        ASSERT_EQ(Count(document->m_blocks), 1);
        EXPECT_EQ(Block(0)->m_ptOrigin, at);
    }
    // After an undo a held key starts a step of its own instead of rewriting an older one.
    drv.AdvanceClock(1000);  // a click, not the second half of a double-click
    Click(Block(0)->m_ptOrigin + CPoint(12, 20));
    ASSERT_EQ(Count(view->m_selBlocks), 1);
    HoldKey(VK_UP, 2);
    EXPECT_EQ(Block(0)->m_ptOrigin, start + CPoint(0, -2));
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Block(0)->m_ptOrigin, start);
    Command(ID_EDIT_REDO);
    EXPECT_EQ(Block(0)->m_ptOrigin, start + CPoint(0, -2));
}

}  // namespace
}  // namespace viewtest
