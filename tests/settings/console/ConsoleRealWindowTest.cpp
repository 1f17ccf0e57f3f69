// The settings console as a person meets it under the session's window
// manager: the real window mapped, its preset chips, menus and popovers
// clicked and typed at with XTest at their live geometry, and after every
// step the screen's own pixels and settings.json looked at. Saving,
// renaming and deleting a preset, or dragging a wedge off, never shrinks the
// preset bar; the name popover draws an opaque body in the panel's colour
// without a compositor. Screenshots in light and dark go to the build folder.

#include "ConsoleWindowFixture.h"

#include "model/EffectiveSections.h"
#include "settings/presets/NamePopover.h"
#include "settings/presets/PresetBarChip.h"
#include "settings/presets/PresetBarView.h"
#include "support/RealWindow.h"
#include "support/WaitUntil.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::RealWindow;
using test::waitUntil;

struct ConsoleRealWindow : ::testing::Test, test::ConsoleWindowFixture {
    std::unique_ptr<RealWindow> console;
    int barHeight = 0;

    void SetUp() override {
        open();
        console = std::make_unique<RealWindow>(*controller->window());
        ASSERT_TRUE(console->map()) << "the console never showed painted";
        barHeight = bar().height();
        ASSERT_GT(barHeight, 40);
    }

