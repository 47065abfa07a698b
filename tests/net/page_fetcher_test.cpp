#include "net/page_fetcher.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "raw_http_server.h"

namespace tavrinel::net {
namespace {

using testing::RawHttpServer;
using testing::Reply;
using testing::ReplyInTurn;
using testing::Response;

TEST(PageFetcher, SendsAPlainHttp10GetWithItsOwnTwoHeaders) {
    RawHttpServer server(Reply(Response("HTTP/1.0 200 OK", "page")));
    EXPECT_EQ(PageFetcher::fetch(server.url("/s?wd=a")), "page");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0],
              "GET /s?wd=a HTTP/1.0\r\n"
              "Host: 127.0.0.1:" +
                  std::to_string(server.port()) +
                  "\r\n"
                  "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"
                  "Accept: */*\r\n\r\n");
}

struct TargetCase {
    const char* name;
    std::string path;         // after the server's address
    std::string requestLine;  // as the server must see it
};

class PageFetcherTargetTest : public ::testing::TestWithParam<TargetCase> {};

TEST_P(PageFetcherTargetTest, RequestLineCarriesTheCanonicalTarget) {
    RawHttpServer server(Reply(Response("HTTP/1.0 200 OK", "page")));
    EXPECT_EQ(PageFetcher::fetch(server.url(GetParam().path)), "page");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].substr(0, requests[0].find("\r\n")), GetParam().requestLine);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, PageFetcherTargetTest,
    ::testing::Values(TargetCase{"FragmentNotSent", "/p?q=1#results", "GET /p?q=1 HTTP/1.0"},
                      TargetCase{"DotSegmentsResolved", "/a/./b/../c", "GET /a/c HTTP/1.0"},
                      TargetCase{"HighBytesSentAsTheyAre", "/\xD6\xD0?wd=\xD6\xD0",
                                 "GET /\xD6\xD0?wd=\xD6\xD0 HTTP/1.0"},
                      TargetCase{"PercentEncodingUntouched", "/s?wd=%E4%B8%AD&pn=10",
                                 "GET /s?wd=%E4%B8%AD&pn=10 HTTP/1.0"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(PageFetcher, ReturnsTheBodyOfAnErrorPage) {
    RawHttpServer server(Reply(Response("HTTP/1.0 404 Not Found", "<h1>missing</h1>")));
    EXPECT_EQ(PageFetcher::fetch(server.url("/gone")), "<h1>missing</h1>");
}

struct RedirectCase {
    const char* name;
    std::string statusLine;
    std::string location;  // "{root}" stands for the server's address
};

class PageFetcherRedirectTest : public ::testing::TestWithParam<RedirectCase> {};

TEST_P(PageFetcherRedirectTest, ReturnsTheBodyOfThePageRedirectedTo) {
    const RedirectCase& c = GetParam();
    std::string location = c.location;
    RawHttpServer server([&](testing::RawConnection& connection) {
        const std::string request = connection.readRequest();
        if (request.starts_with("GET /final ")) {
            connection.send(Response("HTTP/1.0 200 OK", "final page"));
        } else if (!request.empty()) {
            connection.send(Response(c.statusLine, "moved", "Location: " + location + "\r\n"));
        }
    });
    if (location.starts_with("{root}")) {
        location = server.url("") + location.substr(6);
    }
    EXPECT_EQ(PageFetcher::fetch(server.url("/start")), "final page");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(requests[1].starts_with("GET /final HTTP/1.0\r\n")) << requests[1];
}

INSTANTIATE_TEST_SUITE_P(
    Redirects, PageFetcherRedirectTest,
    ::testing::Values(RedirectCase{"Found", "HTTP/1.0 302 Found", "/final"},
                      RedirectCase{"MovedAbsolute", "HTTP/1.0 301 Moved", "{root}/final#top"},
                      RedirectCase{"SeeOther", "HTTP/1.0 303 See Other", "final"},
                      RedirectCase{"Temporary", "HTTP/1.1 307 Temporary", "/final"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(PageFetcher, RedirectToAnotherSchemeGivesNothing) {
    RawHttpServer server(
        Reply(Response("HTTP/1.0 302 Found", "moved", "Location: file:///etc/passwd\r\n")));
    EXPECT_EQ(PageFetcher::fetch(server.url("/start")), "");
}

TEST(PageFetcher, ConnectionBrokenMidBodyGivesThePartReceived) {
    RawHttpServer server(
        Reply("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n" + std::string(40, 'b')));
    EXPECT_EQ(PageFetcher::fetch(server.url("/")), std::string(40, 'b'));
}

TEST(PageFetcher, UnreachablePortGivesNothing) {
    // A port that was free a moment ago and has no listener now.
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length), 0);
    close(probe);
    EXPECT_EQ(
        PageFetcher::fetch("http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/"),
        "");
}

TEST(PageFetcher, RefusedUrlsMakeNoRequest) {
    RawHttpServer server(Reply(Response("HTTP/1.0 200 OK", "page")));
    const std::string port = std::to_string(server.port());
    EXPECT_EQ(PageFetcher::fetch(""), "");
    EXPECT_EQ(PageFetcher::fetch("ftp://127.0.0.1:" + port + "/"), "");
    EXPECT_EQ(PageFetcher::fetch(server.url("/" + std::string(2048, 'p'))), "");
    EXPECT_EQ(server.connectionCount(), 0u);
    // The longest path still goes out.
    EXPECT_EQ(PageFetcher::fetch(server.url("/" + std::string(2047, 'p'))), "page");
    EXPECT_EQ(server.connectionCount(), 1u);
}

TEST(PageFetcher, CookiesSetByOneFetchGoWithTheNext) {
    // Path-scoped, so that the cookie stays out of the other tests' requests in this process.
    RawHttpServer server(ReplyInTurn(
        {Response("HTTP/1.0 302 Found", "", "Set-Cookie: hop=1; Path=/jar\r\nLocation: /jar/b\r\n"),
         Response("HTTP/1.0 200 OK", "b", "Set-Cookie: sid=abc; Path=/jar\r\n"),
         Response("HTTP/1.0 200 OK", "c")}));
    EXPECT_EQ(PageFetcher::fetch(server.url("/jar/a")), "b");
    EXPECT_EQ(PageFetcher::fetch(server.url("/jar/c")), "c");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].find("Cookie:"), std::string::npos);
    EXPECT_NE(requests[1].find("\r\nCookie: hop=1\r\n"), std::string::npos) << requests[1];
    EXPECT_NE(requests[2].find("\r\nCookie: "), std::string::npos) << requests[2];
    EXPECT_NE(requests[2].find("sid=abc"), std::string::npos) << requests[2];
    EXPECT_NE(requests[2].find("hop=1"), std::string::npos) << requests[2];
}

TEST(PageFetcher, ThreadsShareTheCookieStore) {
    RawHttpServer server([](testing::RawConnection& connection) {
        const std::string request = connection.readRequest();
        const auto at = request.find("GET /shared/set/");
        if (at != std::string::npos) {
            const std::string name = request.substr(at + 16, request.find(' ', at + 4) - at - 16);
            connection.send(
                Response("HTTP/1.0 200 OK", "set", "Set-Cookie: " + name + "=1; Path=/shared\r\n"));
        } else if (!request.empty()) {
            connection.send(Response("HTTP/1.0 200 OK", "read"));
        }
    });
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i) {
        threads.emplace_back([&server, i] {
            for (int round = 0; round < 5; ++round) {
                PageFetcher::fetch(
                    server.url("/shared/set/t" + std::to_string(i) + "r" + std::to_string(round)));
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(PageFetcher::fetch(server.url("/shared/read")), "read");
    const std::string last = server.requests().back();
    for (int i = 0; i < 4; ++i) {
        for (int round = 0; round < 5; ++round) {
            const std::string cookie = "t" + std::to_string(i) + "r" + std::to_string(round) + "=1";
            EXPECT_NE(last.find(cookie), std::string::npos) << cookie << " missing in " << last;
        }
    }
}

}  // namespace
}  // namespace tavrinel::net
