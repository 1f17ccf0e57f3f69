#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <sys/types.h>

namespace vellaro::test {

// An X display of a test's own: Xvfb on a free display number and, when
// asked, openbox on it, so no other test's windows show up there. Both are
// stopped by their process ids, at the latest when this object goes.
class PrivateXSession {
public:
    PrivateXSession() = default;
    PrivateXSession(const PrivateXSession&) = delete;
    PrivateXSession& operator=(const PrivateXSession&) = delete;
    ~PrivateXSession();

    // Starts the X server; true once it accepts clients.
    bool start();
    // Starts openbox; true once it answers as an EWMH window manager.
    bool startWindowManager();
    void stopWindowManager();
    // Ends the window manager without a chance to tidy up (SIGKILL): its
    // properties on the root window stay behind.
    void killWindowManager();
    // Stops the window manager and the X server.
    void stop();

    // ":N"; empty before start().
    QString display() const { return display_; }
    // This process's environment with DISPLAY set to this display.
    QProcessEnvironment environment() const;

private:
    bool windowManagerAnswers() const;

    QString display_;
    pid_t serverPid_ = 0;
    pid_t windowManagerPid_ = 0;
};

} // namespace vellaro::test
