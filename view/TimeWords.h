// The first or second time of an element back at its default, zero seconds with the reference
// unit cleared: what an element keeps when the block its time came from is deleted or left
// behind by a paste.
#pragma once

#include "elements/BlockObj.h"

inline void ResetTime1(CBlockObj* e)
{
    e->m_nRefUnit1 = 0;
    e->m_nTime1Low = e->m_nTime1High = 0;
    e->m_nTime1Base = 2;
}

inline void ResetTime2(CBlockObj* e)
{
    e->m_nRefUnit2 = 0;
    e->m_nTime2Low = e->m_nTime2High = 0;
    e->m_nTime2Base = 2;
}
