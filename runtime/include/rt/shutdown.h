// Power actions. The OS calls go through a replaceable table so that tests
// can prove the mode mapping without ever running one.
#pragma once

#include <windows.h>

namespace rt {

struct ShutdownCalls {
    BOOL(WINAPI* getVersionEx)(OSVERSIONINFOA*);
    BOOL(WINAPI* openProcessToken)(HANDLE, DWORD, HANDLE*);
    BOOL(WINAPI* lookupPrivilegeValue)(const char*, const char*, LUID*);
    BOOL(WINAPI* adjustTokenPrivileges)(HANDLE, BOOL, TOKEN_PRIVILEGES*, DWORD,
                                        TOKEN_PRIVILEGES*, DWORD*);
    DWORD(WINAPI* getLastError)();
    BOOL(WINAPI* exitWindowsEx)(UINT, DWORD);
    BOOL(WINAPI* setSystemPowerState)(BOOL, BOOL);
};

// The real calls.
const ShutdownCalls& SystemShutdownCalls();

// Mode 1 power off, 2 reboot, 3 log off, 4 suspend, 5 hibernate; any other
// mode: false, nothing done. On NT the shutdown privilege is enabled first.
bool ShutdownSystem(int mode, bool force = false);
bool ShutdownSystemWith(const ShutdownCalls& calls, int mode, bool force);

}  // namespace rt
