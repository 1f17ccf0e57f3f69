#include "platform/clipboard/XFixesSelectionWatcher.h"

#include "platform/clipboard/Logging.h"

#include <QSocketNotifier>

#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

namespace vellaro {

namespace {

template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

} // namespace

XFixesSelectionWatcher::XFixesSelectionWatcher(QObject* parent) : QObject(parent) {
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_)) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
        return;
    }
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection_, &xcb_xfixes_id);
    if (!extension || !extension->present) {
        qCInfo(lcPasteboard) << "The X server has no XFixes: the clipboard is polled";
        return;
    }
    // The version must be asked before any other XFixes request.
    const Reply<xcb_xfixes_query_version_reply_t> version(
        xcb_xfixes_query_version_reply(connection_, xcb_xfixes_query_version(connection_, 5, 0),
                                       nullptr),
        &std::free);
    const Reply<xcb_intern_atom_reply_t> clipboard(
        xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, 9, "CLIPBOARD"),
                              nullptr),
        &std::free);
    if (!version || version->major_version < 1 || !clipboard)
        return;
    firstEvent_ = extension->first_event;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    xcb_xfixes_select_selection_input(connection_, screens.data->root, clipboard->atom,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    xcb_flush(connection_);
    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_),
                                                  QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this,
            &XFixesSelectionWatcher::readEvents);
    // Replies above may have queued events the notifier will not report.
    QMetaObject::invokeMethod(this, &XFixesSelectionWatcher::readEvents, Qt::QueuedConnection);
}

XFixesSelectionWatcher::~XFixesSelectionWatcher() {
    notifier_.reset();
    if (connection_)
        xcb_disconnect(connection_);
}

void XFixesSelectionWatcher::readEvents() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        if ((event->response_type & 0x7f) == firstEvent_ + XCB_XFIXES_SELECTION_NOTIFY) {
            const auto* notify = reinterpret_cast<xcb_xfixes_selection_notify_event_t*>(event);
            const std::uint32_t owner = notify->owner;
            std::free(event);
            Q_EMIT ownerChanged(owner);
            continue;
        }
        std::free(event);
    }
    if (xcb_connection_has_error(connection_)) {
        qCWarning(lcPasteboard) << "Lost the X connection that watches the clipboard";
        notifier_->setEnabled(false);
    }
}

} // namespace vellaro
