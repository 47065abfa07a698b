// The window driving real runs and exports against the simulated search engine on loopback.
#include <QAbstractItemModelTester>
#include <QFile>
#include <QTemporaryDir>

#include "collect/configuration.h"
#include "sim/recorded_request.h"
#include "sim/reserved_keywords.h"
#include "sim/search_simulator.h"
#include "window_fixture.h"

namespace tavrinel::app::testing {
namespace {

class WindowRunTest : public WindowTest {
  protected:
    // latency slows every answer, so that a test can act while a run is under way.
    explicit WindowRunTest(std::chrono::milliseconds latency = {}) {
        simulator.emplace(sim::SimulatorOptions{.latency = latency});
    }

    void SetUp() override {
        simulator->start();
        openWindow(
            collect::SettingsFromUtf8(simulator->searchUrlTemplate(), simulator->siteRoot()));
    }

    void TearDown() override {
        // Every test waits for its runs to end; the window goes first, then the engine.
        window.reset();
        simulator.reset();
    }

    // Types keyword and page count as a user would, then clicks the start button.
    void startRun(const QString& keyword, const QString& pageCount) {
        keywordEdit()->clear();
        keywordEdit()->setFocus();
        QTest::keyClicks(keywordEdit(), keyword);
        pageCountEdit()->clear();
        pageCountEdit()->setFocus();
        QTest::keyClicks(pageCountEdit(), pageCount);
        clickStart();
    }

    bool waitForRunEnd() {
        const bool ended = waitForMessage(collect::ui::RunStoppedMessage());
        // Rows written just before the end reach the view with the next catch-up.
        QTest::qWait(20);
        return ended;
    }

    int shownRows() const { return list()->model()->rowCount(); }

    // Every shown row equals the simulator's entry, Ids counting from 1.
    void expectRowsServedFor(const std::string& keyword, int count) {
        ASSERT_EQ(shownRows(), count);
        const sim::ResultCatalog catalog = simulator->catalog();
        for (int i = 0; i < count; ++i) {
            SCOPED_TRACE(i);
            const sim::ExpectedEntry expected = catalog.entry(keyword, i);
            EXPECT_EQ(cellShown(i, 0), QString::number(i + 1));
            EXPECT_EQ(cellShown(i, 1), QString::fromStdString(expected.title));
            EXPECT_EQ(cellShown(i, 2), QString::fromStdString(expected.landingUrl));
            EXPECT_EQ(cellShown(i, 3), QString::fromStdString(expected.domain));
        }
    }

