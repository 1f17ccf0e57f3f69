#pragma once

#include "model/Pal.h"
#include "updates/ReleaseNotes.h"

#include <QWidget>

class QScrollArea;

namespace vellaro {

// The found screen's card: every release's version, date and groups of
// items in a scrolling well 190 px high, or a line saying there are none.
class ReleaseNotesCard : public QWidget {
    Q_OBJECT

public:
    static constexpr int cardHeight = 190;

    ReleaseNotesCard(const QList<ReleaseNotes>& notes, const Pal& pal, QWidget* parent = nullptr);

    QScrollArea* scrollArea() const { return scroll_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* releaseBlock(const ReleaseNotes& notes);

    Pal pal_;
    QScrollArea* scroll_;
};

} // namespace vellaro
