#include "settings/presets/PresetBarModel.h"
#include "settings/presets/MiniDialGeometry.h"
#include "settings/presets/NamePopover.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

using enum SectionKind;
using Sections = std::vector<SectionKind>;

const DialPreset& builtIn(int i) {
    return DialPreset::builtIns()[i];
}

TEST(PresetBarModel, TheFirstPresetWithTheDialsSectionsIsActive) {
    const DialPreset mine = DialPreset::make("Mine", {sound, apps});
    const DialPreset twin = DialPreset::make("Twin", {sound, apps});
    const DialPreset writerCopy = DialPreset::make("Copy", builtIn(1).sections);
    struct Case {
        const char* what;
        Sections current;
        std::vector<DialPreset> user;
        std::optional<QUuid> active;
    };
    const Case cases[] = {
        {"standard list", builtIn(0).sections, {mine}, builtIn(0).id},
        {"no match", {files, sound, windows}, {mine}, std::nullopt},
        {"same order only", {apps, sound}, {mine}, std::nullopt},
        {"built-in before an equal user preset", builtIn(1).sections, {writerCopy}, builtIn(1).id},
        {"first of two equal user presets", {sound, apps}, {mine, twin}, mine.id},
        {"empty list", {}, {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PresetBarModel model(c.current, c.user);
        EXPECT_EQ(model.activeId, c.active);
        EXPECT_EQ(model.showsCustom(), !c.active);
        EXPECT_EQ(model.customDetail, QString("%1 sections").arg(c.current.size()));
        ASSERT_EQ(model.chips.size(), 3 + c.user.size());
        int active = 0;
        for (std::size_t i = 0; i < model.chips.size(); ++i) {
            const PresetBarModel::Chip& chip = model.chips[i];
            EXPECT_EQ(chip.builtIn, i < 3);
            EXPECT_EQ(chip.detail.endsWith(" · yours"), i >= 3);
            active += chip.active;
        }
        EXPECT_EQ(active, c.active ? 1 : 0);
    }
    const PresetBarModel model(Sections{}, {mine});
    EXPECT_EQ(model.chips[0].preset.name, "Ultimate Productivity");
    EXPECT_EQ(model.chips[3].detail, "2 sections · yours");
    EXPECT_TRUE(model.sameChips(PresetBarModel(builtIn(0).sections, {mine})));
    EXPECT_FALSE(model.sameChips(PresetBarModel(Sections{}, {mine, twin})));
    EXPECT_FALSE(
        model.sameChips(PresetBarModel(Sections{}, {DialPreset{mine.id, "New", {sound, apps}}})));
}

TEST(MiniDialGeometry, GapAndWedges) {
    EXPECT_DOUBLE_EQ(MiniDialGeometry(6, 26).gap, 1.2);
    EXPECT_DOUBLE_EQ(MiniDialGeometry(6, 100).gap, 2.0);
    for (std::size_t n : {0, 1, 2}) {
        EXPECT_EQ(MiniDialGeometry(n, 100).wedges, 2) << n;
    }
    EXPECT_EQ(MiniDialGeometry(7, 100).wedges, 7);

    const MiniDialGeometry g(4, 100);
    const QPainterPath top = g.wedge(0);
    // Wedge 0 is centred on twelve o'clock, between the rings.
    EXPECT_TRUE(top.contains(g.point(0, 32)));
    EXPECT_FALSE(top.contains(g.point(0, 15)));              // inside the inner ring
    EXPECT_FALSE(top.contains(g.point(0, 47)));              // beyond the outer ring
    EXPECT_TRUE(g.wedge(1).contains(g.point(M_PI / 2, 32))); // three o'clock
    // Neighbours stand apart at their shared edge.
    const double edge = M_PI / 4;
    EXPECT_FALSE(top.contains(g.point(edge, 32)));
    EXPECT_FALSE(g.wedge(1).contains(g.point(edge, 32)));
    EXPECT_TRUE(top.contains(g.point(edge - 0.06, 32)));
    // One section draws its symbol at twelve o'clock.
    const MiniDialGeometry one(1, 100);
    EXPECT_NEAR(one.symbolCenter(0).x(), 50, 1e-9);
    EXPECT_NEAR(one.symbolCenter(0).y(), 50 - 32.5, 1e-9);
    EXPECT_NEAR(one.coreRadius(), 0.72 * 19, 1e-9);
}

TEST(NamePopover, NamesAreTrimmedOfBlanksOnly) {
    const std::pair<QString, std::optional<QString>> cases[] = {
        {"Work", "Work"},         {"  Work \t", "Work"}, {" Two words ", "Two words"},
        {"   ", std::nullopt},    {"\t", std::nullopt},  {"", std::nullopt},
        {"\nWork\n", "\nWork\n"},
    };
    for (const auto& [raw, cleaned] : cases)
        EXPECT_EQ(NamePopover::cleaned(raw), cleaned) << raw.toStdString();
}

} // namespace
} // namespace vellaro
