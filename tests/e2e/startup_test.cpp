// Start-up of the real Velkora.exe: the order of its steps as a user sees
// them, the command-line switches, and the fatal box of a missing plug-in.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "support/driver.h"

namespace {

using namespace std::chrono_literals;
using e2e::Text;

// Unit numbers of the main window, as its layout gives them.
constexpr int kTabControl = 8;
constexpr int kFeaturesButton = 3;  // 超级按钮2 "功能大全"
constexpr int kCloseButton = 7;     // 超级按钮6 "×"
constexpr int kShutdownButton = 24; // 超级按钮9 "定时关机"
constexpr int kAutoSyncConfirm = 5; // 超级按钮8 of the dialog
constexpr int kFeaturesTab = 1;

const Text kStartBalloon = "Velkora6已启动";

struct Windows {
    std::vector<HWND> found;
    const char* cls;
};

BOOL CALLBACK CollectByClass(HWND hwnd, LPARAM lp) {
    auto* w = reinterpret_cast<Windows*>(lp);
    char cls[64] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    if (!std::strcmp(cls, w->cls)) w->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> TopWindowsOfClass(const char* cls) {
    Windows w{{}, cls};
    ::EnumWindows(CollectByClass, reinterpret_cast<LPARAM>(&w));
    return w.found;
}

BOOL CALLBACK CollectChildrenByClass(HWND top, LPARAM lp) {
    CollectByClass(top, lp);
    ::EnumChildWindows(top, CollectByClass, lp);
    return TRUE;
}

// Wine shows each notification-area icon as a window of its own.
int TrayIconCount() {
    Windows w{{}, "__winex11_tray_icon"};
    ::EnumWindows(CollectChildrenByClass, reinterpret_cast<LPARAM>(&w));
    std::sort(w.found.begin(), w.found.end());
    return static_cast<int>(std::unique(w.found.begin(), w.found.end()) - w.found.begin());
}

// Balloons are tooltip windows of the shell whose text is the balloon text.
std::vector<HWND> VisibleBalloons(const Text& text) {
    std::vector<HWND> out;
    for (HWND h : TopWindowsOfClass("tooltips_class32")) {
        if (e2e::Visible(h) && e2e::WindowText(h) == text) out.push_back(h);
    }
    return out;
}

// A balloon with the text that was not on the screen before `before`.
bool NewBalloon(const Text& text, const std::set<HWND>& before) {
    for (HWND h : VisibleBalloons(text)) {
        if (!before.count(h)) return true;
    }
    return false;
}

std::set<HWND> BalloonsNow(const Text& text) {
    std::vector<HWND> v = VisibleBalloons(text);
    return {v.begin(), v.end()};
}

// The automatic-sync dialog: the untitled top window holding its confirm button.
HWND AutoSyncDialog(DWORD pid) {
    for (HWND h : e2e::TopWindows(pid)) {
        HWND confirm = e2e::Child(h, kAutoSyncConfirm);
        if (confirm && e2e::WindowText(h).empty() && e2e::WindowText(confirm) == "自动校时") return h;
    }
    return nullptr;
}

int CurrentTab(HWND mainWindow) {
    HWND tab = e2e::Child(mainWindow, kTabControl);
    return tab ? static_cast<int>(::SendMessageA(tab, TCM_GETCURSEL, 0, 0)) : -1;
}

// Ends the program as a user would, so that it leaves no tray icon behind
// for the next test.
void CloseByButton(e2e::Process& p, HWND mainWindow) {
    if (HWND close = e2e::Child(mainWindow, kCloseButton)) e2e::Click(close);
    if (!p.WaitExit(10s)) p.Kill();
}

TEST(Startup, WindowIsShownAndTrayIconExistsWhenTheStartBalloonComes) {
    e2e::ProgramDir dir("Velkora 启动");
    dir.CopyDeliverables(false);
    std::set<HWND> before = BalloonsNow(kStartBalloon);
    const int iconsBefore = TrayIconCount();
    e2e::Process p = e2e::Process::Start(dir.File("Velkora.exe"));

    HWND main = nullptr;
    bool mainVisibleAtBalloon = false;
    int iconsAtBalloon = 0;
    ASSERT_TRUE(e2e::WaitUntil([&] {
        if (!NewBalloon(kStartBalloon, before)) return false;
        // The first moment the balloon is seen, the window must already be up.
        main = e2e::FindTopWindow(p.Id(), "Velkora6", 0ms);
        mainVisibleAtBalloon = main && e2e::Visible(main);
        iconsAtBalloon = TrayIconCount();
        return true;
    }, 20s)) << "no start balloon";
    EXPECT_TRUE(mainVisibleAtBalloon);
    EXPECT_EQ(iconsBefore + 1, iconsAtBalloon) << "the balloon needs the icon of the first activation";
    ASSERT_NE(nullptr, main);
    EXPECT_EQ(0, CurrentTab(main)) << "no switch: the layout's own tab";
    EXPECT_EQ(nullptr, AutoSyncDialog(p.Id()));
    CloseByButton(p, main);
}

TEST(Startup, AutoSyncSwitchOpensTheDialogAboveTheFeaturesTab) {
    e2e::ProgramDir dir("Velkora 自动");
    dir.CopyDeliverables(false);
    e2e::Process p = e2e::Process::Start(dir.File("Velkora.exe"), "-ds");
    HWND main = e2e::FindVisibleTopWindow(p.Id(), "Velkora6", 20s);
    ASSERT_NE(nullptr, main);
    HWND dialog = nullptr;
    ASSERT_TRUE(e2e::WaitUntil([&] { return (dialog = AutoSyncDialog(p.Id())) != nullptr; }));
    EXPECT_TRUE(e2e::Visible(dialog));
    EXPECT_EQ(kFeaturesTab, CurrentTab(main));
    // Opened before the main window was shown, and always on top: it stays above.
    EXPECT_TRUE(::GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(::GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST)
        << "bringing the main window forward must not leave it topmost";
    CloseByButton(p, main);
}

// The mini clock: the visible 481 x 141 window of the program.
HWND MiniClock(DWORD pid) {
    for (HWND h : e2e::TopWindows(pid)) {
        RECT r = e2e::ScreenRect(h);
        if (e2e::Visible(h) && r.right - r.left == 481 && r.bottom - r.top == 141) return h;
    }
    return nullptr;
}

TEST(Startup, SwitchesRunInOrderBeforeTheMainWindowIsShown) {
    e2e::ProgramDir dir("Velkora 顺序");
    dir.CopyDeliverables(true);
    std::set<HWND> before = BalloonsNow(kStartBalloon);
    const int iconsBefore = TrayIconCount();
    e2e::Process p = e2e::Process::Start(dir.File("Velkora.exe"), "-ds -clock");

    // "-ds" first: the dialog; then "-clock" holds the start-up in its window.
    HWND clock = nullptr;
    ASSERT_TRUE(e2e::WaitUntil([&] { return (clock = MiniClock(p.Id())) != nullptr; }, 20s));
    HWND dialog = AutoSyncDialog(p.Id());
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(e2e::Visible(dialog));
    ::Sleep(1000);
    HWND main = e2e::FindTopWindow(p.Id(), "Velkora6", 1s);
    ASSERT_NE(nullptr, main) << "the main window exists, hidden, while its creation event runs";
    EXPECT_FALSE(e2e::Visible(main));
    EXPECT_EQ(iconsBefore, TrayIconCount());
    EXPECT_FALSE(NewBalloon(kStartBalloon, before));

    // Closing the clock lets the start-up go on.
    e2e::Activate(clock);
    e2e::PressKey(VK_ESCAPE);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::Visible(main); }, 10s));
    EXPECT_EQ(kFeaturesTab, CurrentTab(main));
    EXPECT_TRUE(e2e::WaitUntil([&] { return NewBalloon(kStartBalloon, before); }, 10s));
    EXPECT_EQ(iconsBefore + 1, TrayIconCount());
    if (HWND d = AutoSyncDialog(p.Id())) {
        EXPECT_TRUE(e2e::Visible(d));
    }
    CloseByButton(p, main);
}

