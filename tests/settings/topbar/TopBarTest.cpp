#include "settings/console/ConsoleWindowFixture.h"

#include "model/EffectiveSections.h"
#include "settings/topbar/TopBar.h"
#include "ui/VelChipButton.h"

#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

// X modifier state bits.
constexpr std::uint32_t xShift = 0x01, xControl = 0x04, xAlt = 0x08;

struct TopBarTest : ::testing::Test, test::ConsoleWindowFixture {
    TopBarTest() {
        open();
        triggers.take();
    }

    TopBar& bar() const { return *root().findChild<TopBar*>(); }
    void clickChip(VelChipButton& chip) { click(chip, chip.chipRect().center()); }
    QByteArray settingsFile() const {
        QFile file(settings.filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A key press as the X connection reports it, sent to the focused view.
    void press(int qtKey, std::uint32_t keycode, std::uint32_t xState) {
        QKeyEvent event(QEvent::KeyPress, qtKey, Qt::NoModifier, keycode, 0, xState);
        QCoreApplication::sendEvent(&dial(), &event);
    }
    // A mouse press and release over a view of the console.
    bool otherButtonReached(Qt::MouseButton button) {
        struct Spy : QObject {
            bool seen = false;
            bool eventFilter(QObject*, QEvent* e) override {
                seen |= e->type() == QEvent::MouseButtonPress ||
                        e->type() == QEvent::MouseButtonRelease;
                return false;
            }
        } spy;
        dial().installEventFilter(&spy);
        mouse(dial(), QEvent::MouseButtonPress, core(), button);
        mouse(dial(), QEvent::MouseButtonRelease, core(), button);
        QCoreApplication::processEvents();
        dial().removeEventFilter(&spy);
        return spy.seen;
    }
};

TEST_F(TopBarTest, RecordedKeysAreRegisteredBeforeTheyAreStored) {
    struct Case {
        const char* what;
        int qtKey;
        std::uint32_t keycode, state;
        std::int32_t status;
        QStringList calls;
        QString message;
        bool stillRecording;
        QString chip;
    };
    const QString typing = "Include Ctrl, Alt or Super so normal typing keeps working";
    const Case cases[] = {
        {"alt alone", Qt::Key_Alt, 64, 0, 0, {}, "", true, "Press keys…"},
        {"shift A", Qt::Key_A, 38, xShift, 0, {}, typing, true, "Press keys…"},
        {"F5 alone", Qt::Key_F5, 71, 0, 0, {}, typing, true, "Press keys…"},
        {"no Mac key",
         Qt::Key_Print,
         107,
         xControl,
         0,
         {},
         "Your desktop could not register that shortcut (-9879)",
         true,
         "Press keys…"},
        {"taken",
         Qt::Key_K,
         45,
         xControl | xAlt,
         -9878,
         {"register 40/6144"},
         "That shortcut is already used by another app",
         true,
         "Press keys…"},
        {"refused",
         Qt::Key_K,
         45,
         xControl | xAlt,
         -9868,
         {"register 40/6144"},
         "Your desktop could not register that shortcut (-9868)",
         true,
         "Press keys…"},
        {"control option K",
         Qt::Key_K,
         45,
         xControl | xAlt,
         0,
         {"register 40/6144", "resume hot key"},
         "",
         false,
         "Ctrl+Alt+K"},
        {"shift control 1 is the 1 key",
         Qt::Key_Exclam,
         10,
         xShift | xControl,
         0,
         {"register 18/4608", "resume hot key"},
         "",
         false,
         "Shift+Ctrl+1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!bar().isRecording())
            clickChip(bar().hotKeyChip());
        ASSERT_TRUE(bar().isRecording());
        triggers.take();
        triggers.nextStatus = c.status;
        const QByteArray before = settingsFile();
        press(c.qtKey, c.keycode, c.state);
        EXPECT_EQ(triggers.take(), c.calls);
        EXPECT_EQ(bar().message().value_or(""), c.message);
        EXPECT_EQ(bar().isRecording(), c.stillRecording);
        EXPECT_EQ(bar().hotKeyChip().look().label, c.chip);
        EXPECT_EQ(settingsFile() != before, !c.stillRecording);
    }
    EXPECT_EQ(model().settings().hotKeyCode, 18);
    EXPECT_EQ(model().settings().hotKeyModifiers, 4608);
    EXPECT_EQ(model().settings().hotKeyDisplay, "⌃⇧1");
}

TEST_F(TopBarTest, WhileRecordingControlZIsRecordedNotUndone) {
    model().applyPreset(DialPreset::builtIns().back());
    const std::vector<SectionKind> applied = effectiveSections(settings.settings());
    ASSERT_NE(applied, standardSections());
    clickChip(bar().hotKeyChip());
    // Through the shortcut map, as typed keys go.
    QTest::keyClick(controller->window(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(effectiveSections(settings.settings()), applied);
    EXPECT_EQ(bar().message(), "Include Ctrl, Alt or Super so normal typing keeps working");
    EXPECT_TRUE(bar().isRecording());
    // Once recording ended, Ctrl+Z undoes again.
    clickChip(bar().hotKeyChip());
    QTest::keyClick(controller->window(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(effectiveSections(settings.settings()), standardSections());
}

TEST_F(TopBarTest, RecordingHoldsTheKeyboardAndTheDialsOwnKey) {
    clickChip(bar().hotKeyChip());
    EXPECT_EQ(triggers.take(), QStringList{"suspend hot key"});
    EXPECT_EQ(keyboard.heldWindow, controller->window()->winId());
    EXPECT_EQ(bar().message(), std::nullopt);

    // The dial took the keyboard while it showed: ours is taken again.
    const int grabs = keyboard.grabs;
    notifications.post("vellaroOverlayDidHide");
    EXPECT_EQ(keyboard.grabs, grabs + 1);

    // Hiding gives the keyboard back but keeps recording.
    controller->window()->hide();
    EXPECT_EQ(keyboard.heldWindow, std::nullopt);
    EXPECT_TRUE(bar().isRecording());
    open();
    EXPECT_EQ(keyboard.heldWindow, controller->window()->winId());

    // A second click ends the recording without storing anything.
    const QByteArray before = settingsFile();
    clickChip(bar().hotKeyChip());
    EXPECT_EQ(triggers.take(), QStringList{"resume hot key"});
    EXPECT_EQ(keyboard.heldWindow, std::nullopt);
    EXPECT_EQ(settingsFile(), before);
    EXPECT_EQ(bar().hotKeyChip().look().label, "Ctrl+Alt+Space");
}

TEST_F(TopBarTest, MouseChipNamesTheTrigger) {
    const std::pair<std::int64_t, QString> cases[] = {{-1, "None"},         {1, "None"},
                                                      {2, "Middle Click"},  {3, "MB4 · Back"},
                                                      {4, "MB5 · Forward"}, {9, "Mouse 10"}};
    for (const auto& [button, label] : cases) {
        settings.setMouseTriggerButton(button);
        EXPECT_EQ(bar().mouseChip().look().label, label) << button;
        EXPECT_EQ(bar().mouseMenu() != nullptr, button >= 2) << button;
    }
    clickChip(bar().mouseChip());
    EXPECT_EQ(bar().mouseChip().look().label, "Press a button…");
    EXPECT_TRUE(bar().mouseChip().look().active);
}

TEST_F(TopBarTest, MouseChipTwiceStoresNothing) {
    const QByteArray before = settingsFile();
    clickChip(bar().mouseChip());
    EXPECT_TRUE(buttons.watching);
    clickChip(bar().mouseChip());
    EXPECT_FALSE(buttons.watching);
    EXPECT_EQ(triggers.take(), (QStringList{"suspend mouse", "resume mouse"}));
    EXPECT_EQ(settingsFile(), before);
    EXPECT_FALSE(bar().isMouseRecording());
}

TEST_F(TopBarTest, CapturedButtonIsStoredAndTheTriggerComesBack) {
    struct Case {
        const char* what;
        bool trusted, taken;
        int button;
        QString message;
    };
    const Case cases[] = {
        {"armed", true, false, 3, ""},
        {"no grant", false, false, 4, "The mouse trigger needs Window access to work"},
        {"held by another program", true, true, 5, "That button is already used by another app"},
        {"the middle button, which pastes", true, false, 2,
         "Middle click also pastes; Vellaro now takes it"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        triggers.trusted = c.trusted;
        triggers.buttonTaken = c.taken;
        clickChip(bar().mouseChip());
        buttons.press(c.button);
        QCoreApplication::processEvents();
        EXPECT_EQ(triggers.take(), (QStringList{"suspend mouse", "resume mouse"}));
        EXPECT_EQ(model().settings().mouseTriggerButton, c.button);
        EXPECT_FALSE(bar().isMouseRecording());
        EXPECT_FALSE(buttons.watching);
        EXPECT_EQ(bar().message().value_or(""), c.message);
    }
}

TEST_F(TopBarTest, ButtonsOverTheConsoleAreTakenBeforeAnyView) {
    settings.removeMouseTrigger();
    EXPECT_TRUE(otherButtonReached(Qt::BackButton));
    clickChip(bar().mouseChip());
    // Left is never a trigger and works as usual.
    EXPECT_TRUE(otherButtonReached(Qt::LeftButton));
    EXPECT_TRUE(bar().isMouseRecording());
    EXPECT_FALSE(otherButtonReached(Qt::ExtraButton3));
    EXPECT_EQ(model().settings().mouseTriggerButton, 5);
    EXPECT_FALSE(bar().isMouseRecording());
    // Once recorded, the button reaches the views again.
    EXPECT_TRUE(otherButtonReached(Qt::ExtraButton3));
}

TEST_F(TopBarTest, TheTriggerComesBackOnlyOnceTheRecordedClickIsOver) {
    // Back before the release, the trigger's grab would take that release,
    // or a press still on its way, for a trigger of its own.
    clickChip(bar().mouseChip());
    triggers.take();
    mouse(dial(), QEvent::MouseButtonPress, core(), Qt::MiddleButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(triggers.take(), QStringList{});
    EXPECT_TRUE(bar().isMouseRecording());
    mouse(dial(), QEvent::MouseButtonRelease, core(), Qt::MiddleButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(triggers.take(), QStringList{"resume mouse"});
    EXPECT_EQ(model().settings().mouseTriggerButton, 2);
    EXPECT_FALSE(bar().isMouseRecording());
}

TEST_F(TopBarTest, RemoveAndHideEndTheMouseTrigger) {
    settings.setMouseTriggerButton(3);
    ASSERT_NE(bar().mouseMenu(), nullptr);
    bar().mouseMenu()->actions().front()->trigger();
    EXPECT_EQ(model().settings().mouseTriggerButton, -1);
    EXPECT_EQ(bar().mouseChip().look().label, "None");
    EXPECT_EQ(bar().mouseMenu(), nullptr);

    clickChip(bar().mouseChip());
    triggers.take();
    controller->window()->hide();
    EXPECT_FALSE(bar().isMouseRecording());
    EXPECT_FALSE(buttons.watching);
    EXPECT_EQ(triggers.take(), QStringList{"resume mouse"});
    EXPECT_EQ(model().settings().mouseTriggerButton, -1);
}

} // namespace
} // namespace vellaro
