#include "core/balloon_text.h"

#include "rt/dates.h"
#include "rt/numbers.h"

namespace velkora {

namespace {
constexpr double kMsPerMinute = 60000.0;
}

int32_t MinutesToPeriod(int32_t minutes) {
    return rt::ToInteger(static_cast<double>(minutes) * kMsPerMinute);
}

rt::Text PeriodToMinutesText(int32_t periodMs) {
    return rt::ToText(static_cast<double>(periodMs) / kMsPerMinute);
}

rt::Text AutoSyncBalloonText(rt::DateTime runEnded, int32_t periodMs) {
    const int32_t minutes = rt::ToInteger(static_cast<double>(periodMs) / kMsPerMinute);
    const rt::DateTime next = rt::AddToDate(runEnded, rt::kMinutes, minutes);
    return "提示：系统已自动校准时间\r\n下次校准时间：" + rt::ToText(next);
}

}  // namespace velkora
