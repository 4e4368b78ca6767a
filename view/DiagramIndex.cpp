#include "view/DiagramIndex.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"
#include "elements/ConnectLineObj.h"

#include <algorithm>

using diagram_index_detail::CellOf;

template <class F> void CDiagramIndex::ForBuckets(const CRect& rect, F&& f)
{
    ForColumns(
        rect,
        [&](int cx, int lo, int hi) {
            // The nodes whose row ranges make up lo .. hi exactly.
            for (int l = m_nLeaves + lo, h = m_nLeaves + hi + 1; l < h; l >>= 1, h >>= 1) {
                if (l & 1)
                    f(Node(cx, l++));
                if (h & 1)
                    f(Node(cx, --h));
            }
            return false;
        },
        [&](int cx, int cy) {
            f(m_outside.try_emplace(Key(cx, cy), m_arena.get()).first->second);
            return false;
        });
}

CDiagramIndex::CDiagramIndex(const CTavixDoc& doc) : m_pDoc(&doc)
{
    Build();
}

void CDiagramIndex::Rebuild()
{
    // The lists go before the arena that holds them.
    m_tree.clear();
    m_outside.clear();
    m_bodyCells.clear();
    m_bodiesOutside.clear();
    m_arena.reset();
    m_nColumns = m_nRows = m_nLeaves = m_nBodyColumns = 0;
    m_blocks.clear();
    m_wireSlots.clear();
    m_wireSlot.clear();
    m_pins.clear();
    m_wireSeen.clear();
    m_nQuery = 0;
    Build();
}

void CDiagramIndex::Build()
{
    const CTavixDoc& doc = *m_pDoc;
    const size_t blocks = size_t(doc.m_blocks.GetCount()), wires = size_t(doc.m_wires.GetCount());
    // About what the lists of the document's wires and elements take, so that few chunks are
    // asked for.
    m_arena = std::make_unique<std::pmr::monotonic_buffer_resource>(std::max<size_t>(4096, 160 * wires + 64 * blocks));
    // A tree of row ranges for every column of cells over the document's extent (what lies
    // outside goes to the map).
    const CRect extent = doc.m_rcExtent;
    if (extent.right > 0 && extent.bottom > 0 && extent.right / kCell < 4096 && extent.bottom / kCell < 65536) {
        m_nColumns = extent.right / kCell + 1;
        m_nRows = extent.bottom / kCell + 1;
        m_nLeaves = 1;
        while (m_nLeaves < m_nRows)
            m_nLeaves *= 2;
        const size_t nodes = size_t(m_nColumns) * size_t(2 * m_nLeaves);
        m_tree.reserve(nodes);
        for (size_t i = 0; i < nodes; ++i)
            m_tree.emplace_back(m_arena.get());
        m_nBodyColumns = extent.right / kBodyColumn + 1;
        const size_t cells = size_t(m_nBodyColumns) * size_t(m_nRows);
        m_bodyCells.reserve(cells);
        for (size_t i = 0; i < cells; ++i)
            m_bodyCells.emplace_back(m_arena.get());
    }
    m_blocks.reserve(blocks * 2);
    m_wireSlots.reserve(wires * 2);
    m_wireSeen.reserve(wires * 2);
    m_wireSlot.reserve(wires * 2);
    m_pins.reserve(wires * 2);
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos;)
        AddBlock(static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos)));
    for (POSITION pos = doc.m_wires.GetHeadPosition(); pos;) {
        POSITION at = pos;
        auto* w = static_cast<CConnectLineObj*>(doc.m_wires.GetNext(pos));
        AddWire(w, at);
    }
}

POSITION CDiagramIndex::WirePosition(const CConnectLineObj* w) const
{
    const auto it = m_wireSlot.find(w);
    return it == m_wireSlot.end() ? nullptr : m_wireSlots[size_t(it->second)].pos;
}

const std::vector<CConnectLineObj*>& CDiagramIndex::WiresAtPin(const CBlockObj* p, int nPin) const
{
    static const std::vector<CConnectLineObj*> none;
    const auto it = m_pins.find(PinKey(p, nPin));
    return it == m_pins.end() ? none : it->second;
}

void CDiagramIndex::AddBlock(CBlockObj* p)
{
    if (!m_blocks.insert(p).second)
        return;
    const Body body{p, p->m_ptOrigin.x, p->m_ptOrigin.y, p->m_nWidth, p->m_nHeight, p->m_nType == TYPE_MALE || p->m_nType == TYPE_FEMALE};
    const CRect near(body.x - 5, body.y - 5, body.x + body.width + 5, body.y + body.height);
    for (int cx = CellOf(near.left, kBodyColumn); cx <= CellOf(near.right, kBodyColumn); ++cx)
        for (int cy = CellOf(near.top, kCell); cy <= CellOf(near.bottom, kCell); ++cy) {
            if (cx >= 0 && cx < m_nBodyColumns && cy >= 0 && cy < m_nRows)
                m_bodyCells[size_t(cx) * size_t(m_nRows) + size_t(cy)].push_back(body);
            else
                m_bodiesOutside.try_emplace(Key(cx, cy), m_arena.get()).first->second.push_back(body);
        }
}

