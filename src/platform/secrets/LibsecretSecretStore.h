#pragma once

#include "platform/secrets/SecretStore.h"

#include <chrono>

namespace vellaro {

// The secret as a Secret Service item (GNOME Keyring, KWallet, KeePassXC)
// with the attributes service and account, through libsecret. Every call is
// cancelled after a time-out, so a keyring waiting for an unlock prompt
// cannot hold the worker forever.
class LibsecretSecretStore final : public SecretStore {
public:
    LibsecretSecretStore(QString service, QString account, QString label,
                         std::chrono::milliseconds timeout = std::chrono::seconds(10));

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
