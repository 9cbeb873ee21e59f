// HTTP through WinINet and WinHttp automation, and ICMP, all against 127.0.0.1.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "loopback_http.h"
#include "rt/com.h"
#include "rt/net.h"

namespace {

using win32test::LoopbackHttp;

const char kDate[] = "Wed, 09 Dec 2026 06:30:00 GMT";

std::string Answer(const std::string& status, const std::string& body, bool withLength = true,
                   size_t sendBodyBytes = std::string::npos) {
    std::string head = "HTTP/1.0 " + status + "\r\nDate: " + kDate +
                       "\r\nContent-Type: text/plain\r\nConnection: close\r\n";
    if (withLength) head += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    return head + "\r\n" + body.substr(0, sendBodyBytes);
}

std::string AsText(const rt::ByteSet& b) { return std::string(b.begin(), b.end()); }

constexpr size_t kCap = 1 << 20;

TEST(HttpGet, SendsAnHttp10GetWithTheAgentAndAcceptHeader) {
    LoopbackHttp server([](const std::string&) { return Answer("200 OK", "[文件版本]\r\n"); });
    EXPECT_EQ("[文件版本]\r\n", AsText(rt::HttpGet(server.Url("/ver.ini"), kCap).body));
    const auto requests = server.Requests();
    ASSERT_EQ(1u, requests.size());
    const std::string& head = requests[0];
    EXPECT_EQ(0u, head.find("GET /ver.ini HTTP/1.0\r\n")) << head;
    EXPECT_NE(std::string::npos, head.find("Accept: */*\r\n")) << head;
    EXPECT_NE(std::string::npos,
              head.find("User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"))
        << head;
}

TEST(HttpGet, AnErrorPageIsABodyWithItsStatus) {
    LoopbackHttp server([](const std::string&) { return Answer("404 Not Found", "nothing here"); });
    const rt::HttpResult r = rt::HttpGet(server.Url("/e/temp.exe"), kCap);
    EXPECT_EQ(404, r.status);
    EXPECT_TRUE(r.complete);
    EXPECT_EQ("nothing here", AsText(r.body));
}

// Up to the limit exactly; a byte more is refused, before reading when the
// length says so.
TEST(HttpGet, LargeBodiesArriveWholeUpToTheLimitWithAndWithoutALength) {
    std::string big(250000, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 251);
    LoopbackHttp withLength([&](const std::string&) { return Answer("200 OK", big); });
    LoopbackHttp noLength([&](const std::string&) { return Answer("200 OK", big, false); });
    for (const LoopbackHttp* server : {&withLength, &noLength}) {
        rt::HttpResult r = rt::HttpGet(server->Url("/e/power.dll"), big.size());
        EXPECT_EQ(200, r.status);
        EXPECT_TRUE(r.complete && !r.overLimit);
        EXPECT_TRUE(AsText(r.body) == big) << r.body.size();

        r = rt::HttpGet(server->Url("/e/power.dll"), big.size() - 1);
        EXPECT_TRUE(r.overLimit && !r.complete);
        EXPECT_LT(r.body.size(), big.size());
    }
    EXPECT_TRUE(rt::HttpGet(withLength.Url("/e/power.dll"), big.size() - 1).body.empty()) << "read past a length above the limit";
}

TEST(HttpGet, ACutOffBodyIsReportedIncomplete) {
    const std::string body(5000, 'b');
    LoopbackHttp server([&](const std::string&) { return Answer("200 OK", body, true, 1200); });
    const rt::HttpResult r = rt::HttpGet(server.Url("/e/temp.exe"), kCap);
    EXPECT_EQ(200, r.status);
    EXPECT_FALSE(r.complete);
    EXPECT_LE(r.body.size(), 1200u);
    EXPECT_EQ(std::string(r.body.size(), 'b'), AsText(r.body));
}

TEST(HttpGet, BadUrlsAndRefusedConnectionsGiveNothing) {
    EXPECT_TRUE(rt::HttpGet("", kCap).body.empty());
    EXPECT_TRUE(rt::HttpGet("not a url", kCap).body.empty());
    int freePort = 0;
    { LoopbackHttp probe([](const std::string&) { return std::string(); }); freePort = probe.Port(); }
    const rt::HttpResult r = rt::HttpGet("http://127.0.0.1:" + std::to_string(freePort) + "/x", kCap);
    EXPECT_TRUE(r.body.empty());
    EXPECT_EQ(0, r.status);
    EXPECT_FALSE(r.complete);
}

TEST(ComAutomation, WinHttpHeadRequestGivesTheDateHeader) {
    LoopbackHttp server([](const std::string&) { return Answer("200 OK", "", true, 0); });
    rt::ComObject request;
    ASSERT_TRUE(rt::ComCreate(request, "WinHttp.WinHttpRequest.5.1"));
    rt::ComCall(request, "SetTimeouts", {5000, 5000, 10000, 5000});
    EXPECT_TRUE(rt::ComPut(request, "Option", {6, false}));  // no redirects
    rt::ComCall(request, "Open", {rt::Text("HEAD"), server.Url("/123.123"), false});
    rt::ComCall(request, "Send");
    const rt::Variant date = rt::ComGetVariant(request, "GetResponseHeader", {rt::Text("Date")});
    EXPECT_EQ(kDate, rt::VariantToText(date));
    EXPECT_EQ("200", rt::VariantToText(rt::ComGetVariant(request, "Status")));
    const auto requests = server.Requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ(0u, requests[0].find("HEAD /123.123 HTTP/1.1\r\n")) << requests[0];
}

TEST(ComAutomation, FailuresAreSilent) {
    rt::ComObject none;
    rt::ComCall(none, "Send");
    EXPECT_FALSE(rt::ComPut(none, "Option", {6, false}));
    EXPECT_EQ("", rt::VariantToText(rt::ComGetVariant(none, "Status")));

    rt::ComObject request;
    ASSERT_TRUE(rt::ComCreate(request, "WinHttp.WinHttpRequest.5.1"));
    IDispatch* before = request.Get();
    EXPECT_FALSE(rt::ComCreate(request, "No.Such.ProgId"));
    EXPECT_FALSE(rt::ComCreate(request, "{00000000-0000-0000-0000-00000000abcd}"));
    EXPECT_EQ(before, request.Get());  // a failed create keeps the old object
    EXPECT_EQ("", rt::VariantToText(rt::ComGetVariant(request, "NoSuchMember")));
    // Raised by the member: a header read before any request.
    EXPECT_EQ("", rt::VariantToText(rt::ComGetVariant(request, "GetResponseHeader",
                                                      {rt::Text("Date")})));
    // A send to a closed port raises an error inside the member.
    int freePort = 0;
    { LoopbackHttp probe([](const std::string&) { return std::string(); }); freePort = probe.Port(); }
    rt::ComCall(request, "Open",
                {rt::Text("HEAD"), "http://127.0.0.1:" + std::to_string(freePort) + "/", false});
    rt::ComCall(request, "Send");
    rt::ComRelease(request);
    EXPECT_FALSE(request);
    rt::ComRelease(request);  // twice does nothing
}

TEST(ComAutomation, CreatesByClassIdTextToo) {
    rt::ComObject request;
    // CLSID of WinHttp.WinHttpRequest.5.1.
    EXPECT_TRUE(rt::ComCreate(request, "{2087c2f4-2cef-4953-a8ab-66779b670495}"));
    EXPECT_TRUE(request);
}

TEST(VariantToText, ConvertsThroughBstrInTheAnsiCodePage) {
    rt::Variant v;
    EXPECT_EQ("", rt::VariantToText(v));
    v.Get()->vt = VT_I4;
    v.Get()->lVal = -42;
    EXPECT_EQ("-42", rt::VariantToText(v));
    rt::ClearVariant(v);
    EXPECT_EQ(VT_EMPTY, v.Get()->vt);
    v.Get()->vt = VT_BSTR;
    v.Get()->bstrVal = ::SysAllocString(L"\x6821\x5BF9");  // 校对
    EXPECT_EQ("校对", rt::VariantToText(v));
}

TEST(PingHost, LoopbackAnswersAndBadNamesGiveMinusOne) {
    EXPECT_GE(rt::PingHost("127.0.0.1"), 0);
    EXPECT_GE(rt::PingHost("127.0.0.1:18124", 3000), 0);  // the port is not part of the host
    EXPECT_EQ(-1, rt::PingHost(""));
    EXPECT_EQ(-1, rt::PingHost(":80"));
    // Characters that no resolver accepts: fails without any DNS traffic.
    EXPECT_EQ(-1, rt::PingHost("no such host!?", 1000));
}

}  // namespace
