#include "platform/session/IniText.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace vellaro {

namespace {

QString statusText(QSettings::Status status) {
    return status == QSettings::FormatError ? QStringLiteral("the text is not in INI form")
                                            : QStringLiteral("the scratch copy cannot be used");
}

} // namespace

std::optional<QVariantMap> IniText::decode(const QByteArray& text, QString* error) {
    const QTemporaryDir scratch; // 0700
    const QString path = scratch.filePath(QStringLiteral("scratch.ini"));
    QFile file(path);
    if (!scratch.isValid() || !file.open(QIODevice::WriteOnly) || file.write(text) != text.size() ||
        !file.flush()) {
        *error = QStringLiteral("the scratch copy cannot be written: %1").arg(file.errorString());
        return std::nullopt;
    }
    file.close();
    const QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        *error = statusText(settings.status());
        return std::nullopt;
    }
    QVariantMap values;
    const QStringList keys = settings.allKeys();
    for (const QString& key : keys)
        values.insert(key, settings.value(key));
    return values;
}

namespace {

// Qt's form of a key: letters, digits, "_-." as they are, "%XX" or "%UXXXX"
// for the rest.
QByteArray escapedKey(const QString& key) {
    QByteArray out;
    for (const QChar c : key) {
        const char16_t u = c.unicode();
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
            u == '_' || u == '-' || u == '.')
            out += char(u);
        else if (u <= 0xFF)
            out += '%' + QByteArray::number(u, 16).toUpper().rightJustified(2, '0');
        else
            out += "%U" + QByteArray::number(u, 16).toUpper().rightJustified(4, '0');
    }
    return out;
}

// Qt's form of a text value: escapes, then quotes where a separator or an
// edge space would change how it reads back.
QByteArray escapedText(QString text) {
    if (text.startsWith(QLatin1Char('@')))
        text.prepend(QLatin1Char('@'));
    QByteArray out;
    bool quote = false;
    bool escapeNextIfHex = false;
    for (const QChar c : std::as_const(text)) {
        const char16_t u = c.unicode();
        if (u == ';' || u == ',' || u == '=')
            quote = true;
        if (escapeNextIfHex &&
            ((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F'))) {
            out += "\\x" + QByteArray::number(u, 16);
            continue;
        }
        escapeNextIfHex = false;
        switch (u) {
        case 0:
            out += "\\0";
            escapeNextIfHex = true;
            break;
        case '\a':
            out += "\\a";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\v':
            out += "\\v";
            break;
        case '"':
        case '\\':
            out += '\\';
            out += char(u);
            break;
        default:
            if (u <= 0x1F) {
                out += "\\x" + QByteArray::number(u, 16);
                escapeNextIfHex = true;
            } else {
                out += QString(c).toUtf8();
            }
        }
    }
    if (quote || out.startsWith(' ') || out.endsWith(' '))
        out = '"' + out + '"';
    return out;
}

// The flags the program keeps are Booleans and texts at the top level: those
// are written here, each write checked by OwnedFile. Anything else goes
// through QSettings itself.
bool isPlain(const QVariantMap& values) {
    for (auto it = values.begin(); it != values.end(); ++it) {
        const int type = it.value().typeId();
        if (it.key().isEmpty() || it.key().contains(QLatin1Char('/')) ||
            it.key().contains(QLatin1Char('\\')) ||
            (type != QMetaType::Bool && type != QMetaType::QString))
            return false;
        // QChar surrogates would be split by the per-character writer.
        if (type == QMetaType::QString) {
            for (const QChar c : it.value().toString())
                if (c.isSurrogate())
                    return false;
        }
    }
    return true;
}

} // namespace

std::optional<QByteArray> IniText::encode(const QVariantMap& values, QString* error) {
    if (values.isEmpty())
        return QByteArray(); // QSettings writes no file for nothing
    if (isPlain(values)) {
        QByteArray text = "[General]\n";
        for (auto it = values.begin(); it != values.end(); ++it) {
            text += escapedKey(it.key()) + '=' +
                    (it.value().typeId() == QMetaType::Bool
                         ? QByteArray(it.value().toBool() ? "true" : "false")
                         : escapedText(it.value().toString())) +
                    '\n';
        }
        return text;
    }
    return encodeWithQSettings(values, error);
}

std::optional<QByteArray> IniText::encodeWithQSettings(const QVariantMap& values, QString* error) {
    const QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("scratch.ini"));
    if (!scratch.isValid()) {
        *error = statusText(QSettings::AccessError);
        return std::nullopt;
    }
    {
        QSettings settings(path, QSettings::IniFormat);
        for (auto it = values.begin(); it != values.end(); ++it)
            settings.setValue(it.key(), it.value());
        settings.sync();
        if (settings.status() != QSettings::NoError) {
            *error = statusText(settings.status());
            return std::nullopt;
        }
    }
    QFile file(path);
    const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    // QSettings does not check its own writes: a short scratch copy shows as
    // keys missing when it is read back.
    const std::optional<QVariantMap> check = decode(text, error);
    if (!check || check->keys() != values.keys()) {
        *error = QStringLiteral("the scratch copy was not written whole");
        return std::nullopt;
    }
    return text;
}

} // namespace vellaro
