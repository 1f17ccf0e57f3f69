#include "workspaces/DisplaySignature.h"

#include <QStringList>

namespace vellaro {

QString displaySignature(const QList<Monitor>& monitors) {
    if (monitors.isEmpty())
        return {};
    const QRect first = monitors.first().frame;
    const int firstBottom = first.y() + first.height();
    QStringList parts;
    for (const Monitor& monitor : monitors) {
        const QRect frame = monitor.frame;
        parts.append(QStringLiteral("%1x%2@%3,%4")
                         .arg(frame.width())
                         .arg(frame.height())
                         .arg(frame.x() - first.x())
                         .arg(firstBottom - (frame.y() + frame.height())));
    }
    return parts.join(QLatin1Char('|'));
}

} // namespace vellaro
