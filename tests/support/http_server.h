// A small real HTTP/1.x server on 127.0.0.1 for the end-to-end tests, run on
// its own thread inside the test process. Each test sets how it answers.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace e2e {

struct HttpRequest {
    std::string method, path, version;
    std::vector<std::pair<std::string, std::string>> headers;
};

struct HttpResponse {
    int status = 200;
    std::vector<std::pair<std::string, std::string>> headers;  // sent as given
    std::string body;
    bool omitDate = false;        // no automatic Date header
    bool sendContentLength = true;
    size_t cutBodyAfter = std::string::npos;  // close the connection mid-body
    int delayMs = 0;              // wait before answering
    int trickleMs = 0;            // the body goes out a byte at a time, this far apart
    bool endless = false;         // the body is sent over and over until the client goes
    bool neverAnswer = false;     // accept and keep silent until stopped
};

class HttpServer {
public:
    using Handler = std::function<HttpResponse(const HttpRequest&)>;
    explicit HttpServer(int port, Handler handler);
    ~HttpServer();  // stops and joins
    std::vector<HttpRequest> Requests() const;  // what arrived so far
    void SetHandler(Handler handler);
    // RFC 1123 date of the current UTC time (or shifted by seconds).
    static std::string HttpDateNow(long long shiftSeconds = 0);
    // Sleeps, when needed, until UTC is at most a quarter of a second past a
    // whole second, and never as long as a second: a Date sent then is within
    // half a second of the true time even for a client that adds the whole
    // seconds of its round trip, as the program does.
    static void WaitUntilEarlyInASecond();

    // Answers every request with the same response.
    static Handler Respond(HttpResponse response);
    // Serves the files under a Windows directory by request path ("/e/x.dll"
    // -> dir\e\x.dll); 404 for a missing file, 400 for a path leaving it.
    static Handler ServeDirectory(const std::string& windowsDir);

    bool Listening() const;     // false when the port could not be bound
    void ClearRequests();
    // Waits until at least `count` requests have arrived.
    bool WaitForRequests(size_t count, int timeoutMs = 10000) const;
private:
    void Run();
    bool Stopping() const;
    int port_;
    mutable std::mutex mutex_;
    Handler handler_;
    std::vector<HttpRequest> requests_;
    unsigned long long socket_ = ~0ull;
    bool stopping_ = false;
    std::thread thread_;
};

// Ports the test builds talk to (scripts/build.sh sets the same).
constexpr int kTimeServerPort = 18123;
constexpr int kUpdateServerPort = 18124;

}  // namespace e2e
