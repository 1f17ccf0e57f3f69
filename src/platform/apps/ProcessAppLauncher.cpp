#include "platform/apps/ProcessAppLauncher.h"

#include "platform/apps/ExecLine.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace vellaro {

std::optional<QStringList> ProcessAppLauncher::commandLine(const DesktopEntry& entry,
                                                           QString* error) {
    std::optional<QStringList> arguments = ExecLine::arguments(entry, error);
    if (!arguments || !entry.terminal)
        return arguments;
    QString terminal = QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
    if (terminal.isEmpty())
        terminal = QStringLiteral("xterm");
    return QStringList{terminal, QStringLiteral("-e")} + *arguments;
}

bool ProcessAppLauncher::launch(const DesktopEntry& entry, QString* error) {
    std::optional<QStringList> command = commandLine(entry, error);
    if (!command)
        return false;
    QProcess process;
    process.setProgram(command->takeFirst());
    process.setArguments(*command);
    if (!entry.workingDirectory.isEmpty())
        process.setWorkingDirectory(entry.workingDirectory);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("GIO_LAUNCHED_DESKTOP_FILE"), entry.path);
    process.setProcessEnvironment(environment);
    if (!process.startDetached()) {
        if (error)
            *error = process.errorString();
        return false;
    }
    return true;
}

} // namespace vellaro
