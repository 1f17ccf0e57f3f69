#include "platform/apps/AppCatalog.h"

#include "support/WriteTextFile.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vellaro {
namespace {

void writeFile(const QString& path, const QByteArray& text) {
    ASSERT_TRUE(test::writeTextFile(path, text)) << path.toStdString();
}

QByteArray app(const QByteArray& name, const QByteArray& extra = {}) {
    return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=true\n" + extra;
}

struct CatalogCase {
    const char* name;
    const char* id;
    const char* expectedName; // null: not listed
};

// One user folder and one system folder, filled once for every case.
class AppCatalogTest : public ::testing::TestWithParam<CatalogCase> {
protected:
    static void SetUpTestSuite() {
        dir = new QTemporaryDir;
        const QString user = dir->path() + QStringLiteral("/user/applications/");
        const QString system = dir->path() + QStringLiteral("/system/applications/");
        writeFile(user + "editor.desktop", app("User Editor"));
        writeFile(system + "editor.desktop", app("System Editor"));
        writeFile(user + "masked.desktop", app("Masked", "Hidden=true\n"));
        writeFile(system + "masked.desktop", app("Masked System"));
        writeFile(system + "plain.desktop", app("Plain"));
        writeFile(system + "nodisplay.desktop", app("No Display", "NoDisplay=true\n"));
        writeFile(system + "link.desktop",
                  "[Desktop Entry]\nType=Link\nName=Link\nURL=https://example.org\n");
        writeFile(system + "kdeonly.desktop", app("KDE Only", "OnlyShowIn=KDE;\n"));
        writeFile(system + "gnomeonly.desktop", app("GNOME Only", "OnlyShowIn=X-Other;GNOME;\n"));
        writeFile(system + "notgnome.desktop", app("Not GNOME", "NotShowIn=GNOME;\n"));
        writeFile(system + "missingtry.desktop",
                  app("Missing TryExec", "TryExec=/nonexistent/program\n"));
        writeFile(system + "presenttry.desktop", app("Present TryExec", "TryExec=sh\n"));
        writeFile(system + "kde/konsole.desktop", app("Konsole"));
        writeFile(system + "translated.desktop",
                  app("Files", "Name[de]=Dateien\nName[fr]=Fichiers\nName[de_AT]=Dateien AT\n"));
        writeFile(system + "broken.desktop", "no group at all\n");
    }
    static void TearDownTestSuite() { delete dir; }

    static AppCatalog catalog() {
        return AppCatalog(AppCatalog::Options{
            {dir->path() + QStringLiteral("/user"), dir->path() + QStringLiteral("/system")},
            {QStringLiteral("GNOME")},
            QStringLiteral("de_DE.UTF-8")});
    }

    static QTemporaryDir* dir;
};
QTemporaryDir* AppCatalogTest::dir = nullptr;

TEST_P(AppCatalogTest, ListsAndFindsOnlyShownApplications) {
    const CatalogCase& c = GetParam();
    const AppCatalog apps = catalog();
    const QString id = QString::fromUtf8(c.id);

    std::optional<DesktopEntry> listed;
    for (const DesktopEntry& entry : apps.scan()) {
        if (entry.id == id)
            listed = entry;
    }
    const std::optional<DesktopEntry> found = apps.find(id);
    if (!c.expectedName) {
        EXPECT_FALSE(listed) << c.name;
        EXPECT_FALSE(found) << c.name;
        return;
    }
    ASSERT_TRUE(listed) << c.name;
    ASSERT_TRUE(found) << c.name;
    EXPECT_EQ(listed->name, QString::fromUtf8(c.expectedName)) << c.name;
    EXPECT_EQ(found->path, listed->path) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, AppCatalogTest,
    ::testing::Values(CatalogCase{"the user's entry wins", "editor", "User Editor"},
                      CatalogCase{"a user entry with Hidden=true masks the system one", "masked",
                                  nullptr},
                      CatalogCase{"a system entry", "plain", "Plain"},
                      CatalogCase{"NoDisplay", "nodisplay", nullptr},
                      CatalogCase{"Type=Link", "link", nullptr},
                      CatalogCase{"OnlyShowIn another desktop", "kdeonly", nullptr},
                      CatalogCase{"OnlyShowIn this desktop", "gnomeonly", "GNOME Only"},
                      CatalogCase{"NotShowIn this desktop", "notgnome", nullptr},
                      CatalogCase{"TryExec missing", "missingtry", nullptr},
                      CatalogCase{"TryExec found in PATH", "presenttry", "Present TryExec"},
                      CatalogCase{"a subfolder's entry", "kde-konsole", "Konsole"},
                      CatalogCase{"Name[de] under de_DE", "translated", "Dateien"},
                      CatalogCase{"no [Desktop Entry] group", "broken", nullptr},
                      CatalogCase{"no such entry", "absent", nullptr}));

TEST_F(AppCatalogTest, NamesDesktopFilesByTheirId) {
    const AppCatalog apps = catalog();
    EXPECT_EQ(
        apps.idForPath(dir->path() + QStringLiteral("/system/applications/kde/konsole.desktop")),
        QStringLiteral("kde-konsole"));
    EXPECT_EQ(apps.idForPath(QStringLiteral("/elsewhere/tool.desktop")), QStringLiteral("tool"));
    EXPECT_EQ(apps.idForPath(QStringLiteral("org.example.App.desktop")),
              QStringLiteral("org.example.App"));
}

TEST(DesktopEntryLocaleTest, PicksTheMostSpecificName) {
    const QByteArray text = "[Desktop Entry]\nName=Files\nName[sr]=Datoteke\n"
                            "Name[sr@latin]=Latin\nName[sr_RS]=Country\n"
                            "[Other Group]\nName=Wrong\n";
    const struct {
        const char* locale;
        const char* expected;
    } cases[] = {{"sr_RS@latin", "Country"},
                 {"sr_ME@latin", "Latin"},
                 {"sr_ME", "Datoteke"},
                 {"C", "Files"},
                 {"en_US.UTF-8", "Files"}};
    for (const auto& c : cases)
        EXPECT_EQ(DesktopEntry::parse(text, QString::fromUtf8(c.locale))->name,
                  QString::fromUtf8(c.expected))
            << c.locale;
}

} // namespace
} // namespace vellaro
