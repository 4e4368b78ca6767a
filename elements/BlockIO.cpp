#include "elements/BlockIO.h"

#include "elements/BlockStep.h"
#include "shell/ChildFrame.h"
#include "view/TavixView.h"

IMPLEMENT_SERIAL(CBlockIn, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockFKey, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockShift, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockAnalogIn, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockAnalogOut, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockAnalogFlag, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockOut, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockOpenX, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockFlag, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockLow, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockHigh, CBlockLow, VERSIONABLE_SCHEMA | 1)

namespace {

CInputsBar* InputsBarOf(CTavixView* pView)
{
    return (pView && pView->GetParentFrame()) ? &pView->GetParentFrame()->m_wndInputsBar : nullptr;
}

COutputsBar* OutputsBarOf(CTavixView* pView)
{
    return (pView && pView->GetParentFrame()) ? &pView->GetParentFrame()->m_wndOutputsBar : nullptr;
}

void ReportInput(CBlockObj* pBlock, CTavixView* pView)
{
    if (CInputsBar* pBar = InputsBarOf(pView))
        pBar->UpdateFromBlock(pBlock);
}

// The Outputs bar reads pin 0's changed flag during the call, so it is raised around it.
void ReportOutput(CBlockObj* pBlock, CTavixView* pView)
{
    pBlock->m_bPinChanged[0] = TRUE;
    if (COutputsBar* pBar = OutputsBarOf(pView))
        pBar->UpdateFromBlock(pBlock);
    pBlock->m_bPinChanged[0] = FALSE;
}

// Input step of inputs and function keys.
void InputStep(CBlockObj& block, int& nLastSimValue, CTavixView* pView)
{
    if (block.m_nSimKind == 3) {
        if (block.m_nSimValue != nLastSimValue) {
            nLastSimValue = block.m_nSimValue;
            ReportInput(&block, pView);
        }
        return;
    }
    if (block.m_bPinChanged[kOutputPin]) {
        ReportInput(&block, pView);
        block.m_bPinChanged[kOutputPin] = FALSE;
    }
}

} // namespace

namespace IOStep {

int ReadWordInput(CBlockObj& block, CTavixView* pView, int pin)
{
    WORD w = 0;
    block.GetInputValue(pView, &w, pin);
    return int(short(w));
}

void AnalogFlagStep(CBlockObj& block, CTavixView* pView)
{
    const int v = ReadWordInput(block, pView, 0);
    if (v != block.m_nSimState) {
        block.m_nSimState = v;
        block.m_bPinChanged[0] = TRUE;
    }
}

void ReadingStep(CBlockObj& block, CTavixView* pView)
{
    for (int i = 0; i < block.m_nInputs && i < kFirstOutputPin; ++i)
        block.m_nPinValue[i] = BlockStep::LinkedOutput(block, pView, i);
}

} // namespace IOStep

// ---- inputs and keys ----

CBlockIn::CBlockIn() = default;

CBlockIn::CBlockIn(int nType) : CBlockObj(nType, 0) {}

void CBlockIn::Serialize(CArchive& ar)
{
    CBlockObj::Serialize(ar);
    if (ar.IsStoring())
        ar << m_bHighSpeed;
    else
        ar >> m_bHighSpeed;
}

BOOL CBlockIn::Simulate(CTavixView* pView)
{
    InputStep(*this, m_nLastSimValue, pView);
    return TRUE;
}


CBlockFKey::CBlockFKey() = default;

CBlockFKey::CBlockFKey(int nType) : CBlockObj(nType, 0) {}

BOOL CBlockFKey::Simulate(CTavixView* pView)
{
    InputStep(*this, m_nLastSimValue, pView);
    return TRUE;
}

CBlockShift::CBlockShift() = default;

CBlockShift::CBlockShift(int nType) : CBlockObj(nType, 0) {}


// ---- analog I/O ----

CBlockAnalogIn::CBlockAnalogIn()
{
    m_byOptions = 0x2F;
}

CBlockAnalogIn::CBlockAnalogIn(int nType) : CBlockObj(nType, 0)
{
    m_nSimMax = 1000;
    m_byOptions = 0x2F;
}

BOOL CBlockAnalogIn::Simulate(CTavixView* pView)
{
    if (m_nSimValue != m_nLastSimValue) {
        m_nLastSimValue = m_nSimValue;
        m_bPinChanged[kOutputPin] = TRUE;
        ReportInput(this, pView);
        m_bPinChanged[kOutputPin] = FALSE;
    }
    return TRUE;
}

void CBlockAnalogIn::SimulateAndDraw(CTavixView* pView, CDC* pDC)
{
    CBlockObj::SimulateAndDraw(pView, pDC);
    DrawValueText(pDC, pView);
}


CBlockAnalogOut::CBlockAnalogOut()
{
    m_byOptions = 0x2F;
}

CBlockAnalogOut::CBlockAnalogOut(int nType) : CBlockObj(nType, 1)
{
    m_byOptions = 0x2F;
}

BOOL CBlockAnalogOut::Simulate(CTavixView* pView)
{
    const int v = IOStep::ReadWordInput(*this, pView, 0);
    if (v != m_nSimState) {
        m_nSimState = v;
        ReportOutput(this, pView);
    }
    return TRUE;
}

CBlockAnalogFlag::CBlockAnalogFlag()
{
    m_byOptions = 0x2F;
}

CBlockAnalogFlag::CBlockAnalogFlag(int nType) : CBlockObj(nType, 1)
{
    m_byOptions = 0x2F;
}

BOOL CBlockAnalogFlag::Simulate(CTavixView* pView)
{
    IOStep::AnalogFlagStep(*this, pView);
    return TRUE;
}

// ---- outputs, connectors, flags ----

CBlockOut::CBlockOut() = default;

CBlockOut::CBlockOut(int nType) : CBlockObj(nType, 1)
{
    m_nOperand = 0;
}

BOOL CBlockOut::Simulate(CTavixView* pView)
{
    // The source's value is copied as it stands: the input's negation flag is not applied.
    const int v = BlockStep::LinkedOutput(*this, pView, 0);
    m_nPinValue[0] = v;
    if (v != m_nPinValue[kOutputPin]) {
        m_nPinValue[kOutputPin] = v;
        ReportOutput(this, pView);
    }
    return TRUE;
}

CBlockOpenX::CBlockOpenX() = default;

CBlockOpenX::CBlockOpenX(int nType) : CBlockObj(nType, 1)
{
    m_nOutputs = 0;
}

BOOL CBlockOpenX::Simulate(CTavixView* pView)
{
    IOStep::ReadingStep(*this, pView);
    return TRUE;
}

CBlockFlag::CBlockFlag() = default;

CBlockFlag::CBlockFlag(int nType) : CBlockObj(nType, 1) {}

BOOL CBlockFlag::Simulate(CTavixView* pView)
{
    IOStep::ReadingStep(*this, pView);
    int q = 0;
    for (int i = 0; i < m_nInputs && i < kFirstOutputPin; ++i)
        q |= (m_nPinValue[i] != 0);
    m_nPinValue[kOutputPin] = q;
    return TRUE;
}

// ---- constants ----

CBlockLow::CBlockLow() = default;

CBlockLow::CBlockLow(int nType) : CBlockObj(nType, 0) {}


CBlockHigh::CBlockHigh() = default;

CBlockHigh::CBlockHigh(int nType) : CBlockLow(nType)
{
    m_nPinValue[kOutputPin] = 1;
}
