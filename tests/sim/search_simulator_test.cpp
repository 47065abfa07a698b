#include "sim/search_simulator.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "page_markers.h"
#include "raw_http.h"
#include "sim/percent_coding.h"
#include "sim/reserved_keywords.h"

namespace tavrinel::sim {
namespace {

using namespace std::chrono_literals;
using testing::CaughtPagerLinks;
using testing::CountEntries;
using testing::PnValue;
using testing::RawBody;
using testing::RawExchange;
using testing::RawHeader;
using testing::ResultCountPhrase;

std::chrono::milliseconds ElapsedSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start);
}

// One simulator with default options for all tests that only read pages.
class SimulatorPages : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        simulator_ = new SearchSimulator();
        simulator_->start();
    }
    static void TearDownTestSuite() {
        delete simulator_;
        simulator_ = nullptr;
    }

    static const SearchSimulator& simulator() { return *simulator_; }
    static ResultCatalog catalog() { return simulator_->catalog(); }

    // GET of an absolute URL on the simulator; the client follows no redirect.
    static httplib::Result get(const std::string& url) {
        httplib::Client client(simulator_->baseUrl());
        return client.Get(url.substr(simulator_->baseUrl().size()));
    }

    // The first page's URL the way a collector builds it from the template.
    static std::string firstPageUrl(const std::string& keyword) {
        std::string url = simulator_->searchUrlTemplate();
        const std::string placeholder = "{关键字}";
        url.replace(url.find(placeholder), placeholder.size(), PercentEncode(keyword));
        return url;
    }

  private:
    static inline SearchSimulator* simulator_ = nullptr;
};

TEST_F(SimulatorPages, FirstPageCarriesCountEntriesAndNextPageLink) {
    const std::string keyword = "中文";
    const auto response = get(firstPageUrl(keyword));
    ASSERT_TRUE(response);
    EXPECT_EQ(response->status, 200);
    EXPECT_EQ(response->get_header_value("Content-Type"), "text/html;charset=utf-8");
    const std::string& page = response->body;

    EXPECT_EQ(ResultCountPhrase(page), "找到相关结果约95个");
    EXPECT_EQ(CountEntries(page), 10);
    std::size_t from = 0;
    for (const ExpectedEntry& entry : catalog().page(keyword, 1)) {
        const std::string data =
            "{\"title\":\"" + entry.writtenTitle + "\",\"url\":\"" + entry.redirectLink + "\"}'>";
        const std::size_t at = page.find(data, from);
        ASSERT_NE(at, std::string::npos) << "entry " << entry.index << " missing or out of order";
        from = at + data.size();
    }

    const auto links = CaughtPagerLinks(page);
    ASSERT_FALSE(links.empty());
    EXPECT_TRUE(links.back().starts_with("/s?wd=%E4%B8%AD%E6%96%87&pn=10&"));
    EXPECT_NE(page.find(links.back() + "\" class=\"n\">下一页 &gt;</a>"), std::string::npos);
}

enum class RunEnd { kLastPage, kNoPagerLink };

struct RunCase {
    std::string name;
    std::string keyword;
    std::vector<int> reportedPages;  // page numbers of the next-page links, in order
    RunEnd end;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }

class SimulatorRun : public SimulatorPages, public ::testing::WithParamInterface<RunCase> {};

// Walks the pages as the collector does: last caught pager link, its "&pn=" / 10 as the page
// number, the end when that number stops growing or no pager link is caught.
TEST_P(SimulatorRun, EndsWhereTheCollectorsRulesEndIt) {
    const RunCase& c = GetParam();
    std::string url = firstPageUrl(c.keyword);
    std::vector<int> reported;
    int entries = 0;
    int shown = 0;
    RunEnd end = RunEnd::kNoPagerLink;
    for (int guard = 0; guard < 50; ++guard) {
        const auto response = get(url);
        ASSERT_TRUE(response);
        entries += CountEntries(response->body);
        const auto links = CaughtPagerLinks(response->body);
        if (links.empty()) {
            end = RunEnd::kNoPagerLink;
            break;
        }
        const int pageNumber = PnValue(links.back()) / 10;
        if (pageNumber <= shown) {
            end = RunEnd::kLastPage;
            break;
        }
        reported.push_back(pageNumber);
        shown = pageNumber;
        url = simulator().siteRoot() + links.back();
    }
    EXPECT_EQ(reported, c.reportedPages);
    EXPECT_EQ(end, c.end);
    EXPECT_EQ(entries, static_cast<int>(catalog().allEntries(c.keyword).size()));
}

