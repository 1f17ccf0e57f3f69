#include "ConsoleModelFixture.h"

#include "settings/model/PreviewHandle.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

using Sections = std::vector<SectionKind>;

// Records what the console asks of its preview dial.
class RecordingPreview final : public PreviewHandle {
public:
    QRectF rect;
    std::vector<QString> calls;
    QRectF frame() const override { return rect; }
    void updateLibraryDrag(QPointF p) override {
        calls.push_back(QStringLiteral("drag %1,%2").arg(p.x()).arg(p.y()));
    }
    void clear() override { calls.push_back("clear"); }
    void drop(SectionKind s) override { calls.push_back("drop " + sectionTitle(s)); }
};

struct LibraryTest : ::testing::Test, test::ConsoleModelFixture {
    RecordingPreview preview;
    LibraryTest() { model->setPreviewHandle(&preview); }
};

TEST_F(LibraryTest, DragInOutAndBackThenDrop) {
    preview.rect = QRectF(100, 50, 384, 384);
    model->handleLibraryDrag(SectionKind::sound, {150, 60});
    ASSERT_TRUE(model->libraryDrag());
    EXPECT_EQ(model->libraryDrag()->kind, SectionKind::sound);
    model->handleLibraryDrag(SectionKind::sound, {20, 60});
    model->handleLibraryDrag(SectionKind::sound, {300, 400});
    model->handleLibraryDrop(SectionKind::sound);
    EXPECT_EQ(preview.calls,
              (std::vector<QString>{"drag 50,10", "clear", "drag 200,350", "drop Sound"}));
    EXPECT_FALSE(model->libraryDrag());
    EXPECT_FALSE(model->toast()) << "the drop's notice comes from the dial";
}

TEST_F(LibraryTest, UnreportedFrameOrNoPreviewOnlyMovesTheChip) {
    model->handleLibraryDrag(SectionKind::sound, {0, 0});
    EXPECT_EQ(preview.calls, std::vector<QString>{"clear"});

    model->setPreviewHandle(nullptr);
    model->handleLibraryDrag(SectionKind::sound, {10, 10});
    EXPECT_EQ(model->libraryDrag()->location, QPointF(10, 10));
    model->handleLibraryDrop(SectionKind::sound);
    EXPECT_FALSE(model->libraryDrag());
    EXPECT_EQ(preview.calls.size(), 1u);
}

TEST_F(LibraryTest, AppendAddsAtTheEndOfWhatTheDialShows) {
    struct Case {
        const char* name;
        std::optional<Sections> custom; // none: the standard arrangement
        SectionKind section;
        Sections expected;
        QString toast;
    } cases[] = {
        {"standard becomes custom", std::nullopt, SectionKind::sound,
         [] {
             Sections s = standardSections();
             s.push_back(SectionKind::sound);
             return s;
         }(),
         "Sound added to the dial"},
        {"already on the dial",
         Sections{SectionKind::apps, SectionKind::files},
         SectionKind::files,
         {SectionKind::apps, SectionKind::files},
         ""},
        {"a one-entry list shows the standard six", Sections{SectionKind::apps}, SectionKind::sound,
         [] {
             Sections s = standardSections();
             s.push_back(SectionKind::sound);
             return s;
         }(),
         "Sound added to the dial"},
        {"seven is full, even with a duplicate",
         Sections{SectionKind::apps, SectionKind::files, SectionKind::clipboard,
                  SectionKind::actions, SectionKind::windows, SectionKind::workspaces,
                  SectionKind::apps},
         SectionKind::sound,
         {SectionKind::apps, SectionKind::files, SectionKind::clipboard, SectionKind::actions,
          SectionKind::windows, SectionKind::workspaces, SectionKind::apps},
         "The dial holds seven sections — drag onto a wedge to replace one"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        store.update([&](VellaroSettings& s) {
            s.arrangement = c.custom ? DialArrangement::custom : DialArrangement::standard;
            s.customSections = c.custom.value_or(standardSections());
        });
        relaunch();
        model->handleLibraryAppend(c.section);
        EXPECT_EQ(model->currentSections(), c.expected);
        EXPECT_EQ(toastText(), c.toast);
        EXPECT_EQ(model->arrangementHistory().size(),
                  c.toast.endsWith("added to the dial") ? 1u : 0u);
    }
}

} // namespace
} // namespace vellaro
