// Value ranges of the simulated analog inputs: an analog input or analog contact takes the
// measuring range of the analog function blocks it drives, so the slider and the Inputs bar
// offer the values those blocks can measure. The walks over the diagram remember the elements
// they visited, so loops through flags or connector pairs end.
#include "view/TavixView.h"

#include "document/TavixDoc.h"
#include "elements/BlockAnalog.h"
#include "elements/BlockConnectors.h"
#include "elements/BlockIO.h"
#include "elements/BlockLadder.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {

bool IsConsumerType(int t) { return (t >= 803 && t <= 807) || t == 818 || t == 819; }

bool IsAnalogContactOnInput(const CBlockObj* p)
{
    return dynamic_cast<const CBlockAContact*>(p) && p->m_nOperand >= NUM_ANALOG_IN && p->m_nOperand <= 4127;
}

// The analog input pins of a consumer type.
std::vector<int> AnalogInputPins(int nType)
{
    switch (nType) {
    case 803: return {0, 1};
    case 804: case 805: case 807: return {0};
    case 806: case 819: return {1};
    case 818: return {2};
    default: return {};
    }
}

bool SameConsumerRange(const CBlockAnalog* a, const CBlockAnalog* b)
{
    return a->m_nSensor == b->m_nSensor && a->m_nRangeMin == b->m_nRangeMin && a->m_nRangeMax == b->m_nRangeMax;
}

}  // namespace

void CTavixView::CollectAnalogConsumers(CBlockObj* pElement, int* pCount)
{
    std::set<const CBlockObj*> visited;
    CollectAnalogConsumers(pElement, pCount, visited);
}

void CTavixView::CollectAnalogConsumers(CBlockObj* e, int* pCount, std::set<const CBlockObj*>& visited)
{
    CTavixDoc* pDoc = GetDocument();
    if (!e || !pDoc)
        return;
    CObject* o = e;
    // A connector stands for the element at the other end of its pair.
    if (dynamic_cast<CBlockFemale*>(o)) {
        CBlockObj* partner = pDoc->FindBlockByNumber(e->m_nNumber - kConnectorPartnerOffset);
        e = partner ? pDoc->FindBlockByNumber(partner->m_nLink[0]) : nullptr;
    } else if (dynamic_cast<CBlockMale*>(o)) {
        CBlockObj* partner = pDoc->FindBlockByNumber(e->m_nNumber + kConnectorPartnerOffset);
        e = partner ? pDoc->FindBlockByNumber(partner->m_nLink[kOutputPin]) : nullptr;
    }
    if (!e || !visited.insert(e).second)
        return;
    o = e;
    const bool analog = dynamic_cast<CBlockAnalog*>(o) != nullptr;
    if (!(analog && IsConsumerType(e->m_nType)) && !dynamic_cast<CBlockAnalogIn*>(o) &&
        !dynamic_cast<CBlockAnalogOut*>(o) && !dynamic_cast<CBlockAnalogFlag*>(o) &&
        !dynamic_cast<CBlockAContact*>(o) && !dynamic_cast<CBlockAOutLAD*>(o))
        return;
    if (analog) {
        const bool passThrough = (e->m_nType == 806 && e->m_nLink[1] == LINK_OPEN) ||
                                 (e->m_nType == 819 && e->m_nLink[1] == LINK_OPEN) ||
                                 (e->m_nType == 818 && e->m_nLink[2] == LINK_OPEN);
        if (!passThrough) {
            m_analogConsumers.push_back(static_cast<CBlockAnalog*>(e));
            ++*pCount;
            return;
        }
    }
    if (dynamic_cast<CBlockAOutLAD*>(o)) {
        for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
            auto* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
            if (p->m_nOperand == e->m_nNumber)
                CollectAnalogConsumers(p, pCount, visited);
        }
        return;
    }
    // The elements at the far ends of the wires on the output; a pair of wires joining the same
    // two elements counts once.
    std::set<std::pair<const CBlockObj*, const CBlockObj*>> joined;
    for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
        auto* w = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
        CBlockObj* far = nullptr;
        if (w->m_pStartBlock == e && w->m_nStartPin >= kFirstOutputPin)
            far = w->m_pEndBlock;
        else if (w->m_pEndBlock == e && w->m_nEndPin >= kFirstOutputPin)
            far = w->m_pStartBlock;
        if (!far || far == e)
            continue;
        const auto key = std::minmax<const CBlockObj*>(e, far);
        if (!joined.insert(key).second)
            continue;
        CollectAnalogConsumers(far, pCount, visited);
    }
}

