#include "app/HintLine.h"

#include "app/HotKeyCenter.h"
#include "app/MouseTriggerCenter.h"
#include "model/HotKeyText.h"
#include "platform/input/HotKeyGrabber.h"

namespace vellaro {

namespace {

QString refusal(std::int32_t status) {
    switch (status) {
    case HotKeyGrabber::statusInvalidKey:
        return QStringLiteral(" does not exist on this keyboard");
    case HotKeyCenter::statusNeedsModifier:
        return QStringLiteral(" is not usable: a hot key needs Ctrl, Alt or Super");
    default:
        return QStringLiteral(" is taken by another program");
    }
}

} // namespace

QString HintLine::text(int mouseTriggerButton, std::uint32_t hotKeyCode,
                       std::uint32_t hotKeyModifiers, std::int32_t hotKeyStatus) {
    const QString hotKey = HotKeyText::shortcutText(hotKeyCode, hotKeyModifiers);
    QString line = QStringLiteral("Open: ");
    if (hotKeyStatus == HotKeyCenter::statusOk) {
        if (mouseTriggerButton >= 2)
            line += MouseTriggerCenter::buttonName(mouseTriggerButton) + QStringLiteral(" or ");
        return line + hotKey;
    }
    if (mouseTriggerButton >= 2)
        line += MouseTriggerCenter::buttonName(mouseTriggerButton) + QStringLiteral(" · ");
    return line + hotKey + refusal(hotKeyStatus);
}

} // namespace vellaro
