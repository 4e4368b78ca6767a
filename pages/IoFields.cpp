// Terminal blocks: renumbering keeps the diagram's wires on the block, and a simulated input's
// range is kept in order.
#include "pages/IoFields.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"
#include "pages/Simulation.h"
#include "view/TavixView.h"

#include <algorithm>

BOOL HasSimulationPage(int nType) { return nType == 600 || nType == 601 || nType == 608 || nType == 611; }

BOOL MoveIoBlock(CBlockObj& block, CTavixDoc& doc, const IoRange& r, int nIndex)
{
    if (nIndex < 0 || nIndex >= r.nCount)
        return FALSE;
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos;) {
        auto* pOther = static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos));
        if (pOther != &block && pOther->m_nType == block.m_nType && pOther->m_nOperand == nIndex)
            return FALSE;
    }
    const int oldNumber = block.m_nNumber, newNumber = r.nBase + nIndex;
    block.m_nOperand = nIndex;
    block.m_nNumber = newNumber;
    block.m_strText = IoIndexText(r, nIndex);
    if (oldNumber == newNumber)
        return TRUE;
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos;) {
        auto* pOther = static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos));
        for (int& link : pOther->m_nLink)
            if (link == oldNumber)
                link = newNumber;
    }
    for (POSITION pos = doc.m_wires.GetHeadPosition(); pos;) {
        auto* pWire = static_cast<CConnectLineObj*>(doc.m_wires.GetNext(pos));
        if (pWire->m_nStartNumber == oldNumber)
            pWire->m_nStartNumber = newNumber;
        if (pWire->m_nEndNumber == oldNumber)
            pWire->m_nEndNumber = newNumber;
    }
    return TRUE;
}

void LoadSimulation(CSimulation& page, const CBlockObj& block)
{
    page.m_nBlockType = block.m_nType;
    page.m_nBlockNumber = block.m_nNumber;
    page.m_bAutoRange = block.m_bAutoRange ? 1 : 0;
    page.m_nCurrent = block.m_nSimValue;
    if (block.m_nType == 608) {
        page.m_nMin = block.m_nSimMin;
        page.m_nMax = block.m_nSimMax;
        return;
    }
    page.m_nMin = std::min(block.m_nSimMin, block.m_nSimMax);
    page.m_nMax = std::max(block.m_nSimMin, block.m_nSimMax);
    page.m_nBehaviour = block.m_nSimKind >= 0 && block.m_nSimKind <= 3 ? block.m_nSimKind : 0;
}

