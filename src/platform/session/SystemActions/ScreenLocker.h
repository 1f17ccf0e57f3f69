#pragma once

#include "platform/time/Scheduler.h"

#include <QDBusConnection>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace vellaro {

class ToolLauncher;

// Locks the screen through the first locker that answers: the freedesktop
// screen saver, GNOME's, then logind (loginctl lock-session). A locker that
// accepts is not taken at its word: the lock counts once logind's LockedHint
// of our session or a screen saver's GetActive says so within a short wait
// (logind only asks lockers to lock; on a bare window manager nobody does).
// Otherwise the failure callback gets a message for the user. Main thread.
class ScreenLocker {
public:
    // `logindBus`: the bus logind is on (the system bus).
    ScreenLocker(QDBusConnection bus, QDBusConnection logindBus, const ToolLauncher& launcher,
                 Scheduler& scheduler);
    ~ScreenLocker();

    void setOnFailure(std::function<void(const QString& message)> callback) {
        onFailure_ = std::move(callback);
    }

    void lock();

    static QString noLockerMessage();
    // How long a lock may take to show, and how often it is looked for.
    static constexpr std::chrono::milliseconds confirmWindow{3000};
    static constexpr std::chrono::milliseconds confirmInterval{250};

private:
    void lockThroughService(int index);
    void lockThroughLogind();
    void confirm();
    void checkLocked();
    void askLocked(int index, std::function<void(bool locked)> answer);
    // What a reply or an exit holds of the locker: it may be gone, or a
    // newer lock() may have begun, when it arrives.
    struct Ticket {
        std::weak_ptr<ScreenLocker*> locker;
        int attempt;
        ScreenLocker* current() const;
    };
    Ticket ticket() const { return {self_, attempt_}; }
    void fail() const;

    QDBusConnection bus_;
    QDBusConnection logindBus_;
    const ToolLauncher& launcher_;
    Scheduler& scheduler_;
    std::function<void(const QString&)> onFailure_;
    Scheduler::TimePoint deadline_{};
    std::optional<Scheduler::TaskId> nextCheck_;
    int attempt_ = 0;
    // Replies still in flight hold this, weakly.
    std::shared_ptr<ScreenLocker*> self_;
};

} // namespace vellaro
