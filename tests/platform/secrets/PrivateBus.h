#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro::test {

// A session bus of this test program's own, set up before anything in the
// process talks to D-Bus. Without a Secret Service on it; with
// `secretServiceExits`, its name is activatable but the program started for
// it ends at once, as a broken or uninstalled keyring's does.
class PrivateBus : public testing::Environment {
public:
    explicit PrivateBus(bool secretServiceExits = false)
        : secretServiceExits_(secretServiceExits) {}

    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        QString services;
        if (secretServiceExits_) {
            const QString serviceFolder = folder_.filePath("services");
            ASSERT_TRUE(QDir().mkpath(serviceFolder));
            QFile service(serviceFolder + "/org.freedesktop.secrets.service");
            ASSERT_TRUE(service.open(QIODevice::WriteOnly));
            service.write("[D-BUS Service]\nName=org.freedesktop.secrets\nExec=/bin/false\n");
            services = "<servicedir>" + serviceFolder + "</servicedir>";
        }
        QFile config(folder_.filePath("bus.conf"));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write(QString(R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  %1
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)")
                         .arg(services)
                         .toUtf8());
        config.close();
        daemon_.start("dbus-daemon",
                      {"--config-file=" + config.fileName(), "--nofork", "--print-address=1"});
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
    bool secretServiceExits_;
    QTemporaryDir folder_;
    QProcess daemon_;
};

} // namespace vellaro::test
