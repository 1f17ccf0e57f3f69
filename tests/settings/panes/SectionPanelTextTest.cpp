#include "model/VellaroSettings.h"
#include "settings/panes/AppsPaneFilter.h"
#include "settings/panes/ClipboardPane.h"
#include "settings/panes/SectionPlacement.h"
#include "settings/panes/WorkspacesPane.h"

#include <gtest/gtest.h>

using namespace vellaro;
using K = SectionKind;

namespace {

VellaroSettings customDial(std::vector<K> sections) {
    VellaroSettings settings;
    settings.arrangement = DialArrangement::custom;
    settings.customSections = std::move(sections);
    return settings;
}

InstalledApp app(const char* id, const char* name) {
    return {QString::fromUtf8(id), QString::fromUtf8(name), QStringLiteral("/x/") + id};
}

QStringList names(const std::vector<InstalledApp>& apps) {
    QStringList list;
    for (const InstalledApp& a : apps)
        list << a.name;
    return list;
}

} // namespace

TEST(SectionPlacementTest, CaptionAndRemoveGuard) {
    const struct {
        const char* name;
        VellaroSettings settings;
        K kind;
        const char* caption;
        bool canRemove;
    } cases[] = {
        {"standard, fifth", VellaroSettings(), K::clipboard, "Position 5 of 6 · clockwise from 12",
         true},
        {"not on the dial", VellaroSettings(), K::sound, "Not on the dial", false},
        {"two left", customDial({K::apps, K::files}), K::apps,
         "Position 1 of 2 · clockwise from 12", false},
        {"three", customDial({K::apps, K::files, K::sound}), K::sound,
         "Position 3 of 3 · clockwise from 12", true},
        // Dropping both copies would leave one section and the standard six.
        {"duplicate of three", customDial({K::apps, K::apps, K::files}), K::apps,
         "Position 1 of 3 · clockwise from 12", false},
        {"duplicate of four", customDial({K::apps, K::files, K::apps, K::sound}), K::files,
         "Position 2 of 4 · clockwise from 12", true},
        // Counted as the dial shows them: the eighth is not on the dial.
        {"eighth of eight",
         customDial({K::apps, K::files, K::sound, K::clipboard, K::actions, K::windows, K::files,
                     K::workspaces}),
         K::workspaces, "Not on the dial", false},
        {"custom of one shows the standard six", customDial({K::sound}), K::windows,
         "Position 2 of 6 · clockwise from 12", true},
    };
    for (const auto& c : cases) {
        const SectionPlacement placement = SectionPlacement::of(c.kind, c.settings);
        EXPECT_EQ(placement.caption(), QString::fromUtf8(c.caption)) << c.name;
        EXPECT_EQ(placement.canRemove(), c.canRemove) << c.name;
    }
}

TEST(AppsPaneFilterTest, AvailableAppsAndMatches) {
    const std::vector<InstalledApp> installed{
        app("a", "Alpha"),  app("b", "Beta"),  app("c", "Calculator"),  app("d", "Calendar"),
        app("e", "Camera"), app("f", "Cards"), app("g", "Cargo"),       app("h", "Carrot"),
        app("i", "Cash"),   app("j", "Cast"),  app("k", "Line\nBreak"),
    };
    const std::vector<InstalledApp> available =
        AppsPaneFilter::availableApps(installed, {QStringLiteral("b"), QStringLiteral("d")});
    EXPECT_FALSE(names(available).contains(QStringLiteral("Beta")));
    EXPECT_FALSE(names(available).contains(QStringLiteral("Calendar")));
    EXPECT_EQ(available.size(), installed.size() - 2);

    const struct {
        const char* query;
        QStringList expected;
    } cases[] = {
        {"", {}},
        {" \t ", {}},
        {"alp", {"Alpha"}},
        {"ALPHA", {"Alpha"}},
        {" \talpha\t ", {"Alpha"}},
        // Pinned apps are never offered, and at most six show, in order.
        {"ca", {"Calculator", "Camera", "Cards", "Cargo", "Carrot", "Cash"}},
        {"beta", {}},
        // A line break is not trimmed.
        {"alpha\n", {}},
        {"line\nbreak", {"Line\nBreak"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(names(AppsPaneFilter::matches(available, QString::fromUtf8(c.query))), c.expected)
            << c.query;
    EXPECT_EQ(AppsPaneFilter::noMatchesText(QStringLiteral(" zz")),
              QStringLiteral("No matches for “ zz”"));
}

TEST(AppsPaneFilterTest, PinToastRowsAndNote) {
    const struct {
        std::size_t count;
        const char* toast;
    } toasts[] = {
        {1, "Files pinned to Apps"},
        {7, "Files pinned to Apps"},
        {8, "Files pinned — move it up to show it on the dial"},
        {12, "Files pinned — move it up to show it on the dial"},
    };
    for (const auto& t : toasts)
        EXPECT_EQ(AppsPaneFilter::pinToast(QStringLiteral("Files"), t.count),
                  QString::fromUtf8(t.toast))
            << t.count;

    const struct {
        std::size_t index, count;
        double opacity;
        bool up, down;
    } rows[] = {
        {0, 1, 1.0, false, false}, {0, 3, 1.0, false, true}, {2, 3, 1.0, true, false},
        {6, 9, 1.0, true, true},   {7, 9, 0.55, true, true}, {8, 9, 0.55, true, false},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(AppsPaneFilter::rowOpacity(r.index), r.opacity) << r.index;
        EXPECT_EQ(AppsPaneFilter::canMoveUp(r.index), r.up) << r.index;
        EXPECT_EQ(AppsPaneFilter::canMoveDown(r.index, r.count), r.down) << r.index;
    }
    EXPECT_TRUE(AppsPaneFilter::dialLimitNote(7).isEmpty());
    EXPECT_EQ(AppsPaneFilter::dialLimitNote(8),
              QStringLiteral("The dial shows the first 7 — reorder to choose which."));
}

TEST(SectionPaneTextTest, Captions) {
    EXPECT_EQ(ClipboardPane::exclusionCaption(0), QStringLiteral("0 apps excluded"));
    EXPECT_EQ(ClipboardPane::exclusionCaption(1), QStringLiteral("1 apps excluded"));
    EXPECT_EQ(WorkspacesPane::windowCountText(0), QStringLiteral("0w"));
    EXPECT_EQ(WorkspacesPane::windowCountText(5), QStringLiteral("5w"));
}
