// Real mouse and keyboard input for the end-to-end driver, through SendInput
// so that the program under test sees exactly what a user's hand makes.
#include "support/driver.h"

namespace e2e {

namespace {

// Time for the X server and the program's message loop to take an event in.
constexpr DWORD kSettleMs = 40;

void SendOne(INPUT& input) {
    ::SendInput(1, &input, sizeof input);
}

INPUT MouseInput(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    return input;
}

void MouseButton(DWORD flags) {
    INPUT input = MouseInput(flags);
    SendOne(input);
    ::Sleep(kSettleMs);
}

void Key(WORD vk, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, 0));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    switch (vk) {  // keys whose scan codes carry the E0 prefix
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE:
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    default:
        break;
    }
    SendOne(input);
}

}  // namespace

void MoveMouseTo(int x, int y) {
    int width = ::GetSystemMetrics(SM_CXSCREEN);
    int height = ::GetSystemMetrics(SM_CYSCREEN);
    // Rounded up so that Wine's scaling back lands on the very pixel asked for.
    LONG dx = static_cast<LONG>((static_cast<long long>(x) * 65536 + width - 1) / width);
    LONG dy = static_cast<LONG>((static_cast<long long>(y) * 65536 + height - 1) / height);
    INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, dx, dy);
    SendOne(input);
    ::Sleep(kSettleMs);
}

void ClickAt(int x, int y) {
    MoveMouseTo(x, y);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    MouseButton(MOUSEEVENTF_LEFTUP);
    ::Sleep(kSettleMs);
}

void DoubleClickAt(int x, int y) {
    MoveMouseTo(x, y);
    // Both clicks inside the double-click time, with no settle pause between.
    INPUT inputs[4] = {MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP),
                       MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)};
    ::SendInput(4, inputs, sizeof inputs[0]);
    ::Sleep(kSettleMs * 2);
}

void Click(HWND hwnd) {
    RECT r = ScreenRect(hwnd);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void DragFromTo(int x0, int y0, int x1, int y1) {
    MoveMouseTo(x0, y0);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    ::Sleep(150);  // the move loop starts only after the press has been handled
    // In steps, as a hand moves: a single jump may not start a drag.
    const int steps = 10;
    for (int i = 1; i <= steps; ++i)
        MoveMouseTo(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
    MouseButton(MOUSEEVENTF_LEFTUP);
    ::Sleep(kSettleMs * 2);
}

void PressKey(WORD vk) {
    Key(vk, false);
    Key(vk, true);
    ::Sleep(kSettleMs);
}

void TypeText(const Text& text) {
    // Each character (GBK double-byte ones too) goes as a Unicode key event,
    // which arrives as WM_CHAR in the program's own code page.
    int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    for (wchar_t c : wide) {
        INPUT inputs[2] = {};
        for (int i = 0; i < 2; ++i) {
            inputs[i].type = INPUT_KEYBOARD;
            inputs[i].ki.wScan = c;
            inputs[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
        }
        ::SendInput(2, inputs, sizeof inputs[0]);
        ::Sleep(10);
    }
    ::Sleep(kSettleMs);
}

bool Activate(HWND top) {
    ::ShowWindow(top, SW_RESTORE);
    ::SetForegroundWindow(top);
    if (WaitUntil([&] { return ::GetForegroundWindow() == top; }, std::chrono::seconds(2))) return true;
    // Without a window manager a click on the window's title is what raises it.
    RECT r = ScreenRect(top);
    ClickAt((r.left + r.right) / 2, r.top + 3);
    return WaitUntil([&] { return ::GetForegroundWindow() == top; }, std::chrono::seconds(3));
}

}  // namespace e2e
