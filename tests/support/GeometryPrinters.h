#pragma once

#include <QPoint>
#include <QRect>
#include <ostream>

// GoogleTest prints Qt geometry as x,y wxh instead of raw bytes. Found by
// argument-dependent lookup, so they live in Qt's (global) namespace.
inline void PrintTo(const QRect& rect, std::ostream* out) {
    *out << rect.x() << "," << rect.y() << " " << rect.width() << "x" << rect.height();
}

inline void PrintTo(const QPoint& point, std::ostream* out) {
    *out << point.x() << "," << point.y();
}
