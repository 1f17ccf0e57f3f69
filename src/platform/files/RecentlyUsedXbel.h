#pragma once

#include "platform/files/RecentFile.h"

#include <QByteArray>
#include <optional>
#include <vector>

namespace vellaro {

// The local files of a freedesktop recently-used.xbel, newest first by the
// later of their modified and visited times (added when neither is there).
// Bookmarks marked private and those that are not file:// URIs on this
// machine are left out. Absent when the document is not well-formed XBEL.
std::optional<std::vector<RecentFile>> readRecentlyUsedXbel(const QByteArray& document);

} // namespace vellaro
