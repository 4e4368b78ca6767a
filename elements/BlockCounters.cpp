#include "elements/BlockCounters.h"

#include "elements/BlockIO.h"
#include "elements/BlockStep.h"
#include "platform/base/Afx.h"
#include "view/TavixView.h"

#include <algorithm>

using namespace BlockStep;

IMPLEMENT_SERIAL(CBlockCOUNTER, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockHCOUNTER, CBlockObj, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockTHTRG, CBlockObj, VERSIONABLE_SCHEMA | 1)

namespace {

int Out(const CBlockObj& b)
{
    return b.m_nPinValue[kOutputPin];
}

// Two-threshold switching: with on >= off a hysteresis (above on: 1, below off: 0, between:
// unchanged); with on < off a window [on, off).
int Threshold(double value, double on, double off, BOOL bStrictOn, int current)
{
    if (on >= off) {
        if (bStrictOn ? value > on : value >= on)
            return 1;
        if (bStrictOn ? value <= off : value < off)
            return 0;
        return current;
    }
    return (on <= value && value < off) ? 1 : 0;
}

// Simulate, draw, value text, then the open monitor sheets of the block.
void StepAndShow(CBlockObj& b, CTavixView* pView, CDC* pDC)
{
    b.CBlockObj::SimulateAndDraw(pView, pDC);
    b.DrawValueText(pDC, pView);
    if (pView)
        pView->UpdateMonitorSheets(&b);
}

} // namespace

// ---- Up/Down Counter (800) ----

CBlockCOUNTER::CBlockCOUNTER()
{
    m_byOptions = 0x1F;
}

CBlockCOUNTER::CBlockCOUNTER(int nType) : CBlockObj(nType, 4)
{
    m_nCodeSize = 24;
    m_nOperandCount = 6;
    m_byOptions = 0x1F;
    SetLinkItems(*this, 3, {LINK_PARAM, 59, LINK_END});
    m_dElapsed = m_nStartValue;
    m_nSimMax = 999999;
}

BOOL CBlockCOUNTER::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    const double on = m_pRefBlock[0] ? std::clamp(double(ToInt(ReferenceValue(*this, 0))), 0.0, 999999.0)
                                     : double(m_nTime1High);
    const double off = m_pRefBlock[1] ? std::clamp(double(ToInt(ReferenceValue(*this, 1))), 0.0, 999999.0)
                                      : double(m_nTime2High);
    if (m_nPinValue[0]) {
        SetOutput(*this, pView, 0);
        m_dElapsed = m_nStartValue;
    } else {
        if (Rose(*this, 1)) {
            if (m_nPinValue[2] == 0) {
                if (m_dElapsed < m_nSimMax)
                    m_dElapsed += 1.0;
            } else if (m_dElapsed > 0.0) {
                m_dElapsed -= 1.0;
            }
        }
        SetOutput(*this, pView, Threshold(m_dElapsed, on, off, FALSE, Out(*this)));
    }
    m_bPinChanged[1] = FALSE;
    EndStep(*this, pView);
    return TRUE;
}

void CBlockCOUNTER::SimulateAndDraw(CTavixView* pView, CDC* pDC)
{
    StepAndShow(*this, pView, pDC);
}

// ---- Hours Counter (801) ----

CBlockHCOUNTER::CBlockHCOUNTER()
{
    m_byOptions = 0x1E;
}

CBlockHCOUNTER::CBlockHCOUNTER(int nType) : CBlockObj(nType, 4)
{
    m_nCodeSize = 24;
    m_nOperandCount = 7;
    m_byOptions = 0x1E;
    SetLinkItems(*this, 3, {LINK_PARAM, 59, 58, LINK_END});
    m_bRetentive = TRUE;
    m_bStdPreWarning = FALSE;
    m_nTime1Base = 0;
    m_nSimMax = 1023;
}

int CBlockHCOUNTER::ComputeInterval()
{
    if (m_pRefBlock[0]) {
        const double v = ReferenceValue(*this, 0);
        if (v > 9999.0)
            return ToInt(v * 60.0 - 1.0);
        if (v < 0.0)
            return 0;
        return ToInt(v * 60.0);
    }
    const long long mi = (long long)m_nTime1High * 60 + m_nTime1Low;
    if (mi <= 0)
        return 0;  // no interval (a negative one from a damaged file counts as none)
    const long long otStart = (long long)m_nTime2High * 60 + m_nTime2Low;
    long long rest = otStart % mi;
    if (rest < 0)
        rest += mi;
    return int(std::min<long long>(mi - rest, INT_MAX));
}

void CBlockHCOUNTER::StartSimulation(const SYSTEMTIME& now)
{
    const long long ot = std::max<long long>((long long)m_nTime2High * 60 + m_nTime2Low, 0);
    m_nOt = m_nOtBase = int(std::min<long long>(ot, 5999940));
    m_nMiCached = ComputeInterval();
    m_nMn = m_nMiCached;
    m_dElapsed = 0;
    m_stEnable = now;
    m_tmStart = now;
}

