#include "platform/apps/X11RunningApps.h"

#include "platform/apps/AppCatalog.h"
#include "platform/apps/Logging.h"
#include "platform/windows/X11Atoms.h"
#include "platform/windows/X11WindowCommands.h"
#include "platform/windows/X11WindowReader.h"

#include <QSocketNotifier>
#include <QtConcurrent/QtConcurrentRun>
#include <cstdlib>
#include <utility>
#include <xcb/xcb.h>

namespace vellaro {

namespace {

QString applicationOf(const AppIdentity& identity, const X11WindowReader::OwnerProperties& owner) {
    AppIdentity::WindowClues clues{
        owner.gtkApplicationId, owner.kdeDesktopFile, {}, owner.wmInstance, owner.wmClass};
    // The process's environment is only read when the window is silent.
    if (clues.gtkApplicationId.isEmpty() && clues.kdeDesktopFile.isEmpty())
        clues.launchedDesktopFile = AppIdentity::launchedDesktopFile(owner.pid);
    return identity.forWindow(clues);
}

} // namespace

X11RunningApps::X11RunningApps(std::shared_ptr<const AppIdentity> identity,
                               const QString& displayName, QObject* parent)
    : RunningApps(parent), identity_(std::move(identity)) {
    const QByteArray display = displayName.toLocal8Bit();
    int screenNumber = 0;
    connection_ = xcb_connect(display.isEmpty() ? nullptr : display.constData(), &screenNumber);
    if (xcb_connection_has_error(connection_)) {
        qCInfo(lcApps) << "No X display: no running applications are known";
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem)
        return;
    const xcb_window_t root = screens.data->root;

    atoms_ = std::make_unique<X11Atoms>(connection_);
    if (!atoms_->isValid()) {
        qCWarning(lcApps) << "Could not intern the window manager's atoms";
        return;
    }
    // The event mask is per client: this connection's leaves Qt's alone.
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection_, root, XCB_CW_EVENT_MASK, &mask);
    reader_ = std::make_unique<X11WindowReader>(connection_, root, *atoms_);
    commands_ = std::make_unique<X11WindowCommands>(connection_, root, *atoms_);
    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_),
                                                  QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &X11RunningApps::readEvents);
    reloadClients();
    reloadActive();
    readQueuedEventsSoon();
}

// Waiting for a reply reads whatever events arrived meanwhile into xcb's
// queue, where the socket notifier never sees them.
void X11RunningApps::readQueuedEventsSoon() {
    QMetaObject::invokeMethod(this, &X11RunningApps::readEvents, Qt::QueuedConnection);
}

X11RunningApps::~X11RunningApps() {
    notifier_.reset();
    commands_.reset();
    reader_.reset();
    atoms_.reset();
    if (connection_)
        xcb_disconnect(connection_);
}

X11RunningApps& X11RunningApps::shared() {
    static X11RunningApps* apps = [] {
        const AppCatalog catalog;
        const auto idForPath = [catalog](const QString& path) { return catalog.idForPath(path); };
        auto* running = new X11RunningApps(
            std::make_shared<const AppIdentity>(std::vector<DesktopEntry>(), idForPath));
        QtConcurrent::run([catalog] {
            return catalog.scan();
        }).then(running, [running, idForPath](const std::vector<DesktopEntry>& installed) {
            running->setIdentity(std::make_shared<const AppIdentity>(installed, idForPath));
        });
        return running;
    }();
    return *apps;
}

void X11RunningApps::setIdentity(std::shared_ptr<const AppIdentity> identity) {
    identity_ = std::move(identity);
    appByWindow_.clear();
    if (!reader_)
        return;
    reloadClients();
    reloadActive();
    readQueuedEventsSoon();
}

