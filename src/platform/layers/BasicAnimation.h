#pragma once

#include "platform/layers/LayerProperty.h"
#include "platform/layers/PropertyValue.h"
#include "platform/layers/TimingFunction.h"

#include <optional>

namespace vellaro {

// An explicit animation of one property from one value to another. It changes
// only what is shown, never the model value, and ends by itself.
// Without `from` it starts at the value shown when it is added; without `to`
// it ends at the model value (so it can play "into" a value already set).
struct BasicAnimation {
    LayerProperty property = LayerProperty::Opacity;
    std::optional<PropertyValue> from;
    std::optional<PropertyValue> to;
    double duration = 0.25; // seconds
    TimingFunction timing;  // linear
};

} // namespace vellaro
