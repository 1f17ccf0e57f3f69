#pragma once

#include "clipboard/StoredEntry.h"
#include "platform/secrets/SecretStore.h"

#include <QString>
#include <optional>
#include <vector>

namespace vellaro {

// The file work of the clipboard history: reading, sealing, writing and
// deleting `clipboard.sealed`, and getting its key. Every call blocks; one
// worker thread makes all of them, in order.
class SealedHistoryFile {
public:
    enum class LoadStatus {
        noFile, // missing or empty: no key is asked for
        loaded,
        keyUnavailable, // the file stays as it is and writes wait for the key
        rejected,       // it will not open: moved aside before the next write
    };
    struct LoadResult {
        LoadStatus status = LoadStatus::noFile;
        std::vector<StoredEntry> records;
    };
    enum class WriteStatus { written, keyUnavailable, failed };

    // 25 entries of 4 MiB images in Base64 fit well below this.
    static constexpr qint64 maximumSize = qint64(512) * 1024 * 1024;

    // `lockPath`: the file that serialises creating the key across processes.
    // A history that would seal to more than `limit` bytes is not written.
    SealedHistoryFile(QString filePath, SecretStore& secrets, QString lockPath,
                      qint64 limit = maximumSize);

    const QString& filePath() const { return filePath_; }

    LoadResult load();
    WriteStatus write(const std::vector<StoredEntry>& records);
    // Deletes the file and every copy moved aside.
    void clear();

private:
    std::optional<QByteArray> existingKey(bool* unavailable);
    std::optional<QByteArray> createKey();
    bool moveRejectedAside();
    WriteStatus writeSealed(const QByteArray& key, const std::vector<StoredEntry>& records);

    QString filePath_;
    SecretStore& secrets_;
    QString lockPath_;
    qint64 limit_;
    bool rejectBeforeWrite_ = false;
    SecretStore::Status lastKeyStatus_ = SecretStore::Status::notFound;
};

} // namespace vellaro
