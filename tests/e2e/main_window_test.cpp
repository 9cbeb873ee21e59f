// The main window as a user meets it: where it opens, every unit at its place
// with its text, the four header buttons switching pages, and the ways to
// close and move it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "../../velkora/unit_ids.h"
#include "support/driver.h"
#include "velkora_config.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;
namespace mw = velkora::main_window;

constexpr int kWidth = 773;
constexpr int kHeight = 365;
constexpr int kTabLeft = 16;
constexpr int kTabTop = 104;

struct UnitPlace {
    int id;
    int page;  // -1: on the window itself
    int left, top, width, height;
    const char* text;  // nullptr: not compared here
    bool visible;
};

// Positions of page units are relative to the tab control.
const UnitPlace kUnits[] = {
    {mw::超级按钮1, -1, 49, 42, 137, 54, "校时", true},
    {mw::超级按钮2, -1, 233, 42, 137, 54, "功能大全", true},
    {mw::超级按钮3, -1, 417, 42, 137, 54, "设置", true},
    {mw::超级按钮4, -1, 601, 42, 137, 54, "关于", true},
    {mw::超级按钮5, -1, 662, 0, 51, 24, "—", true},
    {mw::超级按钮6, -1, 716, 0, 51, 24, "×", true},
    {mw::选择夹1, -1, 16, 104, 728, 241, nullptr, true},
    {mw::标签2, 0, 31, 2, 176, 16, "详细消息", true},
    {mw::校时结果, 0, 31, 22, 456, 176, "欢迎使用Velkora6！", true},
    {mw::标签6, 0, 511, 4, 104, 16, "校对时间选择：", true},
    {mw::列表框1, 0, 511, 22, 208, 130, nullptr, true},
    {mw::超级按钮7, 0, 560, 176, 88, 32, "立即校对", true},
    {mw::自动校时_底层, 1, 23, 16, 125, 100, "", true},
    {mw::定时关机_底层, 1, 167, 16, 125, 100, "", true},
    {mw::定时整理_底层, 1, 311, 16, 125, 100, "", true},
    {mw::超级按钮8, 1, 26, 18, 119, 95, "自动校时", true},
    {mw::超级按钮9, 1, 170, 18, 119, 95, "定时关机", true},
    {mw::超级按钮10, 1, 314, 18, 119, 95, "迷你时钟", true},
    {mw::标签3, 1, 544, 192, 175, 24, "更多功能添加中", true},
    {mw::透明标签1, 2, 93, 24, 443, 16, "窗体位置：退出时记录Velkora6的主窗体屏幕位置，下次开启自动还原", true},
    {mw::图形按钮1, 2, 550, 25, 50, 19, nullptr, true},
    {mw::透明标签2, 2, 92, 56, 436, 16, "开机启动：创建Velkora6的快捷方式在启动组，开机即能启动程序", true},
    {mw::图形按钮2, 2, 550, 56, 50, 19, nullptr, true},
    {mw::透明标签3, 2, 92, 88, 443, 16, "记录时区：记录下你的校对时区，省去手动调节的麻烦", true},
    {mw::图形按钮3, 2, 550, 87, 50, 19, nullptr, true},
    {mw::标签5, 3, 60, 8, 604, 152, nullptr, true},
    {mw::标签1, 3, 60, 168, 248, 32, "当前版本号：6.0", true},
    {mw::超级按钮11, 3, 616, 176, 88, 32, "联网更新", true},
    {mw::标签4, 3, 544, 176, 160, 32, "正在更新", false},
    {mw::加载中, 3, 565, 162, 48, 56, nullptr, false},
};

const int kPageButtons[] = {mw::超级按钮1, mw::超级按钮2, mw::超级按钮3, mw::超级按钮4};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_.CopyDeliverables();
        ASSERT_TRUE(FileExists(dir_.File("Velkora.exe")));
        app_ = Process::Start(dir_.File("Velkora.exe"));
        main_ = FindVisibleTopWindow(app_.Id(), "Velkora6", 20s);
        ASSERT_NE(main_, nullptr) << "no visible window titled Velkora6";
        Activate(main_);
        ::Sleep(300);
    }
    void TearDown() override { app_.Kill(); }

    HWND Unit(int id) const { return Child(main_, id); }

    void ShowPage(int page) {
        Activate(main_);
        Click(Unit(kPageButtons[page]));
        WaitUntil([&] { return PageShown(page); }, 3s);
    }

    bool PageShown(int page) const {
        for (const UnitPlace& u : kUnits)
            if (u.page >= 0 && u.visible && Visible(Unit(u.id)) != (u.page == page)) return false;
        return true;
    }

    ProgramDir dir_;
    Process app_;
    HWND main_ = nullptr;
};

TEST_F(MainWindowTest, OpensCentredWithItsSizeAndTitle) {
    RECT r = ScreenRect(main_);
    EXPECT_EQ(r.right - r.left, kWidth);
    EXPECT_EQ(r.bottom - r.top, kHeight);
    int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR(r.left, (screenW - kWidth) / 2, 1);
    EXPECT_NEAR(r.top, (screenH - kHeight) / 2, 1);
    EXPECT_EQ(WindowText(main_), "Velkora6");
    // No system border or caption: the title strip is a unit of its own.
    EXPECT_FALSE(::GetWindowLongPtrA(main_, GWL_STYLE) & WS_CAPTION);
    HWND title = Unit(mw::标题);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(WindowText(title), "      Velkora6");
    RECT t = ScreenRect(title);
    EXPECT_EQ(t.left, r.left);
    EXPECT_EQ(t.top, r.top);
    EXPECT_EQ(t.bottom - t.top, 32);
    Screenshot("main-window");
}

