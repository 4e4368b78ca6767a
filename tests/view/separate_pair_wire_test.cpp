// Separating the wire of a connector: the deletion takes the pair and the partner's wire with
// it, so the new pair must join the blocks at the far ends and nothing deleted may be touched
// again (the sanitizer build reports any such use). The run over every crossing wire leaves
// a connector's own wire as it is.
#include "EditTestSupport.h"

#include "elements/BlockConnectors.h"
#include "elements/BlockTypes.h"

namespace viewtest {
namespace {

class PairWire : public EditTest {
protected:
    void OpenNew()
    {
        auto doc = NewDocument(CTavixDoc::kindFbd);
        doc->OnNewDocument();
        Open(std::move(doc));
    }
    void SelectOnly(CConnectLineObj* w)
    {
        view->ClearSelection(0);
        w->m_bSelected = TRUE;
        view->m_selWires.AddTail(w);
        view->m_pCurWire = w;
    }
    std::vector<CBlockObj*> OfType(int type) const
    {
        std::vector<CBlockObj*> found;
        for (POSITION pos = document->m_blocks.GetHeadPosition(); pos;) {
            auto* b = static_cast<CBlockObj*>(document->m_blocks.GetNext(pos));
            if (b->m_nType == type)
                found.push_back(b);
        }
        return found;
    }
    // An input wired to a gate and the wire separated into a pair.
    void MakePair()
    {
        OpenNew();
        in = Insert(600, CPoint(100, 200));
        gate = Insert(300, CPoint(400, 200));
        CConnectLineObj* w = Wire(in, 10, gate, 0);
        ASSERT_NE(w, nullptr);
        SelectOnly(w);
        ASSERT_TRUE(view->SeparateWire());
        ASSERT_EQ(OfType(TYPE_MALE).size(), 1u);
        ASSERT_EQ(OfType(TYPE_FEMALE).size(), 1u);
    }
    CBlockObj* in = nullptr;
    CBlockObj* gate = nullptr;
};

class PairWireSide : public PairWire, public ::testing::WithParamInterface<int> {};

TEST_P(PairWireSide, SeparatingAConnectorsWireMakesANewPairBetweenTheFarEnds)
{
    {
        const int side = GetParam();
        MakePair();
        CBlockObj* connector = OfType(side)[0];
        CConnectLineObj* w = document->FindWireOnConnector(connector);
        ASSERT_NE(w, nullptr);
        SelectOnly(w);
        ASSERT_TRUE(view->SeparateWire());

        // One pair again, new, between the input and the gate.
        ASSERT_EQ(Count(document->m_blocks), 4);
        ASSERT_EQ(Count(document->m_wires), 2);
        const auto males = OfType(TYPE_MALE), females = OfType(TYPE_FEMALE);
        ASSERT_EQ(males.size(), 1u);
        ASSERT_EQ(females.size(), 1u);
        EXPECT_EQ(females[0]->m_nNumber, males[0]->m_nNumber + 2000);
        const CConnectLineObj* toFemale = document->FindWireOnConnector(females[0]);
        const CConnectLineObj* toMale = document->FindWireOnConnector(males[0]);
        ASSERT_NE(toFemale, nullptr);
        ASSERT_NE(toMale, nullptr);
        EXPECT_EQ(toFemale->m_pStartBlock, gate);
        EXPECT_EQ(toFemale->m_nStartPin, 0);
        EXPECT_EQ(toMale->m_pStartBlock, in);
        EXPECT_EQ(toMale->m_nStartPin, 10);
        EXPECT_EQ(gate->m_nLink[0], females[0]->m_nNumber);
        EXPECT_EQ(view->m_pCurWire, nullptr);
        Repaint(); // paints what is left, in the sanitizer build too
    }
}

INSTANTIATE_TEST_SUITE_P(BothEnds, PairWireSide, ::testing::Values(TYPE_FEMALE, TYPE_MALE));

TEST_F(PairWire, TheCrossingRunLeavesAConnectorsOwnWire)
{
    MakePair();
    CBlockObj* female = OfType(TYPE_FEMALE)[0];
    CConnectLineObj* pairWire = document->FindWireOnConnector(female);
    ASSERT_NE(pairWire, nullptr);
    ASSERT_GE(pairWire->m_points.GetSize(), 2);
    // A block laid over the female's wire, and a second, plain wire that crosses a block.
    CBlockObj* cover = Insert(304, CPoint(600, 400));
    ASSERT_NE(cover, nullptr);
    const CPoint mid((pairWire->m_points[0].x + pairWire->m_points[1].x) / 2, pairWire->m_points[0].y);
    cover->m_ptOrigin = CPoint(mid.x - 5, mid.y - 10);
    CBlockObj* in2 = Insert(600, CPoint(100, 500));
    CBlockObj* gate2 = Insert(300, CPoint(500, 500));
    CBlockObj* between = Insert(304, CPoint(300, 480));
    ASSERT_NE(Wire(in2, 10, gate2, 0), nullptr);
    view->ClearSelection(0);
    const int pairs = int(OfType(TYPE_MALE).size());

    view->SeparateOverlappingWires();
    // The plain wire became a pair; the old pair and its wires stay.
    EXPECT_EQ(int(OfType(TYPE_MALE).size()), pairs + 1);
    EXPECT_EQ(document->FindWireOnConnector(female), pairWire);
    EXPECT_EQ(pairWire->m_pStartBlock, gate);
    EXPECT_TRUE(document->m_blocks.Find(between) != nullptr);
    Repaint();
}

} // namespace
} // namespace viewtest
