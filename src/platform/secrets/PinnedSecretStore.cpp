#include "platform/secrets/PinnedSecretStore.h"

#include "platform/secrets/FileSecretStore.h"
#include "platform/secrets/LibsecretSecretStore.h"
#include "platform/secrets/Logging.h"

#include "platform/session/OwnedFile.h"

#include <QStandardPaths>

namespace vellaro {

namespace {

constexpr char secretServiceName[] = "secret-service";
constexpr char fileName[] = "file";
constexpr qint64 maximumPinSize = 64;

QString keysFolder() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config.isEmpty() ? QString() : config + QStringLiteral("/Vellaro/keys");
}

} // namespace

PinnedSecretStore::PinnedSecretStore(std::unique_ptr<SecretStore> secretService,
                                     std::unique_ptr<SecretStore> file, QString pinPath,
                                     std::function<bool()> secretServiceOnBus)
    : secretService_(std::move(secretService)), file_(std::move(file)),
      pinPath_(std::move(pinPath)), secretServiceOnBus_(std::move(secretServiceOnBus)) {}

std::unique_ptr<PinnedSecretStore> PinnedSecretStore::clipboardHistoryKey() {
    const QString folder = keysFolder();
    const QString account = QStringLiteral("clipboard-history-key");
    return std::make_unique<PinnedSecretStore>(
        std::make_unique<LibsecretSecretStore>(QStringLiteral("org.vellaro.Vellaro"), account,
                                               QStringLiteral("Vellaro clipboard history key")),
        std::make_unique<FileSecretStore>(folder, account),
        folder.isEmpty() ? QString() : folder + QStringLiteral("/backend"),
        &LibsecretSecretStore::serviceOnBus);
}

PinnedSecretStore::Backend PinnedSecretStore::pinnedBackend() const {
    if (pinPath_.isEmpty())
        return Backend::none;
    const QByteArray name = OwnedFile::read(pinPath_, maximumPinSize).data.trimmed();
    if (name == secretServiceName)
        return Backend::secretService;
    if (name == fileName)
        return Backend::file;
    return Backend::none;
}

SecretStore& PinnedSecretStore::chosen(Backend backend) const {
    return backend == Backend::file ? *file_ : *secretService_;
}

PinnedSecretStore::Backend PinnedSecretStore::unpinnedChoice() const {
    return secretServiceOnBus_() ? Backend::secretService : Backend::file;
}

void PinnedSecretStore::pin(Backend backend) {
    if (pinPath_.isEmpty())
        return;
    QString error;
    if (!OwnedFile::write(pinPath_, backend == Backend::file ? fileName : secretServiceName,
                          maximumPinSize, &error))
        qCWarning(lcSecrets).noquote() << "Cannot record the key's backend:" << error;
}

SecretStore::Result PinnedSecretStore::lookup() {
    const Backend pinned = pinnedBackend();
    if (pinned != Backend::none)
        return chosen(pinned).lookup();
    // A key file left from before the pin existed is the key.
    Result result = file_->lookup();
    if (result.status == Status::found) {
        pin(Backend::file);
        return result;
    }
    const Backend choice = unpinnedChoice();
    if (choice == Backend::file)
        return result;
    result = secretService_->lookup();
    if (result.status == Status::found)
        pin(choice);
    return result;
}

SecretStore::Result PinnedSecretStore::add(const QByteArray& secret) {
    Backend backend = pinnedBackend();
    const bool wasPinned = backend != Backend::none;
    if (!wasPinned)
        backend = unpinnedChoice();
    const Result result = chosen(backend).add(secret);
    if (!wasPinned && result.status == Status::found)
        pin(backend);
    return result;
}

QString PinnedSecretStore::backendName() const {
    const Backend pinned = pinnedBackend();
    return chosen(pinned == Backend::none ? unpinnedChoice() : pinned).backendName();
}

} // namespace vellaro
