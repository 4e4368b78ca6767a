#include "platform/base/OleDateTime.h"

#include <clocale>
#include <cmath>
#include <cwchar>
#include <locale.h>

namespace {

// Days between 1 January 1970 and 30 December 1899.
constexpr long long kOleEpochToUnixDays = 25569;
// OLE dates accepted: years 100 .. 9999.
constexpr double kMinDate = -657434.0;
constexpr double kMaxDate = 2958465.99999;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (m <= 2));
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

locale_t CLocale()
{
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

}  // namespace

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime::COleDateTime(const SYSTEMTIME& st)
{
    SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

COleDateTime::COleDateTime(std::time_t t)
{
    std::tm tm{};
    if (localtime_r(&t, &tm) == nullptr)
        m_status = invalid;
    else
        SetDateTime(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

COleDateTime COleDateTime::GetCurrentTime()
{
    return COleDateTime(std::time(nullptr));
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        m_dt = 0.0;
        m_status = invalid;
        return 1;
    }
    const long long days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kOleEpochToUnixDays;
    const double time = (hour * 3600 + minute * 60 + second) / 86400.0;
    // Before 1899-12-30 the fraction counts forward from the (negative) day, as OLE dates do.
    m_dt = days >= 0 ? static_cast<double>(days) + time : static_cast<double>(days) - time;
    m_status = valid;
    return 0;
}

bool COleDateTime::Fields(std::tm& tm) const
{
    if (m_status != valid || !(m_dt >= kMinDate && m_dt <= kMaxDate))
        return false;
    double days = std::trunc(m_dt);
    double fraction = std::fabs(m_dt - days);
    long long seconds = std::llround(fraction * 86400.0);
    long long day = static_cast<long long>(days);
    if (seconds >= 86400) {  // rounding reached the next day
        seconds -= 86400;
        day += m_dt >= 0 ? 1 : -1;
    }
    int y;
    unsigned m, d;
    const long long unixDays = day - kOleEpochToUnixDays;
    CivilFromDays(unixDays, y, m, d);
    tm = std::tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = static_cast<int>(m) - 1;
    tm.tm_mday = static_cast<int>(d);
    tm.tm_hour = static_cast<int>(seconds / 3600);
    tm.tm_min = static_cast<int>(seconds / 60 % 60);
    tm.tm_sec = static_cast<int>(seconds % 60);
    tm.tm_wday = static_cast<int>(((unixDays % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    tm.tm_yday = static_cast<int>(unixDays - DaysFromCivil(y, 1, 1));
    tm.tm_isdst = -1;
    return true;
}

int COleDateTime::GetYear() const { std::tm t; return Fields(t) ? t.tm_year + 1900 : -1; }
int COleDateTime::GetMonth() const { std::tm t; return Fields(t) ? t.tm_mon + 1 : -1; }
int COleDateTime::GetDay() const { std::tm t; return Fields(t) ? t.tm_mday : -1; }
int COleDateTime::GetHour() const { std::tm t; return Fields(t) ? t.tm_hour : -1; }
int COleDateTime::GetMinute() const { std::tm t; return Fields(t) ? t.tm_min : -1; }
int COleDateTime::GetSecond() const { std::tm t; return Fields(t) ? t.tm_sec : -1; }
int COleDateTime::GetDayOfWeek() const { std::tm t; return Fields(t) ? t.tm_wday + 1 : -1; }

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    std::tm t;
    if (!Fields(t))
        return false;
    st = SYSTEMTIME{WORD(t.tm_year + 1900), WORD(t.tm_mon + 1), WORD(t.tm_wday), WORD(t.tm_mday),
                    WORD(t.tm_hour), WORD(t.tm_min), WORD(t.tm_sec), 0};
    return true;
}

CString COleDateTime::Format(LPCTSTR format) const
{
    std::tm t;
    if (format == nullptr || *format == L'\0' || !Fields(t))
        return CString();
    wchar_t buf[512];
    std::size_t n = wcsftime_l(buf, sizeof buf / sizeof buf[0], format, &t, CLocale());
    return CString(buf, static_cast<int>(n));
}
