#pragma once

#include "core/CapturedWindow.h"
#include "harness/SpikeCapture.h"
#include "harness/SpikeHarness.h"

#include <vector>

namespace vellaro {

class WindowAccess;

// The window-matching harness: `capture` records every titled window of the
// running applications to a file; `match` walks them again, matches them
// without the residual pass and prints a report per application against a
// 90% bar. Runs before any Qt application exists, on an X connection of its
// own that it closes before it returns. Prints to standard output and
// returns the process's exit status (SpikeStatus).
class SpikeRunner final : public SpikeHarness {
public:
    using Capture = SpikeCapture;

    bool isAvailable() const override { return true; }
    int capture(const QString& path) override;
    int match(const QString& capturePath) override;

    // The titled windows of the regular applications other than this one,
    // in walk order. Does not check window access itself.
    static std::vector<CapturedWindow> liveWindows(const WindowAccess& access);
};

} // namespace vellaro
