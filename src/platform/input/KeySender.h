#pragma once

#include "platform/input/PasteKeystroke.h"

#include <QStringList>
#include <cstdint>

namespace vellaro {

// Synthetic key strokes into the focused window. Main thread only.
class KeySender {
public:
    virtual ~KeySender() = default;

    // Types one key (its keysym as on the key's first level) with the given X modifier mask (Shift
    // 0x01, Control 0x04, Mod1 0x08, Mod4 0x40) held. Modifiers the user still holds are let go
    // first so they do not change the shortcut. False when the key cannot be
    // typed on this keyboard or no X display is there.
    virtual bool sendKey(std::uint32_t keysym, std::uint16_t xModifiers) = 0;

    // The WM_CLASS (instance, class) of the window with the keyboard focus,
    // or of its nearest ancestor that has one; empty when none is known.
    virtual QStringList focusedWindowClass() = 0;

    // The paste keystroke the focused window understands.
    PasteKeystroke pasteKeystroke() { return pasteKeystrokeFor(focusedWindowClass()); }
    bool sendPaste(PasteKeystroke keystroke);
    // The paste keystroke of the focused window.
    bool sendPaste() { return sendPaste(pasteKeystroke()); }
};

} // namespace vellaro
