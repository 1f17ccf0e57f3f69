#include "app/AppDelegate.h"
#include "app/HapticsNudgeService.h"
#include "app/HotKeyCenter.h"
#include "app/MouseTriggerCenter.h"
#include "app/SettingsConsole.h"
#include "app/SetupAssistant.h"
#include "app/StatusItem.h"
#include "app/UpdateService.h"
#include "model/MenuDataSource.h"
#include "model/SettingsStore.h"
#include "platform/session/Appearance.h"
#include "platform/session/Notifications.h"

#include "FakeGrabbers.h"
#include "support/ManualScheduler.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

// Everything the delegate asks of the windows and services, in order.
using Journal = QStringList;

class FakeConsole final : public SettingsConsole {
public:
    explicit FakeConsole(Journal& j) : journal(j) {}
    bool isAvailable() const override { return true; }
    void show() override { journal << "settings console"; }
    Journal& journal;
};

class FakeSetup final : public SetupAssistant {
public:
    explicit FakeSetup(Journal& j) : journal(j) {}
    bool isAvailable() const override { return true; }
    void show(bool restart) override { journal << (restart ? "setup restart" : "setup resume"); }
    bool holdsBackDial() const override { return false; }
    void bringForward() override {}
    Journal& journal;
};

class FakeUpdates final : public UpdateService {
public:
    explicit FakeUpdates(Journal& j) : journal(j) {}
    bool isAvailable() const override { return false; }
    void checkForUpdates() override { journal << "update check"; }
    Journal& journal;
};

class FakeNudge final : public HapticsNudgeService {
public:
    explicit FakeNudge(Journal& j) : journal(j) {}
    void showIfNeeded() override { journal << "haptics nudge"; }
    Journal& journal;
};

class StillAppearance final : public Appearance {
public:
    ColorScheme colorScheme() const override { return ColorScheme::light; }
    bool reduceMotion() const override { return false; }
    bool reduceTransparency() const override { return false; }
};

class NullDialView final : public OverlayDialView {
public:
    explicit NullDialView(double scale) : scale_(scale) {}
    QWidget* widget() override { return widget_; }
    double scale() const override { return scale_; }
    bool contextMenuOpen() const override { return false; }
    void setOnDismiss(std::function<void()>) override {}
    void sendOpen() override {}
    void sendTriggerReleased() override {}
    void sendFocusLost() override {}
    void reload() override {}
    void panelDidHide() override {}
    void prepareToShow(const QRect&) override {}

private:
    double scale_;
    QWidget* widget_ = new QWidget;
};

class AppDelegateTest : public ::testing::Test {
protected:
    std::unique_ptr<AppDelegate> launch(LaunchRequest request) {
        auto delegate = std::make_unique<AppDelegate>(
            AppDelegate::Services{store,
                                  [this]() -> MenuDataSource& {
                                      journal << "data source";
                                      return dataSource;
                                  },
                                  appearance, notifications, hotKeys, mouseTrigger, scheduler,
                                  console, setup, updates, nudge,
                                  [this](double scale, int) -> std::unique_ptr<OverlayDialView> {
                                      journal << QStringLiteral("dial view %1").arg(scale);
                                      return std::make_unique<NullDialView>(scale);
                                  },
                                  [this] { return onboardingCompleted; },
                                  [this](const QString& text) { desktopNotices << text; }},
            request);
        delegate->applicationDidFinishLaunching();
        return delegate;
    }

    QTemporaryDir folder;
    Journal journal;
    Notifications notifications;
    SettingsStore store{folder.path(), notifications};
    test::FakeTrust trust;
    MenuDataSource dataSource{store, trust, &MenuDataSource::makeEmptyProvider};
    StillAppearance appearance;
    test::FakeHotKeyGrabber hotKeyGrabber;
    HotKeyCenter hotKeys{hotKeyGrabber};
    test::FakeButtonGrabber buttonGrabber;
    MouseTriggerCenter mouseTrigger{
        buttonGrabber, trust, [this] { return store.settings().clampedMouseTriggerButton(); }};
    test::ManualScheduler scheduler;
    FakeConsole console{journal};
    FakeSetup setup{journal};
    FakeUpdates updates{journal};
    FakeNudge nudge{journal};
    bool onboardingCompleted = true;
    QStringList desktopNotices;
};

