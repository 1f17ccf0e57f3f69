#pragma once

#include <QStringView>

#include <compare>

namespace vellaro {

// Orders version strings the way release feeds write them: runs of digits
// compare as numbers of any length, runs of letters as text and older than
// numbers, anything else separates. "1.0b1" < "1.0rc1" < "1.0" < "1.0.1",
// and trailing zero parts change nothing ("1.0" = "1.0.0").
class VersionComparator {
public:
    static std::strong_ordering compare(QStringView a, QStringView b);
};

} // namespace vellaro
