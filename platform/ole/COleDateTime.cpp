#include "platform/ole/COleDateTime.h"

#include <QtCore/QLocale>
#include <QtCore/QString>

#include <cmath>
#include <ctime>
#include <string>
#include <vector>

#include "platform/afx/AfxTchar.h"
#include "platform/afx/CTime.h"
#include "platform/ole/PropVariant.h"

namespace {

constexpr long long kSecondsPerDay = 86400;
// Days from 1970-01-01 to 1899-12-30.
constexpr long long kOleEpochDays = -25569;
// Days from 1601-01-01 to 1970-01-01, and file-time ticks per second.
constexpr long long kFileTimeEpochDays = 134774;
constexpr long long kTicksPerSecond = 10000000;

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Seconds since 1899-12-30 of the first and last moments a DATE may hold.
const long long kMinSeconds = (DaysFromCivil(100, 1, 1) - kOleEpochDays) * kSecondsPerDay;
const long long kMaxSeconds = (DaysFromCivil(9999, 12, 31) - kOleEpochDays) * kSecondsPerDay + kSecondsPerDay - 1;

bool ComponentsToSeconds(int y, int mo, int d, int h, int mi, int s, long long& out)
{
    if (y < 100 || y > 9999 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo) || h < 0 || h > 23 || mi < 0 ||
        mi > 59 || s < 0 || s > 59)
        return false;
    out = (DaysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) - kOleEpochDays) * kSecondsPerDay +
          h * 3600 + mi * 60 + s;
    return true;
}

struct Parts
{
    int year, month, day, hour, minute, second, dayOfWeek, dayOfYear;
};

Parts SecondsToParts(long long seconds)
{
    long long days = seconds / kSecondsPerDay;
    long long rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    Parts p{};
    const long long unixDays = days + kOleEpochDays;
    CivilFromDays(unixDays, p.year, p.month, p.day);
    p.hour = static_cast<int>(rest / 3600);
    p.minute = static_cast<int>(rest / 60 % 60);
    p.second = static_cast<int>(rest % 60);
    // 1970-01-01 was a Thursday (4 with Sunday 0).
    p.dayOfWeek = static_cast<int>(((unixDays % 7) + 7 + 4) % 7);
    p.dayOfYear = static_cast<int>(unixDays - DaysFromCivil(p.year, 1, 1)) + 1;
    return p;
}

DATE SecondsToDate(long long seconds)
{
    long long days = seconds / kSecondsPerDay;
    long long rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    const double frac = static_cast<double>(rest) / kSecondsPerDay;
    return days >= 0 ? static_cast<double>(days) + frac : static_cast<double>(days) - frac;
}

bool DateToSeconds(DATE dt, long long& out)
{
    if (!std::isfinite(dt) || dt < -657435.0 || dt > 2958466.0)
        return false;
    const double days = std::trunc(dt);
    const double frac = std::fabs(dt - days);
    out = static_cast<long long>(days) * kSecondsPerDay + std::llround(frac * kSecondsPerDay);
    return out >= kMinSeconds && out <= kMaxSeconds;
}

// Local time <-> UTC, both as seconds of a calendar count (no leap seconds).
bool UtcToLocal(long long utcUnix, long long& localUnix)
{
    const std::time_t t = static_cast<std::time_t>(utcUnix);
    struct tm tmLocal = {};
    if (localtime_r(&t, &tmLocal) == nullptr)
        return false;
    localUnix = utcUnix + tmLocal.tm_gmtoff;
    return true;
}

bool LocalToUtc(long long localUnix, long long& utcUnix)
{
    const std::time_t t = static_cast<std::time_t>(localUnix);
    struct tm fields = {};
    if (gmtime_r(&t, &fields) == nullptr)
        return false;
    fields.tm_isdst = -1;
    const std::time_t r = std::mktime(&fields);
    if (r == static_cast<std::time_t>(-1) && !(fields.tm_year == 69 && fields.tm_mon == 11 && fields.tm_mday == 31))
        return false;
    utcUnix = static_cast<long long>(r);
    return true;
}

ULONGLONG Ticks(const FILETIME& ft) { return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime; }

FILETIME FromTicks(ULONGLONG ticks)
{
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
    ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return ft;
}

