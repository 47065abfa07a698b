// The command line end to end, in process, against the simulated engine: every way a run ends,
// the rows it prints and the exports it writes.
#include "cli/command_line.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "cli_test_support.h"
#include "sim/reserved_keywords.h"
#include "support/simulator_test.h"
#include "text/charset_converter.h"

namespace tavrinel::cli {
namespace {

namespace fs = std::filesystem;
using testing::Lines;
using testing::SimulatorTest;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class CommandLineTest : public SimulatorTest {
  protected:
    Outcome collect(std::vector<std::string> args, const CommandLineHooks& hooks = {}) {
        args.insert(args.begin(), "collect");
        for (const auto& option : engineOptions()) {
            args.push_back(option);
        }
        return run(args, hooks);
    }
    static Outcome run(const std::vector<std::string>& args, const CommandLineHooks& hooks = {}) {
        std::ostringstream out;
        std::ostringstream err;
        Outcome outcome;
        outcome.status = RunCommandLine(args, out, err, hooks);
        outcome.out = out.str();
        outcome.err = err.str();
        return outcome;
    }
    static bool contains(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }
};

TEST_F(CommandLineTest, TemplateWithoutPlaceholderSendsNoRequest) {
    const Outcome outcome =
        run({"collect", "Morvesk", "--template", simulator().baseUrl() + "/s?wd=fixed",
             "--site-root", simulator().siteRoot()});
    EXPECT_EQ(outcome.status, kExitOk);
    EXPECT_EQ(simulator().requestCount(), 0u);
    EXPECT_EQ(outcome.out, "");
    EXPECT_TRUE(contains(outcome.err, "采集已停止")) << outcome.err;
}

TEST_F(CommandLineTest, PageCountBelowOneSendsExactlyOneRequest) {
    const Outcome outcome = collect({"Morvesk", "--pages", "-3"});
    EXPECT_EQ(outcome.status, kExitOk);
    EXPECT_EQ(simulator().requestCount(), 1u);
    EXPECT_EQ(outcome.out, "");
}

TEST_F(CommandLineTest, StopRequestFinishesThePageItIsOn) {
    sim::SearchSimulator slow(sim::SimulatorOptions{.latency = std::chrono::milliseconds(20)});
    slow.start();
    std::atomic<bool> stop{false};
    std::thread stopper([&] {
        slow.waitForRequests(4, std::chrono::seconds(10));  // first page and three links
        stop = true;
    });
    CommandLineHooks hooks;
    hooks.stopRequested = &stop;
    const Outcome outcome = run({"collect", "Morvesk", "--template", slow.searchUrlTemplate(),
                                 "--site-root", slow.siteRoot(), "--quiet"},
                                hooks);
    stopper.join();
    EXPECT_EQ(outcome.status, kExitOk);
    const std::size_t rows = Lines(outcome.out).size();
    EXPECT_EQ(rows % 10, 0u) << "a stop ends only at a page's end";
    EXPECT_GE(rows, 10u);
    EXPECT_LT(rows, 95u);
    const std::size_t pages = testing::PageRequestsOf(slow);
    EXPECT_EQ(pages, rows / 10 + 1) << "the next page is fetched but not parsed";
}

TEST_F(CommandLineTest, PageWithoutPagerLinkExitsThree) {
    const Outcome outcome = collect({std::string(sim::kVerificationKeyword)});
    EXPECT_EQ(outcome.status, kExitNoPagerLink);
    EXPECT_TRUE(
        contains(outcome.err, "1.IP被限制\n2.网络不稳定\n3.搜索的关键字无内容！\n采集已停止"))
        << outcome.err;
}

TEST_F(CommandLineTest, PageCountReachedRequestsOneMorePage) {
    const Outcome outcome = collect({"Morvesk", "--pages", "2"});
    EXPECT_EQ(outcome.status, kExitOk);
    EXPECT_EQ(pageRequests(), 3u);
    EXPECT_EQ(Lines(outcome.out).size(), 20u);
    EXPECT_TRUE(contains(outcome.err, "当前页：2\n")) << outcome.err;
}

TEST_F(CommandLineTest, LastPageIsReportedAndEveryRowIsWhatTheEngineServed) {
    const std::string keyword = sim::ResultsKeyword(25);
    const Outcome outcome = collect({keyword});
    EXPECT_EQ(outcome.status, kExitOk);
    EXPECT_TRUE(contains(outcome.err, "当前页：2 已到最后一页")) << outcome.err;
    EXPECT_TRUE(contains(outcome.err,
                         "Tavrinel V1.5.1  " + simulator().catalog().resultCountText(keyword)));

    const auto lines = Lines(outcome.out);
    ASSERT_EQ(lines.size(), 25u);
    const sim::ResultCatalog catalog = simulator().catalog();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto expected = catalog.entry(keyword, static_cast<int>(i));
        std::string title;
        for (const char c : expected.title) {  // the title as escaped for one line
            title += c == '\\' ? std::string("\\\\") : std::string(1, c);
        }
        EXPECT_EQ(lines[i], std::to_string(i + 1) + "\t" + title + "\t" + expected.landingUrl +
                                "\t" + expected.domain);
    }
}

TEST_F(CommandLineTest, PlaceholderIsFilledEverywhere) {
    const Outcome outcome = run({"collect", "a b", "--pages", "0", "--template",
                                 simulator().baseUrl() + "/s?wd={关键字}&x={关键字}", "--site-root",
                                 simulator().siteRoot()});
    // "0" is no page count: the box would show it empty.
    EXPECT_EQ(outcome.status, kExitUsage);
    const Outcome twice = run({"collect", "a b", "--pages", "-1", "--template",
                               simulator().baseUrl() + "/s?wd={关键字}&x={关键字}", "--site-root",
                               simulator().siteRoot()});
    EXPECT_EQ(twice.status, kExitOk);
    ASSERT_EQ(simulator().requestCount(), 1u);
    EXPECT_EQ(simulator().requests()[0].target, "/s?wd=a%20b&x=a%20b");
}

TEST_F(CommandLineTest, OddOffsetReportsTruncatedPageNumber) {
    const Outcome outcome =
        collect({sim::WithResultCount(sim::kOddOffsetKeyword, 40), "--pages", "1"});
    EXPECT_EQ(outcome.status, kExitOk);
    EXPECT_TRUE(contains(outcome.err, "当前页：2\n")) << outcome.err;
}

TEST_F(CommandLineTest, JsonLinesCarryTheSameRows) {
    const Outcome outcome = collect({sim::ResultsKeyword(3), "--jsonl"});
    const auto lines = Lines(outcome.out);
    ASSERT_EQ(lines.size(), 3u);
    const auto first = simulator().catalog().entry(sim::ResultsKeyword(3), 0);
    EXPECT_EQ(lines[0], "{\"id\":\"1\",\"title\":\"" + first.title + "\",\"landingUrl\":\"" +
                            first.landingUrl + "\",\"domain\":\"" + first.domain + "\"}");
}

TEST_F(CommandLineTest, InputChecksOfTheStartClick) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {"empty keyword", {"collect", ""}, "请输入关键字\n"},
        {"empty keyword before empty count", {"collect", "", "--pages", ""}, "请输入关键字\n"},
        {"zero pages", {"collect", "k", "--pages", "0"}, "请输入要采集的页数\n"},
        {"letters only", {"collect", "k", "--pages", "abc"}, "请输入要采集的页数\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = run(c.args);
        EXPECT_EQ(outcome.status, kExitUsage);
        EXPECT_EQ(outcome.err, c.message);
        EXPECT_EQ(simulator().requestCount(), 0u);
    }
}

