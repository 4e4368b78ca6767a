#include "elements/BlockTimers.h"

#include "elements/BlockStep.h"

using namespace BlockStep;

IMPLEMENT_SERIAL(CBlockDPR, CBlockTime, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockDDR, CBlockTime, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockMPLR, CBlockTime, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockPLR, CBlockTime, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockCPG, CBlockTime, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockRPR, CBlockTime, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockAPG, CBlockTime, VERSIONABLE_SCHEMA | 1)

namespace {

int Out(const CBlockObj& b)
{
    return b.m_nPinValue[kOutputPin];
}

// Sum of the literal parts of a set (used only as a zero test).
double LiteralSum(const CBlockObj& b, BOOL bFirstSet)
{
    return bFirstSet ? double(b.m_nTime1Low) + b.m_nTime1High : double(b.m_nTime2Low) + b.m_nTime2High;
}

// The referenced value of a set when it has a reference, else the sum of its literal parts.
double RawTime(CBlockObj& b, BOOL bFirstSet)
{
    const int k = bFirstSet ? 0 : 1;
    return b.m_pRefBlock[k] ? ReferenceValue(b, k) : LiteralSum(b, bFirstSet);
}

// The set's time is non-zero.
BOOL HasTime(CBlockObj& b, BOOL bFirstSet)
{
    return RawTime(b, bFirstSet) > 0.0;
}

} // namespace

// ---- On-Delay (400): the output rises when the trigger has been 1 for longer than T ----

CBlockDPR::CBlockDPR() = default;

CBlockDPR::CBlockDPR(int nType) : CBlockTime(nType, 2)
{
    m_nCodeSize = 8;
    SetLinkItems(*this, 1, {LINK_PARAM, LINK_END});
}

BOOL CBlockDPR::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    m_nLastValue = -1;
    if (Rose(*this, 0)) {
        m_nRun = 1;
        StartTime(*this, pView);
    } else if (Fell(*this, 0)) {
        ClearTime(*this);
        m_nRun = 0;
        SetOutput(*this, pView, 0);
    }
    if (m_nPinValue[0]) {
        if (Out(*this) == 0 && IsPresetElapsed(pView, TRUE)) {
            m_dValue2 = 0.0;
            m_nRun = 0;
            SetOutputForced(*this, pView, 1);
        }
        if (Out(*this) == 1)
            m_nLastValue = UpdatePresetDisplay(TRUE);
    }
    EndStep(*this, pView);
    return TRUE;
}

// ---- Off-Delay (401): follows a rising trigger, falls T after the trigger fell ----

CBlockDDR::CBlockDDR() = default;

CBlockDDR::CBlockDDR(int nType) : CBlockTime(nType, 3)
{
    m_nCodeSize = 12;
    SetLinkItems(*this, 2, {LINK_PARAM, LINK_END, LINK_END});
}

BOOL CBlockDDR::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    if (m_nPinValue[1] == 0) {
        if (Fell(*this, 1)) {
            SetOutput(*this, pView, m_nPinValue[0]);
            EndStep(*this, pView);
            return TRUE;
        }
        if (Fell(*this, 0)) {
            m_nRun = 1;
            StartTime(*this, pView);
        } else if (Rose(*this, 0)) {
            ClearTime(*this);
            m_nRun = 0;
            SetOutput(*this, pView, 1);
        }
        if (m_nPinValue[0] == 0 && Out(*this) == 1 && IsPresetElapsed(pView, TRUE)) {
            ClearTime(*this);
            m_nRun = 0;
            SetOutputForced(*this, pView, 0);
        }
    } else if (Rose(*this, 1)) {
        // The carried time of a retentive power cycle is kept by the reset.
        m_dElapsed = 0.0;
        m_nRun = 0;
        SetOutput(*this, pView, 0);
    }
    EndStep(*this, pView);
    return TRUE;
}

// ---- On-/Off-Delay (402): on delay TH (set 1), off delay TL (set 2) ----

CBlockMPLR::CBlockMPLR() = default;

CBlockMPLR::CBlockMPLR(int nType) : CBlockTime(nType, 2)
{
    m_nCodeSize = 12;
    SetLinkItems(*this, 1, {LINK_PARAM, LINK_PARAM, LINK_END, LINK_END});
}

