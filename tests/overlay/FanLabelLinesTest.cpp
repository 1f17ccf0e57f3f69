#include "overlay/FanLabelLines.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

using FanLabelLines::Room;

// Every character is 6 units wide, the ellipsis too.
double sixEach(const QString& text) {
    return 6.0 * double(text.size());
}

TEST(FanLabelLines, TitlesOfOneFanStayApart) {
    struct Case {
        const char* name;
        std::vector<QString> titles;
        std::vector<Room> rooms;
        std::vector<QStringList> lines;
    };
    const Room narrow{60, 0};   // ten characters, no second line
    const Room tall{60, 66};    // ten characters, or two lines of eleven
    const Room cramped{60, 48}; // two lines of eight at most
    const std::vector<Case> cases{
        {"fits on one line", {"Lock", "Dark Mode"}, {narrow, narrow}, {{"Lock"}, {"Dark Mode"}}},
        {"two lines where they fit",
         {"Screenshot Area", "Screenshot Window"},
         {tall, tall},
         {{"Screenshot", "Area"}, {"Screenshot", "Window"}}},
        {"the break that keeps both lines shortest",
         {"Do Not Disturb Me"},
         {tall},
         {{"Do Not", "Disturb Me"}}},
        {"the shared word is cut, the telling one kept",
         {"Screenshot Area", "Screenshot Window"},
         {narrow, narrow},
         {{"Scre… Area"}, {"Sc… Window"}}},
        {"two lines that do not fit fall back to one",
         {"Screenshot Area", "Screenshot Window"},
         {cramped, cramped},
         {{"Scre… Area"}, {"Sc… Window"}}},
        {"nothing shared: cut at the end",
         {"Empty the Trash", "Lock Screen"},
         {narrow, narrow},
         {{"Empty the…"}, {"Lock Scre…"}}},
        {"a single word too long is cut",
         {"Screenshots", "Screens"},
         {tall, narrow},
         {{"Screensho…"}, {"Screens"}}},
        {"only the ellipsis and the telling word fit",
         {"Screenshot Window", "Screenshot Area"},
         {Room{50, 0}, narrow},
         {{"… Window"}, {"Scre… Area"}}},
        {"not even the telling word fits",
         {"Screenshot Window", "Screenshot Area"},
         {Room{30, 0}, narrow},
         {{"Wind…"}, {"Scre… Area"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FanLabelLines::fit(c.titles, c.rooms, sixEach), c.lines);
    }
}

TEST(FanLabelLines, Elides) {
    EXPECT_EQ(FanLabelLines::elided("Window", 36, sixEach), "Window");
    EXPECT_EQ(FanLabelLines::elided("Window", 35, sixEach), "Wind…");
    EXPECT_EQ(FanLabelLines::elided("Do Not", 24, sixEach), "Do…")
        << "no space before the ellipsis";
    EXPECT_EQ(FanLabelLines::elided("Window", 6, sixEach), "…");
    EXPECT_EQ(FanLabelLines::elided("Window", 5, sixEach), "");
}

} // namespace
} // namespace vellaro
