// How the real program starts under awkward surroundings (a silent session
// bus, no display, later launches naming the display differently) and what
// its command line does. The private session supplies the X server.
#include "support/PrivateXSession.h"
#include "support/RunProgram.h"
#include "support/VellaroHome.h"
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
                      const std::vector<std::pair<QString, QString>>& changes,
                      const QStringList& arguments = {}) {
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
        process.start(QStringLiteral(VELLARO_BINARY), arguments);
        ASSERT_TRUE(process.waitForStarted());
    }

    // Runs a copy that is expected to exit; returns all it printed.
    static QByteArray runToExit(QProcess& process,
                                const std::vector<std::pair<QString, QString>>& changes,
                                const QStringList& arguments = {}) {
        QByteArray log;
        start(process, log, changes, arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        return log + process.readAll();
    }

    void startFirst() {
        test::VellaroHome::markSetupDone();
        start(first_, firstLog_, {});
        ASSERT_TRUE(waitUntil([&] { return firstLog_.contains("Vellaro ready"); }, 30000))
            << firstLog_.constData();
    }

    // Whether a window with this exact title is on screen.
    static bool shown(const QString& title) {
        return !test::runProgram(QStringLiteral("xdotool"),
                                 {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                  QStringLiteral("--name"),
                                  QLatin1Char('^') + title + QLatin1Char('$')})
                    .isEmpty();
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

// One copy per X server whatever DISPLAY says and whatever runtime folder a
// launch sees; a later launch hands its request over and exits 0.
TEST_F(VellaroStart, ALaterLaunchOpensTheConsoleOfTheRunningCopy) {
    const QString display = qEnvironmentVariable("DISPLAY"); // ":N" in the private session
    ASSERT_TRUE(display.startsWith(QLatin1Char(':')));
    startFirst();
    const std::vector<std::pair<QString, QString>> cases[] = {
        {{QStringLiteral("DISPLAY"), display}},
        {{QStringLiteral("DISPLAY"), display + QStringLiteral(".0")}},
        {{QStringLiteral("DISPLAY"), QStringLiteral("unix") + display}},
        {{QStringLiteral("DISPLAY"), QStringLiteral("unix/") + display}},
        {{QStringLiteral("DISPLAY"), QStringLiteral(":0") + display.mid(1)}},
        {{QStringLiteral("XDG_RUNTIME_DIR"), QString()}},
    };
    int asked = 0;
    for (const auto& changes : cases) {
        SCOPED_TRACE((changes[0].first + '=' + changes[0].second).toStdString());
        QProcess second;
        const QByteArray log = runToExit(second, changes);
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0) << log.constData();
        EXPECT_TRUE(waitUntil([&] {
            return firstLog_.count("Asked for the settings console") > asked;
        })) << firstLog_.constData();
        asked = int(firstLog_.count("Asked for the settings console"));
    }
    EXPECT_TRUE(waitUntil([] { return shown(QStringLiteral("Vellaro")); }));
    EXPECT_EQ(first_.state(), QProcess::Running);
    EXPECT_FALSE(firstLog_.contains("Could not register hot key")) << firstLog_.constData();
}

// Both look for the selection at once: the server lets one take it, and the
// other hands its request over.
TEST_F(VellaroStart, TwoCopiesStartedTogetherLeaveOne) {
    test::VellaroHome::markSetupDone();
    QProcess second;
    QByteArray secondLog;
    start(first_, firstLog_, {});
    start(second, secondLog, {});
    ASSERT_TRUE(waitUntil(
        [&] {
            return first_.state() == QProcess::NotRunning || second.state() == QProcess::NotRunning;
        },
        30000));
    QProcess& ended = first_.state() == QProcess::NotRunning ? first_ : second;
    QProcess& running = &ended == &first_ ? second : first_;
    const QByteArray& runningLog = &ended == &first_ ? secondLog : firstLog_;
    EXPECT_EQ(ended.exitCode(), 0);
    EXPECT_TRUE(
        waitUntil([&] { return runningLog.contains("Asked for the settings console"); }, 30000))
        << runningLog.constData();
    EXPECT_EQ(running.state(), QProcess::Running);
    second.terminate();
    second.waitForFinished(5000);
}

TEST_F(VellaroStart, EachOptionReachesTheRunningCopy) {
    startFirst();
    QProcess setup;
    EXPECT_EQ(runToExit(setup, {}, {QStringLiteral("--setup")}), "");
    EXPECT_EQ(setup.exitCode(), 0);
    EXPECT_TRUE(waitUntil([] { return shown(QStringLiteral("Welcome to Vellaro")); }))
        << firstLog_.constData();

    QProcess settings;
    runToExit(settings, {}, {QStringLiteral("--open-settings")});
    EXPECT_EQ(settings.exitCode(), 0);
    EXPECT_TRUE(waitUntil([] { return shown(QStringLiteral("Vellaro")); }))
        << firstLog_.constData();

    QProcess updates;
    runToExit(updates, {}, {QStringLiteral("--check-for-updates")});
    EXPECT_EQ(updates.exitCode(), 0);
    EXPECT_TRUE(waitUntil([&] { return firstLog_.contains("Asked to check for updates"); }))
        << firstLog_.constData();

    QProcess quit;
    runToExit(quit, {}, {QStringLiteral("--quit")});
    EXPECT_EQ(quit.exitCode(), 0);
    ASSERT_TRUE(first_.waitForFinished(2000)) << firstLog_.constData();
    EXPECT_EQ(first_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first_.exitCode(), 0);

    // With nothing running, --quit has nothing to do.
    QProcess again;
    EXPECT_EQ(runToExit(again, {}, {QStringLiteral("--quit")}),
              "vellaro: Vellaro is not running on this display\n");
    EXPECT_EQ(again.exitCode(), 0);
}

TEST_F(VellaroStart, HelpVersionAndUnknownOptions) {
    struct Case {
        QStringList arguments;
        int exitCode;
        QByteArray out, err;
    };
    const Case cases[] = {
        {{"--help"}, 0, "Usage: vellaro [OPTION...]\n", ""},
        {{"--version"}, 0, "Vellaro ", ""},
        {{"--bogus"}, 64, "", "vellaro: unknown option --bogus\nUsage: vellaro [OPTION...]\n"},
        {{"--setup", "now"}, 64, "", "vellaro: unknown option now\nUsage: vellaro [OPTION...]\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        QProcess process;
        process.start(QStringLiteral(VELLARO_BINARY), c.arguments);
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), c.exitCode);
        const QByteArray out = process.readAllStandardOutput();
        const QByteArray err = process.readAllStandardError();
        EXPECT_EQ(out.isEmpty(), c.out.isEmpty());
        EXPECT_TRUE(out.startsWith(c.out)) << out.constData();
        EXPECT_EQ(err.isEmpty(), c.err.isEmpty());
        EXPECT_TRUE(err.startsWith(c.err)) << err.constData();
        if (c.out.startsWith("Usage") || c.err.contains("Usage")) {
            for (const char* option :
                 {"--open-settings", "--setup", "--check-for-updates", "--quit", "--version"})
                EXPECT_TRUE((out + err).contains(option)) << option;
        }
    }
}

