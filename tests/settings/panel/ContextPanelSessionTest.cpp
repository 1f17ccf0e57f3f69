// The context panel in the real console under the session's window manager,
// clicked with XTest at points of its own widgets: window access reads as
// granted, "Launch at login" writes a valid autostart entry and removes it,
// and "Dark" saves the theme and turns the panel dark.

#include "ContextPanelFixture.h"
#include "settings/console/ConsoleWindowFixture.h"

#include "platform/windows/X11WindowAccessTrust.h"
#include "support/RunProgram.h"
#include "support/WaitUntil.h"

#include <QScrollArea>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::waitUntil;

struct ContextPanelSession : ::testing::Test, test::ConsoleWindowServices {
    X11WindowAccessTrust windowAccess{scheduler};
    LoginItem loginItem{QStringLiteral("/opt/vellaro/vellaro"),
                        {folder.filePath(QStringLiteral("config")), {}}};
    MouseHapticsClient haptics{scheduler, QStringLiteral("127.0.0.1"), 1};
    test::FakeUpdateControls updates;
    std::unique_ptr<SettingsWindowController> controller;

    void open() {
        controller = std::make_unique<SettingsWindowController>(controllerServices());
        controller->setContextPanelServices([this] {
            return ContextPanelServices{settings,
                                        dataSource.get(),
                                        windowAccess,
                                        loginItem,
                                        haptics,
                                        notifications,
                                        scheduler,
                                        updates,
                                        {},
                                        {},
                                        [] { return false; }};
        });
        controller->show();
        QCoreApplication::processEvents();
    }
    ContextPanel& panel() const {
        return *static_cast<ContextPanel*>(controller->root()->contextPanel());
    }
    DialWidePanel& wide() const { return panel().dialWide(); }

    // Scrolls `target` into view and clicks `point` of it with the real pointer.
    void clickAt(QWidget& target, QPointF point) {
        panel().scrollArea().ensureWidgetVisible(&target);
        QCoreApplication::processEvents();
        const QPoint global = target.mapToGlobal(point.toPoint());
        test::xdotool({"mousemove", QString::number(global.x()), QString::number(global.y())});
        test::xdotool({"click", "1"});
    }
    void flip(VelToggleRow& row) {
        KitSwitch& control = row.switchControl();
        clickAt(control, control.trackRect().center());
    }
};

TEST_F(ContextPanelSession, AccessLoginItemAndDarkThemeWithTheRealPointer) {
    open();
    ASSERT_TRUE(waitUntil([&] { return controller->window()->isActiveWindow(); }));

    VelAdvanced& advanced = wide().advanced();
    clickAt(advanced, advanced.headerRect().center());
    ASSERT_TRUE(waitUntil([&] { return advanced.isOpen(); }));
    panel().scrollArea().ensureWidgetVisible(&wide().accessibility());
    EXPECT_TRUE(waitUntil([&] { return wide().accessibility().isGranted(); }));
    EXPECT_TRUE(wide().accessibility().isVisible());

    flip(wide().launchRow());
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(loginItem.entryPath()); }));
    QProcess validate;
    validate.start(QStringLiteral("desktop-file-validate"), {loginItem.entryPath()});
    ASSERT_TRUE(validate.waitForFinished(10000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAll().constData();
    EXPECT_TRUE(wide().launchRow().isOn());
    flip(wide().launchRow());
    ASSERT_TRUE(waitUntil([&] { return !QFile::exists(loginItem.entryPath()); }));
    EXPECT_FALSE(wide().launchRow().isOn());

    // The panel's own colour in the column's left margin, over the window.
    const auto columnColour = [&] {
        return panel().grab().toImage().pixelColor(8, panel().height() / 2);
    };
    EXPECT_GT(columnColour().lightness(), 180);
    VelSeg& theme = wide().theme();
    clickAt(theme, theme.optionRect(theme.options().indexOf(QStringLiteral("Dark"))).center());
    ASSERT_TRUE(waitUntil([&] { return settings.settings().theme == ThemeChoice::eclipse; }));
    QFile file(settings.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QJsonDocument::fromJson(file.readAll()).object().value("theme").toString(),
              QStringLiteral("eclipse"));
    EXPECT_TRUE(panel().dialWide().pal() == Pal::dark());
    EXPECT_LT(columnColour().lightness(), 40);
}

} // namespace
} // namespace vellaro