bool CDiagramIndex::AnyBodyMeets(const CRect& rect, const CBlockObj* pExcept, int side, int connectorSide) const
{
    if (rect.IsRectEmpty())
        return false;
    const CRect r = Normalized(rect);
    const int cx1 = CellOf(r.right, kBodyColumn), cy0 = CellOf(r.top, kCell), cy1 = CellOf(r.bottom, kCell);
    for (int cx = CellOf(r.left, kBodyColumn); cx <= cx1; ++cx)
        for (int cy = cy0; cy <= cy1; ++cy)
            if (const std::pmr::vector<Body>* bodies = BodiesAt(cx, cy))
                for (const Body& b : *bodies) {
                    const int s = b.connector ? connectorSide : side;
                    if (MeetsNonEmpty(rect, CRect(b.x - s, b.y - 5, b.x + b.width + s, b.y + b.height)) && b.pBlock != pExcept)
                        return true;
                }
    return false;
}

void CDiagramIndex::AddWire(CConnectLineObj* w, POSITION pos)
{
    if (!pos) {
        if (!m_pDoc->m_wires.IsEmpty() && m_pDoc->m_wires.GetTail() == w)
            pos = m_pDoc->m_wires.GetTailPosition();
        else
            pos = m_pDoc->m_wires.Find(w);
    }
    const int slot = int(m_wireSlots.size());
    CRect bounds(w->m_ptStart, w->m_ptStart);
    for (INT_PTR i = 0; i < w->m_points.GetSize(); ++i) {
        const CPoint p = w->m_points[i];
        bounds.SetRect(std::min<int>(bounds.left, p.x), std::min<int>(bounds.top, p.y), std::max<int>(bounds.right, p.x),
                       std::max<int>(bounds.bottom, p.y));
    }
    bounds.InflateRect(2, 2);
    m_wireSlots.push_back({w, pos, true, bounds});
    m_wireSeen.push_back(0);
    m_wireSlot[w] = slot;
    if (w->m_pStartBlock)
        m_pins[PinKey(w->m_pStartBlock, w->m_nStartPin)].push_back(w);
    if (w->m_pEndBlock && !(w->m_pEndBlock == w->m_pStartBlock && w->m_nEndPin == w->m_nStartPin))
        m_pins[PinKey(w->m_pEndBlock, w->m_nEndPin)].push_back(w);
    ForWireRects(w, [&](const CRect& rect, bool bSegment) {
        if (bSegment) {
            ForBuckets(rect, [&](Bucket& b) { b.segments.push_back({rect, slot}); });
            return;
        }
        ForBuckets(rect, [&](Bucket& b) {
            if (b.wires.empty() || b.wires.back() != slot)
                b.wires.push_back(slot);
        });
    });
}

template <class F> void CDiagramIndex::ForWireRects(const CConnectLineObj* w, F&& f)
{
    // Where the wire is a candidate: each segment from the wire's start on, grown by 2; a hit
    // test of a slanted segment uses the rectangle of the one before it, which is listed already.
    CPoint a = w->m_ptStart;
    for (INT_PTR i = 0; i < w->m_points.GetSize(); ++i) {
        CRect seg(a, w->m_points[i]);
        seg.NormalizeRect();
        seg.InflateRect(2, 2);
        f(seg, false);
        a = w->m_points[i];
    }
    // The segments between consecutive vertices as the occupancy test sees them.
    for (INT_PTR i = 1; i < w->m_points.GetSize(); ++i)
        f(Widened(w->m_points[i - 1], w->m_points[i]), true);
}

bool CDiagramIndex::AnySegmentMeets(const CRect& rect) const
{
    if (rect.IsRectEmpty())
        return false;
    return ForBucketsUntil(rect, [&](const Bucket& b) {
        for (const Segment& s : b.segments)
            if (MeetsNonEmpty(rect, s.widened) && m_wireSlots[size_t(s.slot)].alive)
                return true;
        return false;
    });
}

void CDiagramIndex::RemoveWire(CConnectLineObj* w)
{
    const auto it = m_wireSlot.find(w);
    if (it == m_wireSlot.end())
        return;
    const int slot = it->second;
    m_wireSlots[size_t(slot)].alive = false;
    m_wireSlot.erase(it);
    // Its entries leave the buckets (a few per long wire).
    ForWireRects(w, [&](const CRect& rect, bool bSegment) {
        // One entry per rectangle and bucket (the order within a bucket does not matter).
        ForBuckets(rect, [&](Bucket& b) {
            if (bSegment) {
                const auto at = std::find_if(b.segments.begin(), b.segments.end(), [&](const Segment& s) { return s.slot == slot; });
                if (at != b.segments.end()) {
                    *at = b.segments.back();
                    b.segments.pop_back();
                }
            } else if (const auto at = std::find(b.wires.begin(), b.wires.end(), slot); at != b.wires.end()) {
                *at = b.wires.back();
                b.wires.pop_back();
            }
        });
    });
    for (const auto& [block, pin] : {std::make_pair(w->m_pStartBlock, w->m_nStartPin), std::make_pair(w->m_pEndBlock, w->m_nEndPin)})
        if (block)
            if (const auto at = m_pins.find(PinKey(block, pin)); at != m_pins.end()) {
                auto& wires = at->second;
                wires.erase(std::remove(wires.begin(), wires.end(), w), wires.end());
            }
}
