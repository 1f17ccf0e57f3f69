#include "platform/files/RecentFiles.h"
#include "platform/files/RecentlyUsedXbel.h"
#include "support/ManualScheduler.h"
#include "support/WaitUntil.h"
#include "support/XbelFixture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using namespace std::chrono_literals;
using test::waitUntil;

using test::XbelBookmark;
using test::xbelDocument;

// A history of one file used at the start of 2024.
QByteArray only(const char* path) {
    return xbelDocument({{QStringLiteral("file://") + path, "2024-01-01T00:00:00Z"}});
}

QStringList paths(const std::vector<RecentFile>& files) {
    QStringList list;
    for (const RecentFile& file : files)
        list << file.path;
    return list;
}

TEST(RecentlyUsedXbelTest, ReadsLocalFilesNewestFirst) {
    const char* day = "2024-01-01T00:00:00Z";
    struct Case {
        const char* what;
        std::vector<XbelBookmark> bookmarks;
        QStringList expected;
    };
    const Case cases[] = {
        {"only file URIs on this machine",
         {{"https://example.org/a.txt", day},
          {"trash:///b.txt", day},
          {"sftp://host/c.txt", day},
          {"file://otherhost/d.txt", day},
          {"file:///home/u/e.txt", day},
          {"file://localhost/home/u/f.txt", "2023-01-01T00:00:00Z"}},
         {"/home/u/e.txt", "/home/u/f.txt"}},
        {"percent-encoded UTF-8 is decoded",
         {{"file:///home/u/Caf%C3%A9%20men%C3%BC%23.txt", day}},
         {QString::fromUtf8("/home/u/Café menü#.txt")}},
        {"private bookmarks are left out",
         {{"file:///secret.txt", day, {}, true}, {"file:///open.txt", "2023-01-01T00:00:00Z"}},
         {"/open.txt"}},
        {"the later of modified and visited orders them",
         {{"file:///old.txt", "2021-01-01T00:00:00Z"},
          {"file:///visited.txt", "2020-06-01T00:00:00Z", "2024-03-01T08:00:00.250000Z"},
          {"file:///modified.txt", "2023-05-01T00:00:00.5Z", "2022-01-01T00:00:00Z"},
          {"file:///added-only.txt", {}},
          {"file:///offset.txt", "2024-03-01T09:00:00.1+01:00"},
          {"file:///unreadable-time.txt", "2024-99-01T00:00:00Z"}},
         {"/visited.txt", "/offset.txt", "/modified.txt", "/old.txt", "/added-only.txt",
          "/unreadable-time.txt"}},
        {"an empty history", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto files = readRecentlyUsedXbel(xbelDocument(c.bookmarks));
        ASSERT_TRUE(files);
        EXPECT_EQ(paths(*files), c.expected);
    }
    const auto typed = readRecentlyUsedXbel(only("/a.txt"));
    EXPECT_EQ(typed->front().mimeType, "text/plain");
}

TEST(RecentlyUsedXbelTest, AMalformedDocumentGivesNothing) {
    const QByteArray good = only("/a.txt");
    for (const QByteArray& bad :
         {good.left(good.size() / 2), QByteArray("not xml at all"), QByteArray(),
          QByteArray("<html><bookmark href=\"file:///a\"/></html>")})
        EXPECT_FALSE(readRecentlyUsedXbel(bad)) << bad.toStdString();
}

class RecentFilesWatchTest : public ::testing::Test {
protected:
    void write(const QByteArray& content) { ASSERT_TRUE(test::replaceFile(path(), content)); }
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
    write(only("/one.txt"));
    auto recent = start();
    ASSERT_TRUE(waitUntil([&] { return !recent->isReading(); }));
    EXPECT_EQ(heard, QStringList({"/one.txt"}));

    write(only("/two.txt"));
    ASSERT_TRUE(settle(*recent));
    EXPECT_EQ(heard, QStringList({"/two.txt"}));

    write(only("/three.txt"));
    ASSERT_TRUE(settle(*recent));
    EXPECT_EQ(heard, QStringList({"/three.txt"}));

    write("<xbel><bookmark href=\"file:///broken");
    ASSERT_TRUE(settle(*recent));
    EXPECT_EQ(paths(recent->files()), QStringList({"/three.txt"}));

    // Still watched after a file that did not parse.
    write(only("/four.txt"));
    ASSERT_TRUE(settle(*recent));
    EXPECT_EQ(paths(recent->files()), QStringList({"/four.txt"}));
}

TEST_F(RecentFilesWatchTest, AFileCreatedLaterIsRead) {
    auto recent = start();
    ASSERT_TRUE(waitUntil([&] { return !recent->isReading(); }));
    EXPECT_TRUE(recent->files().empty());
    write(only("/later.txt"));
    ASSERT_TRUE(settle(*recent));
    EXPECT_EQ(heard, QStringList({"/later.txt"}));
    // And then watched like any other.
    write(only("/again.txt"));
    ASSERT_TRUE(settle(*recent));
    EXPECT_EQ(heard, QStringList({"/again.txt"}));
}

TEST_F(RecentFilesWatchTest, TheSelectionRunsOffTheMainThread) {
    write(xbelDocument(
        {{"file:///a.txt", "2024-01-02T00:00:00Z"}, {"file:///b.txt", "2024-01-01T00:00:00Z"}}));
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
