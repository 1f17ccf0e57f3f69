#pragma once

#include "platform/audio/AudioSystem.h"
#include "platform/audio/InputMute.h"

namespace vellaro {

// The default source's mute on the sound server's mirror. The monitor of an
// output is no microphone: it counts as no input. Main thread.
class AudioInputMute final : public InputMute {
public:
    explicit AudioInputMute(AudioSystem& audio);
    ~AudioInputMute() override;
    AudioInputMute(const AudioInputMute&) = delete;
    AudioInputMute& operator=(const AudioInputMute&) = delete;

    std::optional<bool> muted() const override;
    void setMuted(bool muted, std::function<void(bool confirmed, int status)> done) override;

private:
    AudioSystem& audio_;
    AudioSystem::ObserverId observer_;
};

} // namespace vellaro
