// The plug-ins' windows and handlers, driven in-process through the layer.
// The power action is replaced by a recorder before anything runs, so no
// test can ever shut the machine down.
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/clock_texts.h"
#include "mini_clock.h"
#include "power.h"
#include "rt/clock.h"
#include "rt/window.h"

namespace {

std::vector<std::pair<int, bool>> g_actions;
bool g_actionSucceeds = false;
bool RecordAction(int mode, bool force) {
    g_actions.emplace_back(mode, force);
    return g_actionSucceeds;
}

class PowerWindow : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = power::g_shutdownAction;
        power::g_shutdownAction = &RecordAction;
        g_actions.clear();
        g_actionSucceeds = false;
    }
    void TearDown() override {
        Close();
        power::g_shutdownAction = saved_;
    }
    void Open() {
        ASSERT_TRUE(rt::LoadWindow(power::ConfigWindowTemplate(), nullptr, false));
        ASSERT_TRUE(rt::IsCreated(power::kConfigWindow));
    }
    static void Close() {
        power::销毁关机();
        for (int i = 0; i < 200 && rt::IsCreated(power::kConfigWindow); ++i) {
            rt::ProcessPendingEvents();
            Sleep(5);
        }
    }
    static int Int(int unit, int index) { return rt::GetUnitInt(power::kConfigWindow, unit, index); }
    static rt::Text Str(int unit, int index) { return rt::GetUnitText(power::kConfigWindow, unit, index); }
    // Types the minutes as pasted text (the edit filter sees only typed keys).
    static void Confirm(const char* minutes, int action) {
        rt::SetUnitProperty(power::kConfigWindow, power::config::编辑框1, rt::kPropText, minutes);
        rt::SetUnitProperty(power::kConfigWindow, power::config::组合框1, rt::kPropComboIndex, action);
        power::_超级按钮1_被单击();
    }
    // A tick as the layer delivers it: only a running timer raises its event.
    static void Tick(int timer) {
        SendMessageA(rt::GetWindowHandle(power::kConfigWindow), WM_TIMER, rt::kTimerIdBase + timer, 0);
    }
    power::ShutdownAction saved_ = nullptr;
};

using namespace power::config;

TEST_F(PowerWindow, ActionTimersCallPowerOffRestartAndHibernate) {
    power::_关机_周期事件();
    power::_重启_周期事件();
    power::_睡眠_周期事件();
    const std::vector<std::pair<int, bool>> expected = {{1, false}, {2, false}, {5, false}};
    EXPECT_EQ(g_actions, expected);
}

TEST_F(PowerWindow, OpensWithItsPresetsAndNoTimerRunning) {
    Open();
    EXPECT_EQ(Str(编辑框1, rt::kPropText), "200");
    EXPECT_EQ(Int(组合框1, rt::kPropComboIndex), 0);
    EXPECT_EQ(Str(组合框1, rt::kPropComboText), "关机");
    EXPECT_EQ(Str(超级按钮1, rt::kPropTooltip), "在200分钟后关机");
    EXPECT_EQ(Str(0, rt::kPropText), "定时关机小巧版");
    for (int timer : {刷新, 关机, 重启, 睡眠}) EXPECT_EQ(Int(timer, rt::kPropInterval), 0) << timer;
    HWND hwnd = rt::GetWindowHandle(power::kConfigWindow);
    RECT r;
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.right - r.left, 298);
    EXPECT_EQ(r.bottom - r.top, 204);
}

TEST_F(PowerWindow, ConfirmDisablesInputsMinimisesAndArmsOnlyTheChosenTimer) {
    Open();
    Confirm("5", 2);
    EXPECT_EQ(Int(编辑框1, rt::kPropDisabled), 1);
    EXPECT_EQ(Int(组合框1, rt::kPropDisabled), 1);
    EXPECT_EQ(Int(超级按钮1, rt::kPropDisabled), 0);
    EXPECT_EQ(Int(超级按钮2, rt::kPropDisabled), 0);
    EXPECT_EQ(Int(刷新, rt::kPropInterval), 60000);
    EXPECT_EQ(Int(睡眠, rt::kPropInterval), 5 * 60000);
    EXPECT_EQ(Int(关机, rt::kPropInterval), 0);
    EXPECT_EQ(Int(重启, rt::kPropInterval), 0);
    HWND hwnd = rt::GetWindowHandle(power::kConfigWindow);
    EXPECT_TRUE(IsIconic(hwnd));
    EXPECT_TRUE(IsWindowVisible(hwnd));  // hidden and shown again: keeps its taskbar button
    EXPECT_EQ(Int(0, rt::kPropPosition), 2);

    // A second confirm changes nothing.
    power::_超级按钮1_被单击();
    EXPECT_EQ(Int(睡眠, rt::kPropInterval), 5 * 60000);
    EXPECT_TRUE(g_actions.empty());
}

