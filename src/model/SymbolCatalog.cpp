#include "model/SymbolCatalog.h"

#include <QDir>
#include <QLoggingCategory>
#include <QPainter>
#include <QPixmap>
#include <QSet>
#include <QStandardPaths>
#include <array>
#include <mutex>

// Qt's resource initialiser must be named outside any namespace.
static void initSymbolResources() {
    Q_INIT_RESOURCE(symbols);
}

namespace vellaro {

namespace {

Q_LOGGING_CATEGORY(lcSymbols, "vellaro.symbols")

struct Symbol {
    const char* name;
    // The freedesktop icon name; none means the program draws it
    // (resources/symbols/<name>.svg).
    const char* themeIcon;
};

constexpr std::array symbols{
    Symbol{"rectangle.3.group", nullptr},
    Symbol{"macwindow.on.rectangle", nullptr},
    Symbol{"square.grid.2x2", "view-grid-symbolic"},
    Symbol{"folder", "folder-symbolic"},
    Symbol{"doc.on.clipboard", "edit-paste-symbolic"},
    Symbol{"speaker.wave.2", "audio-volume-medium-symbolic"},
    Symbol{"bolt", nullptr},
    Symbol{"magnifyingglass", "edit-find-symbolic"},
    Symbol{"chevron.backward", "go-previous-symbolic"},
    Symbol{"mic", "audio-input-microphone-symbolic"},
    Symbol{"plus", "list-add-symbolic"},
    Symbol{"camera.viewfinder", "applets-screenshooter-symbolic"},
    Symbol{"camera.on.rectangle", "camera-photo-symbolic"},
    Symbol{"moon", "weather-clear-night-symbolic"},
    Symbol{"circle.lefthalf.filled", nullptr},
    Symbol{"lock", "system-lock-screen-symbolic"},
    Symbol{"mic.slash", "microphone-disabled-symbolic"},
    Symbol{"cup.and.saucer", nullptr},
    Symbol{"trash", "user-trash-symbolic"},
    Symbol{"text.alignleft", "format-justify-left-symbolic"},
    Symbol{"link", "insert-link-symbolic"},
    Symbol{"doc", "text-x-generic-symbolic"},
    Symbol{"photo", "image-x-generic-symbolic"},
    Symbol{"textformat", "insert-text-symbolic"},
    Symbol{"clock.arrow.circlepath", "document-open-recent-symbolic"},
    Symbol{"magnifyingglass", "edit-find-symbolic"},
    Symbol{"speaker.wave.3", "audio-volume-high-symbolic"},
    Symbol{"speaker.wave.1", "audio-volume-low-symbolic"},
    Symbol{"speaker.slash", "audio-volume-muted-symbolic"},
    Symbol{"speaker.slash.fill", "audio-volume-muted-symbolic"},
    Symbol{"speaker", "audio-speakers-symbolic"},
    Symbol{"hifispeaker", "audio-speakers-symbolic"},
    Symbol{"headphones", "audio-headphones-symbolic"},
    Symbol{"airpodspro", "audio-headset-symbolic"},
    Symbol{"display", "video-display-symbolic"},
    Symbol{"laptopcomputer", "computer-symbolic"},
    Symbol{"plus.viewfinder", nullptr},
    Symbol{"checkmark.circle.fill", nullptr},
    Symbol{"exclamationmark.triangle.fill", nullptr},
    Symbol{"rectangle.lefthalf.inset.filled", nullptr},
    Symbol{"rectangle.righthalf.inset.filled", nullptr},
    Symbol{"rectangle.inset.filled", nullptr},
    Symbol{"rectangle.center.inset.filled", nullptr},
    Symbol{"arrow.uturn.backward", "edit-undo-symbolic"},
    Symbol{"display.2", "video-joined-displays-symbolic"},
    Symbol{"lock.shield", "security-high-symbolic"},
    Symbol{"chevron.up", "pan-up-symbolic"},
    Symbol{"chevron.down", "pan-down-symbolic"},
    Symbol{"questionmark.app", "dialog-question-symbolic"},
    Symbol{"minus.circle", nullptr},
    Symbol{"hand.raised", "action-unavailable-symbolic"},
    Symbol{"computermouse", "input-mouse-symbolic"},
};

void prepare() {
    static std::once_flag once;
    std::call_once(once, [] {
        initSymbolResources();
        // Without a desktop platform theme (offscreen, a bare X session) Qt
        // names no theme and searches no XDG folder; add the freedesktop icon
        // folders and start from hicolor, the base every theme inherits.
        QStringList searchPaths = QIcon::themeSearchPaths();
        QStringList folders{QDir::homePath() + QStringLiteral("/.icons")};
        for (const QString& data :
             QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
            folders << data + QStringLiteral("/icons");
        folders << QStringLiteral("/usr/share/pixmaps");
        for (const QString& folder : folders) {
            if (!searchPaths.contains(folder) && QDir(folder).exists())
                searchPaths << folder;
        }
        QIcon::setThemeSearchPaths(searchPaths);
        if (QIcon::themeName().isEmpty())
            QIcon::setThemeName(QStringLiteral("hicolor"));
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    });
}

const Symbol* find(const QString& name) {
    for (const Symbol& symbol : symbols) {
        if (name == QLatin1String(symbol.name))
            return &symbol;
    }
    return nullptr;
}

void warnOnce(const QString& name, const char* why) {
    static QSet<QString> warned;
    if (!warned.contains(name)) {
        warned.insert(name);
        qCWarning(lcSymbols) << "Symbol" << name << why;
    }
}

} // namespace

QStringList SymbolCatalog::knownSymbols() {
    QStringList names;
    for (const Symbol& symbol : symbols)
        names << QLatin1String(symbol.name);
    return names;
}

QIcon SymbolCatalog::icon(const QString& name) {
    prepare();
    const Symbol* symbol = find(name);
    if (!symbol) {
        warnOnce(name, "is not in the catalog");
        return {};
    }
    QIcon icon = symbol->themeIcon
                     ? QIcon::fromTheme(QLatin1String(symbol->themeIcon))
                     : QIcon(QStringLiteral(":/symbols/%1.svg").arg(QLatin1String(symbol->name)));
    if (icon.isNull())
        warnOnce(name, "has no icon in the icon theme");
    return icon;
}

QImage SymbolCatalog::image(const QString& name, int pixelSize, const QColor& tint) {
    const QIcon source = icon(name);
    if (source.isNull() || pixelSize <= 0)
        return {};
    const QSize size(pixelSize, pixelSize);
    const QPixmap pixmap = source.pixmap(size, 1.0);
    if (pixmap.isNull())
        return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // A theme may only have smaller sizes: centre what it gives.
    const QRect target(QPoint((pixelSize - pixmap.width()) / 2, (pixelSize - pixmap.height()) / 2),
                       pixmap.size());
    painter.drawPixmap(target, pixmap);
    // Keep the shape, paint it in the tint.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), tint);
    painter.end();
    return image;
}

QImage SymbolCatalog::themeImage(const QString& iconName, int pixelSize) {
    prepare();
    if (iconName.isEmpty() || pixelSize <= 0 || !QIcon::hasThemeIcon(iconName))
        return {};
    return QIcon::fromTheme(iconName).pixmap(QSize(pixelSize, pixelSize), 1.0).toImage();
}

} // namespace vellaro
