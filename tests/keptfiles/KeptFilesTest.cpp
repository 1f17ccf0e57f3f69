// Every file the program keeps, each through its own store, against what
// may be at its path instead of the file, a full disk, the leftovers of an
// interrupted save, and its size limit.
#include "clipboard/FakeSecretStore.h"
#include "clipboard/SealedHistoryFile.h"
#include "harness/SpikeCaptureFile.h"
#include "model/SettingsStore.h"
#include "platform/secrets/FileSecretStore.h"
#include "platform/session/Defaults.h"
#include "platform/session/JsonFile.h"
#include "platform/session/LeftoverFiles.h"
#include "platform/session/LoginItem.h"
#include "platform/session/Notifications.h"
#include "platform/session/SetAsideNotice.h"
#include "providers/apps/AppsStore.h"
#include "support/BadPaths.h"
#include "support/FullDiskChild.h"
#include "workspaces/WorkspacesStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>

namespace vellaro {
namespace {

using test::badPaths;
using test::kindOf;

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Everything the program logs while alive, whatever the category.
class AllLogs {
public:
    AllLogs() {
        lines().clear();
        previous_ = qInstallMessageHandler(&AllLogs::handle);
    }
    ~AllLogs() { qInstallMessageHandler(previous_); }
    static QString text() { return lines().join(QLatin1Char('\n')); }

private:
    static QStringList& lines() {
        static QStringList all;
        return all;
    }
    static void handle(QtMsgType, const QMessageLogContext&, const QString& message) {
        lines() << message;
    }
    QtMessageHandler previous_;
};

// One store as the program uses it, on files under `root`. `save` writes a
// change holding `mark`; `load` gives the mark of what it found, or "".
struct Store {
    const char* name;
    QString relativePath;
    qint64 limit;
    std::function<QString(const QString& root)> load;
    std::function<bool(const QString& root, const QString& mark)> save;
    // Keeps a file it could not read aside before its first save; the others
    // refuse to write over what is not a regular file.
    bool setsAside = true;
    // Replaces its file on a change (the key file is only ever created).
    bool replaces = true;
};

QString lastOf(const QStringList& list) {
    return list.isEmpty() ? QString() : list.last();
}

test::FakeSecretStore& historyKey() {
    static test::FakeSecretStore* key = [] {
        auto* store = new test::FakeSecretStore;
        store->setSecret(QByteArray(32, 'k'));
        return store;
    }();
    return *key;
}

const std::vector<Store>& stores() {
    static const std::vector<Store> all = {
        {"settings.json", QStringLiteral("data/settings.json"), JsonFile::maximumSize,
         [](const QString& root) {
             Notifications hub;
             return lastOf(
                 SettingsStore(root + QStringLiteral("/data"), hub).settings().hiddenActions);
         },
         [](const QString& root, const QString& mark) {
             Notifications hub;
             SettingsStore store(root + QStringLiteral("/data"), hub);
             store.hideAction(mark);
             return lastOf(JsonFile::read(store.filePath())
                               .object.value(QStringLiteral("hiddenActions"))
                               .toVariant()
                               .toStringList()) == mark;
         }},
        {"apps.json", QStringLiteral("data/apps.json"), JsonFile::maximumSize,
         [](const QString& root) {
             const auto pins =
                 AppsStore(root + QStringLiteral("/data/apps.json"), {}).load().pinned;
             return pins.empty() ? QString() : pins.back().bundleID;
         },
         [](const QString& root, const QString& mark) {
             AppsStore store(root + QStringLiteral("/data/apps.json"), {});
             store.load();
             store.save({AppsConfiguration::currentVersion, {{mark, mark, QStringLiteral("/a")}}});
             const auto pins =
                 AppsStore(root + QStringLiteral("/data/apps.json"), {}).load().pinned;
             return pins.size() == 1 && pins.front().bundleID == mark;
         }},
        {"workspaces.json", QStringLiteral("data/workspaces.json"), JsonFile::maximumSize,
         [](const QString& root) {
             const auto workspaces =
                 WorkspacesStore(root + QStringLiteral("/data")).load().workspaces;
             return workspaces.empty() ? QString() : workspaces.back().name;
         },
         [](const QString& root, const QString& mark) {
             WorkspacesStore store(root + QStringLiteral("/data"));
             store.load();
             WorkspacesConfiguration configuration;
             configuration.workspaces.push_back(
                 {QUuid::createUuid(), mark, QDateTime::currentDateTimeUtc(), QString(), {}});
             store.save(configuration);
             const auto saved = WorkspacesStore(root + QStringLiteral("/data")).load().workspaces;
             return saved.size() == 1 && saved.front().name == mark;
         }},
        {"the sealed clipboard history", QStringLiteral("data/clipboard.sealed"),
         SealedHistoryFile::maximumSize,
         [](const QString& root) {
             const auto loaded = SealedHistoryFile(root + QStringLiteral("/data/clipboard.sealed"),
                                                   historyKey(), QString())
                                     .load();
             return loaded.records.empty() ? QString() : *loaded.records.back().text;
         },
         [](const QString& root, const QString& mark) {
             SealedHistoryFile file(root + QStringLiteral("/data/clipboard.sealed"), historyKey(),
                                    QString());
             file.load();
             StoredEntry entry;
             entry.text = mark;
             return file.write({entry}) == SealedHistoryFile::WriteStatus::written;
         }},
        {"the clipboard key file", QStringLiteral("config/keys/clipboard-history-key"), 4096,
         [](const QString& root) {
             return QString::fromUtf8(FileSecretStore(root + QStringLiteral("/config/keys"),
                                                      QStringLiteral("clipboard-history-key"))
                                          .lookup()
                                          .secret);
         },
         [](const QString& root, const QString& mark) {
             return FileSecretStore(root + QStringLiteral("/config/keys"),
                                    QStringLiteral("clipboard-history-key"))
                        .add(mark.toUtf8())
                        .status == SecretStore::Status::found;
         },
         false, false},
        {"defaults.ini", QStringLiteral("config/defaults.ini"), Defaults::maximumSize,
         [](const QString& root) {
             return Defaults(root + QStringLiteral("/config/defaults.ini"))
                 .value(QStringLiteral("mark"))
                 .toString();
         },
         [](const QString& root, const QString& mark) {
             return Defaults(root + QStringLiteral("/config/defaults.ini"))
                 .setValue(QStringLiteral("mark"), mark);
         }},
        {"the autostart entry",
         QStringLiteral("config/autostart/") + QLatin1String(LoginItem::fileName), 1 << 20,
         [](const QString& root) {
             LoginItem item(QString(), {root + QStringLiteral("/config"), {}});
             return item.status() == LoginItem::Status::enabled ? QStringLiteral("enabled")
                                                                : QString();
         },
         [](const QString& root, const QString& mark) {
             LoginItem item(QStringLiteral("/opt/") + mark, {root + QStringLiteral("/config"), {}});
             return item.registerItem();
         },
         false},
    };
    return all;
}

// The mark a store's load gives for a file its save wrote with `mark`.
QString loadedMark(const Store& store, const QString& mark) {
    return QLatin1String(store.name) == QLatin1String("the autostart entry")
               ? QStringLiteral("enabled")
               : mark;
}

class KeptFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        SetAsideNotice::setPoster(
            [this](const QString&, const QString& body) { notices_ << body; });
    }
    void TearDown() override { SetAsideNotice::setPoster({}); }

