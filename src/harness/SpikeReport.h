#pragma once

#include "core/MatchReport.h"
#include "harness/SpikeCapture.h"

#include <QString>

namespace vellaro {

// The harness's printed texts; every line ends with one line feed, and
// identifiers and titles have their control characters escaped.
class SpikeReport {
public:
    SpikeReport() = delete;

    // "Captured N windows across M apps -> PATH".
    static QString captureSummary(const SpikeCapture& capture, const QString& path);

    // The re-match report of `report` (the captured windows against a later
    // walk): a row per captured application in code-point order, a line per
    // unmatched window, and the total against the 90% bar.
    static QString matchReport(const SpikeCapture& capture, const MatchReport& report);
};

} // namespace vellaro
