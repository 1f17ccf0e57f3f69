#include "platform/updater/Relauncher.h"

#include <QProcess>

namespace vellaro {

bool Relauncher::start(const QString& launcher, qint64 pid) {
    static const QString script =
        QStringLiteral("i=0; while kill -0 \"$1\" 2>/dev/null && [ \"$i\" -lt 100 ]; do sleep 0.1; "
                       "i=$((i + 1)); done; exec \"$2\"");
    return QProcess::startDetached(
        QStringLiteral("/bin/sh"),
        {QStringLiteral("-c"), script, QStringLiteral("sh"), QString::number(pid), launcher});
}

} // namespace vellaro
