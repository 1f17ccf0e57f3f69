#pragma once

#include "platform/audio/AudioSystem.h"

#include <algorithm>
#include <vector>

namespace vellaro::test {

// An AudioSystem whose state the test sets. Writes are recorded and held
// until the test confirms (or fails) them, the way a server answers later;
// a confirmed write changes the mirror and notifies first, as the real one.
class FakeAudioSystem final : public AudioSystem {
public:
    struct Write {
        enum class Kind { defaultSink, sinkVolume, sinkMute, sourceMute } kind;
        QString name;
        double volume = 0;
        bool muted = false;
        Completion done;
    };

    std::vector<AudioSink> sinkList;
    std::vector<AudioSource> sourceList;
    QString defaultSinkValue;
    QString defaultSourceValue;
    std::vector<Write> pending;
    std::vector<Write> history;

    std::vector<AudioSink> sinks() const override { return sinkList; }
    std::vector<AudioSource> sources() const override { return sourceList; }
    QString defaultSinkName() const override { return defaultSinkValue; }
    QString defaultSourceName() const override { return defaultSourceValue; }

    void setDefaultSink(const QString& name, Completion done) override {
        record({Write::Kind::defaultSink, name, 0, false, std::move(done)});
    }
    void setSinkVolume(const QString& name, double volume, Completion done) override {
        record({Write::Kind::sinkVolume, name, volume, false, std::move(done)});
    }
    void setSinkMute(const QString& name, bool muted, Completion done) override {
        record({Write::Kind::sinkMute, name, 0, muted, std::move(done)});
    }
    void setSourceMute(const QString& name, bool muted, Completion done) override {
        record({Write::Kind::sourceMute, name, 0, muted, std::move(done)});
    }

    // Applies the oldest pending write (or fails it with `error`), then
    // runs its completion.
    void answerNext(int error = 0) {
        Write write = std::move(pending.front());
        pending.erase(pending.begin());
        if (error == 0)
            apply(write);
        if (write.done)
            write.done(error);
    }
    void answerAll(int error = 0) {
        while (!pending.empty())
            answerNext(error);
    }

    // A change made elsewhere.
    void changeSink(const QString& name, double volume, bool muted) {
        for (AudioSink& sink : sinkList) {
            if (sink.name == name) {
                sink.volume = volume;
                sink.muted = muted;
                notify({AudioEvent::Kind::sinkChanged, name});
            }
        }
    }
    void changeDefaultSink(const QString& name) {
        defaultSinkValue = name;
        notify({AudioEvent::Kind::defaultSinkChanged, name});
    }
    void addSink(AudioSink sink) {
        const QString name = sink.name;
        sinkList.push_back(std::move(sink));
        notify({AudioEvent::Kind::sinkAdded, name});
    }
    void removeSink(const QString& name) {
        std::erase_if(sinkList, [&](const AudioSink& sink) { return sink.name == name; });
        notify({AudioEvent::Kind::sinkRemoved, name});
    }

private:
    void record(Write write) {
        Write copy = write;
        copy.done = nullptr;
        history.push_back(std::move(copy));
        pending.push_back(std::move(write));
    }

    void apply(const Write& write) {
        switch (write.kind) {
        case Write::Kind::defaultSink:
            changeDefaultSink(write.name);
            break;
        case Write::Kind::sinkVolume:
            for (const AudioSink& sink : sinkList) {
                if (sink.name == write.name)
                    changeSink(sink.name, write.volume, sink.muted);
            }
            break;
        case Write::Kind::sinkMute:
            for (const AudioSink& sink : sinkList) {
                if (sink.name == write.name)
                    changeSink(sink.name, sink.volume, write.muted);
            }
            break;
        case Write::Kind::sourceMute:
            for (AudioSource& source : sourceList) {
                if (source.name == write.name) {
                    source.muted = write.muted;
                    notify({AudioEvent::Kind::sourceChanged, source.name});
                }
            }
            break;
        }
    }
};

} // namespace vellaro::test
