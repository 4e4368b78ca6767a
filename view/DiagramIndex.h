// CDiagramIndex: the element bodies and wire segments of a document bucketed by place, so that
// a run of many wire separations asks "what lies near this rectangle" without walking the
// whole document every time. It answers with candidates only (a superset of what meets the
// rectangle); callers keep their exact tests. Whoever changes the document while an index is in
// use keeps it current with AddBlock, AddWire and RemoveWire.
#pragma once

#include "platform/base/Afx.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class CBlockObj;
class CConnectLineObj;
class CTavixDoc;

class CDiagramIndex {
public:
    explicit CDiagramIndex(const CTavixDoc& doc);
    CDiagramIndex(const CDiagramIndex&) = delete;
    CDiagramIndex& operator=(const CDiagramIndex&) = delete;

    // Starts over from the document as it stands now (after a change the index was not told of).
    void Rebuild();

    void AddBlock(CBlockObj* pBlock);
    // A wire of the document, at its place in the wire list (looked up when not given).
    void AddWire(CConnectLineObj* pWire, POSITION pos = nullptr);
    void RemoveWire(CConnectLineObj* pWire);

    bool HoldsBlock(const CBlockObj* pBlock) const { return m_blocks.count(pBlock) != 0; }
    // Where the wire stands in the document's wire list; null when it is not indexed.
    POSITION WirePosition(const CConnectLineObj* pWire) const;
    // The wires with an end at the pin, in the order of the document's wire list.
    const std::vector<CConnectLineObj*>& WiresAtPin(const CBlockObj* pBlock, int nPin) const;

    // Whether the body of an element other than pExcept meets the rectangle: the body grown by 5
    // upwards and by side across (connectorSide for connectors), both at most 5. Bodies are
    // taken as they stood when added (elements do not move while an index is in use).
    bool AnyBodyMeets(const CRect& rect, const CBlockObj* pExcept, int side, int connectorSide) const;
    // Whether pred holds for one of the wires whose vertices' bounding box, grown by 2, holds the
    // point: every
    // wire a hit test with a tolerance up to 2 can find there. Each wire is asked once.
    template <class F> bool AnyWireAround(CPoint pt, F&& pred) const;
    // Whether a segment between two consecutive vertices of a wire, widened as Widened does,
    // meets the rectangle (exactly, not a candidate).
    bool AnySegmentMeets(const CRect& rect) const;

    // A wire segment as the occupancy and crossing tests see it: 2 units wider across its run.
    static CRect Widened(CPoint a, CPoint b)
    {
        CRect seg(a, b);
        seg.NormalizeRect();
        if (a.x == b.x)
            seg.InflateRect(2, 0);
        else
            seg.InflateRect(0, 2);
        return seg;
    }
    // CRect::IntersectRect's answer without the intersection.
    static bool Meets(const CRect& a, const CRect& b)
    {
        return a.left < a.right && a.top < a.bottom && b.left < b.right && b.top < b.bottom &&
               std::max(a.left, b.left) < std::min(a.right, b.right) &&
               std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
    }

private:
    // Meets for a first rectangle known not to be empty, without a branch per comparison (the
    // scans of a bucket ask it for every entry).
    static bool MeetsNonEmpty(const CRect& a, const CRect& b)
    {
        return (b.left < a.right) & (a.left < b.right) & (b.left < b.right) & (b.top < a.bottom) & (a.top < b.bottom) &
               (b.top < b.bottom);
    }
    // Cells are kCell square for wires; elements, which are small, stand in cells kBodyColumn
    // wide, so a long wire's crossing test passes few bodies it cannot meet.
    enum { kCell = 64, kBodyColumn = 16 };
    // Buckets hold slots. A removed wire's entries leave the buckets its shape leads to; the
    // slot is also marked gone, so an entry left behind (the shape changed first) is skipped.
    struct Segment {
        CRect widened;
        int slot;
    };
    // The lists of the buckets come from the index's arena: a large diagram has tens of
    // thousands of them, and they all go at once with the index.
    struct Bucket {
        explicit Bucket(std::pmr::memory_resource* arena) : wires(arena), segments(arena) {}
        std::pmr::vector<int> wires;
        std::pmr::vector<Segment> segments;
    };
    struct Body {
        const CBlockObj* pBlock;
        int x, y, width, height;
        bool connector;
    };
    struct WireSlot {
        CConnectLineObj* pWire;
        POSITION pos;
        bool alive;
        CRect bounds;  // the start and every vertex, grown by 2
    };
    static std::int64_t Key(int cx, int cy) { return std::int64_t((std::uint64_t(std::uint32_t(cx)) << 32) | std::uint32_t(cy)); }
    static CRect Normalized(const CRect& r)
    {
        return CRect(std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right), std::max(r.top, r.bottom));
    }
    // Fills the index from the document.
    void Build();
    // The cells of a rectangle column by column: inside(cx, lo, hi) for the rows lo .. hi of a
    // column over the extent, outside(cx, cy) for every other cell; stops when one returns true.
    template <class Inside, class Outside> bool ForColumns(const CRect& rect, Inside&& inside, Outside&& outside) const;
    // The buckets a wire's rectangle is entered in: f(bucket) once for each. Over the document's
    // extent every column of cells is a tree of row ranges, and a rectangle enters the few nodes
    // whose ranges make up its rows (a long wire takes a handful of buckets, not one per cell it
    // crosses); cells outside the extent have buckets of their own in the map.
    template <class F> void ForBuckets(const CRect& rect, F&& f);
    // f(bucket) for every bucket whose entries may meet the rectangle's cells, each once; stops
    // when f returns true. An entry covers whole cells, so the candidates are those of the cells.
    template <class F> bool ForBucketsUntil(const CRect& rect, F&& f) const;
    // The rectangles a wire is bucketed by: f(rect, false) for each segment from its start,
    // grown by 2 on every side, and f(rect, true) for each widened segment.
    template <class F> static void ForWireRects(const CConnectLineObj* pWire, F&& f);
    Bucket& Node(int cx, int node) { return m_tree[size_t(cx) * size_t(2 * m_nLeaves) + size_t(node)]; }
    const Bucket& Node(int cx, int node) const { return m_tree[size_t(cx) * size_t(2 * m_nLeaves) + size_t(node)]; }
    // The bodies of a cell (kBodyColumn x kCell), column after column over the extent.
    const std::pmr::vector<Body>* BodiesAt(int cx, int cy) const
    {
        if (cx >= 0 && cx < m_nBodyColumns && cy >= 0 && cy < m_nRows)
            return &m_bodyCells[size_t(cx) * size_t(m_nRows) + size_t(cy)];
        const auto it = m_bodiesOutside.find(Key(cx, cy));
        return it == m_bodiesOutside.end() ? nullptr : &it->second;
    }

    static std::uint64_t PinKey(const CBlockObj* p, int pin) { return (std::uint64_t(std::uintptr_t(p)) << 5) | unsigned(pin & 31); }

    const CTavixDoc* m_pDoc;
    // Declared first: the lists below give their memory back to it before it goes.
    std::unique_ptr<std::pmr::monotonic_buffer_resource> m_arena;
    // The cells of the document's extent (columns x rows of kCell units).
    int m_nColumns = 0, m_nRows = 0;
    // Wires and segments: per column, nodes 1 .. 2 * m_nLeaves - 1, leaf of row r at m_nLeaves + r.
    int m_nLeaves = 0;
    std::vector<Bucket> m_tree;
    std::unordered_map<std::int64_t, Bucket> m_outside;
    // Elements (small) in the cells their body, grown by 5 but at the bottom, meets.
    int m_nBodyColumns = 0;
    std::vector<std::pmr::vector<Body>> m_bodyCells;
    std::unordered_map<std::int64_t, std::pmr::vector<Body>> m_bodiesOutside;
    std::unordered_set<const CBlockObj*> m_blocks;
    std::vector<WireSlot> m_wireSlots;
    std::unordered_map<const CConnectLineObj*, int> m_wireSlot;
    std::unordered_map<std::uint64_t, std::vector<CConnectLineObj*>> m_pins;
    // A wire can stand in several buckets a query visits; the query's mark keeps it to one visit.
    mutable std::vector<unsigned> m_wireSeen;
    mutable unsigned m_nQuery = 0;
};

