// Contact sheets: every block type of a family drawn by the view in the headless host, plain and
// selected at zoom 1 and plain at zoom 2, compared pixel for pixel with the reviewed pictures in
// tests/fixtures/view. TAVIX_UPDATE_VIEW_REFERENCES=1 writes the pictures instead (review them
// against what the elements should look like before committing them).
#include "ViewTestSupport.h"

#include "elements/BlockComment.h"
#include "elements/BlockConnectors.h"
#include "elements/BlockObj.h"

#include <cstdlib>
#include <vector>

namespace viewtest {
namespace {

constexpr int kCellWidth = 170;
constexpr int kCellHeight = 150;
constexpr int kColumns = 6;

bool UpdatingReferences()
{
    const char* v = std::getenv("TAVIX_UPDATE_VIEW_REFERENCES");
    return v && *v && *v != '0';
}

std::vector<int> Range(int from, int to, std::initializer_list<int> skip = {})
{
    std::vector<int> v;
    for (int t = from; t <= to; ++t)
        if (std::find(skip.begin(), skip.end(), t) == skip.end())
            v.push_back(t);
    return v;
}

class ContactSheet : public ViewTest {
protected:
    // A document of the kind holding one element of each type, in rows of six cells.
    void Build(int kind, const std::vector<int>& types, WORD hardwareCode = 0x5188, int minRows = 1)
    {
        const int rows = std::max(minRows, (int(types.size()) + kColumns - 1) / kColumns);
        m_size = CSize(kColumns * kCellWidth + 20, rows * kCellHeight + 20);
        auto doc = NewDocument(kind, hardwareCode);
        doc->m_rcExtent = CRect(0, 0, m_size.cx, m_size.cy);
        doc->m_nPageWidth = m_size.cx;
        doc->m_nPageHeight = m_size.cy;
        Open(std::move(doc), m_size.cx, m_size.cy);
        SYSTEMTIME st{};
        st.wYear = 2024, st.wMonth = 5, st.wDay = 17, st.wHour = 9, st.wMinute = 30;
        childFrame.SetSimTime(st);
        childFrame.ClearClockSet();
        for (size_t i = 0; i < types.size(); ++i) {
            CBlockObj* b = view->CreateBlockByType(types[i]);
            ASSERT_NE(b, nullptr) << types[i];
            ASSERT_TRUE(document->AddBlock(b)) << types[i];
            b->m_ptOrigin = CPoint(20 + int(i % kColumns) * kCellWidth + 110, 20 + int(i / kColumns) * kCellHeight + 30);
            m_blocks.push_back(b);
        }
        view->UpdateScrollSizes();
    }

    void SelectAll(BOOL selected)
    {
        for (CBlockObj* b : m_blocks)
            b->m_bSelected = selected;
    }

    // Zoom 1 plain, zoom 1 selected, zoom 2 plain (the top-left quarter), one below the other.
    Image Render()
    {
        view->ZoomTo(1.0f);
        view->ScrollToPosition(CPoint(0, 0));
        Repaint();
        Image sheet = Capture();
        SelectAll(TRUE);
        Repaint();
        sheet.Stack(Capture());
        SelectAll(FALSE);
        view->ZoomTo(2.0f);
        view->ScrollToPosition(CPoint(0, 0));
        Repaint();
        sheet.Stack(Capture());
        view->ZoomTo(1.0f);
        return sheet;
    }

    void Compare(const Image& sheet, const std::string& name)
    {
        const std::string path = FixturePath("view/" + name + ".png");
        if (UpdatingReferences()) {
            ASSERT_TRUE(sheet.SavePng(path)) << path;
            return;
        }
        const Image reference = Image::LoadPng(path);
        ASSERT_GT(reference.width, 0) << "missing reference " << path;
        const std::string diff = FirstDifference(sheet, reference);
        if (!diff.empty())
            sheet.SavePng("/tmp/" + name + ".actual.png");
        EXPECT_EQ(diff, "") << "see /tmp/" << name << ".actual.png";
    }

