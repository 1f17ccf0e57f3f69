#include "platform/updater/Relauncher.h"

#include "support/WaitUntil.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

TEST(Relauncher, WaitsForTheOldProcessThenStartsTheLauncherAsGiven) {
    QTemporaryDir dir;
    const QString marker = dir.filePath("marker");
    const QString gate = dir.filePath("gate");
    // A launcher path no shell splicing would survive.
    const QString launcher = dir.filePath("it's a \"launcher\" $(touch oops); x");
    QFile script(launcher);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    // Written aside and renamed, so the test never reads a half-written marker.
    script.write(QStringLiteral("#!/bin/sh\n[ -e '%1' ] && echo started-after-exit > '%2.new' && "
                                "mv '%2.new' '%2'\n")
                     .arg(gate, marker)
                     .toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // The "old process": a child that lives until the test lets it go.
    QProcess old;
    old.start("/bin/sh",
              {"-c", QStringLiteral("while [ ! -e '%1' ]; do sleep 0.05; done").arg(gate)});
    ASSERT_TRUE(old.waitForStarted());
    ASSERT_TRUE(Relauncher::start(launcher, old.processId()));

    QFile(gate).open(QIODevice::WriteOnly);
    ASSERT_TRUE(old.waitForFinished(10000));
    ASSERT_TRUE(test::waitUntil([&] { return QFileInfo::exists(marker); }));
    QFile written(marker);
    written.open(QIODevice::ReadOnly);
    EXPECT_EQ(written.readAll(), "started-after-exit\n");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("oops")));
    EXPECT_FALSE(QFileInfo::exists("oops"));
}

} // namespace
} // namespace vellaro
