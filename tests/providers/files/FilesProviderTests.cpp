#include "providers/files/FilesProvider.h"
#include "support/FakeDesktop.h"
#include "support/ItemLabels.h"
#include "support/ManualScheduler.h"
#include "support/OneSectionDataSource.h"
#include "support/WaitUntil.h"
#include "support/XbelFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using namespace std::chrono_literals;
using test::waitUntil;
using test::XbelBookmark;

// A home folder with Downloads, Desktop and documents, and its history.
class FilesFixture : public ::testing::Test {
protected:
    FilesFixture() {
        for (const char* folder :
             {"Downloads", "Desktop", "Documents", "Pictures/Shots", ".config/app", "Reports"})
            QDir(home()).mkpath(folder);
        folders = {home() + "/Downloads", home() + "/Desktop", home(), std::nullopt};
    }

    QString home() const { return root.path(); }
    QString xbelPath() const { return root.filePath("recently-used.xbel"); }
    // Creates the file and returns its path.
    QString touch(const QString& relative) {
        const QString path = home() + "/" + relative;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        return path;
    }
    // A history of these paths, the first the newest.
    void history(const QStringList& newestFirst) {
        std::vector<XbelBookmark> bookmarks;
        for (int i = 0; i < newestFirst.size(); ++i) {
            const QDateTime used =
                QDateTime(QDate(2024, 1, 1), QTime(12, 0), Qt::UTC).addSecs(-i * 60);
            bookmarks.push_back({QUrl::fromLocalFile(newestFirst[i]).toString(QUrl::FullyEncoded),
                                 used.toString(Qt::ISODate)});
        }
        ASSERT_TRUE(test::replaceFile(xbelPath(), test::xbelDocument(bookmarks)));
    }
    std::unique_ptr<FilesProvider> start() {
        auto provider = std::make_unique<FilesProvider>(desktop, scheduler, xbelPath(),
                                                        [this] { return folders; });
        provider->setOnChange([this] { ++changes; });
        return provider;
    }
    // Lets the reading worker finish.
    bool read(int changesBefore) {
        return waitUntil([&] { return changes > changesBefore; });
    }
    // Lets a rewritten history be noticed, waited out and read.
    void reread() {
        ASSERT_TRUE(waitUntil([&] { return scheduler.pendingCount() > 0; }));
        scheduler.advance(200ms);
    }

    QTemporaryDir root;
    test::FakeDesktop desktop;
    test::ManualScheduler scheduler;
    FilesProvider::Folders folders;
    int changes = 0;
};

TEST_F(FilesFixture, PickingSkipsWhatIsNotAUsersFile) {
    const QString report = touch("Reports/q3.pdf");
    const QString hidden = touch(".config/app/state.txt");
    const QString launcher = touch("Desktop/editor.desktop");
    const QString notes = touch("Documents/notes.txt");
    std::vector<RecentFile> recent;
    for (const QString& path :
         {hidden, launcher, home() + "/Documents", home() + "/gone.txt", report, report, notes})
        recent.push_back({path, {}, {}});
    const auto picked = FilesProvider::pickRecentFiles(recent);
    ASSERT_EQ(picked.size(), 2u);
    EXPECT_EQ(picked[0].path, report);
    EXPECT_EQ(picked[1].path, notes);
    // A type the history did not record comes from the name.
    EXPECT_EQ(picked[1].mimeType, "text/plain");
}

TEST_F(FilesFixture, TwelveQualifyingFilesKeepEightAndShowFourAfterTheFolders) {
    QStringList paths;
    for (int i = 0; i < 12; ++i)
        paths << touch(QStringLiteral("Documents/file-%1.txt").arg(i, 2, 10, QChar('0')));
    history(paths);
    auto provider = start();
    // Until the history has been read only the folders show.
    EXPECT_EQ(test::itemLabels(provider->items()), QStringList({"Downloads", "Desktop"}));
    ASSERT_TRUE(read(0));
    ASSERT_EQ(provider->entries().size(), 8u);
    EXPECT_EQ(provider->entries().back().url, QUrl::fromLocalFile(paths[7]));

    const auto items = provider->items();
    EXPECT_EQ(test::itemLabels(items), QStringList({"Downloads", "Desktop", "file-00.txt",
                                                    "file-01.txt", "file-02.txt", "file-03.txt"}));
    for (const MenuItem& item : items) {
        EXPECT_FALSE(item.icon().image().isNull()) << item.label().toStdString();
        EXPECT_FALSE(item.keepsOpen);
    }
    EXPECT_EQ(items[2].sublabel, "Documents");
    EXPECT_FALSE(items[0].sublabel);
    EXPECT_TRUE(items[0].menuActions.empty());

    // The folder opens; a file opens and reveals.
    items[0].action();
    items[2].action();
    ASSERT_EQ(items[2].menuActions.size(), 2u);
    EXPECT_EQ(items[2].menuActions[0].title(), "Open");
    EXPECT_EQ(items[2].menuActions[1].title(), "Reveal in Files");
    items[2].menuActions[0].run();
    items[2].menuActions[1].run();
    EXPECT_EQ(desktop.opened,
              (std::vector<QUrl>{QUrl::fromLocalFile(home() + "/Downloads"),
                                 QUrl::fromLocalFile(paths[0]), QUrl::fromLocalFile(paths[0])}));
    EXPECT_EQ(desktop.revealed, QStringList({paths[0]}));
}

