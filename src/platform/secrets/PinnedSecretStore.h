#pragma once

#include "platform/secrets/SecretStore.h"

#include <functional>
#include <memory>

namespace vellaro {

// Chooses between the Secret Service and the key file once, when a secret is
// first found or stored there, and remembers the choice in a pin file. A
// pinned Secret Service that does not answer is unavailable: a new key file
// then would seal the history under a second key. Unpinned, a Secret Service
// that is named on the bus but cannot be reached counts as missing: the key
// goes to the key file, and the log says so once.
class PinnedSecretStore final : public SecretStore {
public:
    enum class Backend { none, secretService, file };

    PinnedSecretStore(std::unique_ptr<SecretStore> secretService, std::unique_ptr<SecretStore> file,
                      QString pinPath, std::function<bool()> secretServiceOnBus);

    // The clipboard history key: service "org.vellaro.Vellaro", account
    // "clipboard-history-key"; the key file and the pin in
    // $XDG_CONFIG_HOME/Vellaro/keys.
    static std::unique_ptr<PinnedSecretStore> clipboardHistoryKey();

    Result lookup() override;
    Result add(const QByteArray& secret) override;
    QString backendName() const override;

    Backend pinnedBackend() const;

private:
    SecretStore& chosen(Backend backend) const;
    Backend unpinnedChoice() const;
    void pin(Backend backend);
    // The Secret Service answered `status`; unreachable makes the key file the choice.
    void noteSecretService(Status status);

    std::unique_ptr<SecretStore> secretService_;
    std::unique_ptr<SecretStore> file_;
    QString pinPath_;
    std::function<bool()> secretServiceOnBus_;
    bool secretServiceUnreachable_ = false;
    bool saidUnreachable_ = false;
};

} // namespace vellaro
