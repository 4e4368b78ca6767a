#include "elements/SimTime.h"

#include <chrono>
#include <thread>

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// Days since 1970-01-01 of a proleptic Gregorian date (month 1-12).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2;
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t* y, int* m, int* d)
{
    z += 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    *d = int(doy - (153 * mp + 2) / 5 + 1);
    *m = int(mp < 10 ? mp + 3 : mp - 9);
    *y = yoe + era * 400 + (*m <= 2);
}

// Field carry in 64 bits: low into 0 .. base - 1, the quotient added to high.
void Carry(std::int64_t* high, std::int64_t* low, std::int64_t base)
{
    const std::int64_t q = FloorDiv(*low, base);
    *high += q;
    *low -= q * base;
}

} // namespace

void NormalizeTimeField(int* pHigh, int* pLow, int base)
{
    if (!pHigh || !pLow || base <= 0)
        return;
    std::int64_t high = *pHigh, low = *pLow;
    Carry(&high, &low, base);
    *pHigh = int(high);
    *pLow = int(low);
}

std::int64_t MakeTime(std::tm* t)
{
    if (!t)
        return -1;
    std::int64_t sec = t->tm_sec, min = t->tm_min, hour = t->tm_hour;
    std::int64_t day = t->tm_mday, mon = t->tm_mon, year = std::int64_t(t->tm_year) + 1900;
    Carry(&min, &sec, 60);
    Carry(&hour, &min, 60);
    Carry(&day, &hour, 24);
    Carry(&year, &mon, 12);
    // Days past the month's end or before its start roll over whole calendar days, so that a
    // step back from 1 March lands on the last day of February of the same year.
    const std::int64_t days = DaysFromCivil(year, int(mon) + 1, 1) + (day - 1);
    std::int64_t y;
    int m, d;
    CivilFromDays(days, &y, &m, &d);
    if (y - 1900 < INT_MIN || y - 1900 > INT_MAX)
        return -1;
    t->tm_sec = int(sec);
    t->tm_min = int(min);
    t->tm_hour = int(hour);
    t->tm_mday = d;
    t->tm_mon = m - 1;
    t->tm_year = int(y - 1900);
    t->tm_yday = int(days - DaysFromCivil(y, 1, 1));
    t->tm_wday = int(days + 4 - FloorDiv(days + 4, 7) * 7);  // 1970-01-01 was a Thursday
    if (days < 0)
        return -1;
    return days * 86400 + hour * 3600 + min * 60 + sec;
}

BOOL SystemTimeToTm(const SYSTEMTIME* st, std::tm* out)
{
    if (!out || !st)
        return FALSE;
    out->tm_sec = st->wSecond;
    out->tm_min = st->wMinute;
    out->tm_hour = st->wHour;
    out->tm_mday = st->wDay;
    out->tm_wday = st->wDayOfWeek;
    out->tm_mon = int(st->wMonth) - 1;
    out->tm_year = int(st->wYear) - 1900;
    out->tm_isdst = -1;
    return TRUE;
}

BOOL TmToSystemTime(const std::tm* t, SYSTEMTIME* out)
{
    if (!t || !out)
        return FALSE;
    out->wYear = WORD(t->tm_year + 1900);
    out->wMonth = WORD(t->tm_mon + 1);
    out->wDayOfWeek = WORD(t->tm_wday);
    out->wDay = WORD(t->tm_mday);
    out->wHour = WORD(t->tm_hour);
    out->wMinute = WORD(t->tm_min);
    out->wSecond = WORD(t->tm_sec);
    out->wMilliseconds = 0;
    return TRUE;
}

std::int64_t SystemTimeToMsec(const SYSTEMTIME* st)
{
    if (!st)
        return -1000;
    std::tm t{};
    SystemTimeToTm(st, &t);
    return MakeTime(&t) * 1000 + st->wMilliseconds;
}

void AddMsecToSystemTime(const SYSTEMTIME* in, int ms, SYSTEMTIME* out)
{
    if (!in || !out)
        return;
    std::tm t{};
    SystemTimeToTm(in, &t);
    std::int64_t sec = t.tm_sec;
    std::int64_t msec = std::int64_t(ms) + in->wMilliseconds;
    Carry(&sec, &msec, 1000);
    // Seconds beyond the int range cannot come from an int of milliseconds plus 0-59.
    t.tm_sec = int(sec);
    MakeTime(&t);
    TmToSystemTime(&t, out);
    out->wMilliseconds = WORD(msec);
}

std::int64_t WaitMsec(int ms)
{
    SYSTEMTIME start;
    GetLocalTime(&start);
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return SystemTimeToMsec(&start);
}
