#pragma once

#include <functional>

namespace vellaro {

// Keeps the machine from idling into the screen saver or sleep while held.
// The hold belongs to this process: it ends when the process ends. Main thread.
class KeepAwake {
public:
    virtual ~KeepAwake() = default;

    virtual bool isHeld() const = 0;
    // Takes the hold; `done` runs later on the main thread with whether it is held.
    virtual void hold(std::function<void(bool held)> done) = 0;
    // Gives the hold back at once.
    virtual void release() = 0;
    // Called when the hold ended without release() (its service went away).
    void setOnEnded(std::function<void()> callback) { onEnded_ = std::move(callback); }

protected:
    void ended() const {
        if (auto callback = onEnded_)
            callback();
    }

private:
    std::function<void()> onEnded_;
};

} // namespace vellaro
