// The local clock. Wine refuses any change of more than half a second, so
// the only calls made here are "set to now" (accepted, changes nothing) and
// "an hour off" (refused); the host clock is never changed.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <cmath>
#include <limits>

#include "rt/clock.h"
#include "support/wine.h"

namespace {

// Waits until just after a whole second, so that a whole-second Now() is
// within a few milliseconds of the true time.
void WaitForSecondStart() {
    SYSTEMTIME st;
    ::GetLocalTime(&st);
    ::Sleep(1000 - st.wMilliseconds + 20);
}

TEST(Clock, NowIsTheLocalTimeInWholeSeconds) {
    WaitForSecondStart();
    SYSTEMTIME st;
    ::GetLocalTime(&st);
    const rt::DateTime now = rt::Now();
    const double seconds = now.days * 86400.0;
    EXPECT_NEAR(seconds, std::round(seconds), 1e-3);
    double expected = 0;
    st.wMilliseconds = 0;
    ASSERT_TRUE(::SystemTimeToVariantTime(&st, &expected));
    EXPECT_NEAR(expected, now.days, 1.5 / 86400.0);
}

TEST(Clock, SettingTheCurrentTimeIsAcceptedAndAnHourOffIsRefused) {
    if (!testsupport::UnderWine()) GTEST_SKIP() << "would move the real clock by an hour";
    WaitForSecondStart();
    EXPECT_TRUE(rt::SetLocalClock(rt::Now()));

    const rt::DateTime before = rt::Now();
    ::SetLastError(0);
    EXPECT_FALSE(rt::SetLocalClock(rt::DateTime{before.days + 1.0 / 24.0}));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PRIVILEGE_NOT_HELD), ::GetLastError());  // 1314
    EXPECT_NEAR(before.days, rt::Now().days, 5.0 / 86400.0);  // the clock did not move

    EXPECT_FALSE(rt::SetLocalClock(rt::DateTime{std::numeric_limits<double>::quiet_NaN()}));
}

TEST(Clock, TickCountAndSleep) {
    const uint32_t start = rt::TickCount();
    rt::SleepMs(120);
    EXPECT_GE(rt::TickCount() - start, 100u);
    const uint32_t beforeNegative = rt::TickCount();
    rt::SleepMs(-5);  // taken as 0
    EXPECT_LT(rt::TickCount() - beforeNegative, 100u);
}

}  // namespace