// ---- Locale-dependent text --------------------------------------------------------------------------

std::u16string U16(const QString& s)
{
    return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size()));
}

struct DateStyle
{
    char order[3] = {'M', 'd', 'y'};
    QString dateSep = QStringLiteral("/");
    bool padMonth = false;
    bool padDay = false;
    bool twelveHour = false;
    bool padHour = false;
    QString am, pm;
};

DateStyle StyleOf(const QLocale& locale)
{
    DateStyle style;
    const QString df = locale.dateFormat(QLocale::ShortFormat);
    int n = 0;
    for (int i = 0; i < df.size() && n < 3;) {
        const QChar c = df[i];
        if (c == u'y' || c == u'M' || c == u'd') {
            int j = i;
            while (j < df.size() && df[j] == c)
                ++j;
            style.order[n++] = static_cast<char>(c.unicode());
            if (c == u'M')
                style.padMonth = j - i == 2;
            if (c == u'd')
                style.padDay = j - i == 2;
            // The separator is what follows the first field.
            if (n == 1) {
                int k = j;
                while (k < df.size() && !df[k].isLetter())
                    ++k;
                if (k > j)
                    style.dateSep = df.mid(j, k - j);
            }
            i = j;
        } else if (c == u'\'') {
            const int close = df.indexOf(u'\'', i + 1);
            i = close < 0 ? df.size() : close + 1;
        } else {
            ++i;
        }
    }
    if (n < 3) {
        style.order[0] = 'M';
        style.order[1] = 'd';
        style.order[2] = 'y';
    }
    const QString tf = locale.timeFormat(QLocale::ShortFormat);
    style.twelveHour = tf.contains(u'a', Qt::CaseInsensitive);
    style.padHour = tf.contains(style.twelveHour ? QStringLiteral("hh") : QStringLiteral("HH")) ||
                    (!style.twelveHour && tf.contains(QStringLiteral("hh")));
    style.am = locale.amText();
    style.pm = locale.pmText();
    if (style.am.isEmpty())
        style.am = QStringLiteral("AM");
    if (style.pm.isEmpty())
        style.pm = QStringLiteral("PM");
    return style;
}

QString Number(int v, bool pad) { return pad ? QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')) : QString::number(v); }

QString FormatDatePart(const Parts& p, const DateStyle& s)
{
    QString out;
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            out += s.dateSep;
        switch (s.order[i]) {
        case 'y': out += QString::number(p.year); break;
        case 'M': out += Number(p.month, s.padMonth); break;
        default: out += Number(p.day, s.padDay); break;
        }
    }
    return out;
}

QString FormatTimePart(const Parts& p, const DateStyle& s)
{
    int h = p.hour;
    if (s.twelveHour)
        h = h % 12 == 0 ? 12 : h % 12;
    QString out = Number(h, s.padHour) + u':' + Number(p.minute, true) + u':' + Number(p.second, true);
    if (s.twelveHour)
        out += u' ' + (p.hour < 12 ? s.am : s.pm);
    return out;
}

// One piece of a date text.
struct Token
{
    enum Kind { Num, Word, Colon } kind;
    int value = 0;
    int digits = 0;
    QString text;
};

bool Tokenize(const QString& text, std::vector<Token>& out)
{
    for (int i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            Token t{Token::Num};
            while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
                if (t.digits >= 6)
                    return false;
                t.value = t.value * 10 + (text[i].unicode() - u'0');
                ++t.digits;
                ++i;
            }
            out.push_back(t);
        } else if (c == u':') {
            out.push_back(Token{Token::Colon});
            ++i;
        } else if (c.isLetter()) {
            Token t{Token::Word};
            while (i < text.size() && text[i].isLetter() && !(text[i].unicode() >= 0x3000))
                t.text += text[i++];
            if (t.text.isEmpty()) {
                // A CJK unit character (year, month, day, hour, minute, second marks) separates fields.
                const char16_t u = c.unicode();
                if (u == u'年' || u == u'月' || u == u'日') {
                    ++i;
                    continue;
                }
                if (u == u'時' || u == u'分') {
                    out.push_back(Token{Token::Colon});
                    ++i;
                    continue;
                }
                if (u == u'秒') {
                    ++i;
                    continue;
                }
                // Other wide letters (AM/PM marks, era names) form one word.
                auto isMark = [](char16_t v) {
                    return v == u'年' || v == u'月' || v == u'日' || v == u'時' || v == u'分' || v == u'秒';
                };
                while (i < text.size() && text[i].isLetter() && text[i].unicode() >= 0x3000 && !isMark(text[i].unicode()))
                    t.text += text[i++];
            }
            out.push_back(t);
        } else {
            ++i;  // separators: / - . , space and the like
        }
    }
    return true;
}

