#include "FakeSessionServices.h"
#include "model/LogCapture.h"
#include "platform/session/GSettings.h"
#include "platform/session/SystemActions/DarkModeToggle.h"
#include "platform/session/SystemActions/DoNotDisturbRunner.h"
#include "platform/session/SystemActions/ScreenLocker.h"
#include "platform/session/SystemActions/SessionKeepAwake.h"
#include "platform/session/SystemActions/ToolLauncher.h"
#include "support/FakeTools.h"
#include "support/ManualScheduler.h"
#include "support/ToolOutput.h"
#include "support/WaitUntil.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

namespace vellaro {
namespace {

using test::waitUntil;

QString gsettings(const QStringList& arguments) {
    return test::toolOutput(QStringLiteral("gsettings"), arguments);
}

// Sets a key the way another program would, and waits until this process sees it.
void setFromOutside(const QString& schema, const QString& key, const QString& value) {
    gsettings({QStringLiteral("set"), schema, key, value});
    ASSERT_TRUE(waitUntil([&] { return GSettings::string(schema, key) == value; }));
}

const QString interfaceSchema = QStringLiteral("org.gnome.desktop.interface");

TEST(DarkModeTest, SwitchesTheSchemeAndOnlyAdwaitasTheme) {
    struct Case {
        const char* scheme;
        const char* theme;
        const char* schemeAfter;
        const char* themeAfter;
    };
    const std::vector<Case> cases{
        {"default", "Adwaita", "'prefer-dark'", "'Adwaita-dark'"},
        {"prefer-dark", "Adwaita-dark", "'default'", "'Adwaita'"},
        {"prefer-light", "Adwaita", "'prefer-dark'", "'Adwaita-dark'"},
        {"default", "Yaru", "'prefer-dark'", "'Yaru'"},
        {"prefer-dark", "Adwaita", "'default'", "'Adwaita'"},
        {"prefer-dark", "HighContrast", "'default'", "'HighContrast'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.scheme) + " " + c.theme);
        setFromOutside(interfaceSchema, "color-scheme", QLatin1String(c.scheme));
        setFromOutside(interfaceSchema, "gtk-theme", QLatin1String(c.theme));
        EXPECT_TRUE(DarkModeToggle::toggle());
        EXPECT_EQ(gsettings({"get", interfaceSchema, "color-scheme"}),
                  QLatin1String(c.schemeAfter));
        EXPECT_EQ(gsettings({"get", interfaceSchema, "gtk-theme"}), QLatin1String(c.themeAfter));
    }
}

class DoNotDisturbTest : public ::testing::Test {
protected:
    DoNotDisturbTest() {
        runner.setOnNeedsSetup([this] { ++setupShown; });
        runner.setOnBackendChanged([this] { ++backendChanges; });
        tools.add(QStringLiteral("dunstctl"));
    }

    void serve(const char* name, const char* vendor) {
        server.name = QLatin1String(name);
        server.vendor = QLatin1String(vendor);
        ASSERT_TRUE(services.serve(QStringLiteral("org.freedesktop.Notifications"),
                                   QStringLiteral("/org/freedesktop/Notifications"), &server));
    }
    bool toggled(int calls) {
        return waitUntil([&] { return tools.calls().size() == calls || setupShown > 0; });
    }

    test::FakeTools tools;
    ToolLauncher launcher{tools.searchPath()};
    DoNotDisturbRunner runner{QDBusConnection::sessionBus(), launcher};
    test::FakeNotificationServer server;
    test::FakeServiceBus services{QStringLiteral("fake-notifications")};
    int setupShown = 0;
    int backendChanges = 0;
};

TEST_F(DoNotDisturbTest, GnomeShellFlipsShowBanners) {
    // GNOME Shell is known by its own name on the bus.
    QObject shell;
    ASSERT_TRUE(services.serve("org.gnome.Shell", "/org/gnome/Shell", &shell));
    serve("gnome-shell", "GNOME");
    const QString schema = QStringLiteral("org.gnome.desktop.notifications");
    gsettings({"set", schema, "show-banners", "true"});
    ASSERT_TRUE(waitUntil([&] { return GSettings::boolean(schema, "show-banners") == true; }));
    runner.toggle();
    ASSERT_TRUE(waitUntil([&] { return gsettings({"get", schema, "show-banners"}) == "false"; }));
    EXPECT_EQ(runner.backendName(), QStringLiteral("GNOME"));
    runner.toggle();
    ASSERT_TRUE(waitUntil([&] { return gsettings({"get", schema, "show-banners"}) == "true"; }));
    EXPECT_EQ(setupShown, 0);
}

TEST_F(DoNotDisturbTest, DunstIsPausedThroughDunstctl) {
    serve("dunst", "knopwob");
    // Asking the name alone names the item, and switches nothing.
    runner.identifyServer();
    ASSERT_TRUE(waitUntil([&] { return runner.backendName() == QStringLiteral("dunst"); }));
    EXPECT_TRUE(tools.calls().isEmpty());
    runner.toggle();
    ASSERT_TRUE(toggled(1));
    EXPECT_EQ(tools.calls(), (QList<QStringList>{{"dunstctl", "set-paused", "toggle"}}));
    EXPECT_EQ(runner.backendName(), QStringLiteral("dunst"));
    EXPECT_EQ(backendChanges, 1);
    EXPECT_EQ(setupShown, 0);
}

TEST_F(DoNotDisturbTest, XfceTogglesItsPropertyAndCreatesItTheFirstTime) {
    serve("Xfce Notify Daemon", "Xfce");
    // The property does not exist yet: toggling fails, creating it on works.
    tools.add(QStringLiteral("xfconf-query"), QStringLiteral("case \"$*\" in *-T*) exit 1;; esac"));
    runner.toggle();
    ASSERT_TRUE(toggled(2));
    const QStringList property{"xfconf-query", "-c", "xfce4-notifyd", "-p", "/do-not-disturb"};
    EXPECT_EQ(tools.calls(),
              (QList<QStringList>{property + QStringList{"-T"},
                                  property + QStringList{"-n", "-t", "bool", "-s", "true"}}));
    EXPECT_EQ(runner.backendName(), QStringLiteral("Xfce"));
    EXPECT_EQ(setupShown, 0);
}

TEST_F(DoNotDisturbTest, AnUnknownServerOrNoneAsksForSetup) {
    const QString schema = QStringLiteral("org.gnome.desktop.notifications");
    gsettings({"set", schema, "show-banners", "true"});
    runner.toggle(); // nobody serves notifications
    ASSERT_TRUE(waitUntil([&] { return setupShown == 1; }));
    serve("Notification Daemon", "mate");
    runner.toggle();
    ASSERT_TRUE(waitUntil([&] { return setupShown == 2; }));
    // The stock notification-daemon gives GNOME as its vendor; GNOME Shell
    // does not run, so its setting would switch nothing.
    server.vendor = QStringLiteral("GNOME");
    runner.toggle();
    ASSERT_TRUE(waitUntil([&] { return setupShown == 3; }));
    EXPECT_TRUE(tools.calls().isEmpty());
    EXPECT_FALSE(runner.backendName());
    EXPECT_EQ(gsettings({"get", schema, "show-banners"}), "true");
}

// Runs a lock's checks, stepping time on by each check's interval (after
// `betweenChecks`), until the log says it locked or a failure came; whether
// it locked.
bool confirmedLock(test::ManualScheduler& time, const test::LogCapture& log,
                   const QStringList& failures, const std::function<void()>& betweenChecks = {}) {
    const int checks = int(ScreenLocker::confirmWindow / ScreenLocker::confirmInterval) + 2;
    for (int i = 0; i < checks; ++i) {
        // A round of checks ends in a success, a failure or the next round scheduled.
        waitUntil([&] {
            return log.count("Screen locked") > 0 || !failures.isEmpty() || time.pendingCount() > 0;
        });
        if (log.count("Screen locked") > 0 || !failures.isEmpty())
            break;
        if (betweenChecks)
            betweenChecks();
        time.advance(ScreenLocker::confirmInterval);
    }
    return log.count("Screen locked") == 1 && failures.isEmpty();
}

class LockTest : public ::testing::Test {
protected:
    LockTest() {
        locker.setOnFailure([this](const QString& message) { failures << message; });
    }

    test::FakeTools tools;
    ToolLauncher launcher{tools.searchPath()};
    test::ManualScheduler clock;
    // logind on the session bus: the fakes serve it there.
    ScreenLocker locker{QDBusConnection::sessionBus(), QDBusConnection::sessionBus(), launcher,
                        clock};
    QStringList failures;
};

TEST_F(LockTest, TheFirstLockerThatAnswersLocks) {
    test::FakeServiceBus services(QStringLiteral("fake-lockers"));
    test::FakeFreedesktopScreenSaver freedesktop(services.bus());
    test::FakeGnomeScreenSaver gnome;
    ASSERT_TRUE(services.serve("org.gnome.ScreenSaver", "/org/gnome/ScreenSaver", &gnome));
    ASSERT_TRUE(services.serve("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                               &freedesktop));
    tools.add(QStringLiteral("loginctl"));
    {
        test::LogCapture log("vellaro.actions");
        locker.lock();
        EXPECT_TRUE(confirmedLock(clock, log, failures));
        EXPECT_EQ(freedesktop.calls, QStringList{"Lock"});
    }
    services.bus().unregisterService(QStringLiteral("org.freedesktop.ScreenSaver"));
    test::LogCapture log("vellaro.actions");
    locker.lock();
    EXPECT_TRUE(confirmedLock(clock, log, failures));
    EXPECT_EQ(gnome.calls, QStringList{"Lock"});
    EXPECT_EQ(freedesktop.calls, QStringList{"Lock"});
    EXPECT_TRUE(tools.calls().isEmpty());
}

// A locker that accepts is believed only once the screen shows locked:
// logind's LockedHint for our session, or a screen saver that is active.
TEST_F(LockTest, TheLockCountsOnlyOnceItShows) {
    struct Case {
        const char* name;
        bool saverLocks;      // the freedesktop screen saver serves and locks on Lock
        bool saverPretends;   // it serves, answers Lock, and stays off
        const char* loginctl; // script; null: not installed
        bool hintAfterCheck;  // logind's LockedHint turns on after the first check
        bool locks;
    };
    const std::vector<Case> cases{
        {"the screen saver locks", true, false, nullptr, false, true},
        {"the screen saver only says it locks", false, true, "exit 0", false, false},
        {"loginctl asks and a locker locks a moment later", false, false, "exit 0", true, true},
        {"loginctl asks and nobody locks", false, false, "exit 0", false, false},
        {"loginctl fails", false, false, "exit 1", false, false},
        {"no loginctl", false, false, nullptr, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        failures.clear();
        test::FakeTools only;
        if (c.loginctl)
            only.add(QStringLiteral("loginctl"), QLatin1String(c.loginctl));
        ToolLauncher onlyLauncher(only.searchPath());
        test::ManualScheduler time;
        ScreenLocker lonely(QDBusConnection::sessionBus(), QDBusConnection::sessionBus(),
                            onlyLauncher, time);
        lonely.setOnFailure([&](const QString& message) { failures << message; });

        test::FakeServiceBus services(QStringLiteral("fake-lockers"));
        test::FakeFreedesktopScreenSaver saver(services.bus());
        saver.locks = c.saverLocks;
        if (c.saverLocks || c.saverPretends) {
            ASSERT_TRUE(services.serve("org.freedesktop.ScreenSaver",
                                       "/org/freedesktop/ScreenSaver", &saver));
        }
        test::FakeLogindSession session;
        ASSERT_TRUE(services.serveObject("/org/freedesktop/login1/session/auto", &session));
        ASSERT_TRUE(services.serveName("org.freedesktop.login1"));

        test::LogCapture log("vellaro.actions");
        lonely.lock();
        const bool didLock = confirmedLock(time, log, failures, [&] {
            if (c.hintAfterCheck)
                session.locked = true;
        });
        EXPECT_EQ(didLock, c.locks);
        if (c.locks)
            continue;
        EXPECT_EQ(failures,
                  QStringList{"Vellaro could not lock the screen: no screen locker is running."});
        EXPECT_EQ(log.count("it is not locked"), 1);
    }
}

TEST(KeepAwakeTest, InhibitsThroughTheScreenSaverAndGivesItBack) {
    test::FakeServiceBus services(QStringLiteral("fake-screensaver"));
    test::FakeFreedesktopScreenSaver saver(services.bus());
    ASSERT_TRUE(
        services.serve("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", &saver));
    SessionKeepAwake keepAwake(QDBusConnection::sessionBus(), QDBusConnection::sessionBus());
    int ended = 0;
    keepAwake.setOnEnded([&] { ++ended; });
    std::optional<bool> held;
    keepAwake.hold([&](bool result) { held = result; });
    ASSERT_TRUE(waitUntil([&] { return held.has_value(); }));
    EXPECT_TRUE(*held);
    EXPECT_TRUE(keepAwake.isHeld());
    EXPECT_EQ(keepAwake.holder(), QStringLiteral("org.freedesktop.ScreenSaver"));
    ASSERT_EQ(saver.calls, QStringList{"Inhibit Vellaro Keep Awake 41"});

    keepAwake.release();
    EXPECT_FALSE(keepAwake.isHeld());
    ASSERT_TRUE(waitUntil([&] { return saver.calls.size() == 2; }));
    EXPECT_EQ(saver.calls.back(), QStringLiteral("UnInhibit 41"));
    EXPECT_EQ(ended, 0);
}

// logind's own inhibitor (what systemd-inhibit takes) is held beside the
// screen saver's, for idling only, and given back with it: on release, when
// the screen saver goes away, and when the process ends.
class LogindKeepAwakeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(logind.serve("org.freedesktop.login1", "/org/freedesktop/login1", &manager));
        ASSERT_TRUE(
            saverBus->serve("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", &saver));
    }

    const QStringList idle{"Inhibit idle Vellaro Keep Awake block"};
    test::FakeServiceBus logind{QStringLiteral("fake-logind")};
    test::FakeLogindManager manager;
    std::unique_ptr<test::FakeServiceBus> saverBus =
        std::make_unique<test::FakeServiceBus>(QStringLiteral("fake-screensaver"));
    test::FakeFreedesktopScreenSaver saver{saverBus->bus()};
};

TEST_F(LogindKeepAwakeTest, HeldAndGivenBackWithTheHold) {
    SessionKeepAwake keepAwake(QDBusConnection::sessionBus(), QDBusConnection::sessionBus());
    keepAwake.hold({});
    ASSERT_TRUE(waitUntil([&] { return keepAwake.isHeld() && manager.held() == idle; }));
    EXPECT_EQ(manager.calls, idle);
    keepAwake.release();
    EXPECT_TRUE(waitUntil([&] { return manager.held().isEmpty(); }));

    // Held again, then the screen saver quits: the hold ends, logind's too.
    keepAwake.hold({});
    ASSERT_TRUE(waitUntil([&] { return keepAwake.isHeld() && manager.held() == idle; }));
    saverBus.reset();
    EXPECT_TRUE(waitUntil([&] { return !keepAwake.isHeld() && manager.held().isEmpty(); }));
    EXPECT_EQ(manager.calls.size(), 2);
}

TEST_F(LogindKeepAwakeTest, GivenBackWhenTheProcessEnds) {
    QProcess helper;
    helper.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold-keep-awake")});
    ASSERT_TRUE(waitUntil([&] { return helper.readAllStandardOutput().contains("held"); }));
    ASSERT_TRUE(waitUntil([&] { return manager.held() == idle; }));
    helper.kill();
    helper.waitForFinished();
    EXPECT_TRUE(waitUntil([&] { return manager.held().isEmpty(); }));
}

TEST(KeepAwakeTest, TheServiceGoingAwayEndsTheHold) {
    auto services = std::make_unique<test::FakeServiceBus>(QStringLiteral("fake-screensaver"));
    test::FakeFreedesktopScreenSaver saver(services->bus());
    ASSERT_TRUE(
        services->serve("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", &saver));
    SessionKeepAwake keepAwake(QDBusConnection::sessionBus(), QDBusConnection::sessionBus());
    int ended = 0;
    keepAwake.setOnEnded([&] { ++ended; });
    keepAwake.hold({});
    ASSERT_TRUE(waitUntil([&] { return keepAwake.isHeld(); }));
    services.reset(); // the screen saver quits
    ASSERT_TRUE(waitUntil([&] { return ended == 1; }));
    EXPECT_FALSE(keepAwake.isHeld());
}

// Another process takes the hold and is killed: the inhibition dies with it.
TEST(KeepAwakeTest, TheHoldEndsWithTheProcess) {
    test::FakeServiceBus services(QStringLiteral("fake-screensaver"));
    test::FakeFreedesktopScreenSaver saver(services.bus());
    ASSERT_TRUE(
        services.serve("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", &saver));
    QProcess helper;
    helper.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold-keep-awake")});
    ASSERT_TRUE(waitUntil([&] { return helper.readAllStandardOutput().contains("held"); }));
    ASSERT_EQ(saver.calls.size(), 1);
    helper.kill(); // SIGKILL: no chance to give anything back
    helper.waitForFinished();
    ASSERT_TRUE(waitUntil([&] { return saver.vanished.size() == 1; }));
    EXPECT_EQ(saver.calls.size(), 1); // nothing was released: the bus saw it leave
}

// The X server's screen saver state, through MIT-SCREEN-SAVER.
class XScreenSaver {
public:
    XScreenSaver() : connection_(xcb_connect(nullptr, nullptr)) {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    }
    ~XScreenSaver() {
        // Back to the server's defaults, and awake.
        xcb_set_screen_saver(connection_, -1, -1, XCB_BLANKING_DEFAULT, XCB_EXPOSURES_DEFAULT);
        xcb_force_screen_saver(connection_, XCB_SCREEN_SAVER_RESET);
        xcb_aux_sync();
        // An active saver refuses the next tests' grabs and hides their windows.
        waitUntil([this] { return !isOn(); });
        xcb_disconnect(connection_);
    }
    void setTimeout(int seconds) {
        xcb_set_screen_saver(connection_, std::int16_t(seconds), 0, XCB_BLANKING_PREFERRED,
                             XCB_EXPOSURES_ALLOWED);
        xcb_force_screen_saver(connection_, XCB_SCREEN_SAVER_RESET);
        xcb_aux_sync();
    }
    bool isOn() {
        auto* info = xcb_screensaver_query_info_reply(
            connection_, xcb_screensaver_query_info(connection_, root_), nullptr);
        const bool on = info && info->state == XCB_SCREENSAVER_STATE_ON;
        std::free(info);
        return on;
    }

private:
    void xcb_aux_sync() {
        std::free(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    }
    xcb_connection_t* connection_;
    xcb_window_t root_;
};

TEST(KeepAwakeTest, WithoutAnyServiceTheXScreenSaverStaysOff) {
    XScreenSaver screen;
    SessionKeepAwake keepAwake(QDBusConnection::sessionBus(), QDBusConnection::sessionBus());
    std::optional<bool> held;
    keepAwake.hold([&](bool result) { held = result; });
    ASSERT_TRUE(waitUntil([&] { return held.has_value(); }));
    ASSERT_TRUE(*held);
    EXPECT_EQ(keepAwake.holder(), QStringLiteral("X screen saver"));
    screen.setTimeout(1);
    // Three times the time-out pass without the saver starting.
    waitUntil([] { return false; }, 3000);
    EXPECT_FALSE(screen.isOn());
    keepAwake.release();
    EXPECT_TRUE(waitUntil([&] { return screen.isOn(); }));
}

} // namespace
} // namespace vellaro

// A helper mode: hold Keep Awake, say so, and wait to be killed.
int main(int argc, char** argv) {
    if (argc > 1 && qstrcmp(argv[1], "--hold-keep-awake") == 0) {
        QCoreApplication app(argc, argv);
        vellaro::SessionKeepAwake keepAwake(QDBusConnection::sessionBus(),
                                            QDBusConnection::sessionBus());
        keepAwake.hold([](bool held) {
            std::printf("%s\n", held ? "held" : "failed");
            std::fflush(stdout);
        });
        return app.exec();
    }
    // Dark Mode and Do Not Disturb write GNOME's settings to a key file of
    // the test's own; GIO reads this once, before its first use.
    qputenv("GSETTINGS_BACKEND", "keyfile");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
