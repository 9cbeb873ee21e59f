// Date-time arithmetic on the OLE automation date (see values.h).
#pragma once

#include "rt/values.h"

namespace rt {

struct CivilTime {
    int year = 100, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};

// Units of AddToDate.
enum DateUnit {
    kYears = 1, kQuarters = 2, kMonths = 3, kWeeks = 4,
    kDays = 5, kHours = 6, kMinutes = 7, kSeconds = 8,
};

// Reads "Y-M-D[ h:m[:s]]" with separators "-", "/", ".", ":" (blank after
// the day) or 年 月 日 时 分 秒; the text is folded first; a year of up to 4
// digits, other fields 1-2 digits; the whole text must be consumed and the
// date must exist. Failure gives kMinDateDays. 
DateTime ToDateTime(const Text& text);

// Moves the date; month-based units clamp the day to the month's end.
// An amount of 0 returns the date unchanged.
DateTime AddToDate(DateTime date, int unit, int amount);

// Parts; each -1 for a date outside the valid range.
int DateMonth(DateTime date);
int DateDay(DateTime date);
int DateWeekday(DateTime date);  // 1 Sunday .. 7 Saturday
int DateHour(DateTime date);
int DateMinute(DateTime date);
int DateSecond(DateTime date);

// Civil <-> serial, whole seconds (rounded to the nearest second).
bool DateToCivil(DateTime date, CivilTime* out);  // false outside the range
bool CivilToDate(const CivilTime& civil, DateTime* out);  // false if it does not exist

}  // namespace rt