INSTANTIATE_TEST_SUITE_P(
    Keywords, SimulatorRun,
    ::testing::Values(RunCase{"Default", "中文", {1, 2, 3, 4, 5, 6, 7, 8, 9}, RunEnd::kLastPage},
                      RunCase{"ThreePagesLastShort", "sim-results-25", {1, 2}, RunEnd::kLastPage},
                      RunCase{
                          "OddOffsetTruncates", "sim-odd-offset-50", {2, 3, 4}, RunEnd::kLastPage},
                      // As on the real engine, page 2 of two catches no pager link: the link to
                      // page 1 follows the "<上一页" link, whose anchor holds no span.
                      RunCase{"TwoPages", "sim-results-20", {1}, RunEnd::kNoPagerLink},
                      RunCase{"OnePage", "sim-results-7", {}, RunEnd::kNoPagerLink},
                      RunCase{"NoResults", "sim-results-0", {}, RunEnd::kNoPagerLink},
                      RunCase{"Verification", "sim-verify", {}, RunEnd::kNoPagerLink}),
    [](const auto& caseInfo) { return caseInfo.param.name; });

TEST_F(SimulatorPages, RedirectLinksAnswer302WithTheLandingAddress) {
    for (const ExpectedEntry& entry : catalog().page("中文", 1)) {
        const auto response = get(entry.redirectLink);
        ASSERT_TRUE(response);
        EXPECT_EQ(response->status, 302);
        EXPECT_EQ(response->get_header_value("Location"), entry.landingUrl);
    }
}

TEST_F(SimulatorPages, NoLocationKeywordsLinksAnswer200WithoutLocation) {
    const auto entries = catalog().page(std::string(kNoLocationKeyword), 1);
    ASSERT_FALSE(entries.empty());
    const auto response = get(entries.front().redirectLink);
    ASSERT_TRUE(response);
    EXPECT_EQ(response->status, 200);
    EXPECT_FALSE(response->has_header("Location"));
    EXPECT_FALSE(response->body.empty());
}

TEST_F(SimulatorPages, UnknownPathsAndTokensAnswer404) {
    for (const std::string path : {"/link?url=nonsense", "/link", "/robots.txt"}) {
        const auto response = get(simulator().baseUrl() + path);
        ASSERT_TRUE(response);
        EXPECT_EQ(response->status, 404) << path;
        EXPECT_FALSE(response->has_header("Location")) << path;
    }
}

TEST_F(SimulatorPages, VerificationKeywordGetsAPageWithoutAnyMarker) {
    const auto response = get(firstPageUrl(std::string(kVerificationKeyword)));
    ASSERT_TRUE(response);
    EXPECT_EQ(response->status, 200);
    EXPECT_NE(response->body.find("百度安全验证"), std::string::npos);
    EXPECT_EQ(CountEntries(response->body), 0);
    EXPECT_TRUE(CaughtPagerLinks(response->body).empty());
    EXPECT_EQ(ResultCountPhrase(response->body), "");
}

TEST_F(SimulatorPages, NotFoundKeywordGetsA404WithAFullResultPage) {
    const auto response = get(firstPageUrl(std::string(kNotFoundKeyword)));
    ASSERT_TRUE(response);
    EXPECT_EQ(response->status, 404);
    EXPECT_EQ(CountEntries(response->body), 10);
    const auto links = CaughtPagerLinks(response->body);
    ASSERT_FALSE(links.empty());
    EXPECT_EQ(PnValue(links.back()), 10);
}

TEST_F(SimulatorPages, EntityPagerLinksHoldNoPnMarkerButStillReachTheirPage) {
    const std::string keyword(kEntityPagerKeyword);
    const auto first = get(firstPageUrl(keyword));
    ASSERT_TRUE(first);
    const auto links = CaughtPagerLinks(first->body);
    ASSERT_FALSE(links.empty());
    EXPECT_NE(links.back().find("&amp;pn=10&amp;"), std::string::npos);
    EXPECT_EQ(PnValue(links.back()), -1);

    const auto second = get(simulator().siteRoot() + links.back());
    ASSERT_TRUE(second);
    EXPECT_NE(second->body.find(catalog().entry(keyword, 10).redirectLink + "\"}'>"),
              std::string::npos);
    EXPECT_EQ(second->body.find(catalog().entry(keyword, 0).redirectLink + "\"}'>"),
              std::string::npos);
}

