#include "FakeSecretStore.h"
#include "GnomeKeyring.h"
#include "ProviderFixture.h"
#include "support/XcbTestClient.h"

#include "clipboard/ClipboardHistoryView.h"
#include "clipboard/ClipboardHistoryWindowController.h"
#include "clipboard/ClipboardProvider.h"
#include "clipboard/ClipboardStore.h"
#include "clipboard/RunningAppsFrontApplication.h"
#include "platform/apps/RunningAppsWindowFocus.h"
#include "platform/apps/X11RunningApps.h"
#include "platform/clipboard/X11Pasteboard.h"
#include "platform/crypto/Aead.h"
#include "platform/input/XTestKeySender.h"
#include "platform/secrets/FileSecretStore.h"
#include "platform/secrets/LibsecretSecretStore.h"
#include "platform/secrets/PinnedSecretStore.h"
#include "platform/session/Defaults.h"
#include "platform/session/FrameAutosave.h"
#include "platform/time/QtScheduler.h"
#include "platform/windows/X11WindowAccessTrust.h"
#include "support/ClipboardOwnerProcess.h"
#include "support/FakeAppearance.h"
#include "support/OneSectionDataSource.h"
#include "support/WaitUntil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <sys/stat.h>

namespace vellaro {
namespace {

using test::ClipboardOwnerProcess;
using test::waitUntil;

// The provider as the program builds it, over the real X clipboard, XTest
// and the window-access check; its store in a temporary folder.
struct Session {
    QTemporaryDir root;
    Notifications notifications;
    SettingsStore settings{root.filePath("settings"), notifications};
    X11Pasteboard pasteboard;
    test::FakeFrontApplication front;
    XTestKeySender keys;
    X11WindowAccessTrust trust{QtScheduler::shared()};
    std::unique_ptr<ClipboardProvider> provider;

    QString dataFolder;

    // `frontApplication`: the fake `front` unless given.
    Session(std::unique_ptr<SecretStore> secrets, QString folder,
            Scheduler& scheduler = QtScheduler::shared(),
            FrontApplication* frontApplication = nullptr)
        : dataFolder(std::move(folder)) {
        // What is on the clipboard at start is read first.
        waitUntil([&] { return pasteboard.content().has_value(); });
        provider = std::make_unique<ClipboardProvider>(
            ClipboardProvider::Services{pasteboard, frontApplication ? *frontApplication : front,
                                        settings, scheduler, keys, trust, [] {}},
            std::make_unique<ClipboardStore>(dataFolder, std::move(secrets),
                                             root.filePath("key.lock"), scheduler));
        waitUntil([&] { return provider->store().waitForWorker(std::chrono::seconds(0)); });
    }

    // Keys in a file, the store in the folder.
    static Session inFolder(const QTemporaryDir& folder) {
        return Session(std::make_unique<FileSecretStore>(folder.filePath("keys"), "key"),
                       folder.filePath("data"));
    }

