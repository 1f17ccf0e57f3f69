#include "support/XcbTestClient.h"
#include "FakeSecretStore.h"
#include "ProviderFixture.h"

#include "clipboard/ClipboardProvider.h"
#include "clipboard/ClipboardStore.h"
#include "platform/clipboard/X11Pasteboard.h"
#include "platform/crypto/Aead.h"
#include "platform/input/XTestKeySender.h"
#include "platform/secrets/FileSecretStore.h"
#include "platform/secrets/PinnedSecretStore.h"
#include "platform/time/QtScheduler.h"
#include "platform/windows/X11WindowAccessTrust.h"
#include "support/ClipboardOwnerProcess.h"
#include "support/WaitUntil.h"

#include <QDir>
#include <QLineEdit>
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

    // Copies `text` with xclip and waits until the history has it.
    std::unique_ptr<ClipboardOwnerProcess> copyWithXclip(const QString& text) {
        auto owner = ClipboardOwnerProcess::xclip(text.toUtf8(), "UTF8_STRING");
        EXPECT_TRUE(waitUntil(
            [&] { return !provider->entries().empty() && provider->entries()[0].title == text; }));
        return owner;
    }
};

TEST(ClipboardSession, AChosenEntryIsPastedIntoTheWindowInFront) {
    QTemporaryDir folder;
    Session session(std::make_unique<FileSecretStore>(folder.filePath("keys"), "key"),
                    folder.filePath("data"));
    auto owner = session.copyWithXclip("pasted from the history");
    auto newer = session.copyWithXclip("newer copy");

    QLineEdit field;
    field.setGeometry(100, 100, 400, 40);
    field.show();
    field.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&field));

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
