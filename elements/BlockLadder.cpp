#include "elements/BlockLadder.h"

#include "document/TavixDoc.h"
#include "elements/BlockIO.h"
#include "elements/BlockStep.h"
#include "shell/ChildFrame.h"
#include "view/TavixView.h"

using namespace BlockStep;

IMPLEMENT_SERIAL(CBlockMake, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockBreak, CBlockMake, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockAContact, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockRelayCoil, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockInvOut, CBlockRelayCoil, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockAOutLAD, CBlockObj, VERSIONABLE_SCHEMA | 1)

namespace {

BOOL IsOpenConnectorOperand(int nOperand)
{
    return nOperand >= NUM_OPEN_X && nOperand <= NUM_OPEN_X + 127;
}

// The Outputs bar shows the outputs and analog outputs of a ladder program by their coils.
void ReportToOutputsBar(CBlockObj* pElement, CTavixView* pView)
{
    if (CChildFrame* pFrame = pView ? pView->GetParentFrame() : nullptr)
        pFrame->m_wndOutputsBar.UpdateFromBlock(pElement);
}

struct Range {
    int nFirst, nLast;
};

// Operand ranges whose comment goes with the last element that uses the operand.
BOOL InCommentRanges(const CBlockObj* pElement)
{
    static const Range kContact[] = {{100, 355}, {1000, 1063}, {1870, 2869}, {2900, 3899}};
    static const Range kAContact[] = {{4000, 4127}};
    static const Range kCoil[] = {{600, 727}, {1316, 1827}, {4800, 4927}};
    static const Range kAOut[] = {{4230, 4261}, {4288, 4799}};
    const Range* pRanges = nullptr;
    int nCount = 0;
    if (pElement->IsKindOf(RUNTIME_CLASS(CBlockMake))) {
        pRanges = kContact;
        nCount = 4;
    } else if (pElement->IsKindOf(RUNTIME_CLASS(CBlockAContact))) {
        pRanges = kAContact;
        nCount = 1;
    } else if (pElement->IsKindOf(RUNTIME_CLASS(CBlockRelayCoil))) {
        pRanges = kCoil;
        nCount = 3;
    } else if (pElement->IsKindOf(RUNTIME_CLASS(CBlockAOutLAD))) {
        pRanges = kAOut;
        nCount = 2;
    }
    for (int i = 0; i < nCount; ++i)
        if (pElement->m_nOperand >= pRanges[i].nFirst && pElement->m_nOperand <= pRanges[i].nLast)
            return TRUE;
    return FALSE;
}

} // namespace

void ReleaseLadderOperandComment(CTavixDoc* pDoc, const CBlockObj* pElement)
{
    if (!pDoc || !pElement || !InCommentRanges(pElement))
        return;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        const CBlockObj* pOther = static_cast<const CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        if (pOther && pOther != pElement && pOther->m_nOperand == pElement->m_nOperand)
            return;
    }
    pDoc->m_operandComments.RemoveKey(pElement->m_nOperand);
}

// ---- contacts ----

CBlockMake::CBlockMake() = default;

CBlockMake::CBlockMake(int nType) : CBlockObj(nType, 1) {}

void CBlockMake::Serialize(CArchive& ar)
{
    CBlockObj::Serialize(ar);
}

BOOL CBlockMake::Simulate(CTavixView* pView)
{
    // The input is the power flow from the left; the contact passes it while it is closed.
    ReadInputs(pView);
    if (m_bPinChanged[0]) {
        m_nPinValue[kOutputPin] = (m_nContactState == 1) ? m_nPinValue[0] : 0;
        m_bPinChanged[0] = FALSE;
    }
    return TRUE;
}

CBlockBreak::CBlockBreak() = default;

CBlockBreak::CBlockBreak(int nType) : CBlockMake(nType) {}

CBlockAContact::CBlockAContact()
{
    m_byOptions = 0x2F;
}

CBlockAContact::CBlockAContact(int nType) : CBlockObj(nType, 1)
{
    m_byOptions = 0x2F;
}

BOOL CBlockAContact::Simulate(CTavixView* pView)
{
    if (m_nLink[0] != LINK_OPEN)
        ReadInputs(pView);
    return TRUE;
}

// ---- coils ----

CBlockRelayCoil::CBlockRelayCoil() = default;

CBlockRelayCoil::CBlockRelayCoil(int nType) : CBlockObj(nType, 1)
{
    m_nOutputs = 0;
}

BOOL CBlockRelayCoil::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    if (IsOpenConnectorOperand(m_nOperand) || !m_bPinChanged[0])
        return TRUE;
    const int in = m_nPinValue[0] ? 1 : 0;
    m_nPinValue[kOutputPin] = IsKindOf(RUNTIME_CLASS(CBlockInvOut)) ? !in : in;
    // The contacts that switch on this coil take its new state in the same step.
    UpdateLadderContacts(pView);
    m_bPinChanged[0] = FALSE;
    ReportToOutputsBar(this, pView);
    return TRUE;
}

CBlockInvOut::CBlockInvOut() = default;

CBlockInvOut::CBlockInvOut(int nType) : CBlockRelayCoil(nType) {}

// ---- ladder analog output ----

CBlockAOutLAD::CBlockAOutLAD()
{
    m_byOptions = 0x2F;
}

CBlockAOutLAD::CBlockAOutLAD(int nType) : CBlockObj(nType, 1)
{
    m_byOptions = 0x2F;
}

BOOL CBlockAOutLAD::Simulate(CTavixView* pView)
{
    IOStep::AnalogFlagStep(*this, pView);
    if (m_bPinChanged[0])
        ReportToOutputsBar(this, pView);
    return TRUE;
}