TEST_F(SimulatorPages, OddOffsetKeywordsNextLinkLeadsToOffset25) {
    const std::string keyword(kOddOffsetKeyword);
    const auto first = get(firstPageUrl(keyword));
    ASSERT_TRUE(first);
    const auto links = CaughtPagerLinks(first->body);
    ASSERT_FALSE(links.empty());
    EXPECT_NE(links.back().find("&pn=25&"), std::string::npos);
    const auto second = get(simulator().siteRoot() + links.back());
    ASSERT_TRUE(second);
    EXPECT_NE(second->body.find(catalog().entry(keyword, 25).redirectLink + "\"}'>"),
              std::string::npos);
}

TEST_F(SimulatorPages, BrokenBodyKeywordClosesTheConnectionMidBody) {
    const std::string keyword(kBrokenBodyKeyword);
    const std::string path = firstPageUrl(keyword).substr(simulator().baseUrl().size());
    const auto reply =
        RawExchange(simulator().port(), "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    EXPECT_TRUE(reply.closedByPeer);
    const std::string body = RawBody(reply.bytes);
    EXPECT_GT(std::stoul(RawHeader(reply.bytes, "Content-Length")), body.size());
    const auto expected = catalog().page(keyword, 1);
    EXPECT_GE(expected.size(), 1u);
    EXPECT_EQ(CountEntries(body), static_cast<int>(expected.size()));
    EXPECT_TRUE(CaughtPagerLinks(body).empty());
}

// Simulators of their own for the tests that need options or watch the lifecycle.

TEST(SimulatorRequests, AreRecordedAsSentInOrder) {
    SearchSimulator simulator;
    const auto port = simulator.start();
    RawExchange(port,
                "GET /s?wd=%E4%B8%AD&pn=10 HTTP/1.0\r\nUser-Agent: Mozilla/4.0 (compatible; "
                "MSIE 6.0; Windows NT 5.0)\r\nAccept: */*\r\nzeta:   last-sorted  \r\n"
                "Accept: text/html\r\n\r\n");
    RawExchange(port,
                "POST /link?url=x HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 5\r\n\r\n"
                "a=1&b");
    RawExchange(port,
                "POST / HTTP/1.1\r\nHost: 127.0.0.1\r\nTransfer-Encoding: chunked\r\n\r\n"
                "3\r\nabc\r\n2;ext=1\r\nde\r\n0\r\n\r\n");

    const auto requests = simulator.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].target, "/s?wd=%E4%B8%AD&pn=10");
    EXPECT_EQ(requests[0].version, "HTTP/1.0");
    const std::vector<std::pair<std::string, std::string>> expectedHeaders{
        {"User-Agent", "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"},
        {"Accept", "*/*"},
        {"zeta", "last-sorted"},
        {"Accept", "text/html"}};
    EXPECT_EQ(requests[0].headers, expectedHeaders);
    EXPECT_EQ(requests[0].header("ZETA"), "last-sorted");
    EXPECT_EQ(requests[1].method, "POST");
    EXPECT_EQ(requests[1].body, "a=1&b");
    EXPECT_EQ(requests[2].body, "abcde");

    simulator.clearRequests();
    EXPECT_EQ(simulator.requestCount(), 0u);
}

TEST(SimulatorRequests, ProxyFormTargetsAreServedLikeOriginForm) {
    SearchSimulator simulator({.resultCount = 3});
    const auto port = simulator.start();
    const auto reply = RawExchange(port, "GET http://www.baidu.com/s?wd=a HTTP/1.1\r\n\r\n");
    EXPECT_TRUE(reply.bytes.starts_with("HTTP/1.1 200 "));
    EXPECT_EQ(CountEntries(reply.bytes), 3);
}

TEST(SimulatorRequests, MalformedRequestGets400) {
    SearchSimulator simulator;
    const auto port = simulator.start();
    const auto reply = RawExchange(port, "NONSENSE\r\n\r\n");
    EXPECT_TRUE(reply.bytes.starts_with("HTTP/1.1 400 ")) << reply.bytes;
    EXPECT_EQ(simulator.requestCount(), 0u);
}

