// Editing with the mouse: inserting from the palette, selecting (click, Ctrl, rubber band),
// moving with the wires following, drawing wires under the connection rules; every edit one
// undo step that undo and redo take back to the same program file.
#include "EditTestSupport.h"

#include "elements/BlockComment.h"
#include "elements/BlockTypes.h"
#include "view/InfoTip.h"

namespace viewtest {
namespace {

class MouseEdit : public EditTest {
protected:
    // A new program of the kind, with its first undo snapshot, shown in a view.
    void OpenNew(int kind)
    {
        auto doc = NewDocument(kind);
        doc->OnNewDocument();
        Open(std::move(doc));
    }
};

bool Orthogonal(const CConnectLineObj* w)
{
    for (INT_PTR i = 1; i < w->m_points.GetSize(); ++i)
        if (w->m_points[i].x != w->m_points[i - 1].x && w->m_points[i].y != w->m_points[i - 1].y)
            return false;
    return true;
}

TEST_F(MouseEdit, EveryPaletteTypeIsPlacedWhereClickedAndEachInsertIsOneUndoStep)
{
    OpenNew(CTavixDoc::kindFbd);
    std::vector<int> types;
    for (int t = 300; t <= 307; ++t)
        types.push_back(t);
    for (int t = 400; t <= 413; ++t)
        types.push_back(t);
    for (int t : {600, 602, 603, 604, 605, 606, 607, 608, 609, 610, 611})
        types.push_back(t);
    for (int t = 800; t <= 827; ++t)
        if (t != 811)
            types.push_back(t);
    for (int t = 830; t <= 856; ++t)
        types.push_back(t);
    for (int t = 860; t <= 879; ++t)
        types.push_back(t);
    types.push_back(911);
    int k = 0;
    for (int type : types) {
        const CPoint at(60 + (k % 12) * 60, 60 + (k / 12) * 60);
        const int undoBefore = document->m_undo.GetCurrent();
        CBlockObj* b = Insert(type, at);
        ASSERT_NE(b, nullptr) << type;
        EXPECT_EQ(b->m_nType, type);
        EXPECT_EQ(b->m_ptOrigin, CPoint(at.x - 12, at.y)) << type;
        EXPECT_EQ(b->m_nHeight, b->m_nInputs == 4 ? 40 : 36) << type;
        EXPECT_EQ(document->m_undo.GetCurrent(), std::min(undoBefore + 1, int(CUndoStore::maxSnapshots) - 1)) << type;
        ++k;
    }
    EXPECT_TRUE(Boxes().empty());
    // A click on a placed block inserts nothing; a click outside the diagram is refused.
    const int count = Count(document->m_blocks);
    EXPECT_EQ(Insert(300, CPoint(60, 70)), nullptr);
    EXPECT_EQ(Count(document->m_blocks), count);
}

TEST_F(MouseEdit, InsertionRefusalsSayWhyAndChangeNothing)
{
    OpenNew(CTavixDoc::kindFbd);
    ASSERT_NE(Insert(911, CPoint(100, 100)), nullptr);
    const std::string before = FileBytes();
    EXPECT_EQ(Insert(911, CPoint(200, 100)), nullptr);
    EXPECT_EQ(Boxes(), std::vector<std::wstring>{L"All available Data Log Block is in use!"});
    EXPECT_EQ(FileBytes(), before);
    // Near the edge the block is pulled inside; a comment click outside the area is refused.
    CBlockObj* edge = Insert(300, CPoint(3, 3));
    ASSERT_NE(edge, nullptr);
    EXPECT_EQ(edge->m_ptOrigin, CPoint(25 - 12, 25));
}

TEST_F(MouseEdit, ClickCtrlClickAndRubberBandSelect)
{
    OpenNew(CTavixDoc::kindFbd);
    CBlockObj* a = Insert(300, CPoint(100, 100));
    CBlockObj* b = Insert(304, CPoint(200, 100));
    CBlockObj* c = Insert(307, CPoint(300, 200));
    ASSERT_TRUE(a && b && c);
    CConnectLineObj* ab = Wire(a, 10, b, 0);
    CConnectLineObj* bc = Wire(b, 10, c, 0);
    ASSERT_TRUE(ab && bc);

    Click(CPoint(100, 110));
    EXPECT_TRUE(a->m_bSelected && !b->m_bSelected);
    Click(CPoint(200, 110), true);
    EXPECT_TRUE(a->m_bSelected && b->m_bSelected);
    EXPECT_EQ(view->m_pCurBlock, b);
    Click(CPoint(100, 110), true);
    EXPECT_FALSE(a->m_bSelected);
    EXPECT_TRUE(b->m_bSelected);

    // The band takes every block it touches and the wires whose both ends it took.
    Drag(CPoint(60, 60), CPoint(215, 150));
    EXPECT_EQ(view->m_nEditMode, CTavixView::modeSelect);
    EXPECT_TRUE(a->m_bSelected && b->m_bSelected && !c->m_bSelected);
    EXPECT_TRUE(ab->m_bSelected);
    EXPECT_FALSE(bc->m_bSelected);
    EXPECT_EQ(Count(view->m_selBlocks), 2);
    EXPECT_EQ(Count(view->m_selWires), 1);
    Click(CPoint(600, 500));
    EXPECT_TRUE(view->m_selBlocks.IsEmpty() && view->m_selWires.IsEmpty());
}

TEST_F(MouseEdit, MovedBlocksTakeTheirWireEndsAlongAndSmallMovesTakeNoUndoStep)
{
    OpenNew(CTavixDoc::kindFbd);
    CBlockObj* in = Insert(600, CPoint(100, 100));
    CBlockObj* gate = Insert(300, CPoint(250, 150));
    CBlockObj* out = Insert(605, CPoint(400, 100));
    ASSERT_TRUE(in && gate && out);
    CConnectLineObj* w1 = Wire(in, 10, gate, 1);
    CConnectLineObj* w2 = Wire(gate, 10, out, 0);
    ASSERT_TRUE(w1 && w2);
    const std::string wired = FileBytes();
    const int steps = document->m_undo.GetCurrent();

    Drag(CPoint(250, 160), CPoint(280, 180));
    EXPECT_EQ(gate->m_ptOrigin, CPoint(238 + 30, 170));
    EXPECT_EQ(w1->m_ptEnd, Pin(gate, 1));
    EXPECT_EQ(w2->m_ptStart, Pin(gate, 10));
    EXPECT_EQ(w1->m_points[w1->m_points.GetSize() - 1], Pin(gate, 1));
    EXPECT_EQ(w2->m_points[0], Pin(gate, 10));
    EXPECT_TRUE(Orthogonal(w1) && Orthogonal(w2));
    EXPECT_EQ(document->m_undo.GetCurrent(), steps + 1);
    const std::string moved = FileBytes();

    // Nine units: modified, but no undo step of its own.
    Drag(CPoint(280, 180), CPoint(289, 180));
    EXPECT_TRUE(document->IsModified());
    EXPECT_EQ(document->m_undo.GetCurrent(), steps + 1);

    Command(ID_EDIT_UNDO);
    EXPECT_EQ(FileBytes(), wired);
    Command(ID_EDIT_REDO);
    EXPECT_EQ(FileBytes(), moved);
}

TEST_F(MouseEdit, ABlockDraggedOutOfTheDiagramGoesBack)
{
    OpenNew(CTavixDoc::kindFbd);
    CBlockObj* b = Insert(300, CPoint(100, 100));
    ASSERT_NE(b, nullptr);
    const CPoint start = b->m_ptOrigin;
    Drag(CPoint(100, 110), CPoint(100, 20));
    // The move stops at the top margin: the block never leaves the drawable area.
    EXPECT_GE(b->m_ptOrigin.y, 13);
    EXPECT_EQ(b->m_ptOrigin.x, start.x);
}

struct WireCase {
    const char* what;
    int from, fromPin, to, toPin;  // indexes into the fixture's blocks
    bool made;
    int linkState;                 // after the refused second click
};

TEST_F(MouseEdit, ConnectionRulesInAFunctionBlockDiagram)
{
    OpenNew(CTavixDoc::kindFbd);
    // 0 AND, 1 AND, 2 input, 3 analog input, 4 flag, 5 OR
    std::vector<CBlockObj*> b = {Insert(300, CPoint(150, 100)), Insert(300, CPoint(300, 100)),
                                 Insert(600, CPoint(60, 250)),  Insert(608, CPoint(60, 350)),
                                 Insert(607, CPoint(450, 250)), Insert(304, CPoint(300, 300))};
    for (CBlockObj* p : b)
        ASSERT_NE(p, nullptr);
    ASSERT_NE(Wire(b[1], 10, b[0], 0), nullptr);  // the second AND feeds the first
    ASSERT_NE(Wire(b[0], 10, b[4], 0), nullptr);  // the first AND feeds the flag
    const WireCase cases[] = {
        {"output to output", 0, 10, 5, 10, false, 1},
        {"input to input", 0, 1, 5, 1, false, 1},
        {"analog signal into a gate", 3, 10, 5, 0, false, 1},
        {"input that has its wire", 2, 10, 0, 0, false, 1},
        {"loop between two gates", 0, 10, 1, 0, false, 2},
        {"loop that passes a flag", 4, 10, 1, 1, true, 0},
        {"own input", 5, 10, 5, 0, false, 2},
        {"input into a free gate pin", 2, 10, 5, 2, true, 0},
        // The search for a loop walks the allowed loop through the flag made above and ends.
        {"into a loop already there", 5, 10, 1, 0, true, 0},
    };
    for (const auto& c : cases) {
        const int wires = Count(document->m_wires);
        const int steps = document->m_undo.GetCurrent();
        Command(ID_MODE_CONNECT);
        Click(Pin(b[size_t(c.from)], c.fromPin));
        MoveTo(Pin(b[size_t(c.to)], c.toPin));
        const int live = view->m_nLinkState;
        Click(Pin(b[size_t(c.to)], c.toPin));
        EXPECT_EQ(Count(document->m_wires), wires + (c.made ? 1 : 0)) << c.what;
        EXPECT_EQ(document->m_undo.GetCurrent(), steps + (c.made ? 1 : 0)) << c.what;
        EXPECT_EQ(live, c.linkState) << c.what;
        if (c.linkState == 1) {
            EXPECT_EQ(view->GetInfoTip()->GetText(), CString(L"Incompatible connectors!")) << c.what;
        } else if (c.linkState == 2) {
            EXPECT_EQ(view->GetInfoTip()->GetText(), CString(L"Recursions only allowed via outputs and flags!"))
                << c.what;
        }
        Command(ID_MODE_SELECT);
    }
    // A made wire stores the link in both pins.
    CConnectLineObj* last = WireAt(Count(document->m_wires) - 1);
    EXPECT_EQ(b[5]->m_nLink[2], b[2]->m_nNumber);
    EXPECT_EQ(b[2]->m_nLink[10], b[5]->m_nNumber);
    EXPECT_TRUE(Orthogonal(last));
}

TEST_F(MouseEdit, ConnectionRulesInALadderDiagram)
{
    OpenNew(CTavixDoc::kindLadder);
    Repaint();  // the first repaint makes the power bus
    CBlockObj* bus = view->GetPowerBus();
    ASSERT_NE(bus, nullptr);
    CPoint contactAt(100, 100);
    CBlockObj* contact = view->InsertBlock(TYPE_MAKE, &contactAt);
    ASSERT_NE(contact, nullptr);
    ASSERT_TRUE(view->AddInsertedBlock(contact));
    CPoint coilAt(250, 100);
    CBlockObj* coil = view->InsertBlock(TYPE_COIL, &coilAt);
    ASSERT_TRUE(coil && view->AddInsertedBlock(coil));

    // From the bus to the contact: one horizontal line at the input's height.
    Command(ID_MODE_CONNECT);
    Click(CPoint(bus->m_ptOrigin.x + 1, Pin(contact, 0).y + 20));
    Click(Pin(contact, 0));
    ASSERT_EQ(Count(document->m_wires), 1);
    CConnectLineObj* busWire = WireAt(0);
    ASSERT_EQ(busWire->m_points.GetSize(), 2);
    EXPECT_EQ(busWire->m_points[0].y, Pin(contact, 0).y);
    EXPECT_EQ(busWire->m_points[1], Pin(contact, 0));

    // Contact to coil twice: the second is the same wire and is refused; a second wire into
    // the contact's input from elsewhere is allowed in a ladder.
    Click(Pin(contact, 10));
    Click(Pin(coil, 0));
    EXPECT_EQ(Count(document->m_wires), 2);
    Click(Pin(coil, 0));
    Click(Pin(contact, 10));
    EXPECT_EQ(Count(document->m_wires), 2);
    Command(ID_MODE_SELECT);
}

TEST_F(MouseEdit, DraggingAWireEndOntoAnotherPinReconnectsItAndBesideAPinRestoresIt)
{
    OpenNew(CTavixDoc::kindFbd);
    CBlockObj* in = Insert(600, CPoint(100, 100));
    CBlockObj* gate = Insert(300, CPoint(300, 100));
    ASSERT_TRUE(in && gate);
    CConnectLineObj* w = Wire(in, 10, gate, 0);
    ASSERT_NE(w, nullptr);
    // Select the wire, then drag its end from input 0 to input 2.
    const CPoint mid = w->m_points[1] + CPoint(0, (w->m_points[2].y - w->m_points[1].y) / 2);
    Click(mid);
    ASSERT_TRUE(w->m_bSelected);
    Drag(Pin(gate, 0), Pin(gate, 2));
    EXPECT_EQ(w->m_nEndPin, 2);
    EXPECT_EQ(gate->m_nLink[0], LINK_OPEN);
    EXPECT_EQ(gate->m_nLink[2], in->m_nNumber);
    EXPECT_EQ(w->m_ptEnd, Pin(gate, 2));
    // Beside every pin the end comes back.
    Click(mid);
    Drag(Pin(gate, 2), CPoint(200, 400));
    EXPECT_EQ(w->m_nEndPin, 2);
    EXPECT_EQ(w->m_points[w->m_points.GetSize() - 1], Pin(gate, 2));
}

TEST_F(MouseEdit, CommentsAreInsertedMovedAndUndone)
{
    OpenNew(CTavixDoc::kindFbd);
    const std::string empty = FileBytes();
    Command(ID_MODE_INSERT_COMMENT);
    Click(CPoint(300, 300));
    ASSERT_EQ(Count(document->m_comments), 1);
    EXPECT_EQ(view->m_nEditMode, CTavixView::modeInsertComment);
    Command(ID_MODE_INSERT_COMMENT);
    auto* c = static_cast<CBlockComment*>(document->m_comments.GetHead());
    const CPoint at = c->m_ptOrigin;
    ASSERT_GT(c->m_nWidth, 4);
    ASSERT_GT(c->m_nHeight, 4);
    drv.AdvanceClock(1000);  // the next press is no double click
    Drag(at + CPoint(2, 2), at + CPoint(52, 22));
    EXPECT_EQ(c->m_ptOrigin, at + CPoint(50, 20));
    Command(ID_EDIT_UNDO);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(FileBytes(), empty);
}

}  // namespace
}  // namespace viewtest
