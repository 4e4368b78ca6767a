// Values one block reads from another: the numeric output a referencing block takes, and the
// time text of the monitor sheets.
#include "elements/BlockObj.h"

#include "elements/BlockClocks.h"
#include "elements/BlockCounters.h"
#include "elements/BlockSwitches.h"
#include "elements/ElementTextCache.h"
#include "elements/BlockTimers.h"
#include "shell/ChildFrame.h"
#include "view/TavixView.h"

namespace {

// Milliseconds per unit of a time base or reference unit (0, 1, 2); an index outside the
// table counts as hundredths, the finest unit, rather than reading beyond it.
double UnitDivisor(int unit)
{
    switch (unit) {
    case 0: return 60000.0;
    case 1: return 1000.0;
    default: return 10.0;
    }
}

int UnitOfSet(const CBlockObj* p, bool bSecondSet)
{
    if (bSecondSet)
        return p->m_bRef[1] ? p->m_nRefUnit2 : p->m_nTime2Base;
    return p->m_bRef[0] ? p->m_nRefUnit1 : p->m_nTime1Base;
}

} // namespace

void CBlockObj::GetOutputValue(CBlockObj* pBlock, double* pValue)
{
    if (!pBlock || !pValue)
        return;
    const int t = pBlock->m_nType;
    if (t == 803 || t == 804 || t == 805 || t == 815 || t == 816) {
        *pValue = double(pBlock->GetAnalogOutputWord());
    } else if (t == 800 || (t >= 832 && t <= 848) || (t >= 862 && t <= 879)) {
        *pValue = pBlock->m_dElapsed;
    } else if (pBlock->IsKindOf(RUNTIME_CLASS(CBlockTHTRG))) {
        *pValue = double(static_cast<CBlockTHTRG*>(pBlock)->m_nFa);
    } else if (pBlock->IsKindOf(RUNTIME_CLASS(CBlockTime))) {
        auto* pTime = static_cast<CBlockTime*>(pBlock);
        bool bSecond = false;
        if (pBlock->IsKindOf(RUNTIME_CLASS(CBlockMPLR)))
            bSecond = pBlock->m_nPinValue[0] == 0;
        else if (pBlock->IsKindOf(RUNTIME_CLASS(CBlockAPG)))
            bSecond = pBlock->m_nPinValue[kOutputPin] == pBlock->m_nPinValue[1];
        else if (pBlock->IsKindOf(RUNTIME_CLASS(CBlockRPR)))
            bSecond = pBlock->m_nPinValue[kOutputPin] == 0 && pTime->m_nRun != 0;
        else if (pBlock->IsKindOf(RUNTIME_CLASS(CBlockSLS)))
            bSecond = true;
        *pValue = pBlock->m_dElapsed / UnitDivisor(UnitOfSet(pBlock, bSecond));
    }
}

void CBlockObj::GetTimeText(CTavixView* pView, CString* pText)
{
    if (!pText)
        return;
    int base = m_nTime1Base;
    if (IsKindOf(RUNTIME_CLASS(CBlockTime))) {
        const auto* p = static_cast<const CBlockTime*>(this);
        int set = 0;  // 0 unchanged first base, 1 first set, 2 second set
        if (IsKindOf(RUNTIME_CLASS(CBlockMPLR)))
            set = (p->m_nRun == 0 && p->m_nDone != 0) ? 2 : 1;
        else if (IsKindOf(RUNTIME_CLASS(CBlockRPR)))
            set = p->m_nPhase != 0 ? 2 : 1;
        else if (IsKindOf(RUNTIME_CLASS(CBlockAPG)))
            set = ((p->m_nRun != 0 && p->m_nPhase != 0) || (p->m_nRun == 0 && p->m_nPhase == 0))
                      ? 2
                      : 1;
        else if (IsKindOf(RUNTIME_CLASS(CBlockSLS)))
            set = 2;
        else if (IsKindOf(RUNTIME_CLASS(CBlockMFS))) {
            const int phase = static_cast<const CBlockMFS*>(this)->m_nSwitchState;
            if (phase == 0 || phase == 2 || phase == 4)
                set = 2;
            else if (phase == 1 || phase == 3)
                set = 1;
        }
        if (set != 0)
            base = UnitOfSet(this, set == 2);
    }
    if (m_bRef[0] && (IsKindOf(RUNTIME_CLASS(CBlockDPR)) || IsKindOf(RUNTIME_CLASS(CBlockDDR)) ||
                      IsKindOf(RUNTIME_CLASS(CBlockPLR)) || IsKindOf(RUNTIME_CLASS(CBlockCPG))))
        base = m_nRefUnit1;

    CChildFrame* pFrame = pView ? pView->GetParentFrame() : nullptr;
    if (IsKindOf(RUNTIME_CLASS(CBlockYT))) {
        if (pFrame)
            pFrame->FormatSimTime(pText, TRUE, 1);
        return;
    }
    if (IsKindOf(RUNTIME_CLASS(CBlockWT))) {
        if (pFrame)
            pFrame->FormatSimTime(pText, FALSE, 0);
        return;
    }
    if ((m_nType >= 400 && m_nType <= 409) || IsKindOf(RUNTIME_CLASS(CBlockHCOUNTER))) {
        int high = 0, low = 0;
        if (m_dElapsed != 0.0)
            SplitTime(m_dElapsed, base, &high, &low);
        // Every block's time text is made at every simulation step; most show what they did.
        const int unit = base == 0 ? 0 : (base == 1 ? 1 : 2);
        ElementTextCache& cache = TextCache();
        if (!cache.timeSet || cache.timeHigh != high || cache.timeLow != low || cache.timeUnit != unit) {
            cache.timeText.Format(L"%02d:%02d%s", high, low, unit == 0 ? L"h" : (unit == 1 ? L"m" : L"s"));
            cache.timeSet = true;
            cache.timeHigh = high;
            cache.timeLow = low;
            cache.timeUnit = unit;
        }
        *pText = cache.timeText;
    }
}
