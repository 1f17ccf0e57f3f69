#include "platform/audio/AudioInputMute.h"

namespace vellaro {

namespace {

std::optional<AudioSource> microphone(const AudioSystem& audio) {
    std::optional<AudioSource> source = audio.defaultSource();
    if (source && source->monitorOfSink)
        return std::nullopt;
    return source;
}

} // namespace

AudioInputMute::AudioInputMute(AudioSystem& audio) : audio_(audio) {
    observer_ = audio_.addObserver([this](const AudioEvent& event) {
        switch (event.kind) {
        case AudioEvent::Kind::defaultSourceChanged:
        case AudioEvent::Kind::sourceAdded:
        case AudioEvent::Kind::sourceRemoved:
        case AudioEvent::Kind::sourceChanged:
        case AudioEvent::Kind::reset:
            changed();
            break;
        default:
            break;
        }
    });
}

AudioInputMute::~AudioInputMute() {
    audio_.removeObserver(observer_);
}

std::optional<bool> AudioInputMute::muted() const {
    const std::optional<AudioSource> source = microphone(audio_);
    if (!source)
        return std::nullopt;
    return source->muted;
}

void AudioInputMute::setMuted(bool muted, std::function<void(bool, int)> done) {
    const std::optional<AudioSource> source = microphone(audio_);
    if (!source)
        return;
    audio_.setSourceMute(source->name, muted,
                         [done = std::move(done)](int error) { done(error == 0, error); });
}

} // namespace vellaro
