#include "ConsoleWindowFixture.h"

#include "model/EffectiveSections.h"
#include "overlay/DialDragEditor.h"
#include "settings/kit/FloatingLabel.h"
#include "ui/VelChipButton.h"

#include <QTest>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using Sections = std::vector<SectionKind>;

struct PreviewTest : ::testing::Test, test::ConsoleWindowFixture {
    PreviewTest() { open(); }
    // A drag of wedge `section` off the dial, well outside the ring.
    void dragOff(int section) {
        const RadialLayout& l = dial().layout();
        const double angle = l.sectionAngle(section);
        dragDial(wedge(section),
                 {dialPoint(angle, l.ringOuter + 10), dialPoint(angle, l.ringOuter + 60),
                  dialPoint(angle, l.ringOuter + 120)});
    }
    std::optional<SectionKind> openFan() const {
        const auto index = dial().state().submenuSection();
        if (!index)
            return std::nullopt;
        return dial().sections()[std::size_t(*index)];
    }
};

TEST_F(PreviewTest, ClicksSelectSectionsAndNeverRunItems) {
    const Sections standard = standardSections();
    clickDial(wedge(2));
    EXPECT_EQ(model().selection(), standard[2]);
    EXPECT_EQ(openFan(), standard[2]);
    EXPECT_EQ(root().hintRow().hint(),
              "Configuring Apps — “‹ Dial”, the core, or the wedge goes back");

    clickDial(fanItem(0));
    EXPECT_EQ(model().selection(), standard[2]) << "a fan item keeps the selection";

    clickDial(wedge(2)); // its fan is open: back to the ring, nothing selected
    EXPECT_EQ(model().selection(), std::nullopt);
    EXPECT_EQ(openFan(), std::nullopt);
    EXPECT_EQ(root().hintRow().hint(),
              "Click a wedge to configure it · drag to rearrange · drag off to remove");

    clickDial(wedge(4));
    clickDial(core());
    EXPECT_EQ(model().selection(), std::nullopt);
    EXPECT_EQ(openFan(), std::nullopt);
    clickDial(core()); // dismisses, and the preview opens again at once
    EXPECT_TRUE(dial().state().isOpen());
}

TEST_F(PreviewTest, EscapeKeepsTheDial) {
    QTest::keyClick(&dial(), Qt::Key_Escape);
    EXPECT_TRUE(dial().state().isOpen());
    EXPECT_TRUE(dial().isVisible());
}

TEST_F(PreviewTest, RemovalNeedsThreeSectionsAndOffersUndo) {
    settings.setCustomSections({SectionKind::apps, SectionKind::files});
    const std::size_t steps = model().arrangementHistory().size();
    dragOff(0);
    EXPECT_EQ(toastText(), "At least two sections stay on the dial");
    EXPECT_FALSE(model().toast()->undo);
    EXPECT_EQ(settings.settings().customSections,
              (Sections{SectionKind::apps, SectionKind::files}));
    EXPECT_EQ(model().arrangementHistory().size(), steps);

    settings.setCustomSections({SectionKind::apps, SectionKind::files, SectionKind::sound});
    dragOff(2);
    EXPECT_EQ(toastText(), "Sound returned to the library");
    EXPECT_EQ(settings.settings().customSections,
              (Sections{SectionKind::apps, SectionKind::files}));
    ConsoleToastView& toast = root().preview().toastView();
    ASSERT_TRUE(toast.isVisible());
    click(toast, toast.undoRect().center());
    EXPECT_EQ(settings.settings().customSections,
              (Sections{SectionKind::apps, SectionKind::files, SectionKind::sound}));
    EXPECT_FALSE(model().toast());
    EXPECT_FALSE(toast.isVisible());
}

