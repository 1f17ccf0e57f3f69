#pragma once

#include "support/WaitUntil.h"

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

namespace vellaro::test {

// Starts `program` with `environment`, gathering everything it prints into
// `log`, and waits until `log` holds `readyLine`; false when it never does.
inline bool startLogged(QProcess& process, QByteArray& log, const QProcessEnvironment& environment,
                        const QString& program, const QByteArray& readyLine) {
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QObject::connect(&process, &QProcess::readyRead,
                     [&process, &log] { log += process.readAll(); });
    process.start(program, {});
    return process.waitForStarted() &&
           waitUntil([&log, &readyLine] { return log.contains(readyLine); }, 30000);
}

} // namespace vellaro::test
