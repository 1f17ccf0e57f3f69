#pragma once

#include "platform/secrets/SecretStore.h"

#include <chrono>

namespace vellaro {

// The secret as a Secret Service item (GNOME Keyring, KWallet, KeePassXC)
// with the attributes service and account, through libsecret. Nothing is
// unlocked and no prompt is shown: a locked item or collection is reported
// as locked. Every call ends by its time-out, also when the service never
// answers or libsecret never completes a cancelled call.
class LibsecretSecretStore final : public SecretStore {
public:
    static constexpr std::chrono::milliseconds defaultTimeout{2000};

    LibsecretSecretStore(QString service, QString account, QString label,
                         std::chrono::milliseconds timeout = defaultTimeout);

    Result lookup() override;
    Result add(const QByteArray& secret) override;
    QString backendName() const override { return QStringLiteral("secret service"); }

    // Whether a Secret Service owns or can be started for its name on the
    // session bus.
    static bool serviceOnBus();

private:
    QString service_;
    QString account_;
    QString label_;
    std::chrono::milliseconds timeout_;
};

} // namespace vellaro
