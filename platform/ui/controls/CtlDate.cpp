// Days <-> civil dates by the well-known era algorithm (400-year cycles of 146097 days).
#include "platform/ui/controls/CtlDate.h"

namespace ctl {

long long DaysFromCivil(int y, int m, int d)
{
    long long yy = m <= 2 ? y - 1 : y;
    long long era = (yy >= 0 ? yy : yy - 399) / 400;
    long long yoe = yy - era * 400;
    long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d)
{
    z += 719468;
    long long era = (z >= 0 ? z : z - 146096) / 146097;
    long long doe = z - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

int DaysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12)
        return 0;
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return days[m - 1] + (m == 2 && leap ? 1 : 0);
}

int DayOfWeek(int y, int m, int d)
{
    long long z = DaysFromCivil(y, m, d);
    long long w = (z + 4) % 7;  // 1970-01-01 was a Thursday
    return int(w < 0 ? w + 7 : w);
}

bool ValidTime(const SYSTEMTIME& st)
{
    return st.wYear >= 1601 && st.wYear <= 30827 && st.wMonth >= 1 && st.wMonth <= 12 && st.wDay >= 1 &&
           st.wDay <= DaysInMonth(st.wYear, st.wMonth) && st.wHour < 24 && st.wMinute < 60 && st.wSecond < 60 &&
           st.wMilliseconds < 1000;
}

int CompareTime(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    const WORD av[] = {a.wYear, a.wMonth, a.wDay, a.wHour, a.wMinute, a.wSecond};
    const WORD bv[] = {b.wYear, b.wMonth, b.wDay, b.wHour, b.wMinute, b.wSecond};
    for (int i = 0; i < 6; ++i)
        if (av[i] != bv[i])
            return av[i] < bv[i] ? -1 : 1;
    return 0;
}

void FixDayOfWeek(SYSTEMTIME& st) { st.wDayOfWeek = WORD(DayOfWeek(st.wYear, st.wMonth, st.wDay)); }

}  // namespace ctl
