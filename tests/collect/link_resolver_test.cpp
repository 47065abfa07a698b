#include "collect/link_resolver.h"

#include <gtest/gtest.h>

#include "fake_window.h"
#include "sim/reserved_keywords.h"
#include "support/simulator_test.h"

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

class LinkResolverTest : public testing::SimulatorTest {
  protected:
    // An entry as extractEntries stores it, for one of the simulator's results.
    static text::Text EntryFor(const sim::ExpectedEntry& expected) {
        return Sys("\"" + expected.writtenTitle + "\",\"url\":\"" + expected.redirectLink + "\"");
    }
    FakeWindow window_;
};

TEST_F(LinkResolverTest, RowsCarryLandingAddressAndDomainOfEachRedirect) {
    const sim::ResultCatalog catalog = simulator().catalog();
    LinkResolver resolver(window_);
    // The first entries vary: with path, with port, without path, https.
    for (int i = 0; i < 4; ++i) {
        resolver.resolve(EntryFor(catalog.entry("Morvesk", i)));
    }
    ASSERT_EQ(window_.rows.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const auto expected = catalog.entry("Morvesk", i);
        const auto& row = window_.rows[static_cast<std::size_t>(i)];
        EXPECT_EQ(row[kIdColumn], std::to_string(i + 1));
        EXPECT_EQ(row[kTitleColumn], Sys(expected.title));
        EXPECT_EQ(row[kLandingUrlColumn], Sys(expected.landingUrl));
        EXPECT_EQ(row[kDomainColumn], Sys(expected.domain));
    }
}

TEST_F(LinkResolverTest, RequestsEachLinkOnceWithRedirectsOff) {
    const auto expected = simulator().catalog().entry("Morvesk", 0);
    LinkResolver(window_).resolve(EntryFor(expected));
    ASSERT_EQ(simulator().requestCount(), 1u);  // the landing page itself is never requested
    const auto request = simulator().requests()[0];
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.version, "HTTP/1.1");
    EXPECT_EQ(request.header("Referer"), expected.redirectLink);
    EXPECT_EQ(request.header("User-Agent"), "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
}

TEST_F(LinkResolverTest, IdsContinueFromTheRowsPresent) {
    for (int i = 0; i < 23; ++i) {
        window_.appendRow(std::to_string(i + 1));
    }
    LinkResolver(window_).resolve(EntryFor(simulator().catalog().entry("Morvesk", 0)));
    ASSERT_EQ(window_.rows.size(), 24u);
    EXPECT_EQ(window_.rows[23][kIdColumn], "24");
}

TEST_F(LinkResolverTest, FailedRequestsLeaveIdAndTitleOnly) {
    const auto noLocation = simulator().catalog().entry(std::string(sim::kNoLocationKeyword), 0);
    struct Case {
        const char* name;
        text::Text entry;
    } cases[] = {
        {"answered without redirect", EntryFor(noLocation)},
        {"unreachable", Sys("\"T\",\"url\":\"http://127.0.0.1:1/link?url=x\"")},
        {"escaped slashes", Sys("\"T\",\"url\":\"http:\\/\\/127.0.0.1\\/link\"")},
        {"no link", Sys("\"T\"")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeWindow window;
        LinkResolver(window).resolve(c.entry);
        ASSERT_EQ(window.rows.size(), 1u);
        EXPECT_EQ(window.rows[0][kIdColumn], "1");
        EXPECT_NE(window.rows[0][kTitleColumn], "");
        EXPECT_EQ(window.rows[0][kLandingUrlColumn], "");
        EXPECT_EQ(window.rows[0][kDomainColumn], "");
    }
}

}  // namespace
}  // namespace tavrinel::collect
