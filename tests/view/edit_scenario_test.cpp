// A program drawn by hand from an empty document with the mouse and keys, saved and compared
// with a reviewed fixture; then undone step by step back to the empty program and redone.
// TAVIX_WRITE_FIXTURES=1 writes the fixture anew (review it before committing).
#include "EditTestSupport.h"

#include "elements/BlockLadder.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockTypes.h"

#include <cstdlib>
#include <functional>
#include <fstream>
#include <iterator>

namespace viewtest {
namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Scenario : public EditTest {
protected:
    void OpenNew(int kind)
    {
        auto doc = NewDocument(kind);
        doc->OnNewDocument();
        Open(std::move(doc));
    }
    void CompareWithFixture(const std::string& name)
    {
        const std::string path = FixturePath("view/" + name);
        const std::string bytes = FileBytes();
        if (std::getenv("TAVIX_WRITE_FIXTURES")) {
            std::ofstream(path, std::ios::binary) << bytes;
            return;
        }
        const std::string fixture = ReadFile(path);
        ASSERT_FALSE(fixture.empty()) << path;
        size_t at = 0;
        while (at < bytes.size() && at < fixture.size() && bytes[at] == fixture[at])
            ++at;
        EXPECT_EQ(bytes.size(), fixture.size());
        EXPECT_EQ(at, std::min(bytes.size(), fixture.size())) << "first difference at byte " << at;
    }
};

TEST_F(Scenario, AGateWithTwoInputsAndAnOutputDrawnByHand)
{
    OpenNew(CTavixDoc::kindFbd);
    std::vector<std::string> states{FileBytes()};
    CBlockObj* i1 = Insert(600, CPoint(100, 100));
    states.push_back(FileBytes());
    CBlockObj* i2 = Insert(600, CPoint(100, 200));
    states.push_back(FileBytes());
    CBlockObj* gate = Insert(300, CPoint(250, 140));
    states.push_back(FileBytes());
    CBlockObj* q = Insert(605, CPoint(400, 140));
    states.push_back(FileBytes());
    ASSERT_TRUE(i1 && i2 && gate && q);
    ASSERT_NE(Wire(i1, 10, gate, 0), nullptr);
    states.push_back(FileBytes());
    ASSERT_NE(Wire(i2, 10, gate, 1), nullptr);
    states.push_back(FileBytes());
    ASSERT_NE(Wire(gate, 10, q, 0), nullptr);
    states.push_back(FileBytes());
    // The gate moves down by 20 with its three wires.
    Drag(CPoint(250, 150), CPoint(250, 170));
    states.push_back(FileBytes());
    // A comment above the gate.
    Command(ID_MODE_INSERT_COMMENT);
    Click(CPoint(250, 80));
    Command(ID_MODE_INSERT_COMMENT);
    states.push_back(FileBytes());
    // The second input goes, with its wire.
    drv.AdvanceClock(1000);
    Click(CPoint(100, 210));
    Command(ID_EDIT_CLEAR);
    states.push_back(FileBytes());
    CompareWithFixture("edit_gate_by_hand.yfb");
    // What the fixture holds: the input, the gate moved down by 20, the output, two wires from
    // pin to pin and the comment.
    {
        auto fixture = Load("view/edit_gate_by_hand.yfb");
        ASSERT_EQ(fixture->m_blocks.GetCount(), 3);
        ASSERT_EQ(fixture->m_wires.GetCount(), 2);
        EXPECT_EQ(fixture->m_comments.GetCount(), 1);
        auto at = [&](int k) { return static_cast<CBlockObj*>(fixture->m_blocks.GetAt(fixture->m_blocks.FindIndex(k))); };
        EXPECT_EQ(at(0)->m_nType, 600);
        EXPECT_EQ(at(1)->m_nType, 300);
        EXPECT_EQ(at(1)->m_ptOrigin, CPoint(238, 160));
        EXPECT_EQ(at(1)->m_nLink[0], at(0)->m_nNumber);
        EXPECT_EQ(at(1)->m_nLink[1], LINK_OPEN);
        EXPECT_EQ(at(2)->m_nLink[0], at(1)->m_nNumber);
        for (POSITION pos = fixture->m_wires.GetHeadPosition(); pos;) {
            auto* w = static_cast<CConnectLineObj*>(fixture->m_wires.GetNext(pos));
            CRect pin;
            ASSERT_TRUE(w->m_pStartBlock && w->m_pEndBlock);
            fixture->GetPinPosition(&pin, w->m_pStartBlock, w->m_nStartPin);
            EXPECT_EQ(w->m_ptStart, pin.CenterPoint());
            fixture->GetPinPosition(&pin, w->m_pEndBlock, w->m_nEndPin);
            EXPECT_EQ(w->m_ptEnd, pin.CenterPoint());
        }
    }

    for (size_t k = states.size() - 1; k > 0; --k) {
        ASSERT_TRUE(Enabled(ID_EDIT_UNDO)) << k;
        Command(ID_EDIT_UNDO);
        EXPECT_EQ(FileBytes(), states[k - 1]) << "undo to step " << k - 1;
    }
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    for (size_t k = 1; k < states.size(); ++k) {
        Command(ID_EDIT_REDO);
        EXPECT_EQ(FileBytes(), states[k]) << "redo to step " << k;
    }
    EXPECT_FALSE(Enabled(ID_EDIT_REDO));
}

// Each kind of edit is one undo step; undoing them all gives back every earlier file byte for
// byte, and redoing them all every later one.
TEST_F(Scenario, EveryKindOfEditIsOneUndoStepAndUndoRedoGiveTheSameFiles)
{
    OpenNew(CTavixDoc::kindFbd);
    std::vector<std::string> states{FileBytes()};
    std::vector<std::string> names{"empty"};
    auto step = [&](const char* name, const std::function<void()>& edit) {
        const int before = document->m_undo.GetCurrent();
        edit();
        EXPECT_EQ(document->m_undo.GetCurrent(), before + 1) << name;
        EXPECT_NE(FileBytes(), states.back()) << name << " changed nothing";
        states.push_back(FileBytes());
        names.push_back(name);
    };
    auto selectOnly = [&](std::initializer_list<CBlockObj*> blocks) {
        view->ClearSelection(0);
        for (CBlockObj* b : blocks) {
            b->m_bSelected = TRUE;
            view->m_selBlocks.AddTail(b);
        }
    };
    CBlockObj *i1 = nullptr, *i2 = nullptr, *gate = nullptr;
    step("insert", [&] { i1 = Insert(600, CPoint(100, 100)); });
    step("insert", [&] { i2 = Insert(600, CPoint(120, 240)); });
    step("insert", [&] { gate = Insert(300, CPoint(400, 160)); });
    ASSERT_TRUE(i1 && i2 && gate);
    step("wire", [&] { ASSERT_NE(Wire(i1, 10, gate, 0), nullptr); });
    step("wire", [&] { ASSERT_NE(Wire(i2, 10, gate, 1), nullptr); });
    step("arrow key", [&] {
        selectOnly({gate});
        Key(VK_DOWN);
    });
    step("align", [&] {
        selectOnly({i1, i2});
        Command(ID_EDIT_ALIGN_VERTICAL);
    });
    step("paste", [&] {
        Command(ID_EDIT_SELECT_ALL);
        Command(ID_EDIT_COPY);
        view->m_ptDown = CPoint(100, 400);
        Command(ID_EDIT_PASTE);
    });
    step("cut", [&] {
        selectOnly({i2});
        Command(ID_EDIT_CUT);
    });
    CConnectLineObj* w = nullptr;
    for (POSITION pos = document->m_wires.GetHeadPosition(); pos;) {
        auto* candidate = static_cast<CConnectLineObj*>(document->m_wires.GetNext(pos));
        if (candidate->m_pEndBlock == gate)
            w = candidate;
    }
    ASSERT_NE(w, nullptr);
    step("separate", [&] {
        Command(ID_MODE_CUT_JOIN);
        Click(w->m_points[1] + CPoint(0, 1));
    });
    step("join", [&] {
        CBlockObj* female = nullptr;
        for (POSITION pos = document->m_blocks.GetHeadPosition(); pos;) {
            auto* b = static_cast<CBlockObj*>(document->m_blocks.GetNext(pos));
            if (b->m_nType == TYPE_FEMALE)
                female = b;
        }
        ASSERT_NE(female, nullptr);
        Click(female->m_ptOrigin + CPoint(5, 5));
        Command(ID_MODE_CUT_JOIN);
    });

    for (size_t k = states.size() - 1; k > 0; --k) {
        Command(ID_EDIT_UNDO);
        EXPECT_EQ(FileBytes(), states[k - 1]) << "undo of " << names[k];
    }
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    for (size_t k = 1; k < states.size(); ++k) {
        Command(ID_EDIT_REDO);
        EXPECT_EQ(FileBytes(), states[k]) << "redo of " << names[k];
    }
    EXPECT_FALSE(Enabled(ID_EDIT_REDO));
}

TEST_F(Scenario, DeletingACoilInALadderTakesTheContactsThatReadIt)
{
    OpenNew(CTavixDoc::kindLadder);
    Repaint();
    CPoint at(100, 100);
    auto add = [&](int type) {
        CBlockObj* b = view->InsertBlock(type, &at);
        EXPECT_TRUE(b && view->AddInsertedBlock(b));
        at.x += 80;
        return b;
    };
    CBlockObj* contact = add(TYPE_MAKE);
    CBlockObj* coil = add(TYPE_COIL);
    CBlockObj* reader = add(TYPE_MAKE);
    CBlockObj* other = add(TYPE_MAKE);
    reader->m_nOperand = coil->m_nNumber;
    other->m_nOperand = NUM_INPUT;
    ASSERT_NE(Wire(contact, 10, coil, 0), nullptr);
    view->ClearSelection(0);
    coil->m_bSelected = TRUE;
    view->m_selBlocks.AddTail(coil);
    Command(ID_EDIT_CLEAR);
    EXPECT_EQ(Count(document->m_blocks), 2);
    EXPECT_TRUE(document->m_blocks.Find(contact) && document->m_blocks.Find(other));
    EXPECT_EQ(Count(document->m_wires), 0);
    EXPECT_EQ(contact->m_nLink[10], LINK_NONE);
}

TEST_F(Scenario, MessageTextNumbersAreFreedByDeletionAndMovedAsidePasting)
{
    OpenNew(CTavixDoc::kindFbd);
    CBlockObj* first = Insert(810, CPoint(100, 100));
    CBlockObj* second = Insert(810, CPoint(200, 100));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->m_nCount, 0);
    EXPECT_EQ(second->m_nCount, 1);
    // Copy the first and paste it: its number is taken, so the copy takes the lowest free one.
    view->ClearSelection(0);
    first->m_bSelected = TRUE;
    view->m_selBlocks.AddTail(first);
    Command(ID_EDIT_COPY);
    view->m_ptDown = CPoint(300, 300);
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(Count(document->m_blocks), 3);
    EXPECT_EQ(Block(2)->m_nCount, 2);
    // Deleting the first frees number 0 for the next insertion.
    view->ClearSelection(0);
    first->m_bSelected = TRUE;
    view->m_selBlocks.AddTail(first);
    Command(ID_EDIT_CLEAR);
    CBlockObj* next = Insert(810, CPoint(400, 100));
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->m_nCount, 0);
}

}  // namespace
}  // namespace viewtest
