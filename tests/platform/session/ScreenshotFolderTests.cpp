#include "platform/session/GSettings.h"
#include "platform/session/ScreenshotFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

const QString schema = QStringLiteral("org.gnome.gnome-screenshot");
const QString key = QStringLiteral("auto-save-directory");

// gnome-screenshot's schema, as far as the folder is concerned, compiled
// into a folder of its own; values live in memory.
class ScreenshotFolderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        schemas = new QTemporaryDir;
        QFile xml(schemas->filePath(schema + ".gschema.xml"));
        ASSERT_TRUE(xml.open(QIODevice::WriteOnly));
        xml.write(
            "<schemalist>\n"
            "  <schema id=\"org.gnome.gnome-screenshot\" path=\"/org/gnome/gnome-screenshot/\">\n"
            "    <key name=\"auto-save-directory\" type=\"s\"><default>''</default></key>\n"
            "  </schema>\n"
            "</schemalist>\n");
        xml.close();
        ASSERT_EQ(QProcess::execute("glib-compile-schemas", {schemas->path()}), 0);
        // Read by GIO on its first use, which comes after this.
        qputenv("GSETTINGS_SCHEMA_DIR", QFile::encodeName(schemas->path()));
        qputenv("GSETTINGS_BACKEND", "memory");
    }
    static void TearDownTestSuite() { delete schemas; }

    static QTemporaryDir* schemas;
    const QString home = QDir::homePath();
};

QTemporaryDir* ScreenshotFolderTest::schemas = nullptr;

TEST_F(ScreenshotFolderTest, TheSettingThenPicturesScreenshotsThenDesktopThenHome) {
    ASSERT_TRUE(GSettings::hasKey(schema, key));
    QDir(home).mkpath("Shots Here");
    struct Case {
        const char* what;
        QString setting;
        bool picturesScreenshots;
        bool desktop;
        std::optional<QString> configured;
        QString folder;
    };
    const QString shots = home + "/Shots Here";
    const QString pictures = home + "/Pictures/Screenshots";
    const QString desktop = home + "/Desktop";
    const Case cases[] = {
        {"a file URI", QUrl::fromLocalFile(shots).toString(QUrl::FullyEncoded), true, true, shots,
         shots},
        {"a path with a tilde", "~/Shots Here", false, false, shots, shots},
        {"a plain path", shots + "/", false, false, shots, shots},
        {"a missing folder falls back to Pictures", home + "/Gone", true, false, pictures,
         pictures},
        {"another scheme falls back", "sftp://host/shots", true, false, pictures, pictures},
        {"nothing set", "", true, true, pictures, pictures},
        {"nothing at all: the Desktop", "", false, true, std::nullopt, desktop},
        {"nothing at all and no Desktop: home", "", false, false, std::nullopt, home},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(GSettings::setString(schema, key, c.setting));
        QDir(pictures).removeRecursively();
        QDir(desktop).removeRecursively();
        if (c.picturesScreenshots)
            QDir().mkpath(pictures);
        if (c.desktop)
            QDir().mkpath(desktop);
        EXPECT_EQ(configuredScreenshotFolder(), c.configured);
        EXPECT_EQ(screenshotFolder(), c.folder);
    }
}

} // namespace
} // namespace vellaro
