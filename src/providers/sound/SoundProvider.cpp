#include "providers/sound/SoundProvider.h"

#include "model/MenuDataSource.h"

#include <QLoggingCategory>
#include <algorithm>
#include <cmath>

namespace vellaro {

namespace {

Q_LOGGING_CATEGORY(soundLog, "vellaro.sound")

bool containsAny(const QString& text, std::initializer_list<const char*> parts) {
    return std::any_of(parts.begin(), parts.end(),
                       [&](const char* part) { return text.contains(QLatin1String(part)); });
}

} // namespace

SoundProvider::SoundProvider(AudioSystem& audio)
    : audio_(audio), self_(std::make_shared<SoundProvider*>(this)) {
    refresh();
    observer_ = audio_.addObserver([this](const AudioEvent& event) { audioChanged(event); });
}

SoundProvider::~SoundProvider() {
    audio_.removeObserver(observer_);
}

void SoundProvider::refresh() {
    defaultSink_ = audio_.defaultSinkName();
    devices_.clear();
    volume_.reset();
    muted_ = false;
    for (const AudioSink& sink : audio_.sinks()) {
        if (sink.description.isEmpty())
            continue;
        const bool isDefault = !defaultSink_.isEmpty() && sink.name == defaultSink_;
        devices_.push_back(
            {sink.index, sink.description, isDefault, deviceSymbol(sink.description, sink)});
        if (isDefault) {
            volume_ = sink.volume;
            muted_ = sink.muted;
        }
    }
}

void SoundProvider::audioChanged(const AudioEvent& event) {
    switch (event.kind) {
    case AudioEvent::Kind::defaultSinkChanged:
    case AudioEvent::Kind::sinkAdded:
    case AudioEvent::Kind::sinkRemoved:
    case AudioEvent::Kind::reset:
        refreshAndAnnounce();
        break;
    case AudioEvent::Kind::sinkChanged:
        if (event.name == audio_.defaultSinkName())
            refreshAndAnnounce();
        break;
    default:
        break;
    }
}

void SoundProvider::refreshAndAnnounce() {
    refresh();
    changed();
}

std::function<void(int)> SoundProvider::afterWrites(int writes, const char* what) {
    auto remaining = std::make_shared<int>(writes);
    std::weak_ptr<SoundProvider*> weak = self_;
    return [weak, remaining, what](int error) {
        if (error != 0)
            qCWarning(soundLog, "Failed to %s: %d", what, error);
        if (--*remaining > 0)
            return;
        if (auto self = weak.lock())
            (*self)->refreshAndAnnounce();
    };
}

void SoundProvider::stepVolume(double step) {
    if (defaultSink_.isEmpty() || !volume_)
        return;
    const double base = volumeWritesInFlight_ > 0 ? requestedVolume_ : *volume_;
    // The server goes above 100 %: stepping up from there must not lower it.
    const bool writesVolume = !(step > 0 && base >= 1.0);
    const bool mutedNow = muteWritesInFlight_ > 0 ? requestedMute_ : muted_;
    const bool unmutes = step > 0 && mutedNow;
    const int writes = (writesVolume ? 1 : 0) + (unmutes ? 1 : 0);
    if (writes == 0) {
        refreshAndAnnounce();
        return;
    }
    auto done = afterWrites(writes, "set the output volume");
    std::weak_ptr<SoundProvider*> weak = self_;
    if (writesVolume) {
        // Down from above 100 % goes one step, not to 100 % first.
        requestedVolume_ = std::clamp(base + step, 0.0, std::max(1.0, base));
        ++volumeWritesInFlight_;
        audio_.setSinkVolume(defaultSink_, requestedVolume_, [weak, done](int error) {
            if (auto self = weak.lock())
                --(*self)->volumeWritesInFlight_;
            done(error);
        });
    }
    if (unmutes) {
        requestedMute_ = false;
        ++muteWritesInFlight_;
        audio_.setSinkMute(defaultSink_, false, [weak, done](int error) {
            if (auto self = weak.lock())
                --(*self)->muteWritesInFlight_;
            done(error);
        });
    }
}

void SoundProvider::toggleMute() {
    if (defaultSink_.isEmpty())
        return;
    const bool mutedNow = muteWritesInFlight_ > 0 ? requestedMute_ : muted_;
    requestedMute_ = !mutedNow;
    ++muteWritesInFlight_;
    auto done = afterWrites(1, "toggle mute");
    std::weak_ptr<SoundProvider*> weak = self_;
    audio_.setSinkMute(defaultSink_, requestedMute_, [weak, done](int error) {
        if (auto self = weak.lock())
            --(*self)->muteWritesInFlight_;
        done(error);
    });
}

void SoundProvider::setDefaultOutput(std::uint32_t id) {
    QString name;
    for (const AudioSink& sink : audio_.sinks()) {
        if (sink.index == id)
            name = sink.name;
    }
    std::weak_ptr<SoundProvider*> weak = self_;
    audio_.setDefaultSink(name, [weak](int error) {
        if (error != 0)
            qCCritical(soundLog, "Failed to set default output device: %d", error);
        if (auto self = weak.lock())
            (*self)->refreshAndAnnounce();
    });
}

std::vector<MenuItem> SoundProvider::items() {
    std::vector<MenuItem> items;
    std::weak_ptr<SoundProvider*> weak = self_;
    auto command = [weak](auto run) {
        return [weak, run] {
            if (auto self = weak.lock())
                run(**self);
        };
    };
    if (volume_) {
        const QString level = volumeText(*volume_);
        MenuItem up(QStringLiteral("Volume Up"), MenuItem::Icon::symbol("speaker.wave.3"));
        up.sublabel = level;
        up.action = command([](SoundProvider& p) { p.stepVolume(volumeStep); });
        up.keepsOpen = true;
        items.push_back(std::move(up));

        MenuItem down(QStringLiteral("Volume Down"), MenuItem::Icon::symbol("speaker.wave.1"));
        down.sublabel = level;
        down.action = command([](SoundProvider& p) { p.stepVolume(-volumeStep); });
        down.keepsOpen = true;
        items.push_back(std::move(down));

        MenuItem mute(muted_ ? QStringLiteral("Unmute") : QStringLiteral("Mute"),
                      MenuItem::Icon::symbol(muted_ ? "speaker.slash.fill" : "speaker.slash"));
        mute.action = command([](SoundProvider& p) { p.toggleMute(); });
        mute.keepsOpen = true;
        items.push_back(std::move(mute));
    }
    const std::size_t room = MenuDataSource::itemCap - items.size();
    for (std::size_t i = 0; i < devices_.size() && i < room; ++i) {
        const Device& device = devices_[i];
        MenuItem row(device.name, MenuItem::Icon::symbol(device.symbol));
        row.showsRunningDot = device.isDefault;
        const std::uint32_t id = device.id;
        row.action = command([id](SoundProvider& p) { p.setDefaultOutput(id); });
        row.keepsOpen = true;
        items.push_back(std::move(row));
    }
    if (items.empty())
        items.emplace_back(QStringLiteral("No Output Devices"), MenuItem::Icon::symbol("speaker"));
    return items;
}

QString SoundProvider::volumeText(double volume) {
    return QStringLiteral("%1 %").arg(std::lround(volume * 100));
}

QString SoundProvider::deviceSymbol(const QString& name, const AudioSink& device) {
    const QString lower = name.toLower();
    if (lower.contains(QLatin1String("airpods")))
        return QStringLiteral("airpodspro");
    if (lower.contains(QLatin1String("macbook")))
        return QStringLiteral("laptopcomputer");
    if (containsAny(lower, {"display", "monitor", "tv"}))
        return QStringLiteral("display");
    if (lower.contains(QLatin1String("headphone")))
        return QStringLiteral("headphones");
    // No name rule matched: what the server knows of the device decides.
    const QString formFactor = device.formFactor.toLower();
    if (formFactor == QLatin1String("headphone") || formFactor == QLatin1String("headset"))
        return QStringLiteral("headphones");
    const QString port = device.activePort.toLower();
    if (formFactor == QLatin1String("tv") || device.activePortType == QLatin1String("hdmi") ||
        device.activePortType == QLatin1String("tv") || containsAny(port, {"hdmi", "displayport"}))
        return QStringLiteral("display");
    return QStringLiteral("hifispeaker");
}

SoundProvider* soundProvider(MenuDataSource& dataSource) {
    return dynamic_cast<SoundProvider*>(&dataSource.provider(SectionKind::sound));
}

} // namespace vellaro
