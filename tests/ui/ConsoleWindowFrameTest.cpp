#include "ui/ConsoleWindowFrame.h"
#include "model/WindowAppearance.h"
#include "platform/session/Defaults.h"
#include "platform/session/Notifications.h"
#include "support/FakeAppearance.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

struct FrameTest : ::testing::Test {
    QTemporaryDir folder;
    Notifications notifications;
    SettingsStore settings{folder.path(), notifications};
    test::FakeAppearance appearance;
    Defaults defaults{folder.path() + "/defaults.ini"};

    std::unique_ptr<ConsoleWindowFrame> makeFrame() {
        return std::make_unique<ConsoleWindowFrame>(
            ConsoleWindowFrame::Services{settings, appearance, defaults},
            ConsoleWindowFrame::Look{"Vellaro", "TestWindow", {960, 620}, {900, 580}});
    }
    QRect screen() const { return QGuiApplication::primaryScreen()->geometry(); }
};

TEST_F(FrameTest, FollowsTheThemeAndTheDesktopAlsoWhileHidden) {
    auto frame = makeFrame();
    EXPECT_EQ(frame->pal(), Pal::light());

    settings.setTheme(ThemeChoice::eclipse);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(frame->scheme(), ColorScheme::dark);
    EXPECT_EQ(frame->pal(), Pal::dark());
    EXPECT_EQ(frame->palette().color(QPalette::Window), Pal::dark().bgTop);

    settings.setTheme(ThemeChoice::system);
    EXPECT_EQ(frame->scheme(), ColorScheme::light);
    appearance.announce(ColorScheme::dark);
    EXPECT_EQ(frame->scheme(), ColorScheme::dark);

    // Gone with its window: later changes reach no removed observer.
    frame.reset();
    settings.setTheme(ThemeChoice::pearl);
    appearance.announce(ColorScheme::light);
}

TEST_F(FrameTest, OneAppearanceStepPerSettingsChange) {
    auto frame = makeFrame();
    QSignalSpy changes(frame.get(), &ConsoleWindowFrame::palChanged);
    frame->present();
    frame->present();
    settings.setTheme(ThemeChoice::charcoal);
    settings.setTheme(ThemeChoice::charcoal);
    EXPECT_EQ(changes.size(), 1);
}

TEST_F(FrameTest, OpensCentredAtItsSizeWithoutMinimiseButton) {
    auto frame = makeFrame();
    EXPECT_EQ(frame->size(), QSize(960, 620));
    EXPECT_EQ(frame->geometry().center(), screen().center());
    EXPECT_EQ(frame->minimumSize(), QSize(900, 580));
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(FrameTest, SavedFramesOnScreenAreRestoredOthersIgnored) {
    const QRect onScreen(screen().x() + 30, screen().y() + 40, 1000, 700);
    struct Case {
        const char* name;
        QString stored;
        std::optional<QRect> expected;
    } cases[] = {
        {"on screen", FrameAutosave::format(onScreen), onScreen},
        {"off every screen", "-9000 -9000 960 620", std::nullopt},
        {"garbage", "wide and tall", std::nullopt},
        {"empty size", "10 10 0 620", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        defaults.setValue("TestWindow", c.stored);
        auto frame = makeFrame();
        if (c.expected)
            EXPECT_EQ(frame->geometry(), *c.expected);
        else
            EXPECT_EQ(frame->geometry().center(), screen().center());
    }
}

TEST_F(FrameTest, HidingSavesTheFrameForTheNextWindow) {
    {
        auto frame = makeFrame();
        frame->present();
        frame->setGeometry(screen().x() + 20, screen().y() + 30, 910, 600);
        frame->close();
        EXPECT_FALSE(frame->isVisible());
    }
    auto next = makeFrame();
    EXPECT_EQ(next->geometry(), QRect(screen().x() + 20, screen().y() + 30, 910, 600));
}

} // namespace
} // namespace vellaro
