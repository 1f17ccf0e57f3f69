#include "app/HintLine.h"
#include "app/HotKeyCenter.h"
#include "app/MouseTriggerCenter.h"
#include "model/HotKeyText.h"
#include "platform/input/ButtonGrabber.h"
#include "platform/input/HotKeyGrabber.h"
#include "platform/windows/WindowAccessTrust.h"

#include "FakeGrabbers.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::FakeButtonGrabber;
using test::FakeHotKeyGrabber;
using test::FakeTrust;

TEST(HotKeyCenter, RegistersOnceAndKeepsTheOldKeyWhenRefused) {
    FakeHotKeyGrabber grabber;
    HotKeyCenter center(grabber);

    EXPECT_EQ(center.registerHotKey(49, 2048), 0);
    EXPECT_EQ(center.registerHotKey(49, 2048), 0); // same key: nothing to do
    EXPECT_EQ(grabber.calls, QStringList{"register 49/2048"});
    EXPECT_EQ(center.nextRegistrationId(), 2u);

    // A new key replaces the old one only once it holds.
    EXPECT_EQ(center.registerHotKey(40, 6400), 0);
    EXPECT_EQ(grabber.calls,
              (QStringList{"register 49/2048", "register 40/6400", "unregister 100"}));

    grabber.nextStatus = HotKeyGrabber::statusKeyTaken;
    grabber.calls.clear();
    EXPECT_EQ(center.registerHotKey(49, 2048), -9878);
    EXPECT_EQ(grabber.calls, QStringList{"register 49/2048"});
    EXPECT_TRUE(center.isRegistered(40, 6400));
    EXPECT_FALSE(center.isRegistered(49, 2048));
    EXPECT_EQ(center.nextRegistrationId(), 3u);
}

TEST(HotKeyCenter, FailedFirstRegistrationIsTriedAgain) {
    FakeHotKeyGrabber grabber;
    HotKeyCenter center(grabber);
    grabber.nextStatus = HotKeyGrabber::statusKeyTaken;
    EXPECT_EQ(center.registerHotKey(49, 2048), -9878);
    grabber.nextStatus = HotKeyGrabber::statusOk;
    EXPECT_EQ(center.registerHotKey(49, 2048), 0);
    EXPECT_EQ(grabber.calls.size(), 2);
    EXPECT_TRUE(center.isRegistered(49, 2048));
}

TEST(HotKeyCenter, AKeyWithoutControlAltOrSuperIsNeverGrabbed) {
    const std::pair<std::uint32_t, bool> cases[] = {
        {0, false},
        {carbonShiftKey, false},
        {carbonOptionKey, true},
        {carbonControlKey, true},
        {carbonCommandKey, true},
        {carbonShiftKey | carbonOptionKey, true},
    };
    for (const auto& [modifiers, grabbed] : cases) {
        SCOPED_TRACE(modifiers);
        test::FakeHotKeyGrabber grabber;
        HotKeyCenter center(grabber);
        const std::int32_t status = center.registerHotKey(0, modifiers);
        EXPECT_EQ(status == 0, grabbed);
        EXPECT_EQ(grabber.calls.isEmpty(), !grabbed);
        EXPECT_EQ(center.statusOf(0, modifiers), grabbed ? 0 : HotKeyCenter::statusNeedsModifier);
        EXPECT_EQ(HotKeyText::hasRequiredModifier(modifiers), grabbed);
    }
}

TEST(HotKeyCenter, PressAndReleaseReachTheCallbacks) {
    FakeHotKeyGrabber grabber;
    HotKeyCenter center(grabber);
    QStringList seen;
    grabber.press(1); // no callbacks yet: nothing
    center.onHotKeyDown = [&] { seen << "down"; };
    center.onHotKeyUp = [&] { seen << "up"; };
    grabber.press(1);
    grabber.release(1);
    EXPECT_EQ(seen, (QStringList{"down", "up"}));
}

TEST(HotKeyCenter, SuspendedKeyOpensNothingAndStaysRegistered) {
    FakeHotKeyGrabber grabber;
    HotKeyCenter center(grabber);
    ASSERT_EQ(center.registerHotKey(49, 2048), 0);
    int downs = 0;
    center.onHotKeyDown = [&] { ++downs; };
    grabber.calls.clear();
    center.suspend();
    grabber.press(100);
    EXPECT_EQ(downs, 0);
    EXPECT_TRUE(center.isRegistered(49, 2048));
    center.resume();
    grabber.press(100);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(grabber.calls, QStringList{});
}

class MouseTriggerCenterTest : public ::testing::Test {
protected:
    FakeButtonGrabber grabber;
    FakeTrust trust;
    int configured = 2;
    MouseTriggerCenter center{grabber, trust, [this] { return configured; }};

    QStringList takeCalls() { return std::exchange(grabber.calls, {}); }
};

