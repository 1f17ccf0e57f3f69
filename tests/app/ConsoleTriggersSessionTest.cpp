// The console's recorders on the session's X server, in process with the
// real hot key and mouse trigger: another client plays the user's hands and
// the other program. Pictures of the real window with its bars in light and
// dark land in the build folder.

#include "FakeGrabbers.h"
#include "app/ConsoleTriggersService.h"
#include "app/HotKeyCenter.h"
#include "app/MouseTriggerCenter.h"
#include "model/EffectiveSections.h"
#include "platform/input/XcbButtonGrabber.h"
#include "platform/input/XcbButtonMonitor.h"
#include "platform/input/XcbHotKeyGrabber.h"
#include "platform/input/XcbRecorderKeyboard.h"
#include "settings/console/ConsoleWindowFixture.h"
#include "settings/model/ConsoleModel.h"
#include "settings/topbar/TopBar.h"
#include "support/WaitUntil.h"
#include "support/XcbTestClient.h"
#include "ui/VelChipButton.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::waitUntil;

constexpr std::uint32_t kAlt = 0xffe9, kControl = 0xffe3, kShift = 0xffe1, kSpace = 0x20, kK = 0x6b,
                        kF = 0x66, kZ = 0x7a, kTab = 0xff09;

struct ConsoleTriggersSession : ::testing::Test, test::ConsoleWindowServices {
    XcbHotKeyGrabber keys;
    HotKeyCenter hotKey{keys};
    XcbButtonGrabber buttonGrabber;
    MouseTriggerCenter mouse{buttonGrabber, trust,
                             [this] { return settings.settings().clampedMouseTriggerButton(); }};
    ConsoleTriggersService consoleTriggers{hotKey, mouse, trust};
    XcbRecorderKeyboard recorderKeyboard;
    XcbButtonMonitor monitor;
    std::unique_ptr<SettingsWindowController> controller;
    test::XcbTestClient client;
    int hotKeyDowns = 0, triggerDowns = 0;

    ConsoleTriggersSession() {
        hotKey.onHotKeyDown = [this] { ++hotKeyDowns; };
        mouse.onTriggerDown = [this] { ++triggerDowns; };
        // As the shell does: the trigger follows every save.
        settings.addObserver([this] { mouse.apply(); });
        settings.setHotKey({0x03, carbonControlKey | carbonShiftKey, "f"}); // ⌃⇧F
        EXPECT_EQ(hotKey.registerHotKey(0x03, carbonControlKey | carbonShiftKey), 0);
        settings.setMouseTriggerButton(3); // X button 8
        SettingsWindowController::Services services = controllerServices();
        services.topBar = [this] {
            return TopBar::Services{settings, notifications, consoleTriggers, recorderKeyboard,
                                    monitor};
        };
        controller = std::make_unique<SettingsWindowController>(services);
        controller->show();
        EXPECT_TRUE(waitUntil([&] { return controller->window()->isActiveWindow(); }));
    }

    TopBar& bar() const { return *controller->root()->findChild<TopBar*>(); }
    void clickAt(QPoint global, int button = 1) {
        client.movePointer(global.x(), global.y());
        client.button(button, true);
        client.button(button, false);
        client.sync();
    }
    void clickChip(VelChipButton& chip) {
        clickAt(chip.mapToGlobal(chip.chipRect().center().toPoint()));
    }
    void chord(std::initializer_list<std::uint32_t> keysyms) {
        for (std::uint32_t k : keysyms)
            client.key(k, true);
        for (auto it = std::rbegin(keysyms); it != std::rend(keysyms); ++it)
            client.key(*it, false);
        client.sync();
    }
    // Lets the events sent so far arrive.
    void settle() {
        client.sync();
        waitUntil([] { return false; }, 300);
    }
    void save(const char* name) {
        controller->window()->grab().save(QStringLiteral(VELLARO_PICTURE_DIR "/%1.png").arg(name));
    }
};