int MonthFromName(const QString& word, const QLocale& locale)
{
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const QLocale* l : {&locale, &english}) {
        for (int m = 1; m <= 12; ++m) {
            if (word.compare(l->monthName(m, QLocale::LongFormat), Qt::CaseInsensitive) == 0 ||
                word.compare(l->monthName(m, QLocale::ShortFormat), Qt::CaseInsensitive) == 0 ||
                word.compare(l->monthName(m, QLocale::ShortFormat).remove(u'.'), Qt::CaseInsensitive) == 0)
                return m;
        }
    }
    return 0;
}

bool IsDayName(const QString& word, const QLocale& locale)
{
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const QLocale* l : {&locale, &english})
        for (int d = 1; d <= 7; ++d)
            if (word.compare(l->dayName(d, QLocale::LongFormat), Qt::CaseInsensitive) == 0 ||
                word.compare(l->dayName(d, QLocale::ShortFormat), Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

int TwoDigitYear(int y) { return y < 30 ? 2000 + y : 1900 + y; }

// Reads text into seconds since 1899-12-30; hasDate/hasTime tell what the text held.
bool ParseText(const QString& text, const QLocale& locale, long long& seconds)
{
    std::vector<Token> tokens;
    if (!Tokenize(text, tokens) || tokens.empty())
        return false;
    const DateStyle style = StyleOf(locale);

    std::vector<Token> dateNums;
    int monthName = 0;
    int hms[3] = {0, 0, 0};
    int timeFields = 0;
    int ampm = 0;  // 1 am, 2 pm
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == Token::Word) {
            const int m = MonthFromName(t.text, locale);
            if (m != 0 && monthName == 0) {
                monthName = m;
            } else if (t.text.compare(style.am, Qt::CaseInsensitive) == 0 ||
                       t.text.compare(QStringLiteral("AM"), Qt::CaseInsensitive) == 0) {
                ampm = 1;
            } else if (t.text.compare(style.pm, Qt::CaseInsensitive) == 0 ||
                       t.text.compare(QStringLiteral("PM"), Qt::CaseInsensitive) == 0) {
                ampm = 2;
            } else if (t.text.compare(QStringLiteral("T"), Qt::CaseInsensitive) == 0 || IsDayName(t.text, locale)) {
                // ISO's date-time mark and day names say nothing we need.
            } else {
                return false;
            }
            continue;
        }
        if (t.kind == Token::Colon)
            return false;
        // A number followed by ':' starts the time.
        if (i + 1 < tokens.size() && tokens[i + 1].kind == Token::Colon) {
            if (timeFields != 0)
                return false;
            hms[timeFields++] = t.value;
            ++i;
            while (i + 1 < tokens.size() && tokens[i + 1].kind == Token::Num && timeFields < 3) {
                hms[timeFields++] = tokens[++i].value;
                if (i + 1 < tokens.size() && tokens[i + 1].kind == Token::Colon && timeFields < 3)
                    ++i;
                else
                    break;
            }
            if (timeFields < 2)
                return false;
            continue;
        }
        // A lone number right after a time field list is an hour with AM/PM ("3 PM").
        dateNums.push_back(t);
    }
    if (timeFields == 0 && ampm != 0 && !dateNums.empty()) {
        hms[0] = dateNums.back().value;
        dateNums.pop_back();
        timeFields = 1;
    }

    int y = 1899, mo = 12, d = 30;
    const bool hasDate = !dateNums.empty() || monthName != 0;
    if (hasDate) {
        auto yearOf = [](const Token& t) { return t.digits <= 2 ? TwoDigitYear(t.value) : t.value; };
        if (monthName != 0) {
            mo = monthName;
            if (dateNums.size() == 1) {
                d = dateNums[0].value;
                y = COleDateTime::GetCurrentTime().GetYear();
            } else if (dateNums.size() == 2) {
                const bool firstIsYear = dateNums[0].digits > 2 || dateNums[0].value > 31;
                d = firstIsYear ? dateNums[1].value : dateNums[0].value;
                y = yearOf(firstIsYear ? dateNums[0] : dateNums[1]);
            } else {
                return false;
            }
        } else if (dateNums.size() == 3) {
            if (dateNums[0].digits > 2) {
                y = dateNums[0].value;
                mo = dateNums[1].value;
                d = dateNums[2].value;
            } else {
                for (int i = 0; i < 3; ++i) {
                    switch (style.order[i]) {
                    case 'y': y = yearOf(dateNums[static_cast<size_t>(i)]); break;
                    case 'M': mo = dateNums[static_cast<size_t>(i)].value; break;
                    default: d = dateNums[static_cast<size_t>(i)].value; break;
                    }
                }
            }
        } else if (dateNums.size() == 2) {
            // Month and day in the locale's order, this year.
            const bool monthFirst = std::string(style.order, 3).find('M') < std::string(style.order, 3).find('d');
            mo = dateNums[monthFirst ? 0 : 1].value;
            d = dateNums[monthFirst ? 1 : 0].value;
            y = COleDateTime::GetCurrentTime().GetYear();
        } else {
            return false;
        }
    }
    if (timeFields == 0 && !hasDate)
        return false;
    int h = hms[0];
    if (ampm != 0) {
        if (h < 1 || h > 12)
            return false;
        h = (h % 12) + (ampm == 2 ? 12 : 0);
    }
    return ComponentsToSeconds(y, mo, d, h, hms[1], hms[2], seconds);
}

}  // namespace

