// One running instance: a named mutex decides, a window property of the same
// name lets a later instance find the first one's main window.
#include <windows.h>

#include "dll_commands.h"
#include "handlers.h"
#include "os_call.h"
#include "rt/program.h"
#include "rt/text.h"
#include "rt/window.h"
#include "unit_ids.h"

namespace velkora {

namespace {

// The first top-level window (hidden ones included) that carries the name
// with data 1: brought back and forward.
void BringRunningInstanceForward(const rt::Text& name) {
    uintptr_t window = CallOs(kGetWindow, CallOs(kGetDesktopWindow), GW_CHILD);
    while (window != 0) {
        if (CallOs(kGetPropA, window, name.c_str()) == 1) {
            if (CallOs(kIsIconic, window) != 0) CallOs(kShowWindow, window, SW_RESTORE);
            CallOs(kSetForegroundWindow, window);
            return;
        }
        window = CallOs(kGetWindow, window, GW_HWNDNEXT);
    }
}
}  // namespace

void EnsureSingleInstance(rt::Text& name) {
    name = rt::TrimBoth(name) + rt::CharFromCode(0);
    const uintptr_t mutex = CallOs(kCreateMutexA, nullptr, TRUE, name.c_str());
    const uintptr_t error = CallOs(kGetLastError);
    if (error == ERROR_ALREADY_EXISTS) {
        BringRunningInstanceForward(name);
        CallOs(kCloseHandle, mutex);
        rt::EndProgram(0);
    }
    // The first instance keeps the mutex owned until it ends.
    CallOs(kSetPropA, rt::GetWindowHandle(kMainWindow), name.c_str(), 1);
}

}  // namespace velkora
