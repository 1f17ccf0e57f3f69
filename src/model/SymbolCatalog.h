#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QString>
#include <QStringList>

namespace vellaro {

// Symbol names, as stored in items and settings, turned into pictures: a
// freedesktop icon from the icon theme (Adwaita as the fallback theme) or an
// SVG drawn for the program where the theme has no fitting icon.
class SymbolCatalog {
public:
    // Every symbol name the catalog knows.
    static QStringList knownSymbols();

    // The symbol's icon; null for a name the catalog does not know or the
    // theme cannot find.
    static QIcon icon(const QString& symbol);

    // The symbol as a one-colour bitmap of `pixelSize` square pixels in
    // `tint`, the way the dial draws it; null when the symbol does not resolve.
    static QImage image(const QString& symbol, int pixelSize, const QColor& tint);

    // A freedesktop icon by its own name (a MIME type's or a place's), in
    // full colour, from the same themes; null when no theme has it.
    static QImage themeImage(const QString& iconName, int pixelSize);
};

} // namespace vellaro
