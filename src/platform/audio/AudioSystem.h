#pragma once

#include "core/ObserverList.h"
#include "platform/audio/AudioEvent.h"
#include "platform/audio/AudioSink.h"
#include "platform/audio/AudioSource.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vellaro {

// The sound server's outputs and inputs, their volume and mute, and which
// ones are the defaults. Reads come from a mirror kept current by the
// server's change notifications and never wait; writes are asynchronous and
// report through their completion. Main thread only.
class AudioSystem {
public:
    // 0 when the write is done and the mirror shows it; otherwise the sound
    // server's error code.
    using Completion = std::function<void(int error)>;
    using Observer = std::function<void(const AudioEvent&)>;
    using ObserverId = std::uint64_t;

    virtual ~AudioSystem() = default;

    // The one connection to the session's sound server.
    static AudioSystem& shared();

    // Outputs in index order; the server's placeholder "auto_null" is none.
    virtual std::vector<AudioSink> sinks() const = 0;
    virtual std::vector<AudioSource> sources() const = 0;
    // Empty when there is no default (or no server).
    virtual QString defaultSinkName() const = 0;
    virtual QString defaultSourceName() const = 0;

    virtual void setDefaultSink(const QString& name, Completion done) = 0;
    // Scales every channel so the loudest is `volume` (1 = 100 %), keeping
    // the balance.
    virtual void setSinkVolume(const QString& name, double volume, Completion done) = 0;
    virtual void setSinkMute(const QString& name, bool muted, Completion done) = 0;
    virtual void setSourceMute(const QString& name, bool muted, Completion done) = 0;

    // Observers hear every change of the mirror, in registration order; one
    // removed during a notification is not called afterwards.
    ObserverId addObserver(Observer observer);
    void removeObserver(ObserverId id);

    std::optional<AudioSink> defaultSink() const;
    std::optional<AudioSource> defaultSource() const;

protected:
    void notify(const AudioEvent& event);

private:
    ObserverList<ObserverId, const AudioEvent&> observers_;
    ObserverId nextObserverId_ = 1;
};

} // namespace vellaro
