#include "platform/input/XcbHotKeyGrabber.h"

#include "platform/input/Logging.h"
#include "platform/input/MacKeyCodes.h"
#include "platform/input/QtXcbConnection.h"
#include "platform/input/XcbKeyboardMapping.h"
#include "platform/input/XcbRawKeyEvents.h"

#include <QAbstractEventDispatcher>
#include <QMetaObject>
#include <xcb/xcb.h>
// xkb.h names a field `explicit`.
#define explicit explicit_
#include <xcb/xinput.h>
#include <xcb/xkb.h>
#undef explicit

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <memory>

namespace vellaro {

namespace {

// The eight modifier bits of a key event's state (the rest are buttons and
// the XKB group).
constexpr std::uint16_t kModifierBits = 0x00FF;

template <typename T>
bool contains(const std::vector<T>& list, const T& value) {
    return std::ranges::find(list, value) != list.end();
}

} // namespace

XcbHotKeyGrabber::XcbHotKeyGrabber() : connection_(QtXcbConnection::connection()) {
    if (!connection_) {
        qCWarning(lcInput) << "No X display: hot keys are unavailable";
        return;
    }
    root_ = QtXcbConnection::rootWindow(connection_);
    enableDetectableAutoRepeat();
    rawKeyEvents_ = std::make_unique<XcbRawKeyEvents>(connection_, root_);
    ignoredModifiers_ = MacKeyCodes::xLockMask | XcbKeyboardMapping(connection_).numLockMask();
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (dispatcher)
        dispatcher->installNativeEventFilter(this);
}

XcbHotKeyGrabber::~XcbHotKeyGrabber() {
    if (!connection_)
        return;
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->removeNativeEventFilter(this);
    for (const HotKey& hotKey : hotKeys_) {
        for (const Grab& grab : hotKey.grabs)
            xcb_ungrab_key(connection_, grab.keycode, root_, grab.modifiers);
    }
    xcb_flush(connection_);
}

HotKeyGrabber::Registration XcbHotKeyGrabber::registerHotKey(std::uint32_t macKeyCode,
                                                             std::uint32_t carbonModifiers) {
    if (!connection_)
        return {statusUnavailable, 0};
    const std::optional<std::uint32_t> keysym = MacKeyCodes::keysymForKeyCode(macKeyCode);
    if (!keysym) {
        qCWarning(lcInput) << "Mac key code" << macKeyCode << "has no X keysym";
        return {statusInvalidKey, 0};
    }
    const XcbKeyboardMapping mapping(connection_);
    ignoredModifiers_ = MacKeyCodes::xLockMask | mapping.numLockMask();
    const std::uint16_t modifiers = MacKeyCodes::xModifiersForCarbon(carbonModifiers);
    const std::vector<Grab> grabs = grabsOf(mapping, *keysym, modifiers);
    if (grabs.empty()) {
        qCWarning(lcInput) << "No key of this keyboard gives keysym" << Qt::hex << *keysym;
        return {statusInvalidKey, 0};
    }
    const std::int32_t status = grab(grabs);
    if (status != statusOk)
        return {status, 0};
    const HotKeyId id = nextId_++;
    hotKeys_.push_back({id, *keysym, modifiers, grabs});
    return {statusOk, id};
}

void XcbHotKeyGrabber::unregisterHotKey(HotKeyId id) {
    const auto it = std::ranges::find(hotKeys_, id, &HotKey::id);
    if (it == hotKeys_.end())
        return;
    const std::vector<Grab> grabs = std::move(it->grabs);
    hotKeys_.erase(it);
    std::erase_if(held_, [id](const HeldKey& held) { return held.id == id; });
    watchRawReleases();
    ungrabUnneeded(grabs);
}

std::vector<XcbHotKeyGrabber::Grab> XcbHotKeyGrabber::grabsOf(const XcbKeyboardMapping& mapping,
                                                              std::uint32_t keysym,
                                                              std::uint16_t modifiers) {
    std::vector<Grab> grabs;
    for (const std::uint8_t keycode : mapping.keycodesFor(keysym)) {
        for (const std::uint16_t locks : mapping.lockVariants())
            grabs.push_back({keycode, static_cast<std::uint16_t>(modifiers | locks)});
    }
    return grabs;
}

std::int32_t XcbHotKeyGrabber::grab(const std::vector<Grab>& grabs) {
    // A one-off round trip: the server's answer decides what the caller is told.
    std::vector<xcb_void_cookie_t> cookies;
    cookies.reserve(grabs.size());
    for (const Grab& grab : grabs) {
        cookies.push_back(xcb_grab_key_checked(connection_, 0, root_, grab.modifiers, grab.keycode,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
    std::int32_t status = statusOk;
    std::vector<Grab> taken;
    for (std::size_t i = 0; i < grabs.size(); ++i) {
        const std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error(
            xcb_request_check(connection_, cookies[i]), &std::free);
        if (!error) {
            taken.push_back(grabs[i]);
        } else if (error->error_code == XCB_ACCESS) {
            status = statusKeyTaken;
        } else if (status == statusOk) {
            status = statusUnavailable;
        }
    }
    if (status != statusOk)
        ungrabUnneeded(taken);
    return status;
}

void XcbHotKeyGrabber::ungrabUnneeded(const std::vector<Grab>& grabs) {
    for (const Grab& grab : grabs) {
        const bool needed = std::ranges::any_of(
            hotKeys_, [&](const HotKey& hotKey) { return contains(hotKey.grabs, grab); });
        if (!needed)
            xcb_ungrab_key(connection_, grab.keycode, root_, grab.modifiers);
    }
    xcb_flush(connection_);
}

void XcbHotKeyGrabber::enableDetectableAutoRepeat() {
    const xcb_query_extension_reply_t* xkb = xcb_get_extension_data(connection_, &xcb_xkb_id);
    if (!xkb || !xkb->present) {
        qCWarning(lcInput) << "The X server has no XKB: held hot keys may repeat";
        return;
    }
    xkbFirstEvent_ = xkb->first_event;
    const std::unique_ptr<xcb_xkb_use_extension_reply_t, decltype(&std::free)> use(
        xcb_xkb_use_extension_reply(connection_, xcb_xkb_use_extension(connection_, 1, 0), nullptr),
        &std::free);
    if (!use || !use->supported) {
        qCWarning(lcInput) << "XKB 1.0 unsupported: held hot keys may repeat";
        return;
    }
    const std::uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    const std::unique_ptr<xcb_xkb_per_client_flags_reply_t, decltype(&std::free)> reply(
        xcb_xkb_per_client_flags_reply(
            connection_,
            xcb_xkb_per_client_flags(connection_, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0),
            nullptr),
        &std::free);
    if (!reply || !(reply->value & flag))
        qCWarning(lcInput) << "Detectable auto-repeat refused: held hot keys may repeat";
}

bool XcbHotKeyGrabber::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const std::uint8_t type = event->response_type & 0x7F;
    switch (type) {
    case XCB_KEY_PRESS: {
        const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
        return handleKeyPress(key->detail, key->state, key->time);
    }
    case XCB_KEY_RELEASE: {
        const auto* key = reinterpret_cast<const xcb_key_release_event_t*>(event);
        return handleKeyRelease(key->detail, false, key->time);
    }
    case XCB_MAPPING_NOTIFY: {
        const auto* mapping = reinterpret_cast<const xcb_mapping_notify_event_t*>(event);
        if (mapping->request != XCB_MAPPING_POINTER)
            scheduleRegrab();
        return false;
    }
    default:
        break;
    }
    if (xkbFirstEvent_ != 0 && type == xkbFirstEvent_) {
        // Byte 1 of every XKB event is its XKB type.
        const std::uint8_t xkbType = event->pad0;
        if (xkbType == XCB_XKB_NEW_KEYBOARD_NOTIFY || xkbType == XCB_XKB_MAP_NOTIFY)
            scheduleRegrab();
        return false;
    }
    if (rawKeyEvents_) {
        if (const std::optional<std::uint8_t> keycode = rawKeyEvents_->releasedKeycode(event)) {
            const auto* raw = static_cast<const xcb_input_raw_key_release_event_t*>(message);
            return handleKeyRelease(*keycode, true, raw->time);
        }
    }
    return false;
}

bool XcbHotKeyGrabber::handleKeyPress(std::uint8_t keycode, std::uint16_t state,
                                      std::uint32_t time) {
    if (isMatchingPaused())
        return false;
    const auto heldIt = std::ranges::find(held_, keycode, &HeldKey::keycode);
    if (heldIt != held_.end()) {
        if (!heldIt->releaseSeen)
            return true; // auto-repeat of the held key
        // Its core release went to another client; this is a new press.
        held_.erase(heldIt);
        watchRawReleases();
    }
    const std::uint16_t modifiers = state & kModifierBits & ~ignoredModifiers_;
    for (const HotKey& hotKey : hotKeys_) {
        if (hotKey.modifiers != modifiers)
            continue;
        const bool matches = std::ranges::any_of(
            hotKey.grabs, [keycode](const Grab& grab) { return grab.keycode == keycode; });
        if (!matches)
            continue;
        const HotKeyId id = hotKey.id;
        held_.push_back({keycode, id, false});
        watchRawReleases();
        notifyPressed(id, time);
        return true;
    }
    return false;
}

bool XcbHotKeyGrabber::handleKeyRelease(std::uint8_t keycode, bool raw, std::uint32_t time) {
    const auto heldIt = std::ranges::find(held_, keycode, &HeldKey::keycode);
    if (heldIt == held_.end())
        return false;
    const HotKeyId id = heldIt->id;
    const bool alreadyReported = heldIt->releaseSeen;
    // The raw release and the core release describe the same key-up; whichever
    // comes first reports it. The core one may never come to us: once no grab
    // holds the keyboard it goes to the focused window.
    if (raw)
        heldIt->releaseSeen = true;
    else
        held_.erase(heldIt);
    watchRawReleases();
    if (!alreadyReported)
        notifyReleased(id, time);
    return true;
}

void XcbHotKeyGrabber::watchRawReleases() {
    if (rawKeyEvents_) {
        rawKeyEvents_->watch(
            std::ranges::any_of(held_, [](const HeldKey& held) { return !held.releaseSeen; }));
    }
}

void XcbHotKeyGrabber::scheduleRegrab() {
    if (regrabPending_ || hotKeys_.empty())
        return;
    regrabPending_ = true;
    QMetaObject::invokeMethod(
        &context_, [this] { regrab(); }, Qt::QueuedConnection);
}

void XcbHotKeyGrabber::regrab() {
    regrabPending_ = false;
    const XcbKeyboardMapping mapping(connection_);
    ignoredModifiers_ = MacKeyCodes::xLockMask | mapping.numLockMask();
    for (HotKey& hotKey : hotKeys_) {
        std::vector<Grab> wanted = grabsOf(mapping, hotKey.keysym, hotKey.modifiers);
        if (wanted == hotKey.grabs)
            continue;
        std::vector<Grab> added;
        std::ranges::copy_if(wanted, std::back_inserter(added),
                             [&](const Grab& grab) { return !contains(hotKey.grabs, grab); });
        const std::int32_t status = grab(added);
        if (status != statusOk) {
            qCWarning(lcInput) << "Hot key could not be grabbed again after a keyboard change"
                               << "(status" << status << ")";
            std::erase_if(wanted, [&](const Grab& grab) { return !contains(hotKey.grabs, grab); });
        }
        std::vector<Grab> dropped;
        std::ranges::copy_if(hotKey.grabs, std::back_inserter(dropped),
                             [&](const Grab& grab) { return !contains(wanted, grab); });
        hotKey.grabs = std::move(wanted);
        ungrabUnneeded(dropped);
    }
}

} // namespace vellaro
