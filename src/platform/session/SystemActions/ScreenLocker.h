#pragma once

#include <QDBusConnection>
#include <QString>
#include <functional>

namespace vellaro {

class ToolLauncher;

// Locks the screen through the first locker that answers: the freedesktop
// screen saver, GNOME's, then logind (loginctl lock-session). When none
// does, the failure callback gets a message for the user. Main thread.
class ScreenLocker {
public:
    ScreenLocker(QDBusConnection bus, const ToolLauncher& launcher);

    void setOnFailure(std::function<void(const QString& message)> callback) {
        onFailure_ = std::move(callback);
    }

    void lock();

    static QString noLockerMessage();

private:
    void lockThroughService(int index);
    void lockThroughLogind();
    void fail() const;

    QDBusConnection bus_;
    const ToolLauncher& launcher_;
    std::function<void(const QString&)> onFailure_;
};

} // namespace vellaro
