#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <functional>

namespace vellaro {

// Sends `call` and hands the reply (or the error, a time-out included) to
// `done` on the main thread; never waits.
void callAsync(const QDBusConnection& bus, const QDBusMessage& call, int timeoutMs,
               std::function<void(const QDBusMessage& reply)> done);

} // namespace vellaro
