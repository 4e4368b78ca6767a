// COleDateTime: a date and time as an OLE DATE (days since 30 December 1899, the fraction being
// the time of day), with Format taking strftime codes.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

#include <ctime>

using DATE = double;

class COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;  // valid, 30 December 1899 00:00:00
    explicit COleDateTime(DATE date) : m_dt(date) {}
    COleDateTime(int year, int month, int day, int hour, int minute, int second);
    explicit COleDateTime(const SYSTEMTIME& st);
    explicit COleDateTime(std::time_t t);  // local time

    // The current local time, to the second.
    static COleDateTime GetCurrentTime();

    // Sets the fields; out-of-range fields (month 13, 31 February, year < 100 or > 9999,
    // hour 24 ...) make the value invalid. Returns 0 on success, 1 when invalid.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    operator DATE() const { return m_dt; }

    // Fields of a valid value; -1 when the value is not valid. GetDayOfWeek: 1 = Sunday.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;
    bool GetAsSystemTime(SYSTEMTIME& st) const;

    // strftime codes. Names (%a, %b, %p ...) are the C locale's English ones whatever the
    // process locale. Not valid -> empty string.
    CString Format(LPCTSTR format) const;

private:
    bool Fields(std::tm& tm) const;

    DATE m_dt = 0.0;
    DateTimeStatus m_status = valid;
};
