#include "onboarding/ReadyPage.h"

#include "model/HotKeyText.h"
#include "model/SettingsStore.h"
#include "onboarding/OnboardingKit.h"
#include "onboarding/OnboardingProgress.h"
#include "onboarding/OnboardingShell.h"
#include "overlay/DialFont.h"
#include "platform/session/Defaults.h"
#include "platform/session/LoginItem.h"
#include "ui/KitAccentButton.h"
#include "ui/KitSwitch.h"
#include "updates/UpdateControls.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellaro {

namespace {

QWidget* switchRow(KitSwitch* toggle, const QString& text, const Pal& pal) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toggle);
    auto* label = new QLabel(text);
    label->setFont(widgetFont(11.5));
    label->setStyleSheet(QStringLiteral("color:%1;").arg(pal.ink.name()));
    layout->addWidget(label);
    layout->addStretch();
    return row;
}

} // namespace

ReadyPage::ReadyPage(const Pal& pal, OnboardingServices& services, std::function<void()> onFinish,
                     QWidget* parent)
    : QWidget(parent), pal_(pal), s_(services) {
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(16);
    layout->addWidget(OnboardingKit::title(QStringLiteral("You're in vellar."), QString(), pal));
    layout->addWidget(OnboardingKit::paragraph(
        QStringLiteral("Vellaro lives in your panel — the dial is a hotkey away, and everything "
                       "can be rearranged in Settings."),
        pal));
    rows_ = new QWidget;
    auto* rows = new QVBoxLayout(rows_);
    rows->setSpacing(9);
    rows->setContentsMargins(0, 2, 0, 2);
    layout->addWidget(rows_, 0, Qt::AlignHCenter);

    auto* switches = new QVBoxLayout;
    switches->setSpacing(6);
    if (s_.login) {
        login_ = new KitSwitch(pal, s_.login->status() == LoginItem::Status::enabled, std::nullopt);
        connect(login_, &KitSwitch::toggled, this, &ReadyPage::setLaunchAtLogin);
        switches->addWidget(switchRow(login_, QStringLiteral("Open Vellaro at login"), pal));
    }
    if (s_.updates) {
        update_ = new KitSwitch(pal, true, std::nullopt);
        connect(update_, &KitSwitch::toggled, this, &ReadyPage::setAutoUpdate);
        QWidget* row =
            switchRow(update_, QStringLiteral("Keep Vellaro updated automatically"), pal);
        if (!s_.updates->canUpdate()) {
            row->setEnabled(false);
            row->setToolTip(s_.updates->cannotUpdateReason());
        }
        switches->addWidget(row);
    }
    layout->addLayout(switches);
    layout->setAlignment(switches, Qt::AlignHCenter);
    layout->addWidget(
        OnboardingKit::primaryButton(QStringLiteral("Enter Vellar"), pal, std::move(onFinish)), 0,
        Qt::AlignHCenter);

    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    refresh();
            });
    refresh();
}

void ReadyPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    refresh();
    if (s_.updates) {
        s_.updates->enableAutomaticDownloadsIfUnset();
        update_->setOn(s_.updates->automaticallyDownloadsUpdates());
    }
}

void ReadyPage::refresh() {
    trusted_ = s_.shell.isTrusted();
    if (login_)
        login_->setOn(s_.login->status() == LoginItem::Status::enabled);
    renderRows();
}

QString ReadyPage::triggerText() const {
    const VellaroSettings& settings = s_.settings.settings();
    const QString keys = HotKeyText::shortcutText(settings.hotKeyCode, settings.hotKeyModifiers);
    if (settings.mouseTriggerButton >= 2)
        return s_.shell.mouseButtonName(settings.mouseTriggerButton) + QStringLiteral(" or ") +
               keys;
    return keys;
}

void ReadyPage::renderRows() {
    qDeleteAll(rows_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
    rows_->layout()->addWidget(OnboardingKit::statusRow(
        trusted_ ? QStringLiteral("Vellaro can see your windows")
                 : QStringLiteral("Window access deferred — features will ask when needed"),
        trusted_, pal_));
    rows_->layout()->addWidget(
        OnboardingKit::statusRow(QStringLiteral("Trigger learned — ") + triggerText(),
                                 s_.defaults.boolValue(OnboardingProgress::rehearsedKey), pal_));
}

void ReadyPage::setLaunchAtLogin(bool on) {
    const bool done = on ? s_.login->registerItem() : s_.login->unregisterItem();
    // A refused change shows what the entry really is.
    login_->setOn(done ? on : s_.login->status() == LoginItem::Status::enabled);
}

void ReadyPage::setAutoUpdate(bool on) {
    update_->setOn(on);
    s_.updates->setAutomaticallyDownloadsUpdates(on);
    if (on)
        s_.updates->setAutomaticallyChecksForUpdates(true);
}

} // namespace vellaro
