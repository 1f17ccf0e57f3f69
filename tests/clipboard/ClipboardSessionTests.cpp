#include "support/XcbTestClient.h"
#include "FakeSecretStore.h"
#include "ProviderFixture.h"

#include "clipboard/ClipboardHistoryView.h"
#include "clipboard/ClipboardHistoryWindowController.h"
#include "clipboard/ClipboardProvider.h"
#include "clipboard/ClipboardStore.h"
#include "platform/apps/RunningAppsWindowFocus.h"
#include "platform/apps/X11RunningApps.h"
#include "platform/clipboard/X11Pasteboard.h"
#include "platform/crypto/Aead.h"
#include "platform/input/XTestKeySender.h"
#include "platform/secrets/FileSecretStore.h"
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
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <X11/keysym.h>
#include <gtest/gtest.h>

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

    Session(std::unique_ptr<SecretStore> secrets, QString folder) : dataFolder(std::move(folder)) {
        // What is on the clipboard at start is read first.
        waitUntil([&] { return pasteboard.content().has_value(); });
        provider = std::make_unique<ClipboardProvider>(
            ClipboardProvider::Services{pasteboard, front, settings, QtScheduler::shared(), keys,
                                        trust, [] {}},
            std::make_unique<ClipboardStore>(dataFolder, std::move(secrets),
                                             root.filePath("key.lock"), QtScheduler::shared()));
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

} // namespace
} // namespace vellaro
