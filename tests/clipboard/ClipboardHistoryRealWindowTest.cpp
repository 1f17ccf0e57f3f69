// The clipboard history window as a person meets it under the session's
// window manager, every step clicked and typed with XTest at live geometry
// and looked at on screen: it paints as it maps, the search narrows the list,
// a clicked row hides the window and is pasted, the query is kept for the
// next show, and "Clear" empties the list and removes the sealed file.
// Screenshots in light and dark go to the build folder.
#include "HistoryFixture.h"

#include "support/RealWindow.h"
#include "support/WaitUntil.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::RealWindow;
using test::waitUntil;

struct ClipboardHistoryRealWindow : ::testing::Test, test::HistoryFixture {
    std::unique_ptr<RealWindow> shown;

    // Opens the window as "History…" does and waits until it is painted.
    void open(const char* step) {
        controller->show();
        shown = std::make_unique<RealWindow>(*controller->window());
        ASSERT_TRUE(shown->map())
            << step << ": black share " << RealWindow::blackShare(shown->pixels()) << " "
            << shown->screenshot(QStringLiteral("clipboard-history-unpainted")).toStdString();
    }
    // The centre of shown row `row`, in the list's viewport.
    QPointF rowCentre(int row) const {
        QListView& list = *view().list();
        return list.visualRect(list.model()->index(row, 0)).center();
    }
    // Waits until the screen shows the window's new state, `part` included,
    // then keeps it.
    void step(const QString& name, const QWidget& part) {
        ASSERT_TRUE(shown->waitPainted(part)) << name.toStdString();
        shown->screenshot(QStringLiteral("clipboard-history-") + name);
    }
};

TEST_F(ClipboardHistoryRealWindow, SearchPasteAndClearInTheRealWindow) {
    for (const char* text : {"alpha note", "beta list", "gamma code"})
        clipboard.copyText(text);
    clipboard.scheduler.advance(ClipboardStore::saveDelay);
    settle();
    ASSERT_TRUE(sealedFileExists());
    focus.active = test::editorWindow;

    open("first show");
    ASSERT_EQ(shownTitles(), QStringList({"gamma code", "beta list", "alpha note"}));
    EXPECT_TRUE(RealWindow::hasInk(shown->pixels(*view().list()->viewport())));
    step("light", *view().list()->viewport());

    // The search field has the keyboard as the window opens.
    ASSERT_TRUE(waitUntil([&] { return view().searchField()->hasFocus(); }));
    shown->type("beta");
    ASSERT_TRUE(waitUntil([&] { return shownTitles() == QStringList{"beta list"}; }))
        << shownTitles().join(", ").toStdString();
    step("search-light", *view().list()->viewport());

    const std::size_t writesBefore = clipboard.pasteboard.writes.size();
    shown->click(*view().list()->viewport(), rowCentre(0));
    ASSERT_TRUE(waitUntil([&] { return !controller->window()->isVisible(); }))
        << "a clicked row hides the window";
    EXPECT_EQ(focus.activated, std::vector<WindowFocus::WindowId>{test::editorWindow});
    clipboard.scheduler.advance(ClipboardHistoryWindowController::returnDelay);
    ASSERT_EQ(clipboard.pasteboard.writes.size(), writesBefore + 1);
    EXPECT_EQ(clipboard.pasteboard.writes.back().text->text(), QStringLiteral("beta list"));

    // Shown again in dark: the query stands, and erasing it brings every entry back.
    clipboard.settings.setTheme(ThemeChoice::eclipse);
    open("second show");
    EXPECT_EQ(view().query(), QStringLiteral("beta"));
    step("search-dark", *view().list()->viewport());
    shown->key("ctrl+a");
    shown->key("BackSpace");
    ASSERT_TRUE(waitUntil([&] { return shownTitles().size() == 3; }));
    step("dark", *view().list()->viewport());

    shown->click(*view().clearButton());
    ASSERT_TRUE(waitUntil([&] {
        settle();
        return shownTitles().isEmpty() && !sealedFileExists();
    })) << "Clear empties the list and the file";
    EXPECT_TRUE(provider->entries().empty());
    ASSERT_TRUE(shown->waitPainted());
    EXPECT_TRUE(waitUntil([&] { return RealWindow::hasInk(shown->pixels(*view().emptyLabel())); }))
        << view().emptyText().toStdString() << " is not on screen";
    step("cleared-dark", *view().emptyLabel());
}

} // namespace
} // namespace vellaro
