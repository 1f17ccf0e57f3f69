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

    // Makes the freedesktop icon folders and themes known to Qt, once; for
    // other code that loads theme icons by name.
    static void prepareIconTheme();
};

} // namespace vellaro
