#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>

namespace vellaro {

// One release's notes as the update window shows them: a version heading
// with an optional date, and titled groups of items. Read from the feed's
// HTML with a few fixed tag patterns, in one pass over the text.
struct ReleaseNotes {
    struct Group {
        QUuid id; // fresh for each group made
        QString title;
        QStringList items;
    };

    QString version; // the record's identity
    std::optional<QString> date;
    QList<Group> groups;

    const QString& id() const { return version; }

    // Never fails: what is not found takes its fallback (the version
    // `fallbackVersion`, no date, no groups).
    static ReleaseNotes parse(const QString& html, const QString& fallbackVersion);
    // Tags removed, five entities decoded (&amp; last), trimmed.
    static QString cleanText(const QString& fragment);
};

} // namespace vellaro
