#include "platform/files/RecentFiles.h"
#include "platform/files/RecentlyUsedXbel.h"
#include "support/ManualScheduler.h"
#include "support/WaitUntil.h"

#include <QSaveFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using namespace std::chrono_literals;
using test::waitUntil;

QByteArray bookmark(const QString& href, const QString& modified,
                    const QString& visited = QString(), bool isPrivate = false) {
    QByteArray xml = "  <bookmark href=\"" + href.toUtf8() + "\" added=\"2020-01-01T00:00:00Z\"";
    if (!modified.isEmpty())
        xml += " modified=\"" + modified.toUtf8() + "\"";
    if (!visited.isEmpty())
        xml += " visited=\"" + visited.toUtf8() + "\"";
    xml += ">\n    <info><metadata owner=\"http://freedesktop.org\">\n"
           "      <mime:mime-type type=\"text/plain\"/>\n";
    if (isPrivate)
        xml += "      <bookmark:private/>\n";
    xml += "    </metadata></info>\n  </bookmark>\n";
    return xml;
}

QByteArray xbel(const QByteArray& bookmarks) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<xbel version=\"1.0\"\n"
           "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
           "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\">\n" +
           bookmarks + "</xbel>\n";
}

QStringList paths(const std::vector<RecentFile>& files) {
    QStringList list;
    for (const RecentFile& file : files)
        list << file.path;
    return list;
}

