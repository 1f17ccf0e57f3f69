#include "app/DesktopSettingsPanes.h"

#include "app/Logging.h"
#include "platform/session/Desktop.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

namespace vellaro {

SettingsPanes& SettingsPanes::desktop() {
    static DesktopSettingsPanes instance;
    return instance;
}

QString DesktopSettingsPanes::launchFirst(const std::vector<QStringList>& candidates) {
    for (const QStringList& command : candidates) {
        const QString program = QStandardPaths::findExecutable(command.front());
        if (program.isEmpty())
            continue;
        if (QProcess::startDetached(program, command.mid(1)))
            return {};
    }
    const QString reason = QStringLiteral("No desktop settings program found to open");
    qCInfo(permissionLog).noquote() << reason;
    return reason;
}

QString DesktopSettingsPanes::openWindowAccess() {
    return launchFirst({{QStringLiteral("gnome-control-center")},
                        {QStringLiteral("systemsettings")},
                        {QStringLiteral("xfce4-settings-manager")}});
}

void DesktopSettingsPanes::openMicrophone() {
    launchFirst({{QStringLiteral("gnome-control-center"), QStringLiteral("sound")},
                 {QStringLiteral("systemsettings"), QStringLiteral("kcm_pulseaudio")},
                 {QStringLiteral("pavucontrol"), QStringLiteral("--tab=4")}});
}

void DesktopSettingsPanes::revealApplication() {
    Desktop::shared().reveal(QCoreApplication::applicationFilePath());
}

} // namespace vellaro
