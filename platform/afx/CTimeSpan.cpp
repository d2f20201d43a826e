#include "platform/afx/CTimeSpan.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CString.h"

CString CTimeSpan::Format(LPCTSTR pszFormat) const
{
    CString out;
    if (pszFormat == nullptr)
        return out;
    for (LPCTSTR p = pszFormat; *p != 0; ++p) {
        if (*p != u'%' || p[1] == 0) {
            out += *p;
            continue;
        }
        ++p;
        CString part;
        switch (*p) {
        case u'D': part.Format(_T("%lld"), static_cast<long long>(GetDays())); break;
        case u'H': part.Format(_T("%02d"), static_cast<int>(GetHours())); break;
        case u'M': part.Format(_T("%02d"), static_cast<int>(GetMinutes())); break;
        case u'S': part.Format(_T("%02d"), static_cast<int>(GetSeconds())); break;
        case u'%': part = _T("%"); break;
        default:
            part += u'%';
            part += *p;
            break;
        }
        out += part;
    }
    return out;
}

CArchive& operator<<(CArchive& ar, CTimeSpan s)
{
    return ar << static_cast<long long>(s.m_timeSpan);
}

CArchive& operator>>(CArchive& ar, CTimeSpan& rs)
{
    long long v = 0;
    ar >> v;
    rs.m_timeSpan = v;
    return ar;
}
