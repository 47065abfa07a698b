#include "sim/recorded_request.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tavrinel::sim {
namespace {

TEST(ParseRequestHead, KeepsHeaderOrderAndLetterCase) {
    const auto request = ParseRequestHead(
        "GET /s?wd=a HTTP/1.0\r\nUser-Agent: X\r\naccept:*/*\r\nNoColonLine\r\nEmpty:\r\n"
        "X-Pad: \t padded value \t");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->method, "GET");
    EXPECT_EQ(request->target, "/s?wd=a");
    EXPECT_EQ(request->version, "HTTP/1.0");
    const std::vector<std::pair<std::string, std::string>> expected{
        {"User-Agent", "X"}, {"accept", "*/*"}, {"Empty", ""}, {"X-Pad", "padded value"}};
    EXPECT_EQ(request->headers, expected);
    EXPECT_EQ(request->header("ACCEPT"), "*/*");
    EXPECT_FALSE(request->hasHeader("Cookie"));
}

TEST(ParseRequestHead, AcceptsBareLineFeeds) {
    const auto request = ParseRequestHead("GET / HTTP/1.1\nHost: a");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->header("Host"), "a");
}

TEST(ParseRequestHead, RejectsRequestLinesThatAreNotThreeWords) {
    for (const char* head :
         {"", "GET /", "GET  / HTTP/1.1", "GET / HTTP/1.1 extra", " / HTTP/1.1"}) {
        EXPECT_FALSE(ParseRequestHead(head)) << '"' << head << '"';
    }
}

TEST(TargetPath, StripsQueryFragmentAndProxyForm) {
    EXPECT_EQ(TargetPath("/s?wd=a&pn=10"), "/s");
    EXPECT_EQ(TargetPath("/link#top"), "/link");
    EXPECT_EQ(TargetPath("/"), "/");
    EXPECT_EQ(TargetPath("http://127.0.0.1:8080/s?wd=a"), "/s");
    EXPECT_EQ(TargetPath("http://www.example.com"), "/");
    EXPECT_EQ(TargetPath("http://www.example.com?wd=a"), "/");
    EXPECT_EQ(TargetPath("/redirect?to=http://x/y"), "/redirect");
}

TEST(QueryParameter, DecodesNamesAndValues) {
    EXPECT_EQ(QueryParameter("/s?wd=%E4%B8%AD+a&pn=10", "wd"), "中 a");
    EXPECT_EQ(QueryParameter("/s?wd=a&pn=10&pn=20", "pn"), "10");
    EXPECT_EQ(QueryParameter("/s?wd=a&amp;pn=10", "amp;pn"), "10");
    EXPECT_EQ(QueryParameter("/s?wd=a&amp%3Bpn=10", "amp;pn"), "10");
    EXPECT_EQ(QueryParameter("/s?flag&wd=", "flag"), "");
    EXPECT_EQ(QueryParameter("/s?wd=", "wd"), "");
    EXPECT_EQ(QueryParameter("/s?wd=a#pn=3", "pn"), std::nullopt);
    EXPECT_EQ(QueryParameter("/s", "wd"), std::nullopt);
    EXPECT_EQ(QueryParameter("/s?wd=100%", "wd"), "100%");
}

}  // namespace
}  // namespace tavrinel::sim