    // Copies `text` with xclip and waits until the history has it.
    std::unique_ptr<ClipboardOwnerProcess> copyWithXclip(const QString& text) {
        auto owner = ClipboardOwnerProcess::xclip(text.toUtf8(), "UTF8_STRING");
        EXPECT_TRUE(waitUntil(
            [&] { return !provider->entries().empty() && provider->entries()[0].title == text; }));
        return owner;
    }
};

// A helper window the paste goes into, active.
bool showActive(QLineEdit& field) {
    field.setGeometry(100, 100, 400, 40);
    field.show();
    field.activateWindow();
    return QTest::qWaitForWindowActive(&field);
}

TEST(ClipboardSession, AChosenEntryIsPastedIntoTheWindowInFront) {
    QTemporaryDir folder;
    Session session = Session::inFolder(folder);
    auto owner = session.copyWithXclip("pasted from the history");
    auto newer = session.copyWithXclip("newer copy");

    QLineEdit field;
    ASSERT_TRUE(showActive(field));

    // The user still holds Alt from the trigger.
    test::XcbTestClient user;
    user.key(XK_Alt_L, true);
    const auto items = session.provider->items();
    ASSERT_EQ(items[2].label(), "pasted from the history");
    items[2].action();
    EXPECT_TRUE(waitUntil([&] { return field.text() == "pasted from the history"; }))
        << field.text().toStdString();
    user.key(XK_Alt_L, false);
    QStringList titles;
    for (const auto& entry : session.provider->entries())
        titles << entry.title;
    EXPECT_EQ(titles, QStringList({"newer copy", "pasted from the history"}))
        << "the program's own write is not recorded and the entry does not move";
}

TEST(ClipboardSession, ARowOfTheHistoryWindowPastesIntoTheWindowItOpenedOver) {
    QTemporaryDir folder;
    Session session = Session::inFolder(folder);
    auto owner = session.copyWithXclip("from the history window");
    auto newer = session.copyWithXclip("newer copy");
    test::OneSectionDataSource dataSource(SectionKind::clipboard, std::move(session.provider));

    QLineEdit field;
    ASSERT_TRUE(showActive(field));
    RunningAppsWindowFocus focus(X11RunningApps::shared());
    const auto fieldWindow = WindowFocus::WindowId(field.winId());
    ASSERT_TRUE(waitUntil([&] { return focus.activeWindow() == fieldWindow; }));

    Defaults defaults(folder.filePath("defaults.ini"));
    test::FakeAppearance appearance;
    const ClipboardHistoryWindowController::Services services{
        *dataSource, focus, QtScheduler::shared(), {session.settings, appearance, defaults}};
    {
        ClipboardHistoryWindowController controller(services);
        controller.show();
        ConsoleWindowFrame& window = *controller.window();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        EXPECT_EQ(controller.returnTo(), fieldWindow);

        QListView* list = controller.view()->list();
        const QRect row = list->visualRect(list->model()->index(1, 0));
        const QPoint target = list->viewport()->mapToGlobal(row.center());
        test::XcbTestClient user;
        user.movePointer(target.x(), target.y());
        user.sync();
        ASSERT_TRUE(waitUntil([&] { return QCursor::pos() == target; }));
        user.button(1, true);
        user.button(1, false);
        user.sync();

        EXPECT_TRUE(waitUntil([&] { return field.text() == "from the history window"; }))
            << field.text().toStdString();
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(focus.activeWindow(), fieldWindow);
    }

    ClipboardHistoryWindowController again(services);
    // Hiding saved where the window manager had put it.
    const auto saved =
        FrameAutosave(defaults, ClipboardHistoryWindowController::frameName).savedFrame();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->size(), QSize(440, 540));
    again.show();
    EXPECT_EQ(again.window()->geometry(), *saved);
}

TEST(ClipboardSession, ACopyIsSeenFromTheServersEventWithNothingPolling) {
    QTemporaryDir folder;
    test::ManualScheduler scheduler; // never advanced: no timer of the history runs
    Session session(std::make_unique<FileSecretStore>(folder.filePath("keys"), "key"),
                    folder.filePath("data"), scheduler);
    EXPECT_FALSE(session.pasteboard.polls()) << "the session's X server has XFixes";
    EXPECT_EQ(scheduler.pendingCount(), 0u);
    auto owner = session.copyWithXclip("seen without polling");
    auto newer = session.copyWithXclip("and the next one");
    EXPECT_EQ(session.provider->entries().size(), 2u);
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// xterm's keys paste only the primary selection (Shift+Insert); Ctrl+V is
// the terminal's literal-next key and would type a control character.
TEST(ClipboardSession, AnEntryChosenOverAnXtermIsPastedIntoIt) {
    QTemporaryDir folder;
    Session session = Session::inFolder(folder);
    auto owner = session.copyWithXclip("pasted into the terminal");
    auto newer = session.copyWithXclip("newer copy");

    // Every byte the terminal receives lands in the file at once.
    const QString typed = folder.filePath("typed");
    QProcess xterm;
    xterm.start("xterm", {"-geometry", "60x10+40+400", "-e", "sh", "-c",
                          "stty -icanon -echo; exec cat > \"$0\"", typed});
    ASSERT_TRUE(xterm.waitForStarted()) << "xterm is in scripts/bootstrap";
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(typed); }));
    ASSERT_TRUE(waitUntil([&] { return session.keys.focusedWindowClass().contains("XTerm"); }));

    const auto items = session.provider->items();
    ASSERT_EQ(items[2].label(), "pasted into the terminal");
    items[2].action();
    EXPECT_TRUE(waitUntil([&] { return contentsOf(typed) == "pasted into the terminal"; }))
        << contentsOf(typed).toStdString();
    xterm.terminate();
    xterm.waitForFinished();
}

