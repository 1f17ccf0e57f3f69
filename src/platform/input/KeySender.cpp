#include "platform/input/KeySender.h"

#include "platform/input/MacKeyCodes.h"

#include <X11/keysym.h>

namespace vellaro {

bool KeySender::sendPaste() {
    return sendKey(XK_v, MacKeyCodes::xControlMask);
}

} // namespace vellaro