// ---- Clock and conversions ----------------------------------------------------------------------------

void GetLocalTime(LPSYSTEMTIME pst)
{
    if (pst == nullptr)
        return;
    struct timespec ts = {};
    clock_gettime(CLOCK_REALTIME, &ts);
    long long local = 0;
    if (!UtcToLocal(ts.tv_sec, local))
        local = ts.tv_sec;
    FILETIME ft = FromTicks(static_cast<ULONGLONG>((local + kFileTimeEpochDays * kSecondsPerDay) * kTicksPerSecond +
                                                   ts.tv_nsec / 100));
    FileTimeToSystemTime(&ft, pst);
}

void GetSystemTime(LPSYSTEMTIME pst)
{
    if (pst == nullptr)
        return;
    struct timespec ts = {};
    clock_gettime(CLOCK_REALTIME, &ts);
    FILETIME ft = FromTicks(static_cast<ULONGLONG>((ts.tv_sec + kFileTimeEpochDays * kSecondsPerDay) * kTicksPerSecond +
                                                   ts.tv_nsec / 100));
    FileTimeToSystemTime(&ft, pst);
}

BOOL FileTimeToSystemTime(const FILETIME* pft, LPSYSTEMTIME pst)
{
    if (pft == nullptr || pst == nullptr)
        return FALSE;
    const ULONGLONG ticks = Ticks(*pft);
    if (ticks >= 0x8000000000000000ULL)
        return FALSE;
    const long long secs = static_cast<long long>(ticks / kTicksPerSecond);
    const long long days = secs / kSecondsPerDay - kFileTimeEpochDays;
    const long long rest = secs % kSecondsPerDay;
    int y = 0, m = 0, d = 0;
    CivilFromDays(days, y, m, d);
    if (y > 30827)
        return FALSE;
    pst->wYear = static_cast<WORD>(y);
    pst->wMonth = static_cast<WORD>(m);
    pst->wDay = static_cast<WORD>(d);
    pst->wDayOfWeek = static_cast<WORD>(((days % 7) + 7 + 4) % 7);
    pst->wHour = static_cast<WORD>(rest / 3600);
    pst->wMinute = static_cast<WORD>(rest / 60 % 60);
    pst->wSecond = static_cast<WORD>(rest % 60);
    pst->wMilliseconds = static_cast<WORD>(ticks % kTicksPerSecond / 10000);
    return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* pst, FILETIME* pft)
{
    if (pst == nullptr || pft == nullptr)
        return FALSE;
    const SYSTEMTIME& st = *pst;
    if (st.wYear < 1601 || st.wYear > 30827 || st.wMonth < 1 || st.wMonth > 12 || st.wDay < 1 ||
        st.wDay > DaysInMonth(st.wYear, st.wMonth) || st.wHour > 23 || st.wMinute > 59 || st.wSecond > 59 ||
        st.wMilliseconds > 999)
        return FALSE;
    const long long days = DaysFromCivil(st.wYear, st.wMonth, st.wDay) + kFileTimeEpochDays;
    const long long secs = days * kSecondsPerDay + st.wHour * 3600 + st.wMinute * 60 + st.wSecond;
    *pft = FromTicks(static_cast<ULONGLONG>(secs * kTicksPerSecond + st.wMilliseconds * 10000LL));
    return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* pft, FILETIME* pftLocal)
{
    if (pft == nullptr || pftLocal == nullptr)
        return FALSE;
    const ULONGLONG ticks = Ticks(*pft);
    if (ticks >= 0x8000000000000000ULL)
        return FALSE;
    const long long unix = static_cast<long long>(ticks / kTicksPerSecond) - kFileTimeEpochDays * kSecondsPerDay;
    long long local = 0;
    if (!UtcToLocal(unix, local))
        return FALSE;
    const long long shifted = static_cast<long long>(ticks) + (local - unix) * kTicksPerSecond;
    if (shifted < 0)
        return FALSE;
    *pftLocal = FromTicks(static_cast<ULONGLONG>(shifted));
    return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* pftLocal, FILETIME* pft)
{
    if (pft == nullptr || pftLocal == nullptr)
        return FALSE;
    const ULONGLONG ticks = Ticks(*pftLocal);
    if (ticks >= 0x8000000000000000ULL)
        return FALSE;
    const long long local = static_cast<long long>(ticks / kTicksPerSecond) - kFileTimeEpochDays * kSecondsPerDay;
    long long utc = 0;
    if (!LocalToUtc(local, utc))
        return FALSE;
    const long long shifted = static_cast<long long>(ticks) + (utc - local) * kTicksPerSecond;
    if (shifted < 0)
        return FALSE;
    *pft = FromTicks(static_cast<ULONGLONG>(shifted));
    return TRUE;
}

