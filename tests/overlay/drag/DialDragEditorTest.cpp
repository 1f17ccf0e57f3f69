#include "overlay/DialDragEditor.h"
#include "PreviewDial.h"
#include "platform/layers/Layer.h"
#include "platform/layers/ShapeLayer.h"
#include "platform/layers/TextLayer.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

namespace vellaro {
namespace {

using test::PreviewDial;
using test::rawValues;
using Kinds = std::vector<SectionKind>;
constexpr auto workspaces = SectionKind::workspaces;
constexpr auto windows = SectionKind::windows;
constexpr auto apps = SectionKind::apps;
constexpr auto actions = SectionKind::actions;
constexpr auto clipboard = SectionKind::clipboard;
constexpr auto files = SectionKind::files;
constexpr auto sound = SectionKind::sound;
const QList<qreal> dashed{4, 4};

QStringList fanLabels(const RadialMenuView& view) {
    QStringList labels;
    for (const auto& label : view.scene().fanLabels())
        labels << label->text();
    return labels;
}

TEST(DialDragEditor, AWedgeDragStartsStrictlyBeyondSevenPoints) {
    PreviewDial d;
    const QPointF start = d.wedge(0); // twelve o'clock: (1, 0) runs along the ring
    d.press(start);
    d.moveTo(start + QPointF(7, 0));
    EXPECT_FALSE(d.view->editor().wedgeDragActive());
    EXPECT_TRUE(d.taps.empty());
    d.moveTo(start + QPointF(7.1, 0));
    EXPECT_TRUE(d.view->editor().wedgeDragActive());
    EXPECT_EQ(d.taps, std::vector<std::optional<SectionKind>>{std::nullopt})
        << "a wedge drag clears the console's selection";
    d.release(start + QPointF(7.1, 0));
    EXPECT_FALSE(d.view->editor().wedgeDragActive());
    EXPECT_EQ(d.firstDrags, 1);
    EXPECT_EQ(d.settingsChanges, 0) << "released where it started: nothing saved";
    EXPECT_TRUE(d.edits.empty());
}

TEST(DialDragEditor, WedgesReorderLiveAndTheOrderIsSavedOnRelease) {
    PreviewDial d; // workspaces, windows, apps, actions, clipboard, files
    d.press(d.wedge(0));
    d.moveTo(d.wedge(0, 0.1));
    d.moveTo(d.wedge(1));
    EXPECT_EQ(d.view->sections(), (Kinds{windows, workspaces, apps, actions, clipboard, files}));
    d.moveTo(d.wedge(3));
    EXPECT_EQ(d.view->sections(), (Kinds{windows, apps, actions, workspaces, clipboard, files}));
    const ShapeLayer& dragged = *d.view->scene().wedgeShape(3);
    EXPECT_EQ(dragged.lineWidth(), 1.5);
    EXPECT_TRUE(dragged.lineDashPattern().isEmpty());
    EXPECT_EQ(dragged.fillColor(), d.view->surface().hover);
    d.release(d.wedge(3));
    EXPECT_EQ(d.savedSections(), rawValues({windows, apps, actions, workspaces, clipboard, files}));
    EXPECT_EQ(d.settingsChanges, 1);
    EXPECT_TRUE(d.edits.empty()) << "a reorder shows no message";

    // Taken away and brought back: the same order, nothing saved.
    d.dragAlong(d.wedge(3), {d.wedge(3, 0.2), d.wedge(1), d.wedge(3)});
    EXPECT_EQ(d.view->sections(), (Kinds{windows, apps, actions, workspaces, clipboard, files}));
    EXPECT_EQ(d.settingsChanges, 1);
    EXPECT_EQ(d.firstDrags, 2);
}

TEST(DialDragEditor, ReleasingAWedgeInARemovalZone) {
    struct Case {
        const char* what;
        Kinds sections;
        double radius; // in units of the layout, from the centre
        Kinds shown;
        QStringList saved;
        QString message;
        bool undo;
    };
    PreviewDial probe;
    const RadialLayout& l = probe.view->layout();
    const double beyond = l.ringOuter + 26 * PreviewDial::scale;
    const double coreMiddle = 0.55 * l.coreRadius;
    const Case cases[] = {
        {"off the ring, three sections",
         {clipboard, apps, files},
         beyond + 0.5,
         {apps, files},
         rawValues({apps, files}),
         "Clipboard returned to the library",
         true},
        {"into the core's middle",
         {clipboard, apps, files},
         coreMiddle - 0.5,
         {apps, files},
         rawValues({apps, files}),
         "Clipboard returned to the library",
         true},
        {"just inside the margin",
         {clipboard, apps, files},
         beyond - 0.5,
         {clipboard, apps, files},
         rawValues({clipboard, apps, files}),
         QString(),
         false},
        {"two sections stay",
         {clipboard, apps},
         beyond + 0.5,
         {clipboard, apps},
         rawValues({clipboard, apps}),
         "At least two sections stay on the dial",
         false},
    };
    for (const Case& c : cases) {
        PreviewDial d(c.sections);
        const double angle = d.view->layout().sectionAngle(0);
        d.press(d.wedge(0));
        d.moveTo(d.polar(angle, c.radius));
        const bool removing = !c.message.isEmpty();
        EXPECT_EQ(d.view->editor().dragRemoving(), removing) << c.what;
        EXPECT_EQ(d.view->scene().wedgeShape(0)->lineDashPattern(),
                  removing ? dashed : QList<qreal>{})
            << c.what;
        EXPECT_EQ(d.view->scene().wedgeIcon(0)->opacity(), removing ? 0.45 : 1.0) << c.what;
        d.release(d.polar(angle, c.radius));

        EXPECT_EQ(d.view->sections(), c.shown) << c.what;
        EXPECT_EQ(d.savedSections(), c.saved) << c.what;
        EXPECT_EQ(d.settingsChanges, c.shown.size() < c.sections.size() ? 1 : 0) << c.what;
        EXPECT_EQ(d.firstDrags, 1) << c.what;
        ASSERT_EQ(d.edits.size(), removing ? 1u : 0u) << c.what;
        if (!removing)
            continue;
        EXPECT_EQ(d.edits[0].message, c.message) << c.what;
        ASSERT_EQ(bool(d.edits[0].undo), c.undo) << c.what;
        if (c.undo) {
            d.edits[0].undo();
            EXPECT_EQ(d.savedSections(), rawValues(c.sections)) << c.what << ": undo";
            d.view->reload(); // as the console does after every settings change
            EXPECT_EQ(d.view->sections(), c.sections) << c.what << ": undo";
        }
    }
}

TEST(DialDragEditor, SavedFanEntriesMoveWithinTheirLimit) {
    PreviewDial d;
    d.click(d.wedge(2)); // apps: Mail, Maps, Music, then Add App
    ASSERT_EQ(d.view->state(), MenuState::submenu(2));
    const QPointF mail = d.item(0);
    d.press(mail);
    d.moveTo(mail + QPointF(6, 0));
    EXPECT_FALSE(d.view->editor().fanDragActive());
    d.moveTo(d.item(2));
    EXPECT_TRUE(d.view->editor().fanDragActive());
    EXPECT_EQ(fanLabels(*d.view), (QStringList{"Maps", "Music", "Mail", "Add App"}));
    QStringList hitLabels; // the list hit tests and the context menu use
    for (const MenuItem& item : d.view->currentFanItems())
        hitLabels << item.label();
    EXPECT_EQ(hitLabels, fanLabels(*d.view));
    d.moveTo(d.item(3));
    EXPECT_EQ(fanLabels(*d.view), (QStringList{"Maps", "Music", "Mail", "Add App"}))
        << "nothing lands after the add item";
    d.release(d.item(3));
    EXPECT_EQ(d.saved(apps).moves, (std::vector<std::pair<std::int64_t, std::int64_t>>{{0, 2}}));
    EXPECT_EQ(d.saved(apps).entries, (QStringList{"Maps", "Music", "Mail"}));
    EXPECT_EQ(fanLabels(*d.view), (QStringList{"Maps", "Music", "Mail", "Add App"}));
    EXPECT_FALSE(d.view->editor().fanItemsOverride().has_value());

    // The add item is not pressed for a drag: the press is a pointer move.
    d.dragAlong(d.item(3), {d.item(1)});
    EXPECT_EQ(d.saved(apps).moves.size(), 1u);
    EXPECT_EQ(d.view->state(), MenuState::submenu(2, 1));

    // Only the first seven saved workspaces move.
    d.click(d.wedge(0));
    ASSERT_EQ(d.view->state(), MenuState::submenu(0));
    d.dragAlong(d.item(7), {d.item(5)});
    d.dragAlong(d.item(0), {d.item(0) + QPointF(0, 10), d.item(7)});
    EXPECT_TRUE(d.saved(workspaces).moves.empty());
    d.dragAlong(d.item(0), {d.item(0) + QPointF(0, 10), d.item(6)});
    EXPECT_EQ(d.saved(workspaces).moves,
              (std::vector<std::pair<std::int64_t, std::int64_t>>{{0, 6}}));

    // Windows items never drag.
    d.click(d.wedge(1));
    d.dragAlong(d.item(0), {d.item(0) + QPointF(0, 10), d.item(2)});
    EXPECT_EQ(fanLabels(*d.view).front(), "Windows 1");
    EXPECT_EQ(d.view->state(), MenuState::submenu(1, 2));
}

TEST(DialDragEditor, ANewSectionListEndsAFanDragWithoutEffect) {
    PreviewDial d;
    d.click(d.wedge(2));
    d.press(d.item(0));
    d.moveTo(d.item(2));
    ASSERT_TRUE(d.view->editor().fanItemsOverride().has_value());
    d.settings.setCustomSections({apps, files, sound});
    d.view->reload();
    EXPECT_FALSE(d.view->editor().fanItemsOverride().has_value());
    d.release(d.item(2));
    EXPECT_TRUE(d.saved(apps).moves.empty());
    d.click(d.wedge(0));
    EXPECT_EQ(fanLabels(*d.view), (QStringList{"Mail", "Maps", "Music", "Add App"}));
}

TEST(DialDragEditor, AFanItemDraggedBeyondTheFanIsRemoved) {
    PreviewDial d;
    d.click(d.wedge(2));
    const QPointF maps = d.item(1);
    const QPointF out = maps - QPointF(d.center().x, d.center().y);
    const double reach = std::hypot(out.x(), out.y());
    const double edge = d.view->layout().fanOuter() + 20 * PreviewDial::scale;
    const auto at = [&](double radius) {
        return QPointF(d.center().x, d.center().y) + out * (radius / reach);
    };
    d.press(maps);
    d.moveTo(at(edge - 0.5));
    EXPECT_TRUE(d.view->editor().fanDragActive());
    EXPECT_FALSE(d.view->editor().fanDragRemoving());
    d.moveTo(at(edge + 0.5));
    EXPECT_TRUE(d.view->editor().fanDragRemoving());
    EXPECT_EQ(d.view->scene().fanShapes()[1]->lineDashPattern(), dashed);
    d.release(at(edge + 0.5));

    EXPECT_EQ(d.saved(apps).entries, (QStringList{"Mail", "Music"}));
    ASSERT_EQ(d.edits.size(), 1u);
    EXPECT_EQ(d.edits[0].message, "Maps unpinned");
    EXPECT_EQ(fanLabels(*d.view), (QStringList{"Mail", "Music", "Add App"}));
    d.edits[0].undo();
    EXPECT_EQ(fanLabels(*d.view), (QStringList{"Mail", "Maps", "Music", "Add App"}));
}

TEST(DialDragEditor, ClicksSelectSectionsAndRunNothing) {
    PreviewDial d;
    int runs = 0;
    static_cast<test::SampleProvider&>(d.dataSource->provider(files)).change([&runs](auto& items) {
        items[0].action = [&runs] { ++runs; };
    });
    using Taps = std::vector<std::optional<SectionKind>>;

    d.click(d.wedge(5));
    EXPECT_EQ(d.view->state(), MenuState::submenu(5));
    d.click(d.item(0));
    EXPECT_EQ(d.view->state(), MenuState::submenu(5)) << "no item runs in the preview";
    EXPECT_EQ(runs, 0);
    d.click(d.wedge(5));
    EXPECT_EQ(d.view->state().submenuSection(), std::nullopt)
        << "clicking the open wedge closes it";
    EXPECT_EQ(d.taps, (Taps{files, files, std::nullopt}));

    d.taps.clear();
    d.click(d.wedge(1));
    d.click(QPointF(d.center().x, d.center().y));
    EXPECT_EQ(d.view->state().submenuSection(), std::nullopt) << "the core closes the fan";
    d.click(QPointF(d.center().x, d.center().y));
    EXPECT_TRUE(d.view->state().isOpen()) << "a dismissal re-opens the preview";
    d.click(QPointF(2, 2));
    EXPECT_TRUE(d.view->state().isOpen());
    EXPECT_EQ(d.taps, (Taps{windows, std::nullopt, std::nullopt}));
    EXPECT_EQ(d.settingsChanges, 0);
}

// A section chip of the library over the dial, at `fraction` of slot `slot`
// of the ring as it is shown now.
QPointF chipOver(const PreviewDial& d, int slot, double fraction) {
    const auto slots = d.view->layout().sectionCount;
    const double slice = 2 * std::numbers::pi / double(slots);
    return d.polar((slot + fraction - 0.5) * slice, d.ringMiddle());
}

TEST(DialDragEditor, LibraryChipsShowAGhostSlotOrASwapTarget) {
    PreviewDial d({workspaces, windows, apps, actions});
    RadialMenuView& v = *d.view;
    v.updateLibraryDrag(chipOver(d, 1, 0.1));
    EXPECT_EQ(v.layout().sectionCount, 5) << "a ghost slot before windows";
    v.updateLibraryDrag(chipOver(d, 1, 0.5));
    EXPECT_EQ(v.layout().sectionCount, 5) << "over the ghost it stays";
    v.updateLibraryDrag(chipOver(d, 3, 0.5));
    EXPECT_EQ(v.layout().sectionCount, 4);
    EXPECT_EQ(v.editor().librarySwapTarget(), 2) << "the slot after the ghost was apps";
    EXPECT_EQ(v.scene().wedgeShape(2)->lineWidth(), 2.0);
    v.updateLibraryDrag(QPointF(d.center().x, d.center().y));
    EXPECT_EQ(v.editor().librarySwapTarget(), std::nullopt) << "the core's middle is no target";
    EXPECT_EQ(v.scene().wedgeShape(2)->lineWidth(), 1.0);
    v.updateLibraryDrag(chipOver(d, 3, 0.9));
    EXPECT_EQ(v.layout().sectionCount, 5);
    v.updateLibraryDrag(std::nullopt);
    EXPECT_EQ(v.layout().sectionCount, 4);
    EXPECT_EQ(d.settingsChanges, 0);
}

// A ghost slot moves every later section one slot on: the hovered section
// stays lit in its new slot and the ghost never lights up.
TEST(DialDragEditor, GhostSlotKeepsTheHoverOnItsSection) {
    PreviewDial d({workspaces, windows, apps, actions});
    RadialMenuView& v = *d.view;
    d.moveTo(d.wedge(2));
    ASSERT_EQ(v.state(), MenuState::root(2));
    v.updateLibraryDrag(chipOver(d, 1, 0.1));
    ASSERT_EQ(v.layout().sectionCount, 5) << "a ghost slot before windows";
    const auto now = d.scheduler.now();
    const auto fill = [&](int slot) {
        return v.scene().wedgeShape(slot)->presentation(now).fillColor;
    };
    EXPECT_EQ(fill(3), v.surface().hover) << "apps, one slot on";
    EXPECT_EQ(fill(2), v.surface().fill) << "windows";
    EXPECT_NE(fill(1), v.surface().hover) << "the ghost";

    // Pointing at a slot hovers the section it shows; the ghost shows none.
    const struct {
        int slot;
        std::optional<std::int64_t> hover;
    } slots[] = {{4, 3}, {2, 1}, {0, 0}, {1, std::nullopt}};
    for (const auto& [slot, hover] : slots) {
        d.moveTo(chipOver(d, slot, 0.5));
        EXPECT_EQ(v.state().rootHover(), hover) << "slot " << slot;
    }
}

TEST(DialDragEditor, DroppingALibrarySection) {
    struct Case {
        const char* what;
        Kinds sections;
        SectionKind chip;
        std::optional<int> slot; // none: no drag step over the dial
        double fraction;
        Kinds result;
        QString message;
    };
    const Kinds four{workspaces, windows, apps, actions};
    const Kinds fullWithDuplicate{workspaces, windows, apps, actions, clipboard, files, apps};
    const Case cases[] = {
        {"into a gap",
         four,
         sound,
         2,
         0.1,
         {workspaces, windows, sound, apps, actions},
         "Sound added to the dial"},
        {"onto a wedge",
         four,
         clipboard,
         1,
         0.5,
         {workspaces, clipboard, apps, actions},
         "Clipboard replaced Windows"},
        {"already on the dial", four, apps, 2, 0.1, four, QString()},
        {"without a target", four, sound, std::nullopt, 0, four, QString()},
        {"a full dial shows no gap, it swaps",
         fullWithDuplicate,
         sound,
         2,
         0.1,
         {workspaces, windows, sound, actions, clipboard, files, apps},
         "Sound replaced Apps"},
    };
    for (const Case& c : cases) {
        PreviewDial d(c.sections);
        if (c.slot)
            d.view->updateLibraryDrag(chipOver(d, *c.slot, c.fraction));
        const bool changed = d.view->dropLibrarySection(c.chip);
        EXPECT_EQ(changed, !c.message.isEmpty()) << c.what;
        EXPECT_EQ(d.view->sections(), c.result) << c.what;
        EXPECT_EQ(d.view->layout().sectionCount, std::int64_t(c.result.size())) << c.what;
        EXPECT_EQ(d.view->editor().librarySwapTarget(), std::nullopt) << c.what;
        if (!changed) {
            EXPECT_EQ(d.settingsChanges, 0) << c.what;
            EXPECT_TRUE(d.edits.empty()) << c.what;
            continue;
        }
        EXPECT_EQ(d.savedSections(), rawValues(c.result)) << c.what;
        ASSERT_EQ(d.edits.size(), 1u) << c.what;
        EXPECT_EQ(d.edits[0].message, c.message) << c.what;
        d.edits[0].undo();
        EXPECT_EQ(d.savedSections(), rawValues(c.sections)) << c.what << ": undo";
    }
}

TEST(DialDragEditor, AFullDialNeverTakesAnEighthSection) {
    // Duplicates in the file leave a section off a dial of seven.
    PreviewDial d({workspaces, windows, apps, actions, clipboard, files, apps});
    d.view->setLibraryDropTarget(std::nullopt, 3);
    EXPECT_EQ(d.view->layout().sectionCount, 7);
    EXPECT_FALSE(d.view->dropLibrarySection(sound));
    EXPECT_EQ(d.view->sections().size(), 7u);
    EXPECT_EQ(d.settingsChanges, 0);
}

TEST(DialDragEditor, ContextMenuOfAFanItem) {
    PreviewDial d;
    int reveals = 0;
    d.saved(apps).firstItemActions = {MenuAction("Reveal", [&reveals] { ++reveals; }),
                                      MenuAction("Quit", [] {})};
    d.saved(apps).announce();
    d.click(d.wedge(2));

    d.press(d.item(1), Qt::RightButton); // no entries: nothing
    d.release(d.item(1));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_FALSE(d.view->contextMenuOpen());

    d.press(d.item(0), Qt::RightButton);
    d.release(d.item(0));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(d.view->contextMenuOpen());
    QStringList titles;
    for (QAction* action : menu->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{"Reveal", "Quit"}));
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_EQ(reveals, 1);
    EXPECT_FALSE(d.view->contextMenuOpen());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(d.view->state(), MenuState::submenu(2)) << "the dial stays as it was";
}

} // namespace
} // namespace vellaro
