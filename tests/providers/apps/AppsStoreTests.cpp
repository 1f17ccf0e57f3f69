#include "providers/apps/AppsStore.h"

#include "model/LogCapture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

const std::vector<PinnedApp> defaults = {
    {"firefox-esr", "Firefox", "/usr/share/applications/firefox-esr.desktop"}};

struct FileCase {
    const char* name;
    QByteArray text;
    bool usable;         // the file's pins are used
    const char* logLine; // expected in the log, null for none
};

class AppsStoreFileTest : public ::testing::TestWithParam<FileCase> {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.path() + QStringLiteral("/Vellaro/apps.json"); }
    AppsStore store() const {
        return AppsStore(path(), [] { return defaults; });
    }
    void writeText(const QByteArray& text) {
        QDir().mkpath(dir.path() + QStringLiteral("/Vellaro"));
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QStringList asideFiles() const {
        return QDir(dir.path() + QStringLiteral("/Vellaro"))
            .entryList({QStringLiteral("apps.json.rejected-*")}, QDir::Files);
    }
};

TEST_P(AppsStoreFileTest, UsesOrKeepsAsideWhatItReads) {
    const FileCase& c = GetParam();
    writeText(c.text);
    test::LogCapture log("vellaro.persistence");
    AppsStore apps = store();
    const AppsConfiguration loaded = apps.load();

    EXPECT_EQ(QFile(path()).size(), c.text.size()) << c.name << ": loading writes nothing";
    if (c.logLine)
        EXPECT_EQ(log.count(QString::fromUtf8(c.logLine)), 1) << c.name;
    else
        EXPECT_TRUE(log.lines().isEmpty())
            << c.name << ": " << log.lines().join("; ").toStdString();
    if (c.usable) {
        EXPECT_NE(loaded.pinned, defaults) << c.name;
    } else {
        EXPECT_EQ(loaded, (AppsConfiguration{1, defaults})) << c.name;
    }

    // The first save keeps an unusable file aside and then writes.
    AppsConfiguration edited = loaded;
    edited.pinned.push_back({"xterm", "XTerm", "/usr/share/applications/xterm.desktop"});
    apps.save(edited);
    const QStringList aside = asideFiles();
    if (c.usable) {
        EXPECT_TRUE(aside.isEmpty()) << c.name;
    } else {
        ASSERT_EQ(aside.size(), 1) << c.name;
        QFile kept(dir.path() + QStringLiteral("/Vellaro/") + aside.front());
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), c.text) << c.name;
    }
    EXPECT_EQ(store().load(), edited) << c.name << ": the save reads back";
    apps.save(edited);
    EXPECT_EQ(asideFiles().size(), aside.size()) << c.name << ": only the first save moves aside";
}

const QByteArray pin =
    R"({"bundleID": "org.gnome.TextEditor", "name": "Text Editor", "path": "/p"})";

INSTANTIATE_TEST_SUITE_P(
    Table, AppsStoreFileTest,
    ::testing::Values(
        FileCase{"version 1", R"({"version": 1, "pinned": [)" + pin + "]}", true, nullptr},
        FileCase{"version 0 is used as it stands", R"({"version": 0, "pinned": [)" + pin + "]}",
                 true, nullptr},
        FileCase{"an extra key", R"({"version": 1, "extra": true, "pinned": [)" + pin + "]}", true,
                 nullptr},
        FileCase{"an empty pinned list", R"({"version": 1, "pinned": []})", true, nullptr},
        FileCase{"version 2", R"({"version": 2, "pinned": [)" + pin + "]}", false,
                 "apps.json version 2 is newer than supported; using defaults"},
        FileCase{"bad JSON", R"({"version": 1, "pinned": [)", false, "Failed to decode apps.json"},
        FileCase{"a missing key", R"({"pinned": []})", false, "Failed to decode apps.json"},
        FileCase{"a missing pin key",
                 R"({"version": 1, "pinned": [{"bundleID": "a", "name": "A"}]})", false,
                 "Failed to decode apps.json"},
        FileCase{"a wrong type",
                 R"({"version": 1, "pinned": [{"bundleID": 7, "name": "A", "path": "/a"}]})", false,
                 "Failed to decode apps.json"},
        FileCase{"a fractional version", R"({"version": 1.5, "pinned": []})", false,
                 "Failed to decode apps.json"},
        FileCase{"not an object", R"([1, 2])", false, "Failed to decode apps.json"}));

TEST(AppsStoreTest, WritesSortedKeysAndKeepsTheVersion) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/apps.json");
    AppsStore store(path, [] { return defaults; });
    store.save(AppsConfiguration{0,
                                 {{"org.gnome.TextEditor", "Text Editor",
                                   "/usr/share/applications/org.gnome.TextEditor.desktop"}}});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray(R"({
    "pinned": [
        {
            "bundleID": "org.gnome.TextEditor",
            "name": "Text Editor",
            "path": "/usr/share/applications/org.gnome.TextEditor.desktop"
        }
    ],
    "version": 0
}
)"));
}

TEST(AppsStoreTest, NoFileGivesTheDefaultsSilently) {
    QTemporaryDir dir;
    test::LogCapture log("vellaro.persistence");
    AppsStore store(dir.path() + QStringLiteral("/apps.json"), [] { return defaults; });
    EXPECT_EQ(store.load(), (AppsConfiguration{1, defaults}));
    EXPECT_TRUE(log.lines().isEmpty());
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/apps.json")));
}

TEST(AppsStoreTest, AFileThatCannotBeMovedAsideIsNotOverwritten) {
    QTemporaryDir dir;
    // A name so long that the kept-aside name exceeds what the file system
    // allows: the rename fails, for root too.
    const QString path = dir.path() + QLatin1Char('/') + QString(240, QLatin1Char('a'));
    const QByteArray newer = R"({"version": 9, "pinned": []})";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(newer);
    }
    AppsStore store(path, [] { return defaults; });
    store.load();
    test::LogCapture log("vellaro.persistence");
    store.save(AppsConfiguration{1, defaults});
    EXPECT_EQ(log.count(QStringLiteral(
                  "Failed to save apps.json: the earlier file could not be moved aside")),
              1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), newer);
}

} // namespace
} // namespace vellaro
