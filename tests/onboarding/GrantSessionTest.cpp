// The grant page on a display of its own that has no window manager yet: it
// says why asking shows nothing; starting openbox grants window access, which
// the page hears from the root window's watch while its own poll's clock
// stands still.
#include "app/AccessibilityExplainerView.h"
#include "app/AccessibilityPermission.h"
#include "app/DesktopSettingsPanes.h"
#include "model/SettingsStore.h"
#include "onboarding/GrantPage.h"
#include "onboarding/OnboardingServices.h"
#include "onboarding/OnboardingShell.h"
#include "platform/session/Defaults.h"
#include "platform/session/Notifications.h"
#include "platform/time/QtScheduler.h"
#include "platform/windows/X11WindowAccessTrust.h"
#include "support/ManualScheduler.h"
#include "support/PrivateDisplayMain.h"
#include "support/PrivateXSession.h"
#include "support/WaitUntil.h"
#include "ui/KitAccentButton.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellaro;
using namespace vellaro::test;

namespace {

PrivateXSession* display = nullptr;

// The shell's view of window access is the real permission's.
class TrustShell final : public OnboardingShell {
public:
    TrustShell(WindowAccessTrust& trust, AccessibilityPermission& access)
        : trust_(trust), access_(access) {}
    bool isTrusted() const override { return trust_.isTrusted(); }
    QString requestAccess() override { return access_.request(); }
    QString openAccessSettings() override { return access_.openSystemSettings(); }
    void revealApp() override {}
    bool storedHotKeyIsRegistered() const override { return true; }
    QString mouseButtonName(long long) const override { return {}; }
    void openConsole() override {}

private:
    WindowAccessTrust& trust_;
    AccessibilityPermission& access_;
};

struct GrantPageSession : ::testing::Test {
    QTemporaryDir folder;
    Notifications hub;
    SettingsStore settings{folder.path(), hub};
    Defaults defaults{folder.path() + "/defaults.ini"};
    ManualScheduler still;
    X11WindowAccessTrust trust{QtScheduler::shared()};
    DesktopSettingsPanes panes;
    AccessibilityPermission access{[this] { return trust.isTrusted(); }, panes, still};
    TrustShell shell{trust, access};
    OnboardingServices services{settings, defaults, hub, still, trust, shell};
};

// Runs first, while the display has no window manager.
TEST_F(GrantPageSession, WithoutAWindowManagerThePageSaysWhyNothingComesUp) {
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", folder.path().toLocal8Bit()); // no settings program to find
    GrantPage page(Pal::light(), services, [] {});
    page.show();
    ASSERT_FALSE(trust.isTrusted());
    const auto shownReason = [&] {
        for (const QLabel* label : page.findChildren<QLabel*>()) {
            if (label->isVisible() && label->text() == page.reason())
                return label->text();
        }
        return QString();
    };
    EXPECT_TRUE(page.reason().isEmpty());
    page.primaryButton()->click(); // "Request Access…"
    EXPECT_EQ(shownReason(), "Window access needs a window manager that publishes its window list");
    page.primaryButton()->click(); // "Open Window Access Settings"
    EXPECT_EQ(shownReason(), "No desktop settings program found to open");
    qputenv("PATH", path);
}

TEST_F(GrantPageSession, AWindowManagerStartingGrantsAccessWithoutThePoll) {
    int done = 0;
    GrantPage page(Pal::light(), services, [&done] { ++done; });
    page.show();
    EXPECT_EQ(page.phase(), GrantPage::Phase::idle);
    ASSERT_FALSE(trust.isTrusted());

    ASSERT_TRUE(display->startWindowManager());
    ASSERT_TRUE(waitUntil([&] { return page.phase() == GrantPage::Phase::granted; }, 20000));
    EXPECT_EQ(done, 0);
    still.advance(GrantPage::grantedPause);
    EXPECT_EQ(done, 1);
}

} // namespace

int main(int argc, char** argv) {
    return runTestsOnPrivateDisplay(argc, argv, display);
}
