#include "ui/VelDivider.h"

#include <QPainter>

namespace vellaro {

VelDivider::VelDivider(const Pal& pal, QWidget* parent) : KitWidget(pal, parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void VelDivider::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(QRect(0, 2, width(), 1), pal().line);
}

} // namespace vellaro
