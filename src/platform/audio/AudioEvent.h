#pragma once

#include <QString>

namespace vellaro {

// What changed in the sound server's state, after the mirror holds it.
struct AudioEvent {
    enum class Kind {
        defaultSinkChanged,
        defaultSourceChanged,
        sinkAdded,
        sinkRemoved,
        sinkChanged, // a value the mirror keeps (volume, mute, ...) changed
        sourceAdded,
        sourceRemoved,
        sourceChanged,
        reset, // the server went away or came back: everything may differ
    };

    Kind kind;
    // The sink's or source's name; the new default's name; empty for reset.
    QString name;
};

} // namespace vellaro
