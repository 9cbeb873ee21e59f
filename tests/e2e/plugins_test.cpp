// The two plug-ins as a user meets them: opened from the features tab of the
// real Velkora.exe and by "-clock", worked with real input. No test lets a
// power action timer elapse: the armed countdowns are five minutes of
// hibernation and 200 minutes of power-off, each window closed right after.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "../clock/unit_ids.h"
#include "../power/unit_ids.h"
#include "../velkora/unit_ids.h"
#include "e2e/app_session.h"
#include "rt/window.h"
#include "support/driver.h"
#include "support/resource_use.h"

namespace {

using namespace std::chrono_literals;
using e2e::Text;
namespace mw = velkora::main_window;
namespace pw = power::config;
namespace mc = clockapp::mini_clock;

const char kMainTitle[] = "Velkora6";
const char kPowerTitle[] = "定时关机小巧版";

SIZE Size(HWND hwnd) {
    RECT r = e2e::ScreenRect(hwnd);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// Within a pixel of the centre of the screen.
void ExpectCentred(HWND hwnd) {
    RECT r = e2e::ScreenRect(hwnd);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR(r.left, (cx - (r.right - r.left)) / 2, 1);
    EXPECT_NEAR(r.top, (cy - (r.bottom - r.top)) / 2, 1);
}

bool Gone(HWND hwnd) { return e2e::WaitUntil([&] { return !IsWindow(hwnd); }, 5s); }

// A taskbar button belongs to a visible unowned window that is no tool
// window, or to any window with WS_EX_APPWINDOW.
bool HasTaskbarButton(HWND hwnd) {
    const LONG_PTR ex = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
    if (ex & WS_EX_APPWINDOW) return true;
    return !(ex & WS_EX_TOOLWINDOW) && GetWindow(hwnd, GW_OWNER) == nullptr;
}

// The mini clock has no title: it is the process's visible window that holds
// the hour label.
HWND FindMiniClock(DWORD pid, std::chrono::milliseconds timeout = 15s) {
    HWND found = nullptr;
    e2e::WaitUntil(
        [&] {
            for (HWND top : e2e::TopWindows(pid)) {
                if (!e2e::Visible(top)) continue;
                HWND hour = e2e::Child(top, mc::时);
                HWND date = e2e::Child(top, mc::日期);
                if (hour && date && e2e::WindowText(date).find("星期") != Text::npos) {
                    found = top;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

Text TwoDigits(int n) {
    char b[8];
    std::snprintf(b, sizeof b, "%02d", n);
    return b;
}

// HH:MM:SS of the local clock, shifted by the given seconds.
Text ClockNow(int shiftSeconds = 0) {
    SYSTEMTIME st;
    GetLocalTime(&st);
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    ULARGE_INTEGER u{{ft.dwLowDateTime, ft.dwHighDateTime}};
    u.QuadPart += static_cast<LONGLONG>(shiftSeconds) * 10000000LL;
    ft = FILETIME{u.LowPart, u.HighPart};
    FileTimeToSystemTime(&ft, &st);
    return TwoDigits(st.wHour) + ":" + TwoDigits(st.wMinute) + ":" + TwoDigits(st.wSecond);
}

Text ShownTime(HWND clock) {
    return e2e::WindowText(e2e::Child(clock, mc::时)) + ":" + e2e::WindowText(e2e::Child(clock, mc::分)) +
           ":" + e2e::WindowText(e2e::Child(clock, mc::秒));
}

// The clock shows the local time, or the time of up to `lateBy` seconds ago.
::testing::AssertionResult ShowsTheTime(HWND clock, int lateBy) {
    const Text shown = ShownTime(clock);
    for (int late = 0; late <= lateBy; ++late)
        if (shown == ClockNow(-late)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "shows " << shown << " at " << ClockNow();
}

Text ExpectedDateLine() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    static const char* const kWeekdays[] = {"日", "一", "二", "三", "四", "五", "六"};
    char b[64];
    std::snprintf(b, sizeof b, "%2d月%2d日\r\n星期%s", st.wMonth, st.wDay, kWeekdays[st.wDayOfWeek]);
    return b;
}

class Plugins : public ::testing::Test {
protected:
    // Starts Velkora in a fresh program directory.
    void Start(const Text& arguments = "") {
        dir_.CopyDeliverables(true);
        process_ = e2e::Process::Start(dir_.File("Velkora.exe"), arguments);
        ASSERT_NE(process_.Id(), 0u);
    }
    HWND MainWindow() {
        main_ = e2e::FindVisibleTopWindow(process_.Id(), kMainTitle);
        EXPECT_NE(main_, nullptr);
        return main_;
    }
    // Presses a button of the features tab.
    void PressFeature(int button) {
        e2e::Click(e2e::Child(main_, mw::超级按钮2));
        HWND tab = e2e::Child(main_, mw::选择夹1);
        ASSERT_TRUE(e2e::WaitUntil([&] { return SendMessageA(tab, TCM_GETCURSEL, 0, 0) == 1; }, 5s));
        HWND target = e2e::Child(main_, button);
        ASSERT_TRUE(e2e::WaitUntil([&] { return target && e2e::Visible(target); }, 5s));
        // The pointer rests on the button before the press, as a hand's would.
        RECT r = e2e::ScreenRect(target);
        e2e::MoveMouseTo((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        Sleep(300);
        e2e::Click(target);
    }
    HWND OpenPower() {
        PressFeature(mw::超级按钮9);
        HWND power = e2e::FindVisibleTopWindow(process_.Id(), kPowerTitle);
        EXPECT_NE(power, nullptr);
        return power;
    }
    HWND OpenClock() {
        PressFeature(mw::超级按钮10);
        HWND clock = FindMiniClock(process_.Id());
        EXPECT_NE(clock, nullptr);
        return clock;
    }
    // Starts Velkora and opens a plug-in's window from the features tab;
    // nullptr when the main window or the plug-in's never shows.
    HWND StartAndOpenPower() { return StartToMainWindow() ? OpenPower() : nullptr; }
    HWND StartAndOpenClock() { return StartToMainWindow() ? OpenClock() : nullptr; }

    // Esc in the window, and the window goes.
    bool ClosedByEscape(HWND top) {
        e2e::Activate(top);
        e2e::PressKey(VK_ESCAPE);
        return Gone(top);
    }
    void ExpectVelkoraGoesOn() {
        EXPECT_TRUE(process_.Running());
        EXPECT_TRUE(IsWindow(main_));
        EXPECT_TRUE(e2e::Visible(main_));
    }

    e2e::ProgramDir dir_;
    e2e::Process process_;
    HWND main_ = nullptr;

private:
    bool StartToMainWindow() {
        Start();
        return !HasFatalFailure() && MainWindow() != nullptr;
    }
};

TEST_F(Plugins, ShutdownWindowOpensWithItsPresetsAndEscOrCancelClosesIt) {
    HWND power = StartAndOpenPower();
    ASSERT_NE(power, nullptr);
    SIZE size = Size(power);
    EXPECT_EQ(size.cx, 298);
    EXPECT_EQ(size.cy, 204);
    ExpectCentred(power);
    EXPECT_EQ(e2e::WindowText(e2e::Child(power, pw::编辑框1)), "200");
    HWND combo = e2e::Child(power, pw::组合框1);
    EXPECT_EQ(e2e::ListItems(combo), (std::vector<Text>{"关机", "重启", "睡眠"}));
    EXPECT_EQ(e2e::ListCurrent(combo), 0);
    EXPECT_EQ(e2e::WindowText(e2e::Child(power, pw::超级按钮1)), "确认");
    EXPECT_EQ(e2e::WindowText(e2e::Child(power, pw::超级按钮2)), "取消");
    EXPECT_EQ(e2e::WindowText(e2e::Child(power, pw::窗口标题)), "      定时关机小巧版");
    EXPECT_TRUE(HasTaskbarButton(power));

    // The confirm button's tooltip shows while the pointer rests on it.
    RECT b = e2e::ScreenRect(e2e::Child(power, pw::超级按钮1));
    e2e::MoveMouseTo((b.left + b.right) / 2, (b.top + b.bottom) / 2);
    Text tip;
    e2e::WaitUntil(
        [&] {
            for (HWND top : e2e::TopWindows(process_.Id()))
                if (e2e::Visible(top) && e2e::ClassName(top) == "tooltips_class32" &&
                    !(tip = e2e::WindowText(top)).empty())
                    return true;
            return false;
        },
        5s);
    EXPECT_EQ(tip, "在200分钟后关机");
    e2e::Screenshot("power_window");

    EXPECT_TRUE(ClosedByEscape(power));
    ExpectVelkoraGoesOn();

    // A second opening, closed by "取消".
    power = OpenPower();
    ASSERT_NE(power, nullptr);
    e2e::Click(e2e::Child(power, pw::超级按钮2));
    EXPECT_TRUE(Gone(power));
    ExpectVelkoraGoesOn();
}

TEST_F(Plugins, ConfirmDisablesTheInputsAndMinimisesToTheTaskbar) {
    HWND power = StartAndOpenPower();
    ASSERT_NE(power, nullptr);

    HWND edit = e2e::Child(power, pw::编辑框1);
    HWND combo = e2e::Child(power, pw::组合框1);
    HWND confirm = e2e::Child(power, pw::超级按钮1);
    e2e::Click(edit);
    e2e::PressKey(VK_END);
    for (int i = 0; i < 3; ++i) e2e::PressKey(VK_BACK);
    // Minutes that arm nothing leave the window open and select themselves,
    // so that what is typed next replaces them.
    for (const char* minutes : {"0", "-"}) {
        SCOPED_TRACE(minutes);
        e2e::TypeText(minutes);
        ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::WindowText(edit) == minutes; }, 5s));
        e2e::Click(confirm);
        EXPECT_TRUE(e2e::WaitUntil([&] { return SendMessageA(edit, EM_GETSEL, 0, 0) == MAKELONG(0, 1); }, 5s));
        EXPECT_FALSE(IsIconic(power));
        EXPECT_TRUE(e2e::Enabled(edit));
        EXPECT_TRUE(e2e::Enabled(combo));
    }
    e2e::TypeText("x5");  // the letter is ignored as it is typed
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::WindowText(edit) == "5"; }, 5s));

    e2e::Click(combo);  // drops the list down
    e2e::PressKey(VK_DOWN);
    e2e::PressKey(VK_DOWN);
    e2e::PressKey(VK_RETURN);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ListCurrent(combo) == 2; }, 5s));

