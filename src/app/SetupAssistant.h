#pragma once

#include "overlay/DialGate.h"

namespace vellaro {

// The setup assistant as the shell reaches it; it also holds the dial back
// while it is open before its trigger rehearsal.
class SetupAssistant : public DialGate {
public:
    virtual bool isAvailable() const = 0;
    // restart: begin again on the welcome page.
    virtual void show(bool restart) = 0;
};

} // namespace vellaro
