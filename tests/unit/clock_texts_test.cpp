#include "core/clock_texts.h"

#include <gtest/gtest.h>

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
