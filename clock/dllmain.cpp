// The library starts its own copy of the layer while it is being loaded,
// inside the host's first call of 读取时钟, and has it release the kept
// display texts when the layer shuts down.
#include <windows.h>

#include "mini_clock.h"
#include "rt/program.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        rt::StartLibraryLayer(instance);
        rt::RegisterCleanup(&clockapp::ReleaseKeptTexts);
    }
    return TRUE;
}
