#include "platform/session/OwnedFile.h"
#include "platform/session/SetAsideNotice.h"
#include "support/BadPaths.h"
#include "support/WriteTextFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace vellaro;
using test::badPaths;
using test::kindOf;

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

constexpr qint64 limit = 64;

} // namespace

TEST(OwnedFile, ReadsOnlyRegularFilesWithinTheLimit) {
    QTemporaryDir temp;
    for (const test::BadPath& bad : badPaths()) {
        SCOPED_TRACE(bad.name);
        const QString path = temp.filePath(QString::fromLatin1(bad.name));
        ASSERT_TRUE(bad.plant(path, temp.path(), limit));
        const OwnedFile::ReadResult result = OwnedFile::read(path, limit);
        EXPECT_EQ(result.status, OwnedFile::ReadStatus::unreadable);
        EXPECT_FALSE(result.error.isEmpty());
    }
    const QString real = temp.filePath(QStringLiteral("real"));
    ASSERT_TRUE(test::writeTextFile(real, QByteArray(limit, 'a'))); // at the limit
    const QString linked = temp.filePath(QStringLiteral("linked"));
    ASSERT_TRUE(QFile::link(real, linked));
    EXPECT_EQ(OwnedFile::read(linked, limit).data, QByteArray(limit, 'a'));
    EXPECT_EQ(OwnedFile::read(temp.filePath(QStringLiteral("absent")), limit).status,
              OwnedFile::ReadStatus::missing);
}

TEST(OwnedFile, WritesOnlyRegularFilesAndNewPaths) {
    QTemporaryDir temp;
    for (const test::BadPath& bad : badPaths()) {
        if (QByteArray(bad.name) == "a file over the limit")
            continue; // a regular file: replaced
        SCOPED_TRACE(bad.name);
        QDir folder(temp.filePath(QString::fromLatin1(bad.name)));
        ASSERT_TRUE(folder.mkpath(QStringLiteral(".")));
        const QString path = folder.filePath(QStringLiteral("kept"));
        ASSERT_TRUE(bad.plant(path, temp.path(), limit));
        const QString found = kindOf(path);
        QString error;
        EXPECT_FALSE(OwnedFile::write(path, "new", limit, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(kindOf(path), found);
        EXPECT_EQ(
            folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("kept")});
    }
    // A device node of the test's own (as root) stays one.
    const QString device = test::zeroDevice(temp.path());
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(device).constData(), &before), 0);
    EXPECT_TRUE(S_ISCHR(before.st_mode));

    const QString fresh = temp.filePath(QStringLiteral("new/folder/file"));
    EXPECT_TRUE(OwnedFile::write(fresh, "one", limit));
    EXPECT_EQ(contentOf(fresh), "one");
    ASSERT_EQ(::chmod(QFile::encodeName(fresh).constData(), 0640), 0);
    const QString link = temp.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(fresh, link));
    EXPECT_TRUE(OwnedFile::write(link, "two", limit)); // written through
    EXPECT_EQ(kindOf(link), QStringLiteral("link to ") + fresh);
    EXPECT_EQ(contentOf(fresh), "two");
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(fresh).constData(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u); // the file's mode is kept
}

TEST(OwnedFile, NeverWritesAFileItsReaderWouldRefuse) {
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("f"));
    ASSERT_TRUE(OwnedFile::write(path, QByteArray(limit, 'a'), limit));
    EXPECT_EQ(OwnedFile::read(path, limit).data, QByteArray(limit, 'a'));
    QString error;
    EXPECT_FALSE(OwnedFile::write(path, QByteArray(limit + 1, 'b'), limit, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(contentOf(path), QByteArray(limit, 'a'));
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files), QStringList{QStringLiteral("f")});
}

TEST(OwnedFile, MovesAsideUnderAFreshNameAndTellsThePersonOnce) {
    QStringList told;
    SetAsideNotice::setPoster([&](const QString&, const QString& body) { told << body; });
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("f.json"));
    ASSERT_TRUE(test::writeTextFile(path, "first"));
    const QString one = OwnedFile::moveAside(path);
    // A link is moved itself, never what it names.
    const QString target = temp.filePath(QStringLiteral("target"));
    ASSERT_TRUE(test::writeTextFile(target, "second"));
    ASSERT_TRUE(QFile::link(target, path));
    const QString two = OwnedFile::moveAside(path);
    SetAsideNotice::setPoster({});

    ASSERT_FALSE(one.isEmpty());
    ASSERT_FALSE(two.isEmpty());
    EXPECT_NE(one, two);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("f\\.json\\.rejected-\\d{8}T\\d{6}Z(-\\d+)?$"))
                    .match(two)
                    .hasMatch());
    EXPECT_EQ(contentOf(one), "first");
    EXPECT_EQ(kindOf(two), QStringLiteral("link to ") + target);
    EXPECT_EQ(contentOf(target), "second");
    EXPECT_FALSE(OwnedFile::exists(path));
    EXPECT_EQ(told, QStringList{QStringLiteral("Vellaro could not read f.json; it was kept as ") +
                                one + QStringLiteral(" and the defaults are in use")});
    QString error;
    EXPECT_TRUE(OwnedFile::moveAside(path, &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

TEST(OwnedFile, RemovesOnlyItsOwnStaleTemporaries) {
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("f.ini"));
    const QStringList stale = {QStringLiteral("f.ini.new-a1B2c3"), QStringLiteral("f.ini.Zz9Yy8")};
    const QStringList kept = {QStringLiteral("f.ini"), QStringLiteral("f.ini.new-a1B2c"),
                              QStringLiteral("f.ini.rejected-20260101T000000Z"),
                              QStringLiteral("g.ini.new-a1B2c3")};
    for (const QString& name : stale + kept)
        ASSERT_TRUE(test::writeTextFile(temp.filePath(name), "x"));
    ASSERT_TRUE(QFile::link(temp.filePath(QStringLiteral("f.ini")),
                            temp.filePath(QStringLiteral("f.ini.new-linked"))));
    QStringList removed = OwnedFile::removeStaleTemporaries(path);
    EXPECT_EQ(removed.size(), stale.size());
    QStringList left = QDir(temp.path()).entryList(QDir::Files | QDir::System, QDir::Name);
    QStringList expected = kept + QStringList{QStringLiteral("f.ini.new-linked")};
    expected.sort();
    EXPECT_EQ(left, expected);
}

TEST(OwnedFile, SyncsATreeBeforeItIsPutInPlace) {
    QTemporaryDir temp;
    const QString tree = temp.filePath(QStringLiteral("versions/.2.partial"));
    ASSERT_TRUE(QDir().mkpath(tree + QStringLiteral("/bin")));
    ASSERT_TRUE(test::writeTextFile(tree + QStringLiteral("/bin/vellaro"), "binary"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), tree + QStringLiteral("/zero")));
    EXPECT_TRUE(OwnedFile::syncTree(tree));
    QString error;
    EXPECT_FALSE(OwnedFile::syncTree(temp.filePath(QStringLiteral("absent")), &error));
    EXPECT_FALSE(error.isEmpty());
}
