// The time arithmetic of one synchronisation.
#pragma once

#include <cstdint>

#include "rt/values.h"

namespace velkora {

// later - earlier of two GetTickCount readings; true across a wrap of the
// counter because the difference is taken modulo 2^32.
inline uint32_t TickDifference(uint32_t later, uint32_t earlier) {
    return later - earlier;
}

// The server's GMT reading taken as local time, moved by the zone's whole
// hours and by the whole seconds of the round trip (the fraction dropped).
rt::DateTime CorrectServerTime(rt::DateTime serverTime, int offsetHours, uint32_t roundTripMs);

// The log line of a successful run: "校对成功！\r\n用时:" N " ms".
rt::Text SuccessLogLine(uint32_t elapsedMs);

}  // namespace velkora
