// The table of external functions: bound by library file and export name at
// the first call of each entry, cached for the rest of the run.
#include "rt/dllcommand.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "rt/fatal.h"
#include "rt/values.h"
#include "critical_section.h"
#include "late_bound.h"
#include "program_path.h"
#include "wide_text.h"
#include "window_internal.h"

// The checked call itself lives in stdcall_i686.S / stdcall_x86_64.S: only
// assembly can note the stack pointer before the pushes and compare it after.
extern "C" int rt_call_stdcall_checked(const void* fn, const uintptr_t* args, int count,
                                       uintptr_t* result);

namespace rt {
namespace {

constexpr int kStackErrorCode = 6;

// Tried in this order for entries without a library file.
const char* const kSystemLibraries[] = {
    "Kernel32.dll", "Gdi32.dll", "User32.dll", "Advapi32.dll", "Mpr.dll", "Shell32.dll",
};

struct Binding {
    FARPROC address = nullptr;
    HMODULE library = nullptr;
};

struct Table {
    const DllCommandEntry* entries = nullptr;
    int count = 0;
    std::vector<Binding> bindings;
    detail::CriticalSection lock;  // binding is reached from the update worker too
};

Table& TheTable() {
    static Table table;
    return table;
}

// "#123": an export by ordinal (low 16 bits of the decimal number).
bool ParseOrdinal(const char* name, WORD* ordinal) {
    if (name[0] != '#' || name[1] == '\0') return false;
    unsigned long value = 0;
    for (const char* p = name + 1; *p; ++p) {
        if (*p < '0' || *p > '9') return false;
        value = value * 10 + static_cast<unsigned long>(*p - '0');
        value &= 0xFFFFFFFFul;
    }
    *ordinal = static_cast<WORD>(value & 0xFFFF);
    return true;
}

FARPROC FindExport(HMODULE library, const char* exportName) {
    WORD ordinal = 0;
    if (ParseOrdinal(exportName, &ordinal)) {
        if (ordinal == 0) return nullptr;  // MAKEINTRESOURCE(0) would be a null name
        return ::GetProcAddress(library, MAKEINTRESOURCEA(ordinal));
    }
    return ::GetProcAddress(library, exportName);
}

HMODULE LoadNamedLibrary(const DllCommandEntry& entry) {
    const std::string name(entry.library);
    if (name.find(':') != std::string::npos) return ::LoadLibraryA(name.c_str());
    // Wide: the plug-in beside the program is found even when no ANSI
    // path names the folder (a volume without short names).
    if (entry.place == LibraryPlace::ProgramFolder)
        return ::LoadLibraryW((win32::ProgramDirectoryWide() + L"\\" + win32::ToWide(name)).c_str());
    return detail::LoadSystemLibrary(name.c_str());
}

[[noreturn]] void ReportMissing(const DllCommandEntry& entry) {
    detail::ReportMissingExport(entry.library, entry.exportName ? entry.exportName : "");
}

void Bind(const DllCommandEntry& entry, Binding& binding) {
    const char* exportName = entry.exportName ? entry.exportName : "";
    if (!entry.library || !entry.library[0]) {
        for (const char* file : kSystemLibraries) {
            HMODULE h = detail::LoadSystemLibrary(file);
            if (!h) continue;
            if (FARPROC fn = FindExport(h, exportName)) {
                binding.address = fn;
                binding.library = h;
                return;
            }
            ::FreeLibrary(h);
        }
        ReportMissing(entry);
    }
    HMODULE h = LoadNamedLibrary(entry);
    FARPROC fn = h ? FindExport(h, exportName) : nullptr;
    if (!fn) {
        if (h) ::FreeLibrary(h);
        ReportMissing(entry);
    }
    binding.address = fn;
    binding.library = h;
}

BOOL CALLBACK DestroyIfOfModule(HWND hwnd, LPARAM module) {
    char cls[sizeof detail::kWindowClass + 1] = {};
    if (::GetClassLongPtrA(hwnd, GCLP_HMODULE) == static_cast<ULONG_PTR>(module) &&
        ::GetClassNameA(hwnd, cls, sizeof cls) > 0 && std::strcmp(cls, detail::kWindowClass) == 0)
        ::DestroyWindow(hwnd);
    return TRUE;
}

// A plug-in's window may still be open when the program ends (the main
// window closed while the plug-in's modal loop ran): it goes before its
// library, or its procedure and state would be unmapped under it. Only the
// windows of a plug-in's own layer: the system libraries' windows are not
// ours to close.
void DestroyWindowsOf(HMODULE library) {
    ::EnumThreadWindows(::GetCurrentThreadId(), DestroyIfOfModule, reinterpret_cast<LPARAM>(library));
}

void FreeAll(Table& t) {
    for (Binding& b : t.bindings) {
        if (b.library) DestroyWindowsOf(b.library);
    }
    for (Binding& b : t.bindings) {
        if (b.library) ::FreeLibrary(b.library);
        b.library = nullptr;
        b.address = nullptr;
    }
}

}  // namespace

namespace detail {

void ReportMissingExport(const char* library, const char* exportName) {
    Text message;
    if (library && library[0]) {
        message = Text("无法找到指定DLL库文件“") + library + "”中的输出命令“" + exportName + "”";
    } else {
        message = Text("无法找到指定DLL库文件中的输出命令“") + exportName + "”";
    }
    RaiseFatal(0, message);
}

}  // namespace detail

void SetDllCommandTable(const DllCommandEntry* entries, int count) {
    Table& t = TheTable();
    detail::ScopedLock hold(t.lock);
    FreeAll(t);
    t.entries = entries;
    t.count = entries && count > 0 ? count : 0;
    t.bindings.assign(static_cast<size_t>(t.count), Binding{});
}

uintptr_t CallDllCommand(int entry, std::initializer_list<uintptr_t> args) {
    // Binding loads a library, and a library's start-up may set the thread's
    // last error; the function must see the caller's (GetLastError right
    // after CreateMutexA is how a second instance knows itself).
    const DWORD callersLastError = ::GetLastError();
    Table& t = TheTable();
    FARPROC fn = nullptr;
    {
        detail::ScopedLock hold(t.lock);
        if (entry < 0 || entry >= t.count) {
            RaiseFatal(0, "无法找到指定DLL库文件中的输出命令“#" + std::to_string(entry) + "”");
        }
        Binding& b = t.bindings[static_cast<size_t>(entry)];
        if (!b.address) Bind(t.entries[entry], b);
        fn = b.address;
    }
    uintptr_t result = 0;
    ::SetLastError(callersLastError);
    if (!CallStdcallChecked(reinterpret_cast<const void*>(fn), args.begin(),
                            static_cast<int>(args.size()), &result)) {
        RaiseFatal(kStackErrorCode, "调用DLL命令后发现堆栈错误");
    }
    return result;
}

bool CallStdcallChecked(const void* fn, const uintptr_t* args, int count, uintptr_t* result) {
    if (count < 0) count = 0;
    return rt_call_stdcall_checked(fn, args, count, result) != 0;
}

void FreeDllCommandLibraries() {
    Table& t = TheTable();
    detail::ScopedLock hold(t.lock);
    FreeAll(t);
}

}  // namespace rt
