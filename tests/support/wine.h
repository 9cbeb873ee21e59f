// Wine's SetLocalTime refuses any change of more than half a second, which
// some tests rely on to see a clock write refused. On Windows, run as
// administrator, the same write would move the real clock: those tests run
// under Wine only.
#pragma once

#include <windows.h>

namespace testsupport {

inline bool UnderWine() {
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace testsupport
