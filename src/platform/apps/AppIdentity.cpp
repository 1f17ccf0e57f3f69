#include "platform/apps/AppIdentity.h"

#include <QFile>

namespace vellaro {

namespace {
// The environment of a process is small; read no more than this.
constexpr qint64 maxEnvironSize = 1 << 20;
} // namespace

AppIdentity::AppIdentity(const std::vector<DesktopEntry>& installed, IdForPath idForPath)
    : idForPath_(std::move(idForPath)) {
    for (const DesktopEntry& entry : installed) {
        if (!entry.startupWMClass.isEmpty() && !byStartupWMClass_.contains(entry.startupWMClass))
            byStartupWMClass_.insert(entry.startupWMClass, entry.id);
        const QString folded = entry.id.toCaseFolded();
        if (!byFoldedId_.contains(folded))
            byFoldedId_.insert(folded, entry.id);
    }
}

QString AppIdentity::forDesktopFile(const QString& pathOrName) const {
    return idForPath_(pathOrName);
}

QString AppIdentity::forWindow(const WindowClues& clues) const {
    if (!clues.gtkApplicationId.isEmpty())
        return clues.gtkApplicationId;
    if (!clues.kdeDesktopFile.isEmpty())
        return forDesktopFile(clues.kdeDesktopFile);
    if (!clues.launchedDesktopFile.isEmpty())
        return forDesktopFile(clues.launchedDesktopFile);
    for (const QString& part : {clues.wmClass, clues.wmInstance}) {
        if (!part.isEmpty() && byStartupWMClass_.contains(part))
            return byStartupWMClass_.value(part);
    }
    for (const QString& part : {clues.wmClass, clues.wmInstance}) {
        const auto found = byFoldedId_.constFind(part.toCaseFolded());
        if (!part.isEmpty() && found != byFoldedId_.constEnd())
            return *found;
    }
    return clues.wmClass.isEmpty() ? clues.wmInstance : clues.wmClass;
}

QString AppIdentity::launchedDesktopFile(quint32 pid, const QString& procRoot) {
    if (pid == 0)
        return {};
    QFile environ(procRoot + QLatin1Char('/') + QString::number(pid) + QStringLiteral("/environ"));
    if (!environ.open(QIODevice::ReadOnly))
        return {};
    // In small steps: a buffer of the whole bound per call costs more than
    // the read on every window of a walk.
    QByteArray text;
    while (text.size() < maxEnvironSize) {
        const QByteArray chunk = environ.read(16 * 1024);
        if (chunk.isEmpty())
            break;
        text += chunk;
    }
    const QByteArray prefix("GIO_LAUNCHED_DESKTOP_FILE=");
    for (const QByteArray& variable : text.split('\0')) {
        if (variable.startsWith(prefix))
            return QString::fromLocal8Bit(variable.mid(prefix.size()));
    }
    return {};
}

} // namespace vellaro
