#include "elements/BlockSwitches.h"

#include "elements/BlockStep.h"

#include <algorithm>
#include <climits>
#include <random>

using namespace BlockStep;

IMPLEMENT_SERIAL(CBlockRG, CBlockTime, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockSLS, CBlockTime, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockMFS, CBlockTime, VERSIONABLE_SCHEMA | 1)

namespace {

int Out(const CBlockObj& b)
{
    return b.m_nPinValue[kOutputPin];
}

std::mt19937& RandomEngine()
{
    static std::mt19937 engine{std::random_device{}()};
    return engine;
}

// Milliseconds since the block's start stamp, on the view's repaint clock.
double SinceStart(const CBlockObj& b, CTavixView* pView)
{
    return double(ViewMsec(pView) - MsecOf(b.m_tmStart));
}

} // namespace

// ---- Random Generator (407) ----

CBlockRG::CBlockRG()
{
    m_byOptions = 0x06;
}

CBlockRG::CBlockRG(int nType) : CBlockTime(nType, 2)
{
    m_nCodeSize = 12;
    m_byOptions = 0x06;
    SetLinkItems(*this, 1, {LINK_PARAM, LINK_PARAM, LINK_END, LINK_END});
}

void CBlockRG::PickRandomDelay(BOOL bOnDelay)
{
    // The whole range up to the preset is drawn from (the preset may be up to 99 hours), and
    // a negative referenced maximum counts as 0.
    const double preset = GetPreset(bOnDelay);
    // Presets from damaged parameters are held to what the drawn seconds can carry.
    const double kMaxMs = 1000.0 * INT_MAX;
    const long long m = (preset > 0.0) ? (long long)std::min(preset, kMaxMs) : 0;
    const long long r = (m > 0) ? std::uniform_int_distribution<long long>(0, m)(RandomEngine()) : 0;
    const int nSec = int(r / 1000);
    const int nHund = int((r / 10) % 100);
    if (bOnDelay) {
        m_nOnDelaySec = nSec;
        m_nOnDelayHund = nHund;
    } else {
        m_nOffDelaySec = nSec;
        m_nOffDelayHund = nHund;
    }
}

BOOL CBlockRG::IsPresetElapsed(CTavixView* pView, BOOL bOnDelay)
{
    if (IsHeld(*this))
        return FALSE;
    if (IsTimeRunning(pView))
        m_dElapsed = SinceStart(*this, pView);
    const double preset = bOnDelay ? m_nOnDelaySec * 1000.0 + m_nOnDelayHund * 10.0
                                   : m_nOffDelaySec * 1000.0 + m_nOffDelayHund * 10.0;
    BOOL bDone = FALSE;
    if (m_dElapsed >= preset) {
        m_dElapsed = double(ToInt(preset));
        bDone = TRUE;
    }
    m_dValue3 = preset - m_dElapsed;
    return bDone;
}

BOOL CBlockRG::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    if (Rose(*this, 0)) {
        PickRandomDelay(TRUE);
        m_nRun = 1;
        StartTime(*this, pView);
        m_dElapsed = 0.0;
        m_nPhase = 0;
        SetOutput(*this, pView, 0);
    } else if (Fell(*this, 0)) {
        PickRandomDelay(FALSE);
        m_dElapsed = 0.0;
        if (Out(*this) == 1) {
            m_nRun = 1;
            StartTime(*this, pView);
            m_nPhase = 1;
        } else {
            m_nRun = 0;
        }
    }
    if (m_nRun == 1) {
        if (m_nPhase == 1) {
            if (IsPresetElapsed(pView, FALSE)) {
                m_dElapsed = 0.0;
                SetOutput(*this, pView, 0);
                m_nRun = 0;
            }
        } else if (IsPresetElapsed(pView, TRUE)) {
            SetOutput(*this, pView, 1);
            m_nRun = 0;
        }
    }
    EndStep(*this, pView);
    return TRUE;
}

// ---- Stairway Lighting Switch (408) ----

CBlockSLS::CBlockSLS() = default;

CBlockSLS::CBlockSLS(int nType) : CBlockTime(nType, 2)
{
    m_nCodeSize = 12;
    SetLinkItems(*this, 1, {LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_END});
    m_nTime1Base = 1;
    m_nPreWarn[0] = 15;  // pre-warning time, low part
    m_nPreWarn[2] = 1;   // pre-warning period, low part
}

void CBlockSLS::GetPreWarningTimes(double* pT, double* pWarn, double* pPeriod)
{
    ComputePreWarningTimes(pT, pWarn, pPeriod);
}

BOOL CBlockSLS::PreWarningStep(CTavixView* pView, int trigger)
{
    if (trigger == 1 || m_nRun == 0)
        return FALSE;
    double T, warn, period;
    GetPreWarningTimes(&T, &warn, &period);
    const double d = T - warn;
    if (d >= 0.0) {
        if (m_dElapsed < d)
            return FALSE;
        if (m_nWarnStage == 0) {
            m_nWarnStage = 1;
            return TRUE;
        }
        if (m_nWarnStage == 1 && (d + period <= m_dElapsed || d + period <= SinceStart(*this, pView))) {
            m_nWarnStage = 2;
            return TRUE;
        }
        return FALSE;
    }
    if (m_nWarnStage == 0) {
        m_nWarnStage = 1;
        return TRUE;
    }
    if (m_nWarnStage == 1 && SinceStart(*this, pView) >= period) {
        m_nWarnStage = 2;
        return TRUE;
    }
    return FALSE;
}

