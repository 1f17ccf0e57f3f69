#include "workspaces/WorkspacesStore.h"

#include "model/LogCapture.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::LogCapture;

constexpr char persistence[] = "vellaro.persistence";

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray golden() {
    return readAll(qEnvironmentVariable("VELLARO_SOURCE_DIR") +
                   QStringLiteral("/tests/workspaces/golden/workspaces.json"));
}

// The store writes the golden file compact: the file grows with every window.
QByteArray goldenAsWritten() {
    return QJsonDocument::fromJson(golden()).toJson(QJsonDocument::Compact);
}

// The golden file's content.
WorkspacesConfiguration twoWorkspaces() {
    Workspace writing;
    writing.id = QUuid::fromString(QStringLiteral("6F1C2D3E-4A5B-4C6D-8E9F-0A1B2C3D4E5F"));
    writing.name = QStringLiteral("Writing");
    writing.createdAt = QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53), Qt::UTC);
    writing.displaySignature = QStringLiteral("1920x1080@0,0|1280x1024@1920,56");
    writing.apps = {
        {QStringLiteral("org.gnome.TextEditor"),
         QStringLiteral("/usr/share/applications/org.gnome.TextEditor.desktop"),
         {{QStringLiteral("notes.txt — Text Editor"), QRectF(120, 80, 900.5, 700), false,
           QUrl(QStringLiteral("file:///home/ada/notes%20today.txt"))},
          {QStringLiteral("Draft"), QRectF(-40, 10, 640, 480), true, std::nullopt}}},
        {QStringLiteral("xterm"),
         QStringLiteral("/usr/bin/xterm"),
         {{QStringLiteral("Notes"), QRectF(0, 0, 484, 316), false, std::nullopt}},
         QStringList{QStringLiteral("-T"), QStringLiteral("Notes")}},
        {QStringLiteral("xeyes"),
         std::nullopt,
         {{QStringLiteral("xeyes"), QRectF(10, 20, 150, 100), false, std::nullopt}}},
    };
    Workspace empty;
    empty.id = QUuid::fromString(QStringLiteral("00000000-0000-0000-0000-000000000000"));
    empty.name = QStringLiteral("  Empty ");
    empty.createdAt = QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59), Qt::UTC);
    return {1, {writing, empty}};
}

class WorkspacesStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(golden().isEmpty()) << "VELLARO_SOURCE_DIR must name the source tree";
    }

    QTemporaryDir folder;
    QString path() const { return folder.filePath(QStringLiteral("Vellaro/workspaces.json")); }
    WorkspacesStore store() const {
        return WorkspacesStore(folder.filePath(QStringLiteral("Vellaro")));
    }
    QStringList asideFiles() const {
        return QDir(folder.filePath(QStringLiteral("Vellaro")))
            .entryList({QStringLiteral("workspaces.json.rejected-*")}, QDir::Files);
    }
};

TEST_F(WorkspacesStoreTest, WritesTheGoldenFileAndReadsItBack) {
    WorkspacesStore s = store();
    EXPECT_TRUE(QDir(folder.filePath(QStringLiteral("Vellaro"))).exists());
    s.save(twoWorkspaces());
    const QByteArray first = readAll(path());
    EXPECT_EQ(first, goldenAsWritten());
    EXPECT_EQ(s.load(), twoWorkspaces());
    s.save(s.load());
    EXPECT_EQ(readAll(path()), first) << "the same configuration gives the same bytes";
}

TEST_F(WorkspacesStoreTest, CountsWindows) {
    const WorkspacesConfiguration configuration = twoWorkspaces();
    EXPECT_EQ(configuration.workspaces[0].windowCount(), 4);
    EXPECT_EQ(configuration.workspaces[1].windowCount(), 0);
    Workspace workspace;
    workspace.apps = {{"a", {}, {{}, {}}}, {"b", {}, {}}, {"c", {}, {{}, {}, {}}}};
    EXPECT_EQ(workspace.windowCount(), 5);
}