    e2e::Click(confirm);
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsIconic(power) != FALSE; }, 5s));
    const bool editEnabled = e2e::Enabled(edit), comboEnabled = e2e::Enabled(combo);
    const bool visible = e2e::Visible(power), taskbar = HasTaskbarButton(power);
    // Closed at once: the five-minute hibernation must never come due.
    PostMessageA(power, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Gone(power));

    EXPECT_FALSE(editEnabled);
    EXPECT_FALSE(comboEnabled);
    EXPECT_TRUE(visible);
    EXPECT_TRUE(taskbar);
    ExpectVelkoraGoesOn();
}

// Each opening is built from the window's own layout, whatever the last one
// recorded: an armed countdown must always have a taskbar button to come
// back by.
TEST_F(Plugins, EveryOpeningOfTheShutdownWindowHasItsTaskbarButton) {
    HWND power = StartAndOpenPower();
    ASSERT_NE(power, nullptr);
    EXPECT_TRUE(HasTaskbarButton(power));
    ASSERT_TRUE(ClosedByEscape(power));

    for (int opening = 2; opening <= 3; ++opening) {
        SCOPED_TRACE(opening);
        power = OpenPower();
        ASSERT_NE(power, nullptr);
        EXPECT_TRUE(HasTaskbarButton(power));
        EXPECT_FALSE(GetWindowLongPtrA(power, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        // The preset 200 minutes arm a power-off, far off: closed below.
        e2e::Click(e2e::Child(power, pw::超级按钮1));
        EXPECT_TRUE(e2e::WaitUntil([&] { return IsIconic(power) != FALSE; }, 5s));
        EXPECT_TRUE(e2e::Visible(power));
        EXPECT_TRUE(HasTaskbarButton(power));
        PostMessageA(power, WM_CLOSE, 0, 0);
        ASSERT_TRUE(Gone(power));
    }
    ExpectVelkoraGoesOn();
}

TEST_F(Plugins, MiniClockShowsTheTimeAtOnceAndTicksEverySecond) {
    HWND clock = StartAndOpenClock();
    ASSERT_NE(clock, nullptr);
    EXPECT_TRUE(ShowsTheTime(clock, 2));
    EXPECT_EQ(e2e::WindowText(e2e::Child(clock, mc::日期)), ExpectedDateLine());
    EXPECT_EQ(e2e::WindowText(e2e::Child(clock, mc::冒号1)), "：");

    SIZE size = Size(clock);
    EXPECT_EQ(size.cx, 481);
    EXPECT_EQ(size.cy, 141);
    ExpectCentred(clock);
    EXPECT_TRUE(GetWindowLongPtrA(clock, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrA(clock, GWL_STYLE) & WS_CAPTION);
    EXPECT_FALSE(HasTaskbarButton(clock));
    e2e::Screenshot("mini_clock");

    // Two seconds later the seconds have moved on.
    const Text seconds = e2e::WindowText(e2e::Child(clock, mc::秒));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::WindowText(e2e::Child(clock, mc::秒)) != seconds; }, 2500ms));
    EXPECT_TRUE(ShowsTheTime(clock, 1));

    EXPECT_TRUE(ClosedByEscape(clock));
    ExpectVelkoraGoesOn();
}

