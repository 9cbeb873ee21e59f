// The update spinner's stepping rule, kept apart from the window so that the
// cycle (122 frames 30 ms apart, then a blank pause of 250 ms) is testable.
#pragma once

#include <cstdint>

namespace velkora {

constexpr int32_t kSpinnerFirstGlyph = 0xE052;
constexpr int32_t kSpinnerLastGlyph = 0xE0CB;
constexpr int32_t kSpinnerStepMs = 30;    // period of 加载1 while stepping
constexpr int32_t kSpinnerPauseMs = 250;  // period of 加载2 between cycles

// What one tick of the step timer does, given the glyph about to be shown.
struct SpinnerStep {
    int32_t shown = 0;       // code point written into the label
    int32_t next = 0;        // the glyph for the following tick
    bool pauseAfter = false; // the label goes blank and the pause timer starts
};

SpinnerStep NextSpinnerStep(int32_t glyph);

}  // namespace velkora
