#pragma once

#include "core/CapturedWindow.h"

#include <QDateTime>
#include <vector>

namespace vellaro {

// What one capture recorded: the moment its walk finished (UTC, whole
// seconds) and the titled windows in walk order.
struct SpikeCapture {
    QDateTime capturedAt;
    std::vector<CapturedWindow> windows;

    friend bool operator==(const SpikeCapture&, const SpikeCapture&) = default;
};

} // namespace vellaro
