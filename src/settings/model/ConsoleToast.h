#pragma once

#include <QString>
#include <functional>

namespace vellaro {

// The console's one-line toast: a message and, optionally, what its Undo
// button does.
struct ConsoleToast {
    QString message;
    std::function<void()> undo; // empty: no Undo button
};

} // namespace vellaro
