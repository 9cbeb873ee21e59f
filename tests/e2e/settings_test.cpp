// config.ini against the real program: what the first exit writes, the file
// after a run with every switch on, reading it back, odd values, a file
// that cannot be written, and lines the program does not know.
#include "app_session.h"

#include <algorithm>

namespace {

using namespace e2e_app;

const Text kStartupLink = "Velkora.lnk";

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { dir_.CopyDeliverables(); }
    void TearDown() override { ::DeleteFileA((FolderPath(CSIDL_STARTUP) + kStartupLink).c_str()); }
    Text Config() const { return dir_.File("config.ini"); }
    e2e::ProgramDir dir_;
};

TEST_F(SettingsFile, FirstExitWritesTheThreeSettingsKeysAndNoPosition) {
    App app = Start(dir_);
    ASSERT_TRUE(app.main);
    EXPECT_FALSE(e2e::FileExists(Config()));
    EXPECT_EQ(e2e::ListCurrent(Unit(app, mw::列表框1)), 0);
    ShowTab(app, mw::超级按钮3);
    EXPECT_EQ(LookOf(Unit(app, mw::图形按钮1)), SwitchLook::Off);
    EXPECT_EQ(LookOf(Unit(app, mw::图形按钮2)), SwitchLook::Off);
    EXPECT_EQ(LookOf(Unit(app, mw::图形按钮3)), SwitchLook::On);  // "" is not "假"
    DWORD code = 1;
    ASSERT_TRUE(CloseByX(app, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(Lines(Config()), (std::vector<Text>{"[设置]", "开机启动=假", "记录时区=0", "窗体位置=假"}));
}

TEST_F(SettingsFile, EverySwitchOnWritesTheFullFileAndTheNextStartReadsItBack) {
    const std::vector<Text> expected{"[设置]", "开机启动=真", "记录时区=3", "窗体位置=真",
                                     "[位置]", "顶边=200", "左边=100"};
    {
        App app = Start(dir_);
        ASSERT_TRUE(app.main);
        ShowTab(app, mw::超级按钮3);
        e2e::Click(Unit(app, mw::图形按钮1));
        e2e::Click(Unit(app, mw::图形按钮2));
        EXPECT_TRUE(WaitForLook(Unit(app, mw::图形按钮1), SwitchLook::On));
        EXPECT_TRUE(WaitForLook(Unit(app, mw::图形按钮2), SwitchLook::On));
        EXPECT_FALSE(e2e::FileExists(Config())) << "a click must not write the file";
        ShowTab(app, mw::超级按钮1);
        ClickListItem(Unit(app, mw::列表框1), 3);
        ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ListCurrent(Unit(app, mw::列表框1)) == 3; }, 3s));
        ::SetWindowPos(app.main, nullptr, 100, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ASSERT_TRUE(CloseByX(app));
        EXPECT_EQ(Lines(Config()), expected);
    }
    {
        App app = Start(dir_);
        ASSERT_TRUE(app.main);
        const RECT r = e2e::ScreenRect(app.main);
        EXPECT_EQ(r.left, 100);
        EXPECT_EQ(r.top, 200);
        EXPECT_EQ(e2e::ListCurrent(Unit(app, mw::列表框1)), 3);
        ShowTab(app, mw::超级按钮3);
        EXPECT_EQ(LookOf(Unit(app, mw::图形按钮1)), SwitchLook::On);
        EXPECT_EQ(LookOf(Unit(app, mw::图形按钮2)), SwitchLook::On);
        EXPECT_EQ(LookOf(Unit(app, mw::图形按钮3)), SwitchLook::On);
        // Two clicks leave a switch as it was.
        e2e::Click(Unit(app, mw::图形按钮3));
        EXPECT_TRUE(WaitForLook(Unit(app, mw::图形按钮3), SwitchLook::Off));
        e2e::Click(Unit(app, mw::图形按钮3));
        EXPECT_TRUE(WaitForLook(Unit(app, mw::图形按钮3), SwitchLook::On));
        ASSERT_TRUE(CloseByX(app));
        EXPECT_EQ(Lines(Config()), expected);
    }
}

TEST_F(SettingsFile, OddValuesAreReadByTheirExactBytes) {
    struct Case {
        const char* name;
        Text file;
        int zone;
        SwitchLook position, startup, zoneSwitch;
    };
    const Case cases[] = {
        {"true, 1 and 5",
         "[设置]\r\n窗体位置=true\r\n开机启动=1\r\n记录时区=5\r\n[位置]\r\n顶边=200\r\n左边=100\r\n", 5,
         SwitchLook::Off, SwitchLook::Off, SwitchLook::On},
        {"1 and abc", "[设置]\r\n窗体位置=1\r\n记录时区=abc\r\n", 0, SwitchLook::Off, SwitchLook::Off,
         SwitchLook::On},
        {"假", "[设置]\r\n记录时区=假\r\n", 0, SwitchLook::Off, SwitchLook::Off, SwitchLook::Off},
        {"-1", "[设置]\r\n记录时区=-1\r\n", -1, SwitchLook::Off, SwitchLook::Off, SwitchLook::On},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteFileText(Config(), c.file));
        App app = Start(dir_);
        ASSERT_TRUE(app.main);
        const RECT r = e2e::ScreenRect(app.main);
        EXPECT_FALSE(r.left == 100 && r.top == 200) << "the window was moved";
        EXPECT_EQ(e2e::ListCurrent(Unit(app, mw::列表框1)), c.zone);
        ShowTab(app, mw::超级按钮3);
        EXPECT_EQ(LookOf(Unit(app, mw::图形按钮1)), c.position);
        EXPECT_EQ(LookOf(Unit(app, mw::图形按钮2)), c.startup);
        EXPECT_EQ(LookOf(Unit(app, mw::图形按钮3)), c.zoneSwitch);
        ASSERT_TRUE(CloseByX(app));
    }
}

