#pragma once

#include <QByteArray>
#include <QString>

namespace vellaro {

// One secret (a key) in the desktop's secret store. Calls block: run them on
// a worker thread, never on the main thread.
class SecretStore {
public:
    enum class Status {
        found,
        notFound,
        // Any failure: a locked or absent service, a time-out, an unreadable file.
        unavailable,
    };
    struct Result {
        Status status = Status::unavailable;
        QByteArray secret; // only when found
    };

    virtual ~SecretStore() = default;

    virtual Result lookup() = 0;
    // Stores `secret` as the new one. Found with the secret now held (which
    // can be another creator's), or unavailable.
    virtual Result add(const QByteArray& secret) = 0;
    // Names the backend in log lines ("secret service", "key file").
    virtual QString backendName() const = 0;
};

} // namespace vellaro
