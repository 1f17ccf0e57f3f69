#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>

#include <functional>

namespace vellaro::test {

// Runs the Qt event loop until `done` holds or the X server has had ample
// time to answer (a generous bound, never an expectation about timing).
inline bool pumpUntil(const std::function<bool()>& done, int boundMs = 5000) {
    QDeadlineTimer deadline(boundMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QTest::qWait(5);
    }
    return true;
}

// Runs the event loop for `ms`: holding a key while the server repeats it.
inline void pumpFor(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QTest::qWait(5);
    }
}

} // namespace vellaro::test
