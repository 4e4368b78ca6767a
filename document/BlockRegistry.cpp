// The element registry's lookups: elements by number or operand, hit tests of elements,
// comments and wires, pin positions, and the wire and comment lists. Every walk goes in list
// order and the first match wins.
#include "document/TavixDoc.h"

#include "elements/BlockComment.h"
#include "elements/BlockConnectors.h"
#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"
#include "elements/ConnectLineObj.h"

#include <algorithm>
#include <utility>

namespace {

// The first object of the list whose box, widened by `margin` on the left and right (where the
// pins stand), holds pt.
template <class T>
T* FirstHit(const CObList& list, CPoint pt, int margin)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        T* p = static_cast<T*>(list.GetNext(pos));
        const CRect rc(p->m_ptOrigin.x - margin, p->m_ptOrigin.y,
                       p->m_ptOrigin.x + p->m_nWidth + margin, p->m_ptOrigin.y + p->m_nHeight);
        if (rc.PtInRect(pt))
            return p;
    }
    return nullptr;
}

} // namespace

int CTavixDoc::GetBlockKind(int nType)
{
    return GetBlockKindOfType(nType);
}

CBlockObj* CTavixDoc::FindBlockByNumber(int nNumber) const
{
    if (IsLadder() && !m_powerBus.IsEmpty()) {
        CBlockObj* pBus = static_cast<CBlockObj*>(m_powerBus.GetHead());
        if (pBus != nullptr && pBus->m_nNumber == nNumber)
            return pBus;
    }
    if (m_pNumberIndex != nullptr) {
        const auto it = std::lower_bound(m_pNumberIndex->begin(), m_pNumberIndex->end(), nNumber,
                                         [](const std::pair<int, CBlockObj*>& e, int n) { return e.first < n; });
        return it == m_pNumberIndex->end() || it->first != nNumber ? nullptr : it->second;
    }
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockObj* pBlock = static_cast<CBlockObj*>(m_blocks.GetNext(pos));
        if (pBlock->m_nNumber == nNumber)
            return pBlock;
    }
    return nullptr;
}

CBlockNumberIndex::CBlockNumberIndex(CTavixDoc& doc) : m_doc(doc)
{
    if (doc.m_pNumberIndex != nullptr)
        return;
    m_index.reserve(size_t(doc.m_blocks.GetCount()));
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockObj* pBlock = static_cast<CBlockObj*>(doc.m_blocks.GetNext(pos));
        m_index.emplace_back(pBlock->m_nNumber, pBlock);
    }
    // A stable sort keeps list order among equal numbers: the first in list order is found.
    std::stable_sort(m_index.begin(), m_index.end(),
                     [](const std::pair<int, CBlockObj*>& a, const std::pair<int, CBlockObj*>& b) {
                         return a.first < b.first;
                     });
    doc.m_pNumberIndex = &m_index;
    m_bOwner = true;
}

CBlockNumberIndex::~CBlockNumberIndex()
{
    if (m_bOwner)
        m_doc.m_pNumberIndex = nullptr;
}

CBlockObj* CTavixDoc::FindIOBlock(int nOperand, int nType) const
{
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        CBlockObj* pBlock = static_cast<CBlockObj*>(m_blocks.GetNext(pos));
        if (pBlock->m_nOperand == nOperand && pBlock->m_nType == nType)
            return pBlock;
    }
    return nullptr;
}

int CTavixDoc::CountBlocks() const
{
    int count = 0;
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CObject* pObject = m_blocks.GetNext(pos);
        if (!pObject->IsKindOf(RUNTIME_CLASS(CBlockMale)) &&
            !pObject->IsKindOf(RUNTIME_CLASS(CBlockFemale)))
            ++count;
    }
    return count;
}

int CTavixDoc::CountFunctionBlocks() const
{
    int count = 0;
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* pBlock = static_cast<const CBlockObj*>(m_blocks.GetNext(pos));
        if (pBlock->m_nNumber >= NUM_FUNCTION && pBlock->m_nNumber <= kLastFunctionNumber)
            ++count;
    }
    return count;
}

