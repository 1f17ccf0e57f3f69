#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace vellaro {

// One sound input (a microphone, or the monitor of an output).
struct AudioSource {
    std::uint32_t index = 0;
    QString name;
    QString description;
    bool muted = false;
    // The output this source monitors; none for a real input.
    std::optional<std::uint32_t> monitorOfSink;

    bool operator==(const AudioSource&) const = default;
};

} // namespace vellaro