INT SystemTimeToVariantTime(const SYSTEMTIME* pst, DATE* pdt)
{
    if (pst == nullptr || pdt == nullptr)
        return 0;
    long long s = 0;
    if (!ComponentsToSeconds(pst->wYear, pst->wMonth, pst->wDay, pst->wHour, pst->wMinute, pst->wSecond, s))
        return 0;
    *pdt = SecondsToDate(s);
    return 1;
}

INT VariantTimeToSystemTime(DATE dt, LPSYSTEMTIME pst)
{
    long long s = 0;
    if (pst == nullptr || !DateToSeconds(dt, s))
        return 0;
    const Parts p = SecondsToParts(s);
    pst->wYear = static_cast<WORD>(p.year);
    pst->wMonth = static_cast<WORD>(p.month);
    pst->wDay = static_cast<WORD>(p.day);
    pst->wDayOfWeek = static_cast<WORD>(p.dayOfWeek);
    pst->wHour = static_cast<WORD>(p.hour);
    pst->wMinute = static_cast<WORD>(p.minute);
    pst->wSecond = static_cast<WORD>(p.second);
    pst->wMilliseconds = 0;
    return 1;
}

// ---- COleDateTime -------------------------------------------------------------------------------------

COleDateTime::COleDateTime(DATE dtSrc) { *this = dtSrc; }
COleDateTime::COleDateTime(const VARIANT& varSrc) { *this = varSrc; }
COleDateTime::COleDateTime(std::time_t timeSrc) { *this = timeSrc; }
COleDateTime::COleDateTime(const CTime& timeSrc) { *this = timeSrc.GetTime(); }
COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc) { *this = systimeSrc; }
COleDateTime::COleDateTime(const FILETIME& filetimeSrc) { *this = filetimeSrc; }

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

COleDateTime COleDateTime::GetCurrentTime()
{
    return COleDateTime(std::time(nullptr));
}

