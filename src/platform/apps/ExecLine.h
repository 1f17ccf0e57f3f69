#pragma once

#include "platform/apps/DesktopEntry.h"

#include <QString>
#include <QStringList>
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
};

} // namespace vellaro
