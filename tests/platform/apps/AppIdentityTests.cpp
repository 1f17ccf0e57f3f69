#include "platform/apps/AppCatalog.h"
#include "platform/apps/AppIdentity.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

DesktopEntry installed(const QString& id, const QString& startupWMClass = {}) {
    DesktopEntry entry;
    entry.id = id;
    entry.type = QStringLiteral("Application");
    entry.startupWMClass = startupWMClass;
    return entry;
}

struct IdentityCase {
    const char* name;
    AppIdentity::WindowClues clues;
    const char* expected;
};

class AppIdentityTest : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(AppIdentityTest, ResolvesTheWindowsApplication) {
    const AppCatalog catalog(AppCatalog::Options{{QStringLiteral("/data/local")}, {}, {}});
    const AppIdentity identity(
        {installed(QStringLiteral("org.gnome.TextEditor")), installed(QStringLiteral("xterm")),
         installed(QStringLiteral("code"), QStringLiteral("Code")),
         installed(QStringLiteral("jetbrains-idea"), QStringLiteral("jetbrains-idea-ce"))},
        [catalog](const QString& path) { return catalog.idForPath(path); });
    const IdentityCase& c = GetParam();
    EXPECT_EQ(identity.forWindow(c.clues), QString::fromUtf8(c.expected)) << c.name;
}

using Clues = AppIdentity::WindowClues;
const QString none;

INSTANTIATE_TEST_SUITE_P(
    Table, AppIdentityTest,
    ::testing::Values(
        IdentityCase{"the toolkit's application ID wins over everything",
                     Clues{"org.gnome.TextEditor", "other.desktop", "/x/y.desktop", "code", "Code"},
                     "org.gnome.TextEditor"},
        IdentityCase{"KDE's desktop file, its suffix dropped",
                     Clues{none, "org.kde.dolphin.desktop", "/x/y.desktop", "dolphin", "dolphin"},
                     "org.kde.dolphin"},
        IdentityCase{
            "the launched desktop file in a data folder keeps its subfolder",
            Clues{none, none, "/data/local/applications/kde/konsole.desktop", "konsole", "Konsole"},
            "kde-konsole"},
        IdentityCase{"a launched desktop file elsewhere is named by its file",
                     Clues{none, none, "/opt/tool/tool.desktop", "x", "X"}, "tool"},
        IdentityCase{"StartupWMClass matches the class", Clues{none, none, none, "code", "Code"},
                     "code"},
        IdentityCase{"StartupWMClass matches the instance",
                     Clues{none, none, none, "jetbrains-idea-ce", "jetbrains-idea-ce"},
                     "jetbrains-idea"},
        IdentityCase{"an ID equal to the class ignoring case",
                     Clues{none, none, none, "xterm", "XTerm"}, "xterm"},
        IdentityCase{"an ID equal to the instance ignoring case",
                     Clues{none, none, none, "ORG.GNOME.TEXTEDITOR", "Unrelated"},
                     "org.gnome.TextEditor"},
        IdentityCase{"an unknown program is named by its class",
                     Clues{none, none, none, "xeyes", "XEyes"}, "XEyes"},
        IdentityCase{"only an instance", Clues{none, none, none, "solo", none}, "solo"},
        IdentityCase{"a silent window", Clues{}, ""}));

TEST(AppIdentityLaunchedFileTest, ReadsTheProcessEnvironment) {
    QTemporaryDir proc;
    ASSERT_TRUE(QDir(proc.path()).mkpath(QStringLiteral("42")));
    QFile environ(proc.path() + QStringLiteral("/42/environ"));
    ASSERT_TRUE(environ.open(QIODevice::WriteOnly));
    static const char variables[] =
        "HOME=/h\0GIO_LAUNCHED_DESKTOP_FILE=/usr/share/applications/a.desktop\0X=1";
    environ.write(variables, sizeof variables);
    environ.close();
    EXPECT_EQ(AppIdentity::launchedDesktopFile(42, proc.path()),
              QStringLiteral("/usr/share/applications/a.desktop"));
    EXPECT_EQ(AppIdentity::launchedDesktopFile(43, proc.path()), QString()) << "no such process";
    EXPECT_EQ(AppIdentity::launchedDesktopFile(0, proc.path()), QString()) << "no pid";
}

} // namespace
} // namespace vellaro
