#include "updates/ByteCount.h"

#include <array>
#include <cmath>

namespace vellaro {

QString ByteCount::fileStyle(qint64 bytes) {
    if (bytes == 0)
        return QStringLiteral("Zero KB");
    const QString sign = bytes < 0 ? QStringLiteral("-") : QString();
    const double magnitude = std::abs(double(bytes));
    if (magnitude < 1000)
        return sign + QStringLiteral("%1 %2")
                          .arg(qint64(magnitude))
                          .arg(magnitude == 1 ? QStringLiteral("byte") : QStringLiteral("bytes"));
    struct Unit {
        const char* name;
        int decimals;
    };
    static constexpr std::array<Unit, 6> units{
        {{"KB", 0}, {"MB", 1}, {"GB", 2}, {"TB", 2}, {"PB", 2}, {"EB", 2}}};
    double value = magnitude / 1000;
    std::size_t index = 0;
    for (;;) {
        const double scale = std::pow(10.0, units[index].decimals);
        const double rounded = std::round(value * scale) / scale;
        // 999,999 bytes read as "1 MB", not "1000 KB".
        if (rounded < 1000 || index + 1 == units.size()) {
            QString text = QString::number(rounded, 'f', units[index].decimals);
            if (text.contains(QLatin1Char('.'))) {
                while (text.endsWith(QLatin1Char('0')))
                    text.chop(1);
                if (text.endsWith(QLatin1Char('.')))
                    text.chop(1);
            }
            return sign + text + QLatin1Char(' ') + QLatin1String(units[index].name);
        }
        value /= 1000;
        ++index;
    }
}

} // namespace vellaro
