#include "core/spinner_steps.h"

namespace velkora {

SpinnerStep NextSpinnerStep(int32_t glyph) {
    SpinnerStep step;
    step.shown = glyph;
    // Before the update starts the counter runs up from 0 in a hidden label;
    // only passing the last frame wraps it, as during the animation.
    if (glyph >= kSpinnerLastGlyph) {
        step.next = kSpinnerFirstGlyph;
        step.pauseAfter = true;
    } else {
        step.next = glyph + 1;
    }
    return step;
}

}  // namespace velkora
