#pragma once

#include "platform/secrets/FileSecretStore.h"
#include "platform/secrets/LibsecretSecretStore.h"
#include "platform/secrets/PinnedSecretStore.h"

#include <memory>

namespace vellaro::test {

// The clipboard history's key as the program keeps it, with the key file
// and its pin in `folder`.
inline std::unique_ptr<PinnedSecretStore> clipboardKeyStoreIn(const QString& folder) {
    return std::make_unique<PinnedSecretStore>(
        std::make_unique<LibsecretSecretStore>("org.vellaro.Vellaro", "clipboard-history-key",
                                               "Vellaro test key"),
        std::make_unique<FileSecretStore>(folder, "clipboard-history-key"), folder + "/backend",
        &LibsecretSecretStore::serviceOnBus);
}

} // namespace vellaro::test
