// One instance at a time: the second start brings the first forward.
#include <gtest/gtest.h>

#include "e2e/sync_helpers.h"
#include "velkora_config.h"

namespace e2e {
namespace {

const Text kConfig = "[设置]\r\n窗体位置=假\r\n开机启动=假\r\n记录时区=假\r\n";

TEST(SingleInstance, MainWindowCarriesTheProperty) {
    App app;
    ASSERT_NE(app.Main(), nullptr);
    EXPECT_EQ(GetPropA(app.Main(), VELKORA_SINGLE_INSTANCE_NAME), reinterpret_cast<HANDLE>(1));
}

// Second start, also with "-clock", while the first sits in the tray.
TEST(SingleInstance, SecondStartRestoresTheFirstAndEndsSilently) {
    App app;
    ASSERT_TRUE(WriteFileText(app.Dir().File("config.ini"), kConfig));
    ASSERT_NE(app.Main(), nullptr);

    for (const char* args : {"", "-clock"}) {
        SCOPED_TRACE(args);
        Click(app.Unit(mw::超级按钮5));  // into the tray
        ASSERT_TRUE(WaitUntil([&] { return !Visible(app.Main()); }, 10s));
        Process second = Process::Start(app.Dir().File("Velkora.exe"), args);
        bool secondShowedAWindow = false;
        DWORD code = 1;
        const bool ended = WaitUntil([&] {
            for (HWND w : TopWindows(second.Id()))
                if (Visible(w)) secondShowedAWindow = true;
            return second.WaitExit(0ms, &code);
        }, 20s);
        ASSERT_TRUE(ended);
        EXPECT_EQ(code, 0u);
        EXPECT_FALSE(secondShowedAWindow);
        EXPECT_TRUE(WaitUntil([&] {
            return Visible(app.Main()) && !IsIconic(app.Main()) && GetForegroundWindow() == app.Main();
        }, 10s));
        EXPECT_EQ(ReadFileText(app.Dir().File("config.ini")), kConfig);
        EXPECT_TRUE(app.Proc().Running());
    }
}

}  // namespace
}  // namespace e2e
