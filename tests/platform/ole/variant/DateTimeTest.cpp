#include "platform/ole/COleDateTime.h"

#include <gtest/gtest.h>

#include <QtCore/QLocale>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/afx/CTime.h"
#include "platform/ole/PropVariant.h"

namespace {

// A fixed time zone (no data files needed) and a known locale for every test.
class DateTimeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        const char* tz = std::getenv("TZ");
        m_hadTz = tz != nullptr;
        if (m_hadTz)
            m_savedTz = tz;
        SetZone("JST-9");
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override
    {
        if (m_hadTz)
            setenv("TZ", m_savedTz.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
        QLocale::setDefault(QLocale::system());
    }
    static void SetZone(const char* tz)
    {
        setenv("TZ", tz, 1);
        tzset();
    }

private:
    bool m_hadTz = false;
    std::string m_savedTz;
};

struct DateCase
{
    DATE dt;
    int y, mo, d, h, mi, s;
    int dayOfWeek;
};

TEST_F(DateTimeTest, DateValuesAndComponentsBothWays)
{
    const DateCase cases[] = {
        {0.0, 1899, 12, 30, 0, 0, 0, 7},
        {1.0, 1899, 12, 31, 0, 0, 0, 1},
        {2.0, 1900, 1, 1, 0, 0, 0, 2},
        {60.0, 1900, 2, 28, 0, 0, 0, 4},  // 1900 was no leap year
        {61.0, 1900, 3, 1, 0, 0, 0, 5},
        {0.5, 1899, 12, 30, 12, 0, 0, 7},
        {-1.0, 1899, 12, 29, 0, 0, 0, 6},
        {-1.25, 1899, 12, 29, 6, 0, 0, 6},  // the fraction counts forward even below zero
        {-0.75, 1899, 12, 30, 18, 0, 0, 7},
        {-2.5, 1899, 12, 28, 12, 0, 0, 5},
        {36526.0, 2000, 1, 1, 0, 0, 0, 7},
        {45356.0 + 54245.0 / 86400.0, 2024, 3, 5, 15, 4, 5, 3},
        {-657434.0, 100, 1, 1, 0, 0, 0, 6},
        {2958465.0 + 86399.0 / 86400.0, 9999, 12, 31, 23, 59, 59, 6},
    };
    for (const DateCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "DATE " << c.dt);
        const COleDateTime fromDate(c.dt);
        ASSERT_EQ(fromDate.GetStatus(), COleDateTime::valid);
        EXPECT_EQ(fromDate.GetYear(), c.y);
        EXPECT_EQ(fromDate.GetMonth(), c.mo);
        EXPECT_EQ(fromDate.GetDay(), c.d);
        EXPECT_EQ(fromDate.GetHour(), c.h);
        EXPECT_EQ(fromDate.GetMinute(), c.mi);
        EXPECT_EQ(fromDate.GetSecond(), c.s);
        EXPECT_EQ(fromDate.GetDayOfWeek(), c.dayOfWeek);
        const COleDateTime fromParts(c.y, c.mo, c.d, c.h, c.mi, c.s);
        ASSERT_EQ(fromParts.GetStatus(), COleDateTime::valid);
        EXPECT_EQ(fromParts, fromDate);
        // Between -1 and 0 the value names the same moment as its positive twin, which is what
        // components give.
        EXPECT_NEAR(fromParts.m_dt, c.dt > -1.0 && c.dt < 0.0 ? -c.dt : c.dt, 1e-9);
        SYSTEMTIME st;
        ASSERT_TRUE(fromParts.GetAsSystemTime(st));
        EXPECT_EQ(COleDateTime(st), fromParts);
    }
}

TEST_F(DateTimeTest, EverySecondOfTheRangeRoundTrips)
{
    // Moments spread over the whole range (a fixed sequence), through components and SYSTEMTIME back
    // to the same DATE.
    std::uint64_t state = 88172645463325252ULL;
    const long long first = -657434LL * 86400;
    const long long span = (2958465LL + 657434LL + 1) * 86400;
    for (int i = 0; i < 20000; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        const long long seconds = first + static_cast<long long>(state % static_cast<std::uint64_t>(span));
        long long days = seconds / 86400;
        long long rest = seconds % 86400;
        if (rest < 0) {
            rest += 86400;
            --days;
        }
        const DATE dt = days >= 0 ? days + rest / 86400.0 : days - rest / 86400.0;
        const COleDateTime a(dt);
        ASSERT_EQ(a.GetStatus(), COleDateTime::valid) << dt;
        const COleDateTime b(a.GetYear(), a.GetMonth(), a.GetDay(), a.GetHour(), a.GetMinute(), a.GetSecond());
        ASSERT_EQ(a, b) << dt;
        ASSERT_EQ(a.GetHour() * 3600 + a.GetMinute() * 60 + a.GetSecond(), rest) << dt;
        SYSTEMTIME st;
        ASSERT_TRUE(a.GetAsSystemTime(st));
        DATE back = 0;
        ASSERT_EQ(SystemTimeToVariantTime(&st, &back), 1);
        ASSERT_EQ(COleDateTime(back), a) << dt;
    }
}

