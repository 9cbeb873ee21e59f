// The layer's two window classes, registered together at the first window.
#include <windows.h>

#include "window_internal.h"

namespace rt::detail {

void EnsureClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = TopLevelProc;
    wc.hInstance = Instance();
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    // The program's icons go on the class, once, not on each window: Wine
    // turns every icon set on a window into X pixmaps there and then (some
    // 8 ms a window), while the class's are taken as the window is made,
    // where the default icon would have been. The windows answer
    // WM_GETICON with them (window.cpp). Loaded for the life of the
    // process: a plug-in's class may outlive its library.
    wc.hIcon = LoadProgramIcon(::GetSystemMetrics(SM_CXICON));
    wc.hIconSm = LoadProgramIcon(::GetSystemMetrics(SM_CXSMICON));
    if (!wc.hIcon) wc.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    wc.lpszClassName = kWindowClass;
    ::RegisterClassExA(&wc);

    WNDCLASSEXA messages{};
    messages.cbSize = sizeof messages;
    messages.lpfnWndProc = MessageWindowProc;
    messages.hInstance = Instance();
    messages.lpszClassName = kMessageClass;
    ::RegisterClassExA(&messages);
}

}  // namespace rt::detail
