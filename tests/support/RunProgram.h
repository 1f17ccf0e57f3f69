#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace vellaro::test {

// Runs a helper program of the session to its end and returns
// what it printed, trimmed.
inline QString runProgram(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// One xdotool step; it returns once the step was sent, and the events it
// caused for this process are handled meanwhile.
inline void xdotool(const QStringList& arguments) {
    runProgram(QStringLiteral("xdotool"), arguments);
    QCoreApplication::processEvents();
}

} // namespace vellaro::test
