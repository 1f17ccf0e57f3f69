#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QString>
#include <QTextLayout>

namespace vellaro::test {

// How many characters of `text` no installed font can draw in `font`,
// fallback fonts included: they come out as the empty glyph (a box).
inline int missingGlyphs(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int missing = 0;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        for (const quint32 glyph : run.glyphIndexes())
            missing += glyph == 0 ? 1 : 0;
    }
    return missing;
}

} // namespace vellaro::test
