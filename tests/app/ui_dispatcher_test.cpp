#include "app/ui_dispatcher.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <atomic>
#include <future>
#include <string>
#include <thread>

#include "wait_until.h"

namespace tavrinel::app {
namespace {

using testing::WaitUntil;

// Runs body on a worker thread while the UI thread keeps its event loop going.
template <class Result>
Result OnWorker(const std::function<Result()>& body) {
    std::future<Result> result = std::async(std::launch::async, body);
    EXPECT_TRUE(WaitUntil(
        [&] { return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
    return result.get();
}

TEST(UiDispatcherTest, CallFromAWorkerRunsOnTheUiThreadAndReturnsItsResult) {
    UiDispatcher dispatcher;
    const std::thread::id uiThread = std::this_thread::get_id();
    const bool ranOnUiThread = OnWorker<bool>([&] {
        return dispatcher.call<bool>([&] { return std::this_thread::get_id() == uiThread; }, false);
    });
    EXPECT_TRUE(ranOnUiThread);
    dispatcher.close();
}

TEST(UiDispatcherTest, CallOnTheUiThreadRunsAtOnce) {
    UiDispatcher dispatcher;
    EXPECT_EQ(dispatcher.call<int>([] { return 7; }, 0), 7);  // no event loop needed
    dispatcher.close();
}

TEST(UiDispatcherTest, WorkFromSeveralWorkersRunsInTheOrderEachPostedIt) {
    UiDispatcher dispatcher;
    std::vector<int> seen;  // UI thread only
    const bool done = OnWorker<bool>([&] {
        std::thread second([&] {
            for (int i = 100; i < 200; ++i) {
                dispatcher.run([&, i] { seen.push_back(i); });
            }
        });
        for (int i = 0; i < 100; ++i) {
            dispatcher.run([&, i] { seen.push_back(i); });
        }
        second.join();
        return true;
    });
    ASSERT_TRUE(done);
    ASSERT_EQ(seen.size(), 200U);
    int lastLow = -1;
    int lastHigh = 99;
    for (int value : seen) {
        int& last = value < 100 ? lastLow : lastHigh;
        EXPECT_GT(value, last);
        last = value;
    }
    dispatcher.close();
}

TEST(UiDispatcherTest, AwaitWaitsForTheReplyWithoutBlockingTheUiThread) {
    UiDispatcher dispatcher;
    const std::string answer = OnWorker<std::string>([&] {
        return dispatcher.await<std::string>(
            [](UiDispatcher::Reply<std::string> reply) {
                // Answered later by an event, as a box closed by the user would be.
                QTimer::singleShot(20, [reply] { reply("closed"); });
            },
            "gone");
    });
    EXPECT_EQ(answer, "closed");
    dispatcher.close();
}

TEST(UiDispatcherTest, AwaitOnTheUiThreadWaitsInALocalLoop) {
    UiDispatcher dispatcher;
    const int answer = dispatcher.await<int>(
        [](UiDispatcher::Reply<int> reply) { QTimer::singleShot(10, [reply] { reply(3); }); }, -1);
    EXPECT_EQ(answer, 3);
    dispatcher.close();
}

// A worker waiting for a box when the window goes gets its fallback instead of hanging, and
// every later call returns at once.
TEST(UiDispatcherTest, CloseReleasesWaitingWorkersWithTheirFallbacks) {
    auto dispatcher = std::make_shared<UiDispatcher>();
    UiDispatcher::Reply<int> heldReply;  // the box the user never closes
    std::atomic<bool> started{false};
    std::future<int> waiting = std::async(std::launch::async, [&, dispatcher] {
        return dispatcher->await<int>(
            [&](UiDispatcher::Reply<int> reply) {
                heldReply = std::move(reply);
                started = true;
            },
            -1);
    });
    ASSERT_TRUE(WaitUntil([&] { return started.load(); }));
    dispatcher->close();
    heldReply = nullptr;  // the box goes with the window
    EXPECT_EQ(waiting.get(), -1);

    EXPECT_FALSE(dispatcher->post([] {}));
    std::future<int> later = std::async(
        std::launch::async, [dispatcher] { return dispatcher->call<int>([] { return 1; }, -2); });
    EXPECT_EQ(later.get(), -2);
}

// Work queued but not yet run when the window goes is dropped, and its caller released.
TEST(UiDispatcherTest, CloseDropsQueuedWork) {
    auto dispatcher = std::make_shared<UiDispatcher>();
    bool ran = false;
    std::future<bool> caller = std::async(
        std::launch::async, [&, dispatcher] { return dispatcher->run([&] { ran = true; }); });
    // Give the worker time to queue its work; the UI thread runs no events meanwhile.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    dispatcher->close();
    EXPECT_FALSE(caller.get());
    EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace tavrinel::app