BOOL CBlockMPLR::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    if (Rose(*this, 0)) {
        m_nDone = 0;
        m_nRun = 1;
        m_nPhase = 0;
        StartTime(*this, pView);
        ClearTime(*this);
        SetOutput(*this, pView, 0);
    } else if (Fell(*this, 0)) {
        ClearTime(*this);
        if (m_nRun == 0) {
            m_nPhase = 1;
            StartTime(*this, pView);
        } else {
            m_nPhase = 0;
            m_nRun = 0;
        }
    }
    if (m_nPinValue[0] == 0) {
        if (Out(*this) == 1 && IsPresetElapsed(pView, FALSE)) {
            m_dValue2 = 0.0;
            SetOutputForced(*this, pView, 0);
            m_nPhase = 0;
            m_nDone = 1;
        }
        if (Out(*this) == 0 && m_nDone == 1)
            UpdatePresetDisplay(FALSE);
    } else {
        if (Out(*this) == 0 && IsPresetElapsed(pView, TRUE)) {
            m_nRun = 0;
            SetOutputForced(*this, pView, 1);
        }
        if (Out(*this) == 1)
            UpdatePresetDisplay(TRUE);
    }
    EndStep(*this, pView);
    return TRUE;
}

// ---- Retentive On-Delay (403): the time runs on once started; only the reset clears ----

CBlockPLR::CBlockPLR() = default;

CBlockPLR::CBlockPLR(int nType) : CBlockTime(nType, 3)
{
    m_nCodeSize = 12;
    SetLinkItems(*this, 2, {LINK_PARAM, LINK_END, LINK_END});
}

BOOL CBlockPLR::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    m_nLastValue = -1;
    if (m_nPinValue[1] == 0) {
        if (m_nPinValue[0] == 1 && m_nRun == 0 && Out(*this) == 0) {
            m_nRun = 1;
            StartTime(*this, pView);
        }
        if (m_nRun == 1 && IsPresetElapsed(pView, TRUE)) {
            SetOutput(*this, pView, 1);
            m_nRun = 0;
        }
        if (m_nRun == 0 && Out(*this) == 1)
            m_nLastValue = UpdatePresetDisplay(TRUE);
    } else {
        m_nRun = 0;
        StartTime(*this, pView);
        ClearTime(*this);
        SetOutput(*this, pView, 0);
    }
    EndStep(*this, pView);
    return TRUE;
}

// ---- Wiping Relay (404): 1 from the rising trigger for T or until the trigger falls ----

CBlockCPG::CBlockCPG() = default;

CBlockCPG::CBlockCPG(int nType) : CBlockTime(nType, 2)
{
    m_nCodeSize = 8;
    SetLinkItems(*this, 1, {LINK_PARAM, LINK_END});
}

BOOL CBlockCPG::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    if (Rose(*this, 0)) {
        m_nRun = 1;
        StartTime(*this, pView);
        SetOutput(*this, pView, 1);
    } else if (Fell(*this, 0)) {
        ClearTime(*this);
        m_nRun = 0;
        SetOutput(*this, pView, 0);
    }
    if (m_nPinValue[0]) {
        if (Out(*this) == 1 && IsPresetElapsed(pView, TRUE)) {
            m_nRun = 0;
            m_dValue2 = 0.0;
            SetOutputForced(*this, pView, 0);
        }
        if (Out(*this) == 0)
            UpdatePresetDisplay(TRUE);
    }
    EndStep(*this, pView);
    return TRUE;
}

// ---- Edge Triggered Wiping Relay (405): pause TL, pulse TH, m_nCount + 1 times ----

CBlockRPR::CBlockRPR() = default;

CBlockRPR::CBlockRPR(int nType) : CBlockTime(nType, 3)
{
    m_nCodeSize = 16;
    SetLinkItems(*this, 2, {LINK_PARAM, LINK_PARAM, 58, LINK_END, LINK_END});
}