TEST_F(ConsoleTriggersSession, HotKeyRecorder) {
    save("console-bars-light");
    clickChip(bar().hotKeyChip());
    ASSERT_TRUE(waitUntil([&] { return bar().isRecording(); }));
    ASSERT_TRUE(waitUntil([&] { return client.isKeyboardGrabbedElsewhere(); }));

    // The window manager's own combination reaches the recorder and is refused.
    chord({kAlt, kSpace});
    ASSERT_TRUE(waitUntil(
        [&] { return bar().message() == "That shortcut is already used by another app"; }));
    EXPECT_EQ(settings.settings().hotKeyCode, 0x03);
    EXPECT_TRUE(bar().isRecording());

    // The dial's own key opens nothing while recording, and is recorded.
    chord({kControl, kShift, kF});
    ASSERT_TRUE(waitUntil([&] { return !bar().isRecording(); }));
    EXPECT_EQ(hotKeyDowns, 0);
    ASSERT_TRUE(waitUntil([&] { return !client.isKeyboardGrabbedElsewhere(); }));
    // And the registered key fires again.
    chord({kControl, kShift, kF});
    ASSERT_TRUE(waitUntil([&] { return hotKeyDowns == 1; }));

    clickChip(bar().hotKeyChip());
    ASSERT_TRUE(waitUntil([&] { return client.isKeyboardGrabbedElsewhere(); }));
    chord({kControl, kAlt, kK});
    ASSERT_TRUE(waitUntil([&] { return settings.settings().hotKeyCode == 40; }));
    EXPECT_EQ(settings.settings().hotKeyModifiers, carbonControlKey | carbonOptionKey);
    EXPECT_EQ(bar().hotKeyChip().look().label, "Ctrl+Alt+K");
    chord({kControl, kAlt, kK});
    ASSERT_TRUE(waitUntil([&] { return hotKeyDowns == 2; }));
    settings.setTheme(ThemeChoice::eclipse);
    QCoreApplication::processEvents();
    save("console-bars-dark");
}

TEST_F(ConsoleTriggersSession, MouseRecorder) {
    const QRect console = controller->window()->frameGeometry();
    const QPoint elsewhere(console.right() + 40, console.top() + 40);
    client.createButtonWindow(elsewhere.x() - 20, elsewhere.y() - 20, 60, 60);
    client.takeButtonEvents();

    // A side button over another program's window: recorded, and it still gets it.
    clickChip(bar().mouseChip());
    ASSERT_TRUE(waitUntil([&] { return bar().isMouseRecording(); }));
    clickAt(elsewhere, 9);
    ASSERT_TRUE(waitUntil([&] { return settings.settings().mouseTriggerButton == 4; }));
    EXPECT_FALSE(bar().isMouseRecording());
    settle();
    const std::vector<int> seen = client.takeButtonEvents();
    EXPECT_NE(std::ranges::find(seen, 9), seen.end());

    // Over the console: recorded, and no view sees it.
    struct Spy : QObject {
        int presses = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            presses +=
                e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease;
            return false;
        }
    } spy;
    RadialMenuView& dial = *controller->root()->preview().dial();
    dial.installEventFilter(&spy);
    clickChip(bar().mouseChip());
    ASSERT_TRUE(waitUntil([&] { return bar().isMouseRecording(); }));
    clickAt(dial.mapToGlobal(dial.rect().center()), 8);
    ASSERT_TRUE(waitUntil([&] { return settings.settings().mouseTriggerButton == 3; }));
    settle();
    EXPECT_EQ(spy.presses, 0);
    dial.removeEventFilter(&spy);

    // The trigger button is recorded, not obeyed, while recording...
    clickChip(bar().mouseChip());
    ASSERT_TRUE(waitUntil([&] { return bar().isMouseRecording(); }));
    clickAt(elsewhere, 8);
    ASSERT_TRUE(waitUntil([&] { return !bar().isMouseRecording(); }));
    EXPECT_EQ(triggerDowns, 0);
    // ...and obeyed again once the console closed mid-recording.
    clickChip(bar().mouseChip());
    ASSERT_TRUE(waitUntil([&] { return bar().isMouseRecording(); }));
    controller->window()->hide();
    EXPECT_FALSE(bar().isMouseRecording());
    clickAt(elsewhere, 8);
    ASSERT_TRUE(waitUntil([&] { return triggerDowns == 1; }));

    // A button another program grabs is stored with a warning.
    ASSERT_TRUE(client.grabButton(10, 0));
    controller->show();
    ASSERT_TRUE(waitUntil([&] { return controller->window()->isVisible(); }));
    settle();
    clickChip(bar().mouseChip());
    ASSERT_TRUE(waitUntil([&] { return bar().isMouseRecording(); }));
    clickAt(elsewhere, 10);
    ASSERT_TRUE(waitUntil([&] { return settings.settings().mouseTriggerButton == 5; }));
    EXPECT_EQ(bar().message(), "That button is already used by another app");
}

