// HTTP GET through WinINet and ICMP echo.
#pragma once

#include "rt/values.h"

namespace rt {

// One process-wide WinINet session; GET, HTTP/1.0, "Accept: */*", reload and
// no-cache-write. The status is not examined: an error page is a body.
// Empty on a bad URL or a failed connection/request/send.
ByteSet HttpGetBytes(const Text& url);

// Same request, also reporting the HTTP status and whether the whole body
// (by Content-Length, when sent) arrived; for callers that must not take a
// truncated or failed answer for a file.
struct HttpResult {
    ByteSet body;
    int status = 0;        // 0 when no answer
    bool complete = false; // the body ended as the server said it would
};
HttpResult HttpGet(const Text& url);

// Round trip of one ICMP echo in ms, or -1. Accepts "name", "1.2.3.4", and
// either followed by ":port" (the port is ignored).
int PingHost(const Text& host, int timeoutMs = 10000);

}  // namespace rt
