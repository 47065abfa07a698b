#include "net/fetch_url.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tavrinel::net {
namespace {

struct UrlCase {
    const char* name;
    std::string url;
    std::optional<std::string> canonical;  // nothing: the URL is not fetched
    std::string target;
};

class PrepareFetchUrlTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(PrepareFetchUrlTest, CanonicalFormOrRefusal) {
    const UrlCase& c = GetParam();
    const auto prepared = PrepareFetchUrl(c.url);
    if (!c.canonical) {
        EXPECT_FALSE(prepared.has_value()) << prepared->url;
        return;
    }
    ASSERT_TRUE(prepared.has_value());
    EXPECT_EQ(prepared->url, *c.canonical);
    EXPECT_EQ(prepared->requestTarget, c.target);
}

const std::string kHost256 = std::string(252, 'h') + ".com";
const std::string kPath2048 = "/" + std::string(2043, 'p') + "?q=1";  // 2048 with the query

INSTANTIATE_TEST_SUITE_P(
    Urls, PrepareFetchUrlTest,
    ::testing::Values(
        UrlCase{"Plain", "http://h/p?q=1", "http://h/p?q=1", "/p?q=1"},
        UrlCase{"RootWhenNoPath", "https://h", "https://h/", "/"},
        UrlCase{"DotSegmentsResolved", "http://h/a/./b/../c?x=.././", "http://h/a/c?x=.././",
                "/a/c?x=.././"},
        UrlCase{"FragmentDropped", "http://h/p?q=1#part", "http://h/p?q=1", "/p?q=1"},
        UrlCase{"HighBytesKept", "http://h/\xD6\xD0?wd=\xD6\xD0", "http://h/\xD6\xD0?wd=\xD6\xD0",
                "/\xD6\xD0?wd=\xD6\xD0"},
        UrlCase{"PercentEncodingKept", "http://h/%E4%B8%AD?a=%20", "http://h/%E4%B8%AD?a=%20",
                "/%E4%B8%AD?a=%20"},
        UrlCase{"PortKept", "http://h:8080/p", "http://h:8080/p", "/p"},
        UrlCase{"Empty", "", std::nullopt, ""},
        UrlCase{"NoScheme", "www.example.com/p", std::nullopt, ""},
        UrlCase{"OtherScheme", "ftp://h/p", std::nullopt, ""},
        UrlCase{"FileScheme", "file:///etc/passwd", std::nullopt, ""},
        UrlCase{"Space", "http://h/a b", std::nullopt, ""},
        UrlCase{"LineBreak", "http://h/a\r\nX: y", std::nullopt, ""},
        UrlCase{"Host256", "http://" + kHost256 + "/", "http://" + kHost256 + "/", "/"},
        UrlCase{"Host257", "http://x" + kHost256 + "/", std::nullopt, ""},
        UrlCase{"PathWithQuery2048", "http://h" + kPath2048, "http://h" + kPath2048, kPath2048},
        UrlCase{"PathWithQuery2049", "http://h" + kPath2048 + "2", std::nullopt, ""},
        UrlCase{"FragmentNotCounted", "http://h" + kPath2048 + "#" + std::string(100, 'f'),
                "http://h" + kPath2048, kPath2048},
        UrlCase{"User128", "http://" + std::string(128, 'u') + ":pw@h/",
                "http://" + std::string(128, 'u') + ":pw@h/", "/"},
        UrlCase{"User129", "http://" + std::string(129, 'u') + ":pw@h/", std::nullopt, ""},
        UrlCase{"Password128", "http://u:" + std::string(128, 'p') + "@h/",
                "http://u:" + std::string(128, 'p') + "@h/", "/"},
        UrlCase{"Password129", "http://u:" + std::string(129, 'p') + "@h/", std::nullopt, ""}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace tavrinel::net
