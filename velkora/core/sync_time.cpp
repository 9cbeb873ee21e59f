#include "core/sync_time.h"

#include "rt/dates.h"
#include "rt/numbers.h"

#include <string>

namespace velkora {

rt::DateTime CorrectServerTime(rt::DateTime serverTime, int offsetHours, uint32_t roundTripMs) {
    const int seconds = static_cast<int>(
        rt::IntDivide(static_cast<double>(roundTripMs), {1000.0}));
    rt::DateTime date = rt::AddToDate(serverTime, rt::kHours, offsetHours);
    return rt::AddToDate(date, rt::kSeconds, seconds);
}

rt::Text SuccessLogLine(uint32_t elapsedMs) {
    // Unsigned on purpose: the count is taken modulo 2^32.
    return "校对成功！\r\n用时:" + std::to_string(elapsedMs) + " ms";
}

}  // namespace velkora
