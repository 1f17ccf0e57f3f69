#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace vellaro::test {

// A PulseAudio server of a test's own on a private socket, with one null
// sink "only" ("Only"), so it can be stopped and started again without
// touching the session's server. Stopped at the latest when this goes.
class PrivatePulseAudio {
public:
    PrivatePulseAudio();
    PrivatePulseAudio(const PrivatePulseAudio&) = delete;
    PrivatePulseAudio& operator=(const PrivatePulseAudio&) = delete;
    ~PrivatePulseAudio();

    QString socket() const;
    // For PULSE_SERVER.
    QByteArray address() const;

    // True once the server answers, not merely when its socket appears.
    bool start();
    // Ends the server as a session's logout would: it removes its socket.
    void stop();
    // Ends it without a chance to tidy up: the socket file stays behind.
    void kill();

private:
    QTemporaryDir folder_;
    QProcess process_;
};

} // namespace vellaro::test
