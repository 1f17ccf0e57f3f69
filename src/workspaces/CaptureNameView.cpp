#include "workspaces/CaptureNameView.h"

#include "core/SpaceTrimming.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellaro {

CaptureNameView::CaptureNameView(const QString& name, CaptureHandler onCapture,
                                 CancelHandler onCancel)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::CustomizeWindowHint) {
    setWindowTitle(QStringLiteral("Capture Workspace"));

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(20, 20, 20, 20);
    stack->setSpacing(14);

    auto* heading = new QLabel(QStringLiteral("Capture the current window setup"), this);
    QFont headingFont = heading->font();
    headingFont.setWeight(QFont::DemiBold);
    heading->setFont(headingFont);
    heading->setAlignment(Qt::AlignCenter);
    stack->addWidget(heading);

    auto* explanation =
        new QLabel(QStringLiteral("Running apps, their windows, positions, and open documents are "
                                  "saved so this arrangement can be restored later."),
                   this);
    QFont calloutFont = explanation->font();
    calloutFont.setPointSizeF(calloutFont.pointSizeF() * 12.0 / 13.0);
    explanation->setFont(calloutFont);
    explanation->setWordWrap(true);
    explanation->setAlignment(Qt::AlignCenter);
    explanation->setForegroundRole(QPalette::PlaceholderText);
    stack->addWidget(explanation);

    nameField_ = new QLineEdit(name, this);
    nameField_->setPlaceholderText(QStringLiteral("Workspace name"));
    nameField_->selectAll();
    stack->addWidget(nameField_);

    auto* row = new QHBoxLayout;
    row->addStretch();
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    capture_ = new QPushButton(QStringLiteral("Capture"), this);
    capture_->setDefault(true);
    row->addWidget(cancel_);
    row->addWidget(capture_);
    row->addStretch();
    stack->addLayout(row);

    auto updateCapture = [this] {
        capture_->setEnabled(!trimSpacesAndTabs(nameField_->text()).isEmpty());
    };
    connect(nameField_, &QLineEdit::textChanged, this, updateCapture);
    updateCapture();
    // The name goes out as typed; the caller trims it.
    connect(capture_, &QPushButton::clicked, this,
            [this, onCapture = std::move(onCapture)] { onCapture(nameField_->text()); });
    connect(cancel_, &QPushButton::clicked, this, [onCancel = std::move(onCancel)] { onCancel(); });

    setFixedSize(fixedWidth, stack->totalHeightForWidth(fixedWidth));
}

void CaptureNameView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        cancel_->click();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // click() does nothing while Capture is disabled.
        capture_->click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace vellaro
