// The real program with something other than its file at the path of
// defaults.ini or the clipboard key: it starts, and it quits when asked.
// Leftovers of interrupted saves are gone once it is up.
#include "support/BadPaths.h"
#include "support/LoggedProgram.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

namespace vellaro {
namespace {

TEST(KeptFilesStart, WhateverIsAtThePathOfDefaultsOrTheKeyTheProgramStartsAndQuits) {
    const QString files[] = {QStringLiteral("Vellaro/defaults.ini"),
                             QStringLiteral("Vellaro/keys/clipboard-history-key")};
    for (const QString& file : files) {
        for (const test::BadPath& bad : test::badPaths()) {
            SCOPED_TRACE(file.toStdString() + " as " + bad.name);
            QTemporaryDir home;
            const QString config = home.filePath(QStringLiteral("config"));
            const QString data = home.filePath(QStringLiteral("data"));
            const QString path = config + QLatin1Char('/') + file;
            ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
            ASSERT_TRUE(QDir().mkpath(data + QStringLiteral("/Vellaro")));
            ASSERT_TRUE(bad.plant(path, home.path(), 1 << 20));
            // A history to open, so the key is looked for at start; and what
            // a save killed half-way left.
            const QString leftover = data + QStringLiteral("/Vellaro/clipboard.sealed.new-a1B2c3");
            for (const QString& planted :
                 {data + QStringLiteral("/Vellaro/clipboard.sealed"), leftover}) {
                QFile sealed(planted);
                ASSERT_TRUE(sealed.open(QIODevice::WriteOnly));
                sealed.write(QByteArray(64, 's'));
            }

            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
            env.insert(QStringLiteral("XDG_DATA_HOME"), data);
            QProcess vellaro;
            QByteArray log;
            ASSERT_TRUE(test::startLogged(vellaro, log, env, QStringLiteral(VELLARO_BINARY),
                                          "Vellaro ready"))
                << log.constData();
            EXPECT_FALSE(QFile::exists(leftover));

            ::kill(pid_t(vellaro.processId()), SIGTERM);
            const bool ended = vellaro.waitForFinished(20000);
            if (!ended)
                vellaro.kill();
            EXPECT_TRUE(ended) << log.constData();
        }
    }
}

} // namespace
} // namespace vellaro
