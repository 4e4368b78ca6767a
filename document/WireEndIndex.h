// CWireEndIndex: while it lives, the document lists the wires at an element from a table
// (WiresOfElement) instead of its whole wire list, so that the feedback check of every new wire
// in a run (wiring a whole program) does not walk all wires for every element it passes. The
// table keeps each element's wires in the order of the wire list; the document's AddWire and
// RemoveWire keep it current. Hold it only while wires are added and removed through those two
// and no wire changes its ends. Nested indexes leave the outer one in charge.
#pragma once

#include <unordered_map>
#include <vector>

class CBlockObj;
class CConnectLineObj;
class CTavixDoc;

class CWireEndIndex {
public:
    explicit CWireEndIndex(CTavixDoc& doc);
    ~CWireEndIndex();
    CWireEndIndex(const CWireEndIndex&) = delete;
    CWireEndIndex& operator=(const CWireEndIndex&) = delete;

    using Table = std::unordered_map<const CBlockObj*, std::vector<CConnectLineObj*>>;
    // Lists the wire under each element it ends at (once when both ends are the same element).
    static void Add(Table& table, CConnectLineObj* pWire);
    static void Remove(Table& table, CConnectLineObj* pWire);

private:
    CTavixDoc& m_doc;
    Table m_table;
    bool m_bOwner = false;
};
