#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace vellaro {

// The keys of a desktop entry file's [Desktop Entry] group that the program
// uses, with the localised ones already resolved for one locale.
struct DesktopEntry {
    QString id;   // desktop file ID without ".desktop": "sub-name" for sub/name.desktop
    QString path; // the file it was read from
    QString type;
    QString name;
    QString exec;
    QString tryExec;
    QString icon;
    QString workingDirectory; // Path=
    QString startupWMClass;
    QStringList onlyShowIn;
    QStringList notShowIn;
    bool terminal = false;
    bool hidden = false;
    bool noDisplay = false;

    // Parses the file's text; none when it has no [Desktop Entry] group.
    // `locale` is a POSIX locale name such as "de_DE.UTF-8" or "sr_RS@latin".
    static std::optional<DesktopEntry> parse(const QByteArray& text, const QString& locale);
    // Reads and parses the file; none when it cannot be read, is larger than
    // a desktop entry plausibly is, or has no [Desktop Entry] group.
    static std::optional<DesktopEntry> read(const QString& path, const QString& id,
                                            const QString& locale);

    // The locale the catalog reads names in: LC_ALL, else LC_MESSAGES, else LANG.
    static QString currentLocale();
};

} // namespace vellaro
