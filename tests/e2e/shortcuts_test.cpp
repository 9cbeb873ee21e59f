// The desktop shortcuts made at the first end of the program, the registry
// value that keeps them from coming back, and the start-with-Windows switch.
#include "app_session.h"

#include <objbase.h>
#include <shobjidl.h>

#include "velkora_config.h"

namespace {

using namespace e2e_app;

struct Link {
    bool loaded = false;
    Text target, arguments, description;
    int showCommand = 0;
};

Link ReadLink(const Text& path) {
    Link link;
    ::CoInitialize(nullptr);
    IShellLinkA* shell = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                     reinterpret_cast<void**>(&shell)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t wide[MAX_PATH * 2] = {};
            ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH * 2);
            if (SUCCEEDED(file->Load(wide, STGM_READ))) {
                char buffer[1024] = {};
                link.loaded = true;
                WIN32_FIND_DATAA found;
                if (SUCCEEDED(shell->GetPath(buffer, sizeof buffer, &found, SLGP_RAWPATH))) link.target = buffer;
                buffer[0] = 0;
                if (SUCCEEDED(shell->GetArguments(buffer, sizeof buffer))) link.arguments = buffer;
                buffer[0] = 0;
                if (SUCCEEDED(shell->GetDescription(buffer, sizeof buffer))) link.description = buffer;
                shell->GetShowCmd(&link.showCommand);
            }
            file->Release();
        }
        shell->Release();
    }
    ::CoUninitialize();
    return link;
}

// ShowCommand of the link file's header (ShellLinkHeader, offset 0x3C).
int StoredShowCommand(const Text& path) {
    const Text bytes = ReadFileText(path);
    if (bytes.size() < 0x40) return -1;
    auto b = [&](size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(bytes[i])); };
    return static_cast<int>(b(0x3C) | b(0x3D) << 8 | b(0x3E) << 16 | b(0x3F) << 24);
}

