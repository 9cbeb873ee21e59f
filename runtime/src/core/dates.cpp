#include "rt/dates.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "rt/numbers.h"
#include "rt/text.h"

namespace rt {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Days from 1970-01-01 to the serial date's day 0, 1899-12-30.
constexpr int64_t kEpochShift = 25569;

bool IsLeapYear(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int64_t year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Proleptic Gregorian day count from 1970-01-01 (Howard Hinnant's
// days_from_civil), the calendar the serial date uses for every year.
int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t* y, int* m, int* d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    *d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    *m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *y = yoe + era * 400 + (*m <= 2);
}

bool LinearInRange(int64_t linear) {
    return linear >= static_cast<int64_t>(kMinDateDays) * kSecondsPerDay &&
           linear < (static_cast<int64_t>(kMaxDateDays) + 1) * kSecondsPerDay;
}

// A serial date as whole seconds since 1899-12-30 00:00 on a straight line.
// Serial dates before day 0 count their fraction away from zero (-1.25 is
// 1899-12-29 06:00), which this undoes. False outside the valid range.
bool ToLinearSeconds(DateTime date, int64_t* out) {
    const double v = date.days;
    if (!(v > kMinDateDays - 1.0 && v < kMaxDateDays + 1.0)) return false;
    const double day = std::trunc(v);
    const int64_t time = static_cast<int64_t>(std::llround(std::fabs(v - day) * kSecondsPerDay));
    const int64_t linear = static_cast<int64_t>(day) * kSecondsPerDay + time;
    if (!LinearInRange(linear)) return false;  // rounded past 9999-12-31 23:59:59
    *out = linear;
    return true;
}

// Whole days and the seconds into the last one; the remainder is never
// negative, so times before day 0 fall on the earlier day.
void SplitLinear(int64_t linear, int64_t* day, int64_t* time) {
    *day = linear / kSecondsPerDay;
    *time = linear % kSecondsPerDay;
    if (*time < 0) {
        *time += kSecondsPerDay;
        --*day;
    }
}

DateTime FromLinearSeconds(int64_t linear) {
    int64_t day = 0, time = 0;
    SplitLinear(linear, &day, &time);
    const double fraction = static_cast<double>(time) / kSecondsPerDay;
    return DateTime{day >= 0 ? day + fraction : day - fraction};
}

CivilTime CivilFromLinear(int64_t linear) {
    int64_t day = 0, time = 0;
    SplitLinear(linear, &day, &time);
    CivilTime c;
    int64_t year = 0;
    CivilFromDays(day - kEpochShift, &year, &c.month, &c.day);
    c.year = static_cast<int>(year);
    c.hour = static_cast<int>(time / 3600);
    c.minute = static_cast<int>(time / 60 % 60);
    c.second = static_cast<int>(time % 60);
    return c;
}

bool CivilIsValid(const CivilTime& c) {
    return c.year >= 100 && c.year <= 9999 && c.month >= 1 && c.month <= 12 && c.day >= 1 &&
           c.day <= DaysInMonth(c.year, c.month) && c.hour >= 0 && c.hour <= 23 &&
           c.minute >= 0 && c.minute <= 59 && c.second >= 0 && c.second <= 59;
}

int64_t LinearFromCivil(const CivilTime& c) {
    const int64_t day = DaysFromCivil(c.year, c.month, c.day) + kEpochShift;
    return day * kSecondsPerDay + c.hour * 3600 + c.minute * 60 + c.second;
}

// Month-based units keep the time of day and clamp the day to the end of
// the target month (Jan 31 + 1 month = the last day of February).
DateTime AddMonths(DateTime date, int64_t months) {
    CivilTime c;
    if (!DateToCivil(date, &c)) return DateTime{kMinDateDays};
    const int64_t index = int64_t{c.year} * 12 + (c.month - 1) + months;
    const int64_t year = index >= 0 ? index / 12 : (index - 11) / 12;
    if (year < 100 || year > 9999) return DateTime{kMinDateDays};
    c.year = static_cast<int>(year);
    c.month = static_cast<int>(index - year * 12) + 1;
    const int last = DaysInMonth(c.year, c.month);
    if (c.day > last) c.day = last;
    DateTime out;
    CivilToDate(c, &out);
    return out;
}

int Part(DateTime date, int CivilTime::*field) {
    CivilTime c;
    if (!DateToCivil(date, &c)) return -1;
    return c.*field;
}

// ---- Reading "Y-M-D h:m:s" and its 年月日时分秒 form ------------------------

class DateReader {
public:
    explicit DateReader(const Text& text) : t_(text) {}

    bool AtEnd() const { return pos_ == t_.size(); }

    // A run of 1..maxDigits decimal digits; a longer run fails.
    bool Number(int maxDigits, int* out) {
        int value = 0;
        int count = 0;
        while (pos_ < t_.size() && t_[pos_] >= '0' && t_[pos_] <= '9') {
            if (++count > maxDigits) return false;
            value = value * 10 + (t_[pos_] - '0');
            ++pos_;
        }
        *out = value;
        return count > 0;
    }

    bool Take(const char* literal) {
        const Text::size_type n = std::char_traits<char>::length(literal);
        if (t_.compare(pos_, n, literal) != 0) return false;
        pos_ += n;
        return true;
    }

    bool TakeDateSeparator(const char* character) {
        return Take("-") || Take("/") || Take(".") || Take(character);
    }

private:
    const Text& t_;
    size_t pos_ = 0;
};

bool ReadTime(DateReader& r, CivilTime* c) {
    if (!r.Number(2, &c->hour)) return false;
    if (r.Take("时")) {
        if (r.AtEnd()) return true;
    } else if (!r.Take(":")) {
        return false;  // an hour alone needs its 时
    }
    if (!r.Number(2, &c->minute)) return false;
    if (r.AtEnd()) return true;
    if (r.Take("分")) {
        if (r.AtEnd()) return true;
    } else if (!r.Take(":")) {
        return false;
    }
    if (!r.Number(2, &c->second)) return false;
    r.Take("秒");
    return r.AtEnd();
}

bool ReadDateTime(const Text& text, CivilTime* c) {
    DateReader r(text);
    if (!r.Number(4, &c->year) || !r.TakeDateSeparator("年")) return false;
    if (!r.Number(2, &c->month) || !r.TakeDateSeparator("月")) return false;
    if (!r.Number(2, &c->day)) return false;
    if (r.AtEnd()) return true;
    if (r.Take("日")) {
        if (r.AtEnd()) return true;
        r.Take(" ");
    } else if (!r.Take(" ")) {
        return false;  // without 日 only a blank may part the day from the hour
    }
    return ReadTime(r, c);
}

}  // namespace

bool DateToCivil(DateTime date, CivilTime* out) {
    int64_t linear = 0;
    if (!ToLinearSeconds(date, &linear)) return false;
    if (out) *out = CivilFromLinear(linear);
    return true;
}

bool CivilToDate(const CivilTime& civil, DateTime* out) {
    if (!CivilIsValid(civil)) return false;
    if (out) *out = FromLinearSeconds(LinearFromCivil(civil));
    return true;
}

DateTime ToDateTime(const Text& text) {
    CivilTime c;
    DateTime out{kMinDateDays};
    if (!ReadDateTime(FoldFullWidth(text), &c) || !CivilToDate(c, &out)) {
        return DateTime{kMinDateDays};
    }
    return out;
}

DateTime AddToDate(DateTime date, int unit, int amount) {
    if (amount == 0) return date;
    int64_t perUnit = 0;
    switch (unit) {
        case kYears: return AddMonths(date, int64_t{amount} * 12);
        case kQuarters: return AddMonths(date, int64_t{amount} * 3);
        case kMonths: return AddMonths(date, amount);
        case kWeeks: perUnit = 7 * kSecondsPerDay; break;
        case kDays: perUnit = kSecondsPerDay; break;
        case kHours: perUnit = 3600; break;
        case kMinutes: perUnit = 60; break;
        case kSeconds: perUnit = 1; break;
        default: return date;
    }
    int64_t linear = 0;
    if (!ToLinearSeconds(date, &linear)) return DateTime{kMinDateDays};
    // Straight-line seconds: a serial date's fraction runs backwards before
    // 1899-12-30, so adding to the double directly would be wrong there.
    linear += amount * perUnit;
    if (!LinearInRange(linear)) return DateTime{kMinDateDays};
    return FromLinearSeconds(linear);
}

int DateMonth(DateTime date) { return Part(date, &CivilTime::month); }
int DateDay(DateTime date) { return Part(date, &CivilTime::day); }
int DateHour(DateTime date) { return Part(date, &CivilTime::hour); }
int DateMinute(DateTime date) { return Part(date, &CivilTime::minute); }
int DateSecond(DateTime date) { return Part(date, &CivilTime::second); }

int DateWeekday(DateTime date) {
    int64_t linear = 0;
    if (!ToLinearSeconds(date, &linear)) return -1;
    int64_t day = linear / kSecondsPerDay;
    if (linear % kSecondsPerDay < 0) --day;
    // Day 0, 1899-12-30, was a Saturday.
    const int64_t sinceSunday = ((day + 6) % 7 + 7) % 7;
    return static_cast<int>(sinceSunday) + 1;
}

Text ToText(DateTime value) {
    CivilTime c;
    if (!DateToCivil(value, &c)) return Text();
    char buffer[96];
    int n = std::snprintf(buffer, sizeof buffer, "%d年%d月%d日", c.year, c.month, c.day);
    if (c.second != 0) {
        n += std::snprintf(buffer + n, sizeof buffer - n, "%d时%d分%d秒", c.hour, c.minute, c.second);
    } else if (c.minute != 0) {
        n += std::snprintf(buffer + n, sizeof buffer - n, "%d时%d分", c.hour, c.minute);
    } else if (c.hour != 0) {
        n += std::snprintf(buffer + n, sizeof buffer - n, "%d时", c.hour);
    }
    return Text(buffer, static_cast<size_t>(n));
}

}  // namespace rt
