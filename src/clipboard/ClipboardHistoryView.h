#pragma once

#include "clipboard/ClipboardEntry.h"
#include "model/Pal.h"

#include <QDateTime>
#include <QWidget>
#include <functional>
#include <vector>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStackedLayout;

namespace vellaro {

class ClipboardHistoryModel;
class ConsoleWindowFrame;
class ClipboardHistoryRowDelegate;

// The history window's content over the window's gradient: the header with
// "Clear", the search field and the list of the entries the search keeps,
// or a line saying why it is empty.
class ClipboardHistoryView final : public QWidget {
    Q_OBJECT
public:
    struct Actions {
        std::function<void(const ClipboardEntry&)> paste;
        std::function<void()> clear;
    };

    // The sRGB colour of the "Clear" label, the same in light and dark.
    static QColor clearColor();

    ClipboardHistoryView(Actions actions, std::function<QDateTime()> now,
                         QWidget* parent = nullptr);
    // Fills the console window with a new view that follows the window's
    // palette; Escape hides the window.
    static ClipboardHistoryView* fill(ConsoleWindowFrame& window, Actions actions,
                                      std::function<QDateTime()> now);
    ~ClipboardHistoryView() override;

    // The whole history, newest first; the search decides what is shown.
    void setEntries(std::vector<ClipboardEntry> entries);
    void setPal(const Pal& pal);

    QString query() const;
    void setQuery(const QString& query);
    void focusSearch();

    // What the list shows now; for the window's readers and tests.
    const std::vector<ClipboardEntry>& shownEntries() const { return shown_; }
    QString emptyText() const;
    // The highlighted row, drawn as under the pointer, -1 for none; pointer
    // moves and Up and Down in the search field set it.
    void setHoveredRow(int row);
    int hoveredRow() const;

    QPushButton* clearButton() const { return clearButton_; }
    QListView* list() const { return list_; }
    QLineEdit* searchField() const { return search_; }
    // The line that says why the list is empty.
    QLabel* emptyLabel() const { return empty_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refilter();
    // Moves the highlighted row by `step`, from none to the first.
    void moveHighlight(int step);
    bool handleSearchKey(const QKeyEvent& key);

    Actions actions_;
    std::vector<ClipboardEntry> entries_;
    std::vector<ClipboardEntry> shown_;
    ClipboardHistoryModel* model_;
    ClipboardHistoryRowDelegate* delegate_;
    QLabel* headerSymbol_;
    QLabel* headerTitle_;
    QPushButton* clearButton_;
    QWidget* searchWell_;
    QLabel* searchSymbol_;
    QLineEdit* search_;
    QStackedLayout* listStack_;
    QListView* list_;
    QWidget* emptyPage_;
    QLabel* empty_;
};

} // namespace vellaro
