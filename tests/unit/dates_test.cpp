#include "rt/dates.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "rt/numbers.h"

namespace {

using rt::CivilTime;
using rt::DateTime;
using rt::kMinDateDays;

DateTime Make(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    DateTime out{12345.0};
    EXPECT_TRUE(rt::CivilToDate(CivilTime{y, mo, d, h, mi, s}, &out))
        << y << "-" << mo << "-" << d << " " << h << ":" << mi << ":" << s;
    return out;
}

// "Y-M-D h:m:s" of a date, for readable failures.
std::string Show(DateTime date) {
    CivilTime c;
    if (!rt::DateToCivil(date, &c)) return "invalid(" + std::to_string(date.days) + ")";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day,
                  c.hour, c.minute, c.second);
    return buffer;
}

double Seconds(double s) { return s / 86400.0; }

TEST(CivilDate, SerialDaysFromTheEpochOf1899_12_30) {
    EXPECT_EQ(Make(1899, 12, 30).days, 0.0);
    EXPECT_EQ(Make(2013, 11, 20).days, 41598.0);
    EXPECT_EQ(Make(100, 1, 1).days, kMinDateDays);
    EXPECT_EQ(Make(9999, 12, 31).days, rt::kMaxDateDays);
    EXPECT_EQ(Make(1900, 3, 1).days, 61.0);  // 1900 is no leap year here
    EXPECT_NEAR(Make(2013, 11, 20, 12).days, 41598.5, 1e-9);
}

TEST(CivilDate, DaysBeforeTheEpochCountTheirTimeAwayFromZero) {
    EXPECT_NEAR(Make(1899, 12, 29, 6).days, -1.25, 1e-12);
    EXPECT_EQ(Show(DateTime{-1.25}), "1899-12-29 06:00:00");
    EXPECT_EQ(Show(DateTime{-0.25}), "1899-12-30 06:00:00");
    EXPECT_EQ(Show(DateTime{kMinDateDays - 0.5}), "0100-01-01 12:00:00");
}

TEST(CivilDate, RejectsFieldsThatDoNotExist) {
    DateTime out{1.0};
    EXPECT_FALSE(rt::CivilToDate(CivilTime{2013, 11, 31, 0, 0, 0}, &out));
    EXPECT_FALSE(rt::CivilToDate(CivilTime{2013, 2, 29, 0, 0, 0}, &out));
    EXPECT_TRUE(rt::CivilToDate(CivilTime{2024, 2, 29, 0, 0, 0}, &out));
    EXPECT_FALSE(rt::CivilToDate(CivilTime{2000, 1, 1, 24, 0, 0}, &out));
    EXPECT_FALSE(rt::CivilToDate(CivilTime{2000, 1, 1, 0, 60, 0}, &out));
    EXPECT_FALSE(rt::CivilToDate(CivilTime{2000, 1, 1, 0, 0, 60}, &out));
    EXPECT_FALSE(rt::CivilToDate(CivilTime{99, 12, 31, 0, 0, 0}, &out));
    EXPECT_FALSE(rt::CivilToDate(CivilTime{10000, 1, 1, 0, 0, 0}, &out));
    EXPECT_FALSE(rt::CivilToDate(CivilTime{2000, 0, 1, 0, 0, 0}, &out));
    EXPECT_FALSE(rt::CivilToDate(CivilTime{2000, 13, 1, 0, 0, 0}, &out));
    EXPECT_FALSE(rt::CivilToDate(CivilTime{2000, 1, 0, 0, 0, 0}, &out));
    EXPECT_FALSE(rt::CivilToDate(CivilTime{2000, 1, 1, -1, 0, 0}, &out));
}

