// What the real Velkora.exe loads: the libraries of the clock
// synchronisation (automation) and of the online update (WinINet, Windows
// Sockets) come with their first use, not with the window; system libraries
// come from the system folder only, the plug-ins from the program's folder.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <set>
#include <string>
#include <vector>

#include "e2e/sync_helpers.h"
#include "support/driver.h"

namespace {

using namespace std::chrono_literals;
using e2e::Text;
namespace mw = velkora::main_window;

// The file names of the modules loaded in the process, in lower case.
std::set<Text> LoadedModules(HANDLE process) {
    HMODULE modules[512];
    DWORD bytes = 0;
    std::set<Text> names;
    if (!::EnumProcessModules(process, modules, sizeof modules, &bytes)) return names;
    const DWORD count = std::min<DWORD>(bytes / sizeof(HMODULE), 512);
    for (DWORD i = 0; i < count; ++i) {
        char name[MAX_PATH] = {};
        if (!::GetModuleBaseNameA(process, modules[i], name, sizeof name)) continue;
        Text lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        names.insert(lower);
    }
    return names;
}

TEST(Startup, ShowsItsWindowWithoutLoadingAutomationWinInetOrSockets) {
    e2e::ProgramDir dir("Velkora 载入");
    dir.CopyDeliverables(false);
    e2e::Process p = e2e::Process::Start(dir.File("Velkora.exe"));
    HWND main = e2e::FindVisibleTopWindow(p.Id(), e2e::kMainTitle);
    ASSERT_NE(main, nullptr);
    ::Sleep(500);  // the start-up ends with the switch settings

    const std::set<Text> loaded = LoadedModules(p.Handle());
    ASSERT_TRUE(loaded.count("velkora.exe")) << "the module list could not be read";
    EXPECT_TRUE(loaded.count("user32.dll"));
    for (const char* late : {"oleaut32.dll", "wininet.dll", "wsock32.dll", "ws2_32.dll"}) {
        EXPECT_FALSE(loaded.count(late)) << late << " is loaded before its first use";
    }

    if (HWND close = e2e::Child(main, mw::超级按钮6)) e2e::Click(close);
    if (!p.WaitExit(10s)) p.Kill();
}

// Start after start, each shows the window with its tab control, the
// common controls bound on the UI thread as it is made.
TEST(Startup, TwentyStartsInARowEachShowTheWindowWithItsCommonControls) {
    e2e::ProgramDir dir("Velkora 连启");
    dir.CopyDeliverables(false);
    for (int i = 0; i < 20; ++i) {
        SCOPED_TRACE(i);
        e2e::Process p = e2e::Process::Start(dir.File("Velkora.exe"));
        HWND main = e2e::FindVisibleTopWindow(p.Id(), e2e::kMainTitle);
        if (!main) p.Kill();
        ASSERT_NE(main, nullptr) << "the start-up never showed its window";
        const HWND tab = e2e::Child(main, mw::选择夹1);
        ASSERT_NE(tab, nullptr);
        EXPECT_EQ("SysTabControl32", e2e::ClassName(tab));
        EXPECT_TRUE(LoadedModules(p.Handle()).count("comctl32.dll"));
        if (HWND close = e2e::Child(main, mw::超级按钮6)) e2e::Click(close);
        ASSERT_TRUE(p.WaitExit(10s)) << "the program did not end at its close button";
    }
}

// Files under the names of the system libraries that the program loads by
// name, beside it, where Wine is told to take a native copy first: none is
// loaded through a start, a synchronisation and an update. (The plug-ins'
// own tests show that those still come from beside the program.)
TEST(Startup, LibrariesPlantedBesideTheProgramUnderSystemNamesNeverLoad) {
    const std::vector<Text> kPlanted = {"advpack", "mpr", "comctl32", "icmp", "wininet", "wsock32"};
    const e2e::DllOverride nativeFirst(kPlanted, "native,builtin");
    e2e::HttpServer time(e2e::kTimeServerPort, e2e::TrueTimeAnswer);
    e2e::HttpResponse versions;
    versions.body = "[文件版本]\r\n定时关机=600000\r\n迷你时钟=600000\r\n主程序=600000\r\n";
    e2e::HttpServer update(e2e::kUpdateServerPort, e2e::HttpServer::Respond(versions));
    e2e::App app("", [&](e2e::ProgramDir& dir) {
        for (const Text& name : kPlanted)
            ::CopyFileA(e2e::DeliverablePath("fixtures/planted/" + name + ".dll").c_str(),
                        dir.File(name + ".dll").c_str(), FALSE);
    });
    ASSERT_TRUE(app.ReadyInUtc());
    EXPECT_NE(app.SyncAndWait().find("校对成功"), Text::npos) << app.Log();
    e2e::Click(app.Unit(mw::超级按钮4));
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::Visible(app.Unit(mw::超级按钮11)); }, 5s));
    e2e::Click(app.Unit(mw::超级按钮11));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::WindowText(app.Unit(mw::标签4)) == "已是最新版本"; }, 30s));
    e2e::Click(app.Unit(mw::超级按钮6));
    EXPECT_TRUE(app.Proc().WaitExit(15s));
    for (const Text& name : kPlanted)
        EXPECT_FALSE(e2e::FileExists(app.Dir().File(name + ".dll.loaded"))) << name << ".dll was loaded";
}

}  // namespace
