#pragma once

#include <QString>

namespace vellaro {

// The name of a mouse trigger button, shared by the shell and the console.
class MouseButtonText {
public:
    // "Middle Click" for 2, "MB4 · Back" for 3, "MB5 · Forward" for 4, else
    // "Mouse " and n + 1; empty for numbers no trigger can have.
    static QString buttonName(long long button);
};

} // namespace vellaro
