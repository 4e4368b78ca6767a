// Signal evaluation of the base element: reading and combining inputs, time measurement,
// the feedback-loop search, ladder contacts, word inputs, and the value conversions.
#include "elements/BlockObj.h"

#include "elements/BlockConnectors.h"
#include "elements/SimTime.h"
#include "document/TavixDoc.h"
#include "shell/ChildFrame.h"
#include "view/TavixView.h"

#include <cmath>

namespace {

CTavixDoc* DocOf(CTavixView* pView)
{
    return pView ? pView->GetDocument() : nullptr;
}

CBlockObj* FindBlock(CTavixDoc* pDoc, int nNumber)
{
    return pDoc ? pDoc->FindBlockByNumber(nNumber) : nullptr;
}

bool IsValidPin(int pin)
{
    return pin >= 0 && pin < kPinCount;
}

bool HoldDateSet(const SYSTEMTIME& st)
{
    return st.wYear != 0 || st.wMonth != 0 || st.wDay != 0;
}

// The view's simulated time of the current repaint in milliseconds.
std::int64_t ViewTimeMsec(CTavixView* pView)
{
    SYSTEMTIME now{};
    if (pView)
        now = pView->m_simTime;
    return SystemTimeToMsec(&now);
}

} // namespace

int TruncateToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return INT_MAX;
    if (v <= -2147483648.0)
        return INT_MIN;
    return int(v);
}

bool IsAnalogFamilyType(int nType)
{
    return (nType >= 803 && nType <= 807) || (nType >= 815 && nType <= 822);
}

void CBlockObj::ReadInputs(CTavixView* pView)
{
    CTavixDoc* pDoc = DocOf(pView);
    for (int i = 0; i < m_nInputs && i < kFirstOutputPin && m_nPinKind[i] == PIN_BIT; ++i) {
        const int old = m_nPinValue[i];
        CBlockObj* pSrc = (m_nLink[i] == LINK_OPEN) ? nullptr : FindBlock(pDoc, m_nLink[i]);
        // A connector pair is one wire drawn in two pieces: the input reads what feeds the
        // receiving end, in the same step, whatever the order the two ends are stepped in.
        for (int hop = 0; hop < 8 && pSrc && pSrc->IsKindOf(RUNTIME_CLASS(CBlockFemale)); ++hop) {
            CBlockObj* pMale = FindBlock(pDoc, pSrc->m_nNumber - kConnectorPartnerOffset);
            CBlockObj* pFeed = pMale && !IsLinkCode(pMale->m_nLink[0]) ? FindBlock(pDoc, pMale->m_nLink[0]) : nullptr;
            if (!pFeed)
                break;
            pSrc = pFeed;
        }
        // Parallel branches of a ladder rung: the input has power when any branch has.
        if (const std::vector<CBlockObj*>* pSources = pView ? pView->GetParallelSources(this, i) : nullptr) {
            int power = 0;
            for (const CBlockObj* p : *pSources)
                power |= p->m_nPinValue[kOutputPin] ? 1 : 0;
            SetInputValue(i, power);
        } else if (pSrc)
            SetInputValue(i, pSrc->m_nPinValue[kOutputPin]);
        else
            SetInputValue(i, LINK_OPEN);
        m_bPinChanged[i] = (m_nPinValue[i] != old);
    }
}

void CBlockObj::SetInputValue(int pin, int value)
{
    if (!IsValidPin(pin))
        return;
    if (value == LINK_OPEN) {
        // An open input of AND, NAND and NOT reads 1, of every other element 0 (before negation).
        const bool bOpenIsOne = m_nType == TYPE_AND || m_nType == TYPE_AND_EDGE ||
                                m_nType == TYPE_NAND || m_nType == TYPE_NAND_EDGE ||
                                m_nType == TYPE_NOT;
        m_nPinValue[pin] = bOpenIsOne ? !m_bNegate[pin] : (m_bNegate[pin] ? 1 : 0);
    } else {
        m_nPinValue[pin] = value ^ (m_bNegate[pin] ? 1 : 0);
    }
}

int CBlockObj::CombineInputs(int* pResult, int mode)
{
    if (!pResult)
        return 0;
    for (int i = 0; i < m_nInputs && i < kFirstOutputPin; ++i) {
        if (m_nLink[i] == LINK_PARAM)
            break;
        if (mode & 1)
            *pResult = *pResult & m_nPinValue[i];
        else if (mode & 2)
            *pResult = *pResult | m_nPinValue[i];
        else if (mode & 4)
            *pResult = *pResult ^ m_nPinValue[i];
    }
    if (m_bNegate[kOutputPin])
        return *pResult == 0 ? 1 : 0;
    return *pResult;
}

BOOL CBlockObj::IsTimeElapsed(CTavixView* pView, double limitMs)
{
    if (!HoldDateSet(m_tmHold)) {
        CChildFrame* pFrame = pView ? pView->GetParentFrame() : nullptr;
        if (pFrame && pFrame->m_wndSimBar.IsTimeRunning())
            m_bRunning = FALSE;
        m_dElapsed = double(ViewTimeMsec(pView) - SystemTimeToMsec(&m_tmStart));
    }
    return m_dElapsed >= limitMs;
}

BOOL CBlockObj::IsWithinTime(CTavixView* pView, int limitMs)
{
    double elapsed = 0.0;
    if (!HoldDateSet(m_tmHold)) {
        m_bRunning2 = FALSE;
        elapsed = double(ViewTimeMsec(pView) - SystemTimeToMsec(&m_tmStart2));
    }
    return elapsed <= limitMs;
}

