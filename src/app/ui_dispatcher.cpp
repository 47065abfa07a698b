#include "app/ui_dispatcher.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <cstdint>

namespace tavrinel::app {

UiDispatcher::UiDispatcher()
    : uiThread_(std::this_thread::get_id()), wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    if (wakeFd_ >= 0) {
        notifier_ = new QSocketNotifier(wakeFd_, QSocketNotifier::Read);
        QObject::connect(notifier_, &QSocketNotifier::activated, [this] { runQueued(); });
    } else {
        closed_ = true;  // no way to wake the UI thread: behave as a window that has gone
    }
}

UiDispatcher::~UiDispatcher() {
    if (notifier_ != nullptr && onUiThread()) {
        close();
    }
}

bool UiDispatcher::post(std::function<void()> task) {
    std::lock_guard lock(mutex_);
    if (closed_) {
        return false;
    }
    const bool wakeDue = queue_.empty();
    queue_.push_back(std::move(task));
    if (wakeDue) {
        wakeLocked();
    }
    return true;
}

bool UiDispatcher::run(const std::function<void()>& task) {
    if (onUiThread()) {
        if (isClosed()) {
            return false;
        }
        task();
        return true;
    }
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> future = done->get_future();
    // The caller waits below, so the task may be taken by reference.
    if (!post([&task, done] {
            task();
            done->set_value();
        })) {
        return false;
    }
    done.reset();  // a task dropped at close breaks the promise and wakes us
    try {
        future.get();
        return true;
    } catch (const std::future_error&) {
        return false;
    }
}

void UiDispatcher::close() {
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        dropped.swap(queue_);
        delete notifier_;
        notifier_ = nullptr;
        if (wakeFd_ >= 0) {
            ::close(wakeFd_);
            wakeFd_ = -1;
        }
    }
    // Destroying the dropped tasks outside the lock breaks their promises: callers waiting on
    // them get their fallbacks.
    dropped.clear();
}

void UiDispatcher::runQueued() {
    std::deque<std::function<void()>> tasks;
    {
        std::lock_guard lock(mutex_);
        if (wakeFd_ >= 0) {
            std::uint64_t wakes = 0;
            [[maybe_unused]] const ssize_t got = ::read(wakeFd_, &wakes, sizeof wakes);
        }
        tasks.swap(queue_);
    }
    for (auto& task : tasks) {
        // A task that waits in an event loop may see the window close; what is left then refers
        // to a window that is gone and is dropped.
        if (isClosed()) {
            return;
        }
        task();
    }
}

bool UiDispatcher::isClosed() {
    std::lock_guard lock(mutex_);
    return closed_;
}

void UiDispatcher::wakeLocked() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t put = ::write(wakeFd_, &one, sizeof one);
}

void UiDispatcher::waitOnUiThread(const std::function<bool()>& done) {
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

}  // namespace tavrinel::app
