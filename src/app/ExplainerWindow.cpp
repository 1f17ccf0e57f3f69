#include "app/ExplainerWindow.h"

#include "model/SymbolCatalog.h"

#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace vellaro {

ExplainerWindow::ExplainerWindow(const QString& windowTitle, const QString& symbol,
                                 const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint) {
    setWindowTitle(windowTitle);
    setFixedWidth(380 + 2 * 24);

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(24, 24, 24, 24);
    stack->setSpacing(14);
    stack->setAlignment(Qt::AlignHCenter);

    auto* icon = new QLabel(this);
    const qreal ratio = devicePixelRatioF();
    QImage picture =
        SymbolCatalog::image(symbol, qRound(34 * ratio), palette().color(QPalette::Highlight));
    picture.setDevicePixelRatio(ratio);
    icon->setPixmap(QPixmap::fromImage(picture));
    icon->setVisible(!picture.isNull());
    icon->setContentsMargins(0, 6, 0, 0);
    icon->setAlignment(Qt::AlignCenter);
    stack->addWidget(icon);

    auto* heading = new QLabel(title, this);
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.35);
    headingFont.setWeight(QFont::DemiBold);
    heading->setFont(headingFont);
    heading->setAlignment(Qt::AlignCenter);
    stack->addWidget(heading);

    body_ = new QLabel(this);
    body_->setWordWrap(true);
    body_->setAlignment(Qt::AlignCenter);
    body_->setForegroundRole(QPalette::PlaceholderText);
    stack->addWidget(body_);

    status_ = new QLabel(this);
    status_->setWordWrap(true);
    status_->setAlignment(Qt::AlignCenter);
    stack->addWidget(status_);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 4, 0, 0);
    row->addStretch();
    cancel_ = new QPushButton(this);
    default_ = new QPushButton(this);
    default_->setDefault(true);
    row->addWidget(cancel_);
    row->addWidget(default_);
    row->addStretch();
    stack->addLayout(row);

    link_ = new QPushButton(this);
    link_->setFlat(true);
    link_->setCursor(Qt::PointingHandCursor);
    QFont captionFont = link_->font();
    captionFont.setPointSizeF(captionFont.pointSizeF() * 0.85);
    captionFont.setUnderline(true);
    link_->setFont(captionFont);
    link_->hide();
    stack->addWidget(link_, 0, Qt::AlignHCenter);
}

void ExplainerWindow::present() {
    adjustSize();
    if (!isVisible()) {
        QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen)
            move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void ExplainerWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        if (cancel_->isVisible())
            cancel_->click();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (default_->isVisible())
            default_->click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace vellaro