// openbox goes on naming a closed window as the active one.
TEST(ClipboardSession, ACopyAfterTheExcludedTerminalClosedIsKept) {
    QTemporaryDir folder;
    RunningAppsFrontApplication front(X11RunningApps::shared(),
                                      [](const QString&) { return QString(); });
    Session session(std::make_unique<FileSecretStore>(folder.filePath("keys"), "key"),
                    folder.filePath("data"), QtScheduler::shared(), &front);
    QProcess xterm;
    xterm.start("xterm", {"-geometry", "40x5+40+400"});
    ASSERT_TRUE(xterm.waitForStarted()) << "xterm is in scripts/bootstrap";
    ASSERT_TRUE(waitUntil([&] {
        return front.current() && front.current()->bundleID.contains("xterm", Qt::CaseInsensitive);
    }));
    const QString terminal = front.current()->bundleID;
    session.settings.update([&](VellaroSettings& s) { s.clipboardExcluded = {terminal}; });
    xterm.terminate();
    xterm.waitForFinished();
    ASSERT_TRUE(waitUntil([&] { return !X11RunningApps::shared().isRunning(terminal); }));

    auto owner = session.copyWithXclip("with no window in front");
    ASSERT_FALSE(session.provider->entries().empty());
    EXPECT_FALSE(session.provider->entries()[0].sourceApp);
}

QByteArray secretTool(const QStringList& arguments, int* exitCode = nullptr) {
    QProcess tool;
    tool.start("secret-tool", arguments);
    EXPECT_TRUE(tool.waitForFinished(15000));
    if (exitCode)
        *exitCode = tool.exitCode();
    return tool.readAllStandardOutput();
}

const QStringList keyAttributes{"service", "org.vellaro.Vellaro", "account",
                                "clipboard-history-key"};

mode_t modeOf(const QString& path) {
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 0777;
}

TEST(ClipboardSession, TheKeyringHoldsTheKeyAndQuittingKeepsTheLastCopy) {
    secretTool(QStringList{"clear"} + keyAttributes);
    QTemporaryDir data;
    const QString file = data.filePath("clipboard.sealed");
    {
        Session session(PinnedSecretStore::clipboardHistoryKey(), data.path());
        auto owner = session.copyWithXclip("kept at quit");
        // Quit well within the second the save waits.
        session.provider->store().flushForQuit();
        ASSERT_TRUE(QFile::exists(file));
        EXPECT_EQ(modeOf(file), 0600u);

        int status = -1;
        const QByteArray key = secretTool(QStringList{"lookup"} + keyAttributes, &status);
        EXPECT_EQ(status, 0) << "the first save created the keyring item";
        EXPECT_EQ(key.size(), Aead::keySize);
        QFile sealed(file);
        ASSERT_TRUE(sealed.open(QIODevice::ReadOnly));
        const auto json = Aead::open(key, sealed.readAll());
        ASSERT_TRUE(json) << "the file opens with the stored key";
        EXPECT_TRUE(json->contains("kept at quit"));
    }

    // The key is gone: the file can never open again and is moved aside, not overwritten.
    secretTool(QStringList{"clear"} + keyAttributes);
    QTemporaryDir unused;
    auto store = std::make_unique<ClipboardStore>(
        QFileInfo(file).absolutePath(), PinnedSecretStore::clipboardHistoryKey(),
        unused.filePath("key.lock"), QtScheduler::shared());
    bool loaded = false;
    store->load([&](std::vector<StoredEntry> records, bool) {
        loaded = true;
        EXPECT_TRUE(records.empty());
    });
    ASSERT_TRUE(waitUntil([&] { return loaded; }));
    store->save({test::textRecord("after the key was lost")});
    store->flushForQuit();
    const QStringList aside =
        QFileInfo(file).absoluteDir().entryList({"clipboard.sealed.rejected-*"}, QDir::Files);
    EXPECT_EQ(aside.size(), 1);
    const QByteArray newKey = secretTool(QStringList{"lookup"} + keyAttributes);
    QFile sealed(file);
    ASSERT_TRUE(sealed.open(QIODevice::ReadOnly));
    const auto json = Aead::open(newKey, sealed.readAll());
    ASSERT_TRUE(json);
    EXPECT_TRUE(json->contains("after the key was lost"));
}

