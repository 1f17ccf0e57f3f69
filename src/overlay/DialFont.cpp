#include "overlay/DialFont.h"

#include <QFontDatabase>
#include <cmath>

namespace vellaro {

QFont dialFont(double points, QFont::Weight weight) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(points);
    font.setWeight(weight);
    return font;
}

QFont widgetFont(double points, QFont::Weight weight) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(std::max(1, int(std::lround(points))));
    font.setWeight(weight);
    return font;
}

} // namespace vellaro
