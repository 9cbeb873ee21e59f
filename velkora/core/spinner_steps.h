// What the update spinner's two timers do at each tick, kept apart from the
// window so that the cycle (122 frames 30 ms apart, then a blank pause of
// 250 ms) is testable: the window applies these writes as they come.
#pragma once

#include <cstdint>
#include <vector>

namespace velkora {

constexpr int32_t kSpinnerFirstGlyph = 0xE052;
constexpr int32_t kSpinnerLastGlyph = 0xE0CB;

// One write of a tick, in the order the tick makes them.
struct SpinnerWrite {
    enum Target { kLabelText, kStepPeriod, kPausePeriod };
    Target target;
    int32_t value;  // the code point shown (0x20: the blank), or a period in ms

    bool operator==(const SpinnerWrite& o) const { return target == o.target && value == o.value; }
};
using SpinnerWrites = std::vector<SpinnerWrite>;

// The step timer (加载1) elapsed: shows *glyph and moves it on. After the
// last frame the label goes blank within the same tick, the pause timer
// (加载2) starts and the step timer stops.
SpinnerWrites SpinnerStepTick(int32_t* glyph);

// The pause timer elapsed: the step timer starts again, the pause timer stops.
SpinnerWrites SpinnerPauseTick();

}  // namespace velkora
