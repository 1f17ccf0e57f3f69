#include "platform/session/SystemActions/TrashEmptier.h"
#include "platform/session/SystemActions/TrashFolders.h"
#include "support/WaitUntil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellaro {
namespace {

void writeFile(const QString& path, const QByteArray& content = "x") {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
}

void makeFolder(const QString& path, mode_t mode = 0755) {
    ASSERT_TRUE(QDir().mkpath(path));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

QStringList contents(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                  QDir::System);
}

// A trash holding every awkward kind of entry, beside files it must not touch.
class TrashFixture : public ::testing::Test {
protected:
    TrashFixture() {
        writeFile(outside("keep.txt"), "keep");
        writeFile(outside("dir/inner.txt"), "inner");
        writeFile(files("plain.txt"));
        writeFile(files("nested/deeper/still/file.txt"));
        writeFile(files("readonly/locked/file.txt"));
        makeFolder(files("readonly/locked"), 0500);
        makeFolder(files("readonly"), 0500);
        makeFolder(files("unreadable"), 0);
        QFile::link(outside("keep.txt"), files("link-to-file"));
        QFile::link(outside("dir"), files("link-to-folder"));
        writeFile(trash + "/info/plain.txt.trashinfo", "[Trash Info]\n");
        writeFile(trash + "/info/nested.trashinfo", "[Trash Info]\n");
        writeFile(trash + "/directorysizes", "16 1 nested\n");
    }

    QString outside(const QString& name) const { return root.filePath("outside/" + name); }
    QString files(const QString& name) const { return trash + "/files/" + name; }

    QTemporaryDir root;
    QString trash = root.filePath(QStringLiteral("data/Trash"));
};

void expectEmptied(const QString& trash, const QString& outsideFolder) {
    EXPECT_TRUE(contents(trash + "/files").isEmpty())
        << contents(trash + "/files").join(' ').toStdString();
    EXPECT_TRUE(contents(trash + "/info").isEmpty());
    EXPECT_FALSE(QFile::exists(trash + "/directorysizes"));
    // Symlink targets live on.
    QFile keep(outsideFolder + "/keep.txt");
    ASSERT_TRUE(keep.open(QIODevice::ReadOnly));
    EXPECT_EQ(keep.readAll(), "keep");
    EXPECT_TRUE(QFile::exists(outsideFolder + "/dir/inner.txt"));
}

TEST_F(TrashFixture, EmptiesEverythingInsideAndNothingOutside) {
    const TrashEmptier::Result result = TrashEmptier::emptyNow({trash});
    EXPECT_EQ(result.failed, 0);
    // plain, nested(3 folders + file), readonly(2 + file), unreadable, 2 links, 2 infos, sizes
    EXPECT_EQ(result.removed, 1 + 4 + 3 + 1 + 2 + 2 + 1);
    expectEmptied(trash, root.filePath("outside"));
}

// Finding the folders stats every mount point, which a stalled network
// mount can block: that happens on the worker too.
TEST_F(TrashFixture, EmptiesOnAWorkerAndReportsOnTheMainThread) {
    std::atomic<QThread*> lookedUpOn = nullptr;
    TrashEmptier emptier([this, &lookedUpOn] {
        lookedUpOn = QThread::currentThread();
        return QStringList{trash};
    });
    std::optional<TrashEmptier::Result> reported;
    QThread* reportedOn = nullptr;
    emptier.empty([&](TrashEmptier::Result result) {
        reported = result;
        reportedOn = QThread::currentThread();
    });
    EXPECT_TRUE(emptier.isRunning());
    ASSERT_TRUE(test::waitUntil([&] { return reported.has_value(); }));
    EXPECT_FALSE(emptier.isRunning());
    EXPECT_NE(lookedUpOn.load(), nullptr);
    EXPECT_NE(lookedUpOn.load(), QThread::currentThread()) << "the folders were looked up here";
    EXPECT_EQ(reportedOn, QThread::currentThread());
    expectEmptied(trash, root.filePath("outside"));
}

TEST(TrashFoldersTest, OnlyTrustedFoldersOfEachMountCount) {
    QTemporaryDir root;
    const uint uid = ::getuid();
    const QString user = QString::number(uid);
    const auto path = [&](const QString& name) { return root.filePath(name); };
    makeFolder(path("data/Trash"));
    makeFolder(path("sticky/.Trash"), 01777);
    makeFolder(path("sticky/.Trash/" + user));
    makeFolder(path("plain/.Trash"), 0777);
    makeFolder(path("plain/.Trash/" + user));
    makeFolder(path("elsewhere/.Trash"), 01777);
    makeFolder(path("elsewhere/.Trash/" + user));
    makeFolder(path("linked"));
    QFile::link(path("elsewhere/.Trash"), path("linked/.Trash"));
    makeFolder(path("own/.Trash-" + user));
    makeFolder(path("ownlinked"));
    QFile::link(path("own/.Trash-" + user), path("ownlinked/.Trash-" + user));
    makeFolder(path("empty"));

    const QStringList found =
        TrashFolders::locate(path("data"), uid,
                             {path("sticky"), path("plain"), path("linked"), path("own"),
                              path("ownlinked"), path("empty"), path("missing")});
    EXPECT_EQ(found, (QStringList{path("data/Trash"), path("sticky/.Trash/" + user),
                                  path("own/.Trash-" + user)}));
    // No home trash yet: only the mounts'.
    EXPECT_EQ(TrashFolders::locate(path("nothing"), uid, {path("own")}),
              QStringList{path("own/.Trash-" + user)});
}

TEST(TrashFoldersTest, ReadsTheMountTable) {
    QTemporaryDir root;
    writeFile(root.filePath("mounts"), "/dev/sda1 / ext4 rw 0 0\n"
                                       "proc /proc proc rw 0 0\n"
                                       "/dev/sdb1 /media/My\\040Disk vfat rw 0 0\n"
                                       "/dev/sdc1 /mnt/back\\134slash ext4 rw 0 0\n"
                                       "garbage\n");
    EXPECT_EQ(TrashFolders::mountPoints(root.filePath("mounts")),
              (QStringList{"/", "/proc", "/media/My Disk", "/mnt/back\\slash"}));
    EXPECT_TRUE(TrashFolders::mountPoints(root.filePath("absent")).isEmpty());
}

} // namespace
} // namespace vellaro
