// The layer's two window classes, registered together at the first window.
#include <windows.h>
#include <commctrl.h>

#include "window_internal.h"

namespace rt::detail {

void EnsureClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = TopLevelProc;
    wc.hInstance = Instance();
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    wc.hIconSm = wc.hIcon;
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
