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
#define BIND(lib, table, fn) lib.Bind(table.fn, #fn)

const Ole32Functions& Ole32() {
    static const Ole32Functions table = [] {
        const Library lib("ole32.dll");
        Ole32Functions t{};
        BIND(lib, t, CLSIDFromProgID);
        BIND(lib, t, CLSIDFromString);
        BIND(lib, t, CoCreateInstance);
        BIND(lib, t, CoInitialize);
        BIND(lib, t, CoUninitialize);
        BIND(lib, t, OleInitialize);
        BIND(lib, t, OleRun);
        return t;
    }();
    return table;
}

const OleAut32Functions& OleAut32() {
    static const OleAut32Functions table = [] {
        const Library lib("oleaut32.dll");
        OleAut32Functions t{};
        BIND(lib, t, SysAllocStringLen);
        BIND(lib, t, SysFreeString);
        BIND(lib, t, SysStringLen);
        BIND(lib, t, VariantChangeType);
        BIND(lib, t, VariantClear);
        BIND(lib, t, SystemTimeToVariantTime);
        BIND(lib, t, VariantTimeToSystemTime);
        return t;
    }();
    return table;
}

const Shell32Functions& Shell32() {
    static const Shell32Functions table = [] {
        const Library lib("shell32.dll");
        Shell32Functions t{};
        BIND(lib, t, ShellExecuteA);
        BIND(lib, t, SHGetSpecialFolderPathA);
        return t;
    }();
    return table;
}

const WinInetFunctions& WinInet() {
    static const WinInetFunctions table = [] {
        const Library lib("wininet.dll");
        WinInetFunctions t{};
        BIND(lib, t, InternetOpenA);
        BIND(lib, t, InternetCrackUrlA);
        BIND(lib, t, InternetConnectA);
        BIND(lib, t, HttpOpenRequestA);
        BIND(lib, t, HttpSendRequestA);
        BIND(lib, t, HttpQueryInfoA);
        BIND(lib, t, InternetReadFile);
        BIND(lib, t, InternetCloseHandle);
        return t;
    }();
    return table;
}

const WinSockFunctions& WinSock() {
    static const WinSockFunctions table = [] {
        const Library lib("wsock32.dll");
        WinSockFunctions t{};
        BIND(lib, t, WSAStartup);
        BIND(lib, t, inet_addr);
        BIND(lib, t, gethostbyname);
        return t;
    }();
    return table;
}

#undef BIND

}  // namespace rt::detail
