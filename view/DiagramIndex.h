// CDiagramIndex: the element bodies and wire segments of a document bucketed on a coarse grid,
// so that a run of many wire separations asks "what lies near this rectangle" without walking
// the whole document every time. It answers with candidates only (a superset of what meets the
// rectangle); callers keep their exact tests. Whoever changes the document while an index is in
// use keeps it current with AddBlock, AddWire and RemoveWire.
#pragma once

#include "platform/base/Afx.h"

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
    void AddWire(CConnectLineObj* pWire);
    void RemoveWire(CConnectLineObj* pWire);

    // Elements whose body, grown by 5 on every side but the bottom, may meet the rectangle.
    void BlocksNear(const CRect& rect, std::vector<CBlockObj*>& out) const;
    // Wires with a segment (grown by 2 on every side) that may meet the rectangle.
    void WiresNear(const CRect& rect, std::vector<CConnectLineObj*>& out) const;

private:
    enum { kCell = 64 };
    struct Bucket {
        std::vector<CBlockObj*> blocks;
        std::vector<CConnectLineObj*> wires;
    };
    static std::int64_t Key(int cx, int cy) { return (std::int64_t(cx) << 32) ^ std::uint32_t(cy); }
    template <class F> static void ForCells(const CRect& rect, F&& f);

    std::unordered_map<std::int64_t, Bucket> m_cells;
    std::unordered_map<const CConnectLineObj*, std::vector<std::int64_t>> m_wireCells;
};
