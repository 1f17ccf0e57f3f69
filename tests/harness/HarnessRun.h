#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

namespace vellaro::test {

// One run of the real program in harness mode: its exit status and what it
// printed on standard output.
struct HarnessRun {
    int status = -1;
    QString output;
};

// `command` is "--spike-capture" or "--spike-match"; `inChild` runs in the
// child just before the program starts (limits, signal dispositions).
inline HarnessRun runHarness(const QString& command, const QString& path,
                             const QProcessEnvironment& environment,
                             const std::function<void()>& inChild = {}) {
    QProcess process;
    process.setProcessEnvironment(environment);
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.start(QStringLiteral(VELLARO_BINARY), {command, path});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, QString::fromUtf8(process.readAllStandardError())};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

} // namespace vellaro::test
