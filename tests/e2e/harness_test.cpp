// Proves the driver and the loopback server on things that are not Velkora:
// Wine's own notepad.exe, and WinINet requests from this process.
#include <winsock2.h>
#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include "support/driver.h"
#include "support/http_server.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

// ---- the driver, on notepad ----

class NotepadTest : public ::testing::Test {
protected:
    void SetUp() override {
        notepad_ = Process::Start("C:\\windows\\system32\\notepad.exe");
        ASSERT_TRUE(notepad_.Running());
        ASSERT_TRUE(WaitUntil([&] {
            for (HWND hwnd : TopWindows(notepad_.Id()))
                if (Visible(hwnd) && ClassName(hwnd) == "Notepad") main_ = hwnd;
            return main_ != nullptr;
        }, 20s)) << "notepad's window did not appear";
        for (HWND child : Children(main_))
            if (ClassName(child) == "Edit") edit_ = child;
        ASSERT_NE(edit_, nullptr);
    }

    Process notepad_;
    HWND main_ = nullptr;
    HWND edit_ = nullptr;
};

TEST_F(NotepadTest, FindsWindowTypesTextAndReadsItBack) {
    EXPECT_EQ(FindVisibleTopWindow(notepad_.Id(), WindowText(main_), 1s), main_);
    EXPECT_FALSE(WindowText(main_).empty());
    EXPECT_EQ(Child(main_, ::GetDlgCtrlID(edit_)), edit_);

    ASSERT_TRUE(Activate(main_));
    Click(edit_);
    TypeText("Hello 中文 1");
    EXPECT_TRUE(WaitUntil([&] { return WindowText(edit_) == "Hello 中文 1"; }, 5s))
        << "edit holds: " << WindowText(edit_);

    PressKey(VK_BACK);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(edit_) == "Hello 中文 "; }, 5s))
        << "edit holds: " << WindowText(edit_);

    Screenshot("harness-notepad");
    EXPECT_TRUE(FileExists(ScreenshotPath("harness-notepad")));
    Text bmp = ReadFileText(ScreenshotPath("harness-notepad"));
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
}

TEST_F(NotepadTest, RealClickOnTheMenuBarOpensItsMenu) {
    ASSERT_TRUE(Activate(main_));
    // The menu bar lies between the caption and the client area.
    RECT window = ScreenRect(main_);
    POINT client = {0, 0};
    ::ClientToScreen(main_, &client);
    int menuY = client.y - ::GetSystemMetrics(SM_CYMENU) / 2;
    ClickAt(client.x + 12, menuY);
    auto popupOpen = [&] {
        for (HWND hwnd : TopWindows(notepad_.Id()))
            if (Visible(hwnd) && ClassName(hwnd) == "#32768") return true;
        return false;
    };
    EXPECT_TRUE(WaitUntil(popupOpen, 5s)) << "no menu after a click at y=" << menuY
                                           << " (window top " << window.top << ")";
    Screenshot("harness-notepad-menu");
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !popupOpen(); }, 5s));
}

TEST_F(NotepadTest, KillEndsTheProcess) {
    notepad_.Kill();
    EXPECT_FALSE(notepad_.Running());
}

