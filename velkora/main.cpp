// Program entry: the layer first, then the start window, then the loop.
#include <windows.h>

#include "dll_commands.h"
#include "layouts.h"
#include "rt/program.h"
#include "rt/window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Makes the program's directory current, among other things.
    rt::StartProgramLayer(instance);

    // The program's globals (the tray record and its texts, the switch
    // states) are value types owned by their files: initialised before this
    // runs and released by themselves, so no clean-up routine is registered.
    velkora::InstallDllCommands();

    // The whole start-up runs inside this load, in the window's creation
    // event, before the loop starts.
    if (!rt::LoadWindow(velkora::MainWindowLayout(), nullptr, false)) {
        rt::FatalRuntimeError(0, "载入启动窗口失败");
    }
    return rt::RunMessageLoop();
}
