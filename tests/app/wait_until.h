#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <chrono>
#include <functional>

namespace tavrinel::app::testing {

// Runs the event loop until condition holds or timeout passes; returns whether it held.
inline bool WaitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    const QDeadlineTimer deadline(timeout);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

}  // namespace tavrinel::app::testing
