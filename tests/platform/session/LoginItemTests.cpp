#include "platform/session/LoginItem.h"

#include "support/WaitUntil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellaro;

namespace {

// A user config folder and one system config folder, both temporary.
struct AutostartFolders {
    QTemporaryDir temp;
    LoginItem::Folders folders{temp.filePath(QStringLiteral("home")),
                               {temp.filePath(QStringLiteral("system"))}};

    QString systemEntry() const {
        return folders.configDirs.front() + QStringLiteral("/autostart/") +
               QLatin1String(LoginItem::fileName);
    }
    LoginItem item(const QString& launcher = QStringLiteral("/opt/vellaro/vellaro")) const {
        return LoginItem(launcher, folders);
    }
};

void writeFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray plainEntry = "[Desktop Entry]\nType=Application\nName=Vellaro\nExec=vellaro\n";

// Runs a program to its end; its exit code and everything it printed.
std::pair<int, QString> run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

} // namespace

TEST(LoginItem, StatusFollowsTheWinningEntry) {
    struct Case {
        const char* name;
        QByteArray user;   // empty: no user file
        QByteArray system; // empty: no system file
        LoginItem::Status expected;
    };
    const Case cases[] = {
        {"none", {}, {}, LoginItem::Status::notRegistered},
        {"ours", plainEntry + "X-GNOME-Autostart-enabled=true\n", {}, LoginItem::Status::enabled},
        {"ours hidden", plainEntry + "Hidden=true\n", {}, LoginItem::Status::notRegistered},
        {"system only", {}, plainEntry, LoginItem::Status::enabled},
        {"system under our Hidden", plainEntry + "Hidden=true\n", plainEntry,
         LoginItem::Status::notRegistered},
        {"ours over a hidden system one", plainEntry, plainEntry + "Hidden=true\n",
         LoginItem::Status::enabled},
        {"disabled",
         plainEntry + "X-GNOME-Autostart-enabled=false\n",
         {},
         LoginItem::Status::notRegistered},
        {"Hidden in another group",
         plainEntry + "[Desktop Action x]\nHidden=true\n",
         {},
         LoginItem::Status::enabled},
    };
    for (const Case& c : cases) {
        AutostartFolders folders;
        if (!c.user.isEmpty())
            writeFile(folders.item().entryPath(), c.user);
        if (!c.system.isEmpty())
            writeFile(folders.systemEntry(), c.system);
        EXPECT_EQ(folders.item().status(), c.expected) << c.name;
    }
}

TEST(LoginItem, RoundTripsWriteAndRemoveOurEntry) {
    AutostartFolders folders;
    LoginItem item = folders.item();
    ASSERT_TRUE(item.registerItem());
    EXPECT_EQ(item.status(), LoginItem::Status::enabled);
    const QByteArray text = readFile(item.entryPath());
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n")) << text.constData();
    EXPECT_TRUE(text.contains("\nExec=\"/opt/vellaro/vellaro\"\n")) << text.constData();
    EXPECT_TRUE(text.contains("\nX-GNOME-Autostart-enabled=true\n")) << text.constData();

    ASSERT_TRUE(item.unregisterItem());
    EXPECT_EQ(item.status(), LoginItem::Status::notRegistered);
    EXPECT_FALSE(QFileInfo::exists(item.entryPath()));
    // Turning off what is already off is no failure.
    EXPECT_TRUE(item.unregisterItem());
}

TEST(LoginItem, RoundTripsOverASystemEntryMaskIt) {
    AutostartFolders folders;
    writeFile(folders.systemEntry(), plainEntry);
    LoginItem item = folders.item();
    EXPECT_EQ(item.status(), LoginItem::Status::enabled);

    ASSERT_TRUE(item.unregisterItem());
    EXPECT_EQ(item.status(), LoginItem::Status::notRegistered);
    EXPECT_TRUE(readFile(item.entryPath()).contains("\nHidden=true\n"));
    EXPECT_EQ(readFile(folders.systemEntry()), plainEntry);

    ASSERT_TRUE(item.registerItem());
    EXPECT_EQ(item.status(), LoginItem::Status::enabled);
    EXPECT_FALSE(readFile(item.entryPath()).contains("Hidden"));
}

