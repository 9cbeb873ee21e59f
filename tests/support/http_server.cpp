// The loopback HTTP server of the end-to-end tests: one listening socket on
// 127.0.0.1, one thread, one request per connection ("Connection: close").
#include <winsock2.h>
#include <windows.h>

#include "support/http_server.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace e2e {

namespace {

constexpr int kPollMs = 25;              // how often the thread looks at stopping_
constexpr int kRequestTimeoutMs = 5000;  // a client that sends no full header is dropped
constexpr size_t kMaxHeaderBytes = 64 * 1024;

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool HasHeader(const HttpResponse& response, const char* name) {
    for (const auto& header : response.headers)
        if (SameText(header.first, name)) return true;
    return false;
}

const char* Reason(int status) {
    switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 304: return "Not Modified";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

bool WaitReadable(SOCKET s, int ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval tv{ms / 1000, (ms % 1000) * 1000};
    return ::select(0, &set, nullptr, nullptr, &tv) > 0;
}

bool SendAll(SOCKET s, const char* data, size_t size) {
    while (size > 0) {
        int n = ::send(s, data, static_cast<int>(std::min<size_t>(size, 64 * 1024)), 0);
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Reads up to the blank line that ends the request header.
bool ReadHeader(SOCKET s, std::string& header) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kRequestTimeoutMs);
    char buffer[4096];
    while (header.find("\r\n\r\n") == std::string::npos) {
        if (header.size() > kMaxHeaderBytes || std::chrono::steady_clock::now() > end) return false;
        if (!WaitReadable(s, kPollMs)) continue;
        int n = ::recv(s, buffer, sizeof buffer, 0);
        if (n <= 0) return false;
        header.append(buffer, static_cast<size_t>(n));
    }
    return true;
}

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return std::string();
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool ParseRequest(const std::string& header, HttpRequest& request) {
    size_t lineEnd = header.find("\r\n");
    std::string line = header.substr(0, lineEnd);
    size_t sp1 = line.find(' ');
    size_t sp2 = line.rfind(' ');
    if (sp1 == std::string::npos || sp2 == sp1) return false;
    request.method = line.substr(0, sp1);
    request.path = line.substr(sp1 + 1, sp2 - sp1 - 1);
    request.version = line.substr(sp2 + 1);
    size_t pos = lineEnd + 2;
    for (;;) {
        size_t next = header.find("\r\n", pos);
        if (next == std::string::npos || next == pos) break;
        std::string field = header.substr(pos, next - pos);
        size_t colon = field.find(':');
        if (colon != std::string::npos)
            request.headers.emplace_back(Trim(field.substr(0, colon)), Trim(field.substr(colon + 1)));
        pos = next + 2;
    }
    return true;
}

std::string StatusAndHeaders(const HttpResponse& response, const std::string& version) {
    std::string out = (version.empty() ? std::string("HTTP/1.1") : version) + " " +
                      std::to_string(response.status) + " " + Reason(response.status) + "\r\n";
    if (!response.omitDate && !HasHeader(response, "Date")) out += "Date: " + HttpServer::HttpDateNow() + "\r\n";
    for (const auto& header : response.headers) out += header.first + ": " + header.second + "\r\n";
    if (response.sendContentLength && !HasHeader(response, "Content-Length"))
        out += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
    if (!HasHeader(response, "Connection")) out += "Connection: close\r\n";
    out += "\r\n";
    return out;
}

// Seconds since 1601 in FILETIME units.
ULONGLONG UtcNow100ns() {
    FILETIME ft;
    ::GetSystemTimeAsFileTime(&ft);
    return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

struct WinsockUser {
    WinsockUser() {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockUser() { ::WSACleanup(); }
};

}  // namespace

HttpServer::HttpServer(int port, Handler handler) : port_(port), handler_(std::move(handler)) {
    static WinsockUser winsock;
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        std::fprintf(stderr, "http server: socket() failed (%d)\n", ::WSAGetLastError());
        return;
    }
    // The previous test's server on the same port may leave TIME_WAIT behind.
    BOOL yes = TRUE;
    ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&yes), sizeof yes);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool bound = false;
    for (int attempt = 0; attempt < 40 && !bound; ++attempt) {
        bound = ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        if (!bound) ::Sleep(50);
    }
    if (!bound || ::listen(s, SOMAXCONN) != 0) {
        std::fprintf(stderr, "http server: cannot listen on 127.0.0.1:%d (%d)\n", port, ::WSAGetLastError());
        ::closesocket(s);
        return;
    }
    socket_ = static_cast<unsigned long long>(s);
    // Listening before the constructor returns: a test may connect at once.
    thread_ = std::thread([this] { Run(); });
}

HttpServer::~HttpServer() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    if (thread_.joinable()) thread_.join();
    if (socket_ != ~0ull) ::closesocket(static_cast<SOCKET>(socket_));
}