TEST_F(PreviewTest, ReorderThenControlZRestores) {
    VelChipButton& undo = root().hintRow().undoChip();
    EXPECT_TRUE(undo.look().disabled);
    const RadialLayout& l = dial().layout();
    const double middle = (l.ringInner + l.ringOuter) / 2;
    // Wedge 0 dragged around the ring onto wedge 2's place.
    std::vector<QPointF> path;
    for (double t = 0.1; t <= 1.0001; t += 0.1)
        path.push_back(
            dialPoint(l.sectionAngle(0) + t * (l.sectionAngle(2) - l.sectionAngle(0)), middle));
    dragDial(wedge(0), path);
    ASSERT_NE(effectiveSections(settings.settings()), standardSections());
    EXPECT_FALSE(model().toast()) << "a reorder shows no toast";
    EXPECT_FALSE(undo.look().disabled);

    QTest::keyClick(controller->window(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(effectiveSections(settings.settings()), standardSections());
    EXPECT_TRUE(undo.look().disabled);
}

TEST_F(PreviewTest, CoachGoesAtTheFirstDragForGood) {
    EXPECT_TRUE(root().preview().coachMark().isVisible());
    // Along the ring and back: a completed drag that changes nothing.
    const RadialLayout& l = dial().layout();
    const double middle = (l.ringInner + l.ringOuter) / 2;
    dragDial(wedge(1), {dialPoint(l.sectionAngle(1) + 0.15, middle),
                        dialPoint(l.sectionAngle(1) + 0.3, middle), wedge(1)});
    EXPECT_EQ(effectiveSections(settings.settings()), standardSections());
    EXPECT_FALSE(root().preview().coachMark().isVisible());
    relaunch();
    EXPECT_FALSE(root().preview().coachMark().isVisible());
}

TEST_F(PreviewTest, SizeChangeKeepsTheViewAndGivesLargeFansRoom) {
    RadialMenuView* before = &dial();
    settings.setScale(MenuScale::large);
    EXPECT_EQ(&dial(), before);
    EXPECT_DOUBLE_EQ(dial().scale(), 0.944);
    EXPECT_TRUE(dial().state().isOpen());

    clickDial(wedge(0));
    ASSERT_TRUE(openFan());
    scheduler.advance(std::chrono::seconds(2)); // the fan has bloomed
    // The open fan's outermost item lies beyond a 384 square yet is drawn in
    // the window: the dial is not cut by the panel it sits on.
    const int last = int(dial().currentFanItems().size()) - 1;
    const QPointF item = fanItem(last);
    const QPointF centre = dial().center();
    const double reach = QLineF(centre, item).length();
    EXPECT_GT(reach, 150);
    EXPECT_TRUE(root().preview().rect().contains(dial().geometry()));
    const QImage window = controller->window()->grab().toImage();
    const QPoint at = dial().mapTo(controller->window(), item.toPoint());
    const QColor seen = window.pixelColor(at * window.devicePixelRatio());
    EXPECT_NE(seen.rgb(), root().pal().canvas.rgb()) << qPrintable(seen.name());
    // As far out on the other side, where no fan opens, the canvas shows.
    const QPoint across = dial().mapTo(controller->window(), (2 * centre - item).toPoint());
    EXPECT_EQ(window.pixelColor(across * window.devicePixelRatio()).rgb(),
              root().pal().canvas.rgb());
}

TEST_F(PreviewTest, LibraryChipFollowsAndTheDialShowsTheGap) {
    const RadialLayout& l = dial().layout();
    // Between wedges 0 and 1 on the ring: a gap to insert into.
    const QPointF gap = inConsole(
        dialPoint((l.sectionAngle(0) + l.sectionAngle(1)) / 2, (l.ringInner + l.ringOuter) / 2));
    const auto indicating = [this] {
        const auto last = std::int64_t(dial().sections().size()) - 1;
        return dial().editor().librarySwapTarget().has_value() ||
               dial().slotOfSection(last) != std::optional<int>(int(last));
    };
    root().handleLibraryDrag(SectionKind::sound, gap);
    EXPECT_TRUE(root().dragChip().isVisible());
    EXPECT_EQ(root().dragChip().geometry().center().y(), int(gap.y()) - 18);
    EXPECT_TRUE(indicating());
    root().handleLibraryDrag(SectionKind::sound, QPointF(5, 5));
    EXPECT_FALSE(indicating());
    root().handleLibraryDrag(SectionKind::sound, gap);
    EXPECT_TRUE(indicating());
    // A step outside, then the drop: nothing changes, chip and ghost go.
    root().handleLibraryDrag(SectionKind::sound, QPointF(5, 5));
    root().handleLibraryDrop(SectionKind::sound);
    EXPECT_FALSE(root().dragChip().isVisible());
    EXPECT_FALSE(indicating());
    EXPECT_EQ(effectiveSections(settings.settings()), standardSections());
    EXPECT_FALSE(model().toast());

    root().handleLibraryDrag(SectionKind::sound, gap);
    root().handleLibraryDrop(SectionKind::sound);
    EXPECT_EQ(effectiveSections(settings.settings()).size(), 7u);
    EXPECT_EQ(toastText(), "Sound added to the dial");
}

} // namespace
} // namespace vellaro
