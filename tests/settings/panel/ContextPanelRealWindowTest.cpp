// The console's context panel as a person meets it under the session's
// window manager, every step clicked and typed with XTest at live geometry
// and looked at on screen: the clipboard exclusions sheet and the custom
// colour picker paint as soon as they map and are used (settings.json shows
// it), a workspace name typed across a change of the data source is kept
// whole, the wrapped and elided texts fit the slim column, and going back to
// the dial-wide panel folds the preview's fan. Screenshots in light and dark
// go to the build folder.

#include "ContextPanelFixture.h"
#include "settings/console/ConsoleWindowFixture.h"
#include "settings/panes/SectionPaneFakes.h"

#include "settings/kit/NameField.h"
#include "settings/panel/ColorWell.h"
#include "settings/panes/ClipboardExclusionsSheet.h"
#include "settings/panes/ClipboardPane.h"
#include "settings/panes/SectionPanel.h"
#include "settings/panes/WorkspacesPane.h"
#include "support/RealWindow.h"
#include "support/WaitUntil.h"
#include "ui/KitLabelColumn.h"

#include <QColorDialog>
#include <QJsonArray>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <gtest/gtest.h>

#include <algorithm>

namespace vellaro {
namespace {

using test::RealWindow;
using test::waitUntil;

const QUuid desk = QUuid::createUuidV5(QUuid(), QStringLiteral("desk"));

struct ContextPanelRealWindow : ::testing::Test, test::ConsoleWindowServices {
    test::FakeClipboardSource* clipboard = nullptr;
    test::FakeWorkspacesSource* workspaces = nullptr;
    LoginItem loginItem{QStringLiteral("/opt/vellaro/vellaro"),
                        {folder.filePath(QStringLiteral("config")), {}}};
    MouseHapticsClient haptics{scheduler, QStringLiteral("127.0.0.1"), 1};
    test::FakeUpdateControls updates;
    std::unique_ptr<SettingsWindowController> controller;
    std::unique_ptr<RealWindow> console;

    void SetUp() override {
        dataSource = std::make_unique<MenuDataSource>(
            settings, trust, [this](SectionKind kind) -> std::unique_ptr<SectionProvider> {
                if (kind == SectionKind::clipboard) {
                    clipboard = new test::FakeClipboardSource;
                    return std::unique_ptr<SectionProvider>(clipboard);
                }
                if (kind == SectionKind::workspaces) {
                    workspaces = new test::FakeWorkspacesSource;
                    workspaces->saved = {{desk, QStringLiteral("Desk"), 5}};
                    return std::unique_ptr<SectionProvider>(workspaces);
                }
                return nullptr;
            });
        SettingsWindowController::Services services = controllerServices();
        services.contextPanel = [this] {
            return ContextPanelServices{
                settings,  dataSource.get(), trust, loginItem, haptics, notifications,
                scheduler, updates,          {},    {},        {},      {}};
        };
        controller = std::make_unique<SettingsWindowController>(std::move(services));
        controller->show();
        console = std::make_unique<RealWindow>(*controller->window());
        ASSERT_TRUE(console->map()) << "the console never showed painted";
    }
    void TearDown() override { controller.reset(); }

