#pragma once

#include "model/WaypointMark.h"

#include <QWidget>

namespace vellaro {

// The logo mark as a widget of a fixed size.
class WaypointMarkView : public QWidget {
public:
    WaypointMarkView(const WaypointMark& mark, int side, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    WaypointMark mark_;
};

} // namespace vellaro
