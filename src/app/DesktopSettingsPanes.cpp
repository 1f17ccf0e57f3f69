#include "app/DesktopSettingsPanes.h"

#include "app/Logging.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace vellaro {

SettingsPanes& SettingsPanes::desktop() {
    static DesktopSettingsPanes instance;
    return instance;
}

void DesktopSettingsPanes::launchFirst(const std::vector<QStringList>& candidates) {
    for (const QStringList& command : candidates) {
        const QString program = QStandardPaths::findExecutable(command.front());
        if (program.isEmpty())
            continue;
        if (QProcess::startDetached(program, command.mid(1)))
            return;
    }
    qCInfo(permissionLog) << "No desktop settings program found to open";
}

void DesktopSettingsPanes::openWindowAccess() {
    launchFirst({{QStringLiteral("gnome-control-center")},
                 {QStringLiteral("systemsettings")},
                 {QStringLiteral("xfce4-settings-manager")}});
}

void DesktopSettingsPanes::openMicrophone() {
    launchFirst({{QStringLiteral("gnome-control-center"), QStringLiteral("sound")},
                 {QStringLiteral("systemsettings"), QStringLiteral("kcm_pulseaudio")},
                 {QStringLiteral("pavucontrol"), QStringLiteral("--tab=4")}});
}

void DesktopSettingsPanes::revealApplication() {
    const QString file = QCoreApplication::applicationFilePath();
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(file).toString()} << QString();
    // Asynchronous: a missing file manager must not stall the program.
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, 2000));
    QObject::connect(
        watcher, &QDBusPendingCallWatcher::finished, watcher, [file](QDBusPendingCallWatcher* w) {
            if (w->isError())
                QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absolutePath()));
            w->deleteLater();
        });
}

} // namespace vellaro
