#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace vellaro::test {

// Runs a command-line tool (pactl, gsettings, ...) to its end and returns
// what it printed, trimmed.
inline QString toolOutput(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace vellaro::test
