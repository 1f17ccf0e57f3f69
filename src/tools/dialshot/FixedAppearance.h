#pragma once

#include "platform/session/Appearance.h"

namespace vellaro::dialshot {

// A desktop that is light or dark as told, with no reduced motion or
// transparency.
class FixedAppearance final : public Appearance {
public:
    explicit FixedAppearance(bool dark) : dark_(dark) {}
    ColorScheme colorScheme() const override {
        return dark_ ? ColorScheme::dark : ColorScheme::light;
    }
    bool reduceMotion() const override { return false; }
    bool reduceTransparency() const override { return false; }

private:
    bool dark_;
};

} // namespace vellaro::dialshot
