#include <gtest/gtest.h>

#include <ctime>

#include "platform/afx/CString.h"
#include "platform/afx/CTime.h"

TEST(Time, ComponentsFormatAndArithmetic)
{
    const CTime t(2024, 2, 29, 13, 4, 5);
    EXPECT_EQ(t.GetYear(), 2024);
    EXPECT_EQ(t.GetMonth(), 2);
    EXPECT_EQ(t.GetDay(), 29);
    EXPECT_EQ(t.GetHour(), 13);
    EXPECT_EQ(t.GetMinute(), 4);
    EXPECT_EQ(t.GetSecond(), 5);
    EXPECT_EQ(t.GetDayOfWeek(), 5);  // a Thursday
    EXPECT_EQ(t.Format(_T("%Y/%m/%d %H:%M:%S")), CString(_T("2024/02/29 13:04:05")));
    EXPECT_EQ(t.Format(_T("年%Y")), CString(u"年2024"));
    EXPECT_EQ(t.Format(_T("")), CString());

    const CTime next = t + CTimeSpan(1, 11, 0, 0);
    EXPECT_EQ(next.GetMonth(), 3);
    EXPECT_EQ(next.GetDay(), 2);
    EXPECT_EQ(next.GetHour(), 0);
    EXPECT_EQ((next - t).GetTotalHours(), 35);
    EXPECT_TRUE(t < next);

    // Out-of-range components roll over.
    EXPECT_EQ(CTime(2023, 13, 1, 0, 0, 0).GetYear(), 2024);
    EXPECT_EQ(CTime(0).FormatGmt(_T("%Y-%m-%d %H:%M")), CString(_T("1970-01-01 00:00")));

    const std::time_t now = std::time(nullptr);
    const std::time_t got = CTime::GetCurrentTime().GetTime();
    EXPECT_GE(got, now);
    EXPECT_LE(got - now, 5);
}

TEST(Time, SpansSplitIntoComponents)
{
    const CTimeSpan s(2, 3, 4, 5);
    EXPECT_EQ(s.GetDays(), 2);
    EXPECT_EQ(s.GetHours(), 3);
    EXPECT_EQ(s.GetMinutes(), 4);
    EXPECT_EQ(s.GetSeconds(), 5);
    EXPECT_EQ(s.GetTotalMinutes(), 2 * 24 * 60 + 3 * 60 + 4);
    EXPECT_EQ(s.GetTotalSeconds(), ((2 * 24 + 3) * 60 + 4) * 60 + 5);
    EXPECT_EQ(s.Format(_T("%D days %H:%M:%S %%")), CString(_T("2 days 03:04:05 %")));
    EXPECT_EQ((s - CTimeSpan(0, 0, 0, 6)).GetSeconds(), 59);
}
