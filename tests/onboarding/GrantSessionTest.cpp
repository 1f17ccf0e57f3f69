// The grant page on a display of its own that has no window manager yet:
// starting openbox grants window access, which the page hears from the root
// window's watch while its own poll's clock stands still.
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

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellaro;
using namespace vellaro::test;

namespace {

PrivateXSession* display = nullptr;

// The shell's view of window access is the real trust's.
class TrustShell final : public OnboardingShell {
public:
    explicit TrustShell(WindowAccessTrust& trust) : trust_(trust) {}
    bool isTrusted() const override { return trust_.isTrusted(); }
    void requestAccess() override {}
    void openAccessSettings() override {}
    void revealApp() override {}
    bool storedHotKeyIsRegistered() const override { return true; }
    QString mouseButtonName(long long) const override { return {}; }
    void openConsole() override {}

private:
    WindowAccessTrust& trust_;
};

TEST(GrantPageSession, AWindowManagerStartingGrantsAccessWithoutThePoll) {
    QTemporaryDir folder;
    Notifications hub;
    SettingsStore settings(folder.path(), hub);
    Defaults defaults(folder.path() + "/defaults.ini");
    ManualScheduler still;
    X11WindowAccessTrust trust(QtScheduler::shared());
    TrustShell shell(trust);
    OnboardingServices services{settings, defaults, hub, still, trust, shell};
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
