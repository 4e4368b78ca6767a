// CDiagramIndex: the element bodies and wire segments of a document bucketed on a coarse grid,
// so that a run of many wire separations asks "what lies near this rectangle" without walking
// the whole document every time. It answers with candidates only (a superset of what meets the
// rectangle); callers keep their exact tests. Whoever changes the document while an index is in
// use keeps it current with AddBlock, AddWire and RemoveWire.
#pragma once

#include "platform/base/Afx.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

class CBlockObj;
class CConnectLineObj;
class CTavixDoc;

class CDiagramIndex {
public:
    explicit CDiagramIndex(const CTavixDoc& doc);

    void AddBlock(CBlockObj* pBlock);
    // A wire of the document, at its place in the wire list (looked up when not given).
    void AddWire(CConnectLineObj* pWire, POSITION pos = nullptr);
    void RemoveWire(CConnectLineObj* pWire);

    bool HoldsBlock(const CBlockObj* pBlock) const { return m_blockSlot.count(pBlock) != 0; }
    // Where the wire stands in the document's wire list; null when it is not indexed.
    POSITION WirePosition(const CConnectLineObj* pWire) const;
    // The wires with an end at the pin, in the order of the document's wire list.
    const std::vector<CConnectLineObj*>& WiresAtPin(const CBlockObj* pBlock, int nPin) const;

    // Whether pred holds for one of the elements whose body, grown by 5 on every side but the
    // bottom, may meet the rectangle; stops at the first (an element may be asked twice).
    template <class F> bool AnyBlockNear(const CRect& rect, F&& pred) const;
    // The same for the wires whose vertices' bounding box, grown by 2, holds the point: every
    // wire a hit test with a tolerance up to 2 can find there.
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
    enum { kCell = 64 };
    // Buckets hold slots: a removed wire's slot stays in its buckets, marked gone, so removing
    // a long wire does not search every bucket it crosses.
    struct Segment {
        CRect widened;
        int slot;
    };
    struct Bucket {
        std::vector<int> blocks;
        std::vector<int> wires;
        std::vector<Segment> segments;
    };
    struct WireSlot {
        CConnectLineObj* pWire;
        POSITION pos;
        bool alive;
        CRect bounds;  // the start and every vertex, grown by 2
    };
    static std::int64_t Key(int cx, int cy) { return (std::int64_t(cx) << 32) ^ std::uint32_t(cy); }
    template <class F> static void ForCells(const CRect& rect, F&& f);  // f(cx, cy)
    // The rectangles a wire is bucketed by: f(rect, false) for each segment from its start,
    // grown by 2 on every side, and f(rect, true) for each widened segment.
    template <class F> static void ForWireRects(const CConnectLineObj* pWire, F&& f);
    // The bucket of a cell: from the grid over the document's extent, else from the map.
    Bucket& At(int cx, int cy)
    {
        if (cx >= 0 && cx < m_nGridWidth && cy >= 0 && cy < m_nGridHeight)
            return m_grid[size_t(cy) * size_t(m_nGridWidth) + size_t(cx)];
        return m_cells[Key(cx, cy)];
    }
    const Bucket* Find(int cx, int cy) const
    {
        if (cx >= 0 && cx < m_nGridWidth && cy >= 0 && cy < m_nGridHeight)
            return &m_grid[size_t(cy) * size_t(m_nGridWidth) + size_t(cx)];
        const auto it = m_cells.find(Key(cx, cy));
        return it == m_cells.end() ? nullptr : &it->second;
    }
    template <class F> bool ForCellsUntil(const CRect& rect, F&& f) const;

    static std::uint64_t PinKey(const CBlockObj* p, int pin) { return (std::uint64_t(std::uintptr_t(p)) << 5) | unsigned(pin & 31); }

    const CTavixDoc* m_pDoc;
    std::vector<Bucket> m_grid;
    int m_nGridWidth = 0, m_nGridHeight = 0;
    std::unordered_map<std::int64_t, Bucket> m_cells;
    std::vector<CBlockObj*> m_blockSlots;
    std::unordered_map<const CBlockObj*, int> m_blockSlot;
    std::vector<WireSlot> m_wireSlots;
    std::unordered_map<const CConnectLineObj*, int> m_wireSlot;
    std::unordered_map<std::uint64_t, std::vector<CConnectLineObj*>> m_pins;
};

namespace diagram_index_detail {
inline int CellOf(int v, int cell) { return v >= 0 ? v / cell : -((-v + cell - 1) / cell); }
}  // namespace diagram_index_detail

template <class F> bool CDiagramIndex::ForCellsUntil(const CRect& rect, F&& f) const
{
    using diagram_index_detail::CellOf;
    CRect r = rect;
    r.NormalizeRect();
    for (int cx = CellOf(r.left, kCell); cx <= CellOf(r.right, kCell); ++cx)
        for (int cy = CellOf(r.top, kCell); cy <= CellOf(r.bottom, kCell); ++cy)
            if (const Bucket* b = Find(cx, cy); b && f(*b))
                return true;
    return false;
}

template <class F> bool CDiagramIndex::AnyBlockNear(const CRect& rect, F&& pred) const
{
    return ForCellsUntil(rect, [&](const Bucket& b) {
        for (int slot : b.blocks)
            if (pred(static_cast<const CBlockObj*>(m_blockSlots[size_t(slot)])))
                return true;
        return false;
    });
}

template <class F> bool CDiagramIndex::AnyWireAround(CPoint pt, F&& pred) const
{
    return ForCellsUntil(CRect(pt, pt), [&](const Bucket& b) {
        for (int slot : b.wires) {
            const WireSlot& s = m_wireSlots[size_t(slot)];
            if (s.alive && pt.x >= s.bounds.left && pt.x <= s.bounds.right && pt.y >= s.bounds.top &&
                pt.y <= s.bounds.bottom && pred(static_cast<const CConnectLineObj*>(s.pWire)))
                return true;
        }
        return false;
    });
}