    QString root() const { return temp_.filePath(QStringLiteral("root")); }
    QString scratch() const { return temp_.path(); }
    QString pathOf(const Store& store) const {
        return root() + QLatin1Char('/') + store.relativePath;
    }
    QStringList besideFile(const Store& store) const {
        const QFileInfo info(pathOf(store));
        return info.absoluteDir().entryList({info.fileName() + QStringLiteral("*")},
                                            QDir::AllEntries | QDir::Hidden | QDir::System,
                                            QDir::Name);
    }

    QTemporaryDir temp_;
    QStringList notices_;
};

TEST_F(KeptFiles, WhateverIsAtThePathTheStoreLoadsWithoutWaitingAndKeepsItAside) {
    for (const Store& store : stores()) {
        for (const test::BadPath& bad : badPaths()) {
            SCOPED_TRACE(std::string(store.name) + " as " + bad.name);
            QDir(root()).removeRecursively();
            notices_.clear();
            SetAsideNotice::setPoster(
                [this](const QString&, const QString& body) { notices_ << body; });
            const QString path = pathOf(store);
            ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
            ASSERT_TRUE(bad.plant(path, scratch(), store.limit));
            const QString found = kindOf(path);

            EXPECT_EQ(store.load(root()), QString()); // the defaults, at once
            const bool saved = store.save(root(), QStringLiteral("changed"));
            const QFileInfo info(path);
            const QStringList aside =
                info.absoluteDir().entryList({info.fileName() + QStringLiteral(".rejected-*")},
                                             QDir::AllEntries | QDir::Hidden | QDir::System);
            if (store.setsAside) {
                EXPECT_TRUE(saved);
                EXPECT_EQ(store.load(root()), loadedMark(store, QStringLiteral("changed")));
                ASSERT_EQ(aside.size(), 1);
                EXPECT_EQ(kindOf(info.absoluteDir().filePath(aside.first())), found);
                ASSERT_EQ(notices_.size(), 1);
                EXPECT_TRUE(notices_.first().startsWith(QStringLiteral("Vellaro could not read ")))
                    << notices_.first().toStdString();
                EXPECT_TRUE(notices_.first().contains(aside.first()));
            } else {
                // Only a regular file is ever written over; anything else stays.
                EXPECT_TRUE(aside.isEmpty());
                if (!found.startsWith(QStringLiteral("file")) || !store.replaces) {
                    EXPECT_FALSE(saved);
                    EXPECT_EQ(kindOf(path), found);
                }
            }
            EXPECT_EQ(besideFile(store).size(), 1 + aside.size())
                << besideFile(store).join(' ').toStdString();
        }
    }
}

