// The one fatal-error path: a "运行时出错!" box, then exit code -1.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "rt/fatal.h"
#include "rt/program.h"
#include "window_internal.h"

namespace {

// The size of the allocation that failed, for the new handler, which the
// standard calls without it.
thread_local std::size_t t_failedSize = 0;

LONG g_inFatal = 0;
volatile LONG g_boxThread = 0;  // the thread that shows the box, once it does

bool IsOfMessageBox(HWND hwnd) {
    HWND root = ::GetAncestor(hwnd, GA_ROOT);
    char cls[8] = {};
    return root && ::GetClassNameA(root, cls, sizeof cls) > 0 && std::strcmp(cls, "#32770") == 0;
}

// The box's own loop would dispatch every message of this thread: timers,
// tray callbacks and clicks of the program's windows (and of a plug-in's,
// which run on this thread too). Under the fatal box only the box itself
// and painting are served.
LRESULT CALLBACK OnlyTheBox(int code, WPARAM wp, LPARAM lp) {
    if (code == MSGF_DIALOGBOX) {
        const MSG* msg = reinterpret_cast<const MSG*>(lp);
        const bool painting = msg->message == WM_PAINT || msg->message == WM_NCPAINT;
        if (msg->hwnd && !painting && !IsOfMessageBox(msg->hwnd)) return TRUE;
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

// Whichever thread fails, the box is shown on the UI thread.
[[noreturn]] void Fatal(int code, const char* message) {
    // Made without the heap, which may be what failed.
    char text[2048];
    int n = std::snprintf(text, sizeof text, "运行时出错!\r\n\r\n");
    if (code != 0) n += std::snprintf(text + n, sizeof text - n, "错误代码：%d\r\n\r\n", code);
    if (message[0] != '\0') std::snprintf(text + n, sizeof text - n, "错误信息：%s\r\n", message);

    const bool first = ::InterlockedExchange(&g_inFatal, 1) == 0;
    rt::detail::StopEventDispatch();
    if (::GetCurrentThreadId() == rt::detail::UiThread()) {
        // A fault inside the box's own loop: one box is enough.
        if (g_boxThread != 0) ::ExitProcess(static_cast<UINT>(-1));
        // Also when another thread failed first: this thread would never
        // take that one's box now.
        rt::detail::ShowFatalBoxAndEnd(text);
    }
    // A later fault on another thread: the first one's box ends the process.
    if (!first) for (;;) ::Sleep(INFINITE);
    rt::detail::HandFatalToUiThread(text);
    rt::detail::ShowFatalBoxAndEnd(text);  // no UI thread took it
}

[[noreturn]] void OutOfMemory() {
    char text[64];
    std::snprintf(text, sizeof text, "分配 %llu 字节内存失败!",
                  static_cast<unsigned long long>(t_failedSize));
    Fatal(0, text);
}

void FatalFromCore(int code, const rt::Text& message) { Fatal(code, message.c_str()); }

}  // namespace

// The standard allocation loop, except that it notes the size asked for
// before it calls the new handler. Everything else in libstdc++ (new[],
// nothrow) forwards to these.
void* operator new(std::size_t size) {
    if (size == 0) size = 1;
    for (;;) {
        if (void* p = std::malloc(size)) return p;
        std::new_handler handler = std::get_new_handler();
        if (!handler) throw std::bad_alloc();
        t_failedSize = size;
        handler();
    }
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace rt {

namespace detail {

void ShowFatalBoxAndEnd(const char* text) {
    ::InterlockedExchange(&g_boxThread, static_cast<LONG>(::GetCurrentThreadId()));
    ::SetWindowsHookExA(WH_MSGFILTER, OnlyTheBox, nullptr, ::GetCurrentThreadId());
    // Task-modal: the program's windows take no more input while it shows.
    ::MessageBoxA(nullptr, text, "错误", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ::ExitProcess(static_cast<UINT>(-1));
}

}  // namespace detail

void FatalRuntimeError(int code, const Text& message) { Fatal(code, message.c_str()); }

void InstallFatalHandlers() {
    SetFatalHandler(FatalFromCore);
    std::set_new_handler(OutOfMemory);
}

}  // namespace rt
