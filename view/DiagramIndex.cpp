#include "view/DiagramIndex.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"

#include <algorithm>

using diagram_index_detail::CellOf;

template <class F> void CDiagramIndex::ForCells(const CRect& rect, F&& f)
{
    CRect r = rect;
    r.NormalizeRect();
    for (int cx = CellOf(r.left, kCell); cx <= CellOf(r.right, kCell); ++cx)
        for (int cy = CellOf(r.top, kCell); cy <= CellOf(r.bottom, kCell); ++cy)
            f(cx, cy);
}

CDiagramIndex::CDiagramIndex(const CTavixDoc& doc) : m_pDoc(&doc)
{
    // A grid of buckets over the document's extent (what lies outside goes to the map).
    const CRect extent = doc.m_rcExtent;
    if (extent.right > 0 && extent.bottom > 0 && extent.right / kCell < 4096 && extent.bottom / kCell < 65536) {
        m_nGridWidth = extent.right / kCell + 1;
        m_nGridHeight = extent.bottom / kCell + 1;
        m_grid.resize(size_t(m_nGridWidth) * size_t(m_nGridHeight));
    }
    m_blockSlots.reserve(size_t(doc.m_blocks.GetCount()) * 2);
    m_wireSlots.reserve(size_t(doc.m_wires.GetCount()) * 2);
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos;)
        AddBlock(static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos)));
    if (!m_grid.empty()) {
        // The buckets of the grid take their room at once rather than growing wire by wire.
        std::vector<std::pair<int, int>> room(m_grid.size());
        for (POSITION pos = doc.m_wires.GetHeadPosition(); pos;)
            ForWireRects(static_cast<const CConnectLineObj*>(doc.m_wires.GetNext(pos)), [&](const CRect& rect, bool bSegment) {
                ForCells(rect, [&](int cx, int cy) {
                    if (cx >= 0 && cx < m_nGridWidth && cy >= 0 && cy < m_nGridHeight) {
                        auto& r = room[size_t(cy) * size_t(m_nGridWidth) + size_t(cx)];
                        ++(bSegment ? r.second : r.first);
                    }
                });
            });
        // A little more, for the short wires that separations add.
        for (size_t i = 0; i < m_grid.size(); ++i) {
            if (room[i].first > 0)
                m_grid[i].wires.reserve(size_t(room[i].first) * 5 / 4 + 4);
            if (room[i].second > 0)
                m_grid[i].segments.reserve(size_t(room[i].second) * 5 / 4 + 4);
        }
    }
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
    if (!m_blockSlot.emplace(p, int(m_blockSlots.size())).second)
        return;
    const int slot = int(m_blockSlots.size());
    m_blockSlots.push_back(p);
    const CRect body(p->m_ptOrigin.x - 5, p->m_ptOrigin.y - 5, p->m_ptOrigin.x + p->m_nWidth + 5,
                     p->m_ptOrigin.y + p->m_nHeight);
    ForCells(body, [&](int cx, int cy) { At(cx, cy).blocks.push_back(slot); });
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
    m_wireSlot[w] = slot;
    if (w->m_pStartBlock)
        m_pins[PinKey(w->m_pStartBlock, w->m_nStartPin)].push_back(w);
    if (w->m_pEndBlock && !(w->m_pEndBlock == w->m_pStartBlock && w->m_nEndPin == w->m_nStartPin))
        m_pins[PinKey(w->m_pEndBlock, w->m_nEndPin)].push_back(w);
    ForWireRects(w, [&](const CRect& rect, bool bSegment) {
        if (bSegment) {
            ForCells(rect, [&](int cx, int cy) { At(cx, cy).segments.push_back({rect, slot}); });
            return;
        }
        ForCells(rect, [&](int cx, int cy) {
            std::vector<int>& wires = At(cx, cy).wires;
            if (wires.empty() || wires.back() != slot)
                wires.push_back(slot);
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
    return ForCellsUntil(rect, [&](const Bucket& b) {
        for (const Segment& s : b.segments)
            if (Meets(rect, s.widened) && m_wireSlots[size_t(s.slot)].alive)
                return true;
        return false;
    });
}

void CDiagramIndex::RemoveWire(CConnectLineObj* w)
{
    const auto it = m_wireSlot.find(w);
    if (it == m_wireSlot.end())
        return;
    m_wireSlots[size_t(it->second)].alive = false;
    m_wireSlot.erase(it);
    for (const auto& [block, pin] : {std::make_pair(w->m_pStartBlock, w->m_nStartPin), std::make_pair(w->m_pEndBlock, w->m_nEndPin)})
        if (block)
            if (const auto at = m_pins.find(PinKey(block, pin)); at != m_pins.end()) {
                auto& wires = at->second;
                wires.erase(std::remove(wires.begin(), wires.end(), w), wires.end());
            }
}
