#include "harness/SpikeText.h"

namespace vellaro {

namespace {

bool isControl(char16_t c) {
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x2028 || c == 0x2029;
}

QString escape(char16_t c) {
    switch (c) {
    case '\b':
        return QStringLiteral("\\b");
    case '\f':
        return QStringLiteral("\\f");
    case '\n':
        return QStringLiteral("\\n");
    case '\r':
        return QStringLiteral("\\r");
    case '\t':
        return QStringLiteral("\\t");
    default:
        return QStringLiteral("\\u%1").arg(int(c), 4, 16, QLatin1Char('0'));
    }
}

} // namespace

QString escapedControlCharacters(const QString& text) {
    QString result;
    result.reserve(text.size());
    // Every control character is a single UTF-16 unit, never part of a pair.
    for (const QChar c : text) {
        if (isControl(c.unicode()))
            result += escape(c.unicode());
        else
            result += c;
    }
    return result;
}

} // namespace vellaro
