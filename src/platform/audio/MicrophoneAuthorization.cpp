#include "platform/audio/MicrophoneAuthorization.h"

#include <QCoreApplication>
#include <QTimer>

namespace vellaro {

namespace {

class PulseAudioMicrophoneAuthorization final : public MicrophoneAuthorization {
public:
    int status() const override { return authorized; }
    void requestAccess(std::function<void(bool)> done) override {
        // Answer on a later turn of the event loop, as a real prompt would.
        QTimer::singleShot(0, QCoreApplication::instance(),
                           [done = std::move(done)] { done(true); });
    }
};

} // namespace

MicrophoneAuthorization& MicrophoneAuthorization::shared() {
    static PulseAudioMicrophoneAuthorization instance;
    return instance;
}

} // namespace vellaro