TEST_F(MainWindowTest, EveryUnitAtItsPlaceWithItsText) {
    RECT r = ScreenRect(main_);
    for (int page = 0; page < 4; ++page) {
        ShowPage(page);
        for (const UnitPlace& u : kUnits) {
            if (u.page != page && !(u.page == -1 && page == 0)) continue;
            SCOPED_TRACE(testing::Message() << "unit " << u.id);
            HWND hwnd = Unit(u.id);
            ASSERT_NE(hwnd, nullptr);
            RECT ur = ScreenRect(hwnd);
            int baseX = r.left + (u.page >= 0 ? kTabLeft : 0);
            int baseY = r.top + (u.page >= 0 ? kTabTop : 0);
            EXPECT_EQ(ur.left - baseX, u.left);
            EXPECT_EQ(ur.top - baseY, u.top);
            EXPECT_EQ(ur.right - ur.left, u.width);
            EXPECT_EQ(ur.bottom - ur.top, u.height);
            if (u.text) {
                EXPECT_EQ(WindowText(hwnd), u.text);
            }
            EXPECT_EQ(Visible(hwnd), u.visible);
        }
    }
}

TEST_F(MainWindowTest, TimeZoneListAndAboutText) {
    std::vector<Text> zones = {
        "中国 新加坡（UTC+8）", "首尔 东京（UTC+9）", "夏威夷（UTC-10）", "阿拉斯加（UTC-9）",
        "太平洋时间（美国 加拿大）（UTC-8）", "山地时间（美国 加拿大）（UTC-7）",
        "东部时间（美国 加拿大）（UTC-5）", "德国 英国（UTC）"};
    HWND list = Unit(mw::列表框1);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ListItems(list), zones);
    EXPECT_EQ(ListCurrent(list), 0);

    Text about = WindowText(Unit(mw::标签5));
    EXPECT_NE(about.find(Text("本程序完全免费，由") + VELKORA_MAKER_NAME + "制作。"), Text::npos) << about;
    EXPECT_NE(about.find(Text("官方网站：") + VELKORA_MAKER_WEBSITE), Text::npos) << about;
    EXPECT_NE(about.find("感谢您的使用。"), Text::npos) << about;
}

TEST_F(MainWindowTest, HeaderButtonsShowTheirPagesOnly) {
    const char* names[] = {"main-tab-sync", "main-tab-features", "main-tab-settings", "main-tab-about"};
    for (int page : {1, 2, 3, 0}) {
        ShowPage(page);
        EXPECT_TRUE(PageShown(page)) << "page " << page;
        Screenshot(names[page]);
    }
}

// The keyboard focus of the window's thread, read from another process.
HWND FocusOf(HWND top) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(top, nullptr), &info) ? info.hwndFocus : nullptr;
}

// The page tabs are hidden: a click on an empty part of a page, even where
// the tabs would be, and the arrow keys after it, leave the page as it is.
TEST_F(MainWindowTest, ClicksAndArrowKeysOnThePageAreaNeverSwitchPages) {
    ShowPage(1);
    HWND tab = Unit(mw::选择夹1);
    const RECT t = ScreenRect(tab);
    for (POINT p : {POINT{t.left + 5, t.top + 5}, POINT{t.left + 20, t.bottom - 10}}) {
        ClickAt(p.x, p.y);
        ::Sleep(200);
        EXPECT_NE(FocusOf(main_), tab);
        for (WORD key : {VK_RIGHT, VK_LEFT, VK_LEFT}) PressKey(key);
        ::Sleep(300);
        EXPECT_TRUE(PageShown(1));
        EXPECT_EQ(::SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
    }
}

TEST_F(MainWindowTest, CloseButtonEndsTheProcessWithZero) {
    Activate(main_);
    Click(Unit(mw::超级按钮6));
    DWORD code = 1234;
    ASSERT_TRUE(app_.WaitExit(15s, &code));
    EXPECT_EQ(code, 0u);
}

TEST_F(MainWindowTest, EscClosesTheWindow) {
    Activate(main_);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(main_) || !Visible(main_); }, 10s));
    DWORD code = 1234;
    EXPECT_TRUE(app_.WaitExit(15s, &code));
    EXPECT_EQ(code, 0u);
}

TEST_F(MainWindowTest, DraggingTheTitleStripMovesTheWindow) {
    Activate(main_);
    RECT before = ScreenRect(main_);
    int x = before.left + 300, y = before.top + 16;
    DragFromTo(x, y, x - 120, y - 80);
    EXPECT_TRUE(WaitUntil([&] { return ScreenRect(main_).left != before.left; }, 3s));
    RECT after = ScreenRect(main_);
    EXPECT_EQ(after.left - before.left, -120);
    EXPECT_EQ(after.top - before.top, -80);
    EXPECT_EQ(after.right - after.left, kWidth);
}

}  // namespace
}  // namespace e2e
