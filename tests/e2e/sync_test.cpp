// The clock synchronisation as the user starts it with "立即校对", against a
// real HTTP server on loopback.
#include <gtest/gtest.h>

#include <algorithm>

#include "e2e/sync_helpers.h"
#include "support/wine.h"

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
    if (!testsupport::UnderWine()) GTEST_SKIP() << "would set the real clock a year back";
    HttpServer server(kTimeServerPort, [](const HttpRequest&) {
        return DateAnswer(HttpServer::HttpDateNow(-366LL * 24 * 3600));  // a year off
    });
    App app;
    ASSERT_TRUE(app.ReadyInUtc());
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
    ASSERT_TRUE(app.ReadyInUtc());

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
    ASSERT_TRUE(app.ReadyInUtc());
    EXPECT_EQ(app.SyncAndWait(), kStartLines + "\r\n错误：未知原因");  // nothing listening
    EXPECT_TRUE(Enabled(app.Unit(mw::超级按钮7)));
}

// A remembered zone of -1 leaves no zone current: no request goes out and
// the clock is left alone.
TEST(Sync, NoZoneCurrentAsksForOneAndLeavesTheClockAlone) {
    HttpServer server(kTimeServerPort, TrueTimeAnswer);
    App app("", [](ProgramDir& dir) { WriteFileText(dir.File("config.ini"), "[设置]\r\n记录时区=-1\r\n"); });
    ASSERT_NE(app.Main(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ListCurrent(app.Unit(mw::列表框1)) == -1; }, 5s));
    EXPECT_EQ(app.SyncAndWait(20s), kStartLines + "\r\n错误：请选择时区");
    EXPECT_TRUE(Enabled(app.Unit(mw::超级按钮7)));
    EXPECT_EQ(HeadRequests(server), 0);
}

TEST(Sync, NonAdministratorGetsTheAdminErrorAndNoRequest) {
    HttpServer server(kTimeServerPort, TrueTimeAnswer);
    SystemLibraryStandIn notAdmin("advpack-not-admin", "advpack.dll");
    App app;
    ASSERT_NE(app.Main(), nullptr);
    EXPECT_EQ(app.SyncAndWait(), kStartLines + "\r\n错误：请使用管理员身份校时！");
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_TRUE(Enabled(app.Unit(mw::超级按钮7)));
}

TEST(Sync, MissingIsNTAdminExportIsFatal) {
    HttpServer server(kTimeServerPort, TrueTimeAnswer);
    SystemLibraryStandIn noExport("advpack-no-export", "advpack.dll");
    App app;
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

// Under Wine the request's wait serves the window's messages: a close
// pressed meanwhile destroys the window inside the request, and the message
// that ends the program is lost there. The program still ends, with 0, once
// the request is over, and the next start shows its window.
TEST(Sync, AClosePressedWhileTheServerHoldsTheAnswerEndsTheProgram) {
    HttpServer server(kTimeServerPort, HeldAnswer(4000));
    App app;
    ASSERT_NE(app.Main(), nullptr);
    Click(app.Unit(mw::超级按钮7));
    ASSERT_TRUE(server.WaitForRequests(1));
    Click(app.Unit(mw::超级按钮6));  // "×"
    DWORD code = 1;
    EXPECT_TRUE(app.Proc().WaitExit(20s, &code));
    EXPECT_EQ(code, 0u);
    App next;
    EXPECT_NE(next.Main(), nullptr);
}

TEST(Sync, ASecondRunReplacesTheFirstRunsLines) {
    HttpServer server(kTimeServerPort, [](const HttpRequest&) { return DateAnswer("UTC"); });
    App app;
    ASSERT_TRUE(app.ReadyInUtc());
    EXPECT_EQ(app.SyncAndWait(), kStartLines + "\r\n错误：未知原因");
    server.SetHandler(TrueTimeAnswer);
    const Text second = app.SyncAndWait();
    EXPECT_EQ(second.rfind(kStartLines + "\r\n校对成功！\r\n用时:", 0), 0u) << second;
    EXPECT_EQ(second.find("未知原因"), Text::npos);
    EXPECT_EQ(HeadRequests(server), 2);
}

}  // namespace
}  // namespace e2e