TEST(CivilDate, ReadsBackRoundedToTheNearestSecond) {
    EXPECT_EQ(Show(DateTime{41598.0 + Seconds(7.4)}), "2013-11-20 00:00:07");
    EXPECT_EQ(Show(DateTime{41598.0 + Seconds(7.6)}), "2013-11-20 00:00:08");
    EXPECT_EQ(Show(DateTime{41598.0 + Seconds(86399.7)}), "2013-11-21 00:00:00");
    EXPECT_EQ(Show(DateTime{rt::kMaxDateDays + Seconds(86399)}), "9999-12-31 23:59:59");
    CivilTime c;
    EXPECT_FALSE(rt::DateToCivil(DateTime{rt::kMaxDateDays + Seconds(86399.7)}, &c));
    EXPECT_FALSE(rt::DateToCivil(DateTime{rt::kMaxDateDays + 1.0}, &c));
    EXPECT_FALSE(rt::DateToCivil(DateTime{kMinDateDays - 1.0}, &c));
    EXPECT_FALSE(rt::DateToCivil(DateTime{std::nan("")}, &c));
    EXPECT_FALSE(rt::DateToCivil(DateTime{HUGE_VAL}, &c));
    EXPECT_FALSE(rt::DateToCivil(DateTime{-1e300}, &c));
}

TEST(DateParts, FieldsAndWeekday) {
    const DateTime d = Make(2013, 11, 20, 14, 35, 7);
    EXPECT_EQ(rt::DateMonth(d), 11);
    EXPECT_EQ(rt::DateDay(d), 20);
    EXPECT_EQ(rt::DateHour(d), 14);
    EXPECT_EQ(rt::DateMinute(d), 35);
    EXPECT_EQ(rt::DateSecond(d), 7);
    EXPECT_EQ(rt::DateWeekday(d), 4);                     // Wednesday
    EXPECT_EQ(rt::DateWeekday(Make(1899, 12, 30)), 7);    // Saturday
    EXPECT_EQ(rt::DateWeekday(Make(1899, 12, 31)), 1);    // Sunday
    EXPECT_EQ(rt::DateWeekday(Make(1899, 12, 29, 23)), 6);
    EXPECT_EQ(rt::DateWeekday(Make(100, 1, 1)), 6);       // Friday
    EXPECT_EQ(rt::DateWeekday(Make(9999, 12, 31, 23)), 6);
    EXPECT_EQ(rt::DateWeekday(Make(2026, 12, 6)), 1);
}

TEST(DateParts, MinusOneOutsideTheValidRange) {
    for (double bad : {kMinDateDays - 2.0, rt::kMaxDateDays + 2.0, std::nan(""), 1e20}) {
        const DateTime d{bad};
        EXPECT_EQ(rt::DateMonth(d), -1);
        EXPECT_EQ(rt::DateDay(d), -1);
        EXPECT_EQ(rt::DateWeekday(d), -1);
        EXPECT_EQ(rt::DateHour(d), -1);
        EXPECT_EQ(rt::DateMinute(d), -1);
        EXPECT_EQ(rt::DateSecond(d), -1);
    }
}

TEST(ToTextDate, DropsTrailingZeroTimeFields) {
    EXPECT_EQ(rt::ToText(Make(2013, 11, 20, 14, 35, 7)), "2013年11月20日14时35分7秒");
    EXPECT_EQ(rt::ToText(Make(2013, 11, 20, 14, 35, 0)), "2013年11月20日14时35分");
    EXPECT_EQ(rt::ToText(Make(2013, 11, 20, 15, 0, 0)), "2013年11月20日15时");
    EXPECT_EQ(rt::ToText(Make(2013, 11, 21)), "2013年11月21日");
    EXPECT_EQ(rt::ToText(Make(2013, 1, 2, 0, 0, 9)), "2013年1月2日0时0分9秒");
    EXPECT_EQ(rt::ToText(Make(2013, 1, 2, 0, 5, 0)), "2013年1月2日0时5分");
    EXPECT_EQ(rt::ToText(Make(100, 1, 1)), "100年1月1日");
    EXPECT_EQ(rt::ToText(DateTime{1e20}), "");
}

// A text and the date it reads as.
struct Reading {
    const char* text;
    const char* shown;
};

TEST(ToDateTime, DashedDatesWithTimes) {
    const Reading readings[] = {
        {"2013-11-08 12:34:56", "2013-11-08 12:34:56"},
        {"2013-11-8 2:34:56", "2013-11-08 02:34:56"},
        {"2013-11-08 12:34", "2013-11-08 12:34:00"},
        {"2013/1/2 3:4:5", "2013-01-02 03:04:05"},
        {"2013.12.31 23:59:59", "2013-12-31 23:59:59"},
        {"0100-01-01", "0100-01-01 00:00:00"},
        {"9999-12-31 23:59:59", "9999-12-31 23:59:59"},
        {"2024-02-29", "2024-02-29 00:00:00"},
    };
    for (const Reading& r : readings) EXPECT_EQ(Show(rt::ToDateTime(r.text)), r.shown) << r.text;
    EXPECT_EQ(rt::ToDateTime("2013-11-08").days, 41586.0);
}

