// The view's editing commands through its own command routing and keyboard: deletion with
// everything that cannot stay without the deleted elements, connector pairs (separate, join, go
// to partner), select all, align, zoom steps, the mode keys, the context menu's choice, Save All.
#include "EditTestSupport.h"

#include "elements/BlockComment.h"
#include "elements/BlockConnectors.h"
#include "elements/BlockDataLog.h"
#include "elements/BlockTypes.h"
#include "platform/ui/dialogs/CommonDlg.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace viewtest {
namespace {

class CommandEdit : public EditTest {
protected:
    void OpenNew(int kind, WORD hardware = 0x5188)
    {
        auto doc = NewDocument(kind, hardware);
        doc->OnNewDocument();
        Open(std::move(doc));
    }
    void SelectOnly(CBlockObj* b)
    {
        view->ClearSelection(0);
        b->m_bSelected = TRUE;
        view->m_selBlocks.AddTail(b);
        view->m_pCurBlock = b;
    }
    void SelectOnly(CConnectLineObj* w)
    {
        view->ClearSelection(0);
        w->m_bSelected = TRUE;
        view->m_selWires.AddTail(w);
        view->m_pCurWire = w;
    }
};

TEST_F(CommandEdit, DeletingAFunctionBlockRenumbersTheRestAndCleansLinksAndReferences)
{
    OpenNew(CTavixDoc::kindFbd);
    CBlockObj* in = Insert(600, CPoint(80, 100));
    CBlockObj* first = Insert(300, CPoint(200, 100));   // B0, deleted below
    CBlockObj* timer = Insert(400, CPoint(350, 100));   // B1, references B2
    CBlockObj* counter = Insert(800, CPoint(500, 100)); // B2
    CBlockObj* log = Insert(911, CPoint(500, 300));
    ASSERT_TRUE(in && first && timer && counter && log);
    ASSERT_NE(Wire(in, 10, first, 0), nullptr);
    ASSERT_NE(Wire(first, 10, timer, 0), nullptr);
    ASSERT_NE(Wire(timer, 10, counter, 1), nullptr);
    timer->m_bRef[0] = TRUE;
    timer->m_pRefBlock[0] = first;
    timer->m_nRefNumber[0] = first->m_nNumber;
    timer->m_nTime1Low = 7;
    timer->m_nTime1Base = 1;
    auto* dataLog = static_cast<CBlockDataLog*>(log);
    CDataLogItem item;
    item.m_nOperand = counter->m_nNumber;
    item.m_pBlock = counter;
    item.m_strOperand = L"B2";
    dataLog->m_aItems.Add(item);
    dataLog->m_nTime1High = 1;

    SelectOnly(first);
    const int steps = document->m_undo.GetCurrent();
    Command(ID_EDIT_CLEAR);
    EXPECT_EQ(document->m_undo.GetCurrent(), steps + 1);
    EXPECT_EQ(Count(document->m_blocks), 4);
    EXPECT_EQ(Count(document->m_wires), 1);
    // Numbers close the gap; the remaining wire and the pins follow.
    EXPECT_EQ(timer->m_nNumber, 9000);
    EXPECT_EQ(counter->m_nNumber, 9001);
    EXPECT_EQ(counter->m_nLink[1], 9000);
    EXPECT_EQ(timer->m_nLink[10], 9001);
    EXPECT_EQ(WireAt(0)->m_nStartNumber, 9000);
    EXPECT_EQ(in->m_nLink[10], LINK_NONE);
    EXPECT_EQ(timer->m_nLink[0], LINK_OPEN);
    // The timer's reference to the deleted block is gone and its time is its own again.
    EXPECT_FALSE(timer->m_bRef[0]);
    EXPECT_EQ(timer->m_pRefBlock[0], nullptr);
    EXPECT_EQ(timer->m_nTime1Low, 0);
    EXPECT_EQ(timer->m_nTime1Base, 2);
    // The logged block keeps its line under its new number.
    ASSERT_EQ(dataLog->m_aItems.GetSize(), 1);
    EXPECT_EQ(dataLog->m_aItems[0].m_nOperand, 9001);
    EXPECT_EQ(dataLog->m_aItems[0].m_strOperand.Left(2), CString(L"B1"));
    // Deleting the logged block removes its line.
    SelectOnly(counter);
    Command(ID_EDIT_CLEAR);
    EXPECT_EQ(dataLog->m_aItems.GetSize(), 0);
    EXPECT_EQ(dataLog->m_nTime1High, 0);
}

TEST_F(CommandEdit, SeparateMakesAConnectorPairInOneStepAndJoinTakesItBack)
{
    OpenNew(CTavixDoc::kindFbd);
    CBlockObj* in = Insert(600, CPoint(100, 200));
    CBlockObj* gate = Insert(300, CPoint(400, 200));
    ASSERT_TRUE(in && gate);
    CConnectLineObj* w = Wire(in, 10, gate, 0);
    ASSERT_NE(w, nullptr);
    const std::string wired = FileBytes();
    const CPoint out = Pin(in, 10), input = Pin(gate, 0);
    const int steps = document->m_undo.GetCurrent();

    Command(ID_MODE_CUT_JOIN);
    Click(w->m_points[1] + CPoint(0, 1));
    EXPECT_EQ(document->m_undo.GetCurrent(), steps + 1);
    ASSERT_EQ(Count(document->m_blocks), 4);
    CBlockObj* female = Block(2);
    CBlockObj* male = Block(3);
    EXPECT_EQ(female->m_nType, TYPE_FEMALE);
    EXPECT_EQ(male->m_nType, TYPE_MALE);
    EXPECT_EQ(female->m_nNumber, male->m_nNumber + 2000);
    EXPECT_EQ(male->m_ptOrigin, out + CPoint(20, -5));
    EXPECT_EQ(female->m_ptOrigin, input + CPoint(-35, -5));
    EXPECT_EQ(male->m_nWidth, 15);
    EXPECT_EQ(male->m_nHeight, 10);
    ASSERT_EQ(Count(document->m_wires), 2);
    EXPECT_EQ(document->FindWireOnConnector(female)->m_pStartBlock, gate);
    EXPECT_EQ(document->FindWireOnConnector(male)->m_pStartBlock, in);

    // Go To Partner from the male selects the female.
    SelectOnly(male);
    Command(ID_EDIT_GOTO_PARTNER);
    EXPECT_EQ(view->m_pCurBlock, female);

    // Join on the connector: one wire between the far pins again.
    Click(female->m_ptOrigin + CPoint(5, 5));
    EXPECT_EQ(Count(document->m_blocks), 2);
    ASSERT_EQ(Count(document->m_wires), 1);
    EXPECT_EQ(gate->m_nLink[0], in->m_nNumber);
    EXPECT_EQ(document->m_undo.GetCurrent(), steps + 2);
    Command(ID_MODE_CUT_JOIN);
    Command(ID_EDIT_UNDO);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(FileBytes(), wired);
}

TEST_F(CommandEdit, DeletingOneConnectorTakesThePartnerAndBothWires)
{
    OpenNew(CTavixDoc::kindFbd);
    CBlockObj* in = Insert(600, CPoint(100, 200));
    CBlockObj* gate = Insert(300, CPoint(400, 200));
    CConnectLineObj* w = Wire(in, 10, gate, 0);
    ASSERT_NE(w, nullptr);
    SelectOnly(w);
    ASSERT_TRUE(view->SeparateWire());
    SelectOnly(Block(3));
    Command(ID_EDIT_CLEAR);
    EXPECT_EQ(Count(document->m_blocks), 2);
    EXPECT_EQ(Count(document->m_wires), 0);
    EXPECT_EQ(in->m_nLink[10], LINK_NONE);
    EXPECT_EQ(gate->m_nLink[0], LINK_OPEN);
}

TEST_F(CommandEdit, SpiralSearchTriesOffsetsInItsOrder)
{
    const struct {
        int type, k, dx, dy;
    } cases[] = {{900, 0, 0, 0}, {900, 1, 0, -1}, {900, 2, 0, 1}, {900, 3, 1, 0}, {901, 3, -1, 0},
                 {900, 10, 2, 0}, {901, 135, -7, 8}, {900, 105, 7, 0}, {900, 106, 0, -8}};
    for (const auto& c : cases) {
        int dx = 99, dy = 99;
        CTavixView::GetSpiralOffset(c.type, c.k, &dx, &dy);
        EXPECT_EQ(dx, c.dx) << c.type << " order " << c.k;
        EXPECT_EQ(dy, c.dy) << c.type << " order " << c.k;
    }
}

TEST_F(CommandEdit, SeparationIsRefusedWithoutRoomForTheConnectorsAndTheWireStays)
{
    OpenNew(CTavixDoc::kindFbd);
    CBlockObj* in = Insert(600, CPoint(100, 200));
    CBlockObj* gate = Insert(300, CPoint(400, 200));
    CConnectLineObj* w = Wire(in, 10, gate, 0);
    ASSERT_NE(w, nullptr);
    // A program that holds every female connector it may.
    for (int i = 0; i < 1900; ++i) {
        CBlockObj* f = new CBlockFemale;
        f->m_ptOrigin = CPoint(1000, 1000);
        ASSERT_TRUE(document->AddBlock(f));
    }
    const std::string before = FileBytes();
    SelectOnly(w);
    EXPECT_FALSE(view->SeparateWire());
    EXPECT_EQ(Boxes(), std::vector<std::wstring>{L"All available connector pairs are in use!"});
    EXPECT_EQ(FileBytes(), before);
}

TEST_F(CommandEdit, SelectAllAlignAndArrowKeys)
{
    OpenNew(CTavixDoc::kindFbd);
    CBlockObj* a = Insert(300, CPoint(100, 100));
    CBlockObj* b = Insert(304, CPoint(200, 140));
    ASSERT_TRUE(a && b);
    EXPECT_FALSE(Enabled(ID_EDIT_ALIGN_HORIZONTAL));
    Command(ID_EDIT_SELECT_ALL);  // Ctrl+A through the main frame's accelerators
    EXPECT_EQ(Count(view->m_selBlocks), 2);
    EXPECT_TRUE(Enabled(ID_EDIT_ALIGN_HORIZONTAL));
    const int steps = document->m_undo.GetCurrent();
    Command(ID_EDIT_ALIGN_HORIZONTAL);
    EXPECT_EQ(b->m_ptOrigin.y, a->m_ptOrigin.y);
    EXPECT_EQ(document->m_undo.GetCurrent(), steps + 1);
    // Already in line: nothing moves, no step.
    Command(ID_EDIT_ALIGN_HORIZONTAL);
    EXPECT_EQ(document->m_undo.GetCurrent(), steps + 1);
    // Arrow keys nudge the selection by one unit, but not off the drawable area.
    const CPoint at = a->m_ptOrigin;
    Key(VK_RIGHT);
    EXPECT_EQ(a->m_ptOrigin, at + CPoint(1, 0));
    a->m_ptOrigin.y = 13;
    b->m_ptOrigin.y = 13;
    Key(VK_UP);
    EXPECT_EQ(a->m_ptOrigin.y, 13);
}

TEST_F(CommandEdit, ZoomStepsAndTheirLimits)
{
    OpenNew(CTavixDoc::kindFbd);
    const struct {
        float from;
        UINT command;
        float to;
    } cases[] = {{0.75f, ID_VIEW_ZOOM_IN, 1.0f},  {1.0f, ID_VIEW_ZOOM_IN, 1.5f},  {1.5f, ID_VIEW_ZOOM_OUT, 1.0f},
                 {1.0f, ID_VIEW_ZOOM_OUT, 0.75f}, {3.75f, ID_VIEW_ZOOM_IN, 4.0f}, {0.5f, ID_VIEW_ZOOM_OUT, 0.25f}};
    for (const auto& c : cases) {
        view->ZoomTo(c.from);
        Command(c.command);
        EXPECT_EQ(document->m_fZoom, c.to) << c.from;
    }
    view->ZoomTo(0.25f);
    EXPECT_FALSE(Enabled(ID_VIEW_ZOOM_OUT));
    EXPECT_TRUE(Enabled(ID_VIEW_ZOOM_IN));
    view->ZoomTo(4.0f);
    EXPECT_FALSE(Enabled(ID_VIEW_ZOOM_IN));
}

TEST_F(CommandEdit, ModeKeysAndTheConnectToggle)
{
    OpenNew(CTavixDoc::kindFbd);
    CBlockObj* a = Insert(300, CPoint(100, 100));
    ASSERT_NE(a, nullptr);
    Key(VK_F5);
    EXPECT_EQ(view->m_nEditMode, CTavixView::modeConnect);
    Click(Pin(a, 10));
    EXPECT_EQ(view->m_nWireStage, 1);
    // F5 while drawing cancels the wire and leaves connect mode; again enters it.
    Key(VK_F5);
    EXPECT_EQ(view->m_nEditMode, CTavixView::modeSelect);
    EXPECT_EQ(view->m_nWireStage, 0);
    Key(VK_F5);
    EXPECT_EQ(view->m_nEditMode, CTavixView::modeConnect);
    Key(VK_ESCAPE);
    EXPECT_EQ(view->m_nEditMode, CTavixView::modeSelect);
    Key(VK_F9);
    EXPECT_EQ(view->m_nEditMode, CTavixView::modeInsertComment);
    Key(VK_F9);
    EXPECT_EQ(view->m_nEditMode, CTavixView::modeSelect);
}

TEST_F(CommandEdit, ContextMenuChoiceFollowsWhatTheRightClickHit)
{
    OpenNew(CTavixDoc::kindFbd);
    CBlockObj* in = Insert(600, CPoint(100, 200));
    CBlockObj* gate = Insert(300, CPoint(400, 200));
    CConnectLineObj* w = Wire(in, 10, gate, 0);
    ASSERT_NE(w, nullptr);
    const struct {
        const char* what;
        CPoint at;
        int menu;
    } cases[] = {{"empty space", CPoint(600, 500), 2}, {"a block", CPoint(400, 210), 0},
                 {"a wire", w->m_points[1] + CPoint(0, 1), 3}};
    for (const auto& c : cases) {
        view->ClearSelection(0);
        view->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(c.at.x, c.at.y));
        EXPECT_EQ(view->ChooseContextMenu(), c.menu) << c.what;
    }
    SelectOnly(w);
    ASSERT_TRUE(view->SeparateWire());
    CConnectLineObj* toFemale = document->FindWireOnConnector(Block(2));
    view->ClearSelection(0);
    const CPoint onWire = toFemale->m_points[0] + CPoint(-2, 0);
    view->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(onWire.x, onWire.y));
    EXPECT_EQ(view->ChooseContextMenu(), 4);
    const CPoint onConnector = Block(3)->m_ptOrigin + CPoint(5, 5);
    view->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(onConnector.x, onConnector.y));
    EXPECT_EQ(view->ChooseContextMenu(), 5);
}

