#include "settings/console/ConsoleWindowFixture.h"

#include "settings/presets/MiniDial.h"
#include "settings/presets/MiniDialGeometry.h"
#include "settings/presets/NamePopover.h"
#include "settings/presets/PresetBarChip.h"
#include "settings/presets/PresetBarView.h"

#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using enum SectionKind;

struct PresetBarTest : ::testing::Test, test::ConsoleWindowFixture {
    PresetBarTest() {
        settings.update([](VellaroSettings& s) {
            s.userPresets = {DialPreset::make("Focus", {files, sound}),
                             DialPreset::make("Calls", {sound, apps, windows})};
        });
        open();
    }

    PresetBarView& bar() const { return *root().findChild<PresetBarView*>(); }
    std::vector<PresetBarChip*> chips() const { return bar().chips(); }
    PresetBarChip& chipNamed(const QString& title) const {
        for (PresetBarChip* chip : chips())
            if (chip->look().title == title)
                return *chip;
        throw std::runtime_error("no chip " + title.toStdString());
    }
    QStringList titles() const {
        QStringList all;
        for (PresetBarChip* chip : chips())
            all << chip->look().title + (chip->look().active ? "*" : "");
        return all;
    }
    void clickChip(PresetBarChip& chip) { click(chip, QRectF(chip.rect()).center()); }
    static QStringList menuEntries(const QMenu& menu) {
        QStringList entries;
        for (QAction* action : menu.actions())
            entries << action->text();
        return entries;
    }
    void choose(const QMenu& menu, const QString& entry) {
        for (QAction* action : menu.actions())
            if (action->text() == entry)
                return action->trigger();
        FAIL() << "no entry " << entry.toStdString();
    }
    void submit(const QString& text) {
        bar().popover()->field().setText(text);
        QTest::keyClick(&bar().popover()->field(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }
};

TEST_F(PresetBarTest, ChipsFollowTheDial) {
    EXPECT_EQ(titles(), (QStringList{"Ultimate Productivity*", "Writer's Focus", "Media & Calls",
                                     "Focus", "Calls", "Save current…"}));
    clickChip(chipNamed("Focus"));
    EXPECT_EQ(model().currentSections(), (std::vector{files, sound}));
    EXPECT_EQ(titles(), (QStringList{"Ultimate Productivity", "Writer's Focus", "Media & Calls",
                                     "Focus*", "Calls", "Save current…"}));
    // The active chip applies again.
    model().showToast("other");
    clickChip(chipNamed("Focus"));
    EXPECT_EQ(toastText(), "Applied “Focus”");

    settings.setCustomSections({clipboard, sound});
    EXPECT_EQ(titles().front(), "Custom*");
    EXPECT_EQ(chips().front()->look().detail, "2 sections");
    EXPECT_EQ(titles().filter("*").size(), 1);
    // Clicking Custom does nothing.
    clickChip(*chips().front());
    EXPECT_EQ(model().currentSections(), (std::vector{clipboard, sound}));
}

TEST_F(PresetBarTest, OnlyUserChipsHaveMenus) {
    for (const char* name : {"Ultimate Productivity", "Writer's Focus", "Media & Calls"}) {
        EXPECT_EQ(chipNamed(name).menu(), nullptr) << name;
        EXPECT_EQ(chipNamed(name).contextMenu(), nullptr) << name;
        EXPECT_EQ(chipNamed(name).moreButton(), nullptr) << name;
        EXPECT_FALSE(chipNamed(name).look().detail.contains("yours")) << name;
    }
    PresetBarChip& focus = chipNamed("Focus");
    EXPECT_EQ(menuEntries(*focus.menu()),
              (QStringList{"Rename…", "Update from Current Dial", "", "Delete"}));
    EXPECT_EQ(menuEntries(*focus.contextMenu()),
              (QStringList{"Rename…", "Update from Current Dial", "", "Delete Preset"}));
    EXPECT_EQ(focus.look().detail, "2 sections · yours");
    EXPECT_EQ(focus.contextMenuPolicy(), Qt::CustomContextMenu);

    // "⋯" opens the menu and does not apply the preset.
    const auto before = model().currentSections();
    click(*focus.moreButton(), QRectF(focus.moreButton()->rect()).center());
    EXPECT_TRUE(focus.menu()->isVisible());
    focus.menu()->hide();
    EXPECT_EQ(model().currentSections(), before);

    choose(*chipNamed("Focus").menu(), "Update from Current Dial");
    EXPECT_EQ(settings.settings().userPresets[0].sections, before);
    choose(*chipNamed("Focus").menu(), "Delete");
    ASSERT_EQ(settings.settings().userPresets.size(), 1u);
    EXPECT_EQ(settings.settings().userPresets[0].name, "Calls");
    choose(*chipNamed("Calls").contextMenu(), "Delete Preset");
    EXPECT_TRUE(settings.settings().userPresets.empty());
}

TEST_F(PresetBarTest, RenameClosesBeforeItCallsAndBlankStaysOpen) {
    choose(*chipNamed("Calls").contextMenu(), "Rename…");
    ASSERT_NE(bar().popover(), nullptr);
    EXPECT_TRUE(bar().popover()->isVisible());
    EXPECT_EQ(bar().popover()->title(), "Rename preset");
    EXPECT_EQ(bar().popover()->field().text(), "Calls");

    submit(" \t ");
    ASSERT_NE(bar().popover(), nullptr);
    EXPECT_EQ(bar().popover()->field().text(), " \t ");
    EXPECT_EQ(settings.settings().userPresets[1].name, "Calls");

    bool openWhenSaved = true;
    settings.addObserver([&] { openWhenSaved = bar().popover() != nullptr; });
    submit("  Team calls ");
    EXPECT_FALSE(openWhenSaved);
    EXPECT_EQ(bar().popover(), nullptr);
    EXPECT_EQ(bar().renameTarget(), std::nullopt);
    EXPECT_EQ(settings.settings().userPresets[1].name, "Team calls");
}

TEST_F(PresetBarTest, SaveChipSavesTheDialAndOutsideClicksCallNothing) {
    clickChip(chipNamed("Save current…"));
    ASSERT_NE(bar().popover(), nullptr);
    EXPECT_EQ(bar().popover()->title(), "Save arrangement as");
    EXPECT_EQ(bar().popover()->header(), "SAVE ARRANGEMENT AS");
    EXPECT_EQ(bar().popover()->field().text(), "");
    // Dismissed from outside: nothing saved.
    bar().popover()->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(bar().popover(), nullptr);
    EXPECT_EQ(settings.settings().userPresets.size(), 2u);

    clickChip(chipNamed("Save current…"));
    submit("Morning");
    ASSERT_EQ(settings.settings().userPresets.size(), 3u);
    EXPECT_EQ(settings.settings().userPresets[2].name, "Morning");
    EXPECT_EQ(toastText(), "Saved “Morning”");
    EXPECT_EQ(titles().at(5), "Morning");
}

TEST(MiniDial, PaintsFaintWedgesAndCore) {
    Pal pal = Pal::light();
    pal.ink = Qt::black;
    MiniDial dial(pal, {apps, sound, files, windows}, false);
    dial.resize(100, 100);
    QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    dial.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    const MiniDialGeometry g(4, 100);
    const auto alpha = [&](QPointF p) { return qAlpha(image.pixel(p.toPoint())); };
    const int faint = qRound(0.16 * 255);
    EXPECT_NEAR(alpha(g.point(0, 32)), faint, 2);        // a wedge
    EXPECT_NEAR(alpha(g.point(M_PI / 2, 32)), faint, 2); // the next one
    EXPECT_NEAR(alpha(g.center()), faint, 2);            // the core
    EXPECT_EQ(alpha(g.point(0, 16.5)), 0);               // between core and ring
    EXPECT_LT(alpha(g.point(M_PI / 4, 38)), faint / 2);  // the 2-point gap, antialiased
    EXPECT_EQ(alpha({2, 2}), 0);                         // outside
}

} // namespace
} // namespace vellaro