TEST_F(CommandLineTest, UsageErrorsHelpAndVersion) {
    EXPECT_EQ(run({"collect"}).status, kExitUsage);
    EXPECT_EQ(run({"collect", "k", "--no-such-option"}).status, kExitUsage);
    EXPECT_EQ(run({"collect", "k", "--encoding", "latin1"}).status, kExitUsage);
    const Outcome version = run({"--version"});
    EXPECT_EQ(version.status, kExitOk);
    EXPECT_TRUE(contains(version.out, "1.5.1"));
    const Outcome help = run({"collect", "--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_TRUE(contains(help.out, "--domains"));
    EXPECT_EQ(run({}).status, kExitUsage) << "no window in this build of the test";
}

class ExportTest : public CommandLineTest {
  protected:
    void SetUp() override {
        CommandLineTest::SetUp();
        dir_ = fs::temp_directory_path() / ("tavrinel-cli-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    static std::string bytesOf(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    fs::path dir_;
};

TEST_F(ExportTest, DomainsAndRowsAreWrittenDeduplicated) {
    // 45 results: the simulator's domains repeat every 40 results and some are empty.
    const std::string keyword = sim::ResultsKeyword(45);
    const Outcome outcome = collect({keyword, "--quiet", "--domains", (dir_ / "d.txt").string(),
                                     "--rows", (dir_ / "r.txt").string(), "--encoding", "utf-8"});
    ASSERT_EQ(outcome.status, kExitOk) << outcome.err;

    const sim::ResultCatalog catalog = simulator().catalog();
    std::vector<std::string> domains;
    std::vector<std::string> rows;
    for (int i = 0; i < 45; ++i) {
        const auto entry = catalog.entry(keyword, i);
        const std::string row = entry.title + "\t" + entry.landingUrl + "\t" + entry.domain;
        if (std::find(domains.begin(), domains.end(), entry.domain) == domains.end()) {
            domains.push_back(entry.domain);
        }
        if (std::find(rows.begin(), rows.end(), row) == rows.end()) {
            rows.push_back(row);
        }
    }
    std::string expectedDomains;
    for (const auto& domain : domains) {
        expectedDomains += domain + "\r\n";
    }
    EXPECT_EQ(bytesOf(dir_ / "d.txt"), expectedDomains);
    EXPECT_EQ(Lines(bytesOf(dir_ / "r.txt")).size(), rows.size());
    EXPECT_TRUE(
        contains(outcome.err, "导出成功.去重复后：" + std::to_string(domains.size()) + " 个\n"))
        << outcome.err;
}

TEST_F(ExportTest, SystemTextByDefault) {
    const Outcome outcome =
        collect({sim::ResultsKeyword(1), "--quiet", "--rows", (dir_ / "r.txt").string()});
    ASSERT_EQ(outcome.status, kExitNoPagerLink);  // a single page has no pager
    const auto entry = simulator().catalog().entry(sim::ResultsKeyword(1), 0);
    EXPECT_EQ(bytesOf(dir_ / "r.txt"), text::Utf8ToSystem(entry.title + "\t" + entry.landingUrl +
                                                          "\t" + entry.domain + "\r\n"));
}

TEST_F(ExportTest, FailedExportExitsOne) {
    const Outcome outcome = collect(
        {sim::ResultsKeyword(1), "--quiet", "--domains", (dir_ / "missing" / "d.txt").string()});
    EXPECT_EQ(outcome.status, kExitExportFailed);
    EXPECT_TRUE(contains(outcome.err, "失败\n")) << outcome.err;
}

}  // namespace
}  // namespace tavrinel::cli
