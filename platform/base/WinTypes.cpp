#include "platform/base/WinTypes.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <sys/time.h>

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    long long num = static_cast<long long>(a) * b;
    long long q = num / c;
    long long r = num % c;
    // Round half away from zero.
    if (2 * std::llabs(r) >= std::llabs(static_cast<long long>(c)))
        q += ((num < 0) != (c < 0)) ? -1 : 1;
    if (q > INT_MAX || q < INT_MIN)
        return -1;
    return static_cast<int>(q);
}

void GetLocalTime(SYSTEMTIME* st)
{
    timeval tv{};
    gettimeofday(&tv, nullptr);
    std::tm tm{};
    time_t secs = tv.tv_sec;
    localtime_r(&secs, &tm);
    st->wYear = WORD(tm.tm_year + 1900);
    st->wMonth = WORD(tm.tm_mon + 1);
    st->wDayOfWeek = WORD(tm.tm_wday);
    st->wDay = WORD(tm.tm_mday);
    st->wHour = WORD(tm.tm_hour);
    st->wMinute = WORD(tm.tm_min);
    st->wSecond = WORD(tm.tm_sec);
    st->wMilliseconds = WORD(tv.tv_usec / 1000);
}

DWORD GetTickCount()
{
    using namespace std::chrono;
    return DWORD(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