TEST_F(WorkspacesStoreTest, NoFileLoadsEmptyAndWritesNothing) {
    LogCapture log(persistence);
    WorkspacesStore s = store();
    EXPECT_EQ(s.load(), WorkspacesConfiguration{});
    EXPECT_EQ(s.load().version, 1);
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_TRUE(log.lines().isEmpty());
}

// Sets (or with no value removes) the element at a "/"-separated path.
QJsonValue edited(const QJsonValue& node, QStringList path,
                  const std::optional<QJsonValue>& value) {
    const QString head = path.takeFirst();
    if (node.isArray()) {
        QJsonArray array = node.toArray();
        const int index = head.toInt();
        if (!path.isEmpty())
            array[index] = edited(array[index], path, value);
        else if (value)
            array[index] = *value;
        else
            array.removeAt(index);
        return array;
    }
    QJsonObject object = node.toObject();
    if (!path.isEmpty())
        object[head] = edited(object[head], path, value);
    else if (value)
        object[head] = *value;
    else
        object.remove(head);
    return object;
}

struct Damage {
    QString path;
    std::optional<QJsonValue> value; // none: the key is removed
};

TEST_F(WorkspacesStoreTest, RejectsTheWholeFileAndMovesItAsideBeforeTheFirstSave) {
    const QJsonObject good = QJsonDocument::fromJson(golden()).object();
    ASSERT_FALSE(good.isEmpty());
    const QString workspace = QStringLiteral("workspaces/0/");
    const QString app = workspace + QStringLiteral("apps/0/");
    const QString window = app + QStringLiteral("windows/0/");
    std::vector<Damage> damages;
    for (const char* key : {"version", "workspaces"})
        damages.push_back({QLatin1String(key), std::nullopt});
    for (const char* key : {"id", "name", "createdAt", "displaySignature", "apps"})
        damages.push_back({workspace + QLatin1String(key), std::nullopt});
    for (const char* key : {"bundleID", "windows"})
        damages.push_back({app + QLatin1String(key), std::nullopt});
    for (const char* key : {"title", "frame", "isMinimized"})
        damages.push_back({window + QLatin1String(key), std::nullopt});
    const std::vector<Damage> wrong = {
        {"version", "1"},
        {"version", 1.5},
        {"workspaces", QJsonObject{}},
        {"workspaces/1", "Empty"},
        {workspace + "name", 7},
        {workspace + "name", QJsonValue::Null},
        {workspace + "apps", QJsonValue::Null},
        {workspace + "displaySignature", false},
        {app + "appPath", 3},
        {app + "arguments", "-T Notes"},
        {app + "arguments", QJsonArray{"-T", 1}},
        {app + "windows/0", QJsonArray{}},
        {window + "isMinimized", "false"},
        {window + "isMinimized", 0},
        {window + "frame", QJsonArray{QJsonArray{0, 0}, QJsonArray{1}}},
        {window + "frame", QJsonArray{0, 0, 1, 1}},
        {window + "frame", QJsonArray{QJsonArray{0, "0"}, QJsonArray{1, 1}}},
        {window + "documentURL", 5},
        {workspace + "id", "6F1C2D3E-4A5B-4C6D-8E9F-0A1B2C3D4E5"},
        {workspace + "id", "{6F1C2D3E-4A5B-4C6D-8E9F-0A1B2C3D4E5F}"},
        {workspace + "id", "6F1C2D3E4A5B4C6D8E9F0A1B2C3D4E5F"},
        {workspace + "id", "6G1C2D3E-4A5B-4C6D-8E9F-0A1B2C3D4E5F"},
        {workspace + "createdAt", "2026-03-14T09:26:53.250Z"},
        {workspace + "createdAt", "2026-03-14T09:26:53"},
        {workspace + "createdAt", "2026-03-14"},
        {workspace + "createdAt", "2026-02-30T09:26:53Z"},
        {workspace + "createdAt", "14 March 2026"},
        {window + "documentURL", ""},
        {window + "documentURL", "not a url"},
        {window + "documentURL", "notes.txt"},
        {window + "documentURL", "http://exa mple.com/"},
    };
    damages.insert(damages.end(), wrong.begin(), wrong.end());

    std::vector<QByteArray> files;
    for (const Damage& damage : damages)
        files.push_back(
            QJsonDocument(edited(good, damage.path.split('/'), damage.value).toObject()).toJson());
    const QByteArray cut = golden().left(golden().size() / 2);
    files.push_back(cut);
    files.push_back("[]");
    files.push_back("");

    for (std::size_t i = 0; i < files.size(); ++i) {
        const QString why =
            i < damages.size()
                ? damages[i].path + QStringLiteral(" = ") +
                      (damages[i].value ? QJsonDocument(QJsonArray{*damages[i].value})
                                              .toJson(QJsonDocument::Compact)
                                        : QByteArray("(missing)"))
                : QStringLiteral("raw file %1").arg(i - damages.size());
        SCOPED_TRACE(why.toStdString());
        QDir(folder.filePath(QStringLiteral("Vellaro"))).removeRecursively();
        QDir().mkpath(folder.filePath(QStringLiteral("Vellaro")));
        writeAll(path(), files[i]);

        LogCapture log(persistence);
        WorkspacesStore s = store();
        EXPECT_EQ(s.load(), WorkspacesConfiguration{});
        EXPECT_EQ(log.count(QStringLiteral("Failed to decode workspaces.json:")), 1)
            << log.lines().join('\n').toStdString();
        EXPECT_EQ(readAll(path()), files[i]) << "loading writes nothing";

        s.save(twoWorkspaces());
        const QStringList aside = asideFiles();
        ASSERT_EQ(aside.size(), 1);
        EXPECT_EQ(readAll(folder.filePath(QStringLiteral("Vellaro/")) + aside[0]), files[i]);
        EXPECT_EQ(readAll(path()), goldenAsWritten());
        EXPECT_EQ(log.count(QStringLiteral("Moved the rejected workspaces.json aside")), 1);
        s.save(twoWorkspaces());
        EXPECT_EQ(asideFiles().size(), 1) << "only the rejected file is moved aside";
    }
}

