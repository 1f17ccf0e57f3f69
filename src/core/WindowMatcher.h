#pragma once

#include "core/CapturedWindow.h"
#include "core/MatchReport.h"

#include <QRectF>
#include <QString>
#include <vector>

namespace vellaro {

// Pairs recorded windows with open ones in five passes of falling confidence
// (exact title, normalised title, title prefix, frame overlap, and any window
// of the same program when `allowResidual`). Stateless; safe on any thread.
class WindowMatcher {
public:
    WindowMatcher() = delete;

    static MatchReport match(const std::vector<CapturedWindow>& captured,
                             const std::vector<CapturedWindow>& live, bool allowResidual);

    // Lower-cased, "— edited"/"— locked" markers and a trailing size such as
    // "— 1440×900" removed, whitespace runs folded to one space, trimmed; in
    // canonical composition (NFC).
    static QString normalize(const QString& title);

    // Intersection over union of the two (standardised) rectangles; 0 when
    // they only touch or either is empty.
    static double iou(const QRectF& a, const QRectF& b);
};

} // namespace vellaro
