#pragma once

#include "platform/session/SystemActions/KeepAwake.h"
#include "platform/session/SystemActions/XScreenSaverSuspend.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QDBusUnixFileDescriptor>
#include <QVariant>
#include <memory>
#include <vector>

namespace vellaro {

// Keep Awake as an inhibition held by this process, through the first that
// accepts it: the desktop portal's Inhibit, the freedesktop screen saver's
// Inhibit, GNOME's session manager, else the X server's screen saver
// suspension. Each service drops the inhibition when our bus connection
// closes, so it never outlives the process; it is also given back when the
// application quits. The service going away ends the hold. Beside it,
// logind's own "idle" inhibitor is held (its IdleAction would otherwise
// still suspend the machine on a bare window manager); logind drops it when
// its descriptor closes, at the latest when the process ends. Main thread.
class SessionKeepAwake final : public KeepAwake {
public:
    // `logindBus`: the bus logind is on (the system bus).
    SessionKeepAwake(QDBusConnection bus, QDBusConnection logindBus);
    ~SessionKeepAwake() override;

    bool isHeld() const override { return held_.has_value(); }
    void hold(std::function<void(bool held)> done) override;
    void release() override;

    // Which way holds it now ("org.freedesktop.ScreenSaver", "X screen saver"); empty when not
    // held.
    QString holder() const;

private:
    struct Held {
        int method;
        // The portal's request handle, or the cookie.
        QVariant token;
    };

    void tryMethod(int method);
    void finishHold(bool held);
    void watch(const QString& service);
    void inhibitLogind();
    void dropHold();

    QDBusConnection bus_;
    QDBusConnection logindBus_;
    // logind's inhibitor: it lasts while this descriptor is open.
    std::optional<QDBusUnixFileDescriptor> logindInhibitor_;
    // Counts holds, so a late answer of logind for an ended one is dropped.
    int holdNumber_ = 0;
    std::optional<Held> held_;
    bool holding_ = false;
    std::vector<std::function<void(bool)>> waiting_;
    XScreenSaverSuspend screenSaver_;
    std::unique_ptr<QDBusServiceWatcher> watcher_;
    // Completions of calls still in flight hold this, weakly.
    std::shared_ptr<SessionKeepAwake*> self_;
};

} // namespace vellaro
