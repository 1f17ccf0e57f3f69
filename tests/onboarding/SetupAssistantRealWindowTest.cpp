// The setup assistant as a person walks it under the session's window
// manager, in light and dark, each page's button clicked with XTest at live
// geometry: Welcome ("Begin"), window access ("Request Access…", then the
// grant), the rehearsal (the dial opened and closed), and Ready (the login
// switch, "Enter Vellar"). Each page paints as it comes; defaults.ini and
// the autostart entry show each step. Screenshots go to the build folder.
#include "OnboardingFixture.h"

#include "onboarding/GrantPage.h"
#include "onboarding/HotkeyPage.h"
#include "onboarding/OnboardingProgress.h"
#include "onboarding/OnboardingRootView.h"
#include "onboarding/OnboardingWindowController.h"
#include "onboarding/ReadyPage.h"
#include "platform/session/LoginItem.h"
#include "support/RealWindow.h"
#include "support/WaitUntil.h"
#include "ui/KitAccentButton.h"
#include "ui/KitSwitch.h"

#include <QPointer>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::RealWindow;
using test::waitUntil;

struct SetupAssistantRealWindow : test::OnboardingFixture,
                                  ::testing::WithParamInterface<ThemeChoice> {
    LoginItem login{QStringLiteral("/opt/vellaro/vellaro"), {folder.filePath("config"), {}}};
    OnboardingServices withLogin = [this] {
        OnboardingServices s = services;
        s.login = &login;
        return s;
    }();
    OnboardingWindowController controller{withLogin, {settings, appearance, defaults}};
    std::unique_ptr<RealWindow> shown;

    QString scheme() const { return GetParam() == ThemeChoice::eclipse ? "dark" : "light"; }
    OnboardingRootView& root() const { return *controller.rootView(); }
    template <class Page>
    Page* page() const {
        return qobject_cast<Page*>(root().page());
    }
    // The page's own accent button labelled `label`.
    KitAccentButton* button(const QString& label) const {
        for (KitAccentButton* b : root().page()->findChildren<KitAccentButton*>())
            if (b->label() == label)
                return b;
        return nullptr;
    }
    // Waits until the screen shows the page as it is now, with ink where
    // `part` sits, and keeps a screenshot.
    void step(const QString& name, const QWidget& part) {
        // A new page fades in; its effect goes when the fade is over.
        ASSERT_TRUE(waitUntil([&] { return root().page()->graphicsEffect() == nullptr; }));
        ASSERT_TRUE(shown->waitPainted(part))
            << name.toStdString() << ": black share " << RealWindow::blackShare(shown->pixels());
        EXPECT_TRUE(waitUntil([&] { return RealWindow::hasInk(shown->pixels(part)); }))
            << name.toStdString();
        shown->screenshot(QStringLiteral("setup-assistant-%1-%2").arg(name, scheme()));
    }
    bool onDisk(const QString& key) const {
        return defaultsFile().contains(key.toUtf8() + "=true");
    }
};

TEST_P(SetupAssistantRealWindow, WalksEveryPageWithThePointer) {
    settings.setTheme(GetParam());
    controller.show(false);
    const QPointer<ConsoleWindowFrame> window = controller.window();
    shown = std::make_unique<RealWindow>(*window);
    ASSERT_TRUE(shown->map()) << shown->screenshot("setup-assistant-unpainted").toStdString();

    KitAccentButton* begin = button(QStringLiteral("Begin"));
    ASSERT_TRUE(begin);
    step("welcome", *begin);
    shown->click(*begin);
    ASSERT_TRUE(waitUntil([&] { return page<GrantPage>() != nullptr; }));
    EXPECT_TRUE(onDisk(OnboardingProgress::begunKey));

    GrantPage& grant = *page<GrantPage>();
    step("grant", *grant.primaryButton());
    shown->click(*grant.primaryButton());
    ASSERT_TRUE(waitUntil([&] { return grant.phase() == GrantPage::Phase::watching; }));
    EXPECT_EQ(shell.requests, 1);
    step("grant-watching", *grant.primaryButton());
    trust.grant();
    ASSERT_EQ(grant.phase(), GrantPage::Phase::granted);
    step("grant-granted", *grant.primaryButton());
    scheduler.advance(GrantPage::grantedPause);
    ASSERT_TRUE(waitUntil([&] { return page<HotkeyPage>() != nullptr; }));

    step("rehearsal", *page<HotkeyPage>());
    hub.post(QStringLiteral("vellaroOverlayDidShow"));
    EXPECT_TRUE(onDisk(OnboardingProgress::rehearsedKey));
    hub.post(QStringLiteral("vellaroOverlayDidHide"));
    step("rehearsal-done", *page<HotkeyPage>());
    scheduler.advance(HotkeyPage::closedPause);
    ASSERT_TRUE(waitUntil([&] { return page<ReadyPage>() != nullptr; }));

    ReadyPage& ready = *page<ReadyPage>();
    ASSERT_TRUE(ready.loginSwitch());
    step("ready", *ready.loginSwitch());
    shown->click(*ready.loginSwitch());
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(login.entryPath()); }))
        << "the login switch writes the autostart entry";
    step("ready-login-on", *ready.loginSwitch());
    KitAccentButton* enter = button(QStringLiteral("Enter Vellar"));
    ASSERT_TRUE(enter);
    shown->click(*enter);
    ASSERT_TRUE(waitUntil([&] { return !window || !window->isVisible(); }))
        << "Enter Vellar closes the assistant";
    EXPECT_TRUE(onDisk(OnboardingProgress::completedKey));
}

INSTANTIATE_TEST_SUITE_P(Themes, SetupAssistantRealWindow,
                         ::testing::Values(ThemeChoice::pearl, ThemeChoice::eclipse),
                         [](const auto& info) {
                             return std::string(info.param == ThemeChoice::eclipse ? "Dark"
                                                                                   : "Light");
                         });

} // namespace
} // namespace vellaro
