#include "collect/link_resolver.h"

#include <gtest/gtest.h>

#include "fake_window.h"

namespace tavrinel::collect {
namespace {

using testing::FakeWindow;
using testing::Sys;

TEST(LinkResolverExtraction, TitleAndRedirectLinkAreTakenAsWritten) {
    struct Case {
        const char* name;
        const char* entry;  // as extractEntries stores it (after "{\"title\":")
        const char* title;
        const char* link;
    } cases[] = {
        {"plain", R"("T","url":"http://h/link?url=1")", "T", "http://h/link?url=1"},
        // An escaped quote ends the title early: it keeps the backslash as its last byte.
        {"escaped quote", R"("say \"hi\"","url":"http://h/l")", "say \\", "http://h/l"},
        // Escaped slashes stay: the link is requested exactly as written.
        {"escaped slashes", R"("T","url":"http:\/\/h\/link")", "T", "http:\\/\\/h\\/link"},
        {"no quote at all", "nothing", "", ""},
        {"no url key", R"("T","href":"x")", "T", ""},
        {"empty title", R"("","url":"u")", "", "u"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LinkResolver::extractTitle(c.entry), c.title);
        EXPECT_EQ(LinkResolver::extractRedirectLink(c.entry), c.link);
    }
}

TEST(LinkResolverExtraction, LandingUrlAndDomain) {
    struct Case {
        const char* name;
        const char* headers;
        const char* landingUrl;
        const char* domain;
    } cases[] = {
        {"with path", "Server: x\r\nLocation: http://www.a.cn/p/q\r\n", "http://www.a.cn/p/q",
         "www.a.cn"},
        {"port stays in the domain", "Location: http://a.cn:8080/x\r\n", "http://a.cn:8080/x",
         "a.cn:8080"},
        {"user info stays too", "Location: https://u:p@a.cn/\r\n", "https://u:p@a.cn/", "u:p@a.cn"},
        {"no path: empty domain", "Location: http://a.cn\r\n", "http://a.cn", ""},
        {"relative location", "Location: /local/page\r\n", "/local/page", ""},
        {"other letter case is not recognised", "location: http://a.cn/\r\n", "", ""},
        {"no location", "Content-Type: text/html\r\n", "", ""},
        {"first location wins", "Location: http://1/\r\nLocation: http://2/\r\n", "http://1/", "1"},
        {"no CR LF after the value", "Location: http://a.cn/", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const text::Text landing = LinkResolver::extractLandingUrl(c.headers);
        EXPECT_EQ(landing, c.landingUrl);
        EXPECT_EQ(LinkResolver::extractDomain(landing), c.domain);
    }
}

}  // namespace
}  // namespace tavrinel::collect
