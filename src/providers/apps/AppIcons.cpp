#include "providers/apps/AppIcons.h"

#include "model/SymbolCatalog.h"

#include <QFileInfo>
#include <QIcon>

namespace vellaro {

AppIcons& AppIcons::shared() {
    static AppIcons icons;
    return icons;
}

QImage AppIcons::icon(const DesktopEntry& entry) {
    return icon(entry.icon);
}

QImage AppIcons::icon(const QString& nameOrPath) {
    if (const auto found = loaded_.constFind(nameOrPath); found != loaded_.constEnd())
        return *found;
    SymbolCatalog::prepareIconTheme();
    QIcon source;
    if (nameOrPath.startsWith(QLatin1Char('/'))) {
        if (QFileInfo(nameOrPath).isFile())
            source = QIcon(nameOrPath);
    } else if (!nameOrPath.isEmpty()) {
        source = QIcon::fromTheme(nameOrPath);
    }
    if (source.isNull())
        source = QIcon::fromTheme(QStringLiteral("application-x-executable"));
    QImage image = source.pixmap(size, size).toImage();
    if (image.size() != QSize(size, size) && !image.isNull())
        image = image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    loaded_.insert(nameOrPath, image);
    return image;
}

} // namespace vellaro