void COleDateTime::SetFromSeconds(long long nSeconds)
{
    if (nSeconds < kMinSeconds || nSeconds > kMaxSeconds) {
        m_dt = 0.0;
        m_status = invalid;
        return;
    }
    m_dt = SecondsToDate(nSeconds);
    m_status = valid;
}

bool COleDateTime::ToSeconds(long long& nSeconds) const
{
    return m_status == valid && DateToSeconds(m_dt, nSeconds);
}

int COleDateTime::GetYear() const { long long s; return ToSeconds(s) ? SecondsToParts(s).year : -1; }
int COleDateTime::GetMonth() const { long long s; return ToSeconds(s) ? SecondsToParts(s).month : -1; }
int COleDateTime::GetDay() const { long long s; return ToSeconds(s) ? SecondsToParts(s).day : -1; }
int COleDateTime::GetHour() const { long long s; return ToSeconds(s) ? SecondsToParts(s).hour : -1; }
int COleDateTime::GetMinute() const { long long s; return ToSeconds(s) ? SecondsToParts(s).minute : -1; }
int COleDateTime::GetSecond() const { long long s; return ToSeconds(s) ? SecondsToParts(s).second : -1; }
int COleDateTime::GetDayOfWeek() const { long long s; return ToSeconds(s) ? SecondsToParts(s).dayOfWeek + 1 : -1; }
int COleDateTime::GetDayOfYear() const { long long s; return ToSeconds(s) ? SecondsToParts(s).dayOfYear : -1; }

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    long long s = 0;
    if (!ComponentsToSeconds(nYear, nMonth, nDay, nHour, nMin, nSec, s)) {
        m_dt = 0.0;
        m_status = invalid;
        return 1;
    }
    SetFromSeconds(s);
    return 0;
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    return m_status == valid && VariantTimeToSystemTime(m_dt, &st) != 0 ? TRUE : FALSE;
}

BOOL COleDateTime::GetAsFileTime(FILETIME& ft) const
{
    SYSTEMTIME st;
    FILETIME local;
    if (!GetAsSystemTime(st) || !SystemTimeToFileTime(&st, &local))
        return FALSE;
    return LocalFileTimeToFileTime(&local, &ft);
}

BOOL COleDateTime::GetAsTime(CTime& t) const
{
    long long s = 0;
    if (!ToSeconds(s))
        return FALSE;
    const Parts p = SecondsToParts(s);
    if (p.year < 1970 || p.year > 3000)
        return FALSE;
    t = CTime(p.year, p.month, p.day, p.hour, p.minute, p.second);
    return TRUE;
}

PropVariant COleDateTime::ToPropVariant() const
{
    if (m_status == valid)
        return PropVariant::Date(m_dt);
    if (m_status == null)
        return PropVariant::Null();
    return PropVariant();
}

COleDateTime COleDateTime::FromPropVariant(const PropVariant& value)
{
    COleDateTime dt;
    if (value.GetType() == VT_DATE) {
        dt = value.GetDouble();
    } else if (value.GetType() == VT_FILETIME) {
        dt = FromTicks(value.GetFileTime());
    } else if (value.GetType() == VT_NULL) {
        dt.m_status = null;
    } else {
        dt.m_status = invalid;
    }
    return dt;
}

COleDateTime& COleDateTime::operator=(DATE dtSrc)
{
    long long s = 0;
    if (DateToSeconds(dtSrc, s)) {
        m_dt = dtSrc;
        m_status = valid;
    } else {
        m_dt = 0.0;
        m_status = invalid;
    }
    return *this;
}

COleDateTime& COleDateTime::operator=(const VARIANT& varSrc)
{
    if (varSrc.vt == VT_DATE) {
        *this = varSrc.date;
        return *this;
    }
    if (varSrc.vt == VT_NULL) {
        m_dt = 0.0;
        m_status = null;
        return *this;
    }
    VARIANT v;
    VariantInit(&v);
    if (SUCCEEDED(VariantChangeType(&v, &varSrc, 0, VT_DATE))) {
        *this = v.date;
    } else {
        m_dt = 0.0;
        m_status = invalid;
    }
    VariantClear(&v);
    return *this;
}

