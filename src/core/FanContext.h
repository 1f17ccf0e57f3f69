#pragma once

#include <cstdint>

namespace vellaro {

// The open fan as the hit test sees it.
struct FanContext {
    std::int64_t parent = 0; // section whose fan is open
    std::int64_t count = 1;  // items shown; an empty fan is shown as one
    double offset = 0;       // radians from the fan's centred position

    friend bool operator==(const FanContext&, const FanContext&) = default;
};

} // namespace vellaro
