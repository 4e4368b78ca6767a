#include "elements/BlockRelays.h"

#include "document/TavixDoc.h"
#include "elements/BlockIO.h"
#include "elements/BlockStep.h"
#include "pages/BitTest.h"

using namespace BlockStep;

IMPLEMENT_SERIAL(CBlockLR, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockPR, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockSREG, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockMATHERR, CBlockObj, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kShiftRegisterType = 812;
constexpr int kRegisterBits = 16;
constexpr int kRegisterCount = 4;

} // namespace

// ---- Latching Relay (808) ----

CBlockLR::CBlockLR()
{
    m_byOptions = 0x00;
}

CBlockLR::CBlockLR(int nType) : CBlockObj(nType, 3)
{
    m_nCodeSize = 8;
    m_nOperandCount = 3;
    m_byOptions = 0x00;
    SetLinkItems(*this, 2, {LINK_PARAM});
    m_bProtected = TRUE;
}

BOOL CBlockLR::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    if (m_nPinValue[1])
        SetOutput(*this, pView, 0);
    else if (m_nPinValue[0])
        SetOutput(*this, pView, 1);
    EndStep(*this, pView);
    return TRUE;
}

// ---- Pulse Relay (809) ----

CBlockPR::CBlockPR()
{
    m_byOptions = 0x04;
}

CBlockPR::CBlockPR(int nType) : CBlockObj(nType, 4)
{
    m_nCodeSize = 12;
    m_nOperandCount = 5;
    m_byOptions = 0x04;
    SetLinkItems(*this, 3, {LINK_PARAM, LINK_END});
    m_bProtected = TRUE;
}

BOOL CBlockPR::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    const int set = m_nPinValue[1] ? 1 : 0;
    const int reset = m_nPinValue[2] ? 1 : 0;
    if (set && reset) {
        SetOutput(*this, pView, m_nExtra3 ? 1 : 0);
    } else if (set) {
        SetOutput(*this, pView, 1);
    } else if (reset) {
        SetOutput(*this, pView, 0);
    } else if (m_bPinChanged[0]) {
        if (m_nPinValue[0])
            SetOutput(*this, pView, !m_nPinValue[kOutputPin]);
        m_bPinChanged[0] = FALSE;
    }
    EndStep(*this, pView);
    return TRUE;
}

// ---- Shift Register (812) ----

CBlockSREG::CBlockSREG()
{
    m_byOptions = 0x04;
}

CBlockSREG::CBlockSREG(int nType) : CBlockObj(nType, 4)
{
    m_nCodeSize = 12;
    m_nOperandCount = 5;
    m_byOptions = 0x04;
    SetLinkItems(*this, 3, {LINK_PARAM, LINK_END});
    m_bProtected = TRUE;
}

void CBlockSREG::ChooseRegisterIndex(const CTavixDoc* pDoc)
{
    if (!pDoc || pDoc->GetMachineType() < kMachineTypeQ)
        return;
    BOOL used[kRegisterCount] = {};
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        const CBlockObj* pBlock = static_cast<const CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        if (pBlock && pBlock != this && pBlock->m_nType == kShiftRegisterType && pBlock->m_nExtra2 >= 0 &&
            pBlock->m_nExtra2 < kRegisterCount)
            used[pBlock->m_nExtra2] = TRUE;
    }
    for (int k = 0; k < kRegisterCount; ++k) {
        if (!used[k]) {
            m_nExtra2 = k;
            return;
        }
    }
}

int CBlockSREG::GetRegisterIndex(int nMachineType) const
{
    if (nMachineType < kMachineTypeQ || m_nExtra2 < 0 || m_nExtra2 >= kRegisterCount)
        return 0;
    return m_nExtra2;
}

BOOL CBlockSREG::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    if (Rose(*this, 1)) {
        const int data = m_nPinValue[0] ? 1 : 0;
        if (m_nPinValue[2] == 0)
            m_wShiftReg = WORD((m_wShiftReg << 1) | data);
        else
            m_wShiftReg = WORD((m_wShiftReg >> 1) | (data << 15));
        SetOutput(*this, pView, IsBitSet(m_wShiftReg, m_nExtra1));

        // Register k drives the bit blocks S k.0 .. S k.15 (numbers 1000 + 16k ..); the bits
        // of the other registers are left alone.
        const int first = NUM_SHIFT_BIT + kRegisterBits * GetRegisterIndex(MachineTypeOf(pView));
        if (CTavixDoc* pDoc = DocOf(pView)) {
            for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
                CObject* pObj = pDoc->m_blocks.GetNext(pos);
                if (!pObj || !pObj->IsKindOf(RUNTIME_CLASS(CBlockShift)))
                    continue;
                CBlockObj* pBit = static_cast<CBlockObj*>(pObj);
                const int n = pBit->m_nNumber - first;
                if (n >= 0 && n < kRegisterBits)
                    pBit->m_nPinValue[kOutputPin] = IsBitSet(m_wShiftReg, n);
            }
        }
    }
    EndStep(*this, pView);
    return TRUE;
}

// ---- Mathematical instruction error detection (823): no step; its output stays 0 ----

CBlockMATHERR::CBlockMATHERR()
{
    m_byOptions = 0x1E;
}

CBlockMATHERR::CBlockMATHERR(int nType) : CBlockObj(nType, 3)
{
    m_nCodeSize = 16;
    m_nOperandCount = 6;
    m_byOptions = 0x1E;
    SetLinkItems(*this, 2, {LINK_PARAM, 58, 59, LINK_END});
    m_bStdPreWarning = FALSE;
}
