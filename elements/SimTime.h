// Simulation time: calendar conversions of the simulated clock. Dates and times are taken as
// UTC (no time-zone offset, no daylight bias), so differences of two millisecond counts are
// exact differences of the simulated calendar whatever the PC's time zone.
#pragma once

#include "platform/base/WinTypes.h"

#include <cstdint>
#include <ctime>

// Normalises *t in place (sets day of week and day of year) and returns seconds since
// 1970-01-01 00:00:00, or -1 for dates before 1970 and results out of range. Pure function.
std::int64_t MakeTime(std::tm* t);
// Carries *pLow into *pHigh so that *pLow ends in 0 .. base - 1 (base > 0).
void NormalizeTimeField(int* pHigh, int* pLow, int base);
BOOL SystemTimeToTm(const SYSTEMTIME* st, std::tm* out);
BOOL TmToSystemTime(const std::tm* t, SYSTEMTIME* out);
// Milliseconds since 1970 (signed); a date before 1970 gives -1000 plus its milliseconds.
std::int64_t SystemTimeToMsec(const SYSTEMTIME* st);
// out := in + ms (ms may be negative; out may be in).
void AddMsecToSystemTime(const SYSTEMTIME* in, int ms, SYSTEMTIME* out);
// Waits ms milliseconds on the monotonic clock, sleeping; returns the local time at the start
// of the wait as a millisecond count.
std::int64_t WaitMsec(int ms);
