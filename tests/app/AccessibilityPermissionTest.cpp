#include "app/AccessibilityPermission.h"
#include "app/AccessibilityExplainerView.h"

#include "FakeSettingsPanes.h"
#include "support/ManualScheduler.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

class AccessibilityPermissionTest : public ::testing::Test {
protected:
    struct Look {
        QString cancel;
        QString primary; // empty when hidden
        QString status;  // empty when hidden
        bool link;
    };

    Look look() const {
        auto* w = permission.window();
        return {w->cancelButton()->text(),
                w->defaultButton()->isVisible() ? w->defaultButton()->text() : QString(),
                w->status()->isVisible() ? w->status()->text() : QString(),
                w->linkButton()->isVisible()};
    }
    static void expectLook(const Look& actual, const Look& expected) {
        EXPECT_EQ(actual.cancel, expected.cancel);
        EXPECT_EQ(actual.primary, expected.primary);
        EXPECT_EQ(actual.status, expected.status);
        EXPECT_EQ(actual.link, expected.link);
    }

    bool trusted = false;
    test::ManualScheduler scheduler;
    test::FakeSettingsPanes panes;
    AccessibilityPermission permission{[this] { return trusted; }, panes, scheduler};
};

const QString notNow = QStringLiteral("Not Now");
const QString cont = QStringLiteral("Continue…");
const QString openSettings = QStringLiteral("Open Settings");
const QString hint = QStringLiteral("If your desktop did not open Settings, use the button below.");

TEST_F(AccessibilityPermissionTest, ExplainerWalksFromRequestToGranted) {
    permission.showExplainer();
    auto* window = permission.window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Window Access");
    expectLook(look(), {notNow, cont, {}, false});

    QTest::keyClick(window, Qt::Key_Return); // presses "Continue…"
    EXPECT_TRUE(window->requested());
    expectLook(look(), {notNow, openSettings, hint, true});
    EXPECT_EQ(panes.windowAccessOpened, 0);

    QTest::keyClick(window, Qt::Key_Return); // now "Open Settings"
    EXPECT_EQ(panes.windowAccessOpened, 1);
    window->linkButton()->click();
    EXPECT_EQ(panes.revealed, 1);

    // Showing again brings the same window back, still requested.
    permission.showExplainer();
    EXPECT_EQ(permission.window(), window);
    EXPECT_TRUE(window->requested());

    // The grant arrives: the next poll tick shows it.
    trusted = true;
    scheduler.advance(AccessibilityExplainerView::pollInterval - std::chrono::milliseconds(1));
    expectLook(look(), {notNow, openSettings, hint, true});
    scheduler.advance(std::chrono::milliseconds(1));
    expectLook(look(), {"Done", {}, "✓ Window access is on.", false});

    QTest::keyClick(window, Qt::Key_Escape); // "Done"
    EXPECT_EQ(permission.window(), nullptr);
}

TEST_F(AccessibilityPermissionTest, CloseButtonKeepsTheWindowAndNotNowDropsIt) {
    permission.showExplainer();
    auto* window = permission.window();
    window->defaultButton()->click();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(permission.window(), window);

    permission.showExplainer();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->requested());

    QTest::keyClick(window, Qt::Key_Escape); // "Not Now"
    EXPECT_EQ(permission.window(), nullptr);
    permission.showExplainer();
    ASSERT_NE(permission.window(), nullptr);
    EXPECT_FALSE(permission.window()->requested());
}

TEST_F(AccessibilityPermissionTest, TrustedFromTheStartShowsTheGrantedState) {
    trusted = true;
    permission.request(); // no prompt, nothing opened
    EXPECT_EQ(panes.windowAccessOpened, 0);
    permission.showExplainer();
    expectLook(look(), {"Done", {}, "✓ Window access is on.", false});
}

} // namespace
} // namespace vellaro
