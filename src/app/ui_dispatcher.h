#pragma once

#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

class QSocketNotifier;

namespace tavrinel::app {

// Carries work from any thread to the user-interface thread and lets the caller wait for it,
// the way a window system delivers a control operation synchronously across threads.
//
// Work travels through a queue under a standard mutex and the UI thread is woken through an
// eventfd, so no data of ours passes through Qt's own cross-thread machinery. Workers hold the
// dispatcher by shared_ptr and may outlive the window: close(), called by the window on the UI
// thread before it goes, drops queued work and refuses new work, and every waiting caller then
// gets its fallback instead of waiting for a window that is gone.
class UiDispatcher {
  public:
    // Created on the user-interface thread, with its event loop's thread data in place.
    UiDispatcher();
    ~UiDispatcher();
    UiDispatcher(const UiDispatcher&) = delete;
    UiDispatcher& operator=(const UiDispatcher&) = delete;

    bool onUiThread() const { return std::this_thread::get_id() == uiThread_; }

    // Queues task for the UI thread and returns; false (task dropped) once closed.
    bool post(std::function<void()> task);

    // Runs task on the UI thread and waits until it has run; on the UI thread it runs at once.
    // False when it could not run because the window has closed.
    bool run(const std::function<void()>& task);

    // run() for a task with a result; fallback when the window has closed.
    template <class Result>
    Result call(const std::function<Result()>& task, Result fallback) {
        Result result = std::move(fallback);
        run([&] { result = task(); });
        return result;
    }

    // A reply that a UI-thread operation hands its outcome to, possibly long after it started
    // (a box the user closes later). A reply dropped without being called counts as "gone".
    template <class Result>
    using Reply = std::function<void(Result)>;

    // Starts start on the UI thread and waits until it has called its reply, without a nested
    // event loop for callers on other threads. On the UI thread itself it waits in a local
    // event loop. fallback when the window closes first.
    template <class Result>
    Result await(std::function<void(Reply<Result>)> start, Result fallback);

    // Drops queued work, refuses new work and stops listening. UI thread, before the window
    // that the queued work refers to goes away.
    void close();

  private:
    bool isClosed();
    void runQueued();
    void wakeLocked();
    // Waits on the UI thread until done() holds, running events meanwhile.
    static void waitOnUiThread(const std::function<bool()>& done);

    const std::thread::id uiThread_;
    std::mutex mutex_;
    std::deque<std::function<void()>> queue_;
    bool closed_ = false;
    int wakeFd_ = -1;
    QSocketNotifier* notifier_ = nullptr;  // owned; lives and dies on the UI thread
};

template <class Result>
Result UiDispatcher::await(std::function<void(Reply<Result>)> start, Result fallback) {
    // Shared with the reply, which may outlive this call when the window closes first.
    struct Outcome {
        std::promise<Result> promise;
        std::once_flag replied;
    };
    auto outcome = std::make_shared<Outcome>();
    std::future<Result> future = outcome->promise.get_future();
    Reply<Result> reply = [outcome](Result value) {
        std::call_once(outcome->replied, [&] { outcome->promise.set_value(std::move(value)); });
    };
    auto task = [start = std::move(start), reply = std::move(reply)]() mutable {
        start(std::move(reply));
    };
    if (onUiThread()) {
        if (isClosed()) {
            return fallback;
        }
        task();
        outcome.reset();  // the reply alone keeps the promise now
        waitOnUiThread(
            [&] { return future.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
    } else {
        outcome.reset();
        if (!post(std::move(task))) {
            return fallback;
        }
    }
    try {
        return future.get();
    } catch (const std::future_error&) {
        return fallback;  // the reply was dropped unanswered: the window closed
    }
}

}  // namespace tavrinel::app
