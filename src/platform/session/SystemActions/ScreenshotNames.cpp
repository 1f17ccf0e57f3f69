#include "platform/session/SystemActions/ScreenshotNames.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace vellaro {

QString ScreenshotNames::reserve(const QString& folder, const QDateTime& time) {
    // The C locale keeps the digits ASCII whatever the user's language.
    const QString stamp =
        QLocale::c().toString(time.toLocalTime(), QStringLiteral("yyyy-MM-dd 'at' HH.mm.ss"));
    const QString base = QDir(folder).filePath(QStringLiteral("Screenshot ") + stamp);
    QString path = base + QStringLiteral(".png");
    for (int n = 2;
         reserved_.contains(path) || QFileInfo(path).exists() || QFileInfo(path).isSymLink(); ++n)
        path = QStringLiteral("%1 (%2).png").arg(base).arg(n);
    reserved_.insert(path);
    return path;
}

} // namespace vellaro
