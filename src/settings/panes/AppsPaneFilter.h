#pragma once

#include "model/InstalledApp.h"

#include <QSet>
#include <QString>
#include <cstddef>
#include <vector>

namespace vellaro {

// What the apps pane derives from the pins and the installed applications.
namespace AppsPaneFilter {

// Pins from this index on are not on the dial.
inline constexpr std::size_t dialLimit = 7;
inline constexpr std::size_t maximumMatches = 6;

// The installed apps not pinned yet, in their order.
std::vector<InstalledApp> availableApps(const std::vector<InstalledApp>& installed,
                                        const QSet<QString>& pinned);
// The first six available apps whose name holds the query trimmed of spaces
// and tabs, ignoring case; none for a blank query.
std::vector<InstalledApp> matches(const std::vector<InstalledApp>& available, const QString& query);
// "No matches for “query”", quoting the query as typed.
QString noMatchesText(const QString& query);
// The toast after pinning, with `pinnedCount` pins now.
QString pinToast(const QString& name, std::size_t pinnedCount);
// Rows off the dial are dimmed.
double rowOpacity(std::size_t index);
// Whether a row's up and down chevrons can move it.
bool canMoveUp(std::size_t index);
bool canMoveDown(std::size_t index, std::size_t count);
// The note under eight or more pins; empty below that.
QString dialLimitNote(std::size_t pinnedCount);

} // namespace AppsPaneFilter

} // namespace vellaro
