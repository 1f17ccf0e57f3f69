#include "app/MicrophonePermission.h"
#include "app/MicrophoneExplainerView.h"
#include "platform/audio/MicrophoneAuthorization.h"

#include "FakeSettingsPanes.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

class FakeMicrophoneAuthorization final : public MicrophoneAuthorization {
public:
    int current = notDetermined;
    std::function<void(bool)> pendingAnswer;

    int status() const override { return current; }
    void requestAccess(std::function<void(bool)> done) override { pendingAnswer = std::move(done); }

    void answer(bool granted) {
        current = granted ? authorized : denied;
        auto done = std::move(pendingAnswer);
        done(granted);
    }
};

class MicrophonePermissionTest : public ::testing::Test {
protected:
    std::function<void()> countingAction(int tag) {
        return [this, tag] { ran.push_back(tag); };
    }
    QString mainButton() const { return permission.window()->defaultButton()->text(); }

    FakeMicrophoneAuthorization authorization;
    test::FakeSettingsPanes panes;
    MicrophonePermission permission{authorization, panes};
    std::vector<int> ran;
};

TEST_F(MicrophonePermissionTest, AuthorisedRunsAtOnce) {
    authorization.current = MicrophoneAuthorization::authorized;
    permission.perform(countingAction(1));
    EXPECT_EQ(ran, std::vector<int>{1});
    EXPECT_EQ(permission.window(), nullptr);
}

TEST_F(MicrophonePermissionTest, PromptGrantedRunsThePendingActionOnceAndCloses) {
    permission.perform(countingAction(1));
    ASSERT_NE(permission.window(), nullptr);
    EXPECT_EQ(permission.window()->windowTitle(), "Microphone Control");
    EXPECT_EQ(mainButton(), "Continue…");
    QTest::keyClick(permission.window(), Qt::Key_Return);
    ASSERT_TRUE(authorization.pendingAnswer);
    EXPECT_TRUE(ran.empty());

    authorization.answer(true);
    EXPECT_EQ(ran, std::vector<int>{1});
    EXPECT_EQ(permission.window(), nullptr);
    EXPECT_FALSE(permission.hasPendingAction());
    permission.applicationDidBecomeActive();
    EXPECT_EQ(ran, std::vector<int>{1}); // once only
}

TEST_F(MicrophonePermissionTest, PromptRefusedShowsTheDeniedTextThenSettingsAndActivationFinish) {
    permission.perform(countingAction(1));
    permission.window()->defaultButton()->click();
    authorization.answer(false);
    ASSERT_NE(permission.window(), nullptr);
    EXPECT_EQ(permission.window()->authorizationStatus(), MicrophoneAuthorization::denied);
    EXPECT_EQ(permission.window()->body()->text(),
              MicrophoneExplainerView::statusText(MicrophoneAuthorization::denied));
    EXPECT_EQ(mainButton(), "Open Settings");
    EXPECT_TRUE(permission.hasPendingAction());

    permission.window()->defaultButton()->click();
    EXPECT_EQ(panes.microphoneOpened, 1);
    ASSERT_NE(permission.window(), nullptr); // stays up

    permission.applicationDidBecomeActive(); // still denied: nothing
    EXPECT_TRUE(ran.empty());
    authorization.current = MicrophoneAuthorization::authorized;
    permission.applicationDidBecomeActive();
    EXPECT_EQ(ran, std::vector<int>{1});
    EXPECT_EQ(permission.window(), nullptr);
}

TEST_F(MicrophonePermissionTest, NotNowAndCloseButtonDropTheAction) {
    struct Case {
        const char* name;
        std::function<void(MicrophoneExplainerView*)> leave;
    };
    const Case cases[] = {
        {"Escape presses Not Now", [](auto* w) { QTest::keyClick(w, Qt::Key_Escape); }},
        {"title-bar close", [](auto* w) { w->close(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        authorization.current = MicrophoneAuthorization::denied;
        permission.perform(countingAction(7));
        c.leave(permission.window());
        EXPECT_EQ(permission.window(), nullptr);
        EXPECT_FALSE(permission.hasPendingAction());
        authorization.current = MicrophoneAuthorization::authorized;
        permission.applicationDidBecomeActive();
        EXPECT_TRUE(ran.empty());
    }
}

TEST_F(MicrophonePermissionTest, SecondRequestReplacesWindowAndAction) {
    authorization.current = MicrophoneAuthorization::restricted;
    permission.perform(countingAction(1));
    auto* first = permission.window();
    permission.perform(countingAction(2));
    EXPECT_NE(permission.window(), first);
    EXPECT_EQ(mainButton(), "Open Settings");
    authorization.current = MicrophoneAuthorization::authorized;
    permission.applicationDidBecomeActive();
    EXPECT_EQ(ran, std::vector<int>{2});
}

TEST_F(MicrophonePermissionTest, TextsByStatus) {
    const std::pair<int, const char*> buttons[] = {{0, "Continue…"},
                                                   {1, "Open Settings"},
                                                   {2, "Open Settings"},
                                                   {3, "Done"},
                                                   {9, "Open Settings"}};
    for (const auto& [status, title] : buttons)
        EXPECT_EQ(MicrophoneExplainerView::continueTitle(status), title) << status;
    EXPECT_EQ(MicrophoneExplainerView::statusText(3), "Microphone control is enabled.");
    EXPECT_EQ(MicrophoneExplainerView::statusText(42),
              "Open Settings to review microphone access for Vellaro.");
}

} // namespace
} // namespace vellaro
