#include "platform/apps/DesktopEntry.h"

#include <QByteArrayView>
#include <QFile>
#include <QHash>

namespace vellaro {

namespace {

// Desktop entries are small; anything larger is not one.
constexpr qint64 maxEntrySize = 1 << 20;

// The string escapes of the desktop entry format: \s \n \t \r \\.
// Other escapes stay as written, for the Exec parser to judge.
QString unescape(const QString& raw) {
    QString value;
    value.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (c != QLatin1Char('\\') || i + 1 == raw.size()) {
            value += c;
            continue;
        }
        const QChar next = raw[++i];
        switch (next.unicode()) {
        case 's':
            value += QLatin1Char(' ');
            break;
        case 'n':
            value += QLatin1Char('\n');
            break;
        case 't':
            value += QLatin1Char('\t');
            break;
        case 'r':
            value += QLatin1Char('\r');
            break;
        case '\\':
            value += QLatin1Char('\\');
            break;
        default:
            value += c;
            value += next;
        }
    }
    return value;
}

QStringList splitList(const QString& value) {
    QStringList items;
    QString current;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == QLatin1Char('\\') && i + 1 < value.size() && value[i + 1] == QLatin1Char(';')) {
            current += QLatin1Char(';');
            ++i;
        } else if (c == QLatin1Char(';')) {
            items.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        items.append(current);
    return items;
}

bool isTrue(const QString& value) {
    return value == QLatin1String("true");
}

// The suffixes to try for a localised key, most specific first, as the
// desktop entry format orders them: lang_COUNTRY@MODIFIER, lang_COUNTRY,
// lang@MODIFIER, lang.
QStringList localeSuffixes(const QString& locale) {
    QString rest = locale;
    QString modifier;
    if (const qsizetype at = rest.indexOf(QLatin1Char('@')); at >= 0) {
        modifier = rest.mid(at + 1);
        rest.truncate(at);
    }
    if (const qsizetype dot = rest.indexOf(QLatin1Char('.')); dot >= 0)
        rest.truncate(dot);
    QString lang = rest;
    QString country;
    if (const qsizetype underscore = rest.indexOf(QLatin1Char('_')); underscore >= 0) {
        lang = rest.left(underscore);
        country = rest.mid(underscore + 1);
    }
    QStringList suffixes;
    if (lang.isEmpty() || lang == QLatin1String("C") || lang == QLatin1String("POSIX"))
        return suffixes;
    if (!country.isEmpty() && !modifier.isEmpty())
        suffixes << lang + QLatin1Char('_') + country + QLatin1Char('@') + modifier;
    if (!country.isEmpty())
        suffixes << lang + QLatin1Char('_') + country;
    if (!modifier.isEmpty())
        suffixes << lang + QLatin1Char('@') + modifier;
    suffixes << lang;
    return suffixes;
}

} // namespace

std::optional<DesktopEntry> DesktopEntry::parse(const QByteArray& text, const QString& locale) {
    // Only the keys used are decoded; entries carry dozens of translations
    // of keys the program never shows.
    const QStringList suffixes = localeSuffixes(locale);
    QList<QByteArray> wanted = {"Type",      "Name",     "Exec",           "TryExec",
                                "Icon",      "Path",     "StartupWMClass", "OnlyShowIn",
                                "NotShowIn", "Terminal", "Hidden",         "NoDisplay"};
    for (const QString& suffix : suffixes) {
        for (const char* key : {"Name", "Icon"})
            wanted.append(QByteArray(key) + '[' + suffix.toUtf8() + ']');
    }

    QHash<QString, QString> keys;
    bool inGroup = false;
    bool sawGroup = false;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QByteArrayView line = QByteArrayView(text).sliced(start, end - start).trimmed();
        start = end + 1;
        if (line.isEmpty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            // The first [Desktop Entry] group counts; a repeated one is a
            // broken file and adds nothing.
            inGroup = !sawGroup && line == QByteArrayView("[Desktop Entry]");
            sawGroup = sawGroup || inGroup;
            continue;
        }
        if (!inGroup)
            continue;
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QByteArrayView key = line.first(equals).trimmed();
        if (!wanted.contains(key))
            continue;
        const QString name = QString::fromUtf8(key);
        if (!keys.contains(name))
            keys.insert(name, QString::fromUtf8(line.sliced(equals + 1).trimmed()));
    }
    if (!sawGroup)
        return std::nullopt;

    const auto value = [&](const char* key) { return unescape(keys.value(QLatin1String(key))); };
    const auto localised = [&](const char* key) {
        for (const QString& suffix : suffixes) {
            const QString localisedKey =
                QLatin1String(key) + QLatin1Char('[') + suffix + QLatin1Char(']');
            if (keys.contains(localisedKey))
                return unescape(keys.value(localisedKey));
        }
        return value(key);
    };

    DesktopEntry entry;
    entry.type = value("Type");
    entry.name = localised("Name");
    entry.exec = value("Exec");
    entry.tryExec = value("TryExec");
    entry.icon = localised("Icon");
    entry.workingDirectory = value("Path");
    entry.startupWMClass = value("StartupWMClass");
    entry.onlyShowIn = splitList(value("OnlyShowIn"));
    entry.notShowIn = splitList(value("NotShowIn"));
    entry.terminal = isTrue(value("Terminal"));
    entry.hidden = isTrue(value("Hidden"));
    entry.noDisplay = isTrue(value("NoDisplay"));
    return entry;
}

std::optional<DesktopEntry> DesktopEntry::read(const QString& path, const QString& id,
                                               const QString& locale) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxEntrySize)
        return std::nullopt;
    std::optional<DesktopEntry> entry = parse(file.read(maxEntrySize), locale);
    if (entry) {
        entry->id = id;
        entry->path = path;
    }
    return entry;
}

QString DesktopEntry::currentLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return value;
    }
    return QStringLiteral("C");
}

} // namespace vellaro
