#include "sim/result_catalog.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "page_markers.h"
#include "sim/reserved_keywords.h"
#include "sim/result_page.h"

namespace tavrinel::sim {
namespace {

using testing::CaughtPagerLinks;
using testing::CountEntries;

const ResultCatalog kCatalog("http://127.0.0.1:8123", 95);

TEST(DomainOf, TakesTheAuthorityOnlyWhenAPathFollows) {
    EXPECT_EQ(ResultCatalog::domainOf("http://www.example-1.cn/path/x.html"), "www.example-1.cn");
    EXPECT_EQ(ResultCatalog::domainOf("http://host.example.com:8080/a"), "host.example.com:8080");
    EXPECT_EQ(ResultCatalog::domainOf("http://user@mail.example/inbox"), "user@mail.example");
    EXPECT_EQ(ResultCatalog::domainOf("http://www.example-3.net"), "");
    EXPECT_EQ(ResultCatalog::domainOf("/relative/path"), "");
}

TEST(CatalogEntry, LandingAddressesTakeEveryForm) {
    // Five consecutive entries cover path, port, no path, https and user information.
    std::vector<std::string> domains;
    bool sawHttps = false;
    for (int index = 0; index < 5; ++index) {
        const ExpectedEntry entry = kCatalog.entry("中文", index);
        EXPECT_EQ(entry.domain, ResultCatalog::domainOf(entry.landingUrl));
        sawHttps = sawHttps || entry.landingUrl.starts_with("https://");
        domains.push_back(entry.domain);
    }
    EXPECT_TRUE(sawHttps);
    EXPECT_EQ(domains[1], "host-2.example.com:8080");
    EXPECT_EQ(domains[2], "");
    EXPECT_EQ(domains[4], "user@mail-5.example");
}

TEST(CatalogEntry, RedirectTokenLeadsToTheEntrysLandingAddress) {
    for (int index : {0, 1, 2, 3, 4, 57, 999}) {
        const ExpectedEntry entry = kCatalog.entry("中文", index);
        const std::string token = entry.redirectLink.substr(entry.redirectLink.find("url=") + 4);
        const auto target = ResultCatalog::targetOfToken(token);
        ASSERT_TRUE(target) << token;
        EXPECT_EQ(target->answer, LinkAnswer::kRedirect);
        EXPECT_EQ(target->landingUrl, entry.landingUrl);
    }
    EXPECT_FALSE(ResultCatalog::targetOfToken(""));
    EXPECT_FALSE(ResultCatalog::targetOfToken("x12345678_1"));
    EXPECT_FALSE(ResultCatalog::targetOfToken("r1234567Z_1"));
}

TEST(CatalogEntry, EscapedQuoteTitleEndsOnTheBackslash) {
    const ExpectedEntry entry = kCatalog.entry("abc", 4);
    EXPECT_EQ(entry.writtenTitle, "他说\\\"abc\\\"值得一看_论坛 No.5");
    EXPECT_EQ(entry.title, "他说\\");
}

TEST(CatalogEntry, TitlesCarryCharactersOutsideGbk) {
    EXPECT_NE(kCatalog.entry("abc", 2).title.find("😀"), std::string::npos);
    EXPECT_NE(kCatalog.entry("abc", 5).title.find("𠀀"), std::string::npos);
}

TEST(CatalogEntry, LinksThatDoNotRedirectExpectNoLandingAddress) {
    for (const auto keyword : {kNoLocationKeyword, kHangingLinkKeyword}) {
        const ExpectedEntry entry = kCatalog.entry(keyword, 0);
        EXPECT_EQ(entry.landingUrl, "");
        EXPECT_EQ(entry.domain, "");
        const auto target = ResultCatalog::targetOfToken(
            entry.redirectLink.substr(entry.redirectLink.find("url=") + 4));
        ASSERT_TRUE(target);
        EXPECT_NE(target->answer, LinkAnswer::kRedirect);
    }
}

struct PagingCase {
    std::string name;
    std::string keyword;
    std::vector<int> offsets;
    int entries;  // over all pages
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const PagingCase& c, std::ostream* os) { *os << c.name; }

class CatalogPaging : public ::testing::TestWithParam<PagingCase> {};

TEST_P(CatalogPaging, FollowsNextPageLinksToTheLastPage) {
    const PagingCase& c = GetParam();
    EXPECT_EQ(kCatalog.pageOffsets(c.keyword), c.offsets);
    EXPECT_EQ(kCatalog.pageCount(c.keyword), static_cast<int>(c.offsets.size()));
    EXPECT_EQ(static_cast<int>(kCatalog.allEntries(c.keyword).size()), c.entries);
}

INSTANTIATE_TEST_SUITE_P(
    Keywords, CatalogPaging,
    ::testing::Values(PagingCase{"Default", "中文", {0, 10, 20, 30, 40, 50, 60, 70, 80, 90}, 95},
                      PagingCase{"ShortLastPage", "sim-results-25", {0, 10, 20}, 25},
                      PagingCase{"ExactlyFull", "sim-results-20", {0, 10}, 20},
                      PagingCase{"OnePage", "sim-results-3", {0}, 3},
                      PagingCase{"NoResults", "sim-results-0", {0}, 0},
                      PagingCase{"Verification", "sim-verify", {0}, 0},
                      PagingCase{"OddOffset", "sim-odd-offset-50", {0, 25, 35, 45}, 35},
                      PagingCase{"BrokenBody", "sim-broken-body-25", {0}, 5}),
    [](const auto& caseInfo) { return caseInfo.param.name; });

TEST(CatalogKeyword, InvalidUtf8AndControlBytesAreReplaced) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(ResultCatalog::cleanKeyword("a\xFF\xE4\xB8"
                                          "b\n中"),
              "a" + replacement + replacement + replacement + "b 中");
    EXPECT_EQ(ResultCatalog::cleanKeyword("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(CatalogKeyword, MarkupInTheKeywordCannotBreakThePageMarkers) {
    // A keyword made of the markers themselves must not add or end entries or pager links.
    const std::string keyword =
        "x\"}'><div class=\"nums\">百度为您</span></a><a href=\"{\"title\":";
    const RenderedPage page = RenderResultPage(kCatalog, keyword, 0);
    EXPECT_EQ(CountEntries(page.html), 10);
    const auto links = CaughtPagerLinks(page.html);
    ASSERT_FALSE(links.empty());
    EXPECT_EQ(testing::PnValue(links.back()), 10);
    EXPECT_EQ(testing::ResultCountPhrase(page.html), "找到相关结果约95个");
    // Every entry's data reaches its own end marker.
    const ExpectedEntry first = kCatalog.entry(keyword, 0);
    EXPECT_NE(page.html.find("{\"title\":\"" + first.writtenTitle + "\",\"url\":\"" +
                             first.redirectLink + "\"}'>"),
              std::string::npos);
}

TEST(CatalogResultCount, GroupsThousands) {
    EXPECT_EQ(kCatalog.resultCountText("sim-results-1000000"), "找到相关结果约1,000,000个");
    EXPECT_EQ(kCatalog.resultCountText("sim-results-123456"), "找到相关结果约123,456个");
    EXPECT_EQ(kCatalog.resultCountText("sim-results-1000"), "找到相关结果约1,000个");
    EXPECT_EQ(kCatalog.resultCountText("sim-results-999"), "找到相关结果约999个");
}

}  // namespace
}  // namespace tavrinel::sim
