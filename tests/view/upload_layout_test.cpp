// Layout and wiring of a program read back from a device: the fixture programs (and programs of
// every block family) are compiled, decoded into a document without geometry, laid out and
// wired. The result compiles into the same image, no two elements overlap, and every wire is
// one the connection rules allow.
#include "ViewTestSupport.h"

#include "../image/ProgramBuilder.h"
#include "elements/BlockTypes.h"
#include "view/DiagramLayout.h"

#include <string>

namespace viewtest {
namespace {

class UploadLayoutTest : public ViewTest {
protected:
    // bEditorMade: every link of the program is one the editor could draw, so every one gets its
    // wire; otherwise a link without a wire must be one the rules refuse (it keeps its link).
    void ExpectLaidOutAndWired(CTavixDoc& original, const std::string& name, bool bEditorMade)
    {
        RoundTrip trip(original);
        ASSERT_TRUE(trip.compiled) << name << ": " << ToUtf8(trip.down.GetLastError());
        ASSERT_TRUE(trip.decodedOk) << name << ": " << ToUtf8(trip.up.GetLastError());
        CTavixDoc& doc = *trip.decoded;
        CTavixView view(&doc, nullptr);
        CDiagramLayout::LayOutDecoded(view);
        EXPECT_EQ(doc.m_undo.GetLast(), 0) << name << ": the layout is one undo step";

        CTavixCoreRule again;
        ASSERT_TRUE(Compile(doc, again)) << name << ": " << ToUtf8(again.GetLastError());
        ASSERT_EQ(trip.down.m_area0, again.m_area0) << name;
        ASSERT_EQ(trip.down.m_areaJ, again.m_areaJ) << name;
        ASSERT_EQ(trip.down.m_msgText, again.m_msgText) << name;

        std::vector<CRect> bodies;
        for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos;) {
            const auto* p = static_cast<const CBlockObj*>(doc.m_blocks.GetNext(pos));
            const CRect body(p->m_ptOrigin, CSize(p->m_nWidth, p->m_nHeight));
            EXPECT_TRUE(doc.m_rcExtent.PtInRect(body.BottomRight())) << name << " " << p->m_nNumber;
            for (const CRect& other : bodies) {
                CRect common;
                EXPECT_FALSE(common.IntersectRect(&body, &other)) << name << " " << p->m_nNumber;
            }
            bodies.push_back(body);
        }
        int wires = 0;
        for (POSITION pos = doc.m_wires.GetHeadPosition(); pos; ++wires) {
            auto* w = static_cast<CConnectLineObj*>(doc.m_wires.GetNext(pos));
            ASSERT_TRUE(w->m_pStartBlock && w->m_pEndBlock) << name;
            CBlockObj* in = w->m_nStartPin < kFirstOutputPin ? w->m_pStartBlock : w->m_pEndBlock;
            CBlockObj* out = in == w->m_pStartBlock ? w->m_pEndBlock : w->m_pStartBlock;
            const int pin = in == w->m_pStartBlock ? w->m_nStartPin : w->m_nEndPin;
            EXPECT_EQ(in->m_nLink[pin], out->m_nNumber) << name;
            // The rules, asked as for a new connection to the open input.
            const int link = in->m_nLink[pin];
            in->m_nLink[pin] = LINK_OPEN;
            EXPECT_EQ(view.CheckLink(in, pin, out, kOutputPin, nullptr), 0) << name << " " << in->m_nNumber << "." << pin;
            in->m_nLink[pin] = link;
        }
        // Every input linked to an element got its wire (directly or through a connector pair).
        for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos;) {
            auto* p = static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos));
            for (int pin : CDiagramLayout::LinkedInputs(p)) {
                CBlockObj* source = doc.FindBlockByNumber(p->m_nLink[pin]);
                if (!source || view.CountWiresAtPin(p, pin) == 1)
                    continue;
                EXPECT_FALSE(bEditorMade) << name << " " << p->m_nNumber << "." << pin << " has no wire";
                const int link = p->m_nLink[pin];
                p->m_nLink[pin] = LINK_OPEN;
                EXPECT_NE(view.CheckLink(p, pin, source, kOutputPin, nullptr), 0) << name << " " << p->m_nNumber << "." << pin;
                p->m_nLink[pin] = link;
            }
        }
    }
};

TEST_F(UploadLayoutTest, DecodedProgramsAreLaidOutAndWiredAndCompileBackToTheirImage)
{
    for (const char* fixture : {"program_fbd.yfb", "program_msgtext_datalog.yfb", "program_old_model.yfb"}) {
        auto doc = Load(fixture);
        ExpectLaidOutAndWired(*doc, fixture, true);
    }
    for (WORD hardware : {kOldHardware, kNewHardware}) {
        auto doc = MakeDoc(hardware);
        BuildEveryFamilyProgram(*doc, hardware >= 0x5100);
        ExpectLaidOutAndWired(*doc, "every family " + std::to_string(hardware), false);
    }
}

TEST_F(UploadLayoutTest, SourcesStandToTheLeftOfWhatTheyFeed)
{
    // Q1 <- AND <- (I1, I2); Q2 <- I1; M1 feeds the AND's third input but stands as a root.
    auto doc = MakeDoc();
    CBlockObj* q1 = AddIo(*doc, TYPE_OUTPUT, NUM_OUTPUT, NUM_OUTPUT);
    CBlockObj* q2 = AddIo(*doc, TYPE_OUTPUT, NUM_OUTPUT + 1, NUM_OUTPUT);
    CBlockObj* m1 = AddIo(*doc, TYPE_FLAG, NUM_FLAG, NUM_FLAG);
    CBlockObj* i1 = AddIo(*doc, TYPE_INPUT, NUM_INPUT, NUM_INPUT);
    CBlockObj* i2 = AddIo(*doc, TYPE_INPUT, NUM_INPUT + 1, NUM_INPUT);
    CBlockObj* gate = Add(*doc, TYPE_AND);
    CBlockObj* stray = Add(*doc, TYPE_OR);  // nothing reaches it
    Wire(q1, 0, gate);
    Wire(gate, 0, i1);
    Wire(gate, 1, i2);
    Wire(gate, 2, m1);
    Wire(q2, 0, i1);
    CTavixView view(doc.get(), nullptr);
    CDiagramLayout::LayOutDecoded(view);
    struct Case { const CBlockObj* block; int x, y; } const cases[] = {
        {q1, 225, 55}, {gate, 150, 55}, {i1, 75, 55}, {i2, 75, 110}, {q2, 225, 165}, {m1, 225, 220},
        {stray, 225, 275},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.block->m_ptOrigin, CPoint(c.x, c.y)) << c.block->m_nNumber;
    for (const auto& [block, pin] : std::vector<std::pair<CBlockObj*, int>>{{q1, 0}, {gate, 0}, {gate, 1}, {gate, 2}, {q2, 0}})
        EXPECT_EQ(view.CountWiresAtPin(block, pin), 1) << block->m_nNumber << "." << pin;
}

}  // namespace
}  // namespace viewtest