    // A screenshot of the console once its animations (the dial's bloom) ran.
    QString shot(const QString& name) {
        scheduler.advance(std::chrono::seconds(2));
        console->settle();
        return console->screenshot(name);
    }
    PresetBarView& bar() const { return *root().findChild<PresetBarView*>(); }
    QJsonObject savedFile() const {
        QFile file(settings.filePath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(file.readAll()).object();
    }
    QStringList savedPresetNames() const {
        QStringList names;
        for (const QJsonValue& preset : savedFile().value("userPresets").toArray())
            names << preset.toObject().value("name").toString();
        return names;
    }
    int savedSectionCount() const {
        const QJsonObject root = savedFile();
        if (root.value("arrangement").toString() != "custom")
            return int(standardSections().size());
        return int(root.value("customSections").toArray().size());
    }
    PresetBarChip* chipNamed(const QString& title) const {
        for (PresetBarChip* chip : bar().chips())
            if (chip->look().title == title)
                return chip;
        return nullptr;
    }

    // The bar as a person sees it after a step: as tall as at first, its
    // chips drawn, the window painted.
    void expectBarIntact(const char* step) {
        ASSERT_TRUE(waitUntil([&] {
            QCoreApplication::sendPostedEvents();
            return bar().height() == barHeight && bar().isVisible();
        })) << step
            << ": the bar is " << bar().height() << " px, was " << barHeight;
        ASSERT_TRUE(console->waitPainted()) << step;
        EXPECT_TRUE(RealWindow::hasInk(console->pixels(bar())))
            << step << ": the bar shows nothing";
        for (PresetBarChip* chip : bar().chips()) {
            if (chip->isVisible()) {
                EXPECT_GT(chip->height(), 40) << step << ": " << chip->look().title.toStdString();
            }
        }
    }

    // Opens the name popover with `open`, types `name` and Return.
    void typeInPopover(const std::function<void()>& open, const QString& name) {
        open();
        ASSERT_TRUE(waitUntil([&] {
            return bar().popover() && RealWindow::shownRect(*bar().popover()) &&
                   bar().popover()->field().hasFocus();
        }));
        console->key("ctrl+a");
        console->type(name);
        console->key("Return");
    }
    // Right-clicks `chip` and chooses `entry` of its context menu.
    void chooseFromContextMenu(PresetBarChip& chip, const QString& entry) {
        console->click(chip, std::nullopt, 3);
        // The chip and its menu go when the bar rebuilds.
        const QPointer<QMenu> menu = chip.contextMenu();
        ASSERT_TRUE(waitUntil([&] { return menu->isVisible() && RealWindow::shownRect(*menu); }));
        for (QAction* action : menu->actions()) {
            if (action->text() == entry) {
                console->click(*menu, QRectF(menu->actionGeometry(action)).center());
                ASSERT_TRUE(waitUntil([&] { return !menu || !menu->isVisible(); }));
                return;
            }
        }
        FAIL() << "no entry " << entry.toStdString();
    }
};

TEST_F(ConsoleRealWindow, PresetsSavedRenamedAndDeletedKeepTheBar) {
    shot("console-presets-light");

    typeInPopover([&] { console->click(*bar().chips().back()); }, "Evening");
    ASSERT_TRUE(waitUntil([&] { return savedPresetNames() == QStringList{"Evening"}; }));
    expectBarIntact("after saving");
    ASSERT_NE(chipNamed("Evening"), nullptr);
    shot("console-preset-saved-light");

    typeInPopover([&] { console->click(*bar().chips().back()); }, "Night");
    ASSERT_TRUE(waitUntil([&] { return savedPresetNames().size() == 2; }));
    expectBarIntact("after saving a second");

    typeInPopover([&] { chooseFromContextMenu(*chipNamed("Evening"), "Rename…"); }, "Dusk");
    ASSERT_TRUE(waitUntil([&] { return savedPresetNames() == QStringList{"Dusk", "Night"}; }));
    expectBarIntact("after renaming");

    chooseFromContextMenu(*chipNamed("Dusk"), "Delete Preset");
    ASSERT_TRUE(waitUntil([&] { return savedPresetNames() == QStringList{"Night"}; }));
    expectBarIntact("after deleting");
    // A second delete still finds its chip.
    ASSERT_NE(chipNamed("Night"), nullptr);
    chooseFromContextMenu(*chipNamed("Night"), "Delete Preset");
    ASSERT_TRUE(waitUntil([&] { return savedPresetNames().isEmpty(); }));
    expectBarIntact("after deleting the last");

    settings.setTheme(ThemeChoice::eclipse);
    ASSERT_TRUE(console->waitPainted());
    QCoreApplication::processEvents();
    shot("console-presets-dark");
}

TEST_F(ConsoleRealWindow, DraggingAWedgeOffABuiltInPresetKeepsTheBar) {
    RadialMenuView& view = dial();
    const RadialLayout& l = view.layout();
    const double angle = l.sectionAngle(0);
    std::vector<QPointF> path;
    for (double out : {10.0, 40.0, 80.0, 120.0})
        path.push_back(dialPoint(angle, l.ringOuter + out));
    console->drag(view, wedge(0), path);
    ASSERT_TRUE(waitUntil([&] { return savedSectionCount() == 5; }));
    expectBarIntact("after the first drag");
    shot("console-dragged-light");
}

TEST_F(ConsoleRealWindow, NamePopoverIsOpaqueInThePanelColourWithoutACompositor) {
    console->click(*bar().chips().back());
    ASSERT_TRUE(
        waitUntil([&] { return bar().popover() && RealWindow::shownRect(*bar().popover()); }));
    NamePopover& popover = *bar().popover();
    RealWindow shown(popover);
    ASSERT_TRUE(shown.waitPainted());
    ASSERT_FALSE(popover.isTranslucent()) << "the session runs without a compositor";
    const QImage pixels = shown.pixels();
    // Below the header, left of the field: the body alone.
    const QPoint body(6, popover.field().geometry().center().y());
    const QColor expected = popover.bodyColor();
    const QColor seen = pixels.pixelColor(body);
    EXPECT_EQ(expected.alpha(), 255);
    EXPECT_LE(std::abs(seen.red() - expected.red()) + std::abs(seen.green() - expected.green()) +
                  std::abs(seen.blue() - expected.blue()),
              9)
        << "body " << seen.name().toStdString() << ", panel colour "
        << expected.name().toStdString();
    // The corners outside the rounded shape show the console, not black.
    EXPECT_NE(pixels.pixel(0, pixels.height() - 1) & 0xFFFFFF, 0u);
    EXPECT_NE(pixels.pixel(pixels.width() - 1, pixels.height() - 1) & 0xFFFFFF, 0u);
    // The header reads: ink over the body.
    const QRect header = popover.findChild<QLabel*>()->geometry();
    EXPECT_TRUE(RealWindow::hasInk(pixels.copy(header)));
    shown.screenshot("name-popover-light");
    console->key("Escape");
}

} // namespace
} // namespace vellaro
