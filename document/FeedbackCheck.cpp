#include "document/FeedbackCheck.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"

#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace feedback {
namespace {

bool In(int v, int lo, int hi) { return v >= lo && v <= hi; }

bool IsConnector(const CBlockObj* p) { return p && (p->m_nType == TYPE_MALE || p->m_nType == TYPE_FEMALE); }

// Outputs, flags, analog outputs and analog flags: a loop through them is never found.
bool IsLoopBreaker(const CBlockObj* p)
{
    return p && (p->m_nType == TYPE_OUTPUT || p->m_nType == TYPE_FLAG || p->m_nType == TYPE_ANALOG_OUT ||
                 p->m_nType == TYPE_ANALOG_FLAG);
}

bool SameDirection(int a, int b) { return (a < kFirstOutputPin) == (b < kFirstOutputPin); }

// The wire of a connector's partner (the wire whose second end is the partner), else null.
CConnectLineObj* PartnerWire(const CTavixDoc& doc, const CBlockObj* pConnector)
{
    const int partner = pConnector->m_nType == TYPE_FEMALE ? pConnector->m_nNumber - kConnectorPartnerOffset
                                                          : pConnector->m_nNumber + kConnectorPartnerOffset;
    CBlockObj* p = doc.FindBlockByNumber(partner);
    return p ? doc.FindWireOnConnector(p) : nullptr;
}

struct End {
    CBlockObj* pBlock = nullptr;
    int nPin = -1;
};

// An end passed through a connector pair: the first end of the partner's wire.
End ThroughPair(const CTavixDoc& doc, End e)
{
    if (!IsConnector(e.pBlock))
        return e;
    if (CConnectLineObj* pw = PartnerWire(doc, e.pBlock))
        return {pw->m_pStartBlock, pw->m_nStartPin};
    return {};
}

// The elements a walk has expanded: an open-addressed set of pointers (a walk runs for every
// new wire and mostly meets a few elements).
class VisitedSet {
public:
    // False when the element was in the set already.
    bool Insert(const CBlockObj* p)
    {
        if (2 * (m_nCount + 1) > m_slots.size())
            Grow();
        size_t i = Slot(p, m_slots.size());
        while (m_slots[i]) {
            if (m_slots[i] == p)
                return false;
            i = (i + 1) & (m_slots.size() - 1);
        }
        m_slots[i] = p;
        ++m_nCount;
        return true;
    }

private:
    static size_t Slot(const CBlockObj* p, size_t size)
    {
        return size_t((std::uint64_t(std::uintptr_t(p)) >> 4) * 0x9E3779B97F4A7C15ull >> 32) & (size - 1);
    }
    void Grow()
    {
        std::vector<const CBlockObj*> old(m_slots.empty() ? 32 : 2 * m_slots.size(), nullptr);
        old.swap(m_slots);
        for (const CBlockObj* p : old)
            if (p) {
                size_t i = Slot(p, m_slots.size());
                while (m_slots[i])
                    i = (i + 1) & (m_slots.size() - 1);
                m_slots[i] = p;
            }
    }

    std::vector<const CBlockObj*> m_slots;
    size_t m_nCount = 0;
};

// The upstream walk of the function block diagram test, each element expanded once.
class LoopWalk {
public:
    LoopWalk(const CTavixDoc& doc, CBlockObj* goal, int goalPin, CBlockObj* origin, int originPin)
        : m_doc(doc), m_goal(goal), m_goalPin(goalPin), m_origin(origin), m_originPin(originPin)
    {
    }

    bool Run(CBlockObj* current, int currentPin)
    {
        Walk(current, currentPin);
        return m_found;
    }

private:
    struct Step {
        CConnectLineObj* pWire;
        bool bBySecondEnd;  // the wire reaches the current element at its second end
        const CBlockObj* pNeighbour;
    };

    // Appends the steps from the element to m_steps: one wire per neighbour, the first found.
    void CollectInputWires(CBlockObj* pElement)
    {
        const size_t first = m_steps.size();
        auto consider = [&](CConnectLineObj* w) {
            End neighbour;
            bool bySecond = false;
            if (w->m_pEndBlock == pElement && w->m_nEndPin < kFirstOutputPin) {
                neighbour = {w->m_pStartBlock, w->m_nStartPin};
                bySecond = true;
            } else if (w->m_pStartBlock == pElement && w->m_nStartPin < kFirstOutputPin) {
                neighbour = ThroughPair(m_doc, {w->m_pEndBlock, w->m_nEndPin});
            } else {
                return;
            }
            for (size_t k = first; k < m_steps.size(); ++k)
                if (m_steps[k].pNeighbour == neighbour.pBlock)
                    return;
            m_steps.push_back({w, bySecond, neighbour.pBlock});
        };
        if (const std::vector<CConnectLineObj*>* wires = m_doc.WiresOfElement(pElement)) {
            for (CConnectLineObj* w : *wires)
                consider(w);
        } else {
            for (POSITION pos = m_doc.m_wires.GetHeadPosition(); pos;)
                consider(static_cast<CConnectLineObj*>(m_doc.m_wires.GetNext(pos)));
        }
    }

