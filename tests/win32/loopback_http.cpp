#include <winsock2.h>
#include <windows.h>

#include "loopback_http.h"

namespace win32test {

LoopbackHttp::LoopbackHttp(Responder responder) : responder_(std::move(responder)) {
    WSADATA data;
    ::WSAStartup(MAKEWORD(1, 1), &data);
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = ::inet_addr("127.0.0.1");
    addr.sin_port = 0;
    ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
    ::listen(s, 8);
    int len = sizeof(addr);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    listener_ = s;
    thread_ = std::thread([this] { Serve(); });
}

LoopbackHttp::~LoopbackHttp() {
    stopping_ = true;
    thread_.join();
    ::closesocket(static_cast<SOCKET>(listener_));
    ::WSACleanup();
}

std::string LoopbackHttp::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LoopbackHttp::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void LoopbackHttp::Serve() {
    const SOCKET listener = static_cast<SOCKET>(listener_);
    while (!stopping_) {
        // Short waits, so that the destructor never depends on closesocket
        // waking a blocked accept.
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(listener, &readable);
        timeval wait{0, 50000};
        if (::select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
        SOCKET client = ::accept(listener, nullptr, nullptr);
        if (client == INVALID_SOCKET) continue;
        const DWORD recvTimeoutMs = 3000;  // a client that keeps the line open
        ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO,
                     reinterpret_cast<const char*>(&recvTimeoutMs), sizeof(recvTimeoutMs));
        std::string head;
        char buf[4096];
        while (head.find("\r\n\r\n") == std::string::npos) {
            const int got = ::recv(client, buf, sizeof(buf), 0);
            if (got <= 0) break;
            head.append(buf, static_cast<size_t>(got));
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(head);
        }
        const std::string answer = responder_(head);
        size_t sent = 0;
        while (sent < answer.size()) {
            const int n = ::send(client, answer.data() + sent,
                                 static_cast<int>(answer.size() - sent), 0);
            if (n <= 0) break;
            sent += static_cast<size_t>(n);
        }
        ::shutdown(client, SD_SEND);
        // Let the client read to the end before the socket goes.
        while (::recv(client, buf, sizeof(buf), 0) > 0) {
        }
        ::closesocket(client);
    }
}

}  // namespace win32test
