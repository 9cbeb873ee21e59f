// Program entry: the layer first, then the start window, then the loop,
// then the end of the process.
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
    // runs and freed with the process, so no clean-up routine is registered.
    velkora::InstallDllCommands();

    // The whole start-up runs inside this load, in the window's creation
    // event, before the loop starts.
    if (!rt::LoadWindow(velkora::MainWindowLayout(), nullptr, false)) {
        rt::FatalRuntimeError(0, "载入启动窗口失败");
    }
    // Ended here, not by returning: the CRT's exit would run the static
    // destructors while an update download may still be under way on its
    // worker thread, which uses those statics. ExitProcess ends that thread
    // first.
    rt::EndProgram(rt::RunMessageLoop());
}
