#include "document/WireEndIndex.h"

#include "document/TavixDoc.h"
#include "elements/ConnectLineObj.h"

#include <algorithm>

CWireEndIndex::CWireEndIndex(CTavixDoc& doc) : m_doc(doc)
{
    if (doc.m_pWireEnds != nullptr)
        return;
    for (POSITION pos = doc.m_wires.GetHeadPosition(); pos != nullptr;)
        Add(m_table, static_cast<CConnectLineObj*>(doc.m_wires.GetNext(pos)));
    doc.m_pWireEnds = &m_table;
    m_bOwner = true;
}

CWireEndIndex::~CWireEndIndex()
{
    if (m_bOwner)
        m_doc.m_pWireEnds = nullptr;
}

void CWireEndIndex::Add(Table& table, CConnectLineObj* pWire)
{
    if (pWire->m_pStartBlock != nullptr)
        table[pWire->m_pStartBlock].push_back(pWire);
    if (pWire->m_pEndBlock != nullptr && pWire->m_pEndBlock != pWire->m_pStartBlock)
        table[pWire->m_pEndBlock].push_back(pWire);
}

void CWireEndIndex::Remove(Table& table, CConnectLineObj* pWire)
{
    for (const CBlockObj* p : {pWire->m_pStartBlock, pWire->m_pEndBlock}) {
        const auto it = p != nullptr ? table.find(p) : table.end();
        if (it != table.end())
            it->second.erase(std::remove(it->second.begin(), it->second.end(), pWire), it->second.end());
    }
}