std::vector<HttpRequest> HttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void HttpServer::ClearRequests() {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.clear();
}

void HttpServer::SetHandler(Handler handler) {
    std::lock_guard<std::mutex> lock(mutex_);
    handler_ = std::move(handler);
}

bool HttpServer::Listening() const { return socket_ != ~0ull; }

bool HttpServer::Stopping() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return stopping_;
}

bool HttpServer::WaitForRequests(size_t count, int timeoutMs) const {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (requests_.size() >= count) return true;
        }
        if (std::chrono::steady_clock::now() > end) return false;
        ::Sleep(kPollMs);
    }
}

void HttpServer::Run() {
    SOCKET listener = static_cast<SOCKET>(socket_);
    std::vector<SOCKET> silent;  // connections told nothing until the server stops
    while (!Stopping()) {
        if (!WaitReadable(listener, kPollMs)) continue;
        SOCKET client = ::accept(listener, nullptr, nullptr);
        if (client == INVALID_SOCKET) continue;

        std::string header;
        HttpRequest request;
        if (!ReadHeader(client, header) || !ParseRequest(header, request)) {
            ::closesocket(client);
            continue;
        }
        Handler handler;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(request);
            handler = handler_;
        }
        HttpResponse response;
        if (handler) response = handler(request);
        else response.status = 404;

        if (response.neverAnswer) {
            silent.push_back(client);
            continue;
        }
        for (int waited = 0; waited < response.delayMs && !Stopping(); waited += kPollMs)
            ::Sleep(static_cast<DWORD>(std::min(kPollMs, response.delayMs - waited)));
        if (Stopping()) {
            ::closesocket(client);
            break;
        }
        // The Date goes out as late as possible: it is what the client reads the time from.
        std::string head = StatusAndHeaders(response, request.version);
        bool ok = SendAll(client, head.data(), head.size());
        if (ok && !SameText(request.method, "HEAD")) {
            const size_t length = std::min(response.body.size(), response.cutBodyAfter);
            if (response.trickleMs > 0) {
                for (size_t i = 0; ok && i < length && !Stopping(); ++i) {
                    ok = SendAll(client, response.body.data() + i, 1);
                    for (int waited = 0; waited < response.trickleMs && !Stopping(); waited += kPollMs)
                        ::Sleep(static_cast<DWORD>(kPollMs));
                }
            } else {
                do ok = SendAll(client, response.body.data(), length);
                while (ok && response.endless && !Stopping());
            }
        }
        // Let the client read everything before the close.
        ::shutdown(client, SD_SEND);
        for (int i = 0; i < 40 && WaitReadable(client, kPollMs); ++i) {
            char drain[512];
            if (::recv(client, drain, sizeof drain, 0) <= 0) break;
        }
        ::closesocket(client);
    }
    for (SOCKET s : silent) ::closesocket(s);
}

std::string HttpServer::HttpDateNow(long long shiftSeconds) {
    ULONGLONG t = UtcNow100ns() + static_cast<ULONGLONG>(shiftSeconds * 10000000LL);
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(t);
    ft.dwHighDateTime = static_cast<DWORD>(t >> 32);
    SYSTEMTIME st;
    ::FileTimeToSystemTime(&ft, &st);
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char out[64];
    std::snprintf(out, sizeof out, "%s, %02u %s %04u %02u:%02u:%02u GMT", days[st.wDayOfWeek % 7], st.wDay,
                  months[(st.wMonth + 11) % 12], st.wYear, st.wHour, st.wMinute, st.wSecond);
    return out;
}

void HttpServer::WaitUntilEarlyInASecond() {
    constexpr ULONGLONG kEarlyMs = 250, kPastBoundaryMs = 50;
    const ULONGLONG intoSecond = (UtcNow100ns() / 10000) % 1000;
    if (intoSecond <= kEarlyMs) return;
    ::Sleep(static_cast<DWORD>(1000 - intoSecond + kPastBoundaryMs));
}

HttpServer::Handler HttpServer::Respond(HttpResponse response) {
    return [response](const HttpRequest&) { return response; };
}

HttpServer::Handler HttpServer::ServeDirectory(const std::string& windowsDir) {
    return [windowsDir](const HttpRequest& request) {
        HttpResponse response;
        std::string path = request.path.substr(0, request.path.find('?'));
        if (path.empty() || path[0] != '/' || path.find("..") != std::string::npos || path.find('\\') != std::string::npos) {
            response.status = 400;
            return response;
        }
        std::string file = windowsDir;
        for (char c : path) file += c == '/' ? '\\' : c;
        HANDLE h = ::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            response.status = 404;
            response.body = "not found";
            return response;
        }
        char buffer[16 * 1024];
        DWORD got = 0;
        while (::ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) response.body.append(buffer, got);
        ::CloseHandle(h);
        response.headers.emplace_back("Content-Type", "application/octet-stream");
        return response;
    };
}

}  // namespace e2e