BOOL CBlockRPR::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    if (m_nPinValue[1] == 1) {
        ClearTime(*this);
        m_nPhase = 0;
        m_nRun = 0;
        SetOutput(*this, pView, 0);
        m_nDone = 0;
    } else if (RawTime(*this, TRUE) == 0.0 && RawTime(*this, FALSE) == 0.0) {
        StartTime(*this, pView);
        ClearTime(*this);
        m_nPhase = 0;
        m_nRun = 0;
        m_nPulseCount = -1;
        SetOutput(*this, pView, 0);
        m_bPinChanged[0] = FALSE;
    } else if (Rose(*this, 0)) {
        m_nRun = 1;
        StartTime(*this, pView);
        ClearTime(*this);
        SetOutput(*this, pView, 0);
        m_nPhase = 1;
        m_nPulseCount = -1;
        m_nPulseTarget = m_nCount;
        m_nDone = 1;
    } else if (m_nRun == 0) {
        m_nPhase = 0;
        m_nPulseCount = -1;
        SetOutput(*this, pView, 0);
        if (m_nDone == 1)
            UpdatePresetDisplay(TRUE);
        else
            StartTime(*this, pView);
    } else if (m_nPhase == 1) {
        if (IsPresetElapsed(pView, FALSE)) {
            if (HasTime(*this, TRUE))
                SetOutput(*this, pView, 1);
            StartTime(*this, pView);
            ClearTime(*this);
            m_nPhase = 0;
        }
    } else if (m_nPhase == 0) {
        if (IsPresetElapsed(pView, TRUE)) {
            if (HasTime(*this, FALSE))
                SetOutput(*this, pView, 0);
            StartTime(*this, pView);
            m_nPhase = 1;
            m_dValue2 = 0.0;
            m_nPulseCount += 1;
            if (m_nPulseCount < m_nPulseTarget)
                m_dElapsed = 0.0;
            else
                m_nRun = 0;
        }
    }
    EndStep(*this, pView);
    return TRUE;
}

// ---- Asynchronous Pulse Generator (406): TH pulse, TL pause while enabled ----

CBlockAPG::CBlockAPG()
{
    m_bStoppedInPulse = FALSE;
}

CBlockAPG::CBlockAPG(int nType) : CBlockTime(nType, 3)
{
    m_nCodeSize = 12;
    SetLinkItems(*this, 2, {LINK_PARAM, LINK_PARAM, LINK_END});
    m_bStoppedInPulse = FALSE;
}

BOOL CBlockAPG::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    const int invert = m_nPinValue[1] ? 1 : 0;
    if (Rose(*this, 0)) {
        m_nRun = 1;
        StartTime(*this, pView);
        ClearTime(*this);
        if (LiteralSum(*this, TRUE) != 0.0)
            m_nPhase = 0;
        else
            m_nPhase = (LiteralSum(*this, FALSE) > 0.0) ? 1 : 0;
    } else if (Fell(*this, 0)) {
        m_bStoppedInPulse = (m_nPhase == 0);
        ClearTime(*this);
        m_nRun = 0;
        m_nPhase = 0;
        SetOutput(*this, pView, 0);
    } else if (m_nRun == 1 && m_nPinValue[0] == 1) {
        const BOOL bAllZero = LiteralSum(*this, TRUE) == 0.0 && LiteralSum(*this, FALSE) == 0.0 &&
                              ReferenceValue(*this, 0) == 0.0 && ReferenceValue(*this, 1) == 0.0;
        if (bAllZero) {
            StartTime(*this, pView);
            ClearTime(*this);
            SetOutput(*this, pView, !invert);
        } else if (m_nPhase == 0) {
            if (IsPresetElapsed(pView, TRUE)) {
                if (HasTime(*this, FALSE)) {
                    m_nPhase = 1;
                    SetOutputForced(*this, pView, !Out(*this));
                }
                StartTime(*this, pView);
                ClearTime(*this);
            } else {
                SetOutput(*this, pView, !invert);
            }
        } else {
            if (IsPresetElapsed(pView, FALSE)) {
                SetOutputForced(*this, pView, !Out(*this));
                StartTime(*this, pView);
                ClearTime(*this);
                m_nPhase = 0;
            } else {
                SetOutput(*this, pView, invert);
            }
        }
    }
    m_bPinChanged[0] = FALSE;
    m_bPinChanged[1] = FALSE;
    EndStep(*this, pView);
    return TRUE;
}
