#include "ConsoleWindowFixture.h"

#include "platform/session/FrameAutosave.h"
#include "settings/panel/ContextPanelView.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

struct WindowTest : ::testing::Test, test::ConsoleWindowFixture {
    QRect screen() const { return QGuiApplication::primaryScreen()->geometry(); }
};

TEST_F(WindowTest, FirstShowBuildsTheWindowLaterShowsBringItBack) {
    EXPECT_EQ(controller->window(), nullptr);
    open();
    ConsoleWindowFrame* window = controller->window();
    ConsoleRootView* root = controller->root();
    RadialMenuView* dial = &this->dial();
    EXPECT_EQ(window->windowTitle(), "Vellaro");
    EXPECT_EQ(window->size(), QSize(960, 620));
    EXPECT_LE((window->geometry().center() - screen().center()).manhattanLength(), 4);
    EXPECT_EQ(window->minimumSize(), QSize(900, 580));
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(window->isActiveWindow());

    model().setSelection(SectionKind::files);
    window->close();
    EXPECT_FALSE(window->isVisible());
    window->showMinimized();
    QSignalSpy looks(window, &ConsoleWindowFrame::palChanged);
    open();
    open();
    EXPECT_EQ(controller->window(), window);
    EXPECT_EQ(controller->root(), root);
    EXPECT_EQ(&this->dial(), dial);
    EXPECT_FALSE(window->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(model().selection(), SectionKind::files) << "the console keeps its state";

    // One observer, however often it was shown.
    settings.setTheme(ThemeChoice::charcoal);
    EXPECT_EQ(looks.size(), 1);
}

TEST_F(WindowTest, ThemeChangedWhileClosedOpensInItsLook) {
    open();
    controller->window()->close();
    settings.setTheme(ThemeChoice::eclipse);
    EXPECT_EQ(controller->window()->scheme(), ColorScheme::dark);
    EXPECT_EQ(root().pal(), Pal::dark());
    EXPECT_EQ(root().preview().pal(), Pal::dark());
    open();
    EXPECT_EQ(controller->window()->palette().color(QPalette::Window), Pal::dark().bgTop);

    settings.setTheme(ThemeChoice::system);
    appearance.announce(ColorScheme::dark);
    EXPECT_EQ(root().pal(), Pal::dark());
    appearance.announce(ColorScheme::light);
    EXPECT_EQ(root().pal(), Pal::light());
}

TEST_F(WindowTest, OpensAtTheSavedFrameWhenItIsOnAScreen) {
    const QRect saved(screen().x() + 40, screen().y() + 30, 1000, 700);
    defaults.setValue(SettingsWindowController::frameName, FrameAutosave::format(saved));
    open();
    EXPECT_EQ(controller->window()->geometry(), saved);

    defaults.setValue(SettingsWindowController::frameName, "-8000 -8000 1000 700");
    controller = std::make_unique<SettingsWindowController>(controllerServices());
    open();
    EXPECT_LE((controller->window()->geometry().center() - screen().center()).manhattanLength(), 4);
}

TEST_F(WindowTest, ChangesMadeElsewhereShowAtOnce) {
    open();
    settings.setCustomSections({SectionKind::sound, SectionKind::apps, SectionKind::files});
    EXPECT_EQ(dial().sections(), (std::vector<SectionKind>{SectionKind::sound, SectionKind::apps,
                                                           SectionKind::files}));
    // Hidden, the preview catches up once when shown again.
    controller->window()->close();
    settings.setCustomSections({SectionKind::windows, SectionKind::apps});
    open();
    EXPECT_EQ(dial().sections(),
              (std::vector<SectionKind>{SectionKind::windows, SectionKind::apps}));
}

TEST_F(WindowTest, PreviewFrameIsLiveAndEmptyWhileHidden) {
    open();
    const QRectF frame = root().previewFrame();
    EXPECT_EQ(frame.size(), QSizeF(384, 384));
    EXPECT_TRUE(root().rect().contains(frame.toRect()));
    controller->window()->resize(1200, 800);
    QCoreApplication::processEvents();
    EXPECT_NE(root().previewFrame(), frame);
    controller->window()->close();
    EXPECT_TRUE(root().previewFrame().isEmpty());
}

// A stand-in for the context panel: a text field, and what it was told.
class RecordingPanel final : public ContextPanelView {
public:
    QLineEdit* field = new QLineEdit(this);
    Pal pal;
    int settingsChanges = 0, selectionChanges = 0;
    RecordingPanel() { (new QVBoxLayout(this))->addWidget(field); }
    void setPal(const Pal& p) override { pal = p; }
    void settingsChanged() override { ++settingsChanges; }
    void selectionChanged() override { ++selectionChanges; }
};

TEST_F(WindowTest, PanelHearsChangesAndItsTextFieldKeepsControlZ) {
    open();
    auto* panel = new RecordingPanel;
    root().setContextPanel(panel);
    EXPECT_EQ(panel->width(), ConsoleRootView::panelWidth);
    settings.setTheme(ThemeChoice::eclipse);
    EXPECT_EQ(panel->pal, Pal::dark());
    EXPECT_GE(panel->settingsChanges, 1);
    root().setSelection(SectionKind::apps);
    EXPECT_EQ(panel->selectionChanges, 1);
    EXPECT_EQ(root().coordinateRoot(), &root());

    settings.setCustomSections({SectionKind::apps, SectionKind::files});
    ASSERT_EQ(model().arrangementHistory().size(), 1u);
    panel->field->setFocus();
    QTest::keyClicks(panel->field, "abc");
    QTest::keyClick(panel->field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(panel->field->text(), "");
    EXPECT_EQ(model().arrangementHistory().size(), 1u) << "the field's undo, not the dial's";
    dial().setFocus();
    QTest::keyClick(&dial(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(model().arrangementHistory().empty());
}

} // namespace
} // namespace vellaro
