#pragma once

#include <QDBusConnection>
#include <QObject>

#include <chrono>
#include <functional>

namespace vellaro {

// The session bus, reached without ever making the main thread wait on it:
// whether the bus answers is found out on a worker thread with a time-out,
// and only then is Qt's connection made.
class SessionBus {
public:
    static constexpr int answerTimeoutMs = 1000;

    // Before the application object exists: finds out within `timeout`
    // whether the session bus answers. Qt itself connects to it on the main
    // thread (the accessibility bridge), waiting for ever on a silent bus, so
    // a silent bus is then switched off for this process.
    static void checkBeforeStart(std::chrono::milliseconds timeout);

    // Calls `ready` on the main thread, while `context` lives, once the bus is
    // known to answer (at once when that is known already). Never called when
    // there is no bus or it stays silent.
    static void whenAnswering(QObject* context, std::function<void(const QDBusConnection&)> ready);
};

} // namespace vellaro