TEST_F(KeptFiles, ALinkToARegularFileIsReadAndWrittenThrough) {
    for (const Store& store : stores()) {
        SCOPED_TRACE(store.name);
        QDir(root()).removeRecursively();
        const QString path = pathOf(store);
        const QString real = scratch() + QStringLiteral("/real-") + QFileInfo(path).fileName();
        QFile::remove(real);
        // Written by the store itself, then moved away and linked to.
        ASSERT_TRUE(store.save(root(), QStringLiteral("first")));
        ASSERT_TRUE(QFile::rename(path, real));
        ASSERT_TRUE(QFile::link(real, path));

        EXPECT_EQ(store.load(root()), loadedMark(store, QStringLiteral("first")));
        if (store.replaces) {
            EXPECT_TRUE(store.save(root(), QStringLiteral("second")));
            EXPECT_EQ(store.load(root()), loadedMark(store, QStringLiteral("second")));
        }
        EXPECT_EQ(kindOf(path), QStringLiteral("link to ") + real);
        EXPECT_EQ(besideFile(store).size(), 1);
    }
}

TEST_F(KeptFiles, AFullDiskKeepsTheOldFileByteForByteAndSaysWhy) {
    for (const Store& store : stores()) {
        SCOPED_TRACE(store.name);
        QDir(root()).removeRecursively();
        const QString path = pathOf(store);
        if (store.replaces) {
            ASSERT_TRUE(store.save(root(), QStringLiteral("old")));
        }
        const QByteArray old = contentOf(path);
        // The key is small: its own limit makes the disk full for it.
        const rlim_t room = store.replaces ? 4096 : 8;
        const QString answer = test::inFullDiskChild(room, [&] {
            const AllLogs logs;
            const bool saved = store.save(root(), QString(int(room) * 2, QLatin1Char('x')));
            return (saved ? QStringLiteral("saved\n") : QStringLiteral("failed\n")) +
                   AllLogs::text();
        });
        EXPECT_TRUE(answer.startsWith(QStringLiteral("failed\n"))) << answer.toStdString();
        EXPECT_TRUE(answer.contains(QString::fromLocal8Bit(std::strerror(EFBIG))))
            << answer.toStdString();
        EXPECT_EQ(contentOf(path), old);
        EXPECT_EQ(besideFile(store).size(), store.replaces ? 1 : 0)
            << besideFile(store).join(' ').toStdString();
    }
}

