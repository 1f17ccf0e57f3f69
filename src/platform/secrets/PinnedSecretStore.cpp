#include "platform/secrets/PinnedSecretStore.h"

#include "platform/secrets/FileSecretStore.h"
#include "platform/secrets/LibsecretSecretStore.h"
#include "platform/secrets/Logging.h"

#include "platform/session/OwnedFile.h"

#include <QStandardPaths>

#include <utility>

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
    if (secretServiceUnreachable_)
        return Backend::file;
    return secretServiceOnBus_() ? Backend::secretService : Backend::file;
}

void PinnedSecretStore::noteSecretService(Status status) {
    secretServiceUnreachable_ = status == Status::unreachable;
    if (secretServiceUnreachable_ && !std::exchange(saidUnreachable_, true))
        qCWarning(lcSecrets) << "The Secret Service is named on the session bus but cannot be "
                                "reached; the key is kept in a key file";
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
    if (unpinnedChoice() == Backend::file)
        return result;
    const Result fromService = secretService_->lookup();
    noteSecretService(fromService.status);
    if (fromService.status == Status::unreachable)
        return result;
    if (fromService.status == Status::found)
        pin(Backend::secretService);
    return fromService;
}

SecretStore::Result PinnedSecretStore::add(const QByteArray& secret) {
    const Backend pinned = pinnedBackend();
    if (pinned != Backend::none)
        return chosen(pinned).add(secret);
    Backend backend = unpinnedChoice();
    Result result = chosen(backend).add(secret);
    if (backend == Backend::secretService) {
        noteSecretService(result.status);
        if (result.status == Status::unreachable) {
            backend = Backend::file;
            result = file_->add(secret);
        }
    }
    if (result.status == Status::found)
        pin(backend);
    return result;
}

QString PinnedSecretStore::backendName() const {
    const Backend pinned = pinnedBackend();
    return chosen(pinned == Backend::none ? unpinnedChoice() : pinned).backendName();
}

} // namespace vellaro
