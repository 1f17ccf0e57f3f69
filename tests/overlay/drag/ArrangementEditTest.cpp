#include "overlay/ArrangementEdit.h"
#include "overlay/FanReorder.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace vellaro {
namespace {

using Kinds = std::vector<SectionKind>;
constexpr auto workspaces = SectionKind::workspaces;
constexpr auto windows = SectionKind::windows;
constexpr auto apps = SectionKind::apps;
constexpr auto files = SectionKind::files;
constexpr auto clipboard = SectionKind::clipboard;
constexpr auto sound = SectionKind::sound;
constexpr auto actions = SectionKind::actions;

TEST(ArrangementEdit, FinishingAWedgeDrag) {
    const std::optional<std::int64_t> none;
    struct Case {
        const char* what;
        Kinds before, current;
        std::optional<std::int64_t> index;
        bool removing;
        Kinds shown;
        bool saved;
        std::optional<QString> message;
        std::optional<Kinds> undo;
    };
    const Case cases[] = {
        {"reordered on the ring: saved, no message",
         {workspaces, windows, apps, actions},
         {windows, apps, actions, workspaces},
         3,
         false,
         {windows, apps, actions, workspaces},
         true,
         std::nullopt,
         std::nullopt},
        {"released at its origin: nothing saved",
         {workspaces, windows, apps},
         {workspaces, windows, apps},
         0,
         false,
         {workspaces, windows, apps},
         false,
         std::nullopt,
         std::nullopt},
        {"removed from three: two left, undo restores three",
         {clipboard, apps, files},
         {apps, clipboard, files},
         1,
         true,
         {apps, files},
         true,
         QStringLiteral("Clipboard returned to the library"),
         Kinds{clipboard, apps, files}},
        {"removing from two is refused and the order before comes back",
         {apps, files},
         {files, apps},
         0,
         true,
         {apps, files},
         false,
         QStringLiteral("At least two sections stay on the dial"),
         std::nullopt},
        {"removing without a dragged wedge is a plain release",
         {apps, files, sound},
         {apps, files, sound},
         none,
         true,
         {apps, files, sound},
         false,
         std::nullopt,
         std::nullopt},
        {"a dragged index off the list is a plain release",
         {apps, files, sound},
         {apps, sound, files},
         5,
         true,
         {apps, sound, files},
         true,
         std::nullopt,
         std::nullopt},
    };
    for (const Case& c : cases) {
        const auto end = ArrangementEdit::finishWedgeDrag(c.before, c.current, c.index, c.removing);
        EXPECT_EQ(end.sections, c.shown) << c.what;
        EXPECT_EQ(end.save, c.saved) << c.what;
        EXPECT_EQ(end.message, c.message) << c.what;
        EXPECT_EQ(end.undo, c.undo) << c.what;
    }
}

TEST(ArrangementEdit, DroppingALibrarySection) {
    const std::optional<std::int64_t> none;
    struct Case {
        const char* what;
        Kinds sections;
        SectionKind dropped;
        std::optional<std::int64_t> ghost, swap;
        std::optional<Kinds> result;
        QString message;
    };
    const Kinds four{workspaces, windows, apps, actions};
    const Case cases[] = {
        {"into a ghost", four, sound, 2, none, Kinds{workspaces, windows, sound, apps, actions},
         "Sound added to the dial"},
        {"into a ghost past the end appends", four, sound, 9, none,
         Kinds{workspaces, windows, apps, actions, sound}, "Sound added to the dial"},
        {"onto a wedge", four, clipboard, none, 1, Kinds{workspaces, clipboard, apps, actions},
         "Clipboard replaced Windows"},
        {"already on the dial", four, apps, 1, none, std::nullopt, {}},
        {"already on the dial, onto a wedge", four, apps, none, 0, std::nullopt, {}},
        {"no target", four, sound, none, none, std::nullopt, {}},
        {"a swap target off the dial", four, sound, none, 4, std::nullopt, {}},
        {"a negative ghost", four, sound, -1, none, std::nullopt, {}},
        // Duplicates can reach the file; a seventh entry must not become an eighth.
        {"a full dial takes no insertion",
         {workspaces, windows, apps, actions, clipboard, files, apps},
         sound,
         3,
         none,
         std::nullopt,
         {}},
        {"a full dial still swaps",
         {workspaces, windows, apps, actions, clipboard, files, apps},
         sound,
         3,
         6,
         Kinds{workspaces, windows, apps, actions, clipboard, files, sound},
         "Sound replaced Apps"},
        {"six sections take a seventh",
         {workspaces, windows, apps, actions, clipboard, files},
         sound,
         0,
         none,
         Kinds{sound, workspaces, windows, apps, actions, clipboard, files},
         "Sound added to the dial"},
    };
    for (const Case& c : cases) {
        const auto drop =
            ArrangementEdit::dropLibrarySection(c.sections, c.dropped, c.ghost, c.swap);
        ASSERT_EQ(drop.has_value(), c.result.has_value()) << c.what;
        if (!drop)
            continue;
        EXPECT_EQ(drop->sections, *c.result) << c.what;
        EXPECT_EQ(drop->message, c.message) << c.what;
    }
}

TEST(FanReorder, LimitsPerSection) {
    struct Case {
        SectionKind section;
        std::int64_t saved;
        std::int64_t limit;
    };
    const Case cases[] = {
        {apps, 3, 3},       {apps, 7, 7},      {apps, 12, 7},   {workspaces, 5, 5},
        {workspaces, 9, 7}, {actions, 8, 8},   {actions, 0, 0}, {windows, 8, 0},
        {files, 8, 0},      {clipboard, 8, 0}, {sound, 4, 0},   {apps, -3, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FanReorder::limit(c.section, c.saved), c.limit)
            << rawValue(c.section).toStdString() << " with " << c.saved;
}

TEST(FanReorder, WhereADraggedItemMayGo) {
    struct Case {
        std::int64_t target, current, limit, count;
        bool allowed;
    };
    const Case cases[] = {
        {2, 0, 3, 4, true},   // among the pinned apps
        {3, 0, 3, 4, false},  // onto the add-app item after them
        {0, 0, 3, 4, false},  // where it already is
        {1, 2, 3, 4, true},   // back towards the start
        {2, 0, 3, 2, false},  // past the fan's end
        {0, 5, 8, 4, false},  // a current position off the fan
        {-1, 0, 3, 4, false}, // off the fan
        {1, 0, 0, 4, false},  // a section whose items never move
    };
    for (const Case& c : cases)
        EXPECT_EQ(FanReorder::canMove(c.target, c.current, c.limit, c.count), c.allowed)
            << c.target << " from " << c.current << ", limit " << c.limit << ", " << c.count
            << " items";
}

} // namespace
} // namespace vellaro
