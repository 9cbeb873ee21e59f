// The notification-area icon of the main window, its balloons, and the
// subclass procedure that receives the icon's callbacks.
#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <memory>

#include "core/tray_block.h"
#include "dll_commands.h"
#include "handlers.h"
#include "os_call.h"
#include "rt/program.h"
#include "rt/window.h"
#include "unit_ids.h"

namespace velkora {

namespace {

constexpr UINT kNimAdd = 0, kNimModify = 1, kNimDelete = 2;
constexpr UINT kWmGetIcon = 0x7F;
constexpr WPARAM kIconSmall = 0;

// The layout this build hands to the shell must be the one it declares.
static_assert(kNativeTrayLayout.size == NOTIFYICONDATAA_V2_SIZE, "NOTIFYICONDATAA size");
static_assert(kNativeTrayLayout.hIcon == offsetof(NOTIFYICONDATAA, hIcon), "hIcon offset");
static_assert(kNativeTrayLayout.szInfo == offsetof(NOTIFYICONDATAA, szInfo), "szInfo offset");
static_assert(kNativeTrayLayout.dwInfoFlags == offsetof(NOTIFYICONDATAA, dwInfoFlags),
              "dwInfoFlags offset");

TrayIconRecord& Record() {
    static const std::unique_ptr<TrayIconRecord> record = std::make_unique<TrayIconRecord>();
    return *record;
}

LONG_PTR PreviousMainWindowProc = 0;
UINT TrayReAddMessage = 0;

void LstrcpynCopy(char* buffer, const rt::Text& text) {
    CallOs(kLstrcpyn, buffer, text.c_str(), static_cast<int>(text.size()) + 1);
}

bool Notify(UINT message) {
    std::vector<unsigned char> block = BuildTrayBlock(Record(), kNativeTrayLayout);
    return CallOs(kShellNotifyIconA, message, block.data()) != 0;
}

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
    Notify(kNimDelete);
    Record().flags = kNifTip | kNifIcon | kNifMessage;
    Notify(kNimAdd);
}

LRESULT CallPreviousProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return static_cast<LRESULT>(
        CallOs(kCallWindowProcA, PreviousMainWindowProc, window, message, wParam, lParam));
}

LRESULT TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        // Before the previous procedure raises the being-destroyed event.
        Notify(kNimDelete);
    } else if (rt::IsEnding()) {
        // Ending (a fatal box may be up): the icon's callbacks do nothing more.
    } else if (message == kTrayCallbackMessage) {
        OnTrayCallback(lParam);
    } else if (TrayReAddMessage != 0 && message == TrayReAddMessage) {
        // Between the subclassing and the registration the re-add number is
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
    constexpr int kGwlWndProc = -4;
    PreviousMainWindowProc = static_cast<LONG_PTR>(
        CallOs(kSetWindowLongA, main, kGwlWndProc, &TrayWindowProcStub));
#endif
    const rt::Text reAddName = "Tirvanenet";
    TrayReAddMessage = static_cast<UINT>(CallOs(kRegisterWindowMessageA, reAddName.c_str()));

    const LRESULT icon = rt::SendUnitMessage(kMainWindow, 0, kWmGetIcon, kIconSmall, 0);
    FillTrayRecordForAdd(Record(), kNativeTrayLayout, reinterpret_cast<uintptr_t>(main),
                         static_cast<uint64_t>(icon), LstrcpynCopy);
    return Notify(kNimAdd);
}

bool ShowTrayBalloon(const rt::Text& title, const rt::Text& text) {
    FillTrayRecordForBalloon(Record(), title, text, LstrcpynCopy);
    return Notify(kNimModify);
}

}  // namespace velkora