BOOL CBlockHCOUNTER::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    const int mi = ComputeInterval();
    if (mi != m_nMiCached) {
        m_nMn = mi;
        m_nMiCached = mi;
    }
    const int reset = m_nPinValue[0] ? 1 : 0;
    const int enable = m_nPinValue[1] ? 1 : 0;
    const int resetAll = m_nPinValue[2] ? 1 : 0;

    if (resetAll) {
        if (Rose(*this, 2)) {
            SetOutput(*this, pView, 0);
            m_nOtBase = 0;
            m_nOt = 0;
            m_nTime2High = 0;
            m_nTime2Low = 0;
        }
    } else if (Fell(*this, 2)) {
        if (enable && !reset)
            m_stEnable = GetClock(pView);
        m_bRunning = TRUE;
    } else if (reset) {
        if (Rose(*this, 0)) {
            SetOutput(*this, pView, 0);
            m_nOtBase = m_nOt;
        }
    } else if (Fell(*this, 0)) {
        if (enable)
            m_stEnable = GetClock(pView);
        m_bRunning = TRUE;
    } else if (enable) {
        if (Rose(*this, 1)) {
            m_stEnable = GetClock(pView);
            m_nOtBase = m_nOt;
        }
        if (!IsHeld(*this) && IsTimeRunningAnyCycles(pView))
            m_dElapsed = double(ClockMsec(pView) - MsecOf(m_stEnable)) - (double(m_nOt) - m_nOtBase) * 60000.0;
        if (m_dElapsed >= 60000.0) {
            const int m = ToInt(m_dElapsed / 60000.0);
            m_nOt = int(std::min<long long>((long long)m_nOt + m, 6000000));
            m_nMn = int(std::max<long long>((long long)m_nMn - m, 0));
            if (m_nOt >= 6000000)  // 100000 hours: hold at 99999 hours
                m_nOt = m_nOtBase = 5999940;
        }
        SetOutput(*this, pView, m_nMn == 0 ? 1 : 0);
    } else if (!m_bStdPreWarning) {
        SetOutput(*this, pView, 0);
    }
    ClearInputChanges(*this);
    EndStep(*this, pView);
    return TRUE;
}

void CBlockHCOUNTER::SimulateAndDraw(CTavixView* pView, CDC* pDC)
{
    StepAndShow(*this, pView, pDC);
}

// ---- Threshold Trigger (802) ----

CBlockTHTRG::CBlockTHTRG()
{
    m_byOptions = 0x1F;
}

CBlockTHTRG::CBlockTHTRG(int nType) : CBlockObj(nType, 2)
{
    m_nCodeSize = 16;
    m_nOperandCount = 5;
    m_byOptions = 0x1F;
    SetLinkItems(*this, 1, {LINK_PARAM, 59, 58, LINK_END});
    m_nTime2High = 1;  // gate 1 s
    m_nSimMax = 9999;
}

double CBlockTHTRG::GetGateMsec()
{
    if (m_pRefBlock[0])
        return std::max(ReferenceValue(*this, 0), 0.0);
    return double(m_nTime2Low) * 10.0 + double(m_nTime2High) * 1000.0;
}

BOOL CBlockTHTRG::IsGateElapsed(CTavixView* pView, int /*nUnused*/)
{
    if (IsHeld(*this))
        return FALSE;
    if (IsTimeRunningAnyCycles(pView))
        m_dElapsed = double(ViewMsec(pView) - MsecOf(m_tmStart));
    const double gate = GetGateMsec();
    if (gate > m_dElapsed)
        return FALSE;
    m_dElapsed = double(ToInt(gate));
    return TRUE;
}

BOOL CBlockTHTRG::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    if (Rose(*this, 0))
        ++m_nPulses;
    if (!m_bMeasuring || IsGateElapsed(pView, 0)) {
        if (m_bMeasuring) {
            // A simulated frequency input gives its pulses per gate directly (Hz x gate).
            CBlockObj* pSrc = LinkedBlock(*this, pView, 0);
            if (pSrc && pSrc->IsKindOf(RUNTIME_CLASS(CBlockIn)) && pSrc->m_nSimKind == 3)
                m_nPulses = ToInt(pSrc->m_nSimValue * GetGateMsec() * 0.001);
        }
        m_nFa = m_nPulses;
        SetOutput(*this, pView, Threshold(m_nFa, m_nTime1High, m_nTime1Low, TRUE, Out(*this)));
        m_nPulses = 0;
        StartTime(*this, pView);
        m_bMeasuring = 1;
    }
    ClearInputChanges(*this);
    EndStep(*this, pView);
    return TRUE;
}

void CBlockTHTRG::SimulateAndDraw(CTavixView* pView, CDC* pDC)
{
    StepAndShow(*this, pView, pDC);
}
