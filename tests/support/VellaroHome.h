#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QString>

namespace vellaro::test {

// The program's files in the test's own HOME, for tests that start it.
struct VellaroHome {
    static QString settingsFile() {
        return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
            .filePath(QStringLiteral("Vellaro/settings.json"));
    }

    // Otherwise the setup assistant opens at start and holds the dial back.
    static void markSetupDone() {
        const QString folder =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
            QStringLiteral("/Vellaro");
        QDir().mkpath(folder);
        QSettings(folder + QStringLiteral("/defaults.ini"), QSettings::IniFormat)
            .setValue(QStringLiteral("vellaroOnboardingCompleted"), true);
    }

    static bool writeSettings(const QByteArray& json) {
        QDir().mkpath(QFileInfo(settingsFile()).path());
        QFile file(settingsFile());
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(json) == json.size();
    }
};

} // namespace vellaro::test
