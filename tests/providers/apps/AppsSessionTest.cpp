#include "providers/apps/AppsProvider.h"

#include "FakeAppServices.h"
#include "platform/apps/AppCatalog.h"
#include "platform/apps/ProcessAppLauncher.h"
#include "platform/apps/X11RunningApps.h"
#include "platform/windows/X11Atoms.h"
#include "platform/windows/X11WindowReader.h"
#include "support/WaitUntil.h"
#include "support/WriteTextFile.h"
#include "support/XcbAtom.h"
#include "support/XcbTestClient.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace vellaro {
namespace {

// Counts launches and starts the programs for real.
class CountingLauncher final : public AppLauncher {
public:
    bool launch(const DesktopEntry& entry, QString* error) override {
        ++launches;
        return real.launch(entry, error);
    }
    ProcessAppLauncher real;
    int launches = 0;
};

// The test's own look at the X server.
class XView {
public:
    XView() : connection_(xcb_connect(nullptr, nullptr)), atoms_(connection_) {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    }
    ~XView() { xcb_disconnect(connection_); }
    X11WindowReader reader() const { return X11WindowReader(connection_, root_, atoms_); }

private:
    xcb_connection_t* connection_;
    X11Atoms atoms_;
    std::uint32_t root_ = 0;
};

bool processEnded(std::uint32_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    // A zombie waiting for a parent that does not reap has ended too.
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close > 0 && text.mid(close + 2, 1) == "Z";
}

// Every process of ours whose command line holds `text`.
void killProcessesNaming(const QByteArray& text) {
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool isPid = false;
        const int pid = entry.toInt(&isPid);
        if (!isPid || pid == ::getpid())
            continue;
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(text))
            ::kill(pid, SIGKILL);
    }
}

class AppsSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFileInfo::exists(QStringLiteral("/usr/bin/xterm")));
        write("vellaro-fixture-term",
              "Name=Fixture Term\nExec=xterm -T \"Vellaro Fixture Term\"\n");
        write("vellaro-fixture-other",
              "Name=Fixture Other\nExec=xterm -class VellaroOther\nStartupWMClass=VellaroOther\n");
    }

    // A failed step must not leave the launched xterm holding the test's
    // output open.
    void TearDown() override {
        if (launchedPid && !processEnded(launchedPid))
            ::kill(static_cast<pid_t>(launchedPid), SIGKILL);
        // A step that failed before the pid was read still owns an xterm.
        killProcessesNaming(QByteArrayLiteral("Vellaro Fixture Term"));
        if (otherTerm.state() != QProcess::NotRunning) {
            otherTerm.kill();
            otherTerm.waitForFinished(5000);
        }
    }

    void write(const QString& id, const QByteArray& keys) {
        ASSERT_TRUE(test::writeTextFile(data.path() + QStringLiteral("/applications/") + id +
                                            QStringLiteral(".desktop"),
                                        "[Desktop Entry]\nType=Application\n" + keys));
    }

    QTemporaryDir data, folder;
    std::uint32_t launchedPid = 0;
    QProcess otherTerm;
};

