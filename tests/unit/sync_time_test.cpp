#include "core/sync_time.h"
#include "core/sync_gate.h"

#include <gtest/gtest.h>

#include "expect_civil_time.h"
#include "rt/dates.h"

namespace {

rt::DateTime At(int y, int mo, int d, int h, int mi, int s) {
    rt::DateTime out;
    EXPECT_TRUE(rt::CivilToDate(rt::CivilTime{y, mo, d, h, mi, s}, &out));
    return out;
}

}  // namespace

using unittest::ExpectCivilTime;
using velkora::CorrectServerTime;

TEST(CorrectServerTime, AddsZoneHoursAndWholeRoundTripSeconds) {
    const rt::DateTime gmt = At(2026, 12, 8, 8, 0, 0);
    ExpectCivilTime(CorrectServerTime(gmt, 8, 1830), 2026, 12, 8, 16, 0, 1);
    ExpectCivilTime(CorrectServerTime(gmt, 0, 0), 2026, 12, 8, 8, 0, 0);
    ExpectCivilTime(CorrectServerTime(gmt, -1, 0), 2026, 12, 8, 7, 0, 0);  // no list entry current
}

TEST(CorrectServerTime, DropsTheFractionOfASecond) {
    const rt::DateTime gmt = At(2026, 12, 8, 8, 0, 0);
    ExpectCivilTime(CorrectServerTime(gmt, 0, 999), 2026, 12, 8, 8, 0, 0);
    ExpectCivilTime(CorrectServerTime(gmt, 0, 1000), 2026, 12, 8, 8, 0, 1);
    ExpectCivilTime(CorrectServerTime(gmt, 0, 1999), 2026, 12, 8, 8, 0, 1);
    ExpectCivilTime(CorrectServerTime(gmt, 0, 2000), 2026, 12, 8, 8, 0, 2);
}

TEST(CorrectServerTime, CrossesDayAndYearBoundaries) {
    ExpectCivilTime(CorrectServerTime(At(2026, 12, 8, 5, 0, 0), -10, 300), 2026, 12, 7, 19, 0, 0);
    ExpectCivilTime(CorrectServerTime(At(2026, 12, 31, 20, 0, 0), 8, 1200), 2027, 1, 1, 4, 0, 1);
    ExpectCivilTime(CorrectServerTime(At(2024, 2, 28, 23, 59, 59), 0, 1500), 2024, 2, 29, 0, 0, 0);
}

TEST(TickDifference, IsTheTrueIntervalAcrossAWrap) {
    EXPECT_EQ(velkora::TickDifference(1500u, 500u), 1000u);
    EXPECT_EQ(velkora::TickDifference(200u, 0xFFFFFF00u), 456u);
    EXPECT_EQ(velkora::TickDifference(0u, 0xFFFFFFFFu), 1u);
    // A round trip measured across the wrap still adds its whole seconds.
    ExpectCivilTime(CorrectServerTime(At(2026, 12, 8, 8, 0, 0), 0, velkora::TickDifference(1000u, 0xFFFFFC18u)),
             2026, 12, 8, 8, 0, 2);
}

TEST(SuccessLogLine, HasTheElapsedMilliseconds) {
    EXPECT_EQ(velkora::SuccessLogLine(0), "校对成功！\r\n用时:0 ms");
    EXPECT_EQ(velkora::SuccessLogLine(1234), "校对成功！\r\n用时:1234 ms");
}

namespace {
int g_ticksRun = 0;
void CountTick() { ++g_ticksRun; }
}  // namespace

TEST(SyncGate, ATickDuringARunWaitsAndComesOnceAfterIt) {
    velkora::SyncGate gate;
    EXPECT_FALSE(gate.Busy());
    EXPECT_EQ(gate.End(), nullptr);  // nothing waited

    gate.Begin();
    EXPECT_TRUE(gate.Busy());
    gate.Defer(&CountTick);
    gate.Defer(&CountTick);  // a second tick inside the same run adds nothing
    velkora::SyncGate::Routine waiting = gate.End();
    EXPECT_FALSE(gate.Busy());
    ASSERT_EQ(waiting, &CountTick);
    waiting();
    EXPECT_EQ(g_ticksRun, 1);
    EXPECT_EQ(gate.End(), nullptr);  // handed out once
}
