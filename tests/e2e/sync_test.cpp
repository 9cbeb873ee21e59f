// The clock synchronisation as the user starts it with "立即校对", against a
// real HTTP server on loopback.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "e2e/sync_helpers.h"

namespace e2e {
namespace {

TEST(Sync, SuccessLogsTheFiveLinesAndSendsOneHead) {
    HttpServer server(kTimeServerPort, TrueTimeAnswer);
    App app;
    ASSERT_NE(app.Main(), nullptr);
    EXPECT_EQ(app.Log(), kGreeting);
    app.ChooseUtc();

    const Text log = app.SyncAndWait();
    ASSERT_EQ(log.rfind(kStartLines + "\r\n校对成功！\r\n用时:", 0), 0u) << log;
    const Text tail = log.substr(kStartLines.size() + std::string("\r\n校对成功！\r\n用时:").size());
    ASSERT_GE(tail.size(), 4u);
    EXPECT_EQ(tail.substr(tail.size() - 3), " ms");
    const Text number = tail.substr(0, tail.size() - 3);
    EXPECT_FALSE(number.empty());
    EXPECT_TRUE(std::all_of(number.begin(), number.end(), ::isdigit)) << number;
    EXPECT_EQ(HeadRequests(server), 1);
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_TRUE(Enabled(app.Unit(mw::超级按钮7)));
}

TEST(Sync, RefusedClockWriteShowsTheBoxAndIsNotReportedAsSuccess) {
    HttpServer server(kTimeServerPort, [](const HttpRequest&) {
        return DateAnswer(HttpServer::HttpDateNow(-366LL * 24 * 3600));  // a year off
    });
    App app;
    ASSERT_NE(app.Main(), nullptr);
    app.ChooseUtc();
    Click(app.Unit(mw::超级按钮7));
    MessageBoxInfo box = WaitMessageBox(app.Pid());
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.text, "时间修改失败，请检查你是否有足够的权限修改本机时间！");
    EXPECT_EQ(box.caption, "错误");
    CloseMessageBox(box);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(app.Unit(mw::超级按钮7)) &&
                                       app.Log().size() > kStartLines.size(); }, 15s));
    EXPECT_EQ(app.Log(), kStartLines + "\r\n错误：时间修改失败！");
}

