#pragma once

#include <QString>
#include <cstdint>

namespace vellaro {

// One sound output as the sound server describes it.
struct AudioSink {
    std::uint32_t index = 0;
    QString name;        // the server's stable name, used to address it
    QString description; // what the user sees
    // Loudest channel relative to normal (1 = 100 %); the server goes above
    // 100 %, and so does this.
    double volume = 0;
    bool muted = false;
    QString formFactor;     // "headphone", "tv", ...; empty when unknown
    QString activePort;     // the active port's name; empty when none
    QString activePortType; // "hdmi", "tv", "headphones", ...; empty when unknown

    bool operator==(const AudioSink&) const = default;
};

} // namespace vellaro
