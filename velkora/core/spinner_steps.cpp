#include "core/spinner_steps.h"

namespace velkora {

namespace {

constexpr int32_t kStepMs = 30;    // period of 加载1 while stepping
constexpr int32_t kPauseMs = 250;  // period of 加载2 between cycles
constexpr int32_t kBlank = 0x20;

}  // namespace

SpinnerWrites SpinnerStepTick(int32_t* glyph) {
    SpinnerWrites writes{{SpinnerWrite::kLabelText, *glyph}};
    // Before the update starts the counter runs up from 0 in a hidden label;
    // only passing the last frame wraps it, as during the animation.
    if (*glyph < kSpinnerLastGlyph) {
        ++*glyph;
        return writes;
    }
    *glyph = kSpinnerFirstGlyph;
    writes.push_back({SpinnerWrite::kLabelText, kBlank});
    writes.push_back({SpinnerWrite::kPausePeriod, kPauseMs});
    writes.push_back({SpinnerWrite::kStepPeriod, 0});
    return writes;
}

SpinnerWrites SpinnerPauseTick() {
    return {{SpinnerWrite::kStepPeriod, kStepMs}, {SpinnerWrite::kPausePeriod, 0}};
}

}  // namespace velkora
