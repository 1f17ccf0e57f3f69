#include "platform/updater/InstallLocation.h"

#include <QSet>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

struct Case {
    const char* name;
    QString executable;
    QString appImage;
    QHash<QString, QString> links;
    InstallLocation::Kind kind;
    QString detail; // the reason, or the launcher path
};

TEST(InstallLocation, TellsHowTheRunningCopyWasInstalled) {
    const QSet<QString> writable = {"/home/u/Apps/Vellaro.AppImage", "/home/u/Apps",
                                    "/home/u/.local/lib/vellaro",
                                    "/home/u/.local/lib/vellaro/versions"};
    const QString pkg = "installed by your system's package manager; update it there";
    const QString cannot = "this copy cannot update itself";
    using Kind = InstallLocation::Kind;
    const QString root = "/home/u/.local/lib/vellaro";
    const Case cases[] = {
        {"appimage",
         "/tmp/.mount_x/usr/bin/vellaro",
         "/home/u/Apps/Vellaro.AppImage",
         {},
         Kind::appImage,
         "/home/u/Apps/Vellaro.AppImage"},
        {"read-only appimage",
         "/tmp/.mount_x/usr/bin/vellaro",
         "/opt/Vellaro.AppImage",
         {},
         Kind::notSelfUpdatable,
         cannot},
        {"relative appimage",
         "/tmp/.mount_x/usr/bin/vellaro",
         "Vellaro.AppImage",
         {},
         Kind::notSelfUpdatable,
         cannot},
        {"versioned, relative link",
         root + "/versions/100/bin/vellaro",
         "",
         {{root + "/current", "versions/100"}},
         Kind::versionFolder,
         root + "/current/bin/vellaro"},
        {"versioned, absolute link",
         root + "/versions/100/bin/vellaro",
         "",
         {{root + "/current", root + "/versions/100"}},
         Kind::versionFolder,
         root + "/current/bin/vellaro"},
        {"current elsewhere",
         root + "/versions/100/bin/vellaro",
         "",
         {{root + "/current", "versions/99"}},
         Kind::notSelfUpdatable,
         cannot},
        {"no current link",
         root + "/versions/100/bin/vellaro",
         "",
         {},
         Kind::notSelfUpdatable,
         cannot},
        {"package manager", "/usr/bin/vellaro", "", {}, Kind::notSelfUpdatable, pkg},
        {"versioned under /usr, read-only",
         "/usr/lib/vellaro/versions/1/bin/vellaro",
         "",
         {{"/usr/lib/vellaro/current", "versions/1"}},
         Kind::notSelfUpdatable,
         pkg},
        {"build folder",
         "/home/u/src/vellaro/build/src/app/vellaro",
         "",
         {},
         Kind::notSelfUpdatable,
         cannot},
    };
    for (const Case& c : cases) {
        InstallLocation::Facts facts;
        facts.executable = c.executable;
        facts.appImage = c.appImage;
        facts.isWritableFile = [&](const QString& path) { return writable.contains(path); };
        facts.isWritableFolder = [&](const QString& path) { return writable.contains(path); };
        facts.linkTarget = [&](const QString& path) { return c.links.value(path); };
        const InstallLocation location = InstallLocation::resolve(facts);
        EXPECT_EQ(location.kind, c.kind) << c.name;
        if (c.kind == Kind::notSelfUpdatable) {
            EXPECT_EQ(location.reason, c.detail) << c.name;
            EXPECT_EQ(location.launcherPath, c.executable) << c.name;
            EXPECT_FALSE(location.canUpdate()) << c.name;
        } else {
            EXPECT_EQ(location.launcherPath, c.detail) << c.name;
            EXPECT_TRUE(location.reason.isEmpty()) << c.name;
        }
        if (c.kind == Kind::versionFolder) {
            EXPECT_EQ(location.root, root) << c.name;
            EXPECT_EQ(location.runningFolder, "100") << c.name;
            EXPECT_EQ(location.packageType(), "application/x-xz-compressed-tar");
        }
    }
}

} // namespace
} // namespace vellaro
