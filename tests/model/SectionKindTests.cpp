#include "model/SectionKind.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

TEST(SectionKindTest, DecodesExactlyTheRawValues) {
    struct Case {
        const char* raw;
        std::optional<SectionKind> kind;
    };
    const Case cases[] = {
        {"workspaces", SectionKind::workspaces},
        {"windows", SectionKind::windows},
        {"apps", SectionKind::apps},
        {"files", SectionKind::files},
        {"clipboard", SectionKind::clipboard},
        {"sound", SectionKind::sound},
        {"actions", SectionKind::actions},
        {"Sound", std::nullopt},
        {"", std::nullopt},
        {" sound", std::nullopt},
        {"soundx", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sectionKindFromRawValue(QString::fromUtf8(c.raw)), c.kind) << c.raw;
        if (c.kind) {
            EXPECT_EQ(rawValue(*c.kind), QString::fromUtf8(c.raw));
        }
    }
}

TEST(SectionKindTest, ListsAllCasesAndTheStandardDial) {
    ASSERT_EQ(allSectionKinds.size(), 7u);
    EXPECT_EQ(allSectionKinds.front(), SectionKind::workspaces);
    EXPECT_EQ(allSectionKinds.back(), SectionKind::actions);
    const std::vector<SectionKind> standard{SectionKind::workspaces, SectionKind::windows,
                                            SectionKind::apps,       SectionKind::actions,
                                            SectionKind::clipboard,  SectionKind::files};
    EXPECT_EQ(standardSections(), standard);
}

TEST(SectionKindTest, TitlesAndSymbols) {
    struct Case {
        SectionKind kind;
        const char* title;
        const char* symbol;
    };
    const Case cases[] = {
        {SectionKind::workspaces, "Workspaces", "rectangle.3.group"},
        {SectionKind::windows, "Windows", "macwindow.on.rectangle"},
        {SectionKind::apps, "Apps", "square.grid.2x2"},
        {SectionKind::files, "Files", "folder"},
        {SectionKind::clipboard, "Clipboard", "doc.on.clipboard"},
        {SectionKind::sound, "Sound", "speaker.wave.2"},
        {SectionKind::actions, "Actions", "bolt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sectionTitle(c.kind), QString::fromUtf8(c.title));
        EXPECT_EQ(sectionSymbol(c.kind), QString::fromUtf8(c.symbol));
    }
}

} // namespace
} // namespace vellaro
