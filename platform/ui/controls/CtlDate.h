// Calendar arithmetic of the date controls (proleptic Gregorian, days counted from 1970-01-01).
#pragma once

#include "platform/base/WinTypes.h"

namespace ctl {

long long DaysFromCivil(int y, int m, int d);
void CivilFromDays(long long days, int& y, int& m, int& d);
int DaysInMonth(int y, int m);
// 0 = Sunday.
int DayOfWeek(int y, int m, int d);
// Whether every field of st is in its range (year 1601..30827 as Win32 allows).
bool ValidTime(const SYSTEMTIME& st);
// Orders two times by date and time of day (milliseconds ignored).
int CompareTime(const SYSTEMTIME& a, const SYSTEMTIME& b);
// Sets wDayOfWeek from the date.
void FixDayOfWeek(SYSTEMTIME& st);

}  // namespace ctl
