#include "clipboard/SealedHistoryFile.h"

#include "clipboard/Logging.h"
#include "platform/clipboard/CopiedText.h"
#include "platform/clipboard/ImageThumbnail.h"
#include "platform/crypto/Aead.h"
#include "platform/crypto/AeadSealer.h"
#include "platform/secrets/SecretStore.h"
#include "platform/session/OwnedFile.h"
#include "platform/session/OwnedFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vellaro {

namespace {

// Holds an exclusive lock on a file for its lifetime (no lock without a path).
class FileLock {
public:
    explicit FileLock(const QString& path) {
        if (path.isEmpty())
            return;
        QDir().mkpath(QFileInfo(path).absolutePath());
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~FileLock() {
        if (fd_ >= 0)
            ::close(fd_); // releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_ = -1;
};

} // namespace

SealedHistoryFile::SealedHistoryFile(QString filePath, SecretStore& secrets, QString lockPath,
                                     qint64 limit)
    : filePath_(std::move(filePath)), secrets_(secrets), lockPath_(std::move(lockPath)),
      limit_(limit) {}

SealedHistoryFile::LoadResult SealedHistoryFile::load() {
    if (filePath_.isEmpty())
        return {LoadStatus::noFile, {}};
    const OwnedFile::ReadResult file = OwnedFile::read(filePath_, limit_);
    if (file.status == OwnedFile::ReadStatus::missing ||
        (file.status == OwnedFile::ReadStatus::ok && file.data.isEmpty()))
        return {LoadStatus::noFile, {}};
    if (file.status == OwnedFile::ReadStatus::unreadable) {
        qCWarning(lcClipboardStore).noquote()
            << "Clipboard history unreadable; starting fresh:" << file.error;
        rejectBeforeWrite_ = true;
        return {LoadStatus::rejected, {}};
    }
    const QByteArray& box = file.data;
    bool unavailable = false;
    const auto key = existingKey(&unavailable);
    if (unavailable)
        return {LoadStatus::keyUnavailable, {}};
    std::optional<std::vector<StoredEntry>> records;
    if (key) {
        if (const auto json = Aead::open(*key, box))
            records = StoredEntry::decodeList(*json);
    }
    if (!records) {
        // Also when the key is gone: nothing can open this file again.
        qCCritical(lcClipboardStore) << "Clipboard history unreadable; starting fresh";
        rejectBeforeWrite_ = true;
        return {LoadStatus::rejected, {}};
    }
    for (StoredEntry& record : *records) {
        if (record.kind == StoredEntry::Kind::image && record.imageData)
            record.thumbnail = imageThumbnail(*record.imageData);
        if (record.kind == StoredEntry::Kind::text && record.text)
            record.preview =
                CopiedText::leadingCharacters(*record.text, CopiedText::previewCharacters);
    }
    return {LoadStatus::loaded, std::move(*records)};
}

std::optional<QByteArray> SealedHistoryFile::existingKey(bool* unavailable) {
    const SecretStore::Result result = secrets_.lookup();
    *unavailable = result.status != SecretStore::Status::found &&
                   result.status != SecretStore::Status::notFound;
    // Said when it begins, not again at every save while it lasts.
    const bool news = std::exchange(lastKeyStatus_, result.status) != result.status;
    if (result.status == SecretStore::Status::locked) {
        if (news)
            qCWarning(lcClipboardStore) << "Clipboard history key is locked; saves wait until "
                                           "it is unlocked";
        return std::nullopt;
    }
    if (*unavailable) {
        if (news)
            qCCritical(lcClipboardStore).noquote()
                << QStringLiteral("Secret store read failed (%1 unavailable)")
                       .arg(secrets_.backendName());
        return std::nullopt;
    }
    if (result.status == SecretStore::Status::notFound)
        return std::nullopt;
    if (result.secret.size() != Aead::keySize) {
        qCCritical(lcClipboardStore).noquote()
            << QStringLiteral("Secret store read failed (a key of %1 bytes)")
                   .arg(result.secret.size());
        return std::nullopt;
    }
    return result.secret;
}

std::optional<QByteArray> SealedHistoryFile::createKey() {
    // The Secret Service replaces an item with the same attributes: two
    // creators at once would each seal under a key only one of them keeps.
    const FileLock lock(lockPath_);
    bool unavailable = false;
    if (auto key = existingKey(&unavailable))
        return key;
    if (unavailable)
        return std::nullopt;
    const auto fresh = Aead::randomBytes(Aead::keySize);
    const SecretStore::Result added =
        fresh ? secrets_.add(*fresh) : SecretStore::Result{SecretStore::Status::unavailable, {}};
    if (added.status == SecretStore::Status::locked) {
        if (std::exchange(lastKeyStatus_, added.status) != added.status)
            qCWarning(lcClipboardStore) << "Clipboard history key is locked; saves wait until "
                                           "it is unlocked";
        return std::nullopt;
    }
    if (added.status != SecretStore::Status::found || added.secret.size() != Aead::keySize) {
        qCCritical(lcClipboardStore).noquote()
            << QStringLiteral("Secret store key creation failed (%1)").arg(secrets_.backendName());
        return std::nullopt;
    }
    return added.secret;
}

SealedHistoryFile::WriteStatus SealedHistoryFile::write(const std::vector<StoredEntry>& records) {
    if (filePath_.isEmpty()) {
        qCCritical(lcClipboardStore) << "Clipboard history write failed: no data folder";
        return WriteStatus::failed;
    }
    bool unavailable = false;
    auto key = existingKey(&unavailable);
    if (!key && !unavailable)
        key = createKey();
    if (!key) {
        qCCritical(lcClipboardStore) << "Clipboard history save failed";
        return WriteStatus::keyUnavailable;
    }
    if (rejectBeforeWrite_ && !moveRejectedAside())
        return WriteStatus::failed;
    return writeSealed(*key, records);
}

bool SealedHistoryFile::moveRejectedAside() {
    if (!OwnedFile::exists(filePath_)) {
        rejectBeforeWrite_ = false;
        return true;
    }
    QString error;
    const QString aside = OwnedFile::moveAside(filePath_, &error);
    if (aside.isEmpty()) {
        qCCritical(lcClipboardStore).noquote()
            << "Clipboard history write failed: cannot move the unreadable file aside:" << error;
        return false;
    }
    qCWarning(lcClipboardStore).noquote() << "Moved the unreadable clipboard history to" << aside;
    rejectBeforeWrite_ = false;
    return true;
}

SealedHistoryFile::WriteStatus
SealedHistoryFile::writeSealed(const QByteArray& key, const std::vector<StoredEntry>& records) {
    const QString folder = QFileInfo(filePath_).absolutePath();
    AeadSealer sealer;
    if (!sealer.start(key)) {
        qCCritical(lcClipboardStore) << "Clipboard history save failed";
        return WriteStatus::failed;
    }
    if (!QDir().mkpath(folder)) {
        qCCritical(lcClipboardStore).noquote()
            << "Clipboard history write failed: cannot create the folder" << folder;
        return WriteStatus::failed;
    }
    OwnedFileWriter file(filePath_, limit_, true);
    // Sealed and written piece by piece: the history is never whole in
    // memory a second or third time.
    bool sealed = true;
    bool written = file.write(sealer.nonce());
    QByteArray ciphertext;
    StoredEntry::encodeList(records, [&](const char* data, qsizetype size) {
        if (!sealed || !written)
            return;
        ciphertext.resize(size);
        sealed = sealer.update(data, size, ciphertext.data());
        written = sealed && file.write(ciphertext);
    });
    if (sealed && written) {
        const auto tag = sealer.finish();
        sealed = tag.has_value();
        if (sealed && file.write(*tag) && file.replace())
            return WriteStatus::written;
    }
    if (!sealed)
        qCCritical(lcClipboardStore) << "Clipboard history save failed";
    else
        qCCritical(lcClipboardStore).noquote()
            << "Clipboard history write failed:" << file.errorString();
    return WriteStatus::failed;
}

void SealedHistoryFile::clear() {
    if (filePath_.isEmpty())
        return;
    QFile::remove(filePath_);
    const QFileInfo info(filePath_);
    QDir folder = info.absoluteDir();
    const QStringList aside =
        folder.entryList({info.fileName() + QStringLiteral(".rejected-*")}, QDir::Files);
    for (const QString& name : aside)
        folder.remove(name);
    rejectBeforeWrite_ = false;
}

} // namespace vellaro
