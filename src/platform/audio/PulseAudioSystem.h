#pragma once

#include "platform/audio/AudioSystem.h"

#include <memory>

namespace vellaro {

class Scheduler;

// AudioSystem over libpulse on GLib's default main loop, which is Qt's event
// loop, so every callback runs on the main thread. Works on PipeWire's
// PulseAudio server too. When the server goes away the mirror is emptied and
// a new connection is tried after 1 s, waiting twice as long each time up
// to 30 s; a server on a local socket is also tried again as soon as its
// socket is made anew.
class PulseAudioSystem final : public AudioSystem {
public:
    explicit PulseAudioSystem(Scheduler& scheduler);
    ~PulseAudioSystem() override;
    PulseAudioSystem(const PulseAudioSystem&) = delete;
    PulseAudioSystem& operator=(const PulseAudioSystem&) = delete;

    // Whether the server answered and the mirror is being kept.
    bool isConnected() const;

    std::vector<AudioSink> sinks() const override;
    std::vector<AudioSource> sources() const override;
    QString defaultSinkName() const override;
    QString defaultSourceName() const override;

    void setDefaultSink(const QString& name, Completion done) override;
    void setSinkVolume(const QString& name, double volume, Completion done) override;
    void setSinkMute(const QString& name, bool muted, Completion done) override;
    void setSourceMute(const QString& name, bool muted, Completion done) override;

private:
    struct Connection;
    friend struct Connection;
    std::unique_ptr<Connection> connection_;
};

} // namespace vellaro
