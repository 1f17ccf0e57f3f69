#pragma once

#include <functional>

namespace vellaro {

// Whether the program may use the microphone. PulseAudio has no per-program
// grant, so on Linux the answer is always "authorised"; the other states
// exist for desktops that add one, and tests drive them with a fake.
class MicrophoneAuthorization {
public:
    // Raw values as stored and compared: anything else counts as unknown.
    static constexpr int notDetermined = 0;
    static constexpr int restricted = 1;
    static constexpr int denied = 2;
    static constexpr int authorized = 3;

    virtual ~MicrophoneAuthorization() = default;
    virtual int status() const = 0;
    // Asks for access; `done` runs later on the main thread with the answer.
    virtual void requestAccess(std::function<void(bool granted)> done) = 0;

    static MicrophoneAuthorization& shared();
};

} // namespace vellaro
