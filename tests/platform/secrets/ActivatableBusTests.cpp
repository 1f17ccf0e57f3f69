#include "ClipboardKeyStore.h"
#include "PrivateBus.h"
#include "model/LogCapture.h"

#include "platform/secrets/FileSecretStore.h"
#include "platform/secrets/LibsecretSecretStore.h"
#include "platform/secrets/PinnedSecretStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using Backend = PinnedSecretStore::Backend;
using Status = SecretStore::Status;

const auto* const bus = testing::AddGlobalTestEnvironment(new test::PrivateBus(true));

TEST(AnActivatableSecretServiceThatIsAbsent, IsUnreachableRatherThanLockedOrMissing) {
    EXPECT_TRUE(LibsecretSecretStore::serviceOnBus()) << "named on the bus";
    LibsecretSecretStore service("org.vellaro.Vellaro", "clipboard-history-key",
                                 "Vellaro test key");
    EXPECT_EQ(service.lookup().status, Status::unreachable);
    EXPECT_EQ(service.add(QByteArray(32, 'k')).status, Status::unreachable);
}

TEST(AnActivatableSecretServiceThatIsAbsent, UnpinnedTheKeyGoesToTheKeyFileSaidOnce) {
    QTemporaryDir keys;
    test::LogCapture log("vellaro.secrets");
    auto store = test::clipboardKeyStoreIn(keys.path());
    EXPECT_EQ(store->lookup().status, Status::notFound);
    EXPECT_EQ(store->lookup().status, Status::notFound);
    ASSERT_EQ(store->add(QByteArray(32, 'k')).status, Status::found);
    EXPECT_EQ(store->pinnedBackend(), Backend::file);
    EXPECT_TRUE(QFile::exists(keys.filePath("clipboard-history-key")));
    EXPECT_EQ(store->lookup().secret, QByteArray(32, 'k'));
    EXPECT_EQ(log.count("cannot be reached"), 1) << log.lines().join('\n').toStdString();

    // A new start finds the pinned key file without asking the bus.
    EXPECT_EQ(test::clipboardKeyStoreIn(keys.path())->lookup().secret, QByteArray(32, 'k'));
}

} // namespace
} // namespace vellaro
