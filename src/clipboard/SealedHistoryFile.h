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

    // `lockPath`: the file that serialises creating the key across processes.
    SealedHistoryFile(QString filePath, SecretStore& secrets, QString lockPath);

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
    bool rejectBeforeWrite_ = false;
    SecretStore::Status lastKeyStatus_ = SecretStore::Status::notFound;
};

} // namespace vellaro
