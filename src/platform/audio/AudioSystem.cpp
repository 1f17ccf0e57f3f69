#include "platform/audio/AudioSystem.h"

#include <algorithm>

namespace vellaro {

AudioSystem::ObserverId AudioSystem::addObserver(Observer observer) {
    const ObserverId id = nextObserverId_++;
    observers_.add(id, std::move(observer));
    return id;
}

void AudioSystem::removeObserver(ObserverId id) {
    observers_.remove(id);
}

void AudioSystem::notify(const AudioEvent& event) {
    observers_.notify(event);
}

std::optional<AudioSink> AudioSystem::defaultSink() const {
    const QString name = defaultSinkName();
    for (AudioSink& sink : sinks()) {
        if (!name.isEmpty() && sink.name == name)
            return std::move(sink);
    }
    return std::nullopt;
}

std::optional<AudioSource> AudioSystem::defaultSource() const {
    const QString name = defaultSourceName();
    for (AudioSource& source : sources()) {
        if (!name.isEmpty() && source.name == name)
            return std::move(source);
    }
    return std::nullopt;
}

} // namespace vellaro