TEST(Startup, SwitchesAreComparedByteForByte) {
    e2e::ProgramDir dir("Velkora 开关");
    dir.CopyDeliverables(false);
    e2e::Process p = e2e::Process::Start(dir.File("Velkora.exe"), "-DS /ds ds -power- x");
    HWND main = e2e::FindVisibleTopWindow(p.Id(), "Velkora6", 20s);
    ASSERT_NE(nullptr, main);
    ::Sleep(500);
    EXPECT_EQ(nullptr, AutoSyncDialog(p.Id()));
    EXPECT_EQ(0, CurrentTab(main));
    EXPECT_TRUE(p.Running());
    CloseByButton(p, main);
}

// The plug-in is looked for beside the program only: one on PATH is not taken.
TEST(Startup, MissingPowerLibraryIsFatalAtTheFirstPress) {
    e2e::ProgramDir dir("Velkora 缺少插件"), onPath("路径 插件");
    dir.CopyDeliverables(false);
    onPath.CopyDeliverables(true);
    ASSERT_FALSE(e2e::FileExists(dir.File("Power.dll")));
    char path[32767] = {};
    ::GetEnvironmentVariableA("PATH", path, sizeof path);
    ::SetEnvironmentVariableA("PATH", (onPath.Path() + ";" + path).c_str());
    e2e::Process p = e2e::Process::Start(dir.File("Velkora.exe"));
    ::SetEnvironmentVariableA("PATH", path);

    // Runs normally until the plug-in is first asked for.
    HWND main = e2e::FindVisibleTopWindow(p.Id(), "Velkora6", 20s);
    ASSERT_NE(nullptr, main);
    e2e::Click(e2e::Child(main, kFeaturesButton));
    ASSERT_TRUE(e2e::WaitUntil([&] { return CurrentTab(main) == kFeaturesTab; }));
    HWND shutdown = e2e::Child(main, kShutdownButton);
    ASSERT_TRUE(e2e::WaitUntil([&] { return shutdown && e2e::Visible(shutdown); }));
    EXPECT_TRUE(p.Running());
    e2e::Click(shutdown);

    e2e::MessageBoxInfo box = e2e::WaitMessageBox(p.Id());
    ASSERT_NE(nullptr, box.hwnd);
    EXPECT_EQ("运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“Power.dll”中的输出命令“定时关机”\r\n",
              box.text);
    e2e::Screenshot("startup_missing_power");
    e2e::CloseMessageBox(box);
    DWORD code = 0;
    ASSERT_TRUE(p.WaitExit(10s, &code));
    EXPECT_EQ(static_cast<DWORD>(-1), code);
}

}  // namespace
