#pragma once

#include <QString>

namespace vellaro {

// Starts the installed copy once this process has gone: a detached shell
// waits up to 10 s for `pid` to end (so the new copy finds the instance
// lock free), then runs `launcher`. Both reach the shell as positional
// parameters, never as script text.
class Relauncher {
public:
    static bool start(const QString& launcher, qint64 pid);
};

} // namespace vellaro
