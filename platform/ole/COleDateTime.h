#pragma once
// A date and time as a DATE: days since 1899-12-30 00:00 in the integer part, the time of day in the
// fraction. Before that day the value is negative while the fraction still counts forward from midnight:
// -1.25 is 1899-12-29 06:00. Years 100 to 9999 of the Gregorian calendar, whole seconds. The value
// carries a status: valid, invalid (a failed conversion or parse) or null.

#include <ctime>

#include "platform/afx/CString.h"
#include "platform/ole/OleVariant.h"

class CTime;
class PropVariant;

struct _SYSTEMTIME
{
    WORD wYear;
    WORD wMonth;         // 1-12
    WORD wDayOfWeek;     // 0 = Sunday
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
typedef _SYSTEMTIME SYSTEMTIME;
typedef SYSTEMTIME* LPSYSTEMTIME;

// The clock and the conversions between SYSTEMTIME, FILETIME (100-ns ticks since 1601 UTC) and DATE.
// Each gives FALSE (or 0) for a value out of its range.
void GetLocalTime(LPSYSTEMTIME pst);
void GetSystemTime(LPSYSTEMTIME pst);
BOOL FileTimeToSystemTime(const FILETIME* pft, LPSYSTEMTIME pst);
BOOL SystemTimeToFileTime(const SYSTEMTIME* pst, FILETIME* pft);
BOOL FileTimeToLocalFileTime(const FILETIME* pft, FILETIME* pftLocal);
BOOL LocalFileTimeToFileTime(const FILETIME* pftLocal, FILETIME* pft);
INT SystemTimeToVariantTime(const SYSTEMTIME* pst, DATE* pdt);
INT VariantTimeToSystemTime(DATE dt, LPSYSTEMTIME pst);

class COleDateTime
{
public:
    enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;  // valid, 1899-12-30 00:00
    COleDateTime(DATE dtSrc);
    COleDateTime(const VARIANT& varSrc);
    COleDateTime(std::time_t timeSrc);        // local time of the moment
    COleDateTime(const CTime& timeSrc);
    COleDateTime(const SYSTEMTIME& systimeSrc);
    COleDateTime(const FILETIME& filetimeSrc);  // a UTC file time, held as local time
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

    static COleDateTime GetCurrentTime();

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }

    // Components of a valid value; -1 (AfxTime error) when the value is not valid.
    int GetYear() const;
    int GetMonth() const;      // 1-12
    int GetDay() const;        // 1-31
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday .. 7 = Saturday
    int GetDayOfYear() const;  // 1 = 1 January

    // 0 and a valid value when the components name a real moment; 1 and status invalid otherwise.
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    int SetDate(int nYear, int nMonth, int nDay) { return SetDateTime(nYear, nMonth, nDay, 0, 0, 0); }
    int SetTime(int nHour, int nMin, int nSec) { return SetDateTime(1899, 12, 30, nHour, nMin, nSec); }

    BOOL GetAsSystemTime(SYSTEMTIME& st) const;
    BOOL GetAsFileTime(FILETIME& ft) const;  // the local value as a UTC file time
    BOOL GetAsTime(CTime& t) const;
    // VT_DATE when valid, VT_NULL when null, VT_EMPTY when invalid.
    PropVariant ToPropVariant() const;
    // From VT_DATE or VT_FILETIME; any other type leaves the value invalid.
    static COleDateTime FromPropVariant(const PropVariant& value);

    COleDateTime& operator=(DATE dtSrc);
    COleDateTime& operator=(const VARIANT& varSrc);
    COleDateTime& operator=(const SYSTEMTIME& systimeSrc);
    COleDateTime& operator=(const FILETIME& filetimeSrc);
    COleDateTime& operator=(std::time_t timeSrc);

    operator DATE() const { return m_dt; }

    // Compared by moment (not by the raw DATE, which runs backwards within a day before 1899-12-30).
    bool operator==(const COleDateTime& other) const;
    bool operator!=(const COleDateTime& other) const { return !(*this == other); }
    bool operator<(const COleDateTime& other) const;
    bool operator>(const COleDateTime& other) const { return other < *this; }
    bool operator<=(const COleDateTime& other) const { return !(other < *this); }
    bool operator>=(const COleDateTime& other) const { return !(*this < other); }

    // The user's locale's short date and the time with seconds; the time is left out at midnight and
    // the date on 1899-12-30, unless a flag asks for only one of them. Empty for a value not valid.
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
    // strftime codes (%Y %m %d %H %M %S %A %B %j %#d ...).
    // (A format by string number is loaded by the caller: here a DWORD of flags and a UINT string
    // number are the same type.)
    CString Format(LPCTSTR pszFormat) const;

    // Reads a date, a time, or both: numbers in the locale's date order (four-digit years first are read
    // year-month-day), month names, AM/PM, ':' between time fields. FALSE and status invalid when the
    // text is none of these; VAR_TIMEVALUEONLY / VAR_DATEVALUEONLY keep only that part.
    bool ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

    DATE m_dt = 0.0;
    DateTimeStatus m_status = valid;

private:
    void SetFromSeconds(long long nSeconds);  // seconds since 1899-12-30 00:00
    bool ToSeconds(long long& nSeconds) const;
};
