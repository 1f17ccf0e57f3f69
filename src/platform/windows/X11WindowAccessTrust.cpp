#include "platform/windows/X11WindowAccessTrust.h"

#include "platform/time/QtScheduler.h"
#include "platform/windows/Logging.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include <cstdlib>

namespace vellaro {

// The EWMH atoms of one X connection, interned once.
struct X11WindowAccessTrust::Atoms {
    xcb_connection_t* connection = nullptr;
    xcb_ewmh_connection_t ewmh{};

    ~Atoms() {
        if (connection)
            xcb_ewmh_connection_wipe(&ewmh);
    }
};

namespace {

xcb_connection_t* qtConnection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// The window named by the _NET_SUPPORTING_WM_CHECK property of `window`, or 0.
xcb_window_t supportingCheck(xcb_ewmh_connection_t* ewmh, xcb_window_t window) {
    xcb_window_t named = XCB_WINDOW_NONE;
    auto cookie = xcb_ewmh_get_supporting_wm_check(ewmh, window);
    if (!xcb_ewmh_get_supporting_wm_check_reply(ewmh, cookie, &named, nullptr))
        return XCB_WINDOW_NONE;
    return named;
}

} // namespace

X11WindowAccessTrust::X11WindowAccessTrust(Scheduler& scheduler) : scheduler_(scheduler) {}

X11WindowAccessTrust::X11WindowAccessTrust(Scheduler& scheduler, xcb_connection_t* connection)
    : scheduler_(scheduler), ownConnection_(connection) {}

X11WindowAccessTrust::~X11WindowAccessTrust() {
    if (recheckTask_ != 0)
        scheduler_.cancel(recheckTask_);
}

X11WindowAccessTrust& X11WindowAccessTrust::shared() {
    static X11WindowAccessTrust trust(QtScheduler::shared());
    return trust;
}

bool X11WindowAccessTrust::isTrusted() {
    const bool trusted = answer();
    // Only Qt's connection has an event loop to watch on.
    if (!watching_ && !ownConnection_ && atoms_ && atoms_->ewmh.nb_screens > 0) {
        lastAnswer_ = trusted;
        watch();
    }
    watchSupportingWindow();
    return trusted;
}

// A window manager that dies leaves the root's property behind: only its
// check window's destruction tells.
void X11WindowAccessTrust::watchSupportingWindow() {
    if (!watching_ || supportingWindow_ == watchedSupportingWindow_)
        return;
    watchedSupportingWindow_ = supportingWindow_;
    if (supportingWindow_ == XCB_WINDOW_NONE)
        return;
    xcb_connection_t* connection = atoms_->connection;
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    // Checked, so a window already gone is an answer here, not an X error
    // in the log.
    std::free(xcb_request_check(connection,
                                xcb_change_window_attributes_checked(connection, supportingWindow_,
                                                                     XCB_CW_EVENT_MASK, &mask)));
}

void X11WindowAccessTrust::watch() {
    xcb_connection_t* connection = atoms_->connection;
    const xcb_window_t root = atoms_->ewmh.screens[0]->root;
    // Qt selects its own events on the root: add ours to them, never replace them.
    xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, root), nullptr);
    if (!attributes)
        return;
    const uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_PROPERTY_CHANGE;
    std::free(attributes);
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
    QCoreApplication::instance()->installNativeEventFilter(this);
    watching_ = true;
}

bool X11WindowAccessTrust::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || !atoms_)
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7f) {
    case XCB_PROPERTY_NOTIFY: {
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (notify->window != atoms_->ewmh.screens[0]->root ||
            notify->atom != atoms_->ewmh._NET_SUPPORTING_WM_CHECK)
            return false;
        break;
    }
    case XCB_DESTROY_NOTIFY: {
        const auto* notify = reinterpret_cast<const xcb_destroy_notify_event_t*>(event);
        if (notify->window == XCB_WINDOW_NONE || notify->window != watchedSupportingWindow_)
            return false;
        watchedSupportingWindow_ = XCB_WINDOW_NONE;
        break;
    }
    default:
        return false;
    }
    if (recheckTask_ != 0)
        scheduler_.cancel(recheckTask_);
    recheckTask_ = scheduler_.schedule(recheckDelay, [this] {
        recheckTask_ = 0;
        recheck();
    });
    return false; // Qt may want it too
}

void X11WindowAccessTrust::recheck() {
    const bool trusted = answer();
    watchSupportingWindow();
    if (trusted == lastAnswer_)
        return;
    lastAnswer_ = trusted;
    qCInfo(lcWindows) << (trusted ? "A window manager answers now: window access granted"
                                  : "The window manager went away: window access withdrawn");
    Q_EMIT changed();
}

bool X11WindowAccessTrust::answer() {
    xcb_connection_t* connection = ownConnection_ ? ownConnection_ : qtConnection();
    if (!connection || xcb_connection_has_error(connection))
        return false;
    if (!atoms_ || atoms_->connection != connection) {
        auto atoms = std::make_unique<Atoms>();
        xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(connection, &atoms->ewmh);
        if (!xcb_ewmh_init_atoms_replies(&atoms->ewmh, cookies, nullptr)) {
            qCWarning(lcWindows) << "Could not intern the EWMH atoms";
            return false;
        }
        atoms->connection = connection;
        atoms_ = std::move(atoms);
    }
    xcb_ewmh_connection_t* ewmh = &atoms_->ewmh;
    if (ewmh->nb_screens < 1)
        return false;
    const xcb_window_t root = ewmh->screens[0]->root;

    // A window manager that exited may leave the root property behind; its
    // check window then no longer names itself.
    supportingWindow_ = XCB_WINDOW_NONE;
    const xcb_window_t check = supportingCheck(ewmh, root);
    if (check == XCB_WINDOW_NONE || supportingCheck(ewmh, check) != check)
        return false;
    supportingWindow_ = check;

    xcb_ewmh_get_atoms_reply_t supported;
    if (!xcb_ewmh_get_supported_reply(ewmh, xcb_ewmh_get_supported(ewmh, 0), &supported, nullptr))
        return false;
    bool listsClients = false;
    for (uint32_t i = 0; i < supported.atoms_len; ++i)
        listsClients = listsClients || supported.atoms[i] == ewmh->_NET_CLIENT_LIST;
    xcb_ewmh_get_atoms_reply_wipe(&supported);
    return listsClients;
}

} // namespace vellaro
