#include "app/ConsoleTriggersService.h"

#include "app/HotKeyCenter.h"
#include "app/MouseTriggerCenter.h"
#include "platform/windows/X11WindowAccessTrust.h"

namespace vellaro {

ConsoleTriggersService::ConsoleTriggersService(HotKeyCenter& hotKey, MouseTriggerCenter& mouse,
                                               WindowAccessTrust& trust)
    : hotKey_(hotKey), mouse_(mouse), trust_(trust) {}

ConsoleTriggersService& ConsoleTriggersService::shared() {
    static ConsoleTriggersService instance(HotKeyCenter::shared(), MouseTriggerCenter::shared(),
                                           X11WindowAccessTrust::shared());
    return instance;
}

std::int32_t ConsoleTriggersService::registerHotKey(std::uint32_t keyCode,
                                                    std::uint32_t modifiers) {
    return hotKey_.registerHotKey(keyCode, modifiers);
}

void ConsoleTriggersService::suspendHotKey() {
    hotKey_.suspend();
}

void ConsoleTriggersService::resumeHotKey() {
    hotKey_.resume();
}

void ConsoleTriggersService::suspendMouseTrigger() {
    mouse_.suspend();
}

bool ConsoleTriggersService::resumeMouseTrigger() {
    return mouse_.resume() == ButtonGrabber::GrabResult::buttonTaken;
}

bool ConsoleTriggersService::isWindowAccessTrusted() {
    return trust_.isTrusted();
}

} // namespace vellaro