void CTavixView::ComputeAnalogRange(CBlockObj* p)
{
    CTavixDoc* pDoc = GetDocument();
    if (!p || !pDoc)
        return;
    CObject* o = p;
    const bool contact = dynamic_cast<CBlockAContact*>(o) || dynamic_cast<CBlockMake*>(o);
    SimSettingRecord rec;
    if (contact && pDoc->m_simSettings.Lookup(p->m_nOperand, rec)) {
        p->m_bAutoRange = rec.m_bAutoRange;
        p->m_nSimValue = rec.m_nValue;
        p->m_nSimMin = rec.m_nMin;
        p->m_nSimMax = rec.m_nMax;
        p->m_nSimKind = rec.m_nKind;
    }
    const int ul = std::min(p->m_nSimMin, p->m_nSimMax), uh = std::max(p->m_nSimMin, p->m_nSimMax);
    int lo = ul, hi = uh;
    bool differing = false;
    int n = 0;
    const bool analogSource = dynamic_cast<CBlockAnalogIn*>(o) || dynamic_cast<CBlockAContact*>(o);
    if (analogSource) {
        m_analogConsumers.clear();
        CollectAnalogConsumers(p, &n);
        const CBlockAnalog* first = n > 0 ? m_analogConsumers.front() : nullptr;
        const int tl = first ? std::min(first->m_nRangeMin, first->m_nRangeMax) : 0;
        const int th = first ? std::max(first->m_nRangeMin, first->m_nRangeMax) : 0;
        if (n == 0) {
            lo = p->m_bAutoRange ? 0 : ul;
            hi = p->m_bAutoRange ? 1000 : uh;
        } else if (n == 1) {
            if (p->m_bAutoRange) lo = tl, hi = th;
            else if (th == ul) lo = hi = th;
            else if (th < ul) lo = tl, hi = th;
            else if (tl == uh) lo = hi = tl;
            else if (uh < tl) lo = tl, hi = th;
            else lo = std::max(tl, ul), hi = std::min(th, uh);
        } else {
            differing = !std::all_of(m_analogConsumers.begin(), m_analogConsumers.end(),
                                     [&](const CBlockAnalog* c) { return SameConsumerRange(c, first); });
            if (differing) {
                lo = p->m_bAutoRange ? 0 : ul;
                hi = p->m_bAutoRange ? 1000 : uh;
            } else if (p->m_bAutoRange) {
                lo = tl, hi = th;
            } else if (ul >= th) {
                lo = hi = th;
            } else if (tl < uh) {
                lo = std::max(ul, tl), hi = std::min(uh, th);
            } else {
                lo = hi = tl;
            }
        }
        p->m_nSimMin = lo;
        p->m_nSimMax = hi;
        p->m_nSimValue = std::clamp(p->m_nSimValue, lo, hi);
        if (m_nEditMode == modeSimulate) {
            // The scaled value 0..1000 of the current value; an empty range scales to 0.
            double x = 0;
            if (n == 0 || differing) {
                if (hi != lo)
                    x = double(p->m_nSimValue - lo) * 1000.0 / double(hi - lo);
            } else if (th != tl) {
                x = double(p->m_nSimValue - tl) / double(th - tl);
                x = first->m_nSensor == 2 ? x * 800.0 + 200.0 : x * 1000.0;
            }
            p->m_nSimState = int(x < 0 ? -std::floor(-x + 0.5) : std::floor(x + 0.5));
        }
    } else {
        lo = p->m_bAutoRange ? 0 : ul;
        hi = p->m_bAutoRange ? 9999 : uh;
        p->m_nSimMin = lo;
        p->m_nSimMax = hi;
        p->m_nSimValue = std::clamp(p->m_nSimValue, lo, hi);
    }
    if (contact) {
        rec.m_bAutoRange = p->m_bAutoRange;
        rec.m_nValue = p->m_nSimValue;
        rec.m_nMin = p->m_nSimMin;
        rec.m_nMax = p->m_nSimMax;
        rec.m_nKind = p->m_nSimKind;
        pDoc->m_simSettings.SetAt(p->m_nOperand, rec);
    }
}

void CTavixView::GetAnalogRange(CBlockObj* p, int* pMin, int* pMax)
{
    if (!p || !pMin || !pMax)
        return;
    *pMin = -32767;
    *pMax = 32767;
    m_analogConsumers.clear();
    int n = 0;
    CollectAnalogConsumers(p, &n);
    if (n == 0)
        return;
    const CBlockAnalog* first = m_analogConsumers.front();
    for (const CBlockAnalog* c : m_analogConsumers)
        if (!SameConsumerRange(c, first))
            return;
    *pMin = std::min(first->m_nRangeMin, first->m_nRangeMax);
    *pMax = std::max(first->m_nRangeMin, first->m_nRangeMax);
}

void CTavixView::UpdateAnalogSources(CBlockObj* pBlock)
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc || !pBlock || !IsConsumerType(pBlock->m_nType))
        return;
    CBlockObj* lastEnd = nullptr;
    for (int pin : AnalogInputPins(pBlock->m_nType)) {
        CBlockObj* e = IsLinkCode(pBlock->m_nLink[pin]) ? nullptr : pDoc->FindBlockByNumber(pBlock->m_nLink[pin]);
        if (pin == 1 && pBlock->m_nType == 803 && e == lastEnd && e)
            break;
        std::set<const CBlockObj*> visited;
        while (e && visited.insert(e).second) {
            CObject* o = e;
            if (dynamic_cast<CBlockFemale*>(o)) {
                CBlockObj* partner = pDoc->FindBlockByNumber(e->m_nNumber - kConnectorPartnerOffset);
                e = partner ? pDoc->FindBlockByNumber(partner->m_nLink[0]) : nullptr;
                continue;
            }
            if (dynamic_cast<CBlockAnalogIn*>(o) || IsAnalogContactOnInput(e)) {
                ComputeAnalogRange(e);
                break;
            }
            if (dynamic_cast<CBlockAContact*>(o)) {
                e = pDoc->FindBlockByNumber(e->m_nOperand);
                continue;
            }
            const int t = e->m_nType;
            if (t == 805 || (t >= 832 && t <= 847) || (t >= 862 && t <= 879) || t == 413 ||
                (t >= 815 && t <= 818) || (t >= 820 && t <= 822) || t == 853 || t == 856)
                break;
            e = IsLinkCode(e->m_nLink[0]) ? nullptr : pDoc->FindBlockByNumber(e->m_nLink[0]);
        }
        lastEnd = e;
    }
}
