#include "settings/topbar/HotKeyCapture.h"

#include "model/HotKeyText.h"
#include "platform/input/HotKeyGrabber.h"

namespace vellaro {

HotKeyCapture::Outcome HotKeyCapture::decide(std::optional<std::uint32_t> keyCode,
                                             std::uint32_t modifiers,
                                             const Register& registerHotKey) {
    if (!HotKeyText::hasRequiredModifier(modifiers))
        return {false, QStringLiteral("Include Ctrl, Alt or Super so normal typing keeps working")};
    if (!keyCode)
        return {false, refusal(HotKeyGrabber::statusInvalidKey)};
    const std::int32_t status = registerHotKey(*keyCode, modifiers);
    if (status == HotKeyGrabber::statusOk)
        return {true, QString()};
    return {false, refusal(status)};
}

QString HotKeyCapture::refusal(std::int32_t status) {
    if (status == HotKeyGrabber::statusKeyTaken)
        return QStringLiteral("That shortcut is already used by another app");
    return QStringLiteral("Your desktop could not register that shortcut (%1)").arg(status);
}

} // namespace vellaro