TEST_F(KeptFiles, LeftoversOfInterruptedSavesAreRemovedAtStart) {
    const LeftoverFiles::Folders folders{root() + QStringLiteral("/data"),
                                         root() + QStringLiteral("/config"),
                                         root() + QStringLiteral("/config")};
    QStringList planted;
    QStringList kept;
    for (const Store& store : stores()) {
        const QString path = pathOf(store);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        planted << path + QStringLiteral(".new-a1B2c3") << path + QStringLiteral(".Zz9Yy8");
        kept << path << path + QStringLiteral(".rejected-20260101T000000Z")
             << path + QStringLiteral(".new-toolong7");
    }
    planted << root() + QStringLiteral("/config/defaults.ini.lock")
            << root() + QStringLiteral("/config/defaults.ini.lock.rmlock")
            << root() + QStringLiteral("/config/defaults.ini.lock.rmlock.rmlock");
    for (const QString& path : planted + kept) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{\"ver");
    }
    QStringList removed = LeftoverFiles::remove(folders);
    removed.sort();
    planted.sort();
    EXPECT_EQ(removed, planted);
    for (const QString& path : kept)
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
    for (const QString& path : planted)
        EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
}

TEST_F(KeptFiles, TheSealedHistoryRoundTripsAtItsLimitAndIsNeverWrittenPastIt) {
    const QString path = root() + QStringLiteral("/clipboard.sealed");
    StoredEntry entry;
    entry.text = QStringLiteral("at the limit");
    // Nonce, sealed list, tag.
    const qint64 size = 12 + StoredEntry::encodeList({entry}).size() + 16;
    {
        SealedHistoryFile file(path, historyKey(), QString(), size);
        ASSERT_EQ(file.write({entry}), SealedHistoryFile::WriteStatus::written);
        const auto loaded = SealedHistoryFile(path, historyKey(), QString(), size).load();
        ASSERT_EQ(loaded.status, SealedHistoryFile::LoadStatus::loaded);
        EXPECT_EQ(loaded.records.at(0).text, entry.text);
    }
    const QByteArray old = contentOf(path);
    SealedHistoryFile smaller(path, historyKey(), QString(), size - 1);
    EXPECT_EQ(smaller.write({entry}), SealedHistoryFile::WriteStatus::failed);
    EXPECT_EQ(contentOf(path), old);
    EXPECT_EQ(QDir(root()).entryList(QDir::Files), QStringList{QStringLiteral("clipboard.sealed")});
}

TEST_F(KeptFiles, WorkspacesAreWrittenCompactAndNeverPastTheirLimit) {
    const QString folder = root() + QStringLiteral("/data");
    WorkspacesStore store(folder);
    WorkspacesConfiguration configuration;
    configuration.workspaces.push_back({QUuid::createUuid(),
                                        QStringLiteral("desk"),
                                        QDateTime(QDate(2026, 12, 11), QTime(6, 0), Qt::UTC),
                                        QString(),
                                        {}});
    store.save(configuration);
    const QByteArray saved = contentOf(store.filePath());
    EXPECT_FALSE(saved.contains('\n')) << saved.constData();
    EXPECT_EQ(WorkspacesStore(folder).load(), configuration);

    const AllLogs logs;
    WorkspacesConfiguration huge = configuration;
    huge.workspaces.front().name = QString(int(JsonFile::maximumSize), QLatin1Char('w'));
    store.save(huge);
    EXPECT_EQ(contentOf(store.filePath()), saved);
    EXPECT_TRUE(AllLogs::text().contains(QStringLiteral("larger than")))
        << AllLogs::text().toStdString();
}

TEST_F(KeptFiles, TheHarnessReadsItsCaptureWithoutWaitingOnAPipe) {
    for (const test::BadPath& bad : badPaths()) {
        SCOPED_TRACE(bad.name);
        QDir(root()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(root()));
        const QString path = root() + QStringLiteral("/capture.json");
        ASSERT_TRUE(bad.plant(path, scratch(), SpikeCaptureFile::maxBytes));
        QString error;
        EXPECT_FALSE(SpikeCaptureFile::read(path, &error));
        EXPECT_FALSE(error.isEmpty());
    }
}

} // namespace
} // namespace vellaro
