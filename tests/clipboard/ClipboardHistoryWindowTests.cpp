#include "HistoryFixture.h"

#include "clipboard/ClipboardHistoryView.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::editorWindow;
using test::HistoryFixture;
using test::terminalWindow;

QColor over(const QColor& top, const QColor& below) {
    const double a = top.alphaF();
    return QColor::fromRgbF(float(a * top.redF() + (1 - a) * below.redF()),
                            float(a * top.greenF() + (1 - a) * below.greenF()),
                            float(a * top.blueF() + (1 - a) * below.blueF()));
}

int distance(const QColor& a, const QColor& b) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                     std::abs(a.blue() - b.blue())});
}

TEST(ClipboardHistoryWindow, ShowsKeepOneWindowAndTheWindowTheUserCameFrom) {
    HistoryFixture f;
    f.focus.active = editorWindow;
    f.controller->show();
    ConsoleWindowFrame* window = f.controller->window();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Clipboard History");
    EXPECT_EQ(f.controller->returnTo(), editorWindow);

    f.focus.active = terminalWindow;
    f.controller->show();
    EXPECT_EQ(f.controller->window(), window);
    EXPECT_EQ(f.controller->returnTo(), terminalWindow);

    // "History…" again while the history window itself is active.
    f.focus.active = WindowFocus::WindowId(window->winId());
    f.controller->show();
    EXPECT_EQ(f.controller->returnTo(), terminalWindow);
}

TEST(ClipboardHistoryWindow, ClosingKeepsTheQueryAndShowingReadsNewCopies) {
    HistoryFixture f;
    f.clipboard.copyText("first");
    f.controller->show();
    EXPECT_EQ(f.shownTitles(), QStringList{"first"});
    // Copies while it is open show at once.
    f.clipboard.copyText("second");
    EXPECT_EQ(f.shownTitles(), QStringList({"second", "first"}));

    f.view().setQuery("fir");
    f.controller->window()->close();
    EXPECT_FALSE(f.controller->window()->isVisible());
    f.clipboard.copyText("third fir");
    f.controller->show();
    EXPECT_EQ(f.view().query(), "fir");
    EXPECT_EQ(f.shownTitles(), QStringList({"third fir", "first"}));
}

TEST(ClipboardHistoryWindow, ThemeChosenWhileClosedIsUsedAtTheNextShow) {
    HistoryFixture f;
    f.controller->show();
    f.controller->window()->close();
    f.clipboard.settings.setTheme(ThemeChoice::eclipse);
    EXPECT_EQ(f.controller->window()->scheme(), ColorScheme::dark);
    f.controller->show();
    EXPECT_EQ(f.controller->window()->pal(), Pal::dark());
}

TEST(ClipboardHistoryWindow, ClearEmptiesEverythingAtOnce) {
    HistoryFixture f;
    int dataSourceChanges = 0;
    f.dataSource->addObserver([&] { ++dataSourceChanges; });
    f.clipboard.copyText("saved");
    f.clipboard.scheduler.advance(ClipboardStore::saveDelay);
    f.settle();
    ASSERT_TRUE(f.sealedFileExists());
    f.clipboard.copyText("pending");
    f.controller->show();
    ASSERT_EQ(f.shownTitles(), QStringList({"pending", "saved"}));

    dataSourceChanges = 0;
    QTest::mouseClick(f.view().clearButton(), Qt::LeftButton);
    f.settle();
    EXPECT_TRUE(f.provider->entries().empty());
    EXPECT_TRUE(f.shownTitles().isEmpty());
    EXPECT_EQ(f.view().emptyText(), "Nothing copied yet");
    EXPECT_GE(dataSourceChanges, 1);
    EXPECT_FALSE(f.sealedFileExists());
    // The save that was pending does not bring the history back.
    f.clipboard.scheduler.advance(ClipboardStore::saveDelay * 2);
    f.settle();
    EXPECT_FALSE(f.sealedFileExists());
}

TEST(ClipboardHistoryWindow, PasteHidesReturnsThenPastes) {
    HistoryFixture f;
    f.clipboard.copyText("older");
    f.clipboard.copyText("newest");
    f.focus.active = editorWindow;
    f.controller->show();
    f.focus.active = WindowFocus::WindowId(f.controller->window()->winId());
    const std::size_t writesBefore = f.clipboard.pasteboard.writes.size();

    QListView* list = f.view().list();
    const QRect second = list->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());

    EXPECT_FALSE(f.controller->window()->isVisible());
    EXPECT_EQ(f.focus.activated, std::vector<WindowFocus::WindowId>{editorWindow});
    EXPECT_EQ(f.clipboard.pasteboard.writes.size(), writesBefore);
    f.clipboard.scheduler.advance(ClipboardHistoryWindowController::returnDelay -
                                  std::chrono::milliseconds(1));
    EXPECT_EQ(f.clipboard.pasteboard.writes.size(), writesBefore);
    f.clipboard.scheduler.advance(std::chrono::milliseconds(1));
    ASSERT_EQ(f.clipboard.pasteboard.writes.size(), writesBefore + 1);
    EXPECT_EQ(f.clipboard.pasteboard.writes.back().text->text(), QString("older"));
    f.clipboard.scheduler.advance(ClipboardProvider::pasteDelay);
    EXPECT_EQ(f.clipboard.keys.strokes.size(), 1u);
}