TEST_F(ConsoleTriggersSession, ControlZIsRecordedNotUndone) {
    controller->model()->applyPreset(DialPreset::builtIns().back());
    const std::vector<SectionKind> applied = effectiveSections(settings.settings());
    ASSERT_NE(applied, standardSections());
    clickChip(bar().hotKeyChip());
    ASSERT_TRUE(waitUntil([&] { return client.isKeyboardGrabbedElsewhere(); }));
    chord({kControl, kZ});
    ASSERT_TRUE(waitUntil([&] { return !bar().isRecording(); }));
    EXPECT_EQ(settings.settings().hotKeyCode, 6); // the Mac Z key
    EXPECT_EQ(settings.settings().hotKeyModifiers, carbonControlKey);
    EXPECT_EQ(effectiveSections(settings.settings()), applied);
    // Recording ended: Ctrl+Z is the dial's key now, and no longer the console's.
    chord({kControl, kZ});
    ASSERT_TRUE(waitUntil([&] { return hotKeyDowns == 1; }));
}

TEST_F(ConsoleTriggersSession, MiddleClickOverTheConsoleIsRecordedWithoutOpeningTheDial) {
    settings.setMouseTriggerButton(2);
    ASSERT_TRUE(mouse.isArmed());
    RadialMenuView& dial = *controller->root()->preview().dial();
    const QPoint over = dial.mapToGlobal(dial.rect().center());
    // The race lost only now and then: try a few clicks, short and long.
    for (const bool held : {false, true, false, true}) {
        SCOPED_TRACE(held ? "held" : "short");
        clickChip(bar().mouseChip());
        ASSERT_TRUE(waitUntil([&] { return bar().isMouseRecording(); }));
        client.movePointer(over.x(), over.y());
        client.button(2, true);
        if (held)
            settle();
        client.button(2, false);
        ASSERT_TRUE(waitUntil([&] { return !bar().isMouseRecording(); }));
        settle();
        EXPECT_EQ(settings.settings().mouseTriggerButton, 2);
        EXPECT_EQ(triggerDowns, 0);
    }
    // The trigger is back for the next click.
    clickAt(over, 2);
    ASSERT_TRUE(waitUntil([&] { return triggerDowns == 1; }));
}

TEST_F(ConsoleTriggersSession, TabReachesTheMouseChipAndSpacePressesIt) {
    VelChipButton& chip = bar().mouseChip();
    for (int tabs = 0; tabs < 60 && !chip.hasFocus(); ++tabs) {
        const QWidget* before = QApplication::focusWidget();
        chord({kTab});
        ASSERT_TRUE(waitUntil([&] { return QApplication::focusWidget() != before; }));
    }
    ASSERT_TRUE(chip.hasFocus());
    EXPECT_TRUE(chip.showsFocusRing());
    chord({kSpace});
    ASSERT_TRUE(waitUntil([&] { return bar().isMouseRecording(); }));
    save("console-mouse-chip-focused");
    chord({kSpace});
    ASSERT_TRUE(waitUntil([&] { return !bar().isMouseRecording(); }));
    EXPECT_EQ(settings.settings().mouseTriggerButton, 3) << "nothing recorded";
}

} // namespace
} // namespace vellaro
