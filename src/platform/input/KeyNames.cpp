#include "platform/input/KeyNames.h"

#include "platform/input/MacKeyCodes.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <array>

namespace vellaro {

namespace {

struct NamedKey {
    std::uint32_t keysym;
    const char* name;
};

constexpr std::array kNamedKeys{
    NamedKey{XK_space, "Space"},
    NamedKey{XK_Return, "Return"},
    NamedKey{XK_Tab, "Tab"},
    NamedKey{XK_BackSpace, "Backspace"},
    NamedKey{XK_Escape, "Esc"},
    NamedKey{XK_Insert, "Insert"},
    NamedKey{XK_Delete, "Delete"},
    NamedKey{XK_Home, "Home"},
    NamedKey{XK_End, "End"},
    NamedKey{XK_Prior, "Page Up"},
    NamedKey{XK_Next, "Page Down"},
    NamedKey{XK_Left, "Left"},
    NamedKey{XK_Right, "Right"},
    NamedKey{XK_Up, "Up"},
    NamedKey{XK_Down, "Down"},
    NamedKey{XK_Clear, "Clear"},
    NamedKey{XK_KP_Decimal, "Keypad ."},
    NamedKey{XK_KP_Multiply, "Keypad *"},
    NamedKey{XK_KP_Add, "Keypad +"},
    NamedKey{XK_KP_Subtract, "Keypad -"},
    NamedKey{XK_KP_Divide, "Keypad /"},
    NamedKey{XK_KP_Equal, "Keypad ="},
    NamedKey{XK_KP_Enter, "Keypad Enter"},
    NamedKey{XF86XK_AudioRaiseVolume, "Volume Up"},
    NamedKey{XF86XK_AudioLowerVolume, "Volume Down"},
    NamedKey{XF86XK_AudioMute, "Mute"},
};

} // namespace

QString KeyNames::forKeyCode(std::uint32_t macKeyCode) {
    const std::optional<std::uint32_t> keysym = MacKeyCodes::keysymForKeyCode(macKeyCode);
    return keysym ? forKeysym(*keysym) : QString();
}

QString KeyNames::forKeysym(std::uint32_t keysym) {
    for (const NamedKey& key : kNamedKeys) {
        if (key.keysym == keysym)
            return QString::fromLatin1(key.name);
    }
    if (keysym >= XK_F1 && keysym <= XK_F35)
        return QStringLiteral("F%1").arg(keysym - XK_F1 + 1);
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return QStringLiteral("Keypad %1").arg(keysym - XK_KP_0);
    // Letters, digits and punctuation are labelled by their character.
    if (keysym > XK_space && keysym <= XK_asciitilde)
        return QString(QChar(char16_t(keysym))).toUpper();
    return QString();
}

} // namespace vellaro
