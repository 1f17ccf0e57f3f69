#include "providers/apps/AppPickerModel.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

// Installed apps as the index sorts them; "notes" is already present.
std::vector<InstalledApp> installed() {
    return {{"calculator", "Calculator", "/c"},
            {"files", "Files", "/f"},
            {"notes", "Notes", "/n"},
            {"safari", "Safari", "/s"},
            {"text-editor", "Text Editor", "/t"},
            {"terminal", "terminal", "/te"}};
}

struct PickerCase {
    const char* name;
    QString query;
    QSet<QString> selection;
    QStringList shown;
    QStringList adding;
    const char* countText;
    const char* buttonTitle;
};

class AppPickerModelTest : public ::testing::TestWithParam<PickerCase> {};

QStringList ids(const std::vector<InstalledApp>& apps) {
    QStringList names;
    for (const InstalledApp& app : apps)
        names << app.bundleID;
    return names;
}

TEST_P(AppPickerModelTest, FiltersCountsAndTitles) {
    const PickerCase& c = GetParam();
    AppPickerModel model({QStringLiteral("notes")});
    EXPECT_TRUE(model.isLoading());
    model.setApps(installed());
    EXPECT_FALSE(model.isLoading());
    model.setSelection(c.selection);
    model.setQuery(c.query);

    QStringList shown;
    for (std::size_t row : model.shownRows())
        shown << model.apps()[row].bundleID;
    EXPECT_EQ(shown, c.shown) << c.name;
    EXPECT_EQ(ids(model.appsToAdd()), c.adding) << c.name;
    EXPECT_EQ(model.countText(), QString::fromUtf8(c.countText)) << c.name;
    EXPECT_EQ(model.addButtonTitle(), QString::fromUtf8(c.buttonTitle)) << c.name;
    EXPECT_EQ(model.canAdd(), !c.adding.isEmpty()) << c.name;
}

const QStringList everything = {"calculator", "files",       "notes",
                                "safari",     "text-editor", "terminal"};

INSTANTIATE_TEST_SUITE_P(
    Table, AppPickerModelTest,
    ::testing::Values(
        PickerCase{"no selection", "", {}, everything, {}, "0 selected", "Add App"},
        PickerCase{"one new app", "", {"files"}, everything, {"files"}, "1 selected", "Add App"},
        PickerCase{"three new apps",
                   "",
                   {"safari", "files", "calculator"},
                   everything,
                   {"calculator", "files", "safari"},
                   "3 selected",
                   "Add 3 Apps"},
        PickerCase{
            "only rows already present", "", {"notes"}, everything, {}, "0 selected", "Add App"},
        PickerCase{"a present row does not count",
                   "",
                   {"notes", "files", "safari"},
                   everything,
                   {"files", "safari"},
                   "2 selected",
                   "Add 2 Apps"},
        PickerCase{"a selection filtered out still counts",
                   "saf",
                   {"files", "safari"},
                   {"safari"},
                   {"files", "safari"},
                   "2 selected",
                   "Add 2 Apps"},
        PickerCase{"lower case finds a capitalised name",
                   "safari",
                   {},
                   {"safari"},
                   {},
                   "0 selected",
                   "Add App"},
        PickerCase{"upper case finds a lower-case name",
                   "TERM",
                   {},
                   {"terminal"},
                   {},
                   "0 selected",
                   "Add App"},
        PickerCase{"a trailing space matches only names with that space",
                   "text ",
                   {},
                   {"text-editor"},
                   {},
                   "0 selected",
                   "Add App"},
        PickerCase{"a leading space is kept too",
                   " editor",
                   {},
                   {"text-editor"},
                   {},
                   "0 selected",
                   "Add App"},
        PickerCase{"only names are searched", "/c", {}, {}, {}, "0 selected", "Add App"}));

TEST(AppPickerModelLoadingTest, NothingToAddBeforeTheListArrives) {
    AppPickerModel model;
    model.setSelection({QStringLiteral("files")});
    EXPECT_TRUE(model.isLoading());
    EXPECT_TRUE(model.shownRows().empty());
    EXPECT_EQ(model.countText(), QStringLiteral("0 selected"));
    EXPECT_FALSE(model.canAdd());
    model.setApps({});
    EXPECT_FALSE(model.isLoading());
    EXPECT_TRUE(model.shownRows().empty());
}

} // namespace
} // namespace vellaro
