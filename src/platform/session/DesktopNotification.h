#pragma once

#include <QString>

namespace vellaro {

// A message in the desktop's notification bubbles
// (org.freedesktop.Notifications), sent without waiting for the bus or the
// server; dropped when there is neither.
class DesktopNotification {
public:
    static constexpr int timeoutMs = 2000;

    static void post(const QString& summary, const QString& body);
};

} // namespace vellaro