TEST_F(AppDelegateTest, LaunchRunsInOrder) {
    struct Case {
        const char* name;
        QStringList arguments;
        bool onboardingCompleted;
        Journal expectedTail; // after the shared services and the nudge
    };
    const Case cases[] = {
        {"plain launch", {"vellaro"}, true, {}},
        {"open settings", {"vellaro", "--open-settings"}, true, {"settings console"}},
        {"the setup assistant from its start instead of where it was left",
         {"vellaro", "--setup"},
         false,
         {"setup restart"}},
        {"check for updates", {"vellaro", "--check-for-updates"}, true, {"update check"}},
        {"first launch resumes the setup assistant", {"vellaro"}, false, {"setup resume"}},
        {"both: the console first",
         {"vellaro", "--open-settings"},
         false,
         {"settings console", "setup resume"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        journal.clear();
        onboardingCompleted = c.onboardingCompleted;
        auto delegate = launch(LaunchRequest::fromArguments(c.arguments));
        EXPECT_EQ(journal,
                  Journal({"data source", "dial view 1", "haptics nudge"}) + c.expectedTail);
        EXPECT_TRUE(hotKeys.isRegistered(49, 6144));
        EXPECT_TRUE(mouseTrigger.isArmed());
        EXPECT_EQ(delegate->hintText(), "Open: MB5 · Forward or Ctrl+Alt+Space");
    }
}

TEST_F(AppDelegateTest, TriggersReachTheOverlayAndSettingsChangesReachBoth) {
    auto delegate = launch({});
    hotKeyGrabber.press(1);
    EXPECT_TRUE(delegate->overlay()->isShown());
    buttonGrabber.press(); // a press while open closes the dial
    EXPECT_FALSE(delegate->overlay()->isShown());
    buttonGrabber.release();

    hotKeyGrabber.calls.clear();
    buttonGrabber.calls.clear();
    store.setHotKey({40, carbonCommandKey | carbonShiftKey, "k"});
    store.setMouseTriggerButton(3);
    EXPECT_TRUE(hotKeys.isRegistered(40, carbonCommandKey | carbonShiftKey));
    EXPECT_EQ(buttonGrabber.calls, (QStringList{"ungrab", "grab 3"}));
    EXPECT_EQ(delegate->hintText(), "Open: MB4 · Back or Shift+Super+K");
}

// What later launches hand over, once the program runs.
TEST_F(AppDelegateTest, RequestsOfLaterLaunchesOpenTheirWindows) {
    auto delegate = launch({});
    journal.clear();
    delegate->perform(LaunchRequest::fromArguments({"vellaro"}).forwardedActions());
    delegate->perform(LaunchRequest::setup | LaunchRequest::checkForUpdates);
    EXPECT_EQ(journal, Journal({"settings console", "setup restart", "update check"}));
}

TEST_F(AppDelegateTest, RefusedHotKeyShowsInTheHint) {
    hotKeyGrabber.nextStatus = HotKeyGrabber::statusKeyTaken;
    auto delegate = launch({});
    EXPECT_EQ(delegate->hintText(),
              "Open: MB5 · Forward · Ctrl+Alt+Space is taken by another program");
    Q_EMIT delegate->statusItem()->menu()->aboutToShow();
    EXPECT_EQ(delegate->statusItem()->hintItem()->text(), delegate->hintText());

    // Once the key can be had, a settings save registers it and the hint
    // goes back to normal.
    hotKeyGrabber.nextStatus = HotKeyGrabber::statusOk;
    store.setTheme(ThemeChoice::pearl);
    EXPECT_EQ(delegate->hintText(), "Open: MB5 · Forward or Ctrl+Alt+Space");
}

// The offscreen platform has no status area, so a refusal goes to the
// desktop's notifications as well, once.
TEST_F(AppDelegateTest, ARefusedHotKeyIsPostedOnceWithoutAStatusArea) {
    struct Case {
        const char* name;
        std::uint32_t code;
        std::uint32_t modifiers;
        std::int32_t grabStatus;
        QStringList notices;
    };
    const Case cases[] = {
        {"taken",
         49,
         carbonOptionKey,
         HotKeyGrabber::statusKeyTaken,
         {"Open: MB5 · Forward · Alt+Space is taken by another program"}},
        {"no such key",
         49,
         carbonOptionKey,
         HotKeyGrabber::statusInvalidKey,
         {"Open: MB5 · Forward · Alt+Space does not exist on this keyboard"}},
        {"no modifier",
         0,
         0,
         HotKeyGrabber::statusOk,
         {"Open: MB5 · Forward · A is not usable: a hot key needs Ctrl, Alt or Super"}},
        {"registered", 49, carbonOptionKey, HotKeyGrabber::statusOk, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        desktopNotices.clear();
        hotKeyGrabber.calls.clear();
        hotKeyGrabber.nextStatus = c.grabStatus;
        store.setHotKey({c.code, c.modifiers, c.code == 0 ? "a" : " "});
        auto delegate = launch({});
        EXPECT_FALSE(delegate->statusItem()->hasStatusArea());
        EXPECT_EQ(desktopNotices, c.notices);
        EXPECT_TRUE(mouseTrigger.isArmed()); // the mouse trigger works regardless
        store.setTheme(ThemeChoice::pearl);  // a save tries the key again, silently
        EXPECT_EQ(desktopNotices, c.notices);
        if (c.modifiers == 0) {
            EXPECT_TRUE(hotKeyGrabber.calls.isEmpty()); // never grabbed
        }
    }
}

TEST_F(AppDelegateTest, HugeStoredButtonMeansNoMouseTrigger) {
    store.update([](VellaroSettings& s) { s.mouseTriggerButton = 9223372036854775807LL; });
    auto delegate = launch({});
    EXPECT_FALSE(mouseTrigger.isArmed());
    EXPECT_EQ(delegate->hintText(), "Open: Ctrl+Alt+Space");
}

} // namespace
} // namespace vellaro