    // A screenshot of the console once its animations (the dial's bloom) ran.
    QString shot(const QString& name) {
        scheduler.advance(std::chrono::seconds(2));
        console->settle();
        return console->screenshot(name);
    }
    ConsoleRootView& root() const { return *controller->root(); }
    ContextPanel& panel() const { return *root().findChild<ContextPanel*>(); }
    SectionPanel& section() const { return panel().sectionBody(); }
    RadialMenuView& dial() const { return *root().preview().dial(); }
    QJsonObject savedFile() const {
        QFile file(settings.filePath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(file.readAll()).object();
    }

    // Scrolls `target` into the panel's view and clicks it (at `at`, else its centre).
    void click(QWidget& target, std::optional<QPointF> at = std::nullopt) {
        panel().scrollArea().ensureWidgetVisible(&target);
        QCoreApplication::processEvents();
        console->click(target, at);
    }
    void clickChip(VelChipButton& chip) { click(chip, chip.chipRect().center()); }
    // Clicks the wedge of `kind` on the preview dial: its section's panel opens.
    void openSection(SectionKind kind) {
        const auto& sections = dial().sections();
        const auto index =
            int(std::find(sections.begin(), sections.end(), kind) - sections.begin());
        const RadialLayout& l = dial().layout();
        const Point c{dial().center().x(), dial().center().y()};
        const Point p =
            RadialLayout::point(l.sectionAngle(index), (l.ringInner + l.ringOuter) / 2, c);
        console->click(dial(), QPointF(p.x, p.y));
        ASSERT_TRUE(waitUntil([&] {
            QCoreApplication::sendPostedEvents();
            return root().model().selection() == kind && section().isVisible();
        }));
    }
    // A dialog of the console, mapped and painted at once: the screen shows
    // its content, neither black nor what was there before.
    static void expectPaintedOnScreen(QWidget& dialog, const char* name) {
        RealWindow shown(dialog);
        ASSERT_TRUE(waitUntil([&] { return RealWindow::shownRect(dialog).has_value(); }))
            << name << " never mapped";
        ASSERT_TRUE(shown.waitPainted(5000))
            << name << " is not what the screen shows: black "
            << RealWindow::blackShare(shown.pixels()) << ", like its rendering "
            << RealWindow::sameShare(shown.pixels(), shown.rendered()) << " "
            << shown.screenshot(QStringLiteral("unpainted-") + dialog.metaObject()->className())
                   .toStdString();
    }
};

TEST_F(ContextPanelRealWindow, ExclusionsSheetPaintsAndRemovesWithItsSymbol) {
    settings.addClipboardExclusions({QStringLiteral("org.example.Gone")});
    openSection(SectionKind::clipboard);
    clickChip(section().clipboardPane()->editChip());
    ASSERT_TRUE(waitUntil([&] { return section().exclusionsSheet() != nullptr; }));
    ClipboardExclusionsSheet& sheet = *section().exclusionsSheet();
    expectPaintedOnScreen(sheet, "the exclusions sheet");
    RealWindow shown(sheet);
    EXPECT_TRUE(RealWindow::hasInk(shown.pixels(sheet.doneButton())));
    // "Add Apps…" and "Done" stand apart.
    EXPECT_GE(sheet.doneButton().geometry().left() - sheet.addButton().geometry().right(), 6);

    ASSERT_EQ(sheet.removeButtons().size(), 1);
    QPushButton& remove = *sheet.removeButtons().front();
    // The symbol is a ring around the dash: red ink on many rows, not two.
    const QImage symbol = shown.pixels(remove);
    int inkedRows = 0;
    for (int y = 0; y < symbol.height(); ++y) {
        bool red = false;
        for (int x = 0; x < symbol.width(); ++x) {
            const QColor c = symbol.pixelColor(x, y);
            red = red || (c.red() > 150 && c.red() - c.green() > 60);
        }
        inkedRows += red;
    }
    EXPECT_GE(inkedRows, 10) << "the remove symbol is a bare dash";
    shown.screenshot("exclusions-sheet-light");

    shown.click(remove);
    ASSERT_TRUE(
        waitUntil([&] { return savedFile().value("clipboardExcluded").toArray().isEmpty(); }));
    ASSERT_TRUE(waitUntil([&] { return sheet.pages().currentIndex() == 0; }));
    ASSERT_TRUE(shown.waitPainted());
    shown.key("Return");
    ASSERT_TRUE(waitUntil([&] { return section().exclusionsSheet() == nullptr; }));

    settings.setTheme(ThemeChoice::eclipse);
    clickChip(section().clipboardPane()->editChip());
    ASSERT_TRUE(waitUntil([&] { return section().exclusionsSheet() != nullptr; }));
    expectPaintedOnScreen(*section().exclusionsSheet(), "the dark exclusions sheet");
    RealWindow(*section().exclusionsSheet()).screenshot("exclusions-sheet-dark");
}

TEST_F(ContextPanelRealWindow, CustomColourPickerPaintsAndSavesTheColour) {
    DialWidePanel& wide = panel().dialWide();
    VelSeg& theme = wide.theme();
    click(theme, theme.optionRect(theme.options().indexOf(QStringLiteral("Custom"))).center());
    ASSERT_TRUE(waitUntil([&] { return settings.settings().theme == ThemeChoice::custom; }));
    ASSERT_TRUE(waitUntil([&] { return wide.surfaceWell().isVisible(); }));
    console->settle();

    for (ColorWell* well : {&wide.surfaceWell(), &wide.accentWell()}) {
        click(*well);
        ASSERT_TRUE(waitUntil([&] { return well->picker() != nullptr; }))
            << "well at " << well->mapTo(well->window(), QPoint()).x() << ","
            << well->mapTo(well->window(), QPoint()).y() << " "
            << shot("colour-well-unopened").toStdString();
        QColorDialog& picker = *well->picker();
        expectPaintedOnScreen(picker, "the colour picker");
        RealWindow shown(picker);
        shown.screenshot(well == &wide.surfaceWell() ? "colour-picker-surface"
                                                     : "colour-picker-accent");
        // The HTML field takes a typed colour; Return chooses it.
        QLineEdit* html = nullptr;
        for (QLineEdit* field : picker.findChildren<QLineEdit*>())
            if (field->text().startsWith(QLatin1Char('#')))
                html = field;
        ASSERT_NE(html, nullptr);
        shown.click(*html);
        shown.key("ctrl+a");
        shown.type(well == &wide.surfaceWell() ? "#336699" : "#cc6633");
        shown.key("Return");
        ASSERT_TRUE(waitUntil([&] { return well->picker() == nullptr || !picker.isVisible(); }));
    }
    ASSERT_TRUE(waitUntil([&] {
        const QJsonObject saved = savedFile();
        return saved.contains("customBase") && saved.contains("customAccent");
    }));
    EXPECT_EQ(settings.settings().customBase.toColor().name(), QStringLiteral("#336699"));
    EXPECT_EQ(settings.settings().customAccent.toColor().name(), QStringLiteral("#cc6633"));
    ASSERT_TRUE(console->waitPainted());
    shot("context-panel-custom-colours");
}

TEST_F(ContextPanelRealWindow, WorkspaceNameTypedAcrossAChangeIsKeptWhole) {
    openSection(SectionKind::workspaces);
    ASSERT_TRUE(waitUntil([&] {
        QCoreApplication::sendPostedEvents();
        return section().workspacesPane() && section().workspacesPane()->findChild<NameField*>();
    }));
    // The pane rebuilds once as it shows: take the field of its settled rows.
    console->settle();
    const QPointer<NameField> field = section().workspacesPane()->findChild<NameField*>();
    ASSERT_TRUE(field);
    click(*field);
    ASSERT_TRUE(waitUntil([&] { return field && field->hasFocus(); }));
    console->key("End");
    console->type("abc");
    // A copy, an app starting, a sound change: the data source reports a change.
    workspaces->announce();
    console->settle();
    console->type("def");
    ASSERT_TRUE(field) << "the row was rebuilt under the typing";
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(field->text(), QStringLiteral("Deskabcdef"));
    // Clicking the preview takes the focus, and leaving the field stores the name.
    console->click(dial(), QPointF(4, 4));
    ASSERT_TRUE(waitUntil([&] { return !workspaces->renames.empty(); }));
    EXPECT_EQ(workspaces->renames.back().second, QStringLiteral("Deskabcdef"));
    EXPECT_EQ(workspaces->saved.front().name, QStringLiteral("Deskabcdef"));
}

TEST_F(ContextPanelRealWindow, LongTextsFitTheSlimColumn) {
    openSection(SectionKind::workspaces);
    workspaces->saved.front().name =
        QStringLiteral("A workspace with a name much longer than the panel is wide");
    workspaces->announce();
    NameField* field = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        QCoreApplication::sendPostedEvents();
        field = section().workspacesPane()->findChild<NameField*>();
        return field && field->text().startsWith(QStringLiteral("A workspace"));
    }));
    EXPECT_TRUE(field->shownText().endsWith(QChar(0x2026))) << field->shownText().toStdString();
    console->screenshot("workspaces-long-name");

