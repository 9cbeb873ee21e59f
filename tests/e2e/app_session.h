// Shared steps of the settings, shortcuts and update end-to-end tests: one
// Velkora.exe in its own program directory, worked through its windows.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "../../velkora/unit_ids.h"
#include "support/driver.h"

namespace e2e_app {

using e2e::ReadFileText;
using e2e::Text;
using e2e::WriteFileText;
using namespace std::chrono_literals;
namespace mw = velkora::main_window;

constexpr char kMainTitle[] = "Velkora6";

inline void SleepFor(std::chrono::milliseconds ms) { ::Sleep(static_cast<DWORD>(ms.count())); }

// A started program with its visible main window.
struct App {
    e2e::Process process;
    HWND main = nullptr;
};

inline App Start(const e2e::ProgramDir& dir, const Text& arguments = "") {
    App app;
    app.process = e2e::Process::Start(dir.File("Velkora.exe"), arguments);
    app.main = e2e::FindVisibleTopWindow(app.process.Id(), kMainTitle);
    if (app.main) {
        e2e::Activate(app.main);
        SleepFor(300ms);  // start-up ends with the switch settings
    }
    return app;
}

inline HWND Unit(const App& app, int id) { return e2e::Child(app.main, id); }

// Clicks a header button ("校时", "功能大全", "设置", "关于") and waits for the page.
inline void ShowTab(const App& app, int button) {
    e2e::Activate(app.main);
    e2e::Click(Unit(app, button));
    SleepFor(200ms);
}

// "×", then the process ends with its window.
inline bool CloseByX(App& app, DWORD* exitCode = nullptr) {
    e2e::Activate(app.main);
    e2e::Click(Unit(app, mw::超级按钮6));
    return app.process.WaitExit(15s, exitCode);
}

// The whole window text, read with a generous buffer: the length that a
// control of another process reports is not always its length in bytes.
inline Text FullText(HWND hwnd) {
    char buffer[1024] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                          5000, &copied);
    return Text(buffer);
}

// A graphic switch shows its knob (black) at the right end when on, at the
// left end when off; read from the screen where the button is drawn.
enum class SwitchLook { On, Off, Unknown };
inline SwitchLook LookOf(HWND button) {
    const RECT r = e2e::ScreenRect(button);
    HDC screen = ::GetDC(nullptr);
    const COLORREF right = ::GetPixel(screen, r.left + 40, r.top + 9);
    const COLORREF left = ::GetPixel(screen, r.left + 9, r.top + 9);
    ::ReleaseDC(nullptr, screen);
    if (right == RGB(0, 0, 0) && left != RGB(0, 0, 0)) return SwitchLook::On;
    if (left == RGB(0, 0, 0) && right != RGB(0, 0, 0)) return SwitchLook::Off;
    return SwitchLook::Unknown;
}

inline bool WaitForLook(HWND button, SwitchLook look) {
    return e2e::WaitUntil([&] { return LookOf(button) == look; }, 3s);
}

// Clicks item `index` of a list box with the mouse.
inline void ClickListItem(HWND list, int index) {
    const int height = static_cast<int>(::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const int top = static_cast<int>(::SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    POINT p{20, (index - top) * height + height / 2};
    ::ClientToScreen(list, &p);
    e2e::ClickAt(p.x, p.y);
}

// The non-empty lines of a file (an INI file written by the profile routines).
inline std::vector<Text> Lines(const Text& path) {
    std::vector<Text> lines;
    Text text = e2e::ReadFileText(path), line;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            if (!line.empty()) lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

inline Text FolderPath(int csidl) {
    char path[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathA(nullptr, path, csidl, TRUE)) return Text();
    return Text(path) + "\\";
}

}  // namespace e2e_app