TEST_F(MouseTriggerCenterTest, ApplyFollowsTheButtonAndTheGrant) {
    struct Step {
        const char* name;
        int button;
        bool trusted;
        QStringList calls;
        std::optional<int> active;
        bool armed;
    };
    const Step steps[] = {
        {"middle button with the grant arms", 2, true, {"grab 2"}, 2, true},
        {"same button and grant: nothing", 2, true, {}, 2, true},
        {"another button rebuilds", 3, true, {"ungrab", "grab 3"}, 3, true},
        {"grant gone: configured but unarmed", 3, false, {"ungrab"}, 3, false},
        {"still no grant: nothing", 3, false, {}, 3, false},
        {"grant back arms", 3, true, {"grab 3"}, 3, true},
        {"no button removes the grab", -1, true, {"ungrab"}, std::nullopt, false},
        {"no button again: nothing", -1, true, {}, std::nullopt, false},
        {"left button never triggers", 1, true, {}, std::nullopt, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        configured = step.button;
        trust.trusted = step.trusted;
        center.apply();
        EXPECT_EQ(takeCalls(), step.calls);
        EXPECT_EQ(center.activeButton(), step.active);
        EXPECT_EQ(center.isArmed(), step.armed);
    }
}

TEST_F(MouseTriggerCenterTest, AChangedGrantReappliesOnceApplied) {
    trust.trusted = false;
    Q_EMIT trust.changed(); // before the first apply: the delegate has not wired it yet
    EXPECT_TRUE(takeCalls().isEmpty());
    center.apply();
    EXPECT_FALSE(center.isArmed());
    trust.trusted = true; // a window manager came up after us
    Q_EMIT trust.changed();
    EXPECT_EQ(takeCalls(), QStringList{"grab 2"});
    EXPECT_TRUE(center.isArmed());
    trust.trusted = false;
    Q_EMIT trust.changed();
    EXPECT_EQ(takeCalls(), QStringList{"ungrab"});
}

TEST_F(MouseTriggerCenterTest, RefusedGrabIsTriedAgainOnTheNextApply) {
    grabber.refusal = ButtonGrabber::GrabResult::buttonTaken;
    center.apply();
    EXPECT_FALSE(center.isArmed());
    EXPECT_EQ(center.activeButton(), 2);
    grabber.refusal = ButtonGrabber::GrabResult::grabbed;
    takeCalls();
    center.apply();
    EXPECT_EQ(takeCalls(), QStringList{"grab 2"});
    EXPECT_TRUE(center.isArmed());
}

TEST_F(MouseTriggerCenterTest, SaveWhileRecordingDoesNotRearmTheTrigger) {
    center.apply();
    center.suspend();
    EXPECT_TRUE(center.isSuspended());
    configured = 4; // the console saved a new button while recording
    takeCalls();
    center.apply();
    EXPECT_EQ(takeCalls(), (QStringList{"ungrab", "grab 4"}));
    EXPECT_TRUE(grabber.isSuspended()); // still let through
    center.resume();
    EXPECT_EQ(takeCalls(), QStringList{"resume"});
    EXPECT_FALSE(grabber.isSuspended());
    EXPECT_EQ(grabber.button(), 4);
}

TEST_F(MouseTriggerCenterTest, ResumeTellsWhetherTheButtonWasTaken) {
    center.apply();
    center.suspend();
    grabber.refusal = ButtonGrabber::GrabResult::buttonTaken; // another program grabbed it
    EXPECT_EQ(center.resume(), ButtonGrabber::GrabResult::buttonTaken);
    EXPECT_FALSE(center.isArmed());
    grabber.refusal = ButtonGrabber::GrabResult::grabbed;
    takeCalls();
    center.apply(); // tried again
    EXPECT_EQ(takeCalls(), QStringList{"grab 2"});
    EXPECT_TRUE(center.isArmed());
    center.suspend();
    EXPECT_EQ(center.resume(), ButtonGrabber::GrabResult::grabbed);
}

TEST_F(MouseTriggerCenterTest, ButtonPressesReachTheCallbacks) {
    QStringList seen;
    center.onTriggerDown = [&] { seen << "down"; };
    center.onTriggerUp = [&] { seen << "up"; };
    center.apply();
    grabber.press();
    grabber.release();
    EXPECT_EQ(seen, (QStringList{"down", "up"}));
}

TEST(MouseTriggerCenter, ButtonNames) {
    const std::pair<long long, const char*> cases[] = {{2, "Middle Click"},
                                                       {3, "MB4 · Back"},
                                                       {4, "MB5 · Forward"},
                                                       {5, "Mouse 6"},
                                                       {31, "Mouse 32"},
                                                       {0, "Mouse 1"},
                                                       {-1, "Mouse 0"},
                                                       {32, ""},
                                                       {2147483647, ""},
                                                       {-2147483648LL, ""},
                                                       {9223372036854775807LL, ""}};
    for (const auto& [button, name] : cases)
        EXPECT_EQ(MouseTriggerCenter::buttonName(button), QString::fromUtf8(name)) << button;
}

TEST(HintLine, NamesTheTriggersAndWhyAKeyWasRefused) {
    constexpr std::uint32_t ctrlAlt = 6144, alt = 2048, super = 256;
    struct Case {
        int button;
        std::uint32_t keyCode;
        std::uint32_t modifiers;
        std::int32_t status;
        const char* expected;
    };
    const Case cases[] = {
        {4, 49, ctrlAlt, 0, "Open: MB5 · Forward or Ctrl+Alt+Space"},
        {2, 49, alt, 0, "Open: Middle Click or Alt+Space"},
        {-1, 49, ctrlAlt, 0, "Open: Ctrl+Alt+Space"},
        {1, 49, ctrlAlt, 0, "Open: Ctrl+Alt+Space"},
        {2, 40, 6400, 0, "Open: Middle Click or Ctrl+Alt+Super+K"},
        {3, 49, super, 0, "Open: MB4 · Back or Super+Space"},
        {2, 49, alt, -9878, "Open: Middle Click · Alt+Space is taken by another program"},
        {-1, 49, alt, -9878, "Open: Alt+Space is taken by another program"},
        {2, 127, alt, -9879, "Open: Middle Click · Alt+Key 127 does not exist on this keyboard"},
        {2, 0, 0, HotKeyCenter::statusNeedsModifier,
         "Open: Middle Click · A is not usable: a hot key needs Ctrl, Alt or Super"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HintLine::text(c.button, c.keyCode, c.modifiers, c.status),
                  QString::fromUtf8(c.expected))
            << c.expected;
    }
}

} // namespace
} // namespace vellaro
