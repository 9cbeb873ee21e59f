// Whether a synchronisation is running, for the timer that must not start a
// second one inside it.
#pragma once

namespace velkora {

bool SyncInProgress();
// Runs routine once when the running synchronisation has ended; asking again
// before then changes nothing.
void RunAfterSync(void (*routine)());

// What FetchServerTimeAndSetClock reports.
enum FetchResult : int {
    kNoServerTime = 0,
    kClockSet = 1,
    kClockRefused = 2,  // a date came back but the system refused the write
};

}  // namespace velkora
