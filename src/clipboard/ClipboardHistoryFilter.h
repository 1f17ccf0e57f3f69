#pragma once

#include "clipboard/ClipboardEntry.h"

#include <QString>
#include <vector>

namespace vellaro {

// The history entries a search shows: the query trimmed of spaces and tabs
// (line breaks stay), then case-insensitive containment in the title, a
// text's or URL's string, or the name of any of a files entry's files.
// Images match only by title. A blank query keeps everything.
std::vector<ClipboardEntry> filteredHistory(const std::vector<ClipboardEntry>& entries,
                                            const QString& query);

// What the empty list says: only an untouched query means nothing was copied.
QString emptyHistoryText(const QString& query);

} // namespace vellaro
