#pragma once

#include "ui/KitPaintCache.h"
#include "ui/KitWidget.h"

class QLineEdit;

namespace vellaro {

// The library's search field: a magnifying glass and a plain text field on
// a rounded well.
class LibrarySearchField : public KitWidget {
    Q_OBJECT
public:
    explicit LibrarySearchField(const Pal& pal, QWidget* parent = nullptr);

    QLineEdit& edit() const { return *edit_; }
    QString text() const;

Q_SIGNALS:
    void textChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void draw(QPainter& painter) const;
    void styleEdit();

    QLineEdit* edit_;
    Pal styled_; // the palette the field's text was last coloured with
    KitPaintCache cache_;
};

} // namespace vellaro