TEST_F(AppsSessionTest, LaunchActivateHideAndQuitAPinnedApp) {
    const AppCatalog catalog(AppCatalog::Options{{data.path()}, {}, {}});
    auto identity = std::make_shared<const AppIdentity>(
        catalog.scan(), [catalog](const QString& path) { return catalog.idForPath(path); });
    X11RunningApps running(identity);
    CountingLauncher launcher;
    test::FakeDesktop desktop;
    const QString term = QStringLiteral("vellaro-fixture-term");
    const QString otherId = QStringLiteral("vellaro-fixture-other");

    AppsConfiguration pins;
    pins.pinned.push_back({term, "Fixture Term", catalog.find(term)->path});
    AppsStore(folder.path() + "/apps.json", {}).save(pins);
    AppsProvider provider(
        std::make_unique<AppsStore>(folder.path() + "/apps.json", AppsStore::Defaults()),
        std::make_unique<InstalledAppsIndex>([] { return std::vector<InstalledApp>(); }),
        AppsProvider::Services{catalog, running, launcher, desktop, {}, {}});
    int changes = 0;
    provider.setOnChange([&] { ++changes; });
    ASSERT_FALSE(provider.items().front().showsRunningDot);

    // Choosing the item starts xterm; its window turns the dot on.
    provider.items().front().action();
    EXPECT_EQ(launcher.launches, 1);
    // A loaded machine can take long to start xterm.
    ASSERT_TRUE(test::waitUntil([&] { return running.isRunning(term); }, 30000))
        << "the launched xterm resolves to its entry";
    EXPECT_TRUE(provider.items().front().showsRunningDot);
    EXPECT_EQ(changes, 1);
    const std::uint32_t termWindow = running.windows(term).back();
    const XView x;
    launchedPid = x.reader().ownerProperties({termWindow}).front().pid;
    ASSERT_NE(launchedPid, 0u);

    // Another window takes the focus: an xterm not started by us, known by
    // the entry naming its class.
    otherTerm.start(QStringLiteral("xterm"),
                    {QStringLiteral("-class"), QStringLiteral("VellaroOther")});
    ASSERT_TRUE(test::waitUntil([&] { return running.isRunning(otherId); }))
        << "the other xterm resolves to the entry naming its class";
    QSignalSpy activeChanged(&running, &RunningApps::activeAppChanged);
    ASSERT_TRUE(running.activate(otherId));
    ASSERT_TRUE(test::waitUntil([&] { return running.activeApp() == otherId; }));

    // Choosing the item again only brings xterm forward.
    activeChanged.clear();
    provider.items().front().action();
    ASSERT_TRUE(test::waitUntil([&] { return running.activeApp() == term; }));
    EXPECT_EQ(launcher.launches, 1) << "no second xterm";
    EXPECT_EQ(x.reader().activeWindow(), termWindow);
    ASSERT_EQ(activeChanged.size(), 1) << "the moment without an active window does not count";
    EXPECT_EQ(activeChanged.back().at(0).toString(), otherId);
    EXPECT_EQ(activeChanged.back().at(1).toString(), term);

    // Hide iconifies it.
    const auto runAction = [&](const QString& title) {
        const std::vector<MenuItem> items = provider.items();
        for (const MenuAction& action : items.front().menuActions) {
            if (action.title() == title)
                return action.run(), true;
        }
        return false;
    };
    ASSERT_TRUE(runAction(QStringLiteral("Hide")));
    EXPECT_TRUE(test::waitUntil([&] { return x.reader().wmState(termWindow) == 3; }))
        << "WM_STATE is IconicState";

    // Quit closes it politely; the process ends and the dot goes off.
    ASSERT_TRUE(runAction(QStringLiteral("Quit")));
    ASSERT_TRUE(test::waitUntil([&] { return !running.isRunning(term); }));
    EXPECT_FALSE(provider.items().front().showsRunningDot);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(test::waitUntil([&] { return processEnded(launchedPid); }));
}

// The shared instance starts with a bare resolver and takes the installed
// applications' identities later: windows already known are named again.
TEST_F(AppsSessionTest, ALaterIdentityRenamesKnownWindows) {
    const AppCatalog catalog(AppCatalog::Options{{data.path()}, {}, {}});
    const auto idForPath = [catalog](const QString& path) { return catalog.idForPath(path); };
    X11RunningApps running(
        std::make_shared<const AppIdentity>(std::vector<DesktopEntry>(), idForPath));
    otherTerm.start(QStringLiteral("xterm"),
                    {QStringLiteral("-class"), QStringLiteral("VellaroOther")});
    ASSERT_TRUE(test::waitUntil([&] { return running.isRunning(QStringLiteral("VellaroOther")); }))
        << "named by its class at first";

    QSignalSpy changed(&running, &RunningApps::runningChanged);
    running.setIdentity(std::make_shared<const AppIdentity>(catalog.scan(), idForPath));
    EXPECT_TRUE(running.isRunning(QStringLiteral("vellaro-fixture-other")));
    EXPECT_FALSE(running.isRunning(QStringLiteral("VellaroOther")));
    EXPECT_EQ(changed.size(), 1);
}

// Window managers may leave _NET_ACTIVE_WINDOW naming a window that is not
// (or no longer) a client; once a window with that id is listed, it counts.
TEST_F(AppsSessionTest, AnUnlistedActiveWindowIsNamedOnceListed) {
    test::XcbTestClient client;
    xcb_connection_t* c = client.connection();
    const xcb_window_t window = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, client.root(), 10, 10, 120, 80, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, client.root(),
                        test::internAtom(c, "_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 32, 1, &window);
    client.sync();

    X11RunningApps running(std::make_shared<const AppIdentity>(
        std::vector<DesktopEntry>(), [](const QString&) { return QString(); }));
    const char wmClass[] = "vellaro-unlisted\0VellaroUnlisted";
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                        sizeof wmClass, wmClass);
    xcb_map_window(c, window);
    client.sync();
    EXPECT_TRUE(
        test::waitUntil([&] { return running.isRunning(QStringLiteral("VellaroUnlisted")); }));

    // The window manager is done with the window before the next test begins.
    xcb_destroy_window(c, window);
    client.sync();
    EXPECT_TRUE(
        test::waitUntil([&] { return !running.isRunning(QStringLiteral("VellaroUnlisted")); }));
}

} // namespace
} // namespace vellaro
