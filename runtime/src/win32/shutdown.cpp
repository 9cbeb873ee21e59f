// Power off, reboot, log off, suspend and hibernate.
#include <windows.h>

#include "rt/handles.h"
#include "rt/shutdown.h"

namespace rt {

namespace {

BOOL WINAPI RealGetVersionEx(OSVERSIONINFOA* info) { return ::GetVersionExA(info); }

// On NT a process may only end the session once it holds the shutdown
// privilege. AdjustTokenPrivileges "succeeds" even when the privilege is not
// held, so only the last error tells.
bool EnableShutdownPrivilege(const ShutdownCalls& calls) {
    HANDLE opened = nullptr;
    if (!calls.openProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                                &opened))
        return false;
    const ScopedHandle token(opened);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    calls.lookupPrivilegeValue(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    calls.adjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
    return calls.getLastError() == ERROR_SUCCESS;
}

}  // namespace

const ShutdownCalls& SystemShutdownCalls() {
    static const ShutdownCalls calls = {
        RealGetVersionEx, ::OpenProcessToken, ::LookupPrivilegeValueA, ::AdjustTokenPrivileges,
        ::GetLastError,   ::ExitWindowsEx,    ::SetSystemPowerState,
    };
    return calls;
}

bool ShutdownSystem(int mode, bool force) {
    return ShutdownSystemWith(SystemShutdownCalls(), mode, force);
}

bool ShutdownSystemWith(const ShutdownCalls& calls, int mode, bool force) {
    if (mode < 1 || mode > 5) return false;
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    const bool nt = calls.getVersionEx(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    if (nt && !EnableShutdownPrivilege(calls)) return false;

    const UINT forceFlag = force ? EWX_FORCE : 0;
    switch (mode) {
        case 1: return calls.exitWindowsEx((nt ? EWX_POWEROFF : EWX_SHUTDOWN) | forceFlag, 0) != 0;
        case 2: return calls.exitWindowsEx(EWX_REBOOT | forceFlag, 0) != 0;
        case 3: return calls.exitWindowsEx(EWX_LOGOFF | forceFlag, 0) != 0;
        case 4: return calls.setSystemPowerState(TRUE, force ? TRUE : FALSE) != 0;
        default: return calls.setSystemPowerState(FALSE, force ? TRUE : FALSE) != 0;  // hibernate
    }
}

}  // namespace rt
