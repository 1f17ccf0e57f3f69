#include "app/HintLine.h"

#include "app/HotKeyCenter.h"
#include "app/MouseTriggerCenter.h"

namespace vellaro {

QString HintLine::text(int mouseTriggerButton, const QString& hotKeyDisplay, bool hotKeyAvailable) {
    const QString hotKey = HotKeyCenter::spacedDisplayString(hotKeyDisplay);
    QString line = QStringLiteral("Open: ");
    if (hotKeyAvailable) {
        if (mouseTriggerButton >= 2)
            line += MouseTriggerCenter::buttonName(mouseTriggerButton) + QStringLiteral(" or ");
        return line + hotKey;
    }
    if (mouseTriggerButton >= 2)
        line += MouseTriggerCenter::buttonName(mouseTriggerButton) + QStringLiteral(" · ");
    return line + hotKey + QStringLiteral(" is taken by another program");
}

} // namespace vellaro
