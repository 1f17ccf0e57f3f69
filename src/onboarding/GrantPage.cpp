#include "onboarding/GrantPage.h"

#include "onboarding/OnboardingKit.h"
#include "onboarding/OnboardingProgress.h"
#include "onboarding/OnboardingShell.h"
#include "overlay/DialFont.h"
#include "platform/session/Defaults.h"
#include "platform/windows/WindowAccessTrust.h"
#include "ui/KitAccentButton.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellaro {

GrantPage::GrantPage(const Pal& pal, OnboardingServices& services, std::function<void()> onDone,
                     QWidget* parent)
    : QWidget(parent), s_(services), onDone_(std::move(onDone)), tasks_(services.scheduler) {
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(18);
    layout->addWidget(
        OnboardingKit::title(QStringLiteral("Window access."), QStringLiteral("Asked once."), pal));
    layout->addWidget(OnboardingKit::paragraph(
        QStringLiteral("Window access unlocks Windows, the mouse trigger, paste, and Lock Screen. "
                       "Vellaro reads titles and positions — never window contents. Optional "
                       "actions such as Mute Mic ask only when you use them."),
        pal));
    button_ = OnboardingKit::primaryButton(QString(), pal, [this] { request(); });
    layout->addWidget(button_, 0, Qt::AlignHCenter);
    status_ = new QLabel;
    status_->setFixedHeight(16);
    status_->setAlignment(Qt::AlignCenter);
    layout->addWidget(status_);
    // Where nothing can come up (no window manager, no settings program), say why here.
    reasonLabel_ = OnboardingKit::paragraph(QString(), pal);
    reasonLabel_->setStyleSheet(
        QStringLiteral("color:%1;").arg(OnboardingKit::waitingAmber().name()));
    layout->addWidget(reasonLabel_);
    reveal_ = OnboardingKit::link(QStringLiteral("Vellaro missing? Show this copy in Files"), pal,
                                  [this] { s_.shell.revealApp(); });
    layout->addWidget(reveal_, 0, Qt::AlignHCenter);
    later_ = OnboardingKit::link(
        QStringLiteral("Set up later — Vellaro will ask when a section needs it"), pal, [this] {
            s_.defaults.setValue(OnboardingProgress::grantDeferredKey, true);
            onDone_();
        });
    layout->addWidget(later_, 0, Qt::AlignHCenter);
    render();
}

void GrantPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!watchingSources_) {
        watchingSources_ = true;
        connect(&s_.trust, &WindowAccessTrust::changed, this, &GrantPage::check);
        connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState state) {
                    if (state == Qt::ApplicationActive)
                        check();
                });
        tasks_.every(pollInterval, [this] { check(); });
    }
    check();
}

void GrantPage::request() {
    if (phase_ != Phase::idle) {
        reason_ = s_.shell.openAccessSettings();
        render();
        return;
    }
    reason_ = s_.shell.requestAccess();
    phase_ = Phase::watching;
    render();
}

void GrantPage::check() {
    if (!s_.shell.isTrusted())
        return;
    phase_ = Phase::granted;
    render();
    if (advanced_)
        return;
    advanced_ = true;
    // Bound to the page: a page closed during the pause never completes.
    tasks_.after(grantedPause, [this] { onDone_(); });
}

void GrantPage::render() {
    button_->setLabel(phase_ == Phase::watching ? QStringLiteral("Open Window Access Settings")
                                                : QStringLiteral("Request Access…"));
    button_->setEnabled(phase_ != Phase::granted);
    const QColor green = OnboardingKit::successGreen();
    const QColor amber = OnboardingKit::waitingAmber();
    switch (phase_) {
    case Phase::idle:
        status_->clear();
        break;
    case Phase::watching:
        status_->setFont(widgetFont(11.5));
        status_->setStyleSheet(QStringLiteral("color:%1;").arg(amber.name()));
        status_->setText(QStringLiteral("● Watching window access…"));
        break;
    case Phase::granted:
        status_->setFont(widgetFont(11.5, QFont::DemiBold));
        status_->setStyleSheet(QStringLiteral("color:%1;").arg(green.name()));
        status_->setText(QStringLiteral("✓ Granted — Vellaro can see your windows."));
        break;
    }
    reasonLabel_->setText(reason_);
    reasonLabel_->setVisible(phase_ != Phase::granted && !reason_.isEmpty());
    reveal_->setVisible(phase_ == Phase::watching);
    later_->setVisible(phase_ != Phase::granted);
}

} // namespace vellaro
