#include "platform/afx/CTime.h"

#include <string>

#include "platform/afx/CArchive.h"
#include "platform/afx/CString.h"

namespace {

CString FormatTm(const struct tm* ptm, LPCTSTR pszFormat)
{
    if (ptm == nullptr || pszFormat == nullptr)
        return CString();
    const std::string format = CString(pszFormat).ToUtf8();
    if (format.empty())
        return CString();
    // strftime gives 0 both for an empty result and for a buffer too small: grow a few times, then stop.
    std::string buffer(256, '\0');
    for (int attempt = 0; attempt < 6; ++attempt) {
        const size_t n = std::strftime(buffer.data(), buffer.size(), format.c_str(), ptm);
        if (n > 0)
            return CString::FromUtf8(buffer.substr(0, n));
        buffer.resize(buffer.size() * 4);
    }
    return CString();
}

}  // namespace

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm t = {};
    t.tm_year = nYear - 1900;
    t.tm_mon = nMonth - 1;
    t.tm_mday = nDay;
    t.tm_hour = nHour;
    t.tm_min = nMin;
    t.tm_sec = nSec;
    t.tm_isdst = nDST;
    m_time = static_cast<LONGLONG>(std::mktime(&t));
}

CTime CTime::GetCurrentTime()
{
    return CTime(std::time(nullptr));
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    if (ptm == nullptr)
        return nullptr;
    const std::time_t t = GetTime();
    return localtime_r(&t, ptm);
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    if (ptm == nullptr)
        return nullptr;
    const std::time_t t = GetTime();
    return gmtime_r(&t, ptm);
}

int CTime::LocalField(int tm::*field) const
{
    struct tm t = {};
    if (GetLocalTm(&t) == nullptr)
        return 0;
    return t.*field;
}

int CTime::GetYear() const { return LocalField(&tm::tm_year) + 1900; }
int CTime::GetMonth() const { return LocalField(&tm::tm_mon) + 1; }
int CTime::GetDay() const { return LocalField(&tm::tm_mday); }
int CTime::GetHour() const { return LocalField(&tm::tm_hour); }
int CTime::GetMinute() const { return LocalField(&tm::tm_min); }
int CTime::GetSecond() const { return LocalField(&tm::tm_sec); }
int CTime::GetDayOfWeek() const { return LocalField(&tm::tm_wday) + 1; }

CString CTime::Format(LPCTSTR pszFormat) const
{
    struct tm t = {};
    return FormatTm(GetLocalTm(&t), pszFormat);
}

CString CTime::FormatGmt(LPCTSTR pszFormat) const
{
    struct tm t = {};
    return FormatTm(GetGmtTm(&t), pszFormat);
}

CArchive& operator<<(CArchive& ar, CTime t)
{
    return ar << static_cast<long long>(t.m_time);
}

CArchive& operator>>(CArchive& ar, CTime& rt)
{
    long long v = 0;
    ar >> v;
    rt.m_time = v;
    return ar;
}
