// The local clock and the tick counter.
#pragma once

#include <cstdint>

#include "rt/values.h"

namespace rt {

DateTime Now();                 // local time, whole seconds (GetLocalTime)
// Holds the date to the years 100..9999, converts it (milliseconds 0) and
// calls SetLocalTime; false when it does not convert or the system refuses.
bool SetLocalClock(DateTime date);
uint32_t TickCount();           // GetTickCount
void SleepMs(int ms);           // negative = 0

}  // namespace rt
