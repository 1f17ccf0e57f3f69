#include "model/HotKeyText.h"

#include "platform/input/KeyNames.h"

namespace vellaro {

namespace {
const QString controlGlyph = QStringLiteral(u"\u2303");
const QString optionGlyph = QStringLiteral(u"\u2325");
const QString shiftGlyph = QStringLiteral(u"\u21E7");
const QString commandGlyph = QStringLiteral(u"\u2318");

bool isModifierGlyph(QChar c) {
    return c == controlGlyph[0] || c == optionGlyph[0] || c == shiftGlyph[0] ||
           c == commandGlyph[0];
}
} // namespace

QString HotKeyText::keyName(const KeyStroke& stroke) {
    switch (stroke.keyCode) {
    case 36:
        return QStringLiteral("Return");
    case 48:
        return QStringLiteral("Tab");
    case 49:
        return QStringLiteral("Space");
    case 53:
        return QStringLiteral("Esc");
    case 123:
        return QStringLiteral(u"\u2190");
    case 124:
        return QStringLiteral(u"\u2192");
    case 125:
        return QStringLiteral(u"\u2193");
    case 126:
        return QStringLiteral(u"\u2191");
    default:
        break;
    }
    if (stroke.characters.isEmpty())
        return QStringLiteral("Key %1").arg(stroke.keyCode);
    return stroke.characters.toUpper();
}

QString HotKeyText::displayString(const KeyStroke& stroke) {
    QString text;
    if (stroke.modifiers & carbonControlKey)
        text += controlGlyph;
    if (stroke.modifiers & carbonOptionKey)
        text += optionGlyph;
    if (stroke.modifiers & carbonShiftKey)
        text += shiftGlyph;
    if (stroke.modifiers & carbonCommandKey)
        text += commandGlyph;
    return text + keyName(stroke);
}

QStringList HotKeyText::shortcutParts(std::uint32_t keyCode, std::uint32_t carbonModifiers) {
    QStringList parts;
    if (carbonModifiers & carbonShiftKey)
        parts << QStringLiteral("Shift");
    if (carbonModifiers & carbonControlKey)
        parts << QStringLiteral("Ctrl");
    if (carbonModifiers & carbonOptionKey)
        parts << QStringLiteral("Alt");
    if (carbonModifiers & carbonCommandKey)
        parts << QStringLiteral("Super");
    const QString key = KeyNames::forKeyCode(keyCode);
    parts << (key.isEmpty() ? QStringLiteral("Key %1").arg(keyCode) : key);
    return parts;
}

QString HotKeyText::shortcutText(std::uint32_t keyCode, std::uint32_t carbonModifiers) {
    return shortcutParts(keyCode, carbonModifiers).join(QLatin1Char('+'));
}

QString HotKeyText::spacedDisplayString(const QString& display) {
    QStringList pieces;
    qsizetype i = 0;
    while (i < display.size() && isModifierGlyph(display[i]))
        pieces.append(display.mid(i++, 1));
    if (i < display.size())
        pieces.append(display.mid(i));
    return pieces.join(QLatin1Char(' '));
}

bool HotKeyText::hasRequiredModifier(std::uint32_t carbonModifiers) {
    return (carbonModifiers & (carbonControlKey | carbonOptionKey | carbonCommandKey)) != 0;
}

std::uint32_t HotKeyText::carbonModifiers(Qt::KeyboardModifiers modifiers) {
    std::uint32_t mask = 0;
    if (modifiers & Qt::MetaModifier)
        mask |= carbonCommandKey;
    if (modifiers & Qt::AltModifier)
        mask |= carbonOptionKey;
    if (modifiers & Qt::ControlModifier)
        mask |= carbonControlKey;
    if (modifiers & Qt::ShiftModifier)
        mask |= carbonShiftKey;
    return mask;
}

} // namespace vellaro
