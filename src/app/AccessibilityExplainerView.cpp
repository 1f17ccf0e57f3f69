#include "app/AccessibilityExplainerView.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

namespace vellaro {

AccessibilityExplainerView::AccessibilityExplainerView(Actions actions, Scheduler& scheduler,
                                                       QWidget* parent)
    : ExplainerWindow(QStringLiteral("Window Access"), QStringLiteral("macwindow.on.rectangle"),
                      QStringLiteral("See and focus your windows"), parent),
      actions_(std::move(actions)), scheduler_(scheduler) {
    body()->setText(QStringLiteral(
        "Vellaro lists your open windows and brings the one you pick to the front. It works "
        "whenever a window manager that follows the desktop standard (EWMH) is running.\n\nVellaro "
        "only reads window titles and positions "
        "— never window contents, and nothing leaves your computer."));
    linkButton()->setText(QStringLiteral("Vellaro missing? Show this copy in Files"));

    connect(cancelButton(), &QPushButton::clicked, this, [this] { actions_.onDismiss(); });
    connect(defaultButton(), &QPushButton::clicked, this, [this] {
        if (!requested_) {
            requested_ = true;
            update();
            actions_.onRequest();
        } else {
            actions_.onOpenSettings();
        }
    });
    connect(linkButton(), &QPushButton::clicked, this, [this] { actions_.onRevealApp(); });
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    recheck();
            });

    trusted_ = actions_.isTrusted();
    update();
    schedulePoll();
}

AccessibilityExplainerView::~AccessibilityExplainerView() {
    if (poll_ != 0)
        scheduler_.cancel(poll_);
}

void AccessibilityExplainerView::schedulePoll() {
    poll_ = scheduler_.schedule(pollInterval, [this] {
        poll_ = 0;
        recheck();
        schedulePoll();
    });
}

void AccessibilityExplainerView::recheck() {
    const bool now = actions_.isTrusted();
    if (now == trusted_)
        return;
    trusted_ = now;
    update();
}

void AccessibilityExplainerView::update() {
    if (trusted_) {
        status()->setText(QStringLiteral("✓ Window access is on."));
        QFont font = this->font();
        font.setWeight(QFont::DemiBold);
        status()->setFont(font);
        status()->setStyleSheet(QStringLiteral("color: #2e9e44;"));
        status()->show();
    } else if (requested_) {
        status()->setText(
            QStringLiteral("If your desktop did not open Settings, use the button below."));
        QFont font = this->font();
        font.setPointSizeF(font.pointSizeF() * 0.85);
        status()->setFont(font);
        status()->setStyleSheet(QString());
        status()->show();
    } else {
        status()->clear();
        status()->hide();
    }
    cancelButton()->setText(trusted_ ? QStringLiteral("Done") : QStringLiteral("Not Now"));
    defaultButton()->setText(requested_ ? QStringLiteral("Open Settings")
                                        : QStringLiteral("Continue…"));
    defaultButton()->setVisible(!trusted_);
    cancelButton()->setDefault(trusted_);
    linkButton()->setVisible(requested_ && !trusted_);
    adjustSize();
}

} // namespace vellaro