TEST_F(FilesFixture, OnlyAChangedListOfFilesIsAnnounced) {
    const QString a = touch("Documents/a.txt");
    const QString b = touch("Documents/b.txt");
    history({a, b});
    auto provider = start();
    ASSERT_TRUE(read(0));
    EXPECT_EQ(changes, 1);

    // A newer hidden file is filtered out: the same files, no announcement.
    const QString hidden = touch(".config/app/state.txt");
    history({hidden, a, b});
    reread();
    ASSERT_TRUE(waitUntil([&] { return !provider->isReadingHistory(); }));
    EXPECT_EQ(changes, 1);
    history({b, a});
    reread();
    ASSERT_TRUE(read(1));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(provider->entries().front().url, QUrl::fromLocalFile(b));
}

TEST_F(FilesFixture, FoldersAreListedOnceAndOnlyWhenTheyExist) {
    const QString desktopFolder = home() + "/Desktop";
    QFile::link(desktopFolder, home() + "/DesktopLink");
    struct Case {
        const char* what;
        QString desktop;
        std::optional<QString> screenshots;
        QStringList expected;
    };
    const Case cases[] = {
        {"screenshots on the Desktop", desktopFolder, desktopFolder, {"Downloads", "Desktop"}},
        {"screenshots on the Desktop, written another way",
         desktopFolder,
         home() + "/DesktopLink/",
         {"Downloads", "Desktop"}},
        {"a separate screenshot folder comes third",
         desktopFolder,
         home() + "/Pictures/Shots",
         {"Downloads", "Desktop", "Shots"}},
        {"a missing screenshot folder adds nothing",
         desktopFolder,
         home() + "/Pictures/None",
         {"Downloads", "Desktop"}},
        {"a missing Desktop", home() + "/NoDesktop", std::nullopt, {"Downloads"}},
        {"a Desktop that is home", home() + "/", std::nullopt, {"Downloads"}},
    };
    auto provider = start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        folders.desktop = c.desktop;
        folders.screenshots = c.screenshots;
        EXPECT_EQ(test::itemLabels(provider->items()), c.expected);
    }
    folders.desktop = desktopFolder;
    folders.screenshots = home() + "/Pictures/Shots";
    const auto listed = provider->folders();
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].iconName, "folder-download");
    EXPECT_EQ(listed[1].iconName, "user-desktop");
    EXPECT_EQ(listed[2].iconName, "folder-pictures");
}

TEST_F(FilesFixture, AChangeMadeElsewhereReachesAnOpenDialsItems) {
    const QString a = touch("Documents/a.txt");
    history({a});
    test::OneSectionDataSource dataSource(
        SectionKind::files, std::make_unique<FilesProvider>(desktop, scheduler, xbelPath(),
                                                            [this] { return folders; }));
    FilesProvider* files = filesProvider(*dataSource);
    ASSERT_NE(files, nullptr);
    ASSERT_TRUE(waitUntil([&] { return files->entries().size() == 1; }));
    dataSource->refresh();
    EXPECT_TRUE(test::itemLabels(dataSource->items(SectionKind::files)).contains("a.txt"));

    const QString b = touch("Documents/b.txt");
    history({b, a});
    reread();
    ASSERT_TRUE(waitUntil([&] { return files->entries().size() == 2; }));
    EXPECT_EQ(test::itemLabels(dataSource->items(SectionKind::files)),
              QStringList({"Downloads", "Desktop", "b.txt", "a.txt"}));
}

} // namespace
} // namespace vellaro
