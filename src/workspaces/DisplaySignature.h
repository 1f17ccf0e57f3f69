#pragma once

#include "platform/windows/Monitor.h"

#include <QList>
#include <QString>

namespace vellaro {

// The monitors as "WxH@x,y" joined with "|", in the order given: x counted
// from the first monitor's left edge, y upward from the first monitor's
// bottom edge to this one's. Empty without monitors.
QString displaySignature(const QList<Monitor>& monitors);

} // namespace vellaro
