#include "late_bound.h"

namespace rt::detail {
namespace {

// Loads a system library for good (it stays until the process ends).
class Library {
public:
    explicit Library(const char* file) : file_(file), module_(::LoadLibraryA(file)) {
        if (!module_) ReportMissingExport(file_, "");
    }
    template <typename Fn>
    void Bind(Fn& fn, const char* name) const {
        fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module_, name)));
        if (!fn) ReportMissingExport(file_, name);
    }

private:
    const char* file_;
    HMODULE module_;
};

}  // namespace

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
