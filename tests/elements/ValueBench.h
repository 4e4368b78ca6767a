// A simulating diagram for the word, math, analog and device families: plain elements stand in
// for the sources a block reads (their output Q as a bit, their numeric value as a word or a
// referenced value), and blocks come from the factory.
#pragma once

#include "ArchiveHelpers.h"
#include "DiagramFixture.h"

#include "elements/BlockFactory.h"

#include <vector>

// The archive error cause of reading bytes into obj as a record of the schema; -1 when the
// read succeeds.
inline int LoadFailure(CObject& obj, const std::vector<BYTE>& bytes, UINT schema)
{
    try {
        LoadBody(obj, bytes, schema);
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

struct ValueBench : Diagram {
    ValueBench() { view.m_nEditMode = CTavixView::modeSimulate; }

    // A block of the type from the factory, numbered and added.
    template <class T = CBlockObj>
    T* Make(int nType, int nNumber = 9000)
    {
        return static_cast<T*>(Add(NewBlockOfType(nType), nNumber));
    }

    // A plain element whose numeric value is v; a word input wired to it reads v truncated to
    // 16 bits. With a type code of the word or math families it also serves as a reference.
    CBlockObj* Value(int nNumber, double v, int nType = TYPE_811)
    {
        CBlockObj* p = Add(nType, nNumber);
        p->m_dElapsed = v;
        return p;
    }

    // A plain element whose output Q is q.
    CBlockObj* Bit(int nNumber, int q)
    {
        CBlockObj* p = Add(TYPE_811, nNumber);
        p->m_nPinValue[kOutputPin] = q;
        return p;
    }

    static void Wire(CBlockObj* pDst, int pin, const CBlockObj* pSrc)
    {
        pDst->m_nLink[pin] = pSrc->m_nNumber;
    }
    static void Refer(CBlockObj* pDst, int k, CBlockObj* pSrc)
    {
        pDst->m_bRef[k] = TRUE;
        pDst->m_pRefBlock[k] = pSrc;
    }
};
