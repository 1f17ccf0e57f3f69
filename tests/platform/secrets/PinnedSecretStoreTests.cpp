#include "platform/secrets/FileSecretStore.h"
#include "platform/secrets/PinnedSecretStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

namespace vellaro {
namespace {

using Backend = PinnedSecretStore::Backend;
using Status = SecretStore::Status;

// A Secret Service that is up or down, holding at most one secret.
class FakeSecretService final : public SecretStore {
public:
    bool up = true;
    std::optional<QByteArray> held;

    Result lookup() override {
        if (!up)
            return {Status::unavailable, {}};
        return held ? Result{Status::found, *held} : Result{Status::notFound, {}};
    }
    Result add(const QByteArray& secret) override {
        if (!up)
            return {Status::unavailable, {}};
        held = secret;
        return {Status::found, secret};
    }
    QString backendName() const override { return "secret service"; }
};

struct Fixture {
    QTemporaryDir root;
    FakeSecretService* service = nullptr;
    bool onBus = true;
    std::unique_ptr<PinnedSecretStore> store;

    Fixture() {
        auto fake = std::make_unique<FakeSecretService>();
        service = fake.get();
        store = std::make_unique<PinnedSecretStore>(
            std::move(fake), std::make_unique<FileSecretStore>(root.path(), "key"),
            root.filePath("backend"), [this] { return onBus; });
    }
    bool keyFileExists() const { return QFile::exists(root.filePath("key")); }
};

TEST(PinnedSecretStore, UnpinnedGoesToTheSecretServiceWhenOneIsOnTheBus) {
    Fixture f;
    EXPECT_EQ(f.store->lookup().status, Status::notFound);
    EXPECT_EQ(f.store->pinnedBackend(), Backend::none) << "nothing found, nothing pinned";
    ASSERT_EQ(f.store->add("k1").status, Status::found);
    EXPECT_EQ(f.store->pinnedBackend(), Backend::secretService);
    EXPECT_EQ(f.service->held, QByteArray("k1"));
    EXPECT_FALSE(f.keyFileExists());
}

TEST(PinnedSecretStore, UnpinnedWithoutASecretServiceUsesTheKeyFile) {
    Fixture f;
    f.onBus = false;
    ASSERT_EQ(f.store->add("k1").status, Status::found);
    EXPECT_EQ(f.store->pinnedBackend(), Backend::file);
    EXPECT_TRUE(f.keyFileExists());
    // A Secret Service that appears later does not move the key.
    f.onBus = true;
    EXPECT_EQ(f.store->lookup().secret, QByteArray("k1"));
}

TEST(PinnedSecretStore, APinnedSecretServiceThatIsDownIsUnavailableNeverAKeyFile) {
    Fixture f;
    ASSERT_EQ(f.store->add("k1").status, Status::found);
    f.service->up = false;
    f.onBus = false;
    EXPECT_EQ(f.store->lookup().status, Status::unavailable);
    EXPECT_EQ(f.store->add("k2").status, Status::unavailable);
    EXPECT_FALSE(f.keyFileExists());
    f.service->up = true;
    EXPECT_EQ(f.store->lookup().secret, QByteArray("k1"));
}

TEST(PinnedSecretStore, AFoundSecretServiceKeyIsPinned) {
    Fixture f;
    f.service->held = QByteArray("old");
    EXPECT_EQ(f.store->lookup().secret, QByteArray("old"));
    EXPECT_EQ(f.store->pinnedBackend(), Backend::secretService);
}

} // namespace
} // namespace vellaro
