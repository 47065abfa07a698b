#include "net/http_request_client.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "raw_http_server.h"
#include "raw_request.h"

namespace tavrinel::net {
namespace {

using namespace std::chrono_literals;
using testing::RawHttpServer;
using testing::Reply;
using testing::Response;
using testing::SplitRequest;

const std::string kUserAgent = "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
const std::string kContentType = "Content-Type: application/x-www-form-urlencoded";

// Replaces every "{url}" in the text by the URL.
std::string WithUrl(std::string text, const std::string& url) {
    for (auto at = text.find("{url}"); at != std::string::npos; at = text.find("{url}")) {
        text.replace(at, 5, url);
    }
    return text;
}

// The header lines a server received after curl's own Host line, which comes first.
std::vector<std::string> HeadersAfterHost(const std::string& raw) {
    auto lines = SplitRequest(raw).headerLines;
    EXPECT_FALSE(lines.empty());
    if (!lines.empty()) {
        EXPECT_TRUE(lines.front().starts_with("Host: 127.0.0.1:")) << lines.front();
        lines.erase(lines.begin());
    }
    return lines;
}

struct HeaderCase {
    const char* name;
    std::string extraHeaders;
    std::string cookies;
    std::string completedBlock;       // "{url}": the requested URL
    std::vector<std::string> onWire;  // after Host, in order
};

class RequestHeadersTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(RequestHeadersTest, BlockCompletedAndSentInOrder) {
    const HeaderCase& c = GetParam();
    RawHttpServer server(Reply(Response("HTTP/1.1 200 OK", "ok")));
    const std::string url = server.url("/r?id=1");
    HttpRequestOptions options;
    options.extraHeaders = c.extraHeaders;
    options.cookies = c.cookies;
    EXPECT_EQ(HttpRequestClient::request(url, options), "ok");
    EXPECT_EQ(options.extraHeaders, WithUrl(c.completedBlock, url));
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(SplitRequest(requests[0]).requestLine, "GET /r?id=1 HTTP/1.1");
    std::vector<std::string> expected;
    for (const std::string& line : c.onWire) {
        expected.push_back(WithUrl(line, url));
    }
    EXPECT_EQ(HeadersAfterHost(requests[0]), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, RequestHeadersTest,
    ::testing::Values(
        HeaderCase{
            "EmptyGetsTheFiveDefaults",
            "",
            "",
            "Accept: */*\r\nReferer: {url}\r\nAccept-Language: zh-cn\r\n" + kUserAgent + "\r\n" +
                kContentType,
            {"Accept: */*", "Referer: {url}", "Accept-Language: zh-cn", kUserAgent, kContentType}},
        HeaderCase{"OwnUserAgentKeptFirst",
                   "User-Agent: X",
                   "",
                   "User-Agent: X\r\nAccept: */*\r\nReferer: {url}\r\nAccept-Language: zh-cn\r\n" +
                       kContentType,
                   {"User-Agent: X", "Accept: */*", "Referer: {url}", "Accept-Language: zh-cn",
                    kContentType}},
        // The presence test is case-sensitive, so the default is added; on the wire the later
        // value replaces the earlier header of that name, as the platform object does.
        HeaderCase{
            "LowerCaseUserAgentDoesNotCount",
            "user-agent: X",
            "",
            "user-agent: X\r\nAccept: */*\r\nReferer: {url}\r\nAccept-Language: zh-cn\r\n" +
                kUserAgent + "\r\n" + kContentType,
            {kUserAgent, "Accept: */*", "Referer: {url}", "Accept-Language: zh-cn", kContentType}},
        HeaderCase{
            "XRefererCountsAsReferer",
            "X-Referer: a",
            "",
            "X-Referer: a\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n" + kUserAgent + "\r\n" +
                kContentType,
            {"X-Referer: a", "Accept: */*", "Accept-Language: zh-cn", kUserAgent, kContentType}},
        HeaderCase{"CookieFirstThenOwnLinesThenDefaults",
                   "X-One: 1\r\nAccept: text/html",
                   "a=1;  b=2",
                   "X-One: 1\r\nAccept: text/html\r\nReferer: {url}\r\nAccept-Language: "
                   "zh-cn\r\n" +
                       kUserAgent + "\r\n" + kContentType,
                   {"Cookie: a=1;  b=2", "X-One: 1", "Accept: text/html", "Referer: {url}",
                    "Accept-Language: zh-cn", kUserAgent, kContentType}},
        HeaderCase{"LinesWithoutNameHaveNoEffect",
                   "NoColon\r\n\r\n: v\r\nX-A:  1 ",
                   "",
                   "NoColon\r\n\r\n: v\r\nX-A:  1 \r\nAccept: */*\r\nReferer: "
                   "{url}\r\nAccept-Language: zh-cn\r\n" +
                       kUserAgent + "\r\n" + kContentType,
                   {"X-A: 1", "Accept: */*", "Referer: {url}", "Accept-Language: zh-cn", kUserAgent,
                    kContentType}},
        HeaderCase{"EmptyValueSentEmpty",
                   "X-Empty:",
                   "",
                   "X-Empty:\r\nAccept: */*\r\nReferer: {url}\r\nAccept-Language: zh-cn\r\n" +
                       kUserAgent + "\r\n" + kContentType,
                   {"X-Empty:", "Accept: */*", "Referer: {url}", "Accept-Language: zh-cn",
                    kUserAgent, kContentType}},
        // A bare LF inside a line would smuggle a header of its own in: the line is refused.
        HeaderCase{
            "LineWithBareLfRefused",
            "X-A: 1\nInjected: yes",
            "",
            "X-A: 1\nInjected: yes\r\nAccept: */*\r\nReferer: {url}\r\nAccept-Language: "
            "zh-cn\r\n" +
                kUserAgent + "\r\n" + kContentType,
            {"Accept: */*", "Referer: {url}", "Accept-Language: zh-cn", kUserAgent, kContentType}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(HttpRequestClient, CompletedBlockSendsItsRefererAgainOnReuse) {
    RawHttpServer server(Reply(Response("HTTP/1.1 200 OK", "ok")));
    HttpRequestOptions options;
    HttpRequestClient::request(server.url("/first"), options);
    HttpRequestClient::request(server.url("/second"), options);
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(SplitRequest(requests[1]).requestLine, "GET /second HTTP/1.1");
    EXPECT_NE(requests[1].find("\r\nReferer: " + server.url("/first") + "\r\n"), std::string::npos);
}

TEST(HttpRequestClient, MethodNumberPicksTheMethod) {
    const std::vector<std::pair<std::int32_t, std::string>> cases = {
        {0, "GET"}, {1, "POST"}, {2, "HEAD"}, {3, "GET"}, {-1, "GET"}};
    for (const auto& [method, name] : cases) {
        RawHttpServer server(Reply("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"));
        HttpRequestOptions options;
        options.method = method;
        HttpRequestClient::request(server.url("/m"), options);
        EXPECT_EQ(options.status, 200) << method;
        const auto requests = server.requests();
        ASSERT_EQ(requests.size(), 1u) << method;
        EXPECT_EQ(SplitRequest(requests[0]).requestLine, name + " /m HTTP/1.1") << method;
    }
}

TEST(HttpRequestClient, SendsTheBytesBodyOverTheText) {
    struct BodyCase {
        std::string textBody;
        std::string byteBody;
        std::string sent;
    };
    const std::vector<BodyCase> cases = {
        {"text", std::string("b\0y\xFFtes", 7), std::string("b\0y\xFFtes", 7)},
        {"k=\xD6\xD0", "", "k=\xD6\xD0"},
        {"", "", ""}};
    for (const BodyCase& c : cases) {
        RawHttpServer server(Reply(Response("HTTP/1.1 200 OK", "ok")));
        HttpRequestOptions options;
        options.method = 1;
        options.textBody = c.textBody;
        options.byteBody = c.byteBody;
        HttpRequestClient::request(server.url("/post"), options);
        const auto requests = server.requests();
        ASSERT_EQ(requests.size(), 1u);
        const auto request = SplitRequest(requests[0]);
        EXPECT_EQ(request.body, c.sent);
        const auto& lines = request.headerLines;
        EXPECT_NE(std::find(lines.begin(), lines.end(),
                            "Content-Length: " + std::to_string(c.sent.size())),
                  lines.end());
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [](const auto& l) { return l.starts_with("Content-Type:"); }),
                  1);
    }
}

TEST(HttpRequestClient, TimeoutsSetOnTheRequestObject) {
    struct TimeoutCase {
        std::int32_t timeoutSeconds;
        std::optional<std::chrono::milliseconds> perPhase;  // nothing: no SetTimeouts call
    };
    const std::vector<TimeoutCase> cases = {
        {0, 15000ms},
        {-5, 15000ms},
        {2, 2000ms},
        {-1, std::nullopt},
        // Too large for 32-bit milliseconds: capped instead of wrapping round.
        {2147484, std::chrono::milliseconds{2147483647}}};
    RawHttpServer server(Reply(Response("HTTP/1.1 200 OK", "ok")));
    for (const TimeoutCase& c : cases) {
        const auto object = RequestObject::create();
        ASSERT_NE(object, nullptr);
        HttpRequestOptions options;
        options.timeoutSeconds = c.timeoutSeconds;
        options.requestObject = object;
        HttpRequestClient::request(server.url("/t"), options);
        EXPECT_EQ(options.status, 200);
        if (c.perPhase) {
            const PhaseTimeouts expected{*c.perPhase, *c.perPhase, *c.perPhase, *c.perPhase};
            EXPECT_EQ(object->lastSetTimeouts(), expected) << c.timeoutSeconds;
            EXPECT_EQ(object->setTimeoutsCalls(), 1);
        } else {
            EXPECT_EQ(object->lastSetTimeouts(), std::nullopt);
            EXPECT_EQ(object->setTimeoutsCalls(), 0);
            EXPECT_EQ(object->timeouts(), RequestObject::kDefaultTimeouts);
        }
    }
}

TEST(HttpRequestClient, GivenObjectStaysUsableAndKeepsItsTimeouts) {
    RawHttpServer server(Reply(Response("HTTP/1.1 200 OK", "ok")));
    const auto object = RequestObject::create();
    HttpRequestOptions options;
    options.requestObject = object;
    options.timeoutSeconds = 2;
    EXPECT_EQ(HttpRequestClient::request(server.url("/1"), options), "ok");
    options.timeoutSeconds = -1;
    EXPECT_EQ(HttpRequestClient::request(server.url("/2"), options), "ok");
    EXPECT_EQ(object->setTimeoutsCalls(), 1);
    EXPECT_EQ(object->timeouts().receive, 2000ms);
    EXPECT_EQ(object->status(), 200);
    EXPECT_EQ(server.requests().size(), 2u);
}

struct CookieCase {
    const char* name;
    std::string cookies;
    std::string setCookieLines;  // raw response header lines
    std::string cookiesAfter;
    std::string newCookies;
};

class ResponseCookiesTest : public ::testing::TestWithParam<CookieCase> {};

TEST_P(ResponseCookiesTest, CookiesMergedFromTheResponse) {
    const CookieCase& c = GetParam();
    RawHttpServer server(Reply(Response("HTTP/1.1 200 OK", "ok", c.setCookieLines)));
    HttpRequestOptions options;
    options.cookies = c.cookies;
    options.newCookies = "stale=1";
    HttpRequestClient::request(server.url("/c"), options);
    EXPECT_EQ(options.status, 200);
    EXPECT_EQ(options.cookies, c.cookiesAfter);
    EXPECT_EQ(options.newCookies, c.newCookies);
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    if (!c.cookies.empty()) {  // sent as the caller wrote it
        EXPECT_NE(requests[0].find("\r\nCookie: " + c.cookies + "\r\n"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResponseCookiesTest,
    ::testing::Values(
        CookieCase{"LowerCaseSetCookie", "", "set-cookie: a=1; path=/\r\n", "a=1", "a=1"},
        CookieCase{"AttributesDropped", "", "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n",
                   "a=1; b=2", "a=1;b=2"},
        CookieCase{"NewFirstOldKept", "a=0; c=3", "Set-Cookie: a=1\r\nSet-Cookie: b=2\r\n",
                   "a=1; b=2; c=3", "a=1;b=2"},
        CookieCase{"DeletedRemovesTheCookie", "a=1", "Set-Cookie: a=deleted; path=/\r\n", "",
                   "a=deleted"},
        CookieCase{"RepeatedNameKeepsTheFirst", "a=1; a=2", "", "a=1", ""},
        CookieCase{"BlanksInValuesLost", "n=a b", "", "n=ab", ""},
        CookieCase{"NoSetCookieNormalisesOnly", " x=1 ;y=2; x=1", "X-Other: 1\r\n", "x=1; y=2",
                   ""}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(HttpRequestClient, SetCookieWrittenInOneCaseInResponseHeaders) {
    RawHttpServer server(
        Reply(Response("HTTP/1.1 200 OK", "", "set-cookie: a=1; path=/\r\nSET-COOKIE: b=2\r\n")));
    HttpRequestOptions options;
    HttpRequestClient::request(server.url("/"), options);
    EXPECT_EQ(options.responseHeaders,
              "Content-Length: 0\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n");
}

TEST(HttpRequestClient, ResponseHeadersEndEveryLineWithCrLf) {
    // Bare LF line ends, and a bare CR inside a value, which must not become a line break.
    RawHttpServer server(Reply("HTTP/1.1 200 OK\nA: 1\nB: x\ry\nContent-Length: 2\n\nok"));
    HttpRequestOptions options;
    EXPECT_EQ(HttpRequestClient::request(server.url("/"), options), "ok");
    EXPECT_EQ(options.status, 200);
    EXPECT_EQ(options.responseHeaders, "A: 1\r\nB: x y\r\nContent-Length: 2\r\n");
}

TEST(HttpRequestClient, RedirectsOffGiveThe302AndItsLocation) {
    RawHttpServer server(Reply(
        Response("HTTP/1.1 302 Found", "moved", "Location: http://landing.example/page?a=1\r\n")));
    HttpRequestOptions options;
    options.noRedirect = true;
    EXPECT_EQ(HttpRequestClient::request(server.url("/link?url=abc"), options), "moved");
    EXPECT_EQ(options.status, 302);
    EXPECT_NE(options.responseHeaders.find("Location: http://landing.example/page?a=1\r\n"),
              std::string::npos)
        << options.responseHeaders;
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST(HttpRequestClient, RedirectsFollowedGiveTheFinalResponse) {
    RawHttpServer server([](testing::RawConnection& connection) {
        const std::string request = connection.readRequest();
        if (request.starts_with("GET /final ")) {
            connection.send(Response("HTTP/1.1 200 OK", "final", "X-Final: 1\r\n"));
        } else if (!request.empty()) {
            connection.send(Response("HTTP/1.1 302 Found", "moved", "Location: /final\r\n"));
        }
    });
    HttpRequestOptions options;
    EXPECT_EQ(HttpRequestClient::request(server.url("/start"), options), "final");
    EXPECT_EQ(options.status, 200);
    EXPECT_EQ(options.responseHeaders, "Content-Length: 5\r\nX-Final: 1\r\n");
}

TEST(HttpRequestClient, FailedExchangeEmptiesTheOutFields) {
    RawHttpServer server(testing::NeverAnswer());
    HttpRequestOptions options;
    options.timeoutSeconds = 1;
    options.cookies = "a=1; a=2; b=x=deleted";
    options.newCookies = "old=1";
    options.responseHeaders = "old";
    options.status = 200;
    EXPECT_EQ(HttpRequestClient::request(server.url("/"), options), "");
    EXPECT_EQ(options.responseHeaders, "");
    EXPECT_EQ(options.status, 0);
    EXPECT_EQ(options.newCookies, "");
    EXPECT_EQ(options.cookies, "a=1");
    EXPECT_TRUE(options.extraHeaders.starts_with("Accept: */*\r\nReferer: "));
}

TEST(HttpRequestClient, NoRequestObjectLeavesEveryFieldAlone) {
    RawHttpServer server(Reply(Response("HTTP/1.1 200 OK", "ok")));
    HttpRequestOptions options;
    options.cookies = "a=1;  a=2";
    options.newCookies = "n";
    options.extraHeaders = "X: 1";
    options.responseHeaders = "r";
    options.status = 7;
    const auto body = HttpRequestClient::request(server.url("/"), options,
                                                 [] { return std::shared_ptr<RequestObject>(); });
    EXPECT_EQ(body, "");
    EXPECT_EQ(options.cookies, "a=1;  a=2");
    EXPECT_EQ(options.newCookies, "n");
    EXPECT_EQ(options.extraHeaders, "X: 1");
    EXPECT_EQ(options.responseHeaders, "r");
    EXPECT_EQ(options.status, 7);
    EXPECT_EQ(server.connectionCount(), 0u);
}

TEST(HttpRequestClient, GivenObjectWithoutHandleActsAsAFailedSend) {
    RawHttpServer server(Reply(Response("HTTP/1.1 200 OK", "ok", "Set-Cookie: s=1\r\n")));
    const auto object = RequestObject::withoutHandle();
    HttpRequestOptions options;
    options.requestObject = object;
    options.cookies = "a=1; a=2";
    options.status = 7;
    EXPECT_EQ(HttpRequestClient::request(server.url("/"), options), "");
    EXPECT_EQ(options.status, 0);
    EXPECT_EQ(options.responseHeaders, "");
    EXPECT_EQ(options.cookies, "a=1");
    EXPECT_FALSE(options.extraHeaders.empty());
    EXPECT_EQ(object->setTimeoutsCalls(), 0);
    EXPECT_EQ(server.connectionCount(), 0u);
}

struct ProxyCase {
    const char* name;
    std::string proxyUser;
    std::optional<std::int32_t> flag;
    std::optional<std::string> proxyAuthorization;
    std::optional<std::string> authorization;
};

class ProxyTest : public ::testing::TestWithParam<ProxyCase> {};

TEST_P(ProxyTest, RequestGoesThroughTheProxyWithItsCredentials) {
    const ProxyCase& c = GetParam();
    RawHttpServer proxy(Reply(Response("HTTP/1.1 200 OK", "via proxy")));
    HttpRequestOptions options;
    options.proxy = "127.0.0.1:" + std::to_string(proxy.port());
    options.proxyUser = c.proxyUser;
    options.proxyPassword = "secret";
    options.proxyCredentialsFlag = c.flag;
    EXPECT_EQ(HttpRequestClient::request("http://origin.invalid/page?a=1", options), "via proxy");
    const auto requests = proxy.requests();
    ASSERT_EQ(requests.size(), 1u);
    const auto request = SplitRequest(requests[0]);
    EXPECT_EQ(request.requestLine, "GET http://origin.invalid/page?a=1 HTTP/1.1");
    const auto header = [&](std::string_view name) -> std::optional<std::string> {
        for (const std::string& line : request.headerLines) {
            if (line.starts_with(name)) {
                return line.substr(name.size());
            }
        }
        return std::nullopt;
    };
    EXPECT_EQ(header("Host: "), "origin.invalid");
    EXPECT_EQ(header("Proxy-Authorization: "), c.proxyAuthorization);
    EXPECT_EQ(header("Authorization: "), c.authorization);
}

INSTANTIATE_TEST_SUITE_P(
    Credentials, ProxyTest,
    ::testing::Values(
        ProxyCase{"ForTheProxyByDefault", "user", std::nullopt,
                  "Basic dXNlcjpzZWNyZXQ=", std::nullopt},
        ProxyCase{"FlagOneForTheProxy", "user", 1, "Basic dXNlcjpzZWNyZXQ=", std::nullopt},
        ProxyCase{"FlagZeroForTheServer", "user", 0, std::nullopt, "Basic dXNlcjpzZWNyZXQ="},
        ProxyCase{"OtherFlagRefused", "user", 5, std::nullopt, std::nullopt},
        ProxyCase{"NoUserNoCredentials", "", std::nullopt, std::nullopt, std::nullopt}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(HttpRequestClient, ThreadsWithTheirOwnObjectsRunTogether) {
    RawHttpServer server(Reply(Response("HTTP/1.1 200 OK", "ok", "Set-Cookie: s=1\r\n")));
    std::vector<std::thread> threads;
    std::vector<int> successes(4, 0);
    for (std::size_t i = 0; i < successes.size(); ++i) {
        threads.emplace_back([&, i] {
            HttpRequestOptions options;
            options.requestObject = RequestObject::create();
            for (int round = 0; round < 5; ++round) {
                options.cookies = "t=" + std::to_string(i);
                if (HttpRequestClient::request(server.url("/"), options) == "ok" &&
                    options.cookies == "s=1; t=" + std::to_string(i)) {
                    ++successes[i];
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(successes, std::vector<int>(4, 5));
}

}  // namespace
}  // namespace tavrinel::net
