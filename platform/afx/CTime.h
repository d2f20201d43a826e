#pragma once
// A point in time in whole seconds since 1970-01-01 UTC; components and formatting use local time.

#include <ctime>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CTimeSpan.h"

class CArchive;
class CString;

class CTime
{
public:
    CTime() = default;
    CTime(std::time_t time) : m_time(static_cast<LONGLONG>(time)) {}
    // A local time; nDST is 1 for summer time, 0 for standard time, -1 to let the library decide.
    // Components out of range are normalised (month 13 is January of the next year).
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);

    static CTime GetCurrentTime();
    // The time of the current moment, or of a file (used by CFileStatus).
    std::time_t GetTime() const { return static_cast<std::time_t>(m_time); }

    // Broken-down time; NULL when the time cannot be represented.
    struct tm* GetLocalTm(struct tm* ptm) const;
    struct tm* GetGmtTm(struct tm* ptm) const;

    int GetYear() const;
    int GetMonth() const;      // 1-12
    int GetDay() const;        // 1-31
    int GetHour() const;       // 0-23
    int GetMinute() const;     // 0-59
    int GetSecond() const;     // 0-59
    int GetDayOfWeek() const;  // 1 = Sunday .. 7 = Saturday

    // strftime codes (%Y %m %d %H %M %S %A %B %c %x %X ...) on local time, or on UTC.
    CString Format(LPCTSTR pszFormat) const;
    CString FormatGmt(LPCTSTR pszFormat) const;

    CTimeSpan operator-(CTime t) const { return CTimeSpan(m_time - t.m_time); }
    CTime operator-(CTimeSpan s) const { return FromSeconds(m_time - s.GetTimeSpan()); }
    CTime operator+(CTimeSpan s) const { return FromSeconds(m_time + s.GetTimeSpan()); }
    CTime& operator+=(CTimeSpan s) { m_time += s.GetTimeSpan(); return *this; }
    CTime& operator-=(CTimeSpan s) { m_time -= s.GetTimeSpan(); return *this; }
    bool operator==(CTime t) const { return m_time == t.m_time; }
    bool operator!=(CTime t) const { return m_time != t.m_time; }
    bool operator<(CTime t) const { return m_time < t.m_time; }
    bool operator>(CTime t) const { return m_time > t.m_time; }
    bool operator<=(CTime t) const { return m_time <= t.m_time; }
    bool operator>=(CTime t) const { return m_time >= t.m_time; }

    // Stored as a 64-bit count of seconds.
    friend CArchive& operator<<(CArchive& ar, CTime t);
    friend CArchive& operator>>(CArchive& ar, CTime& rt);

private:
    static CTime FromSeconds(LONGLONG s)
    {
        CTime t;
        t.m_time = s;
        return t;
    }
    int LocalField(int tm::*field) const;

    LONGLONG m_time = 0;
};
