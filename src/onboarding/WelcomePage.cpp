#include "onboarding/WelcomePage.h"

#include "onboarding/OnboardingKit.h"
#include "ui/KitAccentButton.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellaro {

WelcomePage::WelcomePage(const Pal& pal, std::function<void()> onDone, QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(18);
    layout->addWidget(OnboardingKit::title(QStringLiteral("Everything on your computer,"),
                                           QStringLiteral("around your cursor."), pal));
    layout->addWidget(OnboardingKit::paragraph(
        QStringLiteral("Ninety seconds of setup, then Vellaro disappears behind a single click."),
        pal));
    layout->addWidget(OnboardingKit::primaryButton(QStringLiteral("Begin"), pal, std::move(onDone)),
                      0, Qt::AlignHCenter);
}

} // namespace vellaro