    void Walk(CBlockObj* current, int currentPin)
    {
        if (!current || !m_visited.Insert(current))
            return;
        // The steps of this element stand in m_steps from first to last; deeper levels append
        // theirs behind and take them away again.
        const size_t first = m_steps.size();
        CollectInputWires(current);
        const size_t last = m_steps.size();
        for (size_t k = first; k < last && !m_found; ++k) {
            const Step s = m_steps[k];
            CConnectLineObj* w = s.pWire;
            if ((w->m_pEndBlock == current && w->m_nEndPin == currentPin) ||
                (w->m_pStartBlock == current && w->m_nStartPin == currentPin))
                continue;
            if ((w->m_pStartBlock == m_origin && SameDirection(w->m_nStartPin, m_originPin)) ||
                (w->m_pEndBlock == m_origin && SameDirection(w->m_nEndPin, m_originPin)))
                continue;
            if (IsLoopBreaker(w->m_pStartBlock) || IsLoopBreaker(w->m_pEndBlock))
                continue;
            CConnectLineObj* e = w;
            if (IsConnector(w->m_pEndBlock))
                if (CConnectLineObj* pw = PartnerWire(m_doc, w->m_pEndBlock); pw && pw->m_pStartBlock == m_goal)
                    e = pw;
            if (e->m_pStartBlock == m_goal || e->m_pEndBlock == m_goal) {
                const bool goalAtStart = e->m_pStartBlock == m_goal;
                const int g = goalAtStart ? e->m_nStartPin : e->m_nEndPin;
                const int o = goalAtStart ? e->m_nEndPin : e->m_nStartPin;
                if ((g - o) * (m_goalPin - m_originPin) < 0)
                    m_found = true;
                continue;
            }
            const End far = s.bBySecondEnd ? End{e->m_pStartBlock, e->m_nStartPin}
                                           : ThroughPair(m_doc, {e->m_pEndBlock, e->m_nEndPin});
            Walk(far.pBlock, far.nPin);
        }
        m_steps.resize(first);
    }

    const CTavixDoc& m_doc;
    CBlockObj* m_goal;
    int m_goalPin;
    CBlockObj* m_origin;
    int m_originPin;
    VisitedSet m_visited;
    std::vector<Step> m_steps;
    bool m_found = false;
};

} // namespace

int SourceClass(int t)
{
    if (In(t, 300, 307) || In(t, 400, 409) || In(t, 800, 802) || In(t, 808, 814) || t == 823 || t == 830 ||
        t == 831 || In(t, 848, 855))
        return 0;
    if (t == TYPE_OUTPUT || t == TYPE_FLAG)
        return 1;
    if (t == TYPE_ANALOG_OUT || t == TYPE_ANALOG_FLAG)
        return 2;
    if (t == 803 || t == 804 || t == 806 || t == 807 || t == 819 || t == 860 || t == 861)
        return 4;
    if (t == 413 || In(t, 815, 818) || t == 821 || t == 822 || t == 847)
        return 5;
    return 3;
}

int TargetClass(int t)
{
    if (In(t, 300, 307) || In(t, 400, 409) || t == 413 || In(t, 800, 802) || In(t, 808, 817) || t == 823 ||
        t == 830 || t == 831 || In(t, 847, 855))
        return 0;
    if (t == TYPE_OUTPUT || t == TYPE_FLAG)
        return 1;
    if (t == TYPE_ANALOG_OUT || t == TYPE_ANALOG_FLAG)
        return 2;
    if (In(t, 803, 805) || t == 807 || t == 820 || In(t, 832, 843) || t == 845 || t == 846 || t == 856 ||
        In(t, 860, 868))
        return 3;
    if (t == 806 || t == 818 || t == 819 || t == 821 || t == 822 || t == 879)
        return 4;
    return 5;
}