TEST_F(WorkspacesStoreTest, AcceptsWhatItWouldNotWriteItself) {
    QJsonObject root = QJsonDocument::fromJson(golden()).object();
    root =
        edited(root, {"workspaces", "0", "id"}, "6f1c2d3e-4a5b-4c6d-8e9f-0a1b2c3d4e5f").toObject();
    root = edited(root, {"workspaces", "1", "createdAt"}, "2026-01-01T01:59:59+02:00").toObject();
    root = edited(root, {"workspaces", "0", "apps", "1", "appPath"}, QJsonValue::Null).toObject();
    root = edited(root, {"workspaces", "0", "apps", "0", "windows", "0", "unknown"}, 1).toObject();
    QDir().mkpath(folder.filePath(QStringLiteral("Vellaro")));
    writeAll(path(), QJsonDocument(root).toJson());

    WorkspacesStore s = store();
    const WorkspacesConfiguration loaded = s.load();
    ASSERT_EQ(loaded.workspaces.size(), 2u);
    EXPECT_EQ(loaded.workspaces[0].id, twoWorkspaces().workspaces[0].id);
    EXPECT_EQ(loaded.workspaces[1].createdAt,
              QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59), Qt::UTC));
    EXPECT_FALSE(loaded.workspaces[0].apps[1].appPath);
    s.save(loaded);
    const QByteArray written = readAll(path());
    EXPECT_TRUE(written.contains("\"6F1C2D3E-4A5B-4C6D-8E9F-0A1B2C3D4E5F\"")) << "upper-case UUID";
    EXPECT_TRUE(written.contains("\"2025-12-31T23:59:59Z\""));
    EXPECT_FALSE(written.contains("null"));
    EXPECT_TRUE(asideFiles().isEmpty());
}

