#include "support/PrivatePulseAudio.h"

#include "support/WaitUntil.h"

#include <QDir>
#include <QFile>

namespace vellaro::test {

PrivatePulseAudio::PrivatePulseAudio() {
    QDir(folder_.path()).mkpath("runtime");
    QDir(folder_.path()).mkpath("state");
    QFile::setPermissions(folder_.filePath("runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile script(folder_.filePath("default.pa"));
    if (script.open(QIODevice::WriteOnly))
        script.write("load-module module-native-protocol-unix auth-anonymous=1 socket=" +
                     QFile::encodeName(socket()) +
                     "\nload-module module-null-sink sink_name=only "
                     "sink_properties=device.description=Only\n");
}

PrivatePulseAudio::~PrivatePulseAudio() {
    stop();
}

QString PrivatePulseAudio::socket() const {
    return folder_.filePath("native");
}

QByteArray PrivatePulseAudio::address() const {
    return "unix:" + QFile::encodeName(socket());
}

bool PrivatePulseAudio::start() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PULSE_RUNTIME_PATH", folder_.filePath("runtime"));
    environment.insert("PULSE_STATE_PATH", folder_.filePath("state"));
    // Its own server: it must not take the session's D-Bus name, nor find a
    // bus through the X display (D-Bus's autolaunch).
    environment.remove("DBUS_SESSION_BUS_ADDRESS");
    environment.remove("DISPLAY");
    process_.setProcessEnvironment(environment);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start("pulseaudio", {"--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                                  "--system=no", "-n", "-F", folder_.filePath("default.pa"),
                                  "--log-target=stderr", "--log-level=error"});
    return process_.waitForStarted() && waitUntil([&] {
               QProcess pactl;
               pactl.start("pactl", {"--server=" + QString::fromUtf8(address()), "info"});
               return pactl.waitForFinished(5000) && pactl.exitCode() == 0;
           });
}

void PrivatePulseAudio::stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    process_.waitForFinished(10000);
    QFile::remove(socket());
}

void PrivatePulseAudio::kill() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.kill();
    process_.waitForFinished(10000);
}

} // namespace vellaro::test
