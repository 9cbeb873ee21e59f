// The desktop shortcuts made once per user, and the start-with-Windows switch
// that rests on a shortcut in the Startup folder alone (no Run key).
#include "handlers.h"

#include "rt/files.h"
#include "rt/registry.h"
#include "rt/shell.h"
#include "settings.h"
#include "unit_ids.h"
#include "velkora_config.h"

namespace velkora {

namespace {

constexpr int kRootCurrentUser = 3;
constexpr int kFolderDesktop = 3;
constexpr int kFolderStartup = 7;

// A value of HKEY_CURRENT_USER itself; only its presence counts.
const char kDesktopShortcutRecord[] = "Velkora";
const char kDesktopShortcutRecordData[] = "桌面快捷方式";
const char kProgramLinkName[] = "Velkora";
const char kClockLinkName[] = "Velkora-迷你时钟";
const char kClockArguments[] = "-clock";

rt::Text OwnProgramPath() { return rt::CurrentDirectory() + "\\" + rt::ProgramFileName(); }

rt::Text ShortcutDescription() { return rt::Text("Velkora。") + VELKORA_MAKER_WEBSITE; }

rt::Text ClockShortcutDescription() {
    return rt::Text("Velkora中的迷你时钟，实用方便。") + VELKORA_MAKER_WEBSITE +
           "（把-clock换成-power或者-ds有特殊效果哦）";
}

// An unknown folder gives "": a link would then land in the program's own
// directory, so no link is made at all.
bool MakeLinkIn(int folderCode, const char* name, const rt::Text& description,
                const std::optional<rt::Text>& arguments = std::nullopt) {
    const rt::Text folder = rt::SpecialFolderPath(folderCode);
    if (folder.empty()) return false;
    return rt::CreateShortcut(folder + name, OwnProgramPath(), description, arguments);
}

}  // namespace

void CreateDesktopShortcutsOnce() {
    if (rt::RegistryValueExists(kRootCurrentUser, kDesktopShortcutRecord)) return;
    // The record goes first: a shortcut that cannot be saved is not retried.
    rt::RegistryWrite(kRootCurrentUser, kDesktopShortcutRecord, rt::Text(kDesktopShortcutRecordData));
    MakeLinkIn(kFolderDesktop, kProgramLinkName, ShortcutDescription());
    MakeLinkIn(kFolderDesktop, kClockLinkName, ClockShortcutDescription(), rt::Text(kClockArguments));
}

void ToggleStartWithWindows() {
    const int button = main_window::图形按钮2;
    if (StartWithWindowsOn == 0) {
        StartWithWindowsOn = 1;
        ShowSwitchOnImages(button);
        if (MakeLinkIn(kFolderStartup, kProgramLinkName, ShortcutDescription())) return;
        // Whatever a failed save left behind must not start the program.
        StartWithWindowsOn = 0;
        const rt::Text folder = rt::SpecialFolderPath(kFolderStartup);
        if (!folder.empty()) rt::DeleteFileAt(folder + "Velkora.lnk");
        ShowSwitchOffImages(button);
    } else {
        StartWithWindowsOn = 0;
        const rt::Text folder = rt::SpecialFolderPath(kFolderStartup);
        if (!folder.empty()) rt::DeleteFileAt(folder + "Velkora.lnk");
        ShowSwitchOffImages(button);
    }
}

}  // namespace velkora