    CSize m_size;
    std::vector<CBlockObj*> m_blocks;
};

TEST_F(ContactSheet, InputsOutputsKeysAndMarkers)
{
    Build(CTavixDoc::kindFbd, Range(600, 611, {601}));
    Compare(Render(), "sheet_io");
}

TEST_F(ContactSheet, LogicGates)
{
    Build(CTavixDoc::kindFbd, Range(300, 307));
    m_blocks[0]->m_bNegate[1] = TRUE;
    m_blocks[4]->m_bNegate[kOutputPin] = TRUE;
    Compare(Render(), "sheet_logic");
}

TEST_F(ContactSheet, TimersAndClocks)
{
    Build(CTavixDoc::kindFbd, Range(400, 413));
    Compare(Render(), "sheet_timers");
}

TEST_F(ContactSheet, ExtraFunctions)
{
    Build(CTavixDoc::kindFbd, Range(800, 827, {811}));
    Compare(Render(), "sheet_extra_functions");
}

TEST_F(ContactSheet, WordAndDeviceFunctions)
{
    Build(CTavixDoc::kindFbd, Range(830, 856));
    Compare(Render(), "sheet_word");
}

TEST_F(ContactSheet, MathFunctionsAndDataLog)
{
    std::vector<int> types = Range(860, 879);
    types.push_back(TYPE_DATALOG);
    Build(CTavixDoc::kindFbd, types);
    Compare(Render(), "sheet_math");
}

TEST_F(ContactSheet, LadderElementsAndPowerBus)
{
    Build(CTavixDoc::kindLadder, {700, 701, 702, 703, 704, 705, 604, 600, 605, 607, 400, 800});
    m_blocks[0]->m_nOperand = 133;
    m_blocks[1]->m_nOperand = 2900;
    m_blocks[2]->m_nOperand = 4003;
    m_blocks[3]->m_nOperand = 1336;
    m_blocks[4]->m_nOperand = 617;
    m_blocks[5]->m_nOperand = 4231;
    document->m_operandComments.SetAt(133, L"start\r\nbutton");
    m_blocks[0]->m_bShowComment = TRUE;
    Compare(Render(), "sheet_ladder");
}

TEST_F(ContactSheet, TimersAndFunctionsInALadderProgram)
{
    // In a ladder program the function blocks keep no output pin: the coils read them.
    std::vector<int> types = Range(400, 413);
    for (int t : {800, 801, 802, 803, 804, 805, 806, 807, 808, 809, 810, 812, 813, 814, 815, 816})
        types.push_back(t);
    Build(CTavixDoc::kindLadder, types);
    Compare(Render(), "sheet_ladder_functions");
}

// A wire from an output pin to an input pin through the given inner vertices.
CConnectLineObj* Wire(CTavixDoc& doc, CBlockObj* from, int outPin, CBlockObj* to, int inPin, int bendX = -1)
{
    auto* w = new CConnectLineObj;
    CRect a, b;
    doc.GetPinPosition(&a, from, outPin);
    doc.GetPinPosition(&b, to, inPin);
    w->m_ptStart = a.CenterPoint();
    w->m_ptEnd = b.CenterPoint();
    w->m_pStartBlock = from, w->m_nStartNumber = from->m_nNumber, w->m_nStartPin = outPin;
    w->m_pEndBlock = to, w->m_nEndNumber = to->m_nNumber, w->m_nEndPin = inPin;
    w->m_points.Add(w->m_ptStart);
    if (bendX >= 0) {
        w->m_points.Add(CPoint(bendX, w->m_ptStart.y));
        w->m_points.Add(CPoint(bendX, w->m_ptEnd.y));
    }
    w->m_points.Add(w->m_ptEnd);
    w->m_junctions.SetSize(w->m_points.GetSize());
    for (INT_PTR i = 0; i < w->m_junctions.GetSize(); ++i)
        w->m_junctions[i] = CPoint(CConnectLineObj::kNoJunction, CConnectLineObj::kNoJunction);
    to->m_nLink[inPin] = from->m_nNumber;
    from->m_nLink[outPin] = to->m_nNumber;
    doc.AddWire(w);
    return w;
}

TEST_F(ContactSheet, WiresCommentsAndConnectors)
{
    Build(CTavixDoc::kindFbd, {600, 300, 605, 608, 805, 609}, 0x5188, 3);
    CBlockObj *in = m_blocks[0], *gate = m_blocks[1], *out = m_blocks[2];
    CBlockObj *ai = m_blocks[3], *amp = m_blocks[4], *aq = m_blocks[5];
    // Bit wires with a bend and a junction, one of them selected; a word wire 2 wide.
    Wire(*document, in, kOutputPin, gate, 0, 240);
    CConnectLineObj* w2 = Wire(*document, gate, kOutputPin, out, 0, 400);
    w2->m_bSelected = TRUE;
    CConnectLineObj* w3 = Wire(*document, in, kOutputPin, gate, 1, 240);
    w3->m_junctions[1] = w3->m_points[1];
    Wire(*document, ai, kOutputPin, amp, 0, 740);
    Wire(*document, amp, kOutputPin, aq, 0, 900);
    // A connector pair cut from the gate's output to its own last input.
    auto* male = new CBlockMale;
    auto* female = new CBlockFemale;
    male->m_nNumber = 5000;
    female->m_nNumber = 7000;
    male->m_ptOrigin = CPoint(420, 200);
    female->m_ptOrigin = CPoint(200, 230);
    for (CBlockObj* c : {static_cast<CBlockObj*>(male), static_cast<CBlockObj*>(female)}) {
        c->ResetPinKinds(document.get());
        c->m_nWidth = 15, c->m_nHeight = 10;
        document->m_blocks.AddTail(c);
    }
    // Both wires run from the far pin to the connector, which is their end block.
    Wire(*document, gate, kOutputPin, male, 0, 380);
    Wire(*document, gate, 3, female, kOutputPin, 260);
    // Comments: a plain one of two lines and a selected one in colour.
    auto* c1 = new CBlockComment;
    c1->m_ptOrigin = CPoint(40, 330);
    c1->m_strText = L"Pump station\r\nline 2";
    c1->m_nLines = 2, c1->m_nWidth = 80, c1->m_nHeight = 30;
    document->AddComment(c1);
    auto* c2 = new CBlockComment;
    c2->m_ptOrigin = CPoint(400, 330);
    c2->m_crText = RGB(0, 0, 160);
    c2->m_nWidth = 50, c2->m_nHeight = 15;
    c2->m_bSelected = TRUE;
    document->AddComment(c2);
    // Chinese texts draw with the CJK face.
    auto* c3 = new CBlockComment;
    c3->m_ptOrigin = CPoint(700, 330);
    c3->m_strText = L"\x6C34\x6CF5\x542F\x52A8";
    c3->m_nWidth = 60, c3->m_nHeight = 15;
    document->AddComment(c3);
    gate->m_strName = L"\x6CF5";
    Compare(Render(), "sheet_layout");
}

TEST_F(ContactSheet, SimulationWithLiveSignalsAndValueBoxes)
{
    Build(CTavixDoc::kindFbd, {600, 600, 300, 304, 605, 400, 608, 805, 832, 866, 803, 800}, 0x5188, 2);
    CBlockObj *i0 = m_blocks[0], *i1 = m_blocks[1], *andGate = m_blocks[2], *orGate = m_blocks[3];
    CBlockObj *q = m_blocks[4], *timer = m_blocks[5], *ai = m_blocks[6], *amp = m_blocks[7];
    CBlockObj *bcd = m_blocks[8], *abs = m_blocks[9], *cmp = m_blocks[10];
    Wire(*document, i0, kOutputPin, andGate, 0, 250);
    Wire(*document, i1, kOutputPin, andGate, 1, 260);
    Wire(*document, i0, kOutputPin, orGate, 0, 420);
    Wire(*document, i1, kOutputPin, orGate, 1, 430);
    Wire(*document, orGate, kOutputPin, q, 0, 590);
    Wire(*document, i0, kOutputPin, timer, 0, 900);
    Wire(*document, ai, kOutputPin, amp, 0, 270);
    Wire(*document, ai, kOutputPin, bcd, 0, 440);
    Wire(*document, ai, kOutputPin, abs, 0, 610);
    Wire(*document, ai, kOutputPin, cmp, 0, 780);
    // What the simulation start and the Inputs bar leave in the inputs.
    i0->m_nPinValue[kOutputPin] = 1;
    ai->m_nSimValue = 123;
    ai->m_nSimState = 123;
    view->m_nEditMode = CTavixView::modeSimulate;
    document->m_bSimulating = TRUE;
    childFrame.m_wndSimBar.m_nRunState = CSimulationBar::stateRunning;
    childFrame.m_wndSimBar.m_bStarted = TRUE;
    view->m_pCurBlock = orGate;
    Compare(Render(), "sheet_simulation");
}

}  // namespace
}  // namespace viewtest