TEST_F(PowerWindow, ActionCarriedOutOnceClosesTheWindowAndAFailedOneIsRetried) {
    struct Case { int action; int timer; int mode; };
    for (const Case& c : {Case{0, 关机, 1}, Case{1, 重启, 2}, Case{2, 睡眠, 5}}) {
        for (bool succeeds : {false, true}) {
            SCOPED_TRACE(testing::Message() << "action " << c.action << (succeeds ? " succeeds" : " fails"));
            g_actions.clear();
            g_actionSucceeds = succeeds;
            Open();
            Confirm("200", c.action);
            Tick(c.timer);
            Tick(c.timer);
            const std::vector<std::pair<int, bool>> calls(succeeds ? 1 : 2, {c.mode, false});
            EXPECT_EQ(g_actions, calls);
            EXPECT_EQ(Int(c.timer, rt::kPropInterval), succeeds ? 0 : 200 * 60000);
            rt::ProcessPendingEvents();
            EXPECT_EQ(rt::IsCreated(power::kConfigWindow), !succeeds);
            Close();
        }
    }
}

// An entry that would arm no timer leaves the window as it was.
TEST_F(PowerWindow, MinutesAreReadAsTheLayerReadsNumbers) {
    struct Case { const char* minutes; int action; int timer; int32_t expected; };
    const Case cases[] = {
        {"9999", 0, 关机, 599940000},  // the largest four-character input
        {"1", 1, 重启, 60000},
        {"-", 0, 关机, 0},             // a lone minus sign arms nothing
        {"abc", 1, 重启, 0},           // pasted letters neither
        {"-5", 2, 睡眠, 0},            // a negative period leaves the timer off
        {"0", 2, 睡眠, 0},
        {"", 0, 关机, 0},
        {"200", -1, 关机, 0},          // no action chosen
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "minutes \"" << c.minutes << "\", action " << c.action);
        Open();
        Confirm(c.minutes, c.action);
        EXPECT_EQ(Int(c.timer, rt::kPropInterval), c.expected);
        const bool armed = c.expected > 0;
        EXPECT_EQ(Int(刷新, rt::kPropInterval), armed ? 60000 : 0);
        EXPECT_EQ(Int(编辑框1, rt::kPropDisabled), armed ? 1 : 0);
        EXPECT_EQ(Int(组合框1, rt::kPropDisabled), armed ? 1 : 0);
        EXPECT_EQ(IsIconic(rt::GetWindowHandle(power::kConfigWindow)) != FALSE, armed);
        Close();
        ASSERT_FALSE(rt::IsCreated(power::kConfigWindow));
    }
    EXPECT_TRUE(g_actions.empty());
}

TEST_F(PowerWindow, RefreshWritesTheTypedMinutesAndActionToTitleAndTooltip) {
    Open();
    Confirm("007", 1);
    power::_刷新_周期事件();
    EXPECT_EQ(Str(0, rt::kPropText), "在007分钟后重启");
    EXPECT_EQ(Str(超级按钮1, rt::kPropTooltip), "在007分钟后重启");
    EXPECT_EQ(Str(窗口标题, rt::kPropText), "      定时关机小巧版");  // never changes
}

TEST_F(PowerWindow, CancelAndDestroyCloseTheWindowAndDestroyWithoutWindowDoesNothing) {
    power::销毁关机();  // no window: no effect
    EXPECT_FALSE(rt::IsCreated(power::kConfigWindow));
    Open();
    power::_超级按钮2_被单击();
    Close();
    EXPECT_FALSE(rt::IsCreated(power::kConfigWindow));
    EXPECT_TRUE(g_actions.empty());
}

class ClockWindow : public ::testing::Test {
protected:
    void TearDown() override { Close(); }
    static void Open() {
        ASSERT_TRUE(rt::LoadWindow(clockapp::MiniClockTemplate(), nullptr, false));
    }
    static void Close() {
        clockapp::销毁时钟();
        for (int i = 0; i < 200 && rt::IsCreated(clockapp::kMiniClockWindow); ++i) {
            rt::ProcessPendingEvents();
            Sleep(5);
        }
    }
    static rt::Text Str(int unit) {
        return rt::GetUnitText(clockapp::kMiniClockWindow, unit, rt::kPropText);
    }
    static rt::Text Shown() {
        using namespace clockapp::mini_clock;
        return Str(时) + ":" + Str(分) + ":" + Str(秒) + " " + Str(日期);
    }
    // What the labels should read at the given clock reading.
    static rt::Text Expected(rt::DateTime at) {
        clockapp::ClockTexts t;
        clockapp::RefreshClockTexts(at, &t);
        return t.hour + ":" + t.minute + ":" + t.second + " " + t.DateLine();
    }
};

TEST_F(ClockWindow, ShowsTheCurrentTimeAndDateAtCreation) {
    const rt::DateTime before = rt::Now();
    Open();
    const rt::Text shown = Shown();
    const rt::DateTime after = rt::Now();
    EXPECT_TRUE(shown == Expected(before) || shown == Expected(after)) << shown;
    using namespace clockapp::mini_clock;
    EXPECT_EQ(Str(冒号1), "：");
    EXPECT_EQ(rt::GetUnitInt(clockapp::kMiniClockWindow, 时钟1, rt::kPropInterval), 1000);
}

TEST_F(ClockWindow, DoubleClickHandlerAndDestroyCloseItOnce) {
    clockapp::销毁时钟();  // no window: no effect
    Open();
    clockapp::_迷你时钟_被双击(10, 10, 0);
    Close();
    EXPECT_FALSE(rt::IsCreated(clockapp::kMiniClockWindow));
    // Opening again shows the current values at once.
    const rt::DateTime before = rt::Now();
    Open();
    const rt::Text shown = Shown();
    EXPECT_TRUE(shown == Expected(before) || shown == Expected(rt::Now())) << shown;
}

}  // namespace
