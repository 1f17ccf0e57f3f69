#pragma once

#include <functional>
#include <optional>

namespace vellaro {

// The mute switch of the default audio input. Main thread.
class InputMute {
public:
    virtual ~InputMute() = default;

    // The default source's mute as last mirrored, without asking the sound
    // server; none when there is no usable input (no default source, or the
    // default is the monitor of an output).
    virtual std::optional<bool> muted() const = 0;

    // Asks the sound server to set the default source's mute; `done` runs
    // later on the main thread with whether the server confirmed it and the
    // server's status code.
    virtual void setMuted(bool muted, std::function<void(bool confirmed, int status)> done) = 0;

    // Called whenever the default source, or its mute, may have changed.
    void setOnChange(std::function<void()> callback) { onChange_ = std::move(callback); }

protected:
    void changed() const {
        if (auto callback = onChange_)
            callback();
    }

private:
    std::function<void()> onChange_;
};

} // namespace vellaro