    // Back to the dial-wide panel: the section's fan folds.
    ASSERT_TRUE(dial().state().submenuSection().has_value());
    clickChip(*section().backChip());
    ASSERT_TRUE(waitUntil([&] { return !root().model().selection().has_value(); }));
    EXPECT_FALSE(dial().state().submenuSection().has_value());

    DialWidePanel& wide = panel().dialWide();
    VelAdvanced& advanced = wide.advanced();
    click(advanced, advanced.headerRect().center());
    ASSERT_TRUE(waitUntil([&] { return advanced.isOpen(); }));
    // Its content fades in on the console's clock.
    scheduler.advance(std::chrono::seconds(1));
    const std::pair<VelToggleRow*, QString> rows[] = {
        {&wide.alwaysOpaque(), "Forces Matte; Reduce Transparency also enforces this"},
        {&wide.updates().installRow(), "Silent download, installs on quit — see what's new after"}};
    for (const auto& [row, caption] : rows) {
        panel().scrollArea().ensureWidgetVisible(row);
        QCoreApplication::processEvents();
        const KitLabelColumn& label = *row->findChild<KitLabelColumn*>();
        const QStringList lines = label.captionLines(label.width());
        EXPECT_EQ(lines.join(QLatin1Char(' ')), caption) << "elided at " << label.width();
        EXPECT_GE(label.height(), label.heightForWidth(label.width()));
        EXPECT_TRUE(waitUntil([&] { return RealWindow::hasInk(console->pixels(label)); }))
            << caption.toStdString() << " at " << label.mapTo(label.window(), QPoint()).y() << " "
            << console->screenshot("caption-unseen").toStdString();
    }
    shot("context-panel-advanced-light");
    settings.setTheme(ThemeChoice::eclipse);
    ASSERT_TRUE(console->waitPainted());
    QCoreApplication::processEvents();
    shot("context-panel-advanced-dark");
}

} // namespace
} // namespace vellaro
