// The main program's table of external functions, by entry number.
#pragma once

namespace velkora {

enum DllCommand : int {
    kCreateMutexA = 0,
    kGetLastError = 1,
    kGetDesktopWindow = 2,
    kGetWindow = 3,
    kGetPropA = 4,
    kIsIconic = 5,
    kShowWindow = 6,
    kSetForegroundWindow = 7,
    kCloseHandle = 8,
    kSetPropA = 9,
    kPowerEntry = 10,       // "Power.dll" 定时关机
    kClockEntry = 11,       // "Clock.dll" 读取时钟
    kLstrcpyn = 12,
    kShellNotifyIconA = 13,
    kIsNTAdmin = 14,        // "advpack.dll"
    kAddFontMemResourceEx = 15,
    kRemoveFontMemResourceEx = 16,
    kWideCharToMultiByte = 17,
    kSetWindowLongA = 18,
    kRegisterWindowMessageA = 19,
    kCallWindowProcA = 20,
};

// Installs the table in the layer (called once at program entry).
void InstallDllCommands();

}  // namespace velkora