// Tells what the key's store answered, as the history's worker asked it.
class WatchedSecretStore final : public SecretStore {
public:
    explicit WatchedSecretStore(std::unique_ptr<SecretStore> store) : store_(std::move(store)) {}
    Result lookup() override { return watch(store_->lookup()); }
    Result add(const QByteArray& secret) override { return watch(store_->add(secret)); }
    QString backendName() const override { return store_->backendName(); }
    std::atomic<int> lockedAnswers{0};

private:
    Result watch(Result result) {
        if (result.status == Status::locked)
            ++lockedAnswers;
        return result;
    }
    std::unique_ptr<SecretStore> store_;
};

TEST(ClipboardSession, ALockedKeyringHoldsTheSavesUntilItIsUnlockedAndQuitDoesNotWait) {
    secretTool(QStringList{"clear"} + keyAttributes);
    QTemporaryDir keys;
    QTemporaryDir data;
    auto watched = std::make_unique<WatchedSecretStore>(std::make_unique<PinnedSecretStore>(
        std::make_unique<LibsecretSecretStore>("org.vellaro.Vellaro", "clipboard-history-key",
                                               "Vellaro clipboard history key"),
        std::make_unique<FileSecretStore>(keys.filePath("keys"), "clipboard-history-key"),
        keys.filePath("keys/backend"), &LibsecretSecretStore::serviceOnBus));
    WatchedSecretStore* secrets = watched.get();
    ASSERT_TRUE(test::GnomeKeyring::lock());
    struct Unlock {
        ~Unlock() { test::GnomeKeyring::unlock("vellaro-test"); }
    } unlockAtTheEnd;

    Session session(std::move(watched), data.path());
    auto first = session.copyWithXclip("copied while locked");
    // Its save, a second later, finds the keyring locked and is held.
    ASSERT_TRUE(waitUntil([&] { return secrets->lockedAnswers > 0; }, 20000));
    EXPECT_FALSE(QFile::exists(data.filePath("clipboard.sealed")));

    ASSERT_TRUE(test::GnomeKeyring::unlock("vellaro-test"));
    auto second = session.copyWithXclip("copied after unlocking");
    QElapsedTimer quitting;
    quitting.start();
    session.provider->store().flushForQuit();
    std::printf("quit with a held save: %lld ms\n", static_cast<long long>(quitting.elapsed()));

    const QByteArray key = secretTool(QStringList{"lookup"} + keyAttributes);
    ASSERT_EQ(key.size(), Aead::keySize) << "the key went to the keyring once it was unlocked";
    QFile sealed(data.filePath("clipboard.sealed"));
    ASSERT_TRUE(sealed.open(QIODevice::ReadOnly));
    const auto json = Aead::open(key, sealed.readAll());
    ASSERT_TRUE(json);
    EXPECT_TRUE(json->contains("copied while locked"));
    EXPECT_TRUE(json->contains("copied after unlocking"));
}

} // namespace
} // namespace vellaro
