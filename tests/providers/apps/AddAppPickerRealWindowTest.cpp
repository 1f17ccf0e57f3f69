// The "Add Apps to Vellaro" picker as a person meets it under the session's
// window manager, searched, chosen from and added with XTest at live
// geometry: it paints as it maps, in the desktop's light and dark palettes;
// a choice hidden by a later search still counts, "Add 2 Apps" writes both
// to apps.json, and Cancel writes nothing. Screenshots go to the build folder.
#include "providers/apps/AddAppPickerController.h"
#include "providers/apps/AddAppPickerView.h"

#include "AppsProviderFixture.h"
#include "model/WindowAppearance.h"
#include "providers/apps/AppsStore.h"
#include "support/RealWindow.h"
#include "support/WaitUntil.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::RealWindow;
using test::waitUntil;

struct AddAppPickerRealWindow : ::testing::Test, test::AppsProviderFixture {
    std::unique_ptr<AddAppPickerController> controller;
    const QPalette desktopPalette = QApplication::palette();

    AddAppPickerRealWindow() {
        pinFile({"a"});
        installedApps = {{"a", "Atlas", entryPath("a")},
                         {"b", "Beacon", entryPath("b")},
                         {"c", "Compass", entryPath("c")},
                         {"d", "Drift", entryPath("d")}};
        controller = std::make_unique<AddAppPickerController>(make());
    }
    ~AddAppPickerRealWindow() override {
        controller.reset();
        QApplication::setPalette(desktopPalette);
    }

    AddAppPickerView& view() const { return *controller->window()->findChild<AddAppPickerView*>(); }
    QLineEdit& search() const { return *view().findChild<QLineEdit*>(); }
    QListView& list() const { return *view().findChild<QListView*>(); }
    QPushButton* button(const QString& title) const {
        for (QPushButton* b : view().findChildren<QPushButton*>())
            if (b->text() == title)
                return b;
        return nullptr;
    }
    QLabel* countLabel() const {
        for (QLabel* label : view().findChildren<QLabel*>())
            if (label->text().endsWith(QLatin1String(" selected")))
                return label;
        return nullptr;
    }
    QString countText() const { return countLabel() ? countLabel()->text() : QString(); }
    QStringList storedIds() const {
        QStringList ids;
        for (const PinnedApp& app : AppsStore(storePath(), {}).load().pinned)
            ids << app.bundleID;
        return ids;
    }

    // Opens the picker and waits until it is painted with its list.
    void open(const char* step) {
        controller->show();
        RealWindow shown(*controller->window());
        ASSERT_TRUE(shown.map()) << step << " "
                                 << shown.screenshot("picker-unpainted").toStdString();
        ASSERT_TRUE(waitUntil([&] { return !view().model().isLoading(); })) << step;
    }
    // Types `query` into the emptied search field and clicks its only row.
    void chooseBySearch(RealWindow& shown, const QString& query) {
        shown.click(search());
        shown.key("ctrl+a");
        shown.type(query);
        ASSERT_TRUE(waitUntil([&] { return list().model()->rowCount() == 1; }))
            << query.toStdString() << ": " << list().model()->rowCount() << " rows";
        shown.click(*list().viewport(), list().visualRect(list().model()->index(0, 0)).center());
    }
    // Waits until the screen shows the picker as it is now, its list and
    // count included, then keeps it.
    void step(RealWindow& shown, const QString& name) {
        ASSERT_TRUE(shown.waitPainted(*list().viewport())) << name.toStdString();
        ASSERT_TRUE(shown.waitPainted(*countLabel())) << name.toStdString();
        EXPECT_TRUE(RealWindow::hasInk(shown.pixels(*list().viewport()))) << name.toStdString();
        shown.screenshot(QStringLiteral("picker-") + name);
    }
};

TEST_F(AddAppPickerRealWindow, SearchChooseAddAndCancel) {
    open("first show");
    RealWindow shown(*controller->window());
    EXPECT_EQ(list().model()->rowCount(), 4);
    EXPECT_EQ(countText(), QStringLiteral("0 selected"));
    step(shown, "light");

    chooseBySearch(shown, QStringLiteral("bea"));
    ASSERT_TRUE(waitUntil([&] { return countText() == QStringLiteral("1 selected"); }))
        << countText().toStdString();
    step(shown, "one-chosen-light");
    chooseBySearch(shown, QStringLiteral("comp"));
    ASSERT_TRUE(waitUntil([&] { return countText() == QStringLiteral("2 selected"); }))
        << "a choice the search hides still counts: " << countText().toStdString();
    QPushButton* add = button(QStringLiteral("Add 2 Apps"));
    ASSERT_TRUE(add);
    EXPECT_TRUE(RealWindow::hasInk(shown.pixels(*add)));
    // "Cancel" and the add button stand apart.
    EXPECT_GE(add->geometry().left() - button(QStringLiteral("Cancel"))->geometry().right(), 6);
    step(shown, "two-chosen-light");

    const QPointer<QWidget> window = controller->window();
    shown.click(*add);
    ASSERT_TRUE(waitUntil([&] { return !window; })) << "adding drops the picker";
    EXPECT_EQ(storedIds(), (QStringList{"a", "b", "c"}));

    // On a dark desktop: a new picker knows what is there; Cancel writes nothing.
    QApplication::setPalette(WindowAppearance::palette(Pal::dark(), ColorScheme::dark));
    open("second show");
    RealWindow again(*controller->window());
    EXPECT_TRUE(view().model().isAlreadyPresent(QStringLiteral("c")));
    step(again, "dark");
    const QByteArray saved = storedText();
    const QPointer<QWidget> second = controller->window();
    ASSERT_TRUE(button(QStringLiteral("Cancel")));
    again.click(*button(QStringLiteral("Cancel")));
    ASSERT_TRUE(waitUntil([&] { return !second; })) << "Cancel drops the picker";
    EXPECT_EQ(storedText(), saved);
}

} // namespace
} // namespace vellaro
