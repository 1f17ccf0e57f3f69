#pragma once

#include "platform/input/HotKeyGrabber.h"

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <cstdint>
#include <memory>
#include <vector>

struct xcb_connection_t;

namespace vellaro {

class XcbKeyboardMapping;
class XcbRawKeyEvents;

// Hot keys as passive key grabs on the root window of Qt's own X connection,
// with and without Caps Lock and Num Lock. Keys are matched in a native event
// filter whatever window the event is for, so a hot key still works while a
// window of ours holds the keyboard (it then arrives as an ordinary event).
// Grabs follow keyboard mapping changes. XKB detectable auto-repeat is turned
// on for Qt's whole connection, so a held key repeats as presses alone there.
class XcbHotKeyGrabber final : public HotKeyGrabber, private QAbstractNativeEventFilter {
public:
    XcbHotKeyGrabber();
    ~XcbHotKeyGrabber() override;

    Registration registerHotKey(std::uint32_t macKeyCode, std::uint32_t carbonModifiers) override;
    void unregisterHotKey(HotKeyId id) override;

private:
    struct Grab {
        std::uint8_t keycode;
        std::uint16_t modifiers;
        bool operator==(const Grab&) const = default;
    };
    struct HotKey {
        HotKeyId id;
        std::uint32_t keysym;
        std::uint16_t modifiers;
        std::vector<Grab> grabs; // held under the current keyboard mapping
    };
    struct HeldKey {
        std::uint8_t keycode;
        HotKeyId id;
        bool releaseSeen; // reported from the raw event; the core release may follow
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    bool handleKeyPress(std::uint8_t keycode, std::uint16_t state, std::uint32_t time);
    bool handleKeyRelease(std::uint8_t keycode, bool raw, std::uint32_t time);
    // Raw key releases are needed only while a hot key is down.
    void watchRawReleases();
    void scheduleRegrab();
    void regrab();

    static std::vector<Grab> grabsOf(const XcbKeyboardMapping& mapping, std::uint32_t keysym,
                                     std::uint16_t modifiers);
    // Takes every grab; on failure gives back what it took and returns the
    // failing status.
    std::int32_t grab(const std::vector<Grab>& grabs);
    // Gives back the grabs no registered hot key holds.
    void ungrabUnneeded(const std::vector<Grab>& grabs);
    void enableDetectableAutoRepeat();

    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
    std::uint8_t xkbFirstEvent_ = 0;     // 0: no XKB
    std::uint16_t ignoredModifiers_ = 0; // Lock and Num Lock
    std::unique_ptr<XcbRawKeyEvents> rawKeyEvents_;
    std::vector<HotKey> hotKeys_;
    std::vector<HeldKey> held_;
    HotKeyId nextId_ = 1;
    bool regrabPending_ = false;
    QObject context_; // target of the queued regrab; gone with the grabber
};

} // namespace vellaro
