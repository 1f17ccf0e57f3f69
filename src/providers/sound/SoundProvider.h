#pragma once

#include "model/SectionProvider.h"
#include "platform/audio/AudioSystem.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace vellaro {

class MenuDataSource;

// The sound section: volume up, volume down and mute for the default output,
// then one row per output device, whose choice makes it the default. It
// reads the audio system's mirror on refresh and follows the default
// output's changes made anywhere. Main thread only.
class SoundProvider final : public SectionProvider {
public:
    struct Device {
        std::uint32_t id = 0;
        QString name; // what the user sees
        bool isDefault = false;
        QString symbol;
    };

    static constexpr double volumeStep = 0.0625;

    explicit SoundProvider(AudioSystem& audio);
    ~SoundProvider() override;

    std::vector<MenuItem> items() override;
    // Re-reads the devices, the volume and the mute state from the mirror.
    // Never calls onChange.
    void refresh() override;

    // Each command refreshes and calls onChange once the server confirmed
    // what it wrote (at once when it writes nothing).
    void stepVolume(double step);
    void toggleMute();
    void setDefaultOutput(std::uint32_t id);

    const std::vector<Device>& devices() const { return devices_; }
    // The default output's volume, 1 = 100 % (the server goes above);
    // absent without a default output.
    std::optional<double> volume() const { return volume_; }
    bool isMuted() const { return muted_; }

    // 0.5 reads "50 %"; halves round away from zero.
    static QString volumeText(double volume);
    // The symbol for an output: by name first, else by what the server
    // knows of the device, else a speaker.
    static QString deviceSymbol(const QString& name, const AudioSink& device = {});

private:
    void audioChanged(const AudioEvent& event);
    // Refreshes and calls onChange once `writes` completions have come back.
    std::function<void(int)> afterWrites(int writes, const char* what);
    void refreshAndAnnounce();

    AudioSystem& audio_;
    AudioSystem::ObserverId observer_ = 0;
    std::vector<Device> devices_;
    QString defaultSink_;
    std::optional<double> volume_;
    bool muted_ = false;
    // What the last writes asked for while they are still in flight, so
    // quick taps build on each other instead of on the stale mirror.
    int volumeWritesInFlight_ = 0;
    double requestedVolume_ = 0;
    int muteWritesInFlight_ = 0;
    bool requestedMute_ = false;
    // Item actions and write completions hold the provider through this, weakly.
    std::shared_ptr<SoundProvider*> self_;
};

// The data source's sound provider, or null when another kind is installed.
SoundProvider* soundProvider(MenuDataSource& dataSource);

} // namespace vellaro
