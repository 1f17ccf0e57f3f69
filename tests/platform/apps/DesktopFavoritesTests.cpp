#include "platform/apps/DesktopFavorites.h"

#include "support/WriteTextFile.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vellaro {
namespace {

void writeFile(const QString& path, const QByteArray& text) {
    ASSERT_TRUE(test::writeTextFile(path, text)) << path.toStdString();
}

QStringList ids(const std::vector<DesktopEntry>& entries) {
    QStringList names;
    for (const DesktopEntry& entry : entries)
        names << entry.id;
    return names;
}

const QByteArray shellSchema = R"(<schemalist>
  <schema id="org.gnome.shell" path="/org/gnome/shell/">
    <key name="favorite-apps" type="as"><default>[]</default></key>
  </schema>
</schemalist>
)";

// Installed entries a..h, a settings program and the handlers; the GNOME
// shell's schema compiled into a folder of its own on the key-file backend.
class DesktopFavoritesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new QTemporaryDir;
        const QString schemas = dir->path() + QStringLiteral("/schemas");
        writeFile(schemas + QStringLiteral("/org.gnome.shell.gschema.xml"), shellSchema);
        ASSERT_EQ(QProcess::execute(QStringLiteral("glib-compile-schemas"), {schemas}), 0);
        qputenv("GSETTINGS_SCHEMA_DIR", schemas.toLocal8Bit());
        qputenv("GSETTINGS_BACKEND", "keyfile");
        writeFile(qEnvironmentVariable("XDG_CONFIG_HOME") +
                      QStringLiteral("/glib-2.0/settings/keyfile"),
                  "[org/gnome/shell]\nfavorite-apps=['dup.desktop', 'missing.desktop', "
                  "'a.desktop', 'dup.desktop', 'b.desktop', 'c.desktop', 'd.desktop', "
                  "'e.desktop', 'f.desktop']\n");
    }
    static void TearDownTestSuite() { delete dir; }

    void SetUp() override {
        data.emplace();
        config.emplace();
    }

    void install(const QStringList& names) {
        for (const QString& name : names)
            writeFile(data->path() + QStringLiteral("/applications/") + name +
                          QStringLiteral(".desktop"),
                      "[Desktop Entry]\nType=Application\nName=" + name.toUtf8() + "\nExec=true\n");
    }

    AppCatalog catalog() const {
        return AppCatalog(AppCatalog::Options{{data->path()}, {QStringLiteral("GNOME")}, {}});
    }

    DesktopFavorites::Sources sources(bool gnome) const {
        DesktopFavorites::Sources sources = DesktopFavorites::environmentSources();
        if (!gnome)
            sources.gnomeFavorites = [] { return std::optional<QStringList>(); };
        sources.configHome = config->path();
        sources.configDirs = {};
        sources.desktops = {QStringLiteral("GNOME")};
        return sources;
    }

    static QTemporaryDir* dir;
    std::optional<QTemporaryDir> data;
    std::optional<QTemporaryDir> config;
};
QTemporaryDir* DesktopFavoritesTest::dir = nullptr;

const QByteArray kdeAppletsrc =
    "[Containments][2][Applets][5][Configuration][General]\n"
    "launchers=applications:b.desktop,preferred://browser,applications:gone.desktop,"
    "applications:a.desktop\n";

TEST_F(DesktopFavoritesTest, GnomeFavoritesComeFirstInstalledAndDistinct) {
    install({"dup", "a", "b", "c", "d", "e", "f"});
    writeFile(config->path() + "/plasma-org.kde.plasma.desktop-appletsrc", kdeAppletsrc);
    const AppCatalog apps = catalog();
    const DesktopFavorites favorites(apps, sources(true));
    EXPECT_EQ(ids(favorites.favorites(6)), (QStringList{"dup", "a", "b", "c", "d", "e"}))
        << "eight listed, a repeat and a missing one skipped, six kept";
    EXPECT_EQ(ids(favorites.favorites(2)), (QStringList{"dup", "a"}));
}

TEST_F(DesktopFavoritesTest, WithoutGnomeTheKdeLaunchersCount) {
    install({"a", "b"});
    writeFile(config->path() + "/plasma-org.kde.plasma.desktop-appletsrc", kdeAppletsrc);
    const AppCatalog apps = catalog();
    EXPECT_EQ(ids(DesktopFavorites(apps, sources(false)).favorites(6)), (QStringList{"b", "a"}));
}

TEST_F(DesktopFavoritesTest, WithNeitherTheDefaultHandlersStandIn) {
    install({"browser", "mailer", "editor", "player", "systemsettings", "gnome-control-center"});
    writeFile(config->path() + "/mimeapps.list",
              "[Added Associations]\ntext/plain=player.desktop;\n"
              "[Default Applications]\n"
              "x-scheme-handler/https=gone.desktop;browser.desktop;\n"
              "x-scheme-handler/mailto=mailer.desktop\n"
              "text/plain=editor.desktop\n"
              "text/calendar=browser.desktop\n");
    writeFile(data->path() + "/applications/mimeapps.list",
              "[Default Applications]\naudio/mpeg=player.desktop\ntext/plain=player.desktop\n");
    const AppCatalog apps = catalog();
    const DesktopFavorites favorites(apps, sources(false));
    EXPECT_TRUE(favorites.favorites(6).empty());
    EXPECT_EQ(ids(favorites.defaultHandlers()),
              (QStringList{"browser", "mailer", "editor", "player", "gnome-control-center"}))
        << "the calendar's handler is the browser again; the first settings program present";
}

TEST_F(DesktopFavoritesTest, NothingInstalledGivesNothing) {
    writeFile(config->path() + "/plasma-org.kde.plasma.desktop-appletsrc", kdeAppletsrc);
    writeFile(config->path() + "/mimeapps.list",
              "[Default Applications]\nx-scheme-handler/https=browser.desktop\n");
    const AppCatalog apps = catalog();
    for (bool gnome : {true, false}) {
        const DesktopFavorites favorites(apps, sources(gnome));
        EXPECT_TRUE(favorites.favorites(6).empty()) << gnome;
        EXPECT_TRUE(favorites.defaultHandlers().empty()) << gnome;
    }
}

} // namespace
} // namespace vellaro
