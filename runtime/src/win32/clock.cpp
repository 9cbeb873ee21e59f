// The local clock through GetLocalTime/SetLocalTime. The serial date maps to
// a SYSTEMTIME through the automation date routines, which use the same
// epoch and the same handling of negative serials as DateTime.
#include <windows.h>
#include <oleauto.h>

#include <cmath>

#include "late_bound.h"
#include "rt/clock.h"

namespace rt {

namespace {
// The last representable second of 9999-12-31; anything later would round
// into the year 10000, which no SYSTEMTIME holds.
constexpr double kLastSecondDays = kMaxDateDays + 86399.0 / 86400.0;
}  // namespace

DateTime Now() {
    SYSTEMTIME st{};
    ::GetLocalTime(&st);
    st.wMilliseconds = 0;
    double days = kMinDateDays;
    if (!detail::OleAut32().SystemTimeToVariantTime(&st, &days)) days = kMinDateDays;
    return DateTime{days};
}

bool SetLocalClock(DateTime date) {
    double days = date.days;
    if (std::isnan(days)) return false;
    if (days < kMinDateDays) days = kMinDateDays;
    if (days > kLastSecondDays) days = kLastSecondDays;
    SYSTEMTIME st{};
    if (!detail::OleAut32().VariantTimeToSystemTime(days, &st)) return false;
    st.wMilliseconds = 0;
    return ::SetLocalTime(&st) != FALSE;
}

uint32_t TickCount() { return static_cast<uint32_t>(::GetTickCount()); }

void SleepMs(int ms) { ::Sleep(ms < 0 ? 0 : static_cast<DWORD>(ms)); }

}  // namespace rt