void CBlockObj::CheckRecursion(CTavixView* pView, CBlockObj* pBlock, int pin, int* pSteps)
{
    CTavixDoc* pDoc = DocOf(pView);
    if (m_bLoopFound || !pBlock || !pSteps || pBlock->m_nIndex == -1 || !IsValidPin(pin) || !pDoc)
        return;
    CBlockObj* pSrc = FindBlock(pDoc, pBlock->m_nLink[pin]);
    if (pSrc && pSrc->IsKindOf(RUNTIME_CLASS(CBlockFemale))) {
        ++*pSteps;
        pSrc = FindBlock(pDoc, pSrc->m_nNumber - kConnectorPartnerOffset);
    }
    if (!pSrc)
        return;
    if (pSrc == m_pLoopStart) {
        m_bLoopFound = TRUE;
        return;
    }
    ++*pSteps;
    if (*pSteps >= int(pDoc->m_blocks.GetCount())) {
        m_bLoopFound = FALSE;
        return;
    }
    CheckRecursion(pView, pSrc, pSrc->m_nIndex, pSteps);
    for (int j = pSrc->m_nIndex + 1; j < pSrc->m_nInputs && j < kFirstOutputPin; ++j)
        if (!IsLinkCode(pSrc->m_nLink[j]))
            CheckRecursion(pView, pSrc, j, pSteps);
}

void CBlockObj::UpdateLadderContacts(CTavixView* pView)
{
    CTavixDoc* pDoc = DocOf(pView);
    if (!pDoc)
        return;
    const int out = m_nPinValue[kOutputPin];
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        CBlockObj* pContact = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        if (!pContact || pContact->m_nOperand != m_nNumber)
            continue;
        if (pContact->m_nType == TYPE_BREAK) {
            pContact->m_nContactState = (out == 0);
            if (pContact->m_nPinValue[0] == 1)
                pContact->m_nPinValue[kOutputPin] = (out == 0);
        } else if (pContact->m_nType == TYPE_MAKE) {
            pContact->m_nContactState = (out != 0);
            if (pContact->m_nPinValue[0] == 1)
                pContact->m_nPinValue[kOutputPin] = out;
        }
    }
}

void CBlockObj::GetInputValue(CTavixView* pView, WORD* pValue, int pin)
{
    if (!pValue)
        return;
    CTavixDoc* pDoc = DocOf(pView);
    CBlockObj* pSrc = IsValidPin(pin) ? FindBlock(pDoc, m_nLink[pin]) : nullptr;
    int value = 0;
    if (!pSrc) {
        value = 0;
    } else if (IsAnalogFamilyType(pSrc->m_nType)) {
        value = pSrc->GetAnalogOutputWord();
    } else if (pSrc->m_nType == TYPE_ANALOG_IN || pSrc->m_nType == TYPE_ANALOG_OUT ||
               pSrc->m_nType == TYPE_ANALOG_FLAG) {
        value = pSrc->m_nSimState;
    } else if (pSrc->m_nType == TYPE_ACONTACT) {
        if (pSrc->m_nOperand >= NUM_ANALOG_IN && pSrc->m_nOperand <= 4127) {
            value = pSrc->m_nSimState;
        } else {
            // An operand that names no element any more reads 0.
            CBlockObj* pTarget = FindBlock(pDoc, pSrc->m_nOperand);
            if (!pTarget)
                value = 0;
            else if (pTarget->m_nType == TYPE_AOUT_LAD)
                value = pTarget->m_nSimState;
            else if (IsAnalogFamilyType(pTarget->m_nType))
                value = pTarget->GetAnalogOutputWord();
            else
                value = TruncateToInt(pTarget->m_dElapsed);
        }
    } else {
        value = TruncateToInt(pSrc->m_dElapsed);
    }
    *pValue = WORD(value);
}

int CBlockObj::ToBCD(int v)
{
    // Values outside 0-9999 have no four-digit BCD form; they are held at the nearest end.
    if (v < 0)
        v = 0;
    if (v > 9999)
        v = 9999;
    return (v / 1000) << 12 | ((v % 1000) / 100) << 8 | ((v % 100) / 10) << 4 | (v % 10);
}

int CBlockObj::FromBCD(int v)
{
    if (v < 0)
        v = 0;
    if (v > 0x9999)
        v = 0x9999;
    int result = 0;
    for (int shift = 12; shift >= 0; shift -= 4) {
        const int nibble = (v >> shift) & 0xF;
        if (nibble > 9)
            return 0;
        result = result * 10 + nibble;
    }
    return result;
}

int GCD(int a, int b)
{
    if (b == 0)
        return a;
    // INT_MIN % -1 traps; its remainder is 0.
    while (!(b == -1) && a % b != 0) {
        const int r = a % b;
        a = b;
        b = r;
    }
    return b;
}

int CBlockObj::LCM(int a, int b)
{
    const int g = GCD(a, b);
    if (g == 0)
        return 0;
    const long long r = (static_cast<long long>(a) / g) * b;
    if (r > INT_MAX)
        return INT_MAX;
    if (r < INT_MIN)
        return INT_MIN;
    return int(r);
}

void CBlockObj::SplitTime(double ms, int base, int* pHigh, int* pLow)
{
    int divisor = 10, modulus = 100;
    if (base == 0) {
        divisor = 60000;
        modulus = 60;
    } else if (base == 1) {
        divisor = 1000;
        modulus = 60;
    }
    const int n = TruncateToInt(ms / divisor);
    if (pHigh)
        *pHigh = n / modulus;
    if (pLow)
        *pLow = n % modulus;
}
