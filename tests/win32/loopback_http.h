// A tiny HTTP server on 127.0.0.1 for the network tests: every connection
// gets the raw bytes that the responder returns for its request head, and is
// then closed (so a short body is a cut-off answer).
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace win32test {

class LoopbackHttp {
public:
    using Responder = std::function<std::string(const std::string& requestHead)>;
    explicit LoopbackHttp(Responder responder);  // on a free port
    ~LoopbackHttp();
    LoopbackHttp(const LoopbackHttp&) = delete;
    LoopbackHttp& operator=(const LoopbackHttp&) = delete;

    int Port() const { return port_; }
    std::string Url(const std::string& path) const;
    std::vector<std::string> Requests() const;

private:
    void Serve();
    Responder responder_;
    unsigned long long listener_ = ~0ull;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

}  // namespace win32test
