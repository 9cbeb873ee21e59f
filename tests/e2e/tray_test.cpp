// The tray icon: hiding into it, coming back from it, its callbacks, and
// the re-add after "Tirvanenet" or a restarted taskbar.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "e2e/sync_helpers.h"

namespace e2e {
namespace {

constexpr UINT kTrayCallback = 0x3039;

void MoveToCorner(HWND main) {
    RECT r = ScreenRect(main);
    DragFromTo(r.left + 100, r.top + 10, 110, 20);  // by the title label
}

void HideIntoTray(App& app) {
    Click(app.Unit(mw::超级按钮5));  // "—"
    ASSERT_TRUE(WaitUntil([&] { return !Visible(app.Main()); }, 10s));
}

bool ShownRestoredAtCentre(HWND main) {
    return WaitUntil([&] { return Visible(main) && !IsIconic(main) && Centred(main); }, 10s);
}

TEST(Tray, StartsWithIconAndBalloon) {
    App app;
    ASSERT_NE(app.Main(), nullptr);
    EXPECT_TRUE(WaitUntil([] { return !TrayIcons().empty(); }, 10s));
    EXPECT_TRUE(BalloonShown("Velkora6已启动"));
}

TEST(Tray, MinimiseHidesTheWindowAndShowsTheBalloon) {
    App app;
    ASSERT_NE(app.Main(), nullptr);
    HideIntoTray(app);
    EXPECT_TRUE(IsIconic(app.Main()));
    EXPECT_TRUE(BalloonShown("提示：程序已最小化"));
}

TEST(Tray, RealClickOnTheIconRestoresTheWindowAtTheCentre) {
    App app;
    ASSERT_NE(app.Main(), nullptr);
    ASSERT_TRUE(WaitUntil([] { return !TrayIcons().empty(); }, 10s));
    MoveToCorner(app.Main());
    HideIntoTray(app);
    const std::vector<HWND> icons = TrayIcons();
    ASSERT_EQ(icons.size(), 1u);
    Click(icons[0]);
    EXPECT_TRUE(ShownRestoredAtCentre(app.Main()));
}

TEST(Tray, PressesDoubleClicksAndBalloonClicksRestore) {
    App app;
    ASSERT_NE(app.Main(), nullptr);
    for (LPARAM notification : {0x201, 0x204, 0x203, 0x405}) {
        SCOPED_TRACE(notification);
        MoveToCorner(app.Main());
        HideIntoTray(app);
        PostMessageA(app.Main(), kTrayCallback, 1, notification);
        EXPECT_TRUE(ShownRestoredAtCentre(app.Main()));
    }
}

TEST(Tray, ReleasesMovesAndBalloonNoticesChangeNothing) {
    App app;
    ASSERT_NE(app.Main(), nullptr);
    HideIntoTray(app);
    for (LPARAM notification : {0x202, 0x200, 0x402, 0x403, 0x404, 0x206, 0x209}) {
        PostMessageA(app.Main(), kTrayCallback, 1, notification);
    }
    EXPECT_FALSE(WaitUntil([&] { return Visible(app.Main()); }, 1500ms));
    EXPECT_TRUE(IsIconic(app.Main()));
    EXPECT_TRUE(app.Proc().Running());
}

// A restarted taskbar starts with no icons and broadcasts "TaskbarCreated";
// "Tirvanenet" asks for the same from any program. Either way the icon is
// there again, once, and still answers a click.
TEST(Tray, TirvanenetAndARestartedTaskbarBringTheIconBackOnce) {
    App app;
    ASSERT_NE(app.Main(), nullptr);
    struct Case {
        const char* message;
        bool taskbarRestarted;
    };
    for (const Case& c : {Case{"Tirvanenet", false}, Case{"TaskbarCreated", true}}) {
        SCOPED_TRACE(c.message);
        ASSERT_TRUE(WaitUntil([] { return TrayIcons().size() == 1; }, 10s));
        const HWND before = TrayIcons()[0];
        if (c.taskbarRestarted) {
            NOTIFYICONDATAA icon{};
            icon.cbSize = sizeof icon;
            icon.hWnd = app.Main();
            icon.uID = 1;
            ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &icon));
            ASSERT_TRUE(WaitUntil([] { return TrayIcons().empty(); }, 10s));
        }
        PostMessageA(app.Main(), RegisterWindowMessageA(c.message), 0, 0);
        EXPECT_TRUE(WaitUntil([&] {
            const std::vector<HWND> icons = TrayIcons();
            return icons.size() == 1 && icons[0] != before;
        }, 10s));
    }
    HideIntoTray(app);
    ASSERT_EQ(TrayIcons().size(), 1u);
    Click(TrayIcons()[0]);
    EXPECT_TRUE(ShownRestoredAtCentre(app.Main()));
}

TEST(Tray, IconGoesWithTheWindow) {
    App app;
    ASSERT_NE(app.Main(), nullptr);
    ASSERT_TRUE(WaitUntil([] { return TrayIcons().size() == 1; }, 10s));
    Click(app.Unit(mw::超级按钮6));  // "×"
    ASSERT_TRUE(app.Proc().WaitExit(15s));
    EXPECT_TRUE(WaitUntil([] { return TrayIcons().empty(); }, 10s));
}

}  // namespace
}  // namespace e2e
