// The diagram index against a plain scan of the document: random elements and wires (long ones
// across the page, short ones, some outside the page), wires removed and added as a run of
// separations does, and every answer compared with what walking all of them gives.
#include "document/TavixDoc.h"
#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"
#include "elements/ConnectLineObj.h"
#include "view/DiagramIndex.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <random>
#include <set>

namespace {

class IndexScan {
public:
    IndexScan()
    {
        doc.m_rcExtent = CRect(0, 0, 1920, 9000);
        for (int i = 0; i < 150; ++i) {
            CBlockObj* p = NewBlockOfType(i % 5 == 0 ? TYPE_MALE : TYPE_AND);
            p->m_nNumber = 1000 + i;
            p->m_ptOrigin = CPoint(Coord(-100, 2000), Coord(-100, 9100));
            p->m_nWidth = 15 + int(rng() % 20);
            p->m_nHeight = 10 + int(rng() % 30);
            doc.m_blocks.AddTail(p);
            blocks.push_back(p);
        }
        for (int i = 0; i < 250; ++i)
            doc.m_wires.AddTail(NewWire());
    }
    ~IndexScan()
    {
        for (CConnectLineObj* w : removed)
            delete w;
    }

    int Coord(int lo, int hi) { return lo + int(rng() % unsigned(hi - lo)); }

    // A route as the editor makes them: across, down or up (often far), across again.
    CConnectLineObj* NewWire()
    {
        auto* w = new CConnectLineObj;
        const CPoint a(Coord(-80, 1950), Coord(-80, 9050));
        const bool longRun = rng() % 3 == 0;
        const CPoint z(Coord(-80, 1950), longRun ? Coord(-80, 9050) : a.y + Coord(-120, 120));
        const int m = (a.x + z.x) / 2;
        w->m_ptStart = a;
        w->m_ptEnd = z;
        w->m_points.Add(a);
        w->m_points.Add(CPoint(m, a.y));
        w->m_points.Add(CPoint(m, z.y));
        w->m_points.Add(z);
        w->m_pStartBlock = blocks[rng() % blocks.size()];
        w->m_nStartPin = int(rng() % 3);
        w->m_pEndBlock = blocks[rng() % blocks.size()];
        w->m_nEndPin = kOutputPin;
        return w;
    }

    std::vector<CConnectLineObj*> Wires() const
    {
        std::vector<CConnectLineObj*> all;
        for (POSITION pos = doc.m_wires.GetHeadPosition(); pos;)
            all.push_back(static_cast<CConnectLineObj*>(doc.m_wires.GetNext(pos)));
        return all;
    }

    void Compare(const CDiagramIndex& index, const std::string& when)
    {
        const std::vector<CConnectLineObj*> wires = Wires();
        // Random places, and places where removed wires ran.
        std::vector<CPoint> places;
        for (int q = 0; q < 400; ++q)
            places.push_back(CPoint(Coord(-150, 2050), Coord(-150, 9150)));
        for (const CConnectLineObj* w : removed)
            places.push_back(CPoint(w->m_points[2].x - 4, w->m_points[2].y - 4));
        for (const CPoint pt : places) {
            const CRect rect(pt, CSize(Coord(0, 60), Coord(0, 60)));
            const std::string at = when + " at " + std::to_string(pt.x) + "," + std::to_string(pt.y);

            bool meets = false;
            for (CConnectLineObj* w : wires)
                for (INT_PTR i = 1; i < w->m_points.GetSize(); ++i)
                    meets = meets || CDiagramIndex::Meets(rect, CDiagramIndex::Widened(w->m_points[i - 1], w->m_points[i]));
            EXPECT_EQ(index.AnySegmentMeets(rect), meets) << at;

            // Bodies grown as a connector's spot and a wire's crossing test grow them, one
            // element left out.
            const CBlockObj* except = blocks[size_t(pt.x & 7)];
            for (const auto& [side, connectorSide] : {std::make_pair(5, 2), std::make_pair(2, 2), std::make_pair(0, 0)}) {
                bool body = false;
                for (const CBlockObj* b : blocks) {
                    const int s = b->m_nType == TYPE_MALE ? connectorSide : side;
                    body = body || (b != except && CDiagramIndex::Meets(rect, CRect(b->m_ptOrigin.x - s, b->m_ptOrigin.y - 5,
                                                                                   b->m_ptOrigin.x + b->m_nWidth + s,
                                                                                   b->m_ptOrigin.y + b->m_nHeight)));
                }
                EXPECT_EQ(index.AnyBodyMeets(rect, except, side, connectorSide), body) << at << " side " << side;
            }

            // Every wire a hit test finds at the point is offered, each once, and only live ones.
            std::map<const CConnectLineObj*, int> asked;
            index.AnyWireAround(pt, [&](const CConnectLineObj* w) { return ++asked[w] < 0; });
            const std::set<const CConnectLineObj*> live(wires.begin(), wires.end());
            for (const auto& [w, times] : asked) {
                EXPECT_EQ(times, 1) << at;
                EXPECT_TRUE(live.count(w)) << at;
            }
            int segment = 0, orientation = 0;
            for (CConnectLineObj* w : wires)
                if (w->HitTestTol(pt.x, pt.y, &segment, &orientation, 2)) {
                    EXPECT_TRUE(asked.count(w)) << at;
                }
        }
        // The pins' wires in the order of the wire list.
        std::map<std::pair<const CBlockObj*, int>, std::vector<CConnectLineObj*>> pins;
        for (CConnectLineObj* w : wires) {
            pins[{w->m_pStartBlock, w->m_nStartPin}].push_back(w);
            pins[{w->m_pEndBlock, w->m_nEndPin}].push_back(w);
        }
        for (const auto& [pin, list] : pins)
            EXPECT_EQ(index.WiresAtPin(pin.first, pin.second), list) << when;
    }

    std::mt19937 rng{20261211};
    CTavixDoc doc;
    std::vector<CBlockObj*> blocks;
    std::vector<CConnectLineObj*> removed;
};

TEST(DiagramIndex, AnswersAsAScanOfTheDocumentWhileWiresComeAndGo)
{
    IndexScan scan;
    CDiagramIndex index(scan.doc);
    scan.Compare(index, "built");
    for (int round = 0; round < 3; ++round) {
        // Wires go (one of them after its route changed) and short ones come, at the list's end.
        for (int i = 0; i < 60; ++i) {
            POSITION pos = scan.doc.m_wires.FindIndex(INT_PTR(scan.rng() % unsigned(scan.doc.m_wires.GetCount())));
            auto* w = static_cast<CConnectLineObj*>(scan.doc.m_wires.GetAt(pos));
            ASSERT_EQ(index.WirePosition(w), pos);
            if (i == 0)
                w->m_points[1].y += 300;
            index.RemoveWire(w);
            EXPECT_EQ(index.WirePosition(w), nullptr);
            scan.doc.m_wires.RemoveAt(pos);
            scan.removed.push_back(w);
        }
        for (int i = 0; i < 40; ++i) {
            CConnectLineObj* w = scan.NewWire();
            scan.doc.m_wires.AddTail(w);
            index.AddWire(w);
        }
        scan.Compare(index, "round " + std::to_string(round));
    }
}

}  // namespace
