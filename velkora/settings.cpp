// The settings tab's switches and "config.ini": read once during start-up,
// written once when the main window is being destroyed.
#include "settings.h"

#include <windows.h>

#include "handlers.h"
#include "rt/files.h"
#include "rt/numbers.h"
#include "rt/window.h"
#include "switch_images.h"
#include "unit_ids.h"

namespace velkora {

int32_t RememberPositionOn = 0;
int32_t StartWithWindowsOn = 0;
int32_t RememberTimeZoneOn = 0;

namespace {

namespace mw = main_window;

const char kSectionSettings[] = "设置";
const char kSectionPosition[] = "位置";
const char kKeyRememberPosition[] = "窗体位置";
const char kKeyStartWithWindows[] = "开机启动";
const char kKeyRememberTimeZone[] = "记录时区";
const char kKeyTop[] = "顶边";
const char kKeyLeft[] = "左边";
const char kTrue[] = "真";
const char kFalse[] = "假";

// Set once the start-up has read the file. A save before that (the session
// ends while a "-power" or "-clock" window holds the start-up) would write
// the switches' starting values over what the user chose.
bool g_settingsRead = false;

const char* SwitchText(int32_t on) { return on == 1 ? kTrue : kFalse; }

void Toggle(int32_t& state, int unit) {
    if (state == 0) {
        state = 1;
        ShowSwitchOnImages(unit);
    } else {
        state = 0;
        ShowSwitchOffImages(unit);
    }
}

// Whether any screen shows part of the main window placed with its top-left
// corner at (left, top). A saved position whose monitor has since gone would
// put the borderless window where it can be neither seen nor dragged.
bool OnAnyScreen(int32_t left, int32_t top) {
    const RECT r{left, top, left + rt::GetUnitInt(kMainWindow, 0, rt::kPropWidth),
                 top + rt::GetUnitInt(kMainWindow, 0, rt::kPropHeight)};
    return MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr;
}

// The top-left corner to remember. A minimised window's rectangle is the
// system's parking place for the icon (far off screen), so the restored
// position is saved instead; the update's hand-over ends the program while
// the window may sit in the tray.
POINT PositionToSave() {
    POINT p{rt::GetUnitInt(kMainWindow, 0, rt::kPropLeft),
            rt::GetUnitInt(kMainWindow, 0, rt::kPropTop)};
    HWND hwnd = rt::GetWindowHandle(kMainWindow);
    if (hwnd == nullptr || !IsIconic(hwnd)) return p;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(hwnd, &placement)) return p;
    p.x = placement.rcNormalPosition.left;
    p.y = placement.rcNormalPosition.top;
    // rcNormalPosition is in work-area coordinates unless the window is a
    // tool window; a task bar at the top or left shifts the two apart.
    if ((GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (GetMonitorInfoA(MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTOPRIMARY),
                            &monitor)) {
            p.x += monitor.rcWork.left - monitor.rcMonitor.left;
            p.y += monitor.rcWork.top - monitor.rcMonitor.top;
        }
    }
    return p;
}

}  // namespace

rt::Text SettingsFilePath() { return rt::ProgramDirectory() + "\\config.ini"; }

void ShowSwitchOnImages(int unit) {
    rt::SetUnitProperty(kMainWindow, unit, rt::kPropImageNormal, SwitchOnNormalImage());
    rt::SetUnitProperty(kMainWindow, unit, rt::kPropImageHover, SwitchOnHoverImage());
    rt::SetUnitProperty(kMainWindow, unit, rt::kPropImagePressed, SwitchOnPressedImage());
}

void ShowSwitchOffImages(int unit) {
    rt::SetUnitProperty(kMainWindow, unit, rt::kPropImageNormal, SwitchOffNormalImage());
    rt::SetUnitProperty(kMainWindow, unit, rt::kPropImageHover, SwitchOffActiveImage());
    rt::SetUnitProperty(kMainWindow, unit, rt::kPropImagePressed, SwitchOffActiveImage());
}

void ToggleRememberPosition() { Toggle(RememberPositionOn, mw::图形按钮1); }

void ToggleRememberTimeZone() { Toggle(RememberTimeZoneOn, mw::图形按钮3); }

void LoadPositionSettings() {
    const rt::Text path = SettingsFilePath();
    if (rt::IniRead(path, kSectionSettings, kKeyRememberPosition) == kTrue) {
        RememberPositionOn = 0;
        ToggleRememberPosition();
    }
    if (RememberPositionOn != 1) return;
    const int32_t top = rt::ToInteger(rt::IniRead(path, kSectionPosition, kKeyTop));
    const int32_t left = rt::ToInteger(rt::IniRead(path, kSectionPosition, kKeyLeft));
    // Off every screen: the window stays centred, as on a first start.
    if (!OnAnyScreen(left, top)) return;
    // Top first, then left.
    rt::SetUnitProperty(kMainWindow, 0, rt::kPropTop, top);
    rt::SetUnitProperty(kMainWindow, 0, rt::kPropLeft, left);
}

void LoadSwitchSettings() {
    const rt::Text path = SettingsFilePath();
    // The Startup shortcut is neither looked for nor made here: the file
    // alone decides what the switch shows.
    if (rt::IniRead(path, kSectionSettings, kKeyStartWithWindows) == kTrue) {
        StartWithWindowsOn = 1;
        ShowSwitchOnImages(mw::图形按钮2);
    }
    const rt::Text zone = rt::IniRead(path, kSectionSettings, kKeyRememberTimeZone);
    g_settingsRead = true;
    if (zone == kFalse) return;
    rt::SetUnitProperty(kMainWindow, mw::列表框1, rt::kPropListIndex, rt::ToInteger(zone));
    RememberTimeZoneOn = 0;
    ToggleRememberTimeZone();
}

void SaveSettings() {
    if (!g_settingsRead) return;
    const rt::Text path = SettingsFilePath();
    // The order of the writes is the order of the keys in a new file.
    rt::IniWrite(path, kSectionSettings, rt::Text(kKeyStartWithWindows),
                 rt::Text(SwitchText(StartWithWindowsOn)));
    if (RememberTimeZoneOn == 1) {
        rt::IniWrite(path, kSectionSettings, rt::Text(kKeyRememberTimeZone),
                     rt::ToText(rt::GetUnitInt(kMainWindow, mw::列表框1, rt::kPropListIndex)));
    } else {
        rt::IniWrite(path, kSectionSettings, rt::Text(kKeyRememberTimeZone), rt::Text(kFalse));
    }
    if (RememberPositionOn == 1) {
        const POINT p = PositionToSave();
        rt::IniWrite(path, kSectionSettings, rt::Text(kKeyRememberPosition), rt::Text(kTrue));
        rt::IniWrite(path, kSectionPosition, rt::Text(kKeyTop), rt::ToText(int32_t(p.y)));
        rt::IniWrite(path, kSectionPosition, rt::Text(kKeyLeft), rt::ToText(int32_t(p.x)));
    } else {
        // The "位置" keys of an earlier save stay in the file.
        rt::IniWrite(path, kSectionSettings, rt::Text(kKeyRememberPosition), rt::Text(kFalse));
    }
}

}  // namespace velkora
