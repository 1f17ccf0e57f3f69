#include "platform/clipboard/XcbSelectionReader.h"

#include "platform/clipboard/ImageThumbnail.h"
#include "platform/clipboard/Logging.h"

#include <QDeadlineTimer>
#include <QUrl>

#include <cstdlib>
#include <memory>
#include <poll.h>
#include <xcb/xcb.h>

namespace vellaro {

namespace {

template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <class T>
Reply<T> reply(T* value) {
    return Reply<T>(value, &std::free);
}

constexpr qint64 textLimit = qint64(64) * 1024 * 1024;
constexpr qint64 listLimit = qint64(16) * 1024 * 1024;

// Waits up to the time-out for the answer to a conversion (SelectionNotify
// for `matching`, naming `property` or none) or for a new value of
// `matching` (PropertyNotify); other events are dropped. Null on time-out.
Reply<xcb_generic_event_t> waitForEvent(xcb_connection_t* connection, std::uint8_t responseType,
                                        std::uint32_t matching, std::uint32_t property) {
    const QDeadlineTimer deadline(int(XcbSelectionReader::requestTimeout.count()));
    const int fd = xcb_get_file_descriptor(connection);
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const std::uint8_t type = event->response_type & 0x7f;
            if (type == responseType && responseType == XCB_SELECTION_NOTIFY) {
                // An answer to an earlier request that timed out names an older property.
                auto* notify = reinterpret_cast<xcb_selection_notify_event_t*>(event);
                if (notify->target == matching &&
                    (notify->property == XCB_ATOM_NONE || notify->property == property))
                    return reply(event);
            }
            if (type == responseType && responseType == XCB_PROPERTY_NOTIFY) {
                auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
                if (notify->atom == matching && notify->state == XCB_PROPERTY_NEW_VALUE)
                    return reply(event);
            }
            std::free(event);
        }
        if (xcb_connection_has_error(connection) || deadline.hasExpired())
            return reply<xcb_generic_event_t>(nullptr);
        pollfd waiting{fd, POLLIN, 0};
        ::poll(&waiting, 1, int(std::max<qint64>(1, deadline.remainingTime())));
    }
}

} // namespace

XcbSelectionReader::~XcbSelectionReader() {
    if (connection_)
        xcb_disconnect(connection_);
}

bool XcbSelectionReader::connect() {
    if (connection_)
        return true;
    if (connectFailed_)
        return false;
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_)) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
        connectFailed_ = true;
        return false;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    window_ = xcb_generate_id(connection_);
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screens.data->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    property_ = atom("VELLARO_SELECTION_0");
    return true;
}

std::uint32_t XcbSelectionReader::atom(const char* name) {
    const QByteArray key(name);
    if (const auto found = atoms_.constFind(key); found != atoms_.constEnd())
        return *found;
    auto answer = reply(xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, std::uint16_t(key.size()), name), nullptr));
    const std::uint32_t value = answer ? answer->atom : std::uint32_t(XCB_ATOM_NONE);
    atoms_.insert(key, value);
    names_.insert(value, QString::fromLatin1(key));
    return value;
}

QString XcbSelectionReader::atomName(std::uint32_t value) {
    if (const auto found = names_.constFind(value); found != names_.constEnd())
        return *found;
    auto answer =
        reply(xcb_get_atom_name_reply(connection_, xcb_get_atom_name(connection_, value), nullptr));
    QString name;
    if (answer) {
        name = QString::fromLatin1(xcb_get_atom_name_name(answer.get()),
                                   xcb_get_atom_name_name_length(answer.get()));
    }
    names_.insert(value, name);
    return name;
}

std::optional<XcbSelectionReader::Transfer> XcbSelectionReader::convert(std::uint32_t target,
                                                                        qint64 limit) {
    const std::uint32_t clipboard = atom("CLIPBOARD");
    xcb_delete_property(connection_, window_, property_);
    xcb_convert_selection(connection_, window_, clipboard, target, property_, XCB_CURRENT_TIME);
    xcb_flush(connection_);
    const auto event = waitForEvent(connection_, XCB_SELECTION_NOTIFY, target, property_);
    const auto* notify = reinterpret_cast<const xcb_selection_notify_event_t*>(event.get());
    if (!notify) {
        qCDebug(lcPasteboard).noquote()
            << "The clipboard owner did not answer for" << atomName(target);
        abandonProperty();
        return std::nullopt;
    }
    if (notify->property == XCB_ATOM_NONE)
        return std::nullopt;
    // One word more than the limit tells whether there is more.
    const std::uint32_t words = std::uint32_t(std::min<qint64>(limit / 4 + 1, UINT32_MAX / 4));
    auto property = reply(xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, 1, window_, property_, XCB_GET_PROPERTY_TYPE_ANY, 0, words),
        nullptr));
    if (!property)
        return std::nullopt;
    if (property->type == atom("INCR"))
        return readIncrementally(limit);
    Transfer transfer;
    transfer.type = property->type;
    const int length = xcb_get_property_value_length(property.get());
    if (property->bytes_after > 0 || length > limit) {
        // Left in place it would keep the next answer from arriving.
        xcb_delete_property(connection_, window_, property_);
        transfer.tooLarge = true;
        return transfer;
    }
    transfer.data =
        QByteArray(static_cast<const char*>(xcb_get_property_value(property.get())), length);
    return transfer;
}

