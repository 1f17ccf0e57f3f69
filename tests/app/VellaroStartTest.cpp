// How the real program starts and refuses to start under awkward
// surroundings: a silent session bus, no display, a second copy naming the
// display differently. The private session supplies the X server.
#include "support/PrivateXSession.h"
#include "support/WaitUntil.h"

#include <QDBusConnection>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::waitUntil;

class VellaroStart : public ::testing::Test {
protected:
    void TearDown() override {
        if (first_.state() != QProcess::NotRunning) {
            first_.terminate();
            first_.waitForFinished(5000);
        }
    }

    // Starts the program with `changes` made to the environment (an empty
    // value removes the variable); its output collects in `log`.
    static void start(QProcess& process, QByteArray& log,
                      const std::vector<std::pair<QString, QString>>& changes) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("vellaro.app.info=true"));
        for (const auto& [name, value] : changes) {
            if (value.isEmpty())
                env.remove(name);
            else
                env.insert(name, value);
        }
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        QProcess* source = &process;
        QByteArray* sink = &log;
        QObject::connect(source, &QProcess::readyRead,
                         [source, sink] { *sink += source->readAll(); });
        process.start(QStringLiteral(VELLARO_BINARY), {});
        ASSERT_TRUE(process.waitForStarted());
    }

    // Runs a copy that is expected to exit; returns all it printed.
    static QByteArray runToExit(QProcess& process,
                                const std::vector<std::pair<QString, QString>>& changes) {
        QByteArray log;
        start(process, log, changes);
        EXPECT_TRUE(process.waitForFinished(30000));
        return log + process.readAll();
    }

    QProcess first_;
    QByteArray firstLog_;
};

// Qt's own connection would wait far longer than the bound here (for ever on
// some buses); the program asks with a one-second time-out and goes on.
TEST_F(VellaroStart, ASilentSessionBusDoesNotHoldUpTheStart) {
    // Accepts every connection and never says a word.
    QTemporaryDir temp;
    QLocalServer bus;
    ASSERT_TRUE(bus.listen(temp.filePath(QStringLiteral("bus"))));
    std::vector<QLocalSocket*> held;
    QObject::connect(&bus, &QLocalServer::newConnection, [&] {
        while (QLocalSocket* socket = bus.nextPendingConnection())
            held.push_back(socket);
    });

    start(first_, firstLog_,
          {{QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
            QStringLiteral("unix:path=") + bus.fullServerName()}});
    ASSERT_TRUE(waitUntil([&] { return firstLog_.contains("Vellaro ready"); }))
        << firstLog_.constData();
    EXPECT_FALSE(held.empty()); // it did try the bus
}

TEST_F(VellaroStart, WithoutADisplayItSaysSoAndExits) {
    const QString cases[] = {QString(), QStringLiteral(":97")}; // unset, no such server
    for (const QString& display : cases) {
        SCOPED_TRACE(display.toStdString());
        QProcess process;
        const QByteArray log = runToExit(process, {{QStringLiteral("DISPLAY"), display}});
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 1);
        EXPECT_EQ(log, "Vellaro needs an X11 display; DISPLAY is not set or cannot be opened\n");
    }
}

TEST_F(VellaroStart, ASecondCopyNamingTheDisplayDifferentlyIsRefused) {
    const QString display = qEnvironmentVariable("DISPLAY"); // ":N" in the private session
    start(first_, firstLog_, {});
    ASSERT_TRUE(waitUntil([&] { return firstLog_.contains("Vellaro ready"); }, 30000))
        << firstLog_.constData();
    for (const QString& spelling :
         {display + QStringLiteral(".0"), QStringLiteral("unix") + display}) {
        SCOPED_TRACE(spelling.toStdString());
        QProcess second;
        const QByteArray log = runToExit(second, {{QStringLiteral("DISPLAY"), spelling}});
        EXPECT_EQ(second.exitCode(), 1);
        EXPECT_TRUE(log.contains("already running")) << log.constData();
    }
    EXPECT_EQ(first_.state(), QProcess::Running);
}

TEST_F(VellaroStart, AWindowManagerStartedLaterArmsTheMouseTrigger) {
    test::PrivateXSession display;
    ASSERT_TRUE(display.start());
    start(first_, firstLog_, {{QStringLiteral("DISPLAY"), display.display()}});
    ASSERT_TRUE(waitUntil([&] { return firstLog_.contains("Vellaro ready"); }, 30000))
        << firstLog_.constData();
    EXPECT_TRUE(firstLog_.contains("Mouse trigger configured but Accessibility is not granted"))
        << firstLog_.constData();
    EXPECT_FALSE(firstLog_.contains("Mouse trigger armed"));

    ASSERT_TRUE(display.startWindowManager());
    EXPECT_TRUE(
        waitUntil([&] { return firstLog_.contains("Mouse trigger armed for button 2"); }, 30000))
        << firstLog_.constData();
}

// The desktop's notification server, as far as the program uses it.
class NotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList received; // "summary: body"

public Q_SLOTS:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap&, int) {
        received << summary + QStringLiteral(": ") + body;
        return uint(received.size());
    }
};

// openbox holds Alt+Space and the session has no status area: the refusal
// reaches the desktop's notifications, once.
TEST_F(VellaroStart, ARefusedHotKeyWithoutAStatusAreaIsNotifiedOnce) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    NotificationServer server;
    ASSERT_TRUE(bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &server,
                                   QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(bus.registerService(QStringLiteral("org.freedesktop.Notifications")));

    start(first_, firstLog_, {});
    ASSERT_TRUE(waitUntil([&] { return firstLog_.contains("Vellaro ready"); }, 30000))
        << firstLog_.constData();
    ASSERT_TRUE(firstLog_.contains("No status area")) << firstLog_.constData();
    ASSERT_TRUE(waitUntil([&] { return !server.received.isEmpty(); }));
    EXPECT_EQ(server.received,
              QStringList{"Vellaro: Open: Middle Click · ⌥ Space is taken by another program"});
    bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    bus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
}

} // namespace
} // namespace vellaro

#include "VellaroStartTest.moc"
