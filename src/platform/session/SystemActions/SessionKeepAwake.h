#pragma once

#include "platform/session/SystemActions/KeepAwake.h"
#include "platform/session/SystemActions/XScreenSaverSuspend.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QVariant>
#include <memory>
#include <vector>

namespace vellaro {

// Keep Awake as an inhibition held by this process, through the first that
// accepts it: the desktop portal's Inhibit, the freedesktop screen saver's
// Inhibit, GNOME's session manager, else the X server's screen saver
// suspension. Each service drops the inhibition when our bus connection
// closes, so it never outlives the process; it is also given back when the
// application quits. The service going away ends the hold. Main thread.
class SessionKeepAwake final : public KeepAwake {
public:
    explicit SessionKeepAwake(QDBusConnection bus);
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

    QDBusConnection bus_;
    std::optional<Held> held_;
    bool holding_ = false;
    std::vector<std::function<void(bool)>> waiting_;
    XScreenSaverSuspend screenSaver_;
    std::unique_ptr<QDBusServiceWatcher> watcher_;
    // Completions of calls still in flight hold this, weakly.
    std::shared_ptr<SessionKeepAwake*> self_;
};

} // namespace vellaro