BOOL CBlockSLS::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    const int trigger = m_nPinValue[0] ? 1 : 0;
    if (Fell(*this, 0)) {
        m_nRun = 1;
        StartTime(*this, pView);
        ClearTime(*this);
        m_nWarnStage = 0;
    } else if (Rose(*this, 0)) {
        SetOutput(*this, pView, 1);
    }
    if (m_nRun == 1) {
        if (PreWarningStep(pView, trigger)) {
            SetOutputForced(*this, pView, !Out(*this));
        } else if (IsPresetElapsed(pView, FALSE)) {
            double T, warn, period;
            GetPreWarningTimes(&T, &warn, &period);
            const double d = T - warn;
            const double since = SinceStart(*this, pView);
            // While the warning gap is open the light comes back before the time ends.
            if (m_nWarnStage != 1 || (since >= d + period && since >= period)) {
                SetOutput(*this, pView, trigger);
                m_nRun = 0;
                m_nWarnStage = 0;
            }
        }
    } else {
        UpdatePresetDisplay(FALSE);
    }
    EndStep(*this, pView);
    return TRUE;
}

// ---- Multiple Function Switch (409) ----

CBlockMFS::CBlockMFS() = default;

CBlockMFS::CBlockMFS(int nType) : CBlockTime(nType, 3)
{
    m_nCodeSize = 16;
    SetLinkItems(*this, 2, {LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_END});
}

BOOL CBlockMFS::PreWarningStep(int trigger)
{
    if (trigger == 1)
        return FALSE;
    double T, warn, period;
    ComputePreWarningTimes(&T, &warn, &period);
    const double d = T - warn;
    if (d >= 0.0) {
        if (m_dElapsed < d)
            return FALSE;
        if (m_nWarnStage == 0) {
            m_nWarnStage = 1;
            return TRUE;
        }
        if (m_nWarnStage == 1 && d + period < m_dElapsed) {
            m_nWarnStage = 2;
            return TRUE;
        }
        return FALSE;
    }
    if (m_nWarnStage == 0) {
        m_nWarnStage = 1;
        return TRUE;
    }
    if (m_nWarnStage == 1 && m_dElapsed >= period) {
        m_nWarnStage = 2;
        return TRUE;
    }
    return FALSE;
}

BOOL CBlockMFS::Simulate(CTavixView* pView)
{
    ReadInputs(pView);
    const int trigger = m_nPinValue[0] ? 1 : 0;
    const int reset = m_nPinValue[1] ? 1 : 0;

    if (reset == 1) {
        ClearTime(*this);
        m_nSwitchState = stateOff;
        StartTime(*this, pView);
        SetOutput(*this, pView, 0);
        m_nWarnStage = 0;
    } else if (Fell(*this, 1) && trigger == 1) {
        m_nSwitchState = stateHeld;
        StartTime(*this, pView);
        SetOutput(*this, pView, 1);
    } else if (Rose(*this, 0)) {
        SetOutputForced(*this, pView, !Out(*this));
        switch (m_nSwitchState) {
        case stateOff:
        case statePermanent:
        case stateTimedOut:
            if (Out(*this) == 1) {
                m_nSwitchState = stateHeld;  // the permanent-light time starts
                StartTime(*this, pView);
                ClearTime(*this);
            }
            break;
        case stateOnDelay:
            if (m_nWarnStage == 1) {  // pressed during the warning gap: T starts again
                m_tmStart2 = GetClock(pView);
                m_bRunning2 = TRUE;
                StartTime(*this, pView);
                ClearTime(*this);
            } else {
                m_nSwitchState = stateOff;
                m_nWarnStage = 0;
                m_dValue2 = 0.0;
                SetOutput(*this, pView, 0);
                m_dElapsed = 0.0;
                StartTime(*this, pView);
            }
            break;
        default:
            break;
        }
    } else if (Fell(*this, 0)) {
        const int s = m_nSwitchState;
        if ((s == stateOff || s == statePermanent || s == stateTimedOut) && Out(*this) == 0) {
            StartTime(*this, pView);
            ClearTime(*this);
        } else if (s == stateHeld) {
            m_nSwitchState = stateOnDelay;  // the off delay starts
            StartTime(*this, pView);
            ClearTime(*this);
        } else if (s == stateOnDelay && Out(*this) == 1) {
            m_nWarnStage = 0;
            StartTime(*this, pView);
            ClearTime(*this);
        }
    } else if (m_nSwitchState == stateHeld) {
        if (IsPresetElapsed(pView, TRUE)) {
            m_nWarnStage = 0;
            m_nSwitchState = statePermanent;
        }
    } else if (m_nSwitchState == stateOnDelay) {
        if (IsPresetElapsed(pView, FALSE)) {
            SetOutput(*this, pView, 0);
            m_nWarnStage = 0;
            m_nSwitchState = stateTimedOut;
        } else if (PreWarningStep(trigger)) {
            SetOutputForced(*this, pView, !Out(*this));
        } else if (m_nWarnStage == 1 && trigger == 1 && Out(*this) == 1 && !IsWithinTime(pView, 50)) {
            m_nRun = 0;
            m_nSwitchState = stateOff;
            m_nWarnStage = 0;
            SetOutputForced(*this, pView, !Out(*this));
            m_dElapsed = 0.0;
            StartTime(*this, pView);
        }
    }

    if (m_nSwitchState == statePermanent)
        UpdatePresetDisplay(TRUE);
    else if (m_nSwitchState == stateTimedOut)
        UpdatePresetDisplay(FALSE);
    ClearInputChanges(*this);
    m_nRun = (m_nSwitchState == stateHeld || m_nSwitchState == stateOnDelay) ? 1 : 0;
    EndStep(*this, pView);
    return TRUE;
}
