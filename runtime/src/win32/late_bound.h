// The system functions that the start-up does not need, bound at their first
// use so that the window shows without loading their libraries: COM and
// automation (the clock synchronisation, shell links), the shell, WinINet
// and Windows Sockets (the online update); and the common controls, bound
// when the first tab control or tooltip is made (common_controls.cpp). Each
// library is loaded and all of its functions here are looked up together,
// once; a missing one takes the fatal path with the same message as a
// missing DllCommand export.
#pragma once

#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wininet.h>

namespace rt::detail {

// Each library's functions, named once: the table's members and their binding
// are made from these lists.
#define RT_OLE32_FUNCTIONS(X) \
    X(CLSIDFromProgID) X(CLSIDFromString) X(CoCreateInstance) X(CoInitialize) X(CoUninitialize) \
    X(OleInitialize) X(OleRun)
#define RT_OLEAUT32_FUNCTIONS(X) \
    X(SysAllocStringLen) X(SysFreeString) X(SysStringLen) X(VariantChangeType) X(VariantClear) \
    X(SystemTimeToVariantTime) X(VariantTimeToSystemTime)
#define RT_SHELL32_FUNCTIONS(X) X(ShellExecuteA) X(SHGetSpecialFolderPathA)
#define RT_WININET_FUNCTIONS(X) \
    X(InternetOpenA) X(InternetCrackUrlA) X(InternetConnectA) X(HttpOpenRequestA) \
    X(HttpSendRequestA) X(HttpQueryInfoA) X(InternetQueryDataAvailable) X(InternetReadFile) X(InternetCloseHandle) \
    X(InternetSetOptionA)
#define RT_WINSOCK_FUNCTIONS(X) X(WSAStartup) X(inet_addr) X(gethostbyname)
#define RT_COMCTL32_FUNCTIONS(X) X(InitCommonControlsEx)

#define RT_FUNCTION_MEMBER(name) decltype(&::name) name;
struct Ole32Functions { RT_OLE32_FUNCTIONS(RT_FUNCTION_MEMBER) };
struct OleAut32Functions { RT_OLEAUT32_FUNCTIONS(RT_FUNCTION_MEMBER) };
struct Shell32Functions { RT_SHELL32_FUNCTIONS(RT_FUNCTION_MEMBER) };
struct WinInetFunctions { RT_WININET_FUNCTIONS(RT_FUNCTION_MEMBER) };
struct WinSockFunctions { RT_WINSOCK_FUNCTIONS(RT_FUNCTION_MEMBER) };
struct ComCtl32Functions { RT_COMCTL32_FUNCTIONS(RT_FUNCTION_MEMBER) };
#undef RT_FUNCTION_MEMBER

const Ole32Functions& Ole32();
const OleAut32Functions& OleAut32();
const Shell32Functions& Shell32();
const WinInetFunctions& WinInet();
const WinSockFunctions& WinSock();
const ComCtl32Functions& ComCtl32();

// The fatal message of a library or export that cannot be found.
[[noreturn]] void ReportMissingExport(const char* library, const char* exportName);

// A system library from the system folder and nowhere else: the program runs
// as administrator, and a file of the same name beside it (a Downloads
// folder, a folder users can write to) must never run inside it.
HMODULE LoadSystemLibrary(const char* file);

// From the start on, what libraries load by name for themselves comes from
// the system folder too (Windows 7 with KB2533623 and later; earlier systems
// keep their own search).
void RestrictLibrarySearchToSystemFolder();

}  // namespace rt::detail
