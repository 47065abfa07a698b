#include "collect/results_page_parser.h"

#include <gtest/gtest.h>

#include "collect/link_resolver.h"
#include "fake_window.h"
#include "fixture_pages.h"

namespace tavrinel::collect {
namespace {

using testing::ReadFixturePage;
using testing::Sys;

TEST(ResultsPageParser, TenEntryPageYieldsEntriesCountAndNextPage) {
    const text::Text page = ReadFixturePage("pages/ten-entries.html");

    text::TextList entries;
    ASSERT_EQ(ResultsPageParser::extractEntries(page, entries), 10u);
    ASSERT_EQ(entries.size(), 10u);
    const std::vector<std::string> titles = {
        "莫尔维斯克_百度百科", "Morvesk 官方网站",    "关于 \\",        "𠀀字与😀表情",
        "新闻 | Morvesk",      "Ｍｏｒｖｅｓｋ 全角", "  前后有空格  ", "第八条结果",
        "第九条：结果",        "最后一条 Morvesk"};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(LinkResolver::extractTitle(entries[i]), Sys(titles[i]));
        EXPECT_EQ(LinkResolver::extractRedirectLink(entries[i]),
                  "http://www.baidu.com/link?url=tok" + std::to_string(i + 1));
    }

    EXPECT_EQ(ResultsPageParser::extractResultCount(page), Sys("找到相关结果约1,230个"));

    const auto next = ResultsPageParser::extractNextPageLink(page);
    EXPECT_EQ(next.linkCount, 2u);
    EXPECT_EQ(next.link, "/s?wd=Morvesk&pn=10&oq=Morvesk&ie=utf-8&rsv_page=1");
    EXPECT_EQ(ResultsPageParser::pageNumberOf("https://www.baidu.com" + next.link), 1);
}

// Real pages saved from the search engine, as they differ over the years.
struct RealPageCase {
    const char* name;
    const char* file;
    std::size_t entries;
    const char* resultCount;  // UTF-8
    std::size_t pagerLinks;
    std::int32_t nextPageNumber;
};

class RealResultPages : public ::testing::TestWithParam<RealPageCase> {};

TEST_P(RealResultPages, ParseAsTheRunSeesThem) {
    const RealPageCase& c = GetParam();
    const text::Text page = ReadFixturePage(std::string("result-pages/") + c.file);
    text::TextList entries;
    EXPECT_EQ(ResultsPageParser::extractEntries(page, entries), c.entries);
    for (const auto& entry : entries) {
        EXPECT_NE(LinkResolver::extractRedirectLink(entry), "") << entry.substr(0, 200);
    }
    EXPECT_EQ(ResultsPageParser::extractResultCount(page), Sys(c.resultCount));
    const auto next = ResultsPageParser::extractNextPageLink(page);
    EXPECT_EQ(next.linkCount, c.pagerLinks);
    EXPECT_EQ(ResultsPageParser::pageNumberOf(next.link), c.nextPageNumber);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, RealResultPages,
    ::testing::Values(
        RealPageCase{"Page1Of2015", "2015-01-14-result-page.html", 6, "找到相关结果约100,000,000个",
                     9, 1},
        RealPageCase{"Page9Of2015", "2015-01-18-result-page-9.html", 10,
                     "找到相关结果约100,000,000个", 8, 9},
        // One entry marker sits inside another entry's data and is swallowed by it.
        RealPageCase{"CountInsideSpan", "2020-08-18-result-page.html", 8, "", 9, 1},
        RealPageCase{"FragmentWithoutPager", "2020-07-28-fragment.html", 8, "", 0, 0},
        RealPageCase{"NoResultsNoPager", "2020-08-27-no-results.html", 0, "", 0, 0},
        RealPageCase{"VerificationPage", "2020-03-06-verification-page.html", 0, "", 0, 0},
        // Pager links written with &amp; hold no "&pn=": page number 0.
        // The first entry marker stands in script data, so its item runs up to the first real
        // entry's end and swallows the rest.
        RealPageCase{"AmpersandEntities", "2022-12-10-result-page.html", 1, "", 8, 0}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ResultsPageParser, EntryMarkersIgnoreCaseAndSkipBlankEntries) {
    text::TextList entries;
    // Upper-case marker opens an entry; a blank-only entry is neither stored nor counted; a left
    // marker without any "}'>" after it ends the scan and keeps what came before.
    const text::Text page =
        "{\"TITLE\": \"a\" }'> {\"title\":  \xA1\xA1 }'> {\"title\":\"b\"}'>"
        " {\"title\":\"unterminated\"";
    ASSERT_EQ(ResultsPageParser::extractEntries(page, entries), 2u);
    EXPECT_EQ(entries[0], "\"a\"");
    EXPECT_EQ(entries[1], "\"b\"");
}

TEST(ResultsPageParser, ResultCountMarkerIsExactAndNeedsClosingBracket) {
    EXPECT_EQ(ResultsPageParser::extractResultCount(Sys("<DIV class=\"nums\">百度为您约5个<")), "");
    EXPECT_EQ(ResultsPageParser::extractResultCount(Sys("<div class=\"nums\">百度为您约5个")), "");
    EXPECT_EQ(ResultsPageParser::extractResultCount(Sys("<div class=\"nums\">百度为您约5个<a")),
              Sys("约5个"));
}

TEST(ResultsPageParser, NextPageLinkIsTheLastPagerLink) {
    struct Case {
        const char* page;
        std::size_t count;
        const char* link;
    } cases[] = {
        {"", 0, ""},
        {"x</span></a><a href=\"/one\">", 1, "/one"},
        {"</span></a><a href=\"/1\"></SPAN></A><A HREF=\"/2\"></span></a><a href=\"/3\"", 3, "/3"},
        {"</span></a><a href=\" /padded \"", 1, "/padded"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        const auto next = ResultsPageParser::extractNextPageLink(c.page);
        EXPECT_EQ(next.linkCount, c.count);
        EXPECT_EQ(next.link, c.link);
    }
}

TEST(ResultsPageParser, PageNumberOfTruncatesTheOffset) {
    struct Case {
        const char* url;
        std::int32_t page;
    } cases[] = {
        {"/s?wd=a&pn=25&oq=a", 2},
        {"/s?wd=a&pn=10&", 1},
        {"/s?wd=a&pn=9&", 0},
        {"/s?wd=a&pn=90", 0},
        {"/s?wd=a", 0},
        {"/s?wd=a&pn=abc&", 0},
        {"/s?wd=a&PN=20&", 0},
        {"/s?wd=a&amp;pn=20&amp;", 0},
        {"/s?wd=a&pn=-25&", -2},
        {"/s?wd=a&pn=99999999999&", 214748364},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(ResultsPageParser::pageNumberOf(c.url), c.page);
    }
}

}  // namespace
}  // namespace tavrinel::collect
