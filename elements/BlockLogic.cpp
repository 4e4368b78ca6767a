#include "elements/BlockLogic.h"

#include "elements/BlockStep.h"

IMPLEMENT_SERIAL(CBlockLogic, CBlockObj, VERSIONABLE_SCHEMA | 1)

namespace {

enum { kCombineAnd = 1, kCombineOr = 2, kCombineXor = 4 };

struct GateInfo {
    int nInputs;
    WORD nCodeSize;
    BOOL bNegatedOutput;
};

GateInfo GateOf(int nType)
{
    switch (nType) {
    case TYPE_NAND:
    case TYPE_NAND_EDGE:
    case TYPE_NOR:
        return {4, 12, TRUE};
    case TYPE_XOR:
        return {2, 8, FALSE};
    case TYPE_NOT:
        return {1, 4, TRUE};
    default:
        return {4, 12, FALSE};
    }
}

} // namespace

CBlockLogic::CBlockLogic()
{
    m_byOptions = 0;
}

CBlockLogic::CBlockLogic(int nType) : CBlockObj(nType, GateOf(nType).nInputs)
{
    const GateInfo gate = GateOf(nType);
    m_nCodeSize = gate.nCodeSize;
    m_nOperandCount = 0;
    m_nLogicExtra = 1;
    if (nType != TYPE_NOT)
        m_nLink[gate.nInputs] = LINK_END;
    m_bNegate[kOutputPin] = gate.bNegatedOutput;
    m_byOptions = 0;
}

void CBlockLogic::Serialize(CArchive& ar)
{
    CBlockObj::Serialize(ar);
    if (ar.IsStoring())
        ar << m_nLogicExtra;
    else
        ar >> m_nLogicExtra;
}

BOOL CBlockLogic::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    const int nInputs = (m_nInputs < kFirstOutputPin) ? m_nInputs : kFirstOutputPin;

    switch (m_nType) {
    case TYPE_OR:
    case TYPE_NOR: {
        int acc = 0;
        m_nPinValue[kOutputPin] = CombineInputs(&acc, kCombineOr);
        break;
    }
    case TYPE_XOR: {
        int acc = 0;
        m_nPinValue[kOutputPin] = CombineInputs(&acc, kCombineXor);
        break;
    }
    case TYPE_AND_EDGE: {
        BOOL changed = FALSE;
        for (int i = 0; i < nInputs; ++i) {
            changed |= m_bPinChanged[i] ? TRUE : FALSE;
            m_bPinChanged[i] = FALSE;
        }
        int acc = 1;
        const int r = (CombineInputs(&acc, kCombineAnd) && changed) ? 1 : 0;
        if (BlockStep::IsLadder(pView) && r != m_nPinValue[kOutputPin])
            m_bPinChanged[kOutputPin] = TRUE;
        m_nPinValue[kOutputPin] = r;
        break;
    }
    case TYPE_NAND_EDGE: {
        // The AND of the previous step: a changed input had the inverse of its value then.
        int before = 1;
        for (int i = 0; i < nInputs; ++i) {
            const int prev = m_bPinChanged[i] ? !m_nPinValue[i] : (m_nPinValue[i] != 0);
            before = before && prev;
            m_bPinChanged[i] = FALSE;
        }
        int now = 1;
        const int negated = CombineInputs(&now, kCombineAnd);
        const int fell = before && !now;
        const int r = (negated && fell) ? 1 : 0;
        if (BlockStep::IsLadder(pView) && r != m_nPinValue[kOutputPin])
            m_bPinChanged[kOutputPin] = TRUE;
        m_nPinValue[kOutputPin] = r;
        break;
    }
    default: {  // AND, NAND, NOT
        int acc = 1;
        m_nPinValue[kOutputPin] = CombineInputs(&acc, kCombineAnd);
        break;
    }
    }

    BlockStep::EndStep(*this, pView);
    return TRUE;
}