TEST_F(CommandEdit, SaveAllSavesTheModifiedProgramAndNamesWhatCouldNotBeSaved)
{
    OpenNew(CTavixDoc::kindFbd);
    ASSERT_NE(Insert(300, CPoint(100, 100)), nullptr);
    ASSERT_TRUE(document->IsModified());
    // An untitled program without a place to save to cannot be saved: it is named.
    drv.Host().QueueMessageBoxAnswer(IDOK);
    Command(ID_FILE_SAVE_ALL);
    const auto boxes = Boxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_NE(boxes.back().find(L"These programs were not saved:"), std::wstring::npos);
    EXPECT_TRUE(document->IsModified());

    // Given a file, the program is saved there without a word.
    char dir[] = "/tmp/saveallXXXXXX";
    ASSERT_NE(::mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/all.yfb";
    document->SetPathName(CString(path.c_str()), FALSE);
    Command(ID_FILE_SAVE_ALL);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(document->IsModified());
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), FileBytes());
    std::remove(path.c_str());
    ::rmdir(dir);
}

TEST_F(CommandEdit, WireAndBackgroundColoursComeFromThePickerAndCancelKeepsThem)
{
    OpenNew(CTavixDoc::kindFbd);
    CCommonDlgScript script;
    script.QueueColor(RGB(0, 128, 0));
    Command(ID_OPTIONS_WIRE_COLOR);
    script.QueueColor(RGB(250, 250, 210));
    Command(ID_OPTIONS_BACKGROUND_COLOR);
    script.QueueCancel();
    Command(ID_OPTIONS_WIRE_COLOR);
    EXPECT_EQ(view->m_crWire, RGB(0, 128, 0));
    EXPECT_EQ(view->m_crBackground, RGB(250, 250, 210));
    ASSERT_EQ(script.Queries().size(), 3u);
    EXPECT_EQ(script.Queries()[0].title, L"Set the linked line color");
    EXPECT_EQ(script.Queries()[0].color, RGB(0, 0, 0));
    EXPECT_EQ(script.Queries()[1].title, L"Set the logic view background color");
    EXPECT_EQ(script.Queries()[1].color, RGB(180, 180, 180));
    EXPECT_EQ(script.Queries()[2].color, RGB(0, 128, 0));
    EXPECT_FALSE(document->IsModified()) << "the colours are not part of the program";
}

}  // namespace
}  // namespace viewtest
