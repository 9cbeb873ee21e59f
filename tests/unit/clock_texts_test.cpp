#include "core/clock_texts.h"

#include <gtest/gtest.h>

#include "rt/dates.h"

using clockapp::ClockTexts;
using clockapp::RefreshClockTexts;

TEST(ClockTexts, PadsTimeWithZeroAndDateWithBlank) {
    ClockTexts t;
    RefreshClockTexts(3, 8, 1, 9, 5, 7, &t);
    EXPECT_EQ(t.hour, "09");
    EXPECT_EQ(t.minute, "05");
    EXPECT_EQ(t.second, "07");
    EXPECT_EQ(t.DateLine(), " 3月 8日\r\n星期日");

    RefreshClockTexts(12, 25, 4, 23, 59, 59, &t);
    EXPECT_EQ(t.DateLine(), "12月25日\r\n星期三");
    EXPECT_EQ(t.hour + t.minute + t.second, "235959");

    RefreshClockTexts(10, 1, 3, 0, 0, 0, &t);
    EXPECT_EQ(t.DateLine(), "10月 1日\r\n星期二");
    EXPECT_EQ(t.hour + t.minute + t.second, "000000");
}

TEST(ClockTexts, WeekdayOutOfRangeKeepsThePreviousCharacter) {
    ClockTexts t;
    RefreshClockTexts(9, 20, 0, 1, 2, 3, &t);
    EXPECT_EQ(t.DateLine(), " 9月20日\r\n星期");  // nothing valid yet
    RefreshClockTexts(9, 20, 7, 1, 2, 3, &t);
    RefreshClockTexts(9, 21, 8, 1, 2, 3, &t);
    EXPECT_EQ(t.DateLine(), " 9月21日\r\n星期六");
}

TEST(ClockTexts, ReadsEveryPartFromOneDateTime) {
    ClockTexts t;
    // 2026-03-08 (a Sunday) 09:05:07 and 2024-12-25 (a Wednesday) 23:59:59.
    rt::DateTime d;
    ASSERT_TRUE(rt::CivilToDate(rt::CivilTime{2026, 3, 8, 9, 5, 7}, &d));
    RefreshClockTexts(d, &t);
    EXPECT_EQ(t.hour + ":" + t.minute + ":" + t.second, "09:05:07");
    EXPECT_EQ(t.DateLine(), " 3月 8日\r\n星期日");
    ASSERT_TRUE(rt::CivilToDate(rt::CivilTime{2024, 12, 25, 23, 59, 59}, &d));
    RefreshClockTexts(d, &t);
    EXPECT_EQ(t.hour + ":" + t.minute + ":" + t.second, "23:59:59");
    EXPECT_EQ(t.DateLine(), "12月25日\r\n星期三");
    ASSERT_TRUE(rt::CivilToDate(rt::CivilTime{2024, 10, 1, 0, 0, 0}, &d));
    RefreshClockTexts(d, &t);
    EXPECT_EQ(t.hour + t.minute + t.second, "000000");
    EXPECT_EQ(t.DateLine(), "10月 1日\r\n星期二");
}

TEST(ClockTexts, ReleaseEmptiesEveryText) {
    ClockTexts t;
    RefreshClockTexts(11, 20, 1, 14, 35, 7, &t);
    clockapp::ReleaseClockTexts(&t);
    EXPECT_EQ(t.hour + t.minute + t.second + t.month + t.day + t.weekday, "");
    EXPECT_EQ(t.DateLine(), "月日\r\n星期");
    // A refresh after the release works as the first one did.
    RefreshClockTexts(11, 20, 1, 14, 35, 7, &t);
    EXPECT_EQ(t.DateLine(), "11月20日\r\n星期日");
}
