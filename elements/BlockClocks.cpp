#include "elements/BlockClocks.h"

#include "elements/BlockStep.h"
#include "elements/SimTime.h"

#include <cstring>

using namespace BlockStep;

IMPLEMENT_SERIAL(CBlockWT, CBlockTime, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockYT, CBlockTime, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockAC, CBlockTime, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CBlockSW, CBlockTime, VERSIONABLE_SCHEMA | 1)

// ---- Weekly Timer (410) ----

CBlockWT::CBlockWT()
{
    m_byOptions = 0x06;
}

CBlockWT::CBlockWT(int nType) : CBlockTime(nType, 3)
{
    m_nCodeSize = 20;
    m_byOptions = 0x06;
    SetLinkItems(*this, 0, {LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_PARAM, 54, 54, 54, 56});
}

void CBlockWT::CopyTo(CBlockObj* pDst, BOOL bGeometry, int nMachineType)
{
    CBlockTime::CopyTo(pDst, bGeometry, nMachineType);
    CBlockWT* pWT = dynamic_cast<CBlockWT*>(pDst);
    if (!pWT)
        return;
    std::memcpy(pWT->m_bCamDays, m_bCamDays, sizeof m_bCamDays);
    std::memcpy(pWT->m_nCamOn, m_nCamOn, sizeof m_nCamOn);
    std::memcpy(pWT->m_bCamOnOff, m_bCamOnOff, sizeof m_bCamOnOff);
    std::memcpy(pWT->m_nCamOff, m_nCamOff, sizeof m_nCamOff);
    std::memcpy(pWT->m_bCamOffOff, m_bCamOffOff, sizeof m_bCamOffOff);
}

int CBlockWT::EvaluateCams(int nDayOfWeek, int nMinuteOfDay) const
{
    constexpr long long kWeek = 7LL * 1440;
    BOOL bAnyActive = FALSE;
    long long bestAge = kWeek + 1;
    int result = 0;
    // Cams in ascending order and the off event after the on event, so that on a tie the later
    // candidate wins: a higher cam beats a lower one, and a cam's off beats its own on.
    for (int cam = 0; cam < 3; ++cam) {
        BOOL bAnyDay = FALSE;
        for (int d = 0; d < 7; ++d)
            bAnyDay |= m_bCamDays[cam][d] ? TRUE : FALSE;
        if (!bAnyDay || (m_bCamOnOff[cam] && m_bCamOffOff[cam]))
            continue;
        bAnyActive = TRUE;
        for (int d = 0; d < 7; ++d) {
            if (!m_bCamDays[cam][d])
                continue;
            for (int kind = 1; kind >= 0; --kind) {  // on event, then off event
                if (kind == 1 ? m_bCamOnOff[cam] : m_bCamOffOff[cam])
                    continue;
                const int* t = (kind == 1) ? m_nCamOn[cam] : m_nCamOff[cam];
                const long long minute = (long long)t[0] * 60 + t[1];
                long long age = (long long)((nDayOfWeek - d + 7) % 7) * 1440 + (nMinuteOfDay - minute);
                // Today's events after now belong to the previous week.
                if (age < 0)
                    age += kWeek;
                if (age < 0 || age >= kWeek)
                    continue;
                if (age <= bestAge) {
                    bestAge = age;
                    result = kind;
                }
            }
        }
    }
    return bAnyActive ? result : 0;
}

BOOL CBlockWT::Simulate(CTavixView* pView)
{
    const SYSTEMTIME now = GetClock(pView);
    SetOutput(*this, pView, EvaluateCams(now.wDayOfWeek % 7, now.wHour * 60 + now.wMinute));
    EndStep(*this, pView);
    return TRUE;
}

// ---- Yearly Timer (411) ----

CBlockYT::CBlockYT()
{
    m_byOptions = 0x06;
}

CBlockYT::CBlockYT(int nType) : CBlockTime(nType, 1)
{
    m_nCodeSize = 8;
    m_byOptions = 0x06;
    SetLinkItems(*this, 0, {LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_END, LINK_END});
    m_nTime1Low = m_nTime1High = 1;  // on 1 January
    m_nTime2Low = m_nTime2High = 1;  // off 1 January
}

namespace {

// Seconds of 00:00:00 on a month and day of a year of the simulated calendar.
std::int64_t DaySeconds(int nYear, int nMonth, int nDay)
{
    SYSTEMTIME st{};
    st.wYear = WORD(nYear);
    st.wMonth = WORD(nMonth);
    st.wDay = WORD(nDay);
    return SystemTimeToMsec(&st) / 1000;
}

// 1 inside the span [on, off), which wraps around when on > off; 0 for an empty span.
int InSpan(std::int64_t on, std::int64_t off, std::int64_t now)
{
    if (on == off)
        return 0;
    if (on < off)
        return (on <= now && now < off) ? 1 : 0;
    return (now >= on || now < off) ? 1 : 0;
}

} // namespace

int CBlockYT::EvaluateDate(const SYSTEMTIME& now) const
{
    if (m_nMonthly)
        return InSpan(m_nTime1Low, m_nTime2Low, now.wDay);
    const std::int64_t on = DaySeconds(now.wYear, m_nTime1High, m_nTime1Low);
    const std::int64_t off = DaySeconds(now.wYear, m_nTime2High, m_nTime2Low);
    return InSpan(on, off, SystemTimeToMsec(&now) / 1000);
}

BOOL CBlockYT::Simulate(CTavixView* pView)
{
    SetOutput(*this, pView, EvaluateDate(GetClock(pView)));
    EndStep(*this, pView);
    return TRUE;
}

// ---- Astronomical clock (412) and Stopwatch (413): no step of their own ----

CBlockAC::CBlockAC()
{
    m_byOptions = 0x0E;
}

CBlockAC::CBlockAC(int nType) : CBlockTime(nType, 1)
{
    m_nCodeSize = 16;
    m_byOptions = 0x0E;
    // Positions 0-9, then 11 (the output slot keeps its value).
    SetLinkItems(*this, 0, {LINK_PARAM, 89, 90, 91, 88, 89, 90, 91, 92, 93, LINK_END});
    m_nTime1Base = 0;
    m_nTime2Base = 0;
}

CBlockSW::CBlockSW()
{
    m_byOptions = 0x3F;
}

CBlockSW::CBlockSW(int nType) : CBlockTime(nType, 4)
{
    m_nCodeSize = 16;
    m_byOptions = 0x3F;
    m_nOperandCount = 5;
    SetLinkItems(*this, 3, {LINK_PARAM, LINK_END});
    m_nTime1Base = 1;
}