bool SamePath(const Text& a, const Text& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// The record: the value "Velkora" of HKEY_CURRENT_USER itself.
bool ReadRecord(Text* data, DWORD* type) {
    char buffer[256] = {};
    DWORD size = sizeof buffer;
    if (::RegQueryValueExA(HKEY_CURRENT_USER, "Velkora", nullptr, type, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS)
        return false;
    *data = Text(buffer);
    return true;
}

const Text kProgramDescription = Text("Velkora。") + VELKORA_MAKER_WEBSITE;
const Text kClockDescription = Text("Velkora中的迷你时钟，实用方便。") + VELKORA_MAKER_WEBSITE +
                               "（把-clock换成-power或者-ds有特殊效果哦）";

class Shortcuts : public ::testing::Test {
protected:
    void SetUp() override {
        dir_.CopyDeliverables();
        ::RegDeleteValueA(HKEY_CURRENT_USER, "Velkora");
        DeleteDesktopLinks();
        ::DeleteFileA(StartupLink().c_str());
    }
    void TearDown() override { ::DeleteFileA(StartupLink().c_str()); }

    static Text DesktopLink() { return FolderPath(CSIDL_DESKTOPDIRECTORY) + "Velkora.lnk"; }
    static Text ClockLink() { return FolderPath(CSIDL_DESKTOPDIRECTORY) + "Velkora-迷你时钟.lnk"; }
    static Text StartupLink() { return FolderPath(CSIDL_STARTUP) + "Velkora.lnk"; }
    static void DeleteDesktopLinks() {
        ::DeleteFileA(DesktopLink().c_str());
        ::DeleteFileA(ClockLink().c_str());
    }
    void RunOnce() {
        App app = Start(dir_);
        ASSERT_TRUE(app.main);
        ASSERT_TRUE(CloseByX(app));
    }
    // The shortcut at `path` starts this directory's Velkora.exe with the
    // arguments, in a normal window, and carries the description.
    void ExpectLinkToVelkora(const Text& path, const Text& arguments, const Text& description) {
        SCOPED_TRACE(path);
        const Link link = ReadLink(path);
        ASSERT_TRUE(link.loaded);
        EXPECT_TRUE(SamePath(link.target, dir_.File("Velkora.exe"))) << link.target;
        EXPECT_EQ(link.arguments, arguments);
        EXPECT_EQ(StoredShowCommand(path), SW_SHOW) << "read back: " << link.showCommand;
        EXPECT_EQ(link.description, description);
    }
    e2e::ProgramDir dir_;
};

TEST_F(Shortcuts, TheFirstEndWritesTheRecordAndMakesBothDesktopShortcuts) {
    {
        App app = Start(dir_);
        ASSERT_TRUE(app.main);
        EXPECT_FALSE(e2e::FileExists(DesktopLink())) << "made before the end";
        ASSERT_TRUE(CloseByX(app));
    }
    Text data;
    DWORD type = 0;
    ASSERT_TRUE(ReadRecord(&data, &type));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data, "桌面快捷方式");

    ExpectLinkToVelkora(DesktopLink(), "", kProgramDescription);
    ExpectLinkToVelkora(ClockLink(), "-clock", kClockDescription);
}

TEST_F(Shortcuts, DeletedShortcutsComeBackOnlyWhenTheRecordIsGone) {
    RunOnce();
    ASSERT_TRUE(e2e::FileExists(DesktopLink()));
    DeleteDesktopLinks();
    RunOnce();
    EXPECT_FALSE(e2e::FileExists(DesktopLink()));
    EXPECT_FALSE(e2e::FileExists(ClockLink()));
    ASSERT_EQ(::RegDeleteValueA(HKEY_CURRENT_USER, "Velkora"), ERROR_SUCCESS);
    RunOnce();
    EXPECT_TRUE(e2e::FileExists(DesktopLink()));
    EXPECT_TRUE(e2e::FileExists(ClockLink()));
}

// Windows ends a program after WM_ENDSESSION without destroying its windows:
// what the close would have left behind is made then. A called-off end
// changes nothing and the program goes on.
TEST_F(Shortcuts, TheEndOfTheWindowsSessionSavesAndMakesThemLikeAClose) {
    const Text config = dir_.File("config.ini");
    App app = Start(dir_);
    ASSERT_TRUE(app.main);
    auto endSession = [&](BOOL ending) {
        DWORD_PTR answer = 0;
        ::SendMessageTimeoutA(app.main, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
        EXPECT_NE(answer, 0u) << "the program refused the end of the session";
        return ::SendMessageTimeoutA(app.main, WM_ENDSESSION, ending, 0, SMTO_ABORTIFHUNG, 5000, &answer) != 0;
    };
    ASSERT_TRUE(endSession(FALSE));
    EXPECT_FALSE(e2e::FileExists(config));
    EXPECT_FALSE(e2e::FileExists(DesktopLink()));

    // Still working: a zone and the start-with-Windows switch chosen after it.
    ClickListItem(Unit(app, mw::列表框1), 3);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ListCurrent(Unit(app, mw::列表框1)) == 3; }, 3s));
    ShowTab(app, mw::超级按钮3);
    e2e::Click(Unit(app, mw::图形按钮2));
    ASSERT_TRUE(WaitForLook(Unit(app, mw::图形按钮2), SwitchLook::On));

    ASSERT_TRUE(endSession(TRUE));
    app.process.Kill();  // as Windows ends it
    EXPECT_EQ(Lines(config), (std::vector<Text>{"[设置]", "开机启动=真", "记录时区=3", "窗体位置=假"}));
    ExpectLinkToVelkora(DesktopLink(), "", kProgramDescription);
    ExpectLinkToVelkora(ClockLink(), "-clock", kClockDescription);
}

TEST_F(Shortcuts, TheStartWithWindowsSwitchMakesAndRemovesTheStartupShortcut) {
    // A stale file of that name is replaced by a link to this program.
    ASSERT_TRUE(WriteFileText(StartupLink(), "not a link"));
    App app = Start(dir_);
    ASSERT_TRUE(app.main);
    ShowTab(app, mw::超级按钮3);
    HWND button = Unit(app, mw::图形按钮2);
    e2e::Click(button);
    EXPECT_TRUE(WaitForLook(button, SwitchLook::On));
    ASSERT_TRUE(e2e::WaitUntil([&] { return ReadLink(StartupLink()).loaded; }, 5s));
    ExpectLinkToVelkora(StartupLink(), "", kProgramDescription);

    e2e::Click(button);
    EXPECT_TRUE(WaitForLook(button, SwitchLook::Off));
    EXPECT_TRUE(e2e::WaitUntil([&] { return !e2e::FileExists(StartupLink()); }, 5s));
    // Off with the shortcut already gone, then on again: made anew.
    e2e::Click(button);
    EXPECT_TRUE(WaitForLook(button, SwitchLook::On));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::FileExists(StartupLink()); }, 5s));
    ASSERT_TRUE(CloseByX(app));
    EXPECT_TRUE(e2e::FileExists(StartupLink())) << "the shortcut outlives the program";
}

}  // namespace
