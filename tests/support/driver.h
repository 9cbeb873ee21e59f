// The end-to-end test driver: starts the real Velkora.exe in a private
// program directory and works its windows as a user would, with real mouse
// input (SendInput), keys and messages; reads texts, list contents,
// positions and visibility; writes screenshots.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace e2e {

// GBK strings throughout, as the program shows them.
using Text = std::string;

// A program directory under the test home holding copies of the built
// deliverables; removed when the object goes unless keep() was called.
class ProgramDir {
public:
    // name may contain blanks and Chinese characters.
    explicit ProgramDir(const Text& name = "Velkora 测试");
    // A name that GBK cannot write (Hangul): Path() is then the folder's
    // short path, for the test's own file calls; WidePath() names it as a
    // user sees it.
    explicit ProgramDir(const std::wstring& name);
    ~ProgramDir();
    const Text& Path() const { return path_; }
    const std::wstring& WidePath() const { return widePath_; }
    Text File(const Text& name) const { return path_ + "\\" + name; }
    void CopyDeliverables(bool withPlugins = true);  // Velkora.exe, Power.dll, Clock.dll
    void Keep() { keep_ = true; }
private:
    Text path_;
    std::wstring widePath_;
    bool keep_ = false;
};

// For Velkora.exe only, while the object lives: Wine's load order for the
// libraries ("native,builtin" to take a file found by the search, "" to load
// none at all), in the test's own prefix.
class DllOverride {
public:
    DllOverride(std::vector<Text> libraries, const Text& order);
    ~DllOverride();
    DllOverride(const DllOverride&) = delete;
    DllOverride& operator=(const DllOverride&) = delete;
private:
    std::vector<Text> libraries_;
};

class Process {
public:
    Process() = default;
    ~Process();  // terminates a process still running
    Process(Process&&) noexcept;
    Process& operator=(Process&&) noexcept;
    // Starts exe with the argument text, in its own directory.
    static Process Start(const Text& exe, const Text& arguments = "");
    static Process Start(const std::wstring& exe, const Text& arguments = "");
    DWORD Id() const { return pid_; }
    HANDLE Handle() const { return process_; }
    bool WaitExit(std::chrono::milliseconds timeout, DWORD* exitCode = nullptr);
    bool Running() const;
    void Kill();
private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Polls until pred() is true or the timeout passes.
template <typename Pred>
bool WaitUntil(Pred pred, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (pred()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
        ::Sleep(25);
    }
}

// Top-level windows of a process (visible or not), optionally by title.
std::vector<HWND> TopWindows(DWORD pid);
HWND FindTopWindow(DWORD pid, const Text& title, std::chrono::milliseconds timeout = std::chrono::seconds(15));
HWND FindVisibleTopWindow(DWORD pid, const Text& title, std::chrono::milliseconds timeout = std::chrono::seconds(15));
HWND Child(HWND top, int controlId);          // by control id; nullptr when none
std::vector<HWND> Children(HWND top);         // EnumChildWindows order

Text WindowText(HWND hwnd);                   // WM_GETTEXT, GBK
std::vector<Text> ListItems(HWND listOrCombo);// read with the W messages, converted to GBK
int ListCurrent(HWND list);                   // LB_GETCURSEL / CB_GETCURSEL
RECT ScreenRect(HWND hwnd);
bool Visible(HWND hwnd);                      // IsWindowVisible
bool Enabled(HWND hwnd);
Text ClassName(HWND hwnd);

// Real input.
void MoveMouseTo(int x, int y);               // absolute, screen pixels
void ClickAt(int x, int y);                   // left press and release
void DoubleClickAt(int x, int y);
void Click(HWND hwnd);                        // at the centre of the window
void DragFromTo(int x0, int y0, int x1, int y1);
void PressKey(WORD vk);                       // key down and up to the focused window
void TypeText(const Text& asciiOrGbk);        // WM_CHAR-producing input
bool Activate(HWND top);                      // SetForegroundWindow, waits for it

// A message box of the process: its text and caption; Close presses OK.
struct MessageBoxInfo { HWND hwnd = nullptr; Text caption, text; };
MessageBoxInfo WaitMessageBox(DWORD pid, std::chrono::milliseconds timeout = std::chrono::seconds(15));
void CloseMessageBox(const MessageBoxInfo& box);

// Writes build/screenshots/<name>.bmp of the whole screen.
void Screenshot(const Text& name);

// Full path of the screenshot of that name.
Text ScreenshotPath(const Text& name);

// Windows path of a built file, relative to the build directory
// ("velkora/Velkora.exe").
Text DeliverablePath(const Text& relative);

// The bytes of a file, or "" when missing.
Text ReadFileText(const Text& path);
// Writes the bytes as the whole file, replacing one already there.
bool WriteFileText(const Text& path, const Text& bytes);
bool FileExists(const Text& path);

}  // namespace e2e
