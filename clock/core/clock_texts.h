// The mini clock's display texts for one reading of the clock.
#pragma once

#include "rt/values.h"

namespace clockapp {

struct ClockTexts {
    rt::Text hour, minute, second;  // "09", "05", "07"
    rt::Text month, day;            // " 3", "25": one-digit values get a blank
    rt::Text weekday;               // "日".."六"; kept when the weekday is out of range
    rt::Text DateLine() const;      // " 3月 8日\r\n星期日"
};

// Refreshes `texts` from the parts of one date-time; an out-of-range weekday
// leaves the weekday text as it was.
void RefreshClockTexts(int month, int day, int weekday, int hour, int minute, int second,
                       ClockTexts* texts);

// The same from one reading of the clock; every part comes from that value.
void RefreshClockTexts(rt::DateTime now, ClockTexts* texts);

// Gives back the memory of every text (the library's shut-down).
void ReleaseClockTexts(ClockTexts* texts);

}  // namespace clockapp
