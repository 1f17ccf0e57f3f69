#pragma once

#include "core/Path.h"

#include <QPainterPath>

namespace vellaro {

// A layout outline as a Qt path in the same y-down plane, non-zero filled.
QPainterPath toPainterPath(const Path& path);

} // namespace vellaro
