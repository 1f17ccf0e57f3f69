#pragma once

#include <QDateTime>
#include <QString>

namespace vellaro {

// How long ago (or how far ahead) `date` is from `now`, in English short
// units: "5 min. ago", "2 hr. ago", "3 days ago", "in 1 wk.".
class RelativeTime {
public:
    static QString shortText(const QDateTime& date, const QDateTime& now);
};

} // namespace vellaro
