// What the scheduled power window does. All state lives in the units'
// properties; the library keeps none of its own.
#include "power.h"

#include "rt/numbers.h"
#include "rt/shutdown.h"
#include "rt/window.h"
#include "unit_ids.h"

namespace power {

ShutdownAction g_shutdownAction = &rt::ShutdownSystem;

namespace {

using namespace config;

constexpr int kWindow = 0;  // the window's own unit
constexpr int kMinimised = 2;
constexpr int kPowerOff = 1, kRestart = 2, kHibernate = 5;
constexpr int kMsPerMinute = 60000;
constexpr int kRefreshMs = kMsPerMinute;  // the caption counts whole minutes

// The timer of the chosen action; 0 when none is chosen.
int ChosenActionTimer() {
    switch (rt::GetUnitInt(kConfigWindow, 组合框1, rt::kPropComboIndex)) {
    case 0: return 关机;
    case 1: return 重启;
    case 2: return 睡眠;
    default: return 0;
    }
}

// Minutes as typed, in milliseconds. A text that is not a number gives 0 and a
// negative one a negative period.
int32_t CountdownMs() {
    const int32_t minutes = rt::ToInteger(rt::GetUnitText(kConfigWindow, 编辑框1, rt::kPropText));
    return rt::TruncateToInt32(static_cast<double>(minutes) * kMsPerMinute);
}

// Hands the minutes back for correction: what is typed next replaces them.
void SelectMinutes() {
    rt::SendUnitMessage(kConfigWindow, 编辑框1, EM_SETSEL, 0, -1);
    SetFocus(rt::GetWindowHandle(kConfigWindow, 编辑框1));
}

// Carried out once: a PC resumed from hibernation must not go down again
// while the window stays open, and with the countdown spent the window has
// nothing left to show, as after a power-off or restart. A failed call is
// retried at the next tick.
void Act(int timer, int mode) {
    if (!g_shutdownAction(mode, false)) return;
    rt::SetUnitProperty(kConfigWindow, timer, rt::kPropInterval, 0);
    rt::DestroyWindowOrUnit(kConfigWindow);
}

}  // namespace

// A confirm that would start no countdown leaves the window as it was, so
// that it never looks armed when nothing will happen.
void _超级按钮1_被单击() {
    const int timer = ChosenActionTimer();
    const int32_t period = CountdownMs();
    if (timer == 0 || period <= 0) {
        SelectMinutes();
        return;
    }
    rt::SetUnitProperty(kConfigWindow, 编辑框1, rt::kPropDisabled, 1);
    rt::SetUnitProperty(kConfigWindow, 组合框1, rt::kPropDisabled, 1);
    rt::SetUnitProperty(kConfigWindow, 刷新, rt::kPropInterval, kRefreshMs);
    // Runs the size-changed handler before it returns.
    rt::SetUnitProperty(kConfigWindow, kWindow, rt::kPropPosition, kMinimised);
    rt::SetUnitProperty(kConfigWindow, timer, rt::kPropInterval, period);
}

void _超级按钮2_被单击() { rt::DestroyWindowOrUnit(kConfigWindow); }

void _关机_周期事件() { Act(关机, kPowerOff); }
void _重启_周期事件() { Act(重启, kRestart); }
void _睡眠_周期事件() { Act(睡眠, kHibernate); }

// The same text at every tick: the minutes as typed, not the time left.
void _刷新_周期事件() {
    const rt::Text text = "在" + rt::GetUnitText(kConfigWindow, 编辑框1, rt::kPropText) + "分钟后" +
                          rt::GetUnitText(kConfigWindow, 组合框1, rt::kPropComboText);
    rt::SetUnitProperty(kConfigWindow, kWindow, rt::kPropText, text);
    rt::SetUnitProperty(kConfigWindow, 超级按钮1, rt::kPropTooltip, text);
}

// Hiding and re-showing a minimised window keeps it minimised with its
// taskbar button; the show-in-taskbar writes only record the flag.
void _配置_尺寸被改变() {
    if (rt::GetUnitInt(kConfigWindow, kWindow, rt::kPropPosition) == kMinimised) {
        rt::SetUnitProperty(kConfigWindow, kWindow, rt::kPropVisible, 0);
        rt::SetUnitProperty(kConfigWindow, kWindow, rt::kPropShowInTaskbar, 1);
    }
    rt::SetUnitProperty(kConfigWindow, kWindow, rt::kPropVisible, 1);
    rt::SetUnitProperty(kConfigWindow, kWindow, rt::kPropShowInTaskbar, 0);
}

void 定时关机() { rt::LoadWindow(ConfigWindowTemplate(), nullptr, true); }

void 销毁关机() {
    if (rt::IsCreated(kConfigWindow)) rt::DestroyWindowOrUnit(kConfigWindow);
}

}  // namespace power
