// The system functions that the start-up does not need, bound at their first
// use so that the window shows without loading their libraries: COM and
// automation (the clock synchronisation, shell links), the shell, WinINet
// and Windows Sockets (the online update). Each library is loaded and all of
// its functions here are looked up together, once; a missing one takes the
// fatal path with the same message as a missing DllCommand export.
#pragma once

#include <winsock2.h>
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wininet.h>

namespace rt::detail {

struct Ole32Functions {
    decltype(&::CLSIDFromProgID) CLSIDFromProgID;
    decltype(&::CLSIDFromString) CLSIDFromString;
    decltype(&::CoCreateInstance) CoCreateInstance;
    decltype(&::CoInitialize) CoInitialize;
    decltype(&::CoUninitialize) CoUninitialize;
    decltype(&::OleInitialize) OleInitialize;
    decltype(&::OleRun) OleRun;
};

struct OleAut32Functions {
    decltype(&::SysAllocStringLen) SysAllocStringLen;
    decltype(&::SysFreeString) SysFreeString;
    decltype(&::SysStringLen) SysStringLen;
    decltype(&::VariantChangeType) VariantChangeType;
    decltype(&::VariantClear) VariantClear;
    decltype(&::SystemTimeToVariantTime) SystemTimeToVariantTime;
    decltype(&::VariantTimeToSystemTime) VariantTimeToSystemTime;
};

struct Shell32Functions {
    decltype(&::ShellExecuteA) ShellExecuteA;
    decltype(&::SHGetSpecialFolderPathA) SHGetSpecialFolderPathA;
};

struct WinInetFunctions {
    decltype(&::InternetOpenA) InternetOpenA;
    decltype(&::InternetCrackUrlA) InternetCrackUrlA;
    decltype(&::InternetConnectA) InternetConnectA;
    decltype(&::HttpOpenRequestA) HttpOpenRequestA;
    decltype(&::HttpSendRequestA) HttpSendRequestA;
    decltype(&::HttpQueryInfoA) HttpQueryInfoA;
    decltype(&::InternetReadFile) InternetReadFile;
    decltype(&::InternetCloseHandle) InternetCloseHandle;
};

struct WinSockFunctions {
    decltype(&::WSAStartup) WSAStartup;
    decltype(&::inet_addr) inet_addr;
    decltype(&::gethostbyname) gethostbyname;
};

const Ole32Functions& Ole32();
const OleAut32Functions& OleAut32();
const Shell32Functions& Shell32();
const WinInetFunctions& WinInet();
const WinSockFunctions& WinSock();

// The fatal message of a library or export that cannot be found.
[[noreturn]] void ReportMissingExport(const char* library, const char* exportName);

}  // namespace rt::detail
