#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <functional>

namespace vellaro::test {

// Runs the event loop until `done` holds, for answers from another process
// or the X server; the bound is generous and never a timing expectation.
// Returns whether `done` came true. (QTRY_* cannot be used under GoogleTest:
// its failures never reach the test result.)
inline bool waitUntil(const std::function<bool()>& done, int boundMs = 10000) {
    const QDeadlineTimer deadline(boundMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}

} // namespace vellaro::test
