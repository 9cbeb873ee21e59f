// The spinner's cycle: 122 frames from U+E052, the last one blanked in its
// own step, a 250 ms pause, and the next cycle from U+E052 again.
#include <gtest/gtest.h>

#include <vector>

#include "core/spinner_steps.h"

namespace {

using velkora::kSpinnerFirstGlyph;
using velkora::kSpinnerLastGlyph;
using velkora::NextSpinnerStep;

TEST(SpinnerSteps, OneCycleShowsE052ToE0CBAndPausesAfterTheLast) {
    int32_t glyph = kSpinnerFirstGlyph;
    std::vector<int32_t> shown;
    for (int i = 0; i < 122; ++i) {
        const auto step = NextSpinnerStep(glyph);
        shown.push_back(step.shown);
        EXPECT_EQ(step.pauseAfter, i == 121) << i;
        glyph = step.next;
    }
    EXPECT_EQ(shown.front(), 0xE052);
    EXPECT_EQ(shown[120], 0xE0CA);
    EXPECT_EQ(shown.back(), 0xE0CB);
    for (size_t i = 1; i < shown.size(); ++i) EXPECT_EQ(shown[i], shown[i - 1] + 1);
    EXPECT_EQ(glyph, kSpinnerFirstGlyph);
}

TEST(SpinnerSteps, BeforeTheUpdateTheCounterRunsUpFromZeroUnpaused) {
    EXPECT_EQ(NextSpinnerStep(0).next, 1);
    EXPECT_FALSE(NextSpinnerStep(0).pauseAfter);
    EXPECT_FALSE(NextSpinnerStep(kSpinnerFirstGlyph - 1).pauseAfter);
    EXPECT_TRUE(NextSpinnerStep(kSpinnerLastGlyph).pauseAfter);
}

// Plays the two timers as the window runs them: the step timer at 30 ms,
// and after the last frame the pause timer at 250 ms, which restarts the
// step timer. Records what the label shows at each change.
struct Change {
    int atMs;
    int32_t codePoint;  // 0x20: the blank
};

std::vector<Change> PlayTimers(int untilMs) {
    std::vector<Change> changes;
    int32_t glyph = kSpinnerFirstGlyph;
    int stepPeriod = velkora::kSpinnerStepMs, pausePeriod = 0;
    int nextStep = stepPeriod, nextPause = -1;
    for (int t = 0; t <= untilMs; ++t) {
        if (stepPeriod > 0 && t == nextStep) {
            const auto step = NextSpinnerStep(glyph);
            glyph = step.next;
            if (step.pauseAfter) {
                changes.push_back({t, 0x20});
                pausePeriod = velkora::kSpinnerPauseMs;
                nextPause = t + pausePeriod;
                stepPeriod = 0;
            } else {
                changes.push_back({t, step.shown});
                nextStep = t + stepPeriod;
            }
        }
        if (pausePeriod > 0 && t == nextPause) {
            stepPeriod = velkora::kSpinnerStepMs;
            nextStep = t + stepPeriod;
            pausePeriod = 0;
        }
    }
    return changes;
}

TEST(SpinnerSteps, AfterE0CATheLabelIsBlankForAbout280MsThenE052Returns) {
    const auto changes = PlayTimers(2 * 122 * 30 + 600);
    size_t i = 0;
    while (i < changes.size() && changes[i].codePoint != 0xE0CA) ++i;
    ASSERT_LT(i + 2, changes.size());
    EXPECT_EQ(changes[i + 1].codePoint, 0x20);        // U+E0CB never stays
    EXPECT_EQ(changes[i + 1].atMs - changes[i].atMs, 30);
    EXPECT_EQ(changes[i + 2].codePoint, 0xE052);
    EXPECT_EQ(changes[i + 2].atMs - changes[i + 1].atMs, 280);
    for (const Change& c : changes) EXPECT_NE(c.codePoint, 0xE0CB);
}

}  // namespace
