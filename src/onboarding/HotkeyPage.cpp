#include "onboarding/HotkeyPage.h"

#include "model/HotKeyText.h"
#include "onboarding/OnboardingKit.h"
#include "onboarding/OnboardingProgress.h"
#include "onboarding/OnboardingShell.h"
#include "overlay/DialFont.h"
#include "platform/session/Defaults.h"
#include "ui/KitAccentButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vellaro {

namespace {

QLabel* keyCap(const QString& text, const Pal& pal) {
    auto* cap = new QLabel(text);
    QFont font = widgetFont(15, QFont::DemiBold);
    font.setStyleHint(QFont::Monospace);
    cap->setFont(font);
    cap->setObjectName(QStringLiteral("keyCap"));
    cap->setStyleSheet(QStringLiteral("color:%1;background:%2;border:1px solid %3;"
                                      "border-radius:9px;padding:8px 14px;")
                           .arg(pal.ink.name(QColor::HexArgb), pal.well.name(QColor::HexArgb),
                                pal.line.name(QColor::HexArgb)));
    return cap;
}

} // namespace

HotkeyPage::HotkeyPage(const Pal& pal, OnboardingServices& services,
                       std::function<void()> onReached, std::function<void()> onDone,
                       QWidget* parent)
    : QWidget(parent), pal_(pal), s_(services), onReached_(std::move(onReached)),
      onDone_(std::move(onDone)), tasks_(services.scheduler) {
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(16);
    layout->addWidget(OnboardingKit::title(QStringLiteral("Now open it."), QString(), pal));
    paragraph_ = OnboardingKit::paragraph(QString(), pal);
    layout->addWidget(paragraph_);
    triggerRow_ = new QWidget;
    new QHBoxLayout(triggerRow_);
    layout->addWidget(triggerRow_, 0, Qt::AlignHCenter);
    outcome_ = new QWidget;
    new QVBoxLayout(outcome_);
    outcome_->layout()->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(outcome_);

    s_.hub.observe(QStringLiteral("vellaroOverlayDidShow"), this,
                   [this](QObject*) { dialShown(); });
    s_.hub.observe(QStringLiteral("vellaroOverlayDidHide"), this,
                   [this](QObject*) { dialHidden(); });
    // A refused change keeps the earlier registration: re-check on every change.
    settingsObserver_ = s_.settings.addObserver([this] { render(); });
    render();
}

HotkeyPage::~HotkeyPage() {
    s_.settings.removeObserver(settingsObserver_);
}

void HotkeyPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (reached_)
        return;
    reached_ = true;
    onReached_();
}

void HotkeyPage::dialShown() {
    opened_ = true;
    s_.defaults.setValue(OnboardingProgress::rehearsedKey, true);
    render();
}

void HotkeyPage::dialHidden() {
    if (!opened_ || advanced_)
        return;
    advanced_ = true;
    tasks_.after(closedPause, [this] { onDone_(); });
}

QStringList HotkeyPage::capTexts() const {
    QStringList texts;
    for (QLabel* cap : triggerRow_->findChildren<QLabel*>(QStringLiteral("keyCap")))
        texts << cap->text();
    return texts;
}

bool HotkeyPage::showsMouseChip() const {
    return triggerRow_->findChild<QLabel*>(QStringLiteral("mouseChip")) != nullptr;
}

bool HotkeyPage::showsWarning() const {
    return outcome_->findChild<KitAccentButton*>() != nullptr;
}

void HotkeyPage::render() {
    paragraph_->setText(
        opened_ ? QStringLiteral("There it is — that's the whole app.")
                : QStringLiteral(
                      "This is the whole app: press one and the dial blooms at your cursor."));

    const VellaroSettings& settings = s_.settings.settings();
    qDeleteAll(triggerRow_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
    auto* row = static_cast<QHBoxLayout*>(triggerRow_->layout());
    row->setSpacing(8);
    row->setContentsMargins(0, 0, 0, 0);
    if (settings.mouseTriggerButton >= 2) {
        QLabel* chip = keyCap(s_.shell.mouseButtonName(settings.mouseTriggerButton), pal_);
        chip->setObjectName(QStringLiteral("mouseChip"));
        chip->setFont(widgetFont(13, QFont::Medium));
        row->addWidget(chip);
        auto* orWord = new QLabel(QStringLiteral("or"));
        orWord->setFont(widgetFont(11.5));
        orWord->setContentsMargins(2, 0, 2, 0);
        orWord->setStyleSheet(QStringLiteral("color:%1;").arg(pal_.muted.name()));
        row->addWidget(orWord);
    }
    for (const QString& piece :
         HotKeyText::shortcutParts(settings.hotKeyCode, settings.hotKeyModifiers))
        row->addWidget(keyCap(piece, pal_));

    qDeleteAll(outcome_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
    QLayout* outcome = outcome_->layout();
    if (s_.shell.storedHotKeyIsRegistered()) {
        if (opened_) {
            auto* learned = new QLabel(QStringLiteral("✓ Trigger learned."));
            learned->setFont(widgetFont(11.5, QFont::DemiBold));
            learned->setAlignment(Qt::AlignCenter);
            learned->setStyleSheet(
                QStringLiteral("color:%1;").arg(OnboardingKit::successGreen().name()));
            outcome->addWidget(learned);
        }
        return;
    }
    QLabel* warning = OnboardingKit::paragraph(
        QStringLiteral("This combination couldn't be registered — another app may already own it."),
        pal_);
    warning->setStyleSheet(QStringLiteral("color:%1;").arg(OnboardingKit::waitingAmber().name()));
    outcome->addWidget(warning);
    KitAccentButton* choose = OnboardingKit::primaryButton(
        QStringLiteral("Choose a Different Hotkey…"), pal_, [this] { s_.shell.openConsole(); });
    static_cast<QVBoxLayout*>(outcome)->addWidget(choose, 0, Qt::AlignHCenter);
}

} // namespace vellaro
