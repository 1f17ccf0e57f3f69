#include "platform/secrets/FileSecretStore.h"
#include "platform/secrets/LibsecretSecretStore.h"
#include "platform/secrets/PinnedSecretStore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <gtest/gtest.h>

#include <memory>

namespace vellaro {
namespace {

using Backend = PinnedSecretStore::Backend;
using Status = SecretStore::Status;

// A session bus of its own with no Secret Service on it, set up before
// anything in this process talks to D-Bus.
class PrivateBus : public testing::Environment {
public:
    void SetUp() override {
        // No service folders: nothing on this bus can be started on demand.
        ASSERT_TRUE(config_.open());
        config_.write(R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)");
        config_.flush();
        daemon_.start("dbus-daemon",
                      {"--config-file=" + config_.fileName(), "--nofork", "--print-address=1"});
        ASSERT_TRUE(daemon_.waitForReadyRead(10000)) << "dbus-daemon is in scripts/bootstrap";
        const QByteArray address = daemon_.readLine().trimmed();
        ASSERT_FALSE(address.isEmpty());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    }
    void TearDown() override {
        daemon_.kill();
        daemon_.waitForFinished();
    }

private:
    QTemporaryFile config_;
    QProcess daemon_;
};

const auto* const bus = testing::AddGlobalTestEnvironment(new PrivateBus);

std::unique_ptr<PinnedSecretStore> storeIn(const QString& folder) {
    return std::make_unique<PinnedSecretStore>(
        std::make_unique<LibsecretSecretStore>("org.vellaro.Vellaro", "clipboard-history-key",
                                               "Vellaro test key"),
        std::make_unique<FileSecretStore>(folder, "clipboard-history-key"), folder + "/backend",
        &LibsecretSecretStore::serviceOnBus);
}

TEST(WithoutASecretService, UnpinnedTheKeyGoesToAKeyFile) {
    EXPECT_FALSE(LibsecretSecretStore::serviceOnBus());
    QTemporaryDir keys;
    auto store = storeIn(keys.path());
    EXPECT_EQ(store->lookup().status, Status::notFound);
    ASSERT_EQ(store->add(QByteArray(32, 'k')).status, Status::found);
    EXPECT_EQ(store->pinnedBackend(), Backend::file);
    EXPECT_TRUE(QFile::exists(keys.filePath("clipboard-history-key")));
    EXPECT_EQ(storeIn(keys.path())->lookup().secret, QByteArray(32, 'k'));
}

TEST(WithoutASecretService, APinnedSecretServiceIsUnavailableAndNoFileAppears) {
    QTemporaryDir keys;
    QFile pin(keys.filePath("backend"));
    ASSERT_TRUE(pin.open(QIODevice::WriteOnly));
    pin.write("secret-service");
    pin.close();
    auto store = storeIn(keys.path());
    EXPECT_EQ(store->lookup().status, Status::unavailable);
    EXPECT_EQ(store->add(QByteArray(32, 'k')).status, Status::unavailable);
    EXPECT_EQ(QDir(keys.path()).entryList(QDir::Files), QStringList{"backend"});
}

} // namespace
} // namespace vellaro
