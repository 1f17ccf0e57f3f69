#pragma once

#include <cstdint>
#include <optional>

namespace vellaro {

// The keyboard as the shortcut recorder needs it: an active grab on one of
// our windows, so combinations other programs hold reach us, and the
// unshifted keysym of a keycode. Main thread only.
class RecorderKeyboard {
public:
    virtual ~RecorderKeyboard() = default;

    // Takes the whole keyboard for `window`, still reporting to our other
    // windows as usual; false when the server refused.
    virtual bool grab(std::uint32_t window) = 0;
    // Gives the keyboard back; nothing when not held.
    virtual void release() = 0;
    // The keysym in the key's first column (⇧1 is still the 1 key).
    virtual std::optional<std::uint32_t> baseKeysym(std::uint32_t keycode) = 0;
};

} // namespace vellaro
