// The audio system when its server goes away and comes back, against a
// PulseAudio of the test's own on a private socket.
#include "platform/audio/PulseAudioSystem.h"
#include "support/ManualScheduler.h"
#include "support/WaitUntil.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using namespace std::chrono_literals;
using test::waitUntil;

class PrivatePulseAudio {
public:
    PrivatePulseAudio() {
        QDir(folder.path()).mkpath("runtime");
        QDir(folder.path()).mkpath("state");
        QFile::setPermissions(folder.filePath("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile script(folder.filePath("default.pa"));
        script.open(QIODevice::WriteOnly);
        script.write("load-module module-native-protocol-unix auth-anonymous=1 socket=" +
                     QFile::encodeName(socket()) +
                     "\nload-module module-null-sink sink_name=only "
                     "sink_properties=device.description=Only\n");
    }
    ~PrivatePulseAudio() { stop(); }

    QString socket() const { return folder.filePath("native"); }

    bool start() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PULSE_RUNTIME_PATH", folder.filePath("runtime"));
        environment.insert("PULSE_STATE_PATH", folder.filePath("state"));
        // Its own server: it must not take the session's D-Bus name.
        environment.remove("DBUS_SESSION_BUS_ADDRESS");
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start("pulseaudio", {"--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                                     "--system=no", "-n", "-F", folder.filePath("default.pa"),
                                     "--log-target=stderr", "--log-level=error"});
        // Ready once it answers, not when its socket file appears.
        return process.waitForStarted() && waitUntil([&] {
                   QProcess pactl;
                   pactl.start("pactl", {"--server=unix:" + socket(), "info"});
                   return pactl.waitForFinished(5000) && pactl.exitCode() == 0;
               });
    }
    void stop() {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        process.waitForFinished(10000);
        QFile::remove(socket());
    }

private:
    QTemporaryDir folder;
    QProcess process;
};

TEST(PulseAudioReconnectTest, TheMirrorEmptiesWhileTheServerIsGoneAndFillsAgain) {
    PrivatePulseAudio server;
    ASSERT_TRUE(server.start());
    qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(server.socket()));
    test::ManualScheduler scheduler;
    PulseAudioSystem audio(scheduler);
    int resets = 0;
    audio.addObserver(
        [&](const AudioEvent& event) { resets += event.kind == AudioEvent::Kind::reset ? 1 : 0; });
    auto mirrored = [&] { return audio.defaultSinkName() == "only" && audio.sinks().size() == 1; };
    ASSERT_TRUE(waitUntil(mirrored));

    std::optional<int> cut;
    server.stop();
    ASSERT_TRUE(waitUntil([&] { return !audio.isConnected(); }));
    EXPECT_EQ(resets, 1);
    EXPECT_TRUE(audio.sinks().empty());
    EXPECT_TRUE(audio.defaultSinkName().isEmpty());
    // Writes meanwhile fail with the server's error instead of hanging.
    audio.setSinkMute("only", true, [&](int error) { cut = error; });
    scheduler.advance(0ms);
    ASSERT_TRUE(cut);
    EXPECT_NE(*cut, 0);

    // A new connection after a second.
    ASSERT_TRUE(server.start());
    scheduler.advance(999ms);
    EXPECT_FALSE(audio.isConnected());
    scheduler.advance(1ms);
    EXPECT_TRUE(waitUntil(mirrored));
}

TEST(PulseAudioReconnectTest, AServerNotThereYetIsTriedAgainWithGrowingPauses) {
    PrivatePulseAudio server;
    qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(server.socket()));
    test::ManualScheduler scheduler;
    PulseAudioSystem audio(scheduler);
    // One attempt planned, a second later.
    ASSERT_TRUE(waitUntil([&] { return scheduler.pendingCount() == 1; }));
    scheduler.advance(1s);
    ASSERT_TRUE(waitUntil([&] { return scheduler.pendingCount() == 1; }));
    // The next one two seconds after that.
    ASSERT_TRUE(server.start());
    scheduler.advance(1999ms);
    EXPECT_FALSE(audio.isConnected());
    scheduler.advance(1ms);
    EXPECT_TRUE(waitUntil([&] { return audio.sinks().size() == 1; }));
}

} // namespace
} // namespace vellaro
