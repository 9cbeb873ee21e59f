// One ICMP echo through icmp.dll, with names resolved by Windows Sockets 1.1.
#include <winsock2.h>
#include <windows.h>
#include <ipexport.h>

#include <cstring>

#include "late_bound.h"
#include "rt/net.h"

namespace rt {

namespace {

using IcmpCreateFileFn = HANDLE(WINAPI*)();
using IcmpCloseHandleFn = BOOL(WINAPI*)(HANDLE);
using IcmpSendEchoFn = DWORD(WINAPI*)(HANDLE, IPAddr, LPVOID, WORD, PIP_OPTION_INFORMATION,
                                      LPVOID, DWORD, DWORD);

struct IcmpLibrary {
    IcmpCreateFileFn create = nullptr;
    IcmpCloseHandleFn close = nullptr;
    IcmpSendEchoFn send = nullptr;
    bool Usable() const { return create && close && send; }
};

// Loaded once and kept for the life of the process.
const IcmpLibrary& Icmp() {
    static const IcmpLibrary library = [] {
        IcmpLibrary lib;
        HMODULE module = detail::LoadSystemLibrary("icmp.dll");
        if (!module) return lib;
        lib.create = reinterpret_cast<IcmpCreateFileFn>(
            reinterpret_cast<void*>(::GetProcAddress(module, "IcmpCreateFile")));
        lib.close = reinterpret_cast<IcmpCloseHandleFn>(
            reinterpret_cast<void*>(::GetProcAddress(module, "IcmpCloseHandle")));
        lib.send = reinterpret_cast<IcmpSendEchoFn>(
            reinterpret_cast<void*>(::GetProcAddress(module, "IcmpSendEcho")));
        return lib;
    }();
    return library;
}

bool SocketsStarted() {
    static const bool started = [] {
        WSADATA data;
        return detail::WinSock().WSAStartup(MAKEWORD(1, 1), &data) == 0;
    }();
    return started;
}

// The first IPv4 address of a dotted address or a name; false when none.
bool Resolve(const Text& host, IPAddr* address) {
    const unsigned long dotted = detail::WinSock().inet_addr(host.c_str());
    if (dotted != INADDR_NONE) {
        *address = dotted;
        return true;
    }
    const hostent* entry = detail::WinSock().gethostbyname(host.c_str());
    if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list || !entry->h_addr_list[0])
        return false;
    in_addr first;
    memcpy(&first, entry->h_addr_list[0], sizeof(first));
    *address = first.s_addr;
    return true;
}

}  // namespace

int PingHost(const Text& host, int timeoutMs) {
    const Text name = host.substr(0, host.find(':'));  // "host:port" pings the host
    if (name.empty()) return -1;
    const IcmpLibrary& icmp = Icmp();
    if (!SocketsStarted() || !icmp.Usable()) return -1;
    IPAddr address = 0;
    if (!Resolve(name, &address)) return -1;

    HANDLE handle = icmp.create();
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) return -1;
    // Room for one reply of this architecture's layout plus the 8 bytes of an
    // ICMP error; no data bytes are sent. (36 bytes on 32-bit Windows; the
    // 64-bit reply holds a pointer and is larger.)
    alignas(ICMP_ECHO_REPLY) unsigned char reply[sizeof(ICMP_ECHO_REPLY) + 8] = {};
    const DWORD timeout = timeoutMs < 0 ? 0 : static_cast<DWORD>(timeoutMs);
    const DWORD replies = icmp.send(handle, address, nullptr, 0, nullptr, reply, sizeof(reply),
                                    timeout);
    icmp.close(handle);
    const auto* echo = reinterpret_cast<const ICMP_ECHO_REPLY*>(reply);
    if (replies == 0 || echo->Status != IP_SUCCESS) return -1;
    return static_cast<int>(echo->RoundTripTime);
}

}  // namespace rt
