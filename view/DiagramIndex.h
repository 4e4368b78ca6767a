// CDiagramIndex: the element bodies and wire segments of a document bucketed on a coarse grid,
// so that a run of many wire separations asks "what lies near this rectangle" without walking
// the whole document every time. It answers with candidates only (a superset of what meets the
// rectangle); callers keep their exact tests. Whoever changes the document while an index is in
// use keeps it current with AddBlock, AddWire and RemoveWire.
#pragma once

#include "platform/base/Afx.h"

#include <cstdint>
#include <unordered_map>
#include <unordered_set>
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

    bool HoldsBlock(const CBlockObj* pBlock) const { return m_blocks.count(pBlock) != 0; }
    // Where the wire stands in the document's wire list; null when it is not indexed.
    POSITION WirePosition(const CConnectLineObj* pWire) const;
    // The wires with an end at the pin, in the order of the document's wire list.
    const std::vector<CConnectLineObj*>& WiresAtPin(const CBlockObj* pBlock, int nPin) const;

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

    static std::uint64_t PinKey(const CBlockObj* p, int pin) { return (std::uint64_t(std::uintptr_t(p)) << 5) | unsigned(pin & 31); }

    const CTavixDoc* m_pDoc;
    std::unordered_map<std::int64_t, Bucket> m_cells;
    struct WireEntry {
        std::vector<std::int64_t> cells;
        POSITION pos = nullptr;
    };
    std::unordered_map<const CConnectLineObj*, WireEntry> m_wireCells;
    std::unordered_map<std::uint64_t, std::vector<CConnectLineObj*>> m_pins;
    std::unordered_set<const CBlockObj*> m_blocks;
};
