#include "app/OnboardingSetupAssistant.h"
#include "onboarding/HotkeyPage.h"
#include "onboarding/OnboardingFixture.h"
#include "onboarding/OnboardingProgress.h"
#include "onboarding/OnboardingRootView.h"
#include "onboarding/OnboardingWindowController.h"
#include "overlay/OverlayController.h"
#include "overlay/OverlayPanel.h"
#include "support/FakeDialView.h"
#include "ui/KitAccentButton.h"

#include <QPushButton>
#include <QTest>

using namespace vellaro;
using namespace vellaro::test;

namespace {

// The real overlay controller asks the real assistant before it opens the
// dial; the dial's show and hide reach the rehearsal page through the hub.
struct OnboardingGateTest : OnboardingFixture {
    OnboardingWindowController onboarding{services, {settings, appearance, defaults}};
    OnboardingSetupAssistant assistant{onboarding};
    QStringList journal;
    OverlayController overlay{OverlayController::Collaborators{
        scheduler, assistant,
        [] {
            return OverlayController::DialSettings{1.0, standardSections(), 300};
        },
        [this](double scale, int) { return std::make_unique<FakeDialView>(scale, journal); }, [] {},
        [this](const QString& name) { hub.post(name); }, [] {}, [] { return QPointF(400, 300); },
        [] {
            return std::vector<DialPlacement::Screen>{
                {QRectF(0, 0, 1280, 800), QRectF(0, 0, 1280, 800)}};
        }}};

    void press() {
        overlay.triggerDown();
        overlay.triggerUp();
    }
    // Pages show accent buttons and plain link buttons.
    void clickOnPage(const QString& text) {
        QWidget* page = onboarding.rootView()->page();
        for (KitAccentButton* button : page->findChildren<KitAccentButton*>())
            if (button->label() == text && button->isVisible()) {
                button->click();
                return;
            }
        for (QPushButton* button : page->findChildren<QPushButton*>())
            if (button->text() == text && button->isVisible()) {
                button->click();
                return;
            }
        FAIL() << "no button " << text.toStdString();
    }
};

TEST_F(OnboardingGateTest, TheDialWaitsForTheRehearsalAndTheRehearsalUsesTheRealDial) {
    onboarding.show(false);
    ASSERT_EQ(onboarding.rootView()->step(), OnboardingStep::welcome);
    onboarding.window()->lower();
    press();
    EXPECT_FALSE(overlay.isShown());
    EXPECT_TRUE(onboarding.window()->isVisible());
    EXPECT_FALSE(flag(OnboardingProgress::rehearsedKey));

    clickOnPage(QStringLiteral("Begin"));
    clickOnPage(QStringLiteral("Set up later — Vellaro will ask when a section needs it"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(onboarding.rootView()->step(), OnboardingStep::hotkey);
    EXPECT_TRUE(onboarding.rehearsalReached());

    overlay.triggerDown();
    EXPECT_TRUE(overlay.isShown());
    EXPECT_TRUE(flag(OnboardingProgress::rehearsedKey));
    overlay.triggerUp();
    overlay.triggerDown(); // closes it
    EXPECT_FALSE(overlay.isShown());
    scheduler.advance(HotkeyPage::closedPause);
    EXPECT_EQ(onboarding.rootView()->step(), OnboardingStep::ready);
}

TEST_F(OnboardingGateTest, AHiddenAssistantHoldsNothingBack) {
    onboarding.show(false);
    onboarding.window()->hide();
    press();
    EXPECT_TRUE(overlay.isShown());
}

} // namespace
