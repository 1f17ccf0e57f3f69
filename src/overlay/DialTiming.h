#pragma once

#include "platform/layers/BasicAnimation.h"
#include "platform/layers/TimingFunction.h"

namespace vellaro {

// The dial's two curves as layer timing functions, and the two kinds of
// opening animation it plays over a layer's final look.
namespace DialTiming {

// Overshoots its end before settling: the ring's bloom.
TimingFunction overshoot();
// The core's bloom, the fan reveal and the hover transaction.
TimingFunction easeOut();

// Opacity from 0 up to the model value.
BasicAnimation fade(double seconds, TimingFunction timing);
// Transform from a uniform scale of `from` up to the model value.
BasicAnimation grow(double from, double seconds, TimingFunction timing);

} // namespace DialTiming

} // namespace vellaro
