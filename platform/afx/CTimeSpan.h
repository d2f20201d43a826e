#pragma once
// A signed span of time in whole seconds.

#include "platform/afx/AfxTypes.h"

class CArchive;
class CString;

class CTimeSpan
{
public:
    CTimeSpan() = default;
    CTimeSpan(LONGLONG nSeconds) : m_timeSpan(nSeconds) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
        : m_timeSpan(((static_cast<LONGLONG>(lDays) * 24 + nHours) * 60 + nMins) * 60 + nSecs)
    {
    }

    LONGLONG GetDays() const { return m_timeSpan / (24 * 3600); }
    LONGLONG GetTotalHours() const { return m_timeSpan / 3600; }
    LONG GetHours() const { return static_cast<LONG>(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const { return m_timeSpan / 60; }
    LONG GetMinutes() const { return static_cast<LONG>(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const { return m_timeSpan; }
    LONG GetSeconds() const { return static_cast<LONG>(GetTotalSeconds() - GetTotalMinutes() * 60); }
    LONGLONG GetTimeSpan() const { return m_timeSpan; }

    // %D days, %H hours (00-23), %M minutes, %S seconds, %% a percent sign.
    CString Format(LPCTSTR pszFormat) const;

    CTimeSpan operator+(CTimeSpan s) const { return CTimeSpan(m_timeSpan + s.m_timeSpan); }
    CTimeSpan operator-(CTimeSpan s) const { return CTimeSpan(m_timeSpan - s.m_timeSpan); }
    CTimeSpan& operator+=(CTimeSpan s) { m_timeSpan += s.m_timeSpan; return *this; }
    CTimeSpan& operator-=(CTimeSpan s) { m_timeSpan -= s.m_timeSpan; return *this; }
    bool operator==(CTimeSpan s) const { return m_timeSpan == s.m_timeSpan; }
    bool operator!=(CTimeSpan s) const { return m_timeSpan != s.m_timeSpan; }
    bool operator<(CTimeSpan s) const { return m_timeSpan < s.m_timeSpan; }
    bool operator>(CTimeSpan s) const { return m_timeSpan > s.m_timeSpan; }
    bool operator<=(CTimeSpan s) const { return m_timeSpan <= s.m_timeSpan; }
    bool operator>=(CTimeSpan s) const { return m_timeSpan >= s.m_timeSpan; }

    // Stored as a 64-bit count of seconds.
    friend CArchive& operator<<(CArchive& ar, CTimeSpan s);
    friend CArchive& operator>>(CArchive& ar, CTimeSpan& rs);

private:
    LONGLONG m_timeSpan = 0;
};
