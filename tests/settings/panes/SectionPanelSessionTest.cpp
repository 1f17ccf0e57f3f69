// The section panel in the real console under the session's window manager:
// a wedge clicked with XTest opens its section's panel, "›" saves the new
// order, "Edit…" maps the exclusions sheet as a transient window of the
// console that an XTest Return closes, and "Remove from dial" goes back to
// the dial-wide panel.

#include "SectionPaneFakes.h"
#include "settings/console/ConsoleWindowFixture.h"
#include "settings/panel/ContextPanelFixture.h"

#include "settings/panes/ClipboardExclusionsSheet.h"
#include "settings/panes/ClipboardPane.h"
#include "settings/panes/SectionPanel.h"
#include "support/RunProgram.h"
#include "support/WaitUntil.h"
#include "ui/VelChipButton.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::waitUntil;
using test::xdotool;

struct SectionPanelSession : ::testing::Test, test::ConsoleWindowServices {
    test::FakeClipboardSource* clipboard = nullptr;
    LoginItem loginItem{QStringLiteral("/opt/vellaro/vellaro"),
                        {folder.filePath(QStringLiteral("config")), {}}};
    MouseHapticsClient haptics{scheduler, QStringLiteral("127.0.0.1"), 1};
    test::FakeUpdateControls updates;
    std::unique_ptr<SettingsWindowController> controller;

    SectionPanelSession() {
        dataSource = std::make_unique<MenuDataSource>(
            settings, trust, [this](SectionKind kind) -> std::unique_ptr<SectionProvider> {
                if (kind != SectionKind::clipboard)
                    return nullptr;
                clipboard = new test::FakeClipboardSource;
                return std::unique_ptr<SectionProvider>(clipboard);
            });
        SettingsWindowController::Services services = controllerServices();
        services.contextPanel = [this] {
            return ContextPanelServices{settings, dataSource.get(), trust,     loginItem,
                                        haptics,  notifications,    scheduler, updates};
        };
        controller = std::make_unique<SettingsWindowController>(std::move(services));
    }
    ~SectionPanelSession() override { controller.reset(); }

    ConsoleRootView& root() const { return *controller->root(); }
    SectionPanel& section() const { return root().findChild<ContextPanel*>()->sectionBody(); }
    QStringList savedSections() const {
        QFile file(settings.filePath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList list;
        const QJsonObject saved = QJsonDocument::fromJson(file.readAll()).object();
        for (const QJsonValue& v : saved.value(QLatin1String("customSections")).toArray())
            list << v.toString();
        return list;
    }
    static void clickAt(QPoint global) {
        xdotool({"mousemove", QString::number(global.x()), QString::number(global.y())});
        xdotool({"click", "1"});
    }
    // Clicks the chip once the rebuilt panel has laid it out.
    static void clickChip(const std::function<VelChipButton*()>& chip) {
        ASSERT_TRUE(waitUntil([&] {
            QCoreApplication::sendPostedEvents();
            return chip() && chip()->isVisible() && chip()->width() > 0;
        }));
        clickAt(chip()->mapToGlobal(chip()->chipRect().center().toPoint()));
    }
    // The X window this one is transient for, as the window manager reads it.
    static QString transientFor(const QWidget& window) {
        return test::runProgram(QStringLiteral("xprop"),
                                {"-id", QString::number(window.winId()), "WM_TRANSIENT_FOR"});
    }
};

TEST_F(SectionPanelSession, WedgeClickRotateSheetAndRemoveUnderTheWindowManager) {
    controller->show();
    ConsoleWindowFrame& window = *controller->window();
    ASSERT_TRUE(waitUntil([&] { return window.isActiveWindow(); }));
    RadialMenuView& dial = *root().preview().dial();
    const RadialLayout& l = dial.layout();
    const Point c{dial.center().x(), dial.center().y()};
    const Point p = RadialLayout::point(l.sectionAngle(4), (l.ringInner + l.ringOuter) / 2, c);
    clickAt(dial.mapToGlobal(QPoint(qRound(p.x), qRound(p.y))));
    ASSERT_TRUE(waitUntil([&] {
        return section().caption() == QStringLiteral("Position 5 of 6 · clockwise from 12");
    }));

    clickChip([&] { return section().rotateForwardChip(); });
    ASSERT_TRUE(waitUntil([&] {
        return savedSections() ==
               QStringList{"workspaces", "windows", "apps", "actions", "files", "clipboard"};
    }));

    const auto pane = [&](VelChipButton& (ClipboardPane::*chip)() const) {
        return [&, chip]() -> VelChipButton* {
            ClipboardPane* p = section().clipboardPane();
            return p ? &(p->*chip)() : nullptr;
        };
    };
    clickChip(pane(&ClipboardPane::editChip));
    ASSERT_TRUE(waitUntil([&] {
        return section().exclusionsSheet() && section().exclusionsSheet()->isActiveWindow();
    })) << "sheet "
        << (section().exclusionsSheet() != nullptr);
    const QString parentId = QString::number(window.winId(), 16);
    EXPECT_TRUE(transientFor(*section().exclusionsSheet()).contains(parentId))
        << transientFor(*section().exclusionsSheet()).toStdString() << " "
        << parentId.toStdString();
    xdotool({"key", "Return"});
    ASSERT_TRUE(waitUntil([&] { return section().exclusionsSheet() == nullptr; }));

    clickChip(pane(&ClipboardPane::clearChip));
    ASSERT_TRUE(waitUntil([&] { return clipboard->clears == 1; }));

    clickChip([&] { return section().removeChip(); });
    ASSERT_TRUE(waitUntil([&] { return !root().model().selection().has_value(); }));
    EXPECT_FALSE(savedSections().contains(QStringLiteral("clipboard")));
    EXPECT_EQ(savedSections().size(), 5);
}

} // namespace
} // namespace vellaro
