#include "onboarding/OnboardingKit.h"

#include "overlay/DialFont.h"
#include "ui/KitAccentButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace vellaro::OnboardingKit {

namespace {

QString rgba(const QColor& c) {
    return QStringLiteral("rgba(%1,%2,%3,%4)")
        .arg(c.red())
        .arg(c.green())
        .arg(c.blue())
        .arg(c.alpha());
}

} // namespace

QLabel* text(const QString& text, const QFont& font, const QColor& color) {
    auto* l = new QLabel(text);
    l->setFont(font);
    l->setStyleSheet(QStringLiteral("color:%1;background:transparent;").arg(rgba(color)));
    return l;
}

QColor successGreen() {
    static const QColor c = QColor::fromRgbF(0.45f, 0.72f, 0.52f);
    return c;
}

QColor waitingAmber() {
    static const QColor c = QColor::fromRgbF(0.83f, 0.66f, 0.35f);
    return c;
}

QLabel* title(const QString& first, const QString& second, const Pal& pal) {
    QLabel* l = text(second.isEmpty() ? first : first + u'\n' + second,
                     widgetFont(17, QFont::DemiBold), pal.ink);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

QLabel* paragraph(const QString& text, const Pal& pal) {
    QLabel* l = OnboardingKit::text(text, widgetFont(11.5), pal.muted);
    l->setAlignment(Qt::AlignCenter);
    l->setWordWrap(true);
    l->setContentsMargins(44, 0, 44, 0);
    return l;
}

KitAccentButton* primaryButton(const QString& text, const Pal& pal, std::function<void()> action) {
    auto* b = new KitAccentButton(pal, KitAccentButton::Style::tinted, text);
    QObject::connect(b, &KitAccentButton::clicked, b, [action = std::move(action)] { action(); });
    return b;
}

QPushButton* link(const QString& text, const Pal& pal, std::function<void()> action) {
    auto* b = new QPushButton(text);
    QFont font = widgetFont(10.5);
    font.setUnderline(true);
    b->setFont(font);
    b->setFlat(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusPolicy(Qt::NoFocus);
    b->setStyleSheet(QStringLiteral("QPushButton{color:%1;background:transparent;border:none;}")
                         .arg(rgba(pal.muted)));
    QObject::connect(b, &QPushButton::clicked, b, [action = std::move(action)] { action(); });
    return b;
}

QWidget* statusRow(const QString& text, bool satisfied, const Pal& pal) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    auto* dot = new QLabel;
    dot->setFixedSize(7, 7);
    dot->setStyleSheet(QStringLiteral("background:%1;border-radius:3px;")
                           .arg(rgba(satisfied ? successGreen() : waitingAmber())));
    layout->addWidget(dot);
    layout->addWidget(OnboardingKit::text(text, widgetFont(11.5), pal.ink));
    layout->addStretch();
    return row;
}

} // namespace vellaro::OnboardingKit