TEST(RecentlyUsedXbelTest, ReadsLocalFilesNewestFirst) {
    struct Case {
        const char* what;
        QByteArray bookmarks;
        QStringList expected;
    };
    const Case cases[] = {
        {"only file URIs on this machine",
         bookmark("https://example.org/a.txt", "2024-01-01T00:00:00Z") +
             bookmark("trash:///b.txt", "2024-01-01T00:00:00Z") +
             bookmark("sftp://host/c.txt", "2024-01-01T00:00:00Z") +
             bookmark("file://otherhost/d.txt", "2024-01-01T00:00:00Z") +
             bookmark("file:///home/u/e.txt", "2024-01-01T00:00:00Z") +
             bookmark("file://localhost/home/u/f.txt", "2023-01-01T00:00:00Z"),
         {"/home/u/e.txt", "/home/u/f.txt"}},
        {"percent-encoded UTF-8 is decoded",
         bookmark("file:///home/u/Caf%C3%A9%20men%C3%BC%23.txt", "2024-01-01T00:00:00Z"),
         {QString::fromUtf8("/home/u/Café menü#.txt")}},
        {"private bookmarks are left out",
         bookmark("file:///secret.txt", "2024-01-01T00:00:00Z", {}, true) +
             bookmark("file:///open.txt", "2023-01-01T00:00:00Z"),
         {"/open.txt"}},
        {"the later of modified and visited orders them",
         bookmark("file:///old.txt", "2021-01-01T00:00:00Z") +
             bookmark("file:///visited.txt", "2020-06-01T00:00:00Z",
                      "2024-03-01T08:00:00.250000Z") +
             bookmark("file:///modified.txt", "2023-05-01T00:00:00.5Z", "2022-01-01T00:00:00Z") +
             bookmark("file:///added-only.txt", {}),
         {"/visited.txt", "/modified.txt", "/old.txt", "/added-only.txt"}},
        {"an empty history", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto files = readRecentlyUsedXbel(xbel(c.bookmarks));
        ASSERT_TRUE(files);
        EXPECT_EQ(paths(*files), c.expected);
    }
    const auto typed =
        readRecentlyUsedXbel(xbel(bookmark("file:///a.txt", "2024-01-01T00:00:00Z")));
    EXPECT_EQ(typed->front().mimeType, "text/plain");
}

TEST(RecentlyUsedXbelTest, AMalformedDocumentGivesNothing) {
    const QByteArray good = xbel(bookmark("file:///a.txt", "2024-01-01T00:00:00Z"));
    for (const QByteArray& bad :
         {good.left(good.size() / 2), QByteArray("not xml at all"), QByteArray(),
          QByteArray("<html><bookmark href=\"file:///a\"/></html>")})
        EXPECT_FALSE(readRecentlyUsedXbel(bad)) << bad.toStdString();
}

class RecentFilesWatchTest : public ::testing::Test {
protected:
    void write(const QByteArray& content) {
        // The way GLib saves it: a new file renamed over the old one.
        QSaveFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        ASSERT_TRUE(file.commit());
    }
    QString path() const { return folder.filePath("recently-used.xbel"); }
    std::unique_ptr<RecentFiles> start() {
        return std::make_unique<RecentFiles>(
            path(), scheduler, nullptr,
            [this](const std::vector<RecentFile>& files) { heard = paths(files); });
    }
    // Waits for the watch to notice, lets the quiet period pass, and waits
    // for the read.
    bool settle(RecentFiles& recent) {
        if (!waitUntil([&] { return scheduler.pendingCount() > 0; }))
            return false;
        scheduler.advance(200ms);
        return waitUntil([&] { return !recent.isReading(); });
    }

    QTemporaryDir folder;
    test::ManualScheduler scheduler;
    QStringList heard;
};

TEST_F(RecentFilesWatchTest, FollowsAtomicReplacementsAndKeepsTheLastGoodList) {
    write(xbel(bookmark("file:///one.txt", "2024-01-01T00:00:00Z")));
    auto recent = start();
    ASSERT_TRUE(waitUntil([&] { return !recent->isReading(); }));
    EXPECT_EQ(heard, QStringList({"/one.txt"}));

    write(xbel(bookmark("file:///two.txt", "2024-01-01T00:00:00Z")));
    ASSERT_TRUE(settle(*recent));
    EXPECT_EQ(heard, QStringList({"/two.txt"}));

    write(xbel(bookmark("file:///three.txt", "2024-01-01T00:00:00Z")));
    ASSERT_TRUE(settle(*recent));
    EXPECT_EQ(heard, QStringList({"/three.txt"}));

    write("<xbel><bookmark href=\"file:///broken");
    ASSERT_TRUE(settle(*recent));
    EXPECT_EQ(paths(recent->files()), QStringList({"/three.txt"}));

    // Still watched after a file that did not parse.
    write(xbel(bookmark("file:///four.txt", "2024-01-01T00:00:00Z")));
    ASSERT_TRUE(settle(*recent));
    EXPECT_EQ(paths(recent->files()), QStringList({"/four.txt"}));
}

TEST_F(RecentFilesWatchTest, AFileCreatedLaterIsRead) {
    auto recent = start();
    ASSERT_TRUE(waitUntil([&] { return !recent->isReading(); }));
    EXPECT_TRUE(recent->files().empty());
    write(xbel(bookmark("file:///later.txt", "2024-01-01T00:00:00Z")));
    ASSERT_TRUE(settle(*recent));
    EXPECT_EQ(heard, QStringList({"/later.txt"}));
    // And then watched like any other.
    write(xbel(bookmark("file:///again.txt", "2024-01-01T00:00:00Z")));
    ASSERT_TRUE(settle(*recent));
    EXPECT_EQ(heard, QStringList({"/again.txt"}));
}

TEST_F(RecentFilesWatchTest, TheSelectionRunsOffTheMainThread) {
    write(xbel(bookmark("file:///a.txt", "2024-01-02T00:00:00Z") +
               bookmark("file:///b.txt", "2024-01-01T00:00:00Z")));
    QThread* main = QThread::currentThread();
    std::atomic<bool> onWorker = false;
    RecentFiles recent(
        path(), scheduler,
        [main, &onWorker](std::vector<RecentFile> files) {
            onWorker = QThread::currentThread() != main;
            files.pop_back();
            return files;
        },
        nullptr);
    ASSERT_TRUE(waitUntil([&] { return !recent.isReading(); }));
    EXPECT_TRUE(onWorker);
    EXPECT_EQ(paths(recent.files()), QStringList({"/a.txt"}));
}

} // namespace
} // namespace vellaro