// Every answer that gives no usable date ends in "错误：未知原因", leaves the
// clock alone and gives the button back.
TEST(Sync, AnswersWithoutAUsableDateAreAnUnknownError) {
    HttpServer server(kTimeServerPort, TrueTimeAnswer);
    App app;
    ASSERT_NE(app.Main(), nullptr);
    app.ChooseUtc();

    struct Case {
        const char* name;
        HttpServer::Handler handler;
    };
    const std::string now = HttpServer::HttpDateNow();
    auto replace = [](std::string s, const std::string& from, const std::string& to) {
        s.replace(s.find(from), from.size(), to);
        return s;
    };
    const std::string month = now.substr(8, 3);
    std::string lower = month;
    lower[0] = static_cast<char>(::tolower(lower[0]));
    const Case cases[] = {
        {"no Date", [](const HttpRequest&) { HttpResponse r; r.omitDate = true; return r; }},
        {"empty Date", [](const HttpRequest&) { return DateAnswer(""); }},
        {"UTC", [](const HttpRequest&) { return DateAnswer("UTC"); }},
        {"UTC zone", [=](const HttpRequest&) { return DateAnswer(replace(now, "GMT", "UTC")); }},
        {"lower-case month", [=](const HttpRequest&) { return DateAnswer(replace(now, month, lower)); }},
        {"two blanks", [=](const HttpRequest&) { return DateAnswer(replace(now, " ", "  ")); }},
        {"year 2008", [](const HttpRequest&) { return DateAnswer("Mon, 08 Dec 2008 08:00:00 GMT"); }},
        {"day 32", [](const HttpRequest&) { return DateAnswer("Tue, 32 Dec 2026 08:00:00 GMT"); }},
        {"31 Nov", [](const HttpRequest&) { return DateAnswer("Tue, 31 Nov 2026 08:00:00 GMT"); }},
        {"24:00:00", [](const HttpRequest&) { return DateAnswer("Tue, 08 Dec 2026 24:00:00 GMT"); }},
        {"year 2013x", [](const HttpRequest&) { return DateAnswer("Fri, 08 Nov 2013x 12:34:56 GMT"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server.SetHandler(c.handler);
        const Text log = app.SyncAndWait();
        EXPECT_EQ(log, kStartLines + "\r\n错误：未知原因");
        EXPECT_TRUE(Enabled(app.Unit(mw::超级按钮7)));
    }
    // None of them raised the clock's failure box.
    EXPECT_EQ(WaitMessageBox(app.Pid(), 200ms).hwnd, nullptr);
}

TEST(Sync, NoServerIsAnUnknownError) {
    App app;
    ASSERT_NE(app.Main(), nullptr);
    app.ChooseUtc();
    EXPECT_EQ(app.SyncAndWait(), kStartLines + "\r\n错误：未知原因");  // nothing listening
    EXPECT_TRUE(Enabled(app.Unit(mw::超级按钮7)));
}

// Disabled under Wine 8: its WinHttp request object keeps the receive
// timeout given to SetTimeouts for reading the body only; the wait for the
// response headers has no bound there, so a silent server blocks the send
// for good (seen: still waiting after 90 s). On Windows the same timeout
// ends that wait after 5 s. Run it with --gtest_also_run_disabled_tests.
TEST(Sync, DISABLED_ASilentServerIsAnUnknownErrorAfterTheReceiveTimeout) {
    App app;
    ASSERT_NE(app.Main(), nullptr);
    app.ChooseUtc();
    HttpServer silent(kTimeServerPort, [](const HttpRequest&) {
        HttpResponse r;
        r.neverAnswer = true;
        return r;
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(app.SyncAndWait(20s), kStartLines + "\r\n错误：未知原因");
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    ::testing::Test::RecordProperty("silent_server_wait_ms", static_cast<int>(waited.count()));
    std::printf("silent server: the sync ended after %lld ms\n", static_cast<long long>(waited.count()));
    EXPECT_GE(waited, 4s);   // the 5-second receive timeout
    EXPECT_LT(waited, 15s);
    EXPECT_TRUE(Enabled(app.Unit(mw::超级按钮7)));
}

TEST(Sync, NonAdministratorGetsTheAdminErrorAndNoRequest) {
    HttpServer server(kTimeServerPort, TrueTimeAnswer);
    App app("", "advpack-not-admin");
    ASSERT_NE(app.Main(), nullptr);
    EXPECT_EQ(app.SyncAndWait(), kStartLines + "\r\n错误：请使用管理员身份校时！");
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_TRUE(Enabled(app.Unit(mw::超级按钮7)));
}

TEST(Sync, MissingIsNTAdminExportIsFatal) {
    HttpServer server(kTimeServerPort, TrueTimeAnswer);
    App app("", "advpack-no-export");
    ASSERT_NE(app.Main(), nullptr);
    Click(app.Unit(mw::超级按钮7));
    MessageBoxInfo box = WaitMessageBox(app.Pid());
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_NE(box.text.find("运行时出错!"), Text::npos) << box.text;
    EXPECT_NE(box.text.find("IsNTAdmin"), Text::npos) << box.text;
    CloseMessageBox(box);
    DWORD code = 0;
    ASSERT_TRUE(app.Proc().WaitExit(10s, &code));
    EXPECT_EQ(code & 0xFF, 255u);
    EXPECT_TRUE(server.Requests().empty());
}

TEST(Sync, ASecondRunReplacesTheFirstRunsLines) {
    HttpServer server(kTimeServerPort, [](const HttpRequest&) { return DateAnswer("UTC"); });
    App app;
    ASSERT_NE(app.Main(), nullptr);
    app.ChooseUtc();
    EXPECT_EQ(app.SyncAndWait(), kStartLines + "\r\n错误：未知原因");
    server.SetHandler(TrueTimeAnswer);
    const Text second = app.SyncAndWait();
    EXPECT_EQ(second.rfind(kStartLines + "\r\n校对成功！\r\n用时:", 0), 0u) << second;
    EXPECT_EQ(second.find("未知原因"), Text::npos);
    EXPECT_EQ(HeadRequests(server), 2);
}

// Not a check: the figure asked for is the median, over 20 runs, of the time
// from the click to the result line minus the time the server held its
// answer. Run with --gtest_also_run_disabled_tests.
TEST(Sync, DISABLED_ClickToResultMedian) {
    std::atomic<long long> heldUs{0};
    HttpServer server(kTimeServerPort, [&](const HttpRequest& q) {
        const auto t0 = std::chrono::steady_clock::now();
        HttpResponse r = TrueTimeAnswer(q);
        heldUs = std::chrono::duration_cast<std::chrono::microseconds>(
                     std::chrono::steady_clock::now() - t0).count();
        return r;
    });
    App app;
    ASSERT_NE(app.Main(), nullptr);
    app.ChooseUtc();
    std::vector<double> ms;
    for (int i = 0; i < 20; ++i) {
        HWND button = app.Unit(mw::超级按钮7);
        const auto t0 = std::chrono::steady_clock::now();
        Click(button);
        ASSERT_TRUE(WaitUntil([&] {
            return server.Requests().size() == static_cast<size_t>(i + 1) &&
                   LastLine(app.Log()).find(" ms") != Text::npos && Enabled(button);
        }, 30s));
        const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now() - t0).count();
        ms.push_back((us - heldUs.load()) / 1000.0);
    }
    std::sort(ms.begin(), ms.end());
    const double median = (ms[9] + ms[10]) / 2;
    std::printf("click-to-result minus server hold, median of 20: %.1f ms (min %.1f, max %.1f)\n",
                median, ms.front(), ms.back());
}

}  // namespace
}  // namespace e2e
