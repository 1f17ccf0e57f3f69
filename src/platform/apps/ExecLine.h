#pragma once

#include "platform/apps/DesktopEntry.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

namespace vellaro {

// The command line of a desktop entry's Exec key, split into arguments the
// way the desktop entry format defines it: double-quoted arguments with
// backslash escapes, field codes expanded for a launch without files. No
// shell is involved anywhere.
class ExecLine {
public:
    // The arguments, or none with `error` set when the line is malformed:
    // empty, an unbalanced quote, a reserved character outside quotes, or an
    // unknown field code.
    static std::optional<QStringList> arguments(const DesktopEntry& entry,
                                                QString* error = nullptr);

    // The command lines that open `documents` with the entry: one for all of
    // them when the line takes a list (%F, %U) or none, one per document
    // when it takes a single one (%f, %u). Local files go as paths to %f and
    // %F, everything as URLs to %u and %U.
    static std::optional<QList<QStringList>> commandsOpening(const DesktopEntry& entry,
                                                             const QList<QUrl>& documents,
                                                             QString* error = nullptr);
};

} // namespace vellaro
