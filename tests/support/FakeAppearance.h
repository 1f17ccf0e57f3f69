#pragma once

#include "platform/session/Appearance.h"

namespace vellaro::test {

// A desktop appearance the test sets; announce() tells its listeners.
class FakeAppearance final : public Appearance {
public:
    ColorScheme scheme = ColorScheme::light;
    bool motion = false;
    bool transparency = false;
    ColorScheme colorScheme() const override { return scheme; }
    bool reduceMotion() const override { return motion; }
    bool reduceTransparency() const override { return transparency; }
    void announce(ColorScheme next) {
        scheme = next;
        Q_EMIT changed();
    }
};

} // namespace vellaro::test
