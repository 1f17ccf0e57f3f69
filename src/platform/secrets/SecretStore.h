#pragma once

#include <QByteArray>
#include <QString>

namespace vellaro {

// One secret (a key) in the desktop's secret store. Calls block, each for
// a bounded time: run them on a worker thread, never on the main thread.
class SecretStore {
public:
    enum class Status {
        found,
        notFound,
        // The secret, or the collection a new one goes to, is locked: it can
        // be read or stored once the person unlocks it. Nothing prompts.
        locked,
        // No Secret Service answers: none runs and none can be started, or
        // it did not answer in time.
        unreachable,
        // Any other failure, such as an unreadable key file.
        unavailable,
    };
    struct Result {
        Status status = Status::unavailable;
        QByteArray secret; // only when found
    };

    virtual ~SecretStore() = default;

    virtual Result lookup() = 0;
    // Stores `secret` as the new one. Found with the secret now held (which
    // can be another creator's), or a failure.
    virtual Result add(const QByteArray& secret) = 0;
    // Names the backend in log lines ("secret service", "key file").
    virtual QString backendName() const = 0;
};

} // namespace vellaro
