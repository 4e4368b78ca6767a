// Times and references between block words and page members.
#include "pages/TimerFields.h"

#include "elements/BlockObj.h"
#include "pages/ParamRecords.h"

void StoreReference(CBlockObj& block, int k, int bFlag, CBlockObj* pRef)
{
    CBlockObj* p = bFlag ? pRef : nullptr;
    block.m_pRefBlock[k] = p;
    block.m_bRef[k] = p != nullptr;
    block.m_nRefNumber[k] = p ? p->m_nNumber : -1;
}

void FillReference(ParamReference& ref, int bFlag, CBlockObj* pRef)
{
    ref.bFlag = bFlag && pRef ? 1 : 0;
    ref.pBlock = ref.bFlag ? pRef : nullptr;
}

void LoadTime(TimeParam& time, const CBlockObj& block, int k)
{
    time.nLow = k == 0 ? block.m_nTime1Low : block.m_nTime2Low;
    time.nHigh = k == 0 ? block.m_nTime1High : block.m_nTime2High;
    time.nBase = k == 0 ? block.m_nTime1Base : block.m_nTime2Base;
    time.nUnit = k == 0 ? block.m_nRefUnit1 : block.m_nRefUnit2;
    time.pRefBlock = block.m_pRefBlock[k];
    time.bRef = time.pRefBlock != nullptr;
}

void StoreTime(const TimeParam& time, CBlockObj& block, int k)
{
    (k == 0 ? block.m_nTime1Low : block.m_nTime2Low) = time.nLow;
    (k == 0 ? block.m_nTime1High : block.m_nTime2High) = time.nHigh;
    (k == 0 ? block.m_nTime1Base : block.m_nTime2Base) = time.nBase;
    (k == 0 ? block.m_nRefUnit1 : block.m_nRefUnit2) = time.nUnit;
    StoreReference(block, k, time.bRef, time.pRefBlock);
}