COleDateTime& COleDateTime::operator=(const SYSTEMTIME& systimeSrc)
{
    SetDateTime(systimeSrc.wYear, systimeSrc.wMonth, systimeSrc.wDay, systimeSrc.wHour, systimeSrc.wMinute,
                systimeSrc.wSecond);
    return *this;
}

COleDateTime& COleDateTime::operator=(const FILETIME& filetimeSrc)
{
    FILETIME local;
    SYSTEMTIME st;
    if (FileTimeToLocalFileTime(&filetimeSrc, &local) && FileTimeToSystemTime(&local, &st)) {
        *this = st;
    } else {
        m_dt = 0.0;
        m_status = invalid;
    }
    return *this;
}

COleDateTime& COleDateTime::operator=(std::time_t timeSrc)
{
    long long local = 0;
    if (!UtcToLocal(static_cast<long long>(timeSrc), local)) {
        m_dt = 0.0;
        m_status = invalid;
        return *this;
    }
    SetFromSeconds(local - kOleEpochDays * kSecondsPerDay);
    return *this;
}

bool COleDateTime::operator==(const COleDateTime& other) const
{
    if (m_status != other.m_status)
        return false;
    if (m_status != valid)
        return m_dt == other.m_dt;
    long long a = 0, b = 0;
    return ToSeconds(a) && other.ToSeconds(b) ? a == b : m_dt == other.m_dt;
}

bool COleDateTime::operator<(const COleDateTime& other) const
{
    long long a = 0, b = 0;
    if (ToSeconds(a) && other.ToSeconds(b))
        return a < b;
    return m_dt < other.m_dt;
}

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const
{
    (void)lcid;
    long long s = 0;
    if (!ToSeconds(s))
        return CString();
    const Parts p = SecondsToParts(s);
    const DateStyle style = StyleOf(QLocale());
    const bool midnight = p.hour == 0 && p.minute == 0 && p.second == 0;
    const bool noDate = p.year == 1899 && p.month == 12 && p.day == 30;
    bool showDate = !noDate || midnight;
    bool showTime = !midnight;
    if (dwFlags & VAR_DATEVALUEONLY) {
        showDate = true;
        showTime = false;
    } else if (dwFlags & VAR_TIMEVALUEONLY) {
        showDate = false;
        showTime = true;
    }
    QString out;
    if (showDate)
        out = FormatDatePart(p, style);
    if (showTime) {
        if (!out.isEmpty())
            out += u' ';
        out += FormatTimePart(p, style);
    }
    return CString(U16(out));
}

CString COleDateTime::Format(LPCTSTR pszFormat) const
{
    long long s = 0;
    if (!ToSeconds(s) || pszFormat == nullptr || *pszFormat == 0)
        return CString();
    const Parts p = SecondsToParts(s);
    struct tm t = {};
    t.tm_year = p.year - 1900;
    t.tm_mon = p.month - 1;
    t.tm_mday = p.day;
    t.tm_hour = p.hour;
    t.tm_min = p.minute;
    t.tm_sec = p.second;
    t.tm_wday = p.dayOfWeek;
    t.tm_yday = p.dayOfYear - 1;
    t.tm_isdst = -1;
    std::u16string buffer(256, u'\0');
    for (int attempt = 0; attempt < 5; ++attempt) {
        const size_t n = _tcsftime(buffer.data(), buffer.size(), pszFormat, &t);
        if (n > 0)
            return CString(buffer.data(), static_cast<int>(n));
        buffer.resize(buffer.size() * 4);
    }
    return CString();
}

bool COleDateTime::ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags, LCID lcid)
{
    (void)lcid;
    long long s = 0;
    const QString text = CString(lpszDate).ToQString().trimmed();
    if (text.isEmpty() || text.size() > 256 || !ParseText(text, QLocale(), s)) {
        m_dt = 0.0;
        m_status = invalid;
        return false;
    }
    const long long day = (s >= 0 ? s / kSecondsPerDay : (s - kSecondsPerDay + 1) / kSecondsPerDay) * kSecondsPerDay;
    if (dwFlags & VAR_TIMEVALUEONLY)
        s -= day;
    else if (dwFlags & VAR_DATEVALUEONLY)
        s = day;
    SetFromSeconds(s);
    return m_status == valid;
}
