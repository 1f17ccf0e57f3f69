#pragma once

#include "model/SectionKind.h"

#include <QString>
#include <optional>
#include <vector>

namespace vellaro {

// Which library tiles show for a search text, and what each says about
// the dial.
namespace LibraryFilter {

// The one-line description under a section's title.
QString blurb(SectionKind kind);

// The kinds, in library order, whose title (or failing that, blurb)
// contains the trimmed query, ignoring case; all of them for an empty one.
std::vector<SectionKind> filtered(const QString& query);

// "3 of 6": the kind's first position on the dial and the dial's length;
// none when the kind is not on the dial.
std::optional<QString> badge(SectionKind kind, const std::vector<SectionKind>& dial);

} // namespace LibraryFilter

} // namespace vellaro