TEST_F(WorkspacesStoreTest, KeepsOldVersionsAndIgnoresNewerOnes) {
    struct Case {
        qint64 version;
        bool loads;
    };
    for (const Case c :
         {Case{0, true}, Case{-3, true}, Case{1, true}, Case{2, false}, Case{7, false}}) {
        SCOPED_TRACE(c.version);
        QDir(folder.filePath(QStringLiteral("Vellaro"))).removeRecursively();
        QDir().mkpath(folder.filePath(QStringLiteral("Vellaro")));
        const QByteArray file =
            QJsonDocument(edited(QJsonDocument::fromJson(golden()).object(), {"version"}, c.version)
                              .toObject())
                .toJson();
        writeAll(path(), file);

        LogCapture log(persistence);
        WorkspacesStore s = store();
        WorkspacesConfiguration loaded = s.load();
        if (c.loads) {
            EXPECT_EQ(loaded.version, c.version);
            EXPECT_EQ(loaded.workspaces, twoWorkspaces().workspaces);
            EXPECT_TRUE(log.lines().isEmpty());
            loaded.workspaces.pop_back();
            s.save(loaded);
            EXPECT_EQ(
                QJsonDocument::fromJson(readAll(path())).object().value("version").toInteger(),
                c.version)
                << "the version is written back as it was";
            EXPECT_TRUE(asideFiles().isEmpty());
        } else {
            EXPECT_EQ(loaded, WorkspacesConfiguration{});
            EXPECT_EQ(log.count(QStringLiteral("workspaces.json version %1 is newer than "
                                               "supported; using empty")
                                    .arg(c.version)),
                      1);
            s.save(loaded);
            ASSERT_EQ(asideFiles().size(), 1);
            EXPECT_EQ(readAll(folder.filePath(QStringLiteral("Vellaro/")) + asideFiles()[0]), file);
        }
    }
}

// Something that is there but cannot be read is the user's too: kept aside.
TEST_F(WorkspacesStoreTest, KeepsAnUnreadableFileAside) {
    QDir().mkpath(path());
    writeAll(path() + QStringLiteral("/inside"), "kept");
    LogCapture log(persistence);
    WorkspacesStore s = store();
    EXPECT_EQ(s.load(), WorkspacesConfiguration{});
    EXPECT_EQ(log.count(QStringLiteral("workspaces.json cannot be read")), 1);
    s.save(twoWorkspaces());
    const QStringList aside = QDir(folder.filePath(QStringLiteral("Vellaro")))
                                  .entryList({QStringLiteral("workspaces.json.rejected-*")},
                                             QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(
        readAll(folder.filePath(QStringLiteral("Vellaro/")) + aside[0] + QStringLiteral("/inside")),
        "kept");
    EXPECT_EQ(readAll(path()), goldenAsWritten());
}

TEST_F(WorkspacesStoreTest, LogsAFailedSave) {
    // A plain file where the folder should be: nothing can be written.
    writeAll(folder.filePath(QStringLiteral("blocked")), "x");
    WorkspacesStore s(folder.filePath(QStringLiteral("blocked/Vellaro")));
    LogCapture log(persistence);
    EXPECT_EQ(s.load(), WorkspacesConfiguration{});
    s.save(twoWorkspaces());
    EXPECT_EQ(log.count(QStringLiteral("Failed to save workspaces.json:")), 1);

    WorkspacesStore nowhere{QString()};
    nowhere.save(twoWorkspaces());
    EXPECT_EQ(log.count(QStringLiteral("Failed to save workspaces.json:")), 2);
}

} // namespace
} // namespace vellaro
