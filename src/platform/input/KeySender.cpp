#include "platform/input/KeySender.h"

#include "platform/input/MacKeyCodes.h"

#include <X11/keysym.h>

namespace vellaro {

bool KeySender::sendPaste(PasteKeystroke keystroke) {
    switch (keystroke) {
    case PasteKeystroke::controlShiftV:
        return sendKey(XK_v, std::uint16_t(MacKeyCodes::xControlMask | MacKeyCodes::xShiftMask));
    case PasteKeystroke::shiftInsertPrimary:
        return sendKey(XK_Insert, MacKeyCodes::xShiftMask);
    case PasteKeystroke::controlV:
        break;
    }
    return sendKey(XK_v, MacKeyCodes::xControlMask);
}

} // namespace vellaro
