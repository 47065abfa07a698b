#include "collect/collection_run.h"

#include <gtest/gtest.h>

#include "collect/ui_texts.h"
#include "fake_window.h"
#include "sim/reserved_keywords.h"
#include "support/simulator_test.h"
#include "text/url_encode.h"

namespace tavrinel::collect {
namespace {

using testing::FakeWindow;
using testing::SimulatorTest;
using testing::Sys;

class CollectionRunTest : public SimulatorTest {
  protected:
    // Runs as the start click would: the button already reads "停止".
    RunEnd runFor(const std::string& keywordUtf8, const std::string& pageCount,
                  CollectionSettings runSettings = settings()) {
        window_.keyword = Sys(keywordUtf8);
        window_.pageCount = pageCount;
        return CollectionRun(window_, std::move(runSettings)).run();
    }

    // Every row equals what the simulator served for the keyword, Ids counting on from firstId.
    void expectRowsServedFor(const std::string& keyword, std::size_t count, int firstId = 1) {
        ASSERT_EQ(window_.rows.size(), count + static_cast<std::size_t>(firstId - 1));
        const sim::ResultCatalog catalog = simulator().catalog();
        for (std::size_t i = 0; i < count; ++i) {
            SCOPED_TRACE(i);
            const auto expected = catalog.entry(keyword, static_cast<int>(i));
            const auto& row = window_.rows[static_cast<std::size_t>(firstId - 1) + i];
            EXPECT_EQ(row[kIdColumn], std::to_string(firstId + static_cast<int>(i)));
            EXPECT_EQ(row[kTitleColumn], Sys(expected.title));
            EXPECT_EQ(row[kLandingUrlColumn], Sys(expected.landingUrl));
            EXPECT_EQ(row[kDomainColumn], Sys(expected.domain));
        }
    }