void X11RunningApps::readEvents() {
    for (;;) {
        bool clients = false;
        bool active = false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            // Errors (type 0), for windows that vanished before a request
            // reached them, need nothing.
            if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
                const auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event);
                clients = clients || change->atom == (*atoms_)[X11Atoms::NetClientList] ||
                          change->atom == (*atoms_)[X11Atoms::NetClientListStacking];
                active = active || change->atom == (*atoms_)[X11Atoms::NetActiveWindow];
            }
            std::free(event);
        }
        if (xcb_connection_has_error(connection_)) {
            qCWarning(lcApps) << "Lost the X connection: running applications stay as they were";
            notifier_->setEnabled(false);
            return;
        }
        if (!clients && !active)
            return;
        // Replies read here may queue further events without waking the
        // notifier, so the loop looks again.
        if (clients)
            reloadClients();
        if (active || clients)
            reloadActive();
    }
}

QString X11RunningApps::appOf(std::uint32_t window) {
    if (const auto known = appByWindow_.constFind(window); known != appByWindow_.constEnd())
        return *known;
    // Not a listed client: typically an active window whose client is gone,
    // which the window manager has not cleared yet. Its id may come back for a
    // new window, so the answer is not remembered.
    return applicationOf(*identity_, reader_->ownerProperties({window}).front());
}

void X11RunningApps::reloadClients() {
    std::vector<std::uint32_t> listed = reader_->stackingList();
    if (listed.empty())
        listed = reader_->clientList();

    // Resolve the new windows in one batch.
    std::vector<std::uint32_t> fresh;
    for (std::uint32_t window : listed) {
        if (!appByWindow_.contains(window))
            fresh.push_back(window);
    }
    const std::vector<X11WindowReader::OwnerProperties> owners = reader_->ownerProperties(fresh);
    for (std::size_t i = 0; i < fresh.size(); ++i)
        appByWindow_.insert(fresh[i], applicationOf(*identity_, owners[i]));

    QHash<std::uint32_t, QString> kept;
    QSet<QString> running;
    stacking_.clear();
    for (std::uint32_t window : listed) {
        const QString app = appByWindow_.value(window);
        kept.insert(window, app);
        stacking_.append(window);
        if (!app.isEmpty())
            running.insert(app);
    }
    appByWindow_ = std::move(kept);
    if (running != running_) {
        running_ = std::move(running);
        Q_EMIT runningChanged();
    }
}

void X11RunningApps::reloadActive() {
    // Window managers clear the active window while the focus moves from one
    // window to the next; only the application that ends up active counts.
    const std::uint32_t window = reader_->activeWindow();
    activeWindow_ = window;
    const QString app = window ? appOf(window) : QString();
    // A window manager may go on naming a window that is gone (openbox, after
    // the last window closed): its application is no longer in front.
    const bool gone = window && app.isEmpty() && !appByWindow_.contains(window);
    if (gone && !activeApp_.isEmpty()) {
        const QString previous = std::exchange(activeApp_, QString());
        Q_EMIT activeAppChanged(previous, activeApp_);
        return;
    }
    if (app.isEmpty() || app == activeApp_)
        return;
    const QString previous = std::exchange(activeApp_, app);
    Q_EMIT activeAppChanged(previous, activeApp_);
}

QVector<std::uint32_t> X11RunningApps::windows(const QString& id) const {
    QVector<std::uint32_t> owned;
    for (std::uint32_t window : stacking_) {
        if (appByWindow_.value(window) == id)
            owned.append(window);
    }
    return owned;
}

bool X11RunningApps::activate(const QString& id) {
    const QVector<std::uint32_t> owned = windows(id);
    if (!commands_ || owned.isEmpty())
        return false;
    commands_->activate(owned.back());
    return true;
}

void X11RunningApps::activateWindow(std::uint32_t window) {
    if (commands_ && window != 0)
        commands_->activate(window);
}

void X11RunningApps::hide(const QString& id) {
    if (!commands_)
        return;
    for (std::uint32_t window : windows(id))
        commands_->iconify(window);
}

void X11RunningApps::quit(const QString& id) {
    if (!commands_)
        return;
    for (std::uint32_t window : windows(id)) {
        // Window managers kill clients that cannot close a window politely.
        if (reader_->acceptsDelete(window))
            commands_->close(window);
    }
    readQueuedEventsSoon();
}

} // namespace vellaro