TEST_F(DateTimeTest, InvalidComponentsAndValues)
{
    struct Parts
    {
        int y, mo, d, h, mi, s;
    } bad[] = {
        {2023, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {2024, 13, 1, 0, 0, 0}, {2024, 0, 1, 0, 0, 0},
        {2024, 4, 31, 0, 0, 0}, {2024, 1, 1, 24, 0, 0}, {2024, 1, 1, 0, 60, 0}, {2024, 1, 1, 0, 0, 60},
        {99, 12, 31, 0, 0, 0},  {10000, 1, 1, 0, 0, 0}, {2024, 1, 1, -1, 0, 0},
    };
    for (const Parts& p : bad) {
        SCOPED_TRACE(testing::Message() << p.y << "-" << p.mo << "-" << p.d << " " << p.h << ":" << p.mi << ":" << p.s);
        COleDateTime dt;
        EXPECT_EQ(dt.SetDateTime(p.y, p.mo, p.d, p.h, p.mi, p.s), 1);
        EXPECT_EQ(dt.GetStatus(), COleDateTime::invalid);
        EXPECT_EQ(dt.GetYear(), -1);
        EXPECT_EQ(dt.Format(), CString());
    }
    EXPECT_EQ(COleDateTime(2958466.5).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(-657435.5).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(std::nan("")).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(2024, 2, 29, 0, 0, 0).GetDayOfYear(), 60);
}

TEST_F(DateTimeTest, ComparisonFollowsTimeBelowZero)
{
    // -1.25 (06:00) comes before -1.75 (18:00) of the same day although it is the larger number.
    EXPECT_LT(COleDateTime(-1.25), COleDateTime(-1.75));
    EXPECT_LT(COleDateTime(-1.75), COleDateTime(0.0));
    EXPECT_EQ(COleDateTime(-0.5), COleDateTime(0.5));  // both are noon of 1899-12-30
}

TEST_F(DateTimeTest, FileTimesAndSystemTimes)
{
    // 2024-03-05 06:04:05 UTC is 15:04:05 in a zone nine hours ahead.
    SYSTEMTIME utc = {2024, 3, 0, 5, 6, 4, 5, 250};
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&utc, &ft));
    SYSTEMTIME back;
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
    EXPECT_EQ(back.wMilliseconds, 250);
    EXPECT_EQ(back.wDayOfWeek, 2);
    const COleDateTime local(ft);
    EXPECT_EQ(local.Format(u"%Y-%m-%d %H:%M:%S"), u"2024-03-05 15:04:05");
    FILETIME again;
    ASSERT_TRUE(local.GetAsFileTime(again));
    // Milliseconds are not kept by a DATE.
    EXPECT_EQ((ULONGLONG(again.dwHighDateTime) << 32 | again.dwLowDateTime),
              (ULONGLONG(ft.dwHighDateTime) << 32 | ft.dwLowDateTime) - 2500000);

    // The file-time epoch itself, and what lies outside the ranges.
    SYSTEMTIME first = {1601, 1, 0, 1, 0, 0, 0, 0};
    ASSERT_TRUE(SystemTimeToFileTime(&first, &ft));
    EXPECT_EQ(ft.dwLowDateTime, 0u);
    EXPECT_EQ(ft.dwHighDateTime, 0u);
    SYSTEMTIME tooEarly = {1600, 12, 0, 31, 0, 0, 0, 0};
    EXPECT_FALSE(SystemTimeToFileTime(&tooEarly, &ft));
    SYSTEMTIME badDay = {2023, 2, 0, 29, 0, 0, 0, 0};
    EXPECT_FALSE(SystemTimeToFileTime(&badDay, &ft));
    FILETIME huge = {0xFFFFFFFFu, 0xFFFFFFFFu};
    EXPECT_FALSE(FileTimeToSystemTime(&huge, &back));
    EXPECT_EQ(COleDateTime(huge).GetStatus(), COleDateTime::invalid);

    DATE dt = 0;
    SYSTEMTIME early = {1899, 12, 0, 29, 6, 0, 0, 0};
    ASSERT_EQ(SystemTimeToVariantTime(&early, &dt), 1);
    EXPECT_DOUBLE_EQ(dt, -1.25);
    ASSERT_EQ(VariantTimeToSystemTime(-1.25, &back), 1);
    EXPECT_EQ(back.wDay, 29);
    EXPECT_EQ(back.wHour, 6);
    EXPECT_EQ(VariantTimeToSystemTime(1e9, &back), 0);
}

