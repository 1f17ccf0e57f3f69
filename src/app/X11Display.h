#pragma once

#include <QString>

namespace vellaro {

// The X display the program runs on, as far as it matters before Qt starts.
class X11Display {
public:
    // Whether Qt will need an X display and none can be opened.
    static bool neededButMissing();
};

} // namespace vellaro
