#include "core/clock_texts.h"

#include "rt/dates.h"
#include "rt/numbers.h"
#include "rt/text.h"

namespace clockapp {
namespace {

const char* const kWeekdays[] = {"日", "一", "二", "三", "四", "五", "六"};

// Hours, minutes and seconds are padded with "0", month and day with a blank.
rt::Text PadTo2(int value, const char* pad) {
    rt::Text t = rt::ToText(static_cast<int32_t>(value));
    return rt::TextLength(t) == 1 ? pad + t : t;
}

}  // namespace

rt::Text ClockTexts::DateLine() const {
    return month + "月" + day + "日\r\n星期" + weekday;
}

void RefreshClockTexts(int month, int day, int weekday, int hour, int minute, int second,
                       ClockTexts* texts) {
    texts->month = PadTo2(month, " ");
    texts->day = PadTo2(day, " ");
    if (weekday >= 1 && weekday <= 7) texts->weekday = kWeekdays[weekday - 1];
    texts->hour = PadTo2(hour, "0");
    texts->minute = PadTo2(minute, "0");
    texts->second = PadTo2(second, "0");
}

void RefreshClockTexts(rt::DateTime now, ClockTexts* texts) {
    RefreshClockTexts(rt::DateMonth(now), rt::DateDay(now), rt::DateWeekday(now),
                      rt::DateHour(now), rt::DateMinute(now), rt::DateSecond(now), texts);
}

void ReleaseClockTexts(ClockTexts* texts) {
    // Swapping with empty strings frees the buffers; assigning "" would keep them.
    for (rt::Text* t : {&texts->hour, &texts->minute, &texts->second, &texts->month, &texts->day,
                        &texts->weekday}) {
        rt::Text().swap(*t);
    }
}

}  // namespace clockapp
