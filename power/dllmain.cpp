// The library starts its own copy of the layer while it is being loaded,
// inside the host's first call of 定时关机.
#include <windows.h>

#include "rt/program.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        rt::StartLibraryLayer(instance);
    }
    return TRUE;
}
