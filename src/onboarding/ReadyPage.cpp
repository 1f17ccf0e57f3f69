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

#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellaro {

namespace {

// A switch and its label, with a caption below the label when given; a
// disabled row is drawn faded.
QWidget* switchRow(KitSwitch* toggle, const QString& text, const Pal& pal,
                   const QString& caption = {}) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toggle, 0, Qt::AlignVCenter);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(1);
    auto* label = new QLabel(text);
    label->setFont(widgetFont(11.5));
    label->setStyleSheet(QStringLiteral("color:%1;").arg(pal.ink.name()));
    texts->addWidget(label);
    if (!caption.isEmpty()) {
        auto* note = new QLabel(caption);
        note->setFont(widgetFont(10));
        note->setStyleSheet(QStringLiteral("color:%1;").arg(pal.muted.name()));
        note->setWordWrap(true);
        note->setMaximumWidth(300);
        texts->addWidget(note);
    }
    layout->addLayout(texts);
    if (!toggle->isEnabled()) {
        auto* faded = new QGraphicsOpacityEffect(toggle);
        faded->setOpacity(0.45);
        toggle->setGraphicsEffect(faded);
    }
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

    // The rows align on their left edges; the block sits centred on the page.
    auto* switchBlock = new QWidget;
    auto* switches = new QVBoxLayout(switchBlock);
    switches->setContentsMargins(0, 0, 0, 0);
    switches->setSpacing(6);
    if (s_.login) {
        login_ = new KitSwitch(pal, s_.login->status() == LoginItem::Status::enabled, std::nullopt);
        connect(login_, &KitSwitch::toggled, this, &ReadyPage::setLaunchAtLogin);
        switches->addWidget(switchRow(login_, QStringLiteral("Open Vellaro at login"), pal));
    }
    if (s_.updates) {
        // A copy that cannot update itself shows the switch off, and why.
        const bool updatable = s_.updates->canUpdate();
        update_ = new KitSwitch(pal, updatable, std::nullopt);
        update_->setEnabled(updatable);
        connect(update_, &KitSwitch::toggled, this, &ReadyPage::setAutoUpdate);
        switches->addWidget(switchRow(update_, QStringLiteral("Keep Vellaro updated automatically"),
                                      pal,
                                      updatable ? QString() : s_.updates->cannotUpdateReason()));
    }
    layout->addWidget(switchBlock, 0, Qt::AlignHCenter);
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
    if (s_.updates && s_.updates->canUpdate()) {
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
    // Only triggers that work: a hot key the desktop refused is left out.
    const VellaroSettings& settings = s_.settings.settings();
    QStringList working;
    if (settings.mouseTriggerButton >= 2)
        working << s_.shell.mouseButtonName(settings.mouseTriggerButton);
    if (s_.shell.storedHotKeyIsRegistered())
        working << HotKeyText::shortcutText(settings.hotKeyCode, settings.hotKeyModifiers);
    return working.join(QStringLiteral(" or "));
}

void ReadyPage::renderRows() {
    qDeleteAll(rows_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
    rows_->layout()->addWidget(OnboardingKit::statusRow(
        trusted_ ? QStringLiteral("Vellaro can see your windows")
                 : QStringLiteral("Window access deferred — features will ask when needed"),
        trusted_, pal_));
    const QString triggers = triggerText();
    rows_->layout()->addWidget(OnboardingKit::statusRow(
        triggers.isEmpty() ? QStringLiteral("No trigger works yet — choose one in Settings")
                           : QStringLiteral("Trigger learned — ") + triggers,
        !triggers.isEmpty() && s_.defaults.boolValue(OnboardingProgress::rehearsedKey), pal_));
}

void ReadyPage::setLaunchAtLogin(bool on) {
    const bool done = on ? s_.login->registerItem() : s_.login->unregisterItem();
    // A refused change shows what the entry really is.
    login_->setOn(done ? on : s_.login->status() == LoginItem::Status::enabled);
}

void ReadyPage::setAutoUpdate(bool on) {
    if (!s_.updates->canUpdate())
        return;
    update_->setOn(on);
    s_.updates->setAutomaticallyDownloadsUpdates(on);
    if (on)
        s_.updates->setAutomaticallyChecksForUpdates(true);
}

} // namespace vellaro