// Each awkward path is written so that desktop-file-validate accepts the
// entry and GLib's launcher starts exactly that file.
TEST(LoginItem, ExecStartsTheLauncherWhateverItsPathHolds) {
    const char* folderNames[] = {"with space", "quote\"d", "dollar$HOME", "back`tick`",
                                 "back\\slash"};
    for (const char* folderName : folderNames) {
        AutostartFolders folders;
        const QString folder = folders.temp.filePath(QString::fromUtf8(folderName));
        const QString marker = folders.temp.filePath(QStringLiteral("ran"));
        const QString launcher = folder + QStringLiteral("/vellaro");
        writeFile(launcher, "#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n");
        QFile::setPermissions(launcher, QFile::permissions(launcher) | QFile::ExeOwner);

        LoginItem item = folders.item(launcher);
        ASSERT_TRUE(item.registerItem()) << folderName;
        const auto [validateCode, validateOutput] =
            run(QStringLiteral("desktop-file-validate"), {item.entryPath()});
        EXPECT_EQ(validateCode, 0) << folderName << ": " << qPrintable(validateOutput);
        EXPECT_TRUE(validateOutput.isEmpty()) << folderName << ": " << qPrintable(validateOutput);

        const auto [launchCode, launchOutput] =
            run(QStringLiteral("gio"), {QStringLiteral("launch"), item.entryPath()});
        EXPECT_EQ(launchCode, 0) << folderName << ": " << qPrintable(launchOutput);
        EXPECT_TRUE(test::waitUntil([&] { return QFileInfo::exists(marker); }, 20000))
            << folderName << ": " << qPrintable(readFile(item.entryPath()));
    }
}

TEST(LoginItem, PathsNoDesktopCanStartAreRefused) {
    const char* launchers[] = {"/opt/100%/vellaro", "/opt/line\nbreak/vellaro",
                               "/opt/tab\there/vellaro", ""};
    for (const char* launcher : launchers) {
        AutostartFolders folders;
        LoginItem item = folders.item(QString::fromUtf8(launcher));
        EXPECT_TRUE(LoginItem::execValue(QString::fromUtf8(launcher)).isEmpty()) << launcher;
        EXPECT_FALSE(item.registerItem()) << launcher;
        EXPECT_FALSE(QFileInfo::exists(item.entryPath())) << launcher;
        EXPECT_EQ(item.status(), LoginItem::Status::notRegistered) << launcher;
    }
}

TEST(LoginItem, AFolderThatCannotBeWrittenFailsAndStaysOff) {
    AutostartFolders folders;
    // A file where the autostart folder belongs: unwritable even for root.
    writeFile(folders.folders.configHome + QStringLiteral("/autostart"), "not a folder");
    LoginItem item = folders.item();
    EXPECT_FALSE(item.registerItem());
    EXPECT_EQ(item.status(), LoginItem::Status::notRegistered);

    writeFile(folders.systemEntry(), plainEntry);
    EXPECT_FALSE(item.unregisterItem());
    EXPECT_EQ(item.status(), LoginItem::Status::enabled);
}

TEST(LoginItem, FoldersComeFromTheEnvironmentWithXdgDefaults) {
    qputenv("XDG_CONFIG_HOME", "/tmp/conf");
    qputenv("XDG_CONFIG_DIRS", "/a:relative:/b");
    LoginItem::Folders folders = LoginItem::Folders::fromEnvironment();
    EXPECT_EQ(folders.configHome, QStringLiteral("/tmp/conf"));
    EXPECT_EQ(folders.configDirs, (QStringList{QStringLiteral("/a"), QStringLiteral("/b")}));

    qputenv("XDG_CONFIG_HOME", "relative");
    qunsetenv("XDG_CONFIG_DIRS");
    folders = LoginItem::Folders::fromEnvironment();
    EXPECT_EQ(folders.configHome, QDir::homePath() + QStringLiteral("/.config"));
    EXPECT_EQ(folders.configDirs, QStringList{QStringLiteral("/etc/xdg")});
}
