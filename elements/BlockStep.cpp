#include "elements/BlockStep.h"

#include "document/TavixDoc.h"
#include "elements/SimTime.h"
#include "shell/ChildFrame.h"
#include "view/TavixView.h"

#include <climits>
#include <cmath>

namespace BlockStep {

CTavixDoc* DocOf(CTavixView* pView)
{
    return pView ? pView->GetDocument() : nullptr;
}

BOOL IsLadder(CTavixView* pView)
{
    CTavixDoc* pDoc = DocOf(pView);
    return pDoc && pDoc->m_nDocKind == CTavixDoc::kindLadder;
}

int MachineTypeOf(CTavixView* pView)
{
    CTavixDoc* pDoc = DocOf(pView);
    return pDoc ? pDoc->GetMachineType() : 0;
}

void SetOutput(CBlockObj& block, CTavixView* pView, int v)
{
    if (IsLadder(pView) && v != block.m_nPinValue[kOutputPin])
        block.m_bPinChanged[kOutputPin] = TRUE;
    block.m_nPinValue[kOutputPin] = v;
}

void SetOutputForced(CBlockObj& block, CTavixView* pView, int v)
{
    if (IsLadder(pView))
        block.m_bPinChanged[kOutputPin] = TRUE;
    block.m_nPinValue[kOutputPin] = v;
}

void EndStep(CBlockObj& block, CTavixView* pView)
{
    if (block.m_bPinChanged[kOutputPin]) {
        block.UpdateLadderContacts(pView);
        block.m_bPinChanged[kOutputPin] = FALSE;
    }
}

SYSTEMTIME GetClock(CTavixView* pView)
{
    SYSTEMTIME st{};
    if (pView && pView->GetParentFrame())
        pView->GetParentFrame()->GetSimTime(&st);
    else if (pView)
        st = pView->m_simTime;
    return st;
}

std::int64_t ClockMsec(CTavixView* pView)
{
    const SYSTEMTIME st = GetClock(pView);
    return SystemTimeToMsec(&st);
}

std::int64_t MsecOf(const SYSTEMTIME& st)
{
    return SystemTimeToMsec(&st);
}

std::int64_t ViewMsec(CTavixView* pView)
{
    SYSTEMTIME st{};
    if (pView)
        st = pView->m_simTime;
    return SystemTimeToMsec(&st);
}

void StartTime(CBlockObj& block, CTavixView* pView)
{
    block.m_tmStart = GetClock(pView);
    block.m_bRunning = TRUE;
}

void ClearTime(CBlockObj& block)
{
    block.m_dElapsed = 0.0;
    block.m_dValue2 = 0.0;
}

BOOL IsHeld(const CBlockObj& block)
{
    return block.m_tmHold.wYear != 0 || block.m_tmHold.wMonth != 0 || block.m_tmHold.wDay != 0;
}

BOOL IsTimeRunning(CTavixView* pView)
{
    if (!pView || !pView->GetParentFrame())
        return TRUE;  // no bar: the clock simply runs
    return pView->GetParentFrame()->m_wndSimBar.IsTimeRunning();
}

BOOL IsTimeRunningAnyCycles(CTavixView* pView)
{
    if (!pView || !pView->GetParentFrame())
        return TRUE;
    const CSimulationBar& bar = pView->GetParentFrame()->m_wndSimBar;
    return (bar.m_nRunMode == CSimulationBar::modeContinuous &&
            bar.m_nRunState == CSimulationBar::stateRunning) ||
           bar.m_nRunMode == CSimulationBar::modeCycles;
}

CBlockObj* LinkedBlock(const CBlockObj& block, CTavixView* pView, int pin)
{
    const int nLink = block.m_nLink[pin];
    if (nLink == LINK_OPEN)
        return nullptr;
    CTavixDoc* pDoc = DocOf(pView);
    return pDoc ? pDoc->FindBlockByNumber(nLink) : nullptr;
}

int LinkedOutput(const CBlockObj& block, CTavixView* pView, int pin)
{
    CBlockObj* pSrc = LinkedBlock(block, pView, pin);
    return pSrc ? pSrc->m_nPinValue[kOutputPin] : 0;
}

void ClearInputChanges(CBlockObj& block)
{
    for (int i = 0; i < block.m_nInputs && i < kFirstOutputPin; ++i) {
        if (block.m_nLink[i] == LINK_PARAM)
            break;
        block.m_bPinChanged[i] = FALSE;
    }
}

void SetLinkItems(CBlockObj& block, int firstPin, std::initializer_list<int> items)
{
    int pin = firstPin;
    for (int code : items) {
        if (pin == kOutputPin)
            ++pin;
        if (pin >= kPinCount)
            break;
        block.m_nLink[pin++] = code;
    }
}

double ReferenceValue(CBlockObj& block, int index)
{
    double v = 0.0;
    if (block.m_pRefBlock[index])
        block.GetOutputValue(block.m_pRefBlock[index], &v);
    return v;
}

int ToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= double(INT_MAX))
        return INT_MAX;
    if (v <= double(INT_MIN))
        return INT_MIN;
    return int(v);
}

} // namespace BlockStep