TEST_F(DateTimeTest, SummerTimeShiftsLocalFileTimes)
{
    SetZone("CET-1CEST,M3.5.0,M10.5.0/3");
    SYSTEMTIME winter = {2024, 1, 0, 15, 12, 0, 0, 0};
    SYSTEMTIME summer = {2024, 7, 0, 15, 12, 0, 0, 0};
    for (const auto& [st, hour] : {std::pair{winter, 13}, std::pair{summer, 14}}) {
        FILETIME ft;
        ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
        const COleDateTime local(ft);
        EXPECT_EQ(local.GetHour(), hour);
        FILETIME back;
        ASSERT_TRUE(local.GetAsFileTime(back));
        EXPECT_EQ(back.dwLowDateTime, ft.dwLowDateTime);
        EXPECT_EQ(back.dwHighDateTime, ft.dwHighDateTime);
    }
}

TEST_F(DateTimeTest, CurrentTimeAndCTime)
{
    const std::time_t now = std::time(nullptr);
    const COleDateTime current = COleDateTime::GetCurrentTime();
    const COleDateTime fromTime(now);
    ASSERT_EQ(current.GetStatus(), COleDateTime::valid);
    EXPECT_NEAR(current.m_dt, fromTime.m_dt, 5.0 / 86400);
    const CTime t(2024, 3, 5, 15, 4, 5);
    const COleDateTime fromCTime(t);
    EXPECT_EQ(fromCTime, COleDateTime(2024, 3, 5, 15, 4, 5));
    CTime back;
    ASSERT_TRUE(fromCTime.GetAsTime(back));
    EXPECT_EQ(back, t);
    EXPECT_FALSE(COleDateTime(1800, 1, 1, 0, 0, 0).GetAsTime(back));
}

TEST_F(DateTimeTest, FormatAndParse)
{
    const COleDateTime dt(2024, 3, 5, 15, 4, 5);
    EXPECT_EQ(dt.Format(), u"3/5/2024 3:04:05 PM");
    EXPECT_EQ(dt.Format(VAR_DATEVALUEONLY), u"3/5/2024");
    EXPECT_EQ(dt.Format(VAR_TIMEVALUEONLY), u"3:04:05 PM");
    EXPECT_EQ(dt.Format(u"%A %#d %B %Y, %j"), u"Tuesday 5 March 2024, 065");
    EXPECT_EQ(COleDateTime(150, 6, 1, 0, 0, 0).Format(u"%Y-%m-%d"), u"150-06-01");

    COleDateTime p;
    EXPECT_TRUE(p.ParseDateTime(u"3/5/2024 3:04:05 PM"));
    EXPECT_EQ(p, dt);
    EXPECT_TRUE(p.ParseDateTime(u"3/5/2024 3:04:05 PM", VAR_DATEVALUEONLY));
    EXPECT_EQ(p, COleDateTime(2024, 3, 5, 0, 0, 0));
    EXPECT_TRUE(p.ParseDateTime(u"3/5/2024 3:04:05 PM", VAR_TIMEVALUEONLY));
    EXPECT_EQ(p, COleDateTime(1899, 12, 30, 15, 4, 5));
    EXPECT_TRUE(p.ParseDateTime(u"Tuesday, March 5, 2024"));
    EXPECT_EQ(p, COleDateTime(2024, 3, 5, 0, 0, 0));
    EXPECT_FALSE(p.ParseDateTime(u"3/5/2024 garbage"));
    EXPECT_EQ(p.GetStatus(), COleDateTime::invalid);
    EXPECT_FALSE(p.ParseDateTime(nullptr));
    EXPECT_FALSE(p.ParseDateTime(u"1:2:3:4"));
    EXPECT_FALSE(p.ParseDateTime(u"99999999999999999999"));
}

TEST_F(DateTimeTest, PropertySetValues)
{
    const COleDateTime dt(2024, 3, 5, 15, 4, 5);
    const PropVariant p = dt.ToPropVariant();
    EXPECT_EQ(p.GetType(), VT_DATE);
    EXPECT_EQ(COleDateTime::FromPropVariant(p), dt);
    COleDateTime n;
    n.SetStatus(COleDateTime::null);
    EXPECT_EQ(n.ToPropVariant().GetType(), VT_NULL);
    COleDateTime bad(2023, 2, 29, 0, 0, 0);
    EXPECT_TRUE(bad.ToPropVariant().IsEmpty());
    // A file time in a property set is UTC: 06:04:05 UTC is 15:04:05 here.
    SYSTEMTIME utc = {2024, 3, 0, 5, 6, 4, 5, 0};
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&utc, &ft));
    EXPECT_EQ(COleDateTime::FromPropVariant(PropVariant::FileTime(ft)), dt);
    EXPECT_EQ(COleDateTime::FromPropVariant(PropVariant::I4(3)).GetStatus(), COleDateTime::invalid);
}

}  // namespace
