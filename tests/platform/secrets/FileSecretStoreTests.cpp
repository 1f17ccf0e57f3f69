#include "platform/secrets/FileSecretStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace vellaro {
namespace {

using Status = SecretStore::Status;

mode_t modeOf(const QString& path) {
    struct stat info {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    return info.st_mode & 0777;
}

TEST(FileSecretStore, FirstAddCreatesAPrivateFolderAndFile) {
    QTemporaryDir root;
    const QString folder = root.filePath("Vellaro/keys");
    FileSecretStore store(folder, "clipboard-history-key");
    EXPECT_EQ(store.lookup().status, Status::notFound);
    EXPECT_FALSE(QDir(folder).exists()) << "a lookup creates nothing";

    const SecretStore::Result added = store.add(QByteArray(32, '\x07'));
    ASSERT_EQ(added.status, Status::found);
    EXPECT_EQ(added.secret, QByteArray(32, '\x07'));
    EXPECT_EQ(modeOf(folder), 0700u);
    EXPECT_EQ(modeOf(store.filePath()), 0600u);
    EXPECT_EQ(store.lookup().secret, QByteArray(32, '\x07'));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"clipboard-history-key"})
        << "no temporary file is left";
}

TEST(FileSecretStore, ASecondCreatorGetsTheWinnersSecret) {
    QTemporaryDir root;
    FileSecretStore first(root.path(), "key");
    FileSecretStore second(root.path(), "key");
    ASSERT_EQ(first.add("winner").status, Status::found);
    const SecretStore::Result late = second.add("loser");
    EXPECT_EQ(late.status, Status::found);
    EXPECT_EQ(late.secret, QByteArray("winner"));
    EXPECT_EQ(first.lookup().secret, QByteArray("winner"));
}

TEST(FileSecretStore, AnUnreadableFileIsUnavailableNotMissing) {
    QTemporaryDir root;
    FileSecretStore store(root.path(), "key");
    ASSERT_TRUE(QDir(root.path()).mkdir("key")); // a folder where the file should be
    EXPECT_EQ(store.lookup().status, Status::unavailable);
    EXPECT_EQ(store.add("new").status, Status::unavailable);
}

} // namespace
} // namespace vellaro
