// The common controls library (the tab control, tooltips). The main window
// needs it before it shows, and Wine takes some 25 ms to load it (it
// registers two dozen classes and loads its icons): a worker loads it at the
// program's start while this thread makes the message window and the first
// windows. The first tab control or tooltip binds it; the loader lock makes
// that wait for the worker's load when it is still under way.
#include <windows.h>
#include <commctrl.h>

#include "late_bound.h"
#include "rt/handles.h"
#include "window_internal.h"

namespace rt::detail {
namespace {

DWORD WINAPI LoadCommonControls(void*) {
    // Loaded for good, as the binding below keeps it.
    LoadSystemLibrary("comctl32.dll");
    return 0;
}

}  // namespace

void PreloadCommonControls() {
    // Only once the desktop and Wine's display driver are up: a library
    // starting on the worker while this thread brings the driver up can
    // deadlock (the loader lock against the window system's own).
    ::GetDesktopWindow();
    // Without the worker the first tab control simply loads it itself.
    ScopedHandle worker(::CreateThread(nullptr, 0, LoadCommonControls, nullptr, 0, nullptr));
}

void EnsureCommonControls() {
    static const bool ready = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        return ComCtl32().InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)ready;
}

}  // namespace rt::detail