// A saved position that no screen shows (its monitor since removed) opens
// the window centred, as on a first start; one that a screen shows, even a
// corner of it, is applied as saved. The file keeps what it held until the
// program saves again.
TEST_F(SettingsFile, APositionOffEveryScreenOpensCentredAndOneOnAScreenAsSaved) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        int left, top;
        bool applied;
    };
    const Case cases[] = {
        {-5000, 200, false}, {width, 200, false}, {100, -5000, false}, {100, height, false},
        {width - 20, height - 10, true}, {-760, -350, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.left) + ", " + std::to_string(c.top));
        const Text file = "[设置]\r\n窗体位置=真\r\n[位置]\r\n顶边=" + std::to_string(c.top) + "\r\n左边=" +
                          std::to_string(c.left) + "\r\n";
        ASSERT_TRUE(WriteFileText(Config(), file));
        App app = Start(dir_);
        ASSERT_TRUE(app.main);
        const RECT r = e2e::ScreenRect(app.main);
        if (c.applied) {
            EXPECT_EQ(r.left, c.left);
            EXPECT_EQ(r.top, c.top);
        } else {
            EXPECT_NEAR((r.left + r.right) / 2, width / 2, 1);
            EXPECT_NEAR((r.top + r.bottom) / 2, height / 2, 1);
        }
        EXPECT_EQ(e2e::ReadFileText(Config()), file);
        app.process.Kill();
    }
}

// "-clock" holds the start-up in the clock's window before the file is read:
// a session that ends then must not write the starting switches over it.
TEST_F(SettingsFile, ASessionEndingBeforeTheFileWasReadLeavesItAlone) {
    const Text before = "[设置]\r\n开机启动=真\r\n记录时区=3\r\n窗体位置=假\r\n";
    ASSERT_TRUE(WriteFileText(Config(), before));
    e2e::Process process = e2e::Process::Start(dir_.File("Velkora.exe"), "-clock");
    HWND main = e2e::FindTopWindow(process.Id(), kMainTitle);
    ASSERT_TRUE(main);
    ASSERT_TRUE(e2e::WaitUntil([&] {  // the clock's window
        for (HWND w : e2e::TopWindows(process.Id()))
            if (e2e::Visible(w)) return true;
        return false;
    }));
    ASSERT_TRUE(::SendMessageTimeoutA(main, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, nullptr));
    process.Kill();
    EXPECT_EQ(e2e::ReadFileText(Config()), before);
}

TEST_F(SettingsFile, AFileThatCannotBeWrittenStaysAsItWasAndTheProgramEndsNormally) {
    const Text before = "[设置]\r\n开机启动=假\r\n记录时区=假\r\n窗体位置=假\r\n";
    ASSERT_TRUE(WriteFileText(Config(), before));
    ASSERT_TRUE(::SetFileAttributesA(Config().c_str(), FILE_ATTRIBUTE_READONLY));
    // Wine lets root write a read-only file; held open without sharing, the
    // file refuses every write whoever runs the test.
    HANDLE held = ::CreateFileA(Config().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    App app = Start(dir_);
    ASSERT_TRUE(app.main);
    ShowTab(app, mw::超级按钮3);
    e2e::Click(Unit(app, mw::图形按钮1));
    EXPECT_TRUE(WaitForLook(Unit(app, mw::图形按钮1), SwitchLook::On));
    DWORD code = 1;
    EXPECT_TRUE(CloseByX(app, &code));
    EXPECT_EQ(code, 0u);
    ::CloseHandle(held);
    ::SetFileAttributesA(Config().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(e2e::ReadFileText(Config()), before);
}

TEST_F(SettingsFile, LinesTheProgramDoesNotKnowStay) {
    ASSERT_TRUE(WriteFileText(Config(),
                              "; 用户的注释\r\n[设置]\r\n窗体位置=假\r\n其他=保留\r\n[别的]\r\n键=值\r\n"));
    App app = Start(dir_);
    ASSERT_TRUE(app.main);
    ASSERT_TRUE(CloseByX(app));
    const auto lines = Lines(Config());
    for (const char* kept : {"; 用户的注释", "其他=保留", "[别的]", "键=值", "窗体位置=假", "开机启动=假", "记录时区=0"}) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), Text(kept)), lines.end()) << kept;
    }
    EXPECT_EQ(std::find(lines.begin(), lines.end(), Text("[位置]")), lines.end());
}

}  // namespace
