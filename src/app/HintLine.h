#pragma once

#include <QString>

namespace vellaro {

// The status menu's second line, naming the triggers.
class HintLine {
public:
    // `mouseTriggerButton` already validated (-1...31). When the hot key
    // could not be registered (another program holds it) the line says so
    // instead of advertising a key that does nothing.
    static QString text(int mouseTriggerButton, const QString& hotKeyDisplay, bool hotKeyAvailable);
};

} // namespace vellaro
