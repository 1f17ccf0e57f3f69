#pragma once

#include "model/MaterialChoice.h"
#include "model/VellaroTheme.h"

#include <QColor>

namespace vellaro {

// The dial's surface colours for the current theme and material. Offsets are
// in Qt's y-down plane: a positive restOffsetY casts the shadow downward.
struct RadialSurface {
    QColor fill;   // wedges and fan items at rest
    QColor hover;  // a highlighted wedge or fan item
    QColor core;   // the core disc
    QColor stroke; // outlines at rest
    bool blur = true;
    double restRadius = 11;
    double restOffsetY = 5;

    // Matte whenever the user forces an opaque dial or the desktop asks for
    // reduced transparency, whatever material was chosen.
    static MaterialChoice effectiveMaterial(MaterialChoice chosen, bool forceOpaque,
                                            bool reduceTransparency);
    static RadialSurface make(MaterialChoice material, bool dark, const VellaroTheme& theme);

    // The colour as it looks over black (dark) or white (light), made opaque.
    static QColor opaque(const QColor& color, bool dark);

    friend bool operator==(const RadialSurface&, const RadialSurface&) = default;
};

} // namespace vellaro