TEST(SimulatorHangingLink, HoldsTheConnectionAndStopStillReturnsPromptly) {
    SearchSimulator simulator({.hangingLinkHold = 60s});
    const auto port = simulator.start();
    const ExpectedEntry entry = simulator.catalog().entry(kHangingLinkKeyword, 0);
    const std::string path = entry.redirectLink.substr(simulator.baseUrl().size());
    const int fd = testing::SendOnly(port, "GET " + path + " HTTP/1.1\r\nHost: x\r\n\r\n");
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(simulator.waitForRequests(1, 5s));
    pollfd readable{fd, POLLIN, 0};
    EXPECT_EQ(::poll(&readable, 1, 300), 0) << "the hanging link answered";

    const auto start = std::chrono::steady_clock::now();
    simulator.stop();
    EXPECT_LT(ElapsedSince(start), 5s);
    char byte;
    EXPECT_EQ(::recv(fd, &byte, 1, 0), 0) << "closed without any response";
    ::close(fd);
}

TEST(SimulatorHangingLink, ClosesUnansweredWhenTheHoldRunsOut) {
    SearchSimulator simulator({.hangingLinkHold = 100ms});
    const auto port = simulator.start();
    const ExpectedEntry entry = simulator.catalog().entry(kHangingLinkKeyword, 0);
    const auto reply = RawExchange(
        port, "GET " + entry.redirectLink.substr(simulator.baseUrl().size()) + " HTTP/1.1\r\n\r\n");
    EXPECT_TRUE(reply.closedByPeer);
    EXPECT_EQ(reply.bytes, "");
}

TEST(SimulatorOptions, LatencyDelaysEachResponse) {
    SearchSimulator simulator({.latency = 200ms});
    simulator.start();
    httplib::Client client(simulator.baseUrl());
    const auto start = std::chrono::steady_clock::now();
    const auto response = client.Get("/s?wd=a");
    ASSERT_TRUE(response);
    EXPECT_GE(ElapsedSince(start), 200ms);
}

TEST(SimulatorOptions, ResultCountSetsOrdinarySearches) {
    SearchSimulator simulator({.resultCount = 12});
    simulator.start();
    httplib::Client client(simulator.baseUrl());
    const auto response = client.Get("/s?wd=a&pn=10");
    ASSERT_TRUE(response);
    EXPECT_EQ(ResultCountPhrase(response->body), "找到相关结果约12个");
    EXPECT_EQ(CountEntries(response->body), 2);
}

TEST(SimulatorLifecycle, StartsListeningStopsAndStartsAgain) {
    SearchSimulator simulator;
    const auto port = simulator.start();
    ASSERT_NE(port, 0);
    EXPECT_TRUE(simulator.isRunning());
    EXPECT_EQ(simulator.start(), port);
    EXPECT_EQ(simulator.baseUrl(), "http://127.0.0.1:" + std::to_string(port));
    EXPECT_EQ(simulator.searchUrlTemplate(),
              "http://127.0.0.1:" + std::to_string(port) + "/s?wd={关键字}&ie=utf-8");
    EXPECT_TRUE(RawExchange(port, "GET / HTTP/1.1\r\n\r\n").bytes.starts_with("HTTP/1.1 200 "));

    simulator.stop();
    EXPECT_FALSE(simulator.isRunning());
    EXPECT_EQ(RawExchange(port, "GET / HTTP/1.1\r\n\r\n").bytes, "");

    const auto again = simulator.start();
    EXPECT_TRUE(RawExchange(again, "GET / HTTP/1.1\r\n\r\n").bytes.starts_with("HTTP/1.1 200 "));
}

TEST(SimulatorLifecycle, DestructorDoesNotWaitForSilentClients) {
    const auto start = std::chrono::steady_clock::now();
    int silent = -1;
    {
        SearchSimulator simulator;
        const auto port = simulator.start();
        silent = testing::SendOnly(port, "GET / HTT");  // an unfinished request head
        ASSERT_GE(silent, 0);
    }
    EXPECT_LT(ElapsedSince(start), 5s);
    ::close(silent);
}

TEST(SimulatorLifecycle, TwoSimulatorsRunSideBySide) {
    SearchSimulator first;
    SearchSimulator second;
    EXPECT_NE(first.start(), second.start());
    EXPECT_TRUE(
        RawExchange(second.port(), "GET / HTTP/1.1\r\n\r\n").bytes.starts_with("HTTP/1.1 200"));
    EXPECT_EQ(first.requestCount(), 0u);
    EXPECT_EQ(second.requestCount(), 1u);
}

}  // namespace
}  // namespace tavrinel::sim
