#include "platform/apps/ProcessAppLauncher.h"

#include "platform/apps/ExecLine.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace vellaro {

namespace {

QStringList inTerminalWhenAsked(const DesktopEntry& entry, const QStringList& arguments) {
    if (!entry.terminal)
        return arguments;
    QString terminal = QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
    if (terminal.isEmpty())
        terminal = QStringLiteral("xterm");
    return QStringList{terminal, QStringLiteral("-e")} + arguments;
}

// A startup notification id whose time is 0: toolkits that read it set
// that user time on their first window, and the window manager then leaves
// the focus where it is.
QString unfocusedStartupId() {
    static int launches = 0;
    return QStringLiteral("vellaro-%1-%2_TIME0")
        .arg(QCoreApplication::applicationPid())
        .arg(++launches);
}

} // namespace

std::optional<QStringList> ProcessAppLauncher::commandLine(const DesktopEntry& entry,
                                                           QString* error) {
    std::optional<QStringList> arguments = ExecLine::arguments(entry, error);
    if (!arguments)
        return arguments;
    return inTerminalWhenAsked(entry, *arguments);
}

bool ProcessAppLauncher::launch(const DesktopEntry& entry, QString* error) {
    std::optional<QStringList> command = commandLine(entry, error);
    if (!command)
        return false;
    return start(entry, *command, true, error);
}

bool ProcessAppLauncher::open(const DesktopEntry& entry, const QList<QUrl>& documents,
                              bool activates, QString* error) {
    std::optional<QList<QStringList>> commands = ExecLine::commandsOpening(entry, documents, error);
    if (!commands)
        return false;
    for (const QStringList& arguments : *commands)
        if (!start(entry, inTerminalWhenAsked(entry, arguments), activates, error))
            return false;
    return true;
}

bool ProcessAppLauncher::start(const DesktopEntry& entry, QStringList command, bool activates,
                               QString* error) {
    QProcess process;
    process.setProgram(command.takeFirst());
    process.setArguments(command);
    if (!entry.workingDirectory.isEmpty())
        process.setWorkingDirectory(entry.workingDirectory);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!entry.path.isEmpty())
        environment.insert(QStringLiteral("GIO_LAUNCHED_DESKTOP_FILE"), entry.path);
    if (!activates)
        environment.insert(QStringLiteral("DESKTOP_STARTUP_ID"), unfocusedStartupId());
    process.setProcessEnvironment(environment);
    if (!process.startDetached()) {
        if (error)
            *error = process.errorString();
        return false;
    }
    return true;
}

} // namespace vellaro
