#pragma once

#include "model/SectionKind.h"

#include <QPointF>

namespace vellaro {

// A library section being dragged, at a point of the whole console
// ("vellaroConsole": the root widget's coordinates).
struct LibraryDragInfo {
    SectionKind kind;
    QPointF location;
};

} // namespace vellaro
