#include "app/InstanceSelection.h"

#include "app/Logging.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace vellaro {

namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t internAtom(xcb_connection_t* connection, const QByteArray& name) {
    Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, std::uint16_t(name.size()), name.constData()), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_window_t selectionOwner(xcb_connection_t* connection, xcb_atom_t selection) {
    Reply<xcb_get_selection_owner_reply_t> reply(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection),
                                      nullptr),
        &std::free);
    return reply ? reply->owner : xcb_window_t(XCB_WINDOW_NONE);
}

} // namespace

InstanceSelection::InstanceSelection(QObject* parent) : QObject(parent) {}

InstanceSelection::~InstanceSelection() {
    delete notifier_;
    // Closing the connection destroys the window and gives up the selection.
    if (connection_)
        xcb_disconnect(connection_);
}

QString InstanceSelection::selectionName(int screen) {
    return QStringLiteral("_VELLARO_S%1").arg(screen);
}

bool InstanceSelection::intern() {
    int screen = 0;
    const QByteArray name = display_.toLocal8Bit();
    connection_ = xcb_connect(name.isEmpty() ? nullptr : name.constData(), &screen);
    if (xcb_connection_has_error(connection_) != 0) {
        error_ = QStringLiteral("cannot open the X display");
        xcb_disconnect(connection_);
        connection_ = nullptr;
        return false;
    }
    name_ = selectionName(screen);
    selection_ = internAtom(connection_, name_.toLatin1());
    requestType_ = internAtom(connection_, QByteArrayLiteral("_VELLARO_REQUEST"));
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screen && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (selection_ == XCB_ATOM_NONE || requestType_ == XCB_ATOM_NONE || screens.rem == 0) {
        error_ = QStringLiteral("the X display has no screen %1").arg(screen);
        return false;
    }
    window_ = xcb_generate_id(connection_);
    const std::uint32_t values[] = {1}; // override-redirect: never managed, never mapped
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screens.data->root, -1, -1, 1, 1,
                      0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                      XCB_CW_OVERRIDE_REDIRECT, values);
    const QByteArray title = QByteArrayLiteral("vellaro-instance");
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, std::uint32_t(title.size()), title.constData());
    return true;
}

InstanceSelection::Outcome InstanceSelection::claimOrHandOver(const QString& display,
                                                              std::uint32_t actions) {
    display_ = display;
    if (!connection_ && !intern())
        return Outcome::failed;
    // An owner may quit between our look and our message: look again then.
    for (int attempt = 0; attempt < 3; ++attempt) {
        // Held while we look and take, so two copies starting together
        // cannot both see the selection free.
        xcb_grab_server(connection_);
        xcb_window_t owner = selectionOwner(connection_, selection_);
        if (owner == XCB_WINDOW_NONE) {
            xcb_set_selection_owner(connection_, window_, selection_, XCB_CURRENT_TIME);
            owner = selectionOwner(connection_, selection_);
        }
        xcb_ungrab_server(connection_);
        xcb_flush(connection_);
        if (owner == window_)
            return Outcome::owner;
        if (owner == XCB_WINDOW_NONE)
            continue;

        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = owner;
        message.type = requestType_;
        message.data.data32[0] = actions;
        // No event mask: the event goes to the client that made the window.
        std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error(
            xcb_request_check(connection_,
                              xcb_send_event_checked(connection_, 0, owner, XCB_EVENT_MASK_NO_EVENT,
                                                     reinterpret_cast<const char*>(&message))),
            &std::free);
        if (!error)
            return Outcome::handedOver;
    }
    error_ = QStringLiteral("the running copy did not take the request");
    return Outcome::failed;
}

void InstanceSelection::listen(std::function<void(std::uint32_t)> onRequest) {
    onRequest_ = std::move(onRequest);
    if (!connection_ || notifier_)
        return;
    notifier_ = new QSocketNotifier(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
    connect(notifier_, &QSocketNotifier::activated, this, &InstanceSelection::readEvents);
    // The notifier needs the event loop's dispatcher, which ends with Qt;
    // the selection itself is held until this object goes.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] {
        delete notifier_;
        notifier_ = nullptr;
    });
    // Requests that arrived while the program was starting are queued already.
    QTimer::singleShot(0, this, &InstanceSelection::readEvents);
}

void InstanceSelection::readEvents() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> held(event, &std::free);
        switch (event->response_type & 0x7f) {
        case XCB_CLIENT_MESSAGE: {
            const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event);
            if (message->type == requestType_ && message->format == 32 && onRequest_)
                onRequest_(message->data.data32[0]);
            break;
        }
        case XCB_SELECTION_CLEAR:
            qCWarning(appLog).noquote() << "Another program took the selection" << name_
                                        << "; later launches will not reach this copy";
            break;
        default:
            break;
        }
    }
    if (notifier_ && xcb_connection_has_error(connection_) != 0)
        notifier_->setEnabled(false);
}

} // namespace vellaro