TEST(ToDateTime, ChineseFieldMarksAndFullWidthDigits) {
    const Reading readings[] = {
        {"2013年11月20日", "2013-11-20 00:00:00"},
        {"2013年11月20日14时35分7秒", "2013-11-20 14:35:07"},
        {"2013年11月20日14时35分", "2013-11-20 14:35:00"},
        {"2013年11月20日15时", "2013-11-20 15:00:00"},
        {"2013年11月20日 14时35分7秒", "2013-11-20 14:35:07"},
        {"2013-11-20 14:35分", "2013-11-20 14:35:00"},
        {"２０１３－１１－０８\xA1\xA1１２：３４：５６", "2013-11-08 12:34:56"},
    };
    for (const Reading& r : readings) EXPECT_EQ(Show(rt::ToDateTime(r.text)), r.shown) << r.text;
}

TEST(ToDateTime, RoundTripsItsOwnText) {
    for (const DateTime d : {Make(2013, 11, 20, 14, 35, 7), Make(2013, 11, 20, 14, 35),
                             Make(2013, 11, 20, 15), Make(2013, 11, 21), Make(100, 1, 1, 0, 0, 1),
                             Make(9999, 12, 31, 23, 59, 59)}) {
        EXPECT_EQ(rt::ToDateTime(rt::ToText(d)).days, d.days) << rt::ToText(d);
    }
}

TEST(ToDateTime, FailsOnDatesThatDoNotExistOrTextLeftOver) {
    for (const char* bad : {"2013-11-31 12:00:00", "2013-11-08 24:00:00", "2013x-11-08 12:00:00",
                            "2013-02-29", "2013-11-08 12:60", "2013-11-08 12:00:60",
                            "2013-11-08 12", "2013-11-08 ", " 2013-11-08", "2013-11-08 12:00:00 ",
                            "2013-11-08 12:00:00x", "2013-11-08T12:00:00", "20130-11-08",
                            "2013-011-08", "2013-11-008", "2013-11-08 012:00", "2013-11",
                            "2013", "", "-2013-11-08", "2013--11-08", "2013-11-08 12::00",
                            "99-12-31", "0000-01-01", "2013-13-01", "2013-00-10", "2013-11-00",
                            "2013年11月20日14", "2013-11-2014:35", "2013-11-08 12:00:00秒x",
                            "2013-11-08 12分", "2013年11月\xC8"}) {
        EXPECT_EQ(rt::ToDateTime(bad).days, kMinDateDays) << bad;
    }
}

TEST(AddToDate, ClockUnitsCrossDaysAndYears) {
    const DateTime eve = Make(2026, 12, 31, 20);
    EXPECT_EQ(Show(rt::AddToDate(eve, rt::kHours, 8)), "2027-01-01 04:00:00");
    EXPECT_EQ(Show(rt::AddToDate(eve, rt::kHours, -21)), "2026-12-30 23:00:00");
    EXPECT_EQ(Show(rt::AddToDate(eve, rt::kMinutes, 15)), "2026-12-31 20:15:00");
    EXPECT_EQ(Show(rt::AddToDate(eve, rt::kMinutes, 14460)), "2027-01-10 21:00:00");
    EXPECT_EQ(Show(rt::AddToDate(eve, rt::kSeconds, 4 * 3600 + 1)), "2027-01-01 00:00:01");
    EXPECT_EQ(Show(rt::AddToDate(eve, rt::kSeconds, -1)), "2026-12-31 19:59:59");
    EXPECT_EQ(Show(rt::AddToDate(eve, rt::kDays, 1)), "2027-01-01 20:00:00");
    EXPECT_EQ(Show(rt::AddToDate(eve, rt::kDays, -366)), "2025-12-30 20:00:00");
    EXPECT_EQ(Show(rt::AddToDate(eve, rt::kWeeks, 1)), "2027-01-07 20:00:00");
    EXPECT_EQ(Show(rt::AddToDate(eve, rt::kWeeks, -2)), "2026-12-17 20:00:00");
}

