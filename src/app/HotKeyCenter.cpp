#include "app/HotKeyCenter.h"

#include "app/Logging.h"
#include "model/HotKeyText.h"
#include "platform/input/HotKeyGrabber.h"
#include "platform/input/XcbHotKeyGrabber.h"

namespace vellaro {

HotKeyCenter::HotKeyCenter(HotKeyGrabber& grabber) : grabber_(grabber) {
    // One key is registered at a time, so any event of ours is that key.
    grabber_.setHandlers(
        [this](HotKeyGrabber::HotKeyId) {
            if (const auto down = onHotKeyDown)
                down();
        },
        [this](HotKeyGrabber::HotKeyId) {
            if (const auto up = onHotKeyUp)
                up();
        });
}

HotKeyCenter::~HotKeyCenter() {
    grabber_.setHandlers({}, {});
}

HotKeyCenter& HotKeyCenter::shared() {
    // Never destroyed: the grab ends with the process, and a destructor
    // running after Qt closed its X connection would use it.
    static auto* instance = new HotKeyCenter(*new XcbHotKeyGrabber);
    return *instance;
}

bool HotKeyCenter::isRegistered(std::uint32_t keyCode, std::uint32_t modifiers) const {
    return hotKeyRef_ && registeredCode_ == keyCode && registeredModifiers_ == modifiers;
}

std::int32_t HotKeyCenter::registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers) {
    if (isRegistered(keyCode, modifiers))
        return statusOk;
    if (!HotKeyText::hasRequiredModifier(modifiers)) {
        qCCritical(hotKeyLog, "Could not register hot key (status %d): it needs Ctrl, Alt or Super",
                   statusNeedsModifier);
        lastRefusal_ = Refusal{keyCode, modifiers, statusNeedsModifier};
        return statusNeedsModifier;
    }
    const HotKeyGrabber::Registration registration = grabber_.registerHotKey(keyCode, modifiers);
    if (registration.status != HotKeyGrabber::statusOk) {
        qCCritical(hotKeyLog, "Could not register hot key (status %d)", registration.status);
        lastRefusal_ = Refusal{keyCode, modifiers, registration.status};
        return registration.status;
    }
    // The old key goes only now that the new one holds.
    if (hotKeyRef_)
        grabber_.unregisterHotKey(*hotKeyRef_);
    hotKeyRef_ = registration.id;
    registeredCode_ = keyCode;
    registeredModifiers_ = modifiers;
    ++nextRegistrationId_;
    return statusOk;
}

void HotKeyCenter::suspend() {
    grabber_.setMatchingPaused(true);
}

void HotKeyCenter::resume() {
    grabber_.setMatchingPaused(false);
}

bool HotKeyCenter::isSuspended() const {
    return grabber_.isMatchingPaused();
}

std::int32_t HotKeyCenter::statusOf(std::uint32_t keyCode, std::uint32_t modifiers) const {
    if (isRegistered(keyCode, modifiers))
        return statusOk;
    if (lastRefusal_ && lastRefusal_->keyCode == keyCode && lastRefusal_->modifiers == modifiers)
        return lastRefusal_->status;
    return HotKeyGrabber::statusKeyTaken;
}

std::uint32_t HotKeyCenter::eventTime() const {
    return grabber_.eventTime();
}

QString HotKeyCenter::spacedDisplayString(const QString& display) {
    return HotKeyText::spacedDisplayString(display);
}

} // namespace vellaro
