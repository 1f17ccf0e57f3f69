#include "updates/RelativeTime.h"

#include <array>

namespace vellaro {

QString RelativeTime::shortText(const QDateTime& date, const QDateTime& now) {
    struct Unit {
        qint64 seconds;
        const char* singular;
        const char* plural;
    };
    static constexpr std::array<Unit, 7> units{{{365 * 86400, "yr.", "yr."},
                                                {30 * 86400, "mo.", "mo."},
                                                {7 * 86400, "wk.", "wk."},
                                                {86400, "day", "days"},
                                                {3600, "hr.", "hr."},
                                                {60, "min.", "min."},
                                                {1, "sec.", "sec."}}};
    const qint64 delta = date.secsTo(now);
    const qint64 magnitude = delta < 0 ? -delta : delta;
    const Unit* unit = &units.back();
    for (const Unit& candidate : units) {
        if (magnitude >= candidate.seconds) {
            unit = &candidate;
            break;
        }
    }
    const qint64 count = magnitude / unit->seconds;
    const QString amount = QStringLiteral("%1 %2").arg(count).arg(
        QString::fromLatin1(count == 1 ? unit->singular : unit->plural));
    return delta < 0 ? QStringLiteral("in ") + amount : amount + QStringLiteral(" ago");
}

} // namespace vellaro