// The main window closed while the mini clock is open: the program ends
// normally, the clock's window going before its library.
TEST_F(Plugins, ClosingTheMainWindowUnderAnOpenClockEndsCleanly) {
    HWND clock = StartAndOpenClock();
    ASSERT_NE(clock, nullptr);
    e2e::Activate(main_);
    e2e::Click(e2e::Child(main_, mw::超级按钮6));
    DWORD code = 1234;
    ASSERT_TRUE(process_.WaitExit(15s, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(e2e::FileExists(dir_.File("config.ini")));
}

TEST_F(Plugins, MiniClockClosesOnABackgroundDoubleClickOnly) {
    HWND clock = StartAndOpenClock();
    ASSERT_NE(clock, nullptr);

    RECT hour = e2e::ScreenRect(e2e::Child(clock, mc::时));
    e2e::DoubleClickAt((hour.left + hour.right) / 2, (hour.top + hour.bottom) / 2);
    Sleep(700);
    EXPECT_TRUE(IsWindow(clock) && e2e::Visible(clock)) << "a double-click on a label closed the clock";

    // The strip above the labels is the window's own surface.
    RECT r = e2e::ScreenRect(clock);
    e2e::DoubleClickAt(r.left + 6, r.top + 6);
    EXPECT_TRUE(Gone(clock));
    ExpectVelkoraGoesOn();

    // Opened again, it shows the current time at once.
    clock = OpenClock();
    ASSERT_NE(clock, nullptr);
    EXPECT_TRUE(ShowsTheTime(clock, 2));
    EXPECT_TRUE(ClosedByEscape(clock));
}

TEST_F(Plugins, ClockSwitchShowsTheClockBeforeTheMainWindow) {
    Start("-clock");
    HWND clock = FindMiniClock(process_.Id());
    ASSERT_NE(clock, nullptr);
    Sleep(500);
    for (HWND top : e2e::TopWindows(process_.Id())) {
        EXPECT_FALSE(e2e::Visible(top) && e2e::WindowText(top) == kMainTitle) << "main window shown early";
    }

    EXPECT_TRUE(ClosedByEscape(clock));
    HWND main = MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(SendMessageA(e2e::Child(main, mw::选择夹1), TCM_GETCURSEL, 0, 0), 1);  // features tab
}

// Velkora with the mini clock open leaks no handle or GDI object, nor grows
// its memory, over 1,000 refreshes, each driven by a WM_TIMER of the clock's
// timer sent to its window: the figures after 1,000 against those after 100.
// (A leak of one object a refresh shows at any count.)
TEST_F(Plugins, MiniClockResourceUseHoldsOverAThousandRefreshes) {
    HWND clock = StartAndOpenClock();
    ASSERT_NE(clock, nullptr);
    HWND seconds = e2e::Child(clock, mc::秒);
    auto refresh = [&](int times) {
        for (int i = 0; i < times; ++i) SendMessageA(clock, WM_TIMER, rt::kTimerIdBase + mc::时钟1, 0);
        Sleep(200);  // lets the last repaints settle
    };

    // Proof that the message reaches the refresh: it overwrites a planted text.
    SendMessageA(seconds, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("xx"));
    refresh(1);
    ASSERT_NE(e2e::WindowText(seconds), "xx") << "WM_TIMER does not drive the clock's timer";

    refresh(99);
    const resource_use::Figures early = resource_use::Read(process_.Handle());
    refresh(900);
    EXPECT_TRUE(resource_use::NothingLeaked(early, resource_use::Read(process_.Handle())));
    EXPECT_TRUE(ClosedByEscape(clock));
}

// A program folder whose name code page 936 cannot write, the program
// started by the folder's real name: the clock comes from beside the
// program, and the settings are written there.
TEST_F(Plugins, InAFolderNamedInHangulTheClockOpensAndTheSettingsAreWritten) {
    e2e::ProgramDir hangul(std::wstring(L"Velkora 한국어"));
    hangul.CopyDeliverables(true);
    e2e_app::App app;
    app.process = e2e::Process::Start(hangul.WidePath() + L"\\Velkora.exe", "-clock");
    HWND clock = FindMiniClock(app.process.Id());
    ASSERT_NE(clock, nullptr) << e2e::WaitMessageBox(app.process.Id(), 1s).text;
    EXPECT_TRUE(ClosedByEscape(clock));
    app.main = e2e::FindVisibleTopWindow(app.process.Id(), kMainTitle);
    ASSERT_NE(app.main, nullptr);
    DWORD code = 1234;
    ASSERT_TRUE(e2e_app::CloseByX(app, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(e2e_app::Lines(hangul.File("config.ini")),
              (std::vector<Text>{"[设置]", "开机启动=假", "记录时区=0", "窗体位置=假"}));
}

}  // namespace