TEST(ClipboardHistoryWindow, UpAndDownMoveTheHighlightFromTheSearchAndReturnPastesIt) {
    HistoryFixture f;
    for (const char* text : {"first", "second", "third"})
        f.clipboard.copyText(text);
    f.focus.active = editorWindow;
    f.controller->show();
    QLineEdit* search = f.view().searchField();
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_TRUE(f.controller->window()->isVisible()) << "nothing highlighted, nothing pasted";
    const std::pair<Qt::Key, int> moves[] = {
        {Qt::Key_Down, 0}, {Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Down, 2},
        {Qt::Key_Up, 1},   {Qt::Key_Up, 0},   {Qt::Key_Up, 0},   {Qt::Key_Down, 1},
    };
    for (const auto& [key, row] : moves) {
        QTest::keyClick(search, key);
        EXPECT_EQ(f.view().hoveredRow(), row);
    }
    EXPECT_EQ(search->text(), "") << "the keys do not type into the field";
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_FALSE(f.controller->window()->isVisible());
    f.clipboard.scheduler.advance(ClipboardHistoryWindowController::returnDelay);
    EXPECT_EQ(f.clipboard.pasteboard.content()->text->text(), QString("second"));

    // A search keeps the keys on what it shows.
    f.controller->show();
    f.view().setQuery("fir");
    QTest::keyClick(search, Qt::Key_Down);
    QTest::keyClick(search, Qt::Key_Down);
    EXPECT_EQ(f.view().hoveredRow(), 0);
    QTest::keyClick(search, Qt::Key_Enter);
    f.clipboard.scheduler.advance(ClipboardHistoryWindowController::returnDelay);
    EXPECT_EQ(f.clipboard.pasteboard.content()->text->text(), QString("first"));
}

TEST(ClipboardHistoryWindow, NoMatchesSitsThirtyPointsBelowTheListTop) {
    HistoryFixture f;
    f.clipboard.copyText("entry");
    f.controller->show();
    f.view().setQuery("nothing like it");
    ASSERT_EQ(f.view().emptyText(), "No matches");
    ConsoleWindowFrame& window = *f.controller->window();
    QCoreApplication::processEvents();
    const QImage image = window.grab().toImage();

    QListView* list = f.view().list();
    const int listTop = list->mapTo(&window, QPoint()).y();
    const QRect area(list->mapTo(&window, QPoint()), list->size());
    // The first row, from the list's top, where the text differs from the
    // gradient behind it (which changes only from row to row).
    int textTop = -1;
    for (int y = area.top(); y <= area.bottom() && textTop < 0; ++y) {
        const QColor background = image.pixelColor(area.left() + 1, y);
        for (int x = area.left(); x <= area.right(); ++x) {
            if (distance(image.pixelColor(x, y), background) > 40) {
                textTop = y;
                break;
            }
        }
    }
    ASSERT_GE(textTop, 0) << "no text drawn";
    const QFontMetrics metrics(f.view().emptyLabel()->font());
    // The capitals' tops sit below the line's top by the ascent above them.
    const int expected = listTop + 30 + metrics.ascent() - metrics.capHeight();
    EXPECT_NEAR(textTop, expected, 2) << "list top " << listTop;
}

TEST(ClipboardHistoryWindow, AVanishedTargetIsNotActivated) {
    HistoryFixture f;
    f.clipboard.copyText("entry");
    f.focus.active = editorWindow;
    f.controller->show();
    f.focus.clients.erase(editorWindow);
    f.controller->paste(f.provider->entries().front());
    EXPECT_TRUE(f.focus.activated.empty());
    f.clipboard.scheduler.advance(ClipboardHistoryWindowController::returnDelay +
                                  ClipboardProvider::pasteDelay);
    EXPECT_EQ(f.clipboard.keys.strokes.size(), 1u);
}

TEST(ClipboardHistoryWindow, EscapeHides) {
    HistoryFixture f;
    f.controller->show();
    QApplication::setActiveWindow(f.controller->window());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(f.controller->window()->isVisible());
}

TEST(ClipboardHistoryWindow, HoveredRowAndClearLabelColours) {
    for (const ThemeChoice theme : {ThemeChoice::pearl, ThemeChoice::eclipse}) {
        SCOPED_TRACE(int(theme));
        HistoryFixture f;
        f.clipboard.settings.setTheme(theme);
        f.clipboard.copyText("one");
        f.clipboard.copyText("two");
        f.controller->show();
        ConsoleWindowFrame& window = *f.controller->window();
        QCoreApplication::processEvents();
        QListView* list = f.view().list();
        const QRect row = list->visualRect(list->model()->index(0, 0));
        // Left of the icon, inside the row's rounded fill.
        const QPoint probe =
            list->viewport()->mapTo(&window, QPoint(row.left() + 4, row.top() + 18));

        const QImage plain = window.grab().toImage();
        f.view().setHoveredRow(0);
        const QImage hovered = window.grab().toImage();
        const QColor expected = over(window.pal().accentSoft, plain.pixelColor(probe));
        EXPECT_LE(distance(hovered.pixelColor(probe), expected), 2);

        // The strongest pixel of the label is the label's colour.
        QPushButton* clear = f.view().clearButton();
        const QRect label(clear->mapTo(&window, QPoint()), clear->size());
        int best = 255;
        for (int y = label.top(); y <= label.bottom(); ++y)
            for (int x = label.left(); x <= label.right(); ++x)
                best = std::min(
                    best, distance(plain.pixelColor(x, y), ClipboardHistoryView::clearColor()));
        // Small text never fully covers a pixel.
        EXPECT_LE(best, 8);
    }
}

} // namespace
} // namespace vellaro
