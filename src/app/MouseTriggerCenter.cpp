#include "app/MouseTriggerCenter.h"

#include "app/Logging.h"
#include "model/MouseButtonText.h"
#include "model/SettingsStore.h"
#include "platform/input/ButtonGrabber.h"
#include "platform/input/XcbButtonGrabber.h"
#include "platform/windows/X11WindowAccessTrust.h"

namespace vellaro {

MouseTriggerCenter::MouseTriggerCenter(ButtonGrabber& grabber, WindowAccessTrust& trust,
                                       std::function<int()> configuredButton)
    : grabber_(grabber), trust_(trust), configuredButton_(std::move(configuredButton)) {
    grabber_.setHandlers(
        [this] {
            if (const auto down = onTriggerDown)
                down();
        },
        [this] {
            if (const auto up = onTriggerUp)
                up();
        });
    // A window manager that starts after us grants the access late.
    trustChanged_ = QObject::connect(&trust_, &WindowAccessTrust::changed, [this] {
        if (applied_)
            apply();
    });
}

MouseTriggerCenter::~MouseTriggerCenter() {
    QObject::disconnect(trustChanged_);
    grabber_.setHandlers({}, {});
}

MouseTriggerCenter& MouseTriggerCenter::shared() {
    // Never destroyed, like the hot key: the grab ends with the process.
    static auto* instance =
        new MouseTriggerCenter(*new XcbButtonGrabber, X11WindowAccessTrust::shared(), [] {
            return SettingsStore::shared().settings().clampedMouseTriggerButton();
        });
    return *instance;
}

std::uint32_t MouseTriggerCenter::eventTime() const {
    return grabber_.eventTime();
}

void MouseTriggerCenter::apply() {
    applied_ = true;
    const int button = configuredButton_();
    if (button < 2) {
        if (!activeButton_ && !armed_)
            return;
        disarm();
        activeButton_.reset();
        return;
    }
    const bool trusted = trust_.isTrusted();
    if (activeButton_ == button && armed_ == trusted)
        return;
    disarm();
    activeButton_ = button;
    if (!trusted) {
        qCInfo(mouseTriggerLog) << "Mouse trigger configured but Window access is not granted";
        return;
    }
    // While suspended the grabber only records the button and takes it on
    // resume, so a save during recording does not re-arm the trigger.
    switch (grabber_.grab(button)) {
    case ButtonGrabber::GrabResult::grabbed:
        armed_ = true;
        qCInfo(mouseTriggerLog, "Mouse trigger armed for button %d", button);
        return;
    case ButtonGrabber::GrabResult::pending:
        armed_ = true;
        qCInfo(mouseTriggerLog, "Mouse trigger for button %d waits for the recorder", button);
        return;
    case ButtonGrabber::GrabResult::buttonTaken:
        qCCritical(mouseTriggerLog, "Could not grab mouse button %d: another program holds it",
                   button);
        return;
    case ButtonGrabber::GrabResult::invalidButton:
    case ButtonGrabber::GrabResult::unavailable:
        qCCritical(mouseTriggerLog, "Could not grab mouse button %d", button);
        return;
    }
}

void MouseTriggerCenter::disarm() {
    if (armed_)
        grabber_.ungrab();
    armed_ = false;
}

void MouseTriggerCenter::suspend() {
    suspended_ = true;
    grabber_.suspend();
}

ButtonGrabber::GrabResult MouseTriggerCenter::resume() {
    suspended_ = false;
    const ButtonGrabber::GrabResult result = grabber_.resume();
    if (!armed_)
        return result;
    if (result == ButtonGrabber::GrabResult::buttonTaken)
        qCCritical(mouseTriggerLog, "Could not grab mouse button %d: another program holds it",
                   activeButton_.value_or(-1));
    // A refused button is not held: a later apply() tries again.
    armed_ = result == ButtonGrabber::GrabResult::grabbed;
    return result;
}

QString MouseTriggerCenter::buttonName(long long button) {
    return MouseButtonText::buttonName(button);
}

} // namespace vellaro
