#include "platform/audio/AudioSystem.h"

#include <algorithm>

namespace vellaro {

AudioSystem::ObserverId AudioSystem::addObserver(Observer observer) {
    const ObserverId id = nextObserverId_++;
    observers_.push_back({id, std::make_shared<Observer>(std::move(observer))});
    return id;
}

void AudioSystem::removeObserver(ObserverId id) {
    std::erase_if(observers_, [id](const ObserverEntry& entry) { return entry.id == id; });
}

void AudioSystem::notify(const AudioEvent& event) {
    const std::vector<ObserverEntry> snapshot = observers_;
    for (const ObserverEntry& entry : snapshot) {
        const bool registered =
            std::any_of(observers_.begin(), observers_.end(),
                        [&](const ObserverEntry& current) { return current.id == entry.id; });
        if (registered && *entry.callback)
            (*entry.callback)(event);
    }
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
