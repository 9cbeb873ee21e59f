// The notification-area icon of the main window, its balloons, and the
// subclass procedure that receives the icon's callbacks.
#include <windows.h>
#include <shellapi.h>

#include "dll_commands.h"
#include "handlers.h"
#include "os_call.h"
#include "rt/program.h"
#include "rt/window.h"
#include "tray_record.h"
#include "unit_ids.h"

namespace velkora {

namespace {

NOTIFYICONDATAA& Record() {
    static NOTIFYICONDATAA record{};
    return record;
}

LONG_PTR PreviousMainWindowProc = 0;
UINT TrayReAddMessage = 0;
// The shell broadcasts it when the taskbar is made anew (Explorer restarted):
// the new taskbar holds no icons.
UINT TaskbarCreatedMessage = 0;

bool Notify(DWORD message) { return CallOs(kShellNotifyIconA, message, &Record()) != 0; }

void RestoreMainWindow() {
    rt::SetUnitProperty(kMainWindow, 0, rt::kPropVisible, 1);
    rt::SetUnitProperty(kMainWindow, 0, rt::kPropPosition, 1);  // restores and centres
}

void OnTrayCallback(LPARAM notification) {
    switch (notification) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case NIN_BALLOONUSERCLICK:
        RestoreMainWindow();
        break;
    default:  // releases, moves, balloon shown/hidden/timed out
        break;
    }
}

void ReAddTrayIcon() {
    Notify(NIM_DELETE);
    Record().uFlags = NIF_TIP | NIF_ICON | NIF_MESSAGE;
    Notify(NIM_ADD);
}

LRESULT CallPreviousProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return static_cast<LRESULT>(
        CallOs(kCallWindowProcA, PreviousMainWindowProc, window, message, wParam, lParam));
}

LRESULT TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        // Before the previous procedure raises the being-destroyed event.
        Notify(NIM_DELETE);
    } else if (rt::IsEnding()) {
        // Ending (a fatal box may be up): the icon's callbacks do nothing more.
    } else if (message == kTrayCallbackMessage) {
        OnTrayCallback(lParam);
    } else if (message != 0 && (message == TrayReAddMessage || message == TaskbarCreatedMessage)) {
        // Between the subclassing and the registrations the numbers are
        // still 0, and WM_NULL must not re-add the icon.
        ReAddTrayIcon();
    }
    return CallPreviousProc(window, message, wParam, lParam);
}

LRESULT CALLBACK TrayWindowProcStub(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return TrayWindowProc(window, message, wParam, lParam);
}

}  // namespace

bool InstallTrayIcon() {
    HWND main = rt::GetWindowHandle(kMainWindow);
#ifdef _WIN64
    // SetWindowLongA keeps only 32 bits, and the twin's code lies above 4 GB.
    PreviousMainWindowProc = ::SetWindowLongPtrA(
        main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayWindowProcStub));
#else
    PreviousMainWindowProc = static_cast<LONG_PTR>(CallOs(kSetWindowLongA, main, GWL_WNDPROC, &TrayWindowProcStub));
#endif
    const rt::Text reAddName = "Tirvanenet";
    TrayReAddMessage = static_cast<UINT>(CallOs(kRegisterWindowMessageA, reAddName.c_str()));
    TaskbarCreatedMessage = ::RegisterWindowMessageA("TaskbarCreated");

    const LRESULT icon = rt::SendUnitMessage(kMainWindow, 0, WM_GETICON, ICON_SMALL, 0);
    FillTrayRecordForAdd(Record(), main, reinterpret_cast<HICON>(icon));
    return Notify(NIM_ADD);
}

bool ShowTrayBalloon(const rt::Text& title, const rt::Text& text) {
    FillTrayRecordForBalloon(Record(), title, text);
    return Notify(NIM_MODIFY);
}

}  // namespace velkora
