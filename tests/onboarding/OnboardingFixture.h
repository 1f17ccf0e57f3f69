#pragma once

#include "model/SettingsStore.h"
#include "onboarding/OnboardingServices.h"
#include "onboarding/OnboardingShell.h"
#include "platform/session/Defaults.h"
#include "platform/session/Notifications.h"
#include "platform/windows/WindowAccessTrust.h"
#include "support/FakeAppearance.h"
#include "support/ManualScheduler.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro::test {

class FakeTrust final : public WindowAccessTrust {
public:
    bool trusted = false;
    bool isTrusted() override { return trusted; }
    void grant() {
        trusted = true;
        Q_EMIT changed();
    }
};

class FakeShell final : public OnboardingShell {
public:
    explicit FakeShell(FakeTrust& trust) : trust_(trust) {}
    bool isTrusted() const override { return trust_.trusted; }
    QString requestAccess() override {
        ++requests;
        return refusal;
    }
    QString openAccessSettings() override {
        ++settingsOpened;
        return settingsRefusal;
    }
    void revealApp() override {}
    bool storedHotKeyIsRegistered() const override { return registered; }
    QString mouseButtonName(long long) const override { return QStringLiteral("Middle Click"); }
    void openConsole() override { ++consoleOpened; }

    bool registered = true;
    QString refusal;         // why a request shows nothing
    QString settingsRefusal; // why the settings do not open
    int requests = 0;
    int settingsOpened = 0;
    int consoleOpened = 0;

private:
    FakeTrust& trust_;
};

// Real settings, defaults and hub in a temporary folder; fakes at the seams.
struct OnboardingFixture : ::testing::Test {
    QTemporaryDir folder;
    Notifications hub;
    SettingsStore settings{folder.path(), hub};
    Defaults defaults{folder.path() + "/defaults.ini"};
    ManualScheduler scheduler;
    FakeTrust trust;
    FakeShell shell{trust};
    FakeAppearance appearance;
    OnboardingServices services{settings, defaults, hub, scheduler, trust, shell};

    bool flag(const QString& key) const { return defaults.boolValue(key); }
    // defaults.ini as it is on disk.
    QByteArray defaultsFile() const {
        QFile ini(folder.path() + "/defaults.ini");
        return ini.open(QIODevice::ReadOnly) ? ini.readAll() : QByteArray();
    }
};

} // namespace vellaro::test
