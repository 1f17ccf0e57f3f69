#include "providers/apps/AppIcons.h"

#include "model/SymbolCatalog.h"

#include <QFileInfo>

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
    QImage image;
    if (nameOrPath.startsWith(QLatin1Char('/'))) {
        if (QFileInfo(nameOrPath).isFile())
            image = QImage(nameOrPath);
    } else {
        image = SymbolCatalog::themeImage(nameOrPath, size);
    }
    if (image.isNull())
        image = SymbolCatalog::themeImage(QStringLiteral("application-x-executable"), size);
    if (!image.isNull() && image.size() != QSize(size, size))
        image = image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    loaded_.insert(nameOrPath, image);
    return image;
}

} // namespace vellaro
