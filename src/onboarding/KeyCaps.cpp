#include "onboarding/KeyCaps.h"

#include <QTextBoundaryFinder>

namespace vellaro {

namespace {

bool isModifierGlyph(QStringView grapheme) {
    static const QString glyphs = QStringLiteral(u"\u2303\u2325\u21e7\u2318");
    return grapheme.size() == 1 && glyphs.contains(grapheme.front());
}

} // namespace

QStringList keyCapPieces(const QString& display) {
    QStringList pieces;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, display);
    qsizetype start = 0;
    while (start < display.size()) {
        finder.setPosition(start);
        qsizetype end = finder.toNextBoundary();
        if (end < 0)
            end = display.size();
        const QStringView grapheme = QStringView(display).mid(start, end - start);
        if (!isModifierGlyph(grapheme))
            break;
        pieces << grapheme.toString();
        start = end;
    }
    if (start < display.size())
        pieces << display.mid(start);
    return pieces;
}

} // namespace vellaro
