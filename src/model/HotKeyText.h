#pragma once

#include "model/KeyStroke.h"

#include <QString>
#include <QStringList>
#include <Qt>
#include <cstdint>

namespace vellaro {

// The text forms of a shortcut, shared by the settings store, the status menu,
// the console and the setup assistant.
class HotKeyText {
public:
    // "Return", "Tab", "Space", "Esc", arrows as glyphs; else the characters
    // upper-cased; with none, "Key " and the key code.
    static QString keyName(const KeyStroke& stroke);
    // Modifier glyphs in the order control, option, shift, command, then the
    // key name: option-space reads "⌥Space".
    static QString displayString(const KeyStroke& stroke);
    // The shortcut as Linux desktops show it, made from the stored key code
    // and mask: "Ctrl+Alt+Space", "Super+K", "Shift+Ctrl+1".
    static QString shortcutText(std::uint32_t keyCode, std::uint32_t carbonModifiers);
    // Its parts: Shift, Ctrl, Alt and Super as held, then the key's name
    // ("Key " and the code for a code without a key).
    static QStringList shortcutParts(std::uint32_t keyCode, std::uint32_t carbonModifiers);
    // The stored form's spacing, a blank after each leading modifier glyph:
    // "⌥ Space".
    static QString spacedDisplayString(const QString& display);
    // A global hot key needs control, option (Alt) or command (Super): a
    // plain or shifted key would be taken from every program's typing.
    static bool hasRequiredModifier(std::uint32_t carbonModifiers);
    // Qt modifiers to the Carbon mask: Meta (Super) is command, Alt is option.
    static std::uint32_t carbonModifiers(Qt::KeyboardModifiers modifiers);
};

} // namespace vellaro