TEST(AddToDate, StraightAcrossTheEpoch) {
    // Serial fractions run backwards before day 0; the sum must not.
    const DateTime d = Make(1899, 12, 30, 2);
    EXPECT_EQ(Show(rt::AddToDate(d, rt::kHours, -4)), "1899-12-29 22:00:00");
    EXPECT_EQ(Show(rt::AddToDate(rt::AddToDate(d, rt::kHours, -4), rt::kHours, 4)),
              "1899-12-30 02:00:00");
    EXPECT_EQ(Show(rt::AddToDate(Make(1899, 12, 29, 6), rt::kHours, 1)), "1899-12-29 07:00:00");
    EXPECT_EQ(Show(rt::AddToDate(Make(1899, 12, 29, 6), rt::kDays, 2)), "1899-12-31 06:00:00");
}

TEST(AddToDate, MonthUnitsClampToTheMonthEnd) {
    EXPECT_EQ(Show(rt::AddToDate(Make(2025, 1, 31, 9, 8, 7), rt::kMonths, 1)), "2025-02-28 09:08:07");
    EXPECT_EQ(Show(rt::AddToDate(Make(2024, 1, 31), rt::kMonths, 1)), "2024-02-29 00:00:00");
    EXPECT_EQ(Show(rt::AddToDate(Make(2024, 3, 31), rt::kMonths, -1)), "2024-02-29 00:00:00");
    EXPECT_EQ(Show(rt::AddToDate(Make(2024, 1, 15), rt::kMonths, -1)), "2023-12-15 00:00:00");
    EXPECT_EQ(Show(rt::AddToDate(Make(2024, 1, 15), rt::kMonths, -13)), "2022-12-15 00:00:00");
    EXPECT_EQ(Show(rt::AddToDate(Make(2024, 12, 15), rt::kMonths, 1)), "2025-01-15 00:00:00");
    EXPECT_EQ(Show(rt::AddToDate(Make(2024, 2, 29), rt::kYears, 1)), "2025-02-28 00:00:00");
    EXPECT_EQ(Show(rt::AddToDate(Make(2024, 2, 29), rt::kYears, -4)), "2020-02-29 00:00:00");
    EXPECT_EQ(Show(rt::AddToDate(Make(2024, 8, 31), rt::kQuarters, 1)), "2024-11-30 00:00:00");
    EXPECT_EQ(Show(rt::AddToDate(Make(2024, 8, 31), rt::kQuarters, -3)), "2023-11-30 00:00:00");
}

TEST(AddToDate, ZeroOutOfRangeAndUnknownUnits) {
    const DateTime d = Make(2013, 11, 8, 12);
    EXPECT_EQ(rt::AddToDate(d, rt::kHours, 0).days, d.days);
    EXPECT_EQ(rt::AddToDate(DateTime{1e20}, rt::kDays, 0).days, 1e20);
    EXPECT_EQ(rt::AddToDate(d, 9, 5).days, d.days);
    EXPECT_EQ(rt::AddToDate(DateTime{1e20}, rt::kDays, 1).days, kMinDateDays);
    EXPECT_EQ(rt::AddToDate(Make(9999, 12, 31, 23), rt::kHours, 1).days, kMinDateDays);
    EXPECT_EQ(rt::AddToDate(Make(9999, 12, 1), rt::kMonths, 1).days, kMinDateDays);
    EXPECT_EQ(rt::AddToDate(Make(100, 1, 1), rt::kSeconds, -1).days, kMinDateDays);
    EXPECT_EQ(rt::AddToDate(d, rt::kYears, std::numeric_limits<int>::max()).days, kMinDateDays);
    EXPECT_EQ(rt::AddToDate(d, rt::kWeeks, std::numeric_limits<int>::min()).days, kMinDateDays);
    EXPECT_EQ(Show(rt::AddToDate(Make(9999, 12, 31), rt::kSeconds, 86399)), "9999-12-31 23:59:59");
}

}  // namespace
