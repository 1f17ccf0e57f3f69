#include "ClipboardKeyStore.h"
#include "PrivateBus.h"

#include "platform/secrets/FileSecretStore.h"
#include "platform/secrets/LibsecretSecretStore.h"
#include "platform/secrets/PinnedSecretStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace vellaro {
namespace {

using Backend = PinnedSecretStore::Backend;
using Status = SecretStore::Status;

const auto* const bus = testing::AddGlobalTestEnvironment(new test::PrivateBus);

TEST(WithoutASecretService, UnpinnedTheKeyGoesToAKeyFile) {
    EXPECT_FALSE(LibsecretSecretStore::serviceOnBus());
    QTemporaryDir keys;
    auto store = test::clipboardKeyStoreIn(keys.path());
    EXPECT_EQ(store->lookup().status, Status::notFound);
    ASSERT_EQ(store->add(QByteArray(32, 'k')).status, Status::found);
    EXPECT_EQ(store->pinnedBackend(), Backend::file);
    EXPECT_TRUE(QFile::exists(keys.filePath("clipboard-history-key")));
    EXPECT_EQ(test::clipboardKeyStoreIn(keys.path())->lookup().secret, QByteArray(32, 'k'));
}

TEST(WithoutASecretService, APinnedSecretServiceIsUnavailableAndNoFileAppears) {
    QTemporaryDir keys;
    QFile pin(keys.filePath("backend"));
    ASSERT_TRUE(pin.open(QIODevice::WriteOnly));
    pin.write("secret-service");
    pin.close();
    auto store = test::clipboardKeyStoreIn(keys.path());
    EXPECT_EQ(store->lookup().status, Status::unreachable);
    EXPECT_EQ(store->add(QByteArray(32, 'k')).status, Status::unreachable);
    EXPECT_EQ(QDir(keys.path()).entryList(QDir::Files), QStringList{"backend"});
}

} // namespace
} // namespace vellaro
