#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace vellaro {

// The shortcut recorder's decision on one recorded key: refused with a
// warning, or registered (and then stored by the caller).
class HotKeyCapture {
public:
    using Register = std::function<std::int32_t(std::uint32_t keyCode, std::uint32_t modifiers)>;

    struct Outcome {
        bool registered = false;
        QString message; // the warning; empty when registered
    };

    // `keyCode` is empty for a key no Mac key code stands for. Registers only
    // a combination with command, option or control.
    static Outcome decide(std::optional<std::uint32_t> keyCode, std::uint32_t modifiers,
                          const Register& registerHotKey);

    // The warning for a refused registration.
    static QString refusal(std::int32_t status);
};

} // namespace vellaro