TEST(ProgramDirTest, HasBlankAndChineseNameAndGoesAway) {
    Text path;
    {
        ProgramDir dir;
        path = dir.Path();
        EXPECT_NE(path.find(' '), Text::npos);
        EXPECT_NE(path.find("测试"), Text::npos);
        DWORD attributes = ::GetFileAttributesA(path.c_str());
        ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
        EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
        ASSERT_TRUE(::CreateDirectoryA(dir.File("子目录").c_str(), nullptr));
        HANDLE f = ::CreateFileA(dir.File("子目录\\配置.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(f, "[设置]\r\n", 8, &written, nullptr);
        ::CloseHandle(f);
        EXPECT_EQ(ReadFileText(dir.File("子目录\\配置.ini")), "[设置]\r\n");
        EXPECT_TRUE(FileExists(dir.File("子目录\\配置.ini")));
        EXPECT_FALSE(FileExists(dir.File("无此文件")));
    }
    EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ProgramDirTest, TwoDirectoriesAreDistinct) {
    ProgramDir a, b;
    EXPECT_NE(a.Path(), b.Path());
}

TEST(ListItemsTest, ReadsListAndComboItemsAsGbk) {
    // A list in this process still goes through the W messages and the
    // conversion back to GBK.
    HWND list = ::CreateWindowA("ListBox", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND combo = ::CreateWindowA("ComboBox", "", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(combo, nullptr);
    for (const char* item : {"(UTC+08:00)北京", "东京", "abc"}) {
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    ::SendMessageA(list, LB_SETCURSEL, 1, 0);
    ::SendMessageA(combo, CB_SETCURSEL, 2, 0);
    std::vector<Text> expected = {"(UTC+08:00)北京", "东京", "abc"};
    EXPECT_EQ(ListItems(list), expected);
    EXPECT_EQ(ListItems(combo), expected);
    EXPECT_EQ(ListCurrent(list), 1);
    EXPECT_EQ(ListCurrent(combo), 2);
    ::DestroyWindow(list);
    ::DestroyWindow(combo);
}

// ---- the loopback server, through WinINet ----

// Apart from the ports Velkora's test build talks to, so that a Velkora left
// running by another test cannot answer in the server's place.
constexpr int kHarnessPort = 18129;

struct InternetHandle {
    HINTERNET h = nullptr;
    explicit InternetHandle(HINTERNET x) : h(x) {}
    ~InternetHandle() { if (h) ::InternetCloseHandle(h); }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
};

struct Reply {
    bool ok = false;
    DWORD status = 0;
    std::string date, body;
};

Reply Request(const char* method, const char* path, DWORD timeoutMs = 3000) {
    Reply reply;
    InternetHandle session(::InternetOpenA("e2e", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!session.h) return reply;
    ::InternetSetOptionA(session.h, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeoutMs, sizeof timeoutMs);
    ::InternetSetOptionA(session.h, INTERNET_OPTION_SEND_TIMEOUT, &timeoutMs, sizeof timeoutMs);
    ::InternetSetOptionA(session.h, INTERNET_OPTION_CONNECT_TIMEOUT, &timeoutMs, sizeof timeoutMs);
    InternetHandle connection(::InternetConnectA(session.h, "127.0.0.1", kHarnessPort, nullptr, nullptr,
                                                 INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection.h) return reply;
    InternetHandle request(::HttpOpenRequestA(connection.h, method, path, nullptr, nullptr, nullptr,
                                              INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!request.h || !::HttpSendRequestA(request.h, nullptr, 0, nullptr, 0)) return reply;
    DWORD size = sizeof reply.status;
    ::HttpQueryInfoA(request.h, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &reply.status, &size, nullptr);
    char date[128] = {};
    size = sizeof date;
    if (::HttpQueryInfoA(request.h, HTTP_QUERY_DATE, date, &size, nullptr)) reply.date.assign(date, size);
    char buffer[4096];
    DWORD got = 0;
    while (::InternetReadFile(request.h, buffer, sizeof buffer, &got) && got > 0) reply.body.append(buffer, got);
    reply.ok = true;
    return reply;
}

TEST(HttpServerTest, AnswersHeadAndGetAndRecordsThem) {
    HttpResponse response;
    response.body = "hello";
    response.headers.emplace_back("X-Test", "1");
    HttpServer server(kHarnessPort, HttpServer::Respond(response));
    ASSERT_TRUE(server.Listening());

    Reply get = Request("GET", "/ver.ini");
    ASSERT_TRUE(get.ok);
    EXPECT_EQ(get.status, 200u);
    EXPECT_EQ(get.body, "hello");
    EXPECT_EQ(get.date.size(), 29u) << get.date;
    EXPECT_EQ(get.date.substr(get.date.size() - 4), " GMT");

    Reply head = Request("HEAD", "/123.123");
    ASSERT_TRUE(head.ok);
    EXPECT_EQ(head.status, 200u);
    EXPECT_TRUE(head.body.empty());

    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].path, "/ver.ini");
    EXPECT_EQ(requests[1].method, "HEAD");
    EXPECT_EQ(requests[1].path, "/123.123");
    EXPECT_EQ(requests[1].version, "HTTP/1.1");
    bool host = false;
    for (const auto& h : requests[1].headers) host |= h.first == "Host" && h.second == "127.0.0.1:18129";
    EXPECT_TRUE(host);
    server.ClearRequests();
    EXPECT_TRUE(server.Requests().empty());
}

TEST(HttpServerTest, DateIsTheRealUtcTime) {
    HttpServer::WaitUntilEarlyInASecond();
    std::string before = HttpServer::HttpDateNow();
    HttpServer server(kHarnessPort, HttpServer::Respond(HttpResponse{}));
    Reply reply = Request("HEAD", "/123.123");
    ASSERT_TRUE(reply.ok);
    EXPECT_TRUE(reply.date == before || reply.date == HttpServer::HttpDateNow()) << reply.date << " vs " << before;
    SYSTEMTIME st;
    ASSERT_TRUE(::InternetTimeToSystemTimeA(reply.date.c_str(), &st, 0));
    SYSTEMTIME now;
    ::GetSystemTime(&now);
    EXPECT_EQ(st.wYear, now.wYear);
    EXPECT_EQ(st.wMonth, now.wMonth);
    EXPECT_EQ(st.wDay, now.wDay);
}

TEST(HttpServerTest, DateFormatAndShift) {
    std::string now = HttpServer::HttpDateNow();
    std::string later = HttpServer::HttpDateNow(86400);
    ASSERT_EQ(now.size(), 29u);  // "Sun, 06 Nov 1994 08:49:37 GMT"
    EXPECT_EQ(now[3], ',');
    EXPECT_NE(now.substr(0, 16), later.substr(0, 16));
    EXPECT_EQ(now.substr(17), later.substr(17).substr(0, now.size() - 17)) << now << " / " << later;
}

TEST(HttpServerTest, OmitDateStatusAndOwnHeaders) {
    HttpResponse response;
    response.status = 404;
    response.omitDate = true;
    HttpServer server(kHarnessPort, HttpServer::Respond(response));
    Reply reply = Request("HEAD", "/x");
    ASSERT_TRUE(reply.ok);
    EXPECT_EQ(reply.status, 404u);
    EXPECT_TRUE(reply.date.empty()) << reply.date;

    HttpResponse own;
    own.headers.emplace_back("Date", "garbage");
    server.SetHandler(HttpServer::Respond(own));
    reply = Request("HEAD", "/x");
    ASSERT_TRUE(reply.ok);
    EXPECT_EQ(reply.date, "garbage");
}

TEST(HttpServerTest, CutBodyEndsShort) {
    HttpResponse response;
    response.body = std::string(1000, 'x');
    response.cutBodyAfter = 100;
    HttpServer server(kHarnessPort, HttpServer::Respond(response));
    Reply reply = Request("GET", "/e/temp.exe");
    EXPECT_EQ(reply.body.size(), 100u);
}

TEST(HttpServerTest, DelayedAnswer) {
    HttpResponse slow;
    slow.delayMs = 600;
    HttpServer server(kHarnessPort, HttpServer::Respond(slow));
    auto start = std::chrono::steady_clock::now();
    Reply reply = Request("HEAD", "/");
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(reply.ok);
    EXPECT_GE(took, 550ms);
}

TEST(HttpServerTest, SilenceThenServesAgain) {
    HttpServer server(kHarnessPort, HttpServer::Respond(HttpResponse{}));
    HttpResponse silent;
    silent.neverAnswer = true;
    server.SetHandler(HttpServer::Respond(silent));
    // A raw socket: WinINet's receive timeout is not dependable under Wine.
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(kHarnessPort);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const char head[] = "HEAD / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
    ::send(s, head, sizeof head - 1, 0);
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval tv{0, 800000};
    EXPECT_EQ(::select(0, &set, nullptr, nullptr, &tv), 0) << "a silent server answered";
    ::closesocket(s);
    // Still serves the next request after a silent one.
    server.SetHandler(HttpServer::Respond(HttpResponse{}));
    Reply reply = Request("HEAD", "/");
    EXPECT_TRUE(reply.ok);
    EXPECT_EQ(reply.status, 200u);
}

TEST(HttpServerTest, ServesADirectory) {
    ProgramDir dir("服务 目录");
    ASSERT_TRUE(::CreateDirectoryA(dir.File("e").c_str(), nullptr));
    HANDLE f = ::CreateFileA(dir.File("e\\Clock.dll").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    std::string content("MZ\0\1binary", 10);
    DWORD written = 0;
    ::WriteFile(f, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    ::CloseHandle(f);

    HttpServer server(kHarnessPort, HttpServer::ServeDirectory(dir.Path()));
    Reply reply = Request("GET", "/e/Clock.dll");
    ASSERT_TRUE(reply.ok);
    EXPECT_EQ(reply.status, 200u);
    EXPECT_EQ(reply.body, content);
    reply = Request("GET", "/e/missing.dll");
    EXPECT_EQ(reply.status, 404u);
    reply = Request("GET", "/../secret");
    EXPECT_NE(reply.status, 200u);
}

}  // namespace
}  // namespace e2e