CBlockObj* CTavixDoc::HitTestBlock(CPoint pt) const
{
    return FirstHit<CBlockObj>(m_blocks, pt, 0);
}

CBlockObj* CTavixDoc::HitTestBlockWithPins(CPoint pt) const
{
    return FirstHit<CBlockObj>(m_blocks, pt, 9);
}

CBlockComment* CTavixDoc::HitTestComment(CPoint pt) const
{
    return FirstHit<CBlockComment>(m_comments, pt, 0);
}

CConnectLineObj* CTavixDoc::HitTestWire(int x, int y)
{
    return CConnectLineObj::FindLineAt(this, x, y);
}

BOOL CTavixDoc::GetPinPosition(CRect* pRect, CBlockObj* pBlock, int nPin) const
{
    if (pBlock == nullptr || nPin < 0 || nPin >= kPinCount || pBlock->m_nPinKind[nPin] == PIN_NONE)
        return FALSE;
    return pBlock->GetPinRect(pRect, nPin, kPinRectSize);
}

void CTavixDoc::AddWire(CConnectLineObj* pWire)
{
    m_wires.AddTail(pWire);
    if (m_pWireEnds != nullptr)
        CWireEndIndex::Add(*m_pWireEnds, pWire);
    SetModifiedFlag();
}

void CTavixDoc::RemoveWire(CConnectLineObj* pWire)
{
    POSITION pos = m_wires.Find(pWire);
    if (pos == nullptr)
        return;
    m_wires.RemoveAt(pos);
    if (m_pWireEnds != nullptr)
        CWireEndIndex::Remove(*m_pWireEnds, pWire);
    SetModifiedFlag();
}

const std::vector<CConnectLineObj*>* CTavixDoc::WiresOfElement(const CBlockObj* pBlock) const
{
    static const std::vector<CConnectLineObj*> none;
    if (m_pWireEnds == nullptr)
        return nullptr;
    const auto it = m_pWireEnds->find(pBlock);
    return it == m_pWireEnds->end() ? &none : &it->second;
}

void CTavixDoc::AddComment(CBlockComment* pComment)
{
    if (pComment == nullptr)
        return;
    m_comments.AddTail(pComment);
    SetModifiedFlag();
}

BOOL CTavixDoc::IsWireDuplicate(CConnectLineObj* pNew, CBlockObj* pOther, int nOtherPin) const
{
    if (pNew == nullptr)
        return FALSE;
    // The start is the fixed end unless the start is the end being dragged.
    const bool startFixed = pNew->m_nDragEnd != -1;
    const CBlockObj* pFixed = startFixed ? pNew->m_pStartBlock : pNew->m_pEndBlock;
    const int fixedPin = startFixed ? pNew->m_nStartPin : pNew->m_nEndPin;
    for (POSITION pos = m_wires.GetHeadPosition(); pos != nullptr;) {
        const CConnectLineObj* pWire = static_cast<const CConnectLineObj*>(m_wires.GetNext(pos));
        if (pWire == pNew)
            continue;
        const bool forward = pWire->m_pStartBlock == pFixed && pWire->m_nStartPin == fixedPin &&
                             pWire->m_pEndBlock == pOther && pWire->m_nEndPin == nOtherPin;
        const bool backward = pWire->m_pEndBlock == pFixed && pWire->m_nEndPin == fixedPin &&
                              pWire->m_pStartBlock == pOther && pWire->m_nStartPin == nOtherPin;
        if (forward || backward)
            return TRUE;
    }
    return FALSE;
}

CConnectLineObj* CTavixDoc::FindWireOnConnector(CBlockObj* pConnector) const
{
    if (pConnector == nullptr)
        return nullptr;
    for (POSITION pos = m_wires.GetHeadPosition(); pos != nullptr;) {
        CConnectLineObj* pWire = static_cast<CConnectLineObj*>(m_wires.GetNext(pos));
        const CBlockObj* pEnd = pWire->m_pEndBlock;
        if (pEnd == pConnector && (pEnd->IsKindOf(RUNTIME_CLASS(CBlockMale)) ||
                                   pEnd->IsKindOf(RUNTIME_CLASS(CBlockFemale))))
            return pWire;
    }
    return nullptr;
}
