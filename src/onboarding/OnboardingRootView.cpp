#include "onboarding/OnboardingRootView.h"

#include "onboarding/GrantPage.h"
#include "onboarding/HotkeyPage.h"
#include "onboarding/Logging.h"
#include "onboarding/OnboardingProgress.h"
#include "onboarding/ReadyPage.h"
#include "onboarding/WelcomePage.h"
#include "overlay/DialFont.h"
#include "platform/session/Defaults.h"
#include "ui/WaypointMark.h"

#include <QElapsedTimer>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QPainter>
#include <QPropertyAnimation>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace vellaro {

namespace {

constexpr double markTurnSeconds = 120;

// The mark, turning once per two minutes while it is shown.
class TurningMark : public QWidget {
public:
    TurningMark(const Pal& pal, QWidget* parent) : QWidget(parent), pal_(pal) {
        setFixedSize(46, 46);
    }
    void setTurn(double turn) {
        turn_ = turn;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(width() / 2.0, height() / 2.0);
        painter.rotate(turn_ * 360.0);
        painter.translate(-width() / 2.0, -height() / 2.0);
        WaypointMark::paint(painter, QRectF(rect()), pal_.ink, pal_.accent, 2.4);
    }

private:
    Pal pal_;
    double turn_ = 0;
};

class StepDots : public QWidget {
public:
    StepDots(const Pal& pal, QWidget* parent) : QWidget(parent), pal_(pal) {
        setFixedSize(onboardingStepCount * 6 + (onboardingStepCount - 1) * 7 + 4, 10);
    }
    void setCurrent(int current) {
        current_ = current;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        for (int i = 0; i < onboardingStepCount; ++i) {
            QColor color = pal_.line;
            double side = 6;
            if (i < current_) {
                color = pal_.accent;
                color.setAlphaF(0.4f);
            } else if (i == current_) {
                color = pal_.accent;
                side *= 1.3;
            }
            const QPointF centre(2 + 3 + i * 13, height() / 2.0);
            painter.setBrush(color);
            painter.drawEllipse(centre, side / 2, side / 2);
        }
    }

private:
    Pal pal_;
    int current_ = 0;
};

} // namespace

OnboardingRootView::OnboardingRootView(const Pal& pal, OnboardingServices& services,
                                       OnboardingStep start, Callbacks callbacks, bool reduceMotion,
                                       QWidget* parent)
    : QWidget(parent), pal_(pal), s_(services), callbacks_(std::move(callbacks)),
      reduceMotion_(reduceMotion), step_(start) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 40, 0, 24);
    layout->setSpacing(18);
    auto* mark = new TurningMark(pal, this);
    mark_ = mark;
    layout->addWidget(mark, 0, Qt::AlignHCenter);
    auto* wordmark = new QLabel(QStringLiteral("VELLARO"), this);
    QFont font = widgetFont(12, QFont::DemiBold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 3.6);
    wordmark->setFont(font);
    wordmark->setStyleSheet(QStringLiteral("color:%1;").arg(pal.ink.name()));
    layout->addWidget(wordmark, 0, Qt::AlignHCenter);
    dots_ = new StepDots(pal, this);
    layout->addWidget(dots_, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    pageSlot_ = new QVBoxLayout;
    layout->addLayout(pageSlot_);
    layout->addStretch(1);

    // At most ten repaints a second, and only of the mark's square.
    spin_ = new QTimer(this);
    spin_->setInterval(100);
    auto* clock = new QElapsedTimer;
    clock->start();
    connect(spin_, &QTimer::timeout, mark, [mark, clock] {
        mark->setTurn(std::fmod(clock->elapsed() / 1000.0, markTurnSeconds) / markTurnSeconds);
    });
    connect(this, &QObject::destroyed, [clock] { delete clock; });
    go(start);
}

void OnboardingRootView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!reduceMotion_)
        spin_->start();
}

void OnboardingRootView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    spin_->stop();
}

void OnboardingRootView::go(OnboardingStep step) {
    static const char* const names[onboardingStepCount] = {"welcome", "grant", "hotkey", "ready"};
    qCDebug(lcOnboarding) << "setup assistant page" << names[static_cast<int>(step)];
    step_ = step;
    static_cast<StepDots*>(dots_)->setCurrent(static_cast<int>(step));
    if (page_) {
        // Later: the old page may be the one calling.
        page_->hide();
        page_->deleteLater();
    }
    page_ = makePage(step);
    pageSlot_->addWidget(page_);
    auto* fade = new QGraphicsOpacityEffect(page_);
    page_->setGraphicsEffect(fade);
    auto* animation = new QPropertyAnimation(fade, "opacity", page_);
    animation->setDuration(220);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->setEasingCurve(QEasingCurve::OutCubic);
    connect(animation, &QPropertyAnimation::finished, page_,
            [page = page_.data()] { page->setGraphicsEffect(nullptr); });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
    page_->show();
}

QWidget* OnboardingRootView::makePage(OnboardingStep step) {
    switch (step) {
    case OnboardingStep::welcome:
        return new WelcomePage(pal_, [this] {
            s_.defaults.setValue(OnboardingProgress::begunKey, true);
            go(OnboardingStep::grant);
        });
    case OnboardingStep::grant:
        return new GrantPage(pal_, s_, [this] { go(OnboardingStep::hotkey); });
    case OnboardingStep::hotkey:
        return new HotkeyPage(pal_, s_, callbacks_.rehearsalReached,
                              [this] { go(OnboardingStep::ready); });
    case OnboardingStep::ready:
        return new ReadyPage(pal_, s_, [this] {
            s_.defaults.setValue(OnboardingProgress::completedKey, true);
            callbacks_.finish();
        });
    }
    return nullptr;
}

} // namespace vellaro
