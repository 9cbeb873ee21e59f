// HTTP GET through WinINet and ICMP echo.
#pragma once

#include <cstddef>

#include "rt/values.h"

namespace rt {

// One process-wide WinINet session; GET, HTTP/1.0, "Accept: */*", reload and
// no-cache-write; the body, the HTTP status and whether the whole body (by
// Content-Length, when sent) arrived, for callers that must not take a
// truncated or failed answer for a file. Nothing on a bad URL or a failed
// connection, request or send. At most maxBody bytes are taken: a
// Content-Length above that is refused before any byte is read, a body that
// runs past it is cut off there. Each wait for the server is bounded, and no
// read is begun that could end later than kHttpDeadlineMs after the start: a
// body that comes too slowly is cut off too.
constexpr unsigned kHttpDeadlineMs = 60000;
struct HttpResult {
    ByteSet body;
    int status = 0;          // 0 when no answer
    bool complete = false;   // the body ended as the server said it would
    bool overLimit = false;  // refused: longer than maxBody, or past the deadline
};
HttpResult HttpGet(const Text& url, size_t maxBody);

// Round trip of one ICMP echo in ms, or -1. Accepts "name", "1.2.3.4", and
// either followed by ":port" (the port is ignored).
int PingHost(const Text& host, int timeoutMs = 10000);

}  // namespace rt
