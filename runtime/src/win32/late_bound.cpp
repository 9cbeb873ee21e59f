#include "late_bound.h"

#include <string>

namespace rt::detail {
namespace {

// Not in the headers of the oldest system the program targets.
constexpr DWORD kLoadLibrarySearchSystem32 = 0x00000800;

// Loads a system library for good (it stays until the process ends). A
// library that cannot be loaded is reported with the first function asked
// of it.
class Library {
public:
    explicit Library(const char* file) : file_(file), module_(LoadSystemLibrary(file)) {}
    template <typename Fn>
    void Bind(Fn& fn, const char* name) const {
        fn = module_ ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module_, name))) : nullptr;
        if (!fn) ReportMissingExport(file_, name);
    }

private:
    const char* file_;
    HMODULE module_;
};

}  // namespace

HMODULE LoadSystemLibrary(const char* file) {
    if (HMODULE h = ::LoadLibraryExA(file, nullptr, kLoadLibrarySearchSystem32)) return h;
    // A system without the search flags refuses the flag itself: there the
    // full path of the system folder does the same.
    if (::GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
    char folder[MAX_PATH] = {};
    const UINT n = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    return ::LoadLibraryA((std::string(folder, n) + "\\" + file).c_str());
}

void RestrictLibrarySearchToSystemFolder() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto set = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (set) set(kLoadLibrarySearchSystem32);
}

// The function-local statics make each first use thread-safe: WinINet and
// sockets are first used on the update worker.
#define RT_BIND_FUNCTION(name) lib.Bind(t.name, #name);
#define RT_LATE_BOUND(Table, accessor, file, list) \
    const Table& accessor() {                       \
        static const Table table = [] {             \
            const Library lib(file);                \
            Table t{};                              \
            list(RT_BIND_FUNCTION)                  \
            return t;                               \
        }();                                        \
        return table;                               \
    }

RT_LATE_BOUND(Ole32Functions, Ole32, "ole32.dll", RT_OLE32_FUNCTIONS)
RT_LATE_BOUND(OleAut32Functions, OleAut32, "oleaut32.dll", RT_OLEAUT32_FUNCTIONS)
RT_LATE_BOUND(Shell32Functions, Shell32, "shell32.dll", RT_SHELL32_FUNCTIONS)
RT_LATE_BOUND(WinInetFunctions, WinInet, "wininet.dll", RT_WININET_FUNCTIONS)
RT_LATE_BOUND(WinSockFunctions, WinSock, "wsock32.dll", RT_WINSOCK_FUNCTIONS)
RT_LATE_BOUND(ComCtl32Functions, ComCtl32, "comctl32.dll", RT_COMCTL32_FUNCTIONS)

#undef RT_LATE_BOUND
#undef RT_BIND_FUNCTION

}  // namespace rt::detail