namespace diagram_index_detail {
inline int CellOf(int v, int cell) { return v >= 0 ? v / cell : -((-v + cell - 1) / cell); }
}  // namespace diagram_index_detail

template <class Inside, class Outside> bool CDiagramIndex::ForColumns(const CRect& rect, Inside&& inside, Outside&& outside) const
{
    using diagram_index_detail::CellOf;
    const CRect r = Normalized(rect);
    const int cy0 = CellOf(r.top, kCell), cy1 = CellOf(r.bottom, kCell);
    for (int cx = CellOf(r.left, kCell); cx <= CellOf(r.right, kCell); ++cx) {
        int lo = cy0, hi = cy1;
        if (cx >= 0 && cx < m_nColumns) {
            lo = std::max(cy0, 0);
            hi = std::min(cy1, m_nRows - 1);
            if (lo <= hi && inside(cx, lo, hi))
                return true;
        } else {
            lo = hi + 1;
        }
        // The rows above the extent, then those below it (a long wire has none of either).
        for (int cy = cy0; cy <= cy1 && cy < lo; ++cy)
            if (outside(cx, cy))
                return true;
        for (int cy = std::max(cy0, hi + 1); cy <= cy1; ++cy)
            if (outside(cx, cy))
                return true;
    }
    return false;
}

template <class F> bool CDiagramIndex::ForBucketsUntil(const CRect& rect, F&& f) const
{
    return ForColumns(
        rect,
        [&](int cx, int lo, int hi) {
            // Each row's path to the root, up to the first node the row before it has visited.
            for (int cy = lo; cy <= hi; ++cy)
                for (int node = m_nLeaves + cy, first = cy, size = 1; node >= 1; node >>= 1, size <<= 1) {
                    first &= ~(size - 1);
                    if (cy > lo && first <= cy - 1)
                        break;
                    if (f(Node(cx, node)))
                        return true;
                }
            return false;
        },
        [&](int cx, int cy) {
            const auto it = m_outside.find(Key(cx, cy));
            return it != m_outside.end() && f(it->second);
        });
}

template <class F> bool CDiagramIndex::AnyWireAround(CPoint pt, F&& pred) const
{
    if (++m_nQuery == 0) {
        std::fill(m_wireSeen.begin(), m_wireSeen.end(), 0u);
        m_nQuery = 1;
    }
    const unsigned query = m_nQuery;
    return ForBucketsUntil(CRect(pt, pt), [&](const Bucket& b) {
        for (int slot : b.wires) {
            if (m_wireSeen[size_t(slot)] == query)
                continue;
            m_wireSeen[size_t(slot)] = query;
            const WireSlot& s = m_wireSlots[size_t(slot)];
            if (s.alive && pt.x >= s.bounds.left && pt.x <= s.bounds.right && pt.y >= s.bounds.top &&
                pt.y <= s.bounds.bottom && pred(static_cast<const CConnectLineObj*>(s.pWire)))
                return true;
        }
        return false;
    });
}
