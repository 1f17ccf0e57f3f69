#pragma once

#include "platform/apps/AppIdentity.h"
#include "platform/apps/RunningApps.h"

#include <QHash>
#include <QVector>
#include <functional>
#include <memory>

struct xcb_connection_t;
class QSocketNotifier;

namespace vellaro {

class X11Atoms;
class X11WindowCommands;
class X11WindowReader;

// Running applications from the window manager's client list, kept current
// from the root window's property changes on a connection of its own (so
// the root's event mask of Qt's connection is left alone). Each window's
// application is resolved once. Without an X display nothing runs.
class X11RunningApps final : public RunningApps {
    Q_OBJECT
public:
    // `identity` resolves windows; `displayName` empty means $DISPLAY.
    explicit X11RunningApps(std::shared_ptr<const AppIdentity> identity,
                            const QString& displayName = {}, QObject* parent = nullptr);
    ~X11RunningApps() override;

    // Made on first use; the installed applications' identities are read on
    // a worker and replace a bare resolver when they arrive.
    static X11RunningApps& shared();

    // Resolves every window again with `identity`.
    void setIdentity(std::shared_ptr<const AppIdentity> identity);

    QSet<QString> runningIds() const override { return running_; }
    QString activeApp() const override { return activeApp_; }
    bool activate(const QString& id) override;
    void hide(const QString& id) override;
    void quit(const QString& id) override;

    // The application's client windows, bottom to top.
    QVector<std::uint32_t> windows(const QString& id) const;

    // The active client window as last announced; 0 for none.
    std::uint32_t activeWindow() const { return activeWindow_; }
    bool hasWindow(std::uint32_t window) const { return appByWindow_.contains(window); }
    // Asks the window manager to activate one client window.
    void activateWindow(std::uint32_t window);

private:
    void readEvents();
    void readQueuedEventsSoon();
    void reloadClients();
    void reloadActive();
    QString appOf(std::uint32_t window);

    std::shared_ptr<const AppIdentity> identity_;
    xcb_connection_t* connection_ = nullptr;
    std::unique_ptr<X11Atoms> atoms_;
    std::unique_ptr<X11WindowReader> reader_;
    std::unique_ptr<X11WindowCommands> commands_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QHash<std::uint32_t, QString> appByWindow_;
    QVector<std::uint32_t> stacking_; // bottom to top
    QSet<QString> running_;
    QString activeApp_;
    std::uint32_t activeWindow_ = 0;
};

} // namespace vellaro