    FakeWindow window_;
};

TEST_F(CollectionRunTest, WalksEveryPageUntilTheLastOne) {
    const std::string keyword = sim::ResultsKeyword(25);  // three pages, the last one short
    EXPECT_EQ(runFor(keyword, "10"), RunEnd::kStopped);

    expectRowsServedFor(keyword, 25);
    EXPECT_EQ(window_.windowCaption,
              Sys("Tavrinel V1.5.1  " + simulator().catalog().resultCountText(keyword)));
    EXPECT_EQ(window_.pageFeedbacks, (std::vector<std::int32_t>{1, 2, 1}));
    EXPECT_EQ(window_.pageCounter, Sys("当前页：2 已到最后一页"));
    EXPECT_EQ(window_.startButton, ui::StartCaption());
    EXPECT_EQ(window_.messages, std::vector<text::Text>{Sys("采集已停止")});
}

TEST_F(CollectionRunTest, PageCountReachedFetchesOneMorePageWithoutParsingIt) {
    const std::string keyword = "Morvesk";
    EXPECT_EQ(runFor(keyword, "2"), RunEnd::kPageCountReached);
    expectRowsServedFor(keyword, 20);
    EXPECT_EQ(pageRequests(), 3u);  // page count plus one
    EXPECT_EQ(window_.pageCounter, Sys("当前页：2"));
    EXPECT_EQ(window_.messages, std::vector<text::Text>{Sys("采集已停止")});
}

TEST_F(CollectionRunTest, TemplateWithoutPlaceholderRequestsNothing) {
    CollectionSettings noPlaceholder = settings();
    noPlaceholder.searchUrlTemplate = Sys(simulator().baseUrl() + "/s?wd=fixed");
    EXPECT_EQ(runFor("Morvesk", "10", noPlaceholder), RunEnd::kNoPlaceholder);
    EXPECT_EQ(simulator().requestCount(), 0u);
    EXPECT_TRUE(window_.rows.empty());
    EXPECT_EQ(window_.startButton, ui::StartCaption());
    EXPECT_EQ(window_.messages, std::vector<text::Text>{Sys("采集已停止")});
}

TEST_F(CollectionRunTest, PageCountBelowOneFetchesOnlyTheFirstPage) {
    EXPECT_EQ(runFor("Morvesk", "-5"), RunEnd::kPageCountReached);
    EXPECT_EQ(simulator().requestCount(), 1u);
    EXPECT_TRUE(window_.rows.empty());
    EXPECT_EQ(window_.windowCaption, "");
    EXPECT_EQ(window_.messages, std::vector<text::Text>{Sys("采集已停止")});
}

TEST_F(CollectionRunTest, PageWithoutPagerLinkEndsWithTheThreeLineMessage) {
    EXPECT_EQ(runFor(std::string(sim::kVerificationKeyword), "10"), RunEnd::kNoPagerLink);
    EXPECT_TRUE(window_.rows.empty());
    EXPECT_EQ(window_.windowCaption, Sys("Tavrinel V1.5.1  "));
    EXPECT_EQ(window_.messages,
              (std::vector<text::Text>{Sys("1.IP被限制\r\n2.网络不稳定\r\n3.搜索的关键字无内容！"),
                                       Sys("采集已停止")}));
}

TEST_F(CollectionRunTest, UnreachableEngineEndsLikeAPageWithoutPager) {
    CollectionSettings nowhere = settings();
    nowhere.searchUrlTemplate = Sys("http://127.0.0.1:1/s?wd={关键字}");
    EXPECT_EQ(runFor("Morvesk", "10", nowhere), RunEnd::kNoPagerLink);
    EXPECT_EQ(window_.windowCaption, Sys("Tavrinel V1.5.1  "));
    EXPECT_EQ(window_.messages.size(), 2u);
}

TEST_F(CollectionRunTest, BrokenAndErrorPagesAreParsedForWhatTheyHold) {
    // A page cut off mid-body keeps the entries that arrived, then has no pager link.
    EXPECT_EQ(runFor(std::string(sim::kBrokenBodyKeyword), "10"), RunEnd::kNoPagerLink);
    EXPECT_FALSE(window_.rows.empty());
    EXPECT_LT(window_.rows.size(), 10u);

    // A 404 answer's body is an ordinary result page.
    FakeWindow fresh;
    fresh.keyword = Sys(sim::WithResultCount(sim::kNotFoundKeyword, 3));
    fresh.pageCount = "10";
    CollectionRun(fresh, settings()).run();
    EXPECT_EQ(fresh.rows.size(), 3u);
}

TEST_F(CollectionRunTest, StopDuringAPageFinishesThePageAndFetchesTheNextUnparsed) {
    window_.afterRowCompleted = [](FakeWindow& window, int row) {
        if (row == 2) {
            window.setStartButtonCaption(ui::StartCaption());  // the user's stop click
        }
    };
    EXPECT_EQ(runFor("Morvesk", "10"), RunEnd::kStopped);
    EXPECT_EQ(window_.rows.size(), 10u);  // the rest of page 1 was still resolved
    EXPECT_EQ(pageRequests(), 2u);        // page 2 fetched, never parsed
    EXPECT_EQ(window_.pageCounter, Sys("当前页：1"));
}

TEST_F(CollectionRunTest, SecondRunNumbersOnFromTheRowsPresent) {
    for (int i = 0; i < 23; ++i) {
        window_.appendRow(std::to_string(i + 1));
    }
    window_.pageCounter = Sys("当前页：10");  // left by an earlier ten-page run
    const std::string keyword = sim::ResultsKeyword(5);
    EXPECT_EQ(runFor(keyword, "10"), RunEnd::kNoPagerLink);  // one page, no pager at all
    ASSERT_EQ(window_.rows.size(), 28u);
    EXPECT_EQ(window_.rows[23][kIdColumn], "24");
    EXPECT_EQ(window_.rows[27][kIdColumn], "28");
}

TEST_F(CollectionRunTest, CounterStartsAtZeroForEachRun) {
    window_.pageCounter = Sys("当前页：10 已到最后一页");
    EXPECT_EQ(runFor("Morvesk", "1"), RunEnd::kPageCountReached);
    EXPECT_EQ(window_.pageCounter, Sys("当前页：1"));
}

TEST_F(CollectionRunTest, OddOffsetReportsTruncatedPageNumber) {
    EXPECT_EQ(runFor(std::string(sim::kOddOffsetKeyword), "1"), RunEnd::kPageCountReached);
    EXPECT_EQ(window_.pageFeedbacks, std::vector<std::int32_t>{2});  // "&pn=25" reports 2
}

TEST_F(CollectionRunTest, EntityPagerLinksEndTheRunAsTheLastPage) {
    EXPECT_EQ(runFor(std::string(sim::kEntityPagerKeyword), "10"), RunEnd::kStopped);
    EXPECT_EQ(window_.pageFeedbacks, std::vector<std::int32_t>{0});
    EXPECT_EQ(window_.rows.size(), 10u);
}

TEST_F(CollectionRunTest, KeywordIsEncodedIntoEveryPlaceholder) {
    CollectionSettings twice = settings();
    twice.searchUrlTemplate = Sys(simulator().baseUrl() + "/s?wd={关键字}&ie=utf-8&q={关键字}");
    runFor("中 a_b", "-1", twice);
    ASSERT_EQ(simulator().requestCount(), 1u);
    EXPECT_EQ(simulator().requests()[0].target,
              "/s?wd=%E4%B8%AD%20a%5Fb&ie=utf-8&q=%E4%B8%AD%20a%5Fb");
}

TEST_F(CollectionRunTest, ActivityCoversThePageLoopOnly) {
    RunActivity activity;
    window_.keyword = "k";
    window_.pageCount = "-1";
    CollectionRun run(window_, settings(), &activity);
    EXPECT_TRUE(activity.inPageLoop());  // from the start click on
    run.run();
    EXPECT_FALSE(activity.inPageLoop());
}

}  // namespace
}  // namespace tavrinel::collect