int TableValue(int s, int t)
{
    static const int table[6][6] = {
        {1, 0, 2, 2, 1, 0}, {0, 0, 2, 2, 0, 2}, {2, 2, 0, 0, 0, 2},
        {2, 2, 0, 1, 1, 0}, {1, 0, 2, 2, 1, 2}, {2, 2, 0, 1, 1, 0},
    };
    if (s < 0 || s > 5 || t < 0 || t > 5)
        return 0;
    return table[s][t];
}

int CheckFbd(const CTavixDoc& doc, CBlockObj* pFixed, int nFixedPin, CBlockObj* pTarget, int nTargetPin)
{
    if (!pFixed || !pTarget)
        return 0;
    if (IsConnector(pFixed)) {
        const End e = ThroughPair(doc, {pFixed, nFixedPin});
        if (!e.pBlock)
            return 0;
        pFixed = e.pBlock;
        nFixedPin = e.nPin;
    }
    bool loop = pFixed == pTarget;
    if (!loop) {
        if (nFixedPin >= kFirstOutputPin)
            loop = LoopWalk(doc, pTarget, nTargetPin, pFixed, nFixedPin).Run(pFixed, nFixedPin);
        else
            loop = LoopWalk(doc, pFixed, nFixedPin, pTarget, nTargetPin).Run(pTarget, nTargetPin);
    }
    return loop ? TableValue(SourceClass(pFixed->m_nType), TargetClass(pTarget->m_nType)) : 0;
}

BOOL HasLadderLoop(const CTavixDoc& doc, const CConnectLineObj& wire, const CConnectLineObj* pIgnore)
{
    // Signal graph: a wire leads from its end at an output pin to its end at an input pin; a
    // male connector leads to its female partner; a function block leads to the contacts that
    // read its number. Coils lead nowhere: a contact reading a coil is the ladder's latch.
    std::unordered_map<const CBlockObj*, std::vector<const CBlockObj*>> next;
    auto addWire = [&](const CConnectLineObj& w) {
        if (!w.m_pStartBlock || !w.m_pEndBlock)
            return;
        const bool startOut = w.m_nStartPin >= kFirstOutputPin, endOut = w.m_nEndPin >= kFirstOutputPin;
        if (startOut == endOut)
            return;
        const CBlockObj* from = startOut ? w.m_pStartBlock : w.m_pEndBlock;
        const CBlockObj* to = startOut ? w.m_pEndBlock : w.m_pStartBlock;
        next[from].push_back(to);
    };
    bool listed = false;
    for (POSITION pos = doc.m_wires.GetHeadPosition(); pos;) {
        auto* w = static_cast<const CConnectLineObj*>(doc.m_wires.GetNext(pos));
        listed = listed || w == &wire;
        if (w != pIgnore || w == &wire)
            addWire(*w);
    }
    if (!listed)
        addWire(wire);
    std::unordered_map<int, std::vector<const CBlockObj*>> contactsOf;
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos;) {
        auto* p = static_cast<const CBlockObj*>(doc.m_blocks.GetNext(pos));
        if (p->m_nType >= TYPE_MAKE && p->m_nType <= TYPE_ACONTACT)
            contactsOf[p->m_nOperand].push_back(p);
    }
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos;) {
        auto* p = static_cast<const CBlockObj*>(doc.m_blocks.GetNext(pos));
        if (p->m_nType == TYPE_MALE) {
            if (const CBlockObj* f = doc.FindBlockByNumber(p->m_nNumber + kConnectorPartnerOffset))
                next[p].push_back(f);
        } else if (CTavixDoc::GetBlockKind(p->m_nType) == KIND_FUNCTION) {
            const auto it = contactsOf.find(p->m_nNumber);
            if (it != contactsOf.end())
                next[p].insert(next[p].end(), it->second.begin(), it->second.end());
        }
    }
    const bool startOut = wire.m_nStartPin >= kFirstOutputPin;
    const CBlockObj* producer = startOut ? wire.m_pStartBlock : wire.m_pEndBlock;
    const CBlockObj* consumer = startOut ? wire.m_pEndBlock : wire.m_pStartBlock;
    if (!producer || !consumer)
        return FALSE;
    std::vector<const CBlockObj*> stack{consumer};
    std::unordered_set<const CBlockObj*> seen{consumer};
    while (!stack.empty()) {
        const CBlockObj* p = stack.back();
        stack.pop_back();
        if (p == producer)
            return TRUE;
        const auto it = next.find(p);
        if (it == next.end())
            continue;
        for (const CBlockObj* q : it->second)
            if (seen.insert(q).second)
                stack.push_back(q);
    }
    return FALSE;
}

} // namespace feedback