std::optional<XcbSelectionReader::Transfer> XcbSelectionReader::readIncrementally(qint64 limit) {
    // Deleting the INCR property (done by the read) asks for the first chunk.
    xcb_flush(connection_);
    Transfer transfer;
    for (;;) {
        const auto event = waitForEvent(connection_, XCB_PROPERTY_NOTIFY, property_, property_);
        if (!event) {
            abandonProperty();
            return std::nullopt;
        }
        auto chunk = reply(
            xcb_get_property_reply(connection_,
                                   xcb_get_property(connection_, 1, window_, property_,
                                                    XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4),
                                   nullptr));
        xcb_flush(connection_);
        if (!chunk)
            return std::nullopt;
        const int length = xcb_get_property_value_length(chunk.get());
        if (length == 0)
            return transfer; // the empty chunk ends the transfer
        transfer.type = chunk->type;
        if (transfer.data.size() + length > limit) {
            // Stop here; the owner's later chunks must not land in the next transfer.
            abandonProperty();
            transfer.data.clear();
            transfer.tooLarge = true;
            return transfer;
        }
        transfer.data.append(static_cast<const char*>(xcb_get_property_value(chunk.get())), length);
    }
}

void XcbSelectionReader::abandonProperty() {
    // An owner still sending to the old property cannot reach the next read.
    propertyIndex_ = (propertyIndex_ + 1) % 8;
    property_ = atom(QByteArray("VELLARO_SELECTION_" + QByteArray::number(propertyIndex_)));
}

std::optional<QByteArray> XcbSelectionReader::readTarget(const QStringList& offered,
                                                         const char* name, qint64 limit,
                                                         bool* tooLarge) {
    if (!offered.contains(QLatin1String(name)))
        return std::nullopt;
    auto transfer = convert(atom(name), limit);
    if (!transfer)
        return std::nullopt;
    if (transfer->tooLarge) {
        if (tooLarge)
            *tooLarge = true;
        return std::nullopt;
    }
    return transfer->data;
}

XcbSelectionReader::OwnerStamp XcbSelectionReader::ownerStamp() {
    if (!connect())
        return {};
    auto owner = reply(xcb_get_selection_owner_reply(
        connection_, xcb_get_selection_owner(connection_, atom("CLIPBOARD")), nullptr));
    if (!owner || owner->owner == XCB_NONE)
        return {};
    OwnerStamp stamp{owner->owner, 0};
    // Every owner answers TIMESTAMP with the time it took the selection.
    if (const auto time = convert(atom("TIMESTAMP"), 64); time && time->data.size() >= 4)
        stamp.since = *reinterpret_cast<const std::uint32_t*>(time->data.constData());
    return stamp;
}

PasteboardContent XcbSelectionReader::read(std::int64_t changeCount) {
    PasteboardContent content;
    content.changeCount = changeCount;
    if (!connect())
        return content;
    const auto targets = convert(atom("TARGETS"), listLimit);
    if (!targets || targets->type != XCB_ATOM_ATOM)
        return content;
    const auto* atoms = reinterpret_cast<const std::uint32_t*>(targets->data.constData());
    for (qsizetype i = 0; i < targets->data.size() / 4; ++i)
        content.types << atomName(atoms[i]);
    const QStringList& offered = content.types;

    if (const auto utf8 = readTarget(offered, "UTF8_STRING", textLimit))
        content.text = CopiedText(QString::fromUtf8(*utf8));
    else if (const auto plainUtf8 = readTarget(offered, "text/plain;charset=utf-8", textLimit))
        content.text = CopiedText(QString::fromUtf8(*plainUtf8));
    else if (const auto latin1 = readTarget(offered, "STRING", textLimit))
        content.text = CopiedText(QString::fromLatin1(*latin1));
    else if (const auto plain = readTarget(offered, "text/plain", textLimit))
        content.text = CopiedText(QString::fromUtf8(*plain));
    // A concealed copy is only offered to paste as plain text, never kept.
    if (content.isConcealed())
        return content;

    if (const auto list = readTarget(offered, "text/uri-list", listLimit)) {
        QList<QUrl> files;
        bool allFiles = true;
        for (const QByteArray& rawLine : list->split('\n')) {
            const QByteArray line = rawLine.trimmed();
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            const QUrl url = QUrl::fromEncoded(line);
            allFiles = allFiles && url.isValid() && url.scheme() == QLatin1String("file");
            files << url;
        }
        if (allFiles)
            content.files = files;
    }
    if (!content.files.isEmpty() || content.text)
        return content;

    for (const auto& [target, type] : {std::pair("image/png", PasteboardContent::pngType),
                                       std::pair("image/tiff", PasteboardContent::tiffType)}) {
        if (!offered.contains(QLatin1String(target)))
            continue;
        // The first image form offered is the one; an oversized one ends the read.
        content.imageType = QString::fromLatin1(type);
        content.imageData = readTarget(offered, target, PasteboardContent::maximumImageSize,
                                       &content.imageTooLarge);
        if (content.imageData)
            content.imageThumbnail = imageThumbnail(*content.imageData);
        break;
    }
    return content;
}

} // namespace vellaro