TEST_F(VellaroStart, AWindowManagerStartedLaterArmsTheMouseTrigger) {
    test::PrivateXSession display;
    ASSERT_TRUE(display.start());
    start(first_, firstLog_, {{QStringLiteral("DISPLAY"), display.display()}});
    ASSERT_TRUE(waitUntil([&] { return firstLog_.contains("Vellaro ready"); }, 30000))
        << firstLog_.constData();
    EXPECT_TRUE(firstLog_.contains("Mouse trigger configured but Window access is not granted"))
        << firstLog_.constData();
    EXPECT_FALSE(firstLog_.contains("Mouse trigger armed"));

    ASSERT_TRUE(display.startWindowManager());
    EXPECT_TRUE(
        waitUntil([&] { return firstLog_.contains("Mouse trigger armed for button 4"); }, 30000))
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

    // Alt+Space, stored by an older install: openbox holds it.
    ASSERT_TRUE(test::VellaroHome::writeSettings(
        R"({"hotKeyCode": 49, "hotKeyModifiers": 2048, "hotKeyDisplay": "\u2325Space"})"));
    start(first_, firstLog_, {});
    ASSERT_TRUE(waitUntil([&] { return firstLog_.contains("Vellaro ready"); }, 30000))
        << firstLog_.constData();
    ASSERT_TRUE(firstLog_.contains("No status area")) << firstLog_.constData();
    ASSERT_TRUE(waitUntil([&] { return !server.received.isEmpty(); }));
    EXPECT_EQ(server.received,
              QStringList{"Vellaro: Open: MB5 · Forward · Alt+Space is taken by another program"});
    bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    bus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
}

} // namespace
} // namespace vellaro

#include "VellaroStartTest.moc"
