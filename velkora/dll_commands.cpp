// The main program's external functions, fixed at build time. Entries with
// an empty library are looked up in the system libraries in their fixed
// order, named system libraries in the system folder; the plug-ins beside
// the program and nowhere else.
#include "dll_commands.h"

#include "rt/dllcommand.h"

namespace velkora {
namespace {

const rt::DllCommandEntry kDllCommands[] = {
    /* kCreateMutexA            */ {"", "CreateMutexA"},
    /* kGetLastError            */ {"", "GetLastError"},
    /* kGetDesktopWindow        */ {"", "GetDesktopWindow"},
    /* kGetWindow               */ {"", "GetWindow"},
    /* kGetPropA                */ {"", "GetPropA"},
    /* kIsIconic                */ {"", "IsIconic"},
    /* kShowWindow              */ {"", "ShowWindow"},
    /* kSetForegroundWindow     */ {"", "SetForegroundWindow"},
    /* kCloseHandle             */ {"", "CloseHandle"},
    /* kSetPropA                */ {"", "SetPropA"},
    /* kPowerEntry              */ {"Power.dll", "定时关机", rt::LibraryPlace::ProgramFolder},
    /* kClockEntry              */ {"Clock.dll", "读取时钟", rt::LibraryPlace::ProgramFolder},
    /* kLstrcpyn                */ {"", "lstrcpyn"},
    /* kShellNotifyIconA        */ {"", "Shell_NotifyIconA"},
    /* kIsNTAdmin               */ {"advpack.dll", "IsNTAdmin"},
    /* kAddFontMemResourceEx    */ {"gdi32.dll", "AddFontMemResourceEx"},
    /* kRemoveFontMemResourceEx */ {"gdi32.dll", "RemoveFontMemResourceEx"},
    /* kWideCharToMultiByte     */ {"kernel32", "WideCharToMultiByte"},
    /* kSetWindowLongA          */ {"", "SetWindowLongA"},
    /* kRegisterWindowMessageA  */ {"", "RegisterWindowMessageA"},
    /* kCallWindowProcA         */ {"", "CallWindowProcA"},
};

static_assert(sizeof kDllCommands / sizeof kDllCommands[0] == kCallWindowProcA + 1,
              "one table row per DllCommand number");

}  // namespace

void InstallDllCommands() {
    rt::SetDllCommandTable(kDllCommands, static_cast<int>(sizeof kDllCommands / sizeof kDllCommands[0]));
}

}  // namespace velkora
