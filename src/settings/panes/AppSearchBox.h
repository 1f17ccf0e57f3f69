#pragma once

#include "ui/KitWidget.h"

namespace vellaro {

class NameField;

// The apps pane's search: a magnifying glass and a plain field on a
// rounded well.
class AppSearchBox : public KitWidget {
    Q_OBJECT
public:
    AppSearchBox(const Pal& pal, const QString& text, QWidget* parent = nullptr);

    NameField& field() const { return *field_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    NameField* field_;
};

} // namespace vellaro