    std::optional<sim::SearchSimulator> simulator;
};

class SlowWindowRunTest : public WindowRunTest {
  protected:
    SlowWindowRunTest() : WindowRunTest(std::chrono::milliseconds(15)) {}
};

TEST_F(WindowRunTest, StartGivesTheSimulatorsRowsUntilTheLastPage) {
    QAbstractItemModelTester tester(list()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    const std::string keyword = sim::ResultsKeyword(25);  // three pages, the last one short
    startRun(QString::fromStdString(keyword), u"10"_qs);
    EXPECT_EQ(startButton()->text(), u"停止"_qs);
    ASSERT_TRUE(waitForRunEnd());

    expectRowsServedFor(keyword, 25);
    EXPECT_EQ(window->windowTitle(),
              u"Tavrinel V1.5.1  "_qs +
                  QString::fromStdString(simulator->catalog().resultCountText(keyword)));
    EXPECT_EQ(pageCounter()->text(), u"当前页：2 已到最后一页"_qs);
    EXPECT_EQ(startButton()->text(), u"开始"_qs);
    ASSERT_EQ(desktop.messages.size(), 1U);
    EXPECT_EQ(desktop.messages[0].text, u"采集已停止"_qs);
    EXPECT_FALSE(desktop.messages[0].blocking);
}

// The keyword goes from the box through the system's text to the search address unchanged.
TEST_F(WindowRunTest, AChineseKeywordReachesTheEngineIntact) {
    keywordEdit()->setText(u"中文 测试"_qs);
    pageCountEdit()->setText(u"1"_qs);
    clickStart();
    ASSERT_TRUE(waitForRunEnd());
    const std::vector<sim::RecordedRequest> requests = simulator->requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(sim::QueryParameter(requests.front().target, "wd"), "中文 测试");
    EXPECT_EQ(shownRows(), 10);
}

TEST_F(WindowRunTest, NegativePageCountFetchesTheFirstPageAndAddsNoRow) {
    startRun(u"Morvesk"_qs, u"-5"_qs);
    ASSERT_TRUE(waitForRunEnd());
    EXPECT_EQ(shownRows(), 0);
    EXPECT_EQ(simulator->requestCount(), 1U);
    EXPECT_EQ(window->windowTitle(), u"Tavrinel V1.5.1"_qs);
}

// A stop lets the page under way finish: whole pages only, fewer than requested.
TEST_F(SlowWindowRunTest, StopEndsTheRunAfterThePageUnderWay) {
    startRun(u"Morvesk"_qs, u"10"_qs);
    ASSERT_TRUE(WaitUntil([&] { return shownRows() >= 3; }));
    clickStart();
    EXPECT_EQ(startButton()->text(), u"开始"_qs);  // at once
    ASSERT_TRUE(waitForRunEnd());
    EXPECT_GT(shownRows(), 0);
    EXPECT_LT(shownRows(), 95);
    EXPECT_EQ(shownRows() % 10, 0);
    EXPECT_EQ(startButton()->text(), u"开始"_qs);
}

// A start click while the stopped run is still finishing its page would start a second run
// that the first no longer stops for; it is refused until the first has left its page loop.
TEST_F(SlowWindowRunTest, StartWhileTheStoppedRunFinishesIsRefused) {
    startRun(u"Morvesk"_qs, u"10"_qs);
    ASSERT_TRUE(WaitUntil([&] { return shownRows() >= 1; }));
    clickStart();  // stop
    clickStart();  // start again at once
    EXPECT_EQ(startButton()->text(), u"开始"_qs);
    ASSERT_TRUE(waitForRunEnd());
    QTest::qWait(200);
    EXPECT_EQ(desktop.messages.size(), 1U);  // one run, one closing message
    EXPECT_EQ(startButton()->text(), u"开始"_qs);
}

TEST_F(SlowWindowRunTest, DeleteAllDuringARunRestartsIdsAtOne) {
    startRun(u"Morvesk"_qs, u"2"_qs);
    ASSERT_TRUE(WaitUntil([&] { return shownRows() >= 3; }));
    menuItem(texts::kDeleteAll)->trigger();
    ASSERT_TRUE(waitForRunEnd());
    ASSERT_GT(shownRows(), 0);
    for (int row = 0; row < shownRows(); ++row) {
        EXPECT_EQ(cellShown(row, 0), QString::number(row + 1));
    }
}

// A run and two exports at once, each on its own thread, reading and writing the same list.
TEST_F(SlowWindowRunTest, ARunAndTwoExportsAtOnce) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    startRun(u"Morvesk"_qs, u"2"_qs);
    ASSERT_TRUE(WaitUntil([&] { return shownRows() >= 5; }));
    desktop.setNextFileName(folder.filePath(u"domains.txt"_qs));
    desktop.setNextFileName(folder.filePath(u"full.txt"_qs));
    menuItem(texts::kExportDomains)->trigger();
    menuItem(texts::kExportFullInfo)->trigger();
    ASSERT_TRUE(waitForRunEnd());
    ASSERT_TRUE(WaitUntil([&] { return desktop.messages.size() == 3; }));
    for (const FakeDesktop::Message& message : desktop.messages) {
        EXPECT_EQ(message.icon, collect::MessageIcon::kInformation);
    }
    for (const QString& name : {u"domains.txt"_qs, u"full.txt"_qs}) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_TRUE(file.readAll().endsWith("\r\n")) << name.toStdString();
    }
}

}  // namespace
}  // namespace tavrinel::app::testing
