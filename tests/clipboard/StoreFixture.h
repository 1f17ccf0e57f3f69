#pragma once

#include "FakeSecretStore.h"
#include "support/ManualScheduler.h"

#include "clipboard/ClipboardStore.h"
#include "clipboard/StoredEntry.h"
#include "platform/crypto/Aead.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace vellaro::test {

inline StoredEntry textRecord(const QString& text, double copiedAt = 1000) {
    StoredEntry record;
    record.kind = StoredEntry::Kind::text;
    record.text = text;
    record.title = text;
    record.copiedAt = copiedAt;
    return record;
}

inline QStringList textsOf(const std::vector<StoredEntry>& records) {
    QStringList texts;
    for (const StoredEntry& record : records)
        texts << record.text.value_or(QStringLiteral("?"));
    return texts;
}

// A store in a temporary folder with a fake secret store and manual time.
struct StoreFixture {
    QTemporaryDir root;
    ManualScheduler scheduler;
    FakeSecretStore* secrets = nullptr;
    std::unique_ptr<ClipboardStore> store;

    StoreFixture() { reopen(); }

    // A new store on the same folder and secret, as after a restart.
    void reopen() {
        std::optional<QByteArray> secret = secrets ? secrets->secret() : std::nullopt;
        store.reset();
        auto fake = std::make_unique<FakeSecretStore>();
        fake->setSecret(secret);
        secrets = fake.get();
        store = std::make_unique<ClipboardStore>(root.path(), std::move(fake),
                                                 root.filePath("key.lock"), scheduler);
    }

    QString path() const { return root.filePath("clipboard.sealed"); }

    // Lets the worker finish and its results arrive.
    void settle() {
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(store->waitForWorker(std::chrono::seconds(10)));
            QCoreApplication::processEvents();
        }
    }

    // The file opened with the stored key; none when it does not open.
    std::optional<std::vector<StoredEntry>> readFile() const {
        QFile file(path());
        const auto key = secrets->secret();
        if (!key || !file.open(QIODevice::ReadOnly))
            return std::nullopt;
        const auto json = Aead::open(*key, file.readAll());
        return json ? StoredEntry::decodeList(*json) : std::nullopt;
    }

    // Seals `records` into the file under the stored key (made when missing).
    void writeFile(const std::vector<StoredEntry>& records) {
        if (!secrets->secret())
            secrets->setSecret(Aead::randomBytes(Aead::keySize));
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(*Aead::seal(*secrets->secret(), StoredEntry::encodeList(records)));
    }

    // Loads; the records and the held flag the handler received.
    struct Loaded {
        bool called = false;
        std::vector<StoredEntry> records;
        bool savesWereHeld = false;
    };
    std::shared_ptr<Loaded> load() {
        auto loaded = std::make_shared<Loaded>();
        store->load([loaded](std::vector<StoredEntry> records, bool held) {
            loaded->called = true;
            loaded->records = std::move(records);
            loaded->savesWereHeld = held;
        });
        return loaded;
    }
};

} // namespace vellaro::test
