// The spinner's two timers run under a millisecond clock with the program's
// own tick functions: what the label shows, and when.
#include <gtest/gtest.h>

#include <vector>

#include "core/spinner_steps.h"

namespace {

using velkora::SpinnerWrite;
using velkora::SpinnerWrites;

constexpr int32_t kBlank = 0x20;

TEST(SpinnerSteps, BeforeTheUpdateTheCounterRunsUpFromZeroAndWrapsOnlyAfterTheLastFrame) {
    int32_t glyph = 0;
    EXPECT_EQ(velkora::SpinnerStepTick(&glyph), (SpinnerWrites{{SpinnerWrite::kLabelText, 0}}));
    EXPECT_EQ(glyph, 1);
    glyph = 0xE051;
    EXPECT_EQ(velkora::SpinnerStepTick(&glyph).size(), 1u);
    EXPECT_EQ(glyph, 0xE052);
    glyph = 0xE0CB;
    EXPECT_EQ(velkora::SpinnerStepTick(&glyph).size(), 4u);
    EXPECT_EQ(glyph, 0xE052);
}

// A window timer as the layer keeps one: a new period restarts it from now,
// the same period leaves it running, 0 stops it.
struct Timer {
    int period = 0;
    int due = 0;
    void Set(int now, int value) {
        if (value == period) return;
        period = value;
        due = now + value;
    }
    bool Fires(int now) const { return period > 0 && now == due; }
};

struct Shown {
    int atMs;
    int32_t codePoint;
    bool operator==(const Shown& o) const { return atMs == o.atMs && codePoint == o.codePoint; }
};

// Runs the window from the update start for `untilMs`: the step timer with
// its laid-out period of 30 ms, the pause timer off, the first glyph set.
std::vector<Shown> RunTimers(int untilMs) {
    std::vector<Shown> shown;
    Timer step, pause;
    step.Set(0, 30);
    int32_t glyph = velkora::kSpinnerFirstGlyph;
    auto apply = [&](int now, const SpinnerWrites& writes) {
        for (const SpinnerWrite& w : writes) {
            if (w.target == SpinnerWrite::kLabelText) shown.push_back({now, w.value});
            if (w.target == SpinnerWrite::kStepPeriod) step.Set(now, w.value);
            if (w.target == SpinnerWrite::kPausePeriod) pause.Set(now, w.value);
        }
    };
    for (int now = 1; now <= untilMs; ++now) {
        const bool stepFires = step.Fires(now), pauseFires = pause.Fires(now);
        if (stepFires) {
            step.due = now + step.period;
            apply(now, velkora::SpinnerStepTick(&glyph));
        }
        if (pauseFires) {
            pause.due = now + pause.period;
            apply(now, velkora::SpinnerPauseTick());
        }
    }
    return shown;
}

// One cycle as the label shows it: U+E052..U+E0CB 30 ms apart from `at`,
// U+E0CB overwritten by the blank in its own tick.
void AppendCycle(std::vector<Shown>* out, int at) {
    for (int32_t i = 0; i < 122; ++i) out->push_back({at + 30 * i, 0xE052 + i});
    out->push_back({at + 30 * 121, kBlank});
}

TEST(SpinnerSteps, CyclesOf122Frames30MsApartTheLastBlankedInItsOwnTickThen280MsOfBlank) {
    const int nextCycle = 121 * 30 + 280;  // from one U+E052 to the next
    std::vector<Shown> expected;
    AppendCycle(&expected, 30);  // the first frame one period after the start
    AppendCycle(&expected, 30 + nextCycle);
    expected.push_back({30 + 2 * nextCycle, 0xE052});

    const std::vector<Shown> shown = RunTimers(expected.back().atMs);
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_TRUE(shown[i] == expected[i]) << i << ": U+" << std::hex << shown[i].codePoint << std::dec
                                              << " at " << shown[i].atMs << " ms, expected U+" << std::hex
                                              << expected[i].codePoint << std::dec << " at " << expected[i].atMs;
    }
}

}  // namespace
