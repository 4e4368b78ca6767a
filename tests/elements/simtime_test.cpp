#include "elements/SimTime.h"

#include "TimeFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

struct Ymdhms { int y, mo, d, h, mi, s, ms; };

void ExpectTime(const SYSTEMTIME& st, const Ymdhms& e)
{
    EXPECT_EQ(st.wYear, e.y);
    EXPECT_EQ(st.wMonth, e.mo);
    EXPECT_EQ(st.wDay, e.d);
    EXPECT_EQ(st.wHour, e.h);
    EXPECT_EQ(st.wMinute, e.mi);
    EXPECT_EQ(st.wSecond, e.s);
    EXPECT_EQ(st.wMilliseconds, e.ms);
}

} // namespace

TEST(SimTime, MillisecondCounts)
{
    struct Case { SYSTEMTIME st; std::int64_t ms; } cases[] = {
        {St(1970, 1, 1), 0},
        {St(1970, 1, 2, 0, 0, 0, 250), 86400250},
        {St(2000, 3, 1), 951868800000LL},
        {St(1969, 12, 31, 23, 59, 59, 500), -1000 + 500},  // before 1970: -1000 + ms
    };
    for (const Case& c : cases)
        EXPECT_EQ(SystemTimeToMsec(&c.st), c.ms);
}

TEST(SimTime, MakeTimeNormalisesTheCalendar)
{
    std::tm t{};
    t.tm_year = 2100 - 1900;
    t.tm_mon = 1;
    t.tm_mday = 29;  // 2100 is not a leap year
    ASSERT_GT(MakeTime(&t), 0);
    EXPECT_EQ(t.tm_mon, 2);
    EXPECT_EQ(t.tm_mday, 1);

    std::tm leap{};
    leap.tm_year = 100;
    leap.tm_mon = 1;
    leap.tm_mday = 29;  // 2000 is
    MakeTime(&leap);
    EXPECT_EQ(leap.tm_mon, 1);
    EXPECT_EQ(leap.tm_mday, 29);
    EXPECT_EQ(leap.tm_wday, 2);   // a Tuesday
    EXPECT_EQ(leap.tm_yday, 59);

    std::tm old{};
    old.tm_year = 69;
    old.tm_mday = 15;
    EXPECT_EQ(MakeTime(&old), -1);
}

TEST(SimTime, AddMillisecondsAcrossBoundaries)
{
    struct Case { SYSTEMTIME in; int ms; Ymdhms out; int weekday; } cases[] = {
        {St(2025, 12, 31, 23, 59, 59, 999), 1, {2026, 1, 1, 0, 0, 0, 0}, 4},
        {St(2026, 6, 10, 10, 0, 0, 0), -1000, {2026, 6, 10, 9, 59, 59, 0}, 3},
        {St(2026, 6, 10, 10, 0, 0, 0), -1, {2026, 6, 10, 9, 59, 59, 999}, 3},
        // Stepping back over the start of March lands on the end of February.
        {St(2001, 3, 1), -1000, {2001, 2, 28, 23, 59, 59, 0}, 3},
        {St(2000, 3, 1), -1000, {2000, 2, 29, 23, 59, 59, 0}, 2},
        {St(2026, 1, 1), -86400000, {2025, 12, 31, 0, 0, 0, 0}, 3},
        {St(2024, 2, 28, 12), 86400000, {2024, 2, 29, 12, 0, 0, 0}, 4},
    };
    for (const Case& c : cases) {
        SYSTEMTIME out{};
        AddMsecToSystemTime(&c.in, c.ms, &out);
        ExpectTime(out, c.out);
        EXPECT_EQ(out.wDayOfWeek, c.weekday);
    }
    // In place.
    SYSTEMTIME st = St(2026, 1, 31, 23, 59, 59, 900);
    AddMsecToSystemTime(&st, 200, &st);
    ExpectTime(st, {2026, 2, 1, 0, 0, 0, 100});
}

TEST(SimTime, NormalizeTimeField)
{
    struct Case { int high, low, base, outHigh, outLow; } cases[] = {
        {0, 125, 60, 2, 5}, {5, -120, 60, 3, 0}, {5, -61, 60, 3, 59}, {1, 59, 60, 1, 59},
        {0, -1, 1000, -1, 999},
    };
    for (const Case& c : cases) {
        int h = c.high, l = c.low;
        NormalizeTimeField(&h, &l, c.base);
        EXPECT_EQ(h, c.outHigh);
        EXPECT_EQ(l, c.outLow);
    }
}

TEST(SimTime, NoTimeZoneDependenceAndNoSideEffects)
{
    const SYSTEMTIME st = St(2026, 7, 1, 12, 0, 0);
    const char* oldTz = std::getenv("TZ");
    const std::string saved = oldTz ? oldTz : "";
    setenv("TZ", "America/New_York", 1);
    tzset();
    const long zoneBefore = timezone;
    const std::int64_t a = SystemTimeToMsec(&st);
    EXPECT_EQ(timezone, zoneBefore);  // the process's zone settings stay as they were
    setenv("TZ", "Asia/Shanghai", 1);
    tzset();
    EXPECT_EQ(SystemTimeToMsec(&st), a);
    if (oldTz)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(SimTime, ConversionsRejectNull)
{
    SYSTEMTIME st = St(2026, 1, 1);
    std::tm t{};
    EXPECT_FALSE(SystemTimeToTm(&st, nullptr));
    EXPECT_FALSE(TmToSystemTime(nullptr, &st));
    ASSERT_TRUE(SystemTimeToTm(&st, &t));
    EXPECT_EQ(t.tm_mon, 0);
    EXPECT_EQ(t.tm_year, 126);
    EXPECT_EQ(t.tm_isdst, -1);
}

TEST(SimTime, WaitZeroReturnsTheStartTime)
{
    SYSTEMTIME before;
    GetLocalTime(&before);
    const std::int64_t start = WaitMsec(0);
    EXPECT_GE(start, SystemTimeToMsec(&before));
}
