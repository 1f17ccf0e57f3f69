#include "OnboardingFixture.h"

#include "onboarding/OnboardingProgress.h"
#include "onboarding/OnboardingRootView.h"
#include "onboarding/OnboardingWindowController.h"

#include <QTest>

using namespace vellaro;
using namespace vellaro::test;

namespace {

TEST(OnboardingResume, PicksThePageFromTheFlagsAndTrust) {
    struct Case {
        OnboardingProgress progress;
        bool trusted;
        OnboardingStep expected;
    };
    const Case cases[] = {
        {{false, false, false}, false, OnboardingStep::welcome},
        {{false, true, true}, true, OnboardingStep::welcome},
        {{true, false, false}, true, OnboardingStep::hotkey},
        {{true, true, true}, false, OnboardingStep::ready},
        {{true, true, false}, false, OnboardingStep::hotkey},
        {{true, false, false}, false, OnboardingStep::grant},
        {{true, false, true}, false, OnboardingStep::grant},
        {{true, false, true}, true, OnboardingStep::ready},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.progress.resumeStep(c.trusted), c.expected)
            << c.progress.begun << c.progress.grantDeferred << c.progress.rehearsed << c.trusted;
}

struct ControllerTest : OnboardingFixture {
    OnboardingWindowController controller{
        services, ConsoleWindowFrame::Services{settings, appearance, defaults}};
};

TEST_F(ControllerTest, FirstLaunchHoldsTheDialUntilTheRehearsal) {
    controller.show(false);
    ASSERT_TRUE(controller.window());
    EXPECT_EQ(controller.rootView()->step(), OnboardingStep::welcome);
    EXPECT_TRUE(controller.holdsBackDial());
    controller.window()->hide();
    EXPECT_FALSE(controller.holdsBackDial());
}

TEST_F(ControllerTest, StartingAtTheRehearsalLetsTheDialOpen) {
    defaults.setValue(OnboardingProgress::begunKey, true);
    trust.trusted = true;
    controller.show(false);
    EXPECT_EQ(controller.rootView()->step(), OnboardingStep::hotkey);
    EXPECT_FALSE(controller.holdsBackDial());
}

TEST_F(ControllerTest, RestartForgetsTheDeferralAndKeepsAnOpenWindowOnItsPage) {
    defaults.setValue(OnboardingProgress::begunKey, true);
    defaults.setValue(OnboardingProgress::grantDeferredKey, true);
    controller.show(false);
    ConsoleWindowFrame* first = controller.window();
    EXPECT_EQ(controller.rootView()->step(), OnboardingStep::hotkey);
    controller.show(true);
    EXPECT_EQ(controller.window(), first);
    EXPECT_EQ(controller.rootView()->step(), OnboardingStep::hotkey);
    EXPECT_FALSE(defaults.contains(OnboardingProgress::grantDeferredKey));
}

TEST_F(ControllerTest, AClosedWindowIsGoneAndTheNextShowStartsAfresh) {
    defaults.setValue(OnboardingProgress::begunKey, true);
    const QByteArray before = defaultsFile();
    controller.show(false);
    EXPECT_EQ(controller.rootView()->step(), OnboardingStep::grant);
    controller.window()->move(controller.window()->pos() + QPoint(30, 20));
    controller.window()->close();
    EXPECT_EQ(defaultsFile(), before) << "centred at every show, so no frame is kept";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(controller.window());
    EXPECT_FALSE(controller.holdsBackDial());
    controller.show(true);
    EXPECT_EQ(controller.rootView()->step(), OnboardingStep::welcome);
    EXPECT_FALSE(flag(OnboardingProgress::completedKey));
}

} // namespace
