#pragma once

#include <memory>

namespace vellaro {

// Keeps the X server's screen saver (and display power saving) from starting,
// through MIT-SCREEN-SAVER Suspend on a connection of our own: the server
// ends the suspension when that connection closes, at the latest with the
// process.
class XScreenSaverSuspend {
public:
    XScreenSaverSuspend();
    ~XScreenSaverSuspend();

    // False when there is no display or it lacks the extension.
    bool suspend();
    void resume();
    bool isSuspended() const { return connection_ != nullptr; }

private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};

} // namespace vellaro
