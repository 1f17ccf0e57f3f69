#include "platform/session/PortalAppearance.h"
#include "support/ManualScheduler.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QGuiApplication>
#include <QPalette>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");

// The desktop portal's Settings interface, as far as the appearance reads it.
class FakePortalSettings : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
public:
    uint colorScheme = 0;

public Q_SLOTS:
    QDBusVariant ReadOne(const QString& nameSpace, const QString& key) {
        EXPECT_EQ(nameSpace, QStringLiteral("org.freedesktop.appearance"));
        EXPECT_EQ(key, QStringLiteral("color-scheme"));
        return QDBusVariant(colorScheme);
    }

Q_SIGNALS:
    void SettingChanged(const QString& nameSpace, const QString& key, const QDBusVariant& value);
};

// Portals before version 2 have only Read(), which wraps the value twice.
class OldFakePortalSettings : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
public:
    uint colorScheme = 0;

public Q_SLOTS:
    QDBusVariant Read(const QString&, const QString&) {
        return QDBusVariant(QVariant::fromValue(QDBusVariant(colorScheme)));
    }
};

// A second connection to the session bus plays the portal, so calls really
// travel through the bus.
class PortalFixture : public ::testing::Test {
protected:
    PortalFixture()
        : portalBus(QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                                  QStringLiteral("fake-portal"))) {}
    ~PortalFixture() override {
        portalBus.unregisterObject(portalPath);
        portalBus.unregisterService(portalService);
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-portal"));
        QGuiApplication::setPalette(QPalette());
    }

    void servePortal(QObject* settings) {
        ASSERT_TRUE(portalBus.isConnected());
        ASSERT_TRUE(portalBus.registerObject(portalPath, settings,
                                             QDBusConnection::ExportAllSlots |
                                                 QDBusConnection::ExportAllSignals));
        ASSERT_TRUE(portalBus.registerService(portalService));
    }

    static void useDarkPalette(bool dark) {
        QPalette palette;
        palette.setColor(QPalette::Window, dark ? QColor(30, 30, 30) : QColor(240, 240, 240));
        palette.setColor(QPalette::WindowText, dark ? QColor(230, 230, 230) : QColor(20, 20, 20));
        QGuiApplication::setPalette(palette);
    }

    std::unique_ptr<PortalAppearance> makeAppearance(const QString& gsettings = {}) {
        return std::make_unique<PortalAppearance>(QDBusConnection::sessionBus(), gsettings,
                                                  scheduler);
    }

    QDBusConnection portalBus;
    test::ManualScheduler scheduler;
};

TEST_F(PortalFixture, ThePortalsPreferenceWinsOverThePalette) {
    struct Case {
        uint portalValue;
        bool darkPalette;
        ColorScheme expected;
    };
    const Case cases[] = {
        {1, false, ColorScheme::dark},
        {2, true, ColorScheme::light},
        {0, true, ColorScheme::dark}, // no preference: the palette decides
        {0, false, ColorScheme::light},
    };
    FakePortalSettings portal;
    servePortal(&portal);
    for (const Case& c : cases) {
        portal.colorScheme = c.portalValue;
        useDarkPalette(c.darkPalette);
        auto appearance = makeAppearance();
        if (c.portalValue != 0) {
            QSignalSpy changed(appearance.get(), &Appearance::changed);
            ASSERT_TRUE(changed.wait(5000)) << c.portalValue;
        }
        EXPECT_EQ(appearance->colorScheme(), c.expected) << c.portalValue;
    }
}

TEST_F(PortalFixture, FollowsThePortalsChangeSignal) {
    FakePortalSettings portal;
    portal.colorScheme = 2;
    servePortal(&portal);
    auto appearance = makeAppearance();
    QSignalSpy changed(appearance.get(), &Appearance::changed);
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(appearance->colorScheme(), ColorScheme::light);

    Q_EMIT portal.SettingChanged(QStringLiteral("org.freedesktop.appearance"),
                                 QStringLiteral("color-scheme"), QDBusVariant(1u));
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(appearance->colorScheme(), ColorScheme::dark);

    Q_EMIT portal.SettingChanged(QStringLiteral("org.gnome.desktop.interface"),
                                 QStringLiteral("enable-animations"), QDBusVariant(false));
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_TRUE(appearance->reduceMotion());
}

TEST_F(PortalFixture, AnOlderPortalIsReadThroughRead) {
    OldFakePortalSettings portal;
    portal.colorScheme = 1;
    servePortal(&portal);
    auto appearance = makeAppearance();
    QSignalSpy changed(appearance.get(), &Appearance::changed);
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(appearance->colorScheme(), ColorScheme::dark);
}

TEST_F(PortalFixture, WithoutAPortalThePaletteDecides) {
    for (bool dark : {true, false}) {
        useDarkPalette(dark);
        auto appearance = makeAppearance();
        EXPECT_EQ(appearance->colorScheme(), dark ? ColorScheme::dark : ColorScheme::light);
        EXPECT_FALSE(appearance->reduceMotion());
        EXPECT_FALSE(appearance->reduceTransparency());
    }
}

// GNOME's enable-animations, read with the real gsettings from a key file.
TEST_F(PortalFixture, ReduceMotionFollowsGnomeAnimations) {
    const QString gsettings = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (gsettings.isEmpty())
        GTEST_SKIP() << "gsettings is not installed";
    qputenv("GSETTINGS_BACKEND", "keyfile");
    const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME") + "/glib-2.0/settings";
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile keyfile(folder + "/keyfile");
    ASSERT_TRUE(keyfile.open(QIODevice::WriteOnly));
    keyfile.write("[org/gnome/desktop/interface]\nenable-animations=false\n");
    keyfile.close();

    auto appearance = makeAppearance(gsettings);
    QSignalSpy changed(appearance.get(), &Appearance::changed);
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_TRUE(appearance->reduceMotion());

    // A program that is not there leaves motion on.
    auto missing = makeAppearance(QStringLiteral("/nonexistent/gsettings"));
    QSignalSpy none(missing.get(), &Appearance::changed);
    EXPECT_FALSE(none.wait(300));
    EXPECT_FALSE(missing->reduceMotion());
    qunsetenv("GSETTINGS_BACKEND");
}

// The time-out that stops a slow gsettings must not outlive the appearance.
TEST_F(PortalFixture, AGoneAppearanceLeavesNoTimeOutBehind) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString slow = folder.filePath(QStringLiteral("slow-gsettings"));
    QFile script(slow);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexec sleep 30\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    auto appearance = makeAppearance(slow);
    appearance.reset();
    // Under AddressSanitizer a time-out that still holds the process fails here.
    scheduler.advance(std::chrono::milliseconds(PortalAppearance::timeoutMs * 2));
}

TEST_F(PortalFixture, SharedIsTheInstalledOne) {
    auto appearance = makeAppearance();
    Appearance::setShared(appearance.get());
    EXPECT_EQ(&Appearance::shared(), appearance.get());
    Appearance::setShared(nullptr);
    EXPECT_NE(&Appearance::shared(), appearance.get());
}

} // namespace
} // namespace vellaro

#include "AppearanceTests.moc"
