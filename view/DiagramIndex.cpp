#include "view/DiagramIndex.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"

#include <algorithm>

namespace {

int CellOf(int v, int cell) { return v >= 0 ? v / cell : -((-v + cell - 1) / cell); }

template <class T> void Unique(std::vector<T*>& v)
{
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
}

} // namespace

template <class F> void CDiagramIndex::ForCells(const CRect& rect, F&& f)
{
    CRect r = rect;
    r.NormalizeRect();
    for (int cx = CellOf(r.left, kCell); cx <= CellOf(r.right, kCell); ++cx)
        for (int cy = CellOf(r.top, kCell); cy <= CellOf(r.bottom, kCell); ++cy)
            f(Key(cx, cy));
}

CDiagramIndex::CDiagramIndex(const CTavixDoc& doc) : m_pDoc(&doc)
{
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
    const auto it = m_wireCells.find(w);
    return it == m_wireCells.end() ? nullptr : it->second.pos;
}

const std::vector<CConnectLineObj*>& CDiagramIndex::WiresAtPin(const CBlockObj* p, int nPin) const
{
    static const std::vector<CConnectLineObj*> none;
    const auto it = m_pins.find(PinKey(p, nPin));
    return it == m_pins.end() ? none : it->second;
}

void CDiagramIndex::AddBlock(CBlockObj* p)
{
    const CRect body(p->m_ptOrigin.x - 5, p->m_ptOrigin.y - 5, p->m_ptOrigin.x + p->m_nWidth + 5,
                     p->m_ptOrigin.y + p->m_nHeight);
    ForCells(body, [&](std::int64_t key) { m_cells[key].blocks.push_back(p); });
    m_blocks.insert(p);
}

void CDiagramIndex::AddWire(CConnectLineObj* w, POSITION pos)
{
    // Each segment from the wire's start on; a hit test of a slanted segment uses the rectangle
    // of the one before it, which is listed already.
    WireEntry& entry = m_wireCells[w];
    std::vector<std::int64_t>& keys = entry.cells;
    if (pos)
        entry.pos = pos;
    else if (!m_pDoc->m_wires.IsEmpty() && m_pDoc->m_wires.GetTail() == w)
        entry.pos = m_pDoc->m_wires.GetTailPosition();
    else
        entry.pos = m_pDoc->m_wires.Find(w);
    if (w->m_pStartBlock)
        m_pins[PinKey(w->m_pStartBlock, w->m_nStartPin)].push_back(w);
    if (w->m_pEndBlock && !(w->m_pEndBlock == w->m_pStartBlock && w->m_nEndPin == w->m_nStartPin))
        m_pins[PinKey(w->m_pEndBlock, w->m_nEndPin)].push_back(w);
    CPoint a = w->m_ptStart;
    auto add = [&](CPoint from, CPoint to) {
        CRect seg(from, to);
        seg.NormalizeRect();
        seg.InflateRect(2, 2);
        ForCells(seg, [&](std::int64_t key) { keys.push_back(key); });
    };
    for (INT_PTR i = 0; i < w->m_points.GetSize(); ++i) {
        add(a, w->m_points[i]);
        a = w->m_points[i];
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    for (std::int64_t key : keys)
        m_cells[key].wires.push_back(w);
}

void CDiagramIndex::RemoveWire(CConnectLineObj* w)
{
    const auto it = m_wireCells.find(w);
    if (it == m_wireCells.end())
        return;
    for (std::int64_t key : it->second.cells) {
        auto& wires = m_cells[key].wires;
        wires.erase(std::remove(wires.begin(), wires.end(), w), wires.end());
    }
    m_wireCells.erase(it);
    for (const auto& [block, pin] : {std::make_pair(w->m_pStartBlock, w->m_nStartPin), std::make_pair(w->m_pEndBlock, w->m_nEndPin)})
        if (block)
            if (const auto at = m_pins.find(PinKey(block, pin)); at != m_pins.end()) {
                auto& wires = at->second;
                wires.erase(std::remove(wires.begin(), wires.end(), w), wires.end());
            }
}

void CDiagramIndex::BlocksNear(const CRect& rect, std::vector<CBlockObj*>& out) const
{
    out.clear();
    int cells = 0;
    ForCells(rect, [&](std::int64_t key) {
        ++cells;
        if (const auto it = m_cells.find(key); it != m_cells.end())
            out.insert(out.end(), it->second.blocks.begin(), it->second.blocks.end());
    });
    if (cells > 1)
        Unique(out);
}

void CDiagramIndex::WiresNear(const CRect& rect, std::vector<CConnectLineObj*>& out) const
{
    out.clear();
    int cells = 0;
    ForCells(rect, [&](std::int64_t key) {
        ++cells;
        if (const auto it = m_cells.find(key); it != m_cells.end())
            out.insert(out.end(), it->second.wires.begin(), it->second.wires.end());
    });
    if (cells > 1)
        Unique(out);
}
