#include "elements/BlockTime.h"

#include "elements/BlockStep.h"
#include "view/TavixView.h"

#include <algorithm>

IMPLEMENT_SERIAL(CBlockTime, CBlockObj, 0)

namespace {

// Valid index of a time base or reference unit; anything else (a damaged file) reads as 2.
int ValidBase(int n)
{
    return (n >= 0 && n <= 2) ? n : 2;
}

} // namespace

CBlockTime::CBlockTime()
{
    m_nLastValue = -1;
    ResetPresetCache();
}

CBlockTime::CBlockTime(int nType, int nInputs) : CBlockObj(nType, nInputs)
{
    m_nSimMax = 99;
    m_dElapsed = 0.0;
    m_dValue3 = 0.0;
    m_nLastValue = -1;
    ResetPresetCache();
}

void CBlockTime::ResetPresetCache()
{
    m_nLastInput[0] = 0;
    m_nLastInput[1] = 0;
    m_nLastInput[2] = -1;  // no base or unit is -1, so the first comparison always differs
    m_dLastFactor = -1.0;
}

void CBlockTime::Serialize(CArchive& ar)
{
    CBlockObj::Serialize(ar);
    SerializeCams(ar);
}

void CBlockTime::SerializeCams(CArchive& ar)
{
    int* fields[39];
    int n = 0;
    for (auto& cam : m_bCamDays)
        for (int& day : cam)
            fields[n++] = &day;
    for (auto& t : m_nCamOn)
        for (int& v : t)
            fields[n++] = &v;
    for (int& f : m_bCamOnOff)
        fields[n++] = &f;
    for (auto& t : m_nCamOff)
        for (int& v : t)
            fields[n++] = &v;
    for (int& f : m_bCamOffOff)
        fields[n++] = &f;
    for (int* p : fields) {
        if (ar.IsStoring())
            ar << *p;
        else
            ar >> *p;
    }
}

double CBlockTime::LiteralMsec(int nHigh, int nLow, int nBase)
{
    const double high = nHigh, low = nLow;
    switch (ValidBase(nBase)) {
    case 0:
        return (low + 60.0 * high) * 60000.0;
    case 1:
        return (low + 60.0 * high) * 1000.0;
    default:
        return (low + 100.0 * high) * 10.0;
    }
}

double CBlockTime::UnitMsec(int nUnit)
{
    static const double kMs[3] = {60000.0, 1000.0, 1.0};
    return kMs[ValidBase(nUnit)];
}

double CBlockTime::UnitLargest(int nUnit)
{
    static const double kLargest[3] = {5999.0, 5999.0, 99990.0};
    return kLargest[ValidBase(nUnit)];
}

double CBlockTime::ReferencedMsec(double value, int nUnit, BOOL bClampZero)
{
    double v = std::min(value, UnitLargest(nUnit));
    if (bClampZero && v < 0.0)
        v = 0.0;
    return v * UnitMsec(nUnit);
}

double CBlockTime::GetPreset(BOOL bFirstSet)
{
    const int k = bFirstSet ? 0 : 1;
    if (m_pRefBlock[k])
        return ReferencedMsec(BlockStep::ReferenceValue(*this, k), bFirstSet ? m_nRefUnit1 : m_nRefUnit2,
                              TRUE);
    return bFirstSet ? LiteralMsec(m_nTime1High, m_nTime1Low, m_nTime1Base)
                     : LiteralMsec(m_nTime2High, m_nTime2Low, m_nTime2Base);
}

BOOL CBlockTime::IsPresetElapsed(CTavixView* pView, BOOL bFirstSet)
{
    if (BlockStep::IsHeld(*this))
        return FALSE;
    if (BlockStep::IsTimeRunning(pView))
        m_dElapsed = double(BlockStep::ViewMsec(pView) - BlockStep::MsecOf(m_tmStart)) + m_dValue2;
    const double preset = GetPreset(bFirstSet);
    BOOL bDone = FALSE;
    if (preset < m_dElapsed) {
        m_dElapsed = preset;
        bDone = TRUE;
    }
    m_dValue3 = preset - m_dElapsed;
    return bDone;
}

BOOL CBlockTime::UpdatePresetDisplay(BOOL bFirstSet)
{
    const int k = bFirstSet ? 0 : 1;
    double p;
    if (m_pRefBlock[k]) {
        const int nUnit = bFirstSet ? m_nRefUnit1 : m_nRefUnit2;
        p = ReferencedMsec(BlockStep::ReferenceValue(*this, k), nUnit, TRUE);
        if (p == m_dLastFactor && nUnit == m_nLastInput[2])
            return FALSE;
        m_dLastFactor = p;
        m_nLastInput[2] = nUnit;
        SplitTime(p, ValidBase(nUnit), &m_nLastInput[0], &m_nLastInput[1]);
    } else {
        const int nBase = bFirstSet ? m_nTime1Base : m_nTime2Base;
        const int nHigh = bFirstSet ? m_nTime1High : m_nTime2High;
        const int nLow = bFirstSet ? m_nTime1Low : m_nTime2Low;
        if (nBase == m_nLastInput[2] && nHigh == m_nLastInput[0] && nLow == m_nLastInput[1])
            return FALSE;
        m_nLastInput[0] = nHigh;
        m_nLastInput[1] = nLow;
        m_nLastInput[2] = nBase;
        p = LiteralMsec(nHigh, nLow, nBase);
        m_dLastFactor = p;
    }
    m_dElapsed = p;
    m_dValue3 = 0.0;
    return TRUE;
}

void CBlockTime::ComputePreWarningTimes(double* pT, double* pWarn, double* pPeriod)
{
    const int u = m_pRefBlock[1] ? m_nRefUnit2 : m_nTime2Base;
    *pT = GetPreset(FALSE);
    *pWarn = m_pRefBlock[2] ? ReferencedMsec(BlockStep::ReferenceValue(*this, 2), u, FALSE)
                            : LiteralMsec(m_nPreWarn[1], m_nPreWarn[0], u);
    *pPeriod = m_pRefBlock[3] ? ReferencedMsec(BlockStep::ReferenceValue(*this, 3), u, FALSE)
                              : LiteralMsec(m_nPreWarn[3], m_nPreWarn[2], u);
}

void CBlockTime::SimulateAndDraw(CTavixView* pView, CDC* pDC)
{
    CBlockObj::SimulateAndDraw(pView, pDC);
    if (m_nType != 410)
        DrawValueText(pDC, pView);
    if (pView)
        pView->UpdateMonitorSheets(this);
}
