// The layer's start-up, message loop and end of the process.
#include "rt/program.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "rt/cmdline.h"
#include "rt/dllcommand.h"
#include "rt/fatal.h"
#include "late_bound.h"
#include "program_path.h"
#include "window_internal.h"

namespace rt {
namespace {

HINSTANCE g_instance = nullptr;
DWORD g_uiThread = 0;
HWND g_messageWindow = nullptr;
bool g_mainLoop = false;
volatile LONG g_ending = 0;
volatile LONG g_cleanedUp = 0;
void (*g_cleanup)() = nullptr;

void RunCleanupOnce() {
    if (::InterlockedExchange(&g_cleanedUp, 1) != 0) return;
    if (g_cleanup) g_cleanup();
}

void CreateMessageWindow() {
    if (g_messageWindow) return;
    detail::EnsureClasses();
    g_messageWindow = ::CreateWindowExA(0, detail::kMessageClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        detail::Instance(), nullptr);
}

void CommonStart(HINSTANCE instance) {
    g_instance = instance;
    g_uiThread = ::GetCurrentThreadId();
    InstallFatalHandlers();
    // The program's directory: files named without a path are found there,
    // even when no ANSI path names it. Where one does, it is set by that
    // name: CurrentDirectory then reads a path that works (the shortcuts'
    // target is made from it).
    const win32::WideText dir = win32::ProgramDirectoryWide();
    if (!dir.empty()) ::SetCurrentDirectoryW(dir.c_str());
    // A normal end (return from WinMain, or the library being unloaded)
    // runs the clean-up too; EndProgram runs it itself before ExitProcess.
    std::atexit(RunCleanupOnce);
}

}  // namespace

namespace detail {

HINSTANCE Instance() {
    if (!g_instance) g_instance = ::GetModuleHandleA(nullptr);
    return g_instance;
}

DWORD UiThread() {
    if (!g_uiThread) g_uiThread = ::GetCurrentThreadId();
    return g_uiThread;
}

bool MainLoopRunning() { return g_mainLoop; }

LRESULT CALLBACK MessageWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == detail::kMsgEndProgram) rt::EndProgram(static_cast<int>(wp));
    if (msg == detail::kMsgFatal) detail::ShowFatalBoxAndEnd(reinterpret_cast<const char*>(lp));
    if (msg == detail::kMsgInvoke) {
        (*reinterpret_cast<std::function<void()>*>(lp))();
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace detail

void StartProgramLayer(HINSTANCE instance) {
    // Before anything loads a library by name.
    detail::RestrictLibrarySearchToSystemFolder();
    CommonStart(instance);
    // OLE comes with the first use of COM (com_internal.h), not here: the
    // program shows its window without loading it.
    CreateMessageWindow();
}

void StartLibraryLayer(HINSTANCE instance) {
    // Runs inside DllMain: OLE belongs to the host, and windows are made
    // later, on the thread that opens the plug-in's window.
    CommonStart(instance);
}

int RunMessageLoop() {
    int code = 0;
    if (detail::WindowCount() > 0) {
        g_mainLoop = true;
        MSG msg;
        for (;;) {
            BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
            if (got == 0) {
                code = static_cast<int>(msg.wParam);
                break;
            }
            if (got < 0) break;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            // The last window may have gone inside a nested loop that took
            // the quit message and dropped it (Wine's request object does,
            // while a synchronous send waits): the program ends all the same.
            if (detail::WindowCount() == 0) break;
        }
        g_mainLoop = false;
    }
    RunCleanupOnce();
    FreeDllCommandLibraries();
    return code;
}

void RegisterCleanup(void (*routine)()) { g_cleanup = routine; }

void EndProgram(int exitCode) {
    ::InterlockedExchange(&g_ending, 1);
    if (::GetCurrentThreadId() != detail::UiThread()) {
        // Only the UI thread may run the clean-up; this thread waits to be
        // ended with the process.
        if (g_messageWindow &&
            ::PostMessageA(g_messageWindow, detail::kMsgEndProgram, static_cast<WPARAM>(exitCode), 0)) {
            for (;;) ::Sleep(INFINITE);
        }
    }
    RunCleanupOnce();
    FreeDllCommandLibraries();
    ::ExitProcess(static_cast<UINT>(exitCode));
}

bool IsEnding() { return g_ending != 0; }

namespace detail {

void StopEventDispatch() { ::InterlockedExchange(&g_ending, 1); }

void HandFatalToUiThread(const char* text) {
    // Sent, not posted: taken even while the UI thread serves only sent
    // messages, and the text stays on this thread's stack meanwhile.
    if (g_messageWindow) ::SendMessageA(g_messageWindow, kMsgFatal, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace detail

TextArray CommandLineArgs() { return SplitCommandLine(::GetCommandLineA()); }

}  // namespace rt
