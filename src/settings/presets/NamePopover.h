#pragma once

#include "ui/KitWidget.h"

#include <QPainterPath>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vellaro {

// The preset bar's name form in a popup window: an upper-case title, a name
// field and "Save". Submitting hands the trimmed name to `commit`, never a
// blank one; the popup closes only when its owner closes it or the user
// clicks outside it, which calls nothing.
class NamePopover : public KitWidget {
    Q_OBJECT
public:
    static constexpr int arrowHeight = 7;

    NamePopover(const Pal& pal, const QString& title, const QString& initial,
                std::function<void(const QString&)> commit, QWidget* parent = nullptr);

    QString title() const { return title_; }
    QString header() const;
    QLineEdit& field() const { return *field_; }
    QPushButton& saveButton() const { return *save_; }
    void submit();

    // Shows the popup under `anchor` (global coordinates), its arrow on the
    // anchor's bottom edge, kept on the anchor's screen.
    void popUnder(const QRect& anchor);

    // The body's colour: the panel's, opaque without a compositor.
    QColor bodyColor() const;
    bool isTranslucent() const { return translucent_; }

    // Spaces and tabs trimmed at both ends (line breaks stay); none when
    // nothing is left.
    static std::optional<QString> cleaned(const QString& name);

Q_SIGNALS:
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void restyle();
    // The body with its arrow, in the window's coordinates.
    QPainterPath shape() const;

    QString title_;
    std::function<void(const QString&)> commit_;
    QLabel* header_;
    QLineEdit* field_;
    QPushButton* save_;
    bool translucent_;
    int arrowX_ = 0;
    Pal styledFor_; // the field and button follow the palette
};

} // namespace vellaro
