// Opening and revealing through the session: the file manager's D-Bus
// service (a fake on its own connection) and xdg-open (a fake on PATH).
#include "platform/session/FreedesktopDesktop.h"
#include "support/WaitUntil.h"

#include <QDBusConnection>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::waitUntil;

const QString fileManagerService = QStringLiteral("org.freedesktop.FileManager1");
const QString fileManagerPath = QStringLiteral("/org/freedesktop/FileManager1");

class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList shown;

public Q_SLOTS:
    void ShowItems(const QStringList& uris, const QString&) { shown << uris; }
};

class DesktopSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        tools = new QTemporaryDir;
        // Qt looks for xdg-open once, at the first open: PATH is set before.
        const QString script = tools->filePath("xdg-open");
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$(dirname \"$0\")/opened.log\"\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(tools->path()) + ":" + qgetenv("PATH"));
    }
    static void TearDownTestSuite() { delete tools; }

    // What xdg-open was given, as local paths.
    static QStringList opened() {
        QFile log(tools->filePath("opened.log"));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        QStringList paths;
        for (const QByteArray& line : log.readAll().split('\n')) {
            if (line.isEmpty())
                continue;
            const QUrl url(QString::fromUtf8(line));
            paths << (url.isLocalFile() ? url.toLocalFile() : QString::fromUtf8(line));
        }
        return paths;
    }
    void TearDown() override { QFile::remove(tools->filePath("opened.log")); }

    static QTemporaryDir* tools;
    QTemporaryDir files;
    FreedesktopDesktop desktop;
};

QTemporaryDir* DesktopSessionTest::tools = nullptr;

TEST_F(DesktopSessionTest, RevealAsksTheFileManagerToShowTheFile) {
    QDBusConnection bus =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, "file-manager");
    FakeFileManager fileManager;
    ASSERT_TRUE(bus.registerObject(fileManagerPath, &fileManager, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(bus.registerService(fileManagerService));

    const QString path = files.filePath("Report 1.pdf");
    desktop.reveal(path);
    ASSERT_TRUE(waitUntil([&] { return !fileManager.shown.isEmpty(); }));
    EXPECT_EQ(fileManager.shown, QStringList({QUrl::fromLocalFile(path).toString()}));

    bus.unregisterService(fileManagerService);
    bus.unregisterObject(fileManagerPath);
    QDBusConnection::disconnectFromBus("file-manager");
    EXPECT_TRUE(opened().isEmpty());
}

TEST_F(DesktopSessionTest, WithoutAFileManagerRevealOpensTheFolder) {
    desktop.reveal(files.filePath("notes.txt"));
    ASSERT_TRUE(waitUntil([&] { return !opened().isEmpty(); }));
    EXPECT_EQ(opened(), QStringList({files.path()}));
}

TEST_F(DesktopSessionTest, OpenHandsTheFileToXdgOpen) {
    const QString path = files.filePath("notes.txt");
    desktop.open(QUrl::fromLocalFile(path));
    ASSERT_TRUE(waitUntil([&] { return !opened().isEmpty(); }));
    EXPECT_EQ(opened(), QStringList({path}));
}

} // namespace
} // namespace vellaro

#include "DesktopSessionTests.moc"
