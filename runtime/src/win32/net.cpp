// HTTP GET through WinINet.
#include <windows.h>
#include <wininet.h>

#include "late_bound.h"
#include "rt/handles.h"

#include "rt/net.h"

namespace rt {

namespace {

struct InternetHandleTraits {
    static HINTERNET Invalid() { return nullptr; }
    static void Close(HINTERNET h) { detail::WinInet().InternetCloseHandle(h); }
};
using ScopedInternet = Scoped<HINTERNET, InternetHandleTraits>;

constexpr DWORD kMaxChunk = 102400;
constexpr DWORD kChunkWithoutLength = 10240;
// The longest that one step (connecting, sending, each wait for bytes) may
// take; a read is begun only while it can still end within the deadline.
constexpr DWORD kStepTimeoutMs = 15000;

// One session for the whole process, opened at first use. It is never closed:
// closing WinINet while a plug-in is being unloaded can hang under the loader
// lock, and the process ending frees it anyway.
HINTERNET Session() {
    static const HINTERNET session = [] {
        HINTERNET s = detail::WinInet().InternetOpenA("Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)",
                                                      INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
        DWORD timeout = kStepTimeoutMs;
        if (s)
            for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                                 INTERNET_OPTION_RECEIVE_TIMEOUT})
                detail::WinInet().InternetSetOptionA(s, option, &timeout, sizeof timeout);
        return s;
    }();
    return session;
}

struct UrlParts {
    Text host, object;
    INTERNET_PORT port = 0;
    bool secure = false;
};

bool SplitUrl(const Text& url, UrlParts* out) {
    if (url.empty()) return false;
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof(parts);
    // Non-zero lengths with null buffers: the pieces come back as pointers
    // into `url`.
    parts.dwHostNameLength = 1;
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!detail::WinInet().InternetCrackUrlA(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return false;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
        return false;
    if (!parts.lpszHostName || parts.dwHostNameLength == 0) return false;
    out->host.assign(parts.lpszHostName, parts.dwHostNameLength);
    if (parts.lpszUrlPath) out->object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo) out->object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (out->object.empty()) out->object = "/";
    out->port = parts.nPort;
    out->secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    return true;
}

bool QueryNumber(HINTERNET request, DWORD what, DWORD* value) {
    DWORD size = sizeof(*value);
    return detail::WinInet().HttpQueryInfoA(request, what | HTTP_QUERY_FLAG_NUMBER, value, &size, nullptr) != FALSE;
}

}  // namespace

HttpResult HttpGet(const Text& url, size_t maxBody) {
    const DWORD start = ::GetTickCount();
    HttpResult result;
    UrlParts parts;
    HINTERNET session = Session();
    if (!session || !SplitUrl(url, &parts)) return result;

    ScopedInternet connection(detail::WinInet().InternetConnectA(session, parts.host.c_str(), parts.port, nullptr,
                                                 nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return result;
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
    if (parts.secure) flags |= INTERNET_FLAG_SECURE;
    ScopedInternet request(detail::WinInet().HttpOpenRequestA(connection.Get(), "GET", parts.object.c_str(),
                                              "HTTP/1.0", nullptr, nullptr, flags, 0));
    if (!request) return result;
    static const char kHeaders[] = "Accept: */*\r\n";
    if (!detail::WinInet().HttpSendRequestA(request.Get(), kHeaders, sizeof(kHeaders) - 1, nullptr, 0))
        return result;

    DWORD status = 0;
    if (QueryNumber(request.Get(), HTTP_QUERY_STATUS_CODE, &status))
        result.status = static_cast<int>(status);
    DWORD length = 0;
    const bool haveLength = QueryNumber(request.Get(), HTTP_QUERY_CONTENT_LENGTH, &length);
    if (haveLength && length > maxBody) {
        result.overLimit = true;
        return result;
    }
    const DWORD chunk =
        haveLength ? (length >= kMaxChunk ? kMaxChunk : length + 1) : kChunkWithoutLength;

    ByteSet buffer(chunk);
    bool readFailed = false;
    for (;;) {
        if (::GetTickCount() - start > kHttpDeadlineMs - kStepTimeoutMs) {
            result.overLimit = true;
            break;
        }
        // Only what has arrived: a read of more waits until it has all come,
        // however slowly the server sends it.
        DWORD available = 0, got = 0;
        if (!detail::WinInet().InternetQueryDataAvailable(request.Get(), &available, 0, 0) ||
            !detail::WinInet().InternetReadFile(request.Get(), buffer.data(), available < chunk ? available : chunk,
                                                &got)) {
            readFailed = true;  // keep what came before the error
            break;
        }
        if (got == 0) break;
        if (got > maxBody - result.body.size()) {
            result.overLimit = true;
            break;
        }
        result.body.insert(result.body.end(), buffer.begin(), buffer.begin() + got);
    }
    result.complete = !readFailed && !result.overLimit && (!haveLength || result.body.size() == length);
    return result;
}

}  // namespace rt
