#include "platform/session/SystemActions/ToolLauncher.h"

#include "platform/session/SystemActions/ActionsLog.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace vellaro {

ToolLauncher::ToolLauncher(QStringList searchPath) : searchPath_(std::move(searchPath)) {}

QStringList ToolLauncher::environmentPath() {
    return qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
}

QString ToolLauncher::find(const QString& tool) const {
    if (tool.contains(QLatin1Char('/')))
        return QFileInfo(tool).isExecutable() ? tool : QString();
    // An empty list would make Qt search the real PATH.
    if (searchPath_.isEmpty())
        return {};
    return QStandardPaths::findExecutable(tool, searchPath_);
}

void ToolLauncher::launch(const QString& tool, const QStringList& arguments,
                          std::function<void(int)> completion) const {
    const QString program = find(tool);
    if (program.isEmpty()) {
        qCCritical(lcActions, "%s failed to launch: %s", qUtf8Printable(tool),
                   "not found on the search path");
        return;
    }
    auto* process = new QProcess;
    process->setProgram(program);
    process->setArguments(arguments);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);
    QObject::connect(process, &QProcess::finished, process,
                     [process, completion](int exitCode, QProcess::ExitStatus exitStatus) {
                         process->deleteLater();
                         if (completion)
                             completion(exitStatus == QProcess::NormalExit ? exitCode : -1);
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, program](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         qCCritical(lcActions, "%s failed to launch: %s", qUtf8Printable(program),
                                    qUtf8Printable(process->errorString()));
                         process->deleteLater();
                     });
    process->start();
}

} // namespace vellaro
